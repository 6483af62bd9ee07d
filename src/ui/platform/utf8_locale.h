// The character type of the C library and Xlib, made UTF-8 like Qt's own text.
#pragma once

#include <string>

// Qt 6 takes every 8-bit string to be UTF-8, whatever the locale says, but
// Xlib encodes the window titles it sets for the window manager (WM_NAME) in
// the locale's character set: under the POSIX locale, which containers and
// fresh machines start with, a Korean title reaches X as Latin-1 gibberish.
// When LC_CTYPE's character set is not UTF-8, this switches LC_CTYPE to the
// same language in UTF-8, or to C.UTF-8, which glibc always has. The other
// categories stay as the user set them. Returns the LC_CTYPE in force.
// Call it after the QApplication is made: its constructor applies the
// environment's locale again.
std::string Use_Utf8_Ctype();
