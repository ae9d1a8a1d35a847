// Message maps in WTL's shape: BEGIN_MESSAGE_MAP ... END_MESSAGE_MAP expand into the class's
// OnWndMsg, which tries its entries in order and then chains to the base class's map.
//
//   class CMyDlg : public CDialog { ... DECLARE_MESSAGE_MAP() };
//   BEGIN_MESSAGE_MAP(CMyDlg, CDialog)
//       ON_WM_PAINT()
//       ON_BN_CLICKED(1004, &CMyDlg::OnInstallClicked)
//   END_MESSAGE_MAP()
//
// Handlers are members given as pointers to members (&CMyDlg::OnX).
#pragma once

#include <windows.h>

#include "framework/Wnd.h"

#define DECLARE_MESSAGE_MAP()                                                                \
protected:                                                                                   \
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;    \
    BOOL HasMessageMap() const override { return TRUE; }

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                 \
    BOOL theClass::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)     \
    {                                                                                          \
        typedef baseClass TheBaseClass;

#define END_MESSAGE_MAP()                                                                      \
        return TheBaseClass::OnWndMsg(message, wParam, lParam, pResult);                      \
    }

// void OnPaint()
#define ON_WM_PAINT()                                                                          \
    if (message == WM_PAINT) {                                                                 \
        OnPaint();                                                                             \
        *pResult = 0;                                                                          \
        return TRUE;                                                                           \
    }

// HCURSOR OnQueryDragIcon()
#define ON_WM_QUERYDRAGICON()                                                                  \
    if (message == WM_QUERYDRAGICON) {                                                         \
        *pResult = reinterpret_cast<LRESULT>(OnQueryDragIcon());                               \
        return TRUE;                                                                           \
    }

// BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message); pWnd is valid during the call.
#define ON_WM_SETCURSOR()                                                                      \
    if (message == WM_SETCURSOR) {                                                             \
        CWnd cursorWindow;                                                                     \
        cursorWindow.Attach(reinterpret_cast<HWND>(wParam));                                   \
        *pResult = OnSetCursor(&cursorWindow, LOWORD(lParam), HIWORD(lParam));                 \
        return TRUE;                                                                           \
    }

// void OnLButtonUp(UINT nFlags, CPoint point); the coordinates are signed (windowsx.h, whose
// macros would clash with CWnd's names, is not used)
#define ON_WM_LBUTTONUP()                                                                      \
    if (message == WM_LBUTTONUP) {                                                             \
        OnLButtonUp(static_cast<UINT>(wParam),                                                 \
                    CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)))); \
        *pResult = 0;                                                                          \
        return TRUE;                                                                           \
    }

// void memberFxn(), for WM_COMMAND with BN_CLICKED from exactly the control id.
#define ON_BN_CLICKED(id, memberFxn)                                                           \
    if (message == WM_COMMAND && LOWORD(wParam) == (id) && HIWORD(wParam) == BN_CLICKED) {     \
        (this->*(memberFxn))();                                                                \
        *pResult = 0;                                                                          \
        return TRUE;                                                                           \
    }

// LRESULT memberFxn(WPARAM, LPARAM), for a private message.
#define ON_MESSAGE(id, memberFxn)                                                              \
    if (message == (id)) {                                                                     \
        *pResult = (this->*(memberFxn))(wParam, lParam);                                       \
        return TRUE;                                                                           \
    }
