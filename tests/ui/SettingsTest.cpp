// The settings dialog, the directory chooser and the first-run prompt,
// driven with real clicks, keys and double-clicks on a temporary tree of
// folders and a temporary profile.

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include <filesystem>
#include <functional>

#include <dirent.h>

#include "AppRig.h"
#include "Process.h"
#include "RecordingUi.h"
#include "UiHelpers.h"
#include "UiTests.h"
#include "dialogs/SelDirDlg.h"
#include "dialogs/SettingDlg.h"
#include "document/TabrelDoc.h"
#include "res/Resources.h"
#include "view/DialogBuilder.h"
#include "view/DicDispView.h"
#include "view/QtText.h"
#include "view/TabrelView.h"

using namespace tabrel;
using namespace tabrel::test;

namespace fs = std::filesystem;

namespace {

const std::string kJapanese = "\xE8\xBE\x9E\xE6\x9B\xB8";  // 辞書
const QString kRefusal = QStringLiteral("インデックスファイルのあるディレクトリが指定されていません!!");

// Folders to navigate: names with a space, Japanese letters and mixed case,
// a link to a folder, a folder nobody may read, and files.
struct DirTree {
    TempDir tmp;
    std::string root = tmp.Path() + "/";

    DirTree()
    {
        tmp.Write("a dir/inner/deep.txt", "");
        tmp.Write(kJapanese + "/index.idx", "");
        tmp.Write("MiXed/x", "");
        tmp.Write("locked/inside/x", "");
        tmp.Write("file one.txt", "");
        fs::create_directory_symlink(kJapanese, tmp.File("link"));
        fs::permissions(tmp.File("locked"), fs::perms::none);
    }

    std::string Dir(const std::string& name) const { return root + name + "/"; }
    QString DirText(const std::string& name) const { return FromPath(Dir(name)); }
    QString RootText() const { return FromPath(root); }

    // Root may read any folder, whatever its permissions say.
    bool LockedIsReadable() const
    {
        DIR* d = ::opendir(tmp.File("locked").c_str());
        if (d)
            ::closedir(d);
        return d != nullptr;
    }
};

// Points HOME somewhere else while it lives.
class ScopedHome {
public:
    explicit ScopedHome(const std::string& home) : m_old(qgetenv("HOME")) { qputenv("HOME", home.c_str()); }
    ~ScopedHome() { qputenv("HOME", m_old); }

private:
    QByteArray m_old;
};

QStringList Entries(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

QStringList Q(const std::vector<std::string>& texts)
{
    QStringList list;
    for (const std::string& t : texts)
        list << FromPath(t);
    return list;
}

// A user's double-click on the entry `text`: press, release, double-click, release.
bool DoubleClickEntry(QListWidget* list, const QString& text)
{
    const QList<QListWidgetItem*> items = list->findItems(text, Qt::MatchExactly);
    if (items.size() != 1)
        return false;
    list->scrollToItem(items.first());
    const QPoint at = list->visualItemRect(items.first()).center();
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
    return true;
}

// Closes a modal dialog that a handler leaves open when a check fails, so a
// failure ends the test instead of waiting on the dialog.
struct CloseOnExit {
    QWidget* dialog;
    ~CloseOnExit()
    {
        if (auto* d = qobject_cast<QDialog*>(dialog); d && d->isVisible())
            d->reject();
    }
};

// Types `text` into the focused `edit`, every character a key press with its text.
void Type(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Press, edit, Qt::Key_unknown, QString(c), {});
        QTest::sendKeyEvent(QTest::Release, edit, Qt::Key_unknown, QString(c), {});
    }
}

// Replaces the edit's text the way a user does: select all, then type.
void Retype(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    Type(edit, text);
}

void ClickBox(QCheckBox* box)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(qMin(6, box->width() / 2), box->height() / 2));
}

void ClickButton(QWidget* dialog, int id)
{
    QTest::mouseClick(DialogControl<QPushButton>(dialog, id), Qt::LeftButton);
}

