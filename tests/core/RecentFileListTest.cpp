#include <gtest/gtest.h>

#include "TempDir.h"
#include "platform/Profile.h"
#include "settings/RecentFileList.h"

using namespace tabrel;
using tabrel::test::ScopedProfile;

namespace {

TEST(RecentFileList, KeepsTheNewestFourAndRoundTrips)
{
    ScopedProfile profile;
    WriteProfileString("Recent File List", "File1", "/a");
    WriteProfileString("Recent File List", "File3", "/c");  // a gap is skipped
    CRecentFileList list(4);
    list.ReadList();
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/a", "/c"}));
    for (const char* p : {"/d", "/e", "/a", "/f"})
        list.Add(p);
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/f", "/a", "/e", "/d"}));  // "/c" dropped, "/a" moved up
    list.Remove(1);
    list.WriteList();
    EXPECT_EQ(GetProfileString("Recent File List", "File4", "x"), "");
    CRecentFileList again(4);
    again.ReadList();
    EXPECT_EQ(again.Entries(), (std::vector<std::string>{"/f", "/e", "/d"}));
}

TEST(RecentFileList, ShortNamesFitTheMenu)
{
    struct Case {
        const char* path;
        const char* shown;
    } cases[] = {
        {"/home/u/a.txt", "/home/u/a.txt"},
        {"/home/user/texts/novels/english/alice.txt", "/home/.../english/alice.txt"},
        {"/home/user/texts/a-very-long-file-name-indeed.txt", "a-very-long-file-name-indeed.txt"},
        {"/home/u/テキスト/英語/小説/不思議の国.txt", "/home/u/テキスト/英語/小説/不思議の国.txt"},  // counted in characters
        {"/home/user/テキスト/英語/小説/不思議の国のアリス.txt", "/home/.../英語/小説/不思議の国のアリス.txt"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CRecentFileList::ShortName(c.path), c.shown) << c.path;
}

}  // namespace
