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
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <functional>

#include "AppRig.h"
#include "RecordingUi.h"
#include "UiHelpers.h"
#include "UiTests.h"
#include "doc/TabrelDoc.h"
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

    explicit PaneRig(bool highlightKeys = true)
    {
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
        QVERIFY(QTest::qWaitForWindowExposed(text.get()));
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
            (c.dictionaryPane ? rig.doc->m_ResultList : rig.doc->m_TextList).AddTail(c.line);
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
        rig.doc->m_TextList.AddTail("ab\x1b" "cd\x1b" "ef");
        QVERIFY(AllGrey(rig.Shot(rig.text.get())));  // black on white only
        WriteProfileString("Color", "BkColor", "0x00FF00");  // read again at the next paint
        const QImage green = rig.Shot(rig.text.get());
        QCOMPARE(green.pixel(green.width() - 1, green.height() - 1), 0xFF00FF00u);
    }

    void extentsFollowTheList()
    {
        PaneRig rig;
        QCOMPARE(rig.text->GetTotalExtent(), QSize(100, 100));  // until the first update
        for (int i = 0; i < 1000; ++i)
            rig.doc->m_TextList.AddTail("0123456789");
        rig.doc->UpdateAllViews();
        const int h = rig.text->LineHeight();
        QCOMPARE(rig.text->GetTotalExtent(), QSize(rig.text->AveCharWidth() * 10 + 20, std::min(h * 1000, 30767)));

        QScrollBar* bar = rig.text->verticalScrollBar();
        bar->setValue(400 * h);
        rig.doc->UpdateAllViews();
        QCOMPARE(bar->value(), 400 * h);  // kept
        rig.doc->m_TextList.Clear();
        for (int i = 0; i < 50; ++i)
            rig.doc->m_TextList.AddTail("x");
        rig.doc->UpdateAllViews();
        QCOMPARE(bar->value(), bar->maximum());  // clamped to the shorter list
        QVERIFY(bar->maximum() < 400 * h);

        // Line 300 is reached directly and drawn at the top after scrolling there.
        rig.doc->m_TextList.Clear();
        for (int i = 0; i < 1000; ++i)
            rig.doc->m_TextList.AddTail(i == 300 ? "\x1b" "here" : "plain");
        rig.doc->UpdateAllViews();
        bar->setValue(300 * h);
        const auto [first, last] = RedColumns(rig.Shot(rig.text.get()), h);
        QCOMPARE(first, 0);
        QVERIFY(last > 0);
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
        const std::vector<std::string> lines(doc.m_TextList.begin(), doc.m_TextList.end());
        const std::vector<std::string> expected{"one", "two", std::string(2047, 'x'), std::string(2047, 'x'),
                                                std::string(906, 'x'), "ze", "last"};
        QCOMPARE(lines, expected);
        QCOMPARE(rig.Frame()->GetSubWindow()->windowTitle(), QStringLiteral("Tabrel1"));
        QVERIFY(rig.Frame()->GetTextView()->GetTotalExtent().height() > 0);

        choose(std::nullopt);  // cancel
        QCOMPARE(QDir::currentPath(), before);
        choose(rig.dir.File("texts/missing.txt"));  // a typed name that is not there
        QCOMPARE(QDir::currentPath(), before);
        QCOMPARE(doc.m_TextList.GetCount(), expected.size());
    }

    void printsTheVisibleLinesToPdf()
    {
        PaneRig rig;
        for (int i = 0; i < 200; ++i)
            rig.doc->m_TextList.AddTail("line " + std::to_string(i) + (i == 50 ? " \x1bmarked\x1b" : ""));
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
