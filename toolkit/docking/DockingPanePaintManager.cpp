#include "toolkit/docking/DockingPanePaintManager.h"

#include "toolkit/docking/DockingPane.h"
#include "toolkit/docking/DockingPaneManager.h"
#include "toolkit/docking/DockingPaneSplitterWnd.h"
#include "toolkit/docking/DockingPaneTabbedContainer.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/tabs/TabColorSets.h"
#include "toolkit/tabs/TabPaintManager.h"

#include <algorithm>
#include <vssym32.h>

namespace {

bool g_bCaptionFontForTest = false;
LOGFONTW g_lfCaptionForTest;

int TextHeight(CFont* pFont)
{
    HDC hDC = ::GetDC(nullptr);
    HGDIOBJ hOld =
        ::SelectObject(hDC, pFont->GetSafeHandle() ? pFont->GetSafeHandle() : ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE sz = {};
    ::GetTextExtentPoint32W(hDC, L" ", 1, &sz);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(nullptr, hDC);
    return sz.cy;
}

} // namespace

void QorSetDockingCaptionFontForTest(const LOGFONTW* pFont)
{
    g_bCaptionFontForTest = pFont != nullptr;
    if (pFont)
        g_lfCaptionForTest = *pFont;
}

CQorDockingPanePaintManager::CQorDockingPanePaintManager()
    : m_pTabPaintManager(new CQorTabPaintManager()), m_pPanelPaintManager(new CQorTabPaintManager())
{
    for (COLORREF& clr : m_arrColor)
        clr = 0;
    // Pane tabs run along the bottom of a group; the panels' tabs follow the frame's edges.
    m_pTabPaintManager->m_position = qorTabPositionBottom;
    m_pTabPaintManager->m_layout = qorTabLayoutSizeToFit;
    m_pTabPaintManager->OnPropertyChanged();
    m_pPanelPaintManager->m_layout = qorTabLayoutAutoSize;
    m_pPanelPaintManager->OnPropertyChanged();
}

CQorDockingPanePaintManager::~CQorDockingPanePaintManager()
{
    m_pTabPaintManager->InternalRelease();
    m_pPanelPaintManager->InternalRelease();
}

COLORREF CQorDockingPanePaintManager::GetXtremeColor(UINT nIndex) const
{
    return nIndex < static_cast<UINT>(QOR_COLOR_COUNT) ? m_arrColor[nIndex] : static_cast<COLORREF>(nIndex);
}

CQorDockingPane* CQorDockingPanePaintManager::GetCaptionPane(const CQorDockingPaneBase* pOwner)
{
    if (pOwner && pOwner->GetType() == qorDockingPaneTypeTabbed)
        return static_cast<const CQorDockingPaneTabbedContainer*>(pOwner)->GetSelected();
    return nullptr;
}

void CQorDockingPanePaintManager::RefreshMetrics()
{
    CQorColorManager* pColors = GetColorManager();
    pColors->RefreshColors();
    for (int i = 0; i < QOR_COLOR_COUNT; i++)
        m_arrColor[i] = pColors->GetColor(i);
    m_clrBackground.SetStandardValue(GetXtremeColor(COLOR_3DFACE));

    if (m_bUseStandardFont) {
        LOGFONTW lf;
        if (g_bCaptionFontForTest) {
            lf = g_lfCaptionForTest;
        } else {
            NONCLIENTMETRICSW ncm = {};
            ncm.cbSize = 500; // the record without the padded border width, known to every system
            ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0);
            lf = ncm.lfSmCaptionFont;
        }
        if (!m_bBoldCaptionFont)
            lf.lfWeight = FW_NORMAL;
        SetCaptionFont(TRUE, lf);
    }
    m_pTabPaintManager->RefreshMetrics();
    m_pPanelPaintManager->RefreshMetrics();
    m_nTabsHeight = std::max(24, TextHeight(&m_pTabPaintManager->m_fntNormal) + 10);

    m_themeExplorer.OpenThemeData(nullptr, L"EXPLORERBAR");
    m_themeButton.OpenThemeData(nullptr, L"BUTTON");
    m_themeWindow.OpenThemeData(nullptr, L"WINDOW");
}

