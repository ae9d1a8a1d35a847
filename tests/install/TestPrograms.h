// What the installation tests share: the helper program, scratch folders for copies of it,
// and starting those copies.
#pragma once

#include <windows.h>

#include <ostream>
#include <vector>

#include "framework/CString.h"

// Lets test messages show CString values as text.
inline std::ostream& operator<<(std::ostream& out, const CString& text)
{
    return out << static_cast<LPCSTR>(text);
}

// The full path of the tests' helper program, which lies next to the test program.
CString HelperPath();

// A folder of its own below the temporary folder, with everything put in it removed again.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const CString& Path() const { return m_path; }
    // Creates a folder below this one (relative path) and returns its full path.
    CString AddFolder(const char* relativePath);
    // Copies a file to the relative path and returns the copy's full path.
    CString AddCopy(const CString& source, const char* relativePath);
    // Copies the helper program to the relative path and returns the copy's full path.
    CString AddHelperCopy(const char* relativePath) { return AddCopy(HelperPath(), relativePath); }

private:
    CString m_path;
    std::vector<CString> m_files;
    std::vector<CString> m_folders;
};

// Starts a program by its full path, whatever its extension, with the default access list
// or the one of security; the caller closes the handles.
PROCESS_INFORMATION StartProgram(const CString& path, const char* arguments,
                                 PSECURITY_DESCRIPTOR security = nullptr);
