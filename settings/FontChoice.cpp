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
    const bool font = CFontSetting().WriteFont(profile::kFont, profile::kDispPrefix, this->font, color);
    const bool text = CColorSetting().WriteColor(profile::kColor, profile::kTxtColor, color);
    return font && text;
}

}  // namespace tabrel
