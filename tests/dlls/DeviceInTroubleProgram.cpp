// korvessa_device_in_trouble.exe: a test build of Korvessa.exe on the real platform, except
// that its installation always finds an ADB device in trouble, so that it goes on to the real
// installer (Wine has no ADB device). Start-up is Korvessa.exe's.
#include <windows.h>

#include "install/SystemInstallPlatform.h"
#include "ui/KorvessaApp.h"

namespace {

// The real scans run, so that their DLLs are loaded as the program loads them; the answers
// are those of an ADB device in trouble.
class DeviceInTroublePlatform : public SystemInstallPlatform {
public:
    BOOL FindAdbProblemDevice() override
    {
        SystemInstallPlatform::FindAdbProblemDevice();
        return TRUE;
    }
    BOOL IsAdbInterfacePresent() override
    {
        SystemInstallPlatform::IsAdbInterfacePresent();
        return TRUE;
    }
};

class DeviceInTroubleApp : public CKorvessaApp {
public:
    BOOL InitInstance() override
    {
        DeviceInTroublePlatform platform;
        return RunMainDialog(platform);
    }
};

DeviceInTroubleApp theApp;

}  // namespace
