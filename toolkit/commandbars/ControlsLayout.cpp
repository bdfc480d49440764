// The row layout of a bar's controls: measuring, breaking into rows (columns on vertical bars),
// the narrowest floating width, hiding what has no room, centring, far-end alignment and
// stretching, and the columns of menu-like popups.
#include "toolkit/commandbars/Controls.h"

#include <algorithm>
#include <vector>

#include "toolkit/commandbars/BarLayoutPass.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBarDefs.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/PaintManager.h"

namespace {

const int kEmptyBarWidth = 23;
const int kEmptyBarHeight = 22;
const int kSearchLimit = 32767;

struct LayoutEntry
{
    CRect rcControl;
    CRect rcRow;
    CSize size;
    BOOL bVisible;
    BOOL bWrap;
    BOOL bHidden;
    BOOL bBeginGroup;
    CQorControl* pControl;

    BOOL IsPlaced() const { return bVisible && !bHidden; }
};

// The entries of one layout pass and the steps that work on them.
class CRowLayout
{
public:
    CRowLayout(std::vector<LayoutEntry>& entries, CSize szSeparator, BOOL bVertical)
        : m_entries(entries), m_szSeparator(szSeparator), m_bVertical(bVertical)
    {}

    int Along(const CSize& sz) const { return m_bVertical ? sz.cy : sz.cx; }
    int Across(const CSize& sz) const { return m_bVertical ? sz.cx : sz.cy; }

    // Breaks the entries into rows no longer than nLength; the row count.
    int Wrap(int nLength, DWORD& dwMode)
    {
        const int nGap = m_bVertical ? m_szSeparator.cy : m_szSeparator.cx;
        for (LayoutEntry& entry : m_entries)
            entry.bWrap = entry.bHidden = FALSE;
        int nRows = 1, nPos = 0, nRowStart = -1;
        const int nCount = static_cast<int>(m_entries.size());
        for (int i = 0; i < nCount; i++) {
            LayoutEntry& entry = m_entries[i];
            if (!entry.bVisible)
                continue;
            const BOOL bFirst = nRowStart == -1;
            if (bFirst) {
                nRowStart = i;
                nPos = Along(entry.size);
                continue;
            }
            if (entry.pControl->GetFlags() & qorFlagWrapRow) {
                StartRow(i, nRows, nPos, nRowStart);
                continue;
            }
            const int nEnd = nPos + Along(entry.size) + (entry.bBeginGroup ? nGap : 0);
            const BOOL bOverflow = i != nRowStart && (nEnd > nLength || ((dwMode & LM_POPUP) && entry.bBeginGroup));
            if (!bOverflow) {
                nPos = nEnd;
                continue;
            }
            if (dwMode & LM_HIDEWRAP) {
                // Hidden up to the next control that starts a row of its own.
                dwMode |= LM_STRETCH;
                int j = i;
                while (j < nCount && !(m_entries[j].bVisible && (m_entries[j].pControl->GetFlags() & qorFlagWrapRow))) {
                    m_entries[j].bHidden = m_entries[j].bVisible;
                    j++;
                }
                if (j >= nCount)
                    break;
                StartRow(j, nRows, nPos, nRowStart);
                i = j;
                continue;
            }
            // Break at the nearest group start after the row's first entry, else here: a row
            // never breaks before its first entry, so every break makes progress.
            int nBreak = i;
            for (int k = i; k > nRowStart; k--) {
                if (m_entries[k].bVisible && m_entries[k].bBeginGroup) {
                    nBreak = k;
                    break;
                }
            }
            StartRow(nBreak, nRows, nPos, nRowStart);
            dwMode |= LM_STRETCH;
            i = nBreak;
        }
        return nRows;
    }

