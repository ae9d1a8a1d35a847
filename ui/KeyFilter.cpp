// The key filter shared by the main dialog and the driver signature dialog.
#include "ui/KeyFilter.h"

BOOL IsSwallowedDialogKey(const MSG& message)
{
    if (message.message != WM_KEYDOWN)
        return FALSE;
    return message.wParam == VK_ESCAPE || message.wParam == VK_RETURN;
}
