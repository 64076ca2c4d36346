// The Copy command and the clipboard transfer dialog: what the box shows,
// copying all or part of it onto the real clipboard in both formats,
// refusing an empty selection, Cancel, the note for large results, and Copy
// reaching the dialog from the keys, the tool bar and both panes.

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AppRig.h"
#include "RecordingUi.h"
#include "UiHelpers.h"
#include "UiTests.h"
#include "dialogs/EditCopyDlg.h"
#include "document/EditCopy.h"
#include "document/TabrelDoc.h"
#include "res/Resources.h"
#include "view/DialogBuilder.h"
#include "view/DicDispView.h"
#include "view/QtText.h"
#include "view/TabrelView.h"

using namespace tabrel;
using namespace tabrel::test;
using namespace tabrel::res;

namespace {

// Two result lines: "dog 犬" with "dog" highlighted, and "cat 猫".
const char* const kResults[] = {"\x1b" "dog\x1b \x8C\xA2\r\n", "cat \x94\x4C\r\n"};

QString U(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QByteArray Bytes(const char* bytes)
{
    return QByteArray(bytes);
}

const QMimeData* Clip()
{
    return QGuiApplication::clipboard()->mimeData();
}

// Puts a value on the clipboard that no copy of the dialog would make.
const QMimeData* PresetClipboard()
{
    auto* before = new QMimeData;
    before->setText(QStringLiteral("before"));
    before->setData(CEditCopyDlg::Cp932MimeType(), Bytes("before-bytes"));
    QGuiApplication::clipboard()->setMimeData(before);
    return Clip();
}

std::vector<std::string> ResultLines(const CTabrelDoc& doc)
{
    return {doc.GetResultList().begin(), doc.GetResultList().end()};
}

// A document with results and its dictionary pane; the dialog's messages
// and beeps are recorded.
struct CopyRig {
    ScopedProfile profile;
    RecordingUi ui;
    LoneHost host;
    std::shared_ptr<CTabrelDoc> doc = std::make_shared<CTabrelDoc>(ui);
    std::unique_ptr<CDicDispView> pane;
    bool stillOpen = false;  ///< the dialog was still open once `act` had run

    template <typename Lines>
    explicit CopyRig(const Lines& results)
    {
        for (const auto& line : results)
            doc->AppendResultLine(line);
        pane = std::make_unique<CDicDispView>(*doc, host);
        pane->OnInitialUpdate();
        pane->show();
    }

    /// Runs Copy in the pane; `act` works the dialog. A dialog that `act`
    /// leaves open is noted in stillOpen and cancelled.
    void Copy(std::function<void(CEditCopyDlg*)> act)
    {
        bool shown = false;
        stillOpen = false;
        OnNextModal([&](QWidget* w) {
            shown = true;
            auto* dialog = qobject_cast<CEditCopyDlg*>(w);
            if (!dialog) {
                static_cast<QDialog*>(w)->reject();
                QFAIL("the clipboard transfer dialog was expected");
            }
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            act(dialog);
            stillOpen = dialog->isVisible();
            if (stillOpen)
                dialog->reject();
        });
        bool enabled = false;
        QVERIFY(pane->QueryCommand(ID_EDIT_COPY, enabled) && enabled);
        pane->RunCommand(ID_EDIT_COPY);
        QVERIFY(shown);
    }
};

QPushButton* Button(CEditCopyDlg* dialog, int id)
{
    return DialogControl<QPushButton>(dialog, id);
}

// Puts the caret at the start of the box, clicking into it first.
void CaretToStart(QPlainTextEdit* edit)
{
    QTest::mouseClick(edit->viewport(), Qt::LeftButton, {}, QPoint(2, 2));
    QTest::keyClick(edit, Qt::Key_Home, Qt::ControlModifier);
}

}  // namespace

class CopyTest : public QObject {
    Q_OBJECT
private slots:
    void offscreenClipboardKeepsMimeData()
    {
        // Every check below reads the clipboard back; make sure this
        // platform keeps what is put there, both formats.
        const QMimeData* clip = PresetClipboard();
        QVERIFY(clip);
        QCOMPARE(clip->text(), QStringLiteral("before"));
        QCOMPARE(clip->data(CEditCopyDlg::Cp932MimeType()), Bytes("before-bytes"));
    }

