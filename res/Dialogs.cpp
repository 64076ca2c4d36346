#include "res/Resources.h"

namespace tabrel::res {

namespace {

using C = DialogControl;

// 100: about box.
constexpr DialogControl kAbout[] = {
    {C::Icon, -1, "2", 11, 17, 18, 20},
    {C::CenteredStatic, -1, "Tabrel ver.0.02", 40, 10, 119, 8},
    {C::DefPushButton, 1, "OK", 176, 6, 32, 14},
};

// 102: manual word dialog.
constexpr DialogControl kManual[] = {
    {C::DefPushButton, 1, "OK", 195, 5, 50, 14},
    {C::PushButton, 2, "ｷｬﾝｾﾙ", 195, 20, 50, 14},
    {C::Edit, 107, "", 5, 40, 180, 13},
    {C::Static, -1, "あなたが選択した単語はこれですか？もし語形変化などで都合が悪ければ編集してください。", 5, 5,
     150, 30},
};

// 103: settings.
constexpr DialogControl kSettings[] = {
    {C::DefPushButton, 1, "OK", 130, 5, 50, 14},
    {C::PushButton, 2, "ｷｬﾝｾﾙ", 130, 20, 50, 14},
    {C::GroupBox, -1, "左ﾎﾞﾀﾝWｸﾘｯｸ", 5, 5, 55, 40},
    {C::CheckBox, 108, "自動", 10, 20, 35, 10},
    {C::CheckBox, 109, "ﾏﾆｭｱﾙ", 10, 30, 35, 10},
    {C::GroupBox, -1, "右ﾎﾞﾀﾝWｸﾘｯｸ", 65, 5, 55, 40},
    {C::CheckBox, 110, "自動", 70, 20, 35, 10},
    {C::CheckBox, 111, "ﾏﾆｭｱﾙ", 70, 30, 35, 10},
    {C::Static, -1, "ﾃｷｽﾄのﾃﾞｨﾚｸﾄﾘ", 5, 50, 65, 8},
    {C::Edit, 112, "", 10, 60, 140, 13},
    {C::PushButton, 113, "参照", 155, 60, 30, 14},
    {C::Static, -1, "ｲﾝﾃﾞｯｸｽﾌｧｲﾙのあるﾃﾞｨﾚｸﾄﾘ", 5, 80, 125, 8},
    {C::Edit, 117, "", 10, 90, 140, 13},
    {C::PushButton, 118, "参照", 155, 90, 30, 14},
};

// 104: clipboard transfer. The edit is multi-line; 116 is a wrapping note,
// empty until the text does not fit.
constexpr DialogControl kClipboard[] = {
    {C::DefPushButton, 1, "全部ｺﾋﾟｰ", 260, 5, 50, 14},
    {C::PushButton, 2, "ｷｬﾝｾﾙ", 260, 35, 50, 14},
    {C::PushButton, 114, "一部ｺﾋﾟｰ", 260, 20, 50, 14},
    {C::Edit, 104, "", 5, 5, 250, 190},
    {C::Static, 116, "", 260, 55, 50, 140},
};

// 105: directory chooser.
constexpr DialogControl kSelectDir[] = {
    {C::DefPushButton, 1, "OK", 180, 5, 50, 14},
    {C::PushButton, 2, "ｷｬﾝｾﾙ", 180, 20, 50, 14},
    {C::Static, -1, "選択されたﾃﾞｨﾚｸﾄﾘ", 5, 5, 75, 8},
    {C::Edit, 119, "", 10, 15, 160, 13},
    {C::Static, -1, "ﾄﾞﾗｲﾌﾞ", 5, 35, 25, 8},
    {C::ListBox, 120, "", 10, 45, 48, 80},
    {C::ListBox, 121, "", 65, 45, 90, 80},
    {C::Static, -1, "ﾃﾞｨﾚｸﾄﾘ", 65, 35, 30, 8},
    {C::ListBox, 122, "", 160, 45, 70, 80},
    {C::Static, -1, "ﾌｧｲﾙ一覧(参考)", 160, 35, 65, 8},
};

// Controls are in tab order.
constexpr DialogTemplate kTemplates[] = {
    {100, "TABREL のバージョン情報", "System", 10, 217, 148, kAbout},
    {102, "マニュアル編集", "system", 10, 249, 63, kManual},
    {103, "設定", "system", 10, 189, 108, kSettings},
    {104, "クリップボードへ転送", "system", 10, 315, 198, kClipboard},
    {105, "ディレクトリ選択", "system", 10, 235, 128, kSelectDir},
};

}  // namespace

const DialogTemplate* FindDialogTemplate(int id)
{
    for (const DialogTemplate& t : kTemplates) {
        if (t.id == id)
            return &t;
    }
    return nullptr;
}

}  // namespace tabrel::res
