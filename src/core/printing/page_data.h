// Filling the pages: the register pages from their grids, page 21 from the
// statement the engine computed.
#pragma once

#include "core/printing/page.h"

#include <optional>
#include <string>

class GridModel;
class StatementEngine;

// Set_Data of pages 5 and 7: empties every cell of the page's table, then
// copies grid cell (r, c), r and c from 1, to cell (r − 1) × cells + c − 1,
// text unchanged. A grid with more rows than the page fills what fits and
// gives the failure's description.
std::optional<std::string> Set_Data(Page &page, const GridModel &grid);

// Page 21: the value labels TxtLab1 and TxtLab2 as the engine holds them.
void Show_Statement(Page &page, const StatementEngine &engine);
