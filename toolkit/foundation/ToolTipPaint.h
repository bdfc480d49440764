// Pieces the tip styles paint with.
#pragma once

#include <windows.h>

// A one-pixel frame: top and left edges in one colour, bottom and right in another.
void QorTipDrawFrame(HDC hdc, const RECT& rc, COLORREF clrTopLeft, COLORREF clrBottomRight);
// A top-to-bottom gradient, one band per row.
void QorTipFillVerticalGradient(HDC hdc, const RECT& rc, COLORREF clrTop, COLORREF clrBottom);
