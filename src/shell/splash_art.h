// The splash window's product artwork: a 475 × 243 pixel picture.
#pragma once

#include <QImage>

#include <cstdint>

inline constexpr int kArtWidth = 475;
inline constexpr int kArtHeight = 243;
// The light colour of the artwork's lines, also the labels' text colour.
inline constexpr QRgb kArtPaper = 0xfff4f7fa;

// Draws the artwork. The program shows the copy painted at build time;
// drawing it again gives the same picture.
QImage Splash_Artwork();

// The artwork as painted at build time, ready to show.
QImage Splash_Picture();

// Its pixels, row by row, as 0xffRRGGBB.
extern const std::uint32_t kSplashPicture[kArtWidth * kArtHeight];
