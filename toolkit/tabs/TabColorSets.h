// The colour sets of the tab paint manager: the colours of header, client, tab faces, tab
// text and navigate buttons, filled from the colour manager, the visual style or the Office
// 2007 colour file. Each kind that SetColor makes is one class.
#pragma once

#include <windows.h>

#include "toolkit/foundation/ColorManager.h"
#include "toolkit/foundation/WinThemeWrapper.h"
#include "toolkit/tabs/TabPaintManager.h"

class CDC;
class CQorTabManager;
class CQorTabManagerItem;

class CQorTabPaintManager::CColorSet
{
public:
    CColorSet() = default;
    virtual ~CColorSet() = default;
    CColorSet(const CColorSet&) = delete;
    CColorSet& operator=(const CColorSet&) = delete;

    virtual void RefreshMetrics();
    // The DC's text colour for a tab, by its state and whether its row is active.
    virtual void SetTabTextColor(CDC* pDC, CQorTabManagerItem* pItem);
    // Fills the client area with the selected tab's colour.
    virtual void FillClient(CDC* pDC, LPCRECT lpRect, CQorTabManager* pManager);
    virtual void FillTab(CDC* pDC, LPCRECT lpRect, CQorTabManagerItem* pItem);
    // The tab's own colour with colour-coded tabs, else the selected or normal tab face.
    virtual COLORREF GetTabColor(CQorTabManagerItem* pItem);
    virtual BOOL IsThemed() { return FALSE; }

    CQorPaintManagerColorGradient m_clrHeaderFace;
    CQorPaintManagerColor m_clrButtonFace;
    CQorPaintManagerColor m_clrNormalFace;
    CQorPaintManagerColor m_clrSelectedFace;
    CQorPaintManagerColor m_clrHighlightFace;
    CQorPaintManagerColor m_clrSeparator;
    CQorPaintManagerColor m_clrNormalText;
    CQorPaintManagerColor m_clrSelectedText;
    CQorPaintManagerColor m_clrHighlightText;
    CQorPaintManagerColor m_clrDisabledText;
    CQorPaintManagerColor m_clrInactiveText;
    CQorPaintManagerColor m_clrBtnHighlight;
    CQorPaintManagerColor m_clrBtnShadow;
    CQorPaintManagerColor m_clrFrameBorder;
    CQorPaintManagerColor m_clrDarkShadow;
    CQorPaintManagerColorGradient m_clrClientFace;
    CQorPaintManagerColorGradient m_clrSelectedBorder;
    // Navigate-button faces, read by the VisualStudio and Flat button faces; a set derived from
    // the VisualStudio one may give its own.
    CQorPaintManagerColor m_clrNavigateButton;
    CQorPaintManagerColor m_clrNavigateButtonPressed;

    CQorTabPaintManager* m_pPaintManager = nullptr;
};

class CQorTabPaintManager::CColorSetDefault : public CQorTabPaintManager::CColorSet
{
public:
    void RefreshMetrics() override;
};

class CQorTabPaintManager::CColorSetVisualStudio : public CQorTabPaintManager::CColorSetDefault
{
public:
    void RefreshMetrics() override;
};

class CQorTabPaintManager::CColorSetOffice2003 : public CQorTabPaintManager::CColorSetDefault
{
public:
    void RefreshMetrics() override;
    CQorPaintManagerColor m_clrFaceDark; // the far end of the gradient tab faces
};

class CQorTabPaintManager::CColorSetOffice2007 : public CQorTabPaintManager::CColorSetOffice2003
{
public:
    void RefreshMetrics() override;
};

class CQorTabPaintManager::CColorSetWinXP : public CQorTabPaintManager::CColorSetDefault
{
public:
    void RefreshMetrics() override;
    BOOL IsThemed() override { return m_themeTab.GetHandle() != nullptr; }

    CQorWinThemeWrapper m_themeTab;
    CQorWinThemeWrapper m_themeToolBar;
};

class CQorTabPaintManager::CColorSetWhidbey : public CQorTabPaintManager::CColorSetDefault
{
public:
    void RefreshMetrics() override;
};
