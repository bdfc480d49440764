// The frame fields the schemas draw a window frame from. The frame skin object keeps them up
// to date; the schemas only read them (and draw the caption buttons where they say).
#pragma once
#include <windows.h>

#include "platform/framework/Collections.h"
#include "platform/framework/Geometry.h"
#include "platform/framework/Strings.h"

struct CQorSkinCaptionButton
{
    int nHitCode = 0;  // HTCLOSE, HTMAXBUTTON, ...
    RECT rc = {};      // window coordinates, set when drawn
    int nPart = 0;     // WINDOW part drawn
    UINT nCommand = 0; // system command sent on a click
    BOOL bEnabled = TRUE;
};

struct CQorSkinFrameRecord
{
    HWND hWnd = nullptr;
    DWORD dwStyle = 0;
    DWORD dwExStyle = 0;
    CRect rcWindow;  // the window rectangle (only the size is used)
    CRect rcBorders; // left, top (caption included), right, bottom widths
    BOOL bActive = TRUE;
    CString strTitle;
    HICON hIcon = nullptr; // none: asked from the window
    CArray<CQorSkinCaptionButton, const CQorSkinCaptionButton&> arrButtons;
    int nHotButton = -1; // index into the buttons, -1 for none
    int nPressedButton = -1;
    HBRUSH hCtlColorBrush = nullptr; // the control colour under a border-fill client edge
    LPCWSTR lpszClassName = L"WINDOW";

    BOOL IsToolWindow() const { return (dwExStyle & WS_EX_TOOLWINDOW) != 0; }
    BOOL HasCaption() const { return (dwStyle & WS_CAPTION) == WS_CAPTION; }
};
