// The window tests' other process.
//   ui_test_helper windows TITLE... [--controls TITLE...]  opens a top-level window per title
//       and, after "--controls", a control per title inside one more top-level window titled
//       "control host"; prints "ready", and on WM_APP to any of them prints the indices of the
//       titled windows in the order WM_CLOSE reached them ("closed 0 1") and exits with the
//       number of them still open.
//   ui_test_helper unresponsive MS TITLE...  the same, but takes no message for MS
//       milliseconds after "ready", as a window that does not answer.
//   ui_test_helper worker MS  builds the main dialog object, lets it own a worker thread that
//       runs MS milliseconds and a child "sleep" process of this one as its companion, and
//       destroys the object: exit code 3 when the process survived the teardown.
//   ui_test_helper sleep  sleeps 30 seconds.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "ui/KorvessaDlg.h"

namespace {

std::vector<HWND> g_windows;
std::vector<int> g_closeOrder;

LRESULT CALLBACK RecordingWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        for (size_t i = 0; i < g_windows.size(); ++i) {
            if (g_windows[i] == hwnd)
                g_closeOrder.push_back(static_cast<int>(i));
        }
        DestroyWindow(hwnd);
        return 0;
    }
    if (message == WM_APP) {
        printf("closed");
        for (int index : g_closeOrder)
            printf(" %d", index);
        printf("\n");
        fflush(stdout);
        int open = 0;
        for (HWND window : g_windows)
            open += IsWindow(window) ? 1 : 0;
        ExitProcess(open);
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

int OpenWindows(int count, char** titles, DWORD unresponsiveMs)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = RecordingWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "KorvessaTestWindow";
    RegisterClassA(&windowClass);
    HWND controlHost = nullptr;
    for (int i = 0; i < count; ++i) {
        if (strcmp(titles[i], "--controls") == 0) {
            controlHost = CreateWindowExA(0, windowClass.lpszClassName, "control host",
                                          WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 10, 400, 300, nullptr, nullptr,
                                          windowClass.hInstance, nullptr);
            continue;
        }
        const int at = static_cast<int>(g_windows.size());
        g_windows.push_back(controlHost ? CreateWindowExA(0, windowClass.lpszClassName, titles[i],
                                                          WS_CHILD | WS_VISIBLE, 10, 30 * at, 200, 24,
                                                          controlHost, nullptr, windowClass.hInstance, nullptr)
                                        : CreateWindowExA(0, windowClass.lpszClassName, titles[i],
                                                          WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10 * at, 10 * at, 200,
                                                          100, nullptr, nullptr, windowClass.hInstance, nullptr));
    }
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    printf("ready\n");
    fflush(stdout);
    Sleep(unresponsiveMs);
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 100;
}

DWORD WINAPI RunFor(LPVOID milliseconds)
{
    Sleep(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(milliseconds)));
    return 0;
}

class DialogWithWorker : public CKorvessaDlg {
public:
    DialogWithWorker(DWORD workerMs, DWORD companionId)
    {
        m_hInstallThread = CreateThread(nullptr, 0, RunFor, reinterpret_cast<LPVOID>(static_cast<UINT_PTR>(workerMs)),
                                        0, nullptr);
        m_childProcessId.RecordStarted([=] { return companionId; });
    }
};

int TearDownWithWorker(DWORD workerMs)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    char command[MAX_PATH + 16];
    snprintf(command, sizeof command, "\"%s\" sleep", path);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION companion = {};
    if (!CreateProcessA(path, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &companion))
        return 10;
    delete new DialogWithWorker(workerMs, companion.dwProcessId);
    // Still here: the worker had ended in time. The companion is ours to end.
    TerminateProcess(companion.hProcess, 1);
    return 3;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && strcmp(argv[1], "windows") == 0)
        return OpenWindows(argc - 2, argv + 2, 0);
    if (argc >= 3 && strcmp(argv[1], "unresponsive") == 0)
        return OpenWindows(argc - 3, argv + 3, static_cast<DWORD>(atoi(argv[2])));
    if (argc == 3 && strcmp(argv[1], "worker") == 0)
        return TearDownWithWorker(static_cast<DWORD>(atoi(argv[2])));
    if (argc == 2 && strcmp(argv[1], "sleep") == 0) {
        Sleep(30000);
        return 0;
    }
    return 2;
}
