// What the commands of orvanta-calc share: failures and JSON text.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

inline constexpr int kFailure = 2;

// "orvanta-calc: message" on err; returns kFailure.
int Fail(std::ostream &err, const std::string &message);

// A JSON string literal of UTF-8 text.
std::string Json_String(const std::string &s);

struct RegisterCommand {
    int status = 0;
    std::optional<std::string> usageError; // then nothing was read
};

// `interest` or `dividend`: a register from CSV, regrouped, to out.
RegisterCommand Register_Command(const std::string &name, const std::vector<std::string> &args, std::istream &in,
                                 std::ostream &out, std::ostream &err);
