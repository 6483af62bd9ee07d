#include "ui/computation/computation_panel.h"

#include "core/common/amount.h"
#include "ui/platform/field_box.h"
#include "ui/platform/panel_host.h"
#include "ui/platform/designed_colours.h"
#include "gui/platform/fonts.h"
#include "gui/platform/strings.h"
#include "core/common/messages.h"
#include "gui/platform/twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int kBoxWidth = 2625;
constexpr int kBoxHeight = 375;
constexpr int kSecondLineIndent = 220;

struct BoxPlace {
    int left, top;
};
// Lines 1..5 down the left column, 6..9 down the right, so that index i and
// i + 5 share a row; the result box sits beside line 5.
constexpr BoxPlace kBoxes[kLineCount] = {
    {2400, 240}, {2400, 720}, {2400, 1200}, {2400, 1680}, {2400, 2160},
    {7560, 240}, {7560, 720}, {7560, 1200}, {7560, 1680},
};
constexpr BoxPlace kResultBox = {7560, 2160};
// ④ 배당세액공제, carried to the return with the tax: the next row down in
// the right column, clear of the buttons below.
constexpr BoxPlace kCreditBox = {7560, 2640};

int Caption_Left(int boxLeft) { return boxLeft == 2400 ? 240 : 5730; }

QLabel *Caption(QWidget *parent, const QString &text, int boxLeft, int boxTop, const QFont &font)
{
    auto *label = new QLabel(text, parent);
    label->setFont(font);
    const int left = Caption_Left(boxLeft);
    label->setGeometry(Twips_Rect(left, boxTop, boxLeft - left - 60, kBoxHeight));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

} // namespace

ComputationPanel::ComputationPanel(QWidget *parent, Messages &messages, InputAmounts &ComputationInputs)
    : QFrame(parent), messages_(messages), inputs_(ComputationInputs)
{
    const QFont boxFont = Design_Font(kGulim, 11.25);
    const QFont captionFont = Design_Font(kGulim, 9);

    for (int i = 0; i < kLineCount; ++i) {
        auto *box = new FieldBox(this);
        box->setGeometry(Twips_Rect(kBoxes[i].left, kBoxes[i].top, kBoxWidth, kBoxHeight));
        box->setFont(boxFont);
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus); // a display: the editor does the typing
        box->onClick = [this, i] { TxtLab4_Click(i); };
        box->setAccessibleName(Q(Line_Name(i)));
        box->setAccessibleDescription(QString::fromUtf8(kLineHelp[i]));
        TxtLab4[i] = box;

        const LineCaption &caption = kLineCaptions[i];
        if (!caption.second) {
            Label3[i] = Caption(this, QString::fromUtf8(caption.first), kBoxes[i].left, kBoxes[i].top, captionFont);
        } else {
            // Two lines, the second indented by about 220 twips, as the form has them.
            Label3[i] = Caption(this,
                                QStringLiteral("<div>%1</div><div style=\"margin-left:%2px\">%3</div>")
                                    .arg(QString::fromUtf8(caption.first).toHtmlEscaped())
                                    .arg(Twips_To_Px(kSecondLineIndent))
                                    .arg(QString::fromUtf8(caption.second).toHtmlEscaped()),
                                kBoxes[i].left, kBoxes[i].top - 60, captionFont);
            Label3[i]->setTextFormat(Qt::RichText);
            Label3[i]->resize(Label3[i]->width(), Twips_To_Px(kBoxHeight + 120));
        }
    }

    const auto resultBox = [this](const char *caption, BoxPlace place, const char *name) {
        auto *box = new QLineEdit(this);
        box->setGeometry(Twips_Rect(place.left, place.top, kBoxWidth, kBoxHeight));
        box->setFont(Design_Font(kGulim, 11.25, true));
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        box->setReadOnly(true);
        box->setObjectName(QString::fromUtf8(name));
        box->setAccessibleName(QString::fromUtf8(caption));
        Caption(this, QString::fromUtf8(caption), place.left, place.top, Design_Font(kGulim, 9.75, true));
        return box;
    };
    txtTot1 = resultBox("종합소득산출세액", kResultBox, "txtTot1");
    txtCredit = resultBox("④ 배당세액공제", kCreditBox, "txtCredit");

    auto *editor = new FieldBox(this);
    editor->setFont(boxFont);
    editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Designed_Field(editor, QColor(216, 244, 254));
    editor->setObjectName(QStringLiteral("txtMove1"));
    editor->hide();
    editor->onKeyDown = [this](QKeyEvent *e) { return txtMove1_KeyDown(Virtual_Key(e->key())); };
    editor->onLostFocus = [this] {
        if (host_)
            host_->Show_Help({});
    };
    connect(editor, &QLineEdit::cursorPositionChanged, this, [this, editor](int, int now) {
        if (editor->text() == Q(current_.text))
            current_.caret = now;
    });
    // Qt reports a user's edit (textEdited) before the change itself
    // (textChanged), so current_ still holds the text as it was before the
    // keystroke when the typing filter looks at it.
    connect(editor, &QLineEdit::textChanged, this, [this, editor] {
        current_ = {S(editor->text()), editor->cursorPosition()};
    });
    connect(editor, &QLineEdit::textEdited, this, [this](const QString &text) { txtMove1_Change(text); });
    txtMove1[0] = editor;

    // Any change of a line, however made (typing, undo, F3), may leave the
    // tax shown behind the lines.
    for (QLineEdit *box : {static_cast<QLineEdit *>(editor), txtTot1})
        connect(box, &QLineEdit::textChanged, this, [this] { Show_Tax_State(CurLine); });
    for (FieldBox *box : TxtLab4)
        connect(box, &QLineEdit::textChanged, this, [this] { Show_Tax_State(CurLine); });
}

