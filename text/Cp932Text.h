#pragma once
// Rules for words in code page 932 text, shared by picking, the look-up
// and the index builder: blanks and separators, the word under a byte,
// lower-casing, and the tokenizer.

#include <cstddef>
#include <string>
#include <string_view>

namespace tabrel {

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

/// Splits a zero-terminated string in place, one token per Next() call.
/// Separators end a token, except an apostrophe between two letters and a
/// separator between two digits; a lead byte takes the byte after it into
/// the token. The position lives in the object, so two scans (or a scan
/// interrupted by dispatched window messages) never disturb each other.
class CTokenizer {
public:
    /// `text` must stay alive and unchanged by others while tokens are taken.
    explicit CTokenizer(char* text) : m_pNext(text) {}

    /// The next token, its end overwritten with a zero byte; nullptr when no
    /// token is left.
    char* Next();

private:
    char* m_pNext;  // where the next scan starts; nullptr once at the end
};

}  // namespace tabrel
