#include "settings/FontSetting.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <string>

#include "text/CharClass.h"
#include "platform/Profile.h"

namespace tabrel {
namespace {

constexpr std::size_t kNumbersRead = 14;

// Reads up to `out.size()` decimal integers separated by white space, as a
// "%d %d ..." scan does: stops at the first text that is not a number.
// Returns how many were read.
std::size_t ScanNumbers(std::string_view text, std::array<long long, kNumbersRead>& out)
{
    std::size_t count = 0;
    std::size_t i = 0;
    const auto space = [&](std::size_t k) {
        const char c = text[k];
        return c == ' ' || (c >= '\t' && c <= '\r');
    };
    while (count < out.size()) {
        while (i < text.size() && space(i))
            ++i;
        bool negative = false;
        if (i < text.size() && (text[i] == '-' || text[i] == '+'))
            negative = text[i++] == '-';
        if (i >= text.size() || text[i] < '0' || text[i] > '9')
            break;
        unsigned long long v = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
            v = v * 10 + static_cast<unsigned>(text[i] - '0');  // wraps like a 32-bit store below
        // Negated as an unsigned number, so even -9223372036854775808 is no
        // signed overflow; only the low 32 bits are kept below anyway.
        out[count++] = static_cast<long long>(negative ? 0ULL - v : v);
    }
    return count;
}

void Apply(const std::array<long long, kNumbersRead>& n, FontRecord& font, COLORREF& color)
{
    const auto i32 = [](long long v) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(v)); };
    const auto u8 = [](long long v) { return static_cast<std::uint8_t>(v & 0xFF); };
    font.lfHeight = i32(n[0]);
    font.lfWidth = i32(n[1]);
    font.lfEscapement = i32(n[2]);
    font.lfOrientation = i32(n[3]);
    font.lfWeight = i32(n[4]);
    font.lfItalic = u8(n[5]);
    font.lfUnderline = u8(n[6]);
    font.lfStrikeOut = u8(n[7]);
    font.lfCharSet = u8(n[8]);
    font.lfOutPrecision = u8(n[9]);
    font.lfClipPrecision = u8(n[10]);
    font.lfQuality = u8(n[11]);
    font.lfPitchAndFamily = u8(n[12]);
    color = static_cast<COLORREF>(n[13]);
}

// Copies `face` into the 32-byte field: at most 31 bytes, never ending in
// the first half of a double-byte character.
void SetFaceName(FontRecord& font, std::string_view face)
{
    std::size_t len = 0;
    while (len < face.size()) {
        const std::size_t step = IsLeadByte(static_cast<unsigned char>(face[len])) && len + 1 < face.size() ? 2 : 1;
        if (len + step > sizeof font.lfFaceName - 1)
            break;
        len += step;
    }
    std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
    std::memcpy(font.lfFaceName, face.data(), len);
}

}  // namespace

void ParseFontString(std::string_view text, FontRecord& font, COLORREF& color)
{
    std::array<long long, kNumbersRead> defaults{};
    ScanNumbers(profile::kDefaultFontString, defaults);
    std::array<long long, kNumbersRead> numbers = defaults;
    ScanNumbers(text, numbers);  // numbers it cannot read keep the default's
    Apply(numbers, font, color);
}

std::string FormatFontString(const FontRecord& f, COLORREF color)
{
    char buf[256];
    std::snprintf(buf, sizeof buf, "%d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %ld", f.lfHeight, f.lfWidth,
                  f.lfEscapement, f.lfOrientation, f.lfWeight, f.lfItalic, f.lfUnderline, f.lfStrikeOut,
                  f.lfCharSet, f.lfOutPrecision, f.lfClipPrecision, f.lfQuality, f.lfPitchAndFamily,
                  static_cast<int>(color), 0, 0L);
    return buf;
}

bool CFontSetting::GetFont(std::string_view section, std::string_view prefix, FontRecord& font,
                           COLORREF& color) const
{
    const std::string base(prefix);
    const std::string text = GetProfileString(section, base + "Font", profile::kDefaultFontString);
    if (text.empty())
        return false;
    const std::string face = GetProfileString(section, base + "FontFace", profile::kDefaultFontFace);
    ParseFontString(text, font, color);
    SetFaceName(font, face);
    return true;
}

bool CFontSetting::WriteFont(std::string_view section, std::string_view prefix, const FontRecord& font,
                             const COLORREF& color) const
{
    const std::string base(prefix);
    const std::string face(font.lfFaceName, strnlen(font.lfFaceName, sizeof font.lfFaceName));
    const bool numbersWritten = WriteProfileString(section, base + "Font", FormatFontString(font, color));
    return WriteProfileString(section, base + "FontFace", face) && numbersWritten;
}

}  // namespace tabrel
