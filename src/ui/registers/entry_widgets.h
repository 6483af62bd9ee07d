// The pieces both register panels are built from: captions over the entry
// fields, the fields with their focus colour and help text, the register
// buttons, the select-all keystroke and the amount fields' change handling.
#pragma once

#include "gui/platform/strings.h"
#include "gui/platform/twips.h"

#include <QString>

#include <functional>
#include <span>
#include <string>

class FieldBox;
class Messages;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

QLabel *Entry_Caption(QWidget *parent, const char *text, int left, int top, int width);
FieldBox *Entry_Field(QWidget *parent, const TwipsRect &place, bool amount);
QComboBox *Code_List(QWidget *parent, const TwipsRect &place);
QPushButton *Register_Button(QWidget *parent, const char *caption, int left, int top);

// What a screen reader says of a field or code list: its caption, which
// also becomes the label's buddy, and its help-line text as description.
void Name_Field(QLabel *caption, QWidget *field, const char *help);

// A focused field turns light blue and puts its help text on the help line;
// leaving it restores the window colour and empties the help line.
void Show_Focus(FieldBox *field, const std::function<void(const QString &)> &setHelp, const char *help);

// Computed fields: disabled for good, grey.
void Make_Computed(FieldBox *field);

// "{HOME}+{End}": the caret to the start, then the whole text selected.
void Select_Whole_Text(QLineEdit *field);

// The change handling both registers give an amount field (Amount_Field_Typing).
// Returns true when it rewrote the field, whose own change handling has
// then run on the new text; false when the text stands as it is.
bool Amount_Field_Change(QLineEdit *field, Messages &messages);

// Fills a code list and selects its first code.
void Fill_Codes(QComboBox *list, std::span<const char *const> codes);
