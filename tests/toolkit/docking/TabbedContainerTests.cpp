// Tab groups: selecting and reordering tabs, the caption buttons, help hit tests, and the
// group window that comes and goes with its panes.
#include "tests/toolkit/docking/DockingTestSupport.h"
#include "toolkit/foundation/ToolTipContext.h"
#include "toolkit/tabs/TabManagerNavigateButton.h"

#include <cstdlib>
#include <string>

using dockingtest::FrameTest;
using dockingtest::Narrow;

namespace {

class TabbedContainer : public FrameTest
{
protected:
    // One group of three tabs at the left (3 selected), laid out.
    CQorDockingPaneTabbedContainer* MakeGroup(int nFirstID = 1)
    {
        CQorDockingPane* pFirst = Create(nFirstID, qorDockLeft, nullptr, 300, 300);
        Manager().AttachPane(pFirst, Create(nFirstID + 1, qorDockRight));
        Manager().AttachPane(pFirst, Create(nFirstID + 2, qorDockRight));
        Manager().SyncPaneHolders();
        Manager().GetLayout()->TidyLayout();
        Layout();
        return pFirst->GetTabbedContainer();
    }
    static LPARAM TabPoint(CQorDockingPaneTabbedContainer* pGroup, int nTab)
    {
        CPoint pt = pGroup->GetItem(nTab)->GetRect().CenterPoint();
        return MAKELPARAM(pt.x, pt.y);
    }
};

} // namespace

TEST_F(TabbedContainer, AClickOnATabSelectsItsPane)
{
    CQorDockingPaneTabbedContainer* pGroup = MakeGroup();
    ASSERT_EQ(3, pGroup->GetItemCount());
    EXPECT_TRUE(pGroup->IsTabsVisible());
    pGroup->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, TabPoint(pGroup, 0));
    pGroup->SendMessage(WM_LBUTTONUP, 0, TabPoint(pGroup, 0));
    EXPECT_EQ(1, pGroup->GetSelected()->GetId());
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(TabbedContainer, DraggingTheFirstTabOverTheThirdSwapsThem)
{
    CQorDockingPaneTabbedContainer* pGroup = MakeGroup();
    const LPARAM ptThird = TabPoint(pGroup, 2);
    pGroup->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, TabPoint(pGroup, 0));
    EXPECT_EQ(pGroup->GetSafeHwnd(), ::GetCapture());
    pGroup->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, ptThird);
    pGroup->SendMessage(WM_LBUTTONUP, 0, ptThird);
    EXPECT_EQ("S(h)[G(3,2,1*),C]", Narrow(Dump()));
    EXPECT_EQ(1, m_pFrame->m_recorder.Count(qorDpnAction, qorActionDragging));
}

TEST_F(TabbedContainer, APaneWithoutDockingActionsIsSelectedButNotDragged)
{
    CQorDockingPaneTabbedContainer* pGroup = MakeGroup();
    Manager().FindPane(1)->SetEnabled(qorPaneEnableClient);
    const LPARAM ptThird = TabPoint(pGroup, 2);
    pGroup->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, TabPoint(pGroup, 0));
    EXPECT_EQ(nullptr, ::GetCapture());
    pGroup->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, ptThird);
    EXPECT_EQ("S(h)[G(1*,2,3),C]", Narrow(Dump()));
}

