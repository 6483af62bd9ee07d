#include "shell/splash.h"

#include "common/app_info.h"
#include "platform/fonts.h"
#include "platform/twips.h"
#include "shell/splash_art.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace {

bool Is_Modifier(int key)
{
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta ||
           key == Qt::Key_AltGr || key == Qt::Key_CapsLock || key == Qt::Key_unknown;
}

} // namespace

QImage Splash_Picture()
{
    // Painted when the program was built (see splash_art_tool.cpp), so that
    // showing it costs no drawing and no font loading at start-up.
    return QImage(reinterpret_cast<const uchar *>(kSplashPicture), kArtWidth, kArtHeight, kArtWidth * 4,
                  QImage::Format_RGB32);
}

QString Version_Text(int major, int minor) { return QStringLiteral("V %1.%2").arg(major).arg(minor); }

frmSplash::frmSplash(std::function<void()> openMain) : openMain_(std::move(openMain))
{
    setWindowTitle(QString::fromUtf8(kAppTitle));
    setFixedSize(Twips_Size(7125, 3645));

    auto *picture = new QLabel(this);
    picture->setGeometry(Twips_Rect(0, 0, 7125, 3645));
    picture->setPixmap(QPixmap::fromImage(Splash_Picture()));
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
        // Display type over the artwork: unhinted, it looks the same at these
        // sizes and spares the first paint most of its glyph work.
        QFont font = label->font();
        font.setHintingPreference(QFont::PreferNoHinting);
        label->setFont(font);
        label->setAttribute(Qt::WA_TranslucentBackground);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor::fromRgb(kArtPaper));
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
    if (type == QEvent::Paint && watched == this && !std::exchange(painted_, true) && whileWaiting)
        QTimer::singleShot(0, this, [this] { whileWaiting(); });
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
