// Page 21 as printing reads it after a worked example in section ③:
// financial income 6,000,000 (5,000,000 interest not withheld, 1,000,000
// dividends not withheld), other income 30,000,000, deduction 5,000,000; the
// tax, line (38), is 4,500,000.
#pragma once

#include "core/computation/engine.h"
#include "core/printing/page_data.h"

inline Page Statement_Page_Section_Three()
{
    InputAmounts in{};
    in[1] = 5'000'000;
    in[5] = 1'000'000;
    in[7] = in[9] = 30'000'000;
    in[8] = in[10] = 5'000'000;
    StatementEngine engine;
    engine.Calc_Val(in);
    Page page(Statement_Page_Spec());
    Show_Statement(page, engine);
    return page;
}
