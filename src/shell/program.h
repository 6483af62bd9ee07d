// Starting the program: application set-up and the first window.
#pragma once

#include <memory>

class QApplication;

// Application name, version and the Korean font substitutions.
void Setup_Application(QApplication &app);

// The running program: what owns the windows of a run.
class Program {
public:
    Program();
    ~Program();
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
