// The placement file as the help viewer reads it, and a document's plain
// text printed as one job of wrapped lines and pages.
#include "core/help/placement.h"
#include "core/help/print_text.h"
#include "support/recording_printer.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

class PlacementFile : public testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("orvanta-placement-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        file = dir / kPlacementFile;
    }
    void TearDown() override
    {
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir);
    }

    // A file of `size` bytes, zero but for the given little-endian integers.
    void Write(std::size_t size, const std::vector<std::pair<std::size_t, std::int32_t>> &ints)
    {
        std::vector<unsigned char> bytes(size);
        for (auto [offset, value] : ints)
            for (int i = 0; i < 4 && offset + i < size; ++i)
                bytes[offset + i] = static_cast<unsigned char>(static_cast<std::uint32_t>(value) >> (8 * i));
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char *>(bytes.data()), bytes.size());
    }

    fs::path dir, file;
};

constexpr std::size_t kRecord3 = 2 * kPlacementRecordSize; // byte 3752

TEST_F(PlacementFile, AMissingFileIsCreatedEmptyAndHoldsNoPlacement)
{
    const auto read = Read_Placement(file, 3);
    ASSERT_TRUE(read);
    EXPECT_FALSE(read->Stored());
    ASSERT_TRUE(fs::exists(file));
    EXPECT_EQ(fs::file_size(file), 0u);
}

TEST_F(PlacementFile, RecordThreeIsReadFromItsOffset)
{
    Write(3 * kPlacementRecordSize, {{kRecord3, 1},
                                     {kRecord3 + 4, 600},
                                     {kRecord3 + 8, 900},
                                     {kRecord3 + 12, 8000},
                                     {kRecord3 + 16, 6000},
                                     {0, 7},
                                     {4, 111}});
    const auto read = Read_Placement(file, 3);
    ASSERT_TRUE(read);
    EXPECT_TRUE(read->Stored());
    EXPECT_EQ(read->top, 600);
    EXPECT_EQ(read->left, 900);
    EXPECT_EQ(read->width, 8000);
    EXPECT_EQ(read->height, 6000);
    EXPECT_EQ(read->CurTab, 0);
    EXPECT_EQ(Read_Placement(file, 1)->top, 111);
}

TEST_F(PlacementFile, ShortAndTruncatedFilesReadAsZerosWhereBytesAreMissing)
{
    Write(kPlacementRecordSize, {{0, 1}}); // record 3 lies beyond the end
    EXPECT_FALSE(Read_Placement(file, 3)->Stored());

    Write(kRecord3 + 10, {{kRecord3, -1}, {kRecord3 + 4, -1440}, {kRecord3 + 8, 0x7FFF}});
    const auto cut = Read_Placement(file, 3);
    EXPECT_EQ(cut->marker, -1);
    EXPECT_EQ(cut->top, -1440);
    EXPECT_EQ(cut->left, 0x7FFF); // its upper bytes are missing and read as zeros
    EXPECT_EQ(cut->width, 0);
    EXPECT_EQ(cut->height, 0);
}

TEST_F(PlacementFile, NothingWhenTheFileCanNeitherBeReadNorCreated)
{
    EXPECT_FALSE(Read_Placement(dir / "no-such-folder" / kPlacementFile, 3));
    EXPECT_FALSE(Read_Placement(file, 0));
    if (::geteuid() != 0) { // permissions do not stop root
        fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(Read_Placement(file, 3));
        EXPECT_FALSE(fs::exists(file));
    }
}

// The recording printer: 10 pt Korean characters 200 twips wide, lines 300
// high, a page of 11000 × 15000 with 720 kept clear on each side: 47
// characters a line.
constexpr double kLine = 300;

std::vector<std::string> Texts(const PrintJob &job)
{
    std::vector<std::string> texts;
    for (const auto &t : job.texts)
        texts.push_back(t.text);
    return texts;
}

TEST(PrintText, WrapsAtBlanksAndInsideWordsTooLongForALine)
{
    RecordingPrinter printer;
    using V = std::vector<std::string>;
    EXPECT_EQ(Wrap_Line("가나다 라마 바사아자", 6 * 200, printer), (V{"가나다 라마", "바사아자"}));
    EXPECT_EQ(Wrap_Line("가나다라마바사아", 3 * 200, printer), (V{"가나다", "라마바", "사아"}));
    EXPECT_EQ(Wrap_Line("ab\tc", 100 * 200, printer), (V{"ab    c"}));
    EXPECT_EQ(Wrap_Line("", 200, printer), (V{""}));
    EXPECT_EQ(Wrap_Line("  들여쓴 줄", 100 * 200, printer), (V{"  들여쓴 줄"}));
    // Narrower than one character: one a line, never stuck.
    EXPECT_EQ(Wrap_Line("가나", 10, printer), (V{"가", "나"}));
}

TEST(PrintText, PrintsOneJobOfLinesDownThePageInTheCurrentFont)
{
    RecordingPrinter printer;
    const auto repeated = [](int n) {
        std::string text;
        for (int i = 0; i < n; ++i)
            text += "가";
        return text;
    };
    EXPECT_FALSE(Print_Text("첫 줄\n\n" + repeated(60) + "\n끝", printer));
    ASSERT_EQ(printer.jobs.size(), 1u);
    const PrintJob &job = printer.jobs[0];
    EXPECT_EQ(Texts(job), (std::vector<std::string>{"첫 줄", repeated(47), repeated(13), "끝"}));
    // The empty line takes its place without printing anything.
    EXPECT_EQ(job.texts[0].y, kTextMargin);
    EXPECT_EQ(job.texts[1].y, kTextMargin + 2 * kLine);
    EXPECT_EQ(job.texts[3].y, kTextMargin + 4 * kLine);
    for (const auto &t : job.texts) {
        EXPECT_EQ(t.x, kTextMargin);
        EXPECT_EQ(t.font, (PrinterFont{"굴림", 10, false}));
    }
}

TEST(PrintText, ALongDocumentGoesOnToNewPagesFromTheTop)
{
    RecordingPrinter printer;
    std::string text;
    for (int i = 1; i <= 100; ++i)
        text += "줄 " + std::to_string(i) + "\n";
    text.pop_back();
    EXPECT_FALSE(Print_Text(text, printer));
    ASSERT_EQ(printer.jobs.size(), 1u);
    const PrintJob &job = printer.jobs[0];
    // (15000 - 720 - 720) / 300: 45 lines a page.
    EXPECT_EQ(job.pages, 3);
    ASSERT_EQ(job.texts.size(), 100u);
    EXPECT_EQ(job.texts[44].page, 0);
    EXPECT_EQ(job.texts[45].page, 1);
    EXPECT_EQ(job.texts[45].y, kTextMargin);
    EXPECT_EQ(job.texts[99].text, "줄 100");
    EXPECT_EQ(job.texts[99].page, 2);
}

TEST(PrintText, AFailureDiscardsTheJobAndGivesItsDescription)
{
    RecordingPrinter printer;
    printer.failFrom = 1;
    EXPECT_EQ(Print_Text("하나\n둘\n셋", printer), "프린터가 없습니다.");
    EXPECT_TRUE(printer.jobs.empty());
    EXPECT_EQ(printer.killed, 1);
}

} // namespace
