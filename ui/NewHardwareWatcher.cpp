// The "Found New Hardware" watcher: a window-event hook whose callback closes the system's
// new-hardware windows by their exact titles.
#include "ui/NewHardwareWatcher.h"

#include <cstring>

void CALLBACK WinEventProc(HWINEVENTHOOK, DWORD, HWND window, LONG idObject, LONG idChild, DWORD, DWORD)
{
    // Only events about a top-level window itself: a control of another program that bears
    // one of the titles, or a part of a window (its caret, its scroll bar), is left alone.
    if (window == NULL || idObject != OBJID_WINDOW || idChild != CHILDID_SELF ||
        GetAncestor(window, GA_ROOT) != window)
        return;
    // The hook is asked to skip this process, but not every platform does (Wine delivers the
    // own process's events to a hook on all processes); this program's windows stay open.
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == GetCurrentProcessId())
        return;
    char title[260] = {};
    GetWindowTextA(window, title, sizeof title);
    // Byte for byte: a title that differs in case, or goes on, is some other window.
    if (std::strcmp(title, kFoundNewHardwareWizardTitle) == 0 ||
        std::strcmp(title, kFoundNewHardwareTitle) == 0)
        PostMessageA(window, WM_CLOSE, 0, 0);
}

HWINEVENTHOOK WatchForNewHardwareWindows()
{
    return SetWinEventHook(EVENT_MIN, EVENT_MAX, NULL, WinEventProc, 0, 0,
                           WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
}
