#include "shell/frame_tables.h"

#include <string_view>

#include "platform/resource_ids.h"
#include "platform/string_table.h"

namespace tarvex::shell {

const std::vector<Menu>& MainMenu() {
  static const std::vector<Menu> menu = {
      {"&File",
       {{ID_FILE_NEW, "&New\tCtrl+N"},
        {ID_FILE_OPEN, "&Open...\tCtrl+O"},
        {ID_FILE_SAVE, "&Save\tCtrl+S"},
        {ID_FILE_SAVE_AS, "Save &As..."},
        {0, nullptr},
        {ID_FILE_PRINT, "&Print...\tCtrl+P"},
        {ID_FILE_PRINT_PREVIEW, "Print Pre&view"},
        {ID_FILE_PRINT_SETUP, "P&rint Setup..."},
        {0, nullptr},
        {ID_FILE_MRU_FILE1, kRecentFilePlaceholder},
        {0, nullptr},
        {ID_APP_EXIT, "E&xit"}}},
      {"&Edit",
       {{ID_EDIT_UNDO, "&Undo\tCtrl+Z"},
        {0, nullptr},
        {ID_EDIT_CUT, "Cu&t\tCtrl+X"},
        {ID_EDIT_COPY, "&Copy\tCtrl+C"},
        {ID_EDIT_PASTE, "&Paste\tCtrl+V"},
        // What any editor offers, after the original items.
        {0, nullptr},
        {ID_EDIT_REDO, "&Redo\tCtrl+Y"},
        {ID_EDIT_SELECT_ALL, "Select &All\tCtrl+A"},
        {0, nullptr},
        {ID_EDIT_FIND, "&Find...\tCtrl+F"},
        {ID_EDIT_REPEAT, "Find &Next\tF3"},
        {ID_EDIT_FIND_PREVIOUS, "Find Pre&vious\tShift+F3"},
        {ID_EDIT_REPLACE, "R&eplace...\tCtrl+H"},
        {ID_EDIT_GOTO_LINE, "&Go to Line...\tCtrl+G"}}},
      {"&View", {{ID_VIEW_TOOLBAR, "&Toolbar"}, {ID_VIEW_STATUS_BAR, "&Status Bar"}}},
      {"&Action", {{ID_GENERATE, "&Generate"}}},
      {"&Help",
       {{ID_HELP_CONTENTS, "&Contents"}, {0, nullptr}, {ID_APP_ABOUT, "&About Tarvex..."}}},
  };
  return menu;
}

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

MenuGroups InPlaceMenuGroups() {
  return {2, 0, 1};
}

const std::vector<Accelerator>& MainAccelerators() {
  static const std::vector<Accelerator> keys = {
      {"Ctrl+N", ID_FILE_NEW},        {"Ctrl+O", ID_FILE_OPEN},
      {"Ctrl+S", ID_FILE_SAVE},       {"Ctrl+P", ID_FILE_PRINT},
      {"Ctrl+Z", ID_EDIT_UNDO},       {"Alt+Backspace", ID_EDIT_UNDO},
      {"Ctrl+X", ID_EDIT_CUT},        {"Shift+Del", ID_EDIT_CUT},
      {"Ctrl+C", ID_EDIT_COPY},       {"Ctrl+Ins", ID_EDIT_COPY},
      {"Ctrl+V", ID_EDIT_PASTE},      {"Shift+Ins", ID_EDIT_PASTE},
      {"F6", ID_NEXT_PANE},           {"Shift+F6", ID_PREV_PANE},
      {"Ctrl+Y", ID_EDIT_REDO},       {"Ctrl+Shift+Z", ID_EDIT_REDO},
      {"Ctrl+A", ID_EDIT_SELECT_ALL}, {"Ctrl+F", ID_EDIT_FIND},
      {"F3", ID_EDIT_REPEAT},         {"Shift+F3", ID_EDIT_FIND_PREVIOUS},
      {"Ctrl+H", ID_EDIT_REPLACE},    {"Ctrl+G", ID_EDIT_GOTO_LINE},
  };
  return keys;
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

const std::vector<Accelerator>& InPlaceAccelerators() {
  static const std::vector<Accelerator> keys = {
      {"Ctrl+Z", ID_EDIT_UNDO},   {"Alt+Backspace", ID_EDIT_UNDO}, {"Ctrl+X", ID_EDIT_CUT},
      {"Shift+Del", ID_EDIT_CUT}, {"Ctrl+C", ID_EDIT_COPY},        {"Ctrl+Ins", ID_EDIT_COPY},
      {"Ctrl+V", ID_EDIT_PASTE},  {"Shift+Ins", ID_EDIT_PASTE},    {"Esc", ID_CANCEL_INPLACE},
  };
  return keys;
}

const std::vector<CheckingCommand>& CheckingCommands() {
  static const std::vector<CheckingCommand> commands = {
      {ID_VIEW_CHECK_WHILE_TYPING, "&Check While Typing", ""},
      {ID_NEXT_FAULT, "&Next Fault", "F8"},
      {ID_PREV_FAULT, "&Previous Fault", "Shift+F8"},
      {ID_COMPLETE_KEYWORD, "Complete &Keyword", "Ctrl+Space"},
  };
  return commands;
}

const std::vector<ToolbarEntry>& MainToolbar() {
  static const std::vector<ToolbarEntry> entries = {
      {ID_FILE_NEW, "new", 0},        {ID_FILE_OPEN, "open", 0},
      {ID_FILE_SAVE, "save", 0},      {0, nullptr, 0},
      {ID_EDIT_CUT, "cut", 0},        {ID_EDIT_COPY, "copy", 0},
      {ID_EDIT_PASTE, "paste", 0},    {0, nullptr, 0},
      {ID_FILE_PRINT, "print", 0},    {0, nullptr, 0},
      {ID_GENERATE, "generate", 0},   {0, nullptr, 0},
      {ID_KEYWORD, nullptr, 240},     {0, nullptr, 0},
      {ID_KEYWORD_TYPE, nullptr, 80}, {ID_KEYWORD_MIN, nullptr, 80},
      {ID_KEYWORD_MAX, nullptr, 80},  {0, nullptr, 0},
      {ID_APP_ABOUT, "about", 0},
  };
  return entries;
}

const std::vector<ToolbarEntry>& InPlaceToolbar() {
  static const std::vector<ToolbarEntry> entries = {
      {ID_EDIT_CUT, "cut", 0}, {ID_EDIT_COPY, "copy", 0},  {ID_EDIT_PASTE, "paste", 0},
      {0, nullptr, 0},         {ID_APP_ABOUT, "about", 0},
  };
  return entries;
}

int ToolbarBoxWidth(int id) {
  for (const ToolbarEntry& entry : MainToolbar()) {
    if (entry.id == id && entry.id != 0) return entry.boxWidth;
  }
  return 0;
}

const char* KeywordBoxName(int id) {
  switch (id) {
    case ID_KEYWORD:
      return "Keyword";
    case ID_KEYWORD_TYPE:
      return "Keyword type";
    case ID_KEYWORD_MIN:
      return "Keyword minimum value";
    case ID_KEYWORD_MAX:
      return "Keyword maximum value";
    default:
      return "";
  }
}

std::string DocumentStringField(int index) {
  std::string_view text = LoadStringText(IDR_MAINFRAME);
  for (int n = 0; n < index; ++n) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) return {};
    text.remove_prefix(end + 1);
  }
  return std::string(text.substr(0, text.find('\n')));
}

}  // namespace tarvex::shell
