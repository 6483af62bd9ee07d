// Files at the bounds, and saves with something odd in their way: links,
// special files, a read-only file, left-over temporary files.
#include "core/common/amount.h"
#include "core/files/register_csv.h"
#include "core/files/taxpayer_file.h"
#include "core/registers/register_entry.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

fs::path Fresh_Folder(const char *name)
{
    const fs::path dir = fs::temp_directory_path() / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

TEST(HostileFiles, TheLargestFilesAreWrittenAndOpenAgain)
{
    // Every row the page holds, each with a name and a number of the most
    // characters, of four UTF-8 bytes each, and amounts the 합계 still holds.
    std::string wide;
    for (std::size_t i = 0; i < kMaxTextChars; ++i)
        wide += "\U0001F600";
    const fs::path dir = Fresh_Folder("orvanta-largest-test");
    TaxpayerWork work = Empty_Work();
    for (const RegisterKind kind : kRegisterKinds) {
        const RegisterLayout &layout = Layout_Of(kind);
        GridModel &grid = work.Register(kind);
        const std::string amount = Format_Whole(std::floor(kAmountLimit / 2 / layout.pageRows));
        const GrossUp g = BD_Calc(amount, amount); // the fields after the interest register's four go unused
        std::vector<std::string> fields = {wide, wide, amount, amount, g.grossUp, g.income, amount};
        while (Save_Row(grid, 0, Entry_Cells(grid, layout.codes[0], fields)) == SaveResult::Saved) {
        }
        ASSERT_EQ(grid.Rows() - 1, layout.pageRows);
        // One character more is refused, over a loaded row too.
        const std::string text = Register_File_Text(grid, kind, ',', true);
        fields[1] += "1";
        EXPECT_EQ(Save_Row(grid, 1, Entry_Cells(grid, layout.codes[0], fields)), SaveResult::NumberTooLong);
        EXPECT_EQ(Register_File_Text(grid, kind, ',', true), text);
        std::istringstream in(text);
        StreamSource source(in);
        GridModel again = Empty_Register(kind);
        ASSERT_FALSE(Import_Register_Rows(source, kind, again));
        EXPECT_EQ(Register_File_Text(again, kind, ',', true), text);
    }
    const std::string json = Taxpayer_Json(work), path = (dir / "w.orvanta").string();
    ASSERT_EQ(Save_Taxpayer_File(path, json), std::nullopt);
    OpenedInput input = Open_Input_File(path);
    ASSERT_TRUE(input.source) << input.error;
    const TaxpayerRead read = Read_Taxpayer_File(*input.source);
    ASSERT_TRUE(read.work) << read.error;
    EXPECT_EQ(Taxpayer_Json(*read.work), json);
    // Registers of 1,000 rows (the CSV files are smaller) would be read with room to spare.
    EXPECT_LT(json.size() * 1000 / kDividendLayout.pageRows, kMaxInputBytes / 2);

    // What the reader would refuse is not written, whatever a register holds.
    GridModel &grid = work.Register(RegisterKind::Interest);
    EXPECT_EQ(Save_Row(grid, 1, Entry_Cells(grid, "11", std::vector<std::string>{"a\tb"})), SaveResult::NameControl);
    grid.Set_Text(1, kNameCol, "a\tb");
    const std::optional<std::string> refused = Save_Taxpayer_File(path, Taxpayer_Json(work));
    ASSERT_TRUE(refused);
    EXPECT_NE(refused->find("다시 열 수 없는 파일이 됩니다. 이자소득명세 1번째 행: 상호(성명)"), std::string::npos);
    EXPECT_EQ(fs::file_size(path), json.size());
}

TEST(HostileFiles, ASaveWritesThroughLinksAndReplacesOnlyAFileItMayWrite)
{
    const fs::path dir = Fresh_Folder("orvanta-links-test");
    fs::create_directory(dir / "target");
    std::ofstream(dir / "target" / "real.orvanta") << "old";
    std::ofstream(dir / "locked.orvanta") << "old";
    fs::permissions(dir / "locked.orvanta", fs::perms(0444));
    fs::create_symlink("target/real.orvanta", dir / "link.orvanta");
    fs::create_symlink(dir / "link.orvanta", dir / "chain.orvanta");
    fs::create_symlink("target/new.orvanta", dir / "dangling.orvanta");
    fs::create_symlink("loop.orvanta", dir / "loop.orvanta");
    fs::create_directory(dir / "folder.orvanta");
    ASSERT_EQ(::mkfifo((dir / "pipe.orvanta").c_str(), 0600), 0);
    const struct {
        const char *path;
        const char *result; // the file then written, or a part of the refusal
    } cases[] = {
        {"link.orvanta", "target/real.orvanta"},
        {"chain.orvanta", "target/real.orvanta"},
        {"dangling.orvanta", "target/new.orvanta"},
        {"loop.orvanta", "링크가 너무 많이 이어집니다"},
        {"pipe.orvanta", "pipe.orvanta: 일반 파일이 아닙니다."},
        {"folder.orvanta", "folder.orvanta: 폴더입니다."},
        {"locked.orvanta", "locked.orvanta: 읽기 전용 파일입니다."}, // not to root, who may write it
    };
    for (const auto &c : cases) {
        const fs::path path = dir / c.path;
        const fs::file_type type = fs::symlink_status(path).type();
        const std::optional<std::string> failure = Write_Atomically(path.string(), c.path);
        EXPECT_EQ(fs::symlink_status(path).type(), type) << c.path; // a link stays a link, a FIFO a FIFO
        if (std::string(c.result).starts_with("target/")) {
            std::stringstream written;
            written << std::ifstream(dir / c.result).rdbuf();
            EXPECT_EQ(written.str(), c.path) << failure.value_or("");
        } else if (std::string(c.path) != "locked.orvanta" || ::geteuid() != 0) {
            EXPECT_NE(failure.value_or("").find(c.result), std::string::npos) << c.path;
        }
    }
    // Nothing else was written, no temporary file left.
    EXPECT_EQ(
        std::distance(fs::directory_iterator(dir), {}) + std::distance(fs::directory_iterator(dir / "target"), {}), 10);
}

TEST(HostileFiles, AKilledSavesTemporaryFileIsRemovedByTheNextSaveOnceItIsStale)
{
    const fs::path dir = Fresh_Folder("orvanta-stale-test");
    const struct {
        const char *name;
        bool stale, removed;
    } cases[] = {
        {".w.orvanta.a1B2c3", true, true},   {".명세.CSV.Zz9Zz9", true, true},
        {".w.orvanta.f1R2s3", false, false}, // a save still running, perhaps in another window
        {".w.txt.a1B2c3", true, false},      // another program's
        {"w.orvanta.a1B2c3", true, false},   {".w.orvanta.a1-2c3", true, false},
        {".d.orvanta.a1B2c3", true, false}, // a folder
    };
    for (const auto &c : cases) {
        if (c.name[1] == 'd')
            fs::create_directory(dir / c.name);
        else
            std::ofstream(dir / c.name) << "partial";
        if (c.stale)
            fs::last_write_time(dir / c.name, fs::file_time_type::clock::now() - std::chrono::minutes(2));
    }
    ASSERT_EQ(Write_Atomically((dir / "w.orvanta").string(), "saved"), std::nullopt);
    for (const auto &c : cases)
        EXPECT_EQ(fs::exists(dir / c.name), !c.removed) << c.name;
}

} // namespace
