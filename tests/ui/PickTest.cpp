// Word picking end to end: real double-clicks in the text pane look words
// up in an index built by tabrel-mkindex, at once or through the manual
// word dialog.

#include <QDir>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

#include <functional>

#include "AppRig.h"
#include "Process.h"
#include "RecordingUi.h"
#include "SetUpCheck.h"
#include "UiHelpers.h"
#include "UiTests.h"
#include "document/TabrelDoc.h"
#include "res/Resources.h"
#include "view/DialogBuilder.h"
#include "view/DicDispView.h"
#include "view/PaneHost.h"
#include "view/QtText.h"
#include "view/TabrelView.h"

using namespace tabrel;
using namespace tabrel::test;

namespace {

// Headword lines, one per word the picks may find (code page 932).
const char kDictionary[] =
    "\x1b" "big\x1b : big\n"
    "\x1b" "dog\x1b : dog \x8C\xA2\n"  // 犬
    "\x1b" "see\x1b : see\n"
    "\x1b" "don\x1b : don\n"
    "\x1b" "t\x1b : t\n"
    "\x1b" "apple\x1b : apple\n"
    "\x1b" "3rd\x1b : 3rd\n"
    "\x1b" "take off\x1b : take off\n"
    "\x1b" "take\x1b : take\n"
    "\x1b" "last\x1b : last\n"
    "\x1b" "line\x1b : line\n";

// The text, line by line.
const char* const kText[] = {"big dog", "big, dog", "(see", "don't", "", "Apple 3rd \x8E\xAB\x8F\x91", "last line"};


// An index directory built by the tool over `dictionaries` (one file each), in the profile.
std::string BuildIndex(const TempDir& dir, std::initializer_list<std::string_view> dictionaries = {kDictionary})
{
    const std::string indexDir = dir.File("index") + "/";
    std::vector<std::string> args{TABREL_MKINDEX, "--quiet", indexDir};
    for (std::string_view dictionary : dictionaries)
        args.push_back(dir.Write("dict" + std::to_string(args.size()) + ".txt", dictionary));
    const ProcessResult built = RunProcess(args);
    TABREL_REQUIRE_SETUP(built.exitCode == 0, "tabrel-mkindex failed: " + built.err);
    WriteProfileString("Index", "Dir", indexDir);
    return indexDir;
}

// A text pane over a document holding kText, and the dictionary pane beside it.
struct PickRig {
    ScopedProfile profile;
    TempDir dir;
    RecordingUi ui;
    LoneHost host;
    std::shared_ptr<CTabrelDoc> doc = std::make_shared<CTabrelDoc>(ui);
    std::unique_ptr<CTabrelView> text;

    explicit PickRig(std::initializer_list<std::string_view> dictionaries = {kDictionary})
    {
        BuildIndex(dir, dictionaries);
        for (const char* line : kText)
            doc->AppendTextLine(line);
        text = std::make_unique<CTabrelView>(*doc, host);
        text->resize(400, 300);
        text->OnInitialUpdate();
        text->show();
        TABREL_REQUIRE_SETUP(QTest::qWaitForWindowExposed(text.get()), "the text pane was never shown");
        doc->UpdateAllViews();
    }

    // The point inside byte `i` of line `k` (a line below the text when k is past it).
    QPoint At(int k, std::size_t i) const
    {
        const std::string_view line = k < static_cast<int>(std::size(kText)) ? kText[k] : kText[std::size(kText) - 1];
        const int x = QFontMetrics(text->GetPaneFont()).horizontalAdvance(FromCp932(line.substr(0, i))) + 1;
        return QPoint(x, k * text->LineHeight() + text->LineHeight() / 2) - text->GetScrollPosition();
    }

    void DoubleClick(QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseDClick(text->viewport(), button, {}, at);
    }

    // The headwords of the result lines.
    QStringList Found() const
    {
        QStringList words;
        for (std::string_view line : doc->GetResultList())
            words << FromCp932(line.substr(1, line.find('\x1b', 1) - 1));
        return words;
    }
};


}  // namespace

