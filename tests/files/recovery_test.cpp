#include "core/files/recovery.h"

#include "core/registers/carried_lines.h"
#include "core/registers/register_entry.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

RecoveredWork Sample()
{
    RecoveredWork r{Empty_Work(), "/tmp/세금.orvanta", 0x0123456789abcdefULL, {}};
    const std::vector<std::string> fields = {"김민수", "", "5,000", ""};
    EXPECT_EQ(Save_Row(r.work.interest, 0, Entry_Cells(r.work.interest, "11", fields)), SaveResult::Saved);
    r.work.lines[7] = "20,000,000";
    r.entries[RegisterKind::Dividend] = {0, "22", {"대한전자", "", "1,000", "", "", "", ""}};
    return r;
}

} // namespace

TEST(Recovery, KeepsTheWorkTheFileAndTheEntryFieldsAndRefusesDamage)
{
    const RecoveredWork sample = Sample();
    const std::string json = Recovery_Json(sample);
    const RecoveryRead read = Parse_Recovery(json);
    ASSERT_TRUE(read.recovered) << read.error;
    EXPECT_EQ(Taxpayer_Json(read.recovered->work), Taxpayer_Json(sample.work));
    EXPECT_EQ(read.recovered->path, sample.path);
    EXPECT_EQ(read.recovered->disk, sample.disk);
    EXPECT_EQ(read.recovered->entries, sample.entries);

    const auto damaged = [&](std::string from, std::string to) {
        std::string bytes = json;
        bytes.replace(bytes.find(from), from.size(), to);
        return bytes;
    };
    for (const std::string &bytes : {json.substr(0, json.size() / 2), damaged("orvanta-recovery", "orvanta-taxpayer"),
                                     damaged("\"row\": 0", "\"row\": -1"), damaged("\"22\"", "\"2\\u00012\""),
                                     damaged("\"20,000,000\"", "\"-20,000,000\""), damaged("0123456789abcdef", "xyz"),
                                     damaged("\"dividend\": {", "\"other\": {")})
        EXPECT_FALSE(Parse_Recovery(bytes).recovered) << bytes;
}

TEST(Recovery, OnlyTheFilesOfEndedRunsAreOffered)
{
    const fs::path folder = fs::temp_directory_path() / ("orvanta-recovery-test-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    {
        RecoveryStore running(folder.string()), ended(folder.string()), self(folder.string());
        ASSERT_TRUE(running.Active());
        EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);
        ASSERT_FALSE(running.Write("running"));
        {
            RecoveryStore gone(folder.string());
            ASSERT_FALSE(gone.Write(Recovery_Json(Sample())));
        }
        // A run killed before it had work to keep leaves only its lock; one
        // killed while it wrote, its temporary file.
        std::ofstream(folder / "recovery-1-2.lock").put('x');
        std::ofstream(folder / ".recovery-1-2.json.abcdef").put('x');
        fs::last_write_time(folder / ".recovery-1-2.json.abcdef",
                            fs::file_time_type::clock::now() - std::chrono::minutes(2));
        // A running store's file is its own; an ended one's is offered,
        // held while it is.
        std::vector<std::unique_ptr<OrphanRecovery>> orphans = self.Claim_Orphans();
        ASSERT_EQ(orphans.size(), 1u);
        EXPECT_TRUE(orphans[0]->Read().recovered);
        EXPECT_FALSE(fs::exists(folder / "recovery-1-2.lock"));
        EXPECT_FALSE(fs::exists(folder / ".recovery-1-2.json.abcdef"));
        EXPECT_TRUE(ended.Claim_Orphans().empty()); // no other run offers it too
        orphans[0]->Discard();
        orphans.clear();
        EXPECT_TRUE(self.Claim_Orphans().empty());
        running.Remove();
    }
    EXPECT_TRUE(fs::is_empty(folder));
    fs::remove_all(folder);
}

TEST(CarriedLines, ANegativeSumForLinesOneToSixIsNotCarried)
{
    const std::array<std::string, kCarriedLines> fine = {"1,000", "", "", "", "", "", "-190"};
    EXPECT_FALSE(Carry_Refusal(fine));
    std::array<std::string, kCarriedLines> negative = fine;
    negative[3] = "-5,000";
    EXPECT_EQ(Carry_Refusal(negative).value_or(""),
              "산출세액계산 4번 줄: 배당소득명세 소득구분코드 21의 합계 -5,000이(가) 음수입니다. 이 줄은 음수를 받지 "
              "않으므로 1~7번 줄을 옮기지 않았습니다.");
}
