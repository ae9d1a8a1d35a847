// Every text the installation puts on the status line or in its message box, each spelled
// here once. The installation's two roads and the companion's answers share several of them.
#pragma once

namespace StatusText {

// Progress of the run; these carry no bracketed tag.
constexpr char kInstalling[] = "Installing...";
constexpr char kWaitingForDeviceManager[] = "Installing... [Waiting for DevMgr]";
constexpr char kFinal[] = "Installing... [Final]";

// Ends without an installation.
constexpr char kAlreadyInstalled[] = "[Tip] ADB Driver already installed";
constexpr char kSamsungDriverNeeded[] = "[Tip] Please download Samsung USB Driver to continue";
constexpr char kSamsungMessageBox[] = "[Tip] Please download Samsung USB Driver, Click OK to continue";
constexpr char kDeviceNotFound[] = "[Error] Device not found";
constexpr char kCompanionNotRun[] = "[Failed] Load x64 Korvessa failed";
// A file of the driver package could not be written.
constexpr char kPackageNotWritten[] = "[Failed] Could not write the driver package";
// The worker's thread could not be started.
constexpr char kInstallNotStarted[] = "[Failed] Could not start the installation";

// Success.
constexpr char kInstalled[] = "[Done] Installation Success";
constexpr char kInstalledRestartNeeded[] =
    "[Done] Installation Success, You must restart your computer to task effect.";
constexpr char kCompanionInstalled[] = "[Done] Installation success.";

// Failures of the installation call.
constexpr char kFileMissing[] = "[Error] File missing";
constexpr char kInvalidParameterOnPath[] = "[Error] Invalid parameter on path";
constexpr char kAccessDenied[] = "[Error] Access denied";
constexpr char kInstallAnyway[] =
    "[Error] Select Install this driver software anyway, please try again.";
constexpr char kSignatureFailed[] = "[Error] Driver signature verification failed";
constexpr char kNoCatalogForInf[] = "[Error] No cat file for inf";
constexpr char kRunningOn64Bit[] = "[Error] x64 OS";
constexpr char kOtherErrorFormat[] = "Error=0x%08x";

// Failures that only the companion reports.
constexpr char kAdminRequired[] = "[Error] Require admin privileges.";
constexpr char kInfInvalid[] = "[Error] Inf is invalid";
constexpr char kNoCatalog[] = "[Error] No cat file.";
constexpr char kMissingCatalogEntry[] = "[Error] Missing cat entry in inf.";
// The one answer that leads on to the restart dialog.
constexpr char kWindows8SignatureFailed[] =
    "[Error] Windows 8 x64 driver signature verification failed";

}  // namespace StatusText
