#pragma once
// Colours in the application profile, stored as decimal text.

#include <cstdint>
#include <string_view>

#include "settings/ProfileKeys.h"

namespace tabrel {

/// Stateless accessor: any instance serves any section and key.
class CColorSetting {
public:
    /// Reads a colour whose text may be decimal, "0x" hexadecimal or "0"
    /// octal (conversion stops at the first character that does not fit; no
    /// digits give 0). The default is red/green/blue, low 8 bits of each.
    bool GetColor(std::string_view section, std::string_view key, COLORREF& color, int red, int green, int blue) const;

    /// Reads a colour stored as a plain decimal integer, `def` when absent.
    bool GetColorInt(std::string_view section, std::string_view key, COLORREF& color, const COLORREF& def) const;

    /// Writes the colour's decimal text; false when the profile cannot be written.
    bool WriteColor(std::string_view section, std::string_view key, const COLORREF& color) const;
};

/// Converts colour text with automatic base as described at GetColor; the
/// result is a signed 32-bit value, saturated at its limits.
std::int32_t ParseColorText(std::string_view text);

}  // namespace tabrel
