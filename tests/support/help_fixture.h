// A main window whose application folder is a temporary one holding small
// help documents of known text, as the help panel and viewer read them.
#pragma once

#include "ui/computation/computation_panel.h"
#include "ui/help/help_panel.h"
#include "ui/help/help_viewer.h"
#include "ui/platform/field_box.h"
#include "ui/help/rich_text_box.h"
#include "ui/shell/main_window.h"
#include "support/recording_messages.h"
#include "support/recording_printer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// RTF of a text, each character outside ASCII as \uN.
inline QByteArray Rtf_Of(const QString &text)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg949\\deff0{\\fonttbl{\\f0\\fcharset129 Gulim;}}\\uc0\\f0 ";
    for (QChar c : text) {
        if (c == u'\n')
            rtf += "\\par ";
        else if (c.unicode() < 128 && c != u'\\' && c != u'{' && c != u'}')
            rtf += static_cast<char>(c.unicode());
        else
            rtf += "\\u" + QByteArray::number(static_cast<short>(c.unicode())) + ' ';
    }
    return rtf + "}";
}

class HelpTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        for (int n = 0; n < 4; ++n)
            Write_Doc(QStringLiteral("help_%1.rtf").arg(n), QStringLiteral("도움말 %1").arg(n));
        Write_Doc(QString::fromUtf8("계산서작성요령.rtf"), QString::fromUtf8("작성요령 본문"));
        Write_Doc(QString::fromUtf8("프로그램사용법.rtf"), QString::fromUtf8("사용법 본문"));
    }

    // With the temporary folder, or another, as the application's folder.
    void Open_Main_Window(const QString &appPath = {})
    {
        window = std::make_unique<frm금융소득2>(messages, printer, appPath.isEmpty() ? dir.path() : appPath);
        window->show();
        Activate(window.get());
    }

    void Write_Doc(const QString &name, const QString &text)
    {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(Rtf_Of(text));
    }
    void Remove_Doc(const char *name) { QFile::remove(Path(QString::fromUtf8(name))); }
    QString Path(const QString &name) const { return QDir(dir.path()).filePath(name); }

    static void Activate(QWidget *w)
    {
        w->activateWindow();
        QApplication::setActiveWindow(w);
        ASSERT_TRUE(QTest::qWaitFor([w] { return QGuiApplication::focusWindow() == w->windowHandle(); }));
    }

    // The user goes to another window and comes back to the main window.
    void Return_To_Main_Window()
    {
        QWidget other;
        other.show();
        Activate(&other);
        Activate(window.get());
    }

    std::string Panel_Text() const { return window->Help().Rich1->Plain_Text(); }

    // F1 in the computation panel's line editor.
    mod도움말 *Press_F1()
    {
        window->cmdTab[1]->click();
        QTest::keyClick(window->Computation().txtMove1[0], Qt::Key_F1);
        return window->Loaded_Help_Viewer();
    }

    QTemporaryDir dir;
    RecordingMessages messages;
    RecordingPrinter printer;
    std::unique_ptr<frm금융소득2> window;
};
