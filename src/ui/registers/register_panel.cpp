#include "ui/registers/register_panel.h"

#include "core/common/messages.h"
#include "core/files/taxpayer_file.h"
#include "core/registers/register_entry.h"
#include "core/registers/regrouping.h"
#include "gui/platform/twips.h"
#include "ui/platform/field_box.h"
#include "ui/platform/focus_hook.h"
#include "ui/platform/grid_view.h"
#include "ui/platform/panel_host.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>

#include <algorithm>
#include <sstream>

namespace {

constexpr const char *kButtonCaptions[5] = {"저장(&S)", "새로작성(&N)", "항목삭제(&D)", "인쇄(&P)", "전체삭제(&E)"};
constexpr const char *kNothingToPrint = "인쇄할 내용이 없습니다.";
constexpr const char *kNothingToDelete = "삭제할 내용이 없습니다.";
constexpr const char *kConfirmDeleteAll = "입력한 항목을 전체삭제 하시겠습니까?";
constexpr const char *kDeleteAllTitle = "전체삭제";
// The keys are the grid's own (see eventFilter); the menu only names them.
constexpr const char *kGridActions[4] = {"복사\tCtrl+C", "붙여넣기\tCtrl+V", "가져오기...", "내보내기..."};

} // namespace

RegisterPanel::RegisterPanel(QWidget *parent, Messages &messages, const char *gridName, const Buttons &buttons,
                             const TwipsRect &gridPlace)
    : QFrame(parent), messages_(messages), grid_(gridName)
{
    for (int n = 0; n < 5; ++n) {
        buttons_[n] = Register_Button(this, kButtonCaptions[n], buttons.lefts[n], buttons.top);
        connect(buttons_[n], &QPushButton::clicked, this, [this, n] { Button_Click(n); });
    }
    gridView_ = new GridView(this);
    gridView_->setGeometry(Twips_Rect(gridPlace));
    // Amounts up to 999,999,999 and a business number show whole; a name
    // may be cut, its tool tip has it all.
    gridView_->Keep_Whole(kNumberCol, QStringLiteral("124-81-00998"));
    for (int c = kFirstAmountCol; c < static_cast<int>(Layout_Of(Kind()).columns.size()); ++c)
        gridView_->Keep_Whole(c, QStringLiteral("999,999,999"));
    // The grid takes the focus for the clipboard keys and its menu.
    gridView_->setFocusPolicy(Qt::StrongFocus);
    gridView_->setAccessibleName(QString::fromUtf8(Kind() == RegisterKind::Interest ? "이자소득명세" : "배당소득명세"));
    gridView_->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (int i = 0; i < 4; ++i) {
        gridActions[i] = new QAction(QString::fromUtf8(kGridActions[i]), gridView_);
        gridView_->addAction(gridActions[i]);
    }
    gridView_->installEventFilter(this);
    connect(gridActions[0], &QAction::triggered, this, [this] { Copy_Rows(); });
    connect(gridActions[1], &QAction::triggered, this, [this] { Paste_Rows(); });
    connect(gridActions[2], &QAction::triggered, this, [this] {
        if (host_)
            host_->Import_Register(Kind());
    });
    connect(gridActions[3], &QAction::triggered, this, [this] {
        if (host_)
            host_->Export_Register(Kind());
    });
}

