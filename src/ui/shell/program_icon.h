// The program's icon for its windows: the 48-pixel icon of the desktop
// entry, its pixels compiled in when the program is built, so that setting
// it at start reads no file and loads no image plugin.
#pragma once

#include <QIcon>

#include <cstdint>

inline constexpr int kIconSize = 48;

QIcon Program_Icon();

// Its pixels, row by row, as 0xAARRGGBB.
extern const std::uint32_t kProgramIcon[kIconSize * kIconSize];