    void dialogShowsTheLinesAsThePanesDo()
    {
        CopyRig rig(kResults);
        QString caption, box, note;
        QStringList buttons;
        bool focusOnCopyAll = false, noteShown = true;
        rig.Copy([&](CEditCopyDlg* dialog) {
            caption = dialog->windowTitle();
            for (int id : {IDOK, IDC_COPY_PART, IDCANCEL})
                buttons << Button(dialog, id)->text();
            box = DialogControl<QPlainTextEdit>(dialog, IDC_COPY_TEXT)->toPlainText();
            note = DialogControl<QLabel>(dialog, IDC_COPY_NOTE)->text();
            focusOnCopyAll = dialog->focusWidget() == Button(dialog, IDOK);
            noteShown = !note.isEmpty();
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        QCOMPARE(caption, U("クリップボードへ転送"));
        QCOMPARE(buttons, (QStringList{U("全部ｺﾋﾟｰ"), U("一部ｺﾋﾟｰ"), U("ｷｬﾝｾﾙ")}));
        QCOMPARE(box, U("dog 犬\ncat 猫\n"));  // no markers, one line each
        QVERIFY(!noteShown);
        QVERIFY(focusOnCopyAll);
        QVERIFY(!rig.stillOpen);
    }

    void copyAllTakesTheBoxInBothFormatsAndCloses()
    {
        struct Case {
            const char* what;
            std::function<void(CEditCopyDlg*)> act;
            QString text;
            QByteArray bytes;
        } cases[] = {
            {"Enter at once", [](CEditCopyDlg* dialog) { QTest::keyClick(dialog->focusWidget(), Qt::Key_Return); },
             U("dog 犬\ncat 猫\n"), Bytes("dog \x8C\xA2\r\ncat \x94\x4C\r\n")},
            {"typed into the box, then the button",
             [](CEditCopyDlg* dialog) {
                 QPlainTextEdit* edit = dialog->Edit();
                 CaretToStart(edit);
                 QTest::keyClick(edit, Qt::Key_Delete);             // "og 犬"
                 QTest::keyClick(edit, Qt::Key_End, Qt::ControlModifier);
                 QTest::keyClicks(edit, QStringLiteral("bird"));
                 QTest::keyClick(edit, Qt::Key_Return);               // a new line in the box, not a copy
                 QInputMethodEvent commit;  // as an input method hands over Japanese
                 commit.setCommitString(U("鳥"));
                 QApplication::sendEvent(edit, &commit);
                 QTest::mouseClick(Button(dialog, IDOK), Qt::LeftButton);
             },
             U("og 犬\ncat 猫\nbird\n鳥"), Bytes("og \x8C\xA2\r\ncat \x94\x4C\r\nbird\r\n\x92\xB9")},
        };
        for (const Case& c : cases) {
            CopyRig rig(kResults);
            PresetClipboard();
            rig.Copy(c.act);
            QVERIFY2(!rig.stillOpen, c.what);
            QVERIFY2(Clip(), c.what);
            QCOMPARE(Clip()->text(), c.text);
            QCOMPARE(Clip()->data(QStringLiteral("text/plain;charset=utf-8")), c.text.toUtf8());
            QCOMPARE(Clip()->data(CEditCopyDlg::Cp932MimeType()), c.bytes);
            QCOMPARE(rig.ui.messages, std::vector<std::string>{"転送完了(^_^)"});
            QCOMPARE(rig.ui.beeps, 0);
            QCOMPARE(ResultLines(*rig.doc), (std::vector<std::string>{kResults[0], kResults[1]}));
        }
    }

    void copyPartTakesTheSelectionOnly()
    {
        CopyRig rig(kResults);
        PresetClipboard();
        QString selected;
        rig.Copy([&](CEditCopyDlg* dialog) {
            QPlainTextEdit* edit = dialog->Edit();
            CaretToStart(edit);
            for (int i = 0; i < 4; ++i)
                QTest::keyClick(edit, Qt::Key_Right);
            for (int i = 0; i < 5; ++i)  // "犬", the line end, "cat"
                QTest::keyClick(edit, Qt::Key_Right, Qt::ShiftModifier);
            selected = edit->textCursor().selectedText();
            QTest::mouseClick(Button(dialog, IDC_COPY_PART), Qt::LeftButton);
        });
        QCOMPARE(selected.size(), 5);
        QVERIFY(!rig.stillOpen);  // copy part closes as copy all does
        QCOMPARE(Clip()->text(), U("犬\ncat"));
        QCOMPARE(Clip()->data(CEditCopyDlg::Cp932MimeType()), Bytes("\x8C\xA2\r\ncat"));
        QCOMPARE(rig.ui.messages, std::vector<std::string>{"転送完了(^_^)"});
        QCOMPARE(rig.ui.beeps, 0);
    }

    void copyPartWithTheCaretAloneIsRefused()
    {
        CopyRig rig(kResults);
        const QMimeData* before = PresetClipboard();
        QString boxAfter;
        bool openAfterRefusal = false;
        rig.Copy([&](CEditCopyDlg* dialog) {
            QPlainTextEdit* edit = dialog->Edit();
            const QRect second = edit->cursorRect(QTextCursor(edit->document()->findBlockByNumber(1)));
            QTest::mouseClick(edit->viewport(), Qt::LeftButton, {}, second.center() + QPoint(6, 0));
            QVERIFY(!edit->textCursor().hasSelection());
            QVERIFY(edit->textCursor().position() > 0);
            QTest::mouseClick(Button(dialog, IDC_COPY_PART), Qt::LeftButton);
            openAfterRefusal = dialog->isVisible();
            boxAfter = edit->toPlainText();
            QTest::mouseClick(Button(dialog, IDCANCEL), Qt::LeftButton);
        });
        QVERIFY(openAfterRefusal);
        QVERIFY(!rig.stillOpen);  // Cancel closed it
        QCOMPARE(boxAfter, U("dog 犬\ncat 猫\n"));
        QCOMPARE(rig.ui.beeps, 1);
        QCOMPARE(rig.ui.messages, std::vector<std::string>{"転送するテキストが選択されていません(-_-ﾒ)ﾅﾒﾀﾗｲｶﾝｾﾞﾖ"});
        QCOMPARE(Clip(), before);
        QCOMPARE(Clip()->text(), QStringLiteral("before"));
    }

    void cancelLeavesTheClipboardAlone()
    {
        struct Case {
            const char* what;
            std::function<void(CEditCopyDlg*)> close;
        } cases[] = {
            {"Esc", [](CEditCopyDlg* dialog) { QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape); }},
            {"ｷｬﾝｾﾙ", [](CEditCopyDlg* dialog) { QTest::mouseClick(Button(dialog, IDCANCEL), Qt::LeftButton); }},
        };
        for (const Case& c : cases) {
            CopyRig rig(kResults);
            const QMimeData* before = PresetClipboard();
            rig.Copy([&](CEditCopyDlg* dialog) {
                QTest::keyClicks(dialog->Edit(), QStringLiteral("typed"));
                dialog->Edit()->selectAll();
                c.close(dialog);
            });
            QVERIFY2(!rig.stillOpen, c.what);
            QVERIFY2(Clip() == before, c.what);
            QCOMPARE(Clip()->text(), QStringLiteral("before"));
            QCOMPARE(Clip()->data(CEditCopyDlg::Cp932MimeType()), Bytes("before-bytes"));
            QVERIFY(rig.ui.messages.empty());
            QCOMPARE(ResultLines(*rig.doc), (std::vector<std::string>{kResults[0], kResults[1]}));
        }
    }

    void largeResultsShowTheNote()
    {
        // 14-byte lines, two of them ESC: 2340 fit below 32767 bytes.
        std::vector<std::string> results;
        for (int i = 0; i < 3000; ++i) {
            char line[32];
            std::snprintf(line, sizeof line, "\x1b%05d\x1b \x8C\xEA\x8E\xAB\r\n", i);
            results.emplace_back(line);
        }
        CopyRig rig(results);
        QString note, last;
        int blocks = 0;
        bool noteVisible = false, noteFits = false, noteInked = false;
        rig.Copy([&](CEditCopyDlg* dialog) {
            QLabel* label = dialog->Note();
            note = label->text();
            noteVisible = label->isVisible() && dialog->rect().contains(label->geometry());
            noteFits = label->heightForWidth(label->width()) <= label->height();  // wrapped, nothing cut off
            blocks = dialog->Edit()->document()->blockCount();
            last = dialog->Edit()->document()->findBlockByNumber(blocks - 2).text();

            const QImage shot = dialog->grab().toImage().convertToFormat(QImage::Format_RGB32);
            QDir().mkpath(QStringLiteral(TABREL_ARTEFACT_DIR));
            QVERIFY(shot.save(QStringLiteral(TABREL_ARTEFACT_DIR "/copy-dialog.png")));
            // The note's area holds dark text on the grey dialog.
            const QRect area = label->geometry();
            int dark = 0;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    dark += qGray(shot.pixel(x, y)) < 96 ? 1 : 0;
            noteInked = dark > 50;
            QTest::mouseClick(Button(dialog, IDCANCEL), Qt::LeftButton);
        });
        QCOMPARE(note, FromUtf8(kMsgCopyTooLarge));
        QVERIFY(noteVisible);
        QVERIFY(noteFits);
        QVERIFY(noteInked);
        QCOMPARE(blocks, 2341);  // 2340 lines and the empty one after the last line end
        QCOMPARE(last, U("02339 語辞"));
        QCOMPARE(rig.doc->GetResultList().GetCount(), std::size_t{3000});
    }

    void copyReachesTheDialogFromKeysToolBarAndBothPanes()
    {
        AppRig rig;
        CSplitFrame* frame = rig.Frame();
        CTabrelDoc& doc = frame->GetDocument();
        const QMimeData* before = PresetClipboard();

        // Presses `keys` in `pane` (or clicks the tool bar's copy button when
        // `keys` is empty); returns the box text of a dialog that opened,
        // cancelling it, or nothing when none opened.
        const auto copyFrom = [&](CLinePane* pane, QKeySequence keys) -> std::optional<QString> {
            frame->SetActiveView(pane);
            rig.Main()->activateWindow();
            if (!QTest::qWaitForWindowActive(rig.Main()))
                return QStringLiteral("<main window not active>");
            rig.Main()->UpdateCommandStates();
            auto box = std::make_shared<std::optional<QString>>();
            QTimer::singleShot(0, [box] {
                if (auto* dialog = qobject_cast<CEditCopyDlg*>(QApplication::activeModalWidget())) {
                    *box = dialog->Edit()->toPlainText();
                    dialog->reject();
                }
            });
            if (keys.isEmpty()) {
                QToolBar* bar = rig.Main()->GetToolBar();
                QTest::mouseClick(bar->widgetForAction(rig.Main()->GetAction(ID_EDIT_COPY)), Qt::LeftButton);
            } else {
                QTest::keySequence(QApplication::focusWidget(), keys);
            }
            QApplication::processEvents();  // the timer has run either way
            return *box;
        };
        const QKeySequence ctrlC(Qt::CTRL | Qt::Key_C), ctrlIns(Qt::CTRL | Qt::Key_Insert);

        // No results: Copy is disabled and nothing opens.
        rig.Main()->UpdateCommandStates();
        QVERIFY(!rig.Main()->GetAction(ID_EDIT_COPY)->isEnabled());
        QVERIFY(!copyFrom(frame->GetTextView(), ctrlC));
        QVERIFY(!copyFrom(frame->GetDicView(), ctrlC));

        doc.AppendResultLine("apple \x83\x8A\x83\x93\x83\x53\r\n");
        doc.UpdateAllViews();
        const std::optional<QString> expected = U("apple リンゴ\n");
        QCOMPARE(copyFrom(frame->GetTextView(), ctrlC), expected);
        QCOMPARE(copyFrom(frame->GetDicView(), ctrlC), expected);
        QCOMPARE(copyFrom(frame->GetTextView(), ctrlIns), expected);
        QCOMPARE(copyFrom(frame->GetDicView(), QKeySequence()), expected);
        QCOMPARE(Clip(), before);  // every one cancelled
    }
};

static RegisterUiTest<CopyTest> registerCopyTest("CopyTest");

#include "CopyTest.moc"
