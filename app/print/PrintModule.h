#pragma once

#include <QFont>
#include <QString>

class QDialog;
class QPrinter;
class QWidget;

// The entry points of the print module (zem-print), a library of its own that
// links Qt Print Support and is loaded on the first print, so that start-up
// does not load the print system.

inline constexpr char PrintModuleName[] = "zem-print";

// The printer of the run (high resolution), and its end.
inline constexpr char NewPrinterSymbol[] = "zemNewPrinter";
inline constexpr char DeletePrinterSymbol[] = "zemDeletePrinter";
using NewPrinterFn = QPrinter* (*)();
using DeletePrinterFn = void (*)(QPrinter* printer);

// Asks with the print dialog (run through runModal, the program's one way of
// running a modal window) and prints plain text on the printer in the font,
// 100 twips from the left and 30 twips from the top of the printable area,
// wrapping long lines and running on to further pages.
enum class PrintOutcome { Cancelled, Printed, Failed };
inline constexpr char PrintWithDialogSymbol[] = "zemPrintWithDialog";
using PrintWithDialogFn = PrintOutcome (*)(QPrinter* printer, QWidget* parent, const QString& text,
                                           const QFont& font, int (*runModal)(QDialog&));
