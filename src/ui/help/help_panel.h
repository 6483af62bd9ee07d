// The help panel of the main window: four buttons above a rich-text viewer,
// each loading one of the documents help_0.rtf to help_3.rtf.
#pragma once

#include <QFrame>
#include <QString>

#include <array>

class Messages;
class QPushButton;
class RichTextBox;

inline constexpr const char *kGuideMissing = "작성요령 파일을 찾을 수가 없습니다.";

class HelpPanel : public QFrame {
public:
    // Documents are read from `appPath`.
    HelpPanel(QWidget *parent, Messages &messages, QString appPath);

    // Loads help_n.rtf; on a failure the user is told and the viewer keeps
    // what it showed.
    bool Load_Help(int n);

    RichTextBox *Rich1 = nullptr;
    std::array<QPushButton *, 4> btnHelp{};

private:
    Messages &messages_;
    QString appPath_;
};
