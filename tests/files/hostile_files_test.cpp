// Rows and files at and past the bounds, and saves with something odd in
// their way: links, special files, a read-only file, left-over temporaries.
#include "core/common/amount.h"
#include "core/files/register_csv.h"
#include "core/files/taxpayer_file.h"
#include "core/registers/register_entry.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr RegisterKind I = RegisterKind::Interest, D = RegisterKind::Dividend;

// `chars` characters of four UTF-8 bytes, the widest a name can be written.
std::string Wide(std::size_t chars)
{
    std::string text;
    for (std::size_t i = 0; i < chars; ++i)
        text += "\U0001F600";
    return text;
}

// The entry fields of a row: a name and a number, then amounts.
std::vector<std::string> Fields(RegisterKind kind, const std::string &name, const std::string &number,
                                const std::string &amount)
{
    if (kind == I)
        return {name, number, amount, amount};
    const GrossUp g = BD_Calc(amount, amount);
    return {name, number, amount, amount, g.grossUp, g.income, amount};
}

const char *Code(RegisterKind kind) { return kind == I ? "11" : "21"; }

std::string Read(const fs::path &path)
{
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

fs::path Fresh_Folder(const char *name)
{
    const fs::path dir = fs::temp_directory_path() / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

TEST(HostileFiles, EveryWayInTakesANameOrNumberUpToTheBoundAndNoFurther)
{
    // Each way a row gets in, given the row's name and number: the refusal
    // as the user reads it, or "" when the row was saved.
    using Way = std::function<std::string(RegisterKind, const std::string &, const std::string &)>;
    const auto csv = [](char separator) {
        return [separator](RegisterKind kind, const std::string &name, const std::string &number) {
            const std::string sep(1, separator), amounts = kind == I ? "1" + sep + "1" : "1" + sep + "1" + sep + "1";
            std::istringstream in(Code(kind) + sep + "a" + sep + sep + amounts + "\n" + Code(kind) + sep + name + sep +
                                  number + sep + amounts + "\n");
            StreamSource source(in);
            GridModel grid = Empty_Register(kind);
            const std::optional<ReadFailure> failure = Import_Register_Rows(source, kind, grid, separator);
            return failure ? Describe(*failure) : "";
        };
    };
    const std::vector<std::pair<const char *, Way>> ways = {
        {"저장",
         [](RegisterKind kind, const std::string &name, const std::string &number) -> std::string {
             GridModel grid = Empty_Register(kind);
             const char *refusal = Refusal_Message(
                 Save_Row(grid, 0, Entry_Cells(grid, Code(kind), Fields(kind, name, number, "1"))), Layout_Of(kind));
             return refusal ? refusal : "";
         }},
        {"저장 over a loaded row",
         [](RegisterKind kind, const std::string &name, const std::string &number) {
             GridModel grid = Empty_Register(kind);
             EXPECT_EQ(Save_Row(grid, 0, Entry_Cells(grid, Code(kind), Fields(kind, "a", "", "5"))), SaveResult::Saved);
             const GridModel before = grid;
             const char *refusal = Refusal_Message(
                 Save_Row(grid, 1, Entry_Cells(grid, Code(kind), Fields(kind, name, number, "1"))), Layout_Of(kind));
             EXPECT_EQ(Register_File_Text(grid, kind, ',', false) == Register_File_Text(before, kind, ',', false),
                       refusal != nullptr);
             return std::string(refusal ? refusal : "");
         }},
        {"import", csv(',')},
        {"paste", csv('\t')},
        {"taxpayer file",
         [](RegisterKind kind, const std::string &name, const std::string &number) {
             // A file written with short texts, the texts then lengthened.
             TaxpayerWork work = Empty_Work();
             GridModel &grid = work.Register(kind);
             EXPECT_EQ(Save_Row(grid, 0, Entry_Cells(grid, Code(kind), Fields(kind, "N", "#", "1"))),
                       SaveResult::Saved);
             std::string json = Taxpayer_Json(work);
             json.replace(json.find("\"N\""), 3, '"' + name + '"');
             json.replace(json.find("\"#\""), 3, '"' + number + '"');
             return Parse_Taxpayer(json).error;
         }},
    };
    const std::string most(kMaxTextChars, 'x'), over = Wide(kMaxTextChars + 1);
    for (const RegisterKind kind : {I, D}) {
        const std::string name = kind == I ? "상호(성명)" : "배당지급법인명";
        const std::string number = kind == I ? "사업자등록번호(주민번호)" : "사업자등록번호";
        for (const auto &[way, enter] : ways) {
            EXPECT_EQ(enter(kind, Wide(kMaxTextChars), most), "") << way;
            const std::string overName = enter(kind, over, most), overNumber = enter(kind, "a", over);
            EXPECT_NE(overName.find(name + "은(는) 200자까지 입력할 수 있습니다."), std::string::npos)
                << way << overName;
            EXPECT_NE(overNumber.find(number + "은(는) 200자까지 입력할 수 있습니다."), std::string::npos) << way;
        }
        // The files name the place as for any other refusal.
        EXPECT_TRUE(ways[2].second(kind, over, "").starts_with("2번째 줄: "));
        EXPECT_TRUE(ways[4]
                        .second(kind, over, "")
                        .starts_with(kind == I ? "이자소득명세 1번째 행: " : "배당소득명세 1번째 행: "));
    }
}

TEST(HostileFiles, TheLargestFilesAreWrittenAndOpenAgain)
{
    // Every row the page holds (at least 소계 and 합계 take the rest), each with the widest name and number
    // and amounts as large as the 합계 allows.
    TaxpayerWork work = Empty_Work();
    for (const RegisterKind kind : {I, D}) {
        GridModel &grid = work.Register(kind);
        const std::string amount = Format_Whole(std::floor(kAmountLimit / 2 / Layout_Of(kind).pageRows));
        const std::vector<std::string> fields = Fields(kind, Wide(kMaxTextChars), Wide(kMaxTextChars), amount);
        while (Save_Row(grid, 0, Entry_Cells(grid, Code(kind), fields)) == SaveResult::Saved) {
        }
        ASSERT_EQ(grid.Rows() - 1, Layout_Of(kind).pageRows);
    }
    const fs::path dir = Fresh_Folder("orvanta-largest-test");
    const std::string json = Taxpayer_Json(work);
    ASSERT_EQ(Save_Taxpayer_File((dir / "w.orvanta").string(), json), std::nullopt);
    OpenedInput input = Open_Input_File((dir / "w.orvanta").string());
    ASSERT_TRUE(input.source) << input.error;
    const TaxpayerRead read = Read_Taxpayer_File(*input.source);
    ASSERT_TRUE(read.work) << read.error;
    EXPECT_EQ(Taxpayer_Json(*read.work), json);

    for (const RegisterKind kind : {I, D}) {
        const fs::path csv = dir / (kind == I ? "i.csv" : "d.csv");
        const std::string text = Register_File_Text(work.Register(kind), kind, ',', true);
        ASSERT_EQ(Write_Atomically(csv.string(), text), std::nullopt);
        OpenedInput file = Open_Input_File(csv.string());
        ASSERT_TRUE(file.source) << file.error;
        GridModel grid = Empty_Register(kind);
        ASSERT_EQ(Import_Register_Rows(*file.source, kind, grid), std::nullopt);
        EXPECT_EQ(Register_File_Text(grid, kind, ',', true), text);
        // Registers of 1,000 rows stay well within what is read.
        EXPECT_LT(text.size() * 1000 / Layout_Of(kind).pageRows, kMaxInputBytes / 2);
    }
    EXPECT_LT(json.size() * 1000 / std::min(kInterestLayout.pageRows, kDividendLayout.pageRows), kMaxInputBytes / 2);

    // Work the reader would refuse is not written: a tab in a name, which
    // the entry field may hold.
    GridModel &grid = work.Register(I);
    ASSERT_EQ(Save_Row(grid, 1, Entry_Cells(grid, "11", Fields(I, "a\tb", "", "1"))), SaveResult::Saved);
    const std::optional<std::string> refused = Save_Taxpayer_File((dir / "tab.orvanta").string(), Taxpayer_Json(work));
    ASSERT_TRUE(refused);
    EXPECT_NE(refused->find("저장하면 다시 열 수 없는 파일이 됩니다. 이자소득명세 1번째 행: 상호(성명)"),
              std::string::npos)
        << *refused;
    EXPECT_FALSE(fs::exists(dir / "tab.orvanta"));
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
    ASSERT_EQ(::mkfifo((dir / "pipe.orvanta").c_str(), 0600), 0);
    fs::create_directory(dir / "folder.orvanta");

    const struct {
        const char *path;
        const char *written; // the file that then holds the text, or nullptr
        const char *refusal; // a part of the message, when nothing is written
    } cases[] = {
        {"link.orvanta", "target/real.orvanta", nullptr},
        {"chain.orvanta", "target/real.orvanta", nullptr},
        {"dangling.orvanta", "target/new.orvanta", nullptr},
        {"loop.orvanta", nullptr, "링크가 너무 많이 이어집니다"},
        {"pipe.orvanta", nullptr, "pipe.orvanta: 일반 파일이 아닙니다."},
        {"folder.orvanta", nullptr, "folder.orvanta: 폴더입니다."},
        {"locked.orvanta", nullptr, "locked.orvanta: 읽기 전용 파일입니다."},
    };
    for (const auto &c : cases) {
        const fs::path path = dir / c.path;
        const fs::file_type type = fs::symlink_status(path).type();
        const std::optional<std::string> failure = Write_Atomically(path.string(), c.path);
        EXPECT_EQ(fs::symlink_status(path).type(), type) << c.path; // a link stays a link, a FIFO a FIFO
        if (c.written) {
            EXPECT_EQ(failure, std::nullopt) << c.path;
            EXPECT_EQ(Read(dir / c.written), c.path);
        } else if (std::string(c.path) != "locked.orvanta" || ::geteuid() != 0) { // root may write anything
            ASSERT_TRUE(failure) << c.path;
            EXPECT_TRUE(failure->starts_with("파일을 저장할 수 없습니다: " + path.string()));
            EXPECT_NE(failure->find(c.refusal), std::string::npos) << *failure;
        }
    }
    if (::geteuid() != 0) {
        EXPECT_EQ(Read(dir / "locked.orvanta"), "old");
    }
    // No temporary file is left in either folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 8);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "target"), {}), 2);
}

TEST(HostileFiles, AKilledSavesTemporaryFileIsRemovedByTheNextSaveOnceItIsStale)
{
    const fs::path dir = Fresh_Folder("orvanta-stale-test");
    const struct {
        const char *name;
        bool stale;
        bool removed;
    } cases[] = {
        {".w.orvanta.a1B2c3", true, true},   {".명세.CSV.Zz9Zz9", true, true},
        {".w.orvanta.f1R2s3", false, false}, // a save still running, perhaps in another window
        {".w.txt.a1B2c3", true, false},      // another program's
        {"w.orvanta.a1B2c3", true, false},   {".w.orvanta.a1B2c", true, false},
        {".w.orvanta.a1-2c3", true, false},
    };
    for (const auto &c : cases) {
        std::ofstream(dir / c.name) << "partial";
        if (c.stale)
            fs::last_write_time(dir / c.name, fs::file_time_type::clock::now() - std::chrono::minutes(2));
    }
    fs::create_directory(dir / ".d.orvanta.a1B2c3"); // not a file
    fs::last_write_time(dir / ".d.orvanta.a1B2c3", fs::file_time_type::clock::now() - std::chrono::minutes(2));

    ASSERT_EQ(Write_Atomically((dir / "w.orvanta").string(), "saved"), std::nullopt);
    for (const auto &c : cases)
        EXPECT_EQ(fs::exists(dir / c.name), !c.removed) << c.name;
    EXPECT_TRUE(fs::exists(dir / ".d.orvanta.a1B2c3"));
}

} // namespace
