// Run by hand, not a test: how long a message to the main window takes to be answered while
// an installation runs whose companion takes two seconds (korvessa_slow_install.exe). The
// goal is under 16 ms for the longest round trip.
//   WINEPREFIX=$PWD/build/wineprefix wine build/bin/responsiveness_benchmark.exe
#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "KorvessaProcess.h"

int main()
{
    KorvessaProcess korvessa(KORVESSA_SLOW_INSTALL_PROGRAM, "2000");
    if (!korvessa.MainWindow()) {
        std::printf("korvessa_slow_install.exe did not open its window\n");
        return 1;
    }
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    double longestMs = 0;
    double totalMs = 0;
    long roundTrips = 0;
    korvessa.Click(1004);
    const DWORD begin = GetTickCount();
    // Until the worker's last step, the "[Done]" status, and a little after.
    while (korvessa.ControlText(1005).compare(0, 6, "[Done]") != 0 && GetTickCount() - begin < 30000) {
        LARGE_INTEGER before, after;
        QueryPerformanceCounter(&before);
        DWORD_PTR result = 0;
        SendMessageTimeoutA(korvessa.MainWindow(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
        QueryPerformanceCounter(&after);
        const double ms = 1000.0 * (after.QuadPart - before.QuadPart) / frequency.QuadPart;
        longestMs = std::max(longestMs, ms);
        totalMs += ms;
        ++roundTrips;
        Sleep(1);
    }
    std::printf("Status: %s\n", korvessa.ControlText(1005).c_str());
    std::printf("Round trips to the main window during the installation: %ld, mean %.3f ms, longest %.3f ms "
                "(goal: under 16 ms)\n",
                roundTrips, roundTrips ? totalMs / roundTrips : 0.0, longestMs);
    PostMessageA(korvessa.MainWindow(), WM_CLOSE, 0, 0);
    korvessa.WaitForExit(5000);
    return 0;
}
