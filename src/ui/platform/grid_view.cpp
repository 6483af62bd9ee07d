#include "ui/platform/grid_view.h"

#include "gui/platform/twips.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace {

Qt::Alignment Alignment(CellAlign align)
{
    switch (align) {
    case CellAlign::Centre:
        return Qt::AlignCenter;
    case CellAlign::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case CellAlign::General:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

QTableWidgetItem *Item_At(QTableWidget &table, int row, int col)
{
    QTableWidgetItem *item = table.item(row, col);
    if (!item) {
        item = new QTableWidgetItem;
        table.setItem(row, col, item);
    }
    return item;
}

// Every view of the grid alike: no headers of Qt's own, fixed sizes, no
// editing, rows picked whole, scrolled by pixels so that a row can stand
// just below the fixed row.
void Set_Up(QTableView &view)
{
    view.horizontalHeader()->hide();
    view.verticalHeader()->hide();
    for (QHeaderView *header : {view.horizontalHeader(), view.verticalHeader()}) {
        header->setMinimumSectionSize(1);
        header->setSectionResizeMode(QHeaderView::Fixed);
    }
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.setSelectionMode(QAbstractItemView::SingleSelection);
    view.setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view.setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    // A cell too narrow for its text shows where it is cut; its tool tip
    // has the whole text.
    view.setTextElideMode(Qt::ElideRight);
    // Only the header row wraps (the delegate's business): a data row has
    // room for one line.
    view.setWordWrap(false);
    view.setFocusPolicy(Qt::NoFocus); // a display: the entry fields keep the focus
    view.setCornerButtonEnabled(false);
}

// A view of the fixed row, column or corner: it scrolls only as the table
// makes it, never by itself to a cell it shows (the current one, say).
class FixedView final : public QTableView {
public:
    using QTableView::QTableView;
    void scrollTo(const QModelIndex &, ScrollHint) override {}
};

} // namespace

// The header row wraps at blanks first, and inside a word only where a
// word is wider than its column (a narrow column of Korean text), aligned
// as its column.
class HeaderDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool wrapHeader = false;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        if (index.row() != 0 || !wrapHeader || !option.widget) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem plain = option;
        initStyleOption(&plain, index);
        const QString text = plain.text;
        plain.text.clear();
        option.widget->style()->drawControl(QStyle::CE_ItemViewItem, &plain, painter, option.widget);

        QTextOption wrap(plain.displayAlignment);
        wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        painter->save();
        painter->setFont(plain.font);
        painter->setPen(plain.palette.color(QPalette::Text));
        if (const QVariant fore = index.data(Qt::ForegroundRole); fore.canConvert<QBrush>())
            painter->setPen(fore.value<QBrush>().color());
        painter->drawText(QRectF(option.rect.adjusted(1, 1, -1, -1)), text, wrap);
        painter->restore();
    }
};

GridView::GridView(QWidget *parent) : QTableWidget(parent)
{
    Set_Up(*this);
    delegate_ = new HeaderDelegate(this);
    setItemDelegate(delegate_);
    connect(this, &QTableWidget::cellClicked, this, [this](int row, int) {
        if (onClick)
            onClick(row);
    });

}

void GridView::Make_Fixed_Views()
{
    for (QTableView *&view : fixed_)
        view = Fixed_View();
    // The fixed row scrolls sideways with the table, the fixed column up and
    // down; the corner never moves.
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, fixed_[kFixedRow]->horizontalScrollBar(),
            &QScrollBar::setValue);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, fixed_[kFixedColumn]->verticalScrollBar(),
            &QScrollBar::setValue);
    Copy_Sizes();
    for (QTableView *view : fixed_)
        view->show();
}

void GridView::Copy_Sizes()
{
    if (!fixed_[kCorner])
        return;
    for (QTableView *view : fixed_) {
        for (int c = 0; c < columnCount(); ++c)
            view->setColumnWidth(c, columnWidth(c));
        for (int r = 0; r < rowCount(); ++r)
            view->setRowHeight(r, rowHeight(r));
    }
}

QTableView *GridView::Fixed_View()
{
    auto *view = new FixedView(this);
    Set_Up(*view);
    view->setAutoScroll(false);
    view->setModel(model());
    view->setSelectionModel(selectionModel());
    view->setItemDelegate(delegate_);
    view->setFrameShape(QFrame::NoFrame);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(view, &QTableView::clicked, this, [this](const QModelIndex &index) {
        if (onClick)
            onClick(index.row());
    });
    viewport()->stackUnder(view);
    return view;
}

