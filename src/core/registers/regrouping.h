// The two registers' grid layouts and the regrouping that keeps a register
// sorted by income code, numbered within each code, with a subtotal row
// "소계" under every code of two or more rows and the total row "합계" last.
#pragma once

#include "core/registers/grid_model.h"

#include <array>
#include <span>

inline constexpr Rgb kTotalBack = 0xFFFFC0; // RGB(255, 255, 192), subtotal and total rows
inline constexpr int kRowHeight = 330;      // every row below the header

// Columns every register shares; the amounts run from kFirstAmountCol to
// the last column.
inline constexpr int kCodeCol = 1;
inline constexpr int kSerialCol = 2;
inline constexpr int kNameCol = 3;
inline constexpr int kNumberCol = 4;
inline constexpr int kFirstAmountCol = 5;

struct RegisterLayout {
    const char *name; // the grid's name, which is how Reset_fg tells them apart
    std::array<const char *, 3> codes;
    int headerHeight;
    bool wordWrap;
    std::span<const char *const> headers; // columns 0..n-1
    std::span<const GridColumn> columns;
    int pageRows; // rows below the header that its printed page holds
    const char *limitMessage;
    const char *nameMissingMessage;
    std::array<const char *, 2> textLabels; // the name and the number, as messages call them
};

extern const RegisterLayout kInterestLayout; // fgEJ, page 5
extern const RegisterLayout kDividendLayout; // fgBD, page 7

// Which register: the one name for it everywhere, from the grid to the
// menus, the files and orvanta-calc.
enum class RegisterKind { Interest, Dividend };
inline constexpr RegisterKind kRegisterKinds[] = {RegisterKind::Interest, RegisterKind::Dividend};

const RegisterLayout &Layout_Of(RegisterKind kind);
const RegisterLayout &Layout_Of(const GridModel &grid);
RegisterKind Kind_Of(const GridModel &grid);

// A register as the program starts it: the header and the total row.
GridModel Empty_Register(RegisterKind kind);
bool Is_Register_Code(const RegisterLayout &layout, std::string_view code);

void Init_fgEJ(GridModel &fgEJ);
void Init_fgBD(GridModel &fgBD);

void fgEJ_subTotal(GridModel &fgEJ, std::string_view code);
void fgEJ_Total(GridModel &fgEJ);
void fgBD_subTotal(GridModel &fgBD, std::string_view code);
void fgBD_Total(GridModel &fgBD);

// Regroups either grid: the old subtotal and total rows go, the data rows
// are sorted by code (equal codes keep their order) and renumbered, and the
// subtotal and total rows are built again.
void Reset_fg(GridModel &grid);
