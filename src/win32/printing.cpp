#include "win32/printing.h"

#include "platform/message_format.h"
#include "platform/resource_ids.h"
#include "shell/file_errors.h"
#include "win32/win32_strings.h"

namespace tarvex::win32 {
namespace {

constexpr int kStandardWidth = 2480;  // A4 at 300 dots an inch
constexpr int kStandardHeight = 3508;
constexpr int kStandardDpi = 300;

void Measure(HDC dc, PageMetrics& m) {
  m.fontHeight = -MulDiv(shell::kPrintFontPoints, m.dpiY, 72);
  HFONT font = CreatePageFont(m);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  DeleteObject(font);
  m.charWidth = tm.tmAveCharWidth;
  m.rowHeight = tm.tmHeight + tm.tmExternalLeading;
  m.geometry = shell::PageGeometryFor(m.width, m.height, m.dpiX, m.dpiY, m.charWidth, m.rowHeight);
}

std::string FromDevNames(HGLOBAL names, bool port) {
  if (!names) return {};
  const auto* dn = static_cast<const DEVNAMES*>(GlobalLock(names));
  if (!dn) return {};
  std::string text(reinterpret_cast<const char*>(dn) +
                   (port ? dn->wOutputOffset : dn->wDeviceOffset));
  GlobalUnlock(names);
  return text;
}

}  // namespace

PageMetrics PageMetrics::OfDevice(HDC dc) {
  PageMetrics m;
  m.width = GetDeviceCaps(dc, PHYSICALWIDTH);
  m.height = GetDeviceCaps(dc, PHYSICALHEIGHT);
  if (m.width <= 0 || m.height <= 0) {
    m.width = GetDeviceCaps(dc, HORZRES);
    m.height = GetDeviceCaps(dc, VERTRES);
  }
  m.dpiX = GetDeviceCaps(dc, LOGPIXELSX);
  m.dpiY = GetDeviceCaps(dc, LOGPIXELSY);
  Measure(dc, m);
  return m;
}

PageMetrics PageMetrics::Standard() {
  PageMetrics m;
  m.width = kStandardWidth;
  m.height = kStandardHeight;
  m.dpiX = m.dpiY = kStandardDpi;
  HDC screen = GetDC(nullptr);
  Measure(screen, m);
  ReleaseDC(nullptr, screen);
  return m;
}

HFONT CreatePageFont(const PageMetrics& m) {
  return CreateFontW(m.fontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     FIXED_PITCH | FF_MODERN, L"Courier New");
}

void DrawPage(HDC dc, const shell::PrintedPage& page, const PageMetrics& m) {
  // Offsets from the paper's corner to the printable area's, which is the
  // device's origin.
  const int offsetX = GetDeviceCaps(dc, PHYSICALOFFSETX);
  const int offsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
  const int left = shell::PrintMarginPixels(m.dpiX) - (offsetX > 0 ? offsetX : 0);
  int top = shell::PrintMarginPixels(m.dpiY) - (offsetY > 0 ? offsetY : 0);
  HFONT font = CreatePageFont(m);
  HGDIOBJ old = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  for (const std::string& row : page) {
    const std::wstring text = FromCodePage(row);
    TextOutW(dc, left, top, text.c_str(), static_cast<int>(text.size()));
    top += m.rowHeight;
  }
  SelectObject(dc, old);
  DeleteObject(font);
}

Printer::~Printer() {
  if (devMode_) GlobalFree(devMode_);
  if (devNames_) GlobalFree(devNames_);
}

bool Printer::EnsureChoice() {
  if (devNames_) return true;
  PRINTDLGA pd{};
  pd.lStructSize = sizeof pd;
  pd.Flags = PD_RETURNDEFAULT;
  if (!PrintDlgA(&pd)) return false;
  devMode_ = pd.hDevMode;
  devNames_ = pd.hDevNames;
  return devNames_ != nullptr;
}

bool Printer::AskToPrint(HWND owner, HDC* dc, bool* toFile) {
  EnsureChoice();
  PRINTDLGA pd{};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = owner;
  pd.hDevMode = devMode_;
  pd.hDevNames = devNames_;
  pd.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
  pd.nCopies = 1;
  const BOOL chosen = PrintDlgA(&pd);
  devMode_ = pd.hDevMode;
  devNames_ = pd.hDevNames;
  if (!chosen) return false;
  *dc = pd.hDC;
  *toFile = (pd.Flags & PD_PRINTTOFILE) != 0;
  return true;
}

void Printer::AskSetup(HWND owner) {
  EnsureChoice();
  PRINTDLGA pd{};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = owner;
  pd.hDevMode = devMode_;
  pd.hDevNames = devNames_;
  pd.Flags = PD_PRINTSETUP;
  PrintDlgA(&pd);
  devMode_ = pd.hDevMode;
  devNames_ = pd.hDevNames;
}

HDC Printer::CurrentPrinterDC() {
  if (!EnsureChoice()) return nullptr;
  const auto* names = static_cast<const DEVNAMES*>(GlobalLock(devNames_));
  if (!names) return nullptr;
  const auto* base = reinterpret_cast<const char*>(names);
  const auto* mode = devMode_ ? static_cast<const DEVMODEA*>(GlobalLock(devMode_)) : nullptr;
  HDC dc = CreateDCA(base + names->wDriverOffset, base + names->wDeviceOffset, nullptr, mode);
  if (mode) GlobalUnlock(devMode_);
  GlobalUnlock(devNames_);
  return dc;
}

HDC Printer::NamedPrinterDC(const std::string& printer, const std::string& driver,
                            const std::string& port) {
  return CreateDCA(driver.empty() ? nullptr : driver.c_str(), printer.c_str(),
                   port.empty() ? nullptr : port.c_str(), nullptr);
}

std::string Printer::DeviceName() {
  EnsureChoice();
  return FromDevNames(devNames_, false);
}

std::string Printer::PortName() {
  EnsureChoice();
  return FromDevNames(devNames_, true);
}

bool PrintText(HDC dc, std::string_view text, const std::string& docName,
               const std::string& outputFile) {
  const PageMetrics metrics = PageMetrics::OfDevice(dc);
  const std::vector<shell::PrintedPage> pages = shell::LayOutPages(text, metrics.geometry);
  DOCINFOA doc{};
  doc.cbSize = sizeof doc;
  doc.lpszDocName = docName.c_str();
  doc.lpszOutput = outputFile.empty() ? nullptr : outputFile.c_str();
  if (StartDocA(dc, &doc) <= 0) return false;
  for (const shell::PrintedPage& page : pages) {
    if (StartPage(dc) <= 0) {
      AbortDoc(dc);
      return false;
    }
    DrawPage(dc, page, metrics);
    if (EndPage(dc) <= 0) {
      AbortDoc(dc);
      return false;
    }
  }
  return EndDoc(dc) > 0;
}

std::string AskPrintFileName(HWND owner) {
  char name[MAX_PATH] = {};
  static const char kFilter[] = "Printer Files (*.prn)\0*.prn\0All Files (*.*)\0*.*\0";
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = kFilter;
  ofn.lpstrFile = name;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrTitle = "Print to File";
  ofn.lpstrDefExt = "prn";
  ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
  if (!GetSaveFileNameA(&ofn)) return {};
  return name;
}

std::string PrintFailureText(const std::string& printerName, const std::string& outputFile) {
  if (!outputFile.empty()) return shell::WriteFailure(outputFile, false).text;
  return FormatMessage(IDP_FILE_GENERIC, {printerName});
}

}  // namespace tarvex::win32
