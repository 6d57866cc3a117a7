#pragma once

class QWidget;

// True when the window is being activated from another window of this program,
// also one that has just closed (a message box, another window), false when the
// user comes back from another program. Call it from the window's
// WindowActivate event.
bool ActivatedFromOwnWindow(const QWidget* window);

// Starts following the focus window; main calls it once at start-up.
void InstallWindowActivationTracking();
