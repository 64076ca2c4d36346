// The application shell: start-up, menus, command states, pane activation,
// windows on one document, and a screenshot.

#include <QAction>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QtTest>

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "AppRig.h"
#include "IndexFixture.h"
#include "UiHelpers.h"
#include "UiTests.h"
#include "doc/TabrelDoc.h"
#include "res/Resources.h"
#include "view/DicDispView.h"
#include "view/TabrelView.h"

using namespace tabrel;
using namespace tabrel::test;
using namespace tabrel::res;

namespace {


// A menu as text lines: "popup text" items, "  " per nesting level,
// "-" for separators; hidden items are left out.
QStringList Describe(const QList<QMenu*>& menus)
{
    QStringList lines;
    std::function<void(QMenu*, int)> walk = [&](QMenu* menu, int depth) {
        const QString indent(depth * 2, QLatin1Char(' '));
        for (QAction* a : menu->actions()) {
            if (!a->isVisible())
                continue;
            if (a->isSeparator())
                lines << indent + QLatin1String("-");
            else if (a->menu()) {
                lines << indent + QLatin1String("[") + a->text() + QLatin1String("]");
                walk(a->menu(), depth + 1);
            } else
                lines << indent + a->text();
        }
    };
    for (QMenu* m : menus) {
        lines << QLatin1String("[") + m->title() + QLatin1String("]");
        walk(m, 1);
    }
    return lines;
}

QStringList Lines(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* t : texts)
        list << QString::fromUtf8(t);
    return list;
}

}  // namespace

class ShellTest : public QObject {
    Q_OBJECT
private slots:
    void startUpOpensOneSplitWindow()
    {
        AppRig rig;
        QCOMPARE(rig.Main()->GetFrames().size(), std::size_t{1});
        CSplitFrame* frame = rig.Frame();
        QVERIFY(frame);
        QCOMPARE(frame->GetSubWindow()->windowTitle(), QStringLiteral("Tabrel1"));
        QCOMPARE(rig.Main()->windowTitle(), QStringLiteral("Tabrel - Tabrel1"));
        QCOMPARE(frame->GetSplitter()->count(), 2);
        QCOMPARE(frame->GetSplitter()->widget(0), static_cast<QWidget*>(frame->GetTextView()));
        QCOMPARE(frame->GetTextView()->width(), CSplitFrame::kTextPaneWidth);
        QVERIFY(frame->GetDicView()->width() > 0);
        QCOMPARE(frame->GetActiveView(), static_cast<CLinePane*>(frame->GetDicView()));
        QCOMPARE(rig.app->firstRunCalls, 0);  // an index directory is set
    }

    void firstRunHookComesBeforeTheDocumentWindow()
    {
        AppRig rig("");
        QCOMPARE(rig.app->firstRunCalls, 1);
        QCOMPARE(rig.app->framesAtFirstRun, std::size_t{0});
        QVERIFY(rig.app->mainWindowVisibleAtFirstRun);
        QCOMPARE(rig.Main()->GetFrames().size(), std::size_t{1});
    }

