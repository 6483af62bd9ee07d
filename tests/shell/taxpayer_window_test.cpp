// The taxpayer file in the main window: the menu, saving and opening, and
// the question before changed work is dropped, on every way out.
#include "support/pdf_text.h"
#include "support/register_fixture.h"
#include "support/scripted_dialogs.h"

#include "core/files/taxpayer_file.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include <fstream>

namespace {

constexpr const char *kAsk = "변경된 내용을 저장하시겠습니까?";

class TaxpayerWindowTest : public RegisterTest {
protected:
    void SetUp() override
    {
        RegisterTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        window->Use_File_Dialogs(dialogs);
    }

    // A window as the program starts it.
    void Restart()
    {
        window = std::make_unique<frm금융소득2>(messages, printer);
        window->Use_File_Dialogs(dialogs);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        messages.shown.clear();
        dialogs.asked.clear();
    }

    std::string Path(const char *name) const { return dir.filePath(QString::fromUtf8(name)).toStdString(); }
    // The marker follows a change once the event that made it is over.
    std::string Title() const
    {
        QCoreApplication::processEvents();
        return window->windowHandle()->title().toStdString();
    }
    std::vector<std::string> Asked() const
    {
        std::vector<std::string> asked;
        for (const auto &m : messages.shown)
            if (m.kind == RecordedMessage::AskSave)
                asked.push_back(m.text);
        return asked;
    }
    QAction *File_Command(const char *text) const
    {
        for (QAction *action : window->File_Menu()->actions())
            if (action->text() == QString::fromUtf8(text))
                return action;
        ADD_FAILURE() << text;
        return nullptr;
    }

    // Line 2 typed and left, and one interest payment.
    void Enter_Work()
    {
        window->cmdTab[1]->click();
        Key(Qt::Key_Down);
        Type("5000000");
        Key(Qt::Key_Return);
        Save_Interest("13", "한빛저축은행", "12500000", "1925000");
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
};

TEST_F(TaxpayerWindowTest, TheFileMenuSitsAboveTheDesignedWindow)
{
    ASSERT_EQ(window->Menu_Bar()->actions().size(), 2);
    EXPECT_EQ(window->Menu_Bar()->actions()[0]->text().toStdString(), "파일(&F)");
    EXPECT_EQ(window->Menu_Bar()->actions()[1]->text().toStdString(), "도구(&T)");
    const std::vector<std::pair<const char *, QKeySequence>> commands = {
        {"새로 만들기(&N)", QKeySequence(QStringLiteral("Ctrl+N"))},
        {"열기(&O)...", QKeySequence(QStringLiteral("Ctrl+O"))},
        {"저장(&S)", QKeySequence(QStringLiteral("Ctrl+S"))},
        {"다른 이름으로 저장(&A)...", QKeySequence(QStringLiteral("Ctrl+Shift+S"))},
        {"끝내기(&X)", QKeySequence(QStringLiteral("Ctrl+Q"))},
        {"이자소득명세 가져오기(&I)...", {}},
        {"배당소득명세 내보내기(&V)...", {}},
        {"프린터 선택(&P)...", {}},
        {"PDF로 저장(&F)...", {}},
    };
    for (const auto &[text, keys] : commands) {
        if (QAction *action = File_Command(text)) {
            EXPECT_EQ(action->shortcut(), keys) << text;
        }
    }
    EXPECT_EQ(window->Recent_Menu()->title().toStdString(), "최근 파일(&R)");
    EXPECT_EQ(window->Client()->geometry().top(), window->Menu_Bar()->geometry().bottom() + 1);
}

TEST_F(TaxpayerWindowTest, TheMarkerShowsExactlyWhenTheQuestionWouldBeAsked)
{
    Enter_Work();
    dialogs.names = {Path("w")};
    window->Session().Save_File();
    const auto marked = [&] {
        const bool star = Title().ends_with("*");
        EXPECT_EQ(star, window->Work_Changed());
        return star;
    };
    // Moving the line editor over the lines changes nothing.
    window->cmdTab[1]->click();
    for (int i = 0; i < 4; ++i)
        Key(Qt::Key_Return);
    EXPECT_FALSE(marked());
    // Text typed into a register's fields is changed work until 저장 takes it.
    EJ().txtEJ[0]->setText(QStringLiteral("김"));
    EXPECT_TRUE(marked());
    EJ().txtEJ[0]->clear();
    EXPECT_FALSE(marked());

    // A negative payment: F3 would put a negative total on line 3, so it
    // carries nothing; a negative line under the editor is not saved.
    Save_Interest("13", "환급", "-20000000");
    EXPECT_TRUE(marked());
    messages.shown.clear();
    window->Carry_Register_Totals();
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"산출세액계산 3번 줄: 이자소득명세 소득구분코드 13의 합계 "
                                                         "-7,500,000이(가) 음수입니다. 이 줄은 음수를 받지 않으므로 "
                                                         "1~7번 줄을 옮기지 않았습니다."});
    EXPECT_EQ(Box(1), "5,000,000");
    window->cmdTab[1]->click();
    Type("-3");
    messages.shown.clear();
    EXPECT_FALSE(window->Session().Save_File());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.ends_with(": 음수가 입력되어선 않됩니다!!\n아무것도 저장하지 않았습니다."));
}

