// orvanta-calc run as a process, as a script would run it.
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include "support/pdf_text.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

struct CalcRun {
    int status;
    std::string out, err;
};

CalcRun Calc(const QStringList &args, const std::string &input = {}, const QStringList &shellArgs = {})
{
    QProcess p;
    if (shellArgs.isEmpty())
        p.start(QStringLiteral(ORVANTA_CALC), args);
    else
        p.start(QStringLiteral("/bin/sh"), shellArgs);
    p.write(input.data(), static_cast<qint64>(input.size()));
    p.closeWriteChannel();
    EXPECT_TRUE(p.waitForFinished(20000));
    return {p.exitCode(), p.readAllStandardOutput().toStdString(), p.readAllStandardError().toStdString()};
}

QStringList Statement(QStringList amounts, bool json = false)
{
    QStringList args{"statement"};
    if (json)
        args << "--json";
    return args + amounts;
}

const QStringList kFirstExample = {"",  "10,000,000", "30000000",   "10,000,000", "",
                                   "0", "1,100,000",  "20,000,000", "3,000,000"};

TEST(CalcStatement, PrintsEveryLineThenTheTax)
{
    const CalcRun r = Calc(Statement(kFirstExample));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::string expected =
        "(1)\t0\n(2)\t10,000,000\n(3)\t30,000,000\n(4)\t40,000,000\n(5)\t10,000,000\n(6)\t0\n(7)\t0\n"
        "(8)\t10,000,000\n(9)\t50,000,000\n(10)\t40,000,000\n(11)\t10,000,000\n(12)\t1,100,000\n"
        "(13)\t20,000,000\n(14)\t31,100,000\n(15)\t3,000,000\n(16)\t28,100,000\n(17)\t18 %\n"
        "(18)\t4,158,000\n(19)\t6,000,000\n(20)\t10,158,000\n(21)\t0\n(22)\t50,000,000\n(23)\t7,500,000\n"
        "(24)\t20,000,000\n(25)\t3,000,000\n(26)\t17,000,000\n(27)\t18 %\n(28)\t2,160,000\n(29)\t9,660,000\n"
        "(30)\t10,158,000\n(31)\t\n(32)\t\n(33)\t\n(34)\t\n(35)\t\n(36)\t\n(37)\t\n(38)\t\n④\t498,000\n"
        "종합소득산출세액\t10,158,000\n";
    EXPECT_EQ(r.out, expected);
}

TEST(CalcStatement, JsonHoldsTheSameTexts)
{
    const CalcRun r = Calc(Statement({"1000002", "", "39,000,000", "", "", "", "", "", ""}, true));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\"section\":2,\"tax\":\"6,100,001\",\"lines\":{\"(1)\":\"1,000,002\",", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("\"(21)\":\"250,001\""), std::string::npos);
    EXPECT_NE(r.out.find("\"(27)\":\"0 %\""), std::string::npos);
    EXPECT_NE(r.out.find("\"(38)\":\"\",\"④\":\"0\"}}\n"), std::string::npos);

    const CalcRun three =
        Calc(Statement({"", "5,000,000", "", "", "", "1,000,000", "", "30,000,000", "5,000,000"}, true));
    EXPECT_EQ(three.out.rfind("{\"section\":3,\"tax\":\"4,500,000\"", 0), 0u) << three.out;
}

