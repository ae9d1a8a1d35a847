// open_recorder.exe: the test prefix's handler of web addresses and of ".msc" files. Instead
// of opening anything it appends one line to the file that KORVESSA_OPEN_LOG names: the show
// command it was started with, a blank, and the address or file it was asked to open.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char logPath[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("KORVESSA_OPEN_LOG", logPath, MAX_PATH) || __argc < 2)
        return 1;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
    FILE* log = std::fopen(logPath, "a");
    if (!log)
        return 1;
    std::fprintf(log, "%d %s\n", show, __argv[1]);
    std::fclose(log);
    return 0;
}
