// tarvex.exe: the Windows desktop editor.
#include "win32/win32_api.h"

#include <ole2.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/message_format.h"
#include "platform/resource_ids.h"
#include "platform/string_table.h"
#include "win32/tarvex_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // The arguments as the system's ANSI code page gives them: paths are
  // byte strings throughout.
  std::vector<std::string> args;
  for (int i = 1; i < __argc; ++i) args.emplace_back(__argv[i]);

  // The compound-document services (embedding, drag and drop), with COM
  // for the shell's services (shortcuts, accessibility names); then the
  // common controls of the manifest's version.
  if (FAILED(OleInitialize(nullptr))) {
    const std::string title(tarvex::LoadStringText(tarvex::IDS_APP_TITLE));
    MessageBoxA(nullptr, tarvex::FormatMessage(tarvex::IDS_OLE_INIT_FAILED).c_str(), title.c_str(),
                MB_OK | MB_ICONEXCLAMATION);
    return 1;
  }
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
  InitCommonControlsEx(&controls);

  int exitCode = 0;
  {
    tarvex::win32::CTarvexApp app;
    if (app.InitInstance(args)) {
      app.Run();
    }
    exitCode = app.ExitInstance();
  }
  OleUninitialize();
  return exitCode;
}
