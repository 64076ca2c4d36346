#include "settings/FontChoice.h"

#include "settings/ColorSetting.h"

namespace tabrel {

CFontChoice CFontChoice::Load()
{
    CFontChoice choice;
    COLORREF stored = 0;  // read with the font, but the dialog starts at black
    CFontSetting().GetFont(profile::kFont, profile::kDispPrefix, choice.font, stored);
    choice.color = 0;
    return choice;
}

bool CFontChoice::Save() const
{
    const bool fontWritten = CFontSetting().WriteFont(profile::kFont, profile::kDispPrefix, font, color);
    const bool colorWritten = CColorSetting().WriteColor(profile::kColor, profile::kTxtColor, color);
    return fontWritten && colorWritten;
}

}  // namespace tabrel
