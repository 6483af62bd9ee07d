#include "core/common/app_info.h"
#include "ui/platform/app_dir.h"
#include "gui/platform/fonts.h"
#include "ui/platform/messages_qt.h"
#include "gui/platform/twips.h"
#include "ui/platform/termination_signals.h"
#include "ui/platform/utf8_locale.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <clocale>
#include <csignal>
#include <langinfo.h>

namespace {

TEST(AppPath, IsTheExecutablesFolderUnlessInstalledBesideShare)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString bin = root.filePath("bin");
    ASSERT_TRUE(QDir().mkpath(bin));
    EXPECT_EQ(App_Path_For(bin), QDir::cleanPath(bin));

    ASSERT_TRUE(QDir().mkpath(root.filePath("share/orvanta")));
    EXPECT_EQ(App_Path_For(bin), QDir::cleanPath(root.filePath("share/orvanta")));
}

// Under the POSIX locale Xlib would send the window titles to X as Latin-1.
TEST(Utf8Ctype, ANonUtf8CharacterTypeBecomesUtf8AndAUtf8OneStays)
{
    const std::string saved = std::setlocale(LC_CTYPE, nullptr);
    const std::pair<const char *, const char *> cases[] = {
        {"C", "C.UTF-8"}, {"POSIX", "C.UTF-8"}, {"C.UTF-8", "C.UTF-8"}};
    for (const auto &[start, expected] : cases) {
        ASSERT_NE(std::setlocale(LC_CTYPE, start), nullptr) << start;
        EXPECT_EQ(Use_Utf8_Ctype(), expected) << start;
        EXPECT_STREQ(nl_langinfo(CODESET), "UTF-8") << start;
    }
    std::setlocale(LC_CTYPE, saved.c_str());
}

TEST(KoreanFonts, GulimAndDotumResolveToAnInstalledKoreanFont)
{
    const QStringList installed = QFontDatabase::families();
    ASSERT_TRUE(installed.contains("NanumGothic")) << "fonts-nanum is not installed";
    for (const char *family : {kGulim, kDotum}) {
        const QFontInfo info(Design_Font(family, 9.75));
        EXPECT_TRUE(info.family().startsWith("Nanum")) << family << " -> " << info.family().toStdString();
        EXPECT_TRUE(QFontMetrics(Design_Font(family, 9.75)).inFont(QChar(0xAE08))); // 금
        // Fonts named by the design name elsewhere, as in the help documents,
        // reach the same family through the substitutions.
        EXPECT_EQ(QFontInfo(QFont(QString::fromUtf8(family))).family(), info.family());
    }
    EXPECT_DOUBLE_EQ(Design_Font(kGulim, 11.25, true).pointSizeF(), 11.25);
    EXPECT_TRUE(Design_Font(kGulim, 11.25, true).bold());
}

TEST(Twips, FifteenTwipsAPixelAtNinetySixDpi)
{
    ASSERT_EQ(QGuiApplication::primaryScreen()->logicalDotsPerInch(), 96);
    EXPECT_EQ(Twips_To_Px(1440), 96);
    EXPECT_EQ(Twips_To_Px(15), 1);
    EXPECT_EQ(Twips_Size(11175, 7455), QSize(745, 497));
    EXPECT_EQ(Twips_Rect(2760, 0, 2775, 495), QRect(184, 0, 185, 33));
}

// What a real box showed, read while it was up.
struct SeenBox {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QStringList buttonTexts; // as shown, access keys left out
};

TEST(QtMessages, ShowTheApplicationTitleOrTheirOwnAndTheRightButtons)
{
    QtMessages messages;
    SeenBox seen;
    auto watch = [&seen](QMessageBox::StandardButton answer) {
        QTimer::singleShot(0, [&seen, answer] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                    box->standardButton(box->defaultButton()), {}};
            for (QAbstractButton *button : box->buttons())
                seen.buttonTexts << button->text().remove(QRegularExpression(QStringLiteral("\\(&.\\)|&")));
            seen.buttonTexts.sort();
            box->button(answer)->click();
        });
    };

    watch(QMessageBox::Ok);
    messages.Info("세액계산 후 이용가능 합니다.");
    EXPECT_EQ(seen.title.toStdString(), kAppTitle);
    EXPECT_EQ(seen.text.toStdString(), "세액계산 후 이용가능 합니다.");
    EXPECT_EQ(seen.icon, QMessageBox::Information);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);
    EXPECT_EQ(seen.buttonTexts, QStringList{QString::fromUtf8("확인")}); // Qt's Korean translation

    watch(QMessageBox::Ok);
    messages.Plain("금액이 너무 큽니다.");
    EXPECT_EQ(seen.title.toStdString(), kAppTitle);
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);

    watch(QMessageBox::Yes);
    EXPECT_TRUE(messages.Confirm("입력한 항목을 전체삭제 하시겠습니까?", "전체삭제"));
    EXPECT_EQ(seen.title.toStdString(), "전체삭제");
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    // Enter on the question answers No: it never empties a register by habit.
    EXPECT_EQ(seen.defaultButton, QMessageBox::No);
    EXPECT_EQ(seen.buttonTexts.join(u'/').toStdString(), "아니요/예");

    watch(QMessageBox::No);
    EXPECT_FALSE(messages.Confirm("입력한 항목을 전체삭제 하시겠습니까?", "전체삭제"));
}

} // namespace

TEST(TerminationSignals, ReachTheEventLoopInsteadOfEndingTheProgram)
{
    QObject context;
    std::vector<int> got;
    Watch_Termination_Signals(&context, [&](int signal) { got.push_back(signal); });
    for (const int signal : {SIGTERM, SIGHUP}) {
        ASSERT_EQ(::raise(signal), 0);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !got.empty() && got.back() == signal; }, 5000)) << signal;
    }
}
