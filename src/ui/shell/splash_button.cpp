#include "ui/shell/splash_button.h"

#include "gui/platform/twips.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

QString SplashButton::Look() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    QStringList parts = {style()->name(),
                         QString::number(option.state.toInt()),
                         QString::number(option.features.toInt()),
                         QStringLiteral("%1,%2 %3x%4")
                             .arg(option.rect.x())
                             .arg(option.rect.y())
                             .arg(option.rect.width())
                             .arg(option.rect.height()),
                         option.text,
                         QString::number(option.icon.isNull()),
                         font().toString(),
                         QString::number(devicePixelRatioF()),
                         QString::number(logicalDpiX()),
                         QString::number(logicalDpiY())};
    const QPalette::ColorGroup group = option.palette.currentColorGroup();
    for (int role = 0; role < QPalette::NColorRoles; ++role)
        parts << option.palette.color(group, QPalette::ColorRole(role)).name(QColor::HexArgb);
    return parts.join(QChar('|'));
}

void SplashButton::Use_Picture(QImage picture, QString look)
{
    picture_ = std::move(picture);
    pictureLook_ = std::move(look);
    update();
}

void SplashButton::paintEvent(QPaintEvent *event)
{
    if (!picture_.isNull() && picture_.size() == size() && Look() == pictureLook_) {
        QPainter(this).drawImage(0, 0, picture_);
        return;
    }
    QPushButton::paintEvent(event);
}

SplashButton *Make_Splash_Button(QWidget *parent)
{
    auto *button = new SplashButton(QString::fromUtf8("확 인"), parent);
    button->setGeometry(Twips_Rect(2835, 3120, 1455, 375));
    button->setDefault(true);
    return button;
}
