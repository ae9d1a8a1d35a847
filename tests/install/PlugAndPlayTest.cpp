// The Plug and Play calls against Wine's own Plug and Play manager.
#include "install/PlugAndPlay.h"

#include <gtest/gtest.h>

#include "tests/support/TestPrograms.h"
#include "tests/support/UnderWine.h"

TEST(PlugAndPlay, NothingIsPendingOnAnIdleSystem)
{
    EXPECT_EQ(WAIT_OBJECT_0, TestPendingInstallEvents());
}

TEST(PlugAndPlay, AnUpdateHandsBackTheErrorOnlyWhenItFails)
{
    // Wine accepts any update; Windows refuses a missing INF. The error code belongs to the
    // answer: untouched on success, the call's own code on failure.
    ScratchFolder folder;
    const CString missingInf = folder.Path() + "\\android_winusb.inf";
    constexpr DWORD kUntouched = 0xDEADBEEF;
    DWORD lastError = kUntouched;
    SetLastError(ERROR_SUCCESS);
    const BOOL updated = UpdateDriverForHardwareId("usb\\class_ff&subclass_42&prot_01", missingInf, lastError);
    if (UnderWine()) {
        EXPECT_TRUE(updated);
        EXPECT_EQ(kUntouched, lastError);
    } else {
        EXPECT_FALSE(updated);
        EXPECT_NE(kUntouched, lastError);
        EXPECT_NE(static_cast<DWORD>(ERROR_SUCCESS), lastError);
    }
}

// Without newdev.dll's installer the update fails with the reason: newdev.dll is there, the
// function is not.
TEST(PlugAndPlay, AnUpdateWithoutTheInstallerFailsWithItsOwnError)
{
    DWORD lastError = 0;
    EXPECT_FALSE(UpdateDriverForHardwareId("usb\\class_ff&subclass_42&prot_01", "C:\\android_winusb.inf",
                                           lastError, nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PROC_NOT_FOUND), lastError);
}
