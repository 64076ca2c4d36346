#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <unordered_set>
#include <vector>

#include "ByteString.h"
#include "IndexFixture.h"
#include "TempDir.h"
#include "index/IndexBuilder.h"
#include "index/IndexFiles.h"

using namespace tabrel;
using namespace tabrel::test;
namespace fs = std::filesystem;

namespace {

// One record of an index file as stored, with its depth in the tree.
struct StoredNode {
    std::string word;
    std::vector<Posting> postings;
    int depth = 0;
};

class RecordReader {
public:
    explicit RecordReader(std::string_view bytes) : m_bytes(bytes) {}

    std::vector<StoredNode> ReadAll()
    {
        if (Take(1)[0] != kIndexVersion)
            throw std::runtime_error("wrong version byte");
        std::vector<StoredNode> nodes;
        ReadNode(0, nodes);
        if (m_pos != m_bytes.size())
            throw std::runtime_error("bytes after the tree");
        return nodes;
    }

private:
    std::string_view Take(std::size_t n)
    {
        if (m_bytes.size() - m_pos < n)
            throw std::runtime_error("index file ends inside a record");
        m_pos += n;
        return m_bytes.substr(m_pos - n, n);
    }
    std::uint32_t U(std::size_t n)
    {
        std::uint32_t v = 0;
        const std::string_view b = Take(n);
        for (std::size_t i = n; i-- > 0;)
            v = v << 8 | static_cast<unsigned char>(b[i]);
        return v;
    }

    void ReadNode(int depth, std::vector<StoredNode>& out)
    {
        StoredNode node;
        node.depth = depth;
        const std::string_view word = Take(U(1));
        if (word.empty() || word.back() != '\0')
            throw std::runtime_error("headword without its zero byte");
        node.word = word.substr(0, word.size() - 1);
        const std::uint32_t count = U(4);
        for (std::uint32_t offset = U(4); offset != 0xFFFFFFFF; offset = U(4)) {
            Posting p;
            p.offset = static_cast<std::int32_t>(offset);
            p.lineNumber = U(4);
            p.fileId = static_cast<std::int16_t>(U(2));
            p.type = static_cast<std::uint8_t>(U(1));
            node.postings.push_back(p);
        }
        EXPECT_EQ(count, node.postings.size()) << node.word;
        out.push_back(node);
        if (U(1))
            ReadNode(depth + 1, out);
        if (U(1))
            ReadNode(depth + 1, out);
    }

    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

// The files of a folder, without the generation folders a build leaves.
std::set<std::string> FileNames(const TempDir& dir, const std::string& sub)
{
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir.File(sub))) {
        const std::string name = e.path().filename().string();
        if (!name.starts_with(kGenerationPrefix))
            names.insert(name);
    }
    return names;
}

// The generation folders in dir/sub.
std::vector<std::string> Generations(const TempDir& dir, const std::string& sub)
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir.File(sub))) {
        const std::string name = e.path().filename().string();
        if (name.starts_with(kGenerationPrefix))
            names.push_back(name);
    }
    return names;
}

// Builds dir/"index" from dictionary files given as their lines; each file
// is read with fileOptions[i] when given, else with `options`.
IndexBuildResult Build(const TempDir& dir, const std::vector<std::vector<std::string>>& dicts,
                       const IndexBuildOptions& options = {}, const IndexBuildReport& report = {},
                       const std::vector<IndexBuildOptions>& fileOptions = {})
{
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < dicts.size(); ++i) {
        std::string text;
        for (const std::string& line : dicts[i])
            text += line;
        paths.push_back(dir.Write("dict" + std::to_string(i) + ".txt", text));
    }
    if (fileOptions.empty())
        return BuildIndexDirectory(dir.File("index"), paths, options, report);
    std::vector<DictionarySource> sources;
    for (std::size_t i = 0; i < paths.size(); ++i)
        sources.push_back({paths[i], fileOptions.at(i)});
    return BuildIndexDirectory(dir.File("index"), sources, report);
}

