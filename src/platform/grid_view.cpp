#include "platform/grid_view.h"

#include "platform/twips.h"

#include <QHeaderView>
#include <QPainter>
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

// The header row wraps at blanks first, and inside a word only where a
// word is wider than its column (a narrow column of Korean text).
class HeaderDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        if (index.row() != 0 || !option.widget || !static_cast<const QTableWidget *>(option.widget)->wordWrap()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem plain = option;
        initStyleOption(&plain, index);
        const QString text = plain.text;
        plain.text.clear();
        option.widget->style()->drawControl(QStyle::CE_ItemViewItem, &plain, painter, option.widget);

        QTextOption wrap(Qt::AlignCenter);
        wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        painter->save();
        painter->setFont(plain.font);
        painter->setPen(plain.palette.color(QPalette::Text));
        painter->drawText(QRectF(option.rect.adjusted(1, 1, -1, -1)), text, wrap);
        painter->restore();
    }
};

} // namespace

GridView::GridView(QWidget *parent) : QTableWidget(parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTextElideMode(Qt::ElideNone);
    setFocusPolicy(Qt::NoFocus); // a display: the entry fields keep the focus
    setCornerButtonEnabled(false);
    setItemDelegate(new HeaderDelegate(this));
    connect(this, &QTableWidget::cellClicked, this, [this](int row, int) {
        if (onClick)
            onClick(row);
    });
}

void GridView::Mirror(const GridModel &grid)
{
    // Rows move with every regrouping: a row left selected would now be another.
    clearSelection();
    setWordWrap(grid.word_wrap);
    setColumnCount(grid.Cols());
    setRowCount(grid.Rows());
    for (int c = 0; c < grid.Cols(); ++c)
        setColumnWidth(c, Twips_To_Px(grid.Column(c).width));

    // The header row again as the (hidden) header's items: a screen reader
    // reads them as the columns' headings, blanks collapsed.
    for (int c = 0; c < grid.Cols(); ++c)
        setHorizontalHeaderItem(c, new QTableWidgetItem(QString::fromStdString(grid.Text(0, c)).simplified()));
    const QBrush fixed = palette().button();
    for (int r = 0; r < grid.Rows(); ++r) {
        setRowHeight(r, Twips_To_Px(grid.Row_Height(r)));
        const bool header = grid.Kind(r) == RowKind::Header;
        for (int c = 0; c < grid.Cols(); ++c) {
            QTableWidgetItem *item = Item_At(*this, r, c);
            const QString text = QString::fromStdString(grid.Text(r, c));
            if (item->text() != text)
                item->setText(text);
            item->setTextAlignment(header ? Qt::AlignCenter : Alignment(grid.Column(c).align));
            const bool fixedCell = header || c == 0;
            item->setFlags(fixedCell ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            const RowKind kind = grid.Kind(r);
            item->setData(Qt::AccessibleDescriptionRole, kind == RowKind::Subtotal ? QString::fromUtf8("소계")
                                                         : kind == RowKind::Total  ? QString::fromUtf8("합계")
                                                                                   : QString());
            if (fixedCell)
                item->setBackground(fixed);
            else if (const std::optional<Rgb> back = grid.Cell_Back(r, c))
                item->setBackground(QColor(QRgb(*back)));
            else
                item->setBackground(QBrush());
        }
    }
}
