#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <dirent.h>
#include <unistd.h>

#include "ByteString.h"
#include "TempDir.h"
#include "settings/SelDirModel.h"

using namespace tabrel;
using tabrel::test::ScopedCurrentDir;
using tabrel::test::TempDir;

namespace fs = std::filesystem;

namespace {

const std::string kJapanese = "\xE8\xBE\x9E\xE6\x9B\xB8";  // 辞書
const std::string kLong = "a folder name longer than fourteen bytes";

// A small tree: folders with a space, Japanese letters, mixed case and a
// leading dot, a link to a folder, a broken link, an unreadable folder,
// an empty folder and two files.
struct Tree {
    TempDir tmp;
    std::string root = tmp.Path() + "/";

    Tree()
    {
        tmp.Write(kJapanese + "/index.idx", "x");
        tmp.Write(kLong + "/empty/.keep", "");
        fs::remove(tmp.File(kLong + "/empty/.keep"));
        tmp.Write("MiXed/file", "");
        tmp.Write(".dot/file", "");
        tmp.Write("locked/inside/file", "");
        tmp.Write("file.txt", "text");
        tmp.Write("b file", "");
        fs::create_directory_symlink(kJapanese, tmp.File("link"));
        fs::create_symlink("nowhere", tmp.File("broken"));
        fs::permissions(tmp.File("locked"), fs::perms::none);
    }

    std::string Dir(const std::string& name) const { return root + name + "/"; }

