#include "platform/grid_model.h"

#include "common/amount.h"

#include <algorithm>
#include <stdexcept>

GridModel::GridModel(std::string name) : name_(std::move(name)) { rows_.push_back(Empty_Row(RowKind::Header)); }

GridModel::Row GridModel::Empty_Row(RowKind kind) const
{
    Row row;
    row.kind = kind;
    row.cells.resize(columns_.size());
    row.back.resize(columns_.size());
    return row;
}

void GridModel::Set_Rows(int count)
{
    count = std::max(count, 1); // the header row stays
    if (count < Rows())
        rows_.resize(count);
    while (Rows() < count)
        rows_.push_back(Empty_Row(RowKind::Data));
}

void GridModel::Set_Cols(int count)
{
    count = std::max(count, 0);
    columns_.resize(count);
    for (Row &row : rows_) {
        row.cells.resize(count);
        row.back.resize(count);
    }
}

void GridModel::Insert_Row(int at)
{
    if (at < 1 || at > Rows())
        throw std::out_of_range("Insert_Row: row " + std::to_string(at));
    rows_.insert(rows_.begin() + at, Empty_Row(RowKind::Data));
}

void GridModel::Remove_Row(int row)
{
    if (row < 1 || row >= Rows())
        throw std::out_of_range("Remove_Row: row " + std::to_string(row));
    rows_.erase(rows_.begin() + row);
}

void GridModel::Sort_Numeric(int col)
{
    std::stable_sort(rows_.begin() + 1, rows_.end(), [col](const Row &a, const Row &b) {
        return Get_Amount(a.cells.at(col)) < Get_Amount(b.cells.at(col));
    });
}
