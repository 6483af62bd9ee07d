#include "core/files/taxpayer_file.h"

#include "core/registers/register_entry.h"
#include "core/registers/regrouping.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

void Save(GridModel &grid, const char *code, std::vector<std::string> fields)
{
    ASSERT_EQ(Save_Row(grid, 0, Entry_Cells(grid, code, fields)), SaveResult::Saved);
}

TaxpayerWork Sample()
{
    TaxpayerWork work = Empty_Work();
    Save(work.interest, "13", {"한빛저축은행", "123-81-45678", "12,500,000", "1,925,000"});
    Save(work.interest, "11", {"김민수", "750101-1234567", "3,000,000", "0"});
    Save(work.interest, "13", {"\"따옴표\" \\ 소계", "", "7", ""});
    Save(work.dividend, "21", {"대한전자(주)", "124-81-00998", "20,000,000", "18,000,000", "3,420,000", "23,420,000", "2,800,000"});
    work.lines = {"", "10,000,000", "30,000,000", "10,000,000", "", "", "-1,100,000", "20,000,000", "-"};
    return work;
}

std::vector<std::vector<std::string>> Cells(const GridModel &grid)
{
    std::vector<std::vector<std::string>> rows;
    for (int r = 0; r < grid.Rows(); ++r) {
        rows.emplace_back();
        for (int c = 0; c < grid.Cols(); ++c)
            rows.back().push_back(grid.Text(r, c));
    }
    return rows;
}

// A file as the program writes it, with `edit` applied to its text.
std::string Edited(const std::string &from, const std::string &to)
{
    std::string json = Taxpayer_Json(Sample());
    const std::size_t at = json.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? json : json.replace(at, from.size(), to);
}

std::string Interest_Rows(int count)
{
    std::string rows;
    for (int i = 0; i < count; ++i)
        rows += std::string(i ? "," : "") + R"({"code":"11","name":"p","number":"","interest":"1","withheld":"0"})";
    return R"({"format":"orvanta-taxpayer","version":1,"interest":[)" + rows +
           R"(],"dividend":[],"lines":["","","","","","","","",""]})";
}

TEST(TaxpayerFile, KeepsEveryDataRowAndLineThroughASaveAndAnOpen)
{
    const TaxpayerWork work = Sample();
    const std::string json = Taxpayer_Json(work);
    // The format name leads, where the desktop's magic match looks for it.
    EXPECT_TRUE(json.starts_with("{\n  \"format\": \"orvanta-taxpayer\",\n  \"version\": 1,")) << json;
    EXPECT_EQ(json.find("합계"), std::string::npos) << "the subtotal and total rows are not kept";

    const TaxpayerRead read = Parse_Taxpayer(json);
    ASSERT_TRUE(read.work) << read.error;
    EXPECT_EQ(Cells(read.work->interest), Cells(work.interest));
    EXPECT_EQ(Cells(read.work->dividend), Cells(work.dividend));
    EXPECT_EQ(read.work->lines, work.lines);
    EXPECT_EQ(Taxpayer_Json(*read.work), json);
    // Lines are taken as leaving them takes them: grouped, zero empty.
    const TaxpayerRead plain = Parse_Taxpayer(Edited("\"10,000,000\",\n    \"30,000,000\"", "\"10000000\", \"0\""));
    ASSERT_TRUE(plain.work) << plain.error;
    EXPECT_EQ(plain.work->lines[1], "10,000,000");
    EXPECT_EQ(plain.work->lines[2], "");
}

