#include "toolkit/commandbars/ControlPopup.h"

#include "toolkit/commandbars/CommandBar.h"

IMPLEMENT_DYNCREATE(CQorControlPopup, CQorControlButton)

CQorControlPopup::CQorControlPopup() : m_pCommandBar(nullptr)
{
    m_nType = qorControlPopup;
}

CQorControlPopup::~CQorControlPopup()
{
    SetCommandBar(nullptr);
}

void CQorControlPopup::SetCommandBar(CQorCommandBar* pBar)
{
    if (pBar == m_pCommandBar)
        return;
    if (m_pCommandBar)
        m_pCommandBar->InternalRelease();
    m_pCommandBar = pBar;
}

void CQorControlPopup::Copy(const CQorControl* pSource, BOOL bRecursive)
{
    if (!pSource || pSource == this)
        return;
    CQorControlButton::Copy(pSource, bRecursive);
    const CQorControlPopup* pPopup = DYNAMIC_DOWNCAST(CQorControlPopup, const_cast<CQorControl*>(pSource));
    if (!pPopup || !pPopup->m_pCommandBar)
        return;
    if (bRecursive) {
        SetCommandBar(pPopup->m_pCommandBar->Clone(TRUE));
    } else {
        pPopup->m_pCommandBar->InternalAddRef();
        SetCommandBar(pPopup->m_pCommandBar);
    }
}

CQorCommandBar* CQorControlPopup::CreatePopupBar(CQorCommandBars* pCommandBars)
{
    CQorCommandBar* pBar = new CQorCommandBar;
    pBar->m_barType = qorBarTypePopup;
    pBar->m_barPosition = qorBarPopup;
    pBar->SetCommandBars(pCommandBars);
    return pBar;
}
