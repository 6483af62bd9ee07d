#include "ui/shell/help_line.h"

#include "gui/platform/twips.h"

#include <QLineEdit>
#include <QPainter>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextFrame>

namespace {

// The inner margin of the program's other text boxes, in pixels: the text
// clears the frame's top edge and stands off its left one.
constexpr int kInnerTop = 1;
constexpr int kInnerSide = 2;

// Setting a text makes the document's frame afresh, without the margin.
void Inner_Margin(QTextDocument *document)
{
    QTextFrameFormat inner = document->rootFrame()->frameFormat();
    inner.setTopMargin(kInnerTop);
    inner.setLeftMargin(kInnerSide);
    inner.setRightMargin(kInnerSide);
    document->rootFrame()->setFrameFormat(inner);
}

void Tool_Tip_Colours(QWidget *w)
{
    QPalette palette = w->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));
    palette.setColor(QPalette::Text, palette.color(QPalette::ToolTipText));
    w->setPalette(palette);
}

// txtLblHelp: a locked text box 49 pixels wide, too narrow for the style's
// frame and margins; a thin line of the style's own colour frames it instead.
class LabelBox final : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QLineEdit::paintEvent(event);
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

} // namespace

QLineEdit *Make_Help_Label(QWidget *parent, const QFont &windowFont)
{
    auto *label = new LabelBox(QString::fromUtf8("도움말"), parent);
    label->setGeometry(Twips_Rect(120, 7050, 735, 255));
    label->setReadOnly(true);
    label->setFocusPolicy(Qt::NoFocus);
    QFont bold = windowFont;
    bold.setBold(true);
    label->setFont(bold);
    label->setAlignment(Qt::AlignCenter);
    label->setFrame(false);
    label->setAutoFillBackground(true);
    Tool_Tip_Colours(label);
    return label;
}

QTextEdit *Make_Help_Line(QWidget *parent)
{
    auto *line = new QTextEdit(parent);
    line->setGeometry(Twips_Rect(960, 6960, 8415, 430));
    line->setReadOnly(true);
    line->setFocusPolicy(Qt::NoFocus);
    line->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    line->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    line->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    line->setLineWidth(1);
    line->document()->setDocumentMargin(0);
    line->setAccessibleName(QString::fromUtf8("도움말 줄"));
    Tool_Tip_Colours(line);
    return line;
}

void Show_Help_Text(QTextEdit *line, const QString &text)
{
    line->setPlainText(text);
    Inner_Margin(line->document());
    // The font's own line spacing (15 pixels for 굴림 9.75 here) would cut
    // the second line of the longest help text; its pixel size keeps both.
    QTextBlockFormat lines;
    lines.setLineHeight(QFontInfo(line->font()).pixelSize(), QTextBlockFormat::FixedHeight);
    QTextCursor all(line->document());
    all.select(QTextCursor::Document);
    all.mergeBlockFormat(lines);
}
