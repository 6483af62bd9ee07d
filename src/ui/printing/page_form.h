// A page form on screen: a white window built from its page table, with a
// label per table entry and the rules drawn from the same table. What it
// prints is what its labels hold. A register longer than its page shows on
// continuation sheets, the whole page again each, one below the other.
#pragma once

#include "core/printing/page.h"

#include <QWidget>

#include <cstdint>
#include <span>
#include <vector>

class GridModel;
class Messages;
class Printer;
class QLabel;

class PageForm : public QWidget {
public:
    PageForm(const PageSpec &spec, Printer &printer, Messages &messages);

    // The first sheet's contents, and every sheet's.
    Page &Contents() { return sheets_.front(); }
    const Page &Contents() const { return sheets_.front(); }
    std::span<const Page> Sheets() const { return sheets_; }

    // The labels of one array on a sheet, by index, as on screen.
    const std::vector<QLabel *> &Labels(std::string_view arrayName, std::size_t sheet = 0) const;
    // The widget that shows a sheet.
    QWidget *Sheet_View(std::size_t sheet) const;
    // Shows the captions the contents now hold.
    void Show_Captions();

    // The page's print command: every sheet, in one job.
    std::int16_t Fun_인쇄();

    // The designed client area, or with continuation sheets all of them
    // with the gaps between.
    QSize Client_Size() const;

    // The window's outer height when it has one of its own (twips); 0 for
    // the client height plus the frame.
    int Outer_Height() const { return outerHeight_; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void Set_Outer_Height(int twips) { outerHeight_ = twips; }
    // Set_Data of the register pages: the sheets filled from the grid, as
    // many as its rows need.
    void Fill_From(const GridModel &grid);

    Messages &messages_;

private:
    class SheetView;

    std::vector<Page> sheets_;
    std::vector<SheetView *> views_;
    Printer &printer_;
    int outerHeight_ = 0;
};

// frm이자소득: page 5, ⑤ 이자소득명세서.
class frm이자소득 final : public PageForm {
public:
    frm이자소득(Printer &printer, Messages &messages);
    void Set_Data(const GridModel &fgEJ) { Fill_From(fgEJ); }
};

// frm배당소득: page 7, ⑥ 배당소득명세서.
class frm배당소득 final : public PageForm {
public:
    frm배당소득(Printer &printer, Messages &messages);
    void Set_Data(const GridModel &fgBD) { Fill_From(fgBD); }
};
