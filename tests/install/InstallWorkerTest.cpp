// The installation worker's roads, each run against a recorded window and a scripted platform:
// every status text, progress value, file written, rebuild, adb ending and dialog, in order.
#include "install/InstallWorker.h"

#include <gtest/gtest.h>

#include <deque>
#include <new>
#include <string>
#include <vector>

#include "install/PlugAndPlay.h"
#include "install/ProcessRunner.h"
#include "tests/install/HelperProgram.h"
#include "tests/support/TestPrograms.h"

namespace {

using Events = std::vector<std::string>;

Events operator+(Events head, const Events& tail)
{
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

constexpr char kWorkFolder[] = "C:\\Users\\Jane Doe\\AppData\\Roaming\\Korvessa";
constexpr DWORD kCompanionProcessId = 4242;

// The machine as the worker finds it.
struct World {
    BOOL wow64 = FALSE;
    BOOL vista = FALSE;
    std::deque<DWORD> pendingInstallTests = {WAIT_OBJECT_0};
    BOOL adbProblemDevice = FALSE;
    std::deque<BOOL> adbInterfaceScans;  // one answer per scan
    BOOL samsungDevice = FALSE;
    int unwritableFile = 0;  // the resource id of a package file that cannot be written
    BOOL companionStarts = TRUE;
    CString companionAnswer;
    BOOL driverUpdated = TRUE;
    DWORD updateError = 0;
    CString workFolder = kWorkFolder;
};

class ScriptedPlatform : public InstallPlatform {
public:
    ScriptedPlatform(World world, Events& events) : m_world(std::move(world)), m_events(events) {}
    virtual ~ScriptedPlatform() = default;

    // The scripted answers the worker did not ask for.
    size_t UnusedAnswers() const
    {
        return m_world.pendingInstallTests.size() + m_world.adbInterfaceScans.size();
    }

    CString GetWorkFolder() override { return m_world.workFolder; }
    BOOL ExtractDriverFile(int resourceId) override
    {
        Record("file " + std::to_string(resourceId));
        return resourceId != m_world.unwritableFile;
    }
    BOOL IsWow64() override { return m_world.wow64; }
    BOOL IsWindowsVista() override { return m_world.vista; }
    DWORD TestPendingInstallEvents() override
    {
        return Next(m_world.pendingInstallTests, "pending-installation test", WAIT_OBJECT_0);
    }
    void Pause(DWORD milliseconds) override { Record("pause " + std::to_string(milliseconds)); }
    BOOL FindAdbProblemDevice() override { return m_world.adbProblemDevice; }
    BOOL IsAdbInterfacePresent() override { return Next(m_world.adbInterfaceScans, "ADB interface scan", FALSE); }
    BOOL IsSamsungDevicePresent() override { return m_world.samsungDevice; }
    BOOL RunCompanion(ChildProcessRecord& childProcess, CString& answer, const CString& commandLine) override
    {
        Record(std::string("companion ") + static_cast<LPCSTR>(commandLine));
        if (!m_world.companionStarts)
            return FALSE;
        childProcess.RecordStarted([] { return kCompanionProcessId; });
        answer = m_world.companionAnswer;
        return TRUE;
    }
    BOOL UpdateDriver(LPCSTR hardwareId, LPCSTR infPath, DWORD& lastError) override
    {
        Record(std::string("update ") + hardwareId + " " + infPath);
        if (!m_world.driverUpdated)
            lastError = m_world.updateError;
        return m_world.driverUpdated;
    }
    void KillAdbProcesses() override { Record("adb ended"); }

private:
    void Record(const std::string& event) { m_events.push_back(event); }

    template <typename T>
    T Next(std::deque<T>& answers, const char* what, T otherwise)
    {
        if (answers.empty()) {
            Record(std::string("unscripted ") + what);
            return otherwise;
        }
        const T answer = answers.front();
        answers.pop_front();
        return answer;
    }

    World m_world;
    Events& m_events;
};

// Stands in for the main dialog: records each window operation.
class RecordingHost : public InstallHost {
public:
    RecordingHost(InstallPlatform& platform, Events& events) : m_platform(platform), m_events(events) {}
    virtual ~RecordingHost() = default;

    InstallPlatform& Platform() override { return m_platform; }
    void SetStatusText(LPCSTR text) override { m_events.push_back(std::string("status ") + text); }
    void SetProgress(int position) override { m_events.push_back("progress " + std::to_string(position)); }
    void RefreshDeviceList() override { m_events.push_back("rebuild"); }
    void ShowMessageBox(LPCSTR text) override { RecordDialog(std::string("message box ") + text); }
    void OpenWebPage(LPCSTR address) override { m_events.push_back(std::string("web ") + address); }
    void RunRestartDialog() override { RecordDialog("restart dialog"); }

private:
    // The worker waits in these; no second installation may start meanwhile.
    void RecordDialog(const std::string& event)
    {
        m_events.push_back(event);
        if (!m_bInstalling)
            m_events.push_back("install flag cleared while the dialog is open");
    }

    InstallPlatform& m_platform;
    Events& m_events;
};

// Runs one installation as the Install button does: flag set, thread procedure called.
Events RunInstallation(World world, DWORD* childProcessId = nullptr)
{
    Events events;
    ScriptedPlatform platform(std::move(world), events);
    RecordingHost host(platform, events);
    host.m_bInstalling = TRUE;
    EXPECT_EQ(0u, InstallThreadProc(&host));
    EXPECT_FALSE(host.m_bInstalling);
    EXPECT_EQ(0u, platform.UnusedAnswers()) << "scripted answers left unasked";
    if (childProcessId)
        *childProcessId = host.m_childProcessId.Id();
    return events;
}

const Events kPackage64 = {
    "status Installing...", "progress 0", "file 130", "progress 6",  "file 138",    "progress 12",
    "file 139",             "progress 16", "file 140", "progress 17", "file 128",    "progress 18",
    "file 134",             "progress 20", "progress 21"};
const Events kPackage32 = {
    "status Installing...", "progress 0",  "file 130", "progress 6",  "file 135", "progress 12", "file 136",
    "progress 16",          "file 137",    "progress 17", "file 131", "progress 18", "progress 21"};
const Events kFinal = {"status Installing... [Final]", "progress 32"};
const std::string kCompanionRun =
    "companion \"C:\\Users\\Jane Doe\\AppData\\Roaming\\Korvessa\\usb_driver\\KorvessaX64.exe\"";
const std::string kDriverUpdate =
    "update usb\\class_ff&subclass_42&prot_01 "
    "C:\\Users\\Jane Doe\\AppData\\Roaming\\Korvessa\\usb_driver\\android_winusb.inf";

}  // namespace

TEST(InstallDriver, DecisionsAndThe32BitRoad)
{
    const Events alreadyInstalled = {"status [Tip] ADB Driver already installed", "progress 0"};
    const Events samsung = {"status [Tip] Please download Samsung USB Driver to continue",
                            "message box [Tip] Please download Samsung USB Driver, Click OK to continue",
                            "web https://www.korvessa.com/downloads/", "progress 0"};
    const Events notFound = {"status [Error] Device not found", "progress 0"};
    const Events installed = {"progress 33", "progress 44", kDriverUpdate, "rebuild", "adb ended"};
    const Events waitOnce = {"status Installing... [Waiting for DevMgr]", "pause 500"};

    struct Road {
        const char* name;
        World world;
        Events expected;
    };
    auto world = [](auto configure) {
        World w;
        configure(w);
        return w;
    };
    const Road roads[] = {
        {"already installed", world([](World& w) { w.adbInterfaceScans = {TRUE}; }),
         kPackage32 + kFinal + alreadyInstalled},
        {"already installed, Samsung device attached too, 64-bit Windows",
         world([](World& w) {
             w.wow64 = TRUE;
             w.samsungDevice = TRUE;
             w.adbInterfaceScans = {TRUE};
         }),
         kPackage64 + kFinal + alreadyInstalled},
        {"Samsung device with an ADB device in trouble",
         world([](World& w) {
             w.adbProblemDevice = TRUE;
             w.samsungDevice = TRUE;
         }),
         kPackage32 + kFinal + samsung},
        {"Samsung device without the ADB interface",
         world([](World& w) {
             w.samsungDevice = TRUE;
             w.adbInterfaceScans = {FALSE};
         }),
         kPackage32 + kFinal + samsung},
        {"no device", world([](World& w) { w.adbInterfaceScans = {FALSE, FALSE}; }),
         kPackage32 + kFinal + notFound},
        {"ADB device in trouble whose interface is gone", world([](World& w) {
             w.adbProblemDevice = TRUE;
             w.adbInterfaceScans = {FALSE};
         }),
         kPackage32 + kFinal + notFound},
        {"32-bit success", world([](World& w) {
             w.adbProblemDevice = TRUE;
             w.adbInterfaceScans = {TRUE};
         }),
         kPackage32 + kFinal + installed + Events{"status [Done] Installation Success", "progress 100"}},
        {"32-bit success on Vista", world([](World& w) {
             w.vista = TRUE;
             w.adbProblemDevice = TRUE;
             w.adbInterfaceScans = {TRUE};
         }),
         kPackage32 + kFinal + installed +
             Events{"status [Done] Installation Success, You must restart your computer to task effect.",
                    "progress 100"}},
        {"the ADB interface shows on the second, fresh scan", world([](World& w) { w.adbInterfaceScans = {FALSE, TRUE}; }),
         kPackage32 + kFinal + installed + Events{"status [Done] Installation Success", "progress 100"}},
        {"Plug and Play busy twice", world([](World& w) {
             w.pendingInstallTests = {WAIT_TIMEOUT, WAIT_TIMEOUT, WAIT_OBJECT_0};
             w.adbInterfaceScans = {TRUE};
         }),
         kPackage32 + waitOnce + waitOnce + kFinal + alreadyInstalled},
        {"the Plug and Play test fails at once", world([](World& w) {
             w.pendingInstallTests = {WAIT_FAILED};
             w.adbInterfaceScans = {TRUE};
         }),
         kPackage32 + kFinal + alreadyInstalled},
        {"the Plug and Play test fails after a wait", world([](World& w) {
             w.pendingInstallTests = {WAIT_TIMEOUT, WAIT_FAILED};
             w.adbInterfaceScans = {TRUE};
         }),
         kPackage32 + waitOnce + kFinal + alreadyInstalled},
    };
    for (const Road& road : roads)
        EXPECT_EQ(road.expected, RunInstallation(road.world)) << road.name;
}

TEST(InstallDriver, APackageFileThatCannotBeWrittenEndsTheRunThere)
{
    // Whatever lies in the folder from an earlier run is neither installed nor run: no
    // scan, companion, installer, rebuild or adb ending follows the failed write.
    const Events failed = {"status [Failed] Could not write the driver package", "progress 0"};
    const struct {
        BOOL wow64;
        const Events& package;
    } roads[] = {{TRUE, kPackage64}, {FALSE, kPackage32}};
    for (const auto& road : roads) {
        for (size_t event = 0; event < road.package.size(); ++event) {
            const std::string& step = road.package[event];
            if (step.rfind("file ", 0) != 0)
                continue;
            World world;
            world.wow64 = road.wow64;
            world.adbProblemDevice = TRUE;
            world.pendingInstallTests.clear();
            world.unwritableFile = std::stoi(step.substr(5));
            const Events written(road.package.begin(), road.package.begin() + event + 1);
            EXPECT_EQ(written + failed, RunInstallation(world)) << step << (road.wow64 ? " (64-bit)" : " (32-bit)");
        }
    }
}

TEST(InstallDriver, AnAllocationFailureStillClearsTheInstallFlag)
{
    class FailingPlatform : public ScriptedPlatform {
    public:
        using ScriptedPlatform::ScriptedPlatform;
        BOOL IsSamsungDevicePresent() override { throw std::bad_alloc(); }
    };
    World world;
    world.adbProblemDevice = TRUE;
    Events events;
    FailingPlatform platform(world, events);
    RecordingHost host(platform, events);
    host.m_bInstalling = TRUE;
    EXPECT_EQ(0u, InstallThreadProc(&host));
    EXPECT_FALSE(host.m_bInstalling) << "Install would stay dead until the program restarts";
}

TEST(InstallDriver, The32BitInstallerErrors)
{
    const struct {
        DWORD code;
        const char* status;
    } rows[] = {
        {2, "[Error] File missing"},
        {87, "[Error] Invalid parameter on path"},
        {5, "[Error] Access denied"},
        {0xE000020B, "[Error] Device not found"},
        {0xE0000304, "[Error] Select Install this driver software anyway, please try again."},
        {0xE000023F, "[Error] Select Install this driver software anyway, please try again."},
        {0xE0000247, "[Error] Select Install this driver software anyway, please try again."},
        {0xE000024B, "[Error] Driver signature verification failed"},
        {0xE000022F, "[Error] No cat file for inf"},
        {0xE0000235, "[Error] x64 OS"},
        {0xE0000003, "Error=0xe0000003"},
        {0, "Error=0x00000000"},
    };
    for (const auto& row : rows) {
        World world;
        world.adbProblemDevice = TRUE;
        world.adbInterfaceScans = {TRUE};
        world.driverUpdated = FALSE;
        world.updateError = row.code;
        const Events expected = kPackage32 + kFinal +
                                Events{"progress 33", "progress 44", kDriverUpdate,
                                       std::string("status ") + row.status, "progress 0"};
        EXPECT_EQ(expected, RunInstallation(world)) << std::hex << row.code;
    }
}

namespace {

// The installer's call as a stand-in saw it.
struct InstallerCall {
    HWND parent;
    std::string hardwareId;
    std::string infPath;
    DWORD flags;
    bool rebootFlagAsked;
};
InstallerCall g_installerCall;

BOOL WINAPI SignatureFailingInstaller(HWND parent, LPCSTR hardwareId, LPCSTR infPath, DWORD flags,
                                      PBOOL rebootRequired)
{
    g_installerCall = {parent, hardwareId, infPath, flags, rebootRequired != nullptr};
    SetLastError(0xE000024B);  // ERROR_FILE_HASH_NOT_IN_CATALOG
    return FALSE;
}

}  // namespace

// The in-process road through the real installation call, whose installer a stand-in replaces
// (or none is there): the installer's own error picks the status.
TEST(InstallDriver, The32BitRoadShowsTheInstallersOwnError)
{
    class StandInInstallerPlatform : public ScriptedPlatform {
    public:
        StandInInstallerPlatform(World world, Events& events, UpdateDriverFunction installer)
            : ScriptedPlatform(std::move(world), events), m_installer(installer)
        {
        }
        BOOL UpdateDriver(LPCSTR hardwareId, LPCSTR infPath, DWORD& lastError) override
        {
            return UpdateDriverForHardwareId(hardwareId, infPath, lastError, m_installer);
        }

    private:
        UpdateDriverFunction m_installer;
    };
    const struct {
        UpdateDriverFunction installer;
        const char* status;
    } cases[] = {
        {&SignatureFailingInstaller, "[Error] Driver signature verification failed"},
        {nullptr, "Error=0x0000007f"},  // ERROR_PROC_NOT_FOUND
    };
    for (const auto& c : cases) {
        World world;
        world.adbProblemDevice = TRUE;
        world.adbInterfaceScans = {TRUE};
        Events events;
        StandInInstallerPlatform platform(world, events, c.installer);
        RecordingHost host(platform, events);
        InstallDriver(host);
        const Events installerFailed = {"progress 33", "progress 44", std::string("status ") + c.status,
                                        "progress 0"};
        EXPECT_EQ(kPackage32 + kFinal + installerFailed, events) << c.status;
    }
    EXPECT_EQ(nullptr, g_installerCall.parent);
    EXPECT_EQ("usb\\class_ff&subclass_42&prot_01", g_installerCall.hardwareId);
    EXPECT_EQ(std::string(kWorkFolder) + "\\usb_driver\\android_winusb.inf", g_installerCall.infPath);
    EXPECT_EQ(static_cast<DWORD>(INSTALLFLAG_FORCE), g_installerCall.flags);
    EXPECT_TRUE(g_installerCall.rebootFlagAsked);
}

TEST(InstallDriver, The64BitRoadForEachCompanionAnswer)
{
    const struct {
        const char* answer;
        BOOL vista;
        const char* status;
        int progress;
        bool restartDialog;
    } rows[] = {
        {"success", FALSE, "[Done] Installation success.", 100, false},
        {"success", TRUE, "[Done] Installation Success, You must restart your computer to task effect.", 100, false},
        {"require admin privileges", FALSE, "[Error] Require admin privileges.", 0, false},
        {"file not found", FALSE, "[Error] Require admin privileges.", 0, false},
        {"invalid parameter on path", FALSE, "[Error] Invalid parameter on path", 0, false},
        {"inf is invalid", FALSE, "[Error] Inf is invalid", 0, false},
        {"device not found", FALSE, "[Error] Device not found", 0, false},
        {"Access Denied", FALSE, "[Error] Require admin privileges.", 0, false},
        {"user decided not to install on warnings", FALSE,
         "[Error] Select Install this driver software anyway, please try again.", 0, false},
        {"user cancelled on warnings", FALSE, "[Error] Select Install this driver software anyway, please try again.",
         0, false},
        {"no cat", FALSE, "[Error] No cat file.", 0, false},
        {"missing cat entry in inf", FALSE, "[Error] Missing cat entry in inf.", 0, false},
        {"reject unsigned drivers", FALSE, "[Error] No cat file for inf", 0, false},
        {"failed signature validation", FALSE, "[Error] Windows 8 x64 driver signature verification failed", 0, true},
        {"FAILED Signature Validation", TRUE, "[Error] Windows 8 x64 driver signature verification failed", 0, true},
        {"SUCCESS", FALSE, "SUCCESS", 0, false},
        {"mfc init failed", FALSE, "mfc init failed", 0, false},
        {"[Error] code=0xe0000235", FALSE, "[Error] code=0xe0000235", 0, false},
        {"", FALSE, "", 0, false},
    };
    for (const auto& row : rows) {
        World world;
        world.wow64 = TRUE;
        world.vista = row.vista;
        world.adbProblemDevice = TRUE;
        world.adbInterfaceScans = {TRUE};
        world.companionAnswer = row.answer;
        Events expected = kPackage64 + kFinal +
                          Events{"progress 33", kCompanionRun, "progress " + std::to_string(row.progress), "rebuild",
                                 "adb ended", std::string("status ") + row.status};
        if (row.restartDialog)
            expected.push_back("restart dialog");
        DWORD childProcessId = 0;
        EXPECT_EQ(expected, RunInstallation(world, &childProcessId)) << '"' << row.answer << '"';
        EXPECT_EQ(kCompanionProcessId, childProcessId) << "the runner writes the host's field";
    }
}

TEST(InstallDriver, ACompanionThatCannotRunEndsTheRoad)
{
    World world;
    world.wow64 = TRUE;
    world.adbInterfaceScans = {FALSE, TRUE};
    world.companionStarts = FALSE;
    const Events expected =
        kPackage64 + kFinal +
        Events{"progress 33", kCompanionRun, "status [Failed] Load x64 Korvessa failed", "progress 0"};
    EXPECT_EQ(expected, RunInstallation(world));
}

TEST(InstallDriver, APackagePathThatCannotBeBuiltStaysEmpty)
{
    // Without a work folder, or with one so long that a path below it passes MAX_PATH, a
    // path relative to the current folder would name whatever program or INF lies there.
    // From 249 characters on not even "\\usb_driver" fits; from 233 on no file name does.
    // At 229 both paths still fit.
    const auto folderOf = [](size_t length) { return CString(("C:\\" + std::string(length - 3, 'w')).c_str()); };
    const struct {
        const char* name;
        CString workFolder;
        bool pathsFit;
    } rows[] = {
        {"no work folder", "", false},
        {"229 characters", folderOf(229), true},
        {"233 characters", folderOf(233), false},
        {"249 characters", folderOf(249), false},
        {"259 characters", folderOf(259), false},
        {"300 characters", folderOf(300), false},
    };
    for (const auto& row : rows) {
        const CString packageFolder = row.pathsFit ? row.workFolder + "\\usb_driver\\" : CString();
        const CString companion = row.pathsFit ? packageFolder + "KorvessaX64.exe" : CString();
        const CString inf = row.pathsFit ? packageFolder + "android_winusb.inf" : CString();

        World world;
        world.wow64 = TRUE;
        world.adbInterfaceScans = {FALSE, TRUE};
        world.workFolder = row.workFolder;
        world.companionStarts = FALSE;
        const Events companionNotRun = {"progress 33", std::string("companion \"") + static_cast<LPCSTR>(companion) + "\"",
                                        "status [Failed] Load x64 Korvessa failed", "progress 0"};
        EXPECT_EQ(kPackage64 + kFinal + companionNotRun, RunInstallation(world)) << row.name;

        world.wow64 = FALSE;
        world.adbInterfaceScans = {FALSE, TRUE};
        world.driverUpdated = FALSE;
        world.updateError = ERROR_INVALID_PARAMETER;
        const Events updateWithoutInf = {"progress 33", "progress 44",
                                         std::string("update usb\\class_ff&subclass_42&prot_01 ") + static_cast<LPCSTR>(inf),
                                         "status [Error] Invalid parameter on path", "progress 0"};
        EXPECT_EQ(kPackage32 + kFinal + updateWithoutInf, RunInstallation(world)) << row.name;
    }
}

namespace {

// Runs the real companion command in a real work folder.
class RunningPlatform : public ScriptedPlatform {
public:
    RunningPlatform(World world, Events& events, CString workFolder)
        : ScriptedPlatform(std::move(world), events), m_workFolder(workFolder)
    {
    }

