#include "core/files/register_csv.h"

#include "core/common/text.h"
#include "core/registers/carried_lines.h"
#include "core/registers/register_entry.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using namespace std::string_literals;

GridModel Empty(RegisterKind kind) { return Empty_Register(kind); }

std::optional<ReadFailure> Import(RegisterKind kind, const std::string &text, GridModel &grid, char separator = ',')
{
    std::istringstream in(text);
    StreamSource source(in);
    return Import_Register_Rows(source, kind, grid, separator);
}

// `count` rows of one code with amounts of 1.
std::string Rows(const char *code, int count, int amounts)
{
    std::string csv;
    for (int i = 0; i < count; ++i) {
        csv.append(code).append(",p,");
        for (int k = 0; k < amounts; ++k)
            csv.append(",1");
        csv.append("\n");
    }
    return csv;
}

constexpr RegisterKind I = RegisterKind::Interest, D = RegisterKind::Dividend;

TEST(RegisterCsv, ARowThatCannotBeARowOfTheRegisterStopsTheReadAtItsLine)
{
    const struct {
        RegisterKind kind;
        std::string text;
        int line;
        std::string message;
    } cases[] = {
        // Only a first row whose amount fields are all words is a header.
        {I, "l3,한빛,1,1000,0\n", 1, "소득구분코드 \"l3\"은(는) 11, 12, 13 중 하나가 아닙니다."},
        {I, "１３,한빛,1,1000,0\n", 1, "\"１３\"은(는)"},
        {I, std::string(100, '\0'), 1, "NUL 문자(0 바이트)가 있어 텍스트가 아닙니다."},
        {I, "11,a,,1,1\n12,\"b\0\",,1,1\n"s, 2, "NUL 문자(0 바이트)가 있어 텍스트가 아닙니다."},
        {I, "11," + std::string(201, 'x') + ",,1,1\n", 1, "상호(성명)은(는) 200자까지 입력할 수 있습니다."},
        {D, "21,a," + std::string(201, '1') + ",1,1,1\n", 1, "사업자등록번호은(는) 200자까지 입력할 수 있습니다."},
        {I, "11;a;;1;1\n", 1, "필드가 1개입니다. 한 줄은 5개 필드(소득구분코드, 상호(성명)"},
        {I, "11,a,,1,1\n21,b,,1,1\n", 2, "\"21\"은(는) 11, 12, 13 중 하나가 아닙니다."},
        {D, "코드,이름,번호,배당,대상,세액\n코드,이름,번호,배당,대상,세액\n", 2, "\"코드\"은(는) 21, 22, 23"},
        {I, "11,a,,12a,1\n", 1, "이자소득금액 \"12a\"은(는) 숫자가 아닙니다."},
        {D, "21,a,,1,-,1\n", 1, "배당가산대상금액 \"-\"은(는) 숫자가 아닙니다."},
        {I, "11,a,,\"10,000,000,000,000\",1\n", 1, "이자소득금액 \"10,000,000,000,000\": 금액이 너무 큽니다."},
        {D, "21,a,,9000000000000,9999999999999,\n", 1, "금액이 너무 큽니다."}, // the income reaches the limit
        {I, "11,a,,9999999999990,1\n12,b,,5,1\n", 2, "금액이 너무 큽니다."}, // so would the 합계
        {I, "11,,,1,1\n", 1, "상호(성명)을 입력하세요."},
        {D, "\n\n23,,,1,1,1\n", 3, "배당지급법인명을 입력하세요."},
        {I, "11,\"a\tb\",,1,1\n", 1, "상호(성명) \"a�b\"에 제어 문자"},
        {I, "11,a,\"1\n2\",1,1\n", 1, "사업자등록번호(주민번호) \"1�2\"에 제어 문자"},
        {I, "11,\"a\x1b[31m\",,1,1\n", 1, "제어 문자"},
        {I, "11,\xC2\x85,,1,1\n", 1, "제어 문자"}, // C1: NEL
        {I, "11," + std::string(100, 'x') + "\t,,1,1\n", 1, "\"" + std::string(40, 'x') + "…\""},
        {I, "11,a,,1,1\n\n12,\"open,,1,1\n", 3, "따옴표로 시작한 필드가 닫히지 않았습니다."},
        {I, "11,a\"b,,1,1\n", 1, "따옴표로 감싸지 않은 필드 안에 따옴표가 있습니다."},
        {I, "11,\"a\"b,,1,1\n", 1, "닫는 따옴표 뒤에 글자가 있습니다."},
        {I, "\xFF\xFE" "1\0" "1\0", 1, "UTF-16 파일입니다. 파일을 UTF-8(CSV UTF-8)로 저장하십시오."},
        {I, "11,\xB0\xA1,,1,1\n", 1, "UTF-8 텍스트가 아닙니다"}, // EUC-KR
        {I, "11,\xC0\xAF,,1,1\n", 1, "UTF-8 텍스트가 아닙니다"}, // overlong "/"
        {I, "11,\xED\xA0\x80,,1,1\n", 1, "UTF-8 텍스트가 아닙니다"}, // a surrogate
        {I, "11,\xF4\x90\x80\x80,,1,1\n", 1, "UTF-8 텍스트가 아닙니다"}, // above U+10FFFF
        {I, "11,a,,1,1\n\xEF\xBB\xBF" "12,b,,1,1\n", 2, "BOM"},
        // 18 rows of 11 and one of 12 fill 21 rows; a second 12 adds a subtotal.
        {I, Rows("11", 18, 2) + Rows("12", 2, 2), 20, "22행 이상 등록이 불가능합니다."},
        {D, "code,name,number,dividend,base,tax\n" + Rows("21", 13, 3), 14, "14행 이상 등록이 불가능합니다."},
    };
    for (const auto &c : cases) {
        GridModel grid = Empty(c.kind);
        if (c.kind == I) {
            ASSERT_FALSE(Import(I, "11,앞,,5,0\n", grid)); // a row already there stays as it is
        }
        const GridModel before = grid;
        const std::optional<ReadFailure> failure = Import(c.kind, c.text, grid);
        ASSERT_TRUE(failure.has_value()) << c.message;
        EXPECT_EQ(failure->line, c.line) << c.message;
        EXPECT_NE(failure->message.find(c.message), std::string::npos) << failure->message << " / " << c.message;
        for (int r = 0; r < grid.Rows(); ++r) // all or nothing
            for (int col = 0; col < grid.Cols(); ++col)
                ASSERT_EQ(grid.Text(r, col), before.Text(r, col)) << c.message;
    }
}

