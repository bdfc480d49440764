// The demo scene, built as the reader builds its panes: tree dumps, rectangles, the bar strip,
// a drag, and the caption look with and without visual styles.
#include "demos/docking/DockingScene.h"
#include "tests/toolkit/docking/DockingTestSupport.h"
#include "toolkit/docking/DockingPaneThemes.h"
#include "toolkit/foundation/ColorManager.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/WinThemeWrapper.h"

#include <algorithm>

using dockingtest::GroupPixels;
using dockingtest::Narrow;
using dockingtest::RectInParent;

namespace {

const int kWidth = 700;
const int kHeight = 500;

class DockingScene : public testing::Test
{
protected:
    void Open(BOOL bWithBar = FALSE)
    {
        m_pFrame = new CDockingSceneFrame();
        ASSERT_TRUE(m_pFrame->CreateScene(kWidth, kHeight, bWithBar));
        m_pFrame->ShowWindow(SW_SHOW);
        Layout();
        // The client size as the window manager made it.
        CRect rc;
        m_pFrame->GetClientRect(&rc);
        W = rc.Width();
        H = rc.Height();
    }
    void TearDown() override
    {
        if (m_pFrame && ::IsWindow(m_pFrame->GetSafeHwnd()))
            m_pFrame->DestroyWindow();
        testsupport::PumpMessages();
    }
    void Layout()
    {
        testsupport::PumpMessages();
        m_pFrame->RecalcLayout();
        testsupport::PumpMessages();
    }
    CQorDockingPaneManager& Manager() { return m_pFrame->m_paneManager; }
    CString Dump() { return Manager().DumpLayout(); }
    CRect GroupRect(int nID) { return RectInParent(Manager().FindPane(nID)->GetContainer()->GetPaneHwnd()); }
    CRect ViewRect() { return RectInParent(m_pFrame->m_wndView.GetSafeHwnd()); }

    CDockingSceneFrame* m_pFrame = nullptr;
    int W = 0; // the client's width and height
    int H = 0;
};

} // namespace

TEST_F(DockingScene, PanesAreBuiltAndShownAsTheReaderDoes)
{
    Open();
    EXPECT_EQ("S(v)[S(h)[G(),G(32782*),C],G()]", Narrow(Dump()));
    EXPECT_NE(nullptr, m_pFrame->m_hwndTree) << "the tree came with the first layout";
    EXPECT_EQ(nullptr, m_pFrame->m_hwndSearch);

    Manager().ShowPaneById(DOCKING_SCENE_SEARCH);
    EXPECT_EQ("S(v)[S(h)[G(),G(32782,32783*),C],G()]", Narrow(Dump()));
    EXPECT_NE(nullptr, m_pFrame->m_hwndSearch);
    Manager().ShowPaneById(DOCKING_SCENE_ATTACHMENTS);
    EXPECT_EQ("S(v)[S(h)[G(),G(32782,32783*),C],G(1000*)]", Narrow(Dump()));
    EXPECT_NE(nullptr, m_pFrame->m_hwndList);
}

TEST_F(DockingScene, TheViewGetsWhatThePanesLeave)
{
    Open();
    EXPECT_EQ(CRect(0, 0, DOCKING_SCENE_CONTENTS_WIDTH, H), GroupRect(DOCKING_SCENE_CONTENTS));
    EXPECT_EQ(CRect(DOCKING_SCENE_CONTENTS_WIDTH + 4, 0, W, H), ViewRect());

    Manager().ShowPaneById(DOCKING_SCENE_ATTACHMENTS);
    Layout();
    EXPECT_EQ(CRect(0, 0, DOCKING_SCENE_CONTENTS_WIDTH, H - 104), GroupRect(DOCKING_SCENE_CONTENTS));
    EXPECT_EQ(CRect(DOCKING_SCENE_CONTENTS_WIDTH + 4, 0, W, H - 104), ViewRect());
    EXPECT_EQ(CRect(0, H - 100, W, H), GroupRect(DOCKING_SCENE_ATTACHMENTS));
}

TEST_F(DockingScene, ABarsStripStaysFreeOfPanes)
{
    Open(TRUE);
    Manager().ShowPaneById(DOCKING_SCENE_ATTACHMENTS);
    Layout();
    const int nBar = DOCKING_SCENE_BAR_HEIGHT;
    EXPECT_EQ(CRect(0, H - nBar, W, H), RectInParent(m_pFrame->m_wndBar.GetSafeHwnd()));
    EXPECT_EQ(CRect(0, H - nBar - 100, W, H - nBar), GroupRect(DOCKING_SCENE_ATTACHMENTS));
    EXPECT_EQ(CRect(DOCKING_SCENE_CONTENTS_WIDTH + 4, 0, W, H - nBar - 104), ViewRect());
}

