#include "ui/shell/page_commands.h"

#include "core/common/messages.h"
#include "core/computation/input_logic.h"
#include "core/printing/print_page.h"
#include "gui/platform/strings.h"
#include "gui/printing/printer_qt.h"
#include "ui/computation/computation_panel.h"
#include "ui/platform/file_dialogs.h"
#include "ui/registers/register_panel.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QStringList>

namespace {

constexpr const char *kPrintBeforeCompute = "세액계산 후 이용가능 합니다.";
constexpr const char *kNoPageForAll = "PDF로 저장할 쪽이 없습니다. 명세에 자료를 입력하거나 세액계산을 하십시오.";
constexpr const char *kNoPrinter = "설치된 프린터가 없습니다. 파일 메뉴의 PDF로 저장으로 PDF 파일을 만들 수 있습니다.";

std::string Work_File(const std::function<std::string()> &taxpayerFile)
{
    return taxpayerFile ? taxpayerFile() : std::string();
}

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

PageForm *PageCommands::Computed_Statement()
{
    ComputationPanel &panel = panels_.computation;
    if (panel.isVisible()) {
        if (panel.Refuse_Negative())
            return nullptr;
        panel.Commit_Editor();
    }
    if (!Statement_For_Page())
        return nullptr;
    Statement().Calc_Val();
    return &Statement();
}

PageForm *PageCommands::Page_For_Pdf()
{
    if (preview_ && preview_->isVisible() && preview_->Shown_Page())
        return preview_->Shown_Page();
    for (RegisterKind kind : kRegisterKinds)
        if (panels_.Register(kind).isVisible())
            return panels_.Register(kind).Printable() ? &Filled_Register_Page(kind) : nullptr;
    if (panels_.computation.isVisible())
        return Computed_Statement();
    messages_.Info("PDF로 저장할 쪽이 없습니다. 명세나 계산서의 화면에서 저장하십시오.");
    return nullptr;
}

std::vector<PageForm *> PageCommands::Pages_With_Content()
{
    std::vector<PageForm *> pages;
    for (RegisterKind kind : kRegisterKinds)
        if (panels_.Register(kind).Grid().Holds_Rows())
            pages.push_back(&Filled_Register_Page(kind));
    // The statement prints what 세액계산 showed; before any, it has nothing.
    if (!panels_.computation.txtTot1->text().isEmpty()) {
        PageForm *statement = Computed_Statement();
        if (!statement)
            return {};
        pages.push_back(statement);
    }
    if (pages.empty())
        messages_.Info(kNoPageForAll);
    return pages;
}

void PageCommands::Save_Pdf_Command()
{
    PageForm *page = Page_For_Pdf();
    if (!page)
        return;
    const std::string file =
        Suggested_Pdf_Name(Work_File(taxpayerFile), page->Contents().Spec().pageNumber, S(page->windowTitle()));
    const std::string name = dialogs_->Save_In_Last_Folder(window_, file, FileKind::Pdf);
    if (!name.empty())
        Save_Pdf(*page, Q(name));
}

void PageCommands::Save_All_Pdf_Command()
{
    const std::vector<PageForm *> pages = Pages_With_Content();
    if (pages.empty())
        return;
    const std::string name =
        dialogs_->Save_In_Last_Folder(window_, Suggested_Pdf_Name(Work_File(taxpayerFile), {}, {}), FileKind::Pdf);
    if (!name.empty())
        Save_Pdf(pages, Q(name));
}

bool PageCommands::Save_Pdf(PageForm &page, const QString &path)
{
    PageForm *const pages[] = {&page};
    return Save_Pdf(pages, path);
}

bool PageCommands::Save_Pdf(std::span<PageForm *const> pages, const QString &path)
{
    std::vector<std::span<const Page>> sheets;
    for (const PageForm *page : pages)
        sheets.push_back(page->Sheets());
    PdfPrinter pdf(path);
    if (const std::optional<std::string> failure = Print_Pages(sheets, pdf)) {
        messages_.Plain(*failure);
        return false;
    }
    if (showStatus)
        showStatus(QStringLiteral("PDF를 저장했습니다: ") + QDir::toNativeSeparators(path));
    return true;
}

void PageCommands::Choose_Printer()
{
    if (installedPrinters && installedPrinters().isEmpty()) {
        messages_.Info(kNoPrinter);
        return;
    }
    if (choosePrinter)
        choosePrinter();
}

void PageCommands::Import_Register(RegisterKind kind)
{
    const std::string name = dialogs_->Open_In_Last_Folder(window_, FileKind::RegisterCsv);
    if (!name.empty())
        panels_.Register(kind).Import_File(Q(name));
}

void PageCommands::Export_Register(RegisterKind kind)
{
    const char *file = kind == RegisterKind::Interest ? "이자소득명세.csv" : "배당소득명세.csv";
    const std::string name = dialogs_->Save_In_Last_Folder(window_, file, FileKind::RegisterCsv);
    if (!name.empty())
        panels_.Register(kind).Export_File(Q(name));
}

std::string Suggested_Pdf_Name(std::string_view taxpayerFile, std::string_view pageNumber, std::string_view pageTitle)
{
    if (taxpayerFile.empty()) {
        const QString title = Q(std::string(pageTitle)).trimmed();
        return S((title.isEmpty() ? QString::fromUtf8("모든 쪽") : title) + QStringLiteral(".pdf"));
    }
    QString name = QFileInfo(Q(std::string(taxpayerFile))).completeBaseName();
    // "(제5쪽)" goes in as "제5쪽".
    const QString page = Q(std::string(pageNumber)).remove(QChar('(')).remove(QChar(')'));
    if (!page.isEmpty())
        name += QChar(' ') + page;
    return S(name + QStringLiteral(".pdf"));
}
