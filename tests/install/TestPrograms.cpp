// The helper program's place, scratch folders and program starts for the installation tests.
#include "tests/install/TestPrograms.h"

#include <gtest/gtest.h>

CString HelperPath()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    *strrchr(path, '\\') = 0;
    return CString(path) + "\\install_test_helper.exe";
}

ScratchFolder::ScratchFolder()
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    m_path.Format("%skorvessa-test-%lu-%lu", temp, GetCurrentProcessId(), GetTickCount());
    EXPECT_TRUE(CreateDirectoryA(m_path, nullptr)) << m_path;
}

ScratchFolder::~ScratchFolder()
{
    for (auto file = m_files.rbegin(); file != m_files.rend(); ++file)
        EXPECT_TRUE(DeleteFileA(*file)) << *file;
    for (auto folder = m_folders.rbegin(); folder != m_folders.rend(); ++folder)
        EXPECT_TRUE(RemoveDirectoryA(*folder)) << *folder;
    EXPECT_TRUE(RemoveDirectoryA(m_path)) << m_path;
}

CString ScratchFolder::AddFolder(const char* relativePath)
{
    const CString path = m_path + "\\" + relativePath;
    EXPECT_TRUE(CreateDirectoryA(path, nullptr)) << path;
    m_folders.push_back(path);
    return path;
}

CString ScratchFolder::AddCopy(const CString& source, const char* relativePath)
{
    const CString path = m_path + "\\" + relativePath;
    EXPECT_TRUE(CopyFileA(source, path, TRUE)) << source << " to " << path;
    m_files.push_back(path);
    return path;
}

PROCESS_INFORMATION StartProgram(const CString& path, const char* arguments, PSECURITY_DESCRIPTOR security)
{
    CString commandLine;
    commandLine.Format("\"%s\" %s", static_cast<LPCSTR>(path), arguments);
    char command[1024];
    lstrcpynA(command, commandLine, sizeof command);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, security, FALSE};
    PROCESS_INFORMATION started = {};
    EXPECT_TRUE(CreateProcessA(path, command, &attributes, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &started))
        << path << " error " << GetLastError();
    return started;
}
