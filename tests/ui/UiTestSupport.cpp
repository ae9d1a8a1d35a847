// The window tests' shared support.
#include "tests/ui/UiTestSupport.h"

#include <commctrl.h>

void RegisterCommonControls()
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
}
