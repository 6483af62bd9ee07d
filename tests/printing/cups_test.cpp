// Printing for real: the main window's print commands through SystemPrinter,
// Qt's CUPS plugin and a private CUPS scheduler whose one queue, PDF, keeps
// every job's file. The machine's own printers are never seen: the process
// talks only to the scheduler's socket in a temporary folder.
//
// Run without arguments for the default printer PDF; with --no-printer the
// scheduler has no queue at all. Each mode runs its own tests.
#include "gui/printing/printer_qt.h"
#include "core/printing/print_page.h"
#include "ui/printing/print_preview.h"
#include "ui/shell/program.h"
#include "support/pdf_text.h"
#include "support/register_fixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <set>

extern char **environ;

namespace {

// The scheduler of this run, started before any Qt print code has read the
// CUPS environment.
class PrivateCups {
public:
    explicit PrivateCups(bool withPrinter)
    {
        if (!dir_.isValid()) {
            error_ = "no temporary folder: " + dir_.errorString().toStdString();
            return;
        }
        const std::string dir = Dir().toStdString();
        // libcups reads these once; all of them point into the folder, so
        // neither the user's nor the system's defaults can name a printer.
        setenv("CUPS_SERVER", (dir + "/cups.sock").c_str(), 1);
        QDir(Dir()).mkpath("client");
        setenv("CUPS_SERVERROOT", (dir + "/client").c_str(), 1);
        QDir(Dir()).mkpath("home");
        setenv("HOME", (dir + "/home").c_str(), 1);
        unsetenv("LPDEST");
        unsetenv("PRINTER");

        if (!Cupsd_Installed()) {
            missing_ = true;
            error_ = "cupsd is not installed: install cups-daemon, cups-client and poppler-utils "
                     "(`make test` does)";
            return;
        }
        // With --owner the scheduler goes with this process, however it ends.
        std::vector<std::string> args = {"bash", ORVANTA_CUPS_SCRIPT, "start", dir};
        args.insert(args.end(), {"--owner", std::to_string(getpid())});
        if (!withPrinter)
            args.push_back("--no-printer");
        if (!Run(args))
            error_ = "the private CUPS scheduler did not start (see above)";
        else
            started_ = true;
    }
    ~PrivateCups()
    {
        if (started_)
            Run({"bash", ORVANTA_CUPS_SCRIPT, "stop", Dir().toStdString()});
    }
    PrivateCups(const PrivateCups &) = delete;
    PrivateCups &operator=(const PrivateCups &) = delete;

    QString Dir() const { return dir_.path(); }
    QString Out() const { return dir_.filePath("out"); }
    const std::optional<std::string> &Error() const { return error_; }
    bool Missing() const { return missing_; }

private:
    static bool Cupsd_Installed()
    {
        return !QStandardPaths::findExecutable("cupsd").isEmpty() ||
               !QStandardPaths::findExecutable("cupsd", {"/usr/sbin", "/usr/local/sbin"}).isEmpty();
    }
    // Runs a command with this process's output; true when it exits with 0.
    static bool Run(const std::vector<std::string> &args)
    {
        std::vector<char *> argv;
        for (const std::string &a : args)
            argv.push_back(const_cast<char *>(a.c_str()));
        argv.push_back(nullptr);
        pid_t pid = 0;
        if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
            return false;
        int status = 0;
        while (waitpid(pid, &status, 0) < 0)
            if (errno != EINTR)
                return false;
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

    QTemporaryDir dir_{QDir::tempPath() + "/orvanta-cups-XXXXXX"};
    bool started_ = false;
    bool missing_ = false;
    std::optional<std::string> error_;
};

PrivateCups *cups = nullptr;

const std::array<const char *, 9> kFirstExample = {"", "10000000", "30000000", "10000000", "",
                                                   "", "1100000",  "20000000", "3000000"};

class CupsTest : public RegisterTest {
protected:
    void SetUp() override
    {
        ASSERT_NE(cups, nullptr);
        if (cups->Error()) {
            // A developer's machine may not let an unprivileged scheduler
            // run from a temporary folder; CI runs as root and must print.
            if (geteuid() != 0 && !cups->Missing())
                GTEST_SKIP() << *cups->Error() << "; printing through CUPS is tested as root only here";
            FAIL() << *cups->Error();
        }
        // The main window as the program makes it, but with the system's
        // default printer in place of the recording one.
        window = std::make_unique<frm금융소득2>(messages, system);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        seen = Jobs();
    }

    frm_Print *Preview() { return window->Loaded_Preview(); }

    // The job files kept so far, by name.
    static std::set<QString> Jobs()
    {
        const QStringList names = QDir(cups->Out()).entryList({"job-*.pdf"}, QDir::Files);
        return {names.begin(), names.end()};
    }
    // The one job file that appeared since the last call, waiting for the
    // backend up to 20 s; empty when none came or more than one did.
    QString Next_Job()
    {
        QElapsedTimer timer;
        timer.start();
        std::set<QString> now = Jobs();
        while (now.size() == seen.size() && timer.elapsed() < 20000) {
            QTest::qWait(50);
            now = Jobs();
        }
        std::vector<QString> added;
        for (const QString &name : now)
            if (!seen.contains(name))
                added.push_back(name);
        seen = now;
        EXPECT_EQ(added.size(), 1u) << "job files that appeared in " << cups->Out().toStdString();
        return added.size() == 1 ? QDir(cups->Out()).filePath(added.front()) : QString();
    }

