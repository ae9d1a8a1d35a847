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

// The folders and the file of one package entry. All three are built before anything on disk
// changes: PathAppendA refuses a path over MAX_PATH, and a cut-off path must neither delete
// nor create anything.
struct PackagePaths {
    char packageFolder[MAX_PATH];
    char fileFolder[MAX_PATH];
    char file[MAX_PATH];
};

BOOL BuildPackagePaths(LPCSTR workFolder, const PackageFile* entry, PackagePaths* paths)
{
    lstrcpynA(paths->packageFolder, workFolder, MAX_PATH);
    if (!AppendPath(paths->packageFolder, KORVESSA_PACKAGE_FOLDER(KORVESSA_ANSI_TEXT)))
        return FALSE;
    lstrcpynA(paths->fileFolder, paths->packageFolder, MAX_PATH);
    lstrcpynA(paths->file, paths->packageFolder, MAX_PATH);
    // An id outside the table names no file: the path stays at the package folder, where the
    // delete and the create of a file can do nothing.
    if (entry == nullptr)
        return TRUE;
    if (entry->subFolder[0] != '\0' && !AppendPath(paths->fileFolder, entry->subFolder))
        return FALSE;
    lstrcpynA(paths->file, paths->fileFolder, MAX_PATH);
    return AppendPath(paths->file, entry->fileName);
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
    PackagePaths paths;
    if (workFolder.IsEmpty() || !BuildPackagePaths(workFolder, FindPackageFile(resourceId), &paths))
        return FALSE;

    // Creating a folder that exists already is no error worth stopping for.
    SHCreateDirectoryExA(NULL, paths.packageFolder, NULL);
    if (lstrcmpA(paths.fileFolder, paths.packageFolder) != 0)
        SHCreateDirectoryExA(NULL, paths.fileFolder, NULL);
    DeleteFileA(paths.file);

    const void* data = nullptr;
    DWORD size = 0;
    if (!LockPackageResource(resourceId, &data, &size))
        return FALSE;
    return WriteNewFile(paths.file, data, size);
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
