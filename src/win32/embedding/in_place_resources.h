// Menu 4 and toolbar 4 (an object edited in place), built from the shared
// frame tables. (Accelerators 4: BuildAccelerators of frame_menus.h.)
#ifndef TARVEX_WIN32_EMBEDDING_IN_PLACE_RESOURCES_H_
#define TARVEX_WIN32_EMBEDDING_IN_PLACE_RESOURCES_H_

#include <vector>

#include "platform/windows_api.h"
// (windows_api.h leaves OLE out)
#include <ole2.h>

#include "shell/frame_tables.h"

namespace tarvex::win32::embedding {

// Puts menu 4's menus into the container's shared menu: the editing group
// (Edit, View) after the container's File group, the help group (Help)
// after its Window group, and records their sizes in `widths` (whose
// container groups InsertMenus filled). False when a menu could not be made.
bool InsertInPlaceMenus(HMENU shared, OLEMENUGROUPWIDTHS* widths);
// Takes them out again (and destroys them).
void RemoveInPlaceMenus(HMENU shared, const OLEMENUGROUPWIDTHS& widths);

// Toolbar 4 as a child of `parent` (the container's frame window) with id
// 59392; its commands go to `owner`. Null when it cannot be made.
HWND CreateInPlaceToolbar(HWND parent, HWND owner);

}  // namespace tarvex::win32::embedding

#endif  // TARVEX_WIN32_EMBEDDING_IN_PLACE_RESOURCES_H_
