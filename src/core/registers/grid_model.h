// The grid control's model: rows of cell texts with a row kind, a row
// height and cell backgrounds, plus the columns' widths and alignments. A
// register's cells are its only storage; a window shows them through a view.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Told apart by kind, not by the text in column 3, so that a payer named
// "소계" or "합계" stays an ordinary data row.
enum class RowKind : std::uint8_t { Header, Data, Subtotal, Total };

enum class CellAlign : std::uint8_t { General, Centre, Right }; // all centred vertically

struct GridColumn {
    int width = 0; // twips
    CellAlign align = CellAlign::General;
    bool operator==(const GridColumn &) const = default;
};

using Rgb = std::uint32_t; // 0xRRGGBB

class GridModel {
public:
    explicit GridModel(std::string name = {});

    const std::string &Name() const { return name_; }

    int Rows() const { return static_cast<int>(rows_.size()); }
    int Cols() const { return static_cast<int>(columns_.size()); }
    // Growing adds empty data rows (or columns); shrinking cuts at the end.
    void Set_Rows(int count);
    void Set_Cols(int count);

    GridColumn &Column(int col) { return columns_.at(col); }
    const GridColumn &Column(int col) const { return columns_.at(col); }

    const std::string &Text(int row, int col) const { return rows_.at(row).cells.at(col); }
    void Set_Text(int row, int col, std::string text) { rows_.at(row).cells.at(col) = std::move(text); }

    RowKind Kind(int row) const { return rows_.at(row).kind; }
    void Set_Kind(int row, RowKind kind) { rows_.at(row).kind = kind; }
    // False as well for a row number outside the grid.
    bool Is_Data(int row) const { return row >= 0 && row < Rows() && Kind(row) == RowKind::Data; }
    // A register holds payments: more rows than its header and its 합계.
    bool Holds_Rows() const { return Rows() >= 3; }

    int Row_Height(int row) const { return rows_.at(row).height; }
    void Set_Row_Height(int row, int twips) { rows_.at(row).height = twips; }

    // Empty when the cell keeps the grid's normal colour.
    std::optional<Rgb> Cell_Back(int row, int col) const { return rows_.at(row).back.at(col); }
    void Set_Cell_Back(int row, int col, Rgb colour) { rows_.at(row).back.at(col) = colour; }

    // An empty data row at `at` (1..Rows()); rows from there move down.
    void Insert_Row(int at);
    void Add_Row() { Insert_Row(Rows()); }
    void Remove_Row(int row);

    // Rows below the header, ascending by the numeric value of `col`; rows
    // with equal values keep their order.
    void Sort_Numeric(int col);

    bool word_wrap = false;

    bool operator==(const GridModel &) const = default;

private:
    struct Row {
        RowKind kind = RowKind::Data;
        int height = kDefaultRowHeight;
        std::vector<std::string> cells;
        std::vector<std::optional<Rgb>> back;
        bool operator==(const Row &) const = default;
    };
    static constexpr int kDefaultRowHeight = 240;

    Row Empty_Row(RowKind kind) const;

    std::string name_;
    std::vector<GridColumn> columns_;
    std::vector<Row> rows_;
};
