#include "toolkit/docking/DockingPaneSplitterWnd.h"

#include "toolkit/docking/DockingPaneManager.h"
#include "toolkit/docking/DockingPanePaintManager.h"
#include "toolkit/docking/DockingPaneSplitterContainer.h"
#include "toolkit/foundation/CaptureLoop.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/ResourceManager.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CQorDockingPaneSplitterWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, &CQorDockingPaneSplitterWnd::OnPrintClient)
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CQorDockingPaneSplitterWnd::CQorDockingPaneSplitterWnd() = default;

CQorDockingPaneSplitterWnd::~CQorDockingPaneSplitterWnd() = default;

BOOL CQorDockingPaneSplitterWnd::Create(CQorDockingPaneManager* pManager, CQorDockingPaneSplitterContainer* pContainer,
                                        CQorDockingPaneBase* pPrev, CQorDockingPaneBase* pNext, BOOL bHorizBar,
                                        CWnd* pParent)
{
    m_pManager = pManager;
    m_pContainer = pContainer;
    m_pPrev = pPrev;
    m_pNext = pNext;
    m_bHorizBar = bHorizBar;
    m_hCursor = GetResourceManager()->LoadCursor(bHorizBar ? QOR_IDC_DOCKING_HSPLIT : QOR_IDC_DOCKING_VSPLIT);
    return CreateEx(0, L"QorDockingPaneSplitter", L"Splitter",
                    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), pParent, 0);
}

void CQorDockingPaneSplitterWnd::OnPaint()
{
    CPaintDC dc(this);
    if (m_pManager && m_pManager->GetPaintManager())
        m_pManager->GetPaintManager()->DrawSplitter(&dc, this);
}

BOOL CQorDockingPaneSplitterWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

LRESULT CQorDockingPaneSplitterWnd::OnPrintClient(WPARAM wParam, LPARAM)
{
    CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
    if (m_pManager && m_pManager->GetPaintManager())
        m_pManager->GetPaintManager()->DrawSplitter(pDC, this);
    return 1;
}

CRect CQorDockingPaneSplitterWnd::GetUnionRect() const
{
    CRect rcPrev = m_pPrev->GetScreenRect();
    CRect rcNext = m_pNext->GetScreenRect();
    CRect rcUnion;
    rcUnion.UnionRect(&rcPrev, &rcNext);
    return rcUnion;
}

BOOL CQorDockingPaneSplitterWnd::GetDragRange(int& nLow, int& nHigh) const
{
    if (!m_pContainer || !m_pPrev || !m_pNext || !m_pManager)
        return FALSE;
    const CRect u = GetUnionRect();
    const int m = m_pManager->m_nSplitterGap;
    const int s = m_pManager->GetPaintManager()->GetSplitterSize();
    MINMAXINFO mmiPrev, mmiNext;
    m_pPrev->GetMinMaxInfo(&mmiPrev);
    m_pNext->GetMinMaxInfo(&mmiNext);
    const BOOL bHoriz = !m_bHorizBar; // nodes side by side
    const int nStart = bHoriz ? u.left : u.top;
    const int nEnd = bHoriz ? u.right : u.bottom;
    const int nExtent = nEnd - nStart;
    const int nPrevMin = bHoriz ? mmiPrev.ptMinTrackSize.x : mmiPrev.ptMinTrackSize.y;
    const int nNextMin = bHoriz ? mmiNext.ptMinTrackSize.x : mmiNext.ptMinTrackSize.y;
    const int nPrevMax = bHoriz ? mmiPrev.ptMaxTrackSize.x : mmiPrev.ptMaxTrackSize.y;
    const int nNextMax = bHoriz ? mmiNext.ptMaxTrackSize.x : mmiNext.ptMaxTrackSize.y;
    nLow = nStart + std::max(m, nPrevMin);
    nHigh = nEnd - std::max(m, nNextMin + s);
    if (nPrevMax < nExtent)
        nHigh = std::min(nHigh, nStart + nPrevMax);
    if (nNextMax < nExtent)
        nLow = std::max(nLow, nEnd - (nNextMax + s));
    return nLow < nHigh;
}

BOOL CQorDockingPaneSplitterWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    int nLow = 0, nHigh = 0;
    if (m_pContainer && m_pManager && !m_pManager->m_bLockSplitters && GetDragRange(nLow, nHigh) && m_hCursor) {
        ::SetCursor(m_hCursor);
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CQorDockingPaneSplitterWnd::StoreActualLengths()
{
    const BOOL bHoriz = m_pContainer->IsHoriz();
    CQorDockingPaneBaseList lst;
    m_pContainer->GetVisibleChildren(lst);
    lst.AddTail(m_pContainer);
    for (POSITION pos = lst.GetHeadPosition(); pos;) {
        CQorDockingPaneBase* pNode = lst.GetNext(pos);
        CRect rc = pNode->GetPaneWindowRect();
        if (bHoriz)
            pNode->m_nDockingCX = rc.Width();
        else
            pNode->m_nDockingCY = rc.Height();
    }
}

void CQorDockingPaneSplitterWnd::ApplyPosition(int nPos)
{
    const CRect u = GetUnionRect();
    const int s = m_pManager->GetPaintManager()->GetSplitterSize();
    if (m_pContainer->IsHoriz()) {
        const int h = m_pPrev->m_nDockingCX + m_pNext->m_nDockingCX;
        if (u.Width() <= 0)
            return;
        int nPrev = static_cast<int>(static_cast<double>(h + s) * (nPos - u.left) / u.Width());
        if (GetExStyle() & WS_EX_LAYOUTRTL)
            nPrev = h - nPrev;
        m_pPrev->m_nDockingCX = nPrev;
        m_pNext->m_nDockingCX = h - nPrev;
    } else {
        const int h = m_pPrev->m_nDockingCY + m_pNext->m_nDockingCY;
        if (u.Height() <= 0)
            return;
        int nPrev = static_cast<int>(static_cast<double>(h + s) * (nPos - u.top) / u.Height());
        m_pPrev->m_nDockingCY = nPrev;
        m_pNext->m_nDockingCY = h - nPrev;
    }
}

void CQorDockingPaneSplitterWnd::OnLButtonDown(UINT, CPoint point)
{
    int nLow = 0, nHigh = 0;
    if (!m_pContainer || !m_pManager || m_pManager->m_bLockSplitters || !GetDragRange(nLow, nHigh))
        return;
    StoreActualLengths();
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    // The bar must outlive its own drag: no rebuild of the container's bars until it ends.
    CQorDockingPaneSplitterContainer* pContainer = m_pContainer;
    pContainer->m_nLockSplitters++;
    if (m_pManager->m_bSplitterTracker) {
        if (TrackOutline(ptScreen))
            m_pManager->RecalcLayout(pContainer, TRUE);
    } else {
        TrackLive(ptScreen);
    }
    pContainer->m_nLockSplitters--;
}

BOOL CQorDockingPaneSplitterWnd::TrackOutline(CPoint ptScreen)
{
    int nLow = 0, nHigh = 0;
    GetDragRange(nLow, nHigh);
    CRect rcBar;
    GetWindowRect(&rcBar);
    QOR_SPLITTER_DRAG drag = {};
    drag.hWnd = m_hWnd;
    drag.bHorizontal = !m_bHorizBar;
    drag.ptStart = ptScreen;
    drag.ptMin = drag.bHorizontal ? CPoint(nLow, rcBar.top) : CPoint(rcBar.left, nLow);
    drag.ptMax = drag.bHorizontal ? CPoint(nHigh, rcBar.top) : CPoint(rcBar.left, nHigh);
    RECT rcTracker = rcBar;
    QOR_TRACKER_DC trackerDC;
    if (!TrackSplitterDrag(drag, rcTracker, trackerDC))
        return FALSE;
    ApplyPosition(drag.bHorizontal ? rcTracker.left : rcTracker.top);
    return TRUE;
}

void CQorDockingPaneSplitterWnd::TrackLive(CPoint ptScreen)
{
    int nLow = 0, nHigh = 0;
    GetDragRange(nLow, nHigh);
    const BOOL bHoriz = !m_bHorizBar;
    CRect rcBar;
    GetWindowRect(&rcBar);
    const int nOffset = bHoriz ? rcBar.left - ptScreen.x : rcBar.top - ptScreen.y;
    int nPos = bHoriz ? rcBar.left : rcBar.top;
    CQorDockingPaneSplitterContainer* pContainer = m_pContainer;
    CQorDockingPaneManager* pManager = m_pManager;

    // Painting follows each immediate layout below; the loop's own paint-first pass is left
    // off: under Wine it was seen to spin on a paint message that dispatching never clears.
    CQorCaptureLoop loop(m_hWnd);
    loop.m_onMessage = [&](MSG& msg) -> CQorCaptureLoop::Action {
        switch (msg.message) {
        case WM_MOUSEMOVE: {
            // Each message carries its own point: the live drag follows the queue, not the
            // cursor's position when the message is read.
            CPoint pt(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
            ::ClientToScreen(msg.hwnd, &pt);
            int nNew = std::min(std::max(static_cast<int>(bHoriz ? pt.x : pt.y) + nOffset, nLow), nHigh);
            if (nNew != nPos) {
                nPos = nNew;
                ApplyPosition(nPos);
                pManager->RecalcLayout(pContainer, FALSE);
                // The site repaints at once, so the nodes follow the bar while it moves.
                if (CWnd* pSite = pManager->GetSite())
                    ::RedrawWindow(pSite->GetSafeHwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            }
            return CQorCaptureLoop::actionHandled;
        }
        case WM_KEYDOWN:
            return msg.wParam == VK_ESCAPE ? CQorCaptureLoop::actionDone : CQorCaptureLoop::actionDispatch;
        case WM_LBUTTONUP:
            return CQorCaptureLoop::actionDone;
        default:
            return CQorCaptureLoop::actionDispatch;
        }
    };
    loop.Run();
}
