// Docking panes: the cost of a full layout and a full repaint of 10, 25 and 50 panes in a
// 1280 x 960 frame (NativeXP look), each pane a list box of 20 rows, built with CreatePane,
// neighbours and AttachPane into nested splitters and groups of one to three panes.
// Prints medians over 100 runs, in total and per pane, and the per-pane ratio of 50 to 10.
// Then the tab rows the panes are grouped by: the multi-row fill of 200 tabs of rising lengths
// in 300 pixels, against shrinking the same tabs into one row.
//
// Moving windows is most of a layout's cost and depends on the platform (under Wine on a
// virtual display it alone takes hundreds of milliseconds for 50 panes), so the layout is also
// measured against a bare replay: the same windows (the groups, the bars and the panes' list
// boxes) moved to the same rectangles with one deferred batch per parent window,
// with nothing else done. The two alternate in one run and the ratio of their medians is the
// goal. A pass in which nothing changed is measured too: it must stay a small part of a full one.
#include <windows.h>

#include <algorithm>
#include <commctrl.h>
#include <cstdio>
#include <vector>

#include "benchmarks/BenchmarkTiming.h"
#include "platform/framework/FrameWnd.h"
#include "toolkit/docking/DockingPane.h"
#include "toolkit/docking/DockingPaneManager.h"
#include "toolkit/tabs/TabManager.h"
#include "toolkit/tabs/TabPaintManager.h"

namespace {

int g_nRuns = 100; // the first argument changes it

using benchmark::Median;
using benchmark::Now;
using benchmark::Pump;

class BenchmarkFrame : public CFrameWnd
{
public:
    CQorDockingPaneManager m_manager;
    CWnd m_wndView;
};

// Pane i docks beside pane i / 2 in a direction that turns with i, so the splitters nest about
// log2(count) deep; every third pane joins its neighbour's group instead.
void BuildPanes(BenchmarkFrame* pFrame, int nCount)
{
    const int directions[] = {qorDockLeft, qorDockBottom, qorDockRight, qorDockTop};
    std::vector<CQorDockingPane*> panes;
    for (int i = 0; i < nCount; i++) {
        CQorDockingPane* pNeighbour = i ? panes[i / 2] : nullptr;
        CQorDockingPane* pPane =
            pFrame->m_manager.CreatePane(100 + i, CRect(0, 0, 160, 120), directions[i % 4], pNeighbour);
        if (i % 3 == 2)
            pFrame->m_manager.AttachPane(panes[i - 1], pPane);
        HWND hList = ::CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 0, 0, 0, 0,
                                       pFrame->GetSafeHwnd(), nullptr, nullptr, nullptr);
        for (int row = 0; row < 20; row++) {
            wchar_t szRow[32];
            std::swprintf(szRow, 32, L"Row %d of pane %d", row + 1, i + 1);
            ::SendMessageW(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(szRow));
        }
        pPane->Attach(hList);
        panes.push_back(pPane);
    }
    pFrame->m_manager.SyncPaneHolders();
}

struct Result
{
    double layout;
    double inPlace;
    double repaint;
    double replay;
};

// Where every window of the layout stands: the frame's children other than the hidden manager,
// and the children of the tab groups, each in its parent's client coordinates.
struct Placement
{
    HWND hWnd;
    HWND hWndParent;
    RECT rc;
};

void CollectChildren(HWND hWndParent, BOOL bDescendIntoGroups, std::vector<Placement>& placements)
{
    for (HWND hWnd = ::GetWindow(hWndParent, GW_CHILD); hWnd; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        if (!(::GetWindowLongW(hWnd, GWL_STYLE) & WS_VISIBLE) && bDescendIntoGroups)
            continue; // the manager's own window, and closed panes' windows under it
        if (::GetDlgCtrlID(hWnd) == AFX_IDW_PANE_FIRST && bDescendIntoGroups)
            continue; // the view: a layout pass given the client rectangle leaves it alone
        Placement placement = {hWnd, hWndParent, {}};
        ::GetWindowRect(hWnd, &placement.rc);
        ::MapWindowPoints(HWND_DESKTOP, hWndParent, reinterpret_cast<LPPOINT>(&placement.rc), 2);
        placements.push_back(placement);
    }
}

