// KorvessaX64.exe's entry: one run of the companion over the real Windows steps.
#include "companion/Companion.h"

#include "common/SystemLibrary.h"

int main()
{
    // Before anything loads a DLL: this program runs elevated from a folder that other
    // programs of the user can write to.
    LoadDllsFromSystemFolderOnly();
    CompanionPlatform platform;
    return RunCompanion(platform);
}
