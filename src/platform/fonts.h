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

// The font the windows start from, the application's: 굴림 9.75.
inline QFont Window_Font() { return Design_Font(kGulim, 9.75); }

// Reads the system's font configuration and Qt's list of fonts on a thread
// of its own. Fontconfig parses its configuration files on first use and Qt
// then lists every installed font, which together take longer than anything
// else before the first window. Start it once the application object exists
// (Qt's font list belongs to it), and let the main thread wait meanwhile for
// something else, such as the session bus.
class FontListPreload {
public:
    // Installs the substitutions (Install_Korean_Fonts) and starts the thread.
    FontListPreload();
    ~FontListPreload();
    FontListPreload(const FontListPreload &) = delete;
    FontListPreload &operator=(const FontListPreload &) = delete;

    // Waits until the fonts are listed; call before any text is laid out or
    // any Design_Font is made.
    void Wait();

private:
    std::thread thread_;
};
