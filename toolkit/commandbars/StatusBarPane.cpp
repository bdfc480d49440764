// The pane model, the bar's painting through the paint manager and the button panes' clicks.
#include "toolkit/commandbars/StatusBar.h"

#include "platform/framework/FrameWnd.h"
#include "toolkit/commandbars/CommandBarDefs.h"
#include "toolkit/commandbars/PaintManager.h"
#include "toolkit/foundation/CaptureLoop.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/ImageManager.h"

namespace {

CPoint PointOf(LPARAM lParam)
{
    return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}

} // namespace

CQorStatusBarPane::CQorStatusBarPane()
    : m_nID(0), m_nWidth(0), m_nStyle(0), m_nUpdateFlags(0), m_bVisible(TRUE), m_clrText(-1), m_clrBackground(-1),
      m_hWndChild(nullptr), m_bOwnsChild(FALSE), m_pBar(nullptr), m_nIndex(-1), m_nPart(-1), m_nIconId(-1),
      m_rcMargins(2, 1, 2, 1), m_bButton(FALSE), m_bPressed(FALSE)
{}

CQorStatusBarPane::~CQorStatusBarPane()
{
    if (m_bOwnsChild && m_hWndChild && ::IsWindow(m_hWndChild))
        ::DestroyWindow(m_hWndChild);
}

CFont* CQorStatusBarPane::GetFont()
{
    if (m_font.GetSafeHandle() || !m_pBar)
        return &m_font;
    return m_pBar->GetStatusFont();
}

CQorImageManagerIcon* CQorStatusBarPane::GetIcon()
{
    if (m_nIconId == -1)
        return nullptr;
    return GetImageManager()->GetImage(static_cast<UINT>(m_nIconId), 0);
}

void CQorStatusBarPane::Draw(CDC* pDC, CRect rc)
{
    if (!m_pBar)
        return;
    CQorPaintManager* pPaintManager = m_pBar->GetPaintManager();
    const BOOL bHot = m_bButton && m_pBar->GetHotPane() == this;
    if (!m_bButton || IsDisabled() || (!bHot && !m_bPressed)) {
        pPaintManager->DrawStatusBarPane(pDC, this, rc);
        return;
    }
    // A button pane under the mouse or held down looks like a tool-bar button in that state,
    // inside the pane's frame; its own background goes below that look, not over it.
    if (m_clrBackground != -1)
        pDC->FillSolidRect(&rc, pPaintManager->GetColor(m_clrBackground));
    CRect rcButton(rc);
    if (!(m_nStyle & SBPS_NOBORDERS))
        rcButton.DeflateRect(1, 1);
    pPaintManager->DrawControlEntry(pDC, rcButton, bHot, m_bPressed, TRUE, (m_nStyle & SBPS_POPOUT) != 0, FALSE,
                                    qorBarTypeToolBar, qorBarBottom);
    // Pressed content sinks by a pixel, as on a push button.
    if (m_bPressed)
        rc.OffsetRect(1, 1);
    const int clrBackground = m_clrBackground;
    m_clrBackground = -1;
    pPaintManager->DrawStatusBarPane(pDC, this, rc);
    m_clrBackground = clrBackground;
}

void CQorStatusBarPane::OnClick(CPoint)
{
    if (!m_pBar || IsDisabled())
        return;
    // Whatever the loop dispatches, or the command itself, may take the pane off the bar: it
    // stays alive until the click is over.
    InternalAddRef();
    CQorStatusBar* pBar = m_pBar;
    const HWND hWndBar = pBar->m_hWnd;
    const CRect rc = GetRect();
    BOOL bInside = TRUE;
    auto setPressed = [&](BOOL bPressed) {
        if (m_bPressed != bPressed) {
            m_bPressed = bPressed;
            ::InvalidateRect(hWndBar, &rc, FALSE);
            ::UpdateWindow(hWndBar);
        }
    };
    setPressed(TRUE);

    CQorCaptureLoop loop(hWndBar);
    loop.m_onMessage = [&](MSG& msg) {
        switch (msg.message) {
        case WM_MOUSEMOVE: {
            const CPoint pt = PointOf(msg.lParam);
            bInside = rc.PtInRect(pt);
            setPressed(bInside);
            return CQorCaptureLoop::actionHandled;
        }
        case WM_LBUTTONUP: {
            const CPoint pt = PointOf(msg.lParam);
            bInside = rc.PtInRect(pt);
            return bInside ? CQorCaptureLoop::actionDone : CQorCaptureLoop::actionCancel;
        }
        case WM_KEYDOWN:
            return msg.wParam == VK_ESCAPE ? CQorCaptureLoop::actionCancel : CQorCaptureLoop::actionDispatch;
        case WM_RBUTTONDOWN:
            return CQorCaptureLoop::actionCancel;
        default:
            return CQorCaptureLoop::actionDispatch;
        }
    };
    const CQorCaptureLoop::Result result = loop.Run();
    // A pane taken off the bar meanwhile has no command left to send.
    if (::IsWindow(hWndBar) && m_pBar == pBar) {
        setPressed(FALSE);
        if (!CQorCaptureLoop::IsCancelled(result)) {
            CWnd* pFrame = pBar->GetParentFrame();
            HWND hWndTarget = pFrame ? pFrame->m_hWnd : ::GetParent(hWndBar);
            ::SendMessageW(hWndTarget, WM_COMMAND, static_cast<WPARAM>(static_cast<WORD>(m_nID)), 0);
        }
    } else {
        m_bPressed = FALSE;
    }
    InternalRelease();
}

