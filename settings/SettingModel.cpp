#include "settings/SettingModel.h"

#include "platform/Profile.h"
#include "res/Resources.h"
#include "settings/ProfileKeys.h"

namespace tabrel {

ModeBox Partner(ModeBox box)
{
    switch (box) {
    case ModeBox::LeftAuto:
        return ModeBox::LeftManual;
    case ModeBox::LeftManual:
        return ModeBox::LeftAuto;
    case ModeBox::RightAuto:
        return ModeBox::RightManual;
    case ModeBox::RightManual:
        break;
    }
    return ModeBox::RightAuto;
}

CSettingModel CSettingModel::Load()
{
    using namespace profile;
    CSettingModel model;
    model.SetChecked(ModeBox::LeftAuto, GetProfileInt(kOption, kLeftAuto, kDefaultLeftAuto) == 1);
    model.SetChecked(ModeBox::RightAuto, GetProfileInt(kOption, kRightAuto, kDefaultRightAuto) == 1);
    model.SetChecked(ModeBox::LeftManual, GetProfileInt(kOption, kLeftManual, kDefaultLeftManual) == 1);
    model.SetChecked(ModeBox::RightManual, GetProfileInt(kOption, kRightManual, kDefaultRightManual) == 1);
    model.m_strTextDir = GetProfileString(kOption, kTextDir, "");
    model.m_strIndexDir = GetProfileString(kIndex, kDir, "");
    return model;
}

void CSettingModel::OnModeClicked(ModeBox box, bool checked)
{
    SetChecked(box, checked);
    SetChecked(Partner(box), !checked);
}

std::optional<std::string> CSettingModel::OnOK() const
{
    using namespace profile;
    if (m_strIndexDir.empty())
        return std::string(res::LoadString(res::IDS_SETTING_NO_INDEX_DIR));
    const auto flag = [this](ModeBox box) { return IsChecked(box) ? 1 : 0; };
    WriteProfileInt(kOption, kLeftAuto, flag(ModeBox::LeftAuto));
    WriteProfileInt(kOption, kRightAuto, flag(ModeBox::RightAuto));
    WriteProfileInt(kOption, kLeftManual, flag(ModeBox::LeftManual));
    WriteProfileInt(kOption, kRightManual, flag(ModeBox::RightManual));
    WriteProfileString(kOption, kTextDir, m_strTextDir);
    WriteProfileString(kIndex, kDir, m_strIndexDir);
    return std::nullopt;
}

}  // namespace tabrel
