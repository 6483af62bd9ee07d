// The main window's units on their own: the work session over a plain
// window, the page commands over bare panels, and the menu table.
#include "support/recording_messages.h"
#include "support/recording_printer.h"
#include "support/scripted_dialogs.h"

#include "core/files/register_csv.h"
#include "core/files/taxpayer_file.h"
#include "ui/computation/computation_panel.h"
#include "ui/registers/dividend_panel.h"
#include "ui/registers/interest_panel.h"
#include "ui/shell/menu_table.h"
#include "ui/shell/page_commands.h"
#include "ui/shell/work_session.h"

#include <QCoreApplication>
#include <QKeySequence>
#include <QMenu>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>

namespace {

// The work a window would show, without the window.
struct HeldWork final : WorkHolder {
    TaxpayerWork work = Empty_Work();
    bool refuse = false;
    int shown = 0;
    TaxpayerWork Current_Work() const override { return work; }
    void Show_Work(const TaxpayerWork &w) override
    {
        work = w;
        ++shown;
    }
    bool Refuses_Save() override { return refuse; }
    std::map<RegisterKind, PendingEntry> Pending_Entries() const override { return entries; }
    void Restore_Entries(const std::map<RegisterKind, PendingEntry> &e) override { entries = e; }
    bool Save_Pending_Entries() override
    {
        entries.clear();
        return true;
    }
    std::map<RegisterKind, PendingEntry> entries;
};

constexpr const char *kCaption = "2005 Orvanta(금융소득자용)";

} // namespace

TEST(WorkSession, SavesOpensAndAsksAsTheWorkChanges)
{
    QTemporaryDir dir;
    const auto path = [&](const char *name) { return dir.filePath(QString::fromUtf8(name)).toStdString(); };
    QWidget window;
    RecordingMessages messages;
    ScriptedDialogs dialogs;
    HeldWork held;
    WorkSession session(held, messages, &window);
    session.Use_File_Dialogs(dialogs);
    QMenu recent;
    session.Use_Recent_Menu(&recent);
    session.Start();
    EXPECT_EQ(window.windowTitle().toStdString(), kCaption);
    EXPECT_FALSE(session.Work_Changed());
    EXPECT_TRUE(session.Guard()); // nothing to ask about

    held.work.lines[0] = "1,000";
    session.Work_Edited();
    EXPECT_TRUE(session.Work_Changed());
    EXPECT_FALSE(session.Guard()); // 취소
    messages.saveAnswers = {SaveAnswer::DontSave};
    EXPECT_TRUE(session.Guard());

    // Refused by the window: nothing is asked or written.
    held.refuse = true;
    dialogs.names = {path("first")};
    EXPECT_FALSE(session.Save_File());
    EXPECT_TRUE(session.File_Path().empty());
    held.refuse = false;

    // 저장 without a file asks for a name and adds the extension.
    dialogs.names = {path("first")};
    ASSERT_TRUE(session.Save_File());
    EXPECT_EQ(session.File_Path(), path("first.orvanta"));
    EXPECT_FALSE(session.Work_Changed());
    EXPECT_EQ(window.windowTitle().toStdString(), std::string(kCaption) + " - first.orvanta[*]");
    ASSERT_EQ(recent.actions().size(), 1);
    EXPECT_TRUE(recent.actions()[0]->text().endsWith(QStringLiteral("first.orvanta")));

    // A damaged file is refused and the work stays; the saved one opens.
    std::ofstream(path("bad.orvanta")) << "{";
    held.work.lines[1] = "2,000";
    messages.shown.clear();
    EXPECT_FALSE(session.Open_File(path("bad.orvanta")));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text.rfind("bad.orvanta 파일을 열 수 없습니다.\n", 0), 0u);
    EXPECT_EQ(held.work.lines[1], "2,000");

    // The recent file asks before the changed work goes, then opens.
    messages.shown.clear();
    recent.actions()[0]->trigger();
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"변경된 내용을 저장하시겠습니까?"});
    EXPECT_EQ(held.work.lines[1], "2,000");
    messages.saveAnswers = {SaveAnswer::DontSave};
    recent.actions()[0]->trigger();
    EXPECT_EQ(held.work.lines[1], "");
    EXPECT_EQ(held.work.lines[0], "1,000");
    EXPECT_FALSE(session.Work_Changed());

    // A session ending without leave to ask ends at once.
    held.work.lines[2] = "3";
    EXPECT_TRUE(session.Session_Ending(false));
    EXPECT_TRUE(session.May_Close());
}

