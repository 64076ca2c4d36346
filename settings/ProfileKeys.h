#pragma once
// Sections, keys and defaults of the application profile, in one place.

#include <cstdint>

namespace tabrel {

/// A colour as 0x00BBGGRR: red in bits 0-7, green 8-15, blue 16-23.
using COLORREF = std::uint32_t;

constexpr COLORREF MakeColor(unsigned red, unsigned green, unsigned blue)
{
    return (red & 0xFFu) | ((green & 0xFFu) << 8) | ((blue & 0xFFu) << 16);
}

namespace profile {

inline constexpr char kOption[] = "Option";
inline constexpr char kLeftAuto[] = "LeftAuto";        // 1: left double-click looks up at once
inline constexpr char kLeftManual[] = "LeftManual";    // check box state only
inline constexpr char kRightAuto[] = "RightAuto";      // check box state only
inline constexpr char kRightManual[] = "RightManual";  // 1: right double-click asks first
inline constexpr char kTextDir[] = "TextDir";
inline constexpr int kDefaultLeftAuto = 1;
inline constexpr int kDefaultLeftManual = 0;
inline constexpr int kDefaultRightAuto = 0;
inline constexpr int kDefaultRightManual = 1;

inline constexpr char kIndex[] = "Index";
inline constexpr char kDir[] = "Dir";  // index directory, joined to file names as it stands

inline constexpr char kColor[] = "Color";
inline constexpr char kBkColor[] = "BkColor";
inline constexpr char kTxtColor[] = "TxtColor";
inline constexpr char kHlTxtColor[] = "HlTxtColor";  // background of highlighted segments
inline constexpr char kHlBkColor[] = "HlBkColor";    // characters of highlighted segments
inline constexpr COLORREF kDefaultBkColor = MakeColor(255, 255, 255);
inline constexpr COLORREF kDefaultTxtColor = MakeColor(0, 0, 0);

inline constexpr char kFont[] = "Font";
inline constexpr char kDisplayPrefix[] = "Display";  // font a pane starts with
inline constexpr char kDispPrefix[] = "Disp";        // font of the font command
inline constexpr char kDefaultFontString[] = "-13 0 0 0 400 0 0 0 128 1 2 1 1 0 0 0";
inline constexpr char kDefaultFontFace[] = "FixedSys";

inline constexpr char kUnSupported[] = "UnSupported";
inline constexpr char k32bitGDI[] = "32bitGDI";  // read, but no value lowers the coordinate limit
inline constexpr int kDefault32bitGDI = 0;

inline constexpr char kFileID[] = "FileID";  // key: file number in decimal; value: dictionary file path

}  // namespace profile
}  // namespace tabrel