    // Places the entries row by row; the size of the rows.
    CSize CalcRows()
    {
        CSize szResult(0, 0);
        int x = 0, y = 0, nRow = 0;
        BOOL bFirst = TRUE;
        for (LayoutEntry& entry : m_entries) {
            if (!entry.IsPlaced())
                continue;
            const CSize& sz = entry.size;
            if (!m_bVertical) {
                if (entry.bWrap) {
                    y += nRow + (entry.bBeginGroup ? m_szSeparator.cy : 0);
                    x = 0;
                    nRow = 0;
                } else if (entry.bBeginGroup && !bFirst) {
                    x += m_szSeparator.cx;
                }
                entry.rcControl.SetRect(x, y, x + sz.cx, y + sz.cy);
                x += sz.cx;
                nRow = std::max(nRow, static_cast<int>(sz.cy));
                szResult.cx = std::max(szResult.cx, entry.rcControl.right);
                szResult.cy = std::max(szResult.cy, entry.rcControl.bottom);
            } else {
                if (entry.bWrap) {
                    x -= nRow + (entry.bBeginGroup ? m_szSeparator.cy : 0);
                    y = 0;
                    nRow = 0;
                } else if (entry.bBeginGroup && !bFirst) {
                    y += m_szSeparator.cx;
                }
                entry.rcControl.SetRect(x - sz.cx, y, x, y + sz.cy);
                y += sz.cy;
                nRow = std::max(nRow, static_cast<int>(sz.cx));
                szResult.cx = std::max(szResult.cx, -entry.rcControl.left);
                szResult.cy = std::max(szResult.cy, entry.rcControl.bottom);
            }
            bFirst = FALSE;
        }
        return szResult;
    }

    CSize WrapAndCalc(int nLength, DWORD& dwMode)
    {
        Wrap(nLength, dwMode);
        return CalcRows();
    }

    // Floating bars given a width: the narrowest width that keeps the row count of nLength.
    CSize FitWidth(int nLength, DWORD& dwMode)
    {
        const int nRows = Wrap(nLength, dwMode);
        DWORD dwProbe = dwMode;
        int nBest = nLength;
        if (Wrap(0, dwProbe) != nRows) {
            int nLo = 0, nHi = nLength;
            while (nHi > nLo + 1) {
                const int nMid = (nLo + nHi) / 2;
                if (Wrap(nMid, dwProbe) == nRows)
                    nHi = nMid;
                else
                    nLo = nMid;
            }
            nBest = nHi;
        }
        const CSize sz = WrapAndCalc(nBest, dwMode);
        return WrapAndCalc(Along(sz), dwMode);
    }

    // Floating bars given a height: the narrowest width whose rows fit the height.
    CSize FitHeight(int nHeight, DWORD& dwMode)
    {
        DWORD dwProbe = dwMode;
        const CSize szNarrow = WrapAndCalc(0, dwProbe);
        const CSize szWide = WrapAndCalc(kSearchLimit, dwProbe);
        if (szNarrow.cx >= szWide.cx)
            return WrapAndCalc(kSearchLimit, dwMode);
        int nLo = 0, nHi = kSearchLimit;
        while (nHi > nLo + 1) {
            const int nMid = (nLo + nHi) / 2;
            const CSize sz = WrapAndCalc(nMid, dwProbe);
            if (sz.cy > nHeight)
                nLo = nMid;
            else if (sz.cy == nHeight)
                return WrapAndCalc(nMid, dwMode);
            else
                nHi = nMid;
        }
        return WrapAndCalc(nHi, dwMode);
    }

    // Tool-bar-like popups without a remembered width: as wide as tall.
    CSize SquareSearch(DWORD& dwMode)
    {
        DWORD dwProbe = dwMode;
        int nLo = 0, nHi = kSearchLimit;
        while (nHi > nLo + 1) {
            const int nMid = (nLo + nHi) / 2;
            const CSize sz = WrapAndCalc(nMid, dwProbe);
            if (sz.cy > sz.cx)
                nLo = nMid;
            else if (sz.cx > sz.cy)
                nHi = nMid;
            else
                return WrapAndCalc(nMid, dwMode);
        }
        return WrapAndCalc(nHi, dwMode);
    }