// The frame's windows first, then each group's children: every parent's windows lie together
// (one batch each), and a group has its new size before its children move.
std::vector<Placement> CollectPlacements(HWND hWndFrame)
{
    std::vector<Placement> placements;
    CollectChildren(hWndFrame, TRUE, placements);
    const size_t nFrameChildren = placements.size();
    for (size_t i = 0; i < nFrameChildren; i++) {
        wchar_t szClass[64] = {};
        ::GetClassNameW(placements[i].hWnd, szClass, 64);
        if (lstrcmpW(szClass, L"QorDockingPaneTabbedContainer") == 0)
            CollectChildren(placements[i].hWnd, FALSE, placements);
    }
    return placements;
}

// How many of the windows already stand where the placements put them.
int CountInPlace(const std::vector<Placement>& placements)
{
    int n = 0;
    for (const Placement& placement : placements) {
        RECT rc;
        ::GetWindowRect(placement.hWnd, &rc);
        ::MapWindowPoints(HWND_DESKTOP, placement.hWndParent, reinterpret_cast<LPPOINT>(&rc), 2);
        n += ::EqualRect(&rc, &placement.rc) ? 1 : 0;
    }
    return n;
}

// Moves every window to its recorded place: one deferred batch per parent, nothing else.
void Replay(const std::vector<Placement>& placements)
{
    size_t i = 0;
    while (i < placements.size()) {
        const HWND hWndParent = placements[i].hWndParent;
        size_t nEnd = i;
        while (nEnd < placements.size() && placements[nEnd].hWndParent == hWndParent)
            nEnd++;
        HDWP hDWP = ::BeginDeferWindowPos(static_cast<int>(nEnd - i));
        for (; i < nEnd; i++) {
            const RECT& rc = placements[i].rc;
            if (hDWP)
                hDWP = ::DeferWindowPos(hDWP, placements[i].hWnd, nullptr, rc.left, rc.top, rc.right - rc.left,
                                        rc.bottom - rc.top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (hDWP)
            ::EndDeferWindowPos(hDWP);
    }
}

Result Measure(int nCount)
{
    BenchmarkFrame* pFrame = new BenchmarkFrame();
    CRect rcFrame(0, 0, 1280, 960);
    ::AdjustWindowRectEx(&rcFrame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    pFrame->Create(nullptr, L"Docking benchmark", WS_OVERLAPPEDWINDOW, rcFrame);
    pFrame->m_wndView.CreateEx(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pFrame, AFX_IDW_PANE_FIRST);
    pFrame->m_manager.InstallDockingPanes(pFrame);
    pFrame->m_manager.SetTheme(3);
    BuildPanes(pFrame, nCount);
    pFrame->ShowWindow(SW_SHOW);
    pFrame->RecalcLayout();
    Pump();

    // The frame's layout pass over two client sizes in turn, so that every group moves. Each
    // pair of passes is followed by the bare replay of the same two moves, so that toolkit and
    // replay always move the windows from the other size to this one.
    const CRect rcSizes[2] = {CRect(0, 0, 1280, 960), CRect(0, 0, 1200, 900)};
    std::vector<Placement> placements[2];
    for (int i = 0; i < 2; i++) {
        pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposDefault, nullptr, &rcSizes[i]);
        Pump();
        placements[i] = CollectPlacements(pFrame->GetSafeHwnd());
    }
    std::vector<double> layouts, replays, repaints;
    // Windows a timed step finds at its target already: the same number for both, or one of
    // them was helped by what ran in between.
    int nPlacedBeforeLayout = 0, nPlacedBeforeReplay = 0;
    for (int run = 0; run < g_nRuns; run++) {
        nPlacedBeforeLayout = std::max(nPlacedBeforeLayout, CountInPlace(placements[run % 2]));
        double start = Now();
        pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposDefault, nullptr, &rcSizes[run % 2]);
        layouts.push_back(Now() - start);
        Pump();
        if (run % 2 == 1) {
            for (int i = 0; i < 2; i++) {
                nPlacedBeforeReplay = std::max(nPlacedBeforeReplay, CountInPlace(placements[i]));
                start = Now();
                Replay(placements[i]);
                replays.push_back(Now() - start);
                Pump();
            }
        }
    }
    // The same pass at an unchanged size: the tree's own work, without moving windows.
    std::vector<double> inPlace;
    for (int run = 0; run < g_nRuns; run++) {
        double start = Now();
        pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposDefault, nullptr, &rcSizes[0]);
        inPlace.push_back(Now() - start);
        Pump();
    }
    for (int run = 0; run < g_nRuns; run++) {
        double start = Now();
        ::RedrawWindow(pFrame->GetSafeHwnd(), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        repaints.push_back(Now() - start);
        Pump();
    }
    pFrame->DestroyWindow();
    Pump();
    std::printf("(%d panes: %d windows, at most %d already in place before a layout, %d before a replay)\n", nCount,
                static_cast<int>(placements[0].size()), nPlacedBeforeLayout, nPlacedBeforeReplay);
    return {Median(layouts), Median(inPlace), Median(repaints), Median(replays)};
}

// A window-less row of tabs whose lengths are set directly.
class BenchmarkTabRow : public CQorTabManager
{
public:
    explicit BenchmarkTabRow(CQorTabPaintManager* pPaintManager) : m_pPaintManager(pPaintManager) {}
    CQorTabPaintManager* GetPaintManager() const override { return m_pPaintManager; }
    void Reposition() override {}
    void RedrawControl(LPCRECT, BOOL) override {}
    BOOL DrawItemImage(CDC*, CPoint, CQorTabManagerItem*, BOOL, CSize*) override { return FALSE; }
    void SetLengths(const std::vector<int>& lengths)
    {
        for (int i = 0; i < GetItemCount(); ++i)
            GetItem(i)->m_nLength = lengths[static_cast<size_t>(i)];
    }
    CQorTabPaintManager* m_pPaintManager;
};

// Medians of the multi-row fill and of shrink-to-fit over the same 200 tabs.
void MeasureMultiRowTabs()
{
    const int kTabs = 200, kAvailable = 300;
    CQorTabPaintManager painter;
    BenchmarkTabRow row(&painter);
    std::vector<int> lengths;
    for (int i = 0; i < kTabs; i++) {
        row.InsertItem(-1);
        lengths.push_back(60 + (i * 200) / kTabs); // rising lengths: the hardest case for the fill
    }
    std::vector<double> multiRow, shrink;
    for (int run = 0; run < g_nRuns; run++) {
        row.SetLengths(lengths);
        double start = Now();
        painter.FillMultiRows(&row, kAvailable);
        multiRow.push_back(Now() - start);
        row.SetLengths(lengths);
        start = Now();
        painter.ShrinkTabsToFit(&row, kAvailable);
        shrink.push_back(Now() - start);
    }
    std::printf("multi-row tabs, %d in %d px: %.3f ms in %d rows, shrink to fit %.3f ms, ratio %.1f (goal: well "
                "under 100 ms)\n",
                kTabs, kAvailable, Median(multiRow), row.GetRowCount(), Median(shrink),
                Median(multiRow) / std::max(Median(shrink), 0.001));
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc > 1 && _wtoi(argv[1]) > 0)
        g_nRuns = _wtoi(argv[1]);
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    ::OleInitialize(nullptr);
    const int counts[] = {10, 25, 50};
    Result results[3];
    std::printf("%-6s %10s %10s %10s %12s %10s %12s %10s %12s\n", "panes", "layout ms", "replay ms", "ratio",
                "in place ms", "us/pane", "repaint ms", "us/pane", "layout us/pane");
    for (int i = 0; i < 3; i++) {
        results[i] = Measure(counts[i]);
        std::printf("%-6d %10.3f %10.3f %10.2f %12.3f %10.1f %12.3f %10.1f %12.1f\n", counts[i], results[i].layout,
                    results[i].replay, results[i].layout / results[i].replay, results[i].inPlace,
                    1000.0 * results[i].inPlace / counts[i], results[i].repaint,
                    1000.0 * results[i].repaint / counts[i], 1000.0 * results[i].layout / counts[i]);
    }
    const double layoutGrowth = (results[2].layout / 50) / (results[0].layout / 10);
    const double repaintGrowth = (results[2].repaint / 50) / (results[0].repaint / 10);
    benchmark::ReportGoal("layout per pane, 50 / 10", layoutGrowth, "at most 1.5", layoutGrowth <= 1.5);
    benchmark::ReportGoal("repaint per pane, 50 / 10", repaintGrowth, "at most 1.5", repaintGrowth <= 1.5);
    const double dRatio = results[2].layout / results[2].replay;
    benchmark::ReportGoal("layout of 50 panes / bare replay of its window moves (same windows, same rectangles, one "
                          "deferred batch per parent)",
                          dRatio, "at most 1.15", dRatio <= 1.15);
    std::printf("nothing changed, 50 panes: %.3f ms, %.1f us per pane, %.1f %% of the full layout\n",
                results[2].inPlace, 1000.0 * results[2].inPlace / 50, 100.0 * results[2].inPlace / results[2].layout);
    MeasureMultiRowTabs();
    ::OleUninitialize();
    return 0;
}