    void menusFollowTheTables()
    {
        AppRig rig;
        const QStringList menu3 = Lines({
            "[ﾌｧｲﾙ(&F)]", "  新規作成(&N)\tCtrl+N", "  開く(&O)...\tCtrl+O", "  閉じる(&C)", "  上書き保存(&S)\tCtrl+S",
            "  名前を付けて保存(&A)...", "  -", "  印刷(&P)...\tCtrl+P", "  印刷プレビュー(&V)", "  プリンタの設定(&R)...",
            "  -", "  終了(&X)",
            "[編集(&E)]", "  アンドゥ(&U)\tCtrl+Z", "  -", "  切り取り(&T)\tCtrl+X", "  コピー(&C)\tCtrl+C",
            "  貼り付け(&P)\tCtrl+V",
            "[ｵﾌﾟｼｮﾝ]", "  ﾌｫﾝﾄ", "  [色指定]", "    文字色", "    背景色", "  設定",
            "[おまけ]", "  ﾃｷｽﾄﾌｧｲﾙ出力", "  短文翻訳支援",
            "[表示(&V)]", "  ツールバー(&T)", "  ステータス バー(&S)",
            "[ｳｨﾝﾄﾞｳ(&W)]", "  新しいウィンドウを開く(&N)", "  重ねて表示(&C)", "  並べて表示(&T)", "  アイコンの整列(&A)",
            "  -", "  &1 Tabrel1",
            "[ﾍﾙﾌﾟ(&H)]", "  目次", "  バージョン情報(&A)...",
        });
        for (QMenu* m : rig.Main()->CurrentMenus())
            emit m->aboutToShow();  // fills the window list
        QVERIFY(!rig.Main()->ShowsMainMenu());
        QCOMPARE(Describe(rig.Main()->CurrentMenus()), menu3);

        rig.app->RecentFiles().Add("/texts/alice.txt");
        rig.Frame()->GetSubWindow()->close();
        QTRY_VERIFY(rig.Main()->ShowsMainMenu());
        const QStringList menu2 = Lines({
            "[ﾌｧｲﾙ(&F)]", "  新規作成(&N)\tCtrl+N", "  開く(&O)...\tCtrl+O", "  -", "  プリンタの設定(&R)...", "  -",
            "  &1 /texts/alice.txt", "  -", "  終了(&X)",
            "[表示(&V)]", "  ツールバー(&T)", "  ステータス バー(&S)",
            "[ﾍﾙﾌﾟ(&H)]", "  バージョン情報(&A)...",
        });
        for (QMenu* m : rig.Main()->CurrentMenus())
            emit m->aboutToShow();
        QCOMPARE(Describe(rig.Main()->CurrentMenus()), menu2);
        QCOMPARE(rig.Main()->menuBar()->actions().size(), 3);

        // The place of the recent-file list shows greyed while the list is empty.
        rig.app->RecentFiles().Remove(0);
        emit rig.Main()->CurrentMenus().first()->aboutToShow();
        QVERIFY(Describe(rig.Main()->CurrentMenus()).contains(QStringLiteral("  以前開いたファイル")));
    }

    void commandStatesFollowTheState()
    {
        AppRig rig;
        CMainFrame* main = rig.Main();
        const auto check = [&](const char* state, std::initializer_list<std::pair<int, bool>> expected) {
            main->UpdateCommandStates();
            for (const auto& [id, enabled] : expected) {
                QVERIFY2(main->IsCommandEnabled(id) == enabled, qPrintable(QStringLiteral("%1: command %2")
                                                                              .arg(QString::fromUtf8(state))
                                                                              .arg(id)));
                QCOMPARE(main->GetAction(id)->isEnabled(), enabled);
            }
        };
        const std::initializer_list<std::pair<int, bool>> always = {
            {ID_FILE_NEW, true}, {ID_FILE_OPEN, true}, {ID_FILE_PRINT_SETUP, true}, {ID_APP_EXIT, true},
            {ID_HELP_INDEX, true}, {ID_APP_ABOUT, true}, {ID_VIEW_TOOLBAR, true}, {ID_VIEW_STATUS_BAR, true},
            {ID_EDIT_UNDO, false}, {ID_EDIT_CUT, false}, {ID_EDIT_PASTE, false}, {ID_TAMBUN, false},
        };
        check("always", always);
        check("new window, dictionary pane active",
              {{ID_FILE_CLOSE, true}, {ID_FILE_SAVE, true}, {ID_FILE_SAVE_AS, true}, {ID_WINDOW_NEW, true},
               {ID_WINDOW_CASCADE, true}, {ID_WINDOW_TILE_HORZ, true}, {ID_WINDOW_ARRANGE, true},
               {ID_NEXT_PANE, true}, {ID_EDIT_COPY, false}, {ID_TEXT_OUTPUT, false},
               {ID_FILE_MRU_FILE1, false}});

        CTabrelDoc& doc = rig.Frame()->GetDocument();
        doc.m_TextList.AddTail("some text");
        check("text lines, dictionary pane active", {{ID_TEXT_OUTPUT, false}});
        rig.Frame()->SetActiveView(rig.Frame()->GetTextView());
        check("text lines, text pane active", {{ID_TEXT_OUTPUT, true}, {ID_EDIT_COPY, false}});
        doc.m_ResultList.AddTail("result\r\n");
        check("results, text pane active", {{ID_EDIT_COPY, true}});
        rig.Frame()->SetActiveView(rig.Frame()->GetDicView());
        check("results, dictionary pane active", {{ID_EDIT_COPY, true}, {ID_TEXT_OUTPUT, false}});

        rig.app->RecentFiles().Add("/a.txt");
        check("one recent file", {{ID_FILE_MRU_FILE1, true}, {ID_FILE_MRU_FILE1 + 1, false}});

        rig.Frame()->GetSubWindow()->close();
        QTRY_VERIFY(main->GetFrames().empty());
        check("no document window",
              {{ID_FILE_CLOSE, false}, {ID_FILE_SAVE, false}, {ID_FILE_SAVE_AS, false}, {ID_EDIT_COPY, false},
               {ID_FILE_PRINT, false}, {ID_FILE_PRINT_PREVIEW, false}, {ID_WINDOW_NEW, false},
               {ID_WINDOW_CASCADE, false}, {ID_TEXT_OUTPUT, false}, {ID_NEXT_PANE, false}});
        check("always, without a window", always);
    }

