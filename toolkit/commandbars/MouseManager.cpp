#include "toolkit/commandbars/MouseManager.h"

#include "platform/framework/Exceptions.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/foundation/Statics.h"
#include "toolkit/foundation/SystemInfo.h"

namespace {

CThreadLocal<CQorMouseManager>* g_pMouseHolder = nullptr;

// The last point of a mouse message, shared by every thread's hook: a move at the same point
// is no move.
POINT g_ptLastMouse = {0, 0};

void DestroyMouseManagerHolder()
{
    delete g_pMouseHolder;
    g_pMouseHolder = nullptr;
}

bool IsMoveMessage(UINT nMessage)
{
    return nMessage == WM_MOUSEMOVE || nMessage == WM_NCMOUSEMOVE;
}

bool IsButtonDown(UINT nMessage)
{
    switch (nMessage) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        return true;
    default:
        return false;
    }
}

} // namespace

void QorCreateMouseManagerHolder()
{
    if (g_pMouseHolder)
        return;
    g_pMouseHolder = new CThreadLocal<CQorMouseManager>;
    QorAddExitRoutine(DestroyMouseManagerHolder, L"CQorMouseManager holder");
}

CQorMouseManager* GetMouseManager()
{
    QorCreateMouseManagerHolder();
    CQorMouseManager* pManager = g_pMouseHolder->GetData();
    if (!pManager)
        AfxThrowMemoryException();
    return pManager;
}

CQorMouseManager* FindMouseManager()
{
    return g_pMouseHolder ? g_pMouseHolder->GetDataNA() : nullptr;
}

CQorMouseManager::CQorMouseManager()
    : m_nLock(0), m_hHook(nullptr), m_pHoverBar(nullptr), m_hWndMouseLeave(nullptr), m_bExpanded(FALSE),
      m_bSwallowRelease(FALSE)
{
    m_hHook = ::SetWindowsHookExW(WH_MOUSE, &MouseProc, nullptr, ::GetCurrentThreadId());
    // The keyboard manager's Alt and deactivation paths close this chain.
    GetKeyboardManager()->SetPopupChainTracker(this);
}

CQorMouseManager::~CQorMouseManager()
{
    if (m_hHook)
        ::UnhookWindowsHookEx(m_hHook);
    if (m_hWndMouseLeave && ::IsWindow(m_hWndMouseLeave))
        ::KillTimer(m_hWndMouseLeave, kMouseLeaveTimerId);
    CQorKeyboardManager* pKeyboardManager = FindKeyboardManager();
    if (pKeyboardManager && pKeyboardManager->GetPopupChainTracker() == this)
        pKeyboardManager->SetPopupChainTracker(nullptr);
}

void CQorMouseManager::AddTrackedBar(CQorCommandBar* pBar)
{
    if (m_arrTracked.IsEmpty() && m_pHoverBar && m_pHoverBar != pBar)
        m_pHoverBar->SetSelected(-1, FALSE);
    if (FindTrackedBar(pBar) == -1)
        m_arrTracked.Add(pBar);
}

void CQorMouseManager::RemoveTrackedBar(CQorCommandBar* pBar)
{
    const int nIndex = FindTrackedBar(pBar);
    if (nIndex == -1)
        return;
    m_arrTracked.RemoveAt(nIndex);
    if (!m_arrTracked.IsEmpty())
        return;
    // The window under the cursor refreshes its hover state from the move this produces.
    POINT pt;
    if (::GetCursorPos(&pt))
        ::SetCursorPos(pt.x, pt.y);
    m_bSwallowRelease = FALSE;
    // An expansion belongs to the menu that made it; the next menu opens collapsed again.
    m_bExpanded = FALSE;
}

