// The driver package Korvessa carries as resources of type "BIN": the table of its files and
// the routines that find the work folder, join the paths below it and write one file of the
// package into it.
#pragma once

#include <windows.h>

#include "framework/CString.h"

// One row per file: PACKAGE_FILE(id name, resource id, sub-folder below usb_driver, file name,
// size in bytes of the published file). The build reads these rows as well: it embeds each
// file under its id and checks the published files it is given against the sizes. Size 0
// marks the companion, which this build makes, so its size is whatever that build gives.
#define KORVESSA_PACKAGE_FILES(PACKAGE_FILE)                                                   \
    PACKAGE_FILE(IDR_ANDROID_WINUSB_INF, 130, "", "android_winusb.inf", 6245)                  \
    PACKAGE_FILE(IDR_ANDROIDWINUSB86_CAT, 131, "", "androidwinusb86.cat", 11151)               \
    PACKAGE_FILE(IDR_ANDROIDWINUSBA64_CAT, 128, "", "androidwinusba64.cat", 11187)             \
    PACKAGE_FILE(IDR_KORVESSAX64_EXE, 134, "", "KorvessaX64.exe", 0)                           \
    PACKAGE_FILE(IDR_WDFCOINSTALLER_I386, 135, "i386", "WdfCoInstaller01009.dll", 1461992)     \
    PACKAGE_FILE(IDR_WINUSBCOINSTALLER_I386, 136, "i386", "winusbcoinstaller2.dll", 851176)    \
    PACKAGE_FILE(IDR_WUDFUPDATE_I386, 137, "i386", "WUDFUpdate_01009.dll", 1837296)            \
    PACKAGE_FILE(IDR_WDFCOINSTALLER_AMD64, 138, "amd64", "WdfCoInstaller01009.dll", 1721576)   \
    PACKAGE_FILE(IDR_WINUSBCOINSTALLER_AMD64, 139, "amd64", "winusbcoinstaller2.dll", 1002728) \
    PACKAGE_FILE(IDR_WUDFUPDATE_AMD64, 140, "amd64", "WUDFUpdate_01009.dll", 2152176)

enum PackageFileId {
#define KORVESSA_PACKAGE_FILE_ID(name, id, subFolder, fileName, size) name = id,
    KORVESSA_PACKAGE_FILES(KORVESSA_PACKAGE_FILE_ID)
#undef KORVESSA_PACKAGE_FILE_ID
};

struct PackageFile {
    int id;
    LPCSTR subFolder;  // "" for usb_driver itself
    LPCSTR fileName;
    DWORD size;
};

inline constexpr PackageFile kPackageFiles[] = {
#define KORVESSA_PACKAGE_FILE_ROW(name, id, subFolder, fileName, size) {name, subFolder, fileName, size},
    KORVESSA_PACKAGE_FILES(KORVESSA_PACKAGE_FILE_ROW)
#undef KORVESSA_PACKAGE_FILE_ROW
};

// The table's row for this id, or nullptr.
const PackageFile* FindPackageFile(int resourceId);

// The application-data folder plus "Korvessa", created when it is missing. Empty, and nothing
// created, when the application-data folder cannot be obtained or the path would not fit.
CString GetWorkFolder();

// <workFolder>\usb_driver, then subFolder and fileName where they are not empty, each joined
// with one separator. Empty when workFolder is empty or the path would not fit in MAX_PATH: a
// path relative to the current folder, or one cut short, could name some other program or INF.
CString PackagePath(const CString& workFolder, LPCSTR subFolder = "", LPCSTR fileName = "");

// Writes the package file of this id (low 16 bits) from its resource to its place below the
// work folder's usb_driver folder, replacing an older file. TRUE only when the whole file was
// written; an id outside the table, a missing work folder, a path over MAX_PATH, a target that
// cannot be created or an incomplete write give FALSE.
BOOL ExtractDriverFile(int resourceId);

// ExtractDriverFile's last step: creates the file at path (replacing it, unshared while open)
// and writes all size bytes. When the write fails or falls short the file is removed again,
// so no truncated package file is left to be installed.
BOOL WriteNewFile(LPCSTR path, const void* data, DWORD size);
