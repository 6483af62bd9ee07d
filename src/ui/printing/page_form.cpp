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

// The workspace's strip between two sheets.
constexpr int kSheetGap = 240;

} // namespace

// One sheet of the page: white, with a label per table entry and the rules
// drawn from the same table.
class PageForm::SheetView final : public QWidget {
public:
    SheetView(const PageSpec &spec, QWidget *parent) : QWidget(parent), spec_(spec)
    {
        setAutoFillBackground(true);
        Designed_Surface(this, Qt::white);
        resize(Twips_Size(spec.width, spec.height));
        labels.reserve(spec.arrays.size());
        for (const LabelArraySpec &array : spec.arrays) {
            std::vector<QLabel *> &row = labels.emplace_back();
            row.reserve(array.labels.size());
            for (const LabelSpec &label : array.labels) {
                auto *widget = new QLabel(this);
                widget->setFont(Design_Font(label.font.name, label.font.size, label.font.bold));
                widget->setAlignment(Alignment(label.align));
                widget->setAutoFillBackground(array.backStyle == 1);
                Designed_Surface(widget, Colour(array.backColor), Colour(array.foreColor));
                widget->setContentsMargins(0, 0, 0, 0);
                Show_Caption(*widget, label, QString::fromStdString(label.caption));
                row.push_back(widget);
            }
        }
    }

    void Show(const Page &page)
    {
        for (std::size_t a = 0; a < labels.size(); ++a) {
            const std::vector<std::string> &captions = page.Captions(a);
            for (std::size_t i = 0; i < labels[a].size(); ++i) {
                const QString text = QString::fromStdString(captions[i]);
                if (labels[a][i]->text() != text)
                    Show_Caption(*labels[a][i], spec_.arrays[a].labels[i], text);
            }
        }
    }

    std::vector<std::vector<QLabel *>> labels; // by array, as the table has them

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        for (const LineSpec &line : spec_.lines) {
            painter.setPen(QPen(Colour(line.colour), 1));
            painter.drawLine(Twips_To_Px(line.x1), Twips_To_Px(line.y1), Twips_To_Px(line.x2), Twips_To_Px(line.y2));
        }
    }

private:
    const PageSpec &spec_;
};

PageForm::PageForm(const PageSpec &spec, Printer &printer, Messages &messages) : messages_(messages), printer_(printer)
{
    setWindowTitle(QString::fromUtf8(spec.caption));
    setAccessibleName(windowTitle().trimmed());
    setAttribute(Qt::WA_DeleteOnClose);
    setAutoFillBackground(true);
    Designed_Surface(this, Qt::white);
    sheets_.emplace_back(spec);
    views_.push_back(new SheetView(spec, this));
    resize(Client_Size());
}

const std::vector<QLabel *> &PageForm::Labels(std::string_view arrayName, std::size_t sheet) const
{
    return views_.at(sheet)->labels.at(static_cast<std::size_t>(Contents().Spec().Array_Index(arrayName)));
}

QWidget *PageForm::Sheet_View(std::size_t sheet) const { return views_.at(sheet); }

void PageForm::Show_Captions()
{
    for (std::size_t i = 0; i < views_.size(); ++i)
        views_[i]->Show(sheets_[i]);
}

QSize PageForm::Client_Size() const
{
    const QSize sheet = Twips_Size(Contents().Spec().width, Contents().Spec().height);
    const int count = static_cast<int>(views_.size());
    return {sheet.width(), count * sheet.height() + (count - 1) * Twips_To_Px(kSheetGap)};
}

std::int16_t PageForm::Fun_인쇄() { return ::Fun_인쇄(sheets_, printer_, messages_); }

void PageForm::closeEvent(QCloseEvent *event)
{
    // Shown inside the preview, the page closes with its child frame.
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
        frame->close();
    event->accept();
}

void PageForm::Fill_From(const GridModel &grid)
{
    const PageSpec &spec = Contents().Spec();
    sheets_ = Register_Sheets(spec, grid);
    // The sheets' widgets stay for the next filling; only the count changes.
    while (views_.size() > sheets_.size()) {
        delete views_.back();
        views_.pop_back();
    }
    while (views_.size() < sheets_.size()) {
        views_.push_back(new SheetView(spec, this));
        views_.back()->show();
    }
    const int step = Twips_To_Px(spec.height) + Twips_To_Px(kSheetGap);
    for (std::size_t i = 0; i < views_.size(); ++i) {
        views_[i]->move(0, static_cast<int>(i) * step);
        const std::string number = Sheet_Number(i, views_.size());
        views_[i]->setAccessibleName(number.empty() ? QString()
                                                    : accessibleName() + ' ' + QString::fromStdString(number));
    }
    // Between continuation sheets the preview's workspace shows.
    Designed_Surface(this, views_.size() > 1 ? palette().color(QPalette::Dark) : QColor(Qt::white));
    resize(Client_Size());
    Show_Captions();
}

frm이자소득::frm이자소득(Printer &printer, Messages &messages) : PageForm(Interest_Page_Spec(), printer, messages) {}

frm배당소득::frm배당소득(Printer &printer, Messages &messages) : PageForm(Dividend_Page_Spec(), printer, messages) {}
