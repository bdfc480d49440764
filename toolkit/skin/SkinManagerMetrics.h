// What the skin makes of the system's look: the 31 system colours with a brush each, the 3-D
// edge colours, the caption, small-caption and menu fonts and the border, scroll-bar and
// caption sizes. Also the skin's own DrawEdge and DrawFrameControl and its solid fills.
#pragma once
#include <windows.h>

#include "platform/framework/Gdi.h"
#include "platform/framework/Geometry.h"

class CQorSkinManager;

class CQorSkinManagerMetrics
{
public:
    enum { kColorCount = 31 };

    explicit CQorSkinManagerMetrics(CQorSkinManager* pManager);
    virtual ~CQorSkinManagerMetrics();
    CQorSkinManagerMetrics(const CQorSkinManagerMetrics&) = delete;
    CQorSkinManagerMetrics& operator=(const CQorSkinManagerMetrics&) = delete;

    // From the manager's schema; without one the colours are the system's.
    virtual void Refresh();
    BOOL IsMetricObject(HGDIOBJ hObject) const;

    // DrawEdge and DrawFrameControl in the skin's colours and images.
    BOOL SkinDrawEdge(HDC hDC, LPRECT lpRect, UINT nEdge, UINT nFlags);
    BOOL SkinDrawFrameControl(HDC hDC, LPRECT lpRect, UINT nType, UINT nState);

    static void FillSolid(HDC hDC, int x, int y, int cx, int cy, COLORREF clr);
    static void FrameRectSolid(HDC hDC, const RECT& rc, int nThickness, COLORREF clr);
    static void FrameRectBrush(HDC hDC, const RECT& rc, int nThickness, HBRUSH hBrush);
    static CSize GetSkinIconSize(HICON hIcon);

    // The built-in colour of an index the skin does not set.
    static COLORREF GetDefaultColor(int nIndex);

    CFont m_fntCaption;
    CFont m_fntMenu;
    CFont m_fntSmCaption;
    CQorSkinManager* m_pManager;
    HBRUSH m_hbrBtnFace = nullptr;
    HBRUSH m_hbrSecond = nullptr;
    COLORREF m_clrEdgeLight = 0;
    COLORREF m_clrEdgeHighLight = 0;
    COLORREF m_clrEdgeShadow = 0;
    COLORREF m_clrEdgeDkShadow = 0;
    COLORREF m_clrTheme[kColorCount];
    HBRUSH m_brTheme[kColorCount];
    int m_nBorderSize = 1;
    int m_cxBorder = 1, m_cyBorder = 1, m_cxEdge = 2, m_cyEdge = 2;
    int m_cxHScroll = 0, m_cyHScroll = 0, m_cxVScroll = 0, m_cyVScroll = 0;
    int m_cyCaption = 0, m_cySmallCaption = 0;
    int m_cyOsCaption = 0, m_cyOsSmallCaption = 0;

protected:
    void DrawDiagonal(HDC hDC, CRect& rc, UINT nFlags, COLORREF clr);
    static void ReplaceFont(CFont& font, const LOGFONTW& lf);
};
