// What a panel asks of the window around it: the one way back up. A panel
// without a host (alone in a test) asks nothing of anyone.
#pragma once

#include "core/registers/regrouping.h"

class QString;

class PanelHost {
public:
    virtual ~PanelHost() = default;

    // The help line txtHelp; an empty text empties it.
    virtual void Show_Help(const QString &text) = 0;
    // The work on screen changed (a row saved or deleted, a register replaced).
    virtual void Work_Edited() = 0;
    // A command of this name changed the work (or tried to): one step that
    // 실행 취소 takes back. Said once the command is done.
    virtual void Command_Done(const char *command) = 0;
    // A register panel's 인쇄 (its page in the print preview), and its grid
    // menu's 가져오기 and 내보내기 (a spreadsheet file through a dialog).
    virtual void Print_Register(RegisterKind kind) = 0;
    virtual void Import_Register(RegisterKind kind) = 0;
    virtual void Export_Register(RegisterKind kind) = 0;
    // The line editor's keys that reach beyond its panel: Esc closes the
    // window, F1 opens the help viewer, F3 carries the register totals.
    virtual void Close_Window() = 0;
    virtual void Open_Help() = 0;
    virtual void Carry_Totals() = 0;
};
