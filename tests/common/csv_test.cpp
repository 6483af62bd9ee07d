#include "common/csv.h"

#include <gtest/gtest.h>

namespace {

using Fields = std::vector<std::string>;

TEST(Csv, ReadsQuotedFieldsAsSpreadsheetsWriteThem)
{
    const CsvResult r = Read_Csv("\xEF\xBB\xBF"
                                 "11,\"한빛, 은행\",\"1,000\"\r\n"
                                 "\r\n"
                                 "13,\"say \"\"hi\"\"\",\"two\nlines\",\n"
                                 "12,,\"\"");
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_EQ(r.records.size(), 3u);
    EXPECT_EQ(r.records[0].fields, (Fields{"11", "한빛, 은행", "1,000"}));
    EXPECT_EQ(r.records[0].line, 1);
    EXPECT_EQ(r.records[1].fields, (Fields{"13", "say \"hi\"", "two\nlines", ""}));
    EXPECT_EQ(r.records[1].line, 3);
    EXPECT_EQ(r.records[2].fields, (Fields{"12", "", ""}));
    EXPECT_EQ(r.records[2].line, 5); // the quoted line break counts
}

TEST(Csv, NamesTheLineOfARecordItCannotRead)
{
    struct Case {
        const char *text;
        int line;
    };
    for (const Case &c : {Case{"a,b\n\"open,c\n", 2}, Case{"a\nb\n\"x\"y\n", 3}, Case{"a\"b\n", 1}}) {
        const CsvResult r = Read_Csv(c.text);
        EXPECT_FALSE(r.ok) << c.text;
        EXPECT_EQ(r.errorLine, c.line) << c.text;
        EXPECT_FALSE(r.error.empty());
    }
    EXPECT_TRUE(Read_Csv("").records.empty());
    EXPECT_TRUE(Read_Csv("\n\r\n").records.empty());
}

} // namespace
