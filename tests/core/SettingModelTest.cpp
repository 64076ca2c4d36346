#include <gtest/gtest.h>

#include <string>

#include "ByteString.h"
#include "TempDir.h"
#include "platform/Profile.h"
#include "settings/SettingModel.h"

using namespace tabrel;
using tabrel::test::ScopedProfile;

namespace {

constexpr ModeBox kBoxes[] = {ModeBox::LeftAuto, ModeBox::LeftManual, ModeBox::RightAuto, ModeBox::RightManual};

// The four boxes as digits in the order LeftAuto, LeftManual, RightAuto,
// RightManual, e.g. "1001".
std::string States(const CSettingModel& m)
{
    std::string s;
    for (ModeBox box : kBoxes)
        s += m.IsChecked(box) ? '1' : '0';
    return s;
}

void SetStates(CSettingModel& m, std::string_view s)
{
    for (std::size_t i = 0; i < std::size(kBoxes); ++i)
        m.SetChecked(kBoxes[i], s[i] == '1');
}

TEST(SettingModel, PartnerRuleForEveryStateAndClick)
{
    // Each state of a pair with each of its boxes clicked, for both pairs;
    // the other pair holds a distinct state and must keep it. The click has
    // toggled the box; the partner then takes the opposite of its new state.
    struct Case {
        const char* before;
        ModeBox clicked;
        const char* after;
    } cases[] = {
        // left pair, right pair resting at "01"
        {"0001", ModeBox::LeftAuto, "1001"},   {"0001", ModeBox::LeftManual, "0101"},
        {"0101", ModeBox::LeftAuto, "1001"},   {"0101", ModeBox::LeftManual, "1001"},
        {"1001", ModeBox::LeftAuto, "0101"},   {"1001", ModeBox::LeftManual, "0101"},
        {"1101", ModeBox::LeftAuto, "0101"},   {"1101", ModeBox::LeftManual, "1001"},
        // right pair, left pair resting at "10"
        {"1000", ModeBox::RightAuto, "1010"},  {"1000", ModeBox::RightManual, "1001"},
        {"1001", ModeBox::RightAuto, "1010"},  {"1001", ModeBox::RightManual, "1010"},
        {"1010", ModeBox::RightAuto, "1001"},  {"1010", ModeBox::RightManual, "1001"},
        {"1011", ModeBox::RightAuto, "1001"},  {"1011", ModeBox::RightManual, "1010"},
        // the left pair set both ways stays so while the right pair is clicked
        {"1100", ModeBox::RightManual, "1101"}, {"0011", ModeBox::LeftManual, "0111"},
    };
    for (const Case& c : cases) {
        CSettingModel m;
        SetStates(m, c.before);
        const bool nowChecked = !m.IsChecked(c.clicked);  // what the click did to the box
        m.OnModeClicked(c.clicked, nowChecked);
        EXPECT_EQ(States(m), c.after) << "before " << c.before << ", box " << static_cast<int>(c.clicked);
    }
}

TEST(SettingModel, LoadReadsTheProfile)
{
    struct Case {
        const char* profile;
        const char* states;
        const char* textDir;
        const char* indexDir;
    } cases[] = {
        {"", "1001", "", ""},  // no profile: left auto, right manual
        {"[Option]\nLeftAuto=1\nLeftManual=1\n", "1101", "", ""},  // both shown until one is clicked
        {"[Option]\nLeftAuto=0\nLeftManual=1\nRightAuto=1\nRightManual=0\n", "0110", "", ""},
        // only 1 checks a box: 2 is "off" to the double-click as well
        {"[Option]\nLeftAuto=2\nRightManual=7\n", "0000", "", ""},
        {"[Option]\nTextDir= /t/x y/ \n[Index]\nDir=/i/\xE8\xBE\x9E\xE6\x9B\xB8/\n", "1001", "/t/x y/",
         "/i/\xE8\xBE\x9E\xE6\x9B\xB8/"},
        {"[Index]\nDir=\xFF\xFE/\n", "1001", "", "\xFF\xFE/"},  // bytes that are no UTF-8 stay as they are
    };
    for (const Case& c : cases) {
        ScopedProfile profile;
        if (*c.profile)
            profile.WriteProfile(c.profile);
        const CSettingModel m = CSettingModel::Load();
        EXPECT_EQ(States(m), c.states) << c.profile;
        EXPECT_BYTES_EQ(c.textDir, m.m_strTextDir);
        EXPECT_BYTES_EQ(c.indexDir, m.m_strIndexDir);
        EXPECT_EQ(profile.ReadProfile(), c.profile) << "loading writes nothing";
    }
}

TEST(SettingModel, OkRefusesOnlyAnEmptyIndexDirectory)
{
    const std::string prior = "; kept\n[Option]\nLeftAuto=1\n";
    struct Case {
        const char* indexDir;
        bool refused;
        const char* stored;  // the line the profile then holds
    } cases[] = {
        {"", true, nullptr},
        {"   ", false, "Dir=   \n"},  // the test is for length 0
        {"/home/u/dict/", false, "Dir=/home/u/dict/\n"},
        {"relative/no-slash", false, "Dir=relative/no-slash\n"},  // stored as typed, nothing checked
    };
    for (const Case& c : cases) {
        ScopedProfile profile;
        profile.WriteProfile(prior);
        CSettingModel m = CSettingModel::Load();
        m.OnModeClicked(ModeBox::LeftAuto, false);
        m.m_strTextDir = "/texts/";
        m.m_strIndexDir = c.indexDir;
        const std::optional<std::string> refusal = m.OnOK();
        EXPECT_EQ(refusal.has_value(), c.refused) << '"' << c.indexDir << '"';
        if (c.refused) {
            EXPECT_EQ(*refusal, "インデックスファイルのあるディレクトリが指定されていません!!");
            EXPECT_EQ(profile.ReadProfile(), prior);
        } else {
            EXPECT_NE(profile.ReadProfile().find(c.stored), std::string::npos) << profile.ReadProfile();
            EXPECT_EQ(GetProfileInt("Option", "LeftAuto", 9), 0);
        }
    }
}

TEST(SettingModel, OkWritesTheSixKeysInOrder)
{
    // Into an empty profile each key goes to the end of its section as it is
    // written, so the file shows the order of the writes.
    ScopedProfile profile;
    CSettingModel m;
    SetStates(m, "0110");
    m.m_strTextDir = "/home/u/texts";
    m.m_strIndexDir = "/home/u/\xE8\xBE\x9E\xE6\x9B\xB8/";
    ASSERT_FALSE(m.OnOK());
    EXPECT_BYTES_EQ("[Option]\n"
                    "LeftAuto=0\n"
                    "RightAuto=1\n"
                    "LeftManual=1\n"
                    "RightManual=0\n"
                    "TextDir=/home/u/texts\n"
                    "[Index]\n"
                    "Dir=/home/u/\xE8\xBE\x9E\xE6\x9B\xB8/\n",
                    profile.ReadProfile());

    // Over an existing profile the values are replaced in place, every other
    // line kept; an empty text directory is written as an empty value.
    const std::string before = "[Index]\nDir=/old/\n; note\n[Option]\nRightManual=1\nTextDir=/old texts/\nOther=x\n";
    profile.WriteProfile(before);
    SetStates(m, "1001");
    m.m_strTextDir.clear();
    m.m_strIndexDir = " ";
    ASSERT_FALSE(m.OnOK());
    EXPECT_BYTES_EQ("[Index]\nDir= \n; note\n[Option]\nRightManual=1\nTextDir=\nOther=x\n"
                    "LeftAuto=1\nRightAuto=0\nLeftManual=0\n",
                    profile.ReadProfile());
}

TEST(SettingModel, CancelAfterEditsLeavesTheProfileBytes)
{
    // The dialog's Cancel only drops the model: clicks and edits made on it
    // touch no file, also when OK was refused before.
    const std::string prior = "[Option]\r\nLeftAuto = 1 \r\nTextDir=/t/\r\n[Index]\r\nDir=\r\n";
    ScopedProfile profile;
    profile.WriteProfile(prior);
    CSettingModel m = CSettingModel::Load();
    m.OnModeClicked(ModeBox::LeftAuto, false);
    m.OnModeClicked(ModeBox::RightAuto, true);
    m.m_strTextDir = "/elsewhere/";
    EXPECT_TRUE(m.OnOK().has_value());  // index directory still empty
    m.m_strIndexDir = "/typed/";
    EXPECT_BYTES_EQ(prior, profile.ReadProfile());
}

}  // namespace
