#include "ui/printing/page_form.h"

#include "ui/platform/designed_colours.h"
#include "gui/platform/fonts.h"
#include "core/common/messages.h"
#include "gui/platform/twips.h"
#include "core/printing/page_data.h"
#include "core/printing/print_page.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPainter>

namespace {

QColor Colour(Rgb rgb) { return QColor::fromRgb(static_cast<QRgb>(rgb)); }

Qt::Alignment Alignment(LabelAlign align)
{
    switch (align) {
    case LabelAlign::Centre:
        return Qt::AlignHCenter | Qt::AlignTop;
    case LabelAlign::Right:
        return Qt::AlignRight | Qt::AlignTop;
    default:
        return Qt::AlignLeft | Qt::AlignTop;
    }
}

// The label's designed rectangle, widened about its alignment when the
// caption is wider: the Korean fonts here run wider than the designed ones,
// and a few cells (the dividend codes below row 1) are narrower than their
// text. Printing places text by the left edge alone, so paper is unaffected.
QRect Label_Rect(const LabelSpec &spec, const QLabel &label)
{
    QRect rect = Twips_Rect(spec.left, spec.top, spec.width, spec.height);
    const int needed = label.fontMetrics().horizontalAdvance(label.text());
    if (needed > rect.width()) {
        const int extra = needed - rect.width();
        switch (spec.align) {
        case LabelAlign::Centre:
            rect.adjust(-extra / 2, 0, extra - extra / 2, 0);
            break;
        case LabelAlign::Right:
            rect.adjust(-extra, 0, 0, 0);
            break;
        default:
            rect.adjust(0, 0, extra, 0);
            break;
        }
    }
    rect.setHeight(std::max(rect.height(), label.fontMetrics().height()));
    return rect;
}

// The caption, and the label's place for it.
void Show_Caption(QLabel &label, const LabelSpec &spec, const QString &text)
{
    label.setText(text);
    label.setGeometry(Label_Rect(spec, label));
}

} // namespace

PageForm::PageForm(const PageSpec &spec, Printer &printer, Messages &messages)
    : messages_(messages), page_(spec), printer_(printer)
{
    setWindowTitle(QString::fromUtf8(spec.caption));
    setAccessibleName(windowTitle().trimmed());
    setAttribute(Qt::WA_DeleteOnClose);
    setAutoFillBackground(true);
    Designed_Surface(this, Qt::white);
    resize(Client_Size());

    labels_.reserve(spec.arrays.size());
    for (const LabelArraySpec &array : spec.arrays) {
        std::vector<QLabel *> &labels = labels_.emplace_back();
        labels.reserve(array.labels.size());
        for (const LabelSpec &label : array.labels) {
            auto *widget = new QLabel(this);
            widget->setFont(Design_Font(label.font.name, label.font.size, label.font.bold));
            widget->setAlignment(Alignment(label.align));
            widget->setAutoFillBackground(array.backStyle == 1);
            Designed_Surface(widget, Colour(array.backColor), Colour(array.foreColor));
            widget->setContentsMargins(0, 0, 0, 0);
            Show_Caption(*widget, label, QString::fromStdString(label.caption));
            labels.push_back(widget);
        }
    }
}

const std::vector<QLabel *> &PageForm::Labels(std::string_view arrayName) const
{
    return labels_.at(static_cast<std::size_t>(page_.Spec().Array_Index(arrayName)));
}

void PageForm::Show_Captions()
{
    const PageSpec &spec = page_.Spec();
    for (std::size_t a = 0; a < labels_.size(); ++a) {
        const std::vector<std::string> &captions = page_.Captions(a);
        for (std::size_t i = 0; i < labels_[a].size(); ++i) {
            const QString text = QString::fromStdString(captions[i]);
            if (labels_[a][i]->text() != text)
                Show_Caption(*labels_[a][i], spec.arrays[a].labels[i], text);
        }
    }
}

QSize PageForm::Client_Size() const { return Twips_Size(page_.Spec().width, page_.Spec().height); }

std::int16_t PageForm::Fun_인쇄() { return ::Fun_인쇄(page_, printer_, messages_); }

void PageForm::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    for (const LineSpec &line : page_.Spec().lines) {
        painter.setPen(QPen(Colour(line.colour), 1));
        painter.drawLine(Twips_To_Px(line.x1), Twips_To_Px(line.y1), Twips_To_Px(line.x2), Twips_To_Px(line.y2));
    }
}

void PageForm::closeEvent(QCloseEvent *event)
{
    // Shown inside the preview, the page closes with its child frame.
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
        frame->close();
    event->accept();
}

void PageForm::Fill_From(const GridModel &grid)
{
    const std::optional<std::string> failure = Set_Data(page_, grid);
    Show_Captions();
    if (failure)
        messages_.Plain(*failure);
}

frm이자소득::frm이자소득(Printer &printer, Messages &messages) : PageForm(Interest_Page_Spec(), printer, messages) {}

frm배당소득::frm배당소득(Printer &printer, Messages &messages) : PageForm(Dividend_Page_Spec(), printer, messages) {}
