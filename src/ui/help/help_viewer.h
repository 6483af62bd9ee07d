// mod도움말: the help viewer. Two longer documents on the tabs of a tab
// strip, printed as plain text, placed from the placement file when it
// holds a placement for this window.
#pragma once

#include "core/help/placement.h"

#include <QString>
#include <QWidget>

#include <array>
#include <functional>

class Messages;
class Printer;
class QLabel;
class QPushButton;
class QTabWidget;
class RichTextBox;

inline constexpr const char *kHelpMissing = "도움말 파일을 찾을 수가 없습니다.";
inline constexpr const char *kNoPrinter = "프린터가 연결되지 않았습니다";
// The documents of the tabs, field i for tab i; the strip has two tabs.
inline constexpr const char *kHelpDocuments = "계산서작성요령,프로그램사용법,소득세법";
// The record of the placement file that belongs to the help viewer.
inline constexpr int kHelpPlacementRecord = 3;

// Reads record n of the placement file in `appPath` into `record` and, when
// a placement is stored, applies its position and, with applySize 1, its
// size (twips, the size being the client area's). False when the file could
// be neither opened nor created; the window is then left as it was.
bool Load_Placement(QWidget &window, WindowPlacement &record, int n, int applySize, const QString &appPath);

class mod도움말 : public QWidget {
public:
    // Documents and the placement file are read from `appPath`.
    mod도움말(Messages &messages, Printer &printer, QString appPath);

    void Tabs1_Click();
    void Cmd1_Click(int index);

    // The document of tab `tab` shown, loaded when another was.
    void Show_Document(int tab);
    // A size given in an earlier opening of the run, kept on screen.
    void Keep_Size(QSize size);
    // Told the window's size as it closes.
    std::function<void(QSize)> closing;

    QTabWidget *Tabs1 = nullptr;
    RichTextBox *Rich1 = nullptr;
    std::array<QPushButton *, 2> Cmd1{}; // 0 print, 1 close
    QLabel *Label1_2 = nullptr;

    int CurTab = 0;
    bool Activated = false;
    QString HelpPath;

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void Form_Activate();
    // Scales the controls across with the width and stretches the document
    // area down with the height, from their design places.
    void Form_Resize();

    Messages &messages_;
    Printer &printer_;
    QString appPath_;
};
