#include "ui/shell/menu_table.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QWidget>

namespace {

constexpr const char *kFile = "파일(&F)";
constexpr const char *kEdit = "편집(&B)";
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
    {kFile, MenuCommand::SaveAllPdf, "모든 쪽을 PDF로 저장(&L)...", ""},
    {kFile, MenuCommand::Separator, "", ""},
    {kFile, MenuCommand::Quit, "끝내기(&X)", "Ctrl+Q"},
    {kEdit, MenuCommand::Undo, "실행 취소(&U)", "Ctrl+Z"},
    {kEdit, MenuCommand::Redo, "다시 실행(&R)", "Ctrl+Y; Ctrl+Shift+Z"},
    {kTools, MenuCommand::CarryTotals, "명세 합계를 계산서로 옮기기(&M)", "F3"},
    {kTools, MenuCommand::GrossUp, "배당가산대상금액 계산(&G)", ""},
    {kTools, MenuCommand::Separator, "", ""},
    {kTools, MenuCommand::Review, "검토(&R)", ""},
};

// Lets a text field take Ctrl+Z while it has typing of its own to take
// back: otherwise the key goes to the window's 실행 취소.
class FieldUndoFirst final : public QObject {
public:
    explicit FieldUndoFirst(QWidget *window) : QObject(window), window_(window) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::ShortcutOverride)
            return false;
        auto *field = qobject_cast<QLineEdit *>(watched);
        if (!field || field->window() != window_)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        // Not accepted, so the key is the window's shortcut.
        return (key->matches(QKeySequence::Undo) && !field->isUndoAvailable()) ||
               (key->matches(QKeySequence::Redo) && !field->isRedoAvailable());
    }

private:
    QWidget *window_;
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
            action->setShortcuts(QKeySequence::listFromString(QString::fromLatin1(item.keys), QKeySequence::PortableText));
            if (item.command == MenuCommand::Undo)
                built.undo = action;
            if (item.command == MenuCommand::Redo)
                built.redo = action;
            const MenuCommand command = item.command;
            QObject::connect(action, &QAction::triggered, window, [run, command] { run(command); });
            window->addAction(action); // the keys work wherever the focus is in the window
            break;
        }
        }
    }
    qApp->installEventFilter(new FieldUndoFirst(window));
    return built;
}
