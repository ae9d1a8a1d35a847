// CWnd: a window handle with the calls Korvessa makes on it, and the window procedure that
// hands each message to the class's message map and the rest to DefWindowProc.
#pragma once

#include <windows.h>

#include "framework/Geometry.h"
#include "framework/RuntimeClass.h"

class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    // The window is not owned: nothing is destroyed with the object. A window still
    // subclassed gets its own procedure back, so that it leads to no object that is gone.
    virtual ~CWnd() { UnsubclassWindow(); }

    HWND m_hWnd = nullptr;

    // The root of the run-time class records: CWnd's has no base.
    static const CRuntimeClass classCWnd;
    virtual const CRuntimeClass* GetRuntimeClass() const;

    operator HWND() const { return m_hWnd; }
    BOOL Attach(HWND hWnd);
    HWND Detach();

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageA(m_hWnd, message, wParam, lParam);
    }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    void SetDlgItemText(int id, LPCSTR text) { ::SetDlgItemTextA(m_hWnd, id, text); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }

    // Offers the message to the message map (OnWndMsg); DefWindowProc gets it only when no
    // entry handled it.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The procedure the window had before it was subclassed, else the platform's default.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // DefWindowProc with the message being handled now.
    LRESULT Default();
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // Takes the window's messages through this object's WindowProc until the window is
    // destroyed or UnsubclassWindow gives them back. One object per window at a time.
    BOOL SubclassWindow(HWND hWnd);
    HWND UnsubclassWindow();

    // The message map: TRUE when an entry handled the message, with its result in *pResult.
    // DECLARE_MESSAGE_MAP overrides both; CWnd itself has no entries.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL HasMessageMap() const { return FALSE; }

private:
    static LRESULT CALLBACK SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC m_pfnSuper = nullptr;
    struct CurrentMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } m_current = {0, 0, 0};
};
