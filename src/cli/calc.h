// orvanta-calc: the statement and registers without the window.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Runs one command line (without the program name). Input comes from `in`,
// output goes to `out`, failures to `err`; returns the exit status (0, or 2
// for any failure).
int Run_Calc(const std::vector<std::string> &args, std::istream &in, std::ostream &out, std::ostream &err);
