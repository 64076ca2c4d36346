#pragma once
// A document window: a static splitter of one row and two columns over one
// document, the text pane on the left and the dictionary pane on the right.

#include <QWidget>

#include <memory>

#include "app/DocumentCommands.h"
#include "dialogs/PaneDialogs.h"
#include "view/CommandTarget.h"
#include "view/PaneHost.h"

class QMdiSubWindow;
class QSplitter;

namespace tabrel {

class CTabrelApp;
class CTabrelDoc;
class CTabrelView;
class CDicDispView;
class CLinePane;

class CSplitFrame : public QWidget, public IPaneHost, public ICommandTarget {
    Q_OBJECT
public:
    /// Width of the text pane in a new window, in pixels.
    static constexpr int kTextPaneWidth = 350;

    CSplitFrame(CTabrelApp& app, std::shared_ptr<CTabrelDoc> doc);
    ~CSplitFrame() override;

    /// Creates the splitter and both panes; the dictionary pane becomes active.
    bool OnCreateClient();

    CTabrelDoc& GetDocument() const { return *m_pDoc; }
    const std::shared_ptr<CTabrelDoc>& GetDocumentPtr() const { return m_pDoc; }
    CTabrelView* GetTextView() const { return m_pTextView; }
    CDicDispView* GetDicView() const { return m_pDicView; }
    QSplitter* GetSplitter() const { return m_wndSplitter; }
    CLinePane* GetActiveView() const { return m_pActiveView; }
    ICommandTarget& GetDocumentCommands() { return m_docCommands; }

    /// The MDI window holding this frame, once it is placed in the main window.
    QMdiSubWindow* GetSubWindow() const { return m_pSubWindow; }
    void SetSubWindow(QMdiSubWindow* sub);

    void SetActiveView(CLinePane* pane) override;
    void ActivateNextPane(CLinePane* from, bool forward) override;
    QPrinter& Printer() override;
    void OnTextOpened(const std::string& path) override;
    IPaneDialogs& Dialogs() override { return m_dialogs; }

    bool QueryCommand(int id, bool& enabled) override;
    void RunCommand(int id) override;

signals:
    void ActiveViewChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CTabrelApp& m_app;
    std::shared_ptr<CTabrelDoc> m_pDoc;
    CDocumentCommands m_docCommands;
    CPaneDialogs m_dialogs;
    QSplitter* m_wndSplitter = nullptr;
    CTabrelView* m_pTextView = nullptr;
    CDicDispView* m_pDicView = nullptr;
    CLinePane* m_pActiveView = nullptr;
    QMdiSubWindow* m_pSubWindow = nullptr;
    bool m_bClosePending = false;  // a close waits for the document's operation to end
};

}  // namespace tabrel
