// tarvex.exe: the Windows desktop editor.
#include "win32/win32_api.h"

#include <objbase.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "win32/tarvex_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // The arguments as the system's ANSI code page gives them: paths are
  // byte strings throughout.
  std::vector<std::string> args;
  for (int i = 1; i < __argc; ++i) args.emplace_back(__argv[i]);

  // The shell's services (shortcuts, accessibility names) and the common
  // controls of the manifest's version.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
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
  if (SUCCEEDED(com)) CoUninitialize();
  return exitCode;
}
