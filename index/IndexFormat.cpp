#include "index/IndexFormat.h"

#include <stdexcept>

namespace tabrel {

void AppendU8(std::string& out, std::uint8_t v)
{
    out.push_back(static_cast<char>(v));
}

void AppendU16(std::string& out, std::uint16_t v)
{
    AppendU8(out, static_cast<std::uint8_t>(v & 0xFF));
    AppendU8(out, static_cast<std::uint8_t>(v >> 8));
}

void AppendU32(std::string& out, std::uint32_t v)
{
    AppendU16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    AppendU16(out, static_cast<std::uint16_t>(v >> 16));
}

void AppendNodeHead(std::string& out, std::string_view word, std::span<const Posting> postings)
{
    if (word.size() > kMaxHeadwordBytes)
        throw std::length_error("headword longer than an index node can hold");
    AppendU8(out, static_cast<std::uint8_t>(word.size() + 1));
    out.append(word);
    AppendU8(out, 0);
    AppendU32(out, static_cast<std::uint32_t>(postings.size()));
    for (const Posting& p : postings) {
        AppendU32(out, static_cast<std::uint32_t>(p.offset));
        AppendU32(out, p.lineNumber);
        AppendU16(out, static_cast<std::uint16_t>(p.fileId));
        AppendU8(out, p.type);
    }
    AppendU32(out, static_cast<std::uint32_t>(kPostingListEnd));
}

}  // namespace tabrel
