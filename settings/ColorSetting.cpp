#include "settings/ColorSetting.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

#include "platform/Profile.h"

namespace tabrel {

std::int32_t ParseColorText(std::string_view text)
{
    const std::string s(text);
    errno = 0;
    long long v = std::strtoll(s.c_str(), nullptr, 0);  // base 0: 0x.. hex, 0.. octal, else decimal
    if (v > INT32_MAX)
        v = INT32_MAX;
    if (v < INT32_MIN)
        v = INT32_MIN;
    return static_cast<std::int32_t>(v);
}

bool CColorSetting::GetColor(std::string_view section, std::string_view key, COLORREF& color, int red, int green,
                             int blue) const
{
    const COLORREF def = MakeColor(static_cast<unsigned>(red), static_cast<unsigned>(green), static_cast<unsigned>(blue));
    const std::string text = GetProfileString(section, key, std::to_string(def));
    color = static_cast<COLORREF>(ParseColorText(text));
    return true;
}

bool CColorSetting::GetColorInt(std::string_view section, std::string_view key, COLORREF& color,
                                const COLORREF& def) const
{
    color = static_cast<COLORREF>(GetProfileInt(section, key, static_cast<int>(def)));
    return true;
}

bool CColorSetting::WriteColor(std::string_view section, std::string_view key, const COLORREF& color) const
{
    return WriteProfileInt(section, key, static_cast<int>(color));
}

}  // namespace tabrel