TEST_F(TaxpayerWindowTest, EveryWayOutAsksBeforeChangedWorkIsLost)
{
    struct Way {
        const char *name;
        std::function<bool()> leave; // true when the program may end
    };
    const Way ways[] = {
        {"종료", [this] { window->CmdArray1[4]->click(); return !window->isVisible(); }},
        {"close box", [this] { return window->close(); }},
        {"Esc in the line editor",
         [this] {
             window->cmdTab[1]->click();
             Key(Qt::Key_Escape);
             return !window->isVisible();
         }},
        {"끝내기", [this] { File_Command("끝내기(&X)")->trigger(); return !window->isVisible(); }},
        {"session end", [this] { return window->Session_Ending(true); }},
    };
    const struct {
        SaveAnswer answer;
        const char *saveAs; // the name given to the save dialog ("" cancels it)
        bool ends;
    } answers[] = {
        {SaveAnswer::Cancel, "", false},
        {SaveAnswer::DontSave, "", true},
        {SaveAnswer::Save, "kept", true},
        {SaveAnswer::Save, "", false}, // the save dialog cancelled: nothing saved, nothing lost
    };
    for (const Way &way : ways) {
        // Nothing to lose: out at once, without a word.
        Restart();
        EXPECT_TRUE(way.leave()) << way.name;
        EXPECT_TRUE(messages.shown.empty()) << way.name;

        for (const auto &a : answers) {
            Restart();
            Enter_Work();
            messages.saveAnswers = {a.answer};
            const std::string file = Path(a.saveAs) + ".orvanta";
            dialogs.names = {a.saveAs[0] ? Path(a.saveAs) : ""};
            std::filesystem::remove(file);

            const std::string what = std::string(way.name) + ", answer " + std::to_string(int(a.answer)) + a.saveAs;
            EXPECT_EQ(way.leave(), a.ends) << what;
            EXPECT_EQ(Asked(), std::vector<std::string>{kAsk}) << what;
            EXPECT_EQ(std::filesystem::exists(file), a.ends && a.answer == SaveAnswer::Save) << what;
            if (!a.ends) { // everything as it was
                EXPECT_TRUE(window->isVisible()) << what;
                EXPECT_EQ(Box(1), "5,000,000") << what;
                EXPECT_EQ(window->fgEJ().Text(1, 3), "한빛저축은행") << what;
            }
        }
    }
}

