#include "ui/registers/interest_panel.h"

#include "core/common/amount.h"
#include "ui/platform/field_box.h"
#include "ui/platform/focus_hook.h"
#include "ui/platform/grid_view.h"
#include "core/common/messages.h"
#include "gui/platform/twips.h"
#include "core/registers/register_entry.h"
#include "core/registers/regrouping.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {

struct EntryField {
    const char *caption;
    TwipsRect place; // inside the entry box
    const char *help;
};

constexpr EntryField kCodeList = {"소득구분",
                                  {120, 510, 1110, 315},
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
constexpr RegisterPanel::Buttons kButtons = {{4275, 5595, 6915, 9550, 8235}, 1250};

constexpr int kLastField = 3;

} // namespace

InterestPanel::InterestPanel(QWidget *parent, Messages &messages)
    : RegisterPanel(parent, messages, kInterestLayout.name, kButtons, kGrid)
{
    auto *box = new QFrame(this);
    box->setGeometry(Twips_Rect(kEntryBox));
    box->setFrameShape(QFrame::Box);
    box->setFrameShadow(QFrame::Sunken);

    QLabel *codeCaption = Entry_Caption(box, kCodeList.caption, kCodeList.place.left, kCaptionTop, kCodeList.place.width);
    cmbEJ = Code_List(box, kCodeList.place);
    Name_Field(codeCaption, cmbEJ, kCodeList.help);
    On_Got_Focus(cmbEJ, [this] { Help(QString::fromUtf8(kCodeList.help)); });

    for (int n = 0; n < 4; ++n) {
        const EntryField &entry = kFields[n];
        QLabel *caption = Entry_Caption(box, entry.caption, entry.place.left, kCaptionTop, entry.place.width);
        FieldBox *field = Entry_Field(box, entry.place, n >= 2);
        Name_Field(caption, field, entry.help);
        Show_Focus(
            field, [this](const QString &text) { Help(text); }, entry.help);
        field->onKeyDown = [this, n](QKeyEvent *e) { return txtEJ_KeyDown(n, Virtual_Key(e->key())); };
        if (n >= 2)
            connect(field, &QLineEdit::textChanged, this, [this, n] { txtEJ_Change(n); });
        txtEJ[n] = field;
    }

    fgEJ_View->onClick = [this](int row) { fgEJ_Click(row); };
    Tab_Order_After(txtEJ[kLastField]);
    Watch_Entry();
}

void InterestPanel::Init_EJ()
{
    butEJ[2]->setEnabled(false);
    EJ_EditRow = 0;
    cmbEJ->setCurrentIndex(0);
    for (FieldBox *field : txtEJ)
        field->clear();
    Try_Focus(txtEJ[0]);
}

void InterestPanel::Save()
{
    std::array<std::string, 4> fields;
    for (int k = 0; k < 4; ++k)
        fields[k] = S(txtEJ[k]->text());
    Save_Fields(fields, txtEJ[0], txtEJ[1]);
}

void InterestPanel::fgEJ_Click(int row)
{
    if (!Load_Row(row))
        return;
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
