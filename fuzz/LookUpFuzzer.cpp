// The look-up over index bytes from outside. Input: one byte giving the key
// length (modulo 48), the key, then the bytes of the index file "$$TMP$$.x"
// of a small index directory made at start-up (two dictionary files, a
// FileID for a missing file and one for a folder). The key, made to begin
// with 'x', is looked up as a picked word and as a manual text, and then in
// single-word and phrase mode once with the usual stream buffer and once
// with the smallest, so that every record read crosses a refill. Both
// buffer sizes must end the same way with the same result lines.

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
#include "text/Cp932Text.h"

using namespace tabrel;
using namespace tabrel::fuzz;

namespace {

constexpr std::size_t kMaxKeyBytes = 48;
constexpr std::size_t kSmallestBuffer = 1;  // raised to the stream's own minimum
constexpr std::size_t kMaxResultBytes = 7998 + 2;

class QuietUi : public IUiServices {
public:
    void MessageBox(std::string_view) override {}
    void Beep() override {}
    std::optional<std::string> ChooseFileToOpen(std::string_view) override { return std::nullopt; }
};

std::string Dictionary0()
{
    std::string d;
    d += "\x1bxa\x1b : first entry\r\n";
    d += "\x1bxylophone\x1b : \x96\xd8\x8b\xd5 wooden bars\n";
    d += "\x1bx ray\x1b : an x ray picture; x-ray\n";
    d += "\x1bx'mas\x1b : christmas\n";
    d += "\x1bxo\x1b : zero\0byte after it\n";
    d += "\x1bxl\x1b : " + std::string(9000, 'L') + "\n";
    d += "\r\n";
    d += "\x1bxx\x1b : last line without a line end";
    return d;
}

std::string Dictionary1()
{
    return "\x1bxa\x1b : from the second file\n"
           "\x1bx ray tube\x1b : \x83\x65\x83\x58\x83\x67 x-ray tube\n"
           "\x1bxa\x1b : again xa\r\n";
}

struct Fixture {
    std::string dir;
    std::string indexPath;
};

const Fixture& Setup()
{
    static const Fixture fixture = [] {
        Fixture f;
        f.dir = ScratchDir();
        // No application profile of the user's: the profile lives in the scratch folder.
        ::setenv("XDG_CONFIG_HOME", f.dir.c_str(), 1);
        const std::string d0 = f.dir + "d0.txt";
        const std::string d1 = f.dir + "d1.txt";
        WriteBytes(d0, Dictionary0());
        WriteBytes(d1, Dictionary1());
        WriteBytes(f.dir + kIndexIniName,
                   IndexIniText({d0, d1, f.dir + "missing.txt", f.dir.substr(0, f.dir.size() - 1)}));
        f.indexPath = f.dir + kIndexFilePrefix + "x";
        return f;
    }();
    return fixture;
}

std::string Seed(std::string_view key, std::string_view index)
{
    return std::string(1, static_cast<char>(key.size())) + std::string(key) + std::string(index);
}

std::vector<std::string> Seeds()
{
    CIndexBuilder builder;
    builder.AddDictionary(Dictionary0(), 0);
    builder.AddDictionary(Dictionary1(), 1);
    const std::string index = builder.Serialize().at('x');
    std::vector<std::string> seeds;
    for (const char* key : {"xa", "XYLOPHONE", "x ray", "x-ray", "x'mas", "xo", "xl", "xx", "x ray tube", "xz"})
        seeds.push_back(Seed(key, index));
    seeds.push_back(Seed("xa", index.substr(0, index.size() / 2)));  // cut off inside the tree
    seeds.push_back(Seed("xa", "\x03" + index.substr(1)));            // another version
    seeds.push_back(Seed("xa", ""));                                  // empty file
    // Postings to files 2 (missing), 3 (a folder) and -1, and offsets past the end and negative.
    std::string odd(1, static_cast<char>(kIndexVersion));
    AppendNodeHead(odd, "xa", std::vector<Posting>{{0, 1, 0, 1}, {1 << 30, 2, 0, 1}, {3, 1, 2, 1}, {0, 1, 3, 1}});
    AppendU8(odd, 0);
    AppendU8(odd, 1);
    AppendNodeHead(odd, "xb", std::vector<Posting>{{0, 1, 1, 2}, {0, 1, -1, 1}});
    AppendU8(odd, 0);
    AppendU8(odd, 0);
    seeds.push_back(Seed("xa", odd));
    seeds.push_back(Seed("xb", odd));
    return seeds;
}

struct Outcome {
    LookUpOutcome outcome;
    Error error;
    std::vector<std::string> lines;
};

Outcome Take(CTabrelDoc& doc, const LookUpStatus& status)
{
    Check(!doc.IsBusy(), "the document stays busy after a look-up");
    Check(!doc.IsOperationRunning(), "an operation is still marked running after a look-up");
    Outcome o{status.outcome, status.error, {doc.GetResultList().begin(), doc.GetResultList().end()}};
    for (const std::string& line : o.lines) {
        Check(line.size() >= 2 && line.size() <= kMaxResultBytes, "a result line of impossible length");
        Check(line.compare(line.size() - 2, 2, "\r\n") == 0, "a result line without CR LF");
        Check(line.find('\0') == std::string::npos, "a result line holding a zero byte");
    }
    doc.ClearResultLines();
    return o;
}

void CheckSame(const Outcome& usual, const Outcome& small, const char* mode)
{
    if (usual.outcome != small.outcome || usual.error != small.error)
        Fail(std::string(mode) + ": the smallest buffer ends the look-up differently", usual.error.detail,
             small.error.detail);
    if (usual.lines.size() != small.lines.size())
        Fail(std::string(mode) + ": the smallest buffer finds another number of lines");
    for (std::size_t i = 0; i < usual.lines.size(); ++i)
        CheckBytes(usual.lines[i], small.lines[i], std::string(mode) + ": result lines differ by buffer size");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    WriteSeedsIfAsked(Seeds);
    Setup();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const Fixture& fx = Setup();
    const std::string_view input = Bytes(data, size);
    const std::size_t keyBytes = std::min<std::size_t>(static_cast<unsigned char>(input[0]) % kMaxKeyBytes,
                                                       input.size() - 1);
    std::string key(input.substr(1, keyBytes));
    if (key.empty() || (key[0] != 'x' && key[0] != 'X'))
        key.insert(0, 1, 'x');
    WriteBytes(fx.indexPath, input.substr(1 + keyBytes));

    static QuietUi ui;
    const auto doc = std::make_shared<CTabrelDoc>(ui);

    // As the panes start them: a picked word, then the same text typed in.
    const PickOutcome picked = AutoLookUp(*doc, key, fx.dir);
    // The initial keeps its case in the name; the other case is tried when opening.
    Check(picked.lookedUp && picked.indexPath == fx.dir + kIndexFilePrefix + key[0],
          "a picked word beginning with x was not looked up in $$TMP$$.x");
    Take(*doc, picked.status);
    const PickOutcome typed = ManualLookUp(*doc, key, fx.dir);
    Check(typed.lookedUp, "a typed text beginning with x was not looked up");
    Take(*doc, typed.status);

    // Single-word mode with both buffer sizes.
    const std::string lower = LowerCp932(key);
    const Outcome word = Take(*doc, doc->LookUpWord(lower, fx.indexPath));
    CheckSame(word, Take(*doc, doc->LookUpWord(lower, fx.indexPath, kSmallestBuffer)), "word");

    // Phrase mode, keyed by the first token as a manual look-up keys it.
    std::string tokens = lower;
    CTokenizer tokenizer(tokens.data());
    if (const char* first = tokenizer.Next()) {
        const std::string firstToken = first;
        const Outcome phrase = Take(*doc, doc->LookUpPhrase(firstToken, lower, fx.indexPath));
        CheckSame(phrase, Take(*doc, doc->LookUpPhrase(firstToken, lower, fx.indexPath, kSmallestBuffer)),
                  "phrase");
        // A phrase of one token follows the same postings as the word and
        // only drops lines: its results are a subsequence of the word's.
        if (firstToken == lower) {
            Check(phrase.outcome == word.outcome, "phrase and word of one token end differently");
            std::size_t w = 0;
            for (const std::string& line : phrase.lines) {
                while (w < word.lines.size() && word.lines[w] != line)
                    ++w;
                Check(w < word.lines.size(), "a phrase of one token found a line its word did not");
                ++w;
            }
        }
    }
    return 0;
}