    // Prints the preview's newest page with 인쇄 and returns the text of the
    // job the queue received, checked to be one page.
    std::string Print_And_Read()
    {
        messages.shown.clear();
        Preview()->mnu_Print->trigger();
        EXPECT_EQ(messages.shown, (std::vector<RecordedMessage>{{RecordedMessage::Plain, kPrintDone, {}}}));
        const QString job = Next_Job();
        if (job.isEmpty())
            return {};
        EXPECT_EQ(Pdf_Pages(job), 1) << job.toStdString();
        return Run_Tool("pdftotext", {"-layout", job, "-"}).toStdString();
    }

    SystemPrinter system;
    std::set<QString> seen;
};

void Expect_Contains(const std::string &text, std::initializer_list<const char *> parts)
{
    for (const char *part : parts)
        EXPECT_NE(text.find(part), std::string::npos) << "no \"" << part << "\" in the printed page:\n" << text;
}

using PrintingThroughCups = CupsTest;

TEST_F(PrintingThroughCups, TheDefaultPrinterIsThePrivateQueue)
{
    EXPECT_EQ(QPrinterInfo::defaultPrinter().printerName().toStdString(), "PDF");
    EXPECT_EQ(QPrinterInfo::availablePrinterNames(), QStringList{"PDF"});
}

TEST_F(PrintingThroughCups, EachPageArrivesAsAOnePageJobWithItsHeaderAndAmounts)
{
    Save_Interest("13", "한빛저축은행", "12500000", "1925000");
    Save_Dividend("대한전자(주)", "20000000", "2800000");
    Enter_Lines(kFirstExample);
    window->CmdArray1[2]->click();
    ASSERT_EQ(Tax(), "10,158,000");

    Print_Interest();
    Expect_Contains(Print_And_Read(), {"[별지 제40호서식(1)]", "(제5쪽)", "이자소득명세서", "원천징수세액",
                                       "한빛저축은행", "12,500,000", "1,925,000", "합계"});

    Print_Dividend();
    Expect_Contains(Print_And_Read(), {"[별지 제40호서식(1)]", "(제7쪽)", "배당소득명세서", "대한전자(주)",
                                       "20,000,000", "3,800,000", "23,800,000", "2,800,000"});

    window->cmdTab[1]->click();
    window->CmdArray1[3]->click();
    ASSERT_EQ(Preview()->Shown_Page(), window->Loaded_Statement());
    Expect_Contains(Print_And_Read(), {"[별지 제40호 서식(1)]", "(제21쪽)", "종합소득산출세액계산서(금융소득자용)",
                                       "배당세액공제", "30,000,000", "1,100,000", "10,158,000", "498,000"});
}

TEST_F(PrintingThroughCups, PrintingTheSamePageTwiceSendsTwoJobs)
{
    Save_Interest("11", "김민수", "3000000", "");
    Print_Interest();
    const std::size_t before = Jobs().size();
    const std::string first = Print_And_Read();
    const std::string second = Print_And_Read();
    EXPECT_EQ(Jobs().size(), before + 2);
    Expect_Contains(first, {"(제5쪽)", "김민수", "3,000,000"});
    EXPECT_EQ(first, second);
}

using WithoutADefaultPrinter = CupsTest;

TEST_F(WithoutADefaultPrinter, PrintTellsWhyAndSendsNothing)
{
    EXPECT_TRUE(QPrinterInfo::defaultPrinter().isNull());
    Save_Interest("11", "김민수", "3000000", "");
    Print_Interest();
    Preview()->mnu_Print->trigger();
    EXPECT_EQ(messages.shown,
              (std::vector<RecordedMessage>{
                  {RecordedMessage::Plain,
                   "기본 프린터가 지정되어 있지 않습니다. 프린터를 설치하고 기본 프린터로 지정하십시오.\n\n"
                   "파일 메뉴의 프린터 선택으로 다른 프린터를 고르거나, PDF로 저장으로 PDF 파일을 만들 수 있습니다.",
                   {}}}));
    EXPECT_TRUE(Jobs().empty());
    // The page is still there for a try once a printer is set up.
    EXPECT_EQ(window->Interest_Page().Labels("lblEJ")[2]->text().toStdString(), "김민수");
}

} // namespace

int main(int argc, char **argv)
{
    bool withPrinter = true;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--no-printer") == 0) {
            withPrinter = false;
            std::copy(argv + i + 1, argv + argc + 1, argv + i);
            --argc;
            break;
        }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    // Each mode runs the tests written for it, unless asked for others.
    if (GTEST_FLAG_GET(filter) == "*")
        GTEST_FLAG_SET(filter, withPrinter ? "PrintingThroughCups.*" : "WithoutADefaultPrinter.*");

    PrivateCups server(withPrinter);
    cups = &server;
    QApplication app(argc, argv);
    Setup_Application(app);
    const int result = RUN_ALL_TESTS();
    cups = nullptr;
    return result;
}
