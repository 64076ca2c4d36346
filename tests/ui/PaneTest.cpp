// The two line panes: painting with highlight markers, extents and
// scrolling, fonts and colours, opening a text file, printing.

#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QLineEdit>
#include <QListView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QProcess>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <functional>

#include "AppRig.h"
#include "RecordingUi.h"
#include "SetUpCheck.h"
#include "UiHelpers.h"
#include "UiTests.h"
#include "document/TabrelDoc.h"
#include "platform/MessagePump.h"
#include "res/Resources.h"
#include "view/DicDispView.h"
#include "view/FontMapping.h"
#include "view/PaneHost.h"
#include "view/QtText.h"
#include "view/TabrelView.h"

using namespace tabrel;
using namespace tabrel::test;
using namespace tabrel::res;

namespace {

constexpr QRgb kRed = 0xFFFF0000;


// A document with one pane of each kind, shown off screen.
struct PaneRig {
    ScopedProfile profile;
    RecordingUi ui;
    LoneHost host;
    std::shared_ptr<CTabrelDoc> doc = std::make_shared<CTabrelDoc>(ui);
    std::unique_ptr<CTabrelView> text;
    std::unique_ptr<CDicDispView> dic;

    /// `gdi32`: the profile's "UnSupported"/"32bitGDI", or nullptr for none.
    explicit PaneRig(bool highlightKeys = true, const char* gdi32 = nullptr)
    {
        if (gdi32)
            WriteProfileString("UnSupported", "32bitGDI", gdi32);
        if (highlightKeys) {
            WriteProfileString("Color", "HlTxtColor", "255");       // highlighted background: red
            WriteProfileString("Color", "HlBkColor", "16711680");   // highlighted characters: blue
        }
        text = std::make_unique<CTabrelView>(*doc, host);
        dic = std::make_unique<CDicDispView>(*doc, host);
        for (CLinePane* pane : {static_cast<CLinePane*>(text.get()), static_cast<CLinePane*>(dic.get())}) {
            pane->resize(400, 200);
            pane->OnInitialUpdate();
            pane->show();
        }
        TABREL_REQUIRE_SETUP(QTest::qWaitForWindowExposed(text.get()), "the text pane was never shown");
    }

    QImage Shot(CLinePane* pane)
    {
        doc->UpdateAllViews();
        return pane->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
};

// Columns of line 0 where the highlight background shows.
std::pair<int, int> RedColumns(const QImage& image, int lineHeight)
{
    int first = -1, last = -1;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 1; y < lineHeight; ++y) {
            if (image.pixel(x, y) == kRed) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

// First and last rows where the highlight background shows; -1 when none.
std::pair<int, int> RedRows(const QImage& image)
{
    int first = -1, last = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == kRed) {
                if (first < 0)
                    first = y;
                last = y;
                break;
            }
        }
    }
    return {first, last};
}

// Turns the wheel by `notches` notches over the pane (negative: towards the end).
void Wheel(CLinePane* pane, int notches)
{
    const QPoint at = pane->viewport()->rect().center();
    QWheelEvent event(at, pane->viewport()->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(pane->viewport(), &event);
}

// Drags the vertical slider's handle by `dy` pixels with the mouse.
void DragSlider(QScrollBar* bar, int dy)
{
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    const QPoint from =
        bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar).center();
    QTest::mousePress(bar, Qt::LeftButton, {}, from);
    QTest::mouseMove(bar, from + QPoint(0, dy));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, from + QPoint(0, dy));
}

bool AllGrey(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() != c.green() || c.green() != c.blue())
                return false;
        }
    return true;
}


int Width(const QFont& font, const char* text)
{
    return QFontMetrics(font).horizontalAdvance(QString::fromUtf8(text));
}

}  // namespace