void CQorDockingPanePaintManager::SetCaptionFont(BOOL bRefresh, const LOGFONTW& lf)
{
    m_bUseStandardFont = bRefresh;
    m_fntTitle.DeleteObject();
    m_fntTitle.CreateFontIndirect(&lf);
    LOGFONTW lfVertical = lf;
    lfVertical.lfOrientation = 900;
    lfVertical.lfEscapement = 2700;
    if (lfVertical.lfHeight >= -10 && lfVertical.lfHeight <= -1)
        lfVertical.lfHeight = -11;
    CString strFace;
    GetDefaultFontFaceName(strFace);
    lstrcpynW(lfVertical.lfFaceName, strFace, LF_FACESIZE);
    m_fntTitleVertical.DeleteObject();
    m_fntTitleVertical.CreateFontIndirect(&lfVertical);
    m_nTitleHeight = std::max(13, TextHeight(&m_fntTitle)) + m_nCaptionFontGap;
}

void CQorDockingPanePaintManager::AdjustCaptionRect(const CQorDockingPaneTabbedContainer* pPane, CRect& rc)
{
    if (!pPane->IsCaptionShown())
        return;
    const int nCaption = m_nTitleHeight + m_rcCaptionMargin.top + m_rcCaptionMargin.bottom;
    if (pPane->IsCaptionVertical())
        rc.left += nCaption;
    else
        rc.top += nCaption;
}

int CQorDockingPanePaintManager::AdjustClientRect(CQorDockingPaneTabbedContainer* pPane, CRect& rect, BOOL bApply)
{
    AdjustCaptionRect(pPane, rect);
    if (!pPane->IsTabsVisible())
        return 0;
    if (bApply && pPane->GetSafeHwnd()) {
        // Laying the row out only measures text: a memory DC of the screen does that without
        // asking for the window's visible region, as a window's DC would in every pass.
        if (!m_dcMeasure.GetSafeHdc())
            m_dcMeasure.CreateCompatibleDC(nullptr);
        const int nSaved = m_dcMeasure.SaveDC();
        m_pTabPaintManager->RepositionTabControl(pPane, &m_dcMeasure, rect);
        m_dcMeasure.RestoreDC(nSaved);
    }
    return m_pTabPaintManager->AdjustClientRect(pPane, rect);
}

void CQorDockingPanePaintManager::DrawPane(CDC* pDC, CQorDockingPaneTabbedContainer* pPane, CRect rc)
{
    pDC->FillSolidRect(&rc, GetXtremeColor(COLOR_3DFACE));
    pDC->SetBkMode(TRANSPARENT);
    if (pPane->IsTabsVisible()) {
        CRect rcTabs = rc;
        AdjustCaptionRect(pPane, rcTabs);
        DrawTabRow(pDC, pPane, rcTabs);
    }
    if (pPane->IsCaptionShown())
        DrawCaption(pDC, pPane, rc);
}

void CQorDockingPanePaintManager::DrawTabRow(CDC* pDC, CQorDockingPaneTabbedContainer* pPane, CRect rc)
{
    m_pTabPaintManager->DrawTabControl(pDC, pPane, rc);
}

void CQorDockingPanePaintManager::DrawSplitter(CDC* pDC, CQorDockingPaneSplitterWnd* pSplitter)
{
    CRect rc;
    pSplitter->GetClientRect(&rc);
    pDC->FillSolidRect(&rc, m_clrBackground.GetColor());
}