TEST_F(TabbedContainer, CaptionButtonsShowByOptionsAndSiblings)
{
    CQorDockingPaneTabbedContainer* pGroup = MakeGroup();
    CQorDockingPane* pSelected = pGroup->GetSelected();
    struct Row
    {
        const char* name;
        DWORD dwOptions;
        BOOL bMaximizeOption;
        BOOL bSecondGroup;
        BOOL bMaximized;
        BOOL bClose, bMaximize, bRestore, bAutoHide, bMenu;
    } rows[] = {
        {"plain", 0, FALSE, FALSE, FALSE, TRUE, FALSE, FALSE, FALSE, FALSE},
        {"not closable", qorPaneNoCloseable, FALSE, FALSE, FALSE, FALSE, FALSE, FALSE, FALSE, FALSE},
        {"menu button", qorPaneHasMenuButton, FALSE, FALSE, FALSE, TRUE, FALSE, FALSE, FALSE, TRUE},
        {"maximise option, the only group", 0, TRUE, FALSE, FALSE, TRUE, FALSE, FALSE, FALSE, FALSE},
        {"maximise option, two groups", 0, TRUE, TRUE, FALSE, TRUE, TRUE, FALSE, FALSE, FALSE},
        {"maximised", 0, TRUE, TRUE, TRUE, TRUE, FALSE, TRUE, FALSE, FALSE},
        {"maximised but the option off", 0, FALSE, TRUE, TRUE, TRUE, FALSE, FALSE, FALSE, FALSE},
    };
    for (const Row& row : rows) {
        pSelected->SetOptions(row.dwOptions);
        Manager().m_bShowMaximizeButton = row.bMaximizeOption;
        if (row.bSecondGroup && !Manager().FindPane(9))
            Create(9, qorDockRight, pSelected);
        if (row.bMaximized)
            pGroup->Maximize();
        else
            pGroup->Restore();
        const struct
        {
            int nID;
            BOOL bExpected;
        } buttons[] = {{QOR_IDS_DOCKING_CLOSE, row.bClose},
                       {QOR_IDS_DOCKING_MAXIMIZE, row.bMaximize},
                       {QOR_IDS_DOCKING_RESTORE, row.bRestore},
                       {QOR_IDS_DOCKING_AUTOHIDE, row.bAutoHide},
                       {QOR_IDS_DOCKING_MENU, row.bMenu}};
        for (const auto& button : buttons)
            EXPECT_EQ(button.bExpected, pGroup->FindCaptionButton(button.nID)->IsVisible())
                << row.name << ", button " << button.nID;
    }
}

TEST_F(TabbedContainer, HelpHitTestAnswersTheHelpIdOrThePaneId)
{
    CQorDockingPaneTabbedContainer* pGroup = MakeGroup(32782);
    EXPECT_EQ(0x2800E, pGroup->SendMessage(WM_HELPHITTEST, 0, TabPoint(pGroup, 0)));
    Manager().FindPane(32783)->m_nHelpId = 77;
    EXPECT_EQ(0x20000 + 77, pGroup->SendMessage(WM_HELPHITTEST, 0, TabPoint(pGroup, 1)));
    EXPECT_EQ(0x20000 + 32784, pGroup->SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(5, 5)))
        << "off the tabs: the selected pane";
}

TEST_F(TabbedContainer, RemovingTheLastPaneDestroysTheWindowAndItsDropTarget)
{
    CQorDockingPane* pPane = Create(1, qorDockLeft);
    HWND hChild = ::CreateWindowExW(0, L"STATIC", L"content", WS_CHILD, 0, 0, 10, 10, m_pFrame->GetSafeHwnd(), nullptr,
                                    nullptr, nullptr);
    pPane->Attach(hChild);
    Layout();
    CQorDockingPaneTabbedContainer* pGroup = pPane->GetTabbedContainer();
    HWND hGroup = pGroup->GetSafeHwnd();
    ASSERT_TRUE(::IsWindow(hGroup));
    ASSERT_EQ(hGroup, pGroup->GetDropTarget()->GetRegisteredHwnd());
    EXPECT_EQ(2u, pGroup->GetDropTarget()->m_dwRef) << "OLE holds the target while it is registered";

    Manager().ClosePaneById(1);
    EXPECT_FALSE(::IsWindow(hGroup));
    EXPECT_EQ(nullptr, pGroup->GetDropTarget()->GetRegisteredHwnd());
    EXPECT_EQ(1u, pGroup->GetDropTarget()->m_dwRef) << "OLE let go of the dead window's target";
    EXPECT_TRUE(Manager().GetLayout()->GetAllNodes().Find(pGroup)) << "the group stays as a holder";
    EXPECT_TRUE(::IsWindow(hChild));
    EXPECT_EQ(Manager().GetSafeHwnd(), ::GetParent(hChild));
    EXPECT_FALSE(::IsWindowVisible(hChild));

    Manager().ShowPaneById(1);
    EXPECT_TRUE(::IsWindow(pGroup->GetSafeHwnd()));
    EXPECT_EQ(pGroup->GetSafeHwnd(), pGroup->GetDropTarget()->GetRegisteredHwnd());
    EXPECT_EQ(pGroup->GetSafeHwnd(), ::GetParent(hChild));
}

