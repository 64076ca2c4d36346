// The index builder over dictionary text from outside. Input: an option
// byte (separator, body posting type, stop words), then the dictionary
// text. The builder reads its lines and writes its index files; each file
// must be a well-formed tree whose headwords ascend in order and share the
// file's initial, with postings of real line starts in line order, and the
// counts must match the builder's figures. Then the first headword of the
// text, when it is a single word that can be looked up, is looked up
// through the written index and must find its line.

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "document/LookUpTrigger.h"
#include "document/TabrelDoc.h"
#include "index/IndexBuilder.h"
#include "index/IndexFiles.h"
#include "platform/UiServices.h"
#include "text/CharClass.h"
#include "text/Cp932Text.h"

using namespace tabrel;
using namespace tabrel::fuzz;

namespace {

constexpr std::size_t kEntryLineBytes = 7998;

class QuietUi : public IUiServices {
public:
    void MessageBox(std::string_view) override {}
    void Beep() override {}
    std::optional<std::string> ChooseFileToOpen(std::string_view) override { return std::nullopt; }
};

IndexBuildOptions OptionsOf(unsigned char byte)
{
    static const char* const separators[] = {"", " : ", "\t", "="};
    IndexBuildOptions options;
    options.separator = separators[byte & 3];
    options.bodyType = (byte & 4) ? 3 : kHiddenPostingType;
    if (byte & 8)
        options.stopWords = {"the", "a", "of"};
    return options;
}

// Reads one index file as written and checks it; adds up its nodes and postings.
class TreeChecker {
public:
    TreeChecker(std::string_view bytes, char initial, std::string_view text, std::uint8_t bodyType)
        : m_bytes(bytes), m_initial(initial), m_text(text), m_bodyType(bodyType)
    {
    }

    void Run()
    {
        Check(U8() == kIndexVersion, "an index file without version 4");
        Node(0);
        Check(m_at == m_bytes.size(), "bytes after the tree");
    }

    std::uint64_t nodes = 0;
    std::uint64_t postings = 0;

private:
    std::uint8_t U8()
    {
        Check(m_at < m_bytes.size(), "an index file ends inside a record");
        return static_cast<unsigned char>(m_bytes[m_at++]);
    }
    std::uint16_t U16()
    {
        const std::uint8_t low = U8();
        return static_cast<std::uint16_t>(low | (U8() << 8));
    }
    std::uint32_t U32()
    {
        const std::uint16_t low = U16();
        return low | (static_cast<std::uint32_t>(U16()) << 16);
    }

    void Node(int depth)
    {
        Check(depth < 64, "a tree far deeper than balanced");
        const std::uint8_t wordSize = U8();
        Check(wordSize >= 2, "a node with an empty headword");
        std::string word;
        for (int i = 0; i + 1 < wordSize; ++i)
            word += static_cast<char>(U8());
        Check(U8() == 0, "a headword without its zero byte");
        Check(word.find('\0') == std::string::npos, "a headword holding a zero byte");
        Check(!IsLeadByte(static_cast<unsigned char>(word[0])), "a headword beginning with a lead byte");
        Check(GetIndexFilePath({}, word).value().back() == m_initial, "a headword in the file of another initial");
        ++nodes;

        const std::uint32_t count = U32();
        Check(count > 0, "a headword without postings");
        std::int64_t lastOffset = -1;
        for (std::uint32_t i = 0; i < count; ++i) {
            const auto offset = static_cast<std::int32_t>(U32());
            const std::uint32_t line = U32();
            const std::uint16_t fileId = U16();
            const std::uint8_t type = U8();
            Check(fileId == 0, "a posting of another file");
            Check(offset >= 0 && static_cast<std::size_t>(offset) < m_text.size(), "a posting outside the text");
            Check(offset == 0 || m_text[static_cast<std::size_t>(offset) - 1] == '\n',
                  "a posting not at a line start");
            Check(offset > lastOffset, "postings out of line order or twice for one line");
            lastOffset = offset;
            const auto before = m_text.substr(0, static_cast<std::size_t>(offset));
            Check(line == 1 + static_cast<std::uint32_t>(std::count(before.begin(), before.end(), '\n')),
                  "a posting with the wrong line number");
            Check(type == kHeadwordPostingType || type == kPhraseWordPostingType || type == m_bodyType ||
                      type == kHiddenPostingType,
                  "a posting of an unknown type");
            ++postings;
        }
        Check(static_cast<std::int32_t>(U32()) == kPostingListEnd, "a posting list without its terminator");

        const std::uint8_t beforeFlag = U8();
        Check(beforeFlag <= 1, "a subtree flag other than 0 or 1");
        if (beforeFlag)
            Node(depth + 1);
        // In-order: everything before this node is smaller.
        Check(m_last.empty() || std::string_view(m_last) < std::string_view(word),
              "headwords not in ascending order");
        m_last = word;
        const std::uint8_t afterFlag = U8();
        Check(afterFlag <= 1, "a subtree flag other than 0 or 1");
        if (afterFlag)
            Node(depth + 1);
    }

