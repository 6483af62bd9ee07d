// Window layouts are designed in twips (1/1440 inch); on screen they are
// scaled by the screen's logical resolution: 15 twips a pixel at 96 dpi.
#pragma once

#include <QRect>
#include <QSize>

int Twips_To_Px(int twips);
QRect Twips_Rect(int left, int top, int width, int height);
QSize Twips_Size(int width, int height);

// Pixels back to twips, for geometry read off a window.
int Px_To_Twips(int px);
