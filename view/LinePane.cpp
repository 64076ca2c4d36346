#include "view/LinePane.h"

#include <QMouseEvent>

#include "res/Resources.h"
#include "view/PaneHost.h"

namespace tabrel {

using namespace res;

CLinePane::CLinePane(CTabrelDoc& doc, IPaneHost& host, QWidget* parent)
    : QAbstractScrollArea(parent), m_host(host), m_doc(doc)
{
    setFocusPolicy(Qt::StrongFocus);
    m_doc.AddView(this);
}

CLinePane::~CLinePane()
{
    m_doc.RemoveView(this);
}

void CLinePane::OnUpdate(CTabrelDoc&)
{
    viewport()->update();
}

bool CLinePane::QueryCommand(int id, bool& enabled)
{
    switch (id) {
    case ID_FILE_OPEN:
    case ID_NEXT_PANE:
    case ID_PREV_PANE:
        enabled = true;
        return true;
    case ID_EDIT_COPY:
        enabled = m_doc.CanCopy();
        return true;
    case ID_TAMBUN:  // short-sentence translation support: never offered
        enabled = false;
        return true;
    default:
        return false;
    }
}

void CLinePane::RunCommand(int id)
{
    switch (id) {
    case ID_FILE_OPEN:
        m_doc.OpenTextFile();
        m_doc.UpdateAllViews();  // whatever the outcome
        break;
    case ID_NEXT_PANE:
    case ID_PREV_PANE:
        m_host.ActivateNextPane(this, id == ID_NEXT_PANE);
        break;
    default:
        break;
    }
}

void CLinePane::mousePressEvent(QMouseEvent* event)
{
    m_host.SetActiveView(this);
    QAbstractScrollArea::mousePressEvent(event);
}

void CLinePane::focusInEvent(QFocusEvent* event)
{
    m_host.SetActiveView(this);
    QAbstractScrollArea::focusInEvent(event);
}

}  // namespace tabrel
