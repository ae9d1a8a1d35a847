// RunCompanion: the steps, result words and exit codes of one companion run, over platforms
// with some steps replaced; the steps not replaced are the real ones under Wine.
#include "companion/Companion.h"

#include <gtest/gtest.h>

#include "tests/support/WorkFolderFixture.h"

using namespace testsupport;

namespace {

// Captures the output; the other steps are the real ones unless a test replaces them.
class CapturingPlatform : public CompanionPlatform {
public:
    std::string output;
    void Print(const char* word) override { output += word; }
};

// Every step answers as told and is counted. Like the real installation routine, it reports
// error 0 after success.
class FakePlatform : public CapturingPlatform {
public:
    BOOL startUp = TRUE;
    BOOL admin = TRUE;
    std::wstring workFolder = L"C:\\users\\someone\\AppData\\Roaming\\Korvessa";
    BOOL installs = FALSE;
    DWORD lastError = 0;
    BOOL needsReboot = FALSE;

    int adminTests = 0;
    int workFolderLookUps = 0;
    int installCalls = 0;
    std::wstring infPath;

    BOOL StartUp() override { return startUp; }
    BOOL IsRunningAsAdmin() override
    {
        ++adminTests;
        return admin;
    }
    std::wstring GetWorkFolder() override
    {
        ++workFolderLookUps;
        return workFolder;
    }
    BOOL InstallAndroidUsbDriver(const std::wstring& path, DWORD* errorCode,
                                 BOOL* needReboot) override
    {
        ++installCalls;
        infPath = path;
        *needReboot = needsReboot;
        *errorCode = installs ? 0 : lastError;
        return installs;
    }
};

}  // namespace

TEST(RunCompanion, AFailedStartUpEndsWithExitCodeOneBeforeAnythingElse)
{
    FakePlatform platform;
    platform.startUp = FALSE;
    EXPECT_EQ(1, RunCompanion(platform));
    EXPECT_EQ("mfc init failed", platform.output);
    EXPECT_EQ(0, platform.adminTests);
    EXPECT_EQ(0, platform.workFolderLookUps);
    EXPECT_EQ(0, platform.installCalls);
}

TEST(RunCompanion, WithoutAdministratorRightsNothingIsLookedUpOrInstalled)
{
    FakePlatform platform;
    platform.admin = FALSE;
    EXPECT_EQ(0, RunCompanion(platform));
    EXPECT_EQ("require admin privileges", platform.output);
    EXPECT_EQ(0, platform.workFolderLookUps);
    EXPECT_EQ(0, platform.installCalls);
}

TEST(RunCompanion, ASuccessfulInstallationPrintsSuccessEvenWhenARestartIsNeeded)
{
    for (BOOL needsReboot : {FALSE, TRUE}) {
        FakePlatform platform;
        platform.installs = TRUE;
        platform.needsReboot = needsReboot;
        EXPECT_EQ(0, RunCompanion(platform));
        EXPECT_EQ("success", platform.output) << needsReboot;
        EXPECT_EQ(1, platform.installCalls);
    }
}

TEST(RunCompanion, EveryErrorCodePrintsItsWordOrTheCodeItself)
{
    const struct {
        DWORD lastError;
        const char* word;
    } cases[] = {
        {2, "file not found"},
        {5, "access denied"},
        {87, "invalid parameter on path"},
        {0xE0000003, "inf is invalid"},
        {0xE0000100, "missing cat entry in inf"},
        {0xE000020B, "device not found"},
        {0xE000022F, "reject unsigned drivers"},
        {0xE000023F, "user cancelled on warnings"},
        {0xE0000247, "user decided not to install on warnings"},
        {0xE000024B, "failed signature validation"},
        {0xE0000304, "no cat"},
        // A failure whose last error is 0, and codes without a word of their own.
        {0, "[Error] code=0x00000000"},
        {0xE0000235, "[Error] code=0xe0000235"},
        {1, "[Error] code=0x00000001"},
        {0xE0000004, "[Error] code=0xe0000004"},
        {0xFFFFFFFF, "[Error] code=0xffffffff"},
    };
    for (const auto& c : cases) {
        FakePlatform platform;
        platform.lastError = c.lastError;
        EXPECT_EQ(0, RunCompanion(platform)) << std::hex << c.lastError;
        EXPECT_EQ(c.word, platform.output) << std::hex << c.lastError;
    }
}

TEST(RunCompanion, TheInfIsLookedForInThePackageFolderOfTheWorkFolder)
{
    FakePlatform platform;
    RunCompanion(platform);
    EXPECT_EQ(platform.workFolder + L"\\usb_driver\\android_winusb.inf", platform.infPath);
}

