// The "Found New Hardware" watcher over windows of another process (the helper's): its
// callback called directly, as a table of titles, and through the real hook.
#include "ui/NewHardwareWatcher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "tests/support/TitleWindows.h"
#include "tests/ui/ModuleAllocations.h"

namespace {

struct TitleCase {
    const char* title;
    bool closed;  // by its next event
};

const TitleCase kTitleCases[] = {
    {"Found New Hardware Wizard", true},
    {"Found New Hardware", true},
    {"Found new hardware", false},
    {"FOUND NEW HARDWARE WIZARD", false},
    {"Found New Hardware ", false},
    {"Found New Hardware Wizard ", false},
    {"Found New Hardware Wizard 2", false},
    {"Found New Hardware - Android", false},
    {"Found New", false},
    {"", false},
};

constexpr char kSentinel[] = "watcher test sentinel";

void RaiseEvent(HWND window, LONG idObject = OBJID_WINDOW, LONG idChild = CHILDID_SELF)
{
    WinEventProc(NULL, EVENT_OBJECT_NAMECHANGE, window, idObject, idChild, 0, 0);
}

std::vector<std::string> TableTitles()
{
    std::vector<std::string> titles;
    for (const TitleCase& c : kTitleCases)
        titles.push_back(c.title);
    titles.push_back(kSentinel);
    return titles;
}

// Posted messages reach the other program's thread in order: once the sentinel has its
// WM_CLOSE, every WM_CLOSE posted before it has been handled.
void WaitForEarlierPosts(const TitleWindows& windows)
{
    const HWND sentinel = windows.Window(kSentinel);
    PostMessageA(sentinel, WM_CLOSE, 0, 0);
    ASSERT_TRUE(TitleWindows::WaitForClose(sentinel, 5000));
}

TEST(WinEventProc, ClosesExactlyTheTwoTitlesAtTheirNextEvent)
{
    TitleWindows windows(TableTitles());
    ASSERT_TRUE(windows.Started());
    for (const TitleCase& c : kTitleCases)
        ASSERT_NE(nullptr, windows.Window(c.title)) << '"' << c.title << '"';
    for (const TitleCase& c : kTitleCases)
        RaiseEvent(windows.Window(c.title));
    WaitForEarlierPosts(windows);
    for (const TitleCase& c : kTitleCases)
        EXPECT_EQ(c.closed, TitleWindows::Closed(windows.Window(c.title))) << '"' << c.title << '"';
}

// The helper's windows are found by their titles: each starts with a title of its own and is
// then given the row's title.
struct EventCase {
    const char* name;
    bool control;  // a control inside a top-level window, not a top-level window
    const char* title;
    LONG idObject;
    LONG idChild;
    bool closed;
};

const EventCase kEventCases[] = {
    {"the window itself", false, "Found New Hardware", OBJID_WINDOW, CHILDID_SELF, true},
    {"the wizard itself", false, "Found New Hardware Wizard", OBJID_WINDOW, CHILDID_SELF, true},
    {"its client area", false, "Found New Hardware", OBJID_CLIENT, CHILDID_SELF, false},
    {"its caret", false, "Found New Hardware Wizard", OBJID_CARET, CHILDID_SELF, false},
    {"a child element", false, "Found New Hardware", OBJID_WINDOW, 1, false},
    {"a control", true, "Found New Hardware", OBJID_WINDOW, CHILDID_SELF, false},
    {"a control", true, "Found New Hardware Wizard", OBJID_WINDOW, CHILDID_SELF, false},
};

TEST(WinEventProc, ClosesOnlyATopLevelWindowOnAnEventAboutTheWindowItself)
{
    std::vector<std::string> windowTitles = {kSentinel};
    std::vector<std::string> controlTitles;
    for (size_t row = 0; row < std::size(kEventCases); ++row)
        (kEventCases[row].control ? controlTitles : windowTitles).push_back("event row " + std::to_string(row));
    TitleWindows windows(windowTitles, controlTitles);
    ASSERT_TRUE(windows.Started());
    for (size_t row = 0; row < std::size(kEventCases); ++row) {
        const HWND window = windows.Window("event row " + std::to_string(row));
        ASSERT_NE(nullptr, window) << row;
        ASSERT_TRUE(SetWindowTextA(window, kEventCases[row].title)) << row;
    }
    for (size_t row = 0; row < std::size(kEventCases); ++row) {
        const EventCase& c = kEventCases[row];
        RaiseEvent(windows.Window("event row " + std::to_string(row)), c.idObject, c.idChild);
    }
    WaitForEarlierPosts(windows);
    for (size_t row = 0; row < std::size(kEventCases); ++row) {
        const EventCase& c = kEventCases[row];
        EXPECT_EQ(c.closed, TitleWindows::Closed(windows.Window("event row " + std::to_string(row))))
            << c.name << " titled \"" << c.title << '"';
    }
}

class CountingWindowOfOwnProcess {
public:
    explicit CountingWindowOfOwnProcess(const char* title)
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleA(NULL);
        windowClass.lpszClassName = "KorvessaOwnTitleWindow";
        RegisterClassA(&windowClass);
        m_window = CreateWindowExA(0, windowClass.lpszClassName, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   300, 300, 240, 80, NULL, NULL, windowClass.hInstance, NULL);
    }
    ~CountingWindowOfOwnProcess() { DestroyWindow(m_window); }
    HWND Window() const { return m_window; }
    LONG_PTR CloseCount() const { return GetWindowLongPtrA(m_window, GWLP_USERDATA); }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_CLOSE) {
            SetWindowLongPtrA(window, GWLP_USERDATA, GetWindowLongPtrA(window, GWLP_USERDATA) + 1);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    HWND m_window = NULL;
};

