#include "document/PickLogic.h"

#include "res/Resources.h"
#include "text/CharClass.h"

namespace tabrel {

const std::string_view kMsgLeadingSpace = res::LoadString(res::IDS_MANUAL_LEADING_SPACE);
const std::string_view kMsgDoubleByte = res::LoadString(res::IDS_MANUAL_DOUBLE_BYTE);
const std::string_view kMsgTooLong = res::LoadString(res::IDS_MANUAL_TOO_LONG);

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
