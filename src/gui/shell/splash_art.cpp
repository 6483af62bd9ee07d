#include "gui/shell/splash_art.h"

#include "core/common/app_info.h"
#include "gui/platform/fonts.h"
#include "gui/platform/twips.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

const QColor kNavy(10, 38, 71);
const QColor kTeal(22, 102, 122);
const QColor kGold(233, 190, 92);
const QColor kPaper = QColor::fromRgb(kArtPaper);

void Draw_Chart(QPainter &p)
{
    // Rising bars on a faint grid, with the trend drawn over them.
    p.setPen(QPen(QColor(255, 255, 255, 28), 1));
    for (int y = 104; y <= 200; y += 24)
        p.drawLine(QPointF(364, y + 0.5), QPointF(kArtWidth - 12, y + 0.5));
    const int heights[] = {30, 46, 40, 62, 80};
    QPainterPath trend;
    for (int i = 0; i < 5; ++i) {
        const QRectF bar(372 + i * 19, 200 - heights[i], 12, heights[i]);
        QLinearGradient fill(bar.topLeft(), bar.bottomLeft());
        fill.setColorAt(0, QColor(kGold.red(), kGold.green(), kGold.blue(), 210));
        fill.setColorAt(1, QColor(kGold.red(), kGold.green(), kGold.blue(), 60));
        p.fillRect(bar, fill);
        const QPointF top(bar.center().x(), bar.top() - 10);
        if (i == 0)
            trend.moveTo(top);
        else
            trend.lineTo(top);
    }
    p.setPen(QPen(kPaper, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(trend);
    p.setBrush(kPaper);
    p.drawEllipse(trend.currentPosition(), 3.5, 3.5);
}

void Draw_Coin(QPainter &p)
{
    const QPointF centre(64, 58);
    QRadialGradient face(centre - QPointF(8, 8), 40);
    face.setColorAt(0, kGold.lighter(130));
    face.setColorAt(1, kGold.darker(115));
    p.setPen(QPen(kGold.darker(140), 2));
    p.setBrush(face);
    p.drawEllipse(centre, 32, 32);
    p.setPen(QPen(kGold.darker(150), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, 26, 26);
    QFont font = Design_Font(kDotum, 22, true);
    p.setFont(font);
    p.setPen(kNavy);
    p.drawText(QRectF(centre.x() - 32, centre.y() - 32, 64, 64), Qt::AlignCenter, QString::fromUtf8("₩"));
}

} // namespace

QImage Splash_Artwork()
{
    QImage image(kArtWidth, kArtHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, kArtWidth, kArtHeight);
    sky.setColorAt(0, kNavy);
    sky.setColorAt(1, kTeal);
    p.fillRect(image.rect(), sky);

    // A soft light behind the product name.
    QRadialGradient glow(QPointF(kArtWidth / 2.0, 92), 220);
    glow.setColorAt(0, QColor(255, 255, 255, 46));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(image.rect(), glow);

    Draw_Chart(p);
    Draw_Coin(p);

    // Gold rules above and below the name.
    p.setPen(QPen(kGold, 1.5));
    p.drawLine(QPointF(110, 74), QPointF(365, 74));
    p.drawLine(QPointF(110, 112), QPointF(365, 112));

    p.setFont(Design_Font(kDotum, 9.5));
    p.setPen(QColor(214, 228, 238));
    p.drawText(QRectF(0, 150, kArtWidth, 20), Qt::AlignCenter,
               QString::fromUtf8("종합소득세 산출세액 계산 · 금융소득자용"));

    p.fillRect(QRectF(0, kArtHeight - 6, kArtWidth, 6), kGold);
    return image;
}

QString Version_Text(int major, int minor) { return QStringLiteral("V %1.%2").arg(major).arg(minor); }

QFont Splash_Label_Font(double pointSize)
{
    QFont font = Design_Font(kGulim, pointSize, true);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QRect Splash_Product_Name_Box() { return Twips_Rect(375, 1200, 6360, 315); }

QRect Splash_Version_Box()
{
    // QLabel's size hint for one line of plain text without frame or margin.
    const QFontMetrics metrics(Splash_Label_Font(kVersionPoints));
    const int flags = kVersionAlignment & ~(Qt::AlignVCenter | Qt::AlignHCenter);
    const QSize size =
        metrics.boundingRect(0, 0, 2000, 2000, flags, Version_Text(kVersionMajor, kVersionMinor)).size();
    return QRect(QPoint(Twips_To_Px(3240), Twips_To_Px(1800)), size);
}

QImage Splash_Drawing()
{
    QImage image = Splash_Artwork();
    QPainter p(&image);
    // As QLabel paints plain text through the style: left to right in the
    // label's box, clipped to it, in its window text colour.
    p.setPen(QColor::fromRgb(kArtPaper));
    const auto draw = [&p](const QRect &box, double points, Qt::Alignment alignment, const QString &text) {
        p.setClipRect(box);
        p.setFont(Splash_Label_Font(points));
        p.drawText(box, int(alignment) | Qt::TextForceLeftToRight, text);
    };
    draw(Splash_Product_Name_Box(), kProductNamePoints, kProductNameAlignment, QString::fromUtf8(kAppTitle));
    draw(Splash_Version_Box(), kVersionPoints, kVersionAlignment, Version_Text(kVersionMajor, kVersionMinor));
    return image;
}
