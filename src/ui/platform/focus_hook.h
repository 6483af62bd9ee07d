// Focus as the windows' handlers see it. A control gets the focus when it
// becomes the focused control of its window, and loses it when another
// control of the same window gets it. A window losing and regaining its
// activation (a message box coming up, another program) moves nothing, and
// a focus move made while the window was inactive is told when the window
// is active again, the control left losing the focus first.
#pragma once

#include <functional>

class QWidget;

void On_Got_Focus(QWidget *widget, std::function<void()> handler);
void On_Lost_Focus(QWidget *widget, std::function<void()> handler);

// Gives the focus to a control that can take it now; a hidden or disabled
// control is skipped, as a failed focus move is.
void Try_Focus(QWidget *widget);
