#include "cli/calc.h"
#include "cli/cli_support.h"

#include <cerrno>
#include <iostream>
#include <unistd.h>

namespace {

// The whole of `bytes` on standard output, then closed: a full disk or a
// closed pipe is a failure of the run, not a silent success.
bool Write_Standard_Output(const std::string &bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(STDOUT_FILENO, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return ::close(STDOUT_FILENO) == 0 || errno == EINTR || (bytes.empty() && errno == EBADF);
}

} // namespace

int main(int argc, char **argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    CalcIo io{Open_Standard_Input, {}, std::cerr};
    int status = Run_Calc(args, io);
    if (!Write_Standard_Output(io.out))
        status = Fail(std::cerr, "표준 출력에 쓸 수 없습니다.");
    return status;
}
