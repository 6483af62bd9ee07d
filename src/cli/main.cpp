#include "cli/calc.h"
#include "cli/cli_support.h"

#include "core/common/text.h"

#include <cerrno>
#include <iostream>
#include <unistd.h>

namespace {

// The whole of `bytes` on standard output, then closed: a full disk or a
// closed pipe is a failure of the run, not a silent success. Returns 0, or
// the error that stopped it.
int Write_Standard_Output(const std::string &bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(STDOUT_FILENO, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : ENOSPC;
        done += static_cast<std::size_t>(n);
    }
    if (::close(STDOUT_FILENO) == 0 || errno == EINTR || (bytes.empty() && errno == EBADF))
        return 0;
    return errno;
}

} // namespace

int main(int argc, char **argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    CalcIo io{Open_Standard_Input, {}, std::cerr};
    int status = Run_Calc(args, io);
    if (const int error = Write_Standard_Output(io.out))
        status = Fail(std::cerr, "표준 출력에 쓸 수 없습니다: " + System_Error_Text(error));
    return status;
}
