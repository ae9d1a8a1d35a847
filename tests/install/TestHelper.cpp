// A child program for the installation tests. Its first argument says what it does:
//   print HEX         writes the bytes given in hexadecimal to standard output, then ends
//   print-stderr HEX  the same on standard error
//   print-crt HEX     the same through the C runtime's standard output, as printf writes
//   relay HEX         runs "print-crt HEX" of itself through the process runner; ends with
//                     0 when those bytes came back, 1 when others did, 2 when the run failed
//   repeat COUNT      writes COUNT bytes of the letters a to z, over and over
//   sleep MS          sleeps, then ends
//   spawn MS          starts a copy of itself that sleeps MS, then ends with that copy's process
//                     id as its exit code (0 when the copy did not start)
//   await NAME        ends with 0 once the event of this name is set, with 2 when it is
//                     not set within 60 seconds
//   guarded HEX MS    lets others open it with the access mask HEX only, then sleeps
//   silent            writes nothing and ends
//   startup           writes the start-up record it was given: "flags 0x101 show 0 output
//                     pipe write end error same as output"
//   read-ends         writes how many read ends of pipes it holds besides its standard
//                     handles, as a decimal number: those are inherited from its starter
//   anything else     writes its own path, so a test can tell which copy of it ran
// Except for print-crt, it writes through WriteFile, so no runtime translates line ends.
#include <windows.h>

#include <aclapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>

#include "install/ProcessRunner.h"
#include "tests/install/ProcessAccess.h"

namespace {

void Write(DWORD stdHandle, const std::string& bytes)
{
    DWORD written = 0;
    WriteFile(GetStdHandle(stdHandle), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

// Replaces the process's access list with one that grants everyone this access only.
bool Guard(DWORD access)
{
    PSECURITY_DESCRIPTOR descriptor = OnlyAccessForEveryone(access);
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    PACL acl = nullptr;
    const bool guarded = descriptor && GetSecurityDescriptorDacl(descriptor, &present, &acl, &defaulted) &&
                         SetSecurityInfo(GetCurrentProcess(), SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION,
                                         nullptr, nullptr, acl, nullptr) == ERROR_SUCCESS;
    LocalFree(descriptor);
    return guarded;
}

std::string FromHex(const char* hex)
{
    std::string bytes;
    for (size_t i = 0; hex[i] && hex[i + 1]; i += 2) {
        const char pair[3] = {hex[i], hex[i + 1], 0};
        bytes += static_cast<char>(std::strtoul(pair, nullptr, 16));
    }
    return bytes;
}

// What a handle is: an end of a pipe, or something else.
const char* KindOf(HANDLE handle)
{
    DWORD flags = 0;
    if (GetFileType(handle) != FILE_TYPE_PIPE || !GetNamedPipeInfo(handle, &flags, nullptr, nullptr, nullptr))
        return "no pipe";
    // An anonymous pipe is read at its server end and written at its client end.
    return (flags & PIPE_SERVER_END) ? "pipe read end" : "pipe write end";
}

std::string StartupReport()
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    const std::string error = startup.hStdError == startup.hStdOutput ? "same as output" : KindOf(startup.hStdError);
    char report[160];
    std::snprintf(report, sizeof report, "flags 0x%lx show %u output %s error %s",
                  static_cast<unsigned long>(startup.dwFlags), startup.wShowWindow, KindOf(startup.hStdOutput),
                  error.c_str());
    return report;
}

// Walks the handle values of a process of up to 4096 handles, which the starter is: an
// inherited handle keeps the value it had there, and values are handed out lowest first.
int CountHeldReadEnds()
{
    const HANDLE standard[] = {GetStdHandle(STD_INPUT_HANDLE), GetStdHandle(STD_OUTPUT_HANDLE),
                               GetStdHandle(STD_ERROR_HANDLE)};
    int count = 0;
    for (ULONG_PTR value = 4; value < 0x4000; value += 4) {
        const HANDLE handle = reinterpret_cast<HANDLE>(value);
        if (std::find(std::begin(standard), std::end(standard), handle) == std::end(standard) &&
            std::strcmp(KindOf(handle), "pipe read end") == 0)
            ++count;
    }
    return count;
}

DWORD StartSleepingCopy(const char* milliseconds)
{
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    char command[MAX_PATH + 32];
    std::snprintf(command, sizeof command, "\"%s\" sleep %s", self, milliseconds);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(self, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return 0;
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return started.dwProcessId;
}

int Relay(const char* hex)
{
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    CString command;
    command.Format("\"%s\" print-crt %s", self, hex);
    ChildProcessRecord childProcess;
    CString answer;
    if (!RunProcessCaptureOutput(childProcess, answer, command, 20000))
        return 2;
    return FromHex(hex) == static_cast<LPCSTR>(answer) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    const char* value = argc > 2 ? argv[2] : "";
    if (mode == "print") {
        Write(STD_OUTPUT_HANDLE, FromHex(value));
    } else if (mode == "print-stderr") {
        Write(STD_ERROR_HANDLE, FromHex(value));
    } else if (mode == "print-crt") {
        const std::string bytes = FromHex(value);
        std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    } else if (mode == "relay") {
        return Relay(value);
    } else if (mode == "repeat") {
        std::string bytes(std::strtoul(value, nullptr, 10), '\0');
        for (size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>('a' + i % 26);
        Write(STD_OUTPUT_HANDLE, bytes);
    } else if (mode == "sleep") {
        Sleep(std::strtoul(value, nullptr, 10));
    } else if (mode == "spawn") {
        return static_cast<int>(StartSleepingCopy(value));
    } else if (mode == "await") {
        HANDLE event = OpenEventA(SYNCHRONIZE, FALSE, value);
        if (!event || WaitForSingleObject(event, 60000) != WAIT_OBJECT_0)
            return 2;
        CloseHandle(event);
    } else if (mode == "startup") {
        Write(STD_OUTPUT_HANDLE, StartupReport());
    } else if (mode == "read-ends") {
        Write(STD_OUTPUT_HANDLE, std::to_string(CountHeldReadEnds()));
    } else if (mode == "guarded") {
        if (!Guard(std::strtoul(value, nullptr, 16)))
            return 2;
        Sleep(std::strtoul(argc > 3 ? argv[3] : "", nullptr, 10));
    } else if (mode != "silent") {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        Write(STD_OUTPUT_HANDLE, path);
    }
    return 0;
}
