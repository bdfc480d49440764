// A bar of coloured cells: the command-bar services' stand-in for a bar of controls. It paints
// its cells through the bar's animation object (the hot cell in the hot colour), makes the cell
// under the mouse hot, takes dropped cells, starts a customize drag on a press over a cell, and
// records what the services asked of it, for the scene and the tests.
#pragma once

#include <windows.h>

#include <vector>

#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/Control.h"

class CQorCustomizeDropSource;

class CColorCell : public CQorControl
{
public:
    explicit CColorCell(COLORREF clr) : m_clr(clr) {}
    void OnCustomizeDragOver(CQorControl* pDataObject, CPoint point) override;

    COLORREF m_clr;
    int m_nDragOvers = 0;
};

class CCellBar : public CQorCommandBar
{
public:
    enum { kCellWidth = 40, kCellHeight = 30, kGap = 5 };
    static constexpr COLORREF kBackground = RGB(255, 255, 255);

    CCellBar();
    ~CCellBar() override;

    // A window of the bar: a child when dwStyle has WS_CHILD, else a tool window owned by hWndParent.
    BOOL CreateBar(DWORD dwStyle, const CRect& rc, HWND hWndParent);

    // Takes the cell's reference; -1 appends.
    void AddCell(CColorCell* pCell, int nIndex = -1);
    // Takes the cell off the bar and hands its reference to the caller.
    BOOL DetachCell(CColorCell* pCell);
    int GetCellCount() const { return static_cast<int>(m_cells.size()); }
    CColorCell* GetCell(int nIndex) const { return m_cells[nIndex]; }
    int FindCell(const CColorCell* pCell) const;
    CRect GetCellRect(int nIndex) const;
    int HitTestCell(CPoint ptClient) const;
    // The width of a bar of n cells.
    static int GetBarWidth(int nCells) { return kGap + nCells * (kCellWidth + kGap); }

    BOOL SetTrackingMode(int nMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE) override;
    BOOL SetSelected(int nSelected, int nKeyboard = 0) override;
    BOOL IsVisible() const override;
    BOOL CustomizeDragEnter(CQorControl* pDataObject, CPoint point) override;
    void CustomizeDragLeave() override;
    void CustomizeDrop(CQorControl* pDataObject, DROPEFFECT dropEffect, CPoint ptDrop, CPoint ptDrag) override;
    void DrawCommandBar(CDC* pDC, CRect rcClipBox) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;

    COLORREF m_clrHot;
    BOOL m_bAcceptDrops;
    // A press over a cell drags it through this source (null: no drag).
    CQorCustomizeDropSource* m_pDropSource;
    // When set, bars append themselves here whenever their tracking ends.
    std::vector<CQorCommandBar*>* m_pEndLog;
    // What reached the bar.
    int m_nMouseMoves;
    int m_nDragEnters;
    int m_nDragLeaves;
    int m_nDrops;
    DROPEFFECT m_lastDropEffect;
    DROPEFFECT m_lastDragResult;

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    std::vector<CColorCell*> m_cells;
};