class PaneTest : public QObject {
    Q_OBJECT
private slots:
    void highlightSegmentsAlternate()
    {
        struct Case {
            const char* name;
            bool dictionaryPane;
            std::string line;
            const char* redFrom;   // text drawn before the highlight; nullptr: no highlight at all
            const char* redUpTo;   // text drawn up to its end
        } cases[] = {
            {"one ESC: normal, then highlighted", false, "ab\x1b" "cd", "ab", "abcd"},
            {"ESC last: empty highlighted segment", false, "ab\x1b", nullptr, nullptr},
            {"two ESC in a row: empty highlight, then normal", false, "ab\x1b\x1b" "cd", nullptr, nullptr},
            {"three segments: only the middle one", false, "a\x1b" "bc\x1b" "d", "a", "abc"},
            {"dictionary pane hides CR LF", true, "\x1b" "ab\r\n", "", "ab"},
            {"last ESC right before CR LF draws nothing", true, "ab\x1b\r\n", nullptr, nullptr},
        };
        for (const Case& c : cases) {
            PaneRig rig;
            CLinePane* pane = c.dictionaryPane ? static_cast<CLinePane*>(rig.dic.get()) : rig.text.get();
            if (c.dictionaryPane)
                rig.doc->AppendResultLine(c.line);
            else
                rig.doc->AppendTextLine(c.line);
            const auto [first, last] = RedColumns(rig.Shot(pane), pane->LineHeight());
            if (!c.redFrom) {
                QVERIFY2(first < 0, c.name);
                continue;
            }
            QVERIFY2(std::abs(first - Width(pane->GetPaneFont(), c.redFrom)) <= 1, c.name);
            QVERIFY2(std::abs(last + 1 - Width(pane->GetPaneFont(), c.redUpTo)) <= 1, c.name);
        }
    }

    void withoutHighlightKeysHighlightLooksNormal()
    {
        PaneRig rig(false);
        rig.doc->AppendTextLine("ab\x1b" "cd\x1b" "ef");
        QVERIFY(AllGrey(rig.Shot(rig.text.get())));  // black on white only
        WriteProfileString("Color", "BkColor", "0x00FF00");  // read again at the next paint
        const QImage green = rig.Shot(rig.text.get());
        QCOMPARE(green.pixel(green.width() - 1, green.height() - 1), 0xFF00FF00u);
    }

    void extentsFollowTheList()
    {
        PaneRig rig;
        for (int i = 0; i < 1000; ++i)
            rig.doc->AppendTextLine("0123456789");
        rig.doc->UpdateAllViews();
        const int h = rig.text->LineHeight();
        QCOMPARE(rig.text->GetTotalExtent(), QSize(rig.text->AveCharWidth() * 10 + 20, h * 1000));

        QScrollBar* bar = rig.text->verticalScrollBar();
        bar->setValue(400 * h);
        rig.doc->UpdateAllViews();
        QCOMPARE(bar->value(), 400 * h);  // kept
        rig.doc->ClearTextLines();
        for (int i = 0; i < 50; ++i)
            rig.doc->AppendTextLine("x");
        rig.doc->UpdateAllViews();
        QCOMPARE(bar->value(), bar->maximum());  // clamped to the shorter list, on a whole line
        QCOMPARE(bar->value() % h, 0);
        QVERIFY(bar->maximum() < 400 * h);

        // Line 300 is reached directly and drawn at the top after scrolling there.
        rig.doc->ClearTextLines();
        for (int i = 0; i < 1000; ++i)
            rig.doc->AppendTextLine(i == 300 ? "\x1b" "here" : "plain");
        rig.doc->UpdateAllViews();
        bar->setValue(300 * h);
        const auto [first, last] = RedColumns(rig.Shot(rig.text.get()), h);
        QCOMPARE(first, 0);
        QVERIFY(last > 0);
    }

