// The installation worker's road: the package, the wait for Plug and Play, the decision,
// and the 64-bit (companion) or 32-bit (in-process) installation.
#include "install/InstallWorker.h"

#include <exception>

#include "common/AdbCompatibleId.h"
#include "common/WebPages.h"
#include "install/DriverPackage.h"
#include "install/InstallMessages.h"
#include "install/StatusTexts.h"

namespace {

constexpr DWORD kPendingInstallPauseMs = 500;

// The package files of each road, in the order of writing, and the progress shown once each
// file is written.
struct PackageStep {
    int resourceId;
    int progress;
};
constexpr PackageStep kInf = {IDR_ANDROID_WINUSB_INF, 6};
const PackageStep k64BitFiles[] = {
    {IDR_WDFCOINSTALLER_AMD64, 12},
    {IDR_WINUSBCOINSTALLER_AMD64, 16},
    {IDR_WUDFUPDATE_AMD64, 17},
    {IDR_ANDROIDWINUSBA64_CAT, 18},
    {IDR_KORVESSAX64_EXE, 20},
};
const PackageStep k32BitFiles[] = {
    {IDR_WDFCOINSTALLER_I386, 12},
    {IDR_WINUSBCOINSTALLER_I386, 16},
    {IDR_WUDFUPDATE_I386, 17},
    {IDR_ANDROIDWINUSB86_CAT, 18},
};

// Writes one file and shows its progress; when the file cannot be written the run ends
// there, so that nothing installs or runs an older file left in the folder (a companion
// held open by another program, a read-only INF).
bool WritePackageFile(InstallHost& host, InstallPlatform& platform, const PackageStep& file)
{
    if (!platform.ExtractDriverFile(file.resourceId)) {
        host.SetStatusText(StatusText::kPackageNotWritten);
        host.SetProgress(0);
        return false;
    }
    host.SetProgress(file.progress);
    return true;
}

template <size_t Count>
bool WritePackageFiles(InstallHost& host, InstallPlatform& platform, const PackageStep (&files)[Count])
{
    for (const PackageStep& file : files) {
        if (!WritePackageFile(host, platform, file))
            return false;
    }
    return true;
}

// TRUE when every file of the road was written; otherwise the failure has been shown.
bool WritePackage(InstallHost& host, InstallPlatform& platform)
{
    if (!WritePackageFile(host, platform, kInf))
        return false;
    const bool written = platform.IsWow64() ? WritePackageFiles(host, platform, k64BitFiles)
                                            : WritePackageFiles(host, platform, k32BitFiles);
    if (!written)
        return false;
    host.SetProgress(21);
    return true;
}

// Waits while Plug and Play installs devices of its own. A test that fails ends the wait,
// as it would fail again and again.
void WaitForPlugAndPlay(InstallHost& host, InstallPlatform& platform)
{
    while (platform.TestPendingInstallEvents() == WAIT_TIMEOUT) {
        host.SetStatusText(StatusText::kWaitingForDeviceManager);
        platform.Pause(kPendingInstallPauseMs);
    }
}

// TRUE when the installation should go ahead; otherwise the outcome has been shown.
bool DecideToInstall(InstallHost& host, InstallPlatform& platform)
{
    if (!platform.FindAdbProblemDevice() && platform.IsAdbInterfacePresent()) {
        host.SetStatusText(StatusText::kAlreadyInstalled);
        host.SetProgress(0);
        return false;
    }
    if (platform.IsSamsungDevicePresent()) {
        host.SetStatusText(StatusText::kSamsungDriverNeeded);
        host.ShowMessageBox(StatusText::kSamsungMessageBox);
        host.OpenWebPage(KORVESSA_DOWNLOADS_PAGE);
        host.SetProgress(0);
        return false;
    }
    if (!platform.IsAdbInterfacePresent()) {
        host.SetStatusText(StatusText::kDeviceNotFound);
        host.SetProgress(0);
        return false;
    }
    return true;
}

void InstallThroughCompanion(InstallHost& host, InstallPlatform& platform, const CString& workFolder)
{
    // Quoted, so that a work folder below a name with a blank ("C:\Users\Jane Doe\...") runs
    // this program and not whatever stands at the path's first word ("C:\Users\Jane.exe").
    const PackageFile& companionFile = *FindPackageFile(IDR_KORVESSAX64_EXE);
    const CString companion = PackagePath(workFolder, companionFile.subFolder, companionFile.fileName);
    const CString command = CString("\"") + companion + "\"";
    CString answer;
    if (!platform.RunCompanion(host.m_childProcessId, answer, command)) {
        host.SetStatusText(StatusText::kCompanionNotRun);
        host.SetProgress(0);
        return;
    }
    CString message;
    const BOOL installed = MapHelperResult(answer, message, platform.IsWindowsVista());
    host.SetProgress(installed ? 100 : 0);
    host.RefreshDeviceList();
    platform.KillAdbProcesses();
    host.SetStatusText(message);
    if (message == StatusText::kWindows8SignatureFailed)
        host.RunRestartDialog();
}

void InstallInProcess(InstallHost& host, InstallPlatform& platform, const CString& workFolder)
{
    CString infName;
    infName.Format("%s_%s.%s", "android", "winusb", "inf");
    const CString infPath = PackagePath(workFolder, "", infName);
    CString hardwareId;
    hardwareId.Format(ADB_COMPATIBLE_ID(KORVESSA_ANSI_TEXT));
    host.SetProgress(44);
    DWORD lastError = 0;
    if (!platform.UpdateDriver(hardwareId, infPath, lastError)) {
        host.SetStatusText(InstallErrorMessage(lastError));
        host.SetProgress(0);
        return;
    }
    host.RefreshDeviceList();
    platform.KillAdbProcesses();
    host.SetStatusText(platform.IsWindowsVista() ? StatusText::kInstalledRestartNeeded
                                                 : StatusText::kInstalled);
    host.SetProgress(100);
}

}  // namespace

void InstallDriver(InstallHost& host)
{
    InstallPlatform& platform = host.Platform();
    host.SetStatusText(StatusText::kInstalling);
    host.SetProgress(0);
    if (!WritePackage(host, platform))
        return;
    WaitForPlugAndPlay(host, platform);
    host.SetStatusText(StatusText::kFinal);
    host.SetProgress(32);
    if (!DecideToInstall(host, platform))
        return;
    host.SetProgress(33);
    if (platform.IsWow64())
        InstallThroughCompanion(host, platform, platform.GetWorkFolder());
    else
        InstallInProcess(host, platform, platform.GetWorkFolder());
}

UINT InstallThreadProc(LPVOID parameter)
{
    InstallHost& host = *static_cast<InstallHost*>(parameter);
    // An allocation that fails throws. Nothing may leave a thread's procedure, which would end
    // the program, and Install must work again afterwards.
    try {
        InstallDriver(host);
    } catch (const std::exception&) {
    }
    host.m_bInstalling = FALSE;
    return 0;
}
