// CImageList: an image list that this object owns and destroys.
#pragma once

#include <windows.h>
#include <commctrl.h>

class CImageList {
public:
    CImageList() = default;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;
    ~CImageList()
    {
        if (m_hImageList)
            ImageList_Destroy(m_hImageList);
    }

    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
    {
        if (m_hImageList)
            return FALSE;
        m_hImageList = ImageList_Create(cx, cy, nFlags, nInitial, nGrow);
        return m_hImageList != nullptr;
    }
    // Adds the bitmap with crMask as its transparent colour; the index of the first new
    // image, or -1.
    int Add(HBITMAP hBitmap, COLORREF crMask) { return ImageList_AddMasked(m_hImageList, hBitmap, crMask); }
    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }

private:
    HIMAGELIST m_hImageList = nullptr;
};
