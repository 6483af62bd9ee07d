#include "ui/registers/dividend_panel.h"

#include "core/common/amount.h"
#include "ui/platform/field_box.h"
#include "ui/platform/focus_hook.h"
#include "ui/platform/grid_view.h"
#include "core/common/messages.h"
#include "gui/platform/twips.h"
#include "core/registers/register_entry.h"
#include "core/registers/regrouping.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {

struct EntryField {
    const char *caption;
    TwipsRect place;
    const char *help; // nullptr for the computed fields, which never have the focus
};

constexpr int kFieldHeight = 345;
constexpr EntryField kCodeList = {
    "소득구분",
    {120, 525, 1110, 300},
    "21-Gross-Up 대상 배당소득,  22-Gross-Up 대상 아닌 배당소득, 23-원천징수되지 않는 배당소득"};
constexpr EntryField kFields[7] = {
    {"배당지급법인명", {1335, 510, 2505, kFieldHeight}, "배당을 지급하는 법인 또는 단체의 명칭"},
    {"사업자등록번호", {3930, 510, 2310, kFieldHeight}, "배당을 지급하는 법인 또는 단체의 사업자등록번호"},
    {"배당액", {105, 1305, 2175, kFieldHeight}, "배당의 지급법인별 연간 합계액"},
    {"배당가산/대상금액", {2370, 1305, 2100, kFieldHeight}, "내국법인(단체)의 배당액중 종합과세배당소득"},
    {"배당가산액", {4560, 1305, 2010, kFieldHeight}, nullptr},
    {"배당소득금액", {6675, 1305, 1980, kFieldHeight}, nullptr},
    {"원천징수세액", {8730, 1305, 1950, kFieldHeight}, "원천징수된 소득세"},
};
constexpr int kCaptionAbove = 315; // captions at 195 over fields at 510, 990 over 1305
constexpr TwipsRect kGrid = {210, 2430, 10755, 3990};

constexpr RegisterPanel::Buttons kButtons = {{4335, 5670, 7005, 9675, 8340}, 1950};

constexpr int kGrossUpField = 4;
constexpr int kIncomeField = 5;
constexpr int kLastField = 6;

} // namespace

DividendPanel::DividendPanel(QWidget *parent, Messages &messages)
    : RegisterPanel(parent, messages, kDividendLayout.name, kButtons, kGrid)
{
    QLabel *codeCaption = Entry_Caption(this, kCodeList.caption, kCodeList.place.left, 195, kCodeList.place.width);
    cmbBD = Code_List(this, kCodeList.place);
    Name_Field(codeCaption, cmbBD, kCodeList.help);
    On_Got_Focus(cmbBD, [this] { Help(QString::fromUtf8(kCodeList.help)); });

    for (int i = 0; i <= kLastField; ++i) {
        const EntryField &entry = kFields[i];
        QLabel *caption =
            Entry_Caption(this, entry.caption, entry.place.left, entry.place.top - kCaptionAbove, entry.place.width);
        FieldBox *field = Entry_Field(this, entry.place, i >= 2);
        Name_Field(caption, field, entry.help);
        if (entry.help)
            Show_Focus(
                field, [this](const QString &text) { Help(text); }, entry.help);
        else
            Make_Computed(field);
        field->onKeyDown = [this, i](QKeyEvent *e) { return txtBD_KeyDown(i, Virtual_Key(e->key())); };
        connect(field, &QLineEdit::textChanged, this, [this, i] { txtBD_Change(i); });
        txtBD[i] = field;
    }

    fgBD_View->onClick = [this](int row) { fgBD_Click(row); };
    Tab_Order_After(txtBD[kLastField]);
    Watch_Entry();
}

void DividendPanel::BD_Calc()
{
    const GrossUp g = ::BD_Calc(S(txtBD[2]->text()), S(txtBD[3]->text()));
    if (g.overflow) {
        // The amount just typed loses its last character, in whichever
        // field has the focus.
        QWidget *focused = QApplication::focusWidget();
        messages_.Plain(kAmountTooLargeMessage);
        for (FieldBox *field : txtBD)
            if (field == focused)
                field->backspace();
        return;
    }
    // Writing an unchanged text starts no change handling, which ends the
    // chain of the computed fields' own change handling.
    txtBD[kGrossUpField]->setText(Q(g.grossUp));
    txtBD[kIncomeField]->setText(Q(g.income));
}

void DividendPanel::txtBD_Change(int index)
{
    if (index >= 2) {
        FieldBox *field = txtBD[index];
        if (Amount_Field_Change(field, messages_))
            return; // the rewritten text's own change handling has computed
        if (Parse_Number(S(field->text())).status != NumberStatus::Number) {
            // An amount the user erased no longer counts in the computed
            // fields; Init_BD, emptying them all, leaves them empty.
            const bool erased = field->text().isEmpty() && !initialising_ && (index == 2 || index == 3);
            if (!erased)
                return;
        }
    }
    BD_Calc();
}

void DividendPanel::Init_BD()
{
    butBD[2]->setEnabled(false);
    BD_EditRow = 0;
    cmbBD->setCurrentIndex(0);
    initialising_ = true;
    for (FieldBox *field : txtBD) // 0 and 1, then the amounts in order
        field->clear();
    initialising_ = false;
    Try_Focus(txtBD[0]);
}

void DividendPanel::keyM(int target, int step)
{
    if (target < 0 || target > kLastField)
        return;
    FieldBox *field = txtBD[target];
    if (!field->isEnabled()) {
        if (target + step < 0 || target + step > kLastField)
            return;
        field = txtBD[target + step];
    }
    Try_Focus(field);
    Select_Whole_Text(field);
}

bool DividendPanel::txtBD_KeyDown(int index, int key)
{
    switch (key) {
    case 13: // Enter, Down, Right
    case 40:
    case 39:
        if (index == kLastField)
            return false; // nothing to move to: the key does what it does in a text box
        keyM(index + 1, 2);
        return true;
    case 38: // Up, Left
    case 37:
        if (index == 0)
            return false;
        keyM(index - 1, -2);
        return true;
    case 33: // Page Up
        Try_Focus(txtBD[0]);
        Select_Whole_Text(txtBD[0]);
        return true;
    case 34: // Page Down
        Try_Focus(txtBD[kLastField]);
        Select_Whole_Text(txtBD[kLastField]);
        return true;
    default:
        return false;
    }
}

void DividendPanel::Save()
{
    BD_Calc();
    std::array<std::string, 7> fields;
    for (int k = 0; k <= kLastField; ++k)
        fields[k] = S(txtBD[k]->text());
    Save_Fields(fields, txtBD[0], txtBD[1]);
}

void DividendPanel::fgBD_Click(int row)
{
    if (!Load_Row(row))
        return;
    // Each field's change handling runs as its text is set, so the computed
    // fields end up worked out again from the loaded amounts.
    for (int k = 0; k <= kLastField; ++k)
        txtBD[k]->setText(Q(fgBD.Text(row, kNameCol + k)));
    Try_Focus(txtBD[0]);
    Select_Whole_Text(txtBD[0]);
    butBD[2]->setEnabled(true);
}
