// A page form on screen: a white window built from its page table, with a
// label per table entry and the rules drawn from the same table. What it
// prints is what its labels hold.
#pragma once

#include "core/printing/page.h"

#include <QWidget>

#include <cstdint>
#include <vector>

class GridModel;
class Messages;
class Printer;
class QLabel;

class PageForm : public QWidget {
public:
    PageForm(const PageSpec &spec, Printer &printer, Messages &messages);

    Page &Contents() { return page_; }
    const Page &Contents() const { return page_; }

    // The labels of one array, by index, as on screen.
    const std::vector<QLabel *> &Labels(std::string_view arrayName) const;
    // Shows the captions the contents now hold.
    void Show_Captions();

    // The page's print command.
    std::int16_t Fun_인쇄();

    // The designed client area.
    QSize Client_Size() const;

    // The window's outer height when it has one of its own (twips); 0 for
    // the client height plus the frame.
    int Outer_Height() const { return outerHeight_; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void Set_Outer_Height(int twips) { outerHeight_ = twips; }
    // Set_Data of the register pages: the table filled from the grid; a
    // register longer than the page is told, and the page keeps what fits.
    void Fill_From(const GridModel &grid);

    Messages &messages_;

private:
    Page page_;
    Printer &printer_;
    std::vector<std::vector<QLabel *>> labels_;
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
