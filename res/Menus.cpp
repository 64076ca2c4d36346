#include "res/Resources.h"

namespace tabrel::res {

namespace {

// An access-key pair is stored as "(" U+001E Latin U+001F katakana ")"; the
// literals are split after each \x escape so that a following letter A-F is
// not read as part of it.

// Shown while no document window is open.
constexpr MenuItem kMainMenu[] = {
    {MenuItem::Popup, 0, "ﾌｧｲﾙ(\x1E" "F\x1F" "ﾌ)"},
        {MenuItem::Command, ID_FILE_NEW, "新規作成(\x1E" "N\x1F" "ｼ)\tCtrl+N"},
        {MenuItem::Command, ID_FILE_OPEN, "開く(\x1E" "O\x1F" "ﾋ)...\tCtrl+O"},
        {MenuItem::Separator, 0, {}},
        {MenuItem::Command, ID_FILE_PRINT_SETUP, "プリンタの設定(\x1E" "R\x1F" "ﾌ)..."},
        {MenuItem::Separator, 0, {}},
        {MenuItem::Grayed, ID_FILE_MRU_FILE1, "以前開いたファイル"},
        {MenuItem::Separator, 0, {}},
        {MenuItem::Command, ID_APP_EXIT, "終了(\x1E" "X\x1F" "ﾘ)"},
    {MenuItem::EndPopup, 0, {}},
    {MenuItem::Popup, 0, "表示(\x1E" "V\x1F" "ﾋ)"},
        {MenuItem::Command, ID_VIEW_TOOLBAR, "ツールバー(\x1E" "T\x1F" "ﾊ)"},
        {MenuItem::Command, ID_VIEW_STATUS_BAR, "ステータス バー(\x1E" "S\x1F" "ｽ)"},
    {MenuItem::EndPopup, 0, {}},
    {MenuItem::Popup, 0, "ﾍﾙﾌﾟ(\x1E" "H\x1F" "ﾍ)"},
        {MenuItem::Command, ID_APP_ABOUT, "バージョン情報(\x1E" "A\x1F" "ﾊ)..."},
    {MenuItem::EndPopup, 0, {}},
};

// Shown while a document window is active.
constexpr MenuItem kDocumentMenu[] = {
    {MenuItem::Popup, 0, "ﾌｧｲﾙ(\x1E" "F\x1F" "ﾌ)"},
        {MenuItem::Command, ID_FILE_NEW, "新規作成(\x1E" "N\x1F" "ｼ)\tCtrl+N"},
        {MenuItem::Command, ID_FILE_OPEN, "開く(\x1E" "O\x1F" "ﾋ)...\tCtrl+O"},
        {MenuItem::Command, ID_FILE_CLOSE, "閉じる(\x1E" "C\x1F" "ﾄ)"},
        {MenuItem::Command, ID_FILE_SAVE, "上書き保存(\x1E" "S\x1F" "ｳ)\tCtrl+S"},
        {MenuItem::Command, ID_FILE_SAVE_AS, "名前を付けて保存(\x1E" "A\x1F" "ﾅ)..."},
        {MenuItem::Separator, 0, {}},
        {MenuItem::Command, ID_FILE_PRINT, "印刷(\x1E" "P\x1F" "ｲ)...\tCtrl+P"},
        {MenuItem::Command, ID_FILE_PRINT_PREVIEW, "印刷プレビュー(\x1E" "V\x1F" "ﾚ)"},
        {MenuItem::Command, ID_FILE_PRINT_SETUP, "プリンタの設定(\x1E" "R\x1F" "ﾌ)..."},
        {MenuItem::Separator, 0, {}},
        {MenuItem::Command, ID_APP_EXIT, "終了(\x1E" "X\x1F" "ﾘ)"},
    {MenuItem::EndPopup, 0, {}},
    {MenuItem::Popup, 0, "編集(\x1E" "E\x1F" "ｼ)"},
        {MenuItem::Command, ID_EDIT_UNDO, "アンドゥ(\x1E" "U\x1F" "ｱ)\tCtrl+Z"},
        {MenuItem::Separator, 0, {}},
        {MenuItem::Command, ID_EDIT_CUT, "切り取り(\x1E" "T\x1F" "ｷ)\tCtrl+X"},
        {MenuItem::Command, ID_EDIT_COPY, "コピー(\x1E" "C\x1F" "ｺ)\tCtrl+C"},
        {MenuItem::Command, ID_EDIT_PASTE, "貼り付け(\x1E" "P\x1F" "ﾊ)\tCtrl+V"},
    {MenuItem::EndPopup, 0, {}},
    {MenuItem::Popup, 0, "ｵﾌﾟｼｮﾝ"},
        {MenuItem::Command, ID_FONT, "ﾌｫﾝﾄ"},
        {MenuItem::Popup, 0, "色指定"},
            {MenuItem::Command, ID_TEXT_COLOR, "文字色"},
            {MenuItem::Command, ID_BK_COLOR, "背景色"},
        {MenuItem::EndPopup, 0, {}},
        {MenuItem::Command, ID_SETTINGS, "設定"},
    {MenuItem::EndPopup, 0, {}},
    {MenuItem::Popup, 0, "おまけ"},
        {MenuItem::Command, ID_TEXT_OUTPUT, "ﾃｷｽﾄﾌｧｲﾙ出力"},
        {MenuItem::Command, ID_TAMBUN, "短文翻訳支援"},
    {MenuItem::EndPopup, 0, {}},
    {MenuItem::Popup, 0, "表示(\x1E" "V\x1F" "ﾋ)"},
        {MenuItem::Command, ID_VIEW_TOOLBAR, "ツールバー(\x1E" "T\x1F" "ﾊ)"},
        {MenuItem::Command, ID_VIEW_STATUS_BAR, "ステータス バー(\x1E" "S\x1F" "ｽ)"},
    {MenuItem::EndPopup, 0, {}},
    {MenuItem::Popup, 0, "ｳｨﾝﾄﾞｳ(\x1E" "W\x1F" "ｳ)"},
        {MenuItem::Command, ID_WINDOW_NEW, "新しいウィンドウを開く(\x1E" "N\x1F" "ｱ)"},
        {MenuItem::Command, ID_WINDOW_CASCADE, "重ねて表示(\x1E" "C\x1F" "ｶ)"},
        {MenuItem::Command, ID_WINDOW_TILE_HORZ, "並べて表示(\x1E" "T\x1F" "ﾅ)"},
        {MenuItem::Command, ID_WINDOW_ARRANGE, "アイコンの整列(\x1E" "A\x1F" "ｾ)"},
    {MenuItem::EndPopup, 0, {}},
    {MenuItem::Popup, 0, "ﾍﾙﾌﾟ(\x1E" "H\x1F" "ﾍ)"},
        {MenuItem::Command, ID_HELP_INDEX, "目次"},
        {MenuItem::Command, ID_APP_ABOUT, "バージョン情報(\x1E" "A\x1F" "ﾊ)..."},
    {MenuItem::EndPopup, 0, {}},
};

}  // namespace

std::span<const MenuItem> MainMenu()
{
    return kMainMenu;
}

std::span<const MenuItem> DocumentMenu()
{
    return kDocumentMenu;
}

}  // namespace tabrel::res
