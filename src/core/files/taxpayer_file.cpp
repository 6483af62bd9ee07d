#include "core/files/taxpayer_file.h"

#include "core/common/amount.h"
#include "core/common/text.h"
#include "core/common/utf8.h"
#include "core/files/register_csv.h"
#include "core/registers/register_entry.h"
#include "core/registers/regrouping.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

using Json = nlohmann::json;

namespace {

// A row's JSON keys, in file order, with the names messages give them.
struct Field {
    const char *key;
    const char *label;
};
constexpr Field kInterestFields[] = {
    {"code", "소득구분코드"}, {"name", "상호(성명)"},   {"number", "사업자등록번호(주민번호)"},
    {"interest", "이자소득금액"}, {"withheld", "원천징수세액"},
};
constexpr Field kDividendFields[] = {
    {"code", "소득구분코드"},     {"name", "배당지급법인명"},     {"number", "사업자등록번호"},
    {"dividend", "배당액"},       {"base", "배당가산대상금액"},   {"grossUp", "배당가산액"},
    {"income", "배당소득금액"},   {"withheld", "원천징수세액"},
};

struct Register {
    RegisterKind kind;
    const char *key;   // of the file
    const char *title; // of the panel, for messages
    std::span<const Field> fields;
};
const Register kRegisters[] = {
    {RegisterKind::Interest, "interest", "이자소득명세", kInterestFields},
    {RegisterKind::Dividend, "dividend", "배당소득명세", kDividendFields},
};

constexpr const char *kNotTaxpayerFile = "Orvanta 납세자 파일이 아닙니다.";
constexpr const char *kDamaged = "파일이 손상되었거나 잘렸습니다";
// The file nests three deep (the file, a register, a row): deeper input is
// refused while it is parsed, before it can cost anything.
constexpr int kMaxDepth = 4;

std::string Quoted(std::string_view text) { return Quote_Excerpt(text); }

struct TooDeep {};
struct DuplicateKey {
    std::string message;
};

// Follows the parse to refuse a key given twice in one object, of which the
// parser would silently keep the last; the message names the object.
class KeyTracker {
public:
    void Event(Json::parse_event_t event, const Json &parsed)
    {
        using Event = Json::parse_event_t;
        switch (event) {
        case Event::object_start:
        case Event::array_start:
            open_.push_back({event == Event::object_start, Count_Element(), open_.empty() ? "" : open_.back().lastKey});
            break;
        case Event::object_end:
        case Event::array_end:
            open_.pop_back();
            break;
        case Event::key:
            open_.back().lastKey = parsed.get<std::string>();
            if (!open_.back().keys.insert(open_.back().lastKey).second)
                throw DuplicateKey{std::string(kDamaged) + ": " + Place() + "에 " + Quoted(open_.back().lastKey) +
                                   " 항목이 두 번 있습니다."};
            break;
        case Event::value:
            Count_Element();
            break;
        }
    }

private:
    struct Open {
        bool object;
        int index;       // in the array it stands in, from 1; 0 in an object
        std::string key; // under which it stands in an object
        std::string lastKey = {};
        std::set<std::string> keys = {};
        int elements = 0;
    };

    int Count_Element() { return !open_.empty() && !open_.back().object ? ++open_.back().elements : 0; }

    // The innermost object, as messages name it: the file, a register's row,
    // or a member of the file.
    std::string Place() const
    {
        if (open_.size() == 1)
            return "파일";
        for (const Register &reg : kRegisters)
            if (open_.size() == 3 && open_[1].key == reg.key)
                return std::string(reg.title) + " " + std::to_string(open_[2].index) + "번째 행";
        return "파일의 " + Quoted(open_[1].key) + " 항목";
    }