TEST(TaxpayerFile, RefusesWhatIsNotAWholeAndValidTaxpayerFile)
{
    const std::string valid = Taxpayer_Json(Sample());
    const struct {
        std::string bytes;
        std::string error; // a part of the message
    } cases[] = {
        {"", "Orvanta 납세자 파일이 아닙니다."},
        {"11,김민수,,1000,0\n", "Orvanta 납세자 파일이 아닙니다."},
        {"[1, 2]", "Orvanta 납세자 파일이 아닙니다."},
        {Edited("orvanta-taxpayer", "orvanta-other"), "Orvanta 납세자 파일이 아닙니다."},
        {valid.substr(0, valid.size() / 2), "파일이 손상되었거나 잘렸습니다 ("},
        {Edited("김민수", "\xB1\xE8"), "UTF-8 텍스트가 아닙니다."},
        {Edited("\"version\": 1", "\"version\": 2"), "새로운 형식(버전 2)"},
        {Edited("\"version\": 1", "\"version\": \"1\""), "형식 버전(version)"},
        {Edited("\"version\": 1", "\"version\": 1, \"total\": 3"), "알 수 없는 항목 \"total\""},
        {Edited("\"lines\"", "\"line\""), "\"lines\" 항목이 없습니다."},
        {Edited("\"-\"\n", "\"-\", \"\"\n"), "문자열 아홉 개"},
        {Edited("\"10,000,000\",\n    \"30,000,000\"", "\"-5\", \"\""), "산출세액계산 2번 줄 \"-5\": 음수가 입력되어선 않됩니다!!"},
        {Edited("\"20,000,000\",\n    \"-\"", "\"10,000,000,000,000\", \"-\""), "8번 줄 \"10,000,000,000,000\": 금액이 너무 큽니다."},
        {Edited("\"-\"\n", "\"1천\"\n"), "9번 줄 \"1천\": 숫자가 아닙니다."},
        {Edited("\"code\": \"11\"", "\"code\": \"21\""),
         "이자소득명세 1번째 행: 소득구분코드 \"21\"은(는) 11, 12, 13 중 하나가 아닙니다."},
        {Edited("김민수", "김\\t민수"), "상호(성명) \"김\uFFFD민수\"에 제어 문자"},
        {Edited("\"김민수\"", "\"\""), "이자소득명세 1번째 행: 상호(성명)을 입력하세요."},
        {Edited("3,000,000", "3,000,000원"), "이자소득금액 \"3,000,000원\"은(는) 숫자가 아닙니다."},
        {Edited("\"3,000,000\"", "3000000"), "이자소득금액이(가) 문자열이 아닙니다."},
        {Edited("\"withheld\": \"0\"", "\"withheld\": \"0\", \"memo\": \"\""), "알 수 없는 항목 \"memo\""},
        {Edited("3,420,000", "3,420,001"),
         "배당소득명세 1번째 행: 배당가산액 \"3,420,001\"이(가) 배당액과 배당가산대상금액으로 계산한 \"3,420,000\"와(과) 다릅니다."},
        {Edited("23,420,000", "23,000,000"), "배당소득금액 \"23,000,000\"이(가)"},
        {Interest_Rows(21), "이자소득명세 21번째 행: 22행 이상 등록이 불가능합니다."},
        {Edited("750101-1234567", std::string(201, '1')),
         "이자소득명세 1번째 행: 사업자등록번호(주민번호)은(는) 200자까지 입력할 수 있습니다."},
        {Edited("\"version\": 1", "\"version\": 1e999"), "파일이 손상되었거나 잘렸습니다."},
        {"{\"format\":\"orvanta-taxpayer\",\"x\":" + std::string(100000, '[') , "너무 깊게"},
        // The last of two equal keys would win unseen.
        {Edited("\"version\": 1", "\"version\": 1, \"version\": 1"), "파일에 \"version\" 항목이 두 번 있습니다."},
        {Edited("\"name\": \"한빛저축은행\"", "\"name\": \"한빛저축은행\", \"name\": \"x\""),
         "이자소득명세 2번째 행에 \"name\" 항목이 두 번 있습니다."},
        {Edited("김민수", std::string("김\0민수", 10)),
         "손상되었거나 잘렸습니다: 7번째 줄에 NUL 문자(0 바이트)가 있습니다."},
    };
    for (const auto &c : cases) {
        const TaxpayerRead read = Parse_Taxpayer(c.bytes);
        EXPECT_FALSE(read.work) << c.error;
        EXPECT_NE(read.error.find(c.error), std::string::npos) << "expected: " << c.error << "\n got: " << read.error;
    }
    EXPECT_TRUE(Parse_Taxpayer(Interest_Rows(20)).work); // with the 소계 and the 합계, page 5 is full
}

TEST(TaxpayerFile, ASaveThatFailsLeavesTheFileThatWasThere)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "orvanta-atomic-test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "folder" / "inside");
    const std::string file = (dir / "work.orvanta").string();
    const auto text = [](const std::string &path) {
        std::ifstream in(path);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };

    EXPECT_EQ(Write_Atomically(file, "first"), std::nullopt);
    std::filesystem::permissions(file, std::filesystem::perms(0640));
    EXPECT_EQ(Write_Atomically(file, "second"), std::nullopt);
    EXPECT_EQ(text(file), "second");
    EXPECT_EQ(std::filesystem::status(file).permissions(), std::filesystem::perms(0640));

    // A folder in the way of the rename, a folder that is not there.
    const std::optional<std::string> overFolder = Write_Atomically((dir / "folder").string(), "x");
    ASSERT_TRUE(overFolder);
    EXPECT_TRUE(overFolder->starts_with("파일을 저장할 수 없습니다: ")) << *overFolder;
    EXPECT_TRUE(Write_Atomically((dir / "missing" / "w.orvanta").string(), "x"));
    // Nothing but the file and the folder is left: no temporary file.
    int entries = 0;
    for ([[maybe_unused]] const auto &entry : std::filesystem::directory_iterator(dir))
        ++entries;
    EXPECT_EQ(entries, 2);
    EXPECT_EQ(text(file), "second");

    std::ifstream in(file);
    StreamSource source(in, file);
    EXPECT_EQ(Read_Taxpayer_File(source).error, "Orvanta 납세자 파일이 아닙니다.");
    std::filesystem::remove_all(dir);
}

} // namespace
