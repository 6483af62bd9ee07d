// Starting the program: application set-up and the first window.
#pragma once

#include <functional>
#include <memory>
#include <string>

class QApplication;

// A UTF-8 character type (Use_Utf8_Ctype), the application name and
// version, the Korean font substitutions and Qt's Korean translation.
void Setup_Application(QApplication &app);

// Qt's Korean translation (qtbase_ko.qm); without it Qt's texts stay English.
void Install_Korean_Translation(QApplication &app);

// Starts the program and runs it until it ends: main() in full. `started`,
// if given, sees the application object before anything is shown.
int Run_Program(int &argc, char **argv, const std::function<void(QApplication &)> &started = {});

// The running program: what owns the windows of a run.
class Program {
public:
    // `file`, when given, is the taxpayer file opened once the main window is up.
    explicit Program(const std::string &file = {});
    ~Program();
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
