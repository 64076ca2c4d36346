#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>

#include "ByteString.h"
#include "IndexFixture.h"
#include "RecordingUi.h"
#include "TempDir.h"
#include "document/TabrelDoc.h"
#include "index/IndexFiles.h"
#include "platform/MessagePump.h"
#include "platform/Profile.h"

#include <sys/stat.h>

using namespace tabrel;
using namespace tabrel::test;

namespace {

// A document over a temporary index directory, with a counting view.
struct LookUpRig {
    ScopedProfile profile;  // no stray FileID entries from the user's profile
    TempDir dir;
    RecordingUi ui;
    std::shared_ptr<CTabrelDoc> doc = std::make_shared<CTabrelDoc>(ui);
    CountingView view;

    LookUpRig() { doc->AddView(&view); }

    // Index file "$$TMP$$.t" with the given nodes; FileIDs mapped through kplindex.ini.
    std::string Index(const std::vector<FixtureNode>& nodes, const std::vector<std::string>& dictPaths)
    {
        WriteIndexIni(dir, dictPaths);
        doc->SetIndexIni(dir.File("kplindex.ini"));
        return dir.Write("$$TMP$$.t", ChainIndexBytes(nodes));
    }

    std::vector<std::string> Results() const { return {doc->GetResultList().begin(), doc->GetResultList().end()}; }

