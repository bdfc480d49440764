// Where a scene's frame window goes: its client area of the given size, its top-left corner at
// a screen point.
#pragma once

#include <windows.h>

#include "platform/framework/Geometry.h"

inline CRect SceneFrameRect(int x, int y, int cxClient, int cyClient, DWORD dwStyle)
{
    CRect rc(0, 0, cxClient, cyClient);
    ::AdjustWindowRectEx(&rc, dwStyle, FALSE, 0);
    rc.OffsetRect(x - rc.left, y - rc.top);
    return rc;
}
