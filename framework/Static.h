// CStatic: a static control. Korvessa needs nothing of it beyond CWnd.
#pragma once

#include "Wnd.h"

class CStatic : public CWnd {};
