// The Korean system fonts the windows are designed in, 굴림 and 돋움, mapped
// onto the Korean fonts installed here.
#pragma once

#include "core/common/font_names.h"

#include <QFont>

// Registers the substitutions; call once after the application object.
void Install_Korean_Fonts();

// A design font: family "굴림" or "돋움" at a point size such as 9.75.
QFont Design_Font(const char *family, double pointSize, bool bold = false);

// The font the windows start from, the application's: 굴림 9.75.
inline QFont Window_Font() { return Design_Font(kGulim, 9.75); }
