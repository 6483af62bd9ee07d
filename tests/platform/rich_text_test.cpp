// RTF documents in Qt: blocks and character formats, and files read or refused.
#include "gui/help/rich_text.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <gtest/gtest.h>

namespace {

// The character format at the start of the block's n-th fragment.
QTextCharFormat Fragment_Format(const QTextBlock &block, int n)
{
    QTextBlock::iterator it = block.begin();
    for (int i = 0; i < n && !it.atEnd(); ++i)
        ++it;
    return it.atEnd() ? QTextCharFormat() : it.fragment().charFormat();
}

TEST(RichText, FillsBlocksWithAlignmentAndFormats)
{
    const std::optional<RtfDocument> rtf = Read_Rtf(R"({\rtf1{\fonttbl{\f0 Dotum;}}{\colortbl;\red255\green0\blue0;}
\qc\b\fs28 Title\par\pard\plain one\line {\f0\i\cf1 two}\par})");
    ASSERT_TRUE(rtf);
    QTextDocument document;
    const QFont defaultFont("Gulim", 9);
    document.setDefaultFont(defaultFont);
    document.setPlainText("old\ntext\nhere");
    Fill_Document(document, *rtf);

    ASSERT_EQ(document.blockCount(), 2);
    const QTextBlock title = document.firstBlock();
    EXPECT_EQ(title.text(), "Title");
    EXPECT_EQ(title.blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_EQ(Fragment_Format(title, 0).fontWeight(), QFont::Bold);
    EXPECT_EQ(Fragment_Format(title, 0).fontPointSize(), 14);

    const QTextBlock body = title.next();
    EXPECT_EQ(body.text(), QString("one") + QChar::LineSeparator + "two"); // \line stays within the paragraph
    EXPECT_EQ(body.blockFormat().alignment(), Qt::AlignLeft);
    // Unformatted text keeps the document's font.
    const QTextCharFormat plain = Fragment_Format(body, 0);
    EXPECT_FALSE(plain.hasProperty(QTextFormat::FontPointSize));
    EXPECT_FALSE(plain.hasProperty(QTextFormat::FontFamilies));
    EXPECT_EQ(document.defaultFont(), defaultFont);
    const QTextCharFormat word = Fragment_Format(body, 1);
    EXPECT_EQ(word.fontFamilies().toStringList(), QStringList{"Dotum"});
    EXPECT_TRUE(word.fontItalic());
    EXPECT_EQ(word.foreground().color(), QColor(255, 0, 0));
}

TEST(RichText, TablesBecomeTablesWithTheirColumnsShares)
{
    // Two rows of two cells, the second cell twice as wide, one cell of two
    // paragraphs; text before and after the table.
    const std::optional<RtfDocument> rtf = Read_Rtf(
        R"({\rtf1 before\par\trowd\cellx1000\cellx3000\pard\intbl\qc\b A\cell\pard\intbl\qc B\cell\row)"
        R"(\trowd\cellx1000\cellx3000\pard\intbl one\par\pard\intbl two\cell\pard\intbl three\cell\row\pard after})");
    ASSERT_TRUE(rtf);
    QTextDocument document;
    Fill_Document(document, *rtf);

    EXPECT_EQ(document.firstBlock().text(), "before");
    EXPECT_EQ(document.lastBlock().text(), "after");
    QTextCursor cursor(document.firstBlock().next());
    QTextTable *table = cursor.currentTable();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rows(), 2);
    EXPECT_EQ(table->columns(), 2);
    const auto text = [&](int r, int c) {
        QTextCursor from = table->cellAt(r, c).firstCursorPosition();
        from.setPosition(table->cellAt(r, c).lastCursorPosition().position(), QTextCursor::KeepAnchor);
        return from.selectedText();
    };
    EXPECT_EQ(text(0, 0), "A");
    EXPECT_EQ(text(0, 1), "B");
    EXPECT_EQ(text(1, 0), QString("one") + QChar::ParagraphSeparator + "two");
    EXPECT_EQ(text(1, 1), "three");
    EXPECT_EQ(table->cellAt(0, 1).firstCursorPosition().blockFormat().alignment(), Qt::AlignHCenter);
    const QList<QTextLength> widths = table->format().columnWidthConstraints();
    ASSERT_EQ(widths.size(), 2);
    EXPECT_NEAR(widths[0].rawValue(), 100.0 / 3, 0.01);
    EXPECT_NEAR(widths[1].rawValue(), 200.0 / 3, 0.01);
}

TEST(RichText, ReadsRtfFilesOnly)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto write = [&](const QString &name, const QByteArray &bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    const std::optional<RtfDocument> rtf = Read_Rtf_File(write("도움말.rtf", R"({\rtf1\ansicpg949 \'c7\'d1})"));
    ASSERT_TRUE(rtf);
    EXPECT_EQ(rtf->Plain_Text(), "한");
    EXPECT_EQ(Read_Rtf_File(write("text.rtf", "plain text")), std::nullopt);
    EXPECT_EQ(Read_Rtf_File(dir.filePath("missing.rtf")), std::nullopt);
}

} // namespace
