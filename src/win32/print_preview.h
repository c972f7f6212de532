// Print Preview: a window over the main frame that shows the printed pages
// of the text, one or two side by side, with buttons to print, step
// through the pages, switch between one and two pages, zoom and close. The
// frame is disabled while it is open.
#ifndef TARVEX_WIN32_PRINT_PREVIEW_H_
#define TARVEX_WIN32_PRINT_PREVIEW_H_

#include <string_view>

#include "win32/printing.h"
#include "win32/win32_api.h"

namespace tarvex::win32 {

// The window's class, for whoever looks for it.
inline constexpr wchar_t kPreviewWindowClass[] = L"TarvexPrintPreview";

// Shows the preview of `text` laid out for `printer` and returns when it is
// closed: the number of pages shown side by side last (1 or 2), to be kept
// as "PreviewPages". `shownPages` is the number kept before. `*printNow`
// tells whether it closed through its Print button.
int RunPrintPreview(HWND frame, Printer& printer, std::string_view text, int shownPages,
                    bool* printNow);

}  // namespace tarvex::win32

#endif  // TARVEX_WIN32_PRINT_PREVIEW_H_