class PickTest : public QObject {
    Q_OBJECT
private slots:
    void autoPicksTheWordUnderThePointer()
    {
        struct Case {
            const char* name;
            int line;
            std::size_t byte;
            const char* found;  // nullptr: no look-up and no beep
        } cases[] = {
            {"on the space of 'big dog'", 0, 3, "dog"},
            {"on 'big'", 0, 1, "big"},
            {"on the comma of 'big, dog'", 1, 3, nullptr},
            {"on 'see' after a bracket", 2, 2, "see"},
            {"on the bracket before 'see'", 2, 0, "see"},
            {"'don' of don't", 3, 1, "don"},
            {"'t' of don't", 3, 4, "t"},
            {"empty line", 4, 0, nullptr},
            {"'Apple': capital index file, lower-case key", 5, 2, "apple"},
            {"'3rd': the digits' index file", 5, 7, "3rd"},
            {"Japanese word", 5, 11, nullptr},
            {"below the last line", 9, 1, "last"},
        };
        for (const Case& c : cases) {
            PickRig rig;
            rig.DoubleClick(rig.At(c.line, c.byte));
            QCOMPARE(rig.ui.beeps, c.found ? 1 : 0);
            QCOMPARE(rig.Found(), c.found ? QStringList{QString::fromUtf8(c.found)} : QStringList{});
        }

        PickRig rig;
        const QPoint end = rig.At(0, 7) + QPoint(30, 0);  // right of the line's text
        rig.DoubleClick(end);
        QCOMPARE(rig.ui.beeps, 0);
    }

    void picksTheRightLineAfterScrolling()
    {
        PickRig rig;
        rig.doc->ClearTextLines();
        for (int i = 0; i < 300; ++i)
            rig.doc->AppendTextLine(i == 200 ? "dog" : "line");
        rig.doc->UpdateAllViews();
        rig.text->verticalScrollBar()->setValue(200 * rig.text->LineHeight());
        rig.DoubleClick(QPoint(2, rig.text->LineHeight() / 2));
        QCOMPARE(rig.Found(), QStringList{QStringLiteral("dog")});
    }

    void buttonsFollowTheProfile()
    {
        struct Case {
            const char* leftAuto;    // nullptr: key absent
            const char* rightManual;
            Qt::MouseButton button;
            bool asks;
        } cases[] = {
            {nullptr, nullptr, Qt::LeftButton, false}, {nullptr, nullptr, Qt::RightButton, true},
            {"0", nullptr, Qt::LeftButton, true},      {"2", nullptr, Qt::LeftButton, true},
            {nullptr, "0", Qt::RightButton, false},    {"1", "1", Qt::RightButton, true},
        };
        for (const Case& c : cases) {
            PickRig rig;
            if (c.leftAuto)
                WriteProfileString("Option", "LeftAuto", c.leftAuto);
            if (c.rightManual)
                WriteProfileString("Option", "RightManual", c.rightManual);
            WriteProfileString("Option", "LeftManual", "1");  // decides nothing
            WriteProfileString("Option", "RightAuto", "1");
            bool asked = false;
            QString shown;
            if (c.asks) {
                OnNextModal([&](QWidget* dialog) {
                    asked = true;
                    shown = DialogControl<QLineEdit>(dialog, res::IDC_MANUAL_WORD)->text();
                    QTest::keyClick(dialog, Qt::Key_Return);  // the focus is on OK
                });
            }
            rig.DoubleClick(rig.At(0, 5), c.button);
            QCOMPARE(asked, c.asks);
            if (c.asks)
                QCOMPARE(shown, QStringLiteral("dog"));
            QCOMPARE(rig.Found(), QStringList{QStringLiteral("dog")});
            QCOMPARE(rig.ui.beeps, 1);
        }
    }

