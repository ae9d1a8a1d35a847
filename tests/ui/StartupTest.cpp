// The real Korvessa.exe: started, its main window found, closed with WM_CLOSE; the process
// ends and leaves no window, with or without command-line arguments.
#include <gtest/gtest.h>

#include "tests/support/TestPrograms.h"
#include "tests/ui/KorvessaProgram.h"

namespace {

TEST(Startup, TheProgramShowsItsWindowAndEndsOnItsClose)
{
    for (const char* arguments : {"", "/install --quiet extra"}) {
        StartedProgram korvessa(KorvessaExePath(), arguments);
        ASSERT_TRUE(korvessa.Started()) << KorvessaExePath();
        HWND window = WaitForMainWindow(korvessa.ProcessId(), 20000);
        ASSERT_NE(nullptr, window) << "arguments: " << arguments;
        EXPECT_TRUE(IsWindowEnabled(window));

        ASSERT_TRUE(PostMessageA(window, WM_CLOSE, 0, 0));
        // Generous for Wine ending a process under load; a program that stays open fails.
        EXPECT_EQ(0u, korvessa.WaitForExit(10000)) << "arguments: " << arguments;
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(nullptr, FindMainWindow(korvessa.ProcessId()));
    }
}

}  // namespace
