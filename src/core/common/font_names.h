// The Korean system fonts the windows and pages are designed in.
#pragma once

inline constexpr const char *kGulim = "굴림";
inline constexpr const char *kDotum = "돋움";
