#pragma once

#include <QSize>

// Prints "PAINTED <steady-clock ns> <width> <height> <peak RSS kB>" on stdout
// and ends the program at once with exit code 0. The steady clock is the system-wide
// CLOCK_MONOTONIC, so the launching process can subtract its own start time.
void ReportFirstPaintAndQuit(QSize windowSize);

// Prints "FIRST <steady-clock ns>" on stdout: the end of the first paint of the
// program's first window (zem's splash), its first pixels on screen.
void ReportFirstPixels();
