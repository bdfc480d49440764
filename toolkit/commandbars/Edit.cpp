#include "toolkit/commandbars/Edit.h"

IMPLEMENT_DYNCREATE(CQorEdit, CEdit)

BOOL CQorEdit::CreateEdit(DWORD dwStyle, CWnd* pParentWnd)
{
    return Create(dwStyle, CRect(0, 0, 0, 0), pParentWnd, 0);
}

BOOL CQorEdit::HasSelection() const
{
    int nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    return nStart != nEnd;
}
