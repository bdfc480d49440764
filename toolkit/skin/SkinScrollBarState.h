// The scroll-bar records the schemas draw from. The scroll-bar engine fills them from a
// window's scroll information; the schemas only read them.
#pragma once
#include <windows.h>

#include "platform/framework/Geometry.h"

// Part codes of a bar, shared by the engine and the schemas.
enum {
    qorScrollNone = 0,
    qorScrollFirstArrow = 60,  // up or left
    qorScrollSecondArrow = 61, // down or right
    qorScrollTrackBefore = 62, // between the first arrow and the thumb
    qorScrollTrackAfter = 63,  // between the thumb and the second arrow
    qorScrollThumb = 64,
};

// One bar's layout along its axis (top/bottom for a vertical bar, left/right for a horizontal one).
struct ScrollBarState
{
    int nMin, nMax, nPage, nPos;
    int start, end;
    int crossStart, crossEnd;
    int thumbLength;
    int firstArrowEnd;
    int secondArrowStart;
    int savedThumbStart;
    int thumbEnd, thumbStart;
    int trackSpace;
    int trackStart;
    RECT rect;
    int activePart; // the hot or pressed part code, 0 for none
    BOOL vertical;
    int barKind; // SB_HORZ, SB_VERT or SB_CTL
    BOOL visible;
};

// Exists while a press on a bar is tracked.
struct ScrollTrackState
{
    BOOL inside;
    BOOL vertical;
    RECT trackRect;
    int scrollCode; // SB_LINEUP .. SB_PAGEDOWN, 4 for a thumb drag, -1 before it is known
    UINT_PTR timerId;
    int dragOffset;
};

// A stretch of a bar along its axis (from, to), across its whole width.
inline CRect GetScrollBarSpan(const ScrollBarState& bar, int nFrom, int nTo)
{
    return bar.vertical ? CRect(bar.crossStart, nFrom, bar.crossEnd, nTo)
                        : CRect(nFrom, bar.crossStart, nTo, bar.crossEnd);
}

// What a schema needs to draw one bar.
struct CQorSkinScrollBarDraw
{
    HWND hWnd = nullptr;                      // the window that owns the bar
    const ScrollBarState* pBar = nullptr;     // its layout, in the DC's coordinates
    const ScrollTrackState* pTrack = nullptr; // the drag in progress on this bar, if any
    BOOL bEnabled = TRUE;                     // from the engine; SB_CTL bars follow WS_DISABLED
    BOOL bMouseOver = FALSE;                  // the mouse is over the bar (hover arrows)
};

// The states a bar is drawn in: enabled (a control bar follows its window's WS_DISABLED), the
// pressed part while a drag runs on the bar, else the hot part.
struct CQorSkinScrollBarLook
{
    BOOL bEnabled;
    int nPressed;
    int nHot;
};

inline CQorSkinScrollBarLook GetScrollBarLook(const CQorSkinScrollBarDraw& draw)
{
    CQorSkinScrollBarLook look = {draw.bEnabled, qorScrollNone, qorScrollNone};
    if (draw.pBar->barKind == SB_CTL && draw.hWnd)
        look.bEnabled = !(::GetWindowLongW(draw.hWnd, GWL_STYLE) & WS_DISABLED);
    (draw.pTrack ? look.nPressed : look.nHot) = draw.pBar->activePart;
    return look;
}
