// Reading RTF: text in its code pages, formatting runs and paragraphs, and
// damaged or hostile input read without harm.
#include "core/help/rtf_reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

namespace {

std::string Text(std::string_view rtf)
{
    const std::optional<RtfDocument> document = Read_Rtf(rtf);
    return document ? document->Plain_Text() : "<not RTF>";
}

RtfDocument Document(std::string_view rtf)
{
    std::optional<RtfDocument> document = Read_Rtf(rtf);
    EXPECT_TRUE(document.has_value());
    return document.value_or(RtfDocument{});
}

TEST(RtfReader, ReadsOnlyRtf)
{
    EXPECT_EQ(Read_Rtf(""), std::nullopt);
    EXPECT_EQ(Read_Rtf("plain text"), std::nullopt);
    EXPECT_EQ(Read_Rtf("{\\rt"), std::nullopt);
    EXPECT_EQ(Text("\xEF\xBB\xBF \r\n{\\rtf1 a}"), "a");
    EXPECT_EQ(Text("{\\rtf1}"), "");
}

TEST(RtfReader, DecodesBytesInTheFontsOrTheDocumentsCodePage)
{
    // 한글 in CP949 under a Korean font, then under the document's code page.
    EXPECT_EQ(Text(R"({\rtf1\ansi\deff0{\fonttbl{\f0\fcharset129 Gulim;}}\f0 \'c7\'d1\'b1\'db})"), "한글");
    EXPECT_EQ(Text(R"({\rtf1\ansi\ansicpg949 \'c7\'d1\'b1\'db})"), "한글");
    // A Western font in a Korean document; the Korean font's name is itself CP949.
    const RtfDocument mixed = Document(R"({\rtf1\ansi\ansicpg949{\fonttbl{\f0\fcharset0 Arial;}
{\f1\fnil\fcharset129 \'b1\'bc\'b8\'b2;}{\f2\fcharset0\cpg949 Cpg;}}\f0 caf\'e9 \f1\'c7\'d1\f2\'b1\'db})");
    ASSERT_EQ(mixed.paragraphs.size(), 1u);
    const std::vector<RtfRun> &runs = mixed.paragraphs[0].runs;
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].text, "café ");
    EXPECT_EQ(runs[0].style.font, "Arial");
    EXPECT_EQ(runs[1].text, "한");
    EXPECT_EQ(runs[1].style.font, "굴림");
    EXPECT_EQ(runs[2].text, "글"); // \cpg outranks \fcharset

    EXPECT_EQ(Text(R"({\rtf1\ansi caf\'e9 \'80})"), "café €");
    EXPECT_EQ(Text(R"({\rtf1{\fonttbl{\f0\fcharset128 M;}}\f0\'82\'a0})"), "あ");
    // A lone lead byte, and bytes the code page does not define.
    EXPECT_EQ(Text(R"({\rtf1\ansicpg949 \'c7 a\'ff})"), "\uFFFD a\uFFFD");
    // Escapes cut off by the end of the file.
    EXPECT_EQ(Text(R"({\rtf1\ansicpg949 \'c7\'d1)"), "한");
    EXPECT_EQ(Text(R"({\rtf1 a\'c)"), "a");
    EXPECT_EQ(Text(R"({\rtf1 a\')"), "a");
}

TEST(RtfReader, UnicodeEscapesDropTheirFallback)
{
    EXPECT_EQ(Text(R"({\rtf1\ansi\ansicpg949\uc2 \u54620\'c7\'d1\u44544\'b1\'db})"), "한글");
    EXPECT_EQ(Text(R"({\rtf1\u54620?\u44544?})"), "한글");
    EXPECT_EQ(Text(R"({\rtf1\uc0\u54620\u44544 x})"), "한글x");
    EXPECT_EQ(Text(R"({\rtf1\u-10179?\u-8704?})"), "😀"); // U+1F600 as a negative surrogate pair
    EXPECT_EQ(Text(R"({\rtf1\u-10179?x})"), "\uFFFDx");
    EXPECT_EQ(Text(R"({\rtf1\u8212\emdash x})"), "—x"); // a control word is one character
    // \uc belongs to its group, and a group's end ends the fallback.
    EXPECT_EQ(Text(R"({\rtf1{\uc2\u54620 ab}\u54620 ab})"), "한한b");
    EXPECT_EQ(Text(R"({\rtf1\uc5\u54620{\b x}})"), "한x");
}

TEST(RtfReader, DestinationsShowNoText)
{
    EXPECT_EQ(Text(R"({\rtf1{\fonttbl{\f0\fswiss Arial;}}{\colortbl;\red255\green0\blue0;}
{\stylesheet{\s0 Normal;}}{\info{\title T}{\author A}}{\*\generator Riched20;}{\*\foo {\bar text}}
{\field{\*\fldinst HYPERLINK "x"}{\fldrslt link}}{\pict\wmetafile8 0102}{\header H}body})"),
              "linkbody");
    EXPECT_EQ(Text(R"({\rtf1{\unknown kept}})"), "kept");
    EXPECT_EQ(Text("{\\rtf1 a\\bin3 {}}b}"), "ab");
}

