// The programs' entry: linked into the programs (target framework_entry), not into the tests,
// which have gtest's main.
#include "common/SystemLibrary.h"
#include "framework/App.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Before anything can load a DLL: the program runs with administrator rights, usually
    // from the browser's download folder, where any download could lie beside it. The only
    // code that ran before is the application object's constructor, which loads none.
    LoadDllsFromSystemFolderOnly();
    return AfxWinMain();
}
