#include "toolkit/tabs/TabManagerItem.h"

#include "toolkit/tabs/TabManager.h"

CQorTabManagerItem::CQorTabManagerItem() : m_rcItem(0, 0, 0, 0) {}

CQorTabManagerItem::~CQorTabManagerItem() = default;

void CQorTabManagerItem::SetVisible(BOOL bVisible)
{
    bVisible = bVisible ? TRUE : FALSE;
    if (m_bVisible == bVisible)
        return;
    m_bVisible = bVisible;
    if (m_pTabManager)
        m_pTabManager->Reposition();
}

void CQorTabManagerItem::RemoveNavigateButtons() {}

BOOL CQorTabManagerItem::IsSelected() const
{
    return m_pTabManager && m_pTabManager->GetSelectedItem() == this;
}

BOOL CQorTabManagerItem::IsHot() const
{
    return m_pTabManager && m_pTabManager->GetHotItem() == this;
}

BOOL CQorTabManagerItem::IsPressed() const
{
    return m_pTabManager && m_pTabManager->GetPressedItem() == this;
}

void CQorTabManagerItem::SetCaption(LPCTSTR lpszCaption)
{
    m_strCaption = lpszCaption;
    if (m_pTabManager)
        m_pTabManager->Reposition();
}

void CQorTabManagerItem::SetColor(COLORREF clr)
{
    m_clrItem = clr;
    if (m_pTabManager)
        m_pTabManager->Reposition();
}
