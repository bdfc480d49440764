// How a bar draws: the window's paint goes through the animation object, which asks the bar to
// draw itself; the bar fills its background and draws its frame, separators and controls
// through the paint manager.
#include "toolkit/commandbars/CommandBar.h"

#include "toolkit/commandbars/BarLayoutPass.h"
#include "toolkit/commandbars/CommandBarAnimation.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/PaintManager.h"

void CQorCommandBar::OnPaint()
{
    CPaintDC dc(this);
    m_pAnimation->OnPaint(dc);
}

BOOL CQorCommandBar::OnEraseBkgnd(CDC*)
{
    // The paint covers every pixel: erasing first would only flicker.
    return TRUE;
}

LRESULT CQorCommandBar::OnPrintClient(WPARAM wParam, LPARAM)
{
    CRect rcClient(0, 0, 0, 0);
    if (m_hWnd)
        GetClientRect(&rcClient);
    DrawCommandBar(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), rcClient);
    return 1;
}

CRect CQorCommandBar::GetBorders()
{
    return GetPaintManager()->GetCommandBarBorders(this);
}

CSize CQorCommandBar::CalcDockingLayout(int nLength, DWORD dwMode, int nWidth)
{
    CQorBarLayoutPass pass;
    DWORD dwLayoutMode = dwMode;
    return m_pControls->CalcDynamicSize(pass.GetMeasureDC(GetPaintManager()->GetControlFont(nullptr)), nLength, dwLayoutMode, GetBorders(), nWidth);
}

void CQorCommandBar::FillCommandBarEntry(CDC* pDC)
{
    GetPaintManager()->FillCommandBar(pDC, this);
}

void CQorCommandBar::DrawCommandBar(CDC* pDC, CRect rcClipBox)
{
    CQorPaintManager* pPaintManager = GetPaintManager();
    FillCommandBarEntry(pDC);
    if ((m_dwBarStyle & kStyleDrawFrame) || m_barPosition == qorBarFloating)
        pPaintManager->DrawCommandBarGripper(pDC, this, TRUE);
    const int nOldBkMode = pDC->SetBkMode(TRANSPARENT);

    CQorCommandBars* pCommandBars = GetCommandBars();
    const BOOL bCustomize = pCommandBars && pCommandBars->IsCustomizeMode();
    BOOL bFirst = TRUE;
    for (int i = 0; i < GetControlCount(); i++) {
        CQorControl* pControl = GetControl(i);
        if (!pControl->IsVisible(qorHideMaskHitTest))
            continue;
        if (pControl->GetBeginGroup() && !bFirst)
            pPaintManager->DrawSeparator(pDC, this, pControl, TRUE);
        bFirst = FALSE;
        CRect rcIntersect;
        if (!rcIntersect.IntersectRect(rcClipBox, pControl->GetRect()))
            continue;
        CFont* pOldFont = pDC->SelectObject(pPaintManager->GetControlFont(pControl));
        pControl->Draw(pDC);
        pDC->SelectObject(pOldFont);
        // The control chosen for customizing wears a double black frame.
        if (bCustomize && pCommandBars->GetDragControl() == pControl) {
            CRect rc = pControl->GetRect();
            pDC->Draw3dRect(rc, RGB(0, 0, 0), RGB(0, 0, 0));
            rc.DeflateRect(1, 1);
            pDC->Draw3dRect(rc, RGB(0, 0, 0), RGB(0, 0, 0));
        }
    }
    // Where a dragged control would land.
    if (bCustomize && !m_rcMarker.IsRectEmpty())
        pDC->FillSolidRect(m_rcMarker, RGB(0, 0, 0));
    pDC->SetBkMode(nOldBkMode);
}