    CString GetWorkFolder() override { return m_workFolder; }
    BOOL RunCompanion(ChildProcessRecord& childProcess, CString& answer, const CString& commandLine) override
    {
        return RunProcessCaptureOutput(childProcess, answer, commandLine, 20000);
    }

private:
    CString m_workFolder;
};

}  // namespace

TEST(InstallDriver, AWorkFolderBelowANameWithABlankRunsTheCompanionWrittenThere)
{
    // The helper as companion answers with its own path. A copy at the path's first word
    // ("...\Jane.exe") is what an unquoted command would run instead.
    ScratchFolder folder;
    folder.AddFolder("Jane Doe");
    const CString workFolder = folder.AddFolder("Jane Doe\\Korvessa");
    folder.AddFolder("Jane Doe\\Korvessa\\usb_driver");
    const CString companion = folder.AddCopy(HelperPath(), "Jane Doe\\Korvessa\\usb_driver\\KorvessaX64.exe");
    folder.AddCopy(HelperPath(), "Jane.exe");

    World world;
    world.wow64 = TRUE;
    world.adbInterfaceScans = {FALSE, TRUE};
    Events events;
    RunningPlatform platform(world, events, workFolder);
    RecordingHost host(platform, events);
    InstallDriver(host);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(std::string("status ") + static_cast<LPCSTR>(companion), events.back());
}
