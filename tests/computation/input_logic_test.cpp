#include "core/computation/input_logic.h"

#include <gtest/gtest.h>

namespace {

enum { Enter = 13, PageUp = 33, PageDown = 34, Left = 37, Up = 38, Right = 39, Down = 40, Tab = 9 };

TEST(EditorKeys, MoveRoundTheNineLinesAndAcrossTheRows)
{
    EXPECT_EQ(Editor_Key_Target(Enter, 0), 1);
    EXPECT_EQ(Editor_Key_Target(Enter, 8), 0); // after line 9, line 1
    EXPECT_EQ(Editor_Key_Target(Down, 4), 5);
    EXPECT_EQ(Editor_Key_Target(Up, 0), 8); // before line 1, line 9
    EXPECT_EQ(Editor_Key_Target(Up, 5), 4);
    EXPECT_EQ(Editor_Key_Target(Right, 1), 6); // line 2 to line 7, on its row
    EXPECT_EQ(Editor_Key_Target(Right, 3), 8);
    EXPECT_EQ(Editor_Key_Target(Right, 4), std::nullopt); // line 5 has nothing beside it
    EXPECT_EQ(Editor_Key_Target(Right, 6), std::nullopt);
    EXPECT_EQ(Editor_Key_Target(Left, 5), 0);
    EXPECT_EQ(Editor_Key_Target(Left, 8), 3);
    for (int line = 0; line <= 4; ++line)
        EXPECT_EQ(Editor_Key_Target(Left, line), std::nullopt) << line;
    EXPECT_EQ(Editor_Key_Target(PageUp, 7), 0);
    EXPECT_EQ(Editor_Key_Target(PageDown, 2), 8);
    EXPECT_EQ(Editor_Key_Target(Tab, 2), std::nullopt);
}

TEST(NegativeRefusal, OnlyLineSevenTakesANegativeAmount)
{
    EXPECT_TRUE(Refuses_Negative("-1,000", 8));
    EXPECT_TRUE(Refuses_Negative("-1", 0));
    EXPECT_FALSE(Refuses_Negative("-1,000", kDividendAddLine));
    EXPECT_FALSE(Refuses_Negative("-", 0)); // not a number: passes, gathering stops it
    EXPECT_FALSE(Refuses_Negative("", 0));
    EXPECT_FALSE(Refuses_Negative("-0", 0));
    EXPECT_FALSE(Refuses_Negative("-0.4", 0)); // rounds to zero
    EXPECT_FALSE(Refuses_Negative("1,000", 0));
    EXPECT_EQ(Stored_Line_Text("1234567"), "1,234,567");
    EXPECT_EQ(Stored_Line_Text("0"), "");
    EXPECT_EQ(Stored_Line_Text("-"), "-");
}

EditorTyping Type(const char *before, const char *after)
{
    const int b = static_cast<int>(std::string(before).size());
    const int a = static_cast<int>(std::string(after).size());
    return Filter_Editor_Typing({before, b}, {after, a});
}

TEST(EditorTyping, KeepsGroupedAmountsALoneMinusOrNothing)
{
    // Typing 1 to 7 one digit at a time.
    const char *typed[] = {"1", "12", "123", "1,2344", "12,3455", "123,4566", "1,234,5677"};
    const char *shown[] = {"1", "12", "123", "12,344", "123,455", "1,234,566", "12,345,677"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(Type("", typed[i]).edit.text, shown[i]) << typed[i];

    EXPECT_EQ(Type("", "-").edit.text, "-");
    EXPECT_EQ(Type("-", "-5").edit.text, "-5");
    EXPECT_EQ(Type("1", "").edit.text, "");
    EXPECT_EQ(Type("1,234", "1,234a").edit.text, "1,234"); // a letter is taken back
    EXPECT_EQ(Type("1,234", "1,234a").edit.caret, 5);
    EXPECT_EQ(Type("", ".").edit.text, "");
    EXPECT_EQ(Type("", "+").edit.text, "");
    EXPECT_EQ(Type("-", "--").edit.text, "-");
    EXPECT_EQ(Type("0", "00").edit.text, "00"); // zero stays as typed
    EXPECT_FALSE(Type("1", "12").overflow);

    const EditorTyping tooLarge = Type("1", "1e999");
    EXPECT_TRUE(tooLarge.overflow);
    EXPECT_EQ(tooLarge.edit.text, "1");
}

PanelTexts Panel(std::array<std::string, 9> boxes, std::string editor, int cur)
{
    return PanelTexts{boxes, std::move(editor), cur};
}

TEST(GatherInputs, ReadsTheBoxesAndTakesTheCurrentLineFromTheEditor)
{
    InputAmounts in{};
    in[11] = 0;
    PanelTexts p =
        Panel({"", "5,000,000", "", "", "", "1,000,000", "-1,000", "30,000,000", "5,000,000"}, "5,000,000", 1);
    ASSERT_TRUE(Gather_Inputs(p, in));
    EXPECT_EQ(in[0], 0);
    EXPECT_EQ(in[1], 5'000'000);
    EXPECT_EQ(in[5], 1'000'000);
    EXPECT_EQ(in[6], -1'000);
    EXPECT_EQ(in[9], 30'000'000); // copies of lines 8 and 9
    EXPECT_EQ(in[10], 5'000'000);
    EXPECT_EQ(in[11], 0);
    EXPECT_EQ(p.boxes[1], "5000000"); // written back as plain digits
    EXPECT_EQ(p.editor, "5,000,000");
}

TEST(GatherInputs, AnEmptiedEditorCountsAsZeroAndShowsZero)
{
    InputAmounts in{};
    in[2] = 7;
    PanelTexts p = Panel({"", "", "3,000", "", "", "", "", "", ""}, "", 2);
    ASSERT_TRUE(Gather_Inputs(p, in));
    EXPECT_EQ(in[2], 0);
    EXPECT_EQ(p.editor, "0");

    // An empty current box counts as zero, whatever the editor holds.
    PanelTexts q = Panel({"", "", "", "", "", "", "", "", ""}, "", 4);
    ASSERT_TRUE(Gather_Inputs(q, in));
    EXPECT_EQ(in[4], 0);
    EXPECT_EQ(q.editor, "");
}

TEST(GatherInputs, StopsAtALineThatIsNoNumberWithTheEarlierLinesStored)
{
    InputAmounts in{};
    in.fill(9);
    PanelTexts p = Panel({"1", "2", "3", "-", "5", "", "", "", ""}, "-", 3);
    int unread = -1;
    EXPECT_FALSE(Gather_Inputs(p, in, &unread));
    EXPECT_EQ(unread, 3);
    EXPECT_EQ(in[0], 1);
    EXPECT_EQ(in[1], 2);
    EXPECT_EQ(in[2], 3);
    EXPECT_EQ(in[3], 9); // not reached
    EXPECT_EQ(in[4], 9);
}

} // namespace
