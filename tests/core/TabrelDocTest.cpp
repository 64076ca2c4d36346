#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "ByteString.h"
#include "IndexFixture.h"
#include "RecordingUi.h"
#include "TempDir.h"
#include "document/TabrelDoc.h"
#include "platform/MessagePump.h"
#include "platform/Profile.h"

using namespace tabrel;
using namespace tabrel::test;

namespace {

TEST(TabrelDoc, NewDocumentAndCommandStates)
{
    ScopedProfile profile;
    TempDir dir;
    RecordingUi ui;
    {
        CTabrelDoc doc(ui);
        EXPECT_TRUE(doc.GetTextList().IsEmpty());
        EXPECT_TRUE(doc.GetResultList().IsEmpty());
        EXPECT_EQ(doc.HidesType2(), true);
        EXPECT_EQ(doc.IsBusy(), false);
        EXPECT_EQ(doc.GetIndexIni(), "");  // no kplindex.ini in the (empty) index directory
        EXPECT_FALSE(doc.CanCopy());
        EXPECT_FALSE(doc.CanOutputTextFile(true));
        doc.AppendTextLine("line");
        doc.AppendResultLine("r\r\n");
        EXPECT_TRUE(doc.CanCopy());
        EXPECT_TRUE(doc.CanOutputTextFile(true));
        EXPECT_FALSE(doc.CanOutputTextFile(false));  // never from the dictionary pane
    }
    WriteIndexIni(dir, {"/x"});
    WriteProfileString("Index", "Dir", dir.Path() + "/");
    EXPECT_EQ(CTabrelDoc(ui).GetIndexIni(), dir.Path() + "/kplindex.ini");
}

TEST(TabrelDoc, SaveWritesResultLinesEachFollowedByCrLf)
{
    ScopedProfile profile;
    TempDir dir;
    RecordingUi ui;
    CTabrelDoc doc(ui);
    doc.AppendTextLine("never saved");
    const std::string path = dir.File("out.txt");
    ASSERT_TRUE(doc.SaveResults(path));
    EXPECT_EQ(dir.Read("out.txt"), "");  // no results: empty file

    for (const char* line : {"a\r\n", "b\r\n", "c\r\n"})
        doc.AppendResultLine(line);
    ASSERT_TRUE(doc.SaveResults(path));
    EXPECT_BYTES_EQ("a\r\n\r\nb\r\n\r\nc\r\n\r\n", dir.Read("out.txt"));

    // A save that cannot be done reports it and leaves the old file alone.
    EXPECT_FALSE(doc.SaveResults(dir.File("missing-folder/out.txt")));
    std::filesystem::create_directory(dir.File("a-folder"));
    EXPECT_FALSE(doc.SaveResults(dir.File("a-folder")));
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("a-folder")));
}

TEST(TabrelDoc, UpdateAllViewsCallsEachRegisteredView)
{
    ScopedProfile profile;
    RecordingUi ui;
    CTabrelDoc doc(ui);
    CountingView a, b;
    doc.AddView(&a);
    doc.AddView(&b);
    doc.AddView(&a);  // once only
    a.onUpdate = [&](CTabrelDoc& d) { d.RemoveView(&b); };  // b's window closes during a's repaint
    doc.UpdateAllViews();
    EXPECT_EQ(a.updates, 1);
    EXPECT_EQ(b.updates, 0);
    doc.UpdateAllViews();
    EXPECT_EQ(a.updates, 2);
}

// Text loading: the file chooser answers with a file holding `content`.
struct TextLoadRig {
    ScopedProfile profile;
    TempDir dir;
    ScopedCurrentDir cwd;  // loading moves it into dir, which goes away
    RecordingUi ui;
    CTabrelDoc doc{ui};

    std::vector<std::string> Load(const std::string& content)
    {
        ui.nextChoice = dir.Write("t.txt", content);
        EXPECT_EQ(doc.OpenTextFile(), 1);
        return {doc.GetTextList().begin(), doc.GetTextList().end()};
    }
};

TEST(TextLoad, ChunksLinesAndBytes)
{
    const std::string line5000(5000, 'x');
    const std::string line2047(2047, 'y');
    struct Case {
        const char* name;
        std::string content;
        std::vector<std::string> lines;
    } cases[] = {
        {"CR LF and LF alike, lone CR kept", "one\r\ntwo\nth\rree\n", {"one", "two", "th\rree"}},
        {"last line without newline", "a\nlast", {"a", "last"}},
        {"empty file", "", {}},
        {"empty lines", "\n\r\n\n", {"", "", ""}},
        {"5000-byte line in three chunks", line5000 + "\n", {std::string(2047, 'x'), std::string(2047, 'x'), std::string(906, 'x')}},
        {"exactly 2047 bytes then newline", line2047 + "\nz\n", {line2047, "", "z"}},
        {"2046 bytes then CR LF fit one chunk", std::string(2046, 'w') + "\r\nz", {std::string(2046, 'w'), "z"}},
        {"zero byte ends the stored line", std::string("ab\0cd\n\0ef\ngh", 13), {"ab", "", "gh"}},
        {"double-byte character cut between chunks", std::string(2046, 'k') + "\x82\xA0\n",
         {std::string(2046, 'k') + "\x82", "\xA0"}},
        {"tabs and bytes unchanged", "\tA\x1b\xFF\n", {"\tA\x1b\xFF"}},
    };
    for (const Case& c : cases) {
        TextLoadRig rig;
        EXPECT_EQ(rig.Load(c.content), c.lines) << c.name;
    }
}

