#include "index/ExStringList.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

#if defined(__GLIBC__) || defined(_WIN32)
#include <malloc.h>
#endif

namespace tabrel {
namespace {

// Hands freed heap pages back to the operating system after a large list
// (a whole dictionary text, say) has been dropped.
void MinimiseHeap()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#elif defined(_WIN32)
    _heapmin();
#endif
}

}  // namespace

namespace {
// Blocks grow from small (a few result lines) to large (a whole book).
constexpr std::size_t kFirstBlockBytes = 4 * 1024;
constexpr std::size_t kLargestBlockBytes = 1024 * 1024;
}  // namespace

void CExStringList::Clear()
{
    // Swap rather than clear() so the vectors' own buffers are freed too.
    std::vector<std::string_view>().swap(m_lines);
    std::vector<std::unique_ptr<char[]>>().swap(m_blocks);
    m_blockSize = m_blockUsed = 0;
    m_nMaxLength = -1;
    MinimiseHeap();
}

namespace {
// The longest line's length, starting from `known` and never below it.
std::int32_t LongestFrom(const std::vector<std::string_view>& lines, std::int32_t known)
{
    constexpr std::size_t kLimit = std::numeric_limits<std::int32_t>::max();
    for (std::string_view line : lines) {
        const auto length = static_cast<std::int32_t>(std::min(line.size(), kLimit));
        if (length > known)
            known = length;
    }
    return known;
}
}  // namespace

std::int32_t CExStringList::GetMaxLength() const
{
    if (m_nMaxLength == -1)
        m_nMaxLength = LongestFrom(m_lines, -1);
    return m_nMaxLength;
}

std::int32_t CExStringList::ComputeMaxLength()
{
    m_nMaxLength = LongestFrom(m_lines, m_nMaxLength);
    return m_nMaxLength;
}

char* CExStringList::Reserve(std::size_t bytes)
{
    if (m_blocks.empty() || m_blockSize - m_blockUsed < bytes) {
        const std::size_t next = m_blocks.empty() ? kFirstBlockBytes : std::min(m_blockSize * 2, kLargestBlockBytes);
        m_blockSize = std::max(next, bytes);
        m_blocks.push_back(std::make_unique_for_overwrite<char[]>(m_blockSize));
        m_blockUsed = 0;
    }
    char* at = m_blocks.back().get() + m_blockUsed;
    m_blockUsed += bytes;
    return at;
}

void CExStringList::AddTail(std::string_view line)
{
    if (line.empty()) {
        m_lines.emplace_back();
        return;
    }
    char* at = Reserve(line.size());
    std::memcpy(at, line.data(), line.size());
    m_lines.emplace_back(at, line.size());
}

}  // namespace tabrel
