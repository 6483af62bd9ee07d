// Where outside files are read from: a regular file or standard input, each
// bounded, so that no input (a device, a directory, an endless pipe) can
// make a reader hang or grow without end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>

// The most a reader takes; anything larger is refused. It holds with room
// to spare the largest file the program writes, even with 1,000 rows in each
// register: a taxpayer file's row is at most about 1.9 KB (a name and a
// number of 200 four-byte characters, 800 bytes each, and up to six amounts
// of 18 characters, "-9,999,999,999,999", indented), 3.6 MB for 999 data
// rows of each register; a register file's row is smaller (1.7 KB). A JSON
// tool that escapes every character that is not ASCII (Python's json does:
// 12 bytes for a four-byte character) makes that taxpayer file 10.0 MB.
inline constexpr std::int64_t kMaxInputBytes = 16 * 1024 * 1024;
inline constexpr const char *kTooLargeMessage = "파일이 너무 큽니다. 16 MB까지 읽을 수 있습니다.";
static_assert(kMaxInputBytes == 16 << 20, "kTooLargeMessage names the limit");

class ByteSource {
public:
    explicit ByteSource(std::string name) : name_(std::move(name)) {}
    virtual ~ByteSource() = default;
    // Up to n bytes into buf: the count, 0 at the end, or -1 after a failure,
    // which Error() then describes.
    std::ptrdiff_t Read(char *buf, std::size_t n);
    const std::string &Error() const { return error_; }
    // The bytes read so far.
    std::int64_t Consumed() const { return consumed_; }
    // What messages call it: the file's path, or "표준 입력".
    const std::string &Name() const { return name_; }

protected:
    virtual std::ptrdiff_t Read_Some(char *buf, std::size_t n) = 0;
    void Fail(const std::string &message) { error_ = name_ + ": " + message; }
    // A failure already described, such as another source's.
    void Fail_As(std::string error) { error_ = std::move(error); }

private:
    std::string name_;
    std::string error_;
    std::int64_t consumed_ = 0;
};

// A file descriptor. The source past kMaxInputBytes fails, so a pipe that
// never ends (or a huge one) is cut off early.
class FdSource final : public ByteSource {
public:
    FdSource(int fd, std::string name, bool owned) : ByteSource(std::move(name)), fd_(fd), owned_(owned) {}
    ~FdSource() override;
    FdSource(const FdSource &) = delete;
    FdSource &operator=(const FdSource &) = delete;

private:
    std::ptrdiff_t Read_Some(char *buf, std::size_t n) override;
    int fd_;
    bool owned_;
};

// An in-memory or test stream, bounded the same way.
class StreamSource final : public ByteSource {
public:
    explicit StreamSource(std::istream &in, std::string name = "표준 입력") : ByteSource(std::move(name)), in_(in) {}

private:
    std::ptrdiff_t Read_Some(char *buf, std::size_t n) override;
    std::istream &in_;
};

// Another source whose first bytes are read ahead, so that what kind of
// file it holds can be told before it is read: up to the first byte that is
// not a blank (after a BOM), or the end. Reading then starts from the first
// byte as if nothing had been read.
class PeekedSource final : public ByteSource {
public:
    explicit PeekedSource(ByteSource &inner);
    const std::string &Head() const { return head_; }

private:
    std::ptrdiff_t Read_Some(char *buf, std::size_t n) override;
    ByteSource &inner_;
    std::string head_;
    std::size_t given_ = 0;
};

struct OpenedInput {
    std::unique_ptr<ByteSource> source; // null on failure
    std::string error;                  // a message in Korean, naming the file
};

// Opens a named file for reading. Only a regular file is taken: a folder, a
// device, a FIFO or a socket is refused, and so is a file larger than
// kMaxInputBytes, before anything is read.
OpenedInput Open_Input_File(const std::string &path);

// Standard input: refused when it is closed, a folder, or a regular file
// larger than kMaxInputBytes.
OpenedInput Open_Standard_Input();

// The whole source, at most kMaxInputBytes; false with `error` set when the
// source fails or holds more.
bool Read_All(ByteSource &source, std::string &bytes, std::string &error);

// Open_Input_File, then Read_All: false with `error` set by whichever failed.
bool Read_Input_File(const std::string &path, std::string &bytes, std::string &error);