    std::vector<Open> open_;
};

int Line_Of(std::string_view bytes, std::size_t byte)
{
    const std::size_t end = std::min(byte, bytes.size());
    return 1 + static_cast<int>(std::count(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(end), '\n'));
}

// An object with exactly these keys; the first key missing or unknown, or
// nullopt.
std::optional<std::string> Key_Failure(const Json &object, std::span<const Field> fields, std::string_view where)
{
    for (const Field &field : fields)
        if (!object.contains(field.key))
            return std::string(where) + "에 " + Quoted(field.key) + " 항목이 없습니다.";
    for (const auto &item : object.items())
        if (std::none_of(fields.begin(), fields.end(), [&](const Field &f) { return item.key() == f.key; }))
            return std::string(where) + "에 알 수 없는 항목 " + Quoted(item.key()) + "이(가) 있습니다.";
    return std::nullopt;
}

// One row, checked as the panel's fields would take it and saved onto the
// register as 저장 saves a new row.
std::optional<std::string> Load_Row(const Json &row, const Register &reg, RowAppender &rows, std::string_view where)
{
    if (!row.is_object())
        return std::string(where) + "이(가) 객체가 아닙니다.";
    if (auto failure = Key_Failure(row, reg.fields, where))
        return failure;
    std::vector<std::string> texts;
    for (const Field &field : reg.fields) {
        const Json &value = row.at(field.key);
        if (!value.is_string())
            return std::string(where) + ": " + field.label + "이(가) 문자열이 아닙니다.";
        texts.push_back(value.get<std::string>());
    }

    // The same checks as a register file's row, on the same columns: the
    // gross-up and the income are the program's to work out again.
    const std::string prefix = std::string(where) + ": ";
    const bool dividend = reg.kind == RegisterKind::Dividend;
    std::vector<std::string> cells = texts;
    if (dividend)
        cells.erase(cells.begin() + 5, cells.begin() + 7);
    RegisterRow entry;
    if (std::optional<std::string> why = Row_From_Cells(reg.kind, cells, entry))
        return prefix + *why;
    if (dividend) {
        // A stored gross-up or income that disagrees means the file was
        // changed by hand or damaged.
        for (int i = 0; i < 2; ++i) {
            const std::string &stored = texts[5 + i], &worked = entry.fields[4 + i];
            if (std::optional<std::string> why = Amount_Failure(reg.fields[5 + i].label, stored))
                return prefix + *why;
            if (Format_Whole(Get_Amount(stored)) != worked)
                return prefix + reg.fields[5 + i].label + " " + Quoted(stored) +
                       "이(가) 배당액과 배당가산대상금액으로 계산한 " + Quoted(worked) + "와(과) 다릅니다.";
        }
    }
    // A base above its 배당액 was taken before it was refused: such a file
    // still opens, and the review points at the row.
    const SaveResult saved = rows.Append(Entry_Cells(rows.Grid(), entry.code, entry.fields), true);
    if (const char *refusal = Refusal_Message(saved, Layout_Of(reg.kind)))
        return prefix + refusal;
    return std::nullopt;
}

std::optional<std::string> Load_Register(const Json &rows, const Register &reg, GridModel &grid)
{
    if (!rows.is_array())
        return std::string(reg.title) + "(" + reg.key + ")이(가) 배열이 아닙니다.";
    RowAppender appender(grid);
    int n = 0;
    for (const Json &row : rows) {
        ++n;
        const std::string where = std::string(reg.title) + " " + std::to_string(n) + "번째 행";
        if (auto failure = Load_Row(row, reg, appender, where))
            return failure;
    }
    appender.Finish();
    return std::nullopt;
}

TaxpayerRead Failed(std::string error) { return {std::nullopt, std::move(error)}; }

// The file a path names once its symbolic links are followed, a chain of
// them too; for a dangling link, the file a save creates. A save writes that
// file and leaves the links as they are. nullopt past as many links as the
// kernel follows (a loop).
std::optional<std::filesystem::path> Link_Target(const std::filesystem::path &path)
{
    constexpr int kMaxLinks = 40;
    std::filesystem::path at = path;
    for (int n = 0; n <= kMaxLinks; ++n) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(at, ec)))
            return at; // a file, nothing, or what the save will fail on
        const std::filesystem::path link = std::filesystem::read_symlink(at, ec);
        if (ec)
            return at;
        at = link.is_absolute() ? link : at.parent_path() / link;
    }
    return std::nullopt;
}

// Whether a name is one Write_Atomically gives its temporary file while it
// saves a taxpayer, register or recovery file: "." + the file's name + "." +
// the six characters mkstemp puts in.
bool Is_Our_Temporary(std::string_view name)
{
    constexpr std::size_t kRandom = 6;
    if (name.size() < kRandom + 3 || name.front() != '.' || name[name.size() - kRandom - 1] != '.')
        return false;
    const std::string_view random = name.substr(name.size() - kRandom);
    if (!std::all_of(random.begin(), random.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)); }))
        return false;
    std::string file(name.substr(1, name.size() - kRandom - 2));
    std::transform(file.begin(), file.end(), file.begin(),
                   [](char c) { return std::tolower(static_cast<unsigned char>(c)); });
    return file.ends_with(".orvanta") || file.ends_with(".csv") ||
           (file.starts_with(kRecoveryFilePrefix) && file.ends_with(".json"));
}

} // namespace

