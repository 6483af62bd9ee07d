// The pieces both register panels are built from: captions over the entry
// fields, the fields with their focus colour and help text, the register
// buttons, and the two synthetic keystrokes the handlers send to a field.
#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QString>

#include <deque>
#include <string>
#include <functional>
#include <span>

class FieldBox;
class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

struct TwipsRect {
    int left, top, width, height;
};

QLabel *Entry_Caption(QWidget *parent, const char *text, int left, int top, int width);
FieldBox *Entry_Field(QWidget *parent, const TwipsRect &place, bool amount);
QComboBox *Code_List(QWidget *parent, const TwipsRect &place);
QPushButton *Register_Button(QWidget *parent, const char *caption, int left, int top);

// A focused field turns light blue and puts its help text on the help line;
// leaving it restores the window colour and empties the help line.
void Show_Focus(FieldBox *field, const std::function<void(const QString &)> &setHelp, const char *help);

// Computed fields: disabled for good, grey.
void Make_Computed(FieldBox *field);

// "{HOME}+{End}": the caret to the start, then the whole text selected.
void Select_Whole_Text(QLineEdit *field);
// "{Bs}" keystrokes sent from change handlers. They are queued and act once
// the outermost handler has returned, each starting the field's change
// handling afresh, so a long pasted text that is taken back one character
// at a time never nests the handlers deeply.
class SyntheticKeys {
public:
    // Runs a change handler; Backspaces it asks for act when it returns.
    void Run(const std::function<void()> &handler);
    // "{Bs}": removes the character before the caret (or the selection).
    void Backspace(QLineEdit *field);

private:
    int depth_ = 0;
    std::deque<QPointer<QLineEdit>> pending_;
};

// Fills a code list and selects its first code.
void Fill_Codes(QComboBox *list, std::span<const char *const> codes);

inline QString Q(const std::string &s) { return QString::fromStdString(s); }
inline std::string S(const QString &s) { return s.toStdString(); }
