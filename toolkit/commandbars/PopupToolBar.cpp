#include "toolkit/commandbars/PopupToolBar.h"

#include "toolkit/commandbars/Controls.h"

IMPLEMENT_DYNCREATE(CQorPopupToolBar, CQorPopupBar)

CQorPopupToolBar::CQorPopupToolBar()
{
    m_barType = qorBarTypeToolBar;
}

CSize CQorPopupToolBar::CalcPopupLayout(int)
{
    // Rows as long as the remembered width, each group on a row of its own; without a width the
    // buttons make the squarest block. A control past the end of a row wraps to the next.
    CClientDC dc(m_hWnd ? this : nullptr);
    DWORD dwMode = LM_POPUP | LM_COMMIT | LM_HORZ;
    const CSize sz = m_pControls->CalcDynamicSize(&dc, m_nMRUWidth, dwMode, GetBorders());
    m_bScrollMode = FALSE;
    m_szLayout = sz;
    return sz;
}

CQorCommandBar* CQorPopupToolBar::Clone(BOOL bRecursive) const
{
    CQorPopupToolBar* pBar = new CQorPopupToolBar;
    pBar->Copy(this, bRecursive);
    return pBar;
}