TEST_F(TabbedContainer, RemovingTheSelectedPaneSelectsTheLastOne)
{
    MakeGroup();
    Manager().FindPane(1)->Close();
    EXPECT_EQ("S(h)[G(2,3*),C]", Narrow(Dump()));
    Manager().FindPane(3)->Close();
    EXPECT_EQ("S(h)[G(2*),C]", Narrow(Dump()));
}

namespace {

// A 16 x 16 icon of one opaque colour.
HICON MakeSolidIcon(COLORREF clr)
{
    HDC hDC = ::CreateCompatibleDC(nullptr);
    DWORD* pBits = nullptr;
    HBITMAP hColor = CreateDIB32(hDC, 16, 16, reinterpret_cast<void**>(&pBits));
    for (int i = 0; i < 16 * 16; i++)
        pBits[i] = 0xFF000000 | (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr);
    ICONINFO ii = {};
    ii.fIcon = TRUE;
    ii.hbmColor = hColor;
    ii.hbmMask = ::CreateBitmap(16, 16, 1, 1, nullptr);
    HICON hIcon = ::CreateIconIndirect(&ii);
    ::DeleteObject(ii.hbmMask);
    ::DeleteObject(hColor);
    ::DeleteDC(hDC);
    return hIcon;
}

// A tool the group answers at a point: its result and its text.
struct Tool
{
    INT_PTR nHit;
    std::string strText;
};

Tool HitTool(CQorDockingPaneTabbedContainer* pGroup, CPoint pt)
{
    TOOLINFOW ti = {};
    ti.cbSize = TTTOOLINFOW_V1_SIZE;
    Tool tool = {pGroup->OnToolHitTest(pt, &ti), std::string()};
    if (ti.lpszText && ti.lpszText != LPSTR_TEXTCALLBACKW) {
        tool.strText = Narrow(CString(ti.lpszText));
        std::free(ti.lpszText);
    }
    return tool;
}

} // namespace

TEST_F(TabbedContainer, TheRowsArrowsScrollTheTabsWhileHeldAndOnADoubleClick)
{
    CQorDockingPaneTabbedContainer* pGroup = MakeGroup();
    CQorTabPaintManager* pPainter = pGroup->GetPaintManager();
    pPainter->m_layout = qorTabLayoutAutoSize;
    for (int nID = 1; nID <= 3; nID++)
        Manager().FindPane(nID)->SetTitle(L"A pane title far too long for one third of the row");
    pGroup->SelectPane(Manager().FindPane(1), FALSE, FALSE); // the row starts unscrolled
    Layout();
    CQorTabManagerNavigateButton* pRight = pGroup->FindNavigateButton(CQorTabManagerNavigateButton::idRight);
    ASSERT_FALSE(pRight->GetRect().IsRectEmpty()) << "the tabs overflow the row";
    ASSERT_TRUE(pRight->IsEnabled());
    const CPoint pt = pRight->GetRect().CenterPoint();
    const LPARAM lParam = MAKELPARAM(pt.x, pt.y);

    // An arrow acts while held: each check of the clock finds a repeat due.
    QorSetTabTickSourceForTest([]() -> DWORD {
        static DWORD dwTick = 0;
        return dwTick += 100;
    });
    ASSERT_EQ(0, pGroup->GetScrollOffset());
    ::PostMessageW(pGroup->GetSafeHwnd(), WM_LBUTTONUP, 0, lParam);
    pGroup->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lParam);
    const int nAfterPress = pGroup->GetScrollOffset();
    EXPECT_LT(nAfterPress, 0);
    EXPECT_EQ(1, pGroup->GetSelected()->GetId()) << "the press selects no tab";
    EXPECT_EQ(nullptr, ::GetCapture());

    ::PostMessageW(pGroup->GetSafeHwnd(), WM_LBUTTONUP, 0, lParam);
    pGroup->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, lParam);
    EXPECT_LT(pGroup->GetScrollOffset(), nAfterPress);
    QorSetTabTickSourceForTest(nullptr);
    pPainter->m_layout = qorTabLayoutSizeToFit;
}