TEST(IndexBuilder, WritesTheWorkedExampleBytes)
{
    TempDir dir;
    // "car" on line 4 at byte 96, "cat" on line 5 at byte 120.
    const std::string filler(31, '-');
    const IndexBuildResult r = Build(dir, {{filler + "\n", filler + "\n", filler + "\n",
                                            "\x1b" "car\x1b" + std::string(18, '.') + "\n", "\x1b" "cat\x1b\n"}});
    ASSERT_EQ(r.status, IndexBuildStatus::Ok) << r.error;
    EXPECT_BYTES_EQ(WorkedExampleBytes(),
                    dir.Read("index/$$TMP$$.c"));
    // One generation folder holds the index files; kplindex.ini names it, and
    // the index directory holds the same files for readers without generations.
    const std::vector<std::string> generations = Generations(dir, "index");
    ASSERT_EQ(generations.size(), 1u);
    EXPECT_EQ(dir.Read("index/kplindex.ini"),
              "[FileID]\n0=" + dir.File("dict0.txt") + "\n[Index]\nGeneration=" + generations[0] + "/\n");
    EXPECT_EQ(FileNames(dir, "index"), (std::set<std::string>{"$$TMP$$.c", "kplindex.ini"}));
    EXPECT_EQ(FileNames(dir, "index/" + generations[0]), std::set<std::string>{"$$TMP$$.c"});
    EXPECT_BYTES_EQ(WorkedExampleBytes(), dir.Read("index/" + generations[0] + "/$$TMP$$.c"));
    EXPECT_EQ(r.stats.bytesWritten, 53 + dir.Read("index/kplindex.ini").size());
}

struct PostingCase {
    const char* name;
    IndexBuildOptions options;
    std::vector<std::vector<std::string>> dicts;
    // Index file initial, word, and its postings as "file:line:type" in stored order.
    std::map<std::string, std::pair<char, std::string>> expected;
    std::vector<IndexBuildOptions> fileOptions = {};  // one per file, replacing `options`

    friend void PrintTo(const PostingCase& c, std::ostream* os) { *os << c.name; }
};

class IndexBuilderPostings : public ::testing::TestWithParam<PostingCase> {};

// Every word of every index file with its postings; each posting's offset
// must be the first byte of the line it names.
TEST_P(IndexBuilderPostings, IndexesEachWordOncePerLine)
{
    const PostingCase& c = GetParam();
    TempDir dir;
    const IndexBuildResult r = Build(dir, c.dicts, c.options, {}, c.fileOptions);
    ASSERT_EQ(r.status, IndexBuildStatus::Ok) << r.error;

    std::map<std::string, std::pair<char, std::string>> actual;
    for (const std::string& name : FileNames(dir, "index")) {
        if (name == "kplindex.ini")
            continue;
        for (const StoredNode& node : RecordReader(dir.Read("index/" + name)).ReadAll()) {
            std::string postings;
            for (const Posting& p : node.postings) {
                std::int32_t lineStart = 0;
                for (std::uint32_t i = 1; i < p.lineNumber; ++i)
                    lineStart += static_cast<std::int32_t>(c.dicts.at(p.fileId).at(i - 1).size());
                EXPECT_EQ(p.offset, lineStart) << node.word << " line " << p.lineNumber;
                postings += (postings.empty() ? "" : " ") + std::to_string(p.fileId) + ":" +
                            std::to_string(p.lineNumber) + ":" + std::to_string(p.type);
            }
            EXPECT_TRUE(actual.emplace(node.word, std::make_pair(name.back(), postings)).second)
                << node.word << " stored twice";
        }
    }
    EXPECT_EQ(actual, c.expected);
}

IndexBuildOptions SeparatorLayout()
{
    IndexBuildOptions o;
    o.separator = " : ";
    o.bodyType = 3;
    o.stopWords = {"the"};
    return o;
}