void CQorDockingPanePaintManager::DrawCaptionButtons(CDC* pDC, CQorDockingPaneCaptionButtons* pButtons,
                                                     CRect& rcCaption, COLORREF clr, int nButtonSize, int nButtonGap,
                                                     BOOL bVertical)
{
    if (!pButtons)
        return;
    CRect rcSlot;
    if (bVertical) {
        int x = rcCaption.CenterPoint().x - nButtonSize / 2;
        rcSlot = CRect(x, rcCaption.bottom - nButtonSize, x + nButtonSize, rcCaption.bottom);
    } else {
        int y = rcCaption.CenterPoint().y - nButtonSize / 2;
        rcSlot = CRect(rcCaption.right - nButtonSize, y, rcCaption.right, y + nButtonSize);
    }
    for (INT_PTR i = 0; i < pButtons->GetSize(); i++) {
        CQorDockingPaneCaptionButton* pButton = pButtons->GetAt(i);
        COLORREF clrGlyph = clr;
        CQorDockingPane* pPane = pButton->GetCaptionPane();
        if (i == 0 && pPane && !(pPane->GetEnabled() & qorPaneEnableActions))
            clrGlyph = GetXtremeColor(COLOR_GRAYTEXT);
        if (!pButton->IsVisible()) {
            pButton->SetRect(CRect(0, 0, 0, 0));
            continue;
        }
        pButton->SetRect(rcSlot);
        DrawCaptionButton(pDC, pButton, clrGlyph);
        if (bVertical)
            rcSlot.OffsetRect(0, -(nButtonSize + nButtonGap));
        else
            rcSlot.OffsetRect(-(nButtonSize + nButtonGap), 0);
    }
    if (bVertical)
        rcCaption.bottom = rcSlot.bottom;
    else
        rcCaption.right = rcSlot.right;
}

void CQorDockingPanePaintManager::DrawCaptionButton(CDC* pDC, CQorDockingPaneCaptionButton* pButton, COLORREF clrButton)
{
    CRect rc = pButton->GetRect();
    CPoint pt = rc.CenterPoint();
    const BOOL bPressed = pButton->IsPressed();
    const BOOL bHot = pButton->IsHot();
    int nStyle = m_nCaptionButtonStyle;
    if (nStyle == 3) {
        if (m_themeExplorer.GetHandle()) {
            int nPart = 0, nState = 0;
            if (pButton->GetID() == QOR_IDS_DOCKING_CLOSE) {
                CQorDockingPaneTabbedContainer* pOwner =
                    pButton->GetOwner()->GetType() == qorDockingPaneTypeTabbed
                        ? static_cast<CQorDockingPaneTabbedContainer*>(pButton->GetOwner())
                        : nullptr;
                BOOL bActive = m_bHighlightActiveCaption && pOwner && pOwner->IsActive();
                nPart = 2;
                nState = bPressed ? 3 : (bHot || bActive) ? 2 : 1;
            } else if (pButton->GetID() == QOR_IDS_DOCKING_AUTOHIDE) {
                nPart = 3;
                nState = (bPressed ? 3 : bHot ? 2 : 1) + ((pButton->GetState() & 2) ? 0 : 3);
            }
            if (nPart && SUCCEEDED(m_themeExplorer.DrawThemeBackground(pDC->GetSafeHdc(), nPart, nState, &rc)))
                return;
        }
        if (m_themeButton.GetHandle()) {
            if (bHot || bPressed) {
                int nState = bPressed ? 3 : 2;
                m_themeButton.DrawThemeBackground(pDC->GetSafeHdc(), 1, nState, &rc);
                COLORREF clrText = 0;
                if (SUCCEEDED(m_themeButton.GetThemeColor(1, nState, TMT_TEXTCOLOR, &clrText)))
                    clrButton = clrText;
            }
            DrawCaptionButtonGlyph(pDC, pButton, pt, clrButton);
            return;
        }
        nStyle = 1;
    }
    if (nStyle == 0) {
        CRect rcFace = rc;
        pDC->DrawFrameControl(&rcFace, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (bPressed ? DFCS_PUSHED : 0));
        if (bPressed)
            pt.Offset(1, 1);
    } else if (bPressed) {
        pDC->Draw3dRect(&rc, GetXtremeColor(COLOR_BTNTEXT), GetXtremeColor(COLOR_3DHIGHLIGHT));
        pt.Offset(1, 1);
    } else if (bHot) {
        pDC->Draw3dRect(&rc, GetXtremeColor(COLOR_3DHIGHLIGHT), GetXtremeColor(COLOR_BTNTEXT));
    }
    DrawCaptionButtonGlyph(pDC, pButton, pt, clrButton);
}