TEST(CalcStatement, NegativeLineSevenIsAnAmountNotAnOption)
{
    const CalcRun r = Calc(Statement({"", "", "50,000,000", "", "", "", "-1,000", "", ""}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("(12)\t-1,000\n"), std::string::npos);
}

TEST(CalcStatement, FailuresGoToStandardErrorWithStatusTwo)
{
    struct Case {
        QStringList args;
        const char *message;
    } cases[] = {
        {Statement({"", "", "", "", "", "", "", "", "-1,000"}), "음수가 입력되어선 않됩니다!!"},
        {Statement({"-5", "", "", "", "", "", "", "", ""}), "음수가 입력되어선 않됩니다!!"},
        {Statement({"", "", "", "12a", "", "", "", "", ""}), "L4 \"12a\": 잘못된 문자를 입력하셨습니다"},
        {Statement({"", "-", "", "", "", "", "", "", ""}), "잘못된 문자를 입력하셨습니다"},
        {Statement({"", "1e400", "", "", "", "", "", "", ""}), "금액이 너무 큽니다."},
        {Statement({"", "", "", "", "", "", "", "10,000,000,000,000", ""}), "L8 \"10,000,000,000,000\": 금액이"},
        {Statement({"", "", ""}), "사용법: orvanta-calc statement"},
        {Statement({"", "", "", "", "", "", "", "", "", ""}), "금액 아홉 개(L1~L9)가 필요합니다."},
        {{"statement", "--xml", "", "", "", "", "", "", "", "", ""}, "알 수 없는 옵션입니다: --xml"},
        {{"frobnicate"}, "알 수 없는 명령입니다: frobnicate"},
        {{}, "사용법:"},
    };
    for (const Case &c : cases) {
        const CalcRun r = Calc(c.args);
        EXPECT_EQ(r.status, 2) << c.args.join(' ').toStdString();
        EXPECT_EQ(r.out, "") << c.args.join(' ').toStdString();
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
}

// An interest register as a spreadsheet saves it: a header, quoted
// amounts with commas, CRLF line ends and a byte order mark.
const std::string kInterestCsv = "\xEF\xBB\xBF소득구분,상호(성명),사업자등록번호,이자소득금액,원천징수세액\r\n"
                                 "13,한빛저축은행,123-81-45678,\"12,500,000\",\"1,925,000\"\r\n"
                                 "11,김민수,750101-1234567,3000000,\r\n"
                                 "13,\"우리은행, 본점\",202-81-12345, 8400000 ,1176000\r\n";

TEST(CalcRegisters, InterestRowsAreSavedAndPrintedRegrouped)
{
    const CalcRun r = Calc({"interest"}, kInterestCsv);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "11\t1\t김민수\t750101-1234567\t3,000,000\t0\n"
                     "13\t1\t한빛저축은행\t123-81-45678\t12,500,000\t1,925,000\n"
                     "13\t2\t우리은행, 본점\t202-81-12345\t8,400,000\t1,176,000\n"
                     "\t\t소계\t\t20,900,000\t3,101,000\n"
                     "\t\t합계\t\t23,900,000\t3,101,000\n");

    // The same from a file, as JSON.
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    file.write(kInterestCsv.data(), static_cast<qint64>(kInterestCsv.size()));
    file.close();
    const CalcRun json = Calc({"interest", "--json", file.fileName()});
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out.rfind("{\"rows\":[{\"kind\":\"data\",\"cells\":[\"11\",\"1\",\"김민수\",", 0), 0u) << json.out;
    EXPECT_NE(json.out.find("{\"kind\":\"subtotal\",\"cells\":[\"\",\"\",\"소계\",\"\",\"20,900,000\","
                            "\"3,101,000\"]},{\"kind\":\"total\","),
              std::string::npos);
    EXPECT_TRUE(json.out.ends_with("]}]}\n")) << json.out;
}

TEST(CalcRegisters, DividendRowsGetTheirGrossUp)
{
    const CalcRun r = Calc({"dividend", "-"}, "21,대한전자(주),124-81-00998,\"2,000,000\",\"1,000,000\",0\n"
                                              "22,\"A \"\"B\"\"\",,1500000,,210000\n"
                                              "21,한국제철(주),506-81-00012,150,150,\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "21\t1\t대한전자(주)\t124-81-00998\t2,000,000\t1,000,000\t190,000\t2,190,000\t0\n"
                     "21\t2\t한국제철(주)\t506-81-00012\t150\t150\t29\t179\t0\n"
                     "\t\t소계\t\t2,000,150\t1,000,150\t190,029\t2,190,179\t0\n"
                     "22\t1\tA \"B\"\t\t1,500,000\t0\t0\t1,500,000\t210,000\n"
                     "\t\t합계\t\t3,500,150\t1,000,150\t190,029\t3,690,179\t210,000\n");
    const CalcRun empty = Calc({"dividend", "--json"}, "");
    EXPECT_EQ(empty.out, "{\"rows\":[{\"kind\":\"total\",\"cells\":[\"\",\"\",\"합계\",\"\",\"0\",\"0\",\"0\",\"0\",\"0\"]}]}\n");
}

// Runs orvanta-calc through the shell, for what QProcess cannot set up: a
// closed or special standard stream.
CalcRun Shell(const std::string &command)
{
    return Calc({}, {}, {"-c", QString::fromStdString("exec \"$0\" " + command), QStringLiteral(ORVANTA_CALC)});
}

