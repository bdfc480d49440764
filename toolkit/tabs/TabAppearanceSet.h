// The base of the appearance sets: the geometry of a row's header (margins, row height, the
// header and client rectangles on each side). The sets' tab shapes build on it.
#pragma once

#include <windows.h>

#include "platform/framework/Geometry.h"
#include "toolkit/tabs/TabPaintManager.h"

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
    virtual int GetRowHeight(CQorTabManager* pRow);
    virtual CRect GetTabInvalidateRect(CQorTabManagerItem* pItem);
    // Margins, rows and the gaps between them; in layout 5 at least the longest tab.
    int GetHeaderHeight(CQorTabManager* pRow);

    CRect m_rcHeaderMargin = CRect(0, 0, 0, 0);
    int m_nRowGap = -2; // rows of a multi-row header overlap by 2 pixels
    int m_nRowHeight = 0;
    BOOL m_bOverlapForward = FALSE;
    CQorTabPaintManager* m_pPaintManager = nullptr;
};
