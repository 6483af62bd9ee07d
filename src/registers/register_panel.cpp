#include "registers/register_panel.h"

#include "platform/focus_hook.h"
#include "platform/grid_view.h"
#include "platform/messages.h"
#include "platform/twips.h"
#include "registers/register_entry.h"
#include "registers/regrouping.h"

#include <QComboBox>
#include <QPushButton>

namespace {

constexpr const char *kButtonCaptions[5] = {"저장(&S)", "새로작성(&N)", "항목삭제(&D)", "인쇄(&P)", "전체삭제(&E)"};
constexpr const char *kNothingToPrint = "인쇄할 내용이 없습니다.";
constexpr const char *kNothingToDelete = "삭제할 내용이 없습니다.";
constexpr const char *kConfirmDeleteAll = "입력한 항목을 전체삭제 하시겠습니까?";
constexpr const char *kDeleteAllTitle = "전체삭제";

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
}

void RegisterPanel::Tab_Order_After(QWidget *lastField)
{
    // Delete all stands left of Print.
    const std::array<QWidget *, 6> order = {lastField, buttons_[0], buttons_[1], buttons_[2], buttons_[4], buttons_[3]};
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void RegisterPanel::Help(const QString &text)
{
    if (setHelp)
        setHelp(text);
}

void RegisterPanel::Show_Grid() { gridView_->Mirror(grid_); }

void RegisterPanel::Replace_Grid(GridModel grid)
{
    Init_Entry();
    grid_ = std::move(grid);
    Show_Grid();
    Changed();
}

void RegisterPanel::Changed()
{
    if (onChanged)
        onChanged();
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

void RegisterPanel::Save_Fields(std::span<const std::string> fields, QWidget *nameField)
{
    const SaveResult saved = Save_Row(grid_, editRow_, Entry_Cells(grid_, S(codes_->currentText()), fields));
    if (const char *refusal = Refusal_Message(saved, Layout_Of(grid_))) {
        messages_.Plain(refusal);
        if (saved == SaveResult::NameMissing)
            Try_Focus(nameField);
        return;
    }
    Init_Entry();
    Show_Grid();
    Changed();
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
    Changed();
}

void RegisterPanel::Print()
{
    if (grid_.Rows() < 3) { // the header and the total row only
        messages_.Info(kNothingToPrint);
        return;
    }
    if (onPrint)
        onPrint();
}

void RegisterPanel::Delete_All()
{
    if (grid_.Rows() < 3) {
        messages_.Info(kNothingToDelete);
        return;
    }
    if (!messages_.Confirm(kConfirmDeleteAll, kDeleteAllTitle))
        return;
    Init_Entry();
    grid_.Set_Rows(1);
    Reset_fg(grid_);
    Show_Grid();
    Changed();
}
