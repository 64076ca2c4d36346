// Faults from outside: special files where plain files belong, limits of
// the process, a zero byte in a manual text. Each must give a clear outcome
// and never block, abort or lose a file.

#include <gtest/gtest.h>

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

}  // namespace
