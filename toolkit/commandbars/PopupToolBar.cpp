#include "toolkit/commandbars/PopupToolBar.h"

#include "toolkit/commandbars/Controls.h"

IMPLEMENT_DYNCREATE(CQorPopupToolBar, CQorPopupBar)

CQorPopupToolBar::CQorPopupToolBar()
{
    m_barType = qorBarTypeToolBar;
}

CSize CQorPopupToolBar::CalcPopupLayout(int)
{
    // Rows as long as the remembered width (one row without one); a control past the end of a
    // row wraps to the next rather than disappearing.
    const int kUnbounded = 32767;
    CClientDC dc(m_hWnd ? this : nullptr);
    DWORD dwMode = LM_HORZ | LM_COMMIT;
    const CSize sz =
        m_pControls->CalcDynamicSize(&dc, m_nMRUWidth > 0 ? m_nMRUWidth : kUnbounded, dwMode, GetBorders());
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
