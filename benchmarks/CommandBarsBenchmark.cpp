// Command bars against the common controls: two frames of the same client size, one with N
// docked tool bars of the command-bars manager, one with the same buttons in N ToolbarWindow32
// bars that its own layout measures and places in rows in one DeferWindowPos batch. Prints the
// medians of a full layout and a full repaint (from scratch and, on the toolkit side, from the
// bars' cached images) for 4, 8 and 16 bars, and the ratios the bars are held to.
#include <windows.h>

#include <algorithm>
#include <commctrl.h>
#include <cstdio>
#include <vector>

#include "benchmarks/BenchmarkTiming.h"
#include "platform/framework/FrameWnd.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBarAnimation.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/FrameWndBase.h"
#include "toolkit/commandbars/ToolBar.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/ImageManager.h"

namespace {

const int kWarmUps = 5;
const int kRuns = 50;
const int kButtons = 30;
const UINT kFirstId = 40000;
// The frames stand one above the other on the 1280 x 1024 display; 30 buttons of a bar fit
// in one row of this width on both sides.
const int kClientWidth = 900;
const int kClientHeight = 440;

using benchmark::Median;
using benchmark::Now;
using benchmark::Pump;

// 30 distinct 16 x 16 icons in one 32-bit strip: a coloured square with a dark frame and a
// bar whose place tells the icons apart.
HBITMAP MakeIconStrip()
{
    // Top-down: row 0 is the top of the strip.
    void* pvBits = nullptr;
    HBITMAP hBitmap = CreateDIB32(nullptr, 16 * kButtons, -16, &pvBits);
    if (!hBitmap)
        return nullptr;
    DWORD* pBits = static_cast<DWORD*>(pvBits);
    const int nStride = 16 * kButtons;
    for (int i = 0; i < kButtons; i++) {
        const DWORD fill = 0xFF000000u | ((40 + 7 * i) << 16) | ((200 - 5 * i) << 8) | (90 + 4 * i);
        for (int y = 0; y < 16; y++)
            for (int x = 0; x < 16; x++) {
                DWORD argb = 0;
                if (x >= 2 && x < 14 && y >= 2 && y < 14)
                    argb = (x == 2 || x == 13 || y == 2 || y == 13 || y == 3 + i % 10) ? 0xFF282830u : fill;
                pBits[y * nStride + 16 * i + x] = argb;
            }
    }
    return hBitmap;
}

UINT ButtonId(int nBar, int nButton)
{
    return kFirstId + static_cast<UINT>(nBar * kButtons + nButton);
}

CRect FrameRect(int nTop)
{
    CRect rc(0, 0, kClientWidth, kClientHeight);
    ::AdjustWindowRectEx(&rc, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_CLIENTEDGE);
    rc.OffsetRect(-rc.left, nTop - rc.top);
    return rc;
}

// Both frames skip the layout a resize asks for while the clock is not running, so that each
// timed RecalcLayout is the one that meets the new width.
class CToolkitFrame : public CQorFrameWndBase<CFrameWnd>
{
public:
    BOOL m_bHoldLayout = FALSE;
    void RecalcLayout(BOOL bNotify = TRUE) override
    {
        if (!m_bHoldLayout)
            CQorFrameWndBase<CFrameWnd>::RecalcLayout(bNotify);
    }

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override
    {
        if (!InitCommandBars())
            return FALSE;
        return CFrameWnd::OnCreateClient(lpcs, pContext);
    }
};

class CCommonControlsFrame : public CFrameWnd
{
public:
    BOOL m_bHoldLayout = FALSE;
    std::vector<HWND> m_bars;