    // Moves the rectangles inside the borders, gives each entry its row band and centres the
    // controls across it.
    void OffsetAndAlign(const CSize& szLayout, const CRect& rcBorder)
    {
        const int nCount = static_cast<int>(m_entries.size());
        int nRows = 0;
        for (const LayoutEntry& entry : m_entries)
            if (entry.IsPlaced() && (entry.bWrap || nRows == 0))
                nRows++;
        int nRowStart = 0;
        while (nRowStart < nCount) {
            // The row: from nRowStart up to the next placed entry with a row break.
            int nRowEnd = nRowStart + 1;
            while (nRowEnd < nCount && !(m_entries[nRowEnd].IsPlaced() && m_entries[nRowEnd].bWrap))
                nRowEnd++;
            int nThickness = 0;
            for (int i = nRowStart; i < nRowEnd; i++)
                if (m_entries[i].IsPlaced())
                    nThickness = std::max(nThickness, Across(m_entries[i].size));
            if (nRows == 1)
                nThickness = Across(szLayout);
            for (int i = nRowStart; i < nRowEnd; i++) {
                LayoutEntry& entry = m_entries[i];
                if (!entry.IsPlaced())
                    continue;
                CRect& rc = entry.rcControl;
                if (!m_bVertical) {
                    rc.OffsetRect(rcBorder.left, rcBorder.top);
                    entry.rcRow.SetRect(rcBorder.left, rc.top, rcBorder.left + szLayout.cx, rc.top + nThickness);
                    rc.OffsetRect(0, (nThickness - rc.Height()) / 2);
                } else {
                    rc.OffsetRect(rcBorder.left + szLayout.cx, rcBorder.top);
                    entry.rcRow.SetRect(rc.right - nThickness, rcBorder.top, rc.right, rcBorder.top + szLayout.cy);
                    rc.OffsetRect(-(nThickness - rc.Width()) / 2, 0);
                }
            }
            nRowStart = nRowEnd;
        }
    }

    // Far-end controls of the last row move to the end; stretched controls share the free
    // length of their row.
    void AlignFarEndAndStretch(const CSize& szBar, const CRect& rcBorder)
    {
        const int nEnd = m_bVertical ? szBar.cy - rcBorder.bottom : szBar.cx - rcBorder.right;
        const int nLead = m_bVertical ? rcBorder.top : rcBorder.left;
        const int nCount = static_cast<int>(m_entries.size());

        int nFarEnd = nEnd;
        int nFarRun = nCount; // the first entry of the far-end run
        for (int i = nCount - 1; i >= 0; i--) {
            LayoutEntry& entry = m_entries[i];
            if (!entry.IsPlaced())
                continue;
            if (!(entry.pControl->GetFlags() & qorFlagRightAlign))
                break;
            const int nLength = Along(entry.size);
            if (nFarEnd - nLength < nLead)
                break;
            MoveAlong(entry.rcControl, nFarEnd - nLength - Start(entry.rcControl));
            nFarEnd -= nLength;
            nFarRun = i;
            if (entry.bWrap)
                break;
        }

        // Rows from the last to the first.
        int nRowEnd = nCount;
        while (nRowEnd > 0) {
            int nRowStart = nRowEnd - 1;
            while (nRowStart > 0 && !(m_entries[nRowStart].IsPlaced() && m_entries[nRowStart].bWrap))
                nRowStart--;
            const int nLimit = nRowEnd == nCount ? nFarEnd : nEnd;
            const int nLast = std::min(nRowEnd, nFarRun);
            int nFar = nLead, nStretched = 0;
            for (int i = nRowStart; i < nLast; i++) {
                if (!m_entries[i].IsPlaced())
                    continue;
                nFar = std::max(nFar, Start(m_entries[i].rcControl) + Along(m_entries[i].size));
                if (m_entries[i].pControl->GetFlags() & qorFlagControlStretched)
                    nStretched++;
            }
            int nFree = nLimit - nFar;
            if (nStretched > 0 && nFree > 0) {
                int nShift = 0;
                for (int i = nRowStart; i < nLast; i++) {
                    LayoutEntry& entry = m_entries[i];
                    if (!entry.IsPlaced())
                        continue;
                    MoveAlong(entry.rcControl, nShift);
                    if (entry.pControl->GetFlags() & qorFlagControlStretched) {
                        const int nTake = nFree / nStretched;
                        Grow(entry.rcControl, nTake);
                        nShift += nTake;
                        nFree -= nTake;
                        nStretched--;
                    }
                }
            }
            nRowEnd = nRowStart;
        }
    }

private:
    void StartRow(int nIndex, int& nRows, int& nPos, int& nRowStart)
    {
        m_entries[nIndex].bWrap = TRUE;
        nRows++;
        nPos = Along(m_entries[nIndex].size);
        nRowStart = nIndex;
    }
    int Start(const CRect& rc) const { return m_bVertical ? rc.top : rc.left; }
    void MoveAlong(CRect& rc, int nDelta) const { m_bVertical ? rc.OffsetRect(0, nDelta) : rc.OffsetRect(nDelta, 0); }
    void Grow(CRect& rc, int nDelta) const { m_bVertical ? (void)(rc.bottom += nDelta) : (void)(rc.right += nDelta); }

