// frm검토: the review of the work, in a window beside the main window. It
// lists the findings the core's review makes; choosing one tells the main
// window the place to show. The main window gives it the findings anew
// whenever the work changes, so a finding never points at a row that moved.
#pragma once

#include "core/review/review.h"

#include <QWidget>

#include <functional>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

class frm검토 final : public QWidget {
public:
    // A window of its own, kept above `owner` and closed with it.
    explicit frm검토(QWidget *owner);

    // Shows these findings; the list and its selection stay when they are
    // the ones shown already.
    void Show_Findings(std::vector<Finding> findings);
    // Beside the owner, on the right where the screen has room, else on the left.
    void Place_Beside();

    const std::vector<Finding> &Findings() const { return findings_; }
    // A finding chosen (a click, Enter): its place.
    std::function<void(const FindingPlace &)> onChoose;

    QLabel *lblSummary = nullptr;
    QListWidget *lstFindings = nullptr;
    QPushButton *cmdClose = nullptr;

private:
    void Choose(int index);

    QWidget *owner_;
    std::vector<Finding> findings_;
    bool shown_ = false; // whether any findings have been shown yet
};
