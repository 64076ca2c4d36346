#include "res/Resources.h"

namespace tabrel::res {

namespace {

using C = DialogControl;

// 100: about box.
constexpr DialogControl kAbout[] = {
    {C::Icon, IDC_STATIC, "2", 11, 17, 18, 20},
    {C::CenteredStatic, IDC_STATIC, "Tabrel ver.0.02", 40, 10, 119, 8},
    {C::DefPushButton, IDOK, "OK", 176, 6, 32, 14},
};

// 102: manual word dialog.
constexpr DialogControl kManual[] = {
    {C::DefPushButton, IDOK, "OK", 195, 5, 50, 14},
    {C::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 195, 20, 50, 14},
    {C::Edit, IDC_MANUAL_WORD, "", 5, 40, 180, 13},
    {C::Static, IDC_STATIC, "あなたが選択した単語はこれですか？もし語形変化などで都合が悪ければ編集してください。", 5, 5,
     150, 30},
};

// 103: settings.
constexpr DialogControl kSettings[] = {
    {C::DefPushButton, IDOK, "OK", 130, 5, 50, 14},
    {C::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 130, 20, 50, 14},
    {C::GroupBox, IDC_STATIC, "左ﾎﾞﾀﾝWｸﾘｯｸ", 5, 5, 55, 40},
    {C::CheckBox, IDC_LEFT_AUTO, "自動", 10, 20, 35, 10},
    {C::CheckBox, IDC_LEFT_MANUAL, "ﾏﾆｭｱﾙ", 10, 30, 35, 10},
    {C::GroupBox, IDC_STATIC, "右ﾎﾞﾀﾝWｸﾘｯｸ", 65, 5, 55, 40},
    {C::CheckBox, IDC_RIGHT_AUTO, "自動", 70, 20, 35, 10},
    {C::CheckBox, IDC_RIGHT_MANUAL, "ﾏﾆｭｱﾙ", 70, 30, 35, 10},
    {C::Static, IDC_STATIC, "ﾃｷｽﾄのﾃﾞｨﾚｸﾄﾘ", 5, 50, 65, 8},
    {C::Edit, IDC_TEXT_DIR, "", 10, 60, 140, 13},
    {C::PushButton, IDC_TEXT_DIR_BROWSE, "参照", 155, 60, 30, 14},
    {C::Static, IDC_STATIC, "ｲﾝﾃﾞｯｸｽﾌｧｲﾙのあるﾃﾞｨﾚｸﾄﾘ", 5, 80, 125, 8},
    {C::Edit, IDC_INDEX_DIR, "", 10, 90, 140, 13},
    {C::PushButton, IDC_INDEX_DIR_BROWSE, "参照", 155, 90, 30, 14},
};

// 104: clipboard transfer. The edit is multi-line; 116 is a wrapping note,
// empty until the text does not fit.
constexpr DialogControl kClipboard[] = {
    {C::DefPushButton, IDOK, "全部ｺﾋﾟｰ", 260, 5, 50, 14},
    {C::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 260, 35, 50, 14},
    {C::PushButton, IDC_COPY_PART, "一部ｺﾋﾟｰ", 260, 20, 50, 14},
    {C::MultiLineEdit, IDC_COPY_TEXT, "", 5, 5, 250, 190},
    {C::Static, IDC_COPY_NOTE, "", 260, 55, 50, 140},
};

// 105: directory chooser.
constexpr DialogControl kSelectDir[] = {
    {C::DefPushButton, IDOK, "OK", 180, 5, 50, 14},
    {C::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 180, 20, 50, 14},
    {C::Static, IDC_STATIC, "選択されたﾃﾞｨﾚｸﾄﾘ", 5, 5, 75, 8},
    {C::Edit, IDC_SELDIR_PATH, "", 10, 15, 160, 13},
    {C::Static, IDC_STATIC, "ﾄﾞﾗｲﾌﾞ", 5, 35, 25, 8},
    {C::ListBox, IDC_SELDIR_DRIVES, "", 10, 45, 48, 80},
    {C::ListBox, IDC_SELDIR_DIRS, "", 65, 45, 90, 80},
    {C::Static, IDC_STATIC, "ﾃﾞｨﾚｸﾄﾘ", 65, 35, 30, 8},
    {C::ListBox, IDC_SELDIR_FILES, "", 160, 45, 70, 80},
    {C::Static, IDC_STATIC, "ﾌｧｲﾙ一覧(参考)", 160, 35, 65, 8},
};

// Controls are in tab order.
constexpr DialogTemplate kTemplates[] = {
    {IDD_ABOUTBOX, "TABREL のバージョン情報", "System", 10, 217, 148, kAbout, 34, 22},
    {IDD_MANUAL, "マニュアル編集", "system", 10, 249, 63, kManual},
    {IDD_SETTING, "設定", "system", 10, 189, 108, kSettings},
    {IDD_EDITCOPY, "クリップボードへ転送", "system", 10, 315, 198, kClipboard},
    {IDD_SELDIR, "ディレクトリ選択", "system", 10, 235, 128, kSelectDir},
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
