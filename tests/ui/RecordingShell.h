// A ShellRequests that records what the windows asked of the shell, from any thread, and
// opens and runs nothing.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ShellRequests.h"

class RecordingShell : public ShellRequests {
public:
    struct Request {
        HWND owner;
        bool hasVerb;  // false: no verb, the default action
        std::string file;  // the file or address; the command line of a Run
        int showCommand;
        bool run;  // WinExec rather than ShellExecute
        std::string verb;  // ShellExecute's verb when hasVerb
    };

    RecordingShell() { InitializeCriticalSection(&m_lock); }
    ~RecordingShell() { DeleteCriticalSection(&m_lock); }
    RecordingShell(const RecordingShell&) = delete;
    RecordingShell& operator=(const RecordingShell&) = delete;

    void Execute(HWND owner, LPCSTR verb, LPCSTR file, int showCommand) override
    {
        Add({owner, verb != nullptr, file ? file : "", showCommand, false, verb ? verb : ""});
    }
    void Run(LPCSTR commandLine, UINT showCommand) override
    {
        Add({nullptr, false, commandLine ? commandLine : "", static_cast<int>(showCommand), true, ""});
    }

    std::vector<Request> Requests()
    {
        EnterCriticalSection(&m_lock);
        std::vector<Request> copy = m_requests;
        LeaveCriticalSection(&m_lock);
        return copy;
    }

private:
    void Add(const Request& request)
    {
        EnterCriticalSection(&m_lock);
        m_requests.push_back(request);
        LeaveCriticalSection(&m_lock);
    }

    CRITICAL_SECTION m_lock;
    std::vector<Request> m_requests;
};
