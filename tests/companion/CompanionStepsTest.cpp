// The companion's real steps under Wine: the hardware ID, the administrator test and the
// wide work folder on the real file system.
#include "companion/Companion.h"

#include <gtest/gtest.h>

#include "tests/support/WorkFolderFixture.h"

using namespace testsupport;

// Wide formatting is where the two printf conventions part: %s must take wide text here.
TEST(AdbHardwareId, IsTheAdbCompatibleId)
{
    EXPECT_EQ(L"usb\\class_ff&subclass_42&prot_01", AdbHardwareId());
}

TEST(IsRunningAsAdmin, HoldsForWinesUserWhoIsAnAdministrator)
{
    EXPECT_TRUE(IsRunningAsAdmin());
}

using CompanionWorkFolder = FreshWorkFolder;

TEST_F(CompanionWorkFolder, IsCreatedWhenMissing)
{
    EXPECT_EQ(KorvessaFolder(), GetWorkFolder());
    EXPECT_TRUE(IsDirectory(KorvessaFolder()));
    EXPECT_TRUE(FolderEntries(KorvessaFolder()).empty());
}

TEST_F(CompanionWorkFolder, AnExistingOneIsReturnedAndNothingIsCreated)
{
    ASSERT_TRUE(CreateDirectoryW(KorvessaFolder().c_str(), NULL));
    ASSERT_TRUE(WriteBytes(Join(KorvessaFolder(), L"kept.txt"), "kept"));
    EXPECT_EQ(KorvessaFolder(), GetWorkFolder());
    EXPECT_EQ(std::vector<std::wstring>{L"kept.txt"}, FolderEntries(KorvessaFolder()));
}

TEST_F(CompanionWorkFolder, IsEmptyWithoutApplicationDataOrRoomForTheName)
{
    {
        const AppDataRedirect missing(L"C:\\korvessa-no-such-folder\\Roaming");
        EXPECT_EQ(L"", GetWorkFolder());
    }
    EXPECT_FALSE(Exists(L"C:\\korvessa-no-such-folder"));

    const LongFolder tooLong(252);
    {
        const AppDataRedirect redirect(tooLong.Path());
        EXPECT_EQ(L"", GetWorkFolder());
    }
    EXPECT_TRUE(FolderEntries(tooLong.Path()).empty());
    EXPECT_FALSE(Exists(KorvessaFolder()));
}
