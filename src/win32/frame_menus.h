// Menus and accelerator tables built from the shell layer's tables (menu
// and accelerators 128, 5 and 4), so that both editors show the same
// commands under the same ids.
#ifndef TARVEX_WIN32_FRAME_MENUS_H_
#define TARVEX_WIN32_FRAME_MENUS_H_

#include <string>
#include <vector>

#include "shell/frame_tables.h"
#include "win32/win32_api.h"

namespace tarvex::win32 {

// A menu bar with one drop-down menu per table entry. With `checking`, the
// View menu ends with the commands of checking while typing.
HMENU BuildMenuBar(const std::vector<shell::Menu>& menus, bool checking);

// An accelerator table from the keys of `keys`, and with `checking` the
// keys of checking while typing (F8, Shift+F8).
HACCEL BuildAccelerators(const std::vector<shell::Accelerator>& keys, bool checking);

// Replaces the recent-file entries of `menuBar` (or the greyed "Recent
// File" placeholder) with one entry per path, ids ID_FILE_MRU_FILE1 on;
// the placeholder again when there are none.
void SetRecentFileEntries(HMENU menuBar, const std::vector<std::string>& paths);

}  // namespace tarvex::win32

#endif  // TARVEX_WIN32_FRAME_MENUS_H_