void CQorMouseManager::CloseTrackedPopups()
{
    while (!m_arrTracked.IsEmpty()) {
        CQorCommandBar* pBar = m_arrTracked[0];
        pBar->SetTrackingMode(0, TRUE, FALSE);
        // A bar whose mode was already 0 stays in the chain: take it out, or this never ends.
        if (!m_arrTracked.IsEmpty() && m_arrTracked[0] == pBar)
            RemoveTrackedBar(pBar);
    }
}

int CQorMouseManager::FindTrackedBar(CQorCommandBar* pBar) const
{
    for (INT_PTR i = 0; i < m_arrTracked.GetSize(); ++i) {
        if (m_arrTracked[i] == pBar)
            return static_cast<int>(i);
    }
    return -1;
}

BOOL CQorMouseManager::IsOtherBarTracking(CQorCommandBar* pBar) const
{
    if (m_arrTracked.IsEmpty())
        return FALSE;
    return !pBar || pBar->GetModalLockCount() > 0 || FindTrackedBar(pBar) == -1;
}

void CQorMouseManager::AddTrustedWindow(HWND hWnd)
{
    m_arrTrusted.Add(hWnd);
}

void CQorMouseManager::RemoveTrustedWindow(HWND hWnd)
{
    for (INT_PTR i = m_arrTrusted.GetSize() - 1; i >= 0; --i) {
        if (m_arrTrusted[i] == hWnd)
            m_arrTrusted.RemoveAt(i);
    }
}

void CQorMouseManager::SetExpanded(BOOL bExpanded)
{
    m_bExpanded = bExpanded;
    if (bExpanded)
        m_bSwallowRelease = TRUE;
}

void CQorMouseManager::TrackMouseLeave(HWND hWnd)
{
    if (m_hWndMouseLeave == hWnd)
        return;
    HWND hWndOld = m_hWndMouseLeave;
    m_hWndMouseLeave = hWnd;
    if (hWndOld && ::IsWindow(hWndOld)) {
        // Its timer goes with it: left running, it would tick for ever.
        ::KillTimer(hWndOld, kMouseLeaveTimerId);
        ::SendMessageW(hWndOld, WM_MOUSELEAVE, 0, 0);
    }
    if (hWnd && m_hWndMouseLeave == hWnd)
        ::SetTimer(hWnd, kMouseLeaveTimerId, kMouseLeaveMilliseconds, &MouseLeaveTimerProc);
}

void CALLBACK CQorMouseManager::MouseLeaveTimerProc(HWND hWnd, UINT, UINT_PTR nIDEvent, DWORD)
{
    CQorMouseManager* pManager = FindMouseManager();
    if (!pManager || pManager->m_hWndMouseLeave != hWnd) {
        ::KillTimer(hWnd, nIDEvent);
        return;
    }
    pManager->CheckMouseLeave(hWnd);
}

void CQorMouseManager::CheckMouseLeave(HWND hWnd)
{
    if (!::IsWindow(hWnd)) {
        m_hWndMouseLeave = nullptr;
        return;
    }
    RECT rc;
    POINT pt;
    ::GetWindowRect(hWnd, &rc);
    ::GetCursorPos(&pt);
    if (::PtInRect(&rc, pt) &&
        (!::GetParent(hWnd) || (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_POPUP) || IsOwnerChainActive(hWnd)))
        return;
    ::KillTimer(hWnd, kMouseLeaveTimerId);
    m_hWndMouseLeave = nullptr;
    ::PostMessageW(hWnd, WM_MOUSELEAVE, 0, 0);
}

LRESULT CALLBACK CQorMouseManager::MouseProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CQorMouseManager* pManager = FindMouseManager();
    HHOOK hHook = pManager ? pManager->m_hHook : nullptr;
    if (pManager && nCode == HC_ACTION) {
        const MOUSEHOOKSTRUCT* pInfo = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        if (pManager->FilterMessage(static_cast<UINT>(wParam), CPoint(pInfo->pt)))
            return 1;
    }
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

