// The resources of an object opened from a container: menu and
// accelerators 5 (its own window) and menu, accelerators and toolbar 4
// (editing in place), in the forms of the main frame's resources.
#ifndef TARVEX_QT_EMBEDDING_SERVER_RESOURCES_H_
#define TARVEX_QT_EMBEDDING_SERVER_RESOURCES_H_

#include <vector>

#include "qt/resources/frame_resources.h"

namespace tarvex::qt::resources {

// Menu 5: the main frame's menu while the object is open in its own window.
const std::vector<Menu>& EmbeddedMenu();
const std::vector<Accelerator>& EmbeddedAccelerators();

// Menu 4: the in-place frame's menu bar. The desktop merges no menus, so
// the two top-level separators that split the groups on other systems are
// left out.
const std::vector<Menu>& InPlaceMenu();
// Accelerators 4; Esc is ID_CANCEL_INPLACE.
const std::vector<Accelerator>& InPlaceAccelerators();

// Toolbar 4: Cut, Copy, Paste, a separator and About, 16 by 15 pixels.
const std::vector<ToolbarEntry>& InPlaceToolbar();
inline constexpr int kInPlaceImageWidth = 16;
inline constexpr int kInPlaceImageHeight = 15;

}  // namespace tarvex::qt::resources

#endif  // TARVEX_QT_EMBEDDING_SERVER_RESOURCES_H_
