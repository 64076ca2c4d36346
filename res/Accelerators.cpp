#include "res/Resources.h"

namespace tabrel::res {

namespace {

// Used by the main window and every document window.
constexpr Accelerator kAccelerators[] = {
    {"Ctrl+N", ID_FILE_NEW},
    {"Ctrl+O", ID_FILE_OPEN},
    {"Ctrl+S", ID_FILE_SAVE},
    {"Ctrl+P", ID_FILE_PRINT},
    {"Ctrl+Z", ID_EDIT_UNDO},
    {"Alt+Backspace", ID_EDIT_UNDO},
    {"Ctrl+X", ID_EDIT_CUT},
    {"Shift+Del", ID_EDIT_CUT},
    {"Ctrl+C", ID_EDIT_COPY},
    {"Ctrl+Ins", ID_EDIT_COPY},
    {"Ctrl+V", ID_EDIT_PASTE},
    {"Shift+Ins", ID_EDIT_PASTE},
    {"F6", ID_NEXT_PANE},
    {"Shift+F6", ID_PREV_PANE},
};

constexpr int kToolBarButtons[] = {
    ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 0,
    ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, 0,
    ID_FILE_PRINT, ID_APP_ABOUT,
};

}  // namespace

std::span<const Accelerator> Accelerators()
{
    return kAccelerators;
}

std::span<const int> ToolBarButtons()
{
    return kToolBarButtons;
}

}  // namespace tabrel::res
