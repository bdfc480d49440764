// The demo scene, built as the reader builds its panes: tree dumps, rectangles, the bar strip,
// a drag, and the caption look with and without visual styles.
#include "demos/docking/DockingScene.h"
#include "tests/toolkit/docking/DockingTestSupport.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/WinThemeWrapper.h"

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

TEST_F(DockingScene, CaptionsTabsAndTheCloseGlyphInBothLooks)
{
    for (QorThemeMode mode : {qorThemeReal, qorThemeOff}) {
        const char* pszLook = mode == qorThemeReal ? "themed" : "unthemed";
        QorSetThemeModeForTest(mode);
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

        CQorDockingPanePaintManager* pPaint = Manager().GetPaintManager();
        CQorDockingPaneCaptionButton* pClose = pGroup->FindCaptionButton(QOR_IDS_DOCKING_CLOSE);
        struct
        {
            BOOL bFocusInside;
            COLORREF clrExpected;
        } states[] = {
            {TRUE, pPaint->GetXtremeColor(COLOR_CAPTIONTEXT)},
            {FALSE, pPaint->GetXtremeColor(mode == qorThemeReal ? COLOR_INACTIVECAPTIONTEXT : COLOR_BTNTEXT)},
        };
        for (const auto& state : states) {
            ::SetFocus(state.bFocusInside ? m_pFrame->m_hwndSearch : m_pFrame->m_wndView.GetSafeHwnd());
            Manager().CheckFocus();
            EXPECT_EQ(state.bFocusInside, pGroup->IsActive()) << pszLook;
            GroupPixels pixels(pGroup);
            EXPECT_GT(pixels.Count(state.clrExpected, pClose->GetRect()), 6)
                << pszLook << (state.bFocusInside ? ", focus inside" : ", focus outside");
        }
        TearDown();
    }
    QorSetThemeModeForTest(qorThemeReal);
}
