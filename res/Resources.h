#pragma once
// The program's own texts, menus, accelerators, dialog layouts and pictures,
// kept as data. Texts are UTF-8. Nothing here needs Qt; the front end turns
// the tables into menus, shortcuts and dialogs.

#include <span>
#include <string_view>

namespace tabrel::res {

// Command ids: 32768-32773 the program's own, the rest the standard ones.
enum CommandId : int {
    ID_TEXT_OUTPUT = 32768,
    ID_TAMBUN = 32769,
    ID_TEXT_COLOR = 32770,
    ID_FONT = 32771,
    ID_BK_COLOR = 32772,
    ID_SETTINGS = 32773,
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_CLOSE = 57602,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_PREVIEW = 57608,
    ID_FILE_MRU_FILE1 = 57616,  // to 57619
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_UNDO = 57643,
    ID_WINDOW_NEW = 57648,
    ID_WINDOW_ARRANGE = 57649,
    ID_WINDOW_CASCADE = 57650,
    ID_WINDOW_TILE_HORZ = 57651,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_HELP_INDEX = 57666,
    ID_HELP = 57669,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
};

inline constexpr int kMaxRecentFiles = 4;

// String table ids that are not command ids.
enum StringId : int {
    IDS_MAINFRAME = 2,
    IDS_DOC_STRING = 3,
    IDS_APP_TITLE = 57344,
    IDS_IDLE_MESSAGE = 57345,
    IDS_INDICATOR_CAPS = 59137,
    IDS_INDICATOR_NUM = 59138,
    IDS_INDICATOR_SCRL = 59139,
    IDS_INDICATOR_KANA = 59142,
    // Texts of the program's own messages and prompts; "%1" stands for a path
    // or detail.
    IDS_OPEN_TEXT_FILTER = 1001,
    IDS_INDEX_VERSION = 1002,
    IDS_MANUAL_LEADING_SPACE = 1003,
    IDS_MANUAL_DOUBLE_BYTE = 1004,
    IDS_MANUAL_TOO_LONG = 1005,
    IDS_ERR_FILE_READ = 1010,
    IDS_ERR_FILE_SEEK = 1011,
    IDS_ERR_INDEX_READ = 1012,
    IDS_ERR_INDEX_TRUNCATED = 1013,
    IDS_ERR_FILE_OPEN = 1014,
    IDS_ERR_FILE_SAVE = 1015,
    IDS_HELP_TITLE = 1016,
    IDS_FONT_TITLE = 1017,
    IDS_FONT_COLOR = 1018,
    IDS_FONT_MORE_COLORS = 1019,
    // The clipboard transfer dialog.
    IDS_COPY_TOO_LARGE = 1020,     ///< the note beside the box when a line was left out
    IDS_COPY_DONE = 1021,          ///< after copying all or part
    IDS_COPY_NO_SELECTION = 1022,  ///< copy part with nothing selected
    IDS_ERR_TEXT_TOO_LARGE = 1030,
    IDS_ERR_UNEXPECTED = 1031,
    // The settings dialog and the directory chooser.
    IDS_SETTING_NO_INDEX_DIR = 1040,  ///< OK refused: the index directory is empty
    IDS_SELDIR_ROOT = 1041,           ///< the chooser's name of the root folder "/"
    IDS_SELDIR_HOME = 1042,           ///< the chooser's name of the home folder
    IDS_CANCEL = 1070,
    // Prompts of the document windows' system menu and window list.
    IDS_SYS_SIZE = 61184,
    IDS_SYS_MOVE = 61185,
    IDS_SYS_MINIMIZE = 61186,
    IDS_SYS_MAXIMIZE = 61187,
    IDS_SYS_CLOSE = 61190,
    IDS_SYS_RESTORE = 61202,
    IDS_ACTIVATE_WINDOW = 61215,
};

/// Text of string `id`, or an empty view when the table has none.
std::string_view LoadString(int id);

/// One menu item: a popup (with its items following, up to kEndPopup), a
/// command, or a separator. `text` is stored with the access-key pair as
/// "(" U+001E Latin U+001F katakana ")".
struct MenuItem {
    enum Kind { Popup, Command, Separator, EndPopup, Grayed };
    Kind kind;
    int id;  ///< command id; 0 for popups and separators
    std::string_view text;
};

/// Menu 2 (no document window) and menu 3 (a document window active).
std::span<const MenuItem> MainMenu();
std::span<const MenuItem> DocumentMenu();

/// Accelerator table 2: key sequences in Qt's portable text form.
struct Accelerator {
    std::string_view keys;
    int id;
};
std::span<const Accelerator> Accelerators();

/// Tool bar buttons in order; 0 is a separator.
std::span<const int> ToolBarButtons();

/// Tool bar images: nine 16 x 15 pictures side by side (144 x 15), XPM.
std::span<const char* const> ToolBarXpm();
/// Icon 2 (main window, about box) and icon 3 (document windows), 32 x 32, XPM.
std::span<const char* const> MainIconXpm();
std::span<const char* const> DocumentIconXpm();

// Dialog templates.
enum DialogId : int {
    IDD_ABOUTBOX = 100,
    IDD_TAMBUN = 101,
    IDD_MANUAL = 102,
    IDD_SETTING = 103,
    IDD_EDITCOPY = 104,
    IDD_SELDIR = 105,
};

// Controls of the dialog templates. 1 and 2 accept and reject a dialog.
enum ControlId : int {
    IDC_STATIC = -1,  ///< a control no code refers to
    IDOK = 1,
    IDCANCEL = 2,
    IDC_COPY_TEXT = 104,          ///< clipboard transfer: the multi-line edit
    IDC_MANUAL_WORD = 107,        ///< manual word: the edit
    IDC_LEFT_AUTO = 108,          ///< settings: left button, auto
    IDC_LEFT_MANUAL = 109,        ///< settings: left button, manual
    IDC_RIGHT_AUTO = 110,         ///< settings: right button, auto
    IDC_RIGHT_MANUAL = 111,       ///< settings: right button, manual
    IDC_TEXT_DIR = 112,           ///< settings: text directory edit
    IDC_TEXT_DIR_BROWSE = 113,    ///< settings: its "参照" button
    IDC_COPY_PART = 114,          ///< clipboard transfer: "一部ｺﾋﾟｰ"
    IDC_COPY_NOTE = 116,          ///< clipboard transfer: the note
    IDC_INDEX_DIR = 117,          ///< settings: index directory edit
    IDC_INDEX_DIR_BROWSE = 118,   ///< settings: its "参照" button
    IDC_SELDIR_PATH = 119,        ///< directory chooser: the selected directory
    IDC_SELDIR_DRIVES = 120,      ///< directory chooser: the places to start from
    IDC_SELDIR_DIRS = 121,        ///< directory chooser: the subfolders
    IDC_SELDIR_FILES = 122,       ///< directory chooser: the files, for reference
};

/// A dialog layout: positions and sizes in dialog units of the dialog font.
struct DialogControl {
    enum Kind {
        DefPushButton,
        PushButton,
        Edit,
        MultiLineEdit,  ///< several lines, scrolled sideways, no scroll bars
        Static,
        CenteredStatic,
        Icon,
        GroupBox,
        ListBox,
        CheckBox,
    };
    Kind kind;
    int id;  ///< a ControlId, IDC_STATIC for controls no code refers to
    std::string_view text;
    int x, y, cx, cy;
};

inline constexpr int kNoPosition = -32768;

struct DialogTemplate {
    int id;
    std::string_view caption;
    std::string_view fontFace;
    int fontPoints;
    int cx, cy;
    std::span<const DialogControl> controls;
    /// Where the dialog stands, in dialog units from the owner's top left
    /// (the screen's without an owner); kNoPosition: centred on the owner.
    int x = kNoPosition, y = kNoPosition;
};
/// The template `id` (a DialogId); nullptr when unknown.
const DialogTemplate* FindDialogTemplate(int id);

/// The help page shown by the help command (UTF-8 HTML).
std::string_view HelpHtml();

}  // namespace tabrel::res
