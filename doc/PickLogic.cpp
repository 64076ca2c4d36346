#include "doc/PickLogic.h"

#include "text/CharClass.h"

namespace tabrel {

const char kMsgLeadingSpace[] = "不正な文字が入力されました!!英数字で始まってないとダメです。";
const char kMsgDoubleByte[] = "２バイトコードは使用できません!!";
const char kMsgTooLong[] = "199バイトより長い文字列は使用できません!!";

std::optional<std::string> CheckManualText(std::string_view text)
{
    if (!text.empty() && IsPickSpace(static_cast<unsigned char>(text[0])))
        return std::string(kMsgLeadingSpace);
    for (char c : text) {
        if (IsLeadByte(static_cast<unsigned char>(c)))
            return std::string(kMsgDoubleByte);
    }
    if (text.size() > kMaxPickBytes)
        return std::string(kMsgTooLong);
    return std::nullopt;
}

}  // namespace tabrel
