#include "ui/registers/entry_widgets.h"

#include "core/common/amount.h"
#include "ui/platform/field_box.h"
#include "ui/platform/designed_colours.h"
#include "gui/platform/fonts.h"
#include "core/common/messages.h"
#include "gui/platform/twips.h"
#include "core/registers/register_entry.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int kCaptionHeight = 255;
constexpr int kButtonWidth = 1305;
constexpr int kButtonHeight = 400;

} // namespace

QLabel *Entry_Caption(QWidget *parent, const char *text, int left, int top, int width)
{
    auto *label = new QLabel(QString::fromUtf8(text), parent);
    label->setGeometry(Twips_Rect(left, top, width, kCaptionHeight));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

FieldBox *Entry_Field(QWidget *parent, const TwipsRect &place, bool amount)
{
    auto *field = new FieldBox(parent);
    field->setGeometry(Twips_Rect(place));
    field->setFont(Design_Font(kDotum, 11.25));
    field->setAlignment((amount ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return field;
}

void Name_Field(QLabel *caption, QWidget *field, const char *help)
{
    caption->setBuddy(field);
    field->setAccessibleName(caption->text());
    if (help)
        field->setAccessibleDescription(QString::fromUtf8(help));
}

QComboBox *Code_List(QWidget *parent, const TwipsRect &place)
{
    auto *list = new QComboBox(parent); // not editable: the user only picks a code
    list->setGeometry(Twips_Rect(place));
    return list;
}

QPushButton *Register_Button(QWidget *parent, const char *caption, int left, int top)
{
    auto *button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setGeometry(Twips_Rect(left, top, kButtonWidth, kButtonHeight));
    return button;
}

void Show_Focus(FieldBox *field, const std::function<void(const QString &)> &setHelp, const char *help)
{
    field->onGotFocus = [field, setHelp, help] {
        Designed_Field(field, QPalette::Active, QColor(216, 244, 254));
        Designed_Field(field, QPalette::Inactive, QColor(216, 244, 254));
        if (setHelp)
            setHelp(QString::fromUtf8(help));
    };
    field->onLostFocus = [field, setHelp] {
        field->setPalette(QPalette());
        if (setHelp)
            setHelp({});
    };
}

void Make_Computed(FieldBox *field)
{
    field->setEnabled(false);
    Designed_Field(field, QPalette::Disabled, QColor(224, 224, 224));
}

void Select_Whole_Text(QLineEdit *field)
{
    field->home(false);
    field->end(true);
}

bool Amount_Field_Change(QLineEdit *field, Messages &messages)
{
    // The field counts its caret in UTF-16 units, the typing rule in bytes.
    const QString text = field->text();
    const int caret = field->cursorPosition();
    const std::string utf8 = S(text);
    const AmountTyping typed = Amount_Field_Typing(utf8, static_cast<int>(text.left(caret).toUtf8().size()));
    if (typed.overflowed)
        messages.Plain(kAmountTooLargeMessage);
    if (typed.edit.text == utf8) {
        if (typed.edit.caret != caret && Parse_Number(typed.edit.text).status == NumberStatus::Number) // ASCII
            field->setCursorPosition(typed.edit.caret);
        return false;
    }
    field->setText(Q(typed.edit.text));
    field->setCursorPosition(static_cast<int>(QString::fromUtf8(typed.edit.text.data(), typed.edit.caret).size()));
    return true;
}

void Fill_Codes(QComboBox *list, std::span<const char *const> codes)
{
    list->clear();
    for (const char *code : codes)
        list->addItem(QString::fromUtf8(code));
}
