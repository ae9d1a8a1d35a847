// CStatic's run-time class record.
#include "framework/Static.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)
