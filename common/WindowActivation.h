#pragma once

class QWidget;

// True when the window is being activated from another window of this program,
// false when the user comes back from another program (no window of ours was
// active before). Call it from the window's WindowActivate event.
bool ActivatedFromOwnWindow(const QWidget* window);

// Starts following the focus window; main calls it once at start-up.
void InstallWindowActivationTracking();