IndexBuildOptions VisibleBody(std::unordered_set<std::string> stopWords)
{
    IndexBuildOptions o;
    o.bodyType = 3;
    o.stopWords = std::move(stopWords);
    return o;
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, IndexBuilderPostings,
    ::testing::Values(
        PostingCase{"EscHeadwords",
                    {},
                    {{
                         "\x1b" "Take off\x1b : leave the ground; take\r\n",  // phrase words 3, body 2, "take" once
                         "\x1b" "take\x1b : \x8E\xE6\x82\xE9 (take a seat)\r\n",  // kanji word not indexed
                         "\x1b" "-ing\x1b : suffix\r\n",                     // found as typed and as picked
                         "\x1b" "\x82\xE8\x82\xF1\x82\xB2 Apple\x1b : APPLE pie\r\n",
                         "no headword here, 1997 x2\r\n",  // a word needs a letter
                         "\r\n",
                     },
                     {
                         "\x1b" "take\x1b\n",
                         "\x1b" "3rd\x1b tAkE\n",
                         "\x1b" "Don't\x1b ok",  // last line without a line end
                     }},
                    {
                        {"take", {'t', "0:1:3 0:2:1 1:1:1 1:2:2"}},
                        {"off", {'o', "0:1:3"}},
                        {"leave", {'l', "0:1:2"}},
                        {"the", {'t', "0:1:2"}},
                        {"ground", {'g', "0:1:2"}},
                        {"a", {'a', "0:2:2"}},
                        {"seat", {'s', "0:2:2"}},
                        {"-ing", {'#', "0:3:1"}},
                        {"ing", {'i', "0:3:1"}},
                        {"suffix", {'s', "0:3:2"}},
                        {"apple", {'a', "0:4:3"}},
                        {"pie", {'p', "0:4:2"}},
                        {"no", {'n', "0:5:2"}},
                        {"headword", {'h', "0:5:2"}},
                        {"here", {'h', "0:5:2"}},
                        {"x2", {'x', "0:5:2"}},
                        {"3rd", {'_', "1:2:1"}},
                        {"don't", {'d', "1:3:1"}},
                        {"ok", {'o', "1:3:2"}},
                    }},
        PostingCase{"SeparatorBodyTypeAndStopWords",
                    SeparatorLayout(),
                    {{
                        "Take off : leave the ground\n",
                        "apple : the fruit\n",
                        "no separator apple\n",
                    }},
                    {
                        {"take", {'t', "0:1:3"}},
                        {"off", {'o', "0:1:3"}},
                        {"leave", {'l', "0:1:3"}},
                        {"the", {'t', "0:1:2 0:2:2"}},
                        {"ground", {'g', "0:1:3"}},
                        {"apple", {'a', "0:2:1 0:3:3"}},
                        {"fruit", {'f', "0:2:3"}},
                        {"no", {'n', "0:3:3"}},
                        {"separator", {'s', "0:3:3"}},
                    }},
        // Each file read its own way: file 0 hides its body words, file 1
        // shows them but for its stop words, file 2 has a separator layout.
        PostingCase{"OptionsPerFile",
                    {},
                    {
                        {"\x1b" "take\x1b : to grasp\n"},
                        {"\x1b" "\x8E\xE6\x82\xE9\x1b /to take/to grasp/\n", "\x1b" "AV\x1b /to view/\n"},
                        {"grasp : take hold\n"},
                    },
                    {
                        {"take", {'t', "0:1:1 1:1:3 2:1:2"}},
                        {"to", {'t', "0:1:2 1:1:2 1:2:2"}},
                        {"grasp", {'g', "0:1:2 1:1:3 2:1:1"}},
                        {"av", {'a', "1:2:1"}},
                        {"view", {'v', "1:2:3"}},
                        {"hold", {'h', "2:1:2"}},
                    },
                    {IndexBuildOptions{}, VisibleBody({"to"}), IndexBuildOptions{" : ", kHiddenPostingType, {}}}}),
    [](const auto& paramInfo) { return std::string(paramInfo.param.name); });

TEST(IndexBuilder, StoresABalancedTreeInPreOrder)
{
    struct Case {
        std::vector<std::string> headwords;  // in dictionary order
        char initial;
        std::vector<std::pair<std::string, int>> stored;  // word and depth, in stored order
    } cases[] = {
        {{"ag", "ab", "af", "aa", "ae", "ac", "ad"},
         'a',
         {{"ad", 0}, {"ab", 1}, {"aa", 2}, {"ac", 2}, {"af", 1}, {"ae", 2}, {"ag", 2}}},
        // Bytes compare unsigned: single-byte katakana sorts after ASCII.
        {{"\xB1x", "-ing", "'tis"}, '#', {{"-ing", 0}, {"'tis", 1}, {"\xB1x", 1}}},
    };
    for (const Case& c : cases) {
        CIndexBuilder builder;
        Posting where;
        for (const std::string& h : c.headwords) {
            ++where.lineNumber;
            builder.AddLine("\x1b" + h + "\x1b", where);
            where.offset += 10;
        }
        std::vector<std::pair<std::string, int>> stored;
        for (const StoredNode& node : RecordReader(builder.Serialize().at(c.initial)).ReadAll())
            stored.emplace_back(node.word, node.depth);
        EXPECT_EQ(stored, c.stored) << c.initial;
    }
}

