// File dialogs answered from a script instead of shown.
#pragma once

#include "ui/platform/file_dialogs.h"

#include <deque>
#include <string>
#include <vector>

// Answers the file dialogs from a script; an empty name is a cancel.
class ScriptedDialogs final : public FileDialogs {
public:
    std::string Open_Name(QWidget *, const std::string &folder, FileKind) override { return Next("open", folder); }
    std::string Save_Name(QWidget *, const std::string &suggested, FileKind) override
    {
        return Next("save", suggested);
    }

    std::deque<std::string> names;
    std::vector<std::string> asked;
    std::vector<std::string> startedAt; // each dialog's folder or suggested file

private:
    std::string Next(const char *what, const std::string &start)
    {
        asked.push_back(what);
        startedAt.push_back(start);
        std::string name = names.empty() ? std::string() : names.front();
        if (!names.empty())
            names.pop_front();
        return name;
    }
};
