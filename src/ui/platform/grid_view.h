// The grid control on screen: a table that shows a GridModel, with its
// first row and column drawn as the fixed header row and column. They stay
// in place while the other rows and columns scroll under them.
#pragma once

#include "core/registers/grid_model.h"

#include <QTableView>

#include <array>
#include <functional>
#include <vector>

class GridView : public QTableView {
public:
    explicit GridView(QWidget *parent = nullptr);

    // Shows the model's rows, columns, texts, heights, widths, alignments
    // and backgrounds; call after every change of the model. The table asks
    // only for the cells it draws, so a register of a thousand rows shows
    // as quickly as one of twenty.
    void Mirror(const GridModel &grid);

    // As the grid control counts them, the header row and column included.
    int rowCount() const { return model()->rowCount(); }
    int columnCount() const { return model()->columnCount(); }
    // The row of the current cell; -1 for none.
    int currentRow() const { return currentIndex().row(); }

    // Keeps every text of a column as wide as `widest` whole below the header
    // row: where the font standing in for the designed one draws it wider
    // than the column's designed width has room for, those cells are drawn
    // condensed just enough. Takes effect from the next Mirror.
    void Keep_Whole(int column, const QString &widest);

    // A mouse click on a cell, with the clicked row (0 for the header row).
    std::function<void(int row)> onClick;

    // Keeps a scrolled-to cell clear of the fixed row and column.
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void updateGeometries() override;

private:
    // The fixed row, the fixed column and their corner: views of the same
    // cells laid over the table's own, which scroll beneath them.
    QTableView *Fixed_View();
    void Make_Fixed_Views();
    void Copy_Sizes();
    void Place_Fixed_Views();

    enum { kFixedRow, kFixedColumn, kCorner };
    std::array<QTableView *, 3> fixed_{};
    struct Whole {
        int column;
        QString widest;
    };
    std::vector<Whole> whole_;
    class GridCells *cells_ = nullptr;
    class HeaderDelegate *delegate_ = nullptr;
};
