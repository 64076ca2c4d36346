#pragma once
// Byte tables and character classes of code page 932 text.
//
// A character is one byte, or a lead byte (0x81-0x9F, 0xE0-0xFC) followed by
// a second byte. Whether a byte is a lead byte depends on where it stands, so
// every positional test walks the text from its first byte.

#include <cstdint>

namespace tabrel {

/// Bits of the character-type table (indexed by byte value + 1; entry 0 is
/// end of file and has no bits). Bytes 0x80-0xFF have no bits.
enum CharTypeBits : std::uint8_t {
    kCtControl = 0x01,
    kCtSpace = 0x02,
    kCtPunct = 0x04,
    kCtPrint = 0x08,
    kCtHexDigit = 0x10,
    kCtDigit = 0x20,
    kCtUpper = 0x40,
    kCtLower = 0x80,
};

/// Bits of the double-byte table (indexed by byte value).
enum DbcsBits : std::uint8_t {
    kDbKatakana = 0x01,      ///< single-byte katakana 0xA6-0xDF
    kDbKanaPunct = 0x02,     ///< single-byte katakana punctuation 0xA1-0xA5
    kDbLead = 0x04,          ///< lead byte 0x81-0x9F, 0xE0-0xFC
    kDbTrail = 0x08,         ///< valid second byte 0x40-0x7E, 0x80-0xFC
};

/// Character-type bits of a byte value, or of -1 (end of file: no bits).
std::uint8_t CharType(int byteOrEof);

/// Double-byte table bits of a byte value.
std::uint8_t DbcsType(unsigned char byte);

inline bool IsLeadByte(unsigned char b) { return (DbcsType(b) & kDbLead) != 0; }
inline bool IsTrailByte(unsigned char b) { return (DbcsType(b) & kDbTrail) != 0; }
inline bool IsAsciiDigit(unsigned char b) { return (CharType(b) & kCtDigit) != 0; }
inline bool IsAsciiLetter(unsigned char b) { return (CharType(b) & (kCtUpper | kCtLower)) != 0; }

/// Class (3 to 8, or 10) of one double-byte character given as
/// lead byte * 256 + second byte.
int GetDbcsCharClass(unsigned code);

/// Class of the character covering byte position `pos` of the zero-terminated
/// `text`. `pos` may be -1 (just before the first byte, class 9) or the
/// position of the terminating zero byte; it must not lie beyond it.
int GetCharClass(const char* text, int pos);

/// Whether the `len` bytes of `text` starting at `pos` begin and end at a
/// change of character class. `pos + len` must not lie beyond the
/// terminating zero byte.
bool IsDelimitedMatch(const char* text, int pos, int len);

}  // namespace tabrel