BOOL CQorMouseManager::FilterMessage(UINT nMessage, CPoint pt)
{
    if (nMessage == WM_LBUTTONDOWN || nMessage == WM_RBUTTONDOWN)
        m_bSwallowRelease = FALSE;
    if ((nMessage == WM_LBUTTONUP || nMessage == WM_NCLBUTTONUP) && m_bSwallowRelease) {
        m_bSwallowRelease = FALSE;
        return TRUE;
    }
    if (IsMoveMessage(nMessage) && !m_arrTracked.IsEmpty() && pt.x == g_ptLastMouse.x && pt.y == g_ptLastMouse.y)
        return TRUE;
    g_ptLastMouse = pt;
    if (!m_arrTracked.IsEmpty())
        ProcessTrackedMessage(nMessage, pt);
    return FALSE;
}

CQorCommandBar* CQorMouseManager::HitTrackedBar(CPoint pt) const
{
    HWND hWndUnder = ::WindowFromPoint(pt);
    for (INT_PTR i = m_arrTracked.GetSize() - 1; i >= 0; --i) {
        CQorCommandBar* pBar = m_arrTracked[i];
        if (!pBar->GetSafeHwnd())
            continue;
        const int nHit = pBar->IsPointInBar(pt);
        if (nHit == 1 || (nHit != -2 && hWndUnder && ::IsChild(pBar->GetSafeHwnd(), hWndUnder)))
            return pBar;
    }
    return nullptr;
}

BOOL CQorMouseManager::IsTrustedPoint(CPoint pt) const
{
    for (INT_PTR i = 0; i < m_arrTrusted.GetSize(); ++i) {
        RECT rc;
        HWND hWnd = m_arrTrusted[i];
        if (::IsWindowVisible(hWnd) && ::GetWindowRect(hWnd, &rc) && ::PtInRect(&rc, pt))
            return TRUE;
    }
    return FALSE;
}

void CQorMouseManager::ProcessTrackedMessage(UINT nMessage, CPoint pt)
{
    if (CQorCommandBar* pHit = HitTrackedBar(pt)) {
        if (pHit->GetModalLockCount() < 1 || IsMoveMessage(nMessage) || m_bSwallowRelease)
            return;
        // A click over a bar that runs a nested loop: the bars outside that loop close.
        if (m_arrTracked[0]->GetModalLockCount() >= 1) {
            CTrackArray arrBars;
            arrBars.Copy(m_arrTracked);
            for (INT_PTR i = 0; i < arrBars.GetSize(); ++i) {
                if (FindTrackedBar(arrBars[i]) != -1 && arrBars[i]->GetModalLockCount() == 0)
                    arrBars[i]->SetTrackingMode(0, TRUE, FALSE);
            }
        }
        g_ptLastMouse = POINT{0, 0};
        return;
    }
    if (IsTrustedPoint(pt))
        return;
    HWND hWndUnder = ::WindowFromPoint(pt);
    if (hWndUnder && (::GetClassLongPtrW(hWndUnder, GCL_STYLE) & CS_IME))
        return;

    if (IsMoveMessage(nMessage)) {
        // A bar may leave the chain while it handles the move: walk a copy.
        CTrackArray arrBars;
        arrBars.Copy(m_arrTracked);
        for (INT_PTR i = 0; i < arrBars.GetSize(); ++i) {
            CQorCommandBar* pBar = arrBars[i];
            if (FindTrackedBar(pBar) == -1 || pBar->GetModalLockCount() > 0 || !pBar->GetSafeHwnd())
                continue;
            CPoint ptClient = pt;
            pBar->ScreenToClient(&ptClient);
            pBar->OnMouseMove(0, ptClient);
        }
    } else if (nMessage == WM_LBUTTONUP || nMessage == WM_NCLBUTTONUP) {
        if (m_nLock <= 0)
            CloseTrackedPopups();
    } else if (IsButtonDown(nMessage)) {
        CloseTrackedPopups();
    }
}
