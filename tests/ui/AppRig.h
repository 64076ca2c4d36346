#pragma once
// A started application with its profile in a temporary folder.

#include <QApplication>
#include <QtTest>

#include <memory>

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

protected:
    void RunFirstRunSettings() override
    {
        ++firstRunCalls;
        framesAtFirstRun = GetMainFrame()->GetFrames().size();
        mainWindowVisibleAtFirstRun = GetMainFrame()->isVisible();
    }
};

struct AppRig {
    ScopedProfile profile;
    TempDir dir;
    std::unique_ptr<ObservedApp> app;

    /// Starts the application; `indexDir` goes to the profile first unless empty.
    explicit AppRig(const std::string& indexDir = "/nonexistent/index/")
    {
        if (!indexDir.empty())
            WriteProfileString("Index", "Dir", indexDir);
        app = std::make_unique<ObservedApp>();
        TABREL_REQUIRE_SETUP(app->InitInstance(), "the application did not start");
        TABREL_REQUIRE_SETUP(QTest::qWaitForWindowExposed(Main()), "the main window was never shown");
        Main()->activateWindow();
        QApplication::processEvents();
    }

    CMainFrame* Main() const { return app->GetMainFrame(); }
    CSplitFrame* Frame() const { return Main()->GetActiveFrame(); }
};

}  // namespace tabrel::test
