// The clipboard transfer dialog's model: which result lines fit the box, the
// note, the box text, the clipboard bytes and the copy-part check; and the
// document's Copy handing the model to whoever runs the dialog.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ByteString.h"
#include "RecordingUi.h"
#include "TempDir.h"
#include "document/EditCopy.h"
#include "document/TabrelDoc.h"
#include "index/ExStringList.h"
#include "platform/Profile.h"

using namespace tabrel;
using namespace tabrel::test;

namespace {

// A result line of `bytes` bytes in all, its CR LF included.
std::string Line(std::size_t bytes, char fill = 'a')
{
    return std::string(bytes - 2, fill) + "\r\n";
}

std::vector<std::string> Repeat(std::size_t count, const std::string& line)
{
    return std::vector<std::string>(count, line);
}

std::string Concat(const std::vector<std::string>& lines, std::size_t count)
{
    std::string all;
    for (std::size_t i = 0; i < count; ++i)
        all += lines[i];
    return all;
}

TEST(EditCopy, TakesWholeLinesWhileBelow32767Bytes)
{
    // A highlighted double-byte line: "犬" between ESC bytes, then " dog".
    const std::string marked = "\x1b\x8C\xA2\x1b dog\r\n";  // 10 bytes, 2 of them ESC
    struct Case {
        const char* what;
        std::vector<std::string> lines;
        std::size_t taken;
        bool cut;
    } cases[] = {
        {"one short line", {"a\r\n"}, 1, false},
        {"3276 lines of 10 bytes", Repeat(3276, Line(10)), 3276, false},
        {"3277 lines of 10 bytes", Repeat(3277, Line(10)), 3276, true},
        {"5000 lines of 10 bytes", Repeat(5000, Line(10)), 3276, true},
        {"exactly 32766 bytes", {Line(30000), Line(2766)}, 2, false},
        {"32767 bytes: the last line is left out", {Line(30000), Line(2767)}, 1, true},
        {"one line of 32766 bytes", {Line(32766)}, 1, false},
        {"one line of 32767 bytes: an empty box", {Line(32767), "a\r\n"}, 0, true},
        {"a line that does not fit stops the walk", {Line(32760), Line(10), "a\r\n"}, 1, true},
        // The stored bytes count, ESC markers included: without them these
        // would be 2 bytes short of the limit.
        {"ESC bytes count", {Line(32757), marked}, 1, true},
        {"ESC bytes count, one byte less fits", {Line(32756), marked}, 2, false},
        {"double-byte text in 10-byte lines", Repeat(3277, std::string("\x89\x70\x8C\xEA\x8E\xAB\x93\x54\r\n")), 3276,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CExStringList list;
        for (const std::string& line : c.lines)
            list.AddTail(line);
        const CEditCopy copy(list);
        EXPECT_EQ(copy.GetLineCount(), c.taken);
        EXPECT_EQ(copy.IsCut(), c.cut);
        EXPECT_BYTES_EQ(Concat(c.lines, c.taken), copy.GetText());  // unchanged, nothing added between lines
        EXPECT_LT(copy.GetText().size(), kCopyLimit);
        EXPECT_EQ(copy.GetNote(), c.cut ? kMsgCopyTooLarge : std::string_view());
    }
}

TEST(EditCopy, BoxShowsTheLinesWithoutMarkersOneLineEach)
{
    struct Case {
        std::vector<std::string> lines;
        std::string box;  // what the box shows, code page 932 with LF line ends
    } cases[] = {
        {{"a\r\n", "b\r\n"}, "a\nb\n"},
        {{"\x1b" "dog\x1b \x8C\xA2\r\n"}, "dog \x8C\xA2\n"},                 // markers go, 犬 stays
        {{"\x1b\x1b\r\n", "\x1b" "a\x1b" "b\x1b" "c\r\n"}, "\nabc\n"},      // empty stretches, odd marker count
        {{"no line end", "next\r\n"}, "no line endnext\n"},                      // lines run on as stored
        {{"\x83\x5C\r\n"}, "\x83\x5C\n"},                                    // ソ: 0x5C is a trail byte, kept
    };
    for (const Case& c : cases) {
        CExStringList list;
        for (const std::string& line : c.lines)
            list.AddTail(line);
        const CEditCopy copy(list);
        EXPECT_BYTES_EQ(c.box, copy.GetBoxText());
    }
}

TEST(EditCopy, ClipboardBytesHaveCrLfLineEnds)
{
    struct Case {
        std::string box;
        std::string clipboard;
    } cases[] = {
        {"", ""},
        {"a", "a"},
        {"a\nb\n", "a\r\nb\r\n"},
        {"\n\n", "\r\n\r\n"},
        {"a\r\nb\n", "a\r\nb\r\n"},  // an end that already has its CR keeps one
        {"\x8C\xA2\n\xB1\n", "\x8C\xA2\r\n\xB1\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_BYTES_EQ(c.clipboard, ToClipboardBytes(c.box)) << Hex(c.box);

    // The box text of unmarked lines goes back to the stored bytes.
    CExStringList list;
    for (const char* line : {"apple \x83\x8A\x83\x93\x83\x53\r\n", "\r\n", "take off\r\n"})
        list.AddTail(line);
    const CEditCopy copy(list);
    EXPECT_BYTES_EQ(copy.GetText(), ToClipboardBytes(copy.GetBoxText()));
}

TEST(EditCopy, CopyPartNeedsASelection)
{
    struct Case {
        std::size_t start, end;
        bool refused;
    } cases[] = {{0, 0, true}, {7, 7, true}, {0, 1, false}, {3, 10, false}};
    for (const Case& c : cases) {
        const auto refusal = CheckCopyPart(c.start, c.end);
        EXPECT_EQ(refusal.has_value(), c.refused) << c.start << "-" << c.end;
        EXPECT_EQ(refusal.value_or("<accepted>"), c.refused ? kMsgCopyNoSelection : "<accepted>");
    }
    // The texts come from the string table.
    EXPECT_EQ(kMsgCopyDone, "転送完了(^_^)");
    EXPECT_EQ(kMsgCopyNoSelection, "転送するテキストが選択されていません(-_-ﾒ)ﾅﾒﾀﾗｲｶﾝｾﾞﾖ");
    EXPECT_EQ(kMsgCopyTooLarge,
              "32KBを越えました。クリップボード経由ではすべてのデータの転送は不可能です。ファイル経由をご利用ください。");
}

// Stands in for the front end's dialog: keeps what it was given.
struct RecordingRunner : IEditCopyRunner {
    int runs = 0;
    std::string text;
    std::size_t lines = 0;
    bool cut = false;
    IUiServices* ui = nullptr;
    void RunEditCopy(const CEditCopy& copy, IUiServices& services) override
    {
        ++runs;
        text = copy.GetText();
        lines = copy.GetLineCount();
        cut = copy.IsCut();
        ui = &services;
    }
};

TEST(EditCopy, DocumentRunsTheDialogOnItsResultsAndStaysUnchanged)
{
    ScopedProfile profile;
    RecordingUi ui;
    CTabrelDoc doc(ui);
    RecordingRunner runner;
    doc.ShowCopyDialog(runner);
    EXPECT_EQ(runner.runs, 0);  // no results: no dialog

    doc.AppendTextLine("the text");
    for (int i = 0; i < 3300; ++i)
        doc.AppendResultLine(Line(10, static_cast<char>('a' + i % 26)));
    doc.ShowCopyDialog(runner);
    EXPECT_EQ(runner.runs, 1);
    EXPECT_EQ(runner.lines, 3276u);
    EXPECT_TRUE(runner.cut);
    EXPECT_BYTES_EQ(Concat(std::vector<std::string>(doc.GetResultList().begin(), doc.GetResultList().end()), 3276),
                    runner.text);
    EXPECT_EQ(runner.ui, &ui);  // the dialog's messages go through the document's services
    EXPECT_EQ(doc.GetResultList().GetCount(), 3300u);
    EXPECT_EQ(doc.GetTextList().GetCount(), 1u);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ui.beeps, 0);
}

}  // namespace