constexpr ModeBox kBoxes[] = {ModeBox::LeftAuto, ModeBox::LeftManual, ModeBox::RightAuto, ModeBox::RightManual};

// The boxes as digits in the order LeftAuto, LeftManual, RightAuto, RightManual.
QString States(const CSettingDlg& dialog)
{
    QString s;
    for (ModeBox box : kBoxes)
        s += dialog.Box(box)->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
    return s;
}

// Dark pixels inside `control` (inset past its frame) in the picture `shot` of `dialog`.
int InkIn(const QImage& shot, const QWidget* dialog, const QWidget* control)
{
    const QRect area = QRect(control->mapTo(dialog, QPoint(0, 0)), control->size()).adjusted(4, 4, -4, -4);
    int ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            ink += qGray(shot.pixel(x, y)) < 96 ? 1 : 0;
    }
    return ink;
}

// Saves the picture of `dialog` under the artefacts and checks that the
// text of `edit` is drawn: its area holds ink, which goes when it is emptied.
void SaveShotShowingEdit(QDialog* dialog, QLineEdit* edit, const char* file)
{
    edit->setCursorPosition(0);
    QApplication::processEvents();
    const QImage shot = dialog->grab().toImage();
    QDir().mkpath(QStringLiteral(TABREL_ARTEFACT_DIR));
    QVERIFY(shot.save(QStringLiteral(TABREL_ARTEFACT_DIR "/") + QLatin1String(file)));
    const QString text = edit->text();
    edit->clear();
    const int blank = InkIn(dialog->grab().toImage(), dialog, edit);
    edit->setText(text);
    edit->setCursorPosition(0);
    QVERIFY2(InkIn(shot, dialog, edit) > blank + 20, file);
}

// A dictionary index built by the tool in `dir`, not entered in any profile.
std::string BuildIndexDir(const TempDir& dir)
{
    const std::string dictionary = dir.Write("dict.txt", "\x1b" "big\x1b : big\n" "\x1b" "dog\x1b : dog \x8C\xA2\n");
    const std::string indexDir = dir.File("index") + "/";
    const ProcessResult built = RunProcess({TABREL_MKINDEX, "--quiet", indexDir, dictionary});
    if (built.exitCode != 0)
        qWarning("tabrel-mkindex failed: %s", built.err.c_str());
    return indexDir;
}

}  // namespace

class SettingsTest : public QObject {
    Q_OBJECT
private slots:
    void dialogShowsTheProfileAndPairsFollowClicks()
    {
        struct Click {
            ModeBox box;
            const char* after;
        };
        struct Case {
            const char* profile;
            const char* shown;
            std::vector<Click> clicks;
        } cases[] = {
            {"", "1001",
             {{ModeBox::LeftAuto, "0101"}, {ModeBox::LeftAuto, "1001"}, {ModeBox::LeftManual, "0101"},
              {ModeBox::RightManual, "0110"}, {ModeBox::RightAuto, "0101"}}},
            // both left boxes set stay so while the right pair is clicked
            {"[Option]\nLeftAuto=1\nLeftManual=1\n", "1101",
             {{ModeBox::RightAuto, "1110"}, {ModeBox::LeftManual, "1010"}}},
            {"[Option]\nLeftAuto=1\nLeftManual=1\n", "1101", {{ModeBox::LeftAuto, "0101"}}},
            {"[Option]\nLeftAuto=0\nLeftManual=1\nRightAuto=1\nRightManual=0\n", "0110",
             {{ModeBox::RightAuto, "0101"}}},
        };
        for (const Case& c : cases) {
            ScopedProfile profile;
            if (*c.profile)
                profile.WriteProfile(c.profile);
            RecordingUi ui;
            CSettingDlg dialog(ui);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            QCOMPARE(dialog.windowTitle(), QStringLiteral("設定"));
            QCOMPARE(States(dialog), QString::fromLatin1(c.shown));
            for (const Click& click : c.clicks) {
                ClickBox(dialog.Box(click.box));
                QCOMPARE(States(dialog), QString::fromLatin1(click.after));
            }
            QCOMPARE(profile.ReadProfile(), std::string(c.profile));  // nothing stored before OK
            dialog.reject();
        }

        // The directories as the profile holds them, Japanese letters decoded.
        ScopedProfile profile;
        profile.WriteProfile("[Option]\nTextDir=/texts/" + kJapanese + "/\n[Index]\nDir=/dict/a b/\n");
        RecordingUi ui;
        CSettingDlg dialog(ui);
        QCOMPARE(dialog.TextDirEdit()->text(), QStringLiteral("/texts/辞書/"));
        QCOMPARE(dialog.IndexDirEdit()->text(), QStringLiteral("/dict/a b/"));
        const QStringList groups = {dialog.findChildren<QGroupBox*>().value(0)->title(),
                                    dialog.findChildren<QGroupBox*>().value(1)->title()};
        QCOMPARE(groups, (QStringList{QStringLiteral("左ﾎﾞﾀﾝWｸﾘｯｸ"), QStringLiteral("右ﾎﾞﾀﾝWｸﾘｯｸ")}));
    }

