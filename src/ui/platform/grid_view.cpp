#include "ui/platform/grid_view.h"

#include "gui/platform/twips.h"

#include <QAbstractTableModel>
#include <QFontMetricsF>
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

// The width a cell's text has in a column `width` pixels wide: the style's
// margins either side and the grid line taken off, as the view lays the
// text out.
int Text_Room(const QTableView &view, int width)
{
    const int margin = view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1;
    return width - 1 - 2 * margin;
}

// The view's font condensed as little as lets `widest` fit the room, the
// font itself when it fits already. Past a stretch of 85 the digits grow
// hard to tell apart: such a text is rather cut.
QFont Condensed_To_Fit(const QFont &font, const QString &widest, int room)
{
    QFont condensed = font;
    for (int stretch = 100; stretch >= 85; --stretch) {
        if (stretch < 100)
            condensed.setStretch(stretch);
        if (QFontMetricsF(condensed).horizontalAdvance(widest) <= room)
            return condensed;
    }
    return font;
}

// A view of the fixed row, column or corner: it scrolls only as the table
// makes it, never by itself to a cell it shows (the current one, say).
class FixedView final : public QTableView {
public:
    using QTableView::QTableView;
    void scrollTo(const QModelIndex &, ScrollHint) override {}
};

} // namespace

// The cells as the table asks for them, from the grid last mirrored: a
// cell's text, colours, alignment and tool tip are worked out when it is
// drawn or read, so a change costs the same for twenty rows as for a
// thousand.
class GridCells final : public QAbstractTableModel {
public:
    explicit GridCells(QTableView *view) : QAbstractTableModel(view), view_(view) {}

    // `fonts` by column: the font of the cells below the header, if not the view's.
    void Show(const GridModel &grid, std::vector<std::optional<QFont>> fonts)
    {
        beginResetModel();
        grid_ = grid;
        fonts_ = std::move(fonts);
        endResetModel();
    }

    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : grid_.Rows(); }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : grid_.Cols(); }

    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        return Fixed(index.row(), index.column()) ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    }

    // The header row again as the (hidden) header's texts: a screen reader
    // reads them as the columns' headings, blanks collapsed.
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < grid_.Cols())
            return QString::fromStdString(grid_.Text(0, section)).simplified();
        return QAbstractTableModel::headerData(section, orientation, role);
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid())
            return {};
        const int r = index.row(), c = index.column();
        switch (role) {
        case Qt::DisplayRole:
            return QString::fromStdString(grid_.Text(r, c));
        case Qt::FontRole:
            if (const std::optional<QFont> font = Font(r, c))
                return *font;
            return {};
        case Qt::TextAlignmentRole: // whole columns, the header cells with them
            return static_cast<int>(Alignment(grid_.Column(c).align));
        case Qt::ToolTipRole:
            return Cut(r, c) ? QVariant(QString::fromStdString(grid_.Text(r, c))) : QVariant();
        case Qt::AccessibleDescriptionRole:
            return grid_.Kind(r) == RowKind::Subtotal ? QString::fromUtf8("소계")
                   : grid_.Kind(r) == RowKind::Total  ? QString::fromUtf8("합계")
                                                      : QString();
        // A cell of a designed colour has its designed text colour, black,
        // whatever the desktop's theme; the others follow it.
        case Qt::BackgroundRole:
            if (Fixed(r, c))
                return view_->palette().button();
            if (const std::optional<Rgb> back = grid_.Cell_Back(r, c))
                return QBrush(QColor(QRgb(*back)));
            return {};
        case Qt::ForegroundRole:
            if (Fixed(r, c))
                return view_->palette().buttonText();
            if (grid_.Cell_Back(r, c))
                return QBrush(Qt::black);
            return {};
        default:
            return {};
        }
    }

