// The main window's menus as one table: every command with its menu, its
// text and its keys, built into a menu bar whose items all go to one
// handler. A new command is a row here and a case in the window's handler.
#pragma once

#include <functional>
#include <span>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

enum class MenuCommand {
    NewFile,
    OpenFile,
    RecentFiles, // the submenu of recent files, which the work session fills
    SaveFile,
    SaveFileAs,
    Undo,
    Redo,
    ImportInterest,
    ImportDividend,
    ExportInterest,
    ExportDividend,
    ChoosePrinter,
    SavePdf,
    SaveAllPdf,
    Quit,
    CarryTotals,
    GrossUp,
    Review,
    Separator,
};

struct MenuItem {
    const char *menu; // the title of the menu it stands in
    MenuCommand command;
    const char *text; // with its access key after '&'
    const char *keys; // in Qt's portable form ("Ctrl+Shift+S", "Ctrl+Y; Ctrl+Shift+Z"); empty for none
};

// The items in menu order, menus in the order of their first item.
std::span<const MenuItem> Menu_Items();

struct MenuBar {
    QMenuBar *bar = nullptr;
    QMenu *file = nullptr;   // the first menu, 파일(&F)
    QMenu *recent = nullptr; // its submenu of recent files
    QAction *undo = nullptr, *redo = nullptr;
};

// Builds the table's menus on `window`. Each item's keys work wherever the
// focus is in the window, the line editor included; but a text field with
// typing of its own to take back keeps Ctrl+Z (and its redo) for that.
MenuBar Build_Menu_Bar(QWidget *window, std::function<void(MenuCommand)> run);
