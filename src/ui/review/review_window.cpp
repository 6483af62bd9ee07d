#include "ui/review/review_window.h"

#include "gui/platform/fonts.h"
#include "gui/platform/strings.h"
#include "gui/platform/twips.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kWidth = 7200;    // twips: a finding's text in two or three lines
constexpr int kMinWidth = 4500; // narrowed to this to stand clear of the main window
constexpr int kHeight = 7455;   // the main window's designed height
constexpr int kGap = 120;       // between the two windows

} // namespace

frm검토::frm검토(QWidget *owner) : QWidget(owner, Qt::Window), owner_(owner)
{
    setWindowTitle(QString::fromUtf8("검토"));
    setFont(Window_Font());
    resize(Twips_To_Px(kWidth), Twips_To_Px(kHeight));

    lblSummary = new QLabel(this);
    lblSummary->setWordWrap(true);
    lstFindings = new QListWidget(this);
    lstFindings->setWordWrap(true);
    lstFindings->setAlternatingRowColors(true);
    lstFindings->setAccessibleName(QString::fromUtf8("검토할 내용"));
    lblSummary->setBuddy(lstFindings);
    cmdClose = new QPushButton(QString::fromUtf8("닫기(&Q)"), this);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblSummary);
    layout->addWidget(lstFindings, 1);
    layout->addLayout(buttons);

    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    connect(lstFindings, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { Choose(lstFindings->row(item)); });
    connect(lstFindings, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { Choose(lstFindings->row(item)); });
}

void frm검토::Show_Findings(std::vector<Finding> findings)
{
    if (shown_ && findings == findings_)
        return;
    shown_ = true;
    findings_ = std::move(findings);
    lstFindings->clear();
    for (const Finding &finding : findings_) {
        auto *item = new QListWidgetItem(Q(finding.text), lstFindings);
        item->setToolTip(item->text());
    }
    lblSummary->setText(findings_.empty() ? QString::fromUtf8(kNothingToReview)
                                          : QString::fromUtf8("검토할 내용이 %1개 있습니다. 항목을 고르면 그 자리를 "
                                                              "보여 줍니다.")
                                                .arg(findings_.size()));
    if (!findings_.empty())
        lstFindings->setCurrentRow(0, QItemSelectionModel::NoUpdate);
}

void frm검토::Place_Beside()
{
    const QRect main = owner_->frameGeometry();
    const QScreen *screen = owner_->screen() ? owner_->screen() : QGuiApplication::primaryScreen();
    const QRect room = screen ? screen->availableGeometry() : QRect();
    const int frame = frameGeometry().width() - width(); // the window manager's, once shown
    const int gap = Twips_To_Px(kGap);
    int wide = Twips_To_Px(kWidth) + frame;
    int left = main.right() + 1 + gap;
    if (room.isValid()) {
        // The wider side of the main window, the window narrowed to fit it;
        // on a screen too small for both, over the main window's edge.
        const int right = room.right() - main.right() - gap, leftRoom = main.left() - room.left() - gap;
        const int fits = std::max(right, leftRoom);
        wide = std::clamp(fits, Twips_To_Px(kMinWidth) + frame, wide);
        if (right >= leftRoom)
            left = std::min(main.right() + 1 + gap, room.right() + 1 - wide);
        else
            left = std::max(main.left() - gap - wide, room.left());
    }
    resize(wide - frame, height());
    move(left, main.top());
}

void frm검토::Choose(int index)
{
    if (index >= 0 && index < static_cast<int>(findings_.size()) && onChoose)
        onChoose(findings_[index].place);
}
