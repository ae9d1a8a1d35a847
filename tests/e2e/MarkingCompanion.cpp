// marking_companion.exe MARKER: a companion that, once it runs, writes the file MARKER and
// then waits far longer than any test, so that a test can tell whether it ever ran and
// whether it was left running.
#include <windows.h>

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    HANDLE marker = CreateFileA(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (marker == INVALID_HANDLE_VALUE)
        return 1;
    CloseHandle(marker);
    Sleep(120000);
    return 0;
}
