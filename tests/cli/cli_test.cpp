// orvanta-calc run as a process, as a script would run it.
#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

struct CalcRun {
    int status;
    std::string out, err;
};

CalcRun Calc(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(ORVANTA_CALC), args);
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
    EXPECT_EQ(r.out.rfind("{\"section\": 2, \"tax\": \"6,100,001\", \"lines\": {\"(1)\": \"1,000,002\", ", 0), 0u)
        << r.out;
    EXPECT_NE(r.out.find("\"(21)\": \"250,001\""), std::string::npos);
    EXPECT_NE(r.out.find("\"(27)\": \"0 %\""), std::string::npos);
    EXPECT_NE(r.out.find("\"(38)\": \"\", \"④\": \"0\"}}\n"), std::string::npos);

    const CalcRun three =
        Calc(Statement({"", "5,000,000", "", "", "", "1,000,000", "", "30,000,000", "5,000,000"}, true));
    EXPECT_EQ(three.out.rfind("{\"section\": 3, \"tax\": \"4,500,000\"", 0), 0u) << three.out;
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
        {Statement({"1.7e308", "1.7e308", "", "", "", "", "", "", ""}), "금액이 너무 큽니다."},
        {Statement({"", "", ""}), "usage: orvanta-calc statement"},
        {Statement({"", "", "", "", "", "", "", "", "", ""}), "usage: orvanta-calc statement"},
        {{"statement", "--xml", "", "", "", "", "", "", "", "", ""}, "unknown option --xml"},
        {{"frobnicate"}, "unknown command frobnicate"},
        {{}, "usage:"},
    };
    for (const Case &c : cases) {
        const CalcRun r = Calc(c.args);
        EXPECT_EQ(r.status, 2) << c.args.join(' ').toStdString();
        EXPECT_EQ(r.out, "") << c.args.join(' ').toStdString();
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
}

TEST(CalcStatement, HelpGoesToStandardOutput)
{
    const CalcRun r = Calc({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("usage: orvanta-calc statement [--json]"), std::string::npos);
}

} // namespace
