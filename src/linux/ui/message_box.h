#pragma once
// The launcher's message box: modal, without an icon, OK only or Yes/No.

#include "platform/host_services.h"

class QWidget;

namespace korvane::ui {

// Shows the box over `owner` (or free-standing when there is none) and
// returns the button pressed. A Yes/No box has No as its default and as the
// answer when the box is dismissed without a choice: the question is the
// back-end initialisation, and doing nothing is the safe outcome.
MessageAnswer ShowMessageBox(QWidget* owner, const Text& text, const Text& title,
                             MessageButtons buttons);

}  // namespace korvane::ui