    void lastOfManyLinesIsPaintedWhole()
    {
        struct Case {
            bool dictionaryPane;
            const char* gdi32;  // nullptr: key absent
        } cases[] = {{false, nullptr}, {false, "0"}, {false, "1"}, {true, nullptr}, {true, "1"}};
        for (const Case& c : cases) {
            const QByteArray name = QByteArray(c.dictionaryPane ? "dictionary pane" : "text pane") +
                                    ", 32bitGDI " + (c.gdi32 ? c.gdi32 : "absent");
            PaneRig rig(true, c.gdi32);
            CLinePane* pane = c.dictionaryPane ? static_cast<CLinePane*>(rig.dic.get()) : rig.text.get();
            const auto append = [&](const std::string& line) {
                if (c.dictionaryPane)
                    rig.doc->AppendResultLine(line + "\r\n");
                else
                    rig.doc->AppendTextLine(line);
            };
            constexpr int kLines = 20000;
            for (int i = 0; i < kLines - 1; ++i)
                append("line " + std::to_string(i));
            append("\x1b" "the end");  // the only highlight
            rig.doc->UpdateAllViews();
            const int h = pane->LineHeight();
            QCOMPARE(pane->GetTotalExtent().height(), kLines * h);

            QTest::keyClick(pane, Qt::Key_End, Qt::ControlModifier);
            QScrollBar* bar = pane->verticalScrollBar();
            QVERIFY2(bar->value() > 30767, name.constData());  // past the old 16-bit cap
            QVERIFY2(bar->value() % h == 0, name.constData());
            const QImage shot = rig.Shot(pane);
            // The last line starts one pixel below its line's top and fits in the viewport.
            const int lastTop = (kLines - 1) * h + 1 - bar->value();
            const auto [first, last] = RedRows(shot);
            QVERIFY2(first == lastTop, name.constData());
            QVERIFY2(last == lastTop + h - 1, name.constData());
            QVERIFY2(last < shot.height(), name.constData());
        }
    }

