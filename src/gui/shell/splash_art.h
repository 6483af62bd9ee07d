// The splash window's product artwork: a 475 × 243 pixel picture, with the
// texts of the splash's labels over it.
#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

#include <cstdint>

inline constexpr int kArtWidth = 475;
inline constexpr int kArtHeight = 243;
// The light colour of the artwork's lines, also the labels' text colour.
inline constexpr QRgb kArtPaper = 0xfff4f7fa;

// Draws the artwork alone.
QImage Splash_Artwork();

// "V " and the major and minor version numbers: V 1.5 for 1.5.36.
QString Version_Text(int major, int minor);

// The splash's labels, in the picture's coordinates (the splash shows it at
// its top left): the product name, and the version fitted to its text at a
// fixed top left, as QLabel::adjustSize() fits it. Their font is 굴림 bold
// at the given size, drawn unhinted: at these sizes, over the artwork, it
// looks the same, and its glyphs load in a fraction of the time.
QFont Splash_Label_Font(double pointSize);
inline constexpr double kProductNamePoints = 15.75;
inline constexpr double kVersionPoints = 11.25;
inline constexpr Qt::Alignment kProductNameAlignment = Qt::AlignCenter;
inline constexpr Qt::Alignment kVersionAlignment = Qt::AlignRight | Qt::AlignVCenter;
QRect Splash_Product_Name_Box();
QRect Splash_Version_Box(); // measures the text: the program uses kSplashVersionBox

// Draws the artwork with the labels' texts over it, each as its QLabel
// paints it (within its box). The program shows the copy painted at build
// time, and its labels keep their texts but draw nothing; drawing it again
// gives the same picture.
QImage Splash_Drawing();

// The artwork alone and the drawing, as painted at build time, ready to show.
QImage Splash_Art_Picture();
QImage Splash_Picture();
QImage Splash_Button_Picture();

// The artwork's pixels, row by row, as 0xffRRGGBB.
extern const std::uint32_t kSplashPicture[kArtWidth * kArtHeight];
// The rows of the drawing that hold the labels' texts, and their pixels.
extern const QRect kSplashTextRows;
extern const std::uint32_t kSplashTextPixels[];
// Splash_Version_Box() as measured at build time.
extern const QRect kSplashVersionBox;
// The "확 인" button over the drawing, as it paints itself before the splash
// is first active: its place, its pixels and its look (SplashButton::Look).
extern const QRect kSplashButtonRect;
extern const std::uint32_t kSplashButtonPixels[];
extern const char kSplashButtonLook[];
// The window font as this build resolved it (QFont::toString()), which the
// button's picture was painted in.
extern const char kSplashWindowFont[];
