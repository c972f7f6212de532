// The Windows interface for the Windows editor: the base headers included
// one way (platform/windows_api.h), then the common controls, the common
// dialogs and the shell's functions, which need them first.
#ifndef TARVEX_WIN32_WIN32_API_H_
#define TARVEX_WIN32_WIN32_API_H_

#include "platform/windows_api.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#endif  // TARVEX_WIN32_WIN32_API_H_
