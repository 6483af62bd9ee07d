// The taxpayer file (*.orvanta): one taxpayer's work, the rows of both
// registers and the texts of the nine computation lines, kept between runs.
// The window and orvanta-calc read and write it through this code alone, so
// a file is checked by the same rules wherever it is opened. The format is
// described in docs/file-format.md.
#pragma once

#include "core/computation/input_logic.h"
#include "core/files/input_source.h"
#include "core/registers/grid_model.h"
#include "core/registers/regrouping.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

inline constexpr const char *kTaxpayerFormatName = "orvanta-taxpayer";
inline constexpr int kTaxpayerFormatVersion = 1;

struct TaxpayerWork {
    // Both registers regrouped, as their panels hold them.
    GridModel interest, dividend;
    // The nine lines as their boxes show them ("" for zero).
    std::array<std::string, kLineCount> lines;

    GridModel &Register(RegisterKind kind) { return kind == RegisterKind::Interest ? interest : dividend; }
};

// No rows and nine empty lines: the work after a start or 새로 만들기.
TaxpayerWork Empty_Work();

// Told after a refused save of the taxpayer file.
inline constexpr const char *kNothingSaved = "아무것도 저장하지 않았습니다.";

// Why line `index` (0..8) cannot hold `text`, or nullopt when it can: the
// rules of leaving a line (a negative amount on line 7 only, the amount
// range) and nothing the line editor could not hold (empty, a lone "-" or
// an amount).
std::optional<std::string> Line_Failure(int index, std::string_view text);

struct TaxpayerRead {
    std::optional<TaxpayerWork> work; // set when every check passed
    std::string error;                // otherwise what is wrong, in Korean
};

// Checks the whole file before anything is made of it: the format name and
// version, every register row saved through the Save button's code (codes,
// the page's row limit, the gross-up worked out again), every line through
// the line rules.
TaxpayerRead Parse_Taxpayer(std::string_view bytes);
// The same from a bounded source (at most kMaxInputBytes).
TaxpayerRead Read_Taxpayer_File(ByteSource &source);

// The file's text: UTF-8 JSON, the format name first, so that the desktop's
// magic match finds it within the first bytes.
std::string Taxpayer_Json(const TaxpayerWork &work);

// Whether bytes that begin a file are a taxpayer file's rather than a
// register CSV's: JSON opens with "{", which no register row can.
bool Looks_Like_Taxpayer_File(std::string_view head);

// Saves a taxpayer file's text (Taxpayer_Json's) with Write_Atomically, but
// only once it has passed the checks of opening it (the size limit and
// Parse_Taxpayer), so that no save writes a file the program cannot open
// again. Returns the failure in Korean, or nullopt.
std::optional<std::string> Save_Taxpayer_File(const std::string &path, const std::string &json);

// Writes `bytes` to a temporary file in the same folder, flushes it to the
// disk and renames it over `path`, so a failed or interrupted save leaves
// the file that was there whole. Through a symbolic link it writes the
// link's target; a folder, a device, a FIFO or a socket, and a file we may
// not write, are refused rather than replaced. Returns the failure in
// Korean, or nullopt.
std::optional<std::string> Write_Atomically(const std::string &path, std::string_view bytes);

// What every recovery file's name starts with.
inline constexpr const char *kRecoveryFilePrefix = "recovery-";

// A save that was killed leaves its temporary file behind; Write_Atomically
// removes those in the folder it saves into. Only our own regular files of
// that name (of a taxpayer, register or recovery file) that have not
// changed for a minute are taken, so that a save still running in another
// window, or another program's file, is never touched.
void Remove_Stale_Temporaries(const std::string &folder);
