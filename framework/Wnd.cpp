// CWnd's window procedure, default processing and subclassing.
#include "framework/Wnd.h"

namespace {
// The window property that leads a subclassed window's messages back to its object.
const char kWndProperty[] = "Korvessa.CWnd";
}  // namespace

const CRuntimeClass CWnd::classCWnd = {"CWnd", 0xFFFF, nullptr, nullptr};

const CRuntimeClass* CWnd::GetRuntimeClass() const
{
    return &classCWnd;
}

BOOL CWnd::Attach(HWND hWnd)
{
    if (m_hWnd || !hWnd)
        return FALSE;
    m_hWnd = hWnd;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    m_hWnd = nullptr;
    return hWnd;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Saved and restored: a handler may send messages that come back to this window.
    const CurrentMessage outer = m_current;
    m_current = {message, wParam, lParam};
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    m_current = outer;
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::OnWndMsg(UINT, WPARAM, LPARAM, LRESULT*)
{
    return FALSE;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    if (!::SetPropA(hWnd, kWndProperty, this)) {
        Detach();
        return FALSE;
    }
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc)));
    return TRUE;
}

HWND CWnd::UnsubclassWindow()
{
    if (!m_pfnSuper)
        return nullptr;
    ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    ::RemovePropA(m_hWnd, kWndProperty);
    m_pfnSuper = nullptr;
    return Detach();
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = static_cast<CWnd*>(::GetPropA(hWnd, kWndProperty));
    if (!wnd)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    LRESULT result = 0;
    try {
        result = wnd->WindowProc(message, wParam, lParam);
    } catch (...) {
        // No exception may cross into Windows.
    }
    // The window is going away: give it back its own procedure and let go of it.
    if (message == WM_NCDESTROY)
        wnd->UnsubclassWindow();
    return result;
}
