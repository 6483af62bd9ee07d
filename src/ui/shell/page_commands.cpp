#include "ui/shell/page_commands.h"

#include "core/common/messages.h"
#include "core/computation/input_logic.h"
#include "core/printing/print_page.h"
#include "gui/platform/strings.h"
#include "gui/printing/printer_qt.h"
#include "ui/computation/computation_panel.h"
#include "ui/platform/file_dialogs.h"
#include "ui/platform/user_settings.h"
#include "ui/registers/register_panel.h"

#include <QDir>
#include <QLineEdit>
#include <QMdiSubWindow>

namespace {

constexpr const char *kPrintBeforeCompute = "세액계산 후 이용가능 합니다.";

} // namespace

PageCommands::PageCommands(WorkPanels panels, Messages &messages, Printer &printer, InputAmounts &inputs,
                           QWidget *window)
    : panels_(panels), messages_(messages), printer_(printer), inputs_(inputs), window_(window)
{
}

PageCommands::~PageCommands()
{
    // The preview takes the pages shown in it along.
    delete preview_;
    delete statement_;
    delete interestPage_;
    delete dividendPage_;
}

void PageCommands::Close_Pages()
{
    if (preview_)
        preview_->close();
    if (statement_)
        statement_->close();
}

frm계산서 &PageCommands::Statement()
{
    if (!statement_) {
        statement_ = new frm계산서(inputs_, *panels_.computation.txtTot1, printer_, messages_);
        statement_->computed = [this] {
            panels_.computation.Tax_Computed(statement_->Engine().Dividend_Credit());
            if (taxComputed)
                taxComputed();
        };
    }
    return *statement_;
}

frm_Print &PageCommands::Preview()
{
    if (!preview_)
        preview_ = new frm_Print;
    return *preview_;
}

frm이자소득 &PageCommands::Interest_Page()
{
    if (!interestPage_)
        interestPage_ = new frm이자소득(printer_, messages_);
    return *interestPage_;
}

frm배당소득 &PageCommands::Dividend_Page()
{
    if (!dividendPage_)
        dividendPage_ = new frm배당소득(printer_, messages_);
    return *dividendPage_;
}

PageForm &PageCommands::Filled_Register_Page(RegisterKind kind)
{
    const GridModel &grid = panels_.Register(kind).Grid();
    if (kind == RegisterKind::Interest) {
        Interest_Page().Set_Data(grid);
        return Interest_Page();
    }
    Dividend_Page().Set_Data(grid);
    return Dividend_Page();
}

void PageCommands::Print_Register(RegisterKind kind) { Preview().show_print(&Filled_Register_Page(kind)); }

bool PageCommands::Gather_Statement_Inputs()
{
    if (!panels_.computation.Gather_Inputs())
        return false;
    // Amounts near the largest double can make a line of the statement
    // overflow; nothing is computed from them.
    if (StatementEngine::Would_Overflow(inputs_)) {
        messages_.Plain(kAmountTooLarge);
        return false;
    }
    return true;
}

bool PageCommands::Statement_For_Page()
{
    if (panels_.computation.txtTot1->text().isEmpty()) {
        messages_.Info(kPrintBeforeCompute);
        return false;
    }
    Statement().Clear_Values();
    return Gather_Statement_Inputs();
}

bool PageCommands::Compute()
{
    if (!Gather_Statement_Inputs())
        return false;
    // Shown inside the preview, the statement hides with its frame.
    if (auto *frame = qobject_cast<QMdiSubWindow *>(Statement().parentWidget()))
        frame->hide();
    Statement().hide();
    if (preview_)
        preview_->hide();
    Statement().Calc_Val();
    return true;
}

bool PageCommands::Print_Statement()
{
    // The preview shows the statement, computed afresh.
    if (!Statement_For_Page())
        return false;
    Preview().show_print(&Statement());
    Statement().Calc_Val();
    return true;
}

PageForm *PageCommands::Page_For_Pdf()
{
    if (preview_ && preview_->isVisible() && preview_->Shown_Page())
        return preview_->Shown_Page();
    for (RegisterKind kind : kRegisterKinds)
        if (panels_.Register(kind).isVisible())
            return panels_.Register(kind).Printable() ? &Filled_Register_Page(kind) : nullptr;
    ComputationPanel &panel = panels_.computation;
    if (panel.isVisible()) {
        if (panel.Refuse_Negative())
            return nullptr;
        panel.Commit_Editor();
        if (!Statement_For_Page())
            return nullptr;
        Statement().Calc_Val();
        return &Statement();
    }
    messages_.Info("PDF로 저장할 쪽이 없습니다. 명세나 계산서의 화면에서 저장하십시오.");
    return nullptr;
}

void PageCommands::Save_Pdf_Command()
{
    PageForm *page = Page_For_Pdf();
    if (!page)
        return;
    const QString file = page->windowTitle().trimmed() + QStringLiteral(".pdf");
    const std::string name = dialogs_->Save_Name(window_, S(QDir(Last_Folder()).filePath(file)), FileKind::Pdf);
    if (!name.empty())
        Save_Pdf(*page, Q(name));
}

bool PageCommands::Save_Pdf(PageForm &page, const QString &path)
{
    PdfPrinter pdf(path);
    if (const std::optional<std::string> failure = Print_Page(page.Sheets(), pdf)) {
        messages_.Plain(*failure);
        return false;
    }
    return true;
}

void PageCommands::Import_Register(RegisterKind kind)
{
    const std::string name = dialogs_->Open_Name(window_, S(Last_Folder()), FileKind::RegisterCsv);
    if (!name.empty())
        panels_.Register(kind).Import_File(Q(name));
}

void PageCommands::Export_Register(RegisterKind kind)
{
    const char *file = kind == RegisterKind::Interest ? "이자소득명세.csv" : "배당소득명세.csv";
    const std::string name =
        dialogs_->Save_Name(window_, S(QDir(Last_Folder()).filePath(QString::fromUtf8(file))), FileKind::RegisterCsv);
    if (!name.empty())
        panels_.Register(kind).Export_File(Q(name));
}
