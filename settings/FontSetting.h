#pragma once
// Fonts in the application profile: a font record and a colour as sixteen
// numbers under <prefix>"Font", the face name under <prefix>"FontFace".

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/ProfileKeys.h"

namespace tabrel {

/// The fields of the classic logical-font record, single-byte variant.
struct FontRecord {
    std::int32_t lfHeight = 0;
    std::int32_t lfWidth = 0;
    std::int32_t lfEscapement = 0;
    std::int32_t lfOrientation = 0;
    std::int32_t lfWeight = 0;
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = 0;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    char lfFaceName[32] = {};  ///< at most 31 bytes and a zero byte

    bool operator==(const FontRecord&) const = default;
};

/// Stateless accessor: any instance serves any section and prefix.
class CFontSetting {
public:
    /// Reads the font under `prefix`. Returns false and leaves `font` and
    /// `color` alone when the stored font string is empty. Reads the first
    /// fourteen numbers and ignores the rest; numbers missing from a shorter
    /// string take their value from the default font string. A face name
    /// longer than 31 bytes is cut at the last whole character that fits.
    bool GetFont(std::string_view section, std::string_view prefix, FontRecord& font, COLORREF& color) const;

    /// Writes the sixteen numbers and the face name; false when the profile
    /// cannot be written.
    bool WriteFont(std::string_view section, std::string_view prefix, const FontRecord& font,
                   const COLORREF& color) const;
};

/// Fills `font` and `color` from a font string as GetFont reads it.
void ParseFontString(std::string_view text, FontRecord& font, COLORREF& color);

/// The sixteen-number font string WriteFont stores.
std::string FormatFontString(const FontRecord& font, COLORREF color);

}  // namespace tabrel