    std::string_view m_bytes;
    char m_initial;
    std::string_view m_text;
    std::uint8_t m_bodyType;
    std::size_t m_at = 0;
    std::string m_last;
};

// The first line with a headword: its offset and headword.
struct FirstHeadword {
    std::size_t offset = 0;
    std::string headword;
};

std::optional<FirstHeadword> FindFirstHeadword(std::string_view text, const IndexBuildOptions& options)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        std::optional<std::string_view> head;
        if (options.separator.empty()) {
            if (line.size() > 1 && line[0] == '\x1b' && line.find('\x1b', 1) != std::string_view::npos)
                head = line.substr(1, line.find('\x1b', 1) - 1);
        } else if (line.find(options.separator) != std::string_view::npos) {
            head = line.substr(0, line.find(options.separator));
        }
        if (head) {
            while (!head->empty() && IsPickSpace(static_cast<unsigned char>(head->front())))
                head->remove_prefix(1);
            while (!head->empty() && IsPickSpace(static_cast<unsigned char>(head->back())))
                head->remove_suffix(1);
            if (!head->empty())
                return FirstHeadword{pos, std::string(*head)};
        }
        pos = end + 1;
    }
    return std::nullopt;
}

// A headword the reader can look up as one word: no control byte, at most
// 254 bytes, one token, not beginning with a lead byte.
bool LooksUpAsOneWord(const std::string& lowered)
{
    if (lowered.empty() || lowered.size() > kMaxHeadwordBytes || IsLeadByte(static_cast<unsigned char>(lowered[0])))
        return false;
    for (char c : lowered) {
        if (static_cast<unsigned char>(c) < 0x20)
            return false;
    }
    std::string copy = lowered;
    CTokenizer tokenizer(copy.data());
    tokenizer.Next();
    return tokenizer.Next() == nullptr;
}

// The result line the look-up makes of the line at `offset`.
std::string ResultLineAt(std::string_view text, std::size_t offset)
{
    std::string line;
    for (std::size_t i = offset; i < text.size() && line.size() < kEntryLineBytes; ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        line += text[i];
        if (text[i] == '\n')
            break;
    }
    line.resize(std::strlen(line.c_str()));
    if (!line.empty() && line.back() == '\n')
        line.pop_back();
    return line + "\r\n";
}

std::vector<std::string> Seeds()
{
    const std::string esc =
        "\x1btake\x1b : \x8e\xe6\x82\xe9 to take\r\n"
        "\x1btake off\x1b : \x97\xa3\x97\xa4\x82\xb7\x82\xe9 (of a plane)\r\n"
        "\x1b-ing\x1b : suffix\n"
        "\x1b" "3D\x1b : three dimensions\n"
        "\x1b\x83\x65\x83\x58\x83\x67\x1b : test\n"
        "\x1b" "don't\x1b : do not\n"
        "no headword line with the words and of\n"
        "\x1b" "A\x1b : the letter a\n";
    return {
        std::string(1, '\0') + esc,
        std::string(1, '\x04') + esc,
        std::string(1, '\x09') + "apple : a fruit\nbig apple : new york\n : empty headword\nplain line\n",
        std::string(1, '\x02') + "word\tgloss\r\n#hash\tsign\r\n1st\tfirst\r\n",
        std::string(1, '\x03') + "a=b=c\nkey = value with spaces\n",
    };
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    WriteSeedsIfAsked(Seeds);
    ::setenv("XDG_CONFIG_HOME", ScratchDir().c_str(), 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view input = Bytes(data, size);
    const IndexBuildOptions options = OptionsOf(static_cast<unsigned char>(input[0]));
    const std::string_view text = input.substr(1);

    CIndexBuilder builder(options);
    builder.AddDictionary(text, 0);
    const std::map<char, std::string> files = builder.Serialize();
    std::uint64_t nodes = 0, postings = 0;
    for (const auto& [initial, bytes] : files) {
        TreeChecker checker(bytes, initial, text, options.bodyType);
        checker.Run();
        nodes += checker.nodes;
        postings += checker.postings;
    }
    Check(nodes == builder.Stats().words, "the index files hold another number of words than counted");
    Check(postings == builder.Stats().postings, "the index files hold another number of postings than counted");

    const std::optional<FirstHeadword> first = FindFirstHeadword(text, options);
    if (!first)
        return 0;
    const std::string lowered = LowerCp932(first->headword);
    if (!LooksUpAsOneWord(lowered))
        return 0;

    const std::string& dir = ScratchDir();
    const std::string dictPath = dir + "dict.txt";
    WriteBytes(dictPath, text);
    WriteBytes(dir + kIndexIniName, IndexIniText({dictPath}));
    for (const auto& [initial, bytes] : files)
        WriteBytes(dir + kIndexFilePrefix + initial, bytes);

    static QuietUi ui;
    const auto doc = std::make_shared<CTabrelDoc>(ui);
    const PickOutcome outcome = AutoLookUp(*doc, lowered, dir);
    Check(outcome.lookedUp && outcome.status.outcome == LookUpOutcome::Done, "the first headword's look-up failed");
    const std::string want = ResultLineAt(text, first->offset);
    bool found = false;
    for (std::string_view line : doc->GetResultList())
        found = found || line == want;
    if (!found)
        Fail("the first headword's look-up misses its line", want,
             doc->GetResultList().IsEmpty() ? std::string_view() : *doc->GetResultList().begin());
    return 0;
}
