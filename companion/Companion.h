// KorvessaX64.exe, the 64-bit companion of Korvessa.exe: it installs the driver from the
// package in the work folder with the 64-bit form of the installation call and prints one
// result word (ResultWords.h). Text inside is wide; every Windows call is the wide form. The
// run goes through CompanionPlatform, whose steps default to the real ones.
#pragma once

#include <windows.h>

#include <string>

#include "companion/CompanionDlls.h"

// TRUE when the calling thread's token holds the built-in Administrators group as an enabled
// group. A membership test that cannot be made counts as FALSE.
BOOL IsRunningAsAdmin();

// The application-data folder plus "Korvessa", created when it is missing, as Korvessa.exe
// finds it. Empty, and nothing created, when the application-data folder cannot be obtained
// or the path would not fit.
std::wstring GetWorkFolder();

// "usb\class_ff&subclass_42&prot_01", the ADB compatible ID the driver is installed for.
std::wstring AdbHardwareId();

// Installs the INF's driver for the ADB hardware ID with the installer, forced over any driver
// in place. The error code becomes 0 on success, the call's last error otherwise; without an
// installer (nullptr), the reason newdev.dll's installer could not be had.
BOOL InstallAndroidUsbDriver(std::wstring infPath, DWORD* errorCode, BOOL* needReboot,
                             UpdateDriverFunction update = SystemUpdateDriver());

// The steps of one run, for tests to replace.
class CompanionPlatform {
public:
    virtual ~CompanionPlatform() = default;
    // The program's start-up: its module handle and its command line.
    virtual BOOL StartUp();
    virtual BOOL IsRunningAsAdmin() { return ::IsRunningAsAdmin(); }
    virtual std::wstring GetWorkFolder() { return ::GetWorkFolder(); }
    virtual BOOL InstallAndroidUsbDriver(const std::wstring& infPath, DWORD* errorCode,
                                         BOOL* needReboot)
    {
        return ::InstallAndroidUsbDriver(infPath, errorCode, needReboot);
    }
    // The word on standard output through the C runtime, without a line end.
    virtual void Print(const char* word);
};

// One run: start-up, administrator test, INF path, installation and its result word.
// Returns the exit code: 1 when the start-up fails, else 0.
int RunCompanion(CompanionPlatform& platform);
