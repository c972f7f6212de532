// Printing the document's text with GDI: the printer the user chose (Print
// Setup, Print) or the system's default, pages laid out as the shell layer
// lays them out (shell/print_layout.h) in the view's fixed-pitch font.
#ifndef TARVEX_WIN32_PRINTING_H_
#define TARVEX_WIN32_PRINTING_H_

#include <string>
#include <string_view>
#include <vector>

#include "shell/print_layout.h"
#include "win32/win32_api.h"

namespace tarvex::win32 {

// A page's size and what fits on it, in the device units of a printer.
struct PageMetrics {
  int width = 0;  // the whole paper
  int height = 0;
  int dpiX = 0;
  int dpiY = 0;
  int fontHeight = 0;  // the font's height to ask for (negative: of its characters)
  int charWidth = 0;
  int rowHeight = 0;
  shell::PageGeometry geometry;

  // The metrics of the printer behind `dc`.
  static PageMetrics OfDevice(HDC dc);
  // A4 at 300 dots an inch, measured with the screen's fonts: for a preview
  // without a printer.
  static PageMetrics Standard();
};

// The printer's font for pages of `metrics`; the caller deletes it.
HFONT CreatePageFont(const PageMetrics& metrics);

// Draws one page's rows at the margins, in page units of `metrics`.
void DrawPage(HDC dc, const shell::PrintedPage& page, const PageMetrics& metrics);

// The printer the editor prints on: the one chosen last in a dialog, else
// the system's default.
class Printer {
 public:
  Printer() = default;
  Printer(const Printer&) = delete;
  Printer& operator=(const Printer&) = delete;
  ~Printer();

  // The Print dialog. True with a device context in `*dc` (the caller
  // deletes it) when the user chose to print; `*toFile` when "Print to
  // file" was checked.
  bool AskToPrint(HWND owner, HDC* dc, bool* toFile);
  // The Print Setup dialog; the choice is kept for later prints.
  void AskSetup(HWND owner);

  // A device context of the current printer, or null when there is none.
  HDC CurrentPrinterDC();
  // A device context of a named printer (the command line's "pt"), or null.
  static HDC NamedPrinterDC(const std::string& printer, const std::string& driver,
                            const std::string& port);

  // The name of the current printer and its port ("FILE:" prints to a file).
  std::string DeviceName();
  std::string PortName();

 private:
  // Fills the current choice with the default printer's when there is none yet.
  bool EnsureChoice();

  HGLOBAL devMode_ = nullptr;
  HGLOBAL devNames_ = nullptr;
};

// Prints `text` on `dc` as a job named `docName`, into `outputFile` unless
// it is empty. False when the printer (or the file) could not be started
// or a page failed.
bool PrintText(HDC dc, std::string_view text, const std::string& docName,
               const std::string& outputFile);

// Asks where to print to when the printer's port is a file: a save dialog
// titled "Print to File". Empty when cancelled.
std::string AskPrintFileName(HWND owner);

// The message for a print that could not start: about the file when it
// printed into one, else about the printer.
std::string PrintFailureText(const std::string& printerName, const std::string& outputFile);

}  // namespace tarvex::win32

#endif  // TARVEX_WIN32_PRINTING_H_
