// The device list's rebuild: one row per ADB device node of a fresh scan. Every rebuild runs
// on the user-interface thread, so two can never interleave, and no lock is needed.
#include "ui/KorvessaDlg.h"

#include <vector>

void CKorvessaDlg::RefreshDeviceList()
{
    // Read once: the user-interface thread clears it when the window goes (the dialog closing
    // under a running worker), and then nothing is rebuilt.
    const HWND window = m_hWnd;
    if (!window)
        return;
    // The worker hands its rebuild over and waits for it; a window destroyed meanwhile
    // answers at once.
    if (GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) {
        ::SendMessageA(window, kRefreshDeviceListMessage, 0, 0);
        return;
    }
    RebuildDeviceList();
}

LRESULT CKorvessaDlg::OnRefreshRequest(WPARAM, LPARAM)
{
    RebuildDeviceList();
    return 0;
}

void CKorvessaDlg::RebuildDeviceList()
{
    // Nothing is painted while this thread rebuilds anyway; without redrawing after each
    // row the list view rebuilds several times faster.
    m_deviceList.SendMessage(WM_SETREDRAW, FALSE);
    m_deviceList.DeleteAllItems();
    std::vector<DeviceRecord> records;
    EnumAdbDevices(records, m_deviceTree);
    for (int row = 0; row < static_cast<int>(records.size()); ++row) {
        const DeviceRecord& record = records[row];
        const int image = record.hasProblem ? 1 : 0;
        m_deviceList.InsertItem(LVIF_TEXT | LVIF_IMAGE, row, "", 0, 0, image, 0);
        m_deviceList.SetItemText(row, 1, LookupVendorName(m_vendors, record.vendorId));
        m_deviceList.SetItemText(row, 2, record.description);
        m_deviceList.SetItemText(row, 3, ProblemCodeToText(record.problemCode));
    }
    m_deviceList.SendMessage(WM_SETREDRAW, TRUE);
    ::InvalidateRect(m_deviceList, nullptr, TRUE);
}
