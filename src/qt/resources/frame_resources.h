// The main frame's resources, resource 128: its menu, accelerators and
// toolbar as tables, the images in tarvex.qrc, and the document string.
//
// Everything a menu item or button says to the user beyond its caption
// (status-bar prompt, tool tip) comes from the core's string table under
// the command's id.
#ifndef TARVEX_QT_RESOURCES_FRAME_RESOURCES_H_
#define TARVEX_QT_RESOURCES_FRAME_RESOURCES_H_

#include <QString>
#include <vector>

class QIcon;

namespace tarvex::qt::resources {

// Registers the images of tarvex.qrc, which a static library does not do
// by itself. Call once before the first window is built.
void InitResources();

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

// Menu 128, in menu-bar order.
const std::vector<Menu>& MainMenu();

// The greyed "Recent File" item that the recent-file list replaces.
inline constexpr const char* kRecentFilePlaceholder = "Recent File";

// One key of accelerator table 128, in Qt's portable key-sequence text.
struct Accelerator {
  const char* keys;
  int id;
};
const std::vector<Accelerator>& MainAccelerators();

// One entry of toolbar 128: a button with its image, a separator (id 0), or
// the placeholder of a keyword box (`boxWidth` pixels wide).
struct ToolbarEntry {
  int id;
  const char* image;  // a resource path (an SVG, drawn at any scale), or nullptr
  int boxWidth;       // 0 unless the entry holds a keyword box
};
const std::vector<ToolbarEntry>& MainToolbar();

// The size of a toolbar image.
inline constexpr int kToolbarImageWidth = 20;
inline constexpr int kToolbarImageHeight = 21;

// Icon 128, the application's, drawn from its SVG so it is sharp at any
// scale.
QIcon ApplicationIcon();

// Icons 128 (the application) and 129 (the document) as images of one size,
// for what needs a file rather than an icon.
QString ApplicationIconPath(int size);
QString DocumentIconPath(int size);

// Field `index` of the document string 128: 0 the main window's title, 3
// the file-dialog filter, 4 the extension, 5 the type id, 6 the type name.
QString DocumentStringField(int index);

// The name of a document that has never been saved.
inline constexpr const char* kUntitled = "Untitled";

}  // namespace tarvex::qt::resources

#endif  // TARVEX_QT_RESOURCES_FRAME_RESOURCES_H_
