// The entry of test builds of Korvessa.exe, in place of the programs' own (framework_entry),
// that start as on a Windows without SetDefaultDllDirectories: Windows XP, and Vista and 7
// without KB2533623. There the program's folder stays first in the DLL search, and only the
// DLLs loaded from the system folder first keep the ones planted beside it out.
#include "common/SystemLibrary.h"
#include "framework/App.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    LoadDllsFromSystemFolderOnly(nullptr);
    return AfxWinMain();
}
