#include <gtest/gtest.h>

#include <climits>

#include "doc/PaneExtent.h"

using namespace tabrel;

TEST(PaneExtent, HeightCappedWidthNeverNegative)
{
    struct Case {
        std::size_t lines;
        std::int32_t longest;
        int gdi32;  // the profile's "32bitGDI"
        int width;
        int height;
    } cases[] = {
        {0, -1, 0, 7, 0},             // empty list: 13 * -1 + 20
        {3, 10, 0, 150, 48},
        {2000, 80, 0, 1060, 30767},   // 32000 pixels capped at 32767 - 2000
        {2000, 80, 1, 1060, 32000},
        {2000, 80, 2, 1060, 30767},   // only exactly 1 raises the limit
        {200000000, 80, 1, 1060, INT_MAX - 2000},
    };
    for (const Case& c : cases) {
        const PaneExtent e = ComputePaneExtent(c.lines, c.longest, 16, 13, CoordinateLimit(c.gdi32));
        EXPECT_EQ(e.width, c.width) << c.lines << " lines";
        EXPECT_EQ(e.height, c.height) << c.lines << " lines";
    }
    EXPECT_EQ(ComputePaneExtent(0, -1, 16, 25, 32767).width, 0);  // 20 - 25 would be negative
}
