// The frames' resources as tables that both shells build their windows
// from: the menus, accelerators and toolbars of the main frame (128), of an
// object opened from a container (5) and of an object edited in place (4),
// and the document string 128.
//
// Everything a menu item or button says beyond its caption (status-bar
// prompt, tool tip) comes from the string table under the command's id.
#ifndef TARVEX_SHELL_FRAME_TABLES_H_
#define TARVEX_SHELL_FRAME_TABLES_H_

#include <string>
#include <vector>

namespace tarvex::shell {

// A menu item: a command id and its caption ("&New\tCtrl+N": the mnemonic
// after "&", the shortcut text after the tab). Id 0 is a separator.
struct MenuItem {
  int id;
  const char* caption;
};

struct Menu {
  const char* caption;
  std::vector<MenuItem> items;
};

// Menu 128, in menu-bar order. Its File menu holds the placeholder item
// ID_FILE_MRU_FILE1 that the recent-file list replaces.
const std::vector<Menu>& MainMenu();
inline constexpr const char* kRecentFilePlaceholder = "Recent File";

// Menu 5: the main frame's menu while an object is open in its own window.
const std::vector<Menu>& EmbeddedMenu();

// Menu 4: the menus an object edited in place adds to its container's.
// A container that merges menus takes them in three groups, of the sizes
// InPlaceMenuGroups gives: editing (Edit, View), object (none), help.
const std::vector<Menu>& InPlaceMenu();
struct MenuGroups {
  int edit;
  int object;
  int help;
};
MenuGroups InPlaceMenuGroups();

// One key of an accelerator table, as text: modifiers "Ctrl+", "Shift+",
// "Alt+" in any order, then one key: a letter or digit, "F1" to "F12",
// "Backspace", "Del", "Ins" or "Esc" (see key_chord.h).
struct Accelerator {
  const char* keys;
  int id;
};
const std::vector<Accelerator>& MainAccelerators();      // 128
const std::vector<Accelerator>& EmbeddedAccelerators();  // 5
const std::vector<Accelerator>& InPlaceAccelerators();   // 4; Esc ends editing in place

// The commands of checking while typing that both editors add to the end
// of the View menu, after a separator: caption and key (empty for none).
// The Windows editor has no keyword completion and leaves that one out.
struct CheckingCommand {
  int id;
  const char* caption;
  const char* keys;
};
const std::vector<CheckingCommand>& CheckingCommands();

// One entry of a toolbar: a button with its image, a separator (id 0), or
// the placeholder of a keyword box `boxWidth` pixels wide. `image` is the
// base name of the button's drawing ("new" for resources/toolbar/new.svg).
struct ToolbarEntry {
  int id;
  const char* image;
  int boxWidth;
};
const std::vector<ToolbarEntry>& MainToolbar();     // 128: buttons 20 by 21 pixels
const std::vector<ToolbarEntry>& InPlaceToolbar();  // 4: buttons 16 by 15 pixels
inline constexpr int kToolbarImageWidth = 20;
inline constexpr int kToolbarImageHeight = 21;
inline constexpr int kInPlaceImageWidth = 16;
inline constexpr int kInPlaceImageHeight = 15;

// The width toolbar 128 gives the keyword box of `id`; 0 for other ids.
int ToolbarBoxWidth(int id);

// The name screen readers read for the keyword box of `id` ("Keyword",
// "Keyword type", ...); empty for other ids.
const char* KeywordBoxName(int id);

// Field `index` of the document string 128: 0 the main window's title, 1
// the base name of new documents, 2 the short type name, 3 the file-dialog
// filter, 4 the extension, 5 the type id, 6 the type name. Empty past 6.
std::string DocumentStringField(int index);

// The name of a document that has never been saved.
inline constexpr const char* kUntitled = "Untitled";

}  // namespace tarvex::shell

#endif  // TARVEX_SHELL_FRAME_TABLES_H_
