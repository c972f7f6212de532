// Gives a Wine prefix a default printer that prints to files: a new prefix
// has none unless CUPS offers some, and print tests need one (Print and Page
// Setup dialogs, StartDoc with an output file). On Windows, use a printer of
// the system's own (Print to PDF) instead.
//
//   tarvex_file_printer.exe [NAME [PPD]]
//
// NAME defaults to "File Printer"; PPD to file-printer.ppd beside this
// program. Running it again on the same prefix only makes NAME the default.
// Exit status 0 when the printer can be used, 1 otherwise (with the reason).
#include <windows.h>

#include <shellapi.h>
#include <winspool.h>

#include <cstdio>
#include <string>

namespace {

constexpr wchar_t kDriver[] = L"Wine PostScript Driver";

int Fail(const char* step, DWORD error) {
  std::fprintf(stderr, "file printer: %s failed (error %lu)\n", step, error);
  return 1;
}

std::wstring Beside(const std::wstring& name) {
  wchar_t self[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring folder(self, n);
  return folder.substr(0, folder.find_last_of(L"\\/") + 1) + name;
}

bool PrinterExists(const std::wstring& name) {
  HANDLE printer = nullptr;
  if (!OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &printer, nullptr)) return false;
  ClosePrinter(printer);
  return true;
}

// The three calls that make a printer without CUPS: the PPD into the
// drivers' folder (Wine's PostScript driver reads it only from there), the
// driver, the printer on FILE:.
int AddFilePrinter(const std::wstring& name, const std::wstring& ppd) {
  wchar_t folder[MAX_PATH];
  DWORD needed = 0;
  if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder),
                                  sizeof folder, &needed)) {
    return Fail("GetPrinterDriverDirectory", GetLastError());
  }
  std::wstring data_file = std::wstring(folder) + L"\\file-printer.ppd";
  if (!CopyFileW(ppd.c_str(), data_file.c_str(), FALSE))
    return Fail("copying the PPD", GetLastError());

  DRIVER_INFO_3W driver{};
  driver.cVersion = 3;
  driver.pName = const_cast<wchar_t*>(kDriver);
  driver.pDriverPath = const_cast<wchar_t*>(L"wineps.drv");
  driver.pConfigFile = const_cast<wchar_t*>(L"wineps.drv");
  driver.pDataFile = data_file.data();
  if (!AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_NEW_FILES) &&
      GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED) {
    return Fail("AddPrinterDriverEx", GetLastError());
  }

  PRINTER_INFO_2W info{};
  info.pPrinterName = const_cast<wchar_t*>(name.c_str());
  info.pPortName = const_cast<wchar_t*>(L"FILE:");
  info.pDriverName = const_cast<wchar_t*>(kDriver);
  info.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
  info.pDatatype = const_cast<wchar_t*>(L"RAW");
  HANDLE printer = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
  if (!printer) return Fail("AddPrinter", GetLastError());
  ClosePrinter(printer);
  return 0;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const std::wstring name = argc > 1 ? argv[1] : L"File Printer";
  const std::wstring ppd = argc > 2 ? argv[2] : Beside(L"file-printer.ppd");
  LocalFree(argv);

  const bool existed = PrinterExists(name);
  if (!existed) {
    if (int failed = AddFilePrinter(name, ppd)) return failed;
  }
  if (!SetDefaultPrinterW(name.c_str())) return Fail("SetDefaultPrinter", GetLastError());
  // The proof that programs can print with it: a printer DC.
  HDC dc = CreateDCW(L"WINSPOOL", name.c_str(), nullptr, nullptr);
  if (!dc) return Fail("CreateDC on the new printer", GetLastError());
  DeleteDC(dc);
  std::printf("file printer: \"%ls\" %s, the default printer\n", name.c_str(),
              existed ? "was there" : "added");
  return 0;
}
