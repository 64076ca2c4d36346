#include "app/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "view/Icons.h"
#include "app/SplitFrame.h"
#include "app/TabrelApp.h"
#include "document/TabrelDoc.h"
#include "res/Resources.h"
#include "settings/RecentFileList.h"
#include "view/DicDispView.h"
#include "view/QtText.h"

namespace tabrel {

using namespace res;

namespace {
// A menu text shown as it stands: "&" is no access key there.
QString Literal(QString text)
{
    return text.replace(QLatin1Char('&'), QLatin1String("&&"));
}
}  // namespace

CMainFrame::CMainFrame(CTabrelApp& app) : m_app(app)
{
    setObjectName(QStringLiteral("mainFrame"));
}

CMainFrame::~CMainFrame()
{
    // The document windows go while the actions they update still exist.
    disconnect(qApp, nullptr, this, nullptr);
    delete m_pMdiArea;
    m_pMdiArea = nullptr;
}

bool CMainFrame::OnCreate()
{
    setWindowIcon(AppIcon(2));
    m_pMdiArea = new QMdiArea(this);
    m_pMdiArea->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(m_pMdiArea);
    connect(m_pMdiArea, &QMdiArea::subWindowActivated, this, [this] {
        UpdateFrameState();
        UpdateCommandStates();
    });

    CreateActions();
    m_mainMenu = BuildMenu(true);
    m_documentMenu = BuildMenu(false);
    CreateToolBar();
    CreateStatusBar();
    UpdateFrameState();
    UpdateCommandStates();

    // Command states follow the events that change them: focus, the active
    // window and pane (above), commands, and the documents' own changes.
    // Menus also refresh as they open.
    connect(qApp, &QApplication::focusChanged, this, &CMainFrame::UpdateCommandStates);
    connect(&m_app, &CTabrelApp::DocumentStateChanged, this, [this] {
        UpdateCommandStates();
        if (m_bClosePending && !m_app.IsAnyOperationRunning()) {
            m_bClosePending = false;
            close();  // the close held back for the operation that just ended
        }
    });
    resize(800, 600);
    return true;
}

void CMainFrame::CreateActions()
{
    const auto ensure = [this](int id, std::string_view text) {
        QAction*& action = m_actions[id];
        if (!action) {
            action = new QAction(MenuText(text), this);
            action->setStatusTip(LoadQString(id));
            connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
        }
        return action;
    };
    for (auto menu : {MainMenu(), DocumentMenu()}) {
        for (const MenuItem& item : menu) {
            if (item.kind == MenuItem::Command)
                ensure(item.id, item.text);
        }
    }
    for (int i = 0; i < kMaxRecentFiles; ++i)
        ensure(ID_FILE_MRU_FILE1 + i, {});
    // Commands reached by keys only, and the help request.
    for (int id : {static_cast<int>(ID_NEXT_PANE), static_cast<int>(ID_PREV_PANE), static_cast<int>(ID_HELP)})
        addAction(ensure(id, {}));

    for (int id : {static_cast<int>(ID_VIEW_TOOLBAR), static_cast<int>(ID_VIEW_STATUS_BAR)})
        m_actions[id]->setCheckable(true);

    std::map<int, QList<QKeySequence>> keys;
    for (const Accelerator& acc : Accelerators())
        keys[acc.id] << QKeySequence(FromUtf8(acc.keys), QKeySequence::PortableText);
    for (const auto& [id, list] : keys) {
        QAction* action = ensure(id, {});
        action->setShortcuts(list);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);  // keys work whichever menu is shown
    }
}

