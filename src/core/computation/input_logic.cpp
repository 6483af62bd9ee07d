#include "core/computation/input_logic.h"

#include "core/common/circular.h"
#include "core/common/text.h"

#include <cmath>
#include <cstdio>

const std::array<LineCaption, kLineCount> kLineCaptions = {{
    {"1. 비영업대금이익", nullptr},
    {"2. 원천징수되지 않는", "이자소득"},
    {"3. 위 이외 이자소득", nullptr},
    {"4. Gross-Up 대상", "배당소득"},
    {"5. Gross-Up 대상 아닌", "배당소득"},
    {"6. 원천징수되지 않는", "배당소득"},
    {"7. 배당가산액", nullptr},
    {"8. 금융소득외의", "다른 종합소득"},
    {"9. 소득공제", nullptr},
}};

const std::array<const char *, kLineCount> kLineHelp = {
    "[이자소득명세]중 소득구분이 [11]인 건에 대한 연간 합계액",
    "[이자소득명세]중 소득구분인 [12]인 건에 대한 연간 합계액",
    "[이자소득명세]중 소득구분인 [13]인 건에 대한 연간 합계액",
    "[배당소득명세]중 소득구분인 [21]인 건에 대한 연간 합계액",
    "[배당소득명세]중 소득구분인 [22]인 건에 대한 연간 합계액",
    "[배당소득명세]중 소득구분인 [23]인 건에 대한 연간 합계액",
    "[배당소득명세]중 (7)가산액",
    "[종합소득금액 및 결손금,이월결손금 공제명세서]중 (5)결손금.이월결손금 공제후 소득금액중 배당소득금액을 "
    "제외한 소득금액의 합계액",
    "[소득공제명서서]중 (22)소득공제 합계",
};

namespace {

// Virtual-key codes of the keys the editor moves with.
enum Key : int { kEnter = 13, kPageUp = 33, kPageDown = 34, kLeft = 37, kUp = 38, kRight = 39, kDown = 40 };

// The number as plain digits, as gathering writes it back into a box.
std::string Plain_Digits(double value)
{
    char text[400];
    std::snprintf(text, sizeof text, "%.0f", Round_Won(value) == 0 ? 0.0 : Round_Won(value));
    return text;
}

} // namespace

std::string Line_Name(int i)
{
    const LineCaption &caption = kLineCaptions.at(i);
    std::string name = caption.first;
    return caption.second ? name.append(" ").append(caption.second) : name;
}

bool Refuses_Negative(std::string_view editorText, int from)
{
    if (from == kDividendAddLine)
        return false;
    const ParsedNumber n = Parse_Number(Format_Grouped(editorText));
    return n.status == NumberStatus::Number && n.value < 0;
}

std::optional<int> Editor_Key_Target(int key, int current)
{
    switch (key) {
    case kEnter:
    case kDown:
        return Circ_Next(current, 0, kLineCount - 1);
    case kUp:
        return Circ_Prev(current, 0, kLineCount - 1);
    case kRight: // lines 1..4 to the line beside them, 6..9
        if (current < 4)
            return current + 5;
        return std::nullopt;
    case kLeft:
        if (current > 4)
            return current - 5;
        return std::nullopt;
    case kPageUp:
        return 0;
    case kPageDown:
        return kLineCount - 1;
    default:
        return std::nullopt;
    }
}

EditorTyping Filter_Editor_Typing(const AmountEdit &before, const AmountEdit &after)
{
    switch (Parse_Number(after.text).status) {
    case NumberStatus::Number:
        return {Format_Amount(after.text, after.caret), false};
    case NumberStatus::Overflow:
        return {before, true};
    case NumberStatus::NotNumber:
        break;
    }
    if (after.text.empty() || after.text == "-")
        return {after, false};
    return {before, false};
}

bool Gather_Inputs(PanelTexts &panel, InputAmounts &inputs, int *unreadLine)
{
    for (int i = 0; i < kLineCount; ++i) {
        const std::string_view text = Trim_Blanks(panel.boxes[i]);
        if (text.empty()) {
            inputs[i] = 0;
            continue;
        }
        const ParsedNumber n = Parse_Number(text);
        if (n.status != NumberStatus::Number) {
            if (unreadLine)
                *unreadLine = i;
            return false;
        }
        inputs[i] = n.value;
    }

    // The editor holds the current line's latest value.
    const int cur = panel.curLine;
    if (!panel.boxes[cur].empty()) {
        const ParsedNumber n = Parse_Number(panel.editor);
        if (n.status != NumberStatus::Number) {
            panel.editor.assign(1, '0'); // not = "0": GCC 12 warns falsely (-Wrestrict)
            inputs[cur] = 0;
        } else {
            inputs[cur] = n.value;
            panel.boxes[cur] = Plain_Digits(n.value);
        }
    } else {
        inputs[cur] = 0;
    }

    inputs[9] = inputs[7];
    inputs[10] = inputs[8];
    return true;
}

bool Lines_Differ(const std::array<std::string, kLineCount> &a, const std::array<std::string, kLineCount> &b)
{
    for (int i = 0; i < kLineCount; ++i)
        if (Get_Amount(a[i]) != Get_Amount(b[i]))
            return true;
    return false;
}
