// The window placement file SdiFo.ini: fixed records of 1876 bytes, each
// holding one window's stored position and size. It is only ever read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

inline constexpr std::size_t kPlacementRecordSize = 1876;
inline constexpr const char *kPlacementFile = "SdiFo.ini";

// One record as this program reads it; positions and sizes in twips. The
// record's other members are not read: the stored tab index counts as
// absent, so a window opens on its first tab.
struct WindowPlacement {
    std::int32_t marker = 0; // 0: nothing stored
    std::int32_t top = 0;
    std::int32_t left = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t CurTab = 0;

    bool Stored() const { return marker != 0; }
};

// The record from its bytes, which may be fewer than a whole record: what
// is missing reads as zeros.
WindowPlacement Decode_Placement(std::span<const unsigned char> bytes);

// Record n (from 1) of the file. A file that is missing is created empty;
// a record beyond the end of the file reads as all zeros. Nothing when the
// file can be neither read nor created, or n is not a record number.
std::optional<WindowPlacement> Read_Placement(const std::filesystem::path &file, int n);
