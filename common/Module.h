#pragma once

#include <QString>
#include <QtGlobal>

// The program's own modules (libraries beside the program, loaded on first use
// so that start-up does not load what they link): the entry point `symbol` of
// the module named `module`; nullptr, with the reason in error, when the module
// or its entry point is missing. A module is loaded once and stays loaded for
// the rest of the run.
QFunctionPointer ModuleSymbol(const char* module, const char* symbol, QString* error);
