// The nested message loop every tracking loop of the toolkit runs on (drags, splitters, popup
// menus). It ends cleanly on every way a loop can be left: WM_QUIT (posted again with its exit
// code), loss of the capture it took, a destroyed window, WM_CANCELMODE, a "still tracking"
// test turning false, or the handler saying done or cancel; and every exit releases what the
// loop took (capture, desktop lock, desktop DC).
#pragma once

#include <windows.h>

#include <functional>

class CQorCaptureLoop
{
public:
    enum Result {
        resultDone,
        resultCancelled,
        resultQuit, // counts as cancelled for every caller
        resultCaptureLost,
        resultWindowGone,
    };
    enum Action {
        actionDispatch, // not handled: translate and dispatch it
        actionHandled,  // handled: go on
        actionDone,
        actionCancel,
    };

    explicit CQorCaptureLoop(HWND hWnd);
    ~CQorCaptureLoop();
    CQorCaptureLoop(const CQorCaptureLoop&) = delete;
    CQorCaptureLoop& operator=(const CQorCaptureLoop&) = delete;

    // Options, set before Run.
    BOOL m_bTakeCapture = TRUE;              // capture the mouse for the window (losing it ends the loop)
    BOOL m_bLockDesktop = FALSE;             // lock desktop updates and hand out the desktop's window DC
    BOOL m_bPaintFirst = FALSE;              // dispatch pending WM_PAINT before each message
    BOOL m_bPreTranslate = FALSE;            // offer messages to the thread's pre-translation
    BOOL m_bIdle = FALSE;                    // run the thread's idle processing when the queue is empty
    std::function<Action(MSG&)> m_onMessage; // null: every message is dispatched
    std::function<bool()> m_stillTracking;   // null: always tracking
    std::function<void()> m_onStart;         // after capture, lock and DC were taken
    std::function<void()> m_onEnd;           // on every exit, before they are released

    Result Run();

    // The desktop DC while the loop runs with m_bLockDesktop (null otherwise).
    HDC GetDesktopDC() const { return m_hDesktopDC; }
    HWND GetWindow() const { return m_hWnd; }

    // How a drag loop ends: a key press cancels on Esc and is swallowed otherwise, the release
    // of the left button ends it, anything else is dispatched. Handlers answer their own
    // messages (mouse moves) and hand the rest here.
    static Action EndDragOnReleaseOrEscape(const MSG& msg)
    {
        switch (msg.message) {
        case WM_KEYDOWN:
            return msg.wParam == VK_ESCAPE ? actionCancel : actionHandled;
        case WM_LBUTTONUP:
            return actionDone;
        default:
            return actionDispatch;
        }
    }

    // TRUE for the results a caller treats as cancelled.
    static BOOL IsCancelled(Result result) { return result != resultDone; }

private:
    void Acquire();
    void ReleaseAll();
    // FALSE when it met WM_QUIT (taken from the queue; its exit code in nQuitCode).
    BOOL DispatchPendingPaint(int& nQuitCode);
    void RunIdle(LONG& lIdleCount);

    HWND m_hWnd;
    HWND m_hDesktop = nullptr;
    HDC m_hDesktopDC = nullptr;
    BOOL m_bTookCapture = FALSE;
    BOOL m_bLocked = FALSE;
};
