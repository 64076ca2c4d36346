#include "index/ExStringList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tabrel {
namespace {

TEST(ExStringListTest, EmptyListReportsMinusOne)
{
    CExStringList list;
    EXPECT_EQ(list.GetMaxLength(), -1);
    EXPECT_EQ(list.ComputeMaxLength(), -1);
    EXPECT_EQ(list.GetMaxLength(), -1);
}

TEST(ExStringListTest, LengthIsCountedInBytes)
{
    const struct {
        const char* line;
        std::int32_t length;
    } cases[] = {
        {"", 0},
        {"abcdefghij\r\n", 12},
        {"\x8A\xBF", 2},           // 漢
        {"a\x82\xA0\r\n", 5},      // aあ + line end
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        CExStringList list;
        list.AddTail(c.line);
        EXPECT_EQ(list.GetMaxLength(), c.length);
    }
}

TEST(ExStringListTest, AddTailLeavesCacheUntilCompute)
{
    CExStringList list;
    list.AddTail("abc");
    list.AddTail("a");
    EXPECT_EQ(list.GetMaxLength(), 3);

    list.AddTail("abcdef");
    EXPECT_EQ(list.GetMaxLength(), 3);
    EXPECT_EQ(list.ComputeMaxLength(), 6);
    EXPECT_EQ(list.GetMaxLength(), 6);
}

TEST(ExStringListTest, ClearThenRefillReportsNewMaximum)
{
    CExStringList list;
    list.AddTail("a rather long old line");
    EXPECT_EQ(list.ComputeMaxLength(), 22);

    list.Clear();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetMaxLength(), -1);

    list.AddTail("short");
    list.AddTail("ab");
    EXPECT_EQ(list.GetMaxLength(), 5);
}

TEST(ExStringListTest, KeepsInsertionOrder)
{
    const std::vector<std::string> lines = {"one", "two", "three"};
    CExStringList list;
    for (const std::string& line : lines)
        list.AddTail(line);

    ASSERT_EQ(list.GetCount(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(list.GetAt(i), lines[i]);
    EXPECT_EQ(std::vector<std::string>(list.begin(), list.end()), lines);
}

}  // namespace
}  // namespace tabrel
