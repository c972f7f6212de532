// Names that screen readers read for controls that show no caption of
// their own (the text view, the keyword boxes), set through the system's
// accessibility annotation service (IAccPropServices, oleacc).
#ifndef TARVEX_WIN32_ACCESSIBILITY_H_
#define TARVEX_WIN32_ACCESSIBILITY_H_

#include <string>

#include "win32/win32_api.h"

namespace tarvex::win32 {

// Gives `control` the accessible name `name`. False when the service is
// missing (the control then keeps the system's own name).
bool SetAccessibleName(HWND control, const std::wstring& name);

}  // namespace tarvex::win32

#endif  // TARVEX_WIN32_ACCESSIBILITY_H_
