// Test support around Korvessa's work folder on Wine's real file system: a fresh state
// without the folder, a temporary redirection of the user's application-data folder, long
// folders, and small file probes. Wide text, so the 32-bit package tests and the 64-bit
// companion tests share it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace testsupport {

inline std::wstring Environment(const wchar_t* name)
{
    wchar_t value[MAX_PATH] = L"";
    GetEnvironmentVariableW(name, value, MAX_PATH);
    return value;
}

inline std::wstring Join(const std::wstring& folder, const std::wstring& name)
{
    return folder + L"\\" + name;
}

// The application-data folder as the session's environment names it, independent of the
// shell folder look-up under test.
inline std::wstring KorvessaFolder()
{
    return Join(Environment(L"APPDATA"), L"Korvessa");
}

inline bool IsDirectory(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

inline bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The names in a folder, sorted; empty for a folder that does not exist.
inline std::vector<std::wstring> FolderEntries(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Join(folder, L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

inline void RemoveTree(const std::wstring& path)
{
    if (!IsDirectory(path)) {
        DeleteFileW(path.c_str());
        return;
    }
    for (const std::wstring& name : FolderEntries(path))
        RemoveTree(Join(path, name));
    RemoveDirectoryW(path.c_str());
}

inline std::string ReadBytes(const std::wstring& path)
{
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0,
                              NULL);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char chunk[65536];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof chunk, &read, NULL) && read > 0)
        bytes.append(chunk, read);
    CloseHandle(file);
    return bytes;
}

inline bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool complete = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                                    NULL) && written == bytes.size();
    CloseHandle(file);
    return complete;
}

inline std::wstring Widen(const std::string& text)
{
    wchar_t wide[4 * MAX_PATH] = L"";
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, 4 * MAX_PATH);
    return wide;
}

inline std::string Narrow(const std::wstring& text)
{
    char narrow[4 * MAX_PATH] = "";
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, narrow, sizeof narrow, NULL, NULL);
    return narrow;
}

// A folder below %TEMP% whose full path is exactly length characters, created with its
// parents; the whole tree goes when the object does.
class LongFolder {
public:
    explicit LongFolder(size_t length)
        : m_top(Join(Environment(L"TEMP"), L"korvessa-long"))
    {
        RemoveTree(m_top);
        m_path = m_top;
        CreateDirectoryW(m_path.c_str(), NULL);
        // Each step adds a separator and a name; no step may leave a single character over.
        while (m_path.size() + 1 < length) {
            const size_t remaining = length - m_path.size();
            const size_t name = remaining > 61 ? std::min<size_t>(60, remaining - 3) : remaining - 1;
            m_path = Join(m_path, std::wstring(name, L'd'));
            CreateDirectoryW(m_path.c_str(), NULL);
        }
    }
    ~LongFolder() { RemoveTree(m_top); }
    const std::wstring& Path() const { return m_path; }

private:
    std::wstring m_top;
    std::wstring m_path;
};

// Points the user's application-data shell folder at another folder while the object lives,
// the way a changed profile would; the shell looks the folder up afresh on every call.
class AppDataRedirect {
public:
    explicit AppDataRedirect(const std::wstring& folder)
    {
        RegOpenKeyExW(HKEY_CURRENT_USER, kShellFolders, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &m_key);
        DWORD size = sizeof m_old;
        m_hadOld = RegQueryValueExW(m_key, L"AppData", NULL, &m_oldType,
                                    reinterpret_cast<BYTE*>(m_old), &size) == ERROR_SUCCESS;
        m_oldSize = size;
        RegSetValueExW(m_key, L"AppData", 0, REG_EXPAND_SZ,
                       reinterpret_cast<const BYTE*>(folder.c_str()),
                       static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
    }
    ~AppDataRedirect()
    {
        if (m_hadOld)
            RegSetValueExW(m_key, L"AppData", 0, m_oldType, reinterpret_cast<const BYTE*>(m_old),
                           m_oldSize);
        else
            RegDeleteValueW(m_key, L"AppData");
        RegCloseKey(m_key);
    }
    AppDataRedirect(const AppDataRedirect&) = delete;
    AppDataRedirect& operator=(const AppDataRedirect&) = delete;

private:
    static constexpr const wchar_t* kShellFolders =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    HKEY m_key = NULL;
    bool m_hadOld = false;
    DWORD m_oldType = REG_EXPAND_SZ;
    DWORD m_oldSize = 0;
    wchar_t m_old[MAX_PATH] = L"";
};

// Each test starts and ends without Korvessa's work folder. The tests run one at a time.
class FreshWorkFolder : public testing::Test {
protected:
    void SetUp() override
    {
        RemoveTree(KorvessaFolder());
        ASSERT_FALSE(Exists(KorvessaFolder()));
    }
    void TearDown() override { RemoveTree(KorvessaFolder()); }
};

}  // namespace testsupport
