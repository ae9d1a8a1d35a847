// The work folder and the writing of the driver package's files from the "BIN" resources.
#include "install/DriverPackage.h"

#include <shlobj.h>

#include "common/WorkFolderNames.h"
#include "install/ShellPaths.h"

namespace {

// The one place where a package resource is found, loaded, sized and locked: the bytes are
// the module's mapped resource data, written without a copy.
BOOL LockPackageResource(int resourceId, const void** data, DWORD* size)
{
    HRSRC resource = FindResourceA(NULL, MAKEINTRESOURCEA(LOWORD(resourceId)), "BIN");
    if (resource == NULL)
        return FALSE;
    HGLOBAL loaded = LoadResource(NULL, resource);
    if (loaded == NULL)
        return FALSE;
    *size = SizeofResource(NULL, resource);
    *data = LockResource(loaded);
    return *data != NULL;
}

}  // namespace

const PackageFile* FindPackageFile(int resourceId)
{
    for (const PackageFile& file : kPackageFiles) {
        if (file.id == resourceId)
            return &file;
    }
    return nullptr;
}

CString PackagePath(const CString& workFolder, LPCSTR subFolder, LPCSTR fileName)
{
    if (workFolder.IsEmpty())
        return CString();
    char path[MAX_PATH];
    lstrcpynA(path, workFolder, MAX_PATH);
    if (!AppendPath(path, KORVESSA_PACKAGE_FOLDER(KORVESSA_ANSI_TEXT)))
        return CString();
    for (LPCSTR part : {subFolder, fileName}) {
        if (part[0] != '\0' && !AppendPath(path, part))
            return CString();
    }
    return CString(path);
}

CString GetWorkFolder()
{
    char path[MAX_PATH] = "";
    // Without the application-data folder the result is empty: a bare "Korvessa" would be
    // a folder relative to whatever the current folder happens to be.
    if (!SHGetSpecialFolderPathA(NULL, path, CSIDL_APPDATA, FALSE) ||
        !AppendPath(path, KORVESSA_WORK_FOLDER(KORVESSA_ANSI_TEXT)))
        return CString();
    if (!IsDirectory(path))
        SHCreateDirectoryExA(NULL, path, NULL);
    return CString(path);
}

BOOL ExtractDriverFile(int resourceId)
{
    const CString workFolder = GetWorkFolder();
    // An id outside the table names no file: its path stays at the package folder, where the
    // delete and the create of a file can do nothing.
    const PackageFile* entry = FindPackageFile(resourceId);
    const LPCSTR subFolder = entry ? entry->subFolder : "";
    const LPCSTR fileName = entry ? entry->fileName : "";
    // All three are built before anything on disk changes, and each holds the one before it:
    // when the file's path fits, so do the folders', and a path that does not fit must neither
    // delete nor create anything.
    const CString packageFolder = PackagePath(workFolder);
    const CString fileFolder = PackagePath(workFolder, subFolder);
    const CString file = PackagePath(workFolder, subFolder, fileName);
    if (file.IsEmpty())
        return FALSE;

    // Creating a folder that exists already is no error worth stopping for.
    SHCreateDirectoryExA(NULL, packageFolder, NULL);
    if (fileFolder != packageFolder)
        SHCreateDirectoryExA(NULL, fileFolder, NULL);
    DeleteFileA(file);

    const void* data = nullptr;
    DWORD size = 0;
    if (!LockPackageResource(resourceId, &data, &size))
        return FALSE;
    return WriteNewFile(file, data, size);
}

BOOL WriteNewFile(LPCSTR path, const void* data, DWORD size)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD written = 0;
    const BOOL complete = WriteFile(file, data, size, &written, NULL) && written == size;
    CloseHandle(file);
    if (!complete)
        DeleteFileA(path);
    return complete;
}
