// The row layout of a dock bar, kept apart from windows: the bars of one row are measured, placed
// at their stored positions, pushed apart where they overlap, squeezed where the row is short, and
// the rightmost handed over to a new row when squeezing is not enough. Bars answer through
// CQorDockRowBar, so the layout runs as well on fixed-size stand-ins as on real bars.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/framework/Geometry.h"

// The bar flags the row layout reads.
enum QorDockRowFlag : DWORD {
    qorDockRowShrink = 0x20,      // may shrink in its row, hiding what does not fit
    qorDockRowStretched = 0x40,   // stretched over its row, which it has to itself
    qorDockRowFillGap = 0x100000, // widened to fill the gap between its neighbours
};

// What the row layout asks of one bar.
class CQorDockRowBar
{
public:
    virtual ~CQorDockRowBar() = default;
    // The bar's size for a length along the row, in a layout mode (the LM_ bits; LM_HIDEWRAP
    // hides what does not fit; LM_COMMIT lays the bar out for good). nThickness, when above 0,
    // is the thickness of the row. Given back the length it answered, a bar answers the same size.
    virtual CSize CalcDockingLayout(int nLength, DWORD dwMode, int nThickness) = 0;
    virtual DWORD GetRowFlags() const = 0;
    // Where the bar was last put, in the dock bar's client coordinates.
    virtual CPoint GetDockedPosition() const = 0;
};

// Lays out the rows of one dock bar. Positions are in the dock bar's client coordinates.
class CQorDockRowLayout
{
public:
    // One bar of the row being laid out.
    struct DOCK_INFO
    {
        CQorDockRowBar* pBar = nullptr;
        CRect rcBar;           // working rectangle (along x while the row is laid out)
        CRect rcFirst;         // as first computed, never transposed
        int nIndex = 0;        // the bar's position in the row
        int nMinLength = 0;    // below this length along the row the bar cannot shrink
        int nPrecedingMin = 0; // the minimum lengths of the bars before it, added up
    };
    // Where a bar goes when the layout is committed.
    struct PLACEMENT
    {
        CQorDockRowBar* pBar;
        CRect rc;
    };

    // bHorz: a top or bottom dock bar. bShrinkAllowed: bars with qorDockRowShrink may hide what
    // does not fit (outside customize mode).
    CQorDockRowLayout(BOOL bHorz, BOOL bShrinkAllowed) : m_bHorz(bHorz), m_bShrinkAllowed(bShrinkAllowed) {}

    // One row in nLength at nOffset across the rows: its thickness, or -1 when the row has to
    // give up a bar, with nOverflow the position in `bars` of that bar (the rightmost). A row
    // of one bar never gives it up. With pPlacements the bars are committed and their final
    // rectangles appended.
    int LayoutRow(const std::vector<CQorDockRowBar*>& bars, int nLength, int nOffset, int& nOverflow,
                  std::vector<PLACEMENT>* pPlacements = nullptr);
    // The row with wrapping: bars the row gives up form the next row, and so on. Answers the
    // thickness of all the rows it took. The bars' order is not changed for later passes.
    int LayoutWrappedRow(const std::vector<CQorDockRowBar*>& bars, int nLength, int nOffset,
                         std::vector<PLACEMENT>* pPlacements = nullptr);

    // The mode a bar is measured in: docked along the dock bar's side, stretched for a stretched
    // bar, hiding what does not fit for a bar that may shrink.
    DWORD GetBarMode(const CQorDockRowBar* pBar) const;

private:
    static void Transpose(CRect& rc) { rc = CRect(rc.top, rc.left, rc.bottom, rc.right); }
    int AlongLength(const CSize& sz) const { return m_bHorz ? sz.cx : sz.cy; }
    int AcrossLength(const CSize& sz) const { return m_bHorz ? sz.cy : sz.cx; }

    // Pushes overlapping bars apart: forward from the row's start, or back from its end.
    void PushPass(std::vector<DOCK_INFO>& infos, BOOL bForward, int nLength) const;
    // Squeezes the row into nLength; FALSE when the rightmost bar has to go.
    BOOL Squeeze(std::vector<DOCK_INFO>& infos, int nLength) const;
    void Place(std::vector<DOCK_INFO>& infos, int nLength, int nThickness, std::vector<PLACEMENT>& placements) const;

    BOOL m_bHorz;
    BOOL m_bShrinkAllowed;
};
