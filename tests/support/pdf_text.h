// What poppler's tools read from a PDF: its page count and its words with
// their boxes, in points from the page's top-left corner.
#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

struct PdfWord {
    double xMin, yMin, xMax, yMax; // points
    std::string text;
};

inline QString Run_Tool(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// 0 when pdfinfo cannot read the file.
inline int Pdf_Pages(const QString &path)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
            .match(Run_Tool(QStringLiteral("pdfinfo"), {path}));
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

// The words of every page, or of one page counted from 1.
inline std::vector<PdfWord> Pdf_Words(const QString &path, int page = 0)
{
    QStringList args = {QStringLiteral("-bbox"), path, QStringLiteral("-")};
    if (page > 0)
        args = QStringList{QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page)} +
               args;
    const QString html = Run_Tool(QStringLiteral("pdftotext"), args);
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    std::vector<PdfWord> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        QString text = m.captured(5);
        text.replace(QStringLiteral("&amp;"), QStringLiteral("&"))
            .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
            .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
            .replace(QStringLiteral("&quot;"), QStringLiteral("\""));
        words.push_back({m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                         m.captured(4).toDouble(), text.toStdString()});
    }
    return words;
}

// The words that read `text`, in page order.
inline std::vector<PdfWord> Find_Words(const std::vector<PdfWord> &words, const std::string &text)
{
    std::vector<PdfWord> found;
    for (const PdfWord &w : words)
        if (w.text == text)
            found.push_back(w);
    return found;
}

// The page's words in reading order, one blank between two.
inline std::string Pdf_Text(const std::vector<PdfWord> &words)
{
    std::string all;
    for (const PdfWord &w : words)
        all.append(all.empty() ? "" : " ").append(w.text);
    return all;
}