    void manualDialogRefusesAndCancels()
    {
        PickRig rig;
        WriteProfileString("Option", "LeftAuto", "0");
        bool stillOpen = false, focusInEdit = false;
        QString caption;
        OnNextModal([&](QWidget* dialog) {
            caption = dialog->windowTitle();
            auto* edit = DialogControl<QLineEdit>(dialog, res::IDC_MANUAL_WORD);
            auto* ok = DialogControl<QPushButton>(dialog, res::IDOK);
            for (const char* refused : {" take", "take\xE6\xBC\xA2"}) {  // a leading space; a kanji
                edit->setText(QString::fromUtf8(refused));
                QTest::mouseClick(ok, Qt::LeftButton);
            }
            stillOpen = dialog->isVisible();
            focusInEdit = dialog->focusWidget() == edit;
            QTest::mouseClick(DialogControl<QPushButton>(dialog, res::IDCANCEL), Qt::LeftButton);
        });
        rig.DoubleClick(rig.At(0, 1));
        QCOMPARE(caption, QStringLiteral("マニュアル編集"));
        // The refusals reach the user through the UI services.
        QCOMPARE(rig.ui.messages, (std::vector<std::string>{"不正な文字が入力されました!!英数字で始まってないとダメです。",
                                                          "２バイトコードは使用できません!!"}));
        QVERIFY(stillOpen);
        QVERIFY(focusInEdit);
        QCOMPARE(rig.ui.beeps, 2);  // one per refusal; the cancelled pick gives none
        QVERIFY(rig.doc->GetResultList().IsEmpty());

        // An emptied text ends the pick too, silently.
        OnNextModal([](QWidget* dialog) {
            DialogControl<QLineEdit>(dialog, res::IDC_MANUAL_WORD)->clear();
            QTest::mouseClick(DialogControl<QPushButton>(dialog, res::IDOK), Qt::LeftButton);
        });
        rig.DoubleClick(rig.At(0, 1));
        QCOMPARE(rig.ui.beeps, 2);
    }

    void manualPhraseIsAppended()
    {
        PickRig rig;
        rig.DoubleClick(rig.At(0, 5));  // auto: dog
        OnNextModal([](QWidget* dialog) {
            DialogControl<QLineEdit>(dialog, res::IDC_MANUAL_WORD)->setText(QStringLiteral("take off"));
            QTest::mouseClick(DialogControl<QPushButton>(dialog, res::IDOK), Qt::LeftButton);
        });
        rig.DoubleClick(rig.At(0, 1), Qt::RightButton);
        QCOMPARE(rig.Found(), (QStringList{QStringLiteral("dog"), QStringLiteral("take off")}));
        QCOMPARE(QString::fromUtf8(rig.doc->GetWord()), QStringLiteral("take"));
        QCOMPARE(QString::fromUtf8(rig.doc->GetPhrase()), QStringLiteral("take off"));
        QCOMPARE(rig.ui.beeps, 2);
    }

    void secondDoubleClickDuringALookUpIsIgnored()
    {
        PickRig rig;
        struct Reclicker : IDocView {
            std::function<void()> onUpdate;
            void OnUpdate(CTabrelDoc&) override { onUpdate(); }
        } reclicker;
        int reclicks = 0;
        reclicker.onUpdate = [&] {
            if (rig.text->IsPicking() && reclicks == 0) {
                ++reclicks;
                rig.DoubleClick(rig.At(0, 1));  // arrives while the look-up dispatches events
            }
        };
        rig.doc->AddView(&reclicker);
        rig.DoubleClick(rig.At(0, 5));
        rig.doc->RemoveView(&reclicker);
        QCOMPARE(reclicks, 1);
        QCOMPARE(rig.Found(), QStringList{QStringLiteral("dog")});
        QCOMPARE(rig.ui.beeps, 1);
        QVERIFY(!rig.text->IsPicking());
    }

    void dictionaryPaneFollowsEachLookUp()
    {
        // "take" has 40 senses in the first file; "take off" 2 lines there and
        // 40 in the second, so a phrase look-up adds its lines in two batches.
        std::string first, second;
        for (int i = 0; i < 40; ++i) {
            first += "\x1b" "take\x1b : sense " + std::to_string(i) + "\n";
            second += "\x1b" "take off\x1b : later " + std::to_string(i) + "\n";
        }
        first += "\x1b" "take off\x1b : early 0\n" "\x1b" "take off\x1b : early 1\n";
        for (const bool userScrolls : {false, true}) {
            PickRig rig({first, second});
            rig.doc->ClearTextLines();
            rig.doc->AppendTextLine("take");
            CDicDispView dic(*rig.doc, rig.host);
            dic.resize(400, 200);
            dic.OnInitialUpdate();
            dic.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dic));
            QScrollBar* bar = dic.verticalScrollBar();
            const int h = dic.LineHeight();
            const QPoint onTake(2, rig.text->LineHeight() / 2);

            rig.DoubleClick(onTake);
            const int before = static_cast<int>(rig.doc->GetResultList().GetCount());
            QCOMPARE(before, 82);  // every line under the key "take"
            QCOMPARE(bar->value(), 0);