TEST(WorkSession, KeepsUnsavedWorkForTheNextRunAndAsksBeforeWritingOverAnotherProgramsSave)
{
    QTemporaryDir dir;
    const std::string folder = dir.filePath(QStringLiteral("recovery")).toStdString();
    const std::string file = dir.filePath(QStringLiteral("w.orvanta")).toStdString();
    const auto kept = [&] {
        int n = 0;
        for (const auto &item : std::filesystem::directory_iterator(folder))
            n += item.path().extension() == ".json";
        return n;
    };
    QWidget window;
    RecordingMessages messages;
    ScriptedDialogs dialogs;
    const PendingEntry typed{0, "11", {"김민수", "", "", ""}};
    {
        // Work typed, then the run ended by a signal: the work is kept.
        HeldWork held;
        WorkSession ended(held, messages, &window);
        ended.Use_Recovery(folder);
        ended.Start();
        held.work.lines[7] = "20,000,000";
        held.entries[RegisterKind::Interest] = typed;
        ended.Work_Edited();
        QCoreApplication::processEvents();
        ended.End_By_Signal();
        EXPECT_EQ(kept(), 1);
    }
    HeldWork held;
    WorkSession session(held, messages, &window);
    session.Use_File_Dialogs(dialogs);
    session.Use_Recovery(folder);
    session.Start();
    session.Offer_Recovery(); // closed without an answer: kept for later
    messages.choices = {0};   // 복구
    session.Offer_Recovery();
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].title, "복구/버리기");
    EXPECT_TRUE(messages.shown[1].text.starts_with("저장하지 않은 작업이 있습니다 (20"));
    EXPECT_TRUE(messages.shown[1].text.ends_with("). 복구하시겠습니까?"));
    EXPECT_EQ(held.work.lines[7], "20,000,000");
    EXPECT_EQ(held.entries.at(RegisterKind::Interest), typed);
    EXPECT_TRUE(session.Work_Changed());
    EXPECT_EQ(kept(), 1); // now this run's

    // 저장 takes the entry fields first; the file is then another
    // program's to change, and writing over it is asked first.
    dialogs.names = {file};
    ASSERT_TRUE(session.Save_File());
    EXPECT_TRUE(held.entries.empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(kept(), 0);
    std::ofstream(file) << "other";
    held.work.lines[0] = "1";
    messages.choices = {1}; // 취소
    EXPECT_FALSE(session.Save_File());
    std::ifstream other(file);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(other), {}), "other");
    messages.choices = {0}; // 덮어쓰기
    EXPECT_TRUE(session.Save_File());
    EXPECT_EQ(messages.shown.back().text, "다른 프로그램이 파일을 바꾸었습니다. 덮어쓰시겠습니까?");
    EXPECT_FALSE(session.Work_Changed());
}

TEST(PageCommands, PagesAndFilesFromBarePanels)
{
    QTemporaryDir dir;
    const auto path = [&](const char *name) { return dir.filePath(QString::fromUtf8(name)).toStdString(); };
    QWidget window;
    RecordingMessages messages;
    RecordingPrinter printer;
    ScriptedDialogs dialogs;
    InputAmounts inputs{};
    auto *computation = new ComputationPanel(&window, messages, inputs);
    auto *interest = new InterestPanel(&window, messages);
    auto *dividend = new DividendPanel(&window, messages);
    interest->Replace_Grid(Empty_Register(RegisterKind::Interest));
    dividend->Replace_Grid(Empty_Register(RegisterKind::Dividend));
    PageCommands pages({*computation, *interest, *dividend}, messages, printer, inputs, &window);
    pages.Use_File_Dialogs(dialogs);
    window.show();
    for (QWidget *panel : std::initializer_list<QWidget *>{computation, interest, dividend})
        panel->hide();

    // Nothing is shown: no page for a PDF; 인쇄 before a first 세액계산.
    EXPECT_EQ(pages.Page_For_Pdf(), nullptr);
    EXPECT_FALSE(pages.Print_Statement());
    EXPECT_EQ(messages.Texts(),
              (std::vector<std::string>{"PDF로 저장할 쪽이 없습니다. 명세나 계산서의 화면에서 저장하십시오.",
                                        "세액계산 후 이용가능 합니다."}));

    // A spreadsheet file in, the register's page in the preview, and out again.
    std::ofstream(path("in.csv")) << "11,김민수,750101-1234567,3000000,0\n";
    dialogs.names = {path("in.csv"), path("out.csv")};
    pages.Import_Register(RegisterKind::Interest);
    EXPECT_EQ(interest->Grid().Text(1, 3), "김민수");
    pages.Print_Register(RegisterKind::Interest);
    ASSERT_NE(pages.Loaded_Preview(), nullptr);
    EXPECT_EQ(pages.Loaded_Preview()->Shown_Page(), &pages.Interest_Page());
    pages.Export_Register(RegisterKind::Interest);
    std::ifstream out(path("out.csv"));
    EXPECT_NE(std::string(std::istreambuf_iterator<char>(out), {}).find("김민수"), std::string::npos);

    // With the register panel shown, its page is the one a PDF takes.
    pages.Loaded_Preview()->close();
    interest->show();
    EXPECT_EQ(pages.Page_For_Pdf(), &pages.Interest_Page());
    pages.Close_Pages();
}

TEST(MenuTable, EveryCommandHasItsOwnKeysAndAccessLetter)
{
    std::set<std::string> keys;
    std::map<std::string, std::set<QChar>> letters; // per menu
    int commands = 0;
    for (const MenuItem &item : Menu_Items()) {
        if (item.command == MenuCommand::Separator)
            continue;
        ++commands;
        const QString text = QString::fromUtf8(item.text);
        const qsizetype amp = text.indexOf(QChar('&'));
        ASSERT_GE(amp, 0) << item.text;
        EXPECT_TRUE(letters[item.menu].insert(text[amp + 1]).second) << item.text;
        if (*item.keys) {
            EXPECT_FALSE(QKeySequence(QString::fromLatin1(item.keys)).isEmpty()) << item.keys;
            EXPECT_TRUE(keys.insert(item.keys).second) << item.keys;
        }
    }
    EXPECT_EQ(commands, 13);
}
