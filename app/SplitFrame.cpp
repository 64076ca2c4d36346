#include "app/SplitFrame.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMdiSubWindow>
#include <QSplitter>

#include "app/TabrelApp.h"
#include "document/TabrelDoc.h"
#include "view/DicDispView.h"
#include "view/TabrelView.h"

namespace tabrel {

CSplitFrame::CSplitFrame(CTabrelApp& app, std::shared_ptr<CTabrelDoc> doc)
    : m_app(app), m_pDoc(std::move(doc)), m_docCommands(app, *m_pDoc)
{
    connect(&m_app, &CTabrelApp::DocumentStateChanged, this, [this] {
        if (m_bClosePending && !m_pDoc->IsOperationRunning() && m_pSubWindow) {
            m_bClosePending = false;
            m_pSubWindow->close();
        }
    });
}

CSplitFrame::~CSplitFrame()
{
    // The panes go first: they leave the document's list of views while it lives.
    delete m_wndSplitter;
    m_wndSplitter = nullptr;
    m_app.OnFrameDestroyed(this);
}

bool CSplitFrame::OnCreateClient()
{
    m_wndSplitter = new QSplitter(Qt::Horizontal, this);
    m_wndSplitter->setObjectName(QStringLiteral("splitter"));
    m_wndSplitter->setChildrenCollapsible(false);
    m_pTextView = new CTabrelView(*m_pDoc, *this, m_wndSplitter);
    m_pDicView = new CDicDispView(*m_pDoc, *this, m_wndSplitter);
    m_pTextView->setObjectName(QStringLiteral("textPane"));
    m_pDicView->setObjectName(QStringLiteral("dictionaryPane"));
    m_wndSplitter->addWidget(m_pTextView);
    m_wndSplitter->addWidget(m_pDicView);
    // The text pane keeps its width when the window is resized; the dictionary takes the rest.
    m_wndSplitter->setStretchFactor(0, 0);
    m_wndSplitter->setStretchFactor(1, 1);
    m_wndSplitter->setSizes({kTextPaneWidth, 1 << 20});

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_wndSplitter);
    m_pTextView->OnInitialUpdate();
    m_pDicView->OnInitialUpdate();
    m_pActiveView = m_pDicView;
    return true;
}

void CSplitFrame::SetSubWindow(QMdiSubWindow* sub)
{
    m_pSubWindow = sub;
    sub->installEventFilter(this);
}

void CSplitFrame::SetActiveView(CLinePane* pane)
{
    if (!pane)
        return;
    const bool changed = pane != m_pActiveView;
    m_pActiveView = pane;
    if (!pane->hasFocus())
        pane->setFocus(Qt::OtherFocusReason);
    if (changed)
        emit ActiveViewChanged();
}

void CSplitFrame::ActivateNextPane(CLinePane* from, bool)
{
    // Two panes: next and previous are the same other pane.
    SetActiveView(from == m_pTextView ? static_cast<CLinePane*>(m_pDicView) : m_pTextView);
}

QPrinter& CSplitFrame::Printer()
{
    return m_app.Printer();
}

void CSplitFrame::OnTextOpened(const std::string& path)
{
    m_app.RecentFiles().Add(path);
}

bool CSplitFrame::QueryCommand(int, bool&)
{
    return false;  // the child frame has no commands of its own
}

void CSplitFrame::RunCommand(int) {}

bool CSplitFrame::eventFilter(QObject* watched, QEvent* event)
{
    // A window whose document is busy (a look-up or text load that lets
    // events through) closes only once that has returned.
    if (watched == m_pSubWindow && event->type() == QEvent::Close && m_pDoc->IsOperationRunning()) {
        event->ignore();
        m_bClosePending = true;  // completed when the document says the operation ended
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace tabrel