QList<QMenu*> CMainFrame::BuildMenu(bool mainMenu)
{
    QList<QMenu*> topLevel;
    std::vector<QMenu*> open;  // popups being filled, innermost last
    for (const MenuItem& item : mainMenu ? MainMenu() : DocumentMenu()) {
        switch (item.kind) {
        case MenuItem::Popup: {
            QMenu* menu = open.empty() ? new QMenu(MenuText(item.text), this) : open.back()->addMenu(MenuText(item.text));
            connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
            if (open.empty())
                topLevel << menu;
            open.push_back(menu);
            break;
        }
        case MenuItem::EndPopup:
            if (!open.empty())
                open.pop_back();
            break;
        case MenuItem::Separator:
            if (!open.empty())
                open.back()->addSeparator();
            break;
        case MenuItem::Grayed:
            // The place of the recent-file list.
            if (!open.empty()) {
                m_pRecentMenu = open.back();
                m_pRecentPlaceholder = open.back()->addAction(MenuText(item.text));
                m_pRecentPlaceholder->setEnabled(false);
                connect(m_pRecentMenu, &QMenu::aboutToShow, this, &CMainFrame::FillRecentFiles);
            }
            break;
        case MenuItem::Command:
            if (!open.empty()) {
                open.back()->addAction(m_actions.at(item.id));
                if (item.id == ID_WINDOW_NEW) {
                    QMenu* windowMenu = open.back();
                    connect(windowMenu, &QMenu::aboutToShow, this, [this, windowMenu] { FillWindowList(windowMenu); });
                }
            }
            break;
        }
    }
    return topLevel;
}

void CMainFrame::CreateToolBar()
{
    m_wndToolBar = new QToolBar(this);
    m_wndToolBar->setObjectName(QStringLiteral("toolBar"));
    m_wndToolBar->setMovable(false);
    m_wndToolBar->setFloatable(false);
    m_wndToolBar->setIconSize(QSize(16, 15));
    m_wndToolBar->toggleViewAction()->setVisible(false);  // the View menu shows and hides it
    int image = 0;
    for (int id : ToolBarButtons()) {
        if (id == 0) {
            m_wndToolBar->addSeparator();
            continue;
        }
        QAction* action = m_actions.at(id);
        action->setIcon(QIcon(ToolBarImage(image++)));
        m_wndToolBar->addAction(action);
        if (QWidget* button = m_wndToolBar->widgetForAction(action))
            button->installEventFilter(this);  // no tool tips
    }
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);
    setContextMenuPolicy(Qt::NoContextMenu);
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    bar->setSizeGripEnabled(true);
    // Shown whenever no command prompt is: the idle text.
    m_pIdleLabel = new QLabel(LoadQString(IDS_IDLE_MESSAGE), bar);
    m_pIdleLabel->setObjectName(QStringLiteral("idleText"));
    bar->addWidget(m_pIdleLabel, 1);
    // Lock indicators. Qt offers no portable way to read the lock keys, so
    // they stay blank here; each shows its text while its lock is on where
    // the platform can tell.
    for (int id : {IDS_INDICATOR_KANA, IDS_INDICATOR_CAPS, IDS_INDICATOR_NUM, IDS_INDICATOR_SCRL}) {
        auto* indicator = new QLabel(bar);
        indicator->setObjectName(QStringLiteral("indicator%1").arg(id));
        indicator->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        indicator->setMinimumWidth(indicator->fontMetrics().horizontalAdvance(LoadQString(id)) + 8);
        bar->addPermanentWidget(indicator);
    }
}