void Remove_Stale_Temporaries(const std::string &folder)
{
    constexpr std::time_t kStaleSeconds = 60;
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return;
    DIR *entries = ::fdopendir(dir);
    if (!entries) {
        ::close(dir);
        return;
    }
    const std::time_t now = std::time(nullptr);
    while (const dirent *entry = ::readdir(entries)) {
        struct stat st {};
        if (!Is_Our_Temporary(entry->d_name) || ::fstatat(dir, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (S_ISREG(st.st_mode) && st.st_uid == ::geteuid() && now - st.st_mtime > kStaleSeconds)
            ::unlinkat(dir, entry->d_name, 0);
    }
    ::closedir(entries);
}

TaxpayerWork Empty_Work()
{
    return {Empty_Register(RegisterKind::Interest), Empty_Register(RegisterKind::Dividend), {}};
}

std::optional<std::string> Line_Failure(int index, std::string_view text)
{
    const std::string where = "산출세액계산 " + std::to_string(index + 1) + "번 줄 " + Quoted(text) + ": ";
    const NumberStatus status = Parse_Number(text).status;
    if (status == NumberStatus::Overflow)
        return where + kAmountTooLarge;
    if (status == NumberStatus::NotNumber && !text.empty() && text != "-")
        return where + "숫자가 아닙니다.";
    if (Refuses_Negative(text, index))
        return where + kNegativeRefused;
    return std::nullopt;
}

TaxpayerRead Parse_Taxpayer(std::string_view bytes)
{
    if (!Looks_Like_Taxpayer_File(bytes))
        return Failed(kNotTaxpayerFile);
    // Zeros where text was are what a crash can leave of a file.
    if (const std::size_t nul = bytes.find('\0'); nul != std::string_view::npos)
        return Failed(std::string(kDamaged) + ": " + std::to_string(Line_Of(bytes, nul)) +
                      "번째 줄에 NUL 문자(0 바이트)가 있습니다.");
    if (!Valid_Utf8(bytes))
        return Failed(std::string(kNotTaxpayerFile) + " UTF-8 텍스트가 아닙니다.");

    Json file;
    KeyTracker keys;
    try {
        file = Json::parse(bytes.begin(), bytes.end(), [&keys](int depth, Json::parse_event_t event, Json &parsed) {
            if (depth > kMaxDepth)
                throw TooDeep{};
            keys.Event(event, parsed);
            return true;
        });
    } catch (const Json::parse_error &e) {
        return Failed(std::string(kDamaged) + " (" + std::to_string(Line_Of(bytes, e.byte - 1)) + "번째 줄).");
    } catch (const TooDeep &) {
        return Failed(std::string(kDamaged) + ": 항목이 너무 깊게 겹쳐 있습니다.");
    } catch (const DuplicateKey &duplicate) {
        return Failed(duplicate.message);
    } catch (const Json::exception &) { // a number beyond any double
        return Failed(std::string(kDamaged) + ".");
    }

    if (!file.is_object() || !file.contains("format") || file["format"] != kTaxpayerFormatName)
        return Failed(kNotTaxpayerFile);
    const Json &version = file["version"];
    if (!version.is_number_integer() || version.get<std::int64_t>() < 1)
        return Failed(std::string(kDamaged) + ": 형식 버전(version)이 올바르지 않습니다.");
    if (version.get<std::int64_t>() > kTaxpayerFormatVersion)
        return Failed("이 파일은 이 프로그램보다 새로운 형식(버전 " + std::to_string(version.get<std::int64_t>()) +
                      ")으로 저장되었습니다. 이 프로그램은 버전 " + std::to_string(kTaxpayerFormatVersion) +
                      "까지 읽습니다. 프로그램을 새 버전으로 바꾸십시오.");
    static constexpr Field kTop[] = {{"format", ""}, {"version", ""}, {"interest", ""}, {"dividend", ""}, {"lines", ""}};
    if (auto failure = Key_Failure(file, kTop, "파일"))
        return Failed(std::string(kDamaged) + ": " + *failure);

    TaxpayerWork work = Empty_Work();
    for (const Register &reg : kRegisters) {
        GridModel &grid = reg.kind == RegisterKind::Interest ? work.interest : work.dividend;
        if (auto failure = Load_Register(file[reg.key], reg, grid))
            return Failed(*failure);
    }
    const Json &lines = file["lines"];
    if (!lines.is_array() || lines.size() != kLineCount)
        return Failed(std::string(kDamaged) + ": 산출세액계산의 줄(lines)은 문자열 아홉 개여야 합니다.");
    for (int i = 0; i < kLineCount; ++i) {
        if (!lines[i].is_string())
            return Failed(std::string(kDamaged) + ": 산출세액계산의 줄(lines)은 문자열 아홉 개여야 합니다.");
        const std::string text = lines[i].get<std::string>();
        if (auto failure = Line_Failure(i, text))
            return Failed(*failure);
        work.lines[i] = Stored_Line_Text(text);
    }
    return {std::move(work), {}};
}

TaxpayerRead Read_Taxpayer_File(ByteSource &source)
{
    std::string bytes, error;
    if (!Read_All(source, bytes, error))
        return Failed(error);
    return Parse_Taxpayer(bytes);
}

std::string Taxpayer_Json(const TaxpayerWork &work)
{
    nlohmann::ordered_json file;
    file["format"] = kTaxpayerFormatName;
    file["version"] = kTaxpayerFormatVersion;
    for (const Register &reg : kRegisters) {
        const GridModel &grid = reg.kind == RegisterKind::Interest ? work.interest : work.dividend;
        nlohmann::ordered_json rows = nlohmann::ordered_json::array();
        for (int r = 1; r < grid.Rows(); ++r) {
            if (!grid.Is_Data(r))
                continue;
            nlohmann::ordered_json row;
            // The code, then the cells after the serial number.
            row[reg.fields[0].key] = grid.Text(r, kCodeCol);
            for (std::size_t k = 1; k < reg.fields.size(); ++k)
                row[reg.fields[k].key] = grid.Text(r, static_cast<int>(k) + kSerialCol);
            rows.push_back(std::move(row));
        }
        file[reg.key] = std::move(rows);
    }
    file["lines"] = work.lines;
    return file.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + '\n';
}

bool Looks_Like_Taxpayer_File(std::string_view head)
{
    if (head.starts_with("\xEF\xBB\xBF"))
        head.remove_prefix(3);
    const std::size_t first = head.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && head[first] == '{';
}

std::optional<std::string> Save_Taxpayer_File(const std::string &path, const std::string &json)
{
    std::optional<std::string> why;
    if (static_cast<std::int64_t>(json.size()) > kMaxInputBytes)
        why = kTooLargeMessage;
    else if (TaxpayerRead read = Parse_Taxpayer(json); !read.work)
        why = std::move(read.error);
    if (why)
        return "파일을 저장할 수 없습니다: " + path + ": 저장하면 다시 열 수 없는 파일이 됩니다. " + *why;
    return Write_Atomically(path, json);
}

std::optional<std::string> Write_Atomically(const std::string &path, std::string_view bytes)
{
    const auto refused = [&path](const std::string &why) { return "파일을 저장할 수 없습니다: " + path + ": " + why; };
    const auto failure = [&](const char *what, int error) {
        return refused(std::string(what) + ": " + System_Error_Text(error));
    };
    const std::optional<std::filesystem::path> resolved = Link_Target(path);
    if (!resolved)
        return failure("링크 따라가기", ELOOP);
    const std::filesystem::path &target = *resolved;
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";

    // What is there is replaced only when it is a file we may write: a FIFO
    // or a device would be swapped for a plain file, and a file we may not
    // write is the owner's to keep, however the folder's permissions stand.
    struct stat existing {};
    const bool exists = ::lstat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode))
        return refused("폴더입니다.");
    if (exists && !S_ISREG(existing.st_mode))
        return refused("일반 파일이 아닙니다.");
    if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        return errno == EACCES ? refused("읽기 전용 파일입니다.") : failure("쓰기 권한 확인", errno);

    Remove_Stale_Temporaries(folder.string());
    // Built piece by piece: GCC 12 warns falsely (-Wrestrict) on "." + ...
    std::string hidden(1, '.');
    hidden.append(target.filename().string()).append(".XXXXXX");
    std::string temp = (folder / hidden).string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return failure("임시 파일 만들기", errno);

    // A file written over keeps its permissions; a new one gets those the
    // umask leaves, as an ordinary open would give it.
    mode_t mode;
    if (exists) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    int error = 0;
    const char *step = nullptr;
    std::size_t done = 0;
    while (!step && done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = n < 0 ? errno : ENOSPC;
            step = "쓰기";
        } else {
            done += static_cast<std::size_t>(n);
        }
    }
    if (!step && ::fchmod(fd, mode) != 0)
        error = errno, step = "권한 주기";
    if (!step && ::fsync(fd) != 0)
        error = errno, step = "디스크에 쓰기";
    if (::close(fd) != 0 && !step)
        error = errno, step = "닫기";
    if (!step && ::rename(temp.c_str(), target.c_str()) != 0)
        error = errno, step = "이름 바꾸기";
    if (step) {
        ::unlink(temp.c_str());
        return failure(step, error);
    }
    // The rename itself reaches the disk with the folder.
    if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return std::nullopt;
}
