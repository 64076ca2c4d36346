#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "ByteString.h"
#include "TempDir.h"
#include "platform/Profile.h"

using namespace tabrel;
using tabrel::test::ScopedProfile;
using tabrel::test::TempDir;

namespace {

const char kSample[] =
    "; comment line\r\n"
    "[Option]\r\n"
    "  LeftAuto = 0  \r\n"
    "TextDir=/home/u/texts/\r\n"
    "leftauto=7\r\n"
    "Empty=\r\n"
    "\r\n"
    "[option]\r\n"
    "Late=first section wins only for keys it has\r\n"
    "[ Color ]\r\n"
    "BkColor=255\r\n";

TEST(Profile, ReadsWithWindowsProfileMatching)
{
    TempDir dir;
    const CProfileFile ini(dir.Write("a.ini", kSample));
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"Option", "LeftAuto", "0"},          // spaces around key and value ignored
        {"OPTION", "leftAUTO", "0"},          // case-insensitive, first match wins over "leftauto=7"
        {"Option", "TextDir", "/home/u/texts/"},
        {"Option", "Empty", ""},              // present but empty: empty, not the default
        {"Option", "Late", "first section wins only for keys it has"},
        {"color", "bkcolor", "255"},          // blanks inside the brackets ignored
        {"Option", "Missing", "dflt"},
        {"Nowhere", "LeftAuto", "dflt"},
        {"Option", "; comment line", "dflt"}, // comments are not keys
    };
    for (const Case& c : cases)
        EXPECT_EQ(ini.GetString(c.section, c.key, "dflt"), c.expected) << c.section << "/" << c.key;
}

TEST(Profile, AbsentFileGivesDefaults)
{
    TempDir dir;
    const CProfileFile ini(dir.File("none.ini"));
    EXPECT_EQ(ini.GetString("Option", "TextDir", "x"), "x");
    EXPECT_EQ(ini.GetString("Option", "TextDir"), "");
    EXPECT_EQ(ini.GetInt("Option", "LeftAuto", 1), 1);
}

TEST(Profile, GetIntReadsLeadingDecimalDigits)
{
    TempDir dir;
    const CProfileFile ini(dir.Write("a.ini",
                                     "[S]\nplain=12\nneg=-7\nunit=12px\nword=abc\nempty=\nminus=-\n"
                                     "hex=0x10\nhuge=99999999999\nhugeneg=-99999999999\nplus=+3\n"));
    struct Case {
        const char* key;
        int expected;
    } cases[] = {
        {"plain", 12}, {"neg", -7}, {"unit", 12}, {"word", 42},  {"empty", 42},       {"minus", 42},
        {"hex", 0},    {"huge", INT_MAX},         {"hugeneg", INT_MIN},               {"plus", 42},
        {"absent", 42},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ini.GetInt("S", c.key, 42), c.expected) << c.key;
}

TEST(Profile, ValuesAreCutAt259Bytes)
{
    TempDir dir;
    const std::string longValue(300, 'v');
    const CProfileFile ini(dir.Write("a.ini", "[S]\nk=" + longValue + "\n"));
    EXPECT_EQ(ini.GetString("S", "k"), std::string(259, 'v'));
}

TEST(Profile, WriteReplacesInPlaceAndKeepsEverythingElse)
{
    TempDir dir;
    const CProfileFile ini(dir.Write("a.ini", kSample));
    ASSERT_TRUE(ini.WriteString("option", "LEFTAUTO", "1"));   // existing key: replaced where it stands
    ASSERT_TRUE(ini.WriteString("Option", "RightManual", "0"));  // new key: end of the first section
    ASSERT_TRUE(ini.WriteInt("Font", "Size", -13));              // new section at the end
    EXPECT_BYTES_EQ(
        "; comment line\r\n"
        "[Option]\r\n"
        "LeftAuto=1\r\n"
        "TextDir=/home/u/texts/\r\n"
        "leftauto=7\r\n"
        "Empty=\r\n"
        "RightManual=0\r\n"
        "\r\n"
        "[option]\r\n"
        "Late=first section wins only for keys it has\r\n"
        "[ Color ]\r\n"
        "BkColor=255\r\n"
        "[Font]\r\n"
        "Size=-13\r\n",
        dir.Read("a.ini"));
}

TEST(Profile, WriteRoundTripsBytesUnchanged)
{
    TempDir dir;
    const CProfileFile ini(dir.File("new.ini"));  // no file yet: created by the first write
    const std::string sjis = "C:\\\x8E\xAB\x8F\x91\\";  // a path with kanji and backslashes
    ASSERT_TRUE(ini.WriteString("FileID", "0", sjis));
    ASSERT_TRUE(ini.WriteString("FileID", "1", ""));
    ASSERT_TRUE(ini.WriteInt("Color", "BkColor", 16777215));
    EXPECT_BYTES_EQ(sjis, ini.GetString("FileID", "0", "x"));
    EXPECT_EQ(ini.GetString("FileID", "1", "x"), "");
    EXPECT_EQ(ini.GetInt("Color", "BkColor", 0), 16777215);
    // A file without a final line end gets one before new lines follow it.
    const CProfileFile bare(dir.Write("bare.ini", "[A]\nx=1"));
    ASSERT_TRUE(bare.WriteString("A", "y", "2"));
    EXPECT_EQ(dir.Read("bare.ini"), "[A]\nx=1\ny=2\n");
}