    void okStoresOrRefuses()
    {
        ScopedProfile profile;
        RecordingUi ui;
        CSettingDlg dialog(ui);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        ClickBox(dialog.Box(ModeBox::RightAuto));
        Type(dialog.TextDirEdit(), QStringLiteral("/texts/"));

        // An empty index directory: refused, the dialog stays as it was.
        ClickButton(&dialog, res::IDOK);
        QCOMPARE(ui.messages, std::vector<std::string>{kRefusal.toStdString()});
        QVERIFY(dialog.isVisible());
        QCOMPARE(States(dialog), QStringLiteral("1010"));
        QCOMPARE(dialog.TextDirEdit()->text(), QStringLiteral("/texts/"));
        QCOMPARE(profile.ReadProfile(), std::string());

        // Spaces are an index directory; Enter presses the default button.
        Type(dialog.IndexDirEdit(), QStringLiteral("  "));
        QTest::keyClick(dialog.IndexDirEdit(), Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(ui.messages.size(), std::size_t{1});
        QVERIFY(profile.ReadProfile().find("Dir=  \n") != std::string::npos);
        QCOMPARE(GetProfileInt("Option", "RightAuto", 9), 1);
        QCOMPARE(GetProfileInt("Option", "RightManual", 9), 0);
        QCOMPARE(GetProfileString("Option", "TextDir"), std::string("/texts/"));

        // Typed Japanese letters are stored as the file system spells them.
        CSettingDlg again(ui);
        again.show();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        Retype(again.IndexDirEdit(), QStringLiteral("/dict/辞書/"));
        ClickButton(&again, res::IDOK);
        QCOMPARE(GetProfileString("Index", "Dir"), "/dict/" + kJapanese + "/");
        QCOMPARE(GetProfileString("Option", "TextDir"), std::string("/texts/"));  // kept as it stood
    }

    void cancelWritesNothing()
    {
        const std::string prior = "; mine\r\n[Option]\r\nLeftAuto = 1 \r\nTextDir=/t/\r\n[Index]\r\nDir=\r\n";
        const std::vector<std::pair<const char*, std::function<void(CSettingDlg&)>>> ways = {
            {"Cancel button", [](CSettingDlg& d) { ClickButton(&d, res::IDCANCEL); }},
            {"Escape", [](CSettingDlg& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
            {"close box", [](CSettingDlg& d) { d.close(); }},
        };
        for (const auto& [what, cancel] : ways) {
            ScopedProfile profile;
            profile.WriteProfile(prior);
            RecordingUi ui;
            CSettingDlg dialog(ui);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            ClickBox(dialog.Box(ModeBox::LeftAuto));
            ClickBox(dialog.Box(ModeBox::RightAuto));
            Retype(dialog.TextDirEdit(), QStringLiteral("/elsewhere/"));
            ClickButton(&dialog, res::IDOK);  // refused: no index directory
            Type(dialog.IndexDirEdit(), QStringLiteral("/typed/"));
            cancel(dialog);
            QVERIFY2(!dialog.isVisible(), what);
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            QVERIFY2(profile.ReadProfile() == prior, what);
        }
    }

    void chooserNavigatesWithDoubleClicks()
    {
        DirTree tree;
        ScopedHome home(tree.root);
        CSelDirDlg dialog;
        dialog.m_strDir = tree.root;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("ディレクトリ選択"));
        QLineEdit* edit = dialog.Edit();
        QCOMPARE(edit->text(), tree.RootText());
        QCOMPARE(Entries(dialog.DirList()),
                 Q({"[..]", "[MiXed]", "[a dir]", "[link]", "[locked]", "[" + kJapanese + "]"}));
        QCOMPARE(Entries(dialog.FileList()), QStringList{QStringLiteral("file one.txt")});
        QCOMPARE(Entries(dialog.DriveList()).mid(0, 2), (QStringList{QStringLiteral("[-/-]"), QStringLiteral("[-ﾎｰﾑ-]")}));

        struct Step {
            QListWidget* list;
            std::string entry;
            std::string selected;
            std::vector<std::string> dirs;   // empty: not checked
            std::vector<std::string> files;
        };
        const std::vector<Step> steps = {
            {dialog.DirList(), "[a dir]", tree.Dir("a dir"), {"[..]", "[inner]"}, {}},
            {dialog.DirList(), "[inner]", tree.Dir("a dir/inner"), {"[..]"}, {"deep.txt"}},
            {dialog.DirList(), "[..]", tree.Dir("a dir"), {"[..]", "[inner]"}, {}},
            {dialog.DirList(), "[..]", tree.root, {}, {"file one.txt"}},
            {dialog.DirList(), "[MiXed]", tree.Dir("MiXed"), {"[..]"}, {"x"}},  // case kept
            {dialog.DirList(), "[..]", tree.root, {}, {"file one.txt"}},
            {dialog.DirList(), "[link]", tree.Dir("link"), {"[..]"}, {"index.idx"}},
            {dialog.DirList(), "[..]", tree.root, {}, {"file one.txt"}},
            {dialog.DriveList(), "[-/-]", "/", {}, {}},
            {dialog.DriveList(), "[-ﾎｰﾑ-]", tree.root, {}, {"file one.txt"}},
            {dialog.DirList(), "[" + kJapanese + "]", tree.Dir(kJapanese), {"[..]"}, {"index.idx"}},
        };
        for (const Step& step : steps) {
            QVERIFY2(DoubleClickEntry(step.list, FromPath(step.entry)), step.entry.c_str());
            QCOMPARE(edit->text(), FromPath(step.selected));
            if (!step.dirs.empty())
                QCOMPARE(Entries(dialog.DirList()), Q(step.dirs));
            if (!step.files.empty() || step.list == dialog.DirList())
                QCOMPARE(Entries(dialog.FileList()), Q(step.files));
            if (step.selected == "/")
                QVERIFY(!Entries(dialog.DirList()).contains(QStringLiteral("[..]")));
        }
        QCOMPARE(edit->text(), QStringLiteral("%1辞書/").arg(tree.RootText()));
        SaveShotShowingEdit(&dialog, edit, "seldir-dialog.png");
        ClickButton(&dialog, res::IDOK);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.m_strDir, tree.Dir(kJapanese));  // the bytes, unchanged
    }

    void chooserShowsAnUnreadableFolderHonestly()
    {
        DirTree tree;
        CSelDirDlg dialog;
        dialog.m_strDir = tree.root;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(DoubleClickEntry(dialog.DirList(), QStringLiteral("[locked]")));
        QCOMPARE(dialog.Edit()->text(), tree.DirText("locked"));
        if (tree.LockedIsReadable())  // running as root: permissions do not stop a listing
            QCOMPARE(Entries(dialog.DirList()), (QStringList{QStringLiteral("[..]"), QStringLiteral("[inside]")}));
        else  // nothing to show but the way back
            QCOMPARE(Entries(dialog.DirList()), QStringList{QStringLiteral("[..]")});
        QVERIFY(DoubleClickEntry(dialog.DirList(), QStringLiteral("[..]")));
        QCOMPARE(dialog.Edit()->text(), tree.RootText());
        dialog.reject();
    }

    void chooserFallsBackAndReturnsTypedText()
    {
        DirTree tree;
        ScopedCurrentDir keep;
        fs::current_path(tree.Dir("a dir"));
        struct Case {
            std::string start;
            std::string shown;
        } cases[] = {
            {"", tree.Dir("a dir")},                  // nothing given: the current directory
            {tree.Dir("absent"), tree.Dir("a dir")},  // lists nothing: the current directory
            {tree.root + "MiXed", tree.Dir("MiXed")},  // given without "/"
            {"inner", tree.Dir("a dir/inner")},       // relative to the current directory
        };
        for (const Case& c : cases) {
            CSelDirDlg dialog;
            dialog.m_strDir = c.start;
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            QCOMPARE(dialog.Edit()->text(), FromPath(c.shown));
            ClickButton(&dialog, res::IDOK);
            QCOMPARE(dialog.m_strDir, c.shown);
        }

        // Text typed into the edit comes back as typed; the dialog stands in
        // the middle of the screen.
        CSelDirDlg dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QRect screen = dialog.screen()->geometry();
        QVERIFY(qAbs(dialog.frameGeometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(dialog.frameGeometry().center().y() - screen.center().y()) <= 1);
        Retype(dialog.Edit(), QStringLiteral("typed/辞書"));
        QTest::keyClick(dialog.Edit(), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.m_strDir, "typed/" + kJapanese);
    }

    void browseFromTheSettings()
    {
        DirTree tree;
        ScopedCurrentDir keep;
        fs::current_path(tree.Dir("a dir"));
        ScopedProfile profile;
        WriteProfileString("Index", "Dir", tree.Dir("MiXed"));
        RecordingUi ui;
        CSettingDlg dialog(ui);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QLineEdit* index = dialog.IndexDirEdit();
        QLineEdit* text = dialog.TextDirEdit();
        QCOMPARE(index->text(), tree.DirText("MiXed"));

        // A browse starts from the text typed before it; cancelling it keeps that text.
        Retype(index, QStringLiteral("typed before browse"));
        QString startedAt;
        OnNextModal([&](QWidget* w) {
            const CloseOnExit guard{w};
            auto* chooser = qobject_cast<CSelDirDlg*>(w);
            QVERIFY(chooser);
            startedAt = chooser->Edit()->text();
            QVERIFY(DoubleClickEntry(chooser->DirList(), QStringLiteral("[inner]")));
            ClickButton(chooser, res::IDCANCEL);
        });
        ClickButton(&dialog, res::IDC_INDEX_DIR_BROWSE);
        QCOMPARE(startedAt, tree.DirText("a dir"));  // "typed before browse" lists nothing here
        QCOMPARE(index->text(), QStringLiteral("typed before browse"));

        Retype(index, tree.RootText() + QStringLiteral("辞書"));
        OnNextModal([&](QWidget* w) {
            const CloseOnExit guard{w};
            auto* chooser = qobject_cast<CSelDirDlg*>(w);
            QVERIFY(chooser);
            startedAt = chooser->Edit()->text();
            QVERIFY(DoubleClickEntry(chooser->DirList(), QStringLiteral("[..]")));
            QVERIFY(DoubleClickEntry(chooser->DirList(), QStringLiteral("[link]")));
            ClickButton(chooser, res::IDOK);
        });
        ClickButton(&dialog, res::IDC_INDEX_DIR_BROWSE);
        QCOMPARE(startedAt, tree.DirText(kJapanese));
        QCOMPARE(index->text(), tree.DirText("link"));

        // The text directory's button fills only its own edit.
        OnNextModal([&](QWidget* w) {
            const CloseOnExit guard{w};
            auto* chooser = qobject_cast<CSelDirDlg*>(w);
            QVERIFY(chooser);
            QVERIFY(DoubleClickEntry(chooser->DirList(), QStringLiteral("[inner]")));
            ClickButton(chooser, res::IDOK);
        });
        ClickButton(&dialog, res::IDC_TEXT_DIR_BROWSE);
        QCOMPARE(text->text(), tree.DirText("a dir/inner"));
        QCOMPARE(index->text(), tree.DirText("link"));
        QCOMPARE(States(dialog), QStringLiteral("1001"));

        SaveShotShowingEdit(&dialog, index, "settings-dialog.png");
        QCOMPARE(profile.ReadProfile().find("link"), std::string::npos);  // not stored before OK
        ClickButton(&dialog, res::IDOK);
        QCOMPARE(GetProfileString("Index", "Dir"), tree.Dir("link"));
        QCOMPARE(GetProfileString("Option", "TextDir"), tree.Dir("a dir/inner"));
    }

    void settingsCommandInBothPanes()
    {
        AppRig rig;
        CSplitFrame* frame = rig.Frame();
        QAction* action = rig.Main()->GetAction(res::ID_SETTINGS);
        for (CLinePane* pane : {static_cast<CLinePane*>(frame->GetTextView()),
                                static_cast<CLinePane*>(frame->GetDicView())}) {
            frame->SetActiveView(pane);
            rig.Main()->UpdateCommandStates();
            QVERIFY(action->isEnabled());
            QString caption;
            OnNextModal([&](QWidget* w) {
                const CloseOnExit guard{w};
                caption = w->windowTitle();
                QVERIFY(qobject_cast<CSettingDlg*>(w));
                ClickBox(DialogControl<QCheckBox>(w, res::IDC_LEFT_AUTO));  // left: manual from now on
                ClickButton(w, res::IDOK);
            });
            action->trigger();
            QCOMPARE(caption, QStringLiteral("設定"));
            QCOMPARE(GetProfileInt("Option", "LeftAuto", 9), pane == frame->GetTextView() ? 0 : 1);
            QCOMPARE(GetProfileInt("Option", "LeftManual", 9), pane == frame->GetTextView() ? 1 : 0);
        }
        frame->GetSubWindow()->close();
        QTRY_VERIFY(rig.Main()->GetFrames().empty());
        rig.Main()->UpdateCommandStates();
        QVERIFY(!rig.Main()->IsCommandEnabled(res::ID_SETTINGS));
    }

    void firstRunPromptAtEveryStartUntilADirectoryIsStored()
    {
        std::string carried = "[Option]\nLeftAuto=0\nLeftManual=1\n[Index]\nDir=\n";
        struct Seen {
            bool shown = false;
            bool overVisibleMainWindow = false;
            std::size_t documentWindows = 99;
            QString states;
        };
        const auto start = [&](const std::function<void(CSettingDlg*)>& answer) {
            auto seen = std::make_shared<Seen>();
            if (answer) {
                OnNextModal([seen, answer](QWidget* w) {
                    const CloseOnExit guard{w};
                    auto* dialog = qobject_cast<CSettingDlg*>(w);
                    QVERIFY2(dialog, "the settings dialog was expected");
                    seen->shown = true;
                    auto* main = qobject_cast<CMainFrame*>(dialog->parentWidget());
                    seen->overVisibleMainWindow = main && main->isVisible();
                    seen->documentWindows = main ? main->GetFrames().size() : 99;
                    seen->states = States(*dialog);
                    answer(dialog);
                });
            }
            auto rig = std::make_unique<AppRig>(AppStart{"", carried, true, {}});
            carried = rig->profile.ReadProfile();
            return std::make_pair(std::move(rig), seen);
        };

        // Cancelled: start-up goes on with the directory still empty.
        {
            auto [rig, seen] = start([](CSettingDlg* d) { ClickButton(d, res::IDCANCEL); });
            QVERIFY(seen->shown);
            QVERIFY(seen->overVisibleMainWindow);
            QCOMPARE(seen->documentWindows, std::size_t{0});
            QCOMPARE(seen->states, QStringLiteral("0101"));
            QCOMPARE(rig->app->firstRunCalls, 1);
            QCOMPARE(rig->Main()->GetFrames().size(), std::size_t{1});
            QCOMPARE(rig->Frame()->GetSubWindow()->windowTitle(), QStringLiteral("Tabrel1"));
            QCOMPARE(GetProfileString("Index", "Dir", "unset"), std::string());
        }
        // So it comes again; this time a directory is given.
        {
            auto [rig, seen] = start([](CSettingDlg* d) {
                Type(d->IndexDirEdit(), QStringLiteral("/some/where/"));
                ClickButton(d, res::IDOK);
            });
            QVERIFY(seen->shown);
            QCOMPARE(rig->Main()->GetFrames().size(), std::size_t{1});
            QCOMPARE(GetProfileString("Index", "Dir"), std::string("/some/where/"));
        }
        // And then no more.
        {
            auto [rig, seen] = start({});
            QCOMPARE(rig->app->firstRunCalls, 0);
            QCOMPARE(rig->Main()->GetFrames().size(), std::size_t{1});
        }
    }

    void firstRunChoiceFindsWords()
    {
        TempDir data;
        const std::string indexDir = BuildIndexDir(data);
        QString chooserShowed, settingsShowed;
        OnNextModal([&](QWidget* w) {
            const CloseOnExit guard{w};
            auto* settings = qobject_cast<CSettingDlg*>(w);
            QVERIFY2(settings, "the settings dialog was expected");
            OnNextModal([&](QWidget* c) {
                const CloseOnExit chooserGuard{c};
                auto* chooser = qobject_cast<CSelDirDlg*>(c);
                QVERIFY(chooser);
                // From the root down to the index, one double-click per folder.
                QVERIFY(DoubleClickEntry(chooser->DriveList(), QStringLiteral("[-/-]")));
                for (const QString& part : FromPath(indexDir).split(QLatin1Char('/'), Qt::SkipEmptyParts))
                    QVERIFY2(DoubleClickEntry(chooser->DirList(), QLatin1Char('[') + part + QLatin1Char(']')),
                             qPrintable(part));
                chooserShowed = chooser->Edit()->text();
                ClickButton(chooser, res::IDOK);
            });
            ClickButton(settings, res::IDC_INDEX_DIR_BROWSE);
            settingsShowed = settings->IndexDirEdit()->text();
            ClickButton(settings, res::IDOK);
        });
        AppRig rig(AppStart{"", {}, true, {}});
        QCOMPARE(chooserShowed, FromPath(indexDir));
        QCOMPARE(settingsShowed, FromPath(indexDir));
        QCOMPARE(GetProfileString("Index", "Dir"), indexDir);

        CSplitFrame* frame = rig.Frame();
        QVERIFY(frame);
        CTabrelDoc& doc = frame->GetDocument();
        doc.AppendTextLine("big dog");
        doc.UpdateAllViews();
        CTabrelView* text = frame->GetTextView();
        const int x = QFontMetrics(text->GetPaneFont()).horizontalAdvance(QStringLiteral("big d")) + 1;
        QTest::mouseDClick(text->viewport(), Qt::LeftButton, {}, QPoint(x, text->LineHeight() / 2));
        QCOMPARE(doc.GetResultList().GetCount(), std::size_t{1});
        const std::string found(*doc.GetResultList().begin());
        QCOMPARE(found.substr(0, 5), std::string("\x1b" "dog\x1b"));
    }
};

static RegisterUiTest<SettingsTest> registerSettingsTest("SettingsTest");

#include "SettingsTest.moc"
