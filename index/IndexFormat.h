#pragma once
// Byte layout of an index file: a version byte, then the root node of a
// binary tree of headwords written in pre-order as little-endian records.
//
// Node: WordSize (1 byte, headword length + 1), the headword and a zero
// byte, PostingCount (4 bytes), the postings (11 bytes each), the
// terminator FF FF FF FF, BeforeFlag (1 byte) and, when it is not 0, the
// before-subtree, then AfterFlag (1 byte) and, when it is not 0, the
// after-subtree.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tabrel {

inline constexpr std::uint8_t kIndexVersion = 4;
inline constexpr std::size_t kPostingBytes = 11;
inline constexpr std::size_t kMaxHeadwordBytes = 254;  // WordSize counts the zero byte and fits in one byte
inline constexpr std::int32_t kPostingListEnd = -1;
inline constexpr std::uint8_t kHiddenPostingType = 2;  // not shown by the look-up

/// Where one entry lies: the line at byte `offset` of dictionary file `fileId`.
struct Posting {
    std::int32_t offset = 0;       ///< byte offset of the line's first byte; 0 or greater
    std::uint32_t lineNumber = 0;  ///< for reference only
    std::int16_t fileId = 0;       ///< key of the FileID table; 0 or greater
    std::uint8_t type = 1;         ///< 2: hidden; anything else: shown
};

void AppendU8(std::string& out, std::uint8_t v);
void AppendU16(std::string& out, std::uint16_t v);
void AppendU32(std::string& out, std::uint32_t v);

/// Appends a node up to and including its posting-list terminator; the
/// caller then appends BeforeFlag, the before-subtree, AfterFlag and the
/// after-subtree. `word` must be at most kMaxHeadwordBytes long.
void AppendNodeHead(std::string& out, std::string_view word, std::span<const Posting> postings);

}  // namespace tabrel
