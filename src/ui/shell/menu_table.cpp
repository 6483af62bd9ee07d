#include "ui/shell/menu_table.h"

#include <QAction>
#include <QMenuBar>
#include <QWidget>

namespace {

constexpr const char *kFile = "파일(&F)";
constexpr const char *kTools = "도구(&T)";

constexpr MenuItem kItems[] = {
    {kFile, MenuCommand::NewFile, "새로 만들기(&N)", "Ctrl+N"},
    {kFile, MenuCommand::OpenFile, "열기(&O)...", "Ctrl+O"},
    {kFile, MenuCommand::RecentFiles, "최근 파일(&R)", ""},
    {kFile, MenuCommand::Separator, "", ""},
    {kFile, MenuCommand::SaveFile, "저장(&S)", "Ctrl+S"},
    {kFile, MenuCommand::SaveFileAs, "다른 이름으로 저장(&A)...", "Ctrl+Shift+S"},
    {kFile, MenuCommand::Separator, "", ""},
    {kFile, MenuCommand::ImportInterest, "이자소득명세 가져오기(&I)...", ""},
    {kFile, MenuCommand::ImportDividend, "배당소득명세 가져오기(&D)...", ""},
    {kFile, MenuCommand::ExportInterest, "이자소득명세 내보내기(&E)...", ""},
    {kFile, MenuCommand::ExportDividend, "배당소득명세 내보내기(&V)...", ""},
    {kFile, MenuCommand::Separator, "", ""},
    {kFile, MenuCommand::ChoosePrinter, "프린터 선택(&P)...", ""},
    {kFile, MenuCommand::SavePdf, "PDF로 저장(&F)...", ""},
    {kFile, MenuCommand::Separator, "", ""},
    {kFile, MenuCommand::Quit, "끝내기(&X)", "Ctrl+Q"},
    {kTools, MenuCommand::CarryTotals, "명세 합계를 계산서로 옮기기(&M)", "F3"},
};

} // namespace

std::span<const MenuItem> Menu_Items() { return kItems; }

MenuBar Build_Menu_Bar(QWidget *window, std::function<void(MenuCommand)> run)
{
    MenuBar built;
    built.bar = new QMenuBar(window);
    QMenu *menu = nullptr;
    const char *title = nullptr;
    for (const MenuItem &item : kItems) {
        if (item.menu != title) {
            title = item.menu;
            menu = built.bar->addMenu(QString::fromUtf8(title));
            if (!built.file)
                built.file = menu;
        }
        switch (item.command) {
        case MenuCommand::Separator:
            menu->addSeparator();
            break;
        case MenuCommand::RecentFiles:
            built.recent = menu->addMenu(QString::fromUtf8(item.text));
            break;
        default: {
            QAction *action = menu->addAction(QString::fromUtf8(item.text));
            action->setShortcut(QKeySequence(QString::fromLatin1(item.keys), QKeySequence::PortableText));
            const MenuCommand command = item.command;
            QObject::connect(action, &QAction::triggered, window, [run, command] { run(command); });
            window->addAction(action); // the keys work wherever the focus is in the window
            break;
        }
        }
    }
    return built;
}
