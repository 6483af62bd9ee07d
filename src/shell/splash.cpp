#include "shell/splash.h"

#include "common/app_info.h"
#include "platform/fonts.h"
#include "platform/twips.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadialGradient>
#include <QScreen>

namespace {

constexpr int kArtWidth = 475;
constexpr int kArtHeight = 243;

const QColor kNavy(10, 38, 71);
const QColor kTeal(22, 102, 122);
const QColor kGold(233, 190, 92);
const QColor kPaper(244, 247, 250);

bool Is_Modifier(int key)
{
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta ||
           key == Qt::Key_AltGr || key == Qt::Key_CapsLock || key == Qt::Key_unknown;
}

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

frmSplash::frmSplash(std::function<void()> openMain) : openMain_(std::move(openMain))
{
    setWindowTitle(QString::fromUtf8(kAppTitle));
    setFixedSize(Twips_Size(7125, 3645));

    auto *picture = new QLabel(this);
    picture->setGeometry(Twips_Rect(0, 0, 7125, 3645));
    picture->setPixmap(QPixmap::fromImage(Splash_Artwork()));
    picture->setScaledContents(true);
    Picture1 = picture;

    lblProductName = new QLabel(Picture1);
    lblProductName->setGeometry(Twips_Rect(375, 1200, 6360, 315));
    lblProductName->setAlignment(Qt::AlignCenter);
    lblProductName->setFont(Design_Font(kGulim, 15.75, true));

    lblVersion = new QLabel(Picture1);
    lblVersion->move(Twips_To_Px(3240), Twips_To_Px(1800));
    lblVersion->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblVersion->setFont(Design_Font(kGulim, 11.25, true));

    for (QLabel *label : {lblProductName, lblVersion}) {
        label->setAttribute(Qt::WA_TranslucentBackground);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, kPaper);
        label->setPalette(palette);
    }

    cmdClose = new QPushButton(QString::fromUtf8("확 인"), this);
    cmdClose->setGeometry(Twips_Rect(2835, 3120, 1455, 375));
    cmdClose->setDefault(true);
    connect(cmdClose, &QPushButton::clicked, this, [this] { Timer1_Timer(); });

    for (QObject *watched : std::initializer_list<QObject *>{this, Picture1, lblProductName, lblVersion, cmdClose})
        watched->installEventFilter(this);

    Form_Load();

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void frmSplash::Form_Load()
{
    lblVersion->setText(Version_Text(kVersionMajor, kVersionMinor));
    lblVersion->adjustSize();
    lblProductName->setText(QString::fromUtf8(kAppTitle));
}

bool frmSplash::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress) {
        if (!Is_Modifier(static_cast<QKeyEvent *>(event)->key()))
            Timer1_Timer();
        return true;
    }
    const bool mouse =
        type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease || type == QEvent::MouseButtonDblClick;
    // The labels take their clicks and do nothing with them.
    if (mouse && (watched == lblProductName || watched == lblVersion))
        return true;
    // A click: the press on the picture, and the release still over it.
    if (mouse && watched == Picture1) {
        const auto *click = static_cast<QMouseEvent *>(event);
        if (type == QEvent::MouseButtonRelease && Picture1->rect().contains(click->position().toPoint()))
            Timer1_Timer();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmSplash::Timer1_Timer()
{
    if (std::exchange(dismissed_, true))
        return;
    hide();
    deleteLater();
    if (openMain_)
        openMain_();
}
