#include "core/common/circular.h"
#include "core/common/text.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(GetField, SplitsAtTheExactDelimiterAndTrims)
{
    EXPECT_EQ(Get_Field("a, b ,c", ",", 0), "a");
    EXPECT_EQ(Get_Field("a, b ,c", ",", 1), "b");
    EXPECT_EQ(Get_Field("a, b ,c", ",", 2), "c");
    EXPECT_EQ(Get_Field("a, b ,c", ",", 7), "c"); // past the last: the last
    EXPECT_EQ(Get_Field("", ",", 0), "");
    EXPECT_EQ(Get_Field("", ",", 3), "");
    EXPECT_EQ(Get_Field("only", ",", 2), "only");
    EXPECT_EQ(Get_Field("a,,b", ",", 1), "");
    EXPECT_EQ(Get_Field("x::y:z", "::", 1), "y:z"); // matched exactly, not as a set
    EXPECT_EQ(Get_Field("x::y:z", ":", 1), "");
    EXPECT_EQ(Get_Field("계산서 | 사용법", "|", 1), "사용법");
    EXPECT_EQ(Get_Field("a,b", ",", -1), "a");
}

TEST(Trim, RemovesBlanksAtBothEndsOnly)
{
    EXPECT_EQ(Trim_Blanks("  a b \t"), "a b");
    EXPECT_EQ(Trim_Blanks(" \t "), "");
}

TEST(Circular, StepsWrapAroundTheNineLines)
{
    EXPECT_EQ(Circ_Next(0, 0, 8), 1);
    EXPECT_EQ(Circ_Next(7, 0, 8), 8);
    EXPECT_EQ(Circ_Next(8, 0, 8), 0);
    EXPECT_EQ(Circ_Next(12, 0, 8), 0); // at or past the top
    EXPECT_EQ(Circ_Prev(1, 0, 8), 0);
    EXPECT_EQ(Circ_Prev(0, 0, 8), 8);
    EXPECT_EQ(Circ_Prev(-3, 0, 8), 8);
    EXPECT_EQ(Circ_Next(INT_MAX, INT_MIN, INT_MAX), INT_MIN);
    EXPECT_EQ(Circ_Prev(INT_MIN, INT_MIN, INT_MAX), INT_MAX);
}

} // namespace
