#pragma once

class QAbstractButton;
class QWidget;

// Esc in the window presses its Cancel button, as in every dialog of the program.
void EscapePresses(QWidget* window, QAbstractButton* cancel);

// Esc closes the window, for windows without a Cancel button.
void EscapeCloses(QWidget* window);
