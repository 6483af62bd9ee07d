#include "registers/entry_widgets.h"

#include "platform/field_box.h"
#include "platform/fonts.h"
#include "platform/twips.h"

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
    field->setGeometry(Twips_Rect(place.left, place.top, place.width, place.height));
    field->setFont(Design_Font(kDotum, 11.25));
    field->setAlignment((amount ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return field;
}

QComboBox *Code_List(QWidget *parent, const TwipsRect &place)
{
    auto *list = new QComboBox(parent); // not editable: the user only picks a code
    list->setGeometry(Twips_Rect(place.left, place.top, place.width, place.height));
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
        QPalette palette = field->palette();
        palette.setColor(QPalette::Active, QPalette::Base, QColor(216, 244, 254));
        palette.setColor(QPalette::Inactive, QPalette::Base, QColor(216, 244, 254));
        field->setPalette(palette);
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
    QPalette palette = field->palette();
    palette.setColor(QPalette::Disabled, QPalette::Base, QColor(224, 224, 224));
    field->setPalette(palette);
}

void Select_Whole_Text(QLineEdit *field)
{
    field->home(false);
    field->end(true);
}

void SyntheticKeys::Run(const std::function<void()> &handler)
{
    ++depth_;
    handler();
    --depth_;
    if (depth_ > 0)
        return;
    while (!pending_.empty()) {
        const QPointer<QLineEdit> field = pending_.front();
        pending_.pop_front();
        if (!field)
            continue;
        ++depth_; // the change handling this starts queues its own keys
        field->backspace();
        --depth_;
    }
}

void SyntheticKeys::Backspace(QLineEdit *field)
{
    if (depth_ == 0)
        field->backspace();
    else
        pending_.emplace_back(field);
}

void Fill_Codes(QComboBox *list, std::span<const char *const> codes)
{
    list->clear();
    for (const char *code : codes)
        list->addItem(QString::fromUtf8(code));
}
