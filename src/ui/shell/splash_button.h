// The splash's "확 인" button, which can show a picture of itself painted
// when the program was built: at start-up its first paint then needs no font.
#pragma once

#include <QImage>
#include <QPushButton>

class SplashButton : public QPushButton {
public:
    using QPushButton::QPushButton;

    // Everything the style paints the button from: its style, state,
    // features, size, text, font, resolution and the colours of its palette.
    // Two buttons with the same look paint the same pixels.
    QString Look() const;

    // From now on the button shows `picture` (its pixels over the splash
    // picture) whenever its look is `look`, and paints itself otherwise.
    void Use_Picture(QImage picture, QString look);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage picture_;
    QString pictureLook_;
};

// The splash's button as the splash makes it, in its place on `parent`.
SplashButton *Make_Splash_Button(QWidget *parent);
