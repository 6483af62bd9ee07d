// Filling the pages: the register pages from their grids, page 21 from the
// statement the engine computed.
#pragma once

#include "core/printing/page.h"

#include <string>
#include <vector>

class GridModel;
class StatementEngine;

// Set_Data of pages 5 and 7: the grid's rows below the header, in grid
// order, as many to a sheet as the page's table has rows (data, 소계 and 합계
// rows alike), on as many sheets of the page as they need and one at least.
// Grid cell (r, c), c from 1, of the k-th row on a sheet goes to the sheet's
// table element k × cells + c − 1, text unchanged; the rows after the
// register's last stay empty, so the 합계 row ends the last sheet's rows.
std::vector<Page> Register_Sheets(const PageSpec &spec, const GridModel &grid);

// The rows a sheet of a register page holds: 22 on page 5, 14 on page 7.
int Sheet_Rows(const PageSpec &spec);

// Page 21: the value labels TxtLab1 and TxtLab2 as the engine holds them.
void Show_Statement(Page &page, const StatementEngine &engine);
