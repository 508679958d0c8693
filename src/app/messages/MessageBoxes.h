#pragma once

#include "UserError.h"

#include <QString>

#include <functional>

class QWidget;

// Every box the program shows goes through here, so window tests can read and answer them.
namespace MessageBoxes {
// A box of the program's own: titled "Error" or "Warning", one "OK", centred on the screen.
void show(UserError::Kind kind, const QString &text);
// The standard box for an error that escaped a handler: titled with the application's title.
void showException(const QString &text);

// A warning box over parent with "Yes" and "No", "No" the default; true for "Yes".
[[nodiscard]] bool ask(QWidget *parent, const QString &title, const QString &text);

// Tests: receive (kind, title, text) instead of a box being shown; nullptr restores the boxes.
// A question is received as a warning and answered as setNextAnswer said (then "No" again).
using Hook = std::function<void(UserError::Kind, const QString &, const QString &)>;
void setHook(Hook hook);
void setNextAnswer(bool yes);
} // namespace MessageBoxes
