#include "toolkit/foundation/CaptureLoop.h"

#include "platform/framework/WinApp.h"

#include <algorithm>

namespace {

const UINT kKickIdle = 0x036A; // the framework's WM_KICKIDLE: only wakes idle processing
const DWORD kDesktopDCFlags = DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE;

} // namespace

CQorCaptureLoop::CQorCaptureLoop(HWND hWnd) : m_hWnd(hWnd) {}

CQorCaptureLoop::~CQorCaptureLoop()
{
    ReleaseAll();
}

void CQorCaptureLoop::Acquire()
{
    if (m_bTakeCapture) {
        ::SetCapture(m_hWnd);
        m_bTookCapture = ::GetCapture() == m_hWnd;
    }
    if (m_bLockDesktop) {
        m_hDesktop = ::GetDesktopWindow();
        m_bLocked = ::LockWindowUpdate(m_hDesktop);
        m_hDesktopDC = ::GetDCEx(m_hDesktop, nullptr, m_bLocked ? kDesktopDCFlags : DCX_WINDOW | DCX_CACHE);
    }
}

void CQorCaptureLoop::ReleaseAll()
{
    if (m_hDesktopDC)
        ::ReleaseDC(m_hDesktop, m_hDesktopDC);
    m_hDesktopDC = nullptr;
    if (m_bLocked)
        ::LockWindowUpdate(nullptr);
    m_bLocked = FALSE;
    if (m_bTookCapture && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    m_bTookCapture = FALSE;
}

BOOL CQorCaptureLoop::DispatchPendingPaint(int& nQuitCode)
{
    // A window whose paint handler leaves its update region (or a paint for no window, which
    // Wine hands out) is offered again at once: paint each window once per pass, else the pass
    // never ends. What is left comes through the loop's own message fetch.
    const int kMaxPerPass = 64;
    HWND painted[kMaxPerPass];
    int nPainted = 0;
    MSG msg;
    while (nPainted < kMaxPerPass && ::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
        // PeekMessage hands out WM_QUIT whatever the filter says.
        if (msg.message == WM_QUIT) {
            nQuitCode = static_cast<int>(msg.wParam);
            return FALSE;
        }
        if (!msg.hwnd || std::find(painted, painted + nPainted, msg.hwnd) != painted + nPainted)
            break;
        painted[nPainted++] = msg.hwnd;
        ::DispatchMessageW(&msg);
    }
    return TRUE;
}

void CQorCaptureLoop::RunIdle(LONG& lIdleCount)
{
    CWinThread* pThread = AfxGetThread();
    MSG msg;
    while (pThread && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (!pThread->OnIdle(lIdleCount++))
            break;
    }
}

CQorCaptureLoop::Result CQorCaptureLoop::Run()
{
    Acquire();
    if (m_onStart)
        m_onStart();
    Result result = resultCancelled;
    LONG lIdleCount = 0;
    for (;;) {
        if (!::IsWindow(m_hWnd)) {
            result = resultWindowGone;
            break;
        }
        if (m_bTookCapture && ::GetCapture() != m_hWnd) {
            result = resultCaptureLost;
            break;
        }
        if (m_stillTracking && !m_stillTracking()) {
            result = resultCancelled;
            break;
        }
        int nQuitCode = 0;
        if (m_bPaintFirst && !DispatchPendingPaint(nQuitCode)) {
            ::PostQuitMessage(nQuitCode);
            result = resultQuit;
            break;
        }
        if (m_bIdle)
            RunIdle(lIdleCount);

        MSG msg;
        BOOL bGot = ::GetMessageW(&msg, nullptr, 0, 0);
        if (bGot == -1) {
            result = resultCancelled;
            break;
        }
        if (!bGot) {
            // The outer loop must still see the quit request.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            result = resultQuit;
            break;
        }
        if (msg.message == kKickIdle)
            continue;
        if (msg.message == WM_CANCELMODE) {
            result = resultCancelled;
            break;
        }
        Action action = m_onMessage ? m_onMessage(msg) : actionDispatch;
        if (action == actionDone) {
            result = resultDone;
            break;
        }
        if (action == actionCancel) {
            result = resultCancelled;
            break;
        }
        if (action == actionDispatch) {
            if (m_bPreTranslate && AfxPreTranslateMessage(&msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        lIdleCount = 0;
    }
    if (m_onEnd)
        m_onEnd();
    ReleaseAll();
    return result;
}
