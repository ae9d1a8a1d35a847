// CStatic: a static control. Korvessa needs nothing of it beyond CWnd and its run-time
// class record, the banner's base.
#pragma once

#include "framework/Wnd.h"

class CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
};