    // The bars at their full size, left to right in rows, the view below them.
    void RecalcLayout(BOOL = TRUE) override
    {
        if (m_bHoldLayout)
            return;
        CRect rcClient;
        GetClientRect(&rcClient);
        HDWP hdwp = ::BeginDeferWindowPos(static_cast<int>(m_bars.size()) + 1);
        int x = 0, y = 0, nRowHeight = 0;
        for (HWND hBar : m_bars) {
            SIZE size = {};
            ::SendMessageW(hBar, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
            if (x > 0 && x + size.cx > rcClient.Width()) {
                x = 0;
                y += nRowHeight;
                nRowHeight = 0;
            }
            hdwp = ::DeferWindowPos(hdwp, hBar, nullptr, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
            x += size.cx;
            nRowHeight = std::max<int>(nRowHeight, size.cy);
        }
        y += nRowHeight;
        if (CWnd* pView = GetDlgItem(AFX_IDW_PANE_FIRST))
            hdwp = ::DeferWindowPos(hdwp, pView->GetSafeHwnd(), nullptr, 0, y, rcClient.Width(),
                                    std::max(0, static_cast<int>(rcClient.Height()) - y), SWP_NOZORDER | SWP_NOACTIVATE);
        ::EndDeferWindowPos(hdwp);
    }
};

void AddView(CFrameWnd* pFrame)
{
    CWnd* pView = new CWnd;
    pView->CreateEx(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pFrame, AFX_IDW_PANE_FIRST);
}

CToolkitFrame* MakeToolkitFrame(int nBars, HBITMAP hIcons)
{
    auto* pFrame = new CToolkitFrame;
    pFrame->Create(nullptr, L"Command bars", WS_OVERLAPPEDWINDOW, FrameRect(0));
    AddView(pFrame);
    CQorCommandBars* pCommandBars = pFrame->GetCommandBars();
    for (int nBar = 0; nBar < nBars; nBar++) {
        std::vector<UINT> ids(kButtons);
        for (int k = 0; k < kButtons; k++)
            ids[k] = ButtonId(nBar, k);
        GetImageManager()->SetIconsFromBitmap(hIcons, TRUE, ids.data(), kButtons, 0, 16, 16);
        wchar_t szTitle[32];
        std::swprintf(szTitle, 32, L"Bar %d", nBar + 1);
        auto* pBar = dynamic_cast<CQorToolBar*>(pCommandBars->CreateToolBar(szTitle, 100 + nBar));
        if (pBar) {
            pBar->SetButtons(ids.data(), kButtons);
            // A bar paints through its cached image only while it animates; without that the
            // cached repaint would be a second from-scratch one.
            pBar->m_bAnimation = TRUE;
        }
    }
    pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    pFrame->RecalcLayout();
    return pFrame;
}

CCommonControlsFrame* MakeCommonControlsFrame(int nBars, HIMAGELIST hImages)
{
    auto* pFrame = new CCommonControlsFrame;
    pFrame->Create(nullptr, L"Common controls", WS_OVERLAPPEDWINDOW, FrameRect(FrameRect(0).bottom + 8));
    AddView(pFrame);
    for (int nBar = 0; nBar < nBars; nBar++) {
        HWND hBar = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                                      WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_NORESIZE | CCS_NOPARENTALIGN |
                                          CCS_NODIVIDER,
                                      0, 0, 0, 0, pFrame->GetSafeHwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(200 + nBar)),
                                      nullptr, nullptr);
        ::SendMessageW(hBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        ::SendMessageW(hBar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(hImages));
        std::vector<TBBUTTON> buttons(kButtons);
        for (int k = 0; k < kButtons; k++) {
            buttons[k] = {};
            buttons[k].iBitmap = k;
            buttons[k].idCommand = static_cast<int>(ButtonId(nBar, k));
            buttons[k].fsState = TBSTATE_ENABLED;
            buttons[k].fsStyle = BTNS_BUTTON;
            buttons[k].iString = -1;
        }
        ::SendMessageW(hBar, TB_ADDBUTTONSW, kButtons, reinterpret_cast<LPARAM>(buttons.data()));
        pFrame->m_bars.push_back(hBar);
    }
    pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    pFrame->RecalcLayout();
    return pFrame;
}

// The frame's width alternates by one pixel; the resize itself is not timed.
template <class TFrame> double MeasureLayout(TFrame* pFrame)
{
    const CRect rcFrame = [&] {
        CRect rc;
        pFrame->GetWindowRect(&rc);
        return rc;
    }();
    std::vector<double> times;
    for (int run = 0; run < kWarmUps + kRuns; run++) {
        pFrame->m_bHoldLayout = TRUE;
        pFrame->SetWindowPos(nullptr, 0, 0, rcFrame.Width() - (run % 2 ? 0 : 1), rcFrame.Height(),
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        pFrame->m_bHoldLayout = FALSE;
        double start = Now();
        pFrame->RecalcLayout();
        double elapsed = Now() - start;
        if (run >= kWarmUps)
            times.push_back(elapsed);
        Pump();
    }
    pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    return Median(times);
}

void DropCaches(CToolkitFrame* pFrame)
{
    CQorCommandBars* pCommandBars = pFrame->GetCommandBars();
    for (int i = 0; i < pCommandBars->GetCount(); i++)
        if (CQorCommandBar* pBar = pCommandBars->GetToolBar(i))
            if (CQorCommandBarAnimation* pAnimation = pBar->GetAnimation())
                pAnimation->DropCache();
}

// pBeforeEach runs outside the clock before every repaint.
template <class TBefore> double MeasureRepaint(CWnd* pFrame, TBefore beforeEach)
{
    std::vector<double> times;
    for (int run = 0; run < kWarmUps + kRuns; run++) {
        beforeEach();
        double start = Now();
        pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        ::GdiFlush();
        double elapsed = Now() - start;
        if (run >= kWarmUps)
            times.push_back(elapsed);
        Pump();
    }
    return Median(times);
}

struct Result
{
    double toolkitLayout, toolkitRepaint, toolkitCached;
    double commonLayout, commonRepaint;
    CRect toolkitRows, commonRows;
};

// The client area above the view: where the bars stand, so the run shows both sides laid
// their bars out alike.
CRect BarArea(CFrameWnd* pFrame)
{
    CRect rcClient, rcView;
    pFrame->GetClientRect(&rcClient);
    pFrame->GetDlgItem(AFX_IDW_PANE_FIRST)->GetWindowRect(&rcView);
    pFrame->ScreenToClient(&rcView);
    return CRect(0, 0, rcClient.Width(), rcView.top);
}

Result Measure(int nBars, HBITMAP hIcons, HIMAGELIST hImages)
{
    CToolkitFrame* pToolkit = MakeToolkitFrame(nBars, hIcons);
    CCommonControlsFrame* pCommon = MakeCommonControlsFrame(nBars, hImages);
    Pump();
    Result result = {};
    result.toolkitRows = BarArea(pToolkit);
    result.commonRows = BarArea(pCommon);
    result.toolkitLayout = MeasureLayout(pToolkit);
    result.commonLayout = MeasureLayout(pCommon);
    result.toolkitRepaint = MeasureRepaint(pToolkit, [&] { DropCaches(pToolkit); });
    result.toolkitCached = MeasureRepaint(pToolkit, [] {});
    result.commonRepaint = MeasureRepaint(pCommon, [] {});
    pToolkit->DestroyWindow();
    pCommon->DestroyWindow();
    Pump();
    return result;
}

} // namespace

int wmain()
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    ::OleInitialize(nullptr);
    HBITMAP hIcons = MakeIconStrip();
    HIMAGELIST hImages = ::ImageList_Create(16, 16, ILC_COLOR32, kButtons, 0);
    ::ImageList_Add(hImages, hIcons, nullptr);