    void f6AndClicksMoveActivation()
    {
        AppRig rig;
        CSplitFrame* frame = rig.Frame();
        QVERIFY(QTest::qWaitForWindowActive(rig.Main()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
        QCOMPARE(frame->GetActiveView(), static_cast<CLinePane*>(frame->GetTextView()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ShiftModifier);
        QCOMPARE(frame->GetActiveView(), static_cast<CLinePane*>(frame->GetDicView()));
        QTest::mouseClick(frame->GetTextView()->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(frame->GetActiveView(), static_cast<CLinePane*>(frame->GetTextView()));
        QVERIFY(frame->GetTextView()->hasFocus());
    }

    void newWindowSharesTheDocument()
    {
        AppRig rig;
        CSplitFrame* first = rig.Frame();
        rig.Main()->Execute(ID_WINDOW_NEW);
        QCOMPARE(rig.Main()->GetFrames().size(), std::size_t{2});
        CSplitFrame* second = rig.Main()->GetFrames().back();
        QCOMPARE(&second->GetDocument(), &first->GetDocument());
        QCOMPARE(first->GetSubWindow()->windowTitle(), QStringLiteral("Tabrel1:1"));
        QCOMPARE(second->GetSubWindow()->windowTitle(), QStringLiteral("Tabrel1:2"));
        QCOMPARE(second->GetActiveView(), static_cast<CLinePane*>(second->GetDicView()));
        QCOMPARE(first->GetDocument().GetViews().size(), std::size_t{4});

        // New makes a second document; Close shuts every window of the first.
        rig.Main()->Execute(ID_FILE_NEW);
        QCOMPARE(rig.Main()->GetActiveFrame()->GetSubWindow()->windowTitle(), QStringLiteral("Tabrel2"));
        rig.Main()->GetMdiArea()->setActiveSubWindow(first->GetSubWindow());
        rig.Main()->Execute(ID_FILE_CLOSE);
        QTRY_COMPARE(rig.app->GetDocuments().size(), std::size_t{1});  // once its windows are gone
        QCOMPARE(rig.Main()->GetFrames().size(), std::size_t{1});

        rig.Main()->GetFrames().front()->GetSubWindow()->close();
        QTRY_VERIFY(rig.Main()->ShowsMainMenu());
        QTRY_VERIFY(rig.app->GetDocuments().empty());
    }

    void barsShowAndHide()
    {
        AppRig rig;
        QToolBar* toolBar = rig.Main()->GetToolBar();
        QCOMPARE(toolBar->actions().size(), 10);
        QVERIFY(!toolBar->isMovable());
        QVERIFY(!toolBar->isFloatable());
        QVERIFY(rig.Main()->GetAction(ID_VIEW_TOOLBAR)->isChecked());
        rig.Main()->Execute(ID_VIEW_TOOLBAR);
        QVERIFY(toolBar->isHidden());
        QVERIFY(!rig.Main()->GetAction(ID_VIEW_TOOLBAR)->isChecked());
        rig.Main()->Execute(ID_VIEW_STATUS_BAR);
        QVERIFY(rig.Main()->statusBar()->isHidden());
        QVERIFY(!rig.Main()->GetAction(ID_VIEW_STATUS_BAR)->isChecked());
    }

    void promptsAboutBoxAndHelp()
    {
        AppRig rig;
        rig.Main()->GetAction(ID_FILE_OPEN)->showStatusText(rig.Main());
        QCOMPARE(rig.Main()->statusBar()->currentMessage(), QStringLiteral("保存されているﾌｧｲﾙを開く"));
        rig.Main()->GetAction(ID_FILE_OPEN)->showStatusText(rig.Main());
        rig.Main()->statusBar()->clearMessage();
        QVERIFY(rig.Main()->findChild<QLabel*>(QStringLiteral("idleText"))->isVisible());
        QCOMPARE(rig.Main()->findChild<QLabel*>(QStringLiteral("idleText"))->text(), QStringLiteral("がんばろう!KOBE"));

        QString version, caption;
        OnNextModal([&](QWidget* about) {
            caption = about->windowTitle();
            for (QLabel* label : about->findChildren<QLabel*>())
                version += label->text();
            QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("ctl1")), Qt::LeftButton);
        });
        rig.Main()->Execute(ID_APP_ABOUT);
        QCOMPARE(caption, QStringLiteral("TABREL のバージョン情報"));
        QCOMPARE(version, QStringLiteral("Tabrel ver.0.02"));

        rig.Main()->Execute(ID_HELP_INDEX);
        QWidget* help = rig.Main()->findChild<QWidget*>(QStringLiteral("helpWindow"));
        QVERIFY(help && help->isVisible());
    }

    void saveWritesResultsAndReportsFailure()
    {
        AppRig rig;
        CTabrelDoc& doc = rig.Frame()->GetDocument();
        doc.m_ResultList.AddTail("a\r\n");
        const std::string path = rig.dir.File("saved.txt");
        doc.SetPathName(path);  // saved before: Save writes without asking
        rig.Main()->Execute(ID_FILE_SAVE);
        QCOMPARE(rig.dir.Read("saved.txt"), std::string("a\r\n\r\n"));

        rig.dir.Write("folder/keep.txt", "old");
        doc.SetPathName(rig.dir.File("folder"));  // a folder cannot be written over
        QString message;
        OnNextModal([&](QWidget* box) {
            message = qobject_cast<QMessageBox*>(box)->text();
            qobject_cast<QMessageBox*>(box)->accept();
        });
        rig.Main()->Execute(ID_FILE_SAVE);
        QVERIFY(message.contains(QStringLiteral("保存できませんでした")));
        QCOMPARE(rig.dir.Read("folder/keep.txt"), std::string("old"));
    }

    void closingWaitsForARunningLookUp()
    {
        AppRig rig;
        const DictFile dict = WriteDict(rig.dir, "d.txt", {"a\n", "b\n"});
        WriteIndexIni(rig.dir, {dict.path, dict.path});
        const std::string index = rig.dir.Write("$$TMP$$.t", ChainIndexBytes({{"take", {{0, 1, 0, 1}, {2, 2, 1, 1}}}}));
        CSplitFrame* frame = rig.Frame();
        std::shared_ptr<CTabrelDoc> doc = frame->GetDocumentPtr();
        doc->m_strIndexIni = rig.dir.File("kplindex.ini");
        QPointer<QMdiSubWindow> sub = frame->GetSubWindow();

        // The user closes the window, then the application, while the look-up shows its first lines.
        struct Closer : IDocView {
            std::function<void()> onUpdate;
            void OnUpdate(CTabrelDoc&) override { onUpdate(); }
        } closer;
        bool closedDuringLookUp = false;
        closer.onUpdate = [&] {
            sub->close();
            rig.Main()->close();
            QApplication::processEvents();
            closedDuringLookUp = closedDuringLookUp || sub.isNull() || !rig.Main()->isVisible();
        };
        doc->AddView(&closer);
        const LookUpStatus status = doc->LookUpWord("take", index);
        doc->RemoveView(&closer);
        QCOMPARE(status.outcome, LookUpOutcome::Done);
        QVERIFY(!closedDuringLookUp);
        QCOMPARE(doc->m_ResultList.GetCount(), std::size_t{2});
        QTRY_VERIFY(sub.isNull());                // closed once the look-up returned
        QTRY_VERIFY(!rig.Main()->isVisible());
    }

    void screenshotIsNotBlank()
    {
        AppRig rig;
        rig.Main()->resize(800, 600);
        QApplication::processEvents();
        const QImage shot = rig.Main()->grab().toImage();
        QDir().mkpath(QStringLiteral(TABREL_ARTEFACT_DIR));
        const QString path = QStringLiteral(TABREL_ARTEFACT_DIR "/main-window.png");
        QVERIFY(shot.save(path));
        QSet<QRgb> colours;
        for (int y = 0; y < shot.height(); y += 3)
            for (int x = 0; x < shot.width(); x += 3)
                colours.insert(shot.pixel(x, y));
        QVERIFY2(colours.size() > 8, "the window looks blank");
    }
};

static RegisterUiTest<ShellTest> registerShellTest("ShellTest");

#include "ShellTest.moc"