// ---------------------------------------------------------------------------------------
// The bar's painting

void CQorStatusBar::DrawPane(CDC* pDC, int nIndex, CRect rc)
{
    if (CQorStatusBarPane* pPane = GetPane(nIndex))
        pPane->Draw(pDC, rc);
}

void CQorStatusBar::DrawSizeGripper(CDC* pDC, CRect rc)
{
    GetPaintManager()->DrawStatusBarGripper(pDC, rc);
}

void CQorStatusBar::PaintBar(CDC* pDC)
{
    RecalcPanes(FALSE, TRUE);
    CQorPaintManager* pPaintManager = GetPaintManager();
    CRect rcClient;
    GetClientRect(&rcClient);
    pPaintManager->FillStatusBar(pDC, this);

    int nLastVisible = -1;
    for (CQorStatusBarPane* pPane : m_arrPanes)
        if (pPane->m_bVisible)
            nLastVisible = pPane->m_nIndex;
    for (CQorStatusBarPane* pPane : m_arrPanes) {
        if (!pPane->m_bVisible)
            continue;
        CRect rc = GetPaneRect(pPane->m_nIndex);
        if (rc.IsRectEmpty())
            continue;
        if (!(pPane->m_nStyle & SBPS_NOBORDERS))
            pPaintManager->DrawStatusBarPaneBorder(pDC, rc, pPane, pPane->m_nIndex == nLastVisible);
        DrawPane(pDC, pPane->m_nIndex, rc);
    }
    if (HasSizeGripper())
        DrawSizeGripper(pDC, rcClient);
}

void CQorStatusBar::OnPaint()
{
    if (!m_bDrawWithPaintManager) {
        Default();
        return;
    }
    CPaintDC paintDC(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CQorBufferDC dc(paintDC.GetSafeHdc(), rcClient);
    PaintBar(&dc);
}

LRESULT CQorStatusBar::OnPrintClient(WPARAM wParam, LPARAM)
{
    if (!m_bDrawWithPaintManager)
        return Default();
    CRect rcClient;
    GetClientRect(&rcClient);
    CQorBufferDC dc(reinterpret_cast<HDC>(wParam), rcClient);
    PaintBar(&dc);
    return 0;
}

BOOL CQorStatusBar::OnEraseBkgnd(CDC* pDC)
{
    if (m_bDrawWithPaintManager)
        return TRUE;
    return CControlBar::OnEraseBkgnd(pDC);
}

LRESULT CQorStatusBar::OnNcHitTest(WPARAM, LPARAM)
{
    const LRESULT nHit = Default();
    return nHit == HTBOTTOMRIGHT ? HTBOTTOMRIGHT : HTCLIENT;
}

// ---------------------------------------------------------------------------------------
// Hot pane and clicks

CQorStatusBarPane* CQorStatusBar::HitTestButtonPane(CPoint point) const
{
    for (CQorStatusBarPane* pPane : m_arrPanes)
        if (pPane->m_bVisible && pPane->m_bButton && !pPane->IsDisabled() &&
            GetPaneRect(pPane->m_nIndex).PtInRect(point))
            return pPane;
    return nullptr;
}

void CQorStatusBar::SetHotPane(CQorStatusBarPane* pPane)
{
    if (m_pHotPane == pPane)
        return;
    if (m_pHotPane && m_hWnd) {
        CRect rc = m_pHotPane->GetRect();
        InvalidateRect(&rc, FALSE);
    }
    m_pHotPane = pPane;
    if (m_pHotPane && m_hWnd) {
        CRect rc = m_pHotPane->GetRect();
        InvalidateRect(&rc, FALSE);
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
        ::TrackMouseEvent(&tme);
    }
}

void CQorStatusBar::OnMouseMove(UINT nFlags, CPoint point)
{
    SetHotPane(HitTestButtonPane(point));
    CControlBar::OnMouseMove(nFlags, point);
}

LRESULT CQorStatusBar::OnMouseLeave(WPARAM, LPARAM)
{
    SetHotPane(nullptr);
    return 0;
}

void CQorStatusBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    // The hot pane as the last mouse move left it; a press without a move finds it here.
    if (!m_pHotPane)
        SetHotPane(HitTestButtonPane(point));
    if (m_pHotPane && m_pHotPane->GetRect().PtInRect(point)) {
        const HWND hWnd = m_hWnd;
        m_pHotPane->OnClick(point);
        if (!::IsWindow(hWnd))
            return;
        // The mouse may have been let go elsewhere: the hot pane is the one under it now.
        CPoint ptCursor;
        ::GetCursorPos(&ptCursor);
        ScreenToClient(&ptCursor);
        CRect rcClient;
        GetClientRect(&rcClient);
        SetHotPane(rcClient.PtInRect(ptCursor) ? HitTestButtonPane(ptCursor) : nullptr);
        return;
    }
    CControlBar::OnLButtonDown(nFlags, point);
}
