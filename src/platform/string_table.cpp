#include "platform/string_table.h"

#include <algorithm>
#include <iterator>

#include "platform/resource_ids.h"

namespace tarvex {
namespace {

struct StringEntry {
  int id;
  std::string_view text;
};

// Kept sorted by id; LoadStringText searches it by halves.
constexpr StringEntry kStrings[] = {
    {IDS_OLE_INIT_FAILED,
     "OLE initialization failed.  Make sure that the OLE libraries are the correct version."},
    {IDR_MAINFRAME,
     "Tarvex\n\nTarvex\nTarvex Files (*.inf)\n.inf\nTarvex.Document\nTarvex Document"},
    {IDS_NOT_VALID_KEYWORD, "\"%s\" on line number %d is not a valid keyword."},
    {IDS_NOT_VALID_ATTRIBUTE, "\"%s\" is not a valid attribute detected on line %d."},
    {IDS_NOT_WITHIN_RANGE,
     "\"%s\" is not within a valid range.  \nThis keyword can only be assigned with a valid "
     "numeric number."},
    {IDS_ERROR_READING_FILE, "Error reading file %s !"},
    {IDS_ERROR_WRITING_FILE, "Error writing file %s !"},
    {IDS_NO_KEYWORDS,
     "There are no keywords to generate.\nUnable to generate the 'Policy.bin' file."},
    {IDS_GENERAL_KEYWORD_ERROR,
     "General keyword error!  Please contact customer support for more details."},
    {IDS_INVALID_BOOLEAN,
     "Invalid boolean value on line %d !  \nThis keyword can only be assigned with a boolean "
     "value (i.e. true or false)."},
    {IDS_UNABLE_TO_GENERATE, "\nUnable to generate the 'Policy.bin' file."},
    {IDS_INCORRECT_EXTENSION, "Incorrect file extension."},
    {IDS_GENERATED_SUCCESSFULLY, "%s file is generated successfully."},
    {IDS_BLANK_KEYWORD, "Error detect on line %d.  Keyword cannot be blank."},
    {IDS_NOT_VALID_FILE, "This is not a valid Tarvex file."},
    {IDS_EQUALS_MISSING, "Incorrect syntax, '=' is missing on line %d ."},
    {ID_INDICATOR_LINECOL, "Ln 999, Col 999"},
    {IDS_INVALID_INTEGER,
     "Invalid integer value detected on line %d. \nPlease enter appropriate integer value for "
     "\"%s\" keyword."},
    {IDS_INVALID_CONCATENATION,
     "Invalid use of line concatenation detected on line %d.\nOnly string type keyword can use "
     "line concatenation."},
    {IDS_FIND_NOT_FOUND, "Cannot find \"%s\"."},
    {IDS_NOT_IN_CODE_PAGE,
     "\"%s\" was not inserted: Windows-1252, the code page of policy files, cannot hold it."},
    {IDS_REPLACED_COUNT, "%d occurrences replaced."},
    {IDS_SERVER_SWITCH_UNSUPPORTED,
     "Tarvex for Windows cannot yet hold policy sources in other programs' documents, so the "
     "\"%s\" switch does nothing here."},
    {ID_GENERATE, "Generate policy file. \nGenerate"},
    {ID_KEYWORD_MIN, "Tarvex keyword minimum value\nKeyword minimim value"},
    {ID_KEYWORD_MAX, "Tarvex keyword maximum value\nKeyword maximum value"},
    {ID_KEYWORD_TYPE, "Tarvex keyword type\nKeyword type"},
    {ID_HELP_CONTENTS, "Displays the table of contents for the online documentation"},
    {ID_EDIT_FIND_PREVIOUS, "Find the previous occurrence of the specified text\nFind Previous"},
    {ID_EDIT_GOTO_LINE, "Move to a line, counted as the view shows them\nGo to Line"},
    {ID_VIEW_CHECK_WHILE_TYPING,
     "Check the source while typing and underline its faults\nCheck While Typing"},
    {ID_NEXT_FAULT, "Go to the next fault of the source\nNext Fault"},
    {ID_PREV_FAULT, "Go to the previous fault of the source\nPrevious Fault"},
    {ID_COMPLETE_KEYWORD, "Complete the keyword from the dictionary\nComplete Keyword"},
    {IDS_APP_TITLE, "Tarvex"},
    {IDS_IDLE_MESSAGE, "Ready"},
    {ID_FILE_NEW, "Create a new document\nNew"},
    {ID_FILE_OPEN, "Open an existing document\nOpen"},
    {ID_FILE_SAVE, "Save the active document\nSave"},
    {ID_FILE_SAVE_AS, "Save the active document with a new name\nSave As"},
    {ID_FILE_PRINT_SETUP, "Change the printer and printing options\nPrint Setup"},
    {ID_FILE_PRINT, "Print the active document\nPrint"},
    {ID_FILE_PRINT_PREVIEW, "Display full pages\nPrint Preview"},
    {ID_FILE_UPDATE, "Update the container to show any changes\nUpdate"},
    {ID_FILE_SAVE_COPY_AS, "Save a copy of the active document with a new name\nSave Copy As"},
    {57616, "Open this document"},
    {57617, "Open this document"},
    {57618, "Open this document"},
    {57619, "Open this document"},
    {57620, "Open this document"},
    {57621, "Open this document"},
    {57622, "Open this document"},
    {57623, "Open this document"},
    {57624, "Open this document"},
    {57625, "Open this document"},
    {57626, "Open this document"},
    {57627, "Open this document"},
    {57628, "Open this document"},
    {57629, "Open this document"},
    {57630, "Open this document"},
    {57631, "Open this document"},
    {ID_EDIT_COPY, "Copy the selection and put it on the Clipboard\nCopy"},
    {ID_EDIT_CUT, "Cut the selection and put it on the Clipboard\nCut"},
    {ID_EDIT_FIND, "Find the specified text\nFind"},
    {ID_EDIT_PASTE, "Insert Clipboard contents\nPaste"},
    {ID_EDIT_REPEAT, "Find the next occurrence of the specified text\nFind Next"},
    {ID_EDIT_REPLACE, "Replace specific text with different text\nReplace"},
    {ID_EDIT_SELECT_ALL, "Select the entire document\nSelect All"},
    {ID_EDIT_UNDO, "Undo the last action\nUndo"},
    {ID_EDIT_REDO, "Redo the previously undone action\nRedo"},
    {ID_APP_ABOUT, "Display program information, version number and copyright\nAbout"},
    {ID_APP_EXIT, "Quit the application; prompts to save documents\nExit"},
    {ID_NEXT_PANE, "Switch to the next window pane\nNext Pane"},
    {ID_PREV_PANE, "Switch back to the previous window pane\nPrevious Pane"},
    {ID_INDICATOR_CAPS, "CAP"},
    {ID_INDICATOR_NUM, "NUM"},
    {ID_INDICATOR_SCRL, "SCRL"},
    {ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToggle ToolBar"},
    {ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle StatusBar"},
    {IDS_OPEN_FILE_TITLE, "Open"},
    {IDS_SAVE_AS_TITLE, "Save As"},
    {IDS_ALL_FILES_FILTER, "All Files (*.*)"},
    {IDS_SAVE_COPY_AS_TITLE, "Save Copy As"},
    {IDS_OBJ_TITLE_INPLACE, "%1 in %2"},
    {IDS_UPDATE_MENU, "&Update %1"},
    {IDS_EXIT_MENU, "E&xit && Return to %1"},
    {IDP_INVALID_FILENAME, "Invalid filename."},
    {IDP_FAILED_TO_OPEN_DOC, "Failed to open document."},
    {IDP_FAILED_TO_SAVE_DOC, "Failed to save document."},
    {IDP_ASK_TO_SAVE, "Save changes to %1?"},
    {IDP_FAILED_TO_CREATE_DOC, "Failed to create empty document."},
    {IDP_FILE_TOO_LARGE, "The file is too large to open."},
    {IDP_FAILED_TO_LAUNCH_HELP, "Failed to launch help."},
    {IDP_UNREG_DONE,
     "System registry entries have been removed and the INI file (if any) was deleted."},
    {IDP_UNREG_FAILURE, "Not all of the system registry entries (or INI file) were removed."},
    {IDP_UNEXPECTED_FILE_FORMAT, "Unexpected file format."},
    {IDP_FAILED_TO_UPDATE_REGISTRY,
     "Failed to update the system registry.\nPlease try using REGEDIT."},
    {IDP_FILE_GENERIC, "An unknown error occurred while accessing %1."},
    {IDP_FILE_NOT_FOUND, "%1 was not found."},
    {IDP_FILE_BAD_PATH, "%1 contains an invalid path."},
    {IDP_FILE_TOO_MANY_OPEN, "%1 could not be opened because there are too many open files."},
    {IDP_FILE_ACCESS_DENIED, "Access to %1 was denied."},
    {IDP_FILE_DISK_FULL, "Disk full while accessing %1."},
    {IDP_FILE_EOF, "An attempt was made to access %1 past its end."},
};

constexpr bool IsSortedById() {
  for (std::size_t i = 1; i < std::size(kStrings); ++i) {
    if (kStrings[i - 1].id >= kStrings[i].id) return false;
  }
  return true;
}
static_assert(IsSortedById(), "kStrings must stay sorted by id, without duplicates");

const StringEntry* Find(int id) {
  const auto* end = std::end(kStrings);
  const auto* it = std::lower_bound(std::begin(kStrings), end, id,
                                    [](const StringEntry& e, int key) { return e.id < key; });
  return (it != end && it->id == id) ? it : nullptr;
}

}  // namespace

std::string_view LoadStringText(int id) {
  const StringEntry* e = Find(id);
  return e ? e->text : std::string_view();
}

bool HasStringText(int id) {
  return Find(id) != nullptr;
}

std::string_view PromptOf(std::string_view commandText) {
  return commandText.substr(0, commandText.find('\n'));
}

std::string_view ToolTipOf(std::string_view commandText) {
  std::size_t lf = commandText.find('\n');
  return lf == std::string_view::npos ? std::string_view() : commandText.substr(lf + 1);
}

}  // namespace tarvex
