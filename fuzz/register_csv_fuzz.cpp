// libFuzzer target: a register file of any content, read into either
// register with either separator. Whatever is saved must be a register the
// program could show: rows within the bound, cells without control characters.
#include "core/common/utf8.h"
#include "core/files/register_csv.h"

#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // The first byte picks the register and the separator, the rest is the file.
    const std::uint8_t pick = size > 0 ? data[0] : 0;
    const RegisterKind kind = pick & 1 ? RegisterKind::Dividend : RegisterKind::Interest;
    const char separator = pick & 2 ? '\t' : ',';
    std::istringstream in(std::string(reinterpret_cast<const char *>(data) + (size > 0), size - (size > 0)));
    StreamSource source(in);

    GridModel grid = Empty_Register(kind);
    const std::optional<ReadFailure> failure = Import_Register_Rows(source, kind, grid, separator);
    if (failure && (failure->message.empty() || !Valid_Utf8(failure->message)))
        __builtin_trap(); // every failure says what is wrong, in text that can be shown
    if (grid.Rows() - 1 > kMaxRegisterRows)
        __builtin_trap();
    for (int r = 1; r < grid.Rows(); ++r)
        for (int c = 1; c < grid.Cols(); ++c)
            if (!Valid_Utf8(grid.Text(r, c)) || Has_Control_Character(grid.Text(r, c)))
                __builtin_trap();
    return 0;
}
