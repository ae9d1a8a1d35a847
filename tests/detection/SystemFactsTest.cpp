// The system facts over a Windows held in memory: every row of the version table, the
// 64-bit test with and without IsWow64Process, and a failing version query.
#include "detection/SystemFacts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// Answers as IsWow64Process does, for the current process only.
BOOL WINAPI Wow64Process(HANDLE process, PBOOL wow64)
{
    if (process != ::GetCurrentProcess())
        return FALSE;
    *wow64 = TRUE;
    return TRUE;
}

BOOL WINAPI NativeProcess(HANDLE process, PBOOL wow64)
{
    if (process != ::GetCurrentProcess())
        return FALSE;
    *wow64 = FALSE;
    return TRUE;
}

BOOL WINAPI FailingQuery(HANDLE, PBOOL)
{
    ::SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

class FakeSystemQueries : public SystemQueries {
public:
    FakeSystemQueries(DWORD major, DWORD minor, const char* servicePack,
                      IsWow64ProcessFunction isWow64Process)
        : m_major(major),
          m_minor(minor),
          m_servicePack(servicePack),
          m_isWow64Process(isWow64Process)
    {
    }
    bool queryFails = false;

    // As GetVersionExA: only a record whose size field names the basic form is filled.
    BOOL GetVersionRecord(OSVERSIONINFOA* version) const override
    {
        if (queryFails || version->dwOSVersionInfoSize != 148) {
            ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return FALSE;
        }
        version->dwMajorVersion = m_major;
        version->dwMinorVersion = m_minor;
        version->dwBuildNumber = 7601;
        version->dwPlatformId = VER_PLATFORM_WIN32_NT;
        std::memcpy(version->szCSDVersion, m_servicePack,
                    std::min(std::strlen(m_servicePack) + 1, sizeof(version->szCSDVersion)));
        return TRUE;
    }
    IsWow64ProcessFunction FindIsWow64Process() const override { return m_isWow64Process; }

private:
    DWORD m_major;
    DWORD m_minor;
    const char* m_servicePack;
    IsWow64ProcessFunction m_isWow64Process;
};

}  // namespace

TEST(GetWindowsVersionText, EveryRowOfTheVersionTable)
{
    const struct {
        DWORD major;
        DWORD minor;
        const char* servicePack;
        IsWow64ProcessFunction isWow64Process;
        const char* text;
    } cases[] = {
        {5, 0, "Service Pack 4", nullptr, "Windows 2000 Service Pack 4 [x86] "},
        {5, 0, "", NativeProcess, "Windows 2000  [x86] "},
        {5, 1, "Service Pack 3", NativeProcess, "Windows XP Service Pack 3 [x86]"},
        {5, 2, "Service Pack 2", Wow64Process, "Windows Server 2003 Service Pack 2 [x64]"},
        {6, 0, "Service Pack 2", Wow64Process, "Windows Vista Service Pack 2 [x64]"},
        {6, 1, "Service Pack 1", Wow64Process, "Windows 7 Service Pack 1 [x64]"},
        {6, 1, "Service Pack 1", NativeProcess, "Windows 7 Service Pack 1 [x86]"},
        {6, 2, "", Wow64Process, "Windows 8  [x64]"},
        {6, 3, "", Wow64Process, "Windows 8.1  [x64]"},
        {10, 0, "", Wow64Process, "Windows 10 0 [x64]"},
        {10, 0, "", NativeProcess, "Windows 10 0 [x86]"},
        {5, 3, "Service Pack 1", nullptr, "Windows 5 3 [x86]"},
        {5, 9, "", Wow64Process, "Windows 5 9 [x64]"},
        {6, 4, "", Wow64Process, "Windows 6 4 [x64]"},
        {4, 0, "Service Pack 6", nullptr, "Windows 4 0 [x86]"},
        {6, 1, "Service Pack 1", FailingQuery, "Windows 7 Service Pack 1 [x86]"},
    };
    for (const auto& c : cases) {
        const FakeSystemQueries system(c.major, c.minor, c.servicePack, c.isWow64Process);
        EXPECT_STREQ(c.text, GetWindowsVersionText(system)) << c.major << "." << c.minor;
    }
}

TEST(GetWindowsVersionText, AFailedQueryGivesVersionZero)
{
    FakeSystemQueries system(6, 1, "Service Pack 1", Wow64Process);
    system.queryFails = true;
    EXPECT_STREQ("Windows 0 0 [x64]", GetWindowsVersionText(system));
    EXPECT_EQ(FALSE, IsWindowsVista(system));
}

TEST(GetWindowsVersionText, AServicePackFieldWithoutNulIsReadToItsEnd)
{
    const std::string full(sizeof(OSVERSIONINFOA::szCSDVersion) + 8, 'S');
    const FakeSystemQueries system(6, 1, full.c_str(), NativeProcess);
    const std::string expected = "Windows 7 " + std::string(128, 'S') + " [x86]";
    EXPECT_STREQ(expected.c_str(), GetWindowsVersionText(system));
}

TEST(IsWindowsVista, OnlyVersionSixZero)
{
    const struct {
        DWORD major;
        DWORD minor;
        BOOL vista;
    } cases[] = {
        {6, 0, TRUE}, {6, 1, FALSE}, {6, 2, FALSE}, {6, 3, FALSE},
        {10, 0, FALSE}, {5, 1, FALSE}, {5, 0, FALSE}, {0, 60, FALSE},
    };
    for (const auto& c : cases) {
        const FakeSystemQueries system(c.major, c.minor, "", nullptr);
        EXPECT_EQ(c.vista, IsWindowsVista(system)) << c.major << "." << c.minor;
    }
}

TEST(IsWow64, AnswersWhatIsWow64ProcessSaysAndFalseWithoutIt)
{
    const struct {
        IsWow64ProcessFunction isWow64Process;
        BOOL wow64;
    } cases[] = {
        {Wow64Process, TRUE}, {NativeProcess, FALSE}, {FailingQuery, FALSE}, {nullptr, FALSE},
    };
    for (const auto& c : cases) {
        const FakeSystemQueries system(6, 1, "Service Pack 1", c.isWow64Process);
        EXPECT_EQ(c.wow64, IsWow64(system));
    }
}
