#include "text/Cp932Text.h"

#include "text/CharClass.h"

namespace tabrel {

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
bool IsLetter(unsigned char b)
{
    return (CharType(b) & (kCtUpper | kCtLower)) != 0;
}
}  // namespace

char* CTokenizer::Next()
{
    char* p = m_pNext;
    if (!p)
        return nullptr;
    while (*p && IsPickSeparator(static_cast<unsigned char>(*p)))
        ++p;
    if (*p == '\0') {
        m_pNext = nullptr;
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
                m_pNext = p + 1;
                return start;
            }
        }
        ++p;
    }
    m_pNext = nullptr;
    return start;
}

}  // namespace tabrel
