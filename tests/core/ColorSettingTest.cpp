#include <gtest/gtest.h>

#include "TempDir.h"
#include "platform/Profile.h"
#include "settings/ColorSetting.h"

using namespace tabrel;
using tabrel::test::ScopedProfile;

namespace {

TEST(ColorSetting, GetColorReadsTextWithAutomaticBase)
{
    ScopedProfile profile;
    struct Case {
        const char* text;
        COLORREF expected;
    } cases[] = {
        {"0xFF", 255},      {"0XfF", 255},      {"010", 8},           {"255", 255},
        {"abc", 0},         {"", 0},            {"12abc", 12},        {"019", 1},   // octal stops at 9
        {"  16777215", 0xFFFFFF},               {"-1", 0xFFFFFFFF},   {"0x", 0},
        {"99999999999", 0x7FFFFFFF},            // saturates as a signed 32-bit value
    };
    const CColorSetting setting;
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteProfileString("Color", "BkColor", c.text));
        COLORREF color = 0x123456;
        EXPECT_TRUE(setting.GetColor("Color", "BkColor", color, 1, 2, 3));
        EXPECT_EQ(color, c.expected) << '"' << c.text << '"';
    }
}

TEST(ColorSetting, DefaultsWhenAbsent)
{
    ScopedProfile profile;
    const CColorSetting setting;
    COLORREF color = 0;
    setting.GetColor("Color", "BkColor", color, 255, 255, 255);
    EXPECT_EQ(color, 0xFFFFFFu);
    setting.GetColor("Color", "TxtColor", color, 0x1FF, 0x102, 3);  // low 8 bits of each part
    EXPECT_EQ(color, 0x0302FFu);

    // The highlight colours default to whatever the caller passes: the normal pair.
    const COLORREF bk = 0xABCDEF;
    setting.GetColorInt("Color", "HlTxtColor", color, bk);
    EXPECT_EQ(color, bk);
}

TEST(ColorSetting, WriteColorThenReadBack)
{
    ScopedProfile profile;
    const CColorSetting setting;
    const COLORREF written = MakeColor(0x12, 0x34, 0x56);
    ASSERT_TRUE(setting.WriteColor("Color", "TxtColor", written));
    EXPECT_EQ(GetProfileString("Color", "TxtColor"), "5649426");  // decimal text
    COLORREF a = 0, b = 0;
    setting.GetColor("Color", "TxtColor", a, 0, 0, 0);
    setting.GetColorInt("Color", "TxtColor", b, 0);
    EXPECT_EQ(a, written);
    EXPECT_EQ(b, written);
}

}  // namespace