TEST(WinEventProc, LeavesAloneAnEventWithoutAWindowAndTheWindowsOfItsOwnProcess)
{
    // WM_CLOSE posted to no window, or to a window of this thread, lands in its own queue.
    MSG message;
    while (PeekMessageA(&message, NULL, WM_CLOSE, WM_CLOSE, PM_REMOVE)) {
    }
    CountingWindowOfOwnProcess own("Found New Hardware");
    ASSERT_NE(nullptr, own.Window());
    while (PeekMessageA(&message, NULL, WM_CLOSE, WM_CLOSE, PM_REMOVE)) {
    }
    RaiseEvent(NULL);
    RaiseEvent(own.Window());
    EXPECT_FALSE(PeekMessageA(&message, NULL, WM_CLOSE, WM_CLOSE, PM_REMOVE));
    EXPECT_EQ(0, own.CloseCount());
}

TEST(WinEventProc, AllocatesNothing)
{
    TitleWindows windows(TableTitles());
    ASSERT_TRUE(windows.Started());
    const unsigned long start = ModuleAllocationCount();
    int* volatile seen = new int(7);
    delete seen;
    ASSERT_EQ(start + 1, ModuleAllocationCount()) << "the counter must see this program's allocations";

    std::vector<HWND> targets;
    for (const TitleCase& c : kTitleCases)
        targets.push_back(windows.Window(c.title));
    const unsigned long before = ModuleAllocationCount();
    for (int round = 0; round < 20; ++round) {
        for (HWND window : targets)
            RaiseEvent(window);
        RaiseEvent(NULL);
    }
    EXPECT_EQ(before, ModuleAllocationCount());
}

TEST(NewHardwareWatcher, ClosesTheWindowsOfOtherProcessesAsTheyAppearButNotItsOwn)
{
    const HWINEVENTHOOK hook = WatchForNewHardwareWindows();
    ASSERT_NE(nullptr, hook);
    CountingWindowOfOwnProcess own("Found New Hardware");
    ASSERT_NE(nullptr, own.Window());

    TitleWindows windows({"Found New Hardware Wizard", "Found New Hardware", "Found New Hardware Wizard 2"});
    ASSERT_TRUE(windows.Started());
    EXPECT_TRUE(TitleWindows::WaitForClose(windows.Window("Found New Hardware Wizard"), 10000));
    EXPECT_TRUE(TitleWindows::WaitForClose(windows.Window("Found New Hardware"), 10000));
    ASSERT_NE(nullptr, windows.Window("Found New Hardware Wizard 2"));

    // Events of the own window, while the hook goes on working. The hook's events come in
    // order: once a window that appears after them has been closed, they have all been
    // handled. (The sentinel is a new window: Wine raises no event for a window retitled or
    // shown again.)
    SetWindowTextA(own.Window(), "Found New Hardware");
    ShowWindow(own.Window(), SW_HIDE);
    ShowWindow(own.Window(), SW_SHOWNOACTIVATE);
    TitleWindows sentinel({"Found New Hardware"});
    ASSERT_TRUE(sentinel.Started());
    EXPECT_TRUE(TitleWindows::WaitForClose(sentinel.Window("Found New Hardware"), 10000));
    EXPECT_EQ(0, own.CloseCount());
    UnhookWinEvent(hook);
    std::vector<std::string> closed = windows.EndAndListClosed("Found New Hardware Wizard 2");
    std::sort(closed.begin(), closed.end());
    EXPECT_EQ((std::vector<std::string>{"Found New Hardware", "Found New Hardware Wizard"}), closed);
}

}  // namespace