    std::vector<LayoutEntry>& m_entries;
    CSize m_szSeparator;
    BOOL m_bVertical;
};

CSize GetSeparatorSize(CQorCommandBar* pBar)
{
    CQorPaintManager* pPaintManager = pBar ? pBar->GetPaintManager() : GetGlobalPaintManager();
    return pPaintManager ? pPaintManager->DrawSeparator(nullptr, pBar, nullptr, FALSE) : CSize(6, 6);
}

} // namespace

CSize CQorControls::CalcDynamicSize(CDC* pDC, int nLength, DWORD& dwMode, const CRect& rcBorder, int nWidth)
{
    const CSize szSeparator = GetSeparatorSize(m_pParent);
    for (int i = GetCount() - 1; i >= 0; i--)
        m_arrControls[i]->OnCalcDynamicSize(dwMode);

    if (GetVisibleCount() == 0) {
        CSize sz(rcBorder.left + rcBorder.right + kEmptyBarWidth, rcBorder.top + rcBorder.bottom + kEmptyBarHeight);
        if (dwMode & LM_HORZDOCK)
            sz.cy = std::max(sz.cy, static_cast<LONG>(nWidth));
        else
            sz.cx = std::max(sz.cx, static_cast<LONG>(nWidth));
        return sz;
    }

    std::vector<LayoutEntry> entries;
    entries.reserve(GetCount());
    for (int i = 0; i < GetCount(); i++) {
        CQorControl* pControl = m_arrControls[i];
        LayoutEntry entry = {};
        entry.pControl = pControl;
        entry.rcControl = pControl->GetRect();
        entry.bVisible = pControl->IsVisible(qorHideMaskLayout);
        entry.bBeginGroup = pControl->GetBeginGroup();
        entry.size = entry.bVisible ? CQorBarLayoutPass::MeasureControl(pControl, pDC) : CSize(0, 0);
        entries.push_back(entry);
    }
    const int nMRUWidth = m_pParent ? m_pParent->m_nMRUWidth : 0;
    if (dwMode & LM_MRUWIDTH)
        nLength = nMRUWidth;

    const BOOL bVertical = (dwMode & LM_VERTDOCK) != 0;
    const BOOL bDocked = (dwMode & (LM_HORZDOCK | LM_VERTDOCK)) != 0;
    const BOOL bStretchGiven = (dwMode & LM_STRETCH) != 0;
    CRowLayout layout(entries, szSeparator, bVertical);
    CSize sz;
    if (dwMode & LM_POPUP) {
        sz = layout.WrapAndCalc(nMRUWidth, dwMode);
        if (sz.cy > 3 * sz.cx && nMRUWidth < 1)
            sz = layout.SquareSearch(dwMode);
        else
            sz = layout.WrapAndCalc(sz.cx, dwMode);
    } else if (dwMode & LM_HORZDOCK) {
        sz = layout.WrapAndCalc(nLength - rcBorder.left - rcBorder.right, dwMode);
    } else if (bVertical) {
        sz = layout.WrapAndCalc(nLength - rcBorder.top - rcBorder.bottom, dwMode);
    } else if (dwMode & LM_LENGTHY) {
        sz = layout.FitHeight(nLength - rcBorder.top - rcBorder.bottom, dwMode);
    } else {
        sz = layout.FitWidth(nLength - rcBorder.left - rcBorder.right, dwMode);
    }

    if (nWidth > 0) {
        if (dwMode & LM_HORZDOCK)
            sz.cy = std::max(sz.cy, static_cast<LONG>(nWidth - rcBorder.top - rcBorder.bottom));
        else
            sz.cx = std::max(sz.cx, static_cast<LONG>(nWidth - rcBorder.left - rcBorder.right));
    }
    // A docked bar that wrapped or hid controls takes the whole length; a floating bar keeps
    // the narrowest width its rows need.
    if (bStretchGiven || (bDocked && (dwMode & LM_STRETCH))) {
        if (bVertical)
            sz.cy = std::max(sz.cy, static_cast<LONG>(nLength - rcBorder.top - rcBorder.bottom));
        else
            sz.cx = std::max(sz.cx, static_cast<LONG>(nLength - rcBorder.left - rcBorder.right));
    }

    if (dwMode & LM_COMMIT)
        layout.OffsetAndAlign(sz, rcBorder);
    const CSize szBar(sz.cx + rcBorder.left + rcBorder.right, sz.cy + rcBorder.top + rcBorder.bottom);

    if (dwMode & LM_COMMIT) {
        layout.AlignFarEndAndStretch(szBar, rcBorder);
        for (LayoutEntry& entry : entries) {
            CQorControl* pControl = entry.pControl;
            pControl->SetHideFlag(qorHideWrap, entry.bHidden);
            pControl->SetRowRect(entry.rcRow);
            if (!entry.bHidden)
                pControl->SetRect(entry.rcControl);
            pControl->m_bWrap = entry.bWrap;
        }
    }
    return szBar;
}