            // Where the pane stands once the first batch is in; the user may
            // then scroll a line up while the look-up goes on.
            int atFirstBatch = -1;
            CountingView watcher;
            watcher.onUpdate = [&](CTabrelDoc& doc) {
                if (atFirstBatch < 0 && static_cast<int>(doc.GetResultList().GetCount()) > before) {
                    atFirstBatch = bar->value();
                    if (userScrolls)
                        QTest::keyClick(&dic, Qt::Key_Up);
                }
            };
            rig.doc->AddView(&watcher);  // after the pane: it sees where the pane went
            OnNextModal([](QWidget* dialog) {
                DialogControl<QLineEdit>(dialog, res::IDC_MANUAL_WORD)->setText(QStringLiteral("take off"));
                QTest::mouseClick(DialogControl<QPushButton>(dialog, res::IDOK), Qt::LeftButton);
            });
            rig.DoubleClick(onTake, Qt::RightButton);
            rig.doc->RemoveView(&watcher);
            QCOMPARE(static_cast<int>(rig.doc->GetResultList().GetCount()), before + 42);

            // The first batch could not reach the top, but its first line was brought fully into sight.
            QVERIFY(atFirstBatch > 0 && atFirstBatch < before * h);
            QVERIFY(atFirstBatch + dic.viewport()->height() >= (before + 1) * h + 1);
            if (userScrolls)
                QCOMPARE(bar->value(), atFirstBatch - h);  // left where the user put it
            else
                QCOMPARE(bar->value(), before * h);  // the first added line on top

            // Later updates of the document move nothing.
            QTest::keyClick(&dic, Qt::Key_Down);
            const int chosen = bar->value();
            rig.doc->UpdateAllViews();
            QCOMPARE(bar->value(), chosen);

            // A new single-word look-up shows from the top.
            rig.DoubleClick(onTake);
            QCOMPARE(static_cast<int>(rig.doc->GetResultList().GetCount()), before);
            QCOMPARE(bar->value(), 0);
        }
    }

    void dictionaryPaneShowsTheResult()
    {
        ScopedProfile outer;  // BuildIndex writes to a profile: never the user's
        TempDir data;
        AppRig rig(BuildIndex(data));
        CSplitFrame* frame = rig.Frame();
        CTabrelDoc& doc = frame->GetDocument();
        for (const char* line : kText)
            doc.AppendTextLine(line);
        doc.UpdateAllViews();
        rig.Main()->resize(900, 500);
        frame->GetSubWindow()->showMaximized();
        QApplication::processEvents();
        const int h = frame->GetTextView()->LineHeight();
        const int x = QFontMetrics(frame->GetTextView()->GetPaneFont()).horizontalAdvance(QStringLiteral("big d")) + 1;
        QTest::mouseDClick(frame->GetTextView()->viewport(), Qt::LeftButton, {}, QPoint(x, h / 2));
        QCOMPARE(doc.GetResultList().GetCount(), std::size_t{1});
        QVERIFY(frame->GetDicView()->GetTotalExtent().height() >= h);

        // The dictionary pane takes no double-click of its own.
        QTest::mouseDClick(frame->GetDicView()->viewport(), Qt::LeftButton, {}, QPoint(5, h / 2));
        QCOMPARE(doc.GetResultList().GetCount(), std::size_t{1});

        // The picture shows the result: the dictionary pane's first line holds
        // drawn text, the rows below it only background.
        const QImage pane = frame->GetDicView()->viewport()->grab().toImage();
        const QRgb background = pane.pixel(pane.width() - 1, pane.height() - 1);
        const auto inkRows = [&](int top, int bottom) {
            int rows = 0;
            for (int y = top; y < bottom && y < pane.height(); ++y) {
                for (int px = 0; px < pane.width(); ++px) {
                    if (pane.pixel(px, y) != background) {
                        ++rows;
                        break;
                    }
                }
            }
            return rows;
        };
        QVERIFY(inkRows(0, h + 1) > h / 3);
        QCOMPARE(inkRows(h + 1, pane.height()), 0);

        const QImage shot = rig.Main()->grab().toImage();
        QDir().mkpath(QStringLiteral(TABREL_ARTEFACT_DIR));
        QVERIFY(shot.save(QStringLiteral(TABREL_ARTEFACT_DIR "/lookup.png")));
    }
};

static RegisterUiTest<PickTest> registerPickTest("PickTest");

#include "PickTest.moc"