// With no usable work folder the call is made on an empty path, so it fails on its own
// terms, never on an INF found relative to the current folder.
TEST(RunCompanion, WithoutAWorkFolderTheInstallationGetsNoPath)
{
    const std::wstring tooLong = L"C:\\" + std::wstring(240, L'k');
    for (const std::wstring& workFolder : {std::wstring(), tooLong}) {
        FakePlatform platform;
        platform.workFolder = workFolder;
        platform.lastError = ERROR_FILE_NOT_FOUND;
        EXPECT_EQ(0, RunCompanion(platform));
        EXPECT_EQ(1, platform.installCalls);
        EXPECT_EQ(L"", platform.infPath);
        EXPECT_EQ("file not found", platform.output);
    }
}

namespace {

// The installer's call as a stand-in saw it.
struct InstallerCall {
    HWND parent;
    std::wstring hardwareId;
    std::wstring infPath;
    DWORD flags;
    bool rebootFlagAsked;
};
InstallerCall g_installerCall;

BOOL WINAPI SignatureFailingInstaller(HWND parent, LPCWSTR hardwareId, LPCWSTR infPath, DWORD flags,
                                      PBOOL rebootRequired)
{
    g_installerCall = {parent, hardwareId, infPath, flags, rebootRequired != nullptr};
    SetLastError(0xE000024B);  // ERROR_FILE_HASH_NOT_IN_CATALOG
    return FALSE;
}

}  // namespace

// The real installation step, whose installer a stand-in replaces (or none is there): the
// installer's own error picks the word.
TEST(RunCompanion, TheInstallersOwnErrorPicksTheWord)
{
    class StandInInstaller : public FakePlatform {
    public:
        explicit StandInInstaller(UpdateDriverFunction installer) : m_installer(installer) {}
        BOOL InstallAndroidUsbDriver(const std::wstring& path, DWORD* errorCode,
                                     BOOL* needReboot) override
        {
            return ::InstallAndroidUsbDriver(path, errorCode, needReboot, m_installer);
        }

    private:
        UpdateDriverFunction m_installer;
    };
    const struct {
        UpdateDriverFunction installer;
        const char* word;
    } cases[] = {
        {&SignatureFailingInstaller, "failed signature validation"},
        {nullptr, "[Error] code=0x0000007f"},  // ERROR_PROC_NOT_FOUND
    };
    for (const auto& c : cases) {
        StandInInstaller platform(c.installer);
        EXPECT_EQ(0, RunCompanion(platform));
        EXPECT_EQ(c.word, platform.output);
    }
    EXPECT_EQ(nullptr, g_installerCall.parent);
    EXPECT_EQ(L"usb\\class_ff&subclass_42&prot_01", g_installerCall.hardwareId);
    EXPECT_EQ(L"C:\\users\\someone\\AppData\\Roaming\\Korvessa\\usb_driver\\android_winusb.inf",
              g_installerCall.infPath);
    EXPECT_EQ(static_cast<DWORD>(INSTALLFLAG_FORCE), g_installerCall.flags);
    EXPECT_TRUE(g_installerCall.rebootFlagAsked);
}

using RunCompanionOnWine = FreshWorkFolder;

TEST_F(RunCompanionOnWine, ANonAdministratorCreatesNoWorkFolder)
{
    class NotAdministrator : public CapturingPlatform {
        BOOL IsRunningAsAdmin() override { return FALSE; }
    } platform;
    EXPECT_EQ(0, RunCompanion(platform));
    EXPECT_EQ("require admin privileges", platform.output);
    EXPECT_FALSE(Exists(KorvessaFolder()));
}

TEST_F(RunCompanionOnWine, AFirstRunCreatesTheWorkFolderButNotThePackageFolder)
{
    class RecordingInstall : public CapturingPlatform {
    public:
        std::wstring infPath;
        BOOL InstallAndroidUsbDriver(const std::wstring& path, DWORD* errorCode, BOOL*) override
        {
            infPath = path;
            *errorCode = ERROR_FILE_NOT_FOUND;
            return FALSE;
        }
    } platform;
    EXPECT_EQ(0, RunCompanion(platform));
    EXPECT_EQ("file not found", platform.output);
    EXPECT_TRUE(IsDirectory(KorvessaFolder()));
    EXPECT_TRUE(FolderEntries(KorvessaFolder()).empty());
    EXPECT_EQ(Join(Join(KorvessaFolder(), L"usb_driver"), L"android_winusb.inf"), platform.infPath);
}
