#pragma once

#include <QString>

// Text tables for a terminal, as the command-line tools print them.

// Columns a text takes on a terminal: two for a wide character (half-width
// katakana take one).
int DisplayWidth(const QString& text);

// The text padded with blanks to `width` columns, on the left when right-aligned.
QString Padded(const QString& text, int width, bool right);
