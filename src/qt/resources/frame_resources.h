// The frames' resources for the Qt editor: the shell layer's tables
// (shell/frame_tables.h) with the images of tarvex.qrc, and the document
// string as Qt text.
#ifndef TARVEX_QT_RESOURCES_FRAME_RESOURCES_H_
#define TARVEX_QT_RESOURCES_FRAME_RESOURCES_H_

#include <QString>

#include "shell/frame_tables.h"

class QIcon;

namespace tarvex::qt::resources {

using shell::Accelerator;
using shell::Menu;
using shell::MenuItem;
using shell::ToolbarEntry;

using shell::EmbeddedAccelerators;
using shell::EmbeddedMenu;
using shell::InPlaceAccelerators;
using shell::InPlaceMenu;
using shell::InPlaceToolbar;
using shell::MainAccelerators;
using shell::MainMenu;
using shell::MainToolbar;

using shell::kInPlaceImageHeight;
using shell::kInPlaceImageWidth;
using shell::kRecentFilePlaceholder;
using shell::kToolbarImageHeight;
using shell::kToolbarImageWidth;
using shell::kUntitled;

// Registers the images of tarvex.qrc, which a static library does not do
// by itself. Call once before the first window is built.
void InitResources();

// The drawing of a toolbar entry's image (an SVG, drawn at any scale).
QIcon ToolbarIcon(const char* image);

// Icon 128, the application's, drawn from its SVG so it is sharp at any
// scale.
QIcon ApplicationIcon();

// Icons 128 (the application) and 129 (the document) as images of one size,
// for what needs a file rather than an icon.
QString ApplicationIconPath(int size);
QString DocumentIconPath(int size);

// Field `index` of the document string 128 (shell::DocumentStringField).
QString DocumentStringField(int index);

}  // namespace tarvex::qt::resources

#endif  // TARVEX_QT_RESOURCES_FRAME_RESOURCES_H_