TEST(Profile, RefusesWhatWouldNotReadBack)
{
    TempDir dir;
    const CProfileFile ini(dir.Write("a.ini", "[A]\nx=1\n"));
    struct Case {
        const char* section;
        const char* key;
        const char* value;
    } cases[] = {
        {"A", "x", "two\nlines"}, {"A", "k=v", "1"}, {"A]", "x", "1"}, {"A", "", "1"},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(ini.WriteString(c.section, c.key, c.value)) << c.section << " " << c.key;
    EXPECT_EQ(dir.Read("a.ini"), "[A]\nx=1\n");
}

// Writers in several processes at once: every key written is kept.
TEST(Profile, ConcurrentWritersKeepEveryKey)
{
    TempDir dir;
    const std::string path = dir.File("shared.ini");
    constexpr int kWriters = 4;
    constexpr int kKeys = 40;
    std::vector<pid_t> children;
    for (int w = 0; w < kWriters; ++w) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            bool ok = true;
            for (int k = 0; k < kKeys; ++k)
                ok = CProfileFile(path).WriteInt("S", "w" + std::to_string(w) + "k" + std::to_string(k), k) && ok;
            ::_exit(ok ? 0 : 1);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const CProfileFile ini(path);
    int kept = 0;
    for (int w = 0; w < kWriters; ++w)
        for (int k = 0; k < kKeys; ++k)
            kept += ini.GetInt("S", "w" + std::to_string(w) + "k" + std::to_string(k), -1) == k;
    EXPECT_EQ(kept, kWriters * kKeys);
}

// A profile that is a symbolic link stays one: the file it names is written.
TEST(Profile, WritesThroughSymbolicLinks)
{
    TempDir dir;
    const std::string real = dir.Write("real/TABREL.INI", "[A]\nx=1\n");
    const std::string link = dir.File("TABREL.INI");
    ASSERT_EQ(::symlink("real/TABREL.INI", link.c_str()), 0);  // relative to the link's folder
    ASSERT_TRUE(CProfileFile(link).WriteString("A", "y", "2"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(dir.Read("real/TABREL.INI"), "[A]\nx=1\ny=2\n");

    const std::string dangling = dir.File("new.ini");  // names a file not made yet
    ASSERT_EQ(::symlink(dir.File("made.ini").c_str(), dangling.c_str()), 0);
    ASSERT_TRUE(CProfileFile(dangling).WriteString("B", "z", "3"));
    EXPECT_TRUE(std::filesystem::is_symlink(dangling));
    EXPECT_EQ(dir.Read("made.ini"), "[B]\nz=3\n");
}

// A last line without a line end may end in a lone CR, which belongs to its
// value. The line end a write gives that line must not swallow the CR.
TEST(Profile, WriteAfterALastLineEndingInCrKeepsItsValue)
{
    struct Case {
        const char* name;
        const char* content;
        const char* section;  // where the new key goes
        const char* expectedFile;
    } const cases[] = {
        {"same section, LF file", "[A]\nx=1\r", "A", "[A]\nx=1\r\r\ny=2\n"},
        {"new section, LF file", "[A]\nx=1\r", "B", "[A]\nx=1\r\r\n[B]\ny=2\n"},
        {"same section, CR LF file", "[A]\r\nx=1\r", "A", "[A]\r\nx=1\r\r\ny=2\r\n"},
        {"header line", "[A]\r", "A", "[A]\r\r\ny=2\n"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const CProfileFile ini(dir.Write("a.ini", c.content));
        const std::string before = ini.GetString("A", "x", "absent");
        ASSERT_TRUE(ini.WriteString(c.section, "y", "2")) << c.name;
        EXPECT_EQ(ini.GetString("A", "x", "absent"), before) << c.name;
        EXPECT_EQ(ini.GetString(c.section, "y"), "2") << c.name;
        EXPECT_BYTES_EQ(c.expectedFile, dir.Read("a.ini")) << c.name;
    }
}

// A key written as "[k=v" reads as a section header and ";k=v" as a comment:
// such a write could never be read back, and a header would also move the
// keys after it into another section.
TEST(Profile, RefusesKeysThatWouldReadAsAHeaderOrAComment)
{
    TempDir dir;
    const std::string original = "[A]\nx=1\n[B]\ny=2\n";
    const CProfileFile ini(dir.Write("a.ini", original));
    for (const char* key : {"[", "[k", ";", ";k", "  [k", "\t;k"}) {
        EXPECT_FALSE(ini.WriteString("A", key, "v")) << key;
        EXPECT_EQ(dir.Read("a.ini"), original) << key;
    }
    // Inside a key or in a value these bytes are plain bytes.
    struct Case {
        const char* key;
        const char* value;
    } const plain[] = {{"k[1]", "v"}, {"k;1", "v"}, {"k", "[v]"}, {"k2", ";v"}};
    for (const Case& c : plain) {
        ASSERT_TRUE(ini.WriteString("A", c.key, c.value)) << c.key;
        EXPECT_EQ(ini.GetString("A", c.key, "absent"), c.value) << c.key;
    }
    EXPECT_EQ(ini.GetString("A", "x"), "1");
    EXPECT_EQ(ini.GetString("B", "y"), "2");
}

TEST(Profile, FailedWriteLeavesOldFileIntact)
{
    TempDir dir;
    const std::string original = "[A]\nx=" + std::string(4000, 'o') + "\n";
    const CProfileFile ini(dir.Write("a.ini", original));

    // A full disk: the new content cannot be written out.
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = ini.WriteString("A", "y", "new");
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(dir.Read("a.ini"), original);

    // A read-only folder (root may write anyway, so only checked for others).
    if (::geteuid() != 0) {
        ASSERT_EQ(::chmod(dir.Path().c_str(), 0555), 0);
        EXPECT_FALSE(ini.WriteString("A", "y", "new"));
        ::chmod(dir.Path().c_str(), 0755);
        EXPECT_EQ(dir.Read("a.ini"), original);
    }
    // No temporary file is left behind; the writers' lock file stays.
    std::vector<std::string> files;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path()))
        files.push_back(e.path().filename().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"a.ini", "a.ini.lock"}));
}

