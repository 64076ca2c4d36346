#include <gtest/gtest.h>

#include <climits>

#include "document/PaneExtent.h"

using namespace tabrel;

TEST(PaneExtent, HeightCoversEveryLineWidthNeverNegative)
{
    struct Case {
        std::size_t lines;
        std::int32_t longest;
        int gdi32;  // the profile's "32bitGDI"
        int width;
        int height;
    } cases[] = {
        {0, -1, 0, 7, 0},              // empty list: 13 * -1 + 20
        {3, 10, 0, 150, 48},
        {2000, 80, 0, 1060, 32000},    // past the old 16-bit limit, whatever the key says
        {2000, 80, 1, 1060, 32000},
        {2000, 80, 2, 1060, 32000},
        {20000, 2047, 0, 26631, 320000},
        {200000000, 80, 0, 1060, INT_MAX - 2000},  // only an int's range caps it
        {200000000, 80, 1, 1060, INT_MAX - 2000},
    };
    for (const Case& c : cases) {
        const PaneExtent e = ComputePaneExtent(c.lines, c.longest, 16, 13, CoordinateLimit(c.gdi32));
        EXPECT_EQ(e.width, c.width) << c.lines << " lines, 32bitGDI " << c.gdi32;
        EXPECT_EQ(e.height, c.height) << c.lines << " lines, 32bitGDI " << c.gdi32;
    }
    EXPECT_EQ(ComputePaneExtent(0, -1, 16, 25, CoordinateLimit(0)).width, 0);  // 20 - 25 would be negative
}
