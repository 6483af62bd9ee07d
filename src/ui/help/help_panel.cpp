#include "ui/help/help_panel.h"

#include "gui/platform/fonts.h"
#include "core/common/messages.h"
#include "ui/help/rich_text_box.h"
#include "gui/platform/twips.h"

#include <QDir>
#include <QPushButton>

namespace {

constexpr const char *kCaptions[4] = {"프로그램사용법", "산출세액계산", "이자소득명세", "배당소득명세"};
constexpr int kButtonLefts[4] = {4365, 6060, 7755, 9450};

} // namespace

HelpPanel::HelpPanel(QWidget *parent, Messages &messages, QString appPath)
    : QFrame(parent), messages_(messages), appPath_(std::move(appPath))
{
    for (int n = 0; n < 4; ++n) {
        btnHelp[n] = new QPushButton(QString::fromUtf8(kCaptions[n]), this);
        btnHelp[n]->setFont(Design_Font(kGulim, 9));
        btnHelp[n]->setGeometry(Twips_Rect(kButtonLefts[n], 255, 1695, 345));
        connect(btnHelp[n], &QPushButton::clicked, this, [this, n] { Load_Help(n); });
    }
    Rich1 = new RichTextBox(this, Design_Font(kGulim, 14.25));
    Rich1->setGeometry(Twips_Rect(30, 600, 11100, 5835));
}

bool HelpPanel::Load_Help(int n)
{
    const QString path = QDir(appPath_).filePath(QStringLiteral("help_%1.rtf").arg(n));
    Rich1->setAccessibleName(btnHelp[n]->text());
    if (Rich1->LoadFile(path))
        return true;
    messages_.Info(kGuideMissing);
    return false;
}
