// The grid control on screen: a table that mirrors a GridModel, with its
// first row and column drawn as the fixed header row and column.
#pragma once

#include "platform/grid_model.h"

#include <QTableWidget>

#include <functional>

class GridView : public QTableWidget {
public:
    explicit GridView(QWidget *parent = nullptr);

    // Shows the model's rows, columns, texts, heights, widths, alignments
    // and backgrounds; call after every change of the model.
    void Mirror(const GridModel &grid);

    // A mouse click on a cell, with the clicked row (0 for the header row).
    std::function<void(int row)> onClick;
};