    // Whether this process can list the unreadable folder (it can as root).
    bool LockedIsReadable() const
    {
        DIR* d = ::opendir(tmp.File("locked").c_str());
        if (d)
            ::closedir(d);
        return d != nullptr;
    }
};

std::size_t Row(const CSelDirModel& m, const std::string& entry)
{
    const auto& e = m.DirEntries();
    const auto it = std::find(e.begin(), e.end(), entry);
    EXPECT_NE(it, e.end()) << entry;
    return static_cast<std::size_t>(it - e.begin());
}

TEST(SelDirModel, ListsFoldersAndFilesSortedAsBytes)
{
    Tree tree;
    CSelDirModel m({});
    m.Open(tree.root);
    EXPECT_EQ(m.GetDir(), tree.root);
    EXPECT_TRUE(m.IsListed());
    // Names keep their case and length; a link to a folder is a folder, a
    // broken link is neither.
    EXPECT_EQ(m.DirEntries(), (std::vector<std::string>{"[..]", "[.dot]", "[MiXed]", "[" + kLong + "]", "[link]",
                                                        "[locked]", "[" + kJapanese + "]"}));
    EXPECT_EQ(m.FileEntries(), (std::vector<std::string>{"b file", "file.txt"}));
}

TEST(SelDirModel, OpenNormalisesOrFallsBack)
{
    Tree tree;
    ScopedCurrentDir keep;
    fs::current_path(tree.Dir(kJapanese));
    const std::string cwd = tree.Dir(kJapanese);
    const std::string lockedOutcome = tree.LockedIsReadable() ? tree.Dir("locked") : cwd;
    struct Case {
        std::string start;
        std::string selected;
    } cases[] = {
        {"", cwd},                                        // nothing given: the current directory
        {tree.root + "MiXed", tree.Dir("MiXed")},          // "/" appended, case kept
        {tree.root + "MiXed/", tree.Dir("MiXed")},
        {tree.root + kLong + "/.././/MiXed", tree.Dir("MiXed")},  // resolved in the text
        {"../MiXed", tree.Dir("MiXed")},                  // relative to the current directory
        {tree.root + kLong + "/empty", tree.Dir(kLong + "/empty")},  // empty, but listed: kept
        {tree.root + "absent/", cwd},                     // cannot be listed: the current directory
        {tree.root + "file.txt", cwd},
        {tree.root + "broken", cwd},
        {tree.root + "locked", lockedOutcome},
        {"//", "/"},
    };
    for (const Case& c : cases) {
        CSelDirModel m({});
        m.Open(c.start);
        EXPECT_BYTES_EQ(c.selected, m.GetDir()) << "start " << c.start;
        EXPECT_TRUE(m.IsListed()) << c.start;
    }
}

TEST(SelDirModel, NoReadableCurrentDirectoryEmptiesTheSelection)
{
    Tree tree;
    ScopedCurrentDir keep;
    tree.tmp.Write("gone/x", "");
    fs::current_path(tree.Dir("gone"));
    fs::remove_all(tree.Dir("gone"));
    CSelDirModel m({});
    m.Open(tree.root + "absent");
    EXPECT_EQ(m.GetDir(), "");
    EXPECT_TRUE(m.DirEntries().empty());
    EXPECT_TRUE(m.FileEntries().empty());
    EXPECT_FALSE(m.OpenDirEntry(0));
}

TEST(SelDirModel, DoubleClicksNavigate)
{
    Tree tree;
    CSelDirModel m({});
    m.Open(tree.root);

    ASSERT_TRUE(m.OpenDirEntry(Row(m, "[" + kLong + "]")));
    EXPECT_EQ(m.GetDir(), tree.Dir(kLong));
    EXPECT_EQ(m.DirEntries(), (std::vector<std::string>{"[..]", "[empty]"}));
    ASSERT_TRUE(m.OpenDirEntry(Row(m, "[empty]")));
    EXPECT_EQ(m.DirEntries(), std::vector<std::string>{"[..]"});  // an empty folder still leads back
    EXPECT_TRUE(m.FileEntries().empty());
    ASSERT_TRUE(m.OpenDirEntry(0));
    ASSERT_TRUE(m.OpenDirEntry(0));
    EXPECT_EQ(m.GetDir(), tree.root);

    // Through the link: the path keeps the link's name, and "[..]" goes
    // back the way it came.
    ASSERT_TRUE(m.OpenDirEntry(Row(m, "[link]")));
    EXPECT_EQ(m.GetDir(), tree.Dir("link"));
    EXPECT_EQ(m.FileEntries(), std::vector<std::string>{"index.idx"});
    ASSERT_TRUE(m.OpenDirEntry(0));
    EXPECT_EQ(m.GetDir(), tree.root);

    ASSERT_TRUE(m.OpenDirEntry(Row(m, "[" + kJapanese + "]")));
    EXPECT_EQ(m.GetDir(), tree.Dir(kJapanese));

    // Up to the root, where no "[..]" is offered.
    for (int guard = 0; m.GetDir() != "/" && guard < 100; ++guard)
        ASSERT_TRUE(m.OpenDirEntry(0));
    EXPECT_EQ(m.GetDir(), "/");
    ASSERT_FALSE(m.DirEntries().empty());
    EXPECT_NE(m.DirEntries().front(), "[..]");
    EXPECT_FALSE(m.OpenDirEntry(m.DirEntries().size()));
    EXPECT_EQ(m.GetDir(), "/");
}

TEST(SelDirModel, UnreadableFolderShowsOnlyTheWayBack)
{
    Tree tree;
    CSelDirModel m({});
    m.Open(tree.root);
    ASSERT_TRUE(m.OpenDirEntry(Row(m, "[locked]")));
    EXPECT_EQ(m.GetDir(), tree.Dir("locked"));
    if (tree.LockedIsReadable()) {  // as root permissions do not stop a listing
        EXPECT_TRUE(m.IsListed());
        EXPECT_EQ(m.DirEntries(), (std::vector<std::string>{"[..]", "[inside]"}));
    } else {
        EXPECT_FALSE(m.IsListed());
        EXPECT_EQ(m.DirEntries(), std::vector<std::string>{"[..]"});
        EXPECT_TRUE(m.FileEntries().empty());
    }
    ASSERT_TRUE(m.OpenDirEntry(0));
    EXPECT_EQ(m.GetDir(), tree.root);
}

TEST(SelDirModel, PlacesAndTheirEntries)
{
    Tree tree;
    struct Case {
        const char* what;
        std::string home;
        std::vector<CSelDirPlace> volumes;
        std::vector<std::string> paths;
        std::vector<std::string> entries;
    } cases[] = {
        {"no home", "", {}, {"/"}, {"[-/-]"}},
        {"home is the root", "/", {}, {"/"}, {"[-/-]"}},
        {"home without slash", tree.tmp.Path(), {}, {"/", tree.root}, {"[-/-]", "[-ﾎｰﾑ-]"}},
        {"volumes by path, once each, folders only",
         tree.root,
         {{tree.root + kJapanese, "DICT"},
          {"/", "rootfs"},
          {tree.root + "file.txt", "a file"},
          {tree.root, "the home again"},
          {tree.root + "MiXed/", ""},
          {tree.root + "absent", "gone"}},
         {"/", tree.root, tree.Dir("MiXed"), tree.Dir(kJapanese)},
         {"[-/-]", "[-ﾎｰﾑ-]", "[-" + tree.Dir("MiXed") + "-]", "[-DICT-]"}},
    };
    for (const Case& c : cases) {
        CSelDirModel m(CSelDirModel::MakePlaces(c.home, c.volumes));
        std::vector<std::string> paths, entries;
        for (std::size_t i = 0; i < m.Places().size(); ++i) {
            paths.push_back(m.Places()[i].path);
            entries.push_back(m.PlaceEntry(i));
        }
        EXPECT_EQ(paths, c.paths) << c.what;
        EXPECT_EQ(entries, c.entries) << c.what;
    }

    // A double-click on a place selects its folder.
    CSelDirModel m(CSelDirModel::MakePlaces(tree.root, {{tree.Dir(kJapanese), "DICT"}}));
    m.Open(tree.Dir("MiXed"));
    ASSERT_TRUE(m.OpenPlace(2));
    EXPECT_EQ(m.GetDir(), tree.Dir(kJapanese));
    EXPECT_EQ(m.FileEntries(), std::vector<std::string>{"index.idx"});
    ASSERT_TRUE(m.OpenPlace(0));
    EXPECT_EQ(m.GetDir(), "/");
    ASSERT_TRUE(m.OpenPlace(1));
    EXPECT_EQ(m.GetDir(), tree.root);
    EXPECT_FALSE(m.OpenPlace(3));
    EXPECT_EQ(m.GetDir(), tree.root);
}

}  // namespace
