// orvanta-calc: the statement and registers without the window.
#pragma once

#include <string>
#include <vector>

struct CalcIo;

// Runs one command line (without the program name): input through
// io.openStandardInput, output into io.out, failures to io.err. Returns
// the exit status: 0, 1 for a review with findings, or 2 for any failure.
int Run_Calc(const std::vector<std::string> &args, CalcIo &io);
