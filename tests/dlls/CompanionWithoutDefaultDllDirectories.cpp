// A test build of KorvessaX64.exe that starts as on a Windows without
// SetDefaultDllDirectories (Windows XP x64, and Vista and 7 without KB2533623), where the
// program's folder stays first in the DLL search. The run is the companion's own.
#include "common/SystemLibrary.h"
#include "companion/Companion.h"

int main()
{
    LoadDllsFromSystemFolderOnly(nullptr);
    CompanionPlatform platform;
    return RunCompanion(platform);
}
