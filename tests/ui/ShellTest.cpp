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

#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "AppRig.h"
#include "IndexFixture.h"
#include "UiHelpers.h"
#include "UiTests.h"
#include "document/TabrelDoc.h"
#include "res/Resources.h"
#include "view/DialogBuilder.h"
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

std::vector<std::string> TextLines(const CTabrelDoc& doc)
{
    return {doc.GetTextList().begin(), doc.GetTextList().end()};
}

// Closes every document window and waits until the main window shows its own menu.
void CloseAllWindows(AppRig& rig)
{
    for (CSplitFrame* frame : rig.Main()->GetFrames())
        frame->GetSubWindow()->close();
    QTRY_VERIFY(rig.Main()->ShowsMainMenu());
}

// Ctrl+`key` pressed in the main window, which a modal dialog before may
// have left inactive. `arm` prepares the answer to a dialog the key opens:
// it runs once the window is active, so its timer fires no sooner than the key.
void PressKey(AppRig& rig, Qt::Key key, const std::function<void()>& arm = {})
{
    rig.Main()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(rig.Main()));
    if (arm)
        arm();
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target ? target : rig.Main(), key, Qt::ControlModifier);
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
        doc.AppendTextLine("some text");
        check("text lines, dictionary pane active", {{ID_TEXT_OUTPUT, false}});
        rig.Frame()->SetActiveView(rig.Frame()->GetTextView());
        check("text lines, text pane active", {{ID_TEXT_OUTPUT, true}, {ID_EDIT_COPY, false}});
        doc.AppendResultLine("result\r\n");
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
            QTest::mouseClick(tabrel::DialogControl<QPushButton>(about, res::IDOK), Qt::LeftButton);
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
        doc.AppendResultLine("a\r\n");
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

    void saveNeverWritesOverTheOpenedText()
    {
        AppRig rig;
        ScopedCurrentDir cwd;  // the chooser moves into the text's folder
        const std::string text = "The quick brown fox\r\njumps over\n";
        const std::string book = rig.dir.Write("mybook.txt", text);
        CloseAllWindows(rig);

        // The application's Open, the only one without a document window, loads the text.
        PressKey(rig, Qt::Key_O, [&] { AnswerNextFileDialog(book); });
        QCOMPARE(rig.Main()->GetFrames().size(), std::size_t{1});
        CSplitFrame* frame = rig.Frame();
        CTabrelDoc& doc = frame->GetDocument();
        QCOMPARE(TextLines(doc), (std::vector<std::string>{"The quick brown fox", "jumps over"}));
        QCOMPARE(frame->GetSubWindow()->windowTitle(), QStringLiteral("mybook.txt"));
        QVERIFY(doc.GetPathName().empty());

        // Opened again from the text pane, then a word's results.
        QTest::mouseClick(frame->GetTextView()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        PressKey(rig, Qt::Key_O, [&] { AnswerNextFileDialog(book); });
        QCOMPARE(TextLines(doc).size(), std::size_t{2});
        doc.AppendResultLine("fox\x1b n \x1b\x82\xAB\x82\xC2\x82\xCB\r\n");

        // Ctrl+S asks for a name. Taking the proposal as it stands meets the
        // question whether to write over the text; the answer No keeps it.
        QString proposed, question;
        PressKey(rig, Qt::Key_S, [&] {
            OnNextModal([&](QWidget* w) {
                auto* dialog = qobject_cast<QFileDialog*>(w);
                QVERIFY(dialog);
                QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
                proposed = dialog->selectedFiles().value(0);
                OnNextModal([&](QWidget* box) {
                    question = qobject_cast<QMessageBox*>(box)->text();
                    QTest::keyClick(box, Qt::Key_Escape);  // No
                });
                static_cast<QDialog*>(dialog)->accept();
                QVERIFY(dialog->isVisible());  // still asking for a name
                static_cast<QDialog*>(dialog)->reject();
            });
        });
        QCOMPARE(QFileInfo(proposed).fileName(), QStringLiteral("mybook.txt"));
        QVERIFY2(question.contains(QStringLiteral("mybook.txt")), qPrintable(question));
        QCOMPARE(rig.dir.Read("mybook.txt"), text);
        QVERIFY(doc.GetPathName().empty());

        // A name the user chose becomes the save target; the next Ctrl+S writes there unasked.
        const std::string words = rig.dir.File("words.txt");
        PressKey(rig, Qt::Key_S, [&] { AnswerNextFileDialog(words); });
        QCOMPARE(doc.GetPathName(), words);
        QCOMPARE(frame->GetSubWindow()->windowTitle(), QStringLiteral("words.txt"));
        doc.AppendResultLine("more\r\n");
        bool askedAgain = false;
        PressKey(rig, Qt::Key_S, [&] {
            QTimer::singleShot(0, [&] {
                if (QWidget* modal = QApplication::activeModalWidget()) {
                    askedAgain = true;
                    static_cast<QDialog*>(modal)->reject();
                }
            });
        });
        QApplication::processEvents();
        QVERIFY(!askedAgain);
        QCOMPARE(rig.dir.Read("words.txt"), std::string("fox\x1b n \x1b\x82\xAB\x82\xC2\x82\xCB\r\n\r\nmore\r\n\r\n"));
        QCOMPARE(rig.dir.Read("mybook.txt"), text);
        // The list holds the text read, not the results saved.
        QCOMPARE(rig.app->RecentFiles().Entries(), std::vector<std::string>{book});
    }

    void recentEntryOpensItsTextAndDropsAGoneFile()
    {
        AppRig rig;
        const std::string story = rig.dir.Write("story.txt", "Once upon a time\n");
        const std::string gone = rig.dir.File("gone.txt");
        CloseAllWindows(rig);
        rig.app->RecentFiles().Add(gone);
        rig.app->RecentFiles().Add(story);

        // Alt+F opens the File menu; "1" picks the first entry.
        QTest::keyClick(rig.Main(), Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_1);
        QTRY_COMPARE(rig.Main()->GetFrames().size(), std::size_t{1});
        CSplitFrame* frame = rig.Frame();
        QCOMPARE(TextLines(frame->GetDocument()), std::vector<std::string>{"Once upon a time"});
        QCOMPARE(frame->GetSubWindow()->windowTitle(), QStringLiteral("story.txt"));
        QVERIFY(frame->GetDocument().GetPathName().empty());
        // The text pane paints it: dark characters on the white background.
        const QImage shot = frame->GetTextView()->viewport()->grab().toImage();
        int dark = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                dark += qGray(shot.pixel(x, y)) < 128;
        QVERIFY2(dark > 20, "the text pane shows no text");

        // An entry whose file is gone: a message, no window, and the entry leaves the list.
        QString message;
        OnNextModal([&](QWidget* box) {
            message = qobject_cast<QMessageBox*>(box)->text();
            qobject_cast<QMessageBox*>(box)->accept();
        });
        rig.Main()->Execute(ID_FILE_MRU_FILE1 + 1);
        QVERIFY(message.contains(QStringLiteral("開けませんでした")));
        QCOMPARE(rig.Main()->GetFrames().size(), std::size_t{1});
        QCOMPARE(rig.app->GetDocuments().size(), std::size_t{1});
        QCOMPARE(rig.app->RecentFiles().Entries(), std::vector<std::string>{story});
    }

    void textPaneOpenEntersTheRecentFiles()
    {
        AppRig rig;
        ScopedCurrentDir cwd;
        const std::string a = rig.dir.Write("a.txt", "a\n");
        const std::string b = rig.dir.Write("b.txt", "b\n");
        CSplitFrame* frame = rig.Frame();
        QTest::mouseClick(frame->GetTextView()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        const struct {
            std::string choice;  // empty: cancelled
            std::vector<std::string> entries;
        } steps[] = {
            {a, {a}},
            {"", {a}},                           // cancelled
            {rig.dir.File("missing.txt"), {a}},  // cannot be opened
            {b, {b, a}},
            {a, {a, b}},
        };
        for (const auto& step : steps) {
            PressKey(rig, Qt::Key_O, [&] { AnswerNextFileDialog(step.choice); });
            QCOMPARE(rig.app->RecentFiles().Entries(), step.entries);
        }
        // The window stays the document it was: its title, no save target.
        QCOMPARE(frame->GetSubWindow()->windowTitle(), QStringLiteral("Tabrel1"));
        QVERIFY(frame->GetDocument().GetPathName().empty());
        QCOMPARE(TextLines(frame->GetDocument()), std::vector<std::string>{"a"});
    }

    void qtDialogsSpeakJapanese()
    {
        const QString qm = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_ja.qm");
        if (!QFile::exists(qm))
            QSKIP("Qt's Japanese translation (qt6-translations-l10n) is not installed");
        AppRig rig;
        QStringList buttons;
        AnswerNextFileDialog({}, [&](QFileDialog* dialog) {
            for (QAbstractButton* button : dialog->findChild<QDialogButtonBox*>()->buttons())
                buttons << button->text();
        });
        rig.Main()->Execute(ID_FILE_SAVE_AS);
        QCOMPARE(buttons.size(), 2);
        QVERIFY2(buttons.contains(QStringLiteral("保存(&S)")), qPrintable(buttons.join(QLatin1Char('|'))));
        QVERIFY2(buttons.contains(QStringLiteral("キャンセル")), qPrintable(buttons.join(QLatin1Char('|'))));
        // A document window's system menu too.
        QCOMPARE(rig.Frame()->GetSubWindow()->systemMenu()->actions().first()->text(), QStringLiteral("元に戻す(&R)"));
    }

    void systemMenuHasPromptsAndNoExtras()
    {
        AppRig rig;
        QMdiSubWindow* sub = rig.Frame()->GetSubWindow();
        QMenu* menu = sub->systemMenu();
        QStringList prompts;
        for (QAction* action : menu->actions()) {
            QVERIFY2(!action->isCheckable(), qPrintable(action->text()));  // "Stay on top" was the one
            QVERIFY(!action->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_W)));
            if (!action->isSeparator())
                prompts << action->statusTip();
        }
        QCOMPARE(prompts, Lines({"ｳｨﾝﾄﾞｳを通常のｻｲｽﾞに戻す", "ｳｨﾝﾄﾞｳを移動", "ｳｨﾝﾄﾞｳのｻｲｽﾞを変更", "ｳｨﾝﾄﾞｳのｱｲｺﾝ化",
                                 "ｳｨﾝﾄﾞｳの最大表示", "作業中のｳｨﾝﾄﾞｳを閉じ文書保管を確認"}));

        // The prompt of the item under the pointer shows in the status bar.
        sub->showSystemMenu();
        QTRY_VERIFY(menu->isVisible());
        QAction* move = menu->actions().at(1);
        QTest::mouseMove(menu, menu->actionGeometry(move).center());
        QTRY_COMPARE(rig.Main()->statusBar()->currentMessage(), QStringLiteral("ｳｨﾝﾄﾞｳを移動"));
        QTest::keyClick(menu, Qt::Key_Escape);
        QTRY_VERIFY(!menu->isVisible());
        QCOMPARE(rig.Main()->statusBar()->currentMessage(), QString());

        // Ctrl+W is no key of the document windows; Ctrl+F4 closes one.
        rig.Frame()->GetDicView()->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(rig.Main()->GetFrames().size(), std::size_t{1});
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4, Qt::ControlModifier);
        QTRY_VERIFY(rig.Main()->GetFrames().empty());
    }

    void windowListShowsTitlesLiterally()
    {
        AppRig rig;
        const std::string path = rig.dir.Write("a & b.txt", "x\n");
        QVERIFY(rig.app->OpenDocumentFile(path));
        QMenu* windowMenu = nullptr;
        for (QMenu* m : rig.Main()->CurrentMenus()) {
            if (m->title().startsWith(QStringLiteral("ｳｨﾝﾄﾞｳ")))
                windowMenu = m;
        }
        QVERIFY(windowMenu);
        emit windowMenu->aboutToShow();
        QStringList shown;  // as the menu draws them: "&&" is one "&", a lone "&" marks the access key
        for (QAction* a : windowMenu->actions()) {
            if (!a->isSeparator() && a->isCheckable())
                shown << a->iconText();
        }
        QCOMPARE(shown, Lines({"1 Tabrel1", "2 a & b.txt"}));
    }

    void closingWaitsForARunningLookUp()
    {
        AppRig rig;
        const DictFile dict = WriteDict(rig.dir, "d.txt", {"a\n", "b\n"});
        WriteIndexIni(rig.dir, {dict.path, dict.path});
        const std::string index = rig.dir.Write("$$TMP$$.t", ChainIndexBytes({{"take", {{0, 1, 0, 1}, {2, 2, 1, 1}}}}));
        CSplitFrame* frame = rig.Frame();
        std::shared_ptr<CTabrelDoc> doc = frame->GetDocumentPtr();
        doc->SetIndexIni(rig.dir.File("kplindex.ini"));
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
        QCOMPARE(doc->GetResultList().GetCount(), std::size_t{2});
        QTRY_VERIFY(sub.isNull());                // closed once the look-up returned
        QTRY_VERIFY(!rig.Main()->isVisible());
    }

    // A profile that cannot be written (a link to itself) costs the session
    // nothing: start-up reads the defaults, and exit, which writes the
    // recent files, ends normally.
    void exitWithAnUnwritableProfileEndsNormally()
    {
        AppStart start;
        start.indexDir.clear();
        start.beforeStart = [](const std::string& profilePath) {
            QDir().mkpath(FromPath(profilePath).section(QLatin1Char('/'), 0, -2));
            QVERIFY(QFile::link(QStringLiteral("TABREL.INI"), FromPath(profilePath)));
        };
        AppRig rig(start);
        QCOMPARE(rig.Main()->GetFrames().size(), std::size_t{1});
        rig.app->RecentFiles().Add(rig.dir.Write("read.txt", "x\n"));
        rig.Main()->close();
        QTRY_VERIFY(!rig.Main()->isVisible());
        QVERIFY(QFileInfo(FromPath(rig.profile.ProfilePath())).isSymLink());
    }

    void screenshotShowsTheTextInItsPane()
    {
        AppRig rig;
        CSplitFrame* frame = rig.Frame();
        frame->GetDocument().AppendTextLine("The quick brown fox jumps over the lazy dog.");
        frame->GetDocument().UpdateAllViews();
        rig.Main()->resize(800, 600);
        QApplication::processEvents();
        const QImage shot = rig.Main()->grab().toImage();
        QDir().mkpath(QStringLiteral(TABREL_ARTEFACT_DIR));
        QVERIFY(shot.save(QStringLiteral(TABREL_ARTEFACT_DIR "/main-window.png")));

        // Where the text pane stands in the picture, its first line holds
        // drawn text and the rest of the pane only background.
        const CLinePane* text = frame->GetTextView();
        const QRect pane(text->viewport()->mapTo(rig.Main(), QPoint(0, 0)), text->viewport()->size());
        const int h = text->LineHeight();
        const QRgb background = shot.pixel(pane.right() - 2, pane.bottom() - 2);
        const auto inkIn = [&](const QRect& area) {
            int ink = 0;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    ink += shot.pixel(x, y) != background;
            return ink;
        };
        QVERIFY2(inkIn(QRect(pane.left(), pane.top(), pane.width() / 2, h + 1)) > 20, "the first line is not drawn");
        QCOMPARE(inkIn(QRect(pane.left(), pane.top() + h + 2, pane.width(), pane.height() - h - 2)), 0);
        // The status bar shows the idle prompt.
        const QString idle = LoadQString(res::IDS_IDLE_MESSAGE);
        bool idleShown = false;
        for (const QLabel* label : rig.Main()->statusBar()->findChildren<QLabel*>())
            idleShown = idleShown || (label->isVisible() && label->text() == idle);
        QVERIFY(idleShown);
    }
};

static RegisterUiTest<ShellTest> registerShellTest("ShellTest");

#include "ShellTest.moc"
