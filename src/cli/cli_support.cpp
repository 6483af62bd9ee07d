#include "cli/cli_support.h"

#include <ostream>

int Fail(std::ostream &err, const std::string &message)
{
    err << "orvanta-calc: " << message << '\n';
    return kFailure;
}
