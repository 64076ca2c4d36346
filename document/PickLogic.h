#pragma once
// The manual word dialog's rules: how long a manual text may be and which
// texts it refuses.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "text/Cp932Text.h"

namespace tabrel {

/// Longest text a manual pick accepts: the document's word buffers hold
/// 199 bytes and a zero byte.
inline constexpr std::size_t kMaxPickBytes = 199;

/// Messages of the manual text's checks, as the dialog shows them (UTF-8,
/// from the string table).
extern const std::string_view kMsgLeadingSpace;
extern const std::string_view kMsgDoubleByte;
extern const std::string_view kMsgTooLong;

/// Checks a manual text as the manual word dialog does on OK: a text that
/// begins with white space, that holds a double-byte lead byte, or that is
/// longer than kMaxPickBytes is refused. Returns the message to show, or
/// nothing when the text is accepted (an empty text is accepted).
std::optional<std::string> CheckManualText(std::string_view text);

}  // namespace tabrel