TEST_F(TabbedContainer, ToolHitsNameTheCaptionButtonsAndTheTabs)
{
    CQorDockingPaneTabbedContainer* pGroup = MakeGroup();
    Manager().FindPane(2)->SetTitle(L"Second");
    Layout();
    pGroup->GetPaintManager()->m_nToolTipMode = 1;
    dockingtest::GroupPixels paint(pGroup); // places the caption buttons
    const CRect rcClose = pGroup->FindCaptionButton(QOR_IDS_DOCKING_CLOSE)->GetRect();
    ASSERT_FALSE(rcClose.IsRectEmpty());
    struct
    {
        CPoint pt;
        INT_PTR nHit;
        const char* pszText;
    } cases[] = {
        {rcClose.CenterPoint(), QOR_IDS_DOCKING_CLOSE, "Close"},
        {pGroup->GetItem(1)->GetRect().CenterPoint(), 1, "Second"},
        {CPoint(rcClose.left - 40, rcClose.CenterPoint().y), -1, ""}, // the caption's text
    };
    for (const auto& c : cases) {
        const Tool tool = HitTool(pGroup, c.pt);
        EXPECT_EQ(c.nHit, tool.nHit) << c.pszText;
        EXPECT_EQ(c.pszText, tool.strText);
    }
    pGroup->GetPaintManager()->m_nToolTipMode = 2;
}

TEST_F(TabbedContainer, MouseMessagesPassTheManagersToolTipContext)
{
    CQorDockingPaneTabbedContainer* pGroup = MakeGroup();
    CQorToolTipContext* pContext = Manager().GetToolTipContext();
    ASSERT_NE(nullptr, pContext);
    EXPECT_EQ(nullptr, pContext->GetToolTip());
    pGroup->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_NE(nullptr, pContext->GetToolTip()) << "the context made its tip window for the group";
}

TEST_F(TabbedContainer, PaneIconsDrawByTheirTabsState)
{
    const COLORREF clrIcon = RGB(255, 0, 0);
    CQorDockingPaneTabbedContainer* pGroup = MakeGroup();
    for (int nID = 1; nID <= 3; nID++) {
        QOR_DOCKINGPANE_ICON icon;
        icon.hIcon = MakeSolidIcon(clrIcon);
        icon.bOwns = TRUE;
        Manager().SetPaneIcon(nID, icon);
        Manager().FindPane(nID)->SetTitle(L"Pane");
    }
    Manager().FindPane(1)->SetEnabled(qorPaneEnableActions); // its tab disabled
    Layout();
    dockingtest::GroupPixels pixels(pGroup);
    EXPECT_EQ(0, pixels.Count(clrIcon, pGroup->GetItem(0)->GetRect())) << "a disabled tab shows the disabled image";
    EXPECT_GT(pixels.Count(clrIcon, pGroup->GetItem(1)->GetRect()), 200) << "a normal tab";
    EXPECT_GT(pixels.Count(clrIcon, pGroup->GetItem(2)->GetRect()), 200) << "the selected tab";
}