void CQorDockingPanePaintManager::DrawCaptionButtonGlyph(CDC* pDC, CQorDockingPaneCaptionButton* pButton, CPoint pt,
                                                         COLORREF clr)
{
    const int x = pt.x, y = pt.y;
    CQorPenDC pen(pDC->GetSafeHdc(), clr);
    auto line = [pDC](int x1, int y1, int x2, int y2) {
        pDC->MoveTo(x1, y1);
        pDC->LineTo(x2, y2);
    };
    switch (pButton->GetID()) {
    case QOR_IDS_DOCKING_AUTOHIDE:
        if (pButton->GetState() & 2) {
            line(x - 4, y - 1, x - 1, y - 1);
            line(x - 1, y - 4, x - 1, y + 3);
            const POINT body[] = {{x - 1, y + 1}, {x + 3, y + 1}, {x + 3, y - 3}, {x - 1, y - 3}};
            pDC->Polyline(body, 4);
            line(x - 1, y, x + 3, y);
        } else {
            line(x - 3, y, x + 4, y);
            line(x, y, x, y + 4);
            const POINT body[] = {{x - 2, y}, {x - 2, y - 5}, {x + 2, y - 5}, {x + 2, y}};
            pDC->Polyline(body, 4);
            line(x + 1, y, x + 1, y - 5);
        }
        break;
    case QOR_IDS_DOCKING_CLOSE:
        line(x - 4, y - 4, x + 3, y + 3);
        line(x - 4, y + 2, x + 3, y - 5);
        line(x - 3, y - 4, x + 4, y + 3);
        line(x - 3, y + 2, x + 4, y - 5);
        break;
    case QOR_IDS_DOCKING_MAXIMIZE: {
        CBrush brush(clr);
        CRect rcFrame(x - 5, y - 5, x + 4, y + 4);
        pDC->FrameRect(&rcFrame, &brush);
        pDC->FillSolidRect(x - 5, y - 5, 9, 2, clr);
        break;
    }
    case QOR_IDS_DOCKING_RESTORE: {
        CBrush brush(clr);
        CRect rcFrame(x - 4, y - 2, x + 2, y + 4);
        pDC->FrameRect(&rcFrame, &brush);
        pDC->FillSolidRect(x - 4, y - 2, 6, 2, clr);
        pDC->FillSolidRect(x - 2, y - 5, 6, 2, clr);
        pDC->SetPixel(x - 2, y - 3, clr);
        pDC->FillSolidRect(x + 3, y - 3, 1, 4, clr);
        pDC->SetPixel(x + 2, y, clr);
        break;
    }
    case QOR_IDS_DOCKING_MENU: {
        CQorBrushDC brush(pDC->GetSafeHdc(), clr);
        const POINT pts[] = {{x - 4, y - 1}, {x - 1, y + 2}, {x, y + 2}, {x + 3, y - 1}};
        pDC->Polygon(pts, 4);
        break;
    }
    default:
        break;
    }
}

int CQorDockingPanePaintManager::DrawCaptionText(CDC* pDC, CRect rcText, BOOL bVertical, BOOL bCalcWidth,
                                                 const CString& strTitle)
{
    if (strTitle.IsEmpty())
        return 0;
    if (!bVertical) {
        CQorFontDC font(pDC, &m_fntTitle);
        pDC->DrawText(strTitle, &rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        if (!bCalcWidth)
            return 0;
        CRect rcCalc(0, 0, 0, 0);
        pDC->DrawText(strTitle, &rcCalc, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
        return rcCalc.Width();
    }
    CQorFontDC font(pDC, &m_fntTitleVertical);
    CSize sz = pDC->GetTextExtent(strTitle);
    if (rcText.Height() > 0) {
        int nLeft = rcText.right - (rcText.Width() - sz.cy) / 2;
        CRect rcDraw(nLeft, rcText.top, nLeft + rcText.Height(), rcText.bottom);
        pDC->DrawText(strTitle, &rcDraw, DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    return sz.cx;
}
