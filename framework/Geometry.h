// CPoint and CRect: POINT and RECT with constructors, as the window layer hands them over.
#pragma once

#include <windows.h>

struct CPoint : POINT {
    CPoint() : POINT{0, 0} {}
    CPoint(int px, int py) : POINT{px, py} {}
};

struct CRect : RECT {
    CRect() : RECT{0, 0, 0, 0} {}
};
