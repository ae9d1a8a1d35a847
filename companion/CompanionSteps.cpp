// The companion's own calls into Windows: the administrator test, the work folder and the
// driver installation.
#include "companion/Companion.h"

#include <shlobj.h>
#include <stdio.h>

#include "common/AdbCompatibleId.h"
#include "common/WorkFolderNames.h"

BOOL IsRunningAsAdmin()
{
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID administrators = NULL;
    BOOL isMember = FALSE;
    if (AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                 DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &administrators)) {
        if (!CheckTokenMembership(NULL, administrators, &isMember))
            isMember = FALSE;
        FreeSid(administrators);
    }
    return isMember;
}

std::wstring GetWorkFolder()
{
    wchar_t path[MAX_PATH] = L"";
    if (!SHGetSpecialFolderPathW(NULL, path, CSIDL_APPDATA, FALSE) ||
        !AppendPath(path, KORVESSA_WORK_FOLDER(KORVESSA_WIDE_TEXT)))
        return std::wstring();
    if (!IsDirectory(path))
        SHCreateDirectoryExW(NULL, path, NULL);
    return path;
}

std::wstring AdbHardwareId()
{
    wchar_t id[64];
    _snwprintf(id, 64, ADB_COMPATIBLE_ID(KORVESSA_WIDE_TEXT));
    id[63] = L'\0';
    return id;
}

BOOL InstallAndroidUsbDriver(std::wstring infPath, DWORD* errorCode, BOOL* needReboot,
                             UpdateDriverFunction update)
{
    if (update == nullptr) {
        *errorCode = MissingUpdateDriverError();
        return FALSE;
    }
    const std::wstring hardwareId = AdbHardwareId();
    const BOOL installed =
        update(NULL, hardwareId.c_str(), infPath.c_str(), INSTALLFLAG_FORCE, needReboot);
    *errorCode = installed ? 0 : GetLastError();
    return installed;
}
