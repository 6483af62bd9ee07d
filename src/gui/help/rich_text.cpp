#include "gui/help/rich_text.h"

#include "gui/platform/twips.h"

#include <QColor>
#include <QFile>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

Qt::Alignment Alignment(RtfAlign align)
{
    switch (align) {
    case RtfAlign::Centre:
        return Qt::AlignHCenter;
    case RtfAlign::Right:
        return Qt::AlignRight;
    case RtfAlign::Justify:
        return Qt::AlignJustify;
    case RtfAlign::Left:
        break;
    }
    return Qt::AlignLeft;
}

QTextBlockFormat Block_Format(const RtfParagraph &paragraph)
{
    const RtfLayout &layout = paragraph.layout;
    const auto px = [](int twips) { return Twips_To_Px_Exact(twips); };
    QTextBlockFormat block;
    block.setAlignment(Alignment(paragraph.align));
    block.setLeftMargin(px(std::max(layout.left, 0)));
    block.setRightMargin(px(std::max(layout.right, 0)));
    block.setTextIndent(px(layout.first));
    block.setTopMargin(px(std::max(layout.before, 0)));
    block.setBottomMargin(px(std::max(layout.after, 0)));
    if (layout.lineMultiple && layout.line > 0)
        block.setLineHeight(layout.line * 100.0 / 240, QTextBlockFormat::ProportionalHeight);
    else if (layout.line > 0)
        block.setLineHeight(px(layout.line), QTextBlockFormat::MinimumHeight);
    else if (layout.line < 0)
        block.setLineHeight(px(-layout.line), QTextBlockFormat::FixedHeight);
    if (!layout.tabs.empty()) {
        // RTF measures tab stops from the left edge, Qt from where the line
        // starts; the first line matters, where a list item's tab follows its number.
        const int start = std::max(layout.left, 0) + layout.first;
        QList<QTextOption::Tab> tabs;
        for (int tab : layout.tabs)
            if (tab > start)
                tabs.append(QTextOption::Tab(px(tab - start), QTextOption::LeftTab));
        block.setTabPositions(tabs);
    }
    return block;
}

QTextCharFormat Char_Format(const RtfStyle &style)
{
    QTextCharFormat format;
    format.setFontWeight(style.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(style.italic);
    format.setFontUnderline(style.underline);
    if (style.size)
        format.setFontPointSize(*style.size);
    if (style.colour)
        format.setForeground(QColor::fromRgb(static_cast<QRgb>(*style.colour)));
    if (!style.font.empty())
        format.setFontFamilies({QString::fromStdString(style.font)});
    return format;
}

// Documents use a handful of styles, so a short list beats building a format per run.
class Formats {
public:
    const QTextCharFormat &For(const RtfStyle &style)
    {
        for (const auto &[known, format] : formats_)
            if (known == style)
                return format;
        return formats_.emplace_back(style, Char_Format(style)).second;
    }

private:
    std::vector<std::pair<RtfStyle, QTextCharFormat>> formats_;
};

} // namespace

namespace {

void Insert_Runs(QTextCursor &cursor, const RtfParagraph &paragraph, Formats &formats)
{
    for (const RtfRun &run : paragraph.runs) {
        // insertText would make "\n" a new block; \line breaks the line within it.
        QString text = QString::fromStdString(run.text);
        text.replace(QLatin1Char('\n'), QChar::LineSeparator);
        cursor.insertText(text, formats.For(run.style));
    }
}

// The columns' share of the table's width, from the first row's cell edges;
// equal shares where the row defines none or fewer.
QList<QTextLength> Column_Widths(const RtfDocument &rtf, int firstRow, int columns)
{
    std::vector<int> edges;
    if (firstRow >= 0 && firstRow < static_cast<int>(rtf.rows.size()))
        edges = rtf.rows[static_cast<std::size_t>(firstRow)].cellRights;
    QList<QTextLength> widths;
    const bool defined = static_cast<int>(edges.size()) >= columns && columns > 0 && edges[columns - 1] > 0;
    for (int c = 0; c < columns; ++c) {
        const double share =
            defined ? (edges[c] - (c > 0 ? edges[c - 1] : 0)) * 100.0 / edges[columns - 1] : 100.0 / columns;
        widths.append(QTextLength(QTextLength::PercentageLength, std::max(share, 1.0)));
    }
    return widths;
}

// The paragraphs [begin, end) of one table, put after the cursor's block;
// the cursor ends at the empty block after the table.
void Insert_Table(QTextCursor &cursor, const RtfDocument &rtf, std::size_t begin, std::size_t end, Formats &formats)
{
    std::vector<int> rowIds;
    int columns = 1;
    for (std::size_t p = begin; p < end; ++p) {
        const RtfParagraph &paragraph = rtf.paragraphs[p];
        if (rowIds.empty() || rowIds.back() != paragraph.row)
            rowIds.push_back(paragraph.row);
        columns = std::max(columns, paragraph.column + 1);
    }
    QTextTableFormat format;
    format.setBorder(1);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    format.setCellPadding(3);
    format.setCellSpacing(0);
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    format.setColumnWidthConstraints(Column_Widths(rtf, rowIds.front(), columns));
    QTextTable *table = cursor.insertTable(static_cast<int>(rowIds.size()), columns, format);

    std::size_t row = 0;
    int lastCell = -1;
    for (std::size_t p = begin; p < end; ++p) {
        const RtfParagraph &paragraph = rtf.paragraphs[p];
        if (paragraph.row != rowIds[row]) {
            ++row;
            lastCell = -1;
        }
        QTextCursor cell = table->cellAt(static_cast<int>(row), paragraph.column).lastCursorPosition();
        const QTextBlockFormat block = Block_Format(paragraph);
        // A cell's further paragraphs follow its first.
        if (paragraph.column == lastCell)
            cell.insertBlock(block, QTextCharFormat());
        else
            cell.setBlockFormat(block);
        lastCell = paragraph.column;
        Insert_Runs(cell, paragraph, formats);
    }
    cursor.movePosition(QTextCursor::End);
}

} // namespace

void Fill_Document(QTextDocument &document, const RtfDocument &rtf)
{
    document.clear();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    Formats formats;
    bool atEmptyBlock = true; // the document's first block, or the one after a table
    const std::size_t count = rtf.paragraphs.size();
    for (std::size_t p = 0; p < count;) {
        const RtfParagraph &paragraph = rtf.paragraphs[p];
        if (paragraph.row >= 0) {
            std::size_t end = p + 1;
            while (end < count && rtf.paragraphs[end].row >= 0)
                ++end;
            // The table follows the cursor's block.
            Insert_Table(cursor, rtf, p, end, formats);
            atEmptyBlock = true;
            p = end;
            continue;
        }
        const QTextBlockFormat block = Block_Format(paragraph);
        if (atEmptyBlock)
            cursor.setBlockFormat(block);
        else
            cursor.insertBlock(block, QTextCharFormat());
        atEmptyBlock = false;
        Insert_Runs(cursor, paragraph, formats);
        ++p;
    }
    cursor.endEditBlock();
}

std::optional<RtfDocument> Read_Rtf_File(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return Read_Rtf(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}
