// title_windows.exe TITLE...: a program of its own process that opens one top-level window per
// title for the tests of the "Found New Hardware" watcher. A window does not close on WM_CLOSE:
// it counts each one in its user data, where the test reads it from outside. The program ends
// when its thread receives WM_QUIT.
#include <windows.h>

namespace {

LRESULT CALLBACK CountingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        SetWindowLongPtrA(window, GWLP_USERDATA, GetWindowLongPtrA(window, GWLP_USERDATA) + 1);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = CountingWindowProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = "KorvessaTitleWindow";
    if (!RegisterClassA(&windowClass))
        return 1;
    for (int i = 1; i < argc; ++i) {
        if (!CreateWindowExA(0, windowClass.lpszClassName, argv[i], WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                             20 * i, 20 * i, 240, 80, NULL, NULL, windowClass.hInstance, NULL))
            return 1;
    }
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
