// Internals the row's mouse loops share: the tab and navigate-button loops end the same way
// and hold the tabs they remember the same way.
#pragma once

#include <windows.h>

#include "platform/framework/Geometry.h"
#include "toolkit/foundation/CaptureLoop.h"
#include "toolkit/foundation/CmdTargetReference.h"
#include "toolkit/tabs/TabManagerItem.h"

namespace qortabs {

inline CPoint MessagePoint(const MSG& msg)
{
    return CPoint(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
}

// The ends every row loop shares: the right button and Esc cancel, other keys are swallowed,
// the left button's release ends the loop at its point. FALSE for every other message.
inline bool HandleTrackingEnd(const MSG& msg, CPoint& ptLast, CQorCaptureLoop::Action& action)
{
    switch (msg.message) {
    case WM_RBUTTONDOWN:
        action = CQorCaptureLoop::actionCancel;
        return true;
    case WM_KEYDOWN:
        action = msg.wParam == VK_ESCAPE ? CQorCaptureLoop::actionCancel : CQorCaptureLoop::actionHandled;
        return true;
    case WM_LBUTTONUP:
        ptLast = MessagePoint(msg);
        action = CQorCaptureLoop::actionDone;
        return true;
    default:
        return false;
    }
}

// Holds one reference to a tab for the length of a loop.
using CItemReference = CQorCmdTargetReference;

} // namespace qortabs
