#include "registers/interest_panel.h"

#include "common/amount.h"
#include "platform/field_box.h"
#include "platform/focus_hook.h"
#include "platform/grid_view.h"
#include "platform/messages.h"
#include "platform/twips.h"
#include "registers/register_entry.h"
#include "registers/regrouping.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>

namespace {

struct EntryField {
    const char *caption;
    TwipsRect place; // inside the entry box
    const char *help;
};

constexpr EntryField kCodeList = {"소득구분", {120, 510, 1110, 315},
                                  "11-비영업대금의 이익(私債이자), 12-원천징수되지 않는 이자소득, 13-그 밖의 이자소득"};
constexpr EntryField kFields[4] = {
    {"상호(성명)", {1320, 510, 2505, 345}, "이자를 지급하는 자의 상호(성명)"},
    {"사업자등록번호(주민번호)", {3930, 510, 2505, 345}, "이자를 지급하는 자의 사업자등록번호(주민등록번호)"},
    {"이자소득금액", {6525, 510, 2055, 345}, "이자의 지급자별 연간 합계액"},
    {"원천징수세액", {8670, 510, 2055, 345}, "원천징수된 소득세"},
};
constexpr int kCaptionTop = 195;
constexpr TwipsRect kEntryBox = {150, 175, 10875, 1050};
constexpr TwipsRect kGrid = {255, 1770, 10665, 4650};

// Buttons by index, with their left edges; all at top 1250.
constexpr const char *kButtonCaptions[5] = {"저장(&S)", "새로작성(&N)", "항목삭제(&D)", "인쇄(&P)", "전체삭제(&E)"};
constexpr int kButtonLefts[5] = {4275, 5595, 6915, 9550, 8235};
constexpr int kButtonTop = 1250;

constexpr int kLastField = 3;
constexpr const char *kNothingToPrint = "인쇄할 내용이 없습니다.";
constexpr const char *kNothingToDelete = "삭제할 내용이 없습니다.";
constexpr const char *kConfirmDeleteAll = "입력한 항목을 전체삭제 하시겠습니까?";
constexpr const char *kDeleteAllTitle = "전체삭제";

} // namespace

InterestPanel::InterestPanel(QWidget *parent, Messages &messages) : QFrame(parent), messages_(messages)
{
    auto *box = new QFrame(this);
    box->setGeometry(Twips_Rect(kEntryBox.left, kEntryBox.top, kEntryBox.width, kEntryBox.height));
    box->setFrameShape(QFrame::Box);
    box->setFrameShadow(QFrame::Sunken);

    Entry_Caption(box, kCodeList.caption, kCodeList.place.left, kCaptionTop, kCodeList.place.width);
    cmbEJ = Code_List(box, kCodeList.place);
    On_Got_Focus(cmbEJ, [this] { Help(QString::fromUtf8(kCodeList.help)); });

    for (int n = 0; n < 4; ++n) {
        const EntryField &spec = kFields[n];
        Entry_Caption(box, spec.caption, spec.place.left, kCaptionTop, spec.place.width);
        FieldBox *field = Entry_Field(box, spec.place, n >= 2);
        Show_Focus(field, [this](const QString &text) { Help(text); }, spec.help);
        field->onKeyDown = [this, n](QKeyEvent *e) { return txtEJ_KeyDown(n, Virtual_Key(e->key())); };
        if (n >= 2)
            connect(field, &QLineEdit::textChanged, this, [this, n] { txtEJ_Change(n); });
        txtEJ[n] = field;
    }

    for (int n = 0; n < 5; ++n) {
        butEJ[n] = Register_Button(this, kButtonCaptions[n], kButtonLefts[n], kButtonTop);
        connect(butEJ[n], &QPushButton::clicked, this, [this, n] { butEJ_Click(n); });
    }
    // Tab order as the buttons stand, left to right.
    setTabOrder(butEJ[2], butEJ[4]);
    setTabOrder(butEJ[4], butEJ[3]);

    fgEJ_View = new GridView(this);
    fgEJ_View->setGeometry(Twips_Rect(kGrid.left, kGrid.top, kGrid.width, kGrid.height));
    fgEJ_View->onClick = [this](int row) { fgEJ_Click(row); };
}

