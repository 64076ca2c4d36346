#pragma once
// Conversion between code page 932 bytes and UTF-8, used only at the edges:
// drawing and measuring, the clipboard, dialog edits, terminal output.
// Goes through iconv's "CP932", which keeps 0x5C as the backslash.

#include <string>
#include <string_view>

namespace tabrel {

/// Code page 932 bytes to UTF-8. A byte or pair that is not a valid code page
/// 932 character, or a lead byte cut off at the end, becomes U+FFFD and the
/// conversion goes on with the next byte, so nothing after it is lost.
std::string Cp932ToUtf8(std::string_view cp932);

/// UTF-8 to code page 932 bytes. A character that code page 932 lacks, or an
/// invalid UTF-8 sequence, becomes "?" and the conversion goes on; when
/// `replaced` is given it receives how many were replaced.
std::string Utf8ToCp932(std::string_view utf8, std::size_t* replaced = nullptr);

}  // namespace tabrel