void ComputationPanel::txtMove1_Change(const QString &text)
{
    FieldBox *editor = txtMove1[0];
    const EditorTyping typed = Filter_Editor_Typing(current_, {S(text), editor->cursorPosition()});
    if (typed.edit.text != S(text) || typed.edit.caret != editor->cursorPosition()) {
        editor->setText(Q(typed.edit.text));
        editor->setCursorPosition(typed.edit.caret);
    }
    if (typed.overflow)
        messages_.Plain(kAmountTooLarge);
}

bool ComputationPanel::txtMove1_KeyDown(int key)
{
    switch (key) {
    case 27: // Esc
        if (host_)
            host_->Close_Window();
        return true;
    case 46: // Delete: the line's value becomes zero
        txtMove1[0]->setText(QStringLiteral("0"));
        // Stored at once (the box lies under the editor), so that it is a
        // step of its own to take back.
        Commit_Editor();
        Done("Delete");
        return true;
    case 112: // F1
        if (host_)
            host_->Open_Help();
        return true;
    case 114: // F3
        if (host_)
            host_->Carry_Totals();
        return true;
    default:
        break;
    }
    const std::optional<int> target = Editor_Key_Target(key, CurLine);
    if (!target)
        return false;
    CurLine = Move_Editor(CurLine, *target);
    return true;
}

int ComputationPanel::Move_Editor(int from, int to)
{
    FieldBox *editor = txtMove1[0];
    const std::string text = S(editor->text());
    if (Refuses_Negative(text, from)) {
        messages_.Info(kNegativeRefused);
        return from;
    }
    TxtLab4[from]->setText(Q(Stored_Line_Text(text)));
    editor->clear();
    Show_LineHelp(to);
    editor->setGeometry(TxtLab4[to]->geometry());
    // Announced as the line it edits.
    editor->setAccessibleName(TxtLab4[to]->accessibleName());
    editor->setAccessibleDescription(TxtLab4[to]->accessibleDescription());
    editor->setText(TxtLab4[to]->text());
    editor->selectAll();
    editor->raise();
    editor->setFocus();
    // Until the caller stores `to` as CurLine, the editor stood for `from`.
    Show_Tax_State(to);
    Done("금액 입력");
    return to;
}

void ComputationPanel::Show_LineHelp(int index)
{
    if (index < 0 || index >= kLineCount || !host_)
        return;
    host_->Show_Help(QString::fromUtf8(kLineHelp[index]));
}

void ComputationPanel::TxtLab4_Click(int index) { CurLine = Move_Editor(CurLine, index); }

bool ComputationPanel::Refuse_Negative()
{
    if (!Refuses_Negative(S(txtMove1[0]->text()), CurLine))
        return false;
    messages_.Info(kNegativeRefused);
    txtMove1[0]->setFocus();
    return true;
}

void ComputationPanel::Commit_Editor()
{
    const QString text = txtMove1[0]->text();
    if (!text.isEmpty())
        TxtLab4[CurLine]->setText(text);
}

bool ComputationPanel::Gather_Inputs()
{
    PanelTexts panel;
    for (int i = 0; i < kLineCount; ++i)
        panel.boxes[i] = S(TxtLab4[i]->text());
    panel.editor = S(txtMove1[0]->text());
    panel.curLine = CurLine;

    const bool ok = ::Gather_Inputs(panel, inputs_);
    if (!ok) {
        messages_.Info(kNotANumber);
        return false;
    }
    if (panel.editor != S(txtMove1[0]->text()))
        txtMove1[0]->setText(Q(panel.editor));
    TxtLab4[CurLine]->setText(Q(panel.boxes[CurLine]));
    return true;
}

