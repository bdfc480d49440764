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
class CQorTabManagerNavigateButton;

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
    // The header face across the row; nothing more when the face is the button face and the
    // row's owner painted its own background.
    virtual void FillHeader(CDC* pDC, LPCRECT lpRect, CQorTabManager* pManager);
    // Fills the client area with the selected tab's colour.
    virtual void FillClient(CDC* pDC, LPCRECT lpRect, CQorTabManager* pManager);
    // The selected tab: its face and a 3-D border; other tabs: a separator on the far side.
    virtual void FillTabFace(CDC* pDC, LPCRECT lpRect, CQorTabManagerItem* pItem);
    // Fills a tab's background; returns the colour it filled with.
    virtual COLORREF FillTab(CDC* pDC, LPCRECT lpRect, CQorTabManagerItem* pItem);
    // The header's background inside the header clip; nothing in the base.
    virtual void FillHeaderBackground(CDC* pDC, LPCRECT lpRect, CQorTabManager* pManager) {}
    // A navigate button's face by its state; leaves the glyph colour as the DC's text colour
    // and may move the glyph's rectangle (pressed buttons).
    virtual void FillNavigateButton(CDC* pDC, CQorTabManagerNavigateButton* pButton, CRect& rc);
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
    CQorPaintManagerColor m_clrTabOutline;
    CQorPaintManagerColor m_clrSelectedOutline;
    CQorPaintManagerColor m_clrTabInnerEdge;
    CQorPaintManagerColor m_clrTabInnerTopEdge;
    // Navigate-button glyph colours, normal and pressed, read by the VisualStudio and Flat
    // button faces; a set derived from the VisualStudio one may give its own.
    CQorPaintManagerColor m_clrNavigateButton;
    CQorPaintManagerColor m_clrNavigateButtonPressed;

    CQorTabPaintManager* m_pPaintManager = nullptr;
};

class CQorTabPaintManager::CColorSetDefault : public CQorTabPaintManager::CColorSet
{
public:
    void RefreshMetrics() override;
    void FillNavigateButton(CDC* pDC, CQorTabManagerNavigateButton* pButton, CRect& rc) override;
};

// Flat buttons: a one-pixel border when hot or pressed, the glyph in the set's button colours.
class CQorTabPaintManager::CColorSetVisualStudio : public CQorTabPaintManager::CColorSetDefault
{
public:
    void RefreshMetrics() override;
    void FillNavigateButton(CDC* pDC, CQorTabManagerNavigateButton* pButton, CRect& rc) override;
};

class CQorTabPaintManager::CColorSetOffice2003 : public CQorTabPaintManager::CColorSetDefault
{
public:
    void RefreshMetrics() override;
    // Gradient faces from the light to the dark tone, across the row.
    COLORREF FillTab(CDC* pDC, LPCRECT lpRect, CQorTabManagerItem* pItem) override;
    // A highlighted face when hot or pressed.
    void FillNavigateButton(CDC* pDC, CQorTabManagerNavigateButton* pButton, CRect& rc) override;
    CQorPaintManagerColor m_clrFaceDark; // the far end of the gradient tab faces
};

class CQorTabPaintManager::CColorSetOffice2007 : public CQorTabPaintManager::CColorSetOffice2003
{
public:
    void RefreshMetrics() override;
};

// Themed: tabs, header, client and buttons are the visual style's TAB and TOOLBAR parts; a
// tab of a bottom, left or right row is drawn as a top tab and mirrored or transposed.
class CQorTabPaintManager::CColorSetWinXP : public CQorTabPaintManager::CColorSetDefault
{
public:
    void RefreshMetrics() override;
    BOOL IsThemed() override { return m_themeTab.GetHandle() != nullptr; }
    void FillHeaderBackground(CDC* pDC, LPCRECT lpRect, CQorTabManager* pManager) override;
    void FillClient(CDC* pDC, LPCRECT lpRect, CQorTabManager* pManager) override;
    void FillTabFace(CDC* pDC, LPCRECT lpRect, CQorTabManagerItem* pItem) override;
    COLORREF FillTab(CDC* pDC, LPCRECT lpRect, CQorTabManagerItem* pItem) override;
    void FillNavigateButton(CDC* pDC, CQorTabManagerNavigateButton* pButton, CRect& rc) override;
    // Draws a tab part as on a top row, turned to the row's position through two DIBs.
    void DrawThemedTab(CDC* pDC, CRect rc, CQorTabManagerItem* pItem);

    CQorWinThemeWrapper m_themeTab;
    CQorWinThemeWrapper m_themeToolBar;
};

class CQorTabPaintManager::CColorSetWhidbey : public CQorTabPaintManager::CColorSetDefault
{
public:
    void RefreshMetrics() override;
    // The selected tab in its face, the others in a gradient of the header face.
    COLORREF FillTab(CDC* pDC, LPCRECT lpRect, CQorTabManagerItem* pItem) override;
    void FillNavigateButton(CDC* pDC, CQorTabManagerNavigateButton* pButton, CRect& rc) override;
};
