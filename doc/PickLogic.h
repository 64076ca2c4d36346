#pragma once
// What a pick does with its bytes, shared by the text pane and the
// command-line look-up: the word under a byte, the manual text's checks,
// the tokenizer, and lower-casing.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tabrel {

/// Longest text a manual pick accepts: the document's word buffers hold
/// 199 bytes and a zero byte.
inline constexpr std::size_t kMaxPickBytes = 199;

/// White space: 0x09-0x0D and 0x20.
bool IsPickSpace(unsigned char b);
/// White space or ASCII punctuation; every other byte belongs to words.
bool IsPickSeparator(unsigned char b);

/// The word around byte `i` of `line`: from the byte after the nearest
/// separator at or left of `i` up to the next separator. A separator at `i`
/// gives the word that starts right after it (empty when none does).
/// Byte by byte: double-byte characters are not stepped over.
std::string ExtractWord(std::string_view line, std::size_t i);

/// Lower-cases ASCII letters only, stepping over both bytes of each
/// double-byte character so its second byte is never changed.
std::string LowerCp932(std::string_view text);

/// Splits a zero-terminated string in place, one token per call. Given a
/// string, starts a new scan; given nullptr, goes on from the saved
/// position. Separators end a token, except an apostrophe between two
/// letters and a separator between two digits; a lead byte takes the byte
/// after it into the token. Returns nullptr when no token is left.
/// The saved position is shared by every call in the process.
char* NextToken(char* text);

/// Messages of the manual text's checks, as the dialog shows them (UTF-8).
extern const char kMsgLeadingSpace[];
extern const char kMsgDoubleByte[];
extern const char kMsgTooLong[];

/// Checks a manual text as the manual word dialog does on OK: a text that
/// begins with white space, that holds a double-byte lead byte, or that is
/// longer than kMaxPickBytes is refused. Returns the message to show, or
/// nothing when the text is accepted (an empty text is accepted).
std::optional<std::string> CheckManualText(std::string_view text);

}  // namespace tabrel
