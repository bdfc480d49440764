#include "toolkit/tabs/TabManagerItem.h"

#include "platform/framework/Gdi.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/ImageManager.h"
#include "toolkit/tabs/TabManager.h"
#include "toolkit/tabs/TabManagerNavigateButton.h"
#include "toolkit/tabs/TabPixelTurn.h"

CQorTabManagerItem::CQorTabManagerItem() : m_rcItem(0, 0, 0, 0) {}

CQorTabManagerItem::~CQorTabManagerItem()
{
    RemoveNavigateButtons();
}

void CQorTabManagerItem::SetVisible(BOOL bVisible)
{
    bVisible = bVisible ? TRUE : FALSE;
    if (m_bVisible == bVisible)
        return;
    m_bVisible = bVisible;
    if (m_pTabManager)
        m_pTabManager->Reposition();
}

void CQorTabManagerItem::RemoveNavigateButtons()
{
    for (INT_PTR i = 0; i < m_arrNavigateButtons.GetSize(); ++i)
        m_arrNavigateButtons[i]->Destroy();
    m_arrNavigateButtons.RemoveAll();
}

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

void CQorTabManagerItem::DrawImage(CDC* pDC, CRect rcImage, CQorImageManagerIcon* pImage)
{
    if (!pImage || rcImage.IsRectEmpty())
        return;
    const int nState = !m_bEnabled    ? CQorImageManagerIcon::stateDisabled
                       : IsSelected() ? CQorImageManagerIcon::statePressed
                       : IsHot()      ? CQorImageManagerIcon::stateHot
                                      : CQorImageManagerIcon::stateNormal;
    const CQorImageManagerImage& image = pImage->GetImage(nState);
    const int n = static_cast<int>(rcImage.Width());
    const BOOL bTurn = n == rcImage.Height() && m_pTabManager && !m_pTabManager->IsHorizontal() &&
                       m_pTabManager->GetPaintManager()->m_bRotateImages;
    if (!bTurn) {
        pImage->Draw(pDC, image, rcImage.left, rcImage.top, n, static_cast<int>(rcImage.Height()));
        return;
    }
    // The background turned, the image drawn upright on it, and the whole turned back.
    qortabs::CTurnBitmap background(pDC->GetSafeHdc(), n, n);
    qortabs::CTurnBitmap turned(pDC->GetSafeHdc(), n, n);
    if (!background.IsValid() || !turned.IsValid())
        return;
    ::BitBlt(background.GetDC(), 0, 0, n, n, pDC->GetSafeHdc(), rcImage.left, rcImage.top, SRCCOPY);
    ::GdiFlush();
    qortabs::TurnPixels(background.GetBits(), n, n, turned.GetBits(), qortabs::turnTranspose);
    CDC dcTurned;
    dcTurned.Attach(turned.GetDC());
    pImage->Draw(&dcTurned, image, 0, 0, n, n);
    dcTurned.Detach();
    ::GdiFlush();
    qortabs::TurnPixels(turned.GetBits(), n, n, background.GetBits(), qortabs::turnTranspose);
    background.Unselect();
    DrawStateBitmap(pDC->GetSafeHdc(), nullptr, rcImage.left, rcImage.top, n, n, background.GetBitmap(), DSS_NORMAL);
}
