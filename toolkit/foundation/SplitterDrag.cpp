// TrackSplitterDrag of DrawHelpers.h: an inverted tracker that follows the mouse along one axis.
#include "toolkit/foundation/CaptureLoop.h"
#include "toolkit/foundation/DrawHelpers.h"

#include <algorithm>

namespace {

void DrawTracker(const QOR_TRACKER_DC& trackerDC, const RECT& rc)
{
    if (!trackerDC.hDC)
        return;
    if (trackerDC.bInvert) {
        ::InvertRect(trackerDC.hDC, &rc);
        return;
    }
    CBrush* pHalftone = CDC::GetHalftoneBrush();
    HGDIOBJ hOld = ::SelectObject(trackerDC.hDC, pHalftone->GetSafeHandle());
    ::PatBlt(trackerDC.hDC, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, PATINVERT);
    ::SelectObject(trackerDC.hDC, hOld);
}

CQorCaptureLoop::Action OnTrackerMessage(const QOR_SPLITTER_DRAG& drag, POINT ptOffset, RECT& rcTracker,
                                         const QOR_TRACKER_DC& trackerDC, const MSG& msg)
{
    switch (msg.message) {
    case WM_MOUSEMOVE: {
        POINT pt = {static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
        ::ClientToScreen(msg.hwnd, &pt);
        LONG x = std::min(std::max(pt.x + ptOffset.x, drag.ptMin.x), drag.ptMax.x);
        LONG y = std::min(std::max(pt.y + ptOffset.y, drag.ptMin.y), drag.ptMax.y);
        LONG dx = drag.bHorizontal ? x - rcTracker.left : 0;
        LONG dy = drag.bHorizontal ? 0 : y - rcTracker.top;
        if (dx || dy) {
            DrawTracker(trackerDC, rcTracker);
            ::OffsetRect(&rcTracker, dx, dy);
            DrawTracker(trackerDC, rcTracker);
        }
        return CQorCaptureLoop::actionHandled;
    }
    default:
        return CQorCaptureLoop::EndDragOnReleaseOrEscape(msg);
    }
}

} // namespace

BOOL TrackSplitterDrag(const QOR_SPLITTER_DRAG& drag, RECT& rcTracker, QOR_TRACKER_DC& trackerDC)
{
    CQorCaptureLoop loop(drag.hWnd);
    loop.m_bLockDesktop = TRUE;
    // The tracker keeps its distance from the cursor along the axis.
    const POINT ptOffset = {rcTracker.left - drag.ptStart.x, rcTracker.top - drag.ptStart.y};
    loop.m_onStart = [&]() {
        trackerDC.hDC = loop.GetDesktopDC();
        DrawTracker(trackerDC, rcTracker);
    };
    loop.m_onEnd = [&]() {
        DrawTracker(trackerDC, rcTracker);
        trackerDC.hDC = nullptr;
    };
    loop.m_onMessage = [&](MSG& msg) { return OnTrackerMessage(drag, ptOffset, rcTracker, trackerDC, msg); };
    return loop.Run() == CQorCaptureLoop::resultDone;
}
