#include "index/ExStringList.h"

#include <algorithm>
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

void CExStringList::Clear()
{
    // Swap rather than clear() so the vector's own buffer is freed too.
    std::vector<std::string>().swap(m_lines);
    m_nMaxLength = -1;
    MinimiseHeap();
}

std::int32_t CExStringList::GetMaxLength()
{
    if (m_nMaxLength == -1)
        ComputeMaxLength();
    return m_nMaxLength;
}

std::int32_t CExStringList::ComputeMaxLength()
{
    constexpr std::size_t kLimit = std::numeric_limits<std::int32_t>::max();
    for (const std::string& line : m_lines) {
        const auto length = static_cast<std::int32_t>(std::min(line.size(), kLimit));
        if (length > m_nMaxLength)
            m_nMaxLength = length;
    }
    return m_nMaxLength;
}

void CExStringList::AddTail(std::string line)
{
    m_lines.push_back(std::move(line));
}

}  // namespace tabrel
