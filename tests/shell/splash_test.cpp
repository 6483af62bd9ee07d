// The splash window: what it shows, and each way of dismissing it opening
// the main window exactly once.
#include "core/common/app_info.h"
#include "gui/platform/twips.h"
#include "ui/shell/splash.h"
#include "gui/shell/splash_art.h"
#include "ui/shell/splash_button.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <functional>

#include <gtest/gtest.h>

namespace {

class SplashTest : public testing::Test {
protected:
    void SetUp() override
    {
        splash = new frmSplash([this] { ++opened; });
        splash->show();
        QApplication::setActiveWindow(splash);
        ASSERT_TRUE(QTest::qWaitForWindowActive(splash));
    }
    void TearDown() override { delete splash; }

    // Dismissed: the main window opened once and the splash discarded.
    void Expect_Dismissed()
    {
        EXPECT_EQ(opened, 1);
        QTest::qWait(0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(splash.isNull());
    }

    QPointer<frmSplash> splash;
    int opened = 0;
};

TEST_F(SplashTest, ShowsTheProductNameTheVersionAndTheArtwork)
{
    EXPECT_EQ(splash->size(), Twips_Size(7125, 3645));
    EXPECT_EQ(splash->lblProductName->text().toStdString(), "2005 Orvanta");
    EXPECT_EQ(splash->lblVersion->text().toStdString(), "V 1.5");
    EXPECT_EQ(Version_Text(1, 10).toStdString(), "V 1.10");
    // Desktops find the program's entry and icon by this name.
    EXPECT_EQ(QGuiApplication::desktopFileName().toStdString(), "io.github.orvanta.Orvanta");
    EXPECT_EQ(splash->cmdClose->text().toStdString(), "확 인");
    EXPECT_EQ(splash->cmdClose->geometry(), Twips_Rect(2835, 3120, 1455, 375));
    const QImage art = Splash_Picture();
    EXPECT_EQ(art.size(), QSize(475, 243));
    EXPECT_NE(art.pixel(10, 200), art.pixel(400, 120)); // drawn, not a flat fill
    // The pictures painted at build time are the artwork and the drawing as
    // drawn now.
    EXPECT_EQ(Splash_Art_Picture(), Splash_Artwork().convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(art, Splash_Drawing().convertToFormat(QImage::Format_RGB32));

    // Without the user it stays.
    QTest::qWait(50);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_EQ(opened, 0);
}

TEST_F(SplashTest, ThePictureCarriesTheLabelsTextsAsTheLabelsWouldDrawThem)
{
    // The labels take their fonts once the splash has been painted.
    ASSERT_TRUE(QTest::qWaitFor([this] { return splash->lblVersion->font() == Splash_Label_Font(kVersionPoints); }));
    QImage drawn = Splash_Artwork().convertToFormat(QImage::Format_RGB32);
    for (const QLabel *shown : {splash->lblProductName, splash->lblVersion}) {
        QLabel label(shown->text());
        label.setAlignment(shown->alignment());
        label.setFont(shown->font());
        label.setPalette(shown->palette());
        label.setAttribute(Qt::WA_TranslucentBackground);
        label.resize(shown->size());
        label.render(&drawn, shown->mapTo(splash->Picture1, QPoint()), QRegion(), QWidget::DrawChildren);
    }
    EXPECT_EQ(Splash_Picture(), drawn);
    // The version's box is fitted to its text, as adjustSize() fits it.
    EXPECT_EQ(splash->lblVersion->size(), splash->lblVersion->sizeHint());
    // The labels draw nothing over it: no text twice.
    const QRect above(0, 0, splash->width(), splash->cmdClose->y());
    EXPECT_EQ(splash->grab(above).toImage().convertToFormat(QImage::Format_RGB32), Splash_Picture().copy(above));
}

// The button's picture is what it paints itself in the state the splash is
// first painted in (not yet active); in any other look it paints itself.
TEST(SplashButtonTest, ShowsItsPictureOnlyWhereItWouldPaintTheSame)
{
    frmSplash splash({});
    auto *pictured = static_cast<SplashButton *>(splash.cmdClose);
    ASSERT_EQ(pictured->Look().toStdString(), kSplashButtonLook);
    QWidget parent;
    parent.resize(splash.size());
    SplashButton *live = Make_Splash_Button(&parent);
    const auto drawn = [](SplashButton *button) {
        QImage image = Splash_Picture();
        button->render(&image, button->pos(), QRegion(), QWidget::DrawChildren);
        return image;
    };
    const QImage first = drawn(live);
    EXPECT_EQ(drawn(pictured), first);

    QPalette dark = live->palette();
    dark.setColor(QPalette::Button, Qt::darkGray);
    const std::function<void(SplashButton *)> changes[] = {
        [](SplashButton *button) { button->setDown(true); },
        [dark](SplashButton *button) { button->setPalette(dark); },
    };
    for (const auto &change : changes) {
        change(pictured);
        change(live);
        EXPECT_NE(pictured->Look().toStdString(), kSplashButtonLook);
        EXPECT_EQ(drawn(pictured), drawn(live));
        EXPECT_NE(drawn(live), first);
    }
}

TEST_F(SplashTest, AKeyDismissesItOnce)
{
    QTest::keyClick(splash->cmdClose, Qt::Key_Shift); // a modifier alone is no key press
    EXPECT_EQ(opened, 0);
    QTest::keyClick(splash->cmdClose, Qt::Key_A);
    Expect_Dismissed();
}

TEST_F(SplashTest, AClickOnThePictureOrTheButtonDismissesIt)
{
    QTest::mouseClick(splash->Picture1, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseClick(splash->Picture1, Qt::LeftButton, {}, QPoint(30, 30));
    Expect_Dismissed();

    SetUp();
    opened = 0;
    splash->cmdClose->click();
    Expect_Dismissed();
}

TEST_F(SplashTest, ClicksOnTheLabelsDoNothing)
{
    QTest::mouseClick(splash->lblProductName, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(splash->lblVersion, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(opened, 0);
    EXPECT_TRUE(splash->isVisible());
}

} // namespace
