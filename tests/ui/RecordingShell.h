// A ShellRequests that records what the windows asked of the shell, from any thread (the
// restart dialog asks from the worker's), and opens and runs nothing.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/ShellRequests.h"

class RecordingShell : public ShellRequests {
public:
    struct Request {
        HWND owner;
        bool verbGiven;
        std::string verb;
        std::string file;
        int showCommand;
    };
    struct Command {
        std::string commandLine;
        UINT showCommand;
    };

    RecordingShell() { InitializeCriticalSection(&m_lock); }
    ~RecordingShell() { DeleteCriticalSection(&m_lock); }
    RecordingShell(const RecordingShell&) = delete;
    RecordingShell& operator=(const RecordingShell&) = delete;

    void Execute(HWND owner, LPCSTR verb, LPCSTR file, int showCommand) override
    {
        EnterCriticalSection(&m_lock);
        m_executed.push_back({owner, verb != nullptr, verb ? verb : "", file ? file : "", showCommand});
        LeaveCriticalSection(&m_lock);
    }
    void Run(LPCSTR commandLine, UINT showCommand) override
    {
        EnterCriticalSection(&m_lock);
        m_run.push_back({commandLine ? commandLine : "", showCommand});
        LeaveCriticalSection(&m_lock);
    }

    std::vector<Request> Executed() { return Copy(m_executed); }
    std::vector<Command> Runs() { return Copy(m_run); }
    size_t Count() { return Executed().size() + Runs().size(); }

private:
    template <typename Item>
    std::vector<Item> Copy(const std::vector<Item>& items)
    {
        EnterCriticalSection(&m_lock);
        std::vector<Item> copy = items;
        LeaveCriticalSection(&m_lock);
        return copy;
    }

    CRITICAL_SECTION m_lock;
    std::vector<Request> m_executed;
    std::vector<Command> m_run;
};
