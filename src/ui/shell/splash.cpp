#include "ui/shell/splash.h"

#include "core/common/app_info.h"
#include "gui/platform/twips.h"
#include "gui/shell/splash_art.h"
#include "ui/shell/splash_button.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <cstring>

namespace {

bool Is_Modifier(int key)
{
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta ||
           key == Qt::Key_AltGr || key == Qt::Key_CapsLock || key == Qt::Key_unknown;
}

// A label whose text the splash's picture carries: it keeps the text, for
// accessibility, and draws nothing.
class TextInPicture : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *) override {}
};

} // namespace

// Painted when the program was built (see splash_art_tool.cpp), so that
// showing them costs no drawing and no font loading at start-up.
QImage Splash_Art_Picture()
{
    return QImage(reinterpret_cast<const uchar *>(kSplashPicture), kArtWidth, kArtHeight, kArtWidth * 4,
                  QImage::Format_RGB32);
}

QImage Splash_Picture()
{
    QImage picture = Splash_Art_Picture().copy();
    const auto *texts = reinterpret_cast<const uchar *>(kSplashTextPixels);
    for (int y = kSplashTextRows.top(); y <= kSplashTextRows.bottom(); ++y)
        std::memcpy(picture.scanLine(y), texts + (y - kSplashTextRows.top()) * kArtWidth * 4, kArtWidth * 4);
    return picture;
}

QImage Splash_Button_Picture()
{
    return QImage(reinterpret_cast<const uchar *>(kSplashButtonPixels), kSplashButtonRect.width(),
                  kSplashButtonRect.height(), kSplashButtonRect.width() * 4, QImage::Format_RGB32);
}

frmSplash::frmSplash(std::function<void()> openMain) : openMain_(std::move(openMain))
{
    setWindowTitle(QString::fromUtf8(kAppTitle));
    setFixedSize(Twips_Size(7125, 3645));
    // The picture painted at build time carries the labels' texts, drawn for
    // this resolution and one device pixel a pixel; otherwise the labels draw
    // their own over the artwork alone, scaled.
    textsInPicture_ = size() == QSize(kArtWidth, kArtHeight) && devicePixelRatio() == 1;

    auto *picture = new QLabel(this);
    picture->setGeometry(Twips_Rect(0, 0, 7125, 3645));
    picture->setPixmap(QPixmap::fromImage(textsInPicture_ ? Splash_Picture() : Splash_Art_Picture()));
    picture->setScaledContents(true);
    Picture1 = picture;

    const auto label = [this] { return textsInPicture_ ? new TextInPicture(Picture1) : new QLabel(Picture1); };
    lblProductName = label();
    lblProductName->setGeometry(Splash_Product_Name_Box());
    lblProductName->setAlignment(kProductNameAlignment);

    lblVersion = label();
    lblVersion->move(Twips_To_Px(3240), Twips_To_Px(1800));
    lblVersion->setAlignment(kVersionAlignment);

    for (QLabel *text : {lblProductName, lblVersion}) {
        text->setAttribute(Qt::WA_TranslucentBackground);
        QPalette palette = text->palette();
        palette.setColor(QPalette::WindowText, QColor::fromRgb(kArtPaper));
        text->setPalette(palette);
    }

    SplashButton *button = Make_Splash_Button(this);
    // Its first paint, before the splash is active, shows the picture of it
    // painted at build time where it would paint the same pixels.
    if (textsInPicture_)
        button->Use_Picture(Splash_Button_Picture(), QString::fromUtf8(kSplashButtonLook));
    cmdClose = button;
    connect(cmdClose, &QPushButton::clicked, this, [this] { Timer1_Timer(); });

    for (QObject *watched : std::initializer_list<QObject *>{this, Picture1, lblProductName, lblVersion, cmdClose})
        watched->installEventFilter(this);

    // Where the labels' texts are in the picture their fonts only describe
    // them (to a screen reader): they are set after the first paint, which
    // then loads no font at all.
    if (!textsInPicture_)
        Use_Label_Fonts();
    Form_Load();

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void frmSplash::Use_Label_Fonts()
{
    lblProductName->setFont(Splash_Label_Font(kProductNamePoints));
    lblVersion->setFont(Splash_Label_Font(kVersionPoints));
}

void frmSplash::Form_Load()
{
    lblVersion->setText(Version_Text(kVersionMajor, kVersionMinor));
    // Fitted to its text at build time when the picture carries it, which
    // spares the first paint a font.
    if (textsInPicture_)
        lblVersion->setGeometry(kSplashVersionBox);
    else
        lblVersion->adjustSize();
    lblProductName->setText(QString::fromUtf8(kAppTitle));
}

bool frmSplash::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::Paint && watched == this && !std::exchange(painted_, true))
        QTimer::singleShot(0, this, [this] {
            if (textsInPicture_)
                Use_Label_Fonts();
            if (whileWaiting)
                whileWaiting();
        });
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
