// The operating-system line of the main dialog.
#include "KorvessaDlg.h"

#include "SystemFacts.h"
#include "resource.h"

void ShowOsVersion(CKorvessaDlg& dialog)
{
    dialog.SetDlgItemText(IDC_OS_VERSION, GetWindowsVersionText());
}
