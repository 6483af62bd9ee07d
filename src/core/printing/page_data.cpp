#include "core/printing/page_data.h"

#include "core/computation/engine.h"
#include "core/registers/grid_model.h"

namespace {

// The register page's table, lblEJ or lblBD, and its cells per row.
struct Table {
    std::vector<std::string> &cells;
    int perRow;
};

Table Table_Of(Page &page)
{
    const bool interest = page.Spec().Array_Index("lblEJ") >= 0;
    return {page.Captions(interest ? "lblEJ" : "lblBD"), interest ? kInterestCells : kDividendCells};
}

std::string Page_Full(int pageRows)
{
    return "이 쪽에는 " + std::to_string(pageRows) + "줄까지만 들어갑니다. " + std::to_string(pageRows + 1) +
           "번째 줄부터는 넣지 못했습니다.";
}

} // namespace

std::optional<std::string> Set_Data(Page &page, const GridModel &grid)
{
    const Table table = Table_Of(page);
    for (std::string &cell : table.cells)
        cell.clear();
    for (int r = 1; r < grid.Rows(); ++r) {
        for (int c = 1; c < grid.Cols(); ++c) {
            const std::size_t element = static_cast<std::size_t>((r - 1) * table.perRow + (c - 1));
            if (element >= table.cells.size())
                return Page_Full(static_cast<int>(table.cells.size()) / table.perRow);
            table.cells[element] = grid.Text(r, c);
        }
    }
    return std::nullopt;
}

void Show_Statement(Page &page, const StatementEngine &engine)
{
    std::vector<std::string> &txtLab1 = page.Captions("TxtLab1");
    std::vector<std::string> &txtLab2 = page.Captions("TxtLab2");
    for (std::size_t i = 0; i < txtLab1.size() && i < engine.TxtLab1.size(); ++i)
        txtLab1[i] = engine.TxtLab1[i];
    for (std::size_t i = 0; i < txtLab2.size() && i < engine.TxtLab2.size(); ++i)
        txtLab2[i] = engine.TxtLab2[i];
}
