// Faults from outside: special files where plain files belong, limits of
// the process, a zero byte in a manual text. Each must give a clear outcome
// and never block, abort or lose a file.

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "IndexFixture.h"
#include "RecordingUi.h"
#include "TempDir.h"
#include "document/LookUpTrigger.h"
#include "document/TabrelDoc.h"
#include "index/IndexBuilder.h"
#include "platform/AtomicFile.h"
#include "platform/Profile.h"
#include "res/ErrorText.h"

using namespace tabrel;
using namespace tabrel::test;

namespace {

// Runs `body` in a child process and returns its exit status, or -signal
// when a signal ended it; a fault that blocks or kills stays in the child.
int InChild(const std::function<int()>& body)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(body());
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

// A FIFO without a writer where a profile, a text or a dictionary file
// belongs: each counts as a file that cannot be opened, at once.
TEST(Fault, FifosAreFilesThatCannotBeOpened)
{
    ScopedProfile profile;
    TempDir dir;
    const std::string fifo = dir.File("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ::alarm(20);  // a regression would block: end the test run instead of hanging it

    EXPECT_EQ(CProfileFile(fifo).GetString("Index", "Dir", "def"), "def");
    EXPECT_FALSE(CProfileFile(fifo).WriteString("Index", "Dir", "/x/"));
    struct stat st {};
    ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));  // not replaced by a plain file

    RecordingUi ui;
    CTabrelDoc doc(ui);
    doc.AppendTextLine("kept");
    EXPECT_EQ(doc.LoadTextFile(fifo), TextLoadOutcome::CannotOpen);
    EXPECT_EQ(doc.GetTextList().GetCount(), 1u);

    // The dictionary file of a posting is a FIFO: the look-up stops there, as
    // for a missing file.
    WriteIndexIni(dir, {fifo});
    doc.SetIndexIni(dir.File("kplindex.ini"));
    const std::string index = dir.Write("$$TMP$$.t", ChainIndexBytes({{"take", {{0, 1, 0, 1}}}}));
    const LookUpStatus st2 = doc.LookUpWord("take", index);
    EXPECT_EQ(st2.outcome, LookUpOutcome::Done);
    EXPECT_TRUE(doc.GetResultList().IsEmpty());
    ::alarm(0);
}

// A write past the file-size limit fails and keeps the old file, instead of
// the signal killing the process.
TEST(Fault, FileSizeLimitFailsTheWrite)
{
    TempDir dir;
    const std::string original(5000, 'o');
    const std::string path = dir.Write("results.txt", original);
    const int status = InChild([&] {
        IgnoreFileSizeSignal();
        rlimit small{};
        ::getrlimit(RLIMIT_FSIZE, &small);
        small.rlim_cur = 1024;
        ::setrlimit(RLIMIT_FSIZE, &small);
        return WriteFileAtomically(path, std::string(8000, 'n')) ? 1 : 0;
    });
    EXPECT_EQ(status, 0);  // alive, and the write reported failure
    EXPECT_EQ(dir.Read("results.txt"), original);
    std::vector<std::string> files;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path()))
        files.push_back(e.path().filename().string());
    EXPECT_EQ(files, std::vector<std::string>{"results.txt"});  // no temporary file left
}

// A text larger than the memory the process may use: the load stops with a
// message, the lines read so far stay.
TEST(Fault, TextLargerThanMemoryKeepsWhatFitted)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit allows";
#else
    TempDir dir;
    std::string text;
    for (int i = 0; i < 400000; ++i)
        text += "line " + std::to_string(i) + " of a text too large for the little memory left\n";
    const std::string path = dir.Write("big.txt", text);  // about 25 MB
    const int status = InChild([&] {
        RecordingUi ui;
        CTabrelDoc doc(ui);
        rlimit limit{};
        ::getrlimit(RLIMIT_AS, &limit);
        // Room for the process as it is and a few megabytes of lines.
        std::ifstream maps("/proc/self/statm");
        std::size_t pages = 0;
        maps >> pages;
        limit.rlim_cur = pages * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE)) + (8u << 20);
        if (::setrlimit(RLIMIT_AS, &limit) != 0)
            return 3;
        const TextLoadOutcome outcome = doc.LoadTextFile(path);
        const bool sound = outcome == TextLoadOutcome::Read && doc.GetTextList().GetCount() > 0 &&
                           doc.GetTextList().GetCount() < 400000 && ui.messages.size() == 1 &&
                           ui.messages[0] == res::ErrorText({ErrorCode::TextTooLarge, path});
        return sound ? 0 : 1;
    });
    if (status == 3)
        GTEST_SKIP() << "the address-space limit cannot be set here";
    EXPECT_EQ(status, 0);
#endif
}

