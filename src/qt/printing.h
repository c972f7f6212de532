// Printing the view's text: laid out over pages by QScintilla's printer,
// the way the view shows it (same font, lines wrapped at the page's edge).
#ifndef TARVEX_QT_PRINTING_H_
#define TARVEX_QT_PRINTING_H_

#include <QString>

#include "qt/file_errors.h"

class QsciPrinter;

namespace tarvex::qt {

class CTarvexView;

// Prints the whole text on `printer`. False when the printer (or the file
// it prints to) cannot be started.
bool PrintView(CTarvexView& view, QsciPrinter& printer);

// Whether `printer` has somewhere to print: an installed printer, or a file.
bool HasPrintTarget(const QsciPrinter& printer);

// Whether a printer of this name is installed.
bool PrinterInstalled(const QString& name);

// Why `printer` could not be started, for the user.
FileErrorMessage PrintFailure(const QsciPrinter& printer);

}  // namespace tarvex::qt

#endif  // TARVEX_QT_PRINTING_H_
