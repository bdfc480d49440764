// Docking panes: the cost of a full layout and a full repaint of 10, 25 and 50 panes in a
// 1280 x 960 frame (NativeXP look), each pane a list box of 20 rows, built with CreatePane,
// neighbours and AttachPane into nested splitters and groups of one to three panes.
// Prints medians over 100 runs, in total and per pane, and the per-pane ratio of 50 to 10.
// Then the tab rows the panes are grouped by: the multi-row fill of 200 tabs of rising lengths
// in 300 pixels, against shrinking the same tabs into one row.
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

const int kRuns = 100;

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
};

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

    // The frame's layout pass over two client sizes in turn, so that every group moves.
    const CRect rcSizes[2] = {CRect(0, 0, 1280, 960), CRect(0, 0, 1200, 900)};
    std::vector<double> layouts, repaints;
    for (int run = 0; run < kRuns; run++) {
        double start = Now();
        pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposDefault, nullptr, &rcSizes[run % 2]);
        layouts.push_back(Now() - start);
        Pump();
    }
    // The same pass at an unchanged size: the tree's own work, without moving windows.
    std::vector<double> inPlace;
    for (int run = 0; run < kRuns; run++) {
        double start = Now();
        pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposDefault, nullptr, &rcSizes[0]);
        inPlace.push_back(Now() - start);
        Pump();
    }
    for (int run = 0; run < kRuns; run++) {
        double start = Now();
        ::RedrawWindow(pFrame->GetSafeHwnd(), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        repaints.push_back(Now() - start);
        Pump();
    }
    pFrame->DestroyWindow();
    Pump();
    return {Median(layouts), Median(inPlace), Median(repaints)};
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
    for (int run = 0; run < kRuns; run++) {
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

int wmain()
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    ::OleInitialize(nullptr);
    const int counts[] = {10, 25, 50};
    Result results[3];
    std::printf("%-6s %12s %14s %12s %14s %12s %14s\n", "panes", "layout ms", "layout us/pane", "in place ms",
                "in place us/pane", "repaint ms", "repaint us/pane");
    for (int i = 0; i < 3; i++) {
        results[i] = Measure(counts[i]);
        std::printf("%-6d %12.3f %14.1f %12.3f %14.1f %12.3f %14.1f\n", counts[i], results[i].layout,
                    1000.0 * results[i].layout / counts[i], results[i].inPlace, 1000.0 * results[i].inPlace / counts[i],
                    results[i].repaint, 1000.0 * results[i].repaint / counts[i]);
    }
    const double layoutGrowth = (results[2].layout / 50) / (results[0].layout / 10);
    const double repaintGrowth = (results[2].repaint / 50) / (results[0].repaint / 10);
    benchmark::ReportGoal("layout per pane, 50 / 10", layoutGrowth, "at most 1.5", layoutGrowth <= 1.5);
    benchmark::ReportGoal("repaint per pane, 50 / 10", repaintGrowth, "at most 1.5", repaintGrowth <= 1.5);
    // A layout has to fit well inside one frame of a 60 Hz screen.
    benchmark::ReportGoal("layout of 50 panes, ms", results[2].layout, "under 16", results[2].layout < 16.0);
    benchmark::ReportGoal("layout of 50 panes in place, ms", results[2].inPlace, "under 16", results[2].inPlace < 16.0);
    MeasureMultiRowTabs();
    ::OleUninitialize();
    return 0;
}
