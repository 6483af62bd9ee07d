// Work that was never saved, kept for the next start: each run writes its
// changed work to a recovery file of its own in the user's data folder, and
// removes it when the work is saved or given up. A recovery file whose run
// has ended (killed, or ended by a signal or a lost display) is offered back
// at the next start.
#pragma once

#include "core/files/taxpayer_file.h"

#include <cstdint>
#include <ctime>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What a register's entry fields hold that 저장 has not taken: the row they
// were loaded from (0 for a new row), the code and the fields as typed.
struct PendingEntry {
    int row = 0;
    std::string code;
    std::vector<std::string> fields;
    bool operator==(const PendingEntry &) const = default;
};

struct RecoveredWork {
    TaxpayerWork work;
    std::string path;                  // the taxpayer file it was, or empty
    std::optional<std::uint64_t> disk; // Content_Hash of that file when last opened or saved
    std::map<RegisterKind, PendingEntry> entries;
};

// A hash of a file's bytes that stays the same from run to run, to tell
// whether another program has written the file since.
std::uint64_t Content_Hash(std::string_view bytes);

// The hash of the file at `path` as it now stands; nullopt when there is no
// file there (or nothing readable).
std::optional<std::uint64_t> Disk_Hash(const std::string &path);

std::string Recovery_Json(const RecoveredWork &recovered);

struct RecoveryRead {
    std::optional<RecoveredWork> recovered;
    std::string error;
};
// Checked as strictly as a taxpayer file, whose rules the work inside meets.
RecoveryRead Parse_Recovery(std::string_view bytes);

// A recovery file of a run that has ended, held so that no other run
// starting now offers it as well; released when this goes.
class OrphanRecovery {
public:
    OrphanRecovery(std::string path, std::string lock, int lockFd, std::time_t written);
    ~OrphanRecovery();
    OrphanRecovery(const OrphanRecovery &) = delete;
    OrphanRecovery &operator=(const OrphanRecovery &) = delete;

    const std::string &Path() const { return path_; }
    // When it was last written.
    std::time_t Written() const { return written_; }
    RecoveryRead Read() const;
    // Gone for good: the work was given up or taken over.
    void Discard();

private:
    std::string path_, lock_;
    int lockFd_;
    std::time_t written_;
};

// This run's recovery file in `folder`, and the files other runs left.
class RecoveryStore {
public:
    // Makes the folder (for the user alone) when missing; an empty folder,
    // or one that cannot be made, leaves the store off.
    explicit RecoveryStore(std::string folder);
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore &) = delete;
    RecoveryStore &operator=(const RecoveryStore &) = delete;

    bool Active() const { return lockFd_ >= 0; }
    const std::string &Path() const { return path_; }
    // Written atomically; the failure in Korean, or nullopt.
    std::optional<std::string> Write(std::string_view bytes);
    void Remove();

    // The recovery files whose runs have ended, newest first, each held.
    std::vector<std::unique_ptr<OrphanRecovery>> Claim_Orphans() const;

private:
    std::string folder_, path_, lock_;
    int lockFd_ = -1;
};
