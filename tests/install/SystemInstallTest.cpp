// One whole installation on the real platform under Wine: the real package writer, system
// facts, scans and Plug and Play test. Wine has no ADB device, so the run writes the package
// and ends at "no device". The prefix is 64-bit: the 32-bit program runs under WoW64 and writes
// the 64-bit road's package; the 64-bit test build is no WoW64 process and writes the 32-bit one.
#include "install/InstallWorker.h"
#include "install/SystemInstallPlatform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/WorkFolderFixture.h"

namespace {

using namespace testsupport;

class RecordingWindow : public InstallHost {
public:
    InstallPlatform& Platform() override { return m_platform; }
    void SetStatusText(LPCSTR text) override { events.push_back(std::string("status ") + text); }
    void SetProgress(int position) override { events.push_back("progress " + std::to_string(position)); }
    void RefreshDeviceList() override { events.push_back("rebuild"); }
    void ShowMessageBox(LPCSTR text) override { events.push_back(std::string("message box ") + text); }
    void OpenWebPage(LPCSTR address) override { events.push_back(std::string("web ") + address); }
    void RunRestartDialog() override { events.push_back("restart dialog"); }

    std::vector<std::string> events;

private:
    SystemInstallPlatform m_platform;
};

using SystemInstall = FreshWorkFolder;

TEST_F(SystemInstall, WithoutADeviceTheRunWritesThePackageOfItsRoadAndEndsAtNoDevice)
{
    const bool wow64 = sizeof(void*) == 4;
    RecordingWindow window;
    window.m_bInstalling = TRUE;
    EXPECT_EQ(0u, InstallThreadProc(&window));
    EXPECT_FALSE(window.m_bInstalling);

    std::vector<std::string> expected = {
        "status Installing...", "progress 0", "progress 6", "progress 12",
        "progress 16",          "progress 17", "progress 18",
    };
    if (wow64)
        expected.push_back("progress 20");
    for (const char* event : {"progress 21", "status Installing... [Final]", "progress 32",
                              "status [Error] Device not found", "progress 0"})
        expected.push_back(event);
    EXPECT_EQ(expected, window.events);

    const std::wstring package = Join(KorvessaFolder(), L"usb_driver");
    if (wow64) {
        EXPECT_EQ((std::vector<std::wstring>{L"KorvessaX64.exe", L"amd64", L"android_winusb.inf",
                                             L"androidwinusba64.cat"}),
                  FolderEntries(package));
    } else {
        EXPECT_EQ((std::vector<std::wstring>{L"android_winusb.inf", L"androidwinusb86.cat", L"i386"}),
                  FolderEntries(package));
    }
    EXPECT_EQ((std::vector<std::wstring>{L"WUDFUpdate_01009.dll", L"WdfCoInstaller01009.dll",
                                         L"winusbcoinstaller2.dll"}),
              FolderEntries(Join(package, wow64 ? L"amd64" : L"i386")));
}

}  // namespace
