#pragma once

#include <QDateTime>
#include <functional>

// The current date and time, replaceable in tests.
QDateTime Now();
void SetClock(std::function<QDateTime()> clock);  // empty restores the system clock

// Date and time in the general form of a Japanese desktop: 2026/12/06 9:05:03.
QString GeneralDateTime(const QDateTime& when);
