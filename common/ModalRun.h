#pragma once

#include <functional>

class QDialog;

// Every modal window of the program runs through RunModal (QDialog::exec in the
// program), so that tests can drive a modal window without a nested event loop.
int RunModal(QDialog& dialog);

using ModalRunner = std::function<int(QDialog&)>;

// Replaces the modal run; an empty runner restores QDialog::exec.
void SetModalRunner(ModalRunner runner);