void GridView::Place_Fixed_Views()
{
    // Made the first time anything scrolls: until then the table's own
    // cells stand in place, and a window opens sooner without them.
    if (!fixed_[kCorner]) {
        if (verticalScrollBar()->maximum() == 0 && horizontalScrollBar()->maximum() == 0)
            return;
        Make_Fixed_Views();
    }
    const QRect area = viewport()->geometry();
    const int rowHeight = rowCount() > 0 ? this->rowHeight(0) : 0;
    const int colWidth = columnCount() > 0 ? columnWidth(0) : 0;
    fixed_[kFixedRow]->setGeometry(area.x(), area.y(), area.width(), std::min(rowHeight, area.height()));
    fixed_[kFixedColumn]->setGeometry(area.x(), area.y(), std::min(colWidth, area.width()), area.height());
    fixed_[kCorner]->setGeometry(area.x(), area.y(), std::min(colWidth, area.width()),
                                 std::min(rowHeight, area.height()));
    for (QTableView *view : fixed_)
        view->raise();
    fixed_[kFixedRow]->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
    fixed_[kFixedColumn]->verticalScrollBar()->setValue(verticalScrollBar()->value());
}

void GridView::resizeEvent(QResizeEvent *event)
{
    QTableWidget::resizeEvent(event);
    Place_Fixed_Views();
}

void GridView::updateGeometries()
{
    QTableWidget::updateGeometries();
    Place_Fixed_Views();
}

void GridView::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    QTableWidget::scrollTo(index, hint);
    if (!index.isValid() || rowCount() == 0 || columnCount() == 0)
        return;
    const QRect cell = visualRect(index);
    if (index.row() > 0 && cell.top() < rowHeight(0))
        verticalScrollBar()->setValue(verticalScrollBar()->value() - (rowHeight(0) - cell.top()));
    if (index.column() > 0 && cell.left() < columnWidth(0))
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - (columnWidth(0) - cell.left()));
}

void GridView::Mirror(const GridModel &grid)
{
    // Rows move with every regrouping: a row left selected would now be another.
    clearSelection();
    delegate_->wrapHeader = grid.word_wrap;
    setColumnCount(grid.Cols());
    setRowCount(grid.Rows());
    for (int c = 0; c < grid.Cols(); ++c)
        setColumnWidth(c, Twips_To_Px(grid.Column(c).width));

    // The header row again as the (hidden) header's items: a screen reader
    // reads them as the columns' headings, blanks collapsed.
    for (int c = 0; c < grid.Cols(); ++c) {
        const QString heading = QString::fromStdString(grid.Text(0, c)).simplified();
        if (!horizontalHeaderItem(c) || horizontalHeaderItem(c)->text() != heading)
            setHorizontalHeaderItem(c, new QTableWidgetItem(heading));
    }
    // The room a cell's text has: the style's margins either side, and the
    // grid line.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const QFontMetrics metrics(font());
    const QBrush fixedBack = palette().button();
    const QBrush fixedText = palette().buttonText();
    for (int r = 0; r < grid.Rows(); ++r) {
        setRowHeight(r, Twips_To_Px(grid.Row_Height(r)));
        const bool header = grid.Kind(r) == RowKind::Header;
        const bool wrapped = header && grid.word_wrap;
        for (int c = 0; c < grid.Cols(); ++c) {
            QTableWidgetItem *item = Item_At(*this, r, c);
            const QString text = QString::fromStdString(grid.Text(r, c));
            if (item->text() != text)
                item->setText(text);
            // Whole columns are aligned, the header cells with them.
            item->setTextAlignment(Alignment(grid.Column(c).align));
            const bool cut = !wrapped && metrics.horizontalAdvance(text) > columnWidth(c) - 1 - 2 * margin;
            item->setToolTip(cut ? text : QString());
            const bool fixedCell = header || c == 0;
            item->setFlags(fixedCell ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            const RowKind kind = grid.Kind(r);
            item->setData(Qt::AccessibleDescriptionRole, kind == RowKind::Subtotal ? QString::fromUtf8("소계")
                                                         : kind == RowKind::Total  ? QString::fromUtf8("합계")
                                                                                   : QString());
            // A cell of a designed colour has its designed text colour,
            // black, whatever the desktop's theme; the others follow it.
            if (fixedCell) {
                item->setBackground(fixedBack);
                item->setForeground(fixedText);
            } else if (const std::optional<Rgb> back = grid.Cell_Back(r, c)) {
                item->setBackground(QColor(QRgb(*back)));
                item->setForeground(QColor(Qt::black));
            } else {
                item->setBackground(QBrush());
                item->setForeground(QBrush());
            }
        }
    }
    Copy_Sizes();
    Place_Fixed_Views();
}
