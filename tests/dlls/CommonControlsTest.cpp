// The common controls Korvessa.exe runs with: version 6, which its manifest asks for. The
// program loads comctl32.dll by its bare name, which the manifest's side-by-side assembly
// resolves; the system folder's copy would be version 5. Windows keeps the assembly in a
// folder named for it and its version.
#include <windows.h>

#include <shlwapi.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <string>

#include "tests/support/KorvessaProcess.h"
#include "tests/support/UnderWine.h"

namespace {

// The full path of the module of that name in the process; empty when it has none.
std::wstring LoadedModulePath(DWORD processId, const wchar_t* name)
{
    std::wstring path;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    if (snapshot == INVALID_HANDLE_VALUE)
        return path;
    MODULEENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Module32FirstW(snapshot, &entry); more && path.empty();
         more = Module32NextW(snapshot, &entry)) {
        if (lstrcmpiW(entry.szModule, name) == 0)
            path = entry.szExePath;
    }
    CloseHandle(snapshot);
    return path;
}

TEST(CommonControls, KorvessaRunsVersion6)
{
    KorvessaProcess korvessa(KORVESSA_PROGRAM);
    ASSERT_NE(nullptr, korvessa.MainWindow());
    const std::wstring path = LoadedModulePath(GetProcessId(korvessa.Process()), L"comctl32.dll");
    ASSERT_FALSE(path.empty()) << "no comctl32.dll in the program";
    std::wstring folder = path.substr(0, path.rfind(L'\\') + 1);
    std::transform(folder.begin(), folder.end(), folder.begin(), [](wchar_t c) { return std::towlower(c); });
    EXPECT_NE(std::wstring::npos, folder.find(L"_microsoft.windows.common-controls_")) << path;
    EXPECT_NE(std::wstring::npos, folder.find(L"_6.0.")) << path;

    // The same file, asked in this process. Wine's comctl32.dll reports 5.81 from the
    // assembly's copy and the system folder's alike: there, the folder above tells.
    const HMODULE module = LoadLibraryW(path.c_str());
    ASSERT_NE(nullptr, module);
    const auto getVersion =
        reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(GetProcAddress(module, "DllGetVersion")));
    ASSERT_NE(nullptr, getVersion);
    DLLVERSIONINFO version = {};
    version.cbSize = sizeof version;
    ASSERT_EQ(S_OK, getVersion(&version));
    if (!UnderWine()) {
        EXPECT_EQ(6u, version.dwMajorVersion);
    }
    FreeLibrary(module);

    PostMessageA(korvessa.MainWindow(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(korvessa.WaitForExit(10000));
}

}  // namespace
