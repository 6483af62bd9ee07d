// Got-focus notifications for controls that have no handler hooks of their
// own (the code lists). Focus that returns with the window's activation
// does not count, as for the entry fields.
#pragma once

#include <functional>

class QWidget;

void On_Got_Focus(QWidget *widget, std::function<void()> handler);

// Gives the focus to a control that can take it now; a hidden or disabled
// control is skipped, as a failed focus move is.
void Try_Focus(QWidget *widget);
