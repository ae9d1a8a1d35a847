// CListCtrl: a list view (SysListView32), in the ANSI messages.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/ImageList.h"
#include "framework/Wnd.h"

class CListCtrl : public CWnd {
public:
    // Format, width and heading; no sub-item index. Returns the new column's index or -1.
    int InsertColumn(int nCol, LPCSTR heading, int nFormat, int nWidth);
    // Returns the new item's index or -1.
    int InsertItem(UINT nMask, int nItem, LPCSTR lpszItem, UINT nState, UINT nStateMask, int nImage, LPARAM lParam);
    BOOL SetItemText(int nItem, int nSubItem, LPCSTR lpszText);
    BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }
    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    // Returns the list the view had of this type before.
    HIMAGELIST SetImageList(CImageList* pImageList, int nImageListType)
    {
        return reinterpret_cast<HIMAGELIST>(
            SendMessage(LVM_SETIMAGELIST, nImageListType, reinterpret_cast<LPARAM>(pImageList->GetSafeHandle())));
    }
    // Replaces every extended style bit; returns the previous styles.
    DWORD SetExtendedStyle(DWORD dwNewStyle)
    {
        return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle));
    }
    DWORD GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
};
