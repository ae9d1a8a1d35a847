// The operating-system line of the main dialog.
#include "ui/KorvessaDlg.h"

#include "detection/SystemFacts.h"
#include "resources/resource.h"

void ShowOsVersion(CKorvessaDlg& dialog)
{
    dialog.SetDlgItemText(IDC_OS_VERSION, GetWindowsVersionText());
}
