#include "doc/PickLogic.h"

#include "index/CharClass.h"

namespace tabrel {

const char kMsgLeadingSpace[] = "不正な文字が入力されました!!英数字で始まってないとダメです。";
const char kMsgDoubleByte[] = "２バイトコードは使用できません!!";
const char kMsgTooLong[] = "199バイトより長い文字列は使用できません!!";

bool IsPickSpace(unsigned char b)
{
    return (CharType(b) & kCtSpace) != 0;
}

bool IsPickSeparator(unsigned char b)
{
    return (CharType(b) & (kCtSpace | kCtPunct)) != 0;
}

std::string ExtractWord(std::string_view line, std::size_t i)
{
    if (i >= line.size())
        return {};
    std::size_t start;
    if (IsPickSeparator(static_cast<unsigned char>(line[i]))) {
        start = i + 1;
    } else {
        start = i;
        while (start > 0 && !IsPickSeparator(static_cast<unsigned char>(line[start - 1])))
            --start;
    }
    std::size_t end = start;
    while (end < line.size() && !IsPickSeparator(static_cast<unsigned char>(line[end])))
        ++end;
    return std::string(line.substr(start, end - start));
}

std::string LowerCp932(std::string_view text)
{
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto b = static_cast<unsigned char>(out[i]);
        if (IsLeadByte(b) && i + 1 < out.size())
            ++i;  // the second byte may look like a capital: leave it
        else if (b >= 'A' && b <= 'Z')
            out[i] = static_cast<char>(b + ('a' - 'A'));
    }
    return out;
}

namespace {
char* g_savedPosition = nullptr;

bool IsLetter(unsigned char b)
{
    return (CharType(b) & (kCtUpper | kCtLower)) != 0;
}
}  // namespace

char* NextToken(char* text)
{
    char* p;
    if (text) {
        if (*text == '\0')
            return nullptr;
        p = text;
    } else {
        if (!g_savedPosition || *g_savedPosition == '\0') {
            g_savedPosition = nullptr;
            return nullptr;
        }
        p = g_savedPosition;
    }

    while (*p && IsPickSeparator(static_cast<unsigned char>(*p)))
        ++p;
    if (*p == '\0') {
        g_savedPosition = nullptr;
        return nullptr;
    }

    char* const start = p;
    while (*p) {
        const auto b = static_cast<unsigned char>(*p);
        if (IsLeadByte(b)) {
            p += p[1] ? 2 : 1;
            continue;
        }
        if (IsPickSeparator(b)) {
            // p > start here: the token began with a non-separator.
            const auto before = static_cast<unsigned char>(p[-1]);
            const auto after = static_cast<unsigned char>(p[1]);
            const bool keep = (b == '\'' && IsLetter(before) && IsLetter(after)) ||
                              (IsAsciiDigit(before) && IsAsciiDigit(after));
            if (!keep) {
                *p = '\0';
                g_savedPosition = p + 1;
                return start;
            }
        }
        ++p;
    }
    g_savedPosition = nullptr;
    return start;
}

std::optional<std::string> CheckManualText(std::string_view text)
{
    if (!text.empty() && IsPickSpace(static_cast<unsigned char>(text[0])))
        return std::string(kMsgLeadingSpace);
    for (char c : text) {
        if (IsLeadByte(static_cast<unsigned char>(c)))
            return std::string(kMsgDoubleByte);
    }
    if (text.size() > kMaxPickBytes)
        return std::string(kMsgTooLong);
    return std::nullopt;
}

}  // namespace tabrel
