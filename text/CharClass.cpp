#include "text/CharClass.h"

#include <array>

namespace tabrel {
namespace {

struct ByteRange {
    unsigned first;
    unsigned last;
    std::uint8_t bits;
};

// Character-type bits by byte range; bytes 0x80-0xFF have none.
constexpr ByteRange kCharTypeRanges[] = {
    {0x00, 0x1F, kCtControl},   {0x7F, 0x7F, kCtControl},   {0x09, 0x0D, kCtSpace},
    {0x20, 0x20, kCtSpace},     {0x21, 0x2F, kCtPunct},     {0x3A, 0x40, kCtPunct},
    {0x5B, 0x60, kCtPunct},     {0x7B, 0x7E, kCtPunct},     {0x20, 0x7E, kCtPrint},
    {0x30, 0x39, kCtHexDigit},  {0x41, 0x46, kCtHexDigit},  {0x61, 0x66, kCtHexDigit},
    {0x30, 0x39, kCtDigit},     {0x41, 0x5A, kCtUpper},     {0x61, 0x7A, kCtLower},
};

constexpr ByteRange kDbcsRanges[] = {
    {0xA6, 0xDF, kDbKatakana}, {0xA1, 0xA5, kDbKanaPunct}, {0x81, 0x9F, kDbLead},
    {0xE0, 0xFC, kDbLead},     {0x40, 0x7E, kDbTrail},     {0x80, 0xFC, kDbTrail},
};

// Entry 0 stands for end of file (-1); byte b is at entry b + 1.
constexpr std::array<std::uint8_t, 257> MakeCharTypeTable()
{
    std::array<std::uint8_t, 257> table{};
    for (const ByteRange& r : kCharTypeRanges)
        for (unsigned b = r.first; b <= r.last; ++b)
            table[b + 1] |= r.bits;
    return table;
}

constexpr std::array<std::uint8_t, 256> MakeDbcsTable()
{
    std::array<std::uint8_t, 256> table{};
    for (const ByteRange& r : kDbcsRanges)
        for (unsigned b = r.first; b <= r.last; ++b)
            table[b] |= r.bits;
    return table;
}

constexpr std::array<std::uint8_t, 257> kCharTypeTable = MakeCharTypeTable();
constexpr std::array<std::uint8_t, 256> kDbcsTable = MakeDbcsTable();

constexpr bool InRange(unsigned code, unsigned first, unsigned last)
{
    return code >= first && code <= last;
}

// Lead byte followed by a valid second byte.
bool IsValidDbcsCode(unsigned code)
{
    return code <= 0xFFFF && IsLeadByte(static_cast<unsigned char>(code >> 8)) &&
           IsTrailByte(static_cast<unsigned char>(code & 0xFF));
}

unsigned Byte(const char* text, int pos)
{
    return static_cast<unsigned char>(text[pos]);
}

}  // namespace

std::uint8_t CharType(int byteOrEof)
{
    if (byteOrEof < -1 || byteOrEof > 0xFF)
        return 0;
    return kCharTypeTable[static_cast<std::size_t>(byteOrEof + 1)];
}

std::uint8_t DbcsType(unsigned char byte)
{
    return kDbcsTable[byte];
}

int GetDbcsCharClass(unsigned code)
{
    if (code == 0x815B)  // prolonged sound mark goes with katakana
        return 3;
    if (InRange(code, 0x8141, 0x817A))
        return 7;
    if ((InRange(code, 0x889F, 0x9872) || InRange(code, 0x989F, 0xEA9E)) && IsValidDbcsCode(code))
        return 5;
    if (InRange(code, 0x829F, 0x82F1))
        return 4;
    if (InRange(code, 0x8340, 0x8396) && code != 0x837F)
        return 3;
    if (InRange(code, 0x824F, 0x8294))
        return 6;
    if (code == 0x8140)
        return 8;
    return 10;
}

int GetCharClass(const char* text, int pos)
{
    if (pos < 0)
        return 9;

    // Walk characters from the first byte up to pos. A lead byte just before
    // the terminating zero is a character by itself.
    int start = 0;
    while (start < pos) {
        if (IsLeadByte(static_cast<unsigned char>(text[start])) && text[start + 1] != '\0')
            start += 2;
        else
            start += 1;
    }

    const unsigned b = Byte(text, pos);
    if (start == pos) {
        if (IsLeadByte(static_cast<unsigned char>(b)))
            return GetDbcsCharClass((b << 8) | Byte(text, pos + 1));
    } else if (IsTrailByte(static_cast<unsigned char>(b))) {
        // pos is the second byte of the character starting at pos - 1.
        return GetDbcsCharClass((Byte(text, pos - 1) << 8) | b);
    }

    const std::uint8_t type = CharType(static_cast<int>(b));
    if ((type & kCtPunct) != 0 || (DbcsType(static_cast<unsigned char>(b)) & kDbKanaPunct) != 0)
        return 1;
    if ((type & (kCtDigit | kCtUpper | kCtLower)) != 0)
        return 0;
    if ((DbcsType(static_cast<unsigned char>(b)) & kDbKatakana) != 0)
        return 2;
    return 9;
}

bool IsDelimitedMatch(const char* text, int pos, int len)
{
    const int end = pos + len;
    return GetCharClass(text, pos) != GetCharClass(text, pos - 1) &&
           GetCharClass(text, end - 1) != GetCharClass(text, end);
}

}  // namespace tabrel