void RegisterPanel::Tab_Order_After(QWidget *lastField)
{
    // Delete all stands left of Print.
    const std::array<QWidget *, 7> order = {lastField,   buttons_[0], buttons_[1], buttons_[2],
                                            buttons_[4], buttons_[3], gridView_};
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void RegisterPanel::Help(const QString &text)
{
    if (host_)
        host_->Show_Help(text);
}

void RegisterPanel::Show_Grid() { gridView_->Mirror(grid_); }

void RegisterPanel::Replace_Grid(GridModel grid)
{
    Init_Entry();
    grid_ = std::move(grid);
    Show_Grid();
    Changed();
}

void RegisterPanel::Watch_Entry()
{
    for (FieldBox *field : Entry_Fields())
        connect(field, &QLineEdit::textChanged, this, [this] { Changed(); });
    connect(codes_, &QComboBox::currentTextChanged, this, [this] { Changed(); });
}

std::optional<PendingEntry> RegisterPanel::Pending_Entry() const
{
    PendingEntry entry{editRow_, S(codes_->currentText()), {}};
    for (const FieldBox *field : Entry_Fields())
        entry.fields.push_back(S(field->text()));
    if (!grid_.Is_Data(editRow_)) {
        entry.row = 0;
        const bool typed = std::any_of(entry.fields.begin(), entry.fields.end(), [](auto &f) { return !f.empty(); });
        return typed ? std::optional(entry) : std::nullopt;
    }
    // Compared as 저장 would write them, so that a field emptied to zero is
    // no change from a row holding 0.
    const std::vector<std::string> cells = Entry_Cells(grid_, entry.code, entry.fields);
    for (int c = kCodeCol; c < grid_.Cols(); ++c)
        if (c != kSerialCol && cells[c] != grid_.Text(editRow_, c))
            return entry;
    return std::nullopt;
}

void RegisterPanel::Restore_Entry(const PendingEntry &entry)
{
    if (entry.row != 0 && grid_.Is_Data(entry.row))
        Row_Click(entry.row);
    else
        Init_Entry();
    codes_->setCurrentText(Q(entry.code));
    // Computed fields work themselves out from the typed ones.
    const std::span<FieldBox *const> fields = Entry_Fields();
    for (std::size_t k = 0; k < fields.size() && k < entry.fields.size(); ++k)
        if (fields[k]->isEnabled())
            fields[k]->setText(Q(entry.fields[k]));
}

bool RegisterPanel::Save_Pending_Entry()
{
    if (!Pending_Entry())
        return true;
    Save();
    return !Pending_Entry();
}

void RegisterPanel::Changed(const char *command)
{
    if (host_ && command)
        host_->Command_Done(command);
    else if (host_)
        host_->Work_Edited();
}

void RegisterPanel::Button_Click(int n)
{
    switch (n) {
    case 0:
        Save();
        break;
    case 1:
        Init_Entry();
        break;
    case 2:
        Delete_Item();
        break;
    case 3:
        Print();
        break;
    case 4:
        Delete_All();
        break;
    default:
        break;
    }
}

void RegisterPanel::Save_Fields(std::span<const std::string> fields, QWidget *nameField, QWidget *numberField,
                                QWidget *baseField)
{
    const SaveResult saved = Save_Row(grid_, editRow_, Entry_Cells(grid_, S(codes_->currentText()), fields));
    if (const char *refusal = Refusal_Message(saved, Layout_Of(grid_))) {
        messages_.Plain(refusal);
        if (saved == SaveResult::NameMissing || saved == SaveResult::NameTooLong || saved == SaveResult::NameControl)
            Try_Focus(nameField);
        else if (saved == SaveResult::NumberTooLong || saved == SaveResult::NumberControl)
            Try_Focus(numberField);
        else if (saved == SaveResult::BaseAboveDividend && baseField)
            Try_Focus(baseField);
        return;
    }
    Init_Entry();
    Show_Grid();
    Changed("저장");
}

void RegisterPanel::Replace_Rows(GridModel grid, const char *command)
{
    const bool reload = grid_.Is_Data(editRow_) && !Pending_Entry();
    grid_ = std::move(grid);
    if (reload)
        Row_Click(editRow_);
    Show_Grid();
    Changed(command);
}

void RegisterPanel::Show_Row(int row)
{
    gridView_->selectRow(row);
    Row_Click(row);
}

bool RegisterPanel::Load_Row(int row)
{
    if (!grid_.Is_Data(row)) {
        buttons_[2]->setEnabled(false);
        return false;
    }
    editRow_ = static_cast<std::int16_t>(row);
    codes_->setCurrentText(Q(grid_.Text(row, kCodeCol)));
    return true;
}

void RegisterPanel::Delete_Item()
{
    // Only reachable with a data row loaded: Delete item is enabled then.
    if (grid_.Is_Data(editRow_))
        grid_.Remove_Row(editRow_);
    Init_Entry();
    Reset_fg(grid_);
    Show_Grid();
    Changed("항목삭제");
}

bool RegisterPanel::Printable()
{
    if (grid_.Holds_Rows())
        return true;
    messages_.Info(kNothingToPrint);
    return false;
}

void RegisterPanel::Print()
{
    if (Printable() && host_)
        host_->Print_Register(Kind());
}

void RegisterPanel::Delete_All()
{
    if (!grid_.Holds_Rows()) {
        messages_.Info(kNothingToDelete);
        return;
    }
    if (!messages_.Confirm(kConfirmDeleteAll, kDeleteAllTitle))
        return;
    Init_Entry();
    grid_.Set_Rows(1);
    Reset_fg(grid_);
    Show_Grid();
    Changed("전체삭제");
}

RegisterKind RegisterPanel::Kind() const
{
    return Kind_Of(grid_);
}

bool RegisterPanel::Import_From(ByteSource &source, char separator, const char *command)
{
    GridModel work = grid_;
    if (const std::optional<ReadFailure> failure = Import_Register_Rows(source, Kind(), work, separator)) {
        messages_.Info(Describe(*failure));
        return false;
    }
    // The same file taken twice would count every payment twice.
    if (const int repeated = Repeated_Rows(grid_, work);
        repeated > 0 &&
        !messages_.Confirm(
            "이미 있는 행과 같은 행이 " + std::to_string(repeated) + "개 있습니다. 그래도 추가하시겠습니까?", command))
        return false;
    grid_ = std::move(work);
    // The regrouping may have moved the loaded row: the fields start afresh,
    // as after a save.
    if (editRow_ != 0)
        Init_Entry();
    Show_Grid();
    Changed(command);
    return true;
}

bool RegisterPanel::Import_File(const QString &path, const char *command)
{
    const OpenedInput input = Open_Input_File(QFile::encodeName(path).toStdString());
    if (!input.source) {
        messages_.Info(input.error);
        return false;
    }
    return Import_From(*input.source, ',', command);
}

bool RegisterPanel::Import_Text(const std::string &text, char separator)
{
    std::istringstream in(text);
    StreamSource source(in, "클립보드");
    return Import_From(source, separator, "붙여넣기");
}

bool RegisterPanel::Export_File(const QString &path)
{
    // Saved as a taxpayer file is: through links, never onto a device, and
    // whole or not at all.
    const std::string text = Register_File_Text(grid_, Kind(), ',', true);
    if (const std::optional<std::string> failure = Write_Atomically(QFile::encodeName(path).toStdString(), text)) {
        messages_.Info(*failure);
        return false;
    }
    return true;
}

void RegisterPanel::Copy_Rows()
{
    const int row = gridView_->currentRow();
    const std::string text = grid_.Is_Data(row) ? Register_Row_Text(grid_, Kind(), row, '\t')
                                                : Register_File_Text(grid_, Kind(), '\t', false);
    QGuiApplication::clipboard()->setText(Q(text));
}

void RegisterPanel::Paste_Rows() { Import_Text(S(QGuiApplication::clipboard()->text()), '\t'); }

bool RegisterPanel::eventFilter(QObject *watched, QEvent *event)
{
    // Before the view, which would copy the current cell's text alone.
    if (watched == gridView_ && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Copy)) {
            Copy_Rows();
            return true;
        }
        if (key->matches(QKeySequence::Paste)) {
            Paste_Rows();
            return true;
        }
        // Enter loads the selected row as a click on it does.
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && gridView_->onClick) {
            gridView_->onClick(gridView_->currentRow());
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}
