// The row layout of a dock bar: measuring the bars of a row, pushing overlapping bars apart,
// squeezing a row that is too short, wrapping the rightmost bar into a new row, and the final
// placement with the gap-filling bars widened.
#include "toolkit/commandbars/DockBarLayout.h"

#include <algorithm>

#include "toolkit/commandbars/CommandBarDefs.h"

DWORD CQorDockRowLayout::GetBarMode(const CQorDockRowBar* pBar) const
{
    const DWORD dwFlags = pBar->GetRowFlags();
    DWORD dwMode = m_bHorz ? (LM_HORZDOCK | LM_HORZ) : LM_VERTDOCK;
    if (dwFlags & qorDockRowStretched)
        dwMode |= LM_STRETCH;
    if ((dwFlags & qorDockRowShrink) && m_bShrinkAllowed)
        dwMode |= LM_HIDEWRAP;
    return dwMode;
}

int CQorDockRowLayout::LayoutRow(const std::vector<CQorDockRowBar*>& bars, int nLength, int nOffset, int& nOverflow,
                                 std::vector<PLACEMENT>* pPlacements)
{
    nOverflow = -1;
    if (bars.empty())
        return 0;

    // Each bar at its stored position along the row, at the row's offset across it; worked on
    // along x whatever the side.
    std::vector<DOCK_INFO> infos;
    infos.reserve(bars.size());
    for (size_t i = 0; i < bars.size(); i++) {
        CQorDockRowBar* pBar = bars[i];
        const CSize sz = pBar->CalcDockingLayout(nLength, GetBarMode(pBar), 0);
        const CPoint ptDocked = pBar->GetDockedPosition();
        const CPoint ptStart = m_bHorz ? CPoint(ptDocked.x, nOffset) : CPoint(nOffset, ptDocked.y);
        DOCK_INFO info;
        info.pBar = pBar;
        info.rcBar = CRect(ptStart, sz);
        info.rcFirst = info.rcBar;
        info.nIndex = static_cast<int>(i);
        if (!m_bHorz)
            Transpose(info.rcBar);
        infos.push_back(info);
    }

    // Left to right; bars that start at the same place keep the order of the row, which decides
    // who is pushed.
    std::stable_sort(infos.begin(), infos.end(),
                     [](const DOCK_INFO& a, const DOCK_INFO& b) { return a.rcBar.left < b.rcBar.left; });

    PushPass(infos, TRUE, nLength);
    PushPass(infos, FALSE, nLength);
    // Whatever still overlaps, or lies before the row's start, moves right.
    int nEdge = 0;
    for (DOCK_INFO& info : infos) {
        if (info.rcBar.left < nEdge)
            info.rcBar.OffsetRect(nEdge - info.rcBar.left, 0);
        nEdge = info.rcBar.right;
    }

    if (infos.back().rcBar.right > nLength && !Squeeze(infos, nLength)) {
        nOverflow = infos.back().nIndex;
        return -1;
    }

    if (!m_bHorz)
        for (DOCK_INFO& info : infos)
            Transpose(info.rcBar);

    // A bar left at the length it asked for keeps the thickness it answered; one pushed shorter
    // is asked again.
    int nThickness = 0;
    for (DOCK_INFO& info : infos) {
        const int nAlong = m_bHorz ? info.rcBar.Width() : info.rcBar.Height();
        const CSize szFirst = info.rcFirst.Size();
        const CSize sz = nAlong == AlongLength(szFirst) ? szFirst
                                                         : info.pBar->CalcDockingLayout(nAlong, GetBarMode(info.pBar), 0);
        nThickness = std::max(nThickness, AcrossLength(sz));
    }

    if (pPlacements)
        Place(infos, nLength, nThickness, *pPlacements);
    return nThickness;
}

void CQorDockRowLayout::PushPass(std::vector<DOCK_INFO>& infos, BOOL bForward, int nLength) const
{
    // A bar that overlaps the one before it in the pass moves away from it, unless that one comes
    // later in the row and was not pushed itself: the earlier bar keeps its place, and the later
    // one gives way in the other pass.
    const int nCount = static_cast<int>(infos.size());
    int nEdge = bForward ? 0 : nLength, nPrevIndex = -1;
    BOOL bPushed = TRUE;
    for (int k = 0; k < nCount; k++) {
        DOCK_INFO& info = infos[bForward ? k : nCount - 1 - k];
        const int nOverlap = bForward ? nEdge - info.rcBar.left : info.rcBar.right - nEdge;
        if (nOverlap <= 0 || (nPrevIndex >= info.nIndex && !bPushed)) {
            bPushed = FALSE;
        } else {
            info.rcBar.OffsetRect(bForward ? nOverlap : -nOverlap, 0);
            bPushed = TRUE;
        }
        nEdge = bForward ? info.rcBar.right : info.rcBar.left;
        nPrevIndex = info.nIndex;
    }
}

