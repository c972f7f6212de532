// Every command, control, resource and string id of Tarvex, in one place.
//
// The numbers are part of the product: toolbars, menus and the string table
// refer to them, and the string table (string_table.h) is keyed by them.
#ifndef TARVEX_PLATFORM_RESOURCE_IDS_H_
#define TARVEX_PLATFORM_RESOURCE_IDS_H_

namespace tarvex {

// Resources of the main frame and its embedding modes.
inline constexpr int IDR_MAINFRAME = 128;  // menu, accelerators, icon, toolbar, document string
inline constexpr int IDR_SRVR_EMBEDDED = 5;
inline constexpr int IDR_SRVR_INPLACE = 4;
inline constexpr int IDI_DOCUMENT = 129;
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_GOTO_LINE = 101;  // the Windows editor's Go to Line dialog
inline constexpr int IDC_GOTO_LINE_NUMBER = 1000;
inline constexpr int IDC_GOTO_LINE_RANGE = 1001;
// The Windows editor's print preview window: its buttons and page text.
inline constexpr int IDC_PREVIEW_PRINT = 1010;
inline constexpr int IDC_PREVIEW_NEXT = 1011;
inline constexpr int IDC_PREVIEW_PREV = 1012;
inline constexpr int IDC_PREVIEW_PAGES = 1013;
inline constexpr int IDC_PREVIEW_ZOOM_IN = 1014;
inline constexpr int IDC_PREVIEW_ZOOM_OUT = 1015;
inline constexpr int IDC_PREVIEW_CLOSE = 1016;
inline constexpr int IDC_PREVIEW_STATUS = 1017;

// Commands of Tarvex itself.
inline constexpr int ID_OPEN_POLICY = 1025;
inline constexpr int ID_CANCEL_INPLACE = 32769;
inline constexpr int ID_GENERATE = 32771;
inline constexpr int ID_KEYWORD_MIN = 32774;
inline constexpr int ID_KEYWORD_MAX = 32775;
inline constexpr int ID_KEYWORD_TYPE = 32777;
inline constexpr int ID_KEYWORD = 32778;
inline constexpr int ID_HELP_CONTENTS = 32782;
// Edit commands beyond the original menu: find backwards and go to a row.
inline constexpr int ID_EDIT_FIND_PREVIOUS = 32840;
inline constexpr int ID_EDIT_GOTO_LINE = 32841;
// Checking while typing (View menu) and keyword completion.
inline constexpr int ID_VIEW_CHECK_WHILE_TYPING = 32850;
inline constexpr int ID_NEXT_FAULT = 32851;
inline constexpr int ID_PREV_FAULT = 32852;
inline constexpr int ID_COMPLETE_KEYWORD = 32853;
inline constexpr int ID_INDICATOR_LINECOL = 5462;

// Framework commands.
inline constexpr int ID_FILE_NEW = 57600;
inline constexpr int ID_FILE_OPEN = 57601;
inline constexpr int ID_FILE_SAVE = 57603;
inline constexpr int ID_FILE_SAVE_AS = 57604;
inline constexpr int ID_FILE_PRINT_SETUP = 57606;
inline constexpr int ID_FILE_PRINT = 57607;
inline constexpr int ID_FILE_PRINT_DIRECT = 57608;
inline constexpr int ID_FILE_PRINT_PREVIEW = 57609;
inline constexpr int ID_FILE_UPDATE = 57610;
inline constexpr int ID_FILE_SAVE_COPY_AS = 57611;
inline constexpr int ID_FILE_MRU_FILE1 = 57616;
inline constexpr int ID_FILE_MRU_FILE4 = 57619;
inline constexpr int ID_FILE_MRU_LAST = 57631;
inline constexpr int ID_EDIT_COPY = 57634;
inline constexpr int ID_EDIT_CUT = 57635;
inline constexpr int ID_EDIT_FIND = 57636;
inline constexpr int ID_EDIT_PASTE = 57637;
inline constexpr int ID_EDIT_REPEAT = 57640;  // Find Next
inline constexpr int ID_EDIT_REPLACE = 57641;
inline constexpr int ID_EDIT_SELECT_ALL = 57642;
inline constexpr int ID_EDIT_UNDO = 57643;
inline constexpr int ID_EDIT_REDO = 57644;
inline constexpr int ID_APP_ABOUT = 57664;
inline constexpr int ID_APP_EXIT = 57665;
inline constexpr int ID_NEXT_PANE = 57680;
inline constexpr int ID_PREV_PANE = 57681;
inline constexpr int ID_VIEW_TOOLBAR = 59392;
inline constexpr int ID_VIEW_STATUS_BAR = 59393;
inline constexpr int ID_WINDOW_RESIZE_BAR = 59395;
inline constexpr int ID_INDICATOR_CAPS = 59137;
inline constexpr int ID_INDICATOR_NUM = 59138;
inline constexpr int ID_INDICATOR_SCRL = 59139;
inline constexpr int IDW_PANE_FIRST = 59648;  // the text view's child-window id
inline constexpr int ID_SEPARATOR = 0;

// Messages of the compiler (checker, writer, converter, commands).
inline constexpr int IDS_OLE_INIT_FAILED = 100;
inline constexpr int IDS_NOT_VALID_KEYWORD = 5447;
inline constexpr int IDS_NOT_VALID_ATTRIBUTE = 5448;
inline constexpr int IDS_NOT_WITHIN_RANGE = 5449;
inline constexpr int IDS_ERROR_READING_FILE = 5450;
inline constexpr int IDS_ERROR_WRITING_FILE = 5451;
inline constexpr int IDS_NO_KEYWORDS = 5452;
inline constexpr int IDS_GENERAL_KEYWORD_ERROR = 5453;
inline constexpr int IDS_INVALID_BOOLEAN = 5454;
inline constexpr int IDS_UNABLE_TO_GENERATE = 5456;
inline constexpr int IDS_INCORRECT_EXTENSION = 5457;
inline constexpr int IDS_GENERATED_SUCCESSFULLY = 5458;
inline constexpr int IDS_BLANK_KEYWORD = 5459;
inline constexpr int IDS_NOT_VALID_FILE = 5460;
inline constexpr int IDS_EQUALS_MISSING = 5461;
inline constexpr int IDS_INVALID_INTEGER = 5463;
inline constexpr int IDS_INVALID_CONCATENATION = 5464;
// The editor's status-bar notices.
inline constexpr int IDS_FIND_NOT_FOUND = 5480;
inline constexpr int IDS_NOT_IN_CODE_PAGE = 5481;
inline constexpr int IDS_REPLACED_COUNT = 5482;
// The Windows editor, given a switch of the embedding server it does not have yet.
inline constexpr int IDS_SERVER_SWITCH_UNSUPPORTED = 5483;

// Texts of the application frame.
inline constexpr int IDS_APP_TITLE = 57344;
inline constexpr int IDS_IDLE_MESSAGE = 57345;  // "Ready"

// Framework messages (file errors, documents, registration, dialogs).
inline constexpr int IDS_OPEN_FILE_TITLE = 61440;
inline constexpr int IDS_SAVE_AS_TITLE = 61441;
inline constexpr int IDS_ALL_FILES_FILTER = 61442;
inline constexpr int IDS_SAVE_COPY_AS_TITLE = 61444;
// An object opened from a container: "%1 in %2", "&Update %1", "E&xit && Return to %1".
inline constexpr int IDS_OBJ_TITLE_INPLACE = 61447;
inline constexpr int IDS_UPDATE_MENU = 61448;
inline constexpr int IDS_EXIT_MENU = 61449;
inline constexpr int IDP_INVALID_FILENAME = 61696;
inline constexpr int IDP_FAILED_TO_OPEN_DOC = 61697;
inline constexpr int IDP_FAILED_TO_SAVE_DOC = 61698;
inline constexpr int IDP_ASK_TO_SAVE = 61699;
inline constexpr int IDP_FAILED_TO_CREATE_DOC = 61700;
inline constexpr int IDP_FILE_TOO_LARGE = 61701;
inline constexpr int IDP_FAILED_TO_LAUNCH_HELP = 61703;
inline constexpr int IDP_UNREG_DONE = 61707;
inline constexpr int IDP_UNREG_FAILURE = 61708;
inline constexpr int IDP_UNEXPECTED_FILE_FORMAT = 61728;
inline constexpr int IDP_FAILED_TO_UPDATE_REGISTRY = 61834;
inline constexpr int IDP_FILE_GENERIC = 61857;
inline constexpr int IDP_FILE_NOT_FOUND = 61858;
inline constexpr int IDP_FILE_BAD_PATH = 61859;
inline constexpr int IDP_FILE_TOO_MANY_OPEN = 61860;
inline constexpr int IDP_FILE_ACCESS_DENIED = 61861;
inline constexpr int IDP_FILE_DISK_FULL = 61869;
inline constexpr int IDP_FILE_EOF = 61870;

}  // namespace tarvex

#endif  // TARVEX_PLATFORM_RESOURCE_IDS_H_
