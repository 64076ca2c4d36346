#include "document/PaneExtent.h"

#include <algorithm>
#include <climits>

namespace tabrel {

int CoordinateLimit(int)
{
    return INT_MAX;
}

PaneExtent ComputePaneExtent(std::size_t lineCount, std::int32_t longestLine, int lineHeight, int aveCharWidth,
                             int coordinateLimit)
{
    const long long height = static_cast<long long>(lineHeight) * static_cast<long long>(lineCount);
    const long long width = static_cast<long long>(aveCharWidth) * longestLine + 20;
    const long long maxHeight = static_cast<long long>(coordinateLimit) - 2000;
    PaneExtent extent;
    extent.height = static_cast<int>(std::clamp(height, 0LL, maxHeight));
    extent.width = static_cast<int>(std::clamp(width, 0LL, static_cast<long long>(INT_MAX)));
    return extent;
}

}  // namespace tabrel