TEST_F(DockingScene, DraggingTheBarResizesContentsAndTheView)
{
    Open();
    CQorDockingPaneSplitterContainer* pSplitter = static_cast<CQorDockingPaneSplitterContainer*>(
        Manager().FindPane(DOCKING_SCENE_CONTENTS)->GetContainer()->GetContainer());
    CQorDockingPaneSplitterWnd* pBar = pSplitter->GetSplitter(0);
    ASSERT_NE(nullptr, pBar);
    ::PostMessageW(pBar->GetSafeHwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(61, 10));
    ::PostMessageW(pBar->GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(61, 10));
    pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 10));
    Layout();
    EXPECT_EQ(CRect(0, 0, DOCKING_SCENE_CONTENTS_WIDTH + 60, H), GroupRect(DOCKING_SCENE_CONTENTS));
    EXPECT_EQ(CRect(DOCKING_SCENE_CONTENTS_WIDTH + 64, 0, W, H), ViewRect());
}

namespace {

// A colour scheme in which caption text, inactive caption text and button text all differ, so
// that a glyph drawn in the wrong one of them shows.
const COLORREF kCaptionText = RGB(255, 255, 0);
const COLORREF kInactiveCaptionText = RGB(0, 160, 160);
const COLORREF kButtonText = RGB(128, 0, 0);

COLORREF DistinctTextColours(int nIndex)
{
    switch (nIndex) {
    case COLOR_CAPTIONTEXT:
        return kCaptionText;
    case COLOR_INACTIVECAPTIONTEXT:
        return kInactiveCaptionText;
    case COLOR_BTNTEXT:
        return kButtonText;
    default:
        return ::GetSysColor(nIndex);
    }
}

} // namespace

TEST_F(DockingScene, CaptionsTabsAndTheCloseGlyphInBothLooks)
{
    for (QorThemeMode mode : {qorThemeReal, qorThemeOff}) {
        const char* pszLook = mode == qorThemeReal ? "themed" : "unthemed";
        QorSetThemeModeForTest(mode);
        GetColorManager()->m_pfnGetSysColor = &DistinctTextColours;
        Open();
        Manager().GetPaintManager()->RefreshMetrics();
        CQorDockingPaneTabbedContainer* pGroup = Manager().FindPane(DOCKING_SCENE_CONTENTS)->GetTabbedContainer();
        EXPECT_TRUE(pGroup->IsCaptionShown()) << pszLook;
        EXPECT_FALSE(pGroup->IsTabsVisible()) << pszLook << ": one pane, no tab row";

        Manager().ShowPaneById(DOCKING_SCENE_SEARCH);
        Layout();
        EXPECT_TRUE(pGroup->IsTabsVisible()) << pszLook;
        CRect rcClient;
        pGroup->GetClientRect(&rcClient);
        EXPECT_EQ(rcClient.bottom, pGroup->m_rcHeaderRect.bottom) << pszLook << ": the row lies at the bottom";
        EXPECT_GT(pGroup->m_rcHeaderRect.top, rcClient.Height() / 2) << pszLook;

        CQorDockingPaneCaptionButton* pClose = pGroup->FindCaptionButton(QOR_IDS_DOCKING_CLOSE);
        // Unthemed, the glyph takes the caption text colour when active and the button text
        // colour when not; themed, it takes what the caption's text takes, readable on the face.
        struct
        {
            BOOL bFocusInside;
            COLORREF clrExpected;
            COLORREF clrWrong[2];
        } states[] = {
            {TRUE, kCaptionText, {kButtonText, kInactiveCaptionText}},
            {FALSE, kButtonText, {kCaptionText, kInactiveCaptionText}},
        };
        for (const auto& state : states) {
            const char* pszState = state.bFocusInside ? ", focus inside" : ", focus outside";
            ::SetFocus(state.bFocusInside ? m_pFrame->m_hwndSearch : m_pFrame->m_wndView.GetSafeHwnd());
            Manager().CheckFocus();
            EXPECT_EQ(state.bFocusInside, pGroup->IsActive()) << pszLook;
            GroupPixels pixels(pGroup);
            const CRect rc = pClose->GetRect();
            ASSERT_FALSE(rc.IsRectEmpty()) << pszLook << pszState;
            if (mode == qorThemeOff) {
                EXPECT_GT(pixels.Count(state.clrExpected, rc), 6) << pszLook << pszState;
                for (COLORREF clrWrong : state.clrWrong)
                    EXPECT_EQ(0, pixels.Count(clrWrong, rc)) << pszLook << pszState;
            } else {
                double dBest = 1.0;
                const COLORREF clrFace = pixels.Pixel(rc.left, rc.top);
                for (int y = rc.top; y < rc.bottom; y++)
                    for (int x = rc.left; x < rc.right; x++)
                        dBest = std::max(dBest, QorContrastRatio(pixels.Pixel(x, y), clrFace));
                EXPECT_GE(dBest, 3.0) << pszLook << pszState << ": the glyph against the caption's face";
            }
        }
        TearDown();
        GetColorManager()->m_pfnGetSysColor = nullptr;
        GetColorManager()->RefreshColors();
    }
    QorSetThemeModeForTest(qorThemeReal);
}

