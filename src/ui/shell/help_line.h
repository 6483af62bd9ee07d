// The help line along the bottom of the main window: the bold box "도움말"
// (txtLblHelp) and the line itself (txtHelp), locked and without a tab
// stop, in the system's tool-tip colours.
#pragma once

class QFont;
class QLineEdit;
class QString;
class QTextEdit;
class QWidget;

QLineEdit *Make_Help_Label(QWidget *parent, const QFont &windowFont);
QTextEdit *Make_Help_Line(QWidget *parent);
// Puts a field's help text on the line: two whole lines in its 430 twips.
void Show_Help_Text(QTextEdit *line, const QString &text);
