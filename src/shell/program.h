// Starting the program: application set-up and the first window.
#pragma once

#include <memory>

class QApplication;
class frmSplash;
class frm금융소득2;

// Application name, version and the Korean font substitutions.
void Setup_Application(QApplication &app);

// The running program: what owns the windows of a run.
class Program {
public:
    Program();
    ~Program();
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    // The splash window the program opens with, until it is dismissed.
    frmSplash *Splash() const;
    // The main window, once the splash has opened it.
    frm금융소득2 *Main_Window() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