TEST_F(TaxpayerWindowTest, ASavedFileOpensAsTheWorkWasAndABadOneChangesNothing)
{
    const std::string caption = "2005 Orvanta(금융소득자용)";
    Enter_Work();
    Save_Dividend("대한전자(주)", "20000000");
    EXPECT_EQ(Title(), caption);
    dialogs.names = {Path("김민수")};
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialogs.asked, std::vector<std::string>{"save"});
    const std::string file = Path("김민수.orvanta");
    EXPECT_EQ(window->File_Path(), file);
    EXPECT_EQ(Title(), caption + " - 김민수.orvanta");

    // A change marks the title; Ctrl+S then saves without asking a name.
    window->cmdTab[1]->click();
    Type("7");
    EXPECT_EQ(Title(), caption + " - 김민수.orvanta*");
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(Title(), caption + " - 김민수.orvanta");
    window->CmdArray1[2]->click();
    EXPECT_EQ(Tax(), "750,000"); // (31) 5,000,000 not withheld at source, at 15/100
    const TaxpayerWork saved = window->Current_Work();

    // 새로 만들기 with nothing changed asks nothing and empties the work.
    File_Command("새로 만들기(&N)")->trigger();
    EXPECT_TRUE(Asked().empty());
    EXPECT_EQ(Title(), caption);
    EXPECT_EQ(window->fgEJ().Rows(), 2);
    EXPECT_EQ(Box(0), "");

    // Opening brings back the rows regrouped and the lines; no tax until 세액계산.
    dialogs.names = {file};
    File_Command("열기(&O)...")->trigger();
    EXPECT_EQ(Taxpayer_Json(window->Current_Work()), Taxpayer_Json(saved));
    EXPECT_EQ(Box(1), "5,000,000");
    EXPECT_EQ(window->fgBD().Text(1, 7), "3,800,000"); // the gross-up worked out again
    EXPECT_EQ(Tax(), "");
    EXPECT_FALSE(window->Work_Changed());
    ASSERT_FALSE(window->Recent_Menu()->actions().isEmpty());
    EXPECT_TRUE(window->Recent_Menu()->actions()[0]->text().endsWith(QStringLiteral("김민수.orvanta")));

    // A damaged file is refused with its reason, and the work stays.
    const std::string bad = Path("bad.orvanta");
    std::ofstream(bad) << Taxpayer_Json(saved).substr(0, 200);
    Type("1");
    EXPECT_FALSE(window->Open_File(bad));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "bad.orvanta 파일을 열 수 없습니다.\n파일이 손상되었거나 잘렸습니다 (10번째 줄).");
    EXPECT_EQ(window->File_Path(), file);
    EXPECT_EQ(Box(1), "5,000,000");
    EXPECT_TRUE(window->Work_Changed());

    // A file dropped on a field opens after the question, here 저장 안 함.
    messages.shown.clear();
    messages.saveAnswers = {SaveAnswer::DontSave};
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Editor(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Editor(), &drop);
    QTest::qWait(20);
    EXPECT_EQ(Asked(), std::vector<std::string>{kAsk});
    EXPECT_FALSE(window->Work_Changed());
    EXPECT_EQ(Box(0), "7");
}

} // namespace

namespace {

TEST_F(TaxpayerWindowTest, RegistersComeInAndGoOutThroughTheFileMenu)
{
    const std::string csv = dir.filePath(QStringLiteral("in.csv")).toStdString();
    std::ofstream(csv) << "13,한빛,,\"12,500,000\",0\n11,가,,100,0\n";
    dialogs.names = {csv};
    File_Command("이자소득명세 가져오기(&I)...")->trigger();
    EXPECT_TRUE(window->cFrame[2]->isVisible()); // the register it went into
    EXPECT_EQ(Grid_Rows(EJ().Grid()), (std::vector<std::string>{"11|1|가||100|0", "13|1|한빛||12,500,000|0",
                                                                "||합계||12,500,100|0"}));
    EXPECT_TRUE(window->windowTitle().endsWith(QChar('*')) || window->Work_Changed());

    // A CSV file dropped on a register panel, here on its name field, is
    // imported into that register, with no question and no text typed.
    const std::string dropped = dir.filePath(QStringLiteral("drop.csv")).toStdString();
    std::ofstream(dropped) << "12,드롭,,7,0\n";
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(dropped))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(EJ().txtEJ[0], &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(EJ().txtEJ[0], &drop);
    QTest::qWait(20);
    EXPECT_EQ(Grid_Rows(EJ().Grid())[1], "12|1|드롭||7|0");
    EXPECT_EQ(Text(EJ().txtEJ[0]), "");
    EXPECT_TRUE(Asked().empty());

    const std::string out = dir.filePath(QStringLiteral("out.csv")).toStdString();
    dialogs.names = {out};
    File_Command("이자소득명세 내보내기(&E)...")->trigger();
    std::ifstream written(out);
    std::string header;
    std::getline(written, header);
    EXPECT_EQ(header, "\xEF\xBB\xBF소득구분코드,상호(성명),사업자등록번호(주민번호),이자소득금액,원천징수세액\r");

    const std::string pdf = dir.filePath(QStringLiteral("5.pdf")).toStdString();
    dialogs.names = {pdf};
    File_Command("PDF로 저장(&F)...")->trigger();
    EXPECT_NE(Pdf_Text(Pdf_Words(QString::fromStdString(pdf))).find("12,500,000"), std::string::npos);
    EXPECT_EQ(dialogs.asked, (std::vector<std::string>{"open", "save", "save"}));
}

} // namespace