TEST(Profile, ApplicationProfileFollowsXdgConfigHome)
{
    ScopedProfile profile;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    ASSERT_NE(xdg, nullptr);
    EXPECT_EQ(GetApplicationProfilePath(), std::string(xdg) + "/tabrel/TABREL.INI");
    EXPECT_FALSE(std::filesystem::exists(std::string(xdg) + "/tabrel"));  // nothing made by reading
    EXPECT_EQ(GetProfileInt("Option", "LeftAuto", 1), 1);

    ASSERT_TRUE(WriteProfileInt("Option", "LeftAuto", 0));  // first write creates the folder
    ASSERT_TRUE(WriteProfileString("Option", "TextDir", "/t/"));
    EXPECT_EQ(profile.ReadProfile(), "[Option]\nLeftAuto=0\nTextDir=/t/\n");
    EXPECT_EQ(GetProfileInt("option", "leftauto", 1), 0);
    EXPECT_EQ(GetProfileString("Option", "TextDir"), "/t/");

    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::unsetenv("XDG_CONFIG_HOME");
    if (!home.empty()) {
        EXPECT_EQ(GetApplicationProfilePath(), home + "/.config/tabrel/TABREL.INI");
    }
}

// Profiles that cannot even be checked: reads give the defaults, writes
// return false, nothing throws, and a folder as the profile is left alone.
TEST(Profile, UncheckablePathsFailQuietly)
{
    ScopedProfile profile;
    const std::string folder = std::filesystem::path(profile.ProfilePath()).parent_path().string();
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    const auto check = [](const std::string& why) {
        EXPECT_EQ(GetProfileString("Index", "Dir", "def"), "def") << why;
        EXPECT_EQ(GetProfileInt("Option", "LeftAuto", 7), 7) << why;
        EXPECT_FALSE(WriteProfileString("Index", "Dir", "/x/")) << why;
        EXPECT_FALSE(WriteProfileInt("Option", "LeftAuto", 0)) << why;
    };

    ASSERT_EQ(::symlink("TABREL.INI", profile.ProfilePath().c_str()), 0);  // a link to itself: a loop
    check("symbolic link loop");
    EXPECT_TRUE(std::filesystem::is_symlink(profile.ProfilePath()));
    ASSERT_EQ(::unlink(profile.ProfilePath().c_str()), 0);

    ASSERT_EQ(::mkdir(profile.ProfilePath().c_str(), 0755), 0);
    check("folder as the profile");
    EXPECT_TRUE(std::filesystem::is_directory(profile.ProfilePath()));
    ASSERT_EQ(::rmdir(profile.ProfilePath().c_str()), 0);

    // A folder without search permission. Root passes every permission check,
    // so it tries as the unprivileged user "nobody" in a child process.
    ASSERT_EQ(::chmod(folder.c_str(), 0600), 0);
    if (::geteuid() != 0) {
        check("folder without search permission");
    } else {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(3);
            const bool sound = GetProfileString("Index", "Dir", "def") == "def" &&
                               !WriteProfileString("Index", "Dir", "/x/");
            ::_exit(sound ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status)) << "the child died of signal " << WTERMSIG(status);
        if (WEXITSTATUS(status) == 3)
            GTEST_SKIP() << "cannot become an unprivileged user here";
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    ::chmod(folder.c_str(), 0755);
}

}  // namespace
