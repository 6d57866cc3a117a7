#pragma once

#include <functional>

class QObject;
class QWidget;

// Keys that work alike in every window of the program, handled once for the
// whole application instead of in each window:
// - F1 opens the help, from modal windows too;
// - Enter (Return or the keypad's Enter) on a push button that has the focus
//   presses it, as Space does. Buttons are never default buttons, so Enter in
//   an entry box still presses nothing.
// main (and the tests' main) installs them once, before any window opens.
void InstallAppKeys();

// What F1 does: opens the help over `from`, the window the user is in. The
// request is dropped when owner is destroyed; without one F1 does nothing.
using HelpRequest = std::function<void(QWidget* from)>;
void SetHelpRequest(QObject* owner, HelpRequest request);