// A manual text with a zero byte (pasted U+0000) is cut at it.
TEST(Fault, ManualTextIsCutAtAZeroByte)
{
    ScopedProfile profile;
    TempDir dir;
    RecordingUi ui;
    auto doc = std::make_shared<CTabrelDoc>(ui);
    const DictFile d = WriteDict(dir, "d.txt", {"take line\n", "take off line\n"});
    WriteIndexIni(dir, {d.path});
    dir.Write("$$TMP$$.t", ChainIndexBytes({{"take", {{d.offsets[0], 1, 0, 1}, {d.offsets[1], 2, 0, 3}}}}));
    const std::string indexDir = dir.Path() + "/";
    struct Case {
        std::string text;
        bool lookedUp;
        std::vector<std::string> results;
    } cases[] = {
        {std::string("take off\0and more", 17), true, {"take off line\r\n"}},
        {std::string("take\0 off", 9), true, {"take line\r\n", "take off line\r\n"}},
        {std::string("\0take off", 9), false, {}},
        {std::string("\0", 1), false, {}},
    };
    for (const Case& c : cases) {
        doc->ClearResultLines();
        // After a phrase of three words, which once left the tokenizer pointing into a dead buffer.
        ManualLookUp(*doc, "take it off", indexDir);
        doc->ClearResultLines();
        const PickOutcome out = ManualLookUp(*doc, c.text, indexDir);
        EXPECT_EQ(out.lookedUp, c.lookedUp);
        EXPECT_EQ(std::vector<std::string>(doc->GetResultList().begin(), doc->GetResultList().end()), c.results);
    }
}

// A build stopped at any step of publishing (killed, or a rename failing)
// leaves the old index answering exactly as before until the new
// kplindex.ini is in place, and the new one after; the next build removes
// what the stopped one left.
TEST(Fault, StoppedPublishingNeverMixesIndexes)
{
    TempDir dicts;
    const std::string oldDict = dicts.Write("old.txt", "\x1b" "alpha\x1b one\n");
    const std::vector<std::string> newDicts{dicts.Write("new0.txt", "filler\n\x1b" "alpha\x1b two\n"),
                                            dicts.Write("new1.txt", "\x1b" "beta\x1b\n\x1b" "alpha\x1b three\n")};
    const auto lookUp = [](const std::string& indexDir) {
        ScopedProfile profile;
        RecordingUi ui;
        auto doc = std::make_shared<CTabrelDoc>(ui);
        AutoLookUp(*doc, "alpha", indexDir);
        return std::vector<std::string>(doc->GetResultList().begin(), doc->GetResultList().end());
    };
    const std::vector<std::string> oldResults{"\x1b" "alpha\x1b one\r\n"};
    const std::vector<std::string> newResults{"\x1b" "alpha\x1b two\r\n", "\x1b" "alpha\x1b three\r\n"};

    // The steps of a whole build, in order.
    std::vector<std::string> steps;
    {
        TempDir dir;
        IndexBuildReport report;
        report.publishStep = [&](const std::string& step) {
            steps.push_back(step);
            return true;
        };
        ASSERT_EQ(BuildIndexDirectory(dir.File("index"), newDicts, {}, report).status, IndexBuildStatus::Ok);
        EXPECT_EQ(lookUp(dir.File("index") + "/"), newResults);
    }
    const auto switchStep = std::find(steps.begin(), steps.end(), "kplindex.ini");
    ASSERT_NE(switchStep, steps.end());

    for (std::size_t stop = 0; stop < steps.size(); ++stop) {
        TempDir dir;
        const std::string indexDir = dir.File("index") + "/";
        ASSERT_EQ(BuildIndexDirectory(dir.File("index"), std::vector<std::string>{oldDict}, {}).status,
                  IndexBuildStatus::Ok);
        IndexBuildReport report;
        std::size_t at = 0;
        report.publishStep = [&](const std::string&) { return at++ < stop; };
        BuildIndexDirectory(dir.File("index"), newDicts, {}, report);
        const bool switched = stop > static_cast<std::size_t>(switchStep - steps.begin());
        EXPECT_EQ(lookUp(indexDir), switched ? newResults : oldResults) << "stopped before " << steps[stop];

        // The next build finds its way and tidies up.
        ASSERT_EQ(BuildIndexDirectory(dir.File("index"), newDicts, {}).status, IndexBuildStatus::Ok);
        EXPECT_EQ(lookUp(indexDir), newResults) << steps[stop];
        std::vector<std::string> extra;
        for (const auto& e : std::filesystem::directory_iterator(dir.File("index"))) {
            const std::string name = e.path().filename().string();
            if (name.front() == '.')
                extra.push_back(name);
        }
        EXPECT_EQ(extra.size(), 1u) << "left behind after stopping before " << steps[stop];  // the current generation
    }
}

}  // namespace