BOOL CQorDockRowLayout::Squeeze(std::vector<DOCK_INFO>& infos, int nLength) const
{
    // A bar that may shrink goes down to its smallest layout; any other bar needs the whole row.
    int nPrecedingMin = 0;
    for (DOCK_INFO& info : infos) {
        const DWORD dwMode = GetBarMode(info.pBar);
        info.nMinLength = (dwMode & LM_HIDEWRAP) ? AlongLength(info.pBar->CalcDockingLayout(1, dwMode, 0)) : nLength;
        info.nPrecedingMin = nPrecedingMin;
        nPrecedingMin += info.nMinLength;
    }
    // From the far end: each bar ends where the next begins and gives up length, never more
    // than leaves it its minimum nor so much that the bars before it lose theirs.
    int nBoundary = nLength;
    for (auto it = infos.rbegin(); it != infos.rend(); ++it) {
        DOCK_INFO& info = *it;
        const int nFirstLeft = m_bHorz ? info.rcFirst.left : info.rcFirst.top;
        int nStart = std::min(nFirstLeft, static_cast<int>(info.rcBar.left));
        nStart = std::max(nStart, static_cast<int>(info.rcBar.left + nBoundary - info.rcBar.right));
        nStart = std::max(nStart, info.nPrecedingMin);
        if (nBoundary - nStart < info.nMinLength)
            nStart = nBoundary - info.nMinLength;
        if ((nBoundary - nStart < info.nMinLength || nStart < info.nPrecedingMin) && infos.size() > 1)
            return FALSE;
        info.rcBar.left = std::max(nStart, 0);
        info.rcBar.right = nBoundary;
        nBoundary = info.rcBar.left;
    }
    return TRUE;
}

void CQorDockRowLayout::Place(std::vector<DOCK_INFO>& infos, int nLength, int nThickness,
                              std::vector<PLACEMENT>& placements) const
{
    auto nearEdge = [this](const CRect& rc) { return m_bHorz ? rc.left : rc.top; };
    auto farEdge = [this](const CRect& rc) { return m_bHorz ? rc.right : rc.bottom; };
    for (size_t i = 0; i < infos.size(); i++) {
        const DOCK_INFO& info = infos[i];
        DWORD dwMode = GetBarMode(info.pBar) | LM_COMMIT;
        int nNear = static_cast<int>(nearEdge(info.rcBar)), nFar = static_cast<int>(farEdge(info.rcBar));
        if (info.pBar->GetRowFlags() & qorDockRowFillGap) {
            nFar = i + 1 < infos.size() ? static_cast<int>(nearEdge(infos[i + 1].rcBar)) : nLength;
            nNear = std::min(nNear, i > 0 ? static_cast<int>(farEdge(infos[i - 1].rcBar)) : 0);
            dwMode |= LM_STRETCH;
        }
        const CSize sz = info.pBar->CalcDockingLayout(nFar - nNear, dwMode, nThickness);
        const CPoint ptNear = m_bHorz ? CPoint(nNear, info.rcBar.top) : CPoint(info.rcBar.left, nNear);
        placements.push_back({info.pBar, CRect(ptNear, sz)});
    }
}

int CQorDockRowLayout::LayoutWrappedRow(const std::vector<CQorDockRowBar*>& bars, int nLength, int nOffset,
                                        std::vector<PLACEMENT>* pPlacements)
{
    std::vector<CQorDockRowBar*> row = bars;
    int nTotal = 0;
    while (!row.empty()) {
        // A row of one bar always fits, so each round ends with at least one bar placed.
        std::vector<CQorDockRowBar*> overflow;
        int nThickness = 0;
        for (;;) {
            int nOverflow = -1;
            nThickness = LayoutRow(row, nLength, nOffset, nOverflow, pPlacements);
            if (nThickness >= 0)
                break;
            overflow.push_back(row[nOverflow]);
            row.erase(row.begin() + nOverflow);
        }
        nTotal += nThickness;
        nOffset += nThickness;
        row.swap(overflow);
    }
    return nTotal;
}
