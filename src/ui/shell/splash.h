// frmSplash: the program's first window. The product picture with its name
// and version; a key, a click on the picture or "확 인" opens the main window.
#pragma once

#include "gui/shell/splash_art.h"

#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;

class frmSplash : public QWidget {
public:
    // `openMain` loads and shows the main window; it runs once.
    explicit frmSplash(std::function<void()> openMain);

    // The dismiss routine: the splash goes for good and the main window opens.
    void Timer1_Timer();

    // Runs once the splash is on screen, while it waits for the user; not
    // at all when it is dismissed first.
    std::function<void()> whileWaiting;

    QWidget *Picture1 = nullptr;
    QLabel *lblProductName = nullptr;
    QLabel *lblVersion = nullptr;
    QPushButton *cmdClose = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Use_Label_Fonts();
    void Form_Load();

    std::function<void()> openMain_;
    bool dismissed_ = false;
    bool painted_ = false;
    bool textsInPicture_ = false;
};