    LookUpStatus Phrase(const std::string& path, const char* key, const char* phrase)
    {
        return doc->LookUpPhrase(key, phrase, path);
    }
};

TEST(LookUp, PostingsAcrossFilesShowWhileReading)
{
    LookUpRig rig;
    const DictFile d0 = WriteDict(rig.dir, "d0.txt", {"\x1btake\x1b : a\r\n", "\x1btake\x1b : b\n"});
    const DictFile d1 = WriteDict(rig.dir, "d1.txt", {"x\n", "\x1btake\x1b : c\n"});
    const std::string path = rig.Index({{"other", {{0, 1, 0, 1}}},
                                        {"take", {{d0.offsets[0], 1, 0, 1}, {d0.offsets[1], 2, 0, 1}, {d1.offsets[1], 2, 1, 3}}}},
                                       {d0.path, d1.path});
    rig.doc->AppendResultLine("old\r\n");
    const LookUpStatus st = rig.doc->LookUpWord("take", path);
    EXPECT_EQ(st.outcome, LookUpOutcome::Done);
    EXPECT_EQ(rig.Results(), (std::vector<std::string>{"\x1btake\x1b : a\r\n", "\x1btake\x1b : b\r\n", "\x1btake\x1b : c\r\n"}));
    // Before file 0, before file 1, end of the reading, end of the look-up.
    EXPECT_EQ(rig.view.resultCounts, (std::vector<std::size_t>{0, 2, 3, 3}));
    EXPECT_EQ(rig.doc->GetResultList().GetMaxLength(), 12);  // ESC, "take", ESC, " : a", CR LF
    EXPECT_EQ(rig.doc->IsBusy(), false);
    EXPECT_TRUE(rig.ui.messages.empty());
}

TEST(LookUp, EntryLinesAndPostingsTable)
{
    const std::string longLine(9000, 'L');
    struct Case {
        const char* name;
        std::vector<std::string> dictLines;
        // Postings as (line index or -1 for "past the end", file id, type).
        std::vector<std::array<int, 3>> postings;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"type 2 hidden, others shown", {"a\n", "b\n", "c\n"}, {{0, 0, 1}, {1, 0, 2}, {2, 0, 7}}, {"a\r\n", "c\r\n"}},
        {"CR LF, LF and empty lines", {"abc\r\n", "def\n", "\r\n"}, {{0, 0, 1}, {1, 0, 1}, {2, 0, 1}},
         {"abc\r\n", "def\r\n", "\r\n"}},
        {"last line without newline keeps its last byte", {"a\n", "end"}, {{1, 0, 1}}, {"end\r\n"}},
        {"ESC bytes kept", {"\x1b" "go\x1b : \x1b" "1\x1b\n"}, {{0, 0, 1}}, {"\x1b" "go\x1b : \x1b" "1\x1b\r\n"}},
        {"long line cut at 7998 bytes", {longLine + "\n"}, {{0, 0, 1}}, {std::string(7998, 'L') + "\r\n"}},
        {"offset past the end adds nothing, reading goes on", {"a\n", "b\n"}, {{-1, 0, 1}, {1, 0, 1}}, {"b\r\n"}},
        {"file without a name stops the reading", {"a\n", "b\n"}, {{0, 0, 1}, {1, 5, 1}, {1, 0, 1}}, {"a\r\n"}},
        {"first posting's file missing: nothing", {"a\n"}, {{0, 5, 1}, {0, 0, 1}}, {}},
        {"negative file number stops the reading", {"a\n", "b\n"}, {{0, 0, 1}, {1, -2, 1}, {1, 0, 1}}, {"a\r\n"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LookUpRig rig;
        const DictFile d = WriteDict(rig.dir, "d.txt", c.dictLines);
        std::vector<Posting> postings;
        for (const auto& [line, file, type] : c.postings) {
            const std::int32_t offset = line < 0 ? 1000000 : d.offsets[static_cast<std::size_t>(line)];
            postings.push_back({offset, 0, static_cast<std::int16_t>(file), static_cast<std::uint8_t>(type)});
        }
        const std::string path = rig.Index({{"take", postings}}, {d.path});
        EXPECT_EQ(rig.doc->LookUpWord("take", path).outcome, LookUpOutcome::Done);
        EXPECT_EQ(rig.Results(), c.expected);
        EXPECT_EQ(rig.doc->IsBusy(), false);
    }
}

TEST(LookUp, PhraseNeedsWholeWordsAndAppends)
{
    LookUpRig rig;
    const DictFile d = WriteDict(rig.dir, "d.txt",
                                 {"they take offence\n", "take off, take-off\n", "\x1btake\x1b : to take\n",
                                  "retake off\n", "take off\n"});
    std::vector<Posting> postings;
    for (std::int32_t off : d.offsets)
        postings.push_back({off, 0, 0, 3});
    const std::string path = rig.Index({{"take", postings}}, {d.path});

    ASSERT_EQ(rig.doc->LookUpWord("take", path).outcome, LookUpOutcome::Done);
    ASSERT_EQ(rig.doc->GetResultList().GetCount(), 5u);
    EXPECT_EQ(rig.Phrase(path, "take", "take off").outcome, LookUpOutcome::Done);
    const std::vector<std::string> results = rig.Results();
    ASSERT_EQ(results.size(), 7u);  // the word's five lines stay on top
    EXPECT_EQ(results[5], "take off, take-off\r\n");  // added once
    EXPECT_EQ(results[6], "take off\r\n");            // match ending at the line's end
    EXPECT_EQ(rig.doc->IsBusy(), false);
}

TEST(LookUp, MissingAndWrongIndexFiles)
{
    LookUpRig rig;
    std::string v5 = ChainIndexBytes({{"take", {{0, 1, 0, 1}}}});
    v5[0] = 5;
    const std::string wrong = rig.dir.Write("$$TMP$$.w", v5);
    const std::string missing = rig.dir.File("$$TMP$$.m");

    rig.doc->AppendResultLine("kept\r\n");
    EXPECT_EQ(rig.doc->LookUpWord("take", missing).outcome, LookUpOutcome::NoIndex);
    EXPECT_EQ(rig.doc->GetResultList().GetCount(), 0u);  // emptied silently, and the panes told so
    EXPECT_EQ(rig.view.updates, 1);

    rig.doc->AppendResultLine("kept\r\n");
    EXPECT_EQ(rig.doc->LookUpWord("take", wrong).outcome, LookUpOutcome::WrongVersion);
    EXPECT_EQ(rig.doc->GetResultList().GetCount(), 0u);
    EXPECT_EQ(rig.view.updates, 2);
    EXPECT_TRUE(rig.ui.messages.empty());  // a single word stays silent

    rig.doc->AppendResultLine("kept\r\n");
    EXPECT_EQ(rig.Phrase(missing, "take", "take off").outcome, LookUpOutcome::NoIndex);
    EXPECT_EQ(rig.Phrase(wrong, "take", "take off").outcome, LookUpOutcome::WrongVersion);
    EXPECT_EQ(rig.doc->GetResultList().GetCount(), 1u);  // a phrase never empties the list
    ASSERT_EQ(rig.ui.messages.size(), 1u);
    EXPECT_EQ(rig.ui.messages[0], kMsgIndexVersion);
    EXPECT_EQ(rig.view.updates, 2);  // a phrase changes nothing, so nothing to repaint
    EXPECT_EQ(rig.doc->IsBusy(), false);
}

TEST(LookUp, AbsentKeyAndBusyDocument)
{
    LookUpRig rig;
    const DictFile d = WriteDict(rig.dir, "d.txt", {"a\n"});
    const std::string path = rig.Index({{"take", {{0, 1, 0, 1}}}}, {d.path});
    EXPECT_EQ(rig.doc->LookUpWord("nope", path).outcome, LookUpOutcome::Done);
    EXPECT_EQ(rig.doc->GetResultList().GetCount(), 0u);
    EXPECT_EQ(rig.view.updates, 2);

    // Look-ups asked for while one runs (from inside its message dispatch)
    // are refused and leave its state alone.
    std::vector<LookUpOutcome> inner;
    bool busyInside = false;
    bool setRefused = false;
    const auto old = SetDispatchHandler([&] {
        if (!inner.empty())
            return;
        busyInside = rig.doc->IsBusy();
        inner.push_back(rig.doc->LookUpWord("take", path).outcome);
        inner.push_back(rig.Phrase(path, "take", "take a").outcome);
        setRefused = !rig.doc->SetWordAndPhrase("other", "other words");
    });
    EXPECT_EQ(rig.doc->LookUpWord("take", path).outcome, LookUpOutcome::Done);
    SetDispatchHandler(old);
    EXPECT_TRUE(busyInside);
    EXPECT_EQ(inner, (std::vector<LookUpOutcome>{LookUpOutcome::Busy, LookUpOutcome::Busy}));
    EXPECT_TRUE(setRefused);
    EXPECT_EQ(rig.Results(), std::vector<std::string>{"a\r\n"});
    EXPECT_FALSE(rig.doc->IsBusy());
}

TEST(LookUp, TruncatedIndexAbandonsAndKeepsLines)
{
    LookUpRig rig;
    const DictFile d = WriteDict(rig.dir, "d.txt", {"a\n", "b\n"});
    const std::string full = ChainIndexBytes({{"take", {{d.offsets[0], 1, 0, 1}, {d.offsets[1], 2, 0, 1}}}});
    WriteIndexIni(rig.dir, {d.path});
    rig.doc->SetIndexIni(rig.dir.File("kplindex.ini"));
    // Cut inside the second posting, and inside the node's headword.
    for (std::size_t cut : {full.size() - 10, std::size_t{3}}) {
        const std::string path = rig.dir.Write("$$TMP$$.t", full.substr(0, cut));
        const LookUpStatus st = rig.doc->LookUpWord("take", path);
        EXPECT_EQ(st.outcome, LookUpOutcome::Abandoned);
        EXPECT_EQ(st.error.code, ErrorCode::IndexTruncated);  // a cut file ends inside a record
        EXPECT_EQ(st.error.detail, path);
        EXPECT_EQ(rig.doc->IsBusy(), false);
        EXPECT_FALSE(rig.doc->IsOperationRunning());
        EXPECT_EQ(rig.doc->GetResultList().GetCount(), cut == 3 ? 0u : 1u);
    }
}

TEST(LookUp, DocumentOutlivesItsLastOwnerDuringALookUp)
{
    LookUpRig rig;
    const DictFile d = WriteDict(rig.dir, "d.txt", {"a\n", "b\n"});
    const std::string path = rig.Index({{"take", {{d.offsets[0], 1, 0, 1}, {d.offsets[1], 2, 1, 1}}}}, {d.path, d.path});
    std::weak_ptr<CTabrelDoc> weak = rig.doc;
    bool runningSeen = false;
    // The window closes (drops the document) while the look-up shows partial results.
    rig.view.onUpdate = [&](CTabrelDoc& doc) {
        runningSeen = doc.IsOperationRunning();
        rig.doc.reset();
    };
    CTabrelDoc* raw = rig.doc.get();
    const LookUpStatus st = raw->LookUpWord("take", path);
    EXPECT_EQ(st.outcome, LookUpOutcome::Done);
    EXPECT_TRUE(runningSeen);
    EXPECT_TRUE(weak.expired());  // released once the look-up returned
}

// Names that hold something other than a plain file count as files that
// cannot be opened; a posting outside the format ends the postings.
TEST(LookUp, FilesThatAreNotWhatTheySeem)
{
    LookUpRig rig;
    const DictFile d = WriteDict(rig.dir, "d.txt", {"a\n", "b\n"});
    WriteIndexIni(rig.dir, {d.path});

    // A folder, and a FIFO with no writer (opening it must not block), as the
    // description file and as the index file.
    for (const bool fifo : {false, true}) {
        TempDir other;
        const std::string ini = other.File("kplindex.ini");
        const std::string index = other.File("$$TMP$$.t");
        for (const std::string& p : {ini, index})
            ASSERT_EQ(fifo ? ::mkfifo(p.c_str(), 0600) : ::mkdir(p.c_str(), 0700), 0) << p;
        EXPECT_EQ(GetIndexIniPath(other.Path() + "/"), "") << fifo;
        rig.doc->AppendResultLine("old\r\n");
        EXPECT_EQ(rig.doc->LookUpWord("take", index).outcome, LookUpOutcome::NoIndex) << fifo;
        EXPECT_EQ(rig.doc->GetResultList().GetCount(), 0u);
    }

    // FileID -1 as the first posting, and after a good one; -7 likewise.
    struct Case {
        std::vector<Posting> postings;
        std::vector<std::string> results;
    } cases[] = {
        {{{d.offsets[0], 1, -1, 1}, {d.offsets[1], 2, 0, 1}}, {}},
        {{{d.offsets[0], 1, 0, 1}, {d.offsets[1], 2, -1, 1}}, {"a\r\n"}},
        {{{d.offsets[0], 1, -7, 1}}, {}},
    };
    for (const Case& c : cases) {
        rig.doc->SetIndexIni(rig.dir.File("kplindex.ini"));
        const std::string path = rig.dir.Write("$$TMP$$.t", ChainIndexBytes({{"take", c.postings}}));
        const LookUpStatus st = rig.doc->LookUpWord("take", path);
        EXPECT_EQ(st.outcome, LookUpOutcome::Done) << st.error.detail;
        EXPECT_EQ(rig.Results(), c.results);
    }
    EXPECT_TRUE(rig.ui.messages.empty());
}

// Without a description file the application profile names the files.
TEST(LookUp, FileIdsFromTheProfileWithoutADescriptionFile)
{
    LookUpRig rig;
    const DictFile d = WriteDict(rig.dir, "d.txt", {"a\n", "b\n"});
    WriteProfileString("FileID", "3", d.path);
    const std::string path = rig.dir.Write("$$TMP$$.t", ChainIndexBytes({{"take", {{d.offsets[1], 2, 3, 1}}}}));
    rig.doc->SetIndexIni({});
    EXPECT_EQ(rig.doc->LookUpWord("take", path).outcome, LookUpOutcome::Done);
    EXPECT_EQ(rig.Results(), std::vector<std::string>{"b\r\n"});
}

}  // namespace
