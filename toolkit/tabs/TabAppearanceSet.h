// The appearance sets: the geometry of a row's header (margins, row height, the header and
// client rectangles on each side) and the shapes of its tabs and client frame. The base draws
// plain filled tabs; the four sets draw property-page, slanted (2003), Visual Studio and flat tabs.
#pragma once

#include <windows.h>

#include "platform/framework/Geometry.h"
#include "toolkit/tabs/TabPaintManager.h"

class CDC;
class CQorTabManager;
class CQorTabManagerItem;

class CQorTabPaintManager::CAppearanceSet
{
public:
    CAppearanceSet() = default;
    virtual ~CAppearanceSet() = default;
    CAppearanceSet(const CAppearanceSet&) = delete;
    CAppearanceSet& operator=(const CAppearanceSet&) = delete;

    // Row height: the normal font's text height + 3, at least 18.
    virtual void RefreshMetrics();
    // The control rectangle cut to the header height on the row's side.
    virtual CRect GetHeaderRect(CRect rcControl, CQorTabManager* pRow);
    // The control rectangle less the header, overlapping it by one pixel.
    virtual CRect CalcClientRect(CRect rcControl, CQorTabManager* pRow);
    virtual CRect GetHeaderMargin() { return m_rcHeaderMargin; }
    // The paint manager's client margin (left, top, right, bottom, oriented by the caller).
    virtual CRect GetClientMargin(CQorTabManager* pRow);
    virtual int GetRowHeight(CQorTabManager* pRow);
    virtual CRect GetTabInvalidateRect(CQorTabManagerItem* pItem);
    // The frame, the client area, the header clipped to itself with its rows, the row buttons.
    virtual void DrawTabControl(CDC* pDC, CQorTabManager* pRow, CRect rc);
    // The header face and the client's frame and face; returns the header rectangle.
    virtual CRect DrawClientFrame(CDC* pDC, CRect rcControl, CQorTabManager* pRow);
    // One tab: its background and outline, then its content.
    virtual void DrawTab(CDC* pDC, CQorTabManagerItem* pItem);
    virtual int GetStyleMask() const { return 31; }
    virtual int GetDefaultColorSet() const { return qorTabColorDefault; }
    // Margins, rows and the gaps between them; in layout 5 at least the longest tab.
    int GetHeaderHeight(CQorTabManager* pRow);

    CRect m_rcHeaderMargin = CRect(0, 0, 0, 0);
    int m_nRowGap = -2; // rows of a multi-row header overlap by 2 pixels
    int m_nRowHeight = 0;
    BOOL m_bOverlapForward = FALSE;
    CQorTabPaintManager* m_pPaintManager = nullptr;

protected:
    void DrawTabControlFrame(CDC* pDC, CQorTabManager* pRow, CRect rc);
    // The visible tabs of one row that meet the clip box, back to front, the selected one last.
    void DrawRowTabs(CDC* pDC, CQorTabManager* pRow, int nRow, const CRect& rcClip);
    CColorSet* GetColorSet() const;
    // The header, then the client with a one-pixel outline in the colour (frame style 0), or
    // a line on the client's header side (frame style 1, after a client fill when bFillLine).
    CRect DrawOutlinedClient(CDC* pDC, CRect rcControl, CQorTabManager* pRow, COLORREF clrOutline, BOOL bFillLine);
};

// Property-page tabs whose outer corners are cut by one pixel; the selected tab grows by two
// and bridges into the client frame.
class CQorTabPaintManager::CAppearanceSetPropertyPage : public CQorTabPaintManager::CAppearanceSet
{
public:
    CAppearanceSetPropertyPage() { m_rcHeaderMargin = CRect(2, 3, 6, 0); }
    CRect GetClientMargin(CQorTabManager* pRow) override;
    CRect DrawClientFrame(CDC* pDC, CRect rcControl, CQorTabManager* pRow) override;
    void DrawTab(CDC* pDC, CQorTabManagerItem* pItem) override;
    int GetStyleMask() const override { return 13; }
};

// Tabs slanted at the row's start, widening towards the client side.
class CQorTabPaintManager::CAppearanceSetPropertyPage2003 : public CQorTabPaintManager::CAppearanceSet
{
public:
    CAppearanceSetPropertyPage2003() { m_rcHeaderMargin = CRect(2, 3, 6, 0); }
    // The slanted end of the first tab needs a row height more at the start.
    CRect GetHeaderMargin() override;
    CRect GetTabInvalidateRect(CQorTabManagerItem* pItem) override;
    CRect DrawClientFrame(CDC* pDC, CRect rcControl, CQorTabManager* pRow) override;
    void DrawTab(CDC* pDC, CQorTabManagerItem* pItem) override;
    int GetStyleMask() const override { return 21; }
    int GetDefaultColorSet() const override { return qorTabColorOffice2003; }

    BOOL m_bHotOutline = FALSE; // the hot tab takes the selected border's second colour
};

class CQorTabPaintManager::CAppearanceSetVisualStudio : public CQorTabPaintManager::CAppearanceSet
{
public:
    CAppearanceSetVisualStudio() { m_rcHeaderMargin = CRect(4, 2, 4, 0); }
    CRect DrawClientFrame(CDC* pDC, CRect rcControl, CQorTabManager* pRow) override;
    void DrawTab(CDC* pDC, CQorTabManagerItem* pItem) override;
    int GetDefaultColorSet() const override { return qorTabColorVisualStudio; }
};

// Flat tabs that share their border lines; the docking panes' auto-hide rows use it.
class CQorTabPaintManager::CAppearanceSetFlat : public CQorTabPaintManager::CAppearanceSet
{
public:
    CAppearanceSetFlat() { m_rcHeaderMargin = CRect(2, 2, 4, 0); }
    CRect DrawClientFrame(CDC* pDC, CRect rcControl, CQorTabManager* pRow) override;
    void DrawTab(CDC* pDC, CQorTabManagerItem* pItem) override;
    int GetStyleMask() const override { return 7; }
    int GetDefaultColorSet() const override { return qorTabColorVisualStudio; }
};
