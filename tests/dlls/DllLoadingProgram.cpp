// dll_loading_program.exe NAME...: loads each DLL its command line names by its bare name, as
// Windows' own libraries load them, and does nothing else. Beside planted copies it shows
// that the planting test sees a DLL that Windows takes from a program's folder.
#include <windows.h>

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        LoadLibraryA(argv[i]);
    return 0;
}
