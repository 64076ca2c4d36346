#include <gtest/gtest.h>

#include <cstring>

#include "ByteString.h"
#include "TempDir.h"
#include "platform/Profile.h"
#include "settings/FontChoice.h"
#include "settings/FontSetting.h"

using namespace tabrel;
using tabrel::test::ScopedProfile;

namespace {

FontRecord DefaultFont()
{
    FontRecord f;
    f.lfHeight = -13;
    f.lfWeight = 400;
    f.lfCharSet = 128;
    f.lfOutPrecision = 1;
    f.lfClipPrecision = 2;
    f.lfQuality = 1;
    f.lfPitchAndFamily = 1;
    std::strcpy(f.lfFaceName, "FixedSys");
    return f;
}

TEST(FontSetting, NoProfileGivesTheDefaultFont)
{
    ScopedProfile profile;
    FontRecord font;
    COLORREF color = 0x123;
    ASSERT_TRUE(CFontSetting().GetFont("Font", "Display", font, color));
    EXPECT_EQ(font, DefaultFont());
    EXPECT_EQ(color, 0u);
}

TEST(FontSetting, ReadsFourteenNumbers)
{
    ScopedProfile profile;
    struct Case {
        const char* text;
        FontRecord expected;
        COLORREF color;
    };
    FontRecord custom = DefaultFont();
    custom.lfHeight = -20;
    custom.lfWidth = 8;
    custom.lfWeight = 700;
    custom.lfItalic = 1;
    custom.lfCharSet = 0x2C;  // 300: low 8 bits
    FontRecord shortOne = DefaultFont();
    shortOne.lfHeight = -16;
    shortOne.lfWidth = 5;
    FontRecord extreme = DefaultFont();
    extreme.lfHeight = 0;      // -2^63 and 2^64 - 1 keep their low 32 bits, without overflow
    extreme.lfWidth = -1;
    const Case cases[] = {
        {"-20 8 0 0 700 1 0 0 300 1 2 1 1 255 0 0", custom, 255},
        {"-9223372036854775808 18446744073709551615", extreme, 0},
        {"-20 8 0 0 700 1 0 0 300 1 2 1 1 255 9 9 9 9 junk", custom, 255},  // beyond 14: ignored
        {"-16 5", shortOne, 0},           // fewer than 14: the rest from the default font string
        {"-16 5 x 7 7 7", shortOne, 0},   // reading stops at the first non-number
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteProfileString("Font", "DispFont", c.text));
        FontRecord font;
        COLORREF color = 0x999;
        ASSERT_TRUE(CFontSetting().GetFont("Font", "Disp", font, color));
        EXPECT_EQ(font, c.expected) << c.text;
        EXPECT_EQ(color, c.color) << c.text;
    }
}

TEST(FontSetting, EmptyFontStringLeavesRecordAlone)
{
    ScopedProfile profile;
    ASSERT_TRUE(WriteProfileString("Font", "DispFont", ""));
    FontRecord font;
    font.lfHeight = 77;
    COLORREF color = 0x42;
    EXPECT_FALSE(CFontSetting().GetFont("Font", "Disp", font, color));
    EXPECT_EQ(font.lfHeight, 77);
    EXPECT_EQ(color, 0x42u);
}

TEST(FontSetting, WriteThenReadIsIdentity)
{
    ScopedProfile profile;
    FontRecord written = DefaultFont();
    written.lfHeight = -24;
    written.lfWeight = 700;
    written.lfUnderline = 1;
    written.lfStrikeOut = 1;
    written.lfPitchAndFamily = 0x31;
    std::strcpy(written.lfFaceName, "IPA\x83\x53\x83\x56\x83\x62\x83\x4E");  // IPAゴシック
    const COLORREF color = 0x0000FF;
    ASSERT_TRUE(CFontSetting().WriteFont("Font", "Disp", written, color));
    EXPECT_EQ(GetProfileString("Font", "DispFont"), "-24 0 0 0 700 0 1 1 128 1 2 1 49 255 0 0");
    EXPECT_EQ(GetProfileString("Font", "DisplayFont", "absent"), "absent");  // the other prefix untouched

    FontRecord read;
    COLORREF readColor = 0;
    ASSERT_TRUE(CFontSetting().GetFont("Font", "Disp", read, readColor));
    EXPECT_EQ(read, written);
    EXPECT_EQ(readColor, color);
}

TEST(FontSetting, LongFaceNameIsCutAtAWholeCharacter)
{
    ScopedProfile profile;
    // 30 ASCII bytes and a double-byte character would need 32 bytes: the pair is dropped whole.
    const std::string face = std::string(30, 'a') + "\x83\x53" + "zz";
    ASSERT_TRUE(WriteProfileString("Font", "DispFontFace", face));
    FontRecord font;
    COLORREF color = 0;
    ASSERT_TRUE(CFontSetting().GetFont("Font", "Disp", font, color));
    EXPECT_BYTES_EQ(std::string(30, 'a'), font.lfFaceName);

    ASSERT_TRUE(WriteProfileString("Font", "DispFontFace", std::string(40, 'b')));
    CFontSetting().GetFont("Font", "Disp", font, color);
    EXPECT_BYTES_EQ(std::string(31, 'b'), font.lfFaceName);
}

// The font command's model: starts from "Disp" and black, writes the font
// under "Disp" and its colour as the text colour of every pane.
TEST(FontChoice, LoadsDispAndBlackSavesFontAndTextColour)
{
    ScopedProfile profile;
    CFontChoice fresh = CFontChoice::Load();
    EXPECT_EQ(fresh.font, DefaultFont());
    EXPECT_EQ(fresh.color, 0u);

    fresh.font.lfHeight = -20;
    std::strcpy(fresh.font.lfFaceName, "IPAGothic");
    fresh.color = 0x0000FF;
    ASSERT_TRUE(fresh.Save());
    EXPECT_EQ(GetProfileString("Font", "DispFont"), FormatFontString(fresh.font, 0x0000FF));
    EXPECT_EQ(GetProfileString("Font", "DispFontFace"), "IPAGothic");
    EXPECT_EQ(GetProfileInt("Color", "TxtColor", -1), 0x0000FF);
    EXPECT_EQ(GetProfileString("Font", "DisplayFont", "absent"), "absent");  // new panes' font untouched

    const CFontChoice again = CFontChoice::Load();
    EXPECT_EQ(again.font, fresh.font);
    EXPECT_EQ(again.color, 0u);  // never preset from the profile
}

}  // namespace
