#pragma once
// The main window: menu bar, tool bar, status bar and the MDI area holding
// the document windows. Owns one QAction per command id and routes each
// command to the active pane, its document, the child frame, itself and the
// application, in that order.

#include <QMainWindow>

#include <map>
#include <vector>

#include "view/CommandTarget.h"

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace tabrel {

class CTabrelApp;
class CSplitFrame;

class CMainFrame : public QMainWindow, public ICommandTarget {
    Q_OBJECT
public:
    explicit CMainFrame(CTabrelApp& app);
    ~CMainFrame() override;

    /// Builds the actions, the menus, the tool bar and the status bar.
    bool OnCreate();

    QMdiArea* GetMdiArea() const { return m_pMdiArea; }
    QToolBar* GetToolBar() const { return m_wndToolBar; }
    /// The frame of the active document window, or nullptr.
    CSplitFrame* GetActiveFrame() const;
    std::vector<CSplitFrame*> GetFrames() const;

    /// Places a new document window in the MDI area and activates it.
    void AddFrame(CSplitFrame* frame);

    /// The action of command `id` (nullptr for an unknown id).
    QAction* GetAction(int id) const;
    /// Whether the route finds a handler for `id` that is enabled now.
    bool IsCommandEnabled(int id);
    /// Runs `id` through the route when it is enabled.
    void Execute(int id);
    /// Refreshes the enabled and checked state of every action.
    void UpdateCommandStates();
    /// Shows menu 3 while a document window exists, else menu 2, and the caption.
    void UpdateFrameState();

    /// The top-level menus currently on the menu bar.
    QList<QMenu*> CurrentMenus() const;
    /// Menu 2 (true) is on the menu bar.
    bool ShowsMainMenu() const { return m_bShowsMainMenu; }

    bool QueryCommand(int id, bool& enabled) override;
    void RunCommand(int id) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateActions();
    QList<QMenu*> BuildMenu(bool mainMenu);
    void CreateToolBar();
    void CreateStatusBar();
    void FillRecentFiles();
    void FillWindowList(QMenu* menu);
    void PrepareSystemMenu(QMdiSubWindow* sub);
    void TileHorizontally();
    void ArrangeIcons();
    std::vector<ICommandTarget*> RouteChain();

    CTabrelApp& m_app;
    QMdiArea* m_pMdiArea = nullptr;
    QToolBar* m_wndToolBar = nullptr;
    QLabel* m_pIdleLabel = nullptr;
    std::map<int, QAction*> m_actions;
    QList<QMenu*> m_mainMenu;      // menu 2
    QList<QMenu*> m_documentMenu;  // menu 3
    bool m_bShowsMainMenu = false;
    QMenu* m_pRecentMenu = nullptr;        // the popup holding the recent-file list
    QAction* m_pRecentPlaceholder = nullptr;
    std::vector<QAction*> m_recentActions;  // shown entries, in place of the placeholder
    std::vector<QAction*> m_windowListActions;
    bool m_bClosePending = false;  // a close waits for an operation to end
};

}  // namespace tabrel
