// KorvessaX64.exe's entry: one run of the companion over the real Windows steps.
#include "Companion.h"

int main()
{
    CompanionPlatform platform;
    return RunCompanion(platform);
}