TEST(IndexBuilder, SkipsHeadwordsTooLongForANodeWithAWarning)
{
    TempDir dir;
    const std::string longest(kMaxHeadwordBytes, 'x');
    std::vector<std::pair<std::uint32_t, std::size_t>> warnings;
    IndexBuildReport report;
    report.skippedHeadword = [&](const std::string& path, std::uint32_t line, std::string_view headword) {
        EXPECT_EQ(path, dir.File("dict0.txt"));
        warnings.emplace_back(line, headword.size());
    };
    const IndexBuildResult r =
        Build(dir, {{"\x1b" + longest + "\x1b\n", "\x1b" + longest + "y\x1b : body\n"}}, {}, report);
    ASSERT_EQ(r.status, IndexBuildStatus::Ok) << r.error;
    EXPECT_EQ(warnings, (std::vector<std::pair<std::uint32_t, std::size_t>>{{2, kMaxHeadwordBytes + 1}}));
    EXPECT_EQ(r.stats.skippedHeadwords, 1u);
    std::vector<std::string> words;
    for (const StoredNode& node : RecordReader(dir.Read("index/$$TMP$$.x")).ReadAll())
        words.push_back(node.word);
    EXPECT_EQ(words, std::vector<std::string>{longest});
    EXPECT_NE(dir.Read("index/$$TMP$$.b"), "");  // the rest of the line is still indexed
}

TEST(IndexBuilder, RemovesIndexFilesOfAnEarlierBuild)
{
    TempDir dir;
    for (const char* name : {"index/$$TMP$$.z", "index/$$TMP$$._", "index/$$TMP$$.C", "index/$$TMP$$.z.bak"})
        dir.Write(name, "old");
    ASSERT_EQ(Build(dir, {{"\x1b" "cat\x1b\n"}}).status, IndexBuildStatus::Ok);
    EXPECT_EQ(FileNames(dir, "index"), (std::set<std::string>{"$$TMP$$.c", "$$TMP$$.z.bak", "kplindex.ini"}));
}

TEST(IndexBuilder, RefusesBadInputAndLeavesTheIndexAlone)
{
    TempDir dir;
    const std::string good = dir.Write("good.txt", "\x1b" "cat\x1b\n");
    const std::string huge = dir.Write("huge.txt", "");
    fs::resize_file(huge, std::uintmax_t{1} << 31);  // sparse
    const std::string deep = dir.Write(std::string(150, 'd') + "/" + std::string(110, 'e') + ".txt", "x\n");
    dir.Write("index/$$TMP$$.z", "old");
    struct Case {
        std::vector<std::string> files;
        const char* errorContains;
    } cases[] = {
        {{good, dir.File("missing.txt")}, "missing.txt"},
        {{good, dir.Path()}, "not a regular file"},
        {{good, huge}, "2 GiB"},
        {{deep}, "259"},
        {std::vector<std::string>(kMaxDictionaryFiles + 1, good), "32767"},
    };
    for (const Case& c : cases) {
        const IndexBuildResult r = BuildIndexDirectory(dir.File("index"), c.files, {});
        EXPECT_EQ(r.status, IndexBuildStatus::BadInput) << c.errorContains;
        EXPECT_NE(r.error.find(c.errorContains), std::string::npos) << r.error;
        EXPECT_EQ(FileNames(dir, "index"), std::set<std::string>{"$$TMP$$.z"}) << c.errorContains;
    }
}

// A path through a symbolic link and ".." is recorded as the file that was
// read, not as its lexical shortening (which would name another file).
TEST(IndexBuilder, RecordsThePathThatWasRead)
{
    TempDir dir;
    dir.Write("real/dict.txt", "\x1b" "cat\x1b right\n");
    dir.Write("other/dict.txt", "\x1b" "cat\x1b wrong\n");
    fs::create_directories(dir.File("real/sub"));
    fs::create_directory_symlink(dir.File("real/sub"), dir.File("other/link"));
    const std::string given = dir.File("other/link/../dict.txt");  // reads real/dict.txt
    const IndexBuildResult r = BuildIndexDirectory(dir.File("index"), std::vector<std::string>{given}, {});
    ASSERT_EQ(r.status, IndexBuildStatus::Ok) << r.error;
    EXPECT_TRUE(dir.Read("index/kplindex.ini").starts_with("[FileID]\n0=" + fs::canonical(dir.File("real/dict.txt")).string() + "\n"));
}

}  // namespace
