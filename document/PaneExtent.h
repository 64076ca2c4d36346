#pragma once
// The scrollable size of a line pane, from its list and its font.

#include <cstddef>
#include <cstdint>

namespace tabrel {

/// Largest coordinate a pane uses for the profile's "UnSupported"/"32bitGDI":
/// 2147483647 whatever the value. A smaller limit would leave the end of a
/// long text out of reach, so the key no longer lowers it.
int CoordinateLimit(int value32bitGDI);

struct PaneExtent {
    int width = 0;
    int height = 0;
};

/// Width: `aveCharWidth` per byte of the longest line, plus 20, never below
/// 0 (an empty list reports a longest line of -1). Height: `lineHeight` per
/// line, at most `coordinateLimit` - 2000 so that it stays within an int.
PaneExtent ComputePaneExtent(std::size_t lineCount, std::int32_t longestLine, int lineHeight, int aveCharWidth,
                             int coordinateLimit);

}  // namespace tabrel
