// The device list's rebuild.
#include "KorvessaDlg.h"

void CKorvessaDlg::RefreshDeviceList()
{
    m_deviceList.DeleteAllItems();
}
