// The dock bar in the frame's layout pass: its strip of the frame, the rows laid out with
// wrapping, and the bars moved in one deferred batch.
#include "toolkit/commandbars/DockBar.h"

#include <algorithm>
#include <vector>

#include "platform/framework/ControlBar.h"
#include "platform/framework/Gdi.h"
#include "toolkit/commandbars/BarLayoutPass.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/DockBarLayout.h"

namespace {

// A command bar of this dock bar as the row layout reads it.
class CDockedCommandBar : public CQorDockRowBar
{
public:
    CDockedCommandBar(CQorDockBar* pDockBar, CQorCommandBar* pBar) : m_pDockBar(pDockBar), m_pBar(pBar) {}
    CSize CalcDockingLayout(int nLength, DWORD dwMode, int nThickness) override
    {
        return m_pDockBar->CalcBarDockingLayout(m_pBar, nLength, dwMode, nThickness);
    }
    DWORD GetRowFlags() const override { return m_pBar->m_dwFlags; }
    CPoint GetDockedPosition() const override { return m_pDockBar->GetDockedRect(m_pBar).TopLeft(); }
    CQorCommandBar* GetBar() const { return m_pBar; }

private:
    CQorDockBar* m_pDockBar;
    CQorCommandBar* m_pBar;
};

} // namespace

CSize CQorDockBar::CalcBarDockingLayout(CQorCommandBar* pBar, int nLength, DWORD dwMode, int nThickness)
{
    return pBar->CalcDockingLayout(nLength, dwMode, nThickness);
}

CSize CQorDockBar::CalcDockBarSize(int nLength, DWORD dwMode, AFX_SIZEPARENTPARAMS* pLayout)
{
    const BOOL bHorz = IsHorizontal();
    CSize size(0, 0);
    if (dwMode & LM_STRETCH)
        size = (dwMode & LM_HORZ) ? CSize(0x7FFF, 0) : CSize(0, 0x7FFF);

    // Every bar is asked for its size a few times below; its controls are measured once.
    CQorBarLayoutPass pass;
    const BOOL bCommit = pLayout && pLayout->hDWP;
    const BOOL bShrinkAllowed = !(m_pCommandBars && m_pCommandBars->IsCustomizeMode());
    CQorDockRowLayout layout(bHorz, bShrinkAllowed);
    std::vector<CQorDockRowLayout::PLACEMENT> placements;

    std::vector<CDockedCommandBar> docked;
    docked.reserve(m_arrBars.size()); // the row holds pointers into it
    std::vector<CQorDockRowBar*> row;
    int nOffset = 0;
    for (size_t i = 1; i < m_arrBars.size(); i++) {
        CQorCommandBar* pBar = m_arrBars[i];
        if (pBar) {
            if (IsBarVisible(pBar)) {
                docked.emplace_back(this, pBar);
                row.push_back(&docked.back());
            }
            continue;
        }
        if (row.empty())
            continue;
        nOffset += layout.LayoutWrappedRow(row, nLength, nOffset, bCommit ? &placements : nullptr);
        row.clear();
        LONG& nThickness = bHorz ? size.cy : size.cx;
        nThickness = std::max(nThickness, static_cast<LONG>(nOffset));
    }

    if (bCommit) {
        // Only bars whose rectangle changes are moved, in one batch; most layouts move none.
        std::vector<const CQorDockRowLayout::PLACEMENT*> moved;
        for (const CQorDockRowLayout::PLACEMENT& placement : placements) {
            CQorCommandBar* pBar = static_cast<CDockedCommandBar*>(placement.pBar)->GetBar();
            pBar->m_barPosition = GetSide();
            HWND hWndBar = pBar->GetSafeHwnd();
            CRect rcOld;
            if (hWndBar) {
                ::GetWindowRect(hWndBar, &rcOld);
                ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(&rcOld), 2);
            }
            if (rcOld != placement.rc)
                moved.push_back(&placement);
        }
        if (!moved.empty()) {
            AFX_SIZEPARENTPARAMS barLayout = {};
            barLayout.hDWP = ::BeginDeferWindowPos(static_cast<int>(moved.size()));
            for (const CQorDockRowLayout::PLACEMENT* pPlacement : moved)
                AfxRepositionWindow(&barLayout, static_cast<CDockedCommandBar*>(pPlacement->pBar)->GetBar()->GetSafeHwnd(),
                                    &pPlacement->rc);
            if (barLayout.hDWP)
                ::EndDeferWindowPos(barLayout.hDWP);
        }
        for (const CQorDockRowLayout::PLACEMENT* pPlacement : moved) {
            CQorCommandBar* pBar = static_cast<CDockedCommandBar*>(pPlacement->pBar)->GetBar();
            pBar->Redraw(nullptr, FALSE);
            if (pBar->GetSafeHwnd())
                ::InvalidateRect(pBar->GetSafeHwnd(), nullptr, FALSE);
        }
    }
    return size;
}

LRESULT CQorDockBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!pLayout || !(GetStyle() & WS_VISIBLE))
        return 0;
    const BOOL bHorz = IsHorizontal();
    DWORD dwMode = bHorz ? (LM_HORZDOCK | LM_HORZ) : LM_VERTDOCK;
    if ((m_dwDockStyle & (CBRS_SIZE_DYNAMIC | CBRS_FLOATING)) == (CBRS_SIZE_DYNAMIC | CBRS_FLOATING))
        dwMode = LM_HORZ | LM_MRUWIDTH;
    if (pLayout->bStretch)
        dwMode |= LM_STRETCH;

    RECT& rcAvail = pLayout->rect;
    const LONG cxAvail = std::max<LONG>(rcAvail.right - rcAvail.left, 0);
    const LONG cyAvail = std::max<LONG>(rcAvail.bottom - rcAvail.top, 0);
    CSize size = CalcDockBarSize(bHorz ? cxAvail : cyAvail, dwMode, pLayout);
    size.cx = std::min(size.cx, cxAvail);
    size.cy = std::min(size.cy, cyAvail);

    CRect rc(rcAvail);
    switch (GetSide()) {
    case qorBarTop:
        rc.bottom = rc.top + size.cy;
        rcAvail.top += size.cy;
        break;
    case qorBarBottom:
        rc.top = rc.bottom - size.cy;
        rcAvail.bottom -= size.cy;
        break;
    case qorBarLeft:
        rc.right = rc.left + size.cx;
        rcAvail.left += size.cx;
        break;
    default:
        rc.left = rc.right - size.cx;
        rcAvail.right -= size.cx;
        break;
    }
    if (bHorz) {
        rc.right = rc.left + size.cx;
        pLayout->sizeTotal.cy += size.cy;
        pLayout->sizeTotal.cx = std::max(pLayout->sizeTotal.cx, size.cx);
    } else {
        rc.bottom = rc.top + size.cy;
        pLayout->sizeTotal.cx += size.cx;
        pLayout->sizeTotal.cy = std::max(pLayout->sizeTotal.cy, size.cy);
    }
    if (pLayout->hDWP) {
        // Bars moved inside an unchanged strip uncover their old places by themselves; the
        // whole strip is repainted only when it changes.
        CRect rcOld;
        ::GetWindowRect(m_hWnd, &rcOld);
        ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<LPPOINT>(&rcOld), 2);
        if (rcOld != rc) {
            AfxRepositionWindow(pLayout, m_hWnd, &rc);
            Invalidate(FALSE);
        }
    }
    return 0;
}
