#include "qt/embedding/server_resources.h"

#include "platform/resource_ids.h"

namespace tarvex::qt::resources {

const std::vector<Menu>& EmbeddedMenu() {
  static const std::vector<Menu> menu = {
      {"&File",
       {{ID_FILE_UPDATE, "&Update\tCtrl+S"},
        {ID_FILE_SAVE_COPY_AS, "Save Copy &As..."},
        {0, nullptr},
        {ID_FILE_PRINT, "&Print...\tCtrl+P"},
        {ID_FILE_PRINT_PREVIEW, "Print Pre&view"},
        {ID_FILE_PRINT_SETUP, "P&rint Setup..."},
        {0, nullptr},
        {ID_APP_EXIT, "E&xit"}}},
      {"&Edit",
       {{ID_EDIT_UNDO, "&Undo\tCtrl+Z"},
        {0, nullptr},
        {ID_EDIT_CUT, "Cu&t\tCtrl+X"},
        {ID_EDIT_COPY, "&Copy\tCtrl+C"},
        {ID_EDIT_PASTE, "&Paste\tCtrl+V"}}},
      {"&View", {{ID_VIEW_TOOLBAR, "&Toolbar"}, {ID_VIEW_STATUS_BAR, "&Status Bar"}}},
      {"&Help", {{ID_APP_ABOUT, "&About Tarvex..."}}},
  };
  return menu;
}

const std::vector<Accelerator>& EmbeddedAccelerators() {
  static const std::vector<Accelerator> keys = {
      {"Ctrl+S", ID_FILE_UPDATE},      {"Ctrl+P", ID_FILE_PRINT},  {"Ctrl+Z", ID_EDIT_UNDO},
      {"Alt+Backspace", ID_EDIT_UNDO}, {"Ctrl+X", ID_EDIT_CUT},    {"Shift+Del", ID_EDIT_CUT},
      {"Ctrl+C", ID_EDIT_COPY},        {"Ctrl+Ins", ID_EDIT_COPY}, {"Ctrl+V", ID_EDIT_PASTE},
      {"Shift+Ins", ID_EDIT_PASTE},    {"F6", ID_NEXT_PANE},       {"Shift+F6", ID_PREV_PANE},
  };
  return keys;
}

const std::vector<Menu>& InPlaceMenu() {
  static const std::vector<Menu> menu = {
      {"&Edit",
       {{ID_EDIT_UNDO, "&Undo\tCtrl+Z"},
        {0, nullptr},
        {ID_EDIT_CUT, "Cu&t\tCtrl+X"},
        {ID_EDIT_COPY, "&Copy\tCtrl+C"},
        {ID_EDIT_PASTE, "&Paste\tCtrl+V"}}},
      {"&View", {{ID_VIEW_TOOLBAR, "&Toolbar"}}},
      {"&Help", {{ID_APP_ABOUT, "&About Tarvex..."}}},
  };
  return menu;
}

const std::vector<Accelerator>& InPlaceAccelerators() {
  static const std::vector<Accelerator> keys = {
      {"Ctrl+Z", ID_EDIT_UNDO},   {"Alt+Backspace", ID_EDIT_UNDO}, {"Ctrl+X", ID_EDIT_CUT},
      {"Shift+Del", ID_EDIT_CUT}, {"Ctrl+C", ID_EDIT_COPY},        {"Ctrl+Ins", ID_EDIT_COPY},
      {"Ctrl+V", ID_EDIT_PASTE},  {"Shift+Ins", ID_EDIT_PASTE},    {"Esc", ID_CANCEL_INPLACE},
  };
  return keys;
}

const std::vector<ToolbarEntry>& InPlaceToolbar() {
  static const std::vector<ToolbarEntry> entries = {
      {ID_EDIT_CUT, ":/tarvex/toolbar/cut.svg", 0},
      {ID_EDIT_COPY, ":/tarvex/toolbar/copy.svg", 0},
      {ID_EDIT_PASTE, ":/tarvex/toolbar/paste.svg", 0},
      {0, nullptr, 0},
      {ID_APP_ABOUT, ":/tarvex/toolbar/about.svg", 0},
  };
  return entries;
}

}  // namespace tarvex::qt::resources
