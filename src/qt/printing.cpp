#include "qt/printing.h"

#include <Qsci/qsciprinter.h>

#include <QPainter>
#include <QPrinterInfo>

#include "platform/message_format.h"
#include "platform/resource_ids.h"
#include "qt/tarvex_view.h"
#include "qt/text_codec.h"

namespace tarvex::qt {
namespace {
bool PrintsToFile(const QsciPrinter& printer) {
  return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
}
}  // namespace

bool PrintView(CTarvexView& view, QsciPrinter& printer) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  printer.printRange(&view, painter);
  return painter.end();
}

bool HasPrintTarget(const QsciPrinter& printer) {
  if (PrintsToFile(printer)) return true;
  return printer.outputFormat() == QPrinter::NativeFormat && printer.isValid() &&
         !printer.printerName().isEmpty();
}

bool PrinterInstalled(const QString& name) {
  return QPrinterInfo::availablePrinterNames().contains(name);
}

FileErrorMessage PrintFailure(const QsciPrinter& printer) {
  if (PrintsToFile(printer)) return WriteOpenFailure(printer.outputFileName());
  const std::string name = ToPath(printer.printerName());
  return {IDP_FILE_GENERIC, FormatMessage(IDP_FILE_GENERIC, {name})};
}

}  // namespace tarvex::qt