TEST_F(TabbedContainer, AccessibleChildrenAndHitsAreTheCaptionTheTabsPanesAndTheShownWindow)
{
    CQorDockingPaneTabbedContainer* pGroup = MakeGroup();
    CWnd wndChild;
    ASSERT_TRUE(wndChild.CreateEx(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), m_pFrame, 4000));
    Manager().FindPane(3)->Attach(&wndChild);
    Layout();
    IAccessible* pAccessible = pGroup->GetAccessibleInterface();
    auto child = [](long nChild) {
        VARIANT var;
        var.vt = VT_I4;
        var.lVal = nChild;
        return var;
    };
    IDispatch* pDispatch = nullptr;
    EXPECT_EQ(S_OK, pAccessible->get_accChild(child(1), &pDispatch)) << "the shown window";
    ASSERT_NE(nullptr, pDispatch);
    pDispatch->Release();
    EXPECT_EQ(S_OK, pAccessible->get_accChild(child(2), &pDispatch));
    EXPECT_EQ(static_cast<IDispatch*>(Manager().FindPane(1)->GetAccessibleInterface()), pDispatch);
    pDispatch->Release();
    for (long nBad : {0L, 5L}) {
        pDispatch = reinterpret_cast<IDispatch*>(1);
        EXPECT_EQ(E_INVALIDARG, pAccessible->get_accChild(child(nBad), &pDispatch)) << nBad;
        EXPECT_EQ(nullptr, pDispatch) << nBad;
    }

    CRect rcClient;
    pGroup->GetClientRect(&rcClient);
    const CRect rcRow = pGroup->m_rcHeaderRect;
    struct
    {
        const char* pszWhere;
        CPoint pt;
        VARTYPE vt;
        IDispatch* pExpected; // null: any object
    } hits[] = {
        {"caption", CPoint(5, 5), VT_I4, nullptr},
        {"first tab", pGroup->GetItem(0)->GetRect().CenterPoint(), VT_DISPATCH,
         static_cast<IDispatch*>(Manager().FindPane(1)->GetAccessibleInterface())},
        {"client", CPoint(rcClient.CenterPoint().x, (rcRow.top + 40) / 2), VT_DISPATCH, nullptr},
    };
    for (const auto& hit : hits) {
        CPoint pt = hit.pt;
        pGroup->ClientToScreen(&pt);
        VARIANT var;
        EXPECT_EQ(S_OK, pAccessible->accHitTest(pt.x, pt.y, &var)) << hit.pszWhere;
        ASSERT_EQ(hit.vt, var.vt) << hit.pszWhere;
        if (var.vt == VT_I4) {
            EXPECT_EQ(CHILDID_SELF, var.lVal) << hit.pszWhere;
        }
        if (var.vt == VT_DISPATCH) {
            if (hit.pExpected) {
                EXPECT_EQ(hit.pExpected, var.pdispVal) << hit.pszWhere;
            }
            var.pdispVal->Release();
        }
    }
    CPoint ptOutside(rcClient.right + 5, 5);
    pGroup->ClientToScreen(&ptOutside);
    VARIANT var;
    EXPECT_EQ(S_FALSE, pAccessible->accHitTest(ptOutside.x, ptOutside.y, &var));
    EXPECT_EQ(VT_EMPTY, var.vt);
    Manager().FindPane(3)->Attach(static_cast<HWND>(nullptr));
}

TEST_F(TabbedContainer, TheRightButtonSelectsTheTabAndTellsTheOwnerWhichGroup)
{
    CQorDockingPaneTabbedContainer* pGroup = MakeGroup();
    dockingtest::Recorder& recorder = m_pFrame->m_recorder;
    pGroup->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, TabPoint(pGroup, 0));
    EXPECT_EQ(1, pGroup->GetSelected()->GetId());
    ASSERT_EQ(1, recorder.Count(qorDpnRClick));
    EXPECT_EQ(reinterpret_cast<LPARAM>(static_cast<CQorDockingPaneBase*>(pGroup)), recorder.m_entries.back().lParam);
    pGroup->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(2, recorder.Count(qorDpnRClick)) << "on the caption too";
    EXPECT_EQ(1, pGroup->GetSelected()->GetId()) << "which selects nothing";
}

