// The index builder and the command-line look-up, run as a user runs them.

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "ByteString.h"
#include "Process.h"
#include "TempDir.h"
#include "platform/Profile.h"

using namespace tabrel;
using namespace tabrel::test;

namespace {

// Code page 932 dictionary: "りんご", "離陸する", "取る".
const char kDictionary[] =
    "\x1b" "apple\x1b : \x82\xE8\x82\xF1\x82\xB2\r\n"
    "\x1b" "take off\x1b : \x97\xA3\x97\xA4\x82\xB7\x82\xE9\r\n"
    "\x1b" "take\x1b : \x8E\xE6\x82\xE9 (take a seat)\r\n"
    "\x1b" "-ing\x1b : suffix\r\n";

struct ToolRig {
    ScopedProfile profile;
    TempDir dir;
    std::string indexDir = dir.File("index");

    ToolRig()
    {
        const ProcessResult built = RunProcess({TABREL_MKINDEX, indexDir, dir.Write("dict.txt", kDictionary)});
        // A fixture that cannot be built stops the test (GoogleTest reports the exception).
        if (built.exitCode != 0)
            throw std::runtime_error("tabrel-mkindex failed: " + built.err);
    }

    ProcessResult LookUp(std::vector<std::string> args, bool withDir = true)
    {
        std::vector<std::string> argv{TABREL_LOOKUP};
        if (withDir)
            argv.insert(argv.end(), {"--index-dir", indexDir});
        argv.insert(argv.end(), args.begin(), args.end());
        return RunProcess(argv);
    }
};

TEST(LookupTool, FindsWhatTheBuilderIndexed)
{
    ToolRig rig;
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string out;
    } cases[] = {
        {{"--raw", "Apple"}, 0, "\x1b" "apple\x1b : \x82\xE8\x82\xF1\x82\xB2\r\n"},
        {{"apple"}, 0, "apple : りんご\n"},  // UTF-8, no ESC, LF when not on a terminal
        {{"--manual", "--", "take off"}, 0, "take off : 離陸する\n"},  // phrase: whole words only
        {{"--", "-ing"}, 0, "-ing : suffix\n"},
        {{"zebra"}, 1, ""},
        {{"りんご"}, 1, ""},  // a Japanese word is not looked up
    };
    for (const Case& c : cases) {
        const ProcessResult r = rig.LookUp(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.back() << "\n" << r.err;
        EXPECT_BYTES_EQ(c.out, r.out) << c.args.back();
    }
}

TEST(LookupTool, RefusesBadInput)
{
    ToolRig rig;
    struct Case {
        std::vector<std::string> args;
        const char* errContains;
    } cases[] = {
        {{}, "no TEXT"},
        {{"a", "b"}, "exactly one TEXT"},
        {{"--bogus", "a"}, "unknown option"},
        {{"r\xC5\x8Du"}, "code page 932"},                     // ō
        {{"--manual", " take"}, "英数字で始まってないとダメです"},
        {{"--manual", "take\xE5\x8F\x96"}, "２バイトコードは使用できません"},
        {{"--index-dir", rig.dir.File("dict.txt"), "take"}, "not a folder"},
        {{"--index-dir", rig.dir.File("missing"), "take"}, "no such folder"},
    };
    for (const Case& c : cases) {
        const ProcessResult r = rig.LookUp(c.args, c.args.size() < 3 || c.args[0] != "--index-dir");
        EXPECT_EQ(r.exitCode, 2) << (c.args.empty() ? "" : c.args.back());
        EXPECT_NE(r.err.find(c.errContains), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
}

TEST(LookupTool, UsesTheProfileIndexDirectory)
{
    ToolRig rig;
    ASSERT_TRUE(WriteProfileString("Index", "Dir", rig.indexDir + "/"));
    const ProcessResult r = rig.LookUp({"take"}, false);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("取る"), std::string::npos);
}

TEST(LookupTool, ReportsAbandonedAndWrongVersionIndexes)
{
    ToolRig rig;
    // A damaged index file: version 4, then the root node cut short.
    rig.dir.Write("index/$$TMP$$.a", std::string("\x04\x06" "app", 5));
    ProcessResult r = rig.LookUp({"apple"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("途中で終わっています"), std::string::npos) << r.err;

    rig.dir.Write("index/$$TMP$$.t", std::string("\x03", 1));
    r = rig.LookUp({"--manual", "take off"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("このバージョンのインデックスファイルには対応しておりません"), std::string::npos) << r.err;
}

// tabrel-profile says why a write failed and never reports success for a
// line nothing can read back.
TEST(ProfileTool, ExplainsRefusedWrites)
{
    ScopedProfile profile;
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        const char* errContains;
    } cases[] = {
        {{"set", "Index", ";Dir", "/x/"}, 1, "would not read back"},
        {{"set", "Index", "[Dir", "/x/"}, 1, "would not read back"},
        {{"set", "Index", " ;Dir", "/x/"}, 1, "would not read back"},  // blanks around a key do not count
        {{"set", "Index", "Dir", "/x/"}, 0, ""},
    };
    for (const Case& c : cases) {
        std::vector<std::string> argv{TABREL_PROFILE};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        const ProcessResult r = RunProcess(argv);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args[2] << r.err;
        EXPECT_NE(r.err.find(c.errContains), std::string::npos) << r.err;
    }
    EXPECT_EQ(profile.ReadProfile(), "[Index]\nDir=/x/\n");

    // A profile that is a folder: reads give nothing, writes are refused, nothing aborts.
    std::filesystem::remove(profile.ProfilePath());
    std::filesystem::create_directory(profile.ProfilePath());
    const ProcessResult get = RunProcess({TABREL_PROFILE, "get", "Index", "Dir"});
    EXPECT_EQ(get.exitCode, 1) << get.err;
    const ProcessResult set = RunProcess({TABREL_PROFILE, "set", "Index", "Dir", "/y/"});
    EXPECT_EQ(set.exitCode, 1) << set.err;
    EXPECT_NE(set.err.find("cannot be read or replaced"), std::string::npos) << set.err;
}

// Under a file-size limit a write fails with a message instead of the
// signal killing the tool, and the profile stays as it was.
TEST(ProfileTool, FileSizeLimitFailsTheWrite)
{
    ScopedProfile profile;
    profile.WriteProfile("[Index]\nDir=" + std::string(2000, 'd') + "\n");
    const ProcessResult r =
        RunProcess({"/bin/sh", "-c", std::string("ulimit -f 1; exec ") + TABREL_PROFILE + " set Index Other x"});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_NE(r.err.find("cannot write"), std::string::npos) << r.err;
    EXPECT_EQ(profile.ReadProfile(), "[Index]\nDir=" + std::string(2000, 'd') + "\n");
}

}  // namespace
