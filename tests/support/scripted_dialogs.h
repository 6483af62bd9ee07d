// File dialogs answered from a script instead of shown.
#pragma once

#include "ui/platform/file_dialogs.h"

#include <deque>
#include <string>
#include <vector>

// Answers the file dialogs from a script; an empty name is a cancel.
class ScriptedDialogs final : public FileDialogs {
public:
    std::string Open_Name(QWidget *, const std::string &, FileKind) override { return Next("open"); }
    std::string Save_Name(QWidget *, const std::string &, FileKind) override { return Next("save"); }

    std::deque<std::string> names;
    std::vector<std::string> asked;

private:
    std::string Next(const char *what)
    {
        asked.push_back(what);
        std::string name = names.empty() ? std::string() : names.front();
        if (!names.empty())
            names.pop_front();
        return name;
    }
};
