#include "win32/embedding/in_place_resources.h"

#include <commctrl.h>

#include "platform/resource_ids.h"
#include "win32/frame_menus.h"

namespace tarvex::win32::embedding {
namespace {

// Moves `count` of menu 4's menus, from `first` in `bar` (menu 4 as a menu
// bar), to `position` of `shared`.
bool InsertGroup(HMENU bar, HMENU shared, UINT position, std::size_t first, int count) {
  const std::vector<shell::Menu>& menus = shell::InPlaceMenu();
  for (int i = 0; i < count; ++i) {
    const std::size_t index = first + static_cast<std::size_t>(i);
    HMENU popup = GetSubMenu(bar, static_cast<int>(index));
    if (!popup ||
        !InsertMenuA(shared, position + static_cast<UINT>(i), MF_BYPOSITION | MF_POPUP | MF_STRING,
                     reinterpret_cast<UINT_PTR>(popup), menus.at(index).caption)) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool InsertInPlaceMenus(HMENU shared, OLEMENUGROUPWIDTHS* widths) {
  const shell::MenuGroups groups = shell::InPlaceMenuGroups();
  // The groups alternate, the container's first: File 0, Edit 1,
  // Container 2, Object 3, Window 4, Help 5.
  widths->width[1] = groups.edit;
  widths->width[3] = groups.object;
  widths->width[5] = groups.help;
  const UINT edit = static_cast<UINT>(widths->width[0]);
  const UINT object = edit + static_cast<UINT>(widths->width[1] + widths->width[2]);
  const UINT help = object + static_cast<UINT>(widths->width[3] + widths->width[4]);
  // Menu 4 as the editor builds menu bars; its menus then move over.
  HMENU bar = BuildMenuBar(shell::InPlaceMenu(), false);
  if (!bar) return false;
  const bool inserted =
      InsertGroup(bar, shared, edit, 0, groups.edit) &&
      InsertGroup(bar, shared, object, static_cast<std::size_t>(groups.edit), groups.object) &&
      InsertGroup(bar, shared, help, static_cast<std::size_t>(groups.edit + groups.object),
                  groups.help);
  // The bar lets go of its menus (the shared menu holds them now) and goes.
  while (GetMenuItemCount(bar) > 0) RemoveMenu(bar, 0, MF_BYPOSITION);
  DestroyMenu(bar);
  return inserted;
}

void RemoveInPlaceMenus(HMENU shared, const OLEMENUGROUPWIDTHS& widths) {
  // Back to front, so that the positions before stay right.
  UINT position = 0;
  std::vector<UINT> ours;
  for (int group = 0; group < 6; ++group) {
    for (LONG i = 0; i < widths.width[group]; ++i, ++position) {
      if (group % 2 == 1) ours.push_back(position);
    }
  }
  for (auto at = ours.rbegin(); at != ours.rend(); ++at) DeleteMenu(shared, *at, MF_BYPOSITION);
}

HWND CreateInPlaceToolbar(HWND parent, HWND owner) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  HWND bar = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                             WS_CHILD | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                                 CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
                             0, 0, 0, 0, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(ID_VIEW_TOOLBAR)),
                             GetModuleHandleW(nullptr), nullptr);
  if (!bar) return nullptr;
  // Notifications and commands to this program's window, not the container's.
  SendMessageW(bar, TB_SETPARENT, reinterpret_cast<WPARAM>(owner), 0);
  SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);

  // Bitmap 4: the four images in entry order, magenta where it is clear.
  HIMAGELIST images = ImageList_LoadImageW(
      GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_SRVR_INPLACE), shell::kInPlaceImageWidth, 0,
      RGB(255, 0, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION);
  std::vector<int> image;
  if (images) {
    SendMessageW(bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    image = {0, 1, 2, 3};
  } else {
    // A program without the bitmap (a test's) shows the system's images.
    SendMessageW(bar, TB_LOADIMAGES, IDB_STD_SMALL_COLOR, reinterpret_cast<LPARAM>(HINST_COMMCTRL));
    image = {STD_CUT, STD_COPY, STD_PASTE, STD_HELP};
  }
  std::vector<TBBUTTON> buttons;
  std::size_t next = 0;
  for (const shell::ToolbarEntry& entry : shell::InPlaceToolbar()) {
    TBBUTTON button{};
    if (entry.id == ID_SEPARATOR) {
      button.fsStyle = BTNS_SEP;
    } else {
      button.iBitmap = image.at(next++);
      button.idCommand = entry.id;
      button.fsState = TBSTATE_ENABLED;
      button.fsStyle = BTNS_BUTTON;
    }
    buttons.push_back(button);
  }
  SendMessageW(bar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  SendMessageW(bar, TB_AUTOSIZE, 0, 0);
  return bar;
}

}  // namespace tarvex::win32::embedding
