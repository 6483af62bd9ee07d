#include "core/printing/page_data.h"

#include "core/computation/engine.h"
#include "core/registers/grid_model.h"

#include <algorithm>

namespace {

// The register page's table, lblEJ or lblBD, and its cells per row.
struct Table {
    int array;
    int perRow;
};

Table Table_Of(const PageSpec &spec)
{
    const int interest = spec.Array_Index("lblEJ");
    return interest >= 0 ? Table{interest, kInterestCells} : Table{spec.Array_Index("lblBD"), kDividendCells};
}

} // namespace

int Sheet_Rows(const PageSpec &spec)
{
    const Table table = Table_Of(spec);
    return static_cast<int>(spec.arrays.at(static_cast<std::size_t>(table.array)).labels.size()) / table.perRow;
}

std::vector<Page> Register_Sheets(const PageSpec &spec, const GridModel &grid)
{
    const Table table = Table_Of(spec);
    const int perSheet = Sheet_Rows(spec);
    const int rows = grid.Rows() - 1;
    std::vector<Page> sheets;
    sheets.reserve(static_cast<std::size_t>(std::max(1, (rows + perSheet - 1) / perSheet)));
    do {
        Page &sheet = sheets.emplace_back(spec);
        std::vector<std::string> &cells = sheet.Captions(static_cast<std::size_t>(table.array));
        const int first = static_cast<int>(sheets.size() - 1) * perSheet;
        for (int k = 0; k < perSheet && first + k < rows; ++k)
            for (int c = 1; c < grid.Cols() && c <= table.perRow; ++c)
                cells[static_cast<std::size_t>(k * table.perRow + c - 1)] = grid.Text(first + k + 1, c);
    } while (static_cast<int>(sheets.size()) * perSheet < rows);
    return sheets;
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
