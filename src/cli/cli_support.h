// What the commands of orvanta-calc share: their streams and failures.
#pragma once

#include "core/files/input_source.h"
#include "core/files/taxpayer_file.h"

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

inline constexpr int kFailure = 2;

struct CalcIo {
    // Standard input, opened only by a command that reads it.
    std::function<OpenedInput()> openStandardInput;
    // What the command prints; the caller writes it out once the command
    // has ended, and only a run whose output was written in full succeeds.
    std::string out;
    std::ostream &err;
};

// "orvanta-calc: message" on err; returns kFailure.
int Fail(std::ostream &err, const std::string &message);

struct CommandResult {
    int status = 0;
    std::optional<std::string> usageError; // then nothing was read
};

// `interest` or `dividend`: a register from CSV or a taxpayer file,
// regrouped, to io.out.
CommandResult Register_Command(const std::string &name, const std::vector<std::string> &args, CalcIo &io);

// A register as `interest` and `dividend` print it: one row a line, the
// cells after the first column tab-separated, or as JSON.
std::string Register_Text(const GridModel &grid, bool json);

// `gross-up`: a taxpayer file's dividend register with the law's bases,
// printed as `dividend` prints it, and written into a taxpayer file with -o.
CommandResult Gross_Up_Command(const std::vector<std::string> &args, CalcIo &io);
// `review`: the findings of the review of a taxpayer file, one a line;
// status 0 with none, 1 with findings.
CommandResult Review_Command(const std::vector<std::string> &args, CalcIo &io);

// A taxpayer file read and checked whole; nullopt once its failure, naming
// the file, has gone to err.
std::optional<TaxpayerWork> Load_Taxpayer_File(ByteSource &source, std::ostream &err);
