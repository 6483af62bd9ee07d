#include "cli/cli_support.h"

#include <ostream>

int Fail(std::ostream &err, const std::string &message)
{
    err << "orvanta-calc: " << message << '\n';
    return kFailure;
}

std::optional<TaxpayerWork> Load_Taxpayer_File(ByteSource &source, std::ostream &err)
{
    std::string bytes, error;
    if (!Read_All(source, bytes, error)) {
        Fail(err, error);
        return std::nullopt;
    }
    TaxpayerRead read = Parse_Taxpayer(bytes);
    if (!read.work)
        Fail(err, source.Name() + ": " + read.error);
    return std::move(read.work);
}