QAction* CMainFrame::GetAction(int id) const
{
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

CSplitFrame* CMainFrame::GetActiveFrame() const
{
    if (!m_pMdiArea)
        return nullptr;
    QMdiSubWindow* sub = m_pMdiArea->activeSubWindow();
    if (!sub) {
        // Without window focus (tests, start-up) the area reports no active
        // window: take the top one.
        const auto list = m_pMdiArea->subWindowList(QMdiArea::StackingOrder);
        if (!list.isEmpty())
            sub = list.constLast();
    }
    return sub ? qobject_cast<CSplitFrame*>(sub->widget()) : nullptr;
}

std::vector<CSplitFrame*> CMainFrame::GetFrames() const
{
    std::vector<CSplitFrame*> frames;
    if (!m_pMdiArea)
        return frames;
    for (QMdiSubWindow* sub : m_pMdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (auto* frame = qobject_cast<CSplitFrame*>(sub->widget()))
            frames.push_back(frame);
    }
    return frames;
}

void CMainFrame::AddFrame(CSplitFrame* frame)
{
    QMdiSubWindow* sub = m_pMdiArea->addSubWindow(frame);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(AppIcon(3));
    PrepareSystemMenu(sub);
    frame->SetSubWindow(sub);
    connect(frame, &CSplitFrame::ActiveViewChanged, this, &CMainFrame::UpdateCommandStates);
    connect(sub, &QObject::destroyed, this, [this] {
        // The window list changes once the window is gone.
        QTimer::singleShot(0, this, [this] {
            UpdateFrameState();
            UpdateCommandStates();
        });
    });
    sub->resize(m_pMdiArea->size() * 3 / 4);
    sub->show();
    m_pMdiArea->setActiveSubWindow(sub);
    frame->SetActiveView(frame->GetDicView());
    UpdateFrameState();
    UpdateCommandStates();
}

void CMainFrame::PrepareSystemMenu(QMdiSubWindow* sub)
{
    QMenu* menu = sub->systemMenu();
    if (!menu)
        return;
    // Qt's items, found by their (translated) texts, get the string table's
    // prompts; "Stay on top" goes, as document windows have no such state.
    struct Item {
        const char* text;
        int prompt;
    };
    static constexpr Item kItems[] = {
        {"&Restore", IDS_SYS_RESTORE},   {"&Move", IDS_SYS_MOVE},         {"&Size", IDS_SYS_SIZE},
        {"Mi&nimize", IDS_SYS_MINIMIZE}, {"Ma&ximize", IDS_SYS_MAXIMIZE}, {"&Close", IDS_SYS_CLOSE},
    };
    const QString stayOnTop = QMdiSubWindow::tr("Stay on &Top");
    const QString close = QMdiSubWindow::tr("&Close");
    for (QAction* action : menu->actions()) {
        if (action->text() == stayOnTop) {
            menu->removeAction(action);
            continue;
        }
        for (const Item& item : kItems) {
            if (action->text() == QMdiSubWindow::tr(item.text))
                action->setStatusTip(LoadQString(item.prompt));
        }
        // Close is shown with the one key the document windows have for it.
        if (action->text() == close)
            action->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_F4)});
    }
    // The menu is a window of its own: its prompts are passed to the status bar here.
    menu->installEventFilter(this);
}

std::vector<ICommandTarget*> CMainFrame::RouteChain()
{
    std::vector<ICommandTarget*> chain;
    if (CSplitFrame* frame = GetActiveFrame()) {
        if (CLinePane* pane = frame->GetActiveView())
            chain.push_back(pane);
        chain.push_back(&frame->GetDocumentCommands());
        chain.push_back(frame);
    }
    chain.push_back(this);
    chain.push_back(&m_app);
    return chain;
}

bool CMainFrame::IsCommandEnabled(int id)
{
    for (ICommandTarget* target : RouteChain()) {
        bool enabled = false;
        if (target->QueryCommand(id, enabled))
            return enabled;
    }
    return false;  // nothing handles it
}

void CMainFrame::Execute(int id)
{
    for (ICommandTarget* target : RouteChain()) {
        bool enabled = false;
        if (target->QueryCommand(id, enabled)) {
            if (enabled)
                target->RunCommand(id);
            break;
        }
    }
    UpdateCommandStates();
}

void CMainFrame::UpdateCommandStates()
{
    for (const auto& [id, action] : m_actions)
        action->setEnabled(IsCommandEnabled(id));
    m_actions.at(ID_VIEW_TOOLBAR)->setChecked(m_wndToolBar && !m_wndToolBar->isHidden());
    m_actions.at(ID_VIEW_STATUS_BAR)->setChecked(!statusBar()->isHidden());
}

void CMainFrame::UpdateFrameState()
{
    const bool mainMenu = GetFrames().empty();
    if (mainMenu != m_bShowsMainMenu || menuBar()->actions().isEmpty()) {
        m_bShowsMainMenu = mainMenu;
        menuBar()->clear();
        for (QMenu* menu : mainMenu ? m_mainMenu : m_documentMenu)
            menuBar()->addMenu(menu);
    }
    QString caption = LoadQString(IDS_MAINFRAME);
    if (CSplitFrame* frame = GetActiveFrame())
        caption += QLatin1String(" - ") + frame->windowTitle();
    setWindowTitle(caption);
}

QList<QMenu*> CMainFrame::CurrentMenus() const
{
    return m_bShowsMainMenu ? m_mainMenu : m_documentMenu;
}