void InterestPanel::Help(const QString &text)
{
    if (setHelp)
        setHelp(text);
}

void InterestPanel::Show_Grid() { fgEJ_View->Mirror(fgEJ); }

void InterestPanel::Init_EJ()
{
    butEJ[2]->setEnabled(false);
    EJ_EditRow = 0;
    cmbEJ->setCurrentIndex(0);
    for (FieldBox *field : txtEJ)
        field->clear();
    Try_Focus(txtEJ[0]);
}

void InterestPanel::butEJ_Click(int n)
{
    switch (n) {
    case 0:
        Save();
        break;
    case 1:
        Init_EJ();
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

void InterestPanel::Save()
{
    std::array<std::string, 4> fields;
    for (int k = 0; k < 4; ++k)
        fields[k] = S(txtEJ[k]->text());
    const SaveResult saved = Save_Row(fgEJ, EJ_EditRow, Entry_Cells(fgEJ, S(cmbEJ->currentText()), fields));
    if (const char *refusal = Refusal_Message(saved, kInterestLayout)) {
        messages_.Plain(refusal); // the fields keep what was typed
        if (saved == SaveResult::NameMissing)
            Try_Focus(txtEJ[0]);
        return;
    }
    Init_EJ();
    Show_Grid();
}

void InterestPanel::Delete_Item()
{
    if (EJ_EditRow > 0 && EJ_EditRow < fgEJ.Rows() && fgEJ.Is_Data(EJ_EditRow))
        fgEJ.Remove_Row(EJ_EditRow);
    Init_EJ();
    Reset_fg(fgEJ);
    Show_Grid();
}

void InterestPanel::Print()
{
    if (fgEJ.Rows() < 3) { // the header and the total row only
        messages_.Info(kNothingToPrint);
        return;
    }
    if (onPrint)
        onPrint();
}

void InterestPanel::Delete_All()
{
    if (fgEJ.Rows() < 3) {
        messages_.Info(kNothingToDelete);
        return;
    }
    if (!messages_.Confirm(kConfirmDeleteAll, kDeleteAllTitle))
        return;
    Init_EJ();
    fgEJ.Set_Rows(1);
    Reset_fg(fgEJ);
    Show_Grid();
}

void InterestPanel::fgEJ_Click(int row)
{
    if (row <= 0 || row >= fgEJ.Rows() || !fgEJ.Is_Data(row)) {
        butEJ[2]->setEnabled(false);
        return;
    }
    EJ_EditRow = static_cast<std::int16_t>(row);
    cmbEJ->setCurrentText(Q(fgEJ.Text(row, kCodeCol)));
    for (int k = 0; k < 4; ++k)
        txtEJ[k]->setText(Q(fgEJ.Text(row, kNameCol + k)));
    Try_Focus(txtEJ[0]);
    txtEJ[0]->selectAll();
    butEJ[2]->setEnabled(true);
}

void InterestPanel::txtEJ_Change(int n) { Amount_Field_Change(txtEJ[n], messages_); }

bool InterestPanel::txtEJ_KeyDown(int n, int key)
{
    int target;
    switch (key) {
    case 13: // Enter, Down, Right
    case 40:
    case 39:
        target = n + 1;
        break;
    case 38: // Up, Left
    case 37:
        target = n - 1;
        break;
    case 33: // Page Up
        target = 0;
        break;
    case 34: // Page Down
        target = kLastField;
        break;
    default:
        return false;
    }
    // Past either end the focus stays; the field's text is selected all the same.
    FieldBox *now = target >= 0 && target <= kLastField ? txtEJ[target] : txtEJ[n];
    Try_Focus(now);
    Select_Whole_Text(now);
    return true;
}
