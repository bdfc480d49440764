#include "toolkit/commandbars/FloatingPopupBar.h"

IMPLEMENT_DYNCREATE(CQorFloatingPopupBar, CQorToolBar)

BEGIN_MESSAGE_MAP(CQorFloatingPopupBar, CQorToolBar)
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_SHOWWINDOW()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CQorFloatingPopupBar::CQorFloatingPopupBar()
{
    m_barType = qorBarTypePopup;
    // Shown like a popup, it wraps its controls instead of hiding what does not fit.
    m_dwFlags &= ~flagHideWrap;
}

void CQorFloatingPopupBar::OnWindowPosChanged(WINDOWPOS* lpWndPos)
{
    // Redraws ask IsVisible: it follows every way the window is shown or hidden.
    if (lpWndPos->flags & SWP_SHOWWINDOW)
        m_bVisible = TRUE;
    else if (lpWndPos->flags & SWP_HIDEWINDOW)
        m_bVisible = FALSE;
    CQorToolBar::OnWindowPosChanged(lpWndPos);
}

void CQorFloatingPopupBar::OnShowWindow(BOOL bShow, UINT nStatus)
{
    // A parent shown or hidden says nothing of the bar's own state.
    if (nStatus == 0)
        m_bVisible = bShow;
    CQorToolBar::OnShowWindow(bShow, nStatus);
}

void CQorFloatingPopupBar::OnDestroy()
{
    m_bVisible = FALSE;
    CQorToolBar::OnDestroy();
}
