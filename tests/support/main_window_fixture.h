// A main window on the offscreen platform with recorded message boxes, and
// the key presses a user makes on it.
#pragma once

#include "ui/computation/computation_panel.h"
#include "ui/computation/statement_form.h"
#include "ui/platform/field_box.h"
#include "ui/shell/main_window.h"
#include "support/recording_messages.h"
#include "support/recording_printer.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<frm금융소득2>(messages, printer);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    ComputationPanel &Panel() { return window->Computation(); }
    FieldBox *Editor() { return Panel().txtMove1[0]; }
    std::string EditorText() { return Editor()->text().toStdString(); }
    std::string Box(int i) { return Panel().TxtLab4[i]->text().toStdString(); }
    std::string Help() { return window->txtHelp->toPlainText().toStdString(); }
    std::string Tax() { return window->txtTot1()->text().toStdString(); }

    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(Editor(), key, mods); }
    // An access key: the button animates its press and clicks a moment later.
    void Alt(Qt::Key key)
    {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window.get(), key, Qt::AltModifier);
        QTest::qWait(150);
    }
    void Type(const char *text) { QTest::keyClicks(Editor(), QString::fromUtf8(text)); }

    // Opens the computation panel and types the nine lines, each left with Enter.
    void Enter_Lines(const std::array<const char *, 9> &lines)
    {
        window->cmdTab[1]->click();
        for (const char *line : lines) {
            Type(line);
            Key(Qt::Key_Return);
        }
    }

    RecordingMessages messages;
    RecordingPrinter printer;
    std::unique_ptr<frm금융소득2> window;
};
