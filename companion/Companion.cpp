// The companion's run, from its start-up to the one result word it prints.
#include "companion/Companion.h"

#include <stdio.h>

#include "common/ResultWords.h"
#include "common/WorkFolderNames.h"

namespace {

// <work folder>\usb_driver\android_winusb.inf. Empty when there is no work folder or the path
// would not fit: the installation call then fails and its error picks the word, where a
// path relative to the current folder could pick up some other INF.
std::wstring InfPath(const std::wstring& workFolder)
{
    if (workFolder.empty() || workFolder.size() >= MAX_PATH)
        return std::wstring();
    wchar_t infName[32];
    _snwprintf(infName, 32, L"%s_%s.%s", L"android", L"winusb", L"inf");
    infName[31] = L'\0';
    wchar_t path[MAX_PATH];
    lstrcpynW(path, workFolder.c_str(), MAX_PATH);
    if (!AppendPath(path, KORVESSA_PACKAGE_FOLDER(KORVESSA_WIDE_TEXT)) || !AppendPath(path, infName))
        return std::wstring();
    return path;
}

std::string FailureWord(DWORD errorCode)
{
    for (const CompanionErrorWord& entry : kCompanionErrorWords) {
        if (entry.errorCode == errorCode)
            return entry.word;
    }
    char word[32];
    snprintf(word, sizeof word, COMPANION_WORD_ERROR_FORMAT, static_cast<unsigned>(errorCode));
    return word;
}

}  // namespace

BOOL CompanionPlatform::StartUp()
{
    return GetModuleHandleW(NULL) != NULL && GetCommandLineW() != NULL;
}

void CompanionPlatform::Print(const char* word)
{
    printf("%s", word);
}

int RunCompanion(CompanionPlatform& platform)
{
    if (!platform.StartUp()) {
        platform.Print(COMPANION_WORD_START_UP_FAILED);
        return 1;
    }
    if (!platform.IsRunningAsAdmin()) {
        platform.Print(COMPANION_WORD_NOT_ADMIN);
        return 0;
    }
    const std::wstring infPath = InfPath(platform.GetWorkFolder());
    DWORD errorCode = 0;
    // A driver that needs a restart is installed all the same: the flag is not looked at.
    BOOL needReboot = FALSE;
    if (platform.InstallAndroidUsbDriver(infPath, &errorCode, &needReboot))
        platform.Print(COMPANION_WORD_SUCCESS);
    else
        platform.Print(FailureWord(errorCode).c_str());
    return 0;
}
