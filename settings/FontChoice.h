#pragma once
// The font command's values: the font record stored under "Disp" and the
// colour chosen with it. The dialog shows and edits them; this model reads
// them from the profile and writes them back on OK.

#include "settings/FontSetting.h"

namespace tabrel {

struct CFontChoice {
    FontRecord font;             ///< the font the dialog starts from and returns
    COLORREF color = 0;          ///< the colour chosen with it; the dialog starts at black

    /// The font of "DispFont"/"DispFontFace" (the defaults when absent) and
    /// black: the colour is never preset from the profile.
    static CFontChoice Load();

    /// Writes the font and colour to "DispFont"/"DispFontFace", and the
    /// colour as every pane's text colour ("TxtColor"). False when the
    /// profile cannot be written.
    bool Save() const;
};

}  // namespace tabrel