TEST_F(DockingScene, TheThemedCaptionsTextReadsOnItsFaceActiveAndInactive)
{
    QorSetThemeModeForTest(qorThemeReal);
    Open();
    CQorDockingPaneTabbedContainer* pGroup = Manager().FindPane(DOCKING_SCENE_CONTENTS)->GetTabbedContainer();
    ASSERT_NE(nullptr, pGroup->GetSafeHwnd());
    if (!Manager().GetPaintManager()->m_themeWindow.GetHandle())
        GTEST_SKIP() << "no visual styles here";
    const int T = Manager().GetPaintManager()->GetCaptionHeight();
    ASSERT_NEAR(21.0, QorContrastRatio(RGB(0, 0, 0), RGB(255, 255, 255)), 0.01);
    ASSERT_NEAR(1.0, QorContrastRatio(RGB(200, 100, 50), RGB(200, 100, 50)), 0.001);
    for (BOOL bFocusInside : {TRUE, FALSE}) {
        const char* pszState = bFocusInside ? "active" : "inactive";
        ::SetForegroundWindow(m_pFrame->GetSafeHwnd());
        ::SetFocus(bFocusInside ? m_pFrame->m_hwndTree : m_pFrame->m_wndView.GetSafeHwnd());
        Manager().CheckFocus();
        ASSERT_EQ(bFocusInside, pGroup->IsActive()) << pszState;
        pGroup->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        testsupport::PumpMessages();
        // What a person sees: the screen over the caption's text, the first 60 pixels of it.
        testsupport::WindowCapture screen(pGroup->GetSafeHwnd(), true);
        const CRect rcClose = pGroup->FindCaptionButton(QOR_IDS_DOCKING_CLOSE)->GetRect();
        ASSERT_GT(rcClose.left, 70) << pszState;
        double dBest = 1.0;
        for (int y = 1; y <= T; y++) {
            // The face of the band in this row, left of where the text begins.
            const COLORREF clrFace = screen.Pixel(2, y);
            for (int x = 4; x < 64; x++)
                dBest = std::max(dBest, QorContrastRatio(screen.Pixel(x, y), clrFace));
        }
        EXPECT_GE(dBest, 3.0) << pszState << ": the strongest text pixel against the caption's face";
    }
}

namespace {

// The messages a layout pass sends that show it moved, showed, enabled or repainted a window.
int g_nWindowTouches = 0;

LRESULT CALLBACK CountTouchesHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (nCode == HC_ACTION && (pMsg->message == WM_WINDOWPOSCHANGING || pMsg->message == WM_SHOWWINDOW ||
                               pMsg->message == WM_ENABLE || pMsg->message == WM_SIZE))
        g_nWindowTouches++;
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

} // namespace

TEST_F(DockingScene, ALayoutPassInWhichNothingChangedTouchesNoWindow)
{
    Open();
    Manager().ShowPaneById(DOCKING_SCENE_SEARCH);
    Manager().ShowPaneById(DOCKING_SCENE_ATTACHMENTS);
    Layout();
    CQorDockingPaneTabbedContainer* pGroup = Manager().FindPane(DOCKING_SCENE_CONTENTS)->GetTabbedContainer();
    ASSERT_EQ(2, pGroup->GetItemCount());
    const CQorTabManagerItem* pFirstTab = pGroup->GetItem(0);
    const int nShown = m_pFrame->m_nShowNotifications;
    const CRect rcClient = [this] {
        CRect rc;
        m_pFrame->GetClientRect(&rc);
        return rc;
    }();

    g_nWindowTouches = 0;
    HHOOK hHook = ::SetWindowsHookExW(WH_CALLWNDPROC, &CountTouchesHook, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(nullptr, hHook);
    m_pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposDefault, nullptr, &rcClient);
    ::UnhookWindowsHookEx(hHook);

    EXPECT_EQ(0, g_nWindowTouches) << "no window moved, shown, hidden or enabled";
    EXPECT_EQ(nShown, m_pFrame->m_nShowNotifications) << "the owner was asked for nothing";
    EXPECT_EQ(pFirstTab, pGroup->GetItem(0)) << "the tabs were not made again";

    // A pass that does change something still does it: the bottom group grows.
    Manager().FindPane(DOCKING_SCENE_ATTACHMENTS)->GetContainer()->m_nDockingCY = 160;
    Layout();
    EXPECT_EQ(CRect(0, H - 160, W, H), GroupRect(DOCKING_SCENE_ATTACHMENTS));
    EXPECT_EQ(CRect(DOCKING_SCENE_CONTENTS_WIDTH + 4, 0, W, H - 164), ViewRect());
}
