#include "core/registers/grid_model.h"

#include "core/common/amount.h"

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
    // Each cell is read once, not at every comparison.
    std::vector<std::pair<double, Row>> keyed;
    keyed.reserve(rows_.size() - 1);
    for (auto row = rows_.begin() + 1; row != rows_.end(); ++row)
        keyed.emplace_back(Get_Amount(row->cells.at(col)), std::move(*row));
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    for (std::size_t i = 0; i < keyed.size(); ++i)
        rows_[i + 1] = std::move(keyed[i].second);
}
