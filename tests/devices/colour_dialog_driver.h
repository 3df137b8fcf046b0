#pragma once
// Drives the modal colour dialog from inside its own run, so that tests that
// open it never block.
#include <QString>

#include <functional>

class QWidget;

namespace q31::test {

// Once a colour dialog shows, hands its window to act (which should end it);
// a dialog still open after a generous wait is cancelled and the test fails.
void WhenColourDialogShows(const std::function<void(QWidget& dialog)>& act);
// Clicks the control of that name in the dialog; false when there is none.
bool ClickInDialog(QWidget& dialog, const QString& name);
// The open colour dialogs.
int OpenColourDialogs();

}  // namespace q31::test
