// Not a test: the time from starting Korvessa.exe to its main window being visible under
// Wine, the median of ten starts, in one line. It needs a display; ./build.sh bench runs it.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "tests/support/TestPrograms.h"
#include "tests/ui/KorvessaProgram.h"

int main()
{
    constexpr int kStarts = 10;
    std::vector<DWORD> times;
    for (int i = 0; i < kStarts; ++i) {
        const DWORD start = GetTickCount();
        StartedProgram korvessa(KorvessaExePath(), "");
        HWND window = korvessa.Started() ? WaitForMainWindow(korvessa.ProcessId(), 30000) : nullptr;
        if (!window) {
            fprintf(stderr, "start %d: no main window of %s\n", i + 1, KorvessaExePath().c_str());
            return 1;
        }
        times.push_back(GetTickCount() - start);
        PostMessageA(window, WM_CLOSE, 0, 0);
        korvessa.WaitForExit(5000);
    }
    std::sort(times.begin(), times.end());
    printf("Process start to main window visible: median %lu ms of %d starts (fastest %lu, slowest %lu)\n",
           (times[kStarts / 2 - 1] + times[kStarts / 2]) / 2, kStarts, times.front(), times.back());
    return 0;
}
