#include <gtest/gtest.h>

#include <cstdio>

#include "ByteString.h"
#include "IndexFixture.h"
#include "TempDir.h"
#include "index/IndexFiles.h"
#include "index/StringTreeIndex.h"
#include "platform/MessagePump.h"
#include "platform/Profile.h"

using namespace tabrel;
using namespace tabrel::test;

namespace {

// The index of "cat" (line at byte 120, line 5) with "car" (byte 96, line 4)
// in its before-subtree, written node by node.
std::string CatCarBytes()
{
    std::string out;
    AppendU8(out, kIndexVersion);
    AppendNodeHead(out, "cat", std::vector<Posting>{{120, 5, 0, 1}});
    AppendU8(out, 1);
    AppendNodeHead(out, "car", std::vector<Posting>{{96, 4, 0, 1}});
    AppendU8(out, 0);
    AppendU8(out, 0);
    AppendU8(out, 0);
    return out;
}

std::unique_ptr<CIndexStream> Open(const std::string& path, std::size_t bufferSize = 16)
{
    IndexOpenResult r = OpenIndexFile(path, bufferSize);
    EXPECT_EQ(r.status, IndexOpenStatus::Ok) << path;
    return std::move(r.stream);
}

TEST(IndexScan, WorkedExampleBytes)
{
    EXPECT_BYTES_EQ(WorkedExampleBytes(),
                    CatCarBytes());
}

TEST(IndexScan, FindsInStoredPreOrder)
{
    TempDir dir;
    const std::string path = dir.Write("$$TMP$$.c", CatCarBytes());
    struct Case {
        const char* key;
        bool found;
        std::uint64_t position;  // where the stream stands afterwards
        int nodesVisited;
        std::int32_t firstOffset;
    } cases[] = {
        {"cat", true, 10, 1, 120},   // root: version, size, word, count read
        {"car", true, 35, 2, 96},    // before-subtree
        {"cow", false, 53, 2, 0},    // absent: the whole file is read
        {"CAT", false, 53, 2, 0},    // byte for byte, case matters
        {"", false, 53, 2, 0},
        {"ca", false, 53, 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        int visits = 0;
        auto old = SetDispatchHandler([&] { ++visits; });
        auto stream = Open(path);
        CStringTreeIndex tree;
        EXPECT_EQ(tree.FindHeadword(c.key, *stream), c.found);
        SetDispatchHandler(std::move(old));
        EXPECT_EQ(stream->Tell(), c.position);
        EXPECT_EQ(visits, c.nodesVisited);
        if (c.found) {
            EXPECT_STREQ(tree.m_szNodeWord, c.key);
            EXPECT_EQ(stream->ReadI32(), c.firstOffset);
        } else {
            EXPECT_TRUE(stream->AtEnd());
        }
    }
}

TEST(IndexScan, BeforeSubtreeFirstAndFirstDuplicateWins)
{
    // Root "m" holds "x" in both subtrees; stored order decides, not sorting.
    std::string bytes;
    AppendU8(bytes, kIndexVersion);
    AppendNodeHead(bytes, "m", std::vector<Posting>{{1, 1, 0, 1}});
    AppendU8(bytes, 1);
    AppendNodeHead(bytes, "x", std::vector<Posting>{{111, 1, 0, 1}});
    AppendU8(bytes, 0);
    AppendU8(bytes, 0);
    AppendU8(bytes, 1);
    AppendNodeHead(bytes, "x", std::vector<Posting>{{222, 1, 0, 1}});
    AppendU8(bytes, 0);
    AppendU8(bytes, 0);
    TempDir dir;
    auto stream = Open(dir.Write("i", bytes));
    CStringTreeIndex tree;
    ASSERT_TRUE(tree.FindHeadword("x", *stream));
    EXPECT_EQ(stream->ReadI32(), 111);
}

TEST(IndexScan, TruncatedIndexThrows)
{
    TempDir dir;
    const std::string full = CatCarBytes();
    for (std::size_t cut : {2u, 9u, 20u, 30u, 52u}) {
        auto stream = Open(dir.Write("i", full.substr(0, cut)));
        CStringTreeIndex tree;
        EXPECT_THROW(tree.FindHeadword("zzz", *stream), CIndexReadError) << "cut at " << cut;
    }
}

TEST(IndexScan, MillionNodeChainDoesNotExhaustTheStack)
{
    // Every node's before-subtree holds the next one: depth one million.
    constexpr int kDepth = 1000000;
    std::string bytes;
    bytes.reserve(kDepth * 32);
    AppendU8(bytes, kIndexVersion);
    const Posting posting{0, 1, 0, 1};
    for (int i = 0; i < kDepth; ++i) {
        AppendNodeHead(bytes, "w" + std::to_string(i), std::span(&posting, 1));
        AppendU8(bytes, i + 1 < kDepth);  // BeforeFlag
    }
    bytes.append(kDepth, '\0');  // every node's AfterFlag, deepest first
    TempDir dir;
    const std::string path = dir.Write("deep", bytes);

    CStringTreeIndex tree;
    auto absent = Open(path, CIndexStream::kDefaultBufferSize);
    EXPECT_FALSE(tree.FindHeadword("none", *absent));
    EXPECT_TRUE(absent->AtEnd());

    auto deepest = Open(path, CIndexStream::kDefaultBufferSize);
    EXPECT_TRUE(tree.FindHeadword("w999999", *deepest));
}

TEST(IndexFiles, IndexFilePathByFirstByte)
{
    struct Case {
        const char* word;
        const char* path;  // nullptr: no look-up
    } cases[] = {
        {"2nd", "D/$$TMP$$._"}, {"-ing", "D/$$TMP$$.#"}, {" x", "D/$$TMP$$.#"},   {"Take", "D/$$TMP$$.T"},
        {"take", "D/$$TMP$$.t"}, {"'tis", "D/$$TMP$$.#"}, {"\xA0x", "D/$$TMP$$.#"}, {"\xB1", "D/$$TMP$$.#"},
        {"\x8A\xBF", nullptr},  {"\xE0\x40", nullptr},   {"", nullptr},
    };
    for (const Case& c : cases) {
        const auto path = GetIndexFilePath("D/", c.word);
        if (c.path)
            EXPECT_EQ(path.value_or("<none>"), c.path) << c.word;
        else
            EXPECT_FALSE(path) << c.word;
    }
    EXPECT_EQ(GetIndexFilePath("/dict", "a").value(), "/dict$$TMP$$.a");  // joined as it stands
}

TEST(IndexFiles, DescriptionFileAndItsFileIdTable)
{
    TempDir dir;
    const std::string d = dir.Path() + "/";
    EXPECT_EQ(GetIndexIniPath(d), "");
    EXPECT_EQ(GetIndexIniPath(dir.Path()), "");  // no separator added

    WriteIndexIni(dir, {"/ini/zero", "", "/ini/two"});
    const std::string ini = GetIndexIniPath(d);
    EXPECT_EQ(ini, d + "kplindex.ini");
    const CFileIdTable table = CFileIdTable::Read(ini);
    EXPECT_EQ(table.GetFileName(0), "/ini/zero");
    EXPECT_EQ(table.GetFileName(2), "/ini/two");
    EXPECT_EQ(table.GetFileName(1), "");
    EXPECT_EQ(CFileIdTable::Read(d + "absent.ini").GetFileName(0), "");

    // Read once, the table names exactly what a read of each key names.
    const std::string odd = dir.Write("odd.ini", "[fileid]\r\n 0 = /a \r\n1=/b\n[Other]\n2=/x\n[FILEID]\n1=/late\n"
                                                 "2=/c\n03=/padded\n12=" + std::string(300, 'v') + "\n;13=/no\n");
    const CFileIdTable oddTable = CFileIdTable::Read(odd);
    for (int id = -1; id <= 14; ++id)
        EXPECT_EQ(oddTable.GetFileName(id), CProfileFile(odd).GetString("FileID", std::to_string(id))) << id;
    EXPECT_EQ(oddTable.GetFileName(1), "/b");
}

TEST(IndexFiles, OpenChecksVersionAndTriesTheOtherCase)
{
    TempDir dir;
    dir.Write("$$TMP$$.a", CatCarBytes());
    dir.Write("$$TMP$$.B", CatCarBytes());
    std::string v3 = CatCarBytes();
    v3[0] = 3;
    dir.Write("$$TMP$$.c", v3);
    dir.Write("$$TMP$$.d", "");
    struct Case {
        const char* name;
        IndexOpenStatus status;
    } cases[] = {
        {"$$TMP$$.a", IndexOpenStatus::Ok},          {"$$TMP$$.A", IndexOpenStatus::Ok},  // upper finds lower
        {"$$TMP$$.b", IndexOpenStatus::Ok},                                               // lower finds upper
        {"$$TMP$$.c", IndexOpenStatus::WrongVersion}, {"$$TMP$$.d", IndexOpenStatus::WrongVersion},
        {"$$TMP$$.e", IndexOpenStatus::CannotOpen},   {"$$TMP$$._", IndexOpenStatus::CannotOpen},
    };
    for (const Case& c : cases) {
        const IndexOpenResult r = OpenIndexFile(dir.File(c.name));
        EXPECT_EQ(r.status, c.status) << c.name;
        EXPECT_EQ(r.stream != nullptr, c.status == IndexOpenStatus::Ok) << c.name;
    }
}

}  // namespace