TEST(CalcRegisters, WhatCannotBeReadOrWrittenFailsTheRunWithStatusTwo)
{
    QTemporaryDir dir;
    const std::string pdf = dir.filePath(QStringLiteral("x.pdf")).toStdString();
    const struct {
        CalcRun run;
        const char *message;
    } cases[] = {
        {Calc({"interest"}, "11,a,,1,1\n21,b,,1,1\n"), "2번째 줄: 소득구분코드 \"21\"은(는) 11, 12, 13 중 하나가 아닙니다."},
        {Calc({"interest", "/nonexistent/register.csv"}), "/nonexistent/register.csv: 파일이 없습니다."},
        {Calc({"interest", "/nonexistent/\xEF\xBF\xBD.csv"}),
         "/nonexistent/\xEF\xBF\xBD.csv: 파일 이름이 UTF-8이 아니어서 열 수 없습니다. 파일 이름을 바꾸십시오."},
        {Calc({"interest", "/tmp"}), "/tmp: 폴더입니다."},
        {Calc({"dividend", "/dev/zero"}), "/dev/zero: 일반 파일이 아닙니다."},
        {Calc({"dividend", "a.csv", "b.csv"}), "dividend는 파일 하나만 읽습니다."},
        {Shell("interest <&-"), "표준 입력: 닫혀 있습니다."},
        {Shell("interest </dev/zero"), "1번째 줄: 표준 입력: 파일이 너무 큽니다."},
        {Shell("interest </tmp"), "표준 입력: 폴더입니다."},
        {Shell("statement 1 2 3 4 5 6 7 8 9 >/dev/full"),
         "표준 출력에 쓸 수 없습니다: 저장 공간이 부족합니다 (No space left on device)"},
        {Shell("--help >&-"), "표준 출력에 쓸 수 없습니다: "},
        {Calc(QStringList{"statement", "--pdf", "/dev/full"} + kFirstExample), "PDF 파일 /dev/full을(를) 쓸 수 없습니다. 일반 파일이 아닙니다."},
        {Calc({"interest", "--pdf", QString::fromStdString(pdf)}, "99,x,,1,0\n"), "1번째 줄:"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.run.status, 2) << c.message;
        EXPECT_EQ(c.run.out, "") << c.message;
        EXPECT_NE(c.run.err.find(std::string("orvanta-calc: ") + c.message), std::string::npos) << c.run.err;
    }
    EXPECT_FALSE(QFile::exists(QString::fromStdString(pdf))); // a register that fails to read writes no page
}

TEST(CalcPdf, EachCommandPrintsItsPageIntoTheFile)
{
    QTemporaryDir dir;
    const QString statement = dir.filePath(QStringLiteral("statement.pdf"));
    const CalcRun s = Calc(QStringList{"statement", "--pdf", statement} + kFirstExample);
    ASSERT_EQ(s.status, 0) << s.err;
    EXPECT_EQ(s.err, "");
    EXPECT_NE(s.out.find("종합소득산출세액\t10,158,000"), std::string::npos); // the lines as without --pdf
    ASSERT_EQ(Pdf_Pages(statement), 1);
    const std::string page21 = Pdf_Text(Pdf_Words(statement));
    for (const char *text : {"[별지 제40호 서식(1)] (제21쪽)", "(30)종합소득산출세액", "10,158,000", "498,000"})
        EXPECT_NE(page21.find(text), std::string::npos) << text;

    const QString interest = dir.filePath(QStringLiteral("interest.pdf"));
    const CalcRun i = Calc({"interest", "--pdf=" + interest}, "13,한빛저축은행,123-81-45678,12500000,1925000\n");
    ASSERT_EQ(i.status, 0) << i.err;
    ASSERT_EQ(Pdf_Pages(interest), 1);
    const std::string page5 = Pdf_Text(Pdf_Words(interest));
    for (const char *text : {"(제5쪽)", "한빛저축은행", "12,500,000", "합계"})
        EXPECT_NE(page5.find(text), std::string::npos) << text;

    const QString dividend = dir.filePath(QStringLiteral("dividend.pdf"));
    const CalcRun d =
        Calc({"dividend", "--json", "--pdf", dividend}, "21,대한전자(주),124-81-00998,20000000,20000000,2800000\n");
    ASSERT_EQ(d.status, 0) << d.err;
    EXPECT_EQ(d.out.rfind("{\"rows\":", 0), 0u);
    const std::string page7 = Pdf_Text(Pdf_Words(dividend));
    for (const char *text : {"(제7쪽)", "대한전자(주)", "3,800,000", "23,800,000"})
        EXPECT_NE(page7.find(text), std::string::npos) << text;
}