    void scrollingKeepsWholeLinesAndSkipsNothing()
    {
        PaneRig rig;
        for (int i = 0; i < 20000; ++i)
            rig.doc->AppendTextLine(std::string(300, 'x'));
        rig.doc->UpdateAllViews();
        CTabrelView* pane = rig.text.get();
        const int h = pane->LineHeight();
        const int w = pane->AveCharWidth();
        const int visible = pane->viewport()->height();
        QScrollBar* bar = pane->verticalScrollBar();
        QScrollBar* across = pane->horizontalScrollBar();
        const int wheelStep = std::min(QApplication::wheelScrollLines() * h, bar->pageStep());

        struct Step {
            const char* name;
            std::function<void()> act;
            int moved;  // expected change of the vertical position; 0: any change
        };
        const auto key = [pane](Qt::Key k, Qt::KeyboardModifiers m = {}) {
            return [pane, k, m] { QTest::keyClick(pane, k, m); };
        };
        const Step steps[] = {
            {"Down", key(Qt::Key_Down), h},
            {"Down", key(Qt::Key_Down), h},
            {"Up", key(Qt::Key_Up), -h},
            {"Page Down", key(Qt::Key_PageDown), 0},
            {"Page Up", key(Qt::Key_PageUp), 0},
            {"wheel towards the end", [pane] { Wheel(pane, -1); }, wheelStep},
            {"wheel back", [pane] { Wheel(pane, 1); }, -wheelStep},
            {"a value between lines", [bar, h] { bar->setValue(1234 * h + h / 3); }, 0},
            {"drag", [bar] { DragSlider(bar, 37); }, 0},
            {"Ctrl+End", key(Qt::Key_End, Qt::ControlModifier), 0},
            {"Ctrl+Home", key(Qt::Key_Home, Qt::ControlModifier), 0},
        };
        for (const Step& step : steps) {
            const int before = bar->value();
            step.act();
            QVERIFY2(bar->value() % h == 0, step.name);
            QVERIFY2(step.moved ? bar->value() - before == step.moved : bar->value() != before, step.name);
        }
        QCOMPARE(bar->value(), 0);  // Ctrl+Home: the first line

        // One page: less than what shows, more than half of it.
        QTest::keyClick(pane, Qt::Key_PageDown);
        QVERIFY(bar->value() < visible);
        QVERIFY(bar->value() > visible / 2);
        QTest::keyClick(pane, Qt::Key_PageUp);
        QCOMPARE(bar->value(), 0);

        // Across: a few characters per arrow, End to the longest line's end, Home back.
        QTest::keyClick(pane, Qt::Key_Right);
        QVERIFY(across->value() >= w && across->value() < across->pageStep());
        QTest::keyClick(pane, Qt::Key_Left);
        QCOMPARE(across->value(), 0);
        QTest::keyClick(pane, Qt::Key_End);
        QCOMPARE(across->value(), pane->GetTotalExtent().width() - pane->viewport()->width());
        QTest::keyClick(pane, Qt::Key_Home);
        QCOMPARE(across->value(), 0);

        // The dictionary pane takes the keys too.
        rig.doc->AppendResultLine("a\r\n");
        for (int i = 0; i < 100; ++i)
            rig.doc->AppendResultLine("b\r\n");
        rig.doc->UpdateAllViews();
        QTest::keyClick(rig.dic.get(), Qt::Key_Down);
        QCOMPARE(rig.dic->verticalScrollBar()->value(), rig.dic->LineHeight());
        QTest::keyClick(rig.dic.get(), Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(rig.dic->verticalScrollBar()->value(), rig.dic->verticalScrollBar()->maximum());
    }

    void aNewTextStartsAtItsFirstLineWithItsTrueWidth()
    {
        PaneRig rig;
        ScopedCurrentDir cwd;
        TempDir dir;
        std::string first, second;
        for (int i = 0; i < 500; ++i)
            first += std::string(200, 'a') + "\n";
        // The longest line comes late, after views have measured the lines read so far.
        for (int i = 0; i < 500; ++i)
            second += (i == 400 ? std::string(1500, 'b') + "\x1b" "end" : std::string("short")) + "\n";
        const std::string firstFile = dir.Write("first.txt", first);
        const std::string secondFile = dir.Write("second.txt", second);
        CTabrelView* pane = rig.text.get();
        QScrollBar* bar = pane->verticalScrollBar();
        const int h = pane->LineHeight();

        rig.ui.nextChoice = firstFile;
        pane->RunCommand(ID_FILE_OPEN);
        bar->setValue(300 * h);
        pane->horizontalScrollBar()->setValue(100);
        rig.ui.nextChoice.reset();  // cancelled: nothing new, the position stays
        pane->RunCommand(ID_FILE_OPEN);
        QCOMPARE(bar->value(), 300 * h);
        QCOMPARE(pane->horizontalScrollBar()->value(), 100);

        // The views update while the second text loads.
        int midLoadUpdates = 0;
        const auto previous = SetDispatchHandler([&] {
            if (rig.doc->GetTextList().GetCount() % 100 == 50) {
                rig.doc->UpdateAllViews();
                ++midLoadUpdates;
            }
        });
        rig.ui.nextChoice = secondFile;
        pane->RunCommand(ID_FILE_OPEN);
        SetDispatchHandler(previous);
        QCOMPARE(midLoadUpdates, 5);
        QCOMPARE(rig.doc->GetTextList().GetCount(), std::size_t{500});
        QCOMPARE(bar->value(), 0);
        QCOMPARE(pane->horizontalScrollBar()->value(), 0);
        QCOMPARE(pane->GetTotalExtent().width(), pane->AveCharWidth() * 1504 + 20);

        // The long line's end can be scrolled to and shows at the right.
        const int lineWidth = Width(pane->GetPaneFont(), (std::string(1500, 'b') + "end").c_str());
        QVERIFY(pane->horizontalScrollBar()->maximum() >= lineWidth - pane->viewport()->width());
        pane->horizontalScrollBar()->setValue(lineWidth - pane->viewport()->width());
        bar->setValue(400 * h);
        const auto [from, to] = RedColumns(rig.Shot(pane), h);
        QVERIFY(from > 0);
        QVERIFY(std::abs(to + 1 - pane->viewport()->width()) <= 1);
    }

    void aNewWindowScrollsAtOnce()
    {
        AppRig rig;
        CTabrelDoc& doc = rig.Frame()->GetDocument();
        for (int i = 0; i < 500; ++i)
            doc.AppendTextLine(i == 7 ? std::string(300, 'w') : "line");
        doc.UpdateAllViews();
        rig.Main()->Execute(ID_WINDOW_NEW);
        QCOMPARE(rig.Main()->GetFrames().size(), std::size_t{2});
        CTabrelView* pane = rig.Main()->GetFrames().back()->GetTextView();
        // No document update since: the window measured the lines itself.
        QCOMPARE(pane->GetTotalExtent(), QSize(pane->AveCharWidth() * 300 + 20, 500 * pane->LineHeight()));
        QApplication::processEvents();
        QVERIFY(pane->verticalScrollBar()->maximum() > 0);
        QTest::keyClick(pane, Qt::Key_End, Qt::ControlModifier);
        QVERIFY(pane->verticalScrollBar()->value() > 0);
    }

    void fontCommandWritesDispAndThisPaneOnly()
    {
        AppRig rig;
        CSplitFrame* frame = rig.Frame();
        OnNextModal([](QWidget* dialog) {
            QFont big = dialog->findChild<QFontDialog*>(QStringLiteral("fontChooser"))->currentFont();
            big.setPointSize(20);
            dialog->findChild<QFontDialog*>(QStringLiteral("fontChooser"))->setCurrentFont(big);
            QTest::mouseClick(dialog->findChild<QToolButton*>(QStringLiteral("swatch9")), Qt::LeftButton);  // red
            qobject_cast<QDialog*>(dialog)->accept();
        });
        rig.Main()->Execute(ID_FONT);
        QVERIFY(!GetProfileString("Font", "DispFont").empty());
        QVERIFY(!GetProfileString("Font", "DispFontFace").empty());
        QCOMPARE(GetProfileString("Font", "DisplayFont", "absent"), std::string("absent"));
        QCOMPARE(GetProfileString("Color", "TxtColor"), std::string("255"));
        const int chosen = frame->GetDicView()->GetPaneFont().pixelSize();
        QVERIFY(chosen > 13);
        QCOMPARE(frame->GetTextView()->GetPaneFont().pixelSize(), 13);  // the other pane keeps its font

        rig.Main()->Execute(ID_WINDOW_NEW);  // new windows start from "Display"
        QCOMPARE(rig.Main()->GetFrames().back()->GetDicView()->GetPaneFont().pixelSize(), 13);

        // Cancel changes nothing.
        OnNextModal([](QWidget* dialog) { qobject_cast<QDialog*>(dialog)->reject(); });
        rig.Main()->GetMdiArea()->setActiveSubWindow(frame->GetSubWindow());
        rig.Main()->Execute(ID_FONT);
        QCOMPARE(frame->GetDicView()->GetPaneFont().pixelSize(), chosen);
    }

    void colourCommandsStartAtBlackAndWrite()
    {
        AppRig rig;
        QColor initial;
        OnNextModal([&](QWidget* dialog) {
            auto* colors = qobject_cast<QColorDialog*>(dialog);
            initial = colors->currentColor();
            colors->setCurrentColor(QColor(0, 255, 0));
            colors->accept();
        });
        rig.Main()->Execute(ID_BK_COLOR);
        QCOMPARE(initial, QColor(Qt::black));
        QCOMPARE(GetProfileString("Color", "BkColor"), std::string("65280"));
        OnNextModal([](QWidget* dialog) { qobject_cast<QDialog*>(dialog)->reject(); });
        rig.Main()->Execute(ID_TEXT_COLOR);
        QCOMPARE(GetProfileString("Color", "TxtColor", "absent"), std::string("absent"));
    }

    void openLoadsIntoTheTextPane()
    {
        AppRig rig;
        ScopedCurrentDir cwd;
        const std::string texts = rig.dir.File("texts");
        QDir().mkpath(FromPath(texts));
        const std::string file = rig.dir.Write("other/story.txt", std::string("one\r\ntwo\n") + std::string(5000, 'x') +
                                                                      std::string("\nze\0ro\nlast", 12));
        WriteProfileString("Option", "TextDir", texts);
        const QString before = QDir::currentPath();

        QString dirDuringDialog;
        QStringList filters;
        QStringList listed;     // what the dialog offers at its start
        QStringList listedAll;  // and with "all files" chosen
        const auto choose = [&](std::optional<std::string> path) {
            OnNextModal([&, path](QWidget* w) {
                auto* dialog = qobject_cast<QFileDialog*>(w);
                dirDuringDialog = QDir::currentPath();
                auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
                filters.clear();
                for (int i = 0; i < types->count(); ++i)
                    filters << types->itemText(i);
                // The folder is listed in the background; the dialog is closed whatever it shows.
                auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
                const auto list = [&](qsizetype atLeast) {
                    for (int tries = 0; tries < 100 && view->model()->rowCount(view->rootIndex()) < atLeast; ++tries)
                        QTest::qWait(20);
                    QStringList names;
                    for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
                        names << view->model()->index(row, 0, view->rootIndex()).data().toString();
                    names.sort();
                    return names;
                };
                listed = list(1);
                types->setCurrentIndex(3);
                types->activated(3);
                listedAll = list(2);
                if (path) {
                    // Typed as a whole path, as a user may.
                    dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(FromPath(*path));
                    static_cast<QDialog*>(dialog)->accept();
                } else {
                    static_cast<QDialog*>(dialog)->reject();
                }
            });
            rig.Main()->Execute(ID_FILE_OPEN);
        };
        rig.dir.Write("texts/lower.txt", "x");
        rig.dir.Write("texts/README", "x");
        choose(file);
        QCOMPARE(dirDuringDialog, QDir(FromPath(texts)).canonicalPath());
        QCOMPARE(QDir::currentPath(), before);
        // The descriptions as stored, nothing added.
        QCOMPARE(filters, (QStringList{QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ(*.TXT)"), QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ(*.DOC)"),
                                       QStringLiteral("HTML文書(*.HTM)"), QStringLiteral("すべてのﾌｧｲﾙ(*.*)")}));
        QCOMPARE(listed, QStringList{QStringLiteral("lower.txt")});  // "*.TXT" regardless of case
        // "*.*" lists every file, also one without a dot.
        QCOMPARE(listedAll, (QStringList{QStringLiteral("README"), QStringLiteral("lower.txt")}));
        CTabrelDoc& doc = rig.Frame()->GetDocument();
        const std::vector<std::string> lines(doc.GetTextList().begin(), doc.GetTextList().end());
        const std::vector<std::string> expected{"one", "two", std::string(2047, 'x'), std::string(2047, 'x'),
                                                std::string(906, 'x'), "ze", "last"};
        QCOMPARE(lines, expected);
        QCOMPARE(rig.Frame()->GetSubWindow()->windowTitle(), QStringLiteral("Tabrel1"));
        QVERIFY(rig.Frame()->GetTextView()->GetTotalExtent().height() > 0);

        choose(std::nullopt);  // cancel
        QCOMPARE(QDir::currentPath(), before);
        choose(rig.dir.File("texts/missing.txt"));  // a typed name that is not there
        QCOMPARE(QDir::currentPath(), before);
        QCOMPARE(doc.GetTextList().GetCount(), expected.size());
    }

    void printsTheVisibleLinesToPdf()
    {
        PaneRig rig;
        for (int i = 0; i < 200; ++i)
            rig.doc->AppendTextLine("line " + std::to_string(i) + (i == 50 ? " \x1bmarked\x1b" : ""));
        rig.doc->UpdateAllViews();
        rig.text->verticalScrollBar()->setValue(50 * rig.text->LineHeight());
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        TempDir out;
        printer.setOutputFileName(FromPath(out.File("page.pdf")));
        rig.text->PrintPage(printer);

        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"), {FromPath(out.File("page.pdf")), QStringLiteral("-")});
        QVERIFY(pdftotext.waitForFinished(30000));
        const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
        QVERIFY2(text.contains(QStringLiteral("line 50 marked")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("line 55")));
        QVERIFY(!text.contains(QStringLiteral("line 49\n")));
    }
};

static RegisterUiTest<PaneTest> registerPaneTest("PaneTest");

#include "PaneTest.moc"
