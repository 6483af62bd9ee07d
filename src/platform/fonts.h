// The Korean system fonts the windows are designed in, 굴림 and 돋움, mapped
// onto the Korean fonts installed here.
#pragma once

#include "common/font_names.h"

#include <QFont>

#include <thread>

// Registers the substitutions; call once after the application object.
void Install_Korean_Fonts();

// A design font: family "굴림" or "돋움" at a point size such as 9.75.
QFont Design_Font(const char *family, double pointSize, bool bold = false);

// Reads the system's font configuration on a thread of its own. Fontconfig
// parses its configuration files on first use, which takes longer than
// anything else before the first window; started before the application
// object, that work overlaps the connection to the display.
class FontConfigPreload {
public:
    FontConfigPreload();
    ~FontConfigPreload();
    FontConfigPreload(const FontConfigPreload &) = delete;
    FontConfigPreload &operator=(const FontConfigPreload &) = delete;

    // Waits until the configuration is read; call before any text is laid out.
    void Wait();

private:
    std::thread thread_;
};
