#pragma once
// A started application with its profile in a temporary folder.

#include <QApplication>
#include <QtTest>

#include <functional>
#include <memory>
#include <string>

#include "SetUpCheck.h"
#include "TempDir.h"
#include "app/MainFrame.h"
#include "app/SplitFrame.h"
#include "app/TabrelApp.h"
#include "platform/Profile.h"

namespace tabrel::test {

/// The application with its first-run hook observed.
class ObservedApp : public CTabrelApp {
public:
    int firstRunCalls = 0;
    std::size_t framesAtFirstRun = 0;
    bool mainWindowVisibleAtFirstRun = false;
    bool showFirstRunDialog = false;  ///< also run the real settings dialog

protected:
    void RunFirstRunSettings() override
    {
        ++firstRunCalls;
        framesAtFirstRun = GetMainFrame()->GetFrames().size();
        mainWindowVisibleAtFirstRun = GetMainFrame()->isVisible();
        if (showFirstRunDialog)
            CTabrelApp::RunFirstRunSettings();
    }
};

/// How a rig starts the application.
struct AppStart {
    std::string indexDir = "/nonexistent/index/";  ///< to the profile first unless empty
    std::string profile;                           ///< whole profile file first unless empty
    bool showFirstRunDialog = false;
    std::function<void(const std::string& profilePath)> beforeStart;  ///< last step before the start
};

struct AppRig {
    ScopedProfile profile;
    TempDir dir;
    std::unique_ptr<ObservedApp> app;

    /// Starts the application; `indexDir` goes to the profile first unless empty.
    explicit AppRig(const std::string& indexDir = "/nonexistent/index/") : AppRig(AppStart{indexDir, {}, false, {}}) {}

    explicit AppRig(const AppStart& start)
    {
        if (!start.profile.empty())
            profile.WriteProfile(start.profile);
        if (!start.indexDir.empty())
            WriteProfileString("Index", "Dir", start.indexDir);
        if (start.beforeStart)
            start.beforeStart(profile.ProfilePath());
        app = std::make_unique<ObservedApp>();
        app->showFirstRunDialog = start.showFirstRunDialog;
        TABREL_REQUIRE_SETUP(app->InitInstance(), "the application did not start");
        TABREL_REQUIRE_SETUP(QTest::qWaitForWindowExposed(Main()), "the main window was never shown");
        Main()->activateWindow();
        QApplication::processEvents();
    }

    CMainFrame* Main() const { return app->GetMainFrame(); }
    CSplitFrame* Frame() const { return Main()->GetActiveFrame(); }
};

}  // namespace tabrel::test
