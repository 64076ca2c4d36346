// Code page 932 bytes from outside through the conversion at the edges and
// the text rules: Cp932ToUtf8 gives well-formed UTF-8 that converts back
// stably; the tokenizer, on a zero-terminated copy, gives tokens that lie in
// order inside the text, begin with no separator and come back unchanged
// when tokenized alone; GetCharClass and IsDelimitedMatch answer at every
// position; LowerCp932 keeps the length and changes only ASCII capitals that
// are not the second byte of a double-byte character; ExtractWord gives a
// piece of the line without separators.

#include <cstring>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "platform/Cp932.h"
#include "text/CharClass.h"
#include "text/Cp932Text.h"

using namespace tabrel;
using namespace tabrel::fuzz;

namespace {

// Positional checks walk the text for each position; longer inputs only
// repeat the same paths more slowly.
constexpr std::size_t kMaxPositionalBytes = 256;
constexpr int kMaxMatchLength = 6;

bool IsWellFormedUtf8(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        std::size_t n = 0;
        unsigned min = 0;
        if (b < 0x80) {
            ++i;
            continue;
        } else if (b >= 0xC2 && b <= 0xDF) {
            n = 1, min = 0x80;
        } else if (b >= 0xE0 && b <= 0xEF) {
            n = 2, min = 0x800;
        } else if (b >= 0xF0 && b <= 0xF4) {
            n = 3, min = 0x10000;
        } else {
            return false;
        }
        if (i + n >= s.size())
            return false;
        unsigned code = b & (0x3F >> n);
        for (std::size_t k = 1; k <= n; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (c & 0x3F);
        }
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += n + 1;
    }
    return true;
}

void CheckConversion(std::string_view bytes)
{
    const std::string utf8 = Cp932ToUtf8(bytes);
    Check(IsWellFormedUtf8(utf8), "Cp932ToUtf8 gave ill-formed UTF-8");
    // Each input byte gives at most one character of at most 3 bytes.
    Check(utf8.size() <= bytes.size() * 3, "Cp932ToUtf8 grew the text too much");
    std::size_t replaced = 99;
    const std::string back = Utf8ToCp932(utf8, &replaced);
    Check(replaced <= utf8.size(), "a replacement count beyond the characters");
    // What came back from UTF-8 is the canonical spelling: it goes round unchanged.
    std::size_t again = 99;
    CheckBytes(back, Utf8ToCp932(Cp932ToUtf8(back), &again), "code page 932 from UTF-8 does not go round");
    Check(again == 0, "code page 932 made from UTF-8 has characters UTF-8 cannot take back");

    // The input taken as UTF-8, the way dialog edits and the clipboard come in.
    const std::string fromUtf8 = Utf8ToCp932(bytes, &replaced);
    Check(replaced <= bytes.size(), "more replacements than input bytes");
    Check(IsWellFormedUtf8(Cp932ToUtf8(fromUtf8)), "a converted UTF-8 input does not convert back");
}

void CheckTokenizer(const std::string& text)
{
    // The tokenizer sees the text up to its first zero byte.
    const std::string line = text.substr(0, std::strlen(text.c_str()));
    std::string buffer = line;
    CTokenizer tokenizer(buffer.data());
    const char* const base = buffer.data();
    std::size_t nextStart = 0;
    for (char* t = tokenizer.Next(); t; t = tokenizer.Next()) {
        const std::size_t start = static_cast<std::size_t>(t - base);
        const std::size_t len = std::strlen(t);
        Check(start >= nextStart && start + len <= line.size(), "a token outside the text or out of order");
        Check(len > 0, "an empty token");
        Check(!IsPickSeparator(static_cast<unsigned char>(line[start])), "a token begins with a separator");
        for (std::size_t i = nextStart; i < start; ++i)
            Check(IsPickSeparator(static_cast<unsigned char>(line[i])), "a word byte skipped between tokens");
        CheckBytes(line.substr(start, len), std::string_view(t, len), "a token is not the text it covers");
        Check(start + len == line.size() || IsPickSeparator(static_cast<unsigned char>(line[start + len])),
              "a token ends before a word byte");

        std::string alone(t, len);
        CTokenizer again(alone.data());
        const char* first = again.Next();
        Check(first && std::string_view(first) == std::string_view(t, len) && !again.Next(),
              "a token tokenized alone changes");
        nextStart = start + len + 1;
    }
    Check(!tokenizer.Next(), "the tokenizer goes on after its end");
    for (std::size_t i = nextStart; i < line.size(); ++i)
        Check(IsPickSeparator(static_cast<unsigned char>(line[i])), "word bytes left after the last token");
}

void CheckClasses(const std::string& text)
{
    const int end = static_cast<int>(std::strlen(text.c_str()));
    for (int pos = -1; pos <= end; ++pos) {
        const int cls = GetCharClass(text.c_str(), pos);
        Check(cls >= 0 && cls <= 10, "a character class out of range");
    }
    for (int pos = 0; pos <= end; ++pos) {
        for (int len = 0; len <= kMaxMatchLength && pos + len <= end; ++len)
            IsDelimitedMatch(text.c_str(), pos, len);
    }
}

void CheckLower(std::string_view text)
{
    const std::string lower = LowerCp932(text);
    Check(lower.size() == text.size(), "LowerCp932 changed the length");
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (IsLeadByte(b) && i + 1 < text.size()) {
            CheckBytes(text.substr(i, 2), std::string_view(lower).substr(i, 2), "LowerCp932 changed a double-byte character");
            i += 2;
            continue;
        }
        const char want = b >= 'A' && b <= 'Z' ? static_cast<char>(b + 32) : static_cast<char>(b);
        Check(lower[i] == want, "LowerCp932 changed a byte other than a single-byte capital");
        ++i;
    }
    CheckBytes(lower, LowerCp932(lower), "LowerCp932 is not settled after one pass");
}

void CheckExtractWord(std::string_view line)
{
    for (std::size_t i = 0; i <= line.size(); ++i) {
        const std::string word = ExtractWord(line, i);
        if (word.empty())
            continue;
        Check(line.find(word) != std::string_view::npos, "ExtractWord gave bytes not in the line");
        for (char c : word)
            Check(!IsPickSeparator(static_cast<unsigned char>(c)), "ExtractWord gave a separator");
    }
}

std::vector<std::string> Seeds()
{
    return {
        "Take it easy, don't worry: 3.14 and 1,000 dollars.",
        "\x83\x65\x83\x58\x83\x67 TEST \x82\xa0\x82\xa2 \x93\xfa\x96\x7b\x8c\xea",  // katakana, hiragana, kanji
        "\x81\x5b\x81\x40\xb1\xb2\xa1 half-width \xdf",
        "\x82\x60\x82\x61 \x81\x5c x\x81",                                            // lead byte at the end
        "\x83\x5c\x83\x74\x83\x67 \x95\x5c",                                           // second bytes 0x5C
        std::string("a\0b", 3),
        "\xe2\x82\xac \xef\xbd\xb1 \xf0\x9f\x98\x80",                                  // UTF-8: euro, kana, emoji
        "\x80\xa0\xfd\xfe\xff \x85\x40 \xeb\x40 \xf0\x40",
    };
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    WriteSeedsIfAsked(Seeds);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input = Bytes(data, size);
    CheckConversion(input);
    CheckLower(input);
    const std::string text(input.substr(0, kMaxPositionalBytes));  // std::string ends in a zero byte
    CheckTokenizer(text);
    CheckClasses(text);
    CheckExtractWord(text);
    return 0;
}
