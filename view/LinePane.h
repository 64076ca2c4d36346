#pragma once
// What the two panes of a document window share: a scrolling view of one
// of the document's line lists that repaints when the document changes,
// and the commands both panes take.

#include <QAbstractScrollArea>

#include "doc/TabrelDoc.h"
#include "view/CommandTarget.h"

namespace tabrel {

class IPaneHost;

class CLinePane : public QAbstractScrollArea, public IDocView, public ICommandTarget {
    Q_OBJECT
public:
    CLinePane(CTabrelDoc& doc, IPaneHost& host, QWidget* parent = nullptr);
    ~CLinePane() override;

    CTabrelDoc& GetDocument() const { return m_doc; }

    /// The document changed: recompute the scroll extent and repaint.
    void OnUpdate(CTabrelDoc& doc) override;

    bool QueryCommand(int id, bool& enabled) override;
    void RunCommand(int id) override;

protected:
    /// The list this pane shows.
    virtual const CExStringList& Lines() const = 0;

    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

    IPaneHost& m_host;

private:
    CTabrelDoc& m_doc;
};

}  // namespace tabrel
