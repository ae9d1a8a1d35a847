// DLLs from the system folder only: the search limited at start, the loads by full path and
// the look-ups, against Wine's loader.
#include "common/SystemLibrary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/TestPrograms.h"

namespace {

// The system folder, and on 64-bit Windows the one of 32-bit system files, where a 32-bit
// program's system DLLs may be reported; empty where there is none.
std::vector<std::wstring> SystemFolders()
{
    wchar_t system[MAX_PATH] = L"";
    GetSystemDirectoryW(system, MAX_PATH);
    wchar_t wow64[MAX_PATH] = L"";
    GetSystemWow64DirectoryW(wow64, MAX_PATH);
    return {system, wow64};
}

std::wstring ModulePath(HMODULE module)
{
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(module, path, MAX_PATH);
    return path;
}

}  // namespace

TEST(LoadSystemLibrary, TakesTheDllFromTheSystemFolder)
{
    const HMODULE newDev = LoadSystemLibrary(L"newdev.dll");
    ASSERT_NE(nullptr, newDev);
    const std::wstring path = ModulePath(newDev);
    bool inSystemFolder = false;
    for (const std::wstring& folder : SystemFolders())
        inSystemFolder = inSystemFolder || lstrcmpiW((folder + L"\\newdev.dll").c_str(), path.c_str()) == 0;
    EXPECT_TRUE(inSystemFolder) << path;
    EXPECT_EQ(static_cast<DWORD>(ERROR_PROC_NOT_FOUND), MissingFunctionError(newDev));
    EXPECT_NE(nullptr, FindSystemFunction<FARPROC>(newDev, "UpdateDriverForPlugAndPlayDevicesW"));
    EXPECT_EQ(nullptr, FindSystemFunction<FARPROC>(newDev, "KorvessaNoSuchFunction"));
}

TEST(LoadSystemLibrary, FailsWithTheReasonAndFindsNothingInAMissingModule)
{
    const struct {
        std::wstring name;
        DWORD error;
    } cases[] = {
        {L"korvessa-no-such.dll", ERROR_MOD_NOT_FOUND},
        // The system folder and this name would not fit in MAX_PATH.
        {std::wstring(MAX_PATH - 4, L'k') + L".dll", ERROR_FILENAME_EXCED_RANGE},
    };
    for (const auto& c : cases) {
        SetLastError(ERROR_SUCCESS);
        const HMODULE module = LoadSystemLibrary(c.name.c_str());
        EXPECT_EQ(nullptr, module);
        EXPECT_EQ(c.error, MissingFunctionError(module)) << c.name.size();
        EXPECT_EQ(nullptr, FindSystemFunction<FARPROC>(module, "UpdateDriverForPlugAndPlayDevicesW"));
    }
}

// Changes the search of this whole process, which the other tests here do not depend on.
TEST(LoadDllsFromSystemFolderOnly, TakesTheCurrentFolderOutOfTheSearchAndLoadsTheListFromTheSystemFolder)
{
    ScratchFolder folder;
    const CString dll = folder.AddCopy(KORVESSA_PLANTED_DLL, "korvessa-current-folder.dll");
    char previous[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.Path()));

    // Before: the bare name is found in the current folder.
    const HMODULE before = LoadLibraryW(L"korvessa-current-folder.dll");
    EXPECT_NE(nullptr, before);
    if (before != nullptr)
        FreeLibrary(before);

    LoadDllsFromSystemFolderOnly();
    const HMODULE after = LoadLibraryW(L"korvessa-current-folder.dll");
    EXPECT_EQ(nullptr, after);
    if (after != nullptr)
        FreeLibrary(after);

    SetCurrentDirectoryA(previous);
    // The planted DLL marks each load beside itself.
    DeleteFileA(dll + ".loaded");

    // Each listed DLL that this Windows has is loaded, and from the system folder.
    wchar_t system[MAX_PATH] = L"";
    GetSystemDirectoryW(system, MAX_PATH);
    for (const wchar_t* name : kDllsLoadedByNameLater) {
        const std::wstring inSystemFolder = std::wstring(system) + L"\\" + name;
        if (GetFileAttributesW(inSystemFolder.c_str()) == INVALID_FILE_ATTRIBUTES)
            continue;
        const HMODULE module = GetModuleHandleW(name);
        ASSERT_NE(nullptr, module) << name;
        bool fromSystemFolder = false;
        for (const std::wstring& folder : SystemFolders())
            fromSystemFolder = fromSystemFolder || lstrcmpiW((folder + L"\\" + name).c_str(), ModulePath(module).c_str()) == 0;
        EXPECT_TRUE(fromSystemFolder) << ModulePath(module);
    }
}