    const int counts[] = {4, 8, 16};
    Result results[3];
    std::printf("%-5s %8s | %12s %14s %13s %12s | %12s %13s\n", "bars", "buttons", "layout ms", "repaint ms",
                "cached ms", "layout us/btn", "cc layout ms", "cc repaint ms");
    for (int i = 0; i < 3; i++) {
        results[i] = Measure(counts[i], hIcons, hImages);
        const Result& r = results[i];
        std::printf("%-5d %8d | %12.3f %14.3f %13.3f %12.2f | %12.3f %13.3f\n", counts[i], counts[i] * kButtons,
                    r.toolkitLayout, r.toolkitRepaint, r.toolkitCached, 1000.0 * r.toolkitLayout / (counts[i] * kButtons),
                    r.commonLayout, r.commonRepaint);
        std::printf("      bar area: toolkit %d x %d, common controls %d x %d\n", r.toolkitRows.Width(),
                    r.toolkitRows.Height(), r.commonRows.Width(), r.commonRows.Height());
    }
    const Result& r8 = results[1];
    std::printf("8 bars, toolkit / common controls: cached repaint %.2f\n", r8.toolkitCached / r8.commonRepaint);
    const double layoutRatio = r8.toolkitLayout / r8.commonLayout;
    const double repaintRatio = r8.toolkitRepaint / r8.commonRepaint;
    benchmark::ReportGoal("8 bars, layout toolkit / common controls", layoutRatio, "at most 2", layoutRatio <= 2.0);
    benchmark::ReportGoal("8 bars, repaint from scratch toolkit / common controls", repaintRatio, "at most 2",
                          repaintRatio <= 2.0);
    const double perButton = (results[2].toolkitLayout / 16) / (results[0].toolkitLayout / 4);
    std::printf("layout per button, 16 bars / 4 bars, common controls: %.2f\n",
                (results[2].commonLayout / 16) / (results[0].commonLayout / 4));
    benchmark::ReportGoal("layout per button, 16 bars / 4 bars", perButton, "at most 1.5", perButton <= 1.5);

    ::ImageList_Destroy(hImages);
    ::DeleteObject(hIcons);
    ::OleUninitialize();
    return 0;
}