void CMainFrame::FillRecentFiles()
{
    for (QAction* a : m_recentActions)
        m_pRecentMenu->removeAction(a);
    m_recentActions.clear();
    const auto& entries = m_app.RecentFiles().Entries();
    for (std::size_t i = 0; i < entries.size() && i < kMaxRecentFiles; ++i) {
        QAction* action = m_actions.at(ID_FILE_MRU_FILE1 + static_cast<int>(i));
        action->setText(QStringLiteral("&%1 ").arg(i + 1) + Literal(FromPath(CRecentFileList::ShortName(entries[i]))));
        m_pRecentMenu->insertAction(m_pRecentPlaceholder, action);
        m_recentActions.push_back(action);
    }
    m_pRecentPlaceholder->setVisible(m_recentActions.empty());
    UpdateCommandStates();
}

void CMainFrame::FillWindowList(QMenu* menu)
{
    for (QAction* a : m_windowListActions) {
        menu->removeAction(a);
        a->deleteLater();
    }
    m_windowListActions.clear();
    const auto windows = m_pMdiArea->subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty())
        return;
    m_windowListActions.push_back(menu->addSeparator());
    int n = 0;
    for (QMdiSubWindow* sub : windows) {
        QAction* action = menu->addAction(QStringLiteral("&%1 ").arg(++n) + Literal(sub->windowTitle()));
        action->setStatusTip(LoadQString(IDS_ACTIVATE_WINDOW));
        action->setCheckable(true);
        action->setChecked(sub == m_pMdiArea->activeSubWindow());
        connect(action, &QAction::triggered, this, [this, sub] { m_pMdiArea->setActiveSubWindow(sub); });
        m_windowListActions.push_back(action);
    }
}

void CMainFrame::TileHorizontally()
{
    // One window above another, each the full width of the area.
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* sub : m_pMdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (!sub->isMinimized())
            windows << sub;
    }
    if (windows.isEmpty())
        return;
    const QRect area = m_pMdiArea->viewport()->rect();
    const int height = area.height() / static_cast<int>(windows.size());
    int y = 0;
    for (QMdiSubWindow* sub : windows) {
        sub->showNormal();
        sub->setGeometry(0, y, area.width(), height);
        y += height;
    }
}

void CMainFrame::ArrangeIcons()
{
    // Minimised windows in a row along the bottom of the area.
    const QRect area = m_pMdiArea->viewport()->rect();
    int x = 0;
    for (QMdiSubWindow* sub : m_pMdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (!sub->isMinimized())
            continue;
        sub->move(x, area.height() - sub->height());
        x += sub->width();
    }
}

bool CMainFrame::QueryCommand(int id, bool& enabled)
{
    switch (id) {
    case ID_VIEW_TOOLBAR:
    case ID_VIEW_STATUS_BAR:
        enabled = true;
        return true;
    case ID_WINDOW_NEW:
    case ID_WINDOW_CASCADE:
    case ID_WINDOW_TILE_HORZ:
    case ID_WINDOW_ARRANGE:
        enabled = GetActiveFrame() != nullptr;
        return true;
    default:
        return false;
    }
}

void CMainFrame::RunCommand(int id)
{
    switch (id) {
    case ID_VIEW_TOOLBAR:
        m_wndToolBar->setVisible(m_wndToolBar->isHidden());
        break;
    case ID_VIEW_STATUS_BAR:
        statusBar()->setVisible(statusBar()->isHidden());
        break;
    case ID_WINDOW_NEW:
        if (CSplitFrame* frame = GetActiveFrame())
            m_app.CreateFrame(frame->GetDocumentPtr());
        break;
    case ID_WINDOW_CASCADE:
        m_pMdiArea->cascadeSubWindows();
        break;
    case ID_WINDOW_TILE_HORZ:
        TileHorizontally();
        break;
    case ID_WINDOW_ARRANGE:
        ArrangeIcons();
        break;
    default:
        break;
    }
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (m_app.IsAnyOperationRunning()) {
        // A look-up or text load is running inside a window: close once the
        // documents say it has ended.
        event->ignore();
        m_bClosePending = true;
        return;
    }
    m_app.ExitInstance();
    event->accept();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip && qobject_cast<QToolButton*>(watched))
        return true;  // the tool bar shows no tool tips
    if (event->type() == QEvent::StatusTip && qobject_cast<QMenu*>(watched)) {
        QApplication::sendEvent(this, event);  // a system menu's prompt
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace tabrel
