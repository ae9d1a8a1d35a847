// The program's entry: linked into the programs (target framework_entry), not into the tests,
// which have gtest's main.
#include "framework/App.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return AfxWinMain();
}