TEST(RtfReader, SymbolsAndBreaks)
{
    EXPECT_EQ(Text(R"({\rtf1 a\\b\{c\}d\~e\-f\_g})"), "a\\b{c}d\u00A0ef\u2011g");
    EXPECT_EQ(Text(R"({\rtf1\lquote a\rquote \ldblquote b\rdblquote \bullet\endash\emdash})"),
              "‘a’“b”•–—");                           // the space after a word ends it
    EXPECT_EQ(Text("{\\rtf1 a\r\nb\\\nc}"), "ab\nc"); // a backslash before a line end is \par
    EXPECT_EQ(Text(R"({\rtf1 one\line two\tab three\par four\par\par})"), "one\ntwo\tthree\nfour\n");
    EXPECT_EQ(Text(R"({\rtf1 a\cell b\cell\row c})"), "a\tb\nc");
    EXPECT_EQ(Text(std::string("{\\rtf1 a\0b}", 11)), "ab");
}

TEST(RtfReader, CharacterFormattingMakesRuns)
{
    const RtfDocument doc =
        Document(R"({\rtf1{\fonttbl{\f0 Arial;}}{\colortbl;\red255\green0\blue0;\red0\green0\blue255;}
\f0\fs20 a\b b\b0\i c\i0\ul d\ulnone\cf1 e{\cf2 f}g\cf0 h})");
    ASSERT_EQ(doc.paragraphs.size(), 1u);
    RtfStyle base;
    base.size = 10;
    base.font = "Arial";
    RtfStyle bold = base, italic = base, underline = base, red = base, blue = base;
    bold.bold = true;
    italic.italic = true;
    underline.underline = true;
    red.colour = 0xFF0000;
    blue.colour = 0x0000FF;
    EXPECT_EQ(doc.paragraphs[0].runs, (std::vector<RtfRun>{{"a", base},
                                                           {"b", bold},
                                                           {"c", italic},
                                                           {"d", underline},
                                                           {"e", red},
                                                           {"f", blue},
                                                           {"g", red},
                                                           {"h", base}}));
}

TEST(RtfReader, GroupsPlainAndPardRestoreFormatting)
{
    RtfStyle bold;
    bold.bold = true;
    RtfStyle boldItalic = bold;
    boldItalic.italic = true;
    EXPECT_EQ(Document(R"({\rtf1 a{\b b{\i c}d}e})").paragraphs[0].runs,
              (std::vector<RtfRun>{{"a", {}}, {"b", bold}, {"c", boldItalic}, {"d", bold}, {"e", {}}}));
    // Equal styles on either side of a group make one run.
    EXPECT_EQ(Document(R"({\rtf1 a{\b0 b}c})").paragraphs[0].runs, (std::vector<RtfRun>{{"abc", {}}}));
    EXPECT_EQ(Document(R"({\rtf1\b\i\ul\fs30 a\plain b})").paragraphs[0].runs.back(), (RtfRun{"b", {}}));
    // Text without \f is in the default font.
    EXPECT_EQ(Document(R"({\rtf1\deff1{\fonttbl{\f1 Dotum;}}\b x\plain y})").paragraphs[0].runs.back().style.font,
              "Dotum");

    const RtfDocument doc =
        Document(R"({\rtf1\pard\qc Title\par\pard Body\par\qr R\par\qj J\par{\qc G\par}\pard\qr L})");
    std::vector<RtfAlign> aligns;
    for (const RtfParagraph &paragraph : doc.paragraphs)
        aligns.push_back(paragraph.align);
    EXPECT_EQ(aligns, (std::vector{RtfAlign::Centre, RtfAlign::Left, RtfAlign::Right, RtfAlign::Justify,
                                   RtfAlign::Centre, RtfAlign::Right}));
    EXPECT_EQ(doc.Plain_Text(), "Title\nBody\nR\nJ\nG\nL");
}

TEST(RtfReader, ParagraphsKeepTheirIndentsSpacingAndTabStops)
{
    // A bulleted item as a word processor writes it: the bullet in a list
    // text group that starts afresh with \plain, a hanging indent, a tab stop.
    const RtfDocument doc =
        Document(R"({\rtf1\pard\plain\fs20\sl276\slmult1\sb120\sa60 Intro\par)"
                 R"(\pard\plain\fs20{\listtext\pard\plain \u8226\'95\tab}\li709\ri0\fi-283\tx709 Item\par)"
                 R"(\pard Plain})");
    ASSERT_EQ(doc.paragraphs.size(), 3u);
    RtfLayout intro;
    intro.before = 120;
    intro.after = 60;
    intro.line = 276;
    intro.lineMultiple = true;
    EXPECT_EQ(doc.paragraphs[0].layout, intro);
    RtfLayout item;
    item.left = 709;
    item.first = -283;
    item.tabs = {709};
    EXPECT_EQ(doc.paragraphs[1].layout, item);
    EXPECT_EQ(doc.paragraphs[2].layout, RtfLayout{});
    // The bullet keeps the item's size, 10 pt.
    ASSERT_EQ(doc.paragraphs[1].runs.size(), 1u);
    EXPECT_EQ(doc.paragraphs[1].runs[0].text, "\u2022\tItem");
    EXPECT_EQ(doc.paragraphs[1].runs[0].style.size, 10.0);
}