TEST(RegisterCsv, AmountsAreTakenInTheFormsASpreadsheetWritesThem)
{
    // The text, and the cell it gives or nullptr for "no number".
    const std::pair<const char *, const char *> cases[] = {
        {"1,234", "1,234"}, {"1234.5", "1,235"}, {"-1,000", "-1,000"}, {" 12 ", "12"},
        {"", "0"},          {"1.5e3", nullptr},  {"1,5", nullptr},     {"1,23,456", nullptr},
        {"+5", nullptr},    {"1,000.", nullptr}, {".5", nullptr},      {"1234,567", nullptr}};
    for (const auto &[text, cell] : cases) {
        GridModel grid = Empty(I);
        const std::optional<ReadFailure> failure = Import(I, std::string("11,a,,\"") + text + "\",0\n", grid);
        EXPECT_EQ(failure ? Describe(*failure) : grid.Text(1, 5),
                  cell ? cell
                       : "1번째 줄: 이자소득금액 \"" + std::string(Trim_Blanks(text)) + "\"은(는) 숫자가 아닙니다.");
    }
}

TEST(RegisterCsv, RowsAreSavedAsTypingThemIntoThePanelWould)
{
    GridModel grid = Empty(D);
    // A header, a BOM, CRLF, quoted commas, and a base made whole won (2.5
    // becomes 3) before its gross-up is worked out from it.
    ASSERT_FALSE(Import(D,
                        "\xEF\xBB\xBF소득구분코드,배당지급법인명,사업자등록번호,배당액,배당가산대상금액,원천징수세액\r\n"
                        "21,\"A, \"\"B\"\"\",124-81,\"2,000,000\", 2.5 ,\r\n22,  C ,,0.0,,7\r\n",
                        grid));
    ASSERT_EQ(grid.Rows(), 4);
    EXPECT_EQ(grid.Text(1, 3), "A, \"B\"");
    EXPECT_EQ(grid.Text(1, 6), "3");
    EXPECT_EQ(grid.Text(1, 7), "1");
    EXPECT_EQ(grid.Text(1, 8), "2,000,001");
    EXPECT_EQ(grid.Text(2, 3), "  C "); // a name stays as typed
    EXPECT_EQ(grid.Text(2, 5), "0");

    // Tab-separated text, as a spreadsheet copies it, appends in file order.
    GridModel interest = Empty(I);
    ASSERT_FALSE(Import(I, "13\tB\t\t100\t0\n11\tA\t\t1\t0\n", interest, '\t'));
    EXPECT_EQ(interest.Text(1, 3), "A");
    const std::optional<ReadFailure> commas = Import(I, "11,A,,1,0\n", interest, '\t');
    ASSERT_TRUE(commas);
    EXPECT_NE(commas->message.find("탭으로 구분합니다"), std::string::npos);
}