private:
    bool Fixed(int r, int c) const { return grid_.Kind(r) == RowKind::Header || c == 0; }

    std::optional<QFont> Font(int r, int c) const
    {
        if (grid_.Kind(r) == RowKind::Header || c >= static_cast<int>(fonts_.size()))
            return std::nullopt;
        return fonts_[c];
    }

    // Whether the text is wider than its cell has room for, in the cell's
    // font. The wrapped header has room.
    bool Cut(int r, int c) const
    {
        if (grid_.Kind(r) == RowKind::Header && grid_.word_wrap)
            return false;
        const QFontMetricsF metrics(Font(r, c).value_or(view_->font()));
        return metrics.horizontalAdvance(QString::fromStdString(grid_.Text(r, c))) >
               Text_Room(*view_, view_->columnWidth(c));
    }

    QTableView *view_;
    GridModel grid_;
    std::vector<std::optional<QFont>> fonts_;
};

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

GridView::GridView(QWidget *parent) : QTableView(parent)
{
    Set_Up(*this);
    cells_ = new GridCells(this);
    setModel(cells_);
    delegate_ = new HeaderDelegate(this);
    setItemDelegate(delegate_);
    connect(this, &QTableView::clicked, this, [this](const QModelIndex &index) {
        if (onClick)
            onClick(index.row());
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
    const int rows = rowCount(), columns = columnCount();
    const int rowHeight = verticalHeader()->defaultSectionSize();
    for (QTableView *view : fixed_) {
        for (int c = 0; c < columns; ++c)
            view->setColumnWidth(c, columnWidth(c));
        view->verticalHeader()->setDefaultSectionSize(rowHeight);
        for (int r = 0; r < rows; ++r)
            if (this->rowHeight(r) != rowHeight)
                view->setRowHeight(r, this->rowHeight(r));
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
        if (!selectionModel() || (verticalScrollBar()->maximum() == 0 && horizontalScrollBar()->maximum() == 0))
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
    QTableView::resizeEvent(event);
    Place_Fixed_Views();
}

void GridView::updateGeometries()
{
    QTableView::updateGeometries();
    Place_Fixed_Views();
}

void GridView::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    QTableView::scrollTo(index, hint);
    if (!index.isValid())
        return;
    const QRect cell = visualRect(index);
    if (index.row() > 0 && cell.top() < rowHeight(0))
        verticalScrollBar()->setValue(verticalScrollBar()->value() - (rowHeight(0) - cell.top()));
    if (index.column() > 0 && cell.left() < columnWidth(0))
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - (columnWidth(0) - cell.left()));
}

void GridView::Keep_Whole(int column, const QString &widest) { whole_.push_back({column, widest}); }

void GridView::Mirror(const GridModel &grid)
{
    // A reset: rows move with every regrouping, and a row left selected
    // would now be another.
    delegate_->wrapHeader = grid.word_wrap;
    std::vector<std::optional<QFont>> fonts(grid.Cols());
    for (const Whole &whole : whole_)
        if (whole.column < grid.Cols())
            fonts[whole.column] =
                Condensed_To_Fit(font(), whole.widest, Text_Room(*this, Twips_To_Px(grid.Column(whole.column).width)));
    cells_->Show(grid, std::move(fonts));
    for (int c = 0; c < grid.Cols(); ++c)
        setColumnWidth(c, Twips_To_Px(grid.Column(c).width));
    // The rows below the header are as high as the first of them; only a
    // row unlike it (the header) is sized by itself.
    const int rowHeight = Twips_To_Px(grid.Rows() > 1 ? grid.Row_Height(1) : grid.Row_Height(0));
    verticalHeader()->setDefaultSectionSize(rowHeight);
    for (int r = 0; r < grid.Rows(); ++r)
        if (Twips_To_Px(grid.Row_Height(r)) != rowHeight)
            setRowHeight(r, Twips_To_Px(grid.Row_Height(r)));
    Copy_Sizes();
    Place_Fixed_Views();
}