CSize CQorControls::CalcWrappedPopupSize(CDC* pDC, int nMaxHeight, const CRect& rcBorder)
{
    // The list placeholders put in their entries first (from the end: what they insert follows
    // them).
    for (int i = GetCount() - 1; i >= 0; i--)
        m_arrControls[i]->OnCalcDynamicSize(LM_POPUP);
    CRect rcWork(0, 0, 0, 0);
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
    const CSize szSeparator = GetSeparatorSize(m_pParent);
    if (m_pParent)
        m_pParent->m_bMultiLine = FALSE;
    const BOOL bResizable = m_pParent && m_pParent->IsResizable() != 0;

    int x = rcBorder.left, y = rcBorder.top, nColumnWidth = 0, nTallest = 0;
    int nColumnStart = 0;
    BOOL bFirst = TRUE;
    auto closeColumn = [&](int nEnd) {
        for (int i = nColumnStart; i < nEnd; i++) {
            CQorControl* pControl = m_arrControls[i];
            if (pControl->GetParent() != m_pParent || !pControl->IsVisible())
                continue;
            CRect rc = pControl->GetRect();
            rc.right = rc.left + nColumnWidth;
            pControl->SetRect(rc);
        }
        nTallest = std::max(nTallest, static_cast<int>(y - rcBorder.top));
    };
    for (int i = 0; i < GetCount(); i++) {
        CQorControl* pControl = m_arrControls[i];
        if (pControl->GetParent() != m_pParent)
            continue;
        pControl->SetHideFlag(qorHideScroll, FALSE);
        if (!pControl->IsVisible())
            continue;
        CSize sz = pControl->GetSize(pDC);
        pControl->m_bWrap = FALSE;
        const BOOL bBreak = !bFirst && ((pControl->GetFlags() & qorFlagWrapRow) ||
                                        (nMaxHeight > 0 && y + sz.cy > nMaxHeight - rcBorder.bottom));
        if (bBreak) {
            closeColumn(i);
            x += nColumnWidth + (pControl->GetBeginGroup() ? szSeparator.cx : 0);
            y = rcBorder.top;
            nColumnWidth = 0;
            nColumnStart = i;
            pControl->m_bWrap = TRUE;
            if (m_pParent)
                m_pParent->m_bMultiLine = TRUE;
        } else if (pControl->GetBeginGroup() && !bFirst) {
            y += szSeparator.cy;
        }
        if (!bResizable)
            sz.cx = std::min(sz.cx, static_cast<LONG>(rcWork.right / 3));
        pControl->SetRect(CRect(x, y, x + sz.cx, y + sz.cy));
        y += sz.cy;
        nColumnWidth = std::max(nColumnWidth, static_cast<int>(sz.cx));
        bFirst = FALSE;
    }
    closeColumn(GetCount());
    for (int i = 0; i < GetCount(); i++) {
        CQorControl* pControl = m_arrControls[i];
        if (pControl->GetParent() != m_pParent || !pControl->IsVisible())
            continue;
        const CRect rc = pControl->GetRect();
        pControl->SetRowRect(CRect(rc.left, rcBorder.top, rc.right, rcBorder.top + nTallest));
    }
    if (nTallest == 0)
        nTallest = kEmptyBarHeight;
    return CSize(rcBorder.left + rcBorder.right + std::max(24, x + nColumnWidth - static_cast<int>(rcBorder.left)),
                 rcBorder.top + rcBorder.bottom + nTallest);
}
