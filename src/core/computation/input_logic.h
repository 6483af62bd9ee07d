// What the computation panel does with its nine lines, apart from the
// widgets: the line editor's typing filter, its movement keys, the negative
// amount refusal and the gathering of the inputs.
#pragma once

#include "core/common/amount.h"
#include "core/computation/engine.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

inline constexpr int kLineCount = 9;
inline constexpr int kDividendAddLine = 6; // "7. 배당가산액" may be negative

// Captions of the nine lines (Label3): one text, or two for a caption set
// on two lines (the second is then non-null).
struct LineCaption {
    const char *first;
    const char *second;
};
extern const std::array<LineCaption, kLineCount> kLineCaptions;

// Line i's caption on one line, as a screen reader names the line.
std::string Line_Name(int i);

// What txtHelp says while line i is being edited.
extern const std::array<const char *, kLineCount> kLineHelp;

inline constexpr const char *kNegativeRefused = "음수가 입력되어선 않됩니다!!";
inline constexpr const char *kNotANumber = "잘못된 문자를 입력하셨습니다";
inline constexpr const char *kAmountTooLarge = "금액이 너무 큽니다.";
// Told by the greyed result box once a line has changed since the tax.
inline constexpr const char *kTaxOutOfDate = "세액계산 후 바뀐 줄이 있습니다. 다시 세액계산을 누르십시오.";

// Leaving line `from` with this editor text is refused: the text, grouped,
// is a negative amount and the line is not line 7.
bool Refuses_Negative(std::string_view editorText, int from);

// The line a movement key takes the editor to from line `current`, or none
// when the key is not a movement key or does nothing there. Keys are
// virtual-key codes (Enter 13, Page Up 33, Page Down 34, arrows 37..40).
std::optional<int> Editor_Key_Target(int key, int current);

// The line editor's answer to a keystroke that changed its text from
// `before` to `after`: a number is re-grouped with the caret at the end; an
// empty text or a lone "-" stands; anything else, and an amount that
// reaches the amount limit (`overflow`), is taken back.
struct EditorTyping {
    AmountEdit edit;
    bool overflow = false;
};
EditorTyping Filter_Editor_Typing(const AmountEdit &before, const AmountEdit &after);

// The nine line boxes, the line editor and its line, as Gather_Inputs sees
// them. Gathering may write the editor ("0") and the current box (plain
// digits).
struct PanelTexts {
    std::array<std::string, kLineCount> boxes;
    std::string editor;
    int curLine = 0;
};

// Fills elements 0..10 of the inputs from the panel. Returns false when a
// box does not read as a number (its index goes to *unreadLine); the
// elements before it are then already written.
bool Gather_Inputs(PanelTexts &panel, InputAmounts &inputs, int *unreadLine = nullptr);

// What leaving the current line stores in its box.
inline std::string Stored_Line_Text(std::string_view editorText) { return Format_Grouped(editorText); }

// True when some line's amount differs between the two: an empty line and
// "0", "1,000" and "1000" are the same amount.
bool Lines_Differ(const std::array<std::string, kLineCount> &a, const std::array<std::string, kLineCount> &b);