TEST_F(TabbedContainer, TheMenuButtonTellsTheOwnerThePaneAndWhereTheButtonEnds)
{
    CQorDockingPaneTabbedContainer* pGroup = MakeGroup();
    CQorDockingPane* pSelected = pGroup->GetSelected();
    pSelected->SetOptions(qorPaneHasMenuButton);
    dockingtest::GroupPixels paint(pGroup); // places the caption buttons
    CQorDockingPaneCaptionButton* pMenu = pGroup->FindCaptionButton(QOR_IDS_DOCKING_MENU);
    CRect rc = pMenu->GetRect();
    ASSERT_FALSE(rc.IsRectEmpty());
    pGroup->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rc.CenterPoint().x, rc.CenterPoint().y));
    dockingtest::Recorder& recorder = m_pFrame->m_recorder;
    ASSERT_EQ(1, recorder.Count(qorDpnContextMenu));
    pGroup->ClientToScreen(&rc);
    EXPECT_EQ(pSelected, recorder.m_lastMenu.pPane);
    EXPECT_EQ(rc.left, recorder.m_lastMenu.x);
    EXPECT_EQ(rc.bottom, recorder.m_lastMenu.y);
    EXPECT_FALSE(pMenu->IsPressed()) << "released once the owner answered";
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(TabbedContainer, CloseWithTheWholeGroupOptionClosesEveryClosablePaneFromTheLast)
{
    for (BOOL bWholeGroup : {FALSE, TRUE}) {
        CQorDockingPaneTabbedContainer* pGroup = MakeGroup();
        Manager().FindPane(2)->SetOptions(qorPaneNoCloseable);
        Manager().m_bCloseGroupOnButtonClick = bWholeGroup;
        m_pFrame->m_recorder.m_entries.clear();
        pGroup->OnCaptionButtonClick(pGroup->FindCaptionButton(QOR_IDS_DOCKING_CLOSE));
        std::vector<LPARAM> asked;
        for (const auto& entry : m_pFrame->m_recorder.m_entries)
            if (entry.nCode == qorDpnClosePane)
                asked.push_back(entry.lParam);
        if (bWholeGroup) {
            EXPECT_EQ("S(h)[G(2*),C]", Narrow(Dump()));
            const std::vector<LPARAM> expected = {reinterpret_cast<LPARAM>(Manager().FindPane(3)),
                                                  reinterpret_cast<LPARAM>(Manager().FindPane(1))};
            EXPECT_EQ(expected, asked) << "the last first, the one that cannot close not asked";
        } else {
            EXPECT_EQ("S(h)[G(1,2*),C]", Narrow(Dump())) << "the selected pane only";
            EXPECT_EQ(1u, asked.size());
        }
        TearDown();
        SetUp();
    }
}

TEST_F(TabbedContainer, AMaximisedGroupTakesItsSplitterAndRestoreGivesTheSizesBack)
{
    Manager().m_bShowMaximizeButton = TRUE;
    CQorDockingPane* pFirst = Create(1, qorDockLeft, nullptr, 200, 300);
    Create(2, qorDockBottom, pFirst, 200, 150);
    Layout();
    CQorDockingPaneTabbedContainer* pTopGroup = pFirst->GetTabbedContainer();
    CQorDockingPaneTabbedContainer* pBottomGroup = Manager().FindPane(2)->GetTabbedContainer();
    const CRect rcTop = dockingtest::RectInParent(pTopGroup->GetSafeHwnd());
    const CRect rcBottom = dockingtest::RectInParent(pBottomGroup->GetSafeHwnd());
    ASSERT_GT(rcTop.Height(), 40);
    ASSERT_GT(rcBottom.Height(), 40);
    const int nSplitter = Manager().GetPaintManager()->GetSplitterSize();

    pTopGroup->OnCaptionButtonClick(pTopGroup->FindCaptionButton(QOR_IDS_DOCKING_MAXIMIZE));
    Layout();
    // The other group keeps only what its caption and borders need across the split: nothing.
    const CRect rcTopMax = dockingtest::RectInParent(pTopGroup->GetSafeHwnd());
    const CRect rcBottomMax = dockingtest::RectInParent(pBottomGroup->GetSafeHwnd());
    MINMAXINFO mmi;
    pBottomGroup->GetMinMaxInfo(&mmi);
    EXPECT_EQ(mmi.ptMaxTrackSize.y, rcBottomMax.Height());
    EXPECT_EQ(rcTop.top, rcTopMax.top);
    EXPECT_EQ(rcBottom.bottom, rcBottomMax.bottom);
    EXPECT_EQ(rcBottomMax.top - nSplitter, rcTopMax.bottom) << "the maximised group reaches the bar";
    EXPECT_EQ(rcTop.Height() + rcBottom.Height() - rcBottomMax.Height(), rcTopMax.Height());
    EXPECT_TRUE(pTopGroup->FindCaptionButton(QOR_IDS_DOCKING_RESTORE)->IsVisible());

    pTopGroup->OnCaptionButtonClick(pTopGroup->FindCaptionButton(QOR_IDS_DOCKING_RESTORE));
    Layout();
    EXPECT_EQ(rcTop, dockingtest::RectInParent(pTopGroup->GetSafeHwnd()));
    EXPECT_EQ(rcBottom, dockingtest::RectInParent(pBottomGroup->GetSafeHwnd()));
}
