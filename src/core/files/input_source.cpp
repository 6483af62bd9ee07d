#include "core/files/input_source.h"

#include "core/common/text.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <istream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char *kTooLarge = kTooLargeMessage;

// A refusal of what fstat saw; nullptr for a file that may be read.
const char *Refusal(const struct stat &st, bool standardInput)
{
    if (S_ISDIR(st.st_mode))
        return "폴더입니다. 파일을 지정하십시오.";
    if (S_ISREG(st.st_mode))
        return st.st_size > kMaxInputBytes ? kTooLarge : nullptr;
    // A pipe or terminal is what standard input usually is; by name, only a
    // regular file is taken, so /dev/zero or a FIFO cannot stall a reader.
    return standardInput ? nullptr : "일반 파일이 아닙니다. 파일을 지정하십시오.";
}

std::string Named(const std::string &name, const std::string &message) { return name + ": " + message; }

std::string Cannot(const char *what, int error) { return std::string(what) + ": " + System_Error_Text(error); }

} // namespace

std::ptrdiff_t ByteSource::Read(char *buf, std::size_t n)
{
    if (!error_.empty())
        return -1;
    // One byte past the limit tells a source that holds more from one that
    // ends exactly there.
    const std::int64_t room = kMaxInputBytes + 1 - consumed_;
    if (room <= 0) {
        Fail(kTooLarge);
        return -1;
    }
    if (static_cast<std::int64_t>(n) > room)
        n = static_cast<std::size_t>(room);
    const std::ptrdiff_t got = Read_Some(buf, n);
    if (got > 0)
        consumed_ += got;
    if (consumed_ > kMaxInputBytes) {
        Fail(kTooLarge);
        return -1;
    }
    return got;
}

PeekedSource::PeekedSource(ByteSource &inner) : ByteSource(inner.Name()), inner_(inner)
{
    char buf[4096];
    for (;;) {
        const std::size_t start = head_.starts_with("\xEF\xBB\xBF") ? 3 : 0;
        if (head_.find_first_not_of(" \t\r\n", start) != std::string::npos)
            return;
        const std::ptrdiff_t got = inner_.Read(buf, sizeof buf);
        if (got <= 0)
            return; // the end, or a failure that reading then reports
        head_.append(buf, static_cast<std::size_t>(got));
    }
}

std::ptrdiff_t PeekedSource::Read_Some(char *buf, std::size_t n)
{
    if (given_ < head_.size()) {
        const std::size_t count = std::min(n, head_.size() - given_);
        std::memcpy(buf, head_.data() + given_, count);
        given_ += count;
        return static_cast<std::ptrdiff_t>(count);
    }
    const std::ptrdiff_t got = inner_.Read(buf, n);
    if (got < 0)
        Fail_As(inner_.Error());
    return got;
}

FdSource::~FdSource()
{
    if (owned_)
        ::close(fd_);
}

std::ptrdiff_t FdSource::Read_Some(char *buf, std::size_t n)
{
    for (;;) {
        const ssize_t got = ::read(fd_, buf, n);
        if (got >= 0)
            return got;
        if (errno == EINTR)
            continue;
        Fail(Cannot("읽는 중에 오류가 났습니다", errno));
        return -1;
    }
}

std::ptrdiff_t StreamSource::Read_Some(char *buf, std::size_t n)
{
    in_.read(buf, static_cast<std::streamsize>(n));
    if (in_.bad()) {
        Fail("읽는 중에 오류가 났습니다.");
        return -1;
    }
    return in_.gcount();
}

OpenedInput Open_Input_File(const std::string &path)
{
    // Non-blocking, so that opening a FIFO does not wait for a writer; the
    // type is checked on what was opened, not on the name.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        // A name that was not UTF-8 reaches us with U+FFFD where its bytes
        // could not be read (a file dialog, a drop): the file is there, its
        // name is what failed.
        if (errno == ENOENT && path.find("\xEF\xBF\xBD") != std::string::npos)
            return {nullptr, Named(path, "파일 이름이 UTF-8이 아니어서 열 수 없습니다. 파일 이름을 바꾸십시오.")};
        return {nullptr, Named(path, errno == ENOENT ? "파일이 없습니다." : Cannot("파일을 열 수 없습니다", errno))};
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int error = errno;
        ::close(fd);
        return {nullptr, Named(path, Cannot("파일을 열 수 없습니다", error))};
    }
    if (const char *refusal = Refusal(st, false)) {
        ::close(fd);
        return {nullptr, Named(path, refusal)};
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return {std::make_unique<FdSource>(fd, path, true), {}};
}

OpenedInput Open_Standard_Input()
{
    const std::string name = "표준 입력";
    struct stat st {};
    if (::fstat(STDIN_FILENO, &st) != 0)
        return {nullptr, Named(name, "닫혀 있습니다.")};
    if (const char *refusal = Refusal(st, true))
        return {nullptr, Named(name, refusal)};
    return {std::make_unique<FdSource>(STDIN_FILENO, name, false), {}};
}

bool Read_All(ByteSource &source, std::string &bytes, std::string &error)
{
    bytes.clear();
    char buf[65536];
    for (;;) {
        const std::ptrdiff_t got = source.Read(buf, sizeof buf);
        if (got < 0) {
            error = source.Error();
            return false;
        }
        if (got == 0)
            return true;
        bytes.append(buf, static_cast<std::size_t>(got));
    }
}

bool Read_Input_File(const std::string &path, std::string &bytes, std::string &error)
{
    const OpenedInput input = Open_Input_File(path);
    if (!input.source) {
        error = input.error;
        return false;
    }
    return Read_All(*input.source, bytes, error);
}
