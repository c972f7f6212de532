#include "win32/frame_menus.h"

#include <optional>

#include "platform/resource_ids.h"
#include "shell/key_chord.h"
#include "shell/recent_file_list.h"

namespace tarvex::win32 {
namespace {

std::optional<WORD> VirtualKey(const std::string& key) {
  if (key.size() == 1) return static_cast<WORD>(key[0]);  // A-Z and 0-9 are their own codes
  if (key == "Backspace") return VK_BACK;
  if (key == "Del") return VK_DELETE;
  if (key == "Ins") return VK_INSERT;
  if (key == "Esc") return VK_ESCAPE;
  if (key.size() >= 2 && key[0] == 'F')
    return static_cast<WORD>(VK_F1 + std::stoi(key.substr(1)) - 1);
  return std::nullopt;
}

void AddKey(std::vector<ACCEL>& table, const char* keys, int id) {
  const std::optional<shell::KeyChord> chord = shell::ParseKeyChord(keys);
  if (!chord) return;  // a key this table cannot hold (Ctrl+Space: no completion here)
  const std::optional<WORD> key = VirtualKey(chord->key);
  if (!key) return;
  ACCEL a{};
  a.fVirt = static_cast<BYTE>(FVIRTKEY | (chord->ctrl ? FCONTROL : 0) |
                              (chord->shift ? FSHIFT : 0) | (chord->alt ? FALT : 0));
  a.key = *key;
  a.cmd = static_cast<WORD>(id);
  table.push_back(a);
}

bool IsRecentEntry(UINT id) {
  return id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_LAST;
}

}  // namespace

HMENU BuildMenuBar(const std::vector<shell::Menu>& menus, bool checking) {
  HMENU bar = CreateMenu();
  for (const shell::Menu& menu : menus) {
    HMENU popup = CreatePopupMenu();
    for (const shell::MenuItem& item : menu.items) {
      if (item.id == 0) {
        AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
      } else if (item.id == ID_FILE_MRU_FILE1) {
        AppendMenuA(popup, MF_STRING | MF_GRAYED, item.id, item.caption);
      } else {
        AppendMenuA(popup, MF_STRING, item.id, item.caption);
      }
    }
    if (checking && menu.items.front().id == ID_VIEW_TOOLBAR) {
      AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
      for (const shell::CheckingCommand& command : shell::CheckingCommands()) {
        if (command.id == ID_COMPLETE_KEYWORD) continue;  // the edit control completes nothing
        std::string caption = command.caption;
        if (*command.keys) caption += std::string("\t") + command.keys;
        AppendMenuA(popup, MF_STRING, command.id, caption.c_str());
      }
    }
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), menu.caption);
  }
  return bar;
}

HACCEL BuildAccelerators(const std::vector<shell::Accelerator>& keys, bool checking) {
  std::vector<ACCEL> table;
  for (const shell::Accelerator& key : keys) AddKey(table, key.keys, key.id);
  if (checking) {
    for (const shell::CheckingCommand& command : shell::CheckingCommands()) {
      if (*command.keys) AddKey(table, command.keys, command.id);
    }
  }
  return CreateAcceleratorTableW(table.data(), static_cast<int>(table.size()));
}

void SetRecentFileEntries(HMENU menuBar, const std::vector<std::string>& paths) {
  // The drop-down menu that holds the entries, and where they begin.
  const int count = GetMenuItemCount(menuBar);
  for (int m = 0; m < count; ++m) {
    HMENU popup = GetSubMenu(menuBar, m);
    if (!popup) continue;
    int at = -1;
    for (int i = GetMenuItemCount(popup) - 1; i >= 0; --i) {
      if (IsRecentEntry(GetMenuItemID(popup, i))) {
        DeleteMenu(popup, static_cast<UINT>(i), MF_BYPOSITION);
        at = i;
      }
    }
    if (at < 0) continue;
    if (paths.empty()) {
      InsertMenuA(popup, static_cast<UINT>(at), MF_BYPOSITION | MF_STRING | MF_GRAYED,
                  ID_FILE_MRU_FILE1, shell::kRecentFilePlaceholder);
      return;
    }
    for (std::size_t n = 0; n < paths.size(); ++n) {
      const std::string text =
          shell::RecentFileList::MenuText(static_cast<int>(n), paths[n], false);
      InsertMenuA(popup, static_cast<UINT>(at) + static_cast<UINT>(n), MF_BYPOSITION | MF_STRING,
                  ID_FILE_MRU_FILE1 + n, text.c_str());
    }
    return;
  }
}

}  // namespace tarvex::win32
