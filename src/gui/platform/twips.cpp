#include "gui/platform/twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace {

double Logical_Dpi()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return dpi > 0 ? dpi : 96.0;
}

} // namespace

double Twips_To_Px_Exact(double twips) { return twips * Logical_Dpi() / 1440.0; }

int Twips_To_Px(int twips) { return static_cast<int>(std::lround(Twips_To_Px_Exact(twips))); }

QRect Twips_Rect(int left, int top, int width, int height)
{
    return {Twips_To_Px(left), Twips_To_Px(top), Twips_To_Px(width), Twips_To_Px(height)};
}

QRect Twips_Rect(const TwipsRect &place) { return Twips_Rect(place.left, place.top, place.width, place.height); }

QSize Twips_Size(int width, int height) { return {Twips_To_Px(width), Twips_To_Px(height)}; }

int Px_To_Twips(int px) { return static_cast<int>(std::lround(px * 1440.0 / Logical_Dpi())); }
