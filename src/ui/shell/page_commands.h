// The commands that make pages and files from the work: 세액계산 and 인쇄
// of the statement, the register pages in the print preview, PDF files, the
// printer choice, and a register's rows in from and out to a spreadsheet
// file. They own the windows they open (the statement, the preview and the
// register pages), each loaded on first use and discarded when closed.
#pragma once

#include "core/computation/engine.h"
#include "core/registers/regrouping.h"
#include "ui/computation/statement_form.h"
#include "ui/printing/page_form.h"
#include "ui/printing/print_preview.h"

#include <QPointer>
#include <QStringList>

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class ComputationPanel;
class FileDialogs;
class Messages;
class Printer;
class QString;
class QWidget;
class RegisterPanel;

// The panels the commands read: the computation panel and both registers.
struct WorkPanels {
    ComputationPanel &computation;
    RegisterPanel &interest;
    RegisterPanel &dividend;

    RegisterPanel &Register(RegisterKind kind) const { return kind == RegisterKind::Interest ? interest : dividend; }
};

class PageCommands {
public:
    // `inputs` is ComputationInputs, which the statement reads; `window`
    // parents the file dialogs.
    PageCommands(WorkPanels panels, Messages &messages, Printer &printer, InputAmounts &inputs, QWidget *window);
    ~PageCommands();

    void Use_File_Dialogs(FileDialogs &dialogs) { dialogs_ = &dialogs; }
    // 프린터 선택: the system's print dialog and the names of the printers
    // installed, which the program supplies.
    std::function<void()> choosePrinter;
    std::function<QStringList()> installedPrinters;
    // The taxpayer file of the work (empty for none), which names the PDFs.
    std::function<std::string()> taxpayerFile;
    // The window's status line, told of a PDF written.
    std::function<void(const QString &)> showStatus;
    // Told once a computation has shown the tax, after the panel knows.
    std::function<void()> taxComputed;

    // 세액계산 and 인쇄 of the computation panel, after the editor was
    // committed; false when refused, which has been told.
    bool Compute();
    bool Print_Statement();
    // A register's page, filled from its grid, in the preview.
    void Print_Register(RegisterKind kind);

    // 프린터 선택, or where no printer is installed, why there is none to choose.
    void Choose_Printer();

    // PDF로 저장: Page_For_Pdf into the file the dialog names.
    void Save_Pdf_Command();
    // 모든 쪽을 PDF로 저장: Pages_With_Content into one file the dialog names.
    void Save_All_Pdf_Command();
    // Pages 5, 7 and 21 in their order, those with content: a register with
    // rows, and the statement once a 세액계산 has shown the tax (computed
    // afresh, refused as 인쇄 is). Empty when there is none, which has been
    // told, or when the statement was refused.
    std::vector<PageForm *> Pages_With_Content();
    // The page 'PDF로 저장' writes: the newest page in the preview, or the
    // register page of the panel shown, or page 21 from the computation
    // panel (refused and computed as 인쇄 is); nullptr when there is none,
    // which has been told.
    PageForm *Page_For_Pdf();
    // Prints the page into a PDF at path; false when it failed, as told.
    bool Save_Pdf(PageForm &page, const QString &path);
    // Every sheet of the pages into one PDF at path, each page's sheets
    // numbered within it; told on the status line once written.
    bool Save_Pdf(std::span<PageForm *const> pages, const QString &path);

    // A CSV file into or out of a register, each through its file dialog.
    void Import_Register(RegisterKind kind);
    void Export_Register(RegisterKind kind);

    // The statement form, the preview and the register pages.
    frm계산서 &Statement();
    frm계산서 *Loaded_Statement() const { return statement_; }
    frm_Print &Preview();
    frm_Print *Loaded_Preview() const { return preview_; }
    frm이자소득 &Interest_Page();
    frm배당소득 &Dividend_Page();

    // The work they showed goes: the preview and the statement close.
    void Close_Pages();

private:
    PageForm &Filled_Register_Page(RegisterKind kind);
    // Gather_Inputs, and a statement that stays within the range of a double.
    bool Gather_Statement_Inputs();
    // 인쇄's checks and gathering before the statement is computed for a
    // page: a first 세액계산 made, and inputs that read.
    bool Statement_For_Page();
    // The statement computed for a page, with the line editor taken as
    // 인쇄 takes it; nullptr when refused, as told.
    PageForm *Computed_Statement();

    WorkPanels panels_;
    Messages &messages_;
    Printer &printer_;
    InputAmounts &inputs_;
    QWidget *window_;
    FileDialogs *dialogs_ = nullptr;
    QPointer<frm계산서> statement_;
    QPointer<frm_Print> preview_;
    QPointer<frm이자소득> interestPage_;
    QPointer<frm배당소득> dividendPage_;
};

// The name a PDF is suggested under: the taxpayer file's name, with the
// page's number after it for a single page ("홍길동2026 제5쪽.pdf") and
// without for every page ("홍길동2026.pdf"). A work with no file: the
// page's title, or "모든 쪽.pdf".
std::string Suggested_Pdf_Name(std::string_view taxpayerFile, std::string_view pageNumber, std::string_view pageTitle);
