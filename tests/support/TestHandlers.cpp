// Registration of open_recorder.exe in the test prefix's classes, and its log.
#include "tests/support/TestHandlers.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "tests/support/TestPrograms.h"
#include "tests/support/Waiting.h"

namespace {

std::string LogPath()
{
    return BesideThisProgram("open_recorder.log");
}

bool RecorderRuns()
{
    for (const PROCESSENTRY32& process : RunningProcesses()) {
        if (lstrcmpiA(process.szExeFile, "open_recorder.exe") == 0)
            return true;
    }
    return false;
}

bool SetDefaultValue(const char* keyName, const std::string& value)
{
    HKEY key = NULL;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, keyName, 0, NULL, 0, KEY_SET_VALUE, NULL, &key, NULL) !=
        ERROR_SUCCESS)
        return false;
    const bool set = RegSetValueExA(key, NULL, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                    static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(key);
    return set;
}

// Windows carries the Device Manager console in its system folder; Wine has none, and the
// shell opens only a file that exists.
bool ProvideDeviceManagerConsole()
{
    char path[MAX_PATH] = {};
    GetSystemDirectoryA(path, MAX_PATH);
    lstrcatA(path, "\\devmgmt.msc");
    if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES)
        return true;
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_NEW, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

}  // namespace

bool RegisterTestHandlers()
{
    const std::string command = "\"" + BesideThisProgram("open_recorder.exe") + "\" \"%1\"";
    // A DDE conversation, if the prefix had one for these, would come before the command.
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "http\\shell\\open\\ddeexec");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "https\\shell\\open\\ddeexec");
    const bool registered = SetDefaultValue("http\\shell\\open\\command", command) &&
                            SetDefaultValue("https\\shell\\open\\command", command) &&
                            SetDefaultValue(".msc", "mscfile") &&
                            SetDefaultValue("mscfile\\shell\\open\\command", command) &&
                            ProvideDeviceManagerConsole();
    DeleteFileA(LogPath().c_str());
    return registered && SetEnvironmentVariableA("KORVESSA_OPEN_LOG", LogPath().c_str());
}

std::vector<std::string> OpenedTargets()
{
    std::vector<std::string> lines;
    FILE* log = std::fopen(LogPath().c_str(), "r");
    if (!log)
        return lines;
    char line[1024];
    while (std::fgets(line, sizeof line, log)) {
        line[std::strcspn(line, "\r\n")] = '\0';
        lines.push_back(line);
    }
    std::fclose(log);
    return lines;
}

bool WaitForOpenedTargets(size_t count, unsigned timeoutMs)
{
    return WaitUntil([count] { return OpenedTargets().size() >= count; }, timeoutMs);
}

bool WaitUntilNoRecorderRuns(unsigned timeoutMs)
{
    return WaitUntil([] { return !RecorderRuns(); }, timeoutMs);
}
