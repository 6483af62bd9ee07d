// Window layouts are designed in twips (1/1440 inch); on screen they are
// scaled by the screen's logical resolution: 15 twips a pixel at 96 dpi.
#pragma once

#include <QRect>
#include <QSize>

// A control's place in its window's design.
struct TwipsRect {
    int left, top, width, height;
};

int Twips_To_Px(int twips);
// The same unrounded, for layouts that take fractions of a pixel.
double Twips_To_Px_Exact(double twips);
QRect Twips_Rect(int left, int top, int width, int height);
QRect Twips_Rect(const TwipsRect &place);
QSize Twips_Size(int width, int height);

// Pixels back to twips, for geometry read off a window.
int Px_To_Twips(int px);

// What a window manager's title bar and borders may take around a window.
inline const QSize kFrameAllowance(16, 48);
