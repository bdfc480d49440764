#include "toolkit/commandbars/CommandBarList.h"

#include "toolkit/commandbars/CommandBar.h"

CQorCommandBarList::~CQorCommandBarList()
{
    RemoveAll();
}

CQorCommandBar* CQorCommandBarList::Add(CQorCommandBar* pBar)
{
    if (pBar)
        m_arrBars.Add(pBar);
    return pBar;
}

BOOL CQorCommandBarList::Contains(const CQorCommandBar* pBar) const
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
        if (m_arrBars[i] == pBar)
            return TRUE;
    return FALSE;
}

void CQorCommandBarList::RemoveAll()
{
    // A bar that goes may reach the list while it is being emptied: it is emptied first.
    CArray<CQorCommandBar*, CQorCommandBar*> arrBars;
    arrBars.Copy(m_arrBars);
    m_arrBars.RemoveAll();
    for (INT_PTR i = 0; i < arrBars.GetSize(); i++)
        arrBars[i]->InternalRelease();
}

CQorCommandBar* CQorCommandBarList::FindBar(UINT nBarID) const
{
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
        if (m_arrBars[i]->GetBarID() == nBarID)
            return m_arrBars[i];
    return nullptr;
}

CQorCommandBar* CQorCommandBarList::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_arrBars[nIndex] : nullptr;
}

CQorCommandBar* CQorCommandBarsContextMenus::Add(CQorCommandBar* pPopupBar)
{
    if (!pPopupBar)
        return nullptr;
    pPopupBar->m_bContextMenu = TRUE;
    pPopupBar->SetCommandBars(m_pCommandBars);
    return CQorCommandBarList::Add(pPopupBar);
}
