#include "core/files/recovery.h"

#include "core/common/utf8.h"

#include <nlohmann/json.hpp>

#include <algorithm>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using Json = nlohmann::json;

namespace {

constexpr const char *kFormat = "orvanta-recovery";
constexpr int kVersion = 1;
constexpr const char *kPrefix = kRecoveryFilePrefix;
constexpr const char *kSuffix = ".json";
constexpr const char *kLockSuffix = ".lock";
constexpr const char *kDamaged = "복구 파일이 손상되었습니다";
// One level more than a taxpayer file, which it holds.
constexpr int kMaxDepth = 5;
// Entry fields hold what a person types; anything longer is damage.
constexpr std::size_t kMaxEntryText = 4096;
constexpr std::size_t kMaxEntryFields = 8;

struct TooDeep {};

const std::pair<RegisterKind, const char *> kEntryKeys[] = {
    {RegisterKind::Interest, "interest"},
    {RegisterKind::Dividend, "dividend"},
};

RecoveryRead Failed(std::string error) { return {std::nullopt, std::move(error)}; }

bool Plain_Text(const Json &value)
{
    if (!value.is_string())
        return false;
    const std::string &text = value.get_ref<const std::string &>();
    return text.size() <= kMaxEntryText && !Has_Control_Character(text);
}

std::optional<PendingEntry> Entry_From(const Json &entry)
{
    if (!entry.is_object() || entry.size() != 3 || !entry.contains("row") || !entry.contains("code") ||
        !entry.contains("fields"))
        return std::nullopt;
    const Json &row = entry["row"], &code = entry["code"], &fields = entry["fields"];
    if (!row.is_number_unsigned() || row.get<std::uint64_t>() > 100000 || !Plain_Text(code) || !fields.is_array() ||
        fields.size() > kMaxEntryFields)
        return std::nullopt;
    PendingEntry pending{static_cast<int>(row.get<std::uint64_t>()), code.get<std::string>(), {}};
    for (const Json &field : fields) {
        if (!Plain_Text(field))
            return std::nullopt;
        pending.fields.push_back(field.get<std::string>());
    }
    return pending;
}

std::string Hex(std::uint64_t value)
{
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

std::optional<std::uint64_t> From_Hex(const std::string &text)
{
    if (text.size() != 16 || text.find_first_not_of("0123456789abcdef") != std::string::npos)
        return std::nullopt;
    return std::stoull(text, nullptr, 16);
}

// Locked by a run that is still going: its lock is held. A lock file that
// is missing, or that can be locked now, belonged to a run that has ended.
int Claim_Lock(const std::string &lock)
{
    const int fd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

std::uint64_t Content_Hash(std::string_view bytes)
{
    // FNV-1a: no cryptography is needed to notice another program's save.
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const unsigned char c : bytes) {
        hash ^= c;
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

std::optional<std::uint64_t> Disk_Hash(const std::string &path)
{
    std::string bytes, error;
    if (path.empty() || !Read_Input_File(path, bytes, error))
        return std::nullopt;
    return Content_Hash(bytes);
}

std::string Recovery_Json(const RecoveredWork &recovered)
{
    nlohmann::ordered_json file;
    file["format"] = kFormat;
    file["version"] = kVersion;
    file["file"] = recovered.path;
    file["disk"] = recovered.disk ? Json(Hex(*recovered.disk)) : Json(nullptr);
    nlohmann::ordered_json entries = nlohmann::ordered_json::object();
    for (const auto &[kind, key] : kEntryKeys) {
        if (const auto found = recovered.entries.find(kind); found != recovered.entries.end()) {
            const PendingEntry &entry = found->second;
            entries[key] = {{"row", entry.row}, {"code", entry.code}, {"fields", entry.fields}};
        }
    }
    file["entries"] = std::move(entries);
    file["work"] = nlohmann::ordered_json::parse(Taxpayer_Json(recovered.work));
    return file.dump(1, ' ', false, nlohmann::json::error_handler_t::replace) + '\n';
}

RecoveryRead Parse_Recovery(std::string_view bytes)
{
    Json file;
    try {
        file = Json::parse(bytes.begin(), bytes.end(), [](int depth, Json::parse_event_t, Json &) {
            if (depth > kMaxDepth)
                throw TooDeep{};
            return true;
        });
    } catch (...) {
        return Failed(std::string(kDamaged) + ".");
    }
    if (!file.is_object() || file.size() != 6 || file.value("format", Json()) != kFormat)
        return Failed(std::string(kDamaged) + ": 복구 파일이 아닙니다.");
    if (file["version"] != kVersion)
        return Failed(std::string(kDamaged) + ": 형식 버전이 다릅니다.");
    const Json &path = file["file"], &disk = file["disk"], &entries = file["entries"];
    if (!path.is_string() || Has_Control_Character(path.get_ref<const std::string &>()) || !file.contains("work") ||
        !(disk.is_null() || disk.is_string()) || !entries.is_object())
        return Failed(std::string(kDamaged) + ".");

    RecoveredWork recovered;
    recovered.path = path.get<std::string>();
    if (disk.is_string() && !(recovered.disk = From_Hex(disk.get<std::string>())))
        return Failed(std::string(kDamaged) + ".");
    for (const auto &item : entries.items()) {
        const auto *key = std::find_if(std::begin(kEntryKeys), std::end(kEntryKeys),
                                       [&](const auto &k) { return item.key() == k.second; });
        std::optional<PendingEntry> entry;
        if (key == std::end(kEntryKeys) || !(entry = Entry_From(item.value())))
            return Failed(std::string(kDamaged) + ": 입력란의 내용을 읽을 수 없습니다.");
        recovered.entries[key->first] = std::move(*entry);
    }
    // The work by the taxpayer file's own rules.
    TaxpayerRead work = Parse_Taxpayer(file["work"].dump(-1, ' ', false, nlohmann::json::error_handler_t::strict));
    if (!work.work)
        return Failed(std::string(kDamaged) + ": " + work.error);
    recovered.work = std::move(*work.work);
    return {std::move(recovered), {}};
}

OrphanRecovery::OrphanRecovery(std::string path, std::string lock, int lockFd, std::time_t written)
    : path_(std::move(path)), lock_(std::move(lock)), lockFd_(lockFd), written_(written)
{
}

OrphanRecovery::~OrphanRecovery() { ::close(lockFd_); }

RecoveryRead OrphanRecovery::Read() const
{
    std::string bytes, error;
    if (!Read_Input_File(path_, bytes, error))
        return Failed("복구 파일을 읽을 수 없습니다: " + path_);
    return Parse_Recovery(bytes);
}

void OrphanRecovery::Discard()
{
    ::unlink(path_.c_str());
    ::unlink(lock_.c_str());
}

RecoveryStore::RecoveryStore(std::string folder) : folder_(std::move(folder))
{
    if (folder_.empty())
        return;
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    // The work is the taxpayer's own: the folder is for the user alone.
    if (error || ::chmod(folder_.c_str(), 0700) != 0)
        return;
    // The process id and the start time name this run's files: a later run
    // given the same process id never takes an earlier run's file.
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const std::string base = folder_ + "/" + kPrefix + std::to_string(::getpid()) + "-" +
                             std::to_string(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
    path_ = base + kSuffix;
    lock_ = base + kLockSuffix;
    lockFd_ = Claim_Lock(lock_);
}

RecoveryStore::~RecoveryStore()
{
    if (lockFd_ < 0)
        return;
    // The work left behind (ended by a signal) stays, unlocked, for the
    // next start to offer.
    ::unlink(lock_.c_str());
    ::close(lockFd_);
}

std::optional<std::string> RecoveryStore::Write(std::string_view bytes)
{
    if (!Active())
        return std::nullopt;
    return Write_Atomically(path_, bytes);
}

void RecoveryStore::Remove()
{
    if (Active())
        ::unlink(path_.c_str());
}

std::vector<std::unique_ptr<OrphanRecovery>> RecoveryStore::Claim_Orphans() const
{
    std::vector<std::unique_ptr<OrphanRecovery>> orphans;
    if (!Active())
        return orphans;
    // A write killed midway leaves its temporary file; the next start has it
    // go, also when this run never writes.
    Remove_Stale_Temporaries(folder_);
    std::error_code error;
    for (const auto &item : std::filesystem::directory_iterator(folder_, error)) {
        const std::string name = item.path().filename().string();
        const std::string path = item.path().string();
        if (!name.starts_with(kPrefix) || path == path_ || path == lock_)
            continue;
        if (name.ends_with(kLockSuffix)) {
            // A run killed before it had work to keep leaves its lock alone.
            const std::string json = path.substr(0, path.size() - std::string_view(kLockSuffix).size()) + kSuffix;
            if (const int fd = ::access(json.c_str(), F_OK) != 0 ? Claim_Lock(path) : -1; fd >= 0) {
                ::unlink(path.c_str());
                ::close(fd);
            }
            continue;
        }
        if (!name.ends_with(kSuffix))
            continue;
        const std::string lock = path.substr(0, path.size() - std::string_view(kSuffix).size()) + kLockSuffix;
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        const int fd = Claim_Lock(lock);
        if (fd >= 0)
            orphans.push_back(std::make_unique<OrphanRecovery>(path, lock, fd, st.st_mtime));
    }
    std::sort(orphans.begin(), orphans.end(), [](const auto &a, const auto &b) { return a->Written() > b->Written(); });
    return orphans;
}