TEST(RegisterCsv, AnEndlessInputIsReadOnlyUpToItsFirstFailureOrItsLimit)
{
    // A million rows of one code: 20 rows, their 소계 and the 합계 fill the
    // page, so line 21 fails, and little more is read.
    std::string rows = Rows("11", 1'000'000, 2);
    std::istringstream in(rows);
    StreamSource source(in);
    GridModel grid = Empty(I);
    const std::optional<ReadFailure> failure = Import_Register_Rows(source, I, grid);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->line, 21);
    EXPECT_LT(source.Consumed(), 100'000);

    // A single name larger than any file the program reads.
    std::istringstream huge("11," + std::string(kMaxInputBytes, 'x') + ",,1,1\n");
    StreamSource hugeSource(huge);
    RegisterCsvReader reader(hugeSource, I);
    EXPECT_FALSE(reader.Next());
    ASSERT_TRUE(reader.Failure());
    EXPECT_NE(reader.Failure()->message.find("파일이 너무 큽니다"), std::string::npos);
}

TEST(RegisterCsv, AnExportedRegisterImportsIntoAnEmptyOneAsTheSameGrid)
{
    for (const auto &[kind, rows] : {std::pair{I, std::string("13,\"우리은행, 본점\",202-81,\"8,400,000\",\"1,176,000\"\n"
                                                                "11,\" 김 \"\"민수\"\" \",,3000000,\n12,x,,-5,0\n")},
                                     std::pair{D, std::string("22,\"A \"\"B\"\"\",,1500000,,210000\n"
                                                                "21,대한전자(주),124-81,2000000,1000000,0\n"
                                                                "21,한국제철(주),506-81,150,150,\n")}}) {
        GridModel grid = Empty(kind);
        ASSERT_FALSE(Import(kind, rows, grid));
        const std::string file = Register_File_Text(grid, kind, ',', true);
        EXPECT_TRUE(file.starts_with("\xEF\xBB\xBF소득구분코드,"));
        for (const char separator : {',', '\t'}) {
            GridModel again = Empty(kind);
            const std::string text = separator == ',' ? file : Register_File_Text(grid, kind, '\t', false);
            ASSERT_FALSE(Import(kind, text, again, separator)) << text;
            ASSERT_EQ(again.Rows(), grid.Rows());
            for (int r = 0; r < grid.Rows(); ++r)
                for (int c = 0; c < grid.Cols(); ++c)
                    EXPECT_EQ(again.Text(r, c), grid.Text(r, c)) << text;
        }
    }
}

TEST(CarriedLines, LinesOneToSevenTakeEachCodesSumAndTheTotalGrossUp)
{
    GridModel fgEJ = Empty(I), fgBD = Empty(D);
    ASSERT_FALSE(Import(I, "13,한빛저축은행,,\"12,500,000\",\"1,925,000\"\n11,김민수,,3000000,\n13,우리은행,,8400000,0\n",
                        fgEJ));
    ASSERT_FALSE(Import(D, "21,대한전자(주),,2000000,1000000,0\n22,B,,1500000,,210000\n21,한국제철(주),,150,150,\n", fgBD));
    // 11 has one row and no 소계; 13 takes its 소계; 12 and 23 are empty;
    // line 7 is the 합계 row's ⑦ (190,000 + 29), counted once.
    EXPECT_EQ(Carried_Lines(fgEJ, fgBD), (std::array<std::string, kCarriedLines>{
                                             "3,000,000", "", "20,900,000", "2,000,150", "1,500,000", "", "190,029"}));
    EXPECT_EQ(Carried_Lines(Empty(I), Empty(D)), (std::array<std::string, kCarriedLines>{}));
}

} // namespace