TEST(CalcPdf, AFileThatCannotBeWrittenFailsTheRun)
{
    const CalcRun r = Calc(QStringList{"statement", "--pdf", "/nonexistent/folder/s.pdf"} + kFirstExample);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("orvanta-calc: PDF 파일 /nonexistent/folder/s.pdf을(를) 쓸 수 없습니다."), std::string::npos)
        << r.err;
    const CalcRun noName = Calc({"interest", "--pdf"});
    EXPECT_EQ(noName.status, 2);
    EXPECT_NE(noName.err.find("--pdf 다음에 파일 이름이 필요합니다."), std::string::npos) << noName.err;

}

TEST(CalcTaxpayerFile, SavedWorkIsComputedAndRegroupedFromTheFile)
{
    QTemporaryDir dir;
    const QString interest = dir.filePath("i.csv"), dividend = dir.filePath("d.csv"), work = dir.filePath("w.orvanta");
    const auto write = [](const QString &path, const char *text) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    };
    write(interest, "13,한빛저축은행,123-81-45678,12500000,1925000\n11,김민수,750101-1234567,3000000,0\n");
    write(dividend, "21,대한전자(주),124-81-00998,20000000,18000000,2800000\n");

    const CalcRun saved = Calc(QStringList{"save", work, "--interest", interest, "--dividend", dividend} + kFirstExample);
    ASSERT_EQ(saved.status, 0) << saved.err;
    EXPECT_EQ(Calc(QStringList{"statement", "--file", work}).out, Calc(Statement(kFirstExample)).out);
    // Told from a CSV by its content, also on standard input.
    EXPECT_EQ(Calc({"interest", work}).out, Calc({"interest", interest}).out);
    EXPECT_EQ(Calc({"dividend"}, Calc({"dividend", "--json", work}).out).status, 2);
    QFile file(work);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const CalcRun piped = Calc({"dividend", "-"}, file.readAll().toStdString());
    EXPECT_NE(piped.out.find("대한전자(주)\t124-81-00998\t20,000,000\t18,000,000\t3,420,000\t23,420,000"),
              std::string::npos)
        << piped.err;

    // Failing checks: status 2, the message, and no file written; a FIFO
    // in the way stays a FIFO.
    const QString fifo = dir.filePath("pipe.orvanta");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const struct {
        QStringList args;
        std::string error;
    } failures[] = {
        {{"save", dir.filePath("x.orvanta"), "", "-1", "", "", "", "", "", "", ""}, "음수가 입력되어선 않됩니다!!"},
        {{"save", dir.filePath("x.orvanta"), "1"}, "아홉 개(L1~L9)"},
        {{"save", dir.filePath("x.orvanta"), "--interest", dividend}, "d.csv: 1번째 줄: 필드가 6개입니다."},
        {{"statement", "--file", interest}, "i.csv: Orvanta 납세자 파일이 아닙니다."},
        {{"statement", "--file", work, "1"}, "함께 쓸 수 없습니다"},
        {{"save", dir.filePath("missing/x.orvanta")}, "파일을 저장할 수 없습니다: "},
        {{"save", fifo}, "pipe.orvanta: 일반 파일이 아닙니다."},
    };
    for (const auto &f : failures) {
        const CalcRun r = Calc(f.args);
        EXPECT_EQ(r.status, 2) << f.error;
        EXPECT_NE(r.err.find(f.error), std::string::npos) << r.err;
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("x.orvanta")));
    struct stat st {};
    EXPECT_TRUE(::stat(QFile::encodeName(fifo).constData(), &st) == 0 && S_ISFIFO(st.st_mode));
}

TEST(CalcStatement, HelpGoesToStandardOutput)
{
    const CalcRun r = Calc({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("사용법: orvanta-calc statement [--json]"), std::string::npos);
    const CalcRun version = Calc({"--version"});
    EXPECT_EQ(version.out, "orvanta-calc " ORVANTA_VERSION "\n");
}

} // namespace