void ComputationPanel::Clear_Panel()
{
    for (FieldBox *box : TxtLab4)
        box->clear();
    for (int i = 0; i <= 10; ++i)
        inputs_[i] = 0;
    txtMove1[0]->clear();
    txtTot1->clear();
    txtCredit->clear();
    CurLine = Move_Editor(CurLine, 0);
    txtMove1[0]->setFocus();
    Done("새로작성");
}

void ComputationPanel::Carry_Lines(const std::array<std::string, 7> &lines)
{
    for (std::size_t i = 0; i < lines.size(); ++i)
        TxtLab4[i]->setText(Q(lines[i]));
    // The editor holds its line's value, which moving on stores: on a
    // carried line that is the carried value.
    if (CurLine < static_cast<int>(lines.size()))
        txtMove1[0]->setText(TxtLab4[CurLine]->text());
    CurLine = Move_Editor(CurLine, 7);
}

void ComputationPanel::Load_Lines(const std::array<std::string, kLineCount> &lines)
{
    for (int i = 0; i < kLineCount; ++i)
        TxtLab4[i]->setText(Q(lines[i]));
    for (int i = 0; i <= 10; ++i)
        inputs_[i] = 0;
    txtTot1->clear();
    txtCredit->clear();
    CurLine = 0;
    FieldBox *editor = txtMove1[0];
    editor->setText(TxtLab4[0]->text());
    Place_Editor();
    editor->selectAll();
}

void ComputationPanel::Done(const char *command)
{
    if (host_)
        host_->Command_Done(command);
}

std::array<std::string, kLineCount> ComputationPanel::Stored_Lines() const
{
    std::array<std::string, kLineCount> lines;
    for (int i = 0; i < kLineCount; ++i)
        lines[i] = Stored_Line_Text(S(TxtLab4[i]->text()));
    return lines;
}

void ComputationPanel::Restore_Lines(const std::array<std::string, kLineCount> &lines)
{
    for (int i = 0; i < kLineCount; ++i)
        TxtLab4[i]->setText(Q(lines[i]));
    txtMove1[0]->setText(TxtLab4[CurLine]->text());
    txtMove1[0]->selectAll();
}

std::array<std::string, kLineCount> ComputationPanel::Line_Texts() const { return Lines_With_Editor(CurLine); }

std::array<std::string, kLineCount> ComputationPanel::Lines_With_Editor(int current) const
{
    std::array<std::string, kLineCount> lines;
    for (int i = 0; i < kLineCount; ++i)
        lines[i] = Stored_Line_Text(S(TxtLab4[i]->text()));
    lines[current] = Stored_Line_Text(S(txtMove1[0]->text()));
    return lines;
}

void ComputationPanel::Place_Editor()
{
    txtMove1[0]->setGeometry(TxtLab4[CurLine]->geometry());
    txtMove1[0]->setAccessibleName(TxtLab4[CurLine]->accessibleName());
    txtMove1[0]->setAccessibleDescription(TxtLab4[CurLine]->accessibleDescription());
    txtMove1[0]->raise();
    txtMove1[0]->show();
}

void ComputationPanel::Regroup_Lines()
{
    for (FieldBox *box : TxtLab4)
        box->setText(Q(Format_Grouped(S(box->text()))));
}

std::optional<std::array<std::string, kLineCount>> ComputationPanel::Tax_Lines() const
{
    if (txtTot1->text().isEmpty())
        return std::nullopt;
    return taxLines_;
}

void ComputationPanel::Tax_Computed(const std::string &credit)
{
    taxLines_ = Line_Texts();
    txtCredit->setText(Q(credit));
    Show_Tax_State(CurLine);
}

bool ComputationPanel::Tax_Out_Of_Date() const { return !txtTot1->toolTip().isEmpty(); }

void ComputationPanel::Show_Tax_State(int current)
{
    // Not yet built, or nothing computed: nothing to be out of date.
    if (!txtCredit || !txtMove1[0])
        return;
    const bool outOfDate = !txtTot1->text().isEmpty() && Lines_Differ(taxLines_, Lines_With_Editor(current));
    if (outOfDate == Tax_Out_Of_Date())
        return;
    const QString why = outOfDate ? QString::fromUtf8(kTaxOutOfDate) : QString();
    for (QLineEdit *box : {txtTot1, txtCredit}) {
        // The greyed text is the style's own for a disabled box; clearing
        // the palette gives back the panel's.
        QPalette palette;
        if (outOfDate)
            palette.setColor(QPalette::Text, box->palette().color(QPalette::Disabled, QPalette::Text));
        box->setPalette(palette);
        box->setToolTip(why);
        box->setAccessibleDescription(why);
    }
}