TEST(TextLoad, DispatchesOncePerChunkAndKeepsResults)
{
    TextLoadRig rig;
    rig.doc.AppendResultLine("result\r\n");
    rig.Load("old\n");
    int dispatched = 0;
    auto old = SetDispatchHandler([&] { ++dispatched; });
    const auto lines = rig.Load(std::string(5000, 'x') + "\nb\n");
    SetDispatchHandler(std::move(old));
    EXPECT_EQ(dispatched, 4);
    EXPECT_EQ(lines.size(), 4u);  // the old lines are replaced
    EXPECT_EQ(rig.doc.GetResultList().GetCount(), 1u);
    EXPECT_EQ(rig.ui.filters.back(), kOpenTextFilter);
}

TEST(TextLoad, SecondOpenDuringALoadIsRefusedWithABeep)
{
    TextLoadRig rig;
    int nested = -1;
    auto old = SetDispatchHandler([&] {
        if (nested < 0)
            nested = rig.doc.OpenTextFile();  // the user chooses Open again while the text loads
    });
    const auto lines = rig.Load("a\nb\n");
    SetDispatchHandler(std::move(old));
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(rig.ui.beeps, 1);
    EXPECT_EQ(rig.ui.filters.size(), 1u);  // no second file chooser
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b"}));
}

TEST(TextLoad, CancelAndUnopenableFileChangeNothing)
{
    TextLoadRig rig;
    rig.Load("keep\n");
    rig.ui.nextChoice.reset();
    EXPECT_EQ(rig.doc.OpenTextFile(), 1);  // cancelled
    rig.ui.nextChoice = rig.dir.File("no-such-file.txt");
    EXPECT_EQ(rig.doc.OpenTextFile(), 0);
    rig.ui.nextChoice = rig.dir.Path();  // a folder is no text file
    EXPECT_EQ(rig.doc.OpenTextFile(), 0);
    EXPECT_EQ(std::vector<std::string>(rig.doc.GetTextList().begin(), rig.doc.GetTextList().end()),
              std::vector<std::string>{"keep"});
}

TEST(TextLoad, LoaderAsksNothingAndReportsEachOutcome)
{
    TextLoadRig rig;
    const std::string file = rig.dir.Write("a.txt", "one\n");
    EXPECT_EQ(rig.doc.LoadTextFile(file), TextLoadOutcome::Read);
    EXPECT_EQ(rig.doc.GetTextPath(), file);
    EXPECT_TRUE(rig.doc.GetPathName().empty());  // reading a text sets no save target
    const std::uint64_t serial = rig.doc.GetTextSerial();

    // A file that cannot be opened changes nothing and says nothing: the caller decides.
    for (const std::string& bad : {rig.dir.File("none.txt"), rig.dir.Path()})
        EXPECT_EQ(rig.doc.LoadTextFile(bad), TextLoadOutcome::CannotOpen) << bad;
    EXPECT_EQ(rig.doc.GetTextSerial(), serial);
    EXPECT_EQ(rig.doc.GetTextPath(), file);
    EXPECT_EQ(std::vector<std::string>(rig.doc.GetTextList().begin(), rig.doc.GetTextList().end()),
              std::vector<std::string>{"one"});

    // A second load into the document while one runs is refused with a beep.
    const std::string other = rig.dir.Write("b.txt", "x\ny\n");
    std::optional<TextLoadOutcome> nested;
    auto old = SetDispatchHandler([&] {
        if (!nested)
            nested = rig.doc.LoadTextFile(file);
    });
    EXPECT_EQ(rig.doc.LoadTextFile(other), TextLoadOutcome::Read);
    SetDispatchHandler(std::move(old));
    EXPECT_EQ(nested, TextLoadOutcome::Busy);
    EXPECT_EQ(rig.ui.beeps, 1);
    EXPECT_EQ(rig.doc.GetTextPath(), other);
    EXPECT_EQ(rig.doc.GetTextList().GetCount(), 2u);
    EXPECT_TRUE(rig.ui.filters.empty());   // no chooser
    EXPECT_TRUE(rig.ui.messages.empty());
}

TEST(TextLoad, TextDirectoryAndCurrentDirectory)
{
    namespace fs = std::filesystem;
    TextLoadRig rig;
    const fs::path before = fs::current_path();
    const std::string texts = rig.dir.File("texts");
    const std::string other = rig.dir.File("other");
    fs::create_directories(texts);
    fs::create_directories(other);
    const std::string file = rig.dir.Write("other/a.txt", "x\n");

    // With a text directory: the chooser starts there and the current directory comes back.
    WriteProfileString("Option", "TextDir", texts);
    for (std::optional<std::string> choice : {std::optional<std::string>(file), std::optional<std::string>(),
                                              std::optional<std::string>(rig.dir.File("none.txt"))}) {
        rig.ui.nextChoice = choice;
        rig.doc.OpenTextFile();
        EXPECT_EQ(fs::current_path(), before);
    }
    for (const std::string& start : rig.ui.chooserStartDirs)
        EXPECT_EQ(fs::path(start), fs::canonical(texts));

    // Without one: the next chooser starts in the folder of the file chosen last.
    WriteProfileString("Option", "TextDir", "");
    rig.ui.nextChoice = file;
    rig.doc.OpenTextFile();
    rig.doc.OpenTextFile();
    EXPECT_EQ(fs::path(rig.ui.chooserStartDirs.back()), fs::canonical(other));
}

}  // namespace