// The documents the program ships, as the word processor saved them.
TEST(RtfReader, TableCellsKnowTheirRowAndColumn)
{
    const RtfDocument doc =
        Document(R"({\rtf1 x\par\trowd\cellx1000\cellx2500\pard\intbl a\cell\pard\intbl b1\par)"
                 R"(\pard\intbl b2\cell\row\trowd\cellx900\pard\intbl c\cell\row\pard y\par\intbl d\cell})");
    std::vector<std::pair<int, int>> cells;
    for (const RtfParagraph &paragraph : doc.paragraphs)
        cells.emplace_back(paragraph.row, paragraph.column);
    EXPECT_EQ(cells, (std::vector<std::pair<int, int>>{{-1, 0}, {0, 0}, {0, 1}, {0, 1}, {1, 0}, {-1, 0}, {2, 0}}));
    ASSERT_EQ(doc.rows.size(), 3u); // the last row, cut off, is defined by the definition before it
    EXPECT_EQ(doc.rows[0].cellRights, (std::vector<int>{1000, 2500}));
    EXPECT_EQ(doc.rows[1].cellRights, std::vector<int>{900});
    EXPECT_EQ(doc.rows[2].cellRights, std::vector<int>{900});
    EXPECT_EQ(doc.Plain_Text(), "x\na\tb1\nb2\nc\ny\nd");
}

TEST(RtfReader, ReadsTheShippedHelpDocuments)
{
    const std::pair<const char *, const char *> documents[] = {
        {"help_0.rtf", "2005 Orvanta"}, {"help_1.rtf", "세액계산"},     {"help_2.rtf", "이자소득명세"},
        {"help_3.rtf", "배당가산액"},   {"계산서작성요령.rtf", "(38)"}, {"프로그램사용법.rtf", "닫기"},
    };
    for (const auto &[name, phrase] : documents) {
        std::ifstream file(std::string(ORVANTA_HELP_DIR) + "/" + name, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        ASSERT_FALSE(bytes.empty()) << name;
        // Korean both as \uN and as its fallback bytes in code page 949.
        EXPECT_NE(bytes.find("\\uc2"), std::string::npos) << name;
        EXPECT_NE(bytes.find("\\fcharset129"), std::string::npos) << name;
        const std::string text = Text(bytes);
        EXPECT_GT(text.size(), 2000u) << name;
        EXPECT_NE(text.find(phrase), std::string::npos) << name;
        EXPECT_EQ(text.find("\xEF\xBF\xBD"), std::string::npos) << name; // no undecodable byte
        EXPECT_EQ(text.find('\\'), std::string::npos) << name;           // no control word as text
    }
}

TEST(RtfReader, DamagedAndHostileInputReadsWithoutHarm)
{
    EXPECT_EQ(Text(R"({\rtf1 a}}b})"), "a"); // the document ends with its own group
    EXPECT_EQ(Text(R"({\rtf1 a{\b b)"), "ab");

    const std::string sample = R"({\rtf1\ansi\ansicpg949{\fonttbl{\f0\fcharset129 \'b1\'bc;}}{\colortbl;\red9;}
{\*\x{\y z}}\f0\fs-20\cf1\b \'c7\'d1\uc2\u54620\'c7\'d1 a\~\par\qc\u-10179?\u-8704?\bin2 xy\tab}})";
    for (std::size_t n = 0; n <= sample.size(); ++n)
        Read_Rtf(sample.substr(0, n));

    // Deep nesting is read flat below some depth, and its ends still balance.
    const std::string deep = "{\\rtf1 " + std::string(100000, '{') + "\\b x" + std::string(100000, '}') + " y}";
    EXPECT_EQ(Text(deep), "x y");
    EXPECT_EQ(Text("{\\rtf1 " + std::string(100000, '{')), "");

    const RtfDocument huge = Document(R"({\rtf1\fs99999999999999999999 a\cf-99999999999\f99999999999
\ansicpg-2147483649\deff-99999999999\uc99999999999999\u99999999999 b\bin99999999999})");
    ASSERT_FALSE(huge.paragraphs.empty() || huge.paragraphs[0].runs.empty());
    EXPECT_EQ(huge.paragraphs[0].runs[0].style.size, 1638);

    // Random input, part RTF syntax and part arbitrary bytes.
    std::mt19937 random(20050101);
    const std::string_view alphabet = "{}\\\\'*;- 0123456789abcfiulpqrdtsn\r\n";
    for (int i = 0; i < 3000; ++i) {
        std::string input = "{\\rtf1";
        const int length = static_cast<int>(random() % 200);
        for (int k = 0; k < length; ++k)
            input += random() % 4 == 0 ? static_cast<char>(random() % 256) : alphabet[random() % alphabet.size()];
        if (const std::optional<RtfDocument> document = Read_Rtf(input))
            document->Plain_Text();
    }
}

} // namespace
