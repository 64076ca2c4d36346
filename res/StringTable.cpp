#include "res/Resources.h"

#include <algorithm>
#include <iterator>

namespace tabrel::res {

namespace {

struct StringEntry {
    int id;
    std::string_view text;
};

// Strictly ascending ids, for the binary search in LoadString.
constexpr StringEntry kStrings[] = {
    {2, "Tabrel"},
    {3, "\nTabrel\nTABREL ﾄﾞｷｭﾒﾝﾄ"},
    {32769, "短文翻訳支援"},
    {32770, "文字色を指定します"},
    {32771, "フォントを指定します"},
    {32772, "背景色を指定します"},
    {32773, "辞書引きの設定をします"},
    {57344, "Tabrel"},
    {57345, "がんばろう!KOBE"},
    {57600, "新規にﾌｧｲﾙを作成"},
    {57601, "保存されているﾌｧｲﾙを開く"},
    {57602, "作業中のｳｨﾝﾄﾞｳを閉じる"},
    {57603, "作業中のﾌｧｲﾙを上書きして保存"},
    {57604, "作業中のﾌｧｲﾙを新しい名前で保存"},
    {57606, "ﾌﾟﾘﾝﾀと印刷の設定変更"},
    {57607, "作業中の文書を印刷"},
    {57608, "ﾍﾟｰｼﾞ全体を表示して印刷前に確認"},
    {57616, "この文書を開く"},
    {57617, "この文書を開く"},
    {57618, "この文書を開く"},
    {57619, "この文書を開く"},
    {57634, "選択した範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存"},
    {57635, "選択した範囲を切り取ってｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存"},
    {57637, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容をｶｰｿﾙのある位置に貼り付け"},
    {57643, "直前に行った動作を戻す"},
    {57648, "新しい文書ｳｨﾝﾄﾞｳを開く"},
    {57649, "ｳｨﾝﾄﾞｳの下部にｱｲｺﾝを整列"},
    {57650, "ｳｨﾝﾄﾞｳを重ねて表示"},
    {57651, "ｳｨﾝﾄﾞｳを水平に並べて表示"},
    {57664, "ﾌﾟﾛｸﾞﾗﾑ情報､ﾊﾞｰｼﾞｮﾝ､版権の表示"},
    {57665, "Tabrel を終了し、文書の保存を確認"},
    {57680, "次のｳｨﾝﾄﾞｳに切り替える"},
    {57681, "前のｳｨﾝﾄﾞｳに切り替える"},
    {59137, "CAP"},
    {59138, "NUM"},
    {59139, "SCRL"},
    {59142, "KANA"},
    {59392, "ﾂｰﾙﾊﾞｰの表示または非表示"},
    {59393, "ｽﾃｰﾀｽﾊﾞｰの表示または非表示"},
    {61184, "ｳｨﾝﾄﾞｳのｻｲｽﾞを変更"},
    {61185, "ｳｨﾝﾄﾞｳを移動"},
    {61186, "ｳｨﾝﾄﾞｳのｱｲｺﾝ化"},
    {61187, "ｳｨﾝﾄﾞｳの最大表示"},
    {61188, "次の文書ｳｨﾝﾄﾞｳに切り替え"},
    {61189, "前の文書ｳｨﾝﾄﾞｳに切り替え"},
    {61190, "作業中のｳｨﾝﾄﾞｳを閉じ文書保管を確認"},
    {61202, "ｳｨﾝﾄﾞｳを通常のｻｲｽﾞに戻す"},
    {61203, "作業中のｱﾌﾟﾘｹｰｼｮﾝﾘｽﾄ"},
    {61215, "このｳｨﾝﾄﾞｳをｱｸﾃｨﾌﾞ化"},
};

static_assert(std::adjacent_find(std::begin(kStrings), std::end(kStrings),
                                 [](const StringEntry& a, const StringEntry& b) { return a.id >= b.id; }) ==
              std::end(kStrings));

}  // namespace

std::string_view LoadString(int id)
{
    const auto it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                                     [](const StringEntry& e, int key) { return e.id < key; });
    if (it == std::end(kStrings) || it->id != id)
        return {};
    return it->text;
}

}  // namespace tabrel::res
