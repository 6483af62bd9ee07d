#include "platform/rich_text.h"

#include <QColor>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

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

// Twips to the pixels of the document's layout.
class Twips {
public:
    Twips()
    {
        const QScreen *screen = QGuiApplication::primaryScreen();
        if (screen && screen->logicalDotsPerInch() > 0)
            dpi_ = screen->logicalDotsPerInch();
    }
    qreal operator()(int twips) const { return twips * dpi_ / 1440.0; }

private:
    qreal dpi_ = 96;
};

QTextBlockFormat Block_Format(const RtfParagraph &paragraph, const Twips &px)
{
    const RtfLayout &layout = paragraph.layout;
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

void Fill_Document(QTextDocument &document, const RtfDocument &rtf)
{
    document.clear();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    Formats formats;
    const Twips px;
    bool first = true;
    for (const RtfParagraph &paragraph : rtf.paragraphs) {
        const QTextBlockFormat block = Block_Format(paragraph, px);
        if (first)
            cursor.setBlockFormat(block);
        else
            cursor.insertBlock(block, QTextCharFormat());
        first = false;
        for (const RtfRun &run : paragraph.runs) {
            // insertText would make "\n" a new block; \line breaks the line within it.
            QString text = QString::fromStdString(run.text);
            text.replace(QLatin1Char('\n'), QChar::LineSeparator);
            cursor.insertText(text, formats.For(run.style));
        }
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
