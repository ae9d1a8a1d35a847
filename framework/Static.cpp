// CStatic's run-time class record.
#include "Static.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)
