// The popup control on a real bar window: presses posted to the bar reach the control under
// them, the bar opens popups as bars do, and the bar the control owns records what it is asked.
// Posted mouse messages take neither the cursor nor the foreground from tests beside these.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/framework/WinApp.h"
#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/ControlSimple.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/Edit.h"
#include "toolkit/foundation/CmdTargetReference.h"

namespace {

const int kSplitId = 5101;
const int kDefaultItemId = 5102;
const UINT kProbeMessage = WM_APP + 7;

// What reached the frame, and what a message dispatched while a press runs found.
struct SiteRecord
{
    std::vector<int> commands;
    CQorControl* pProbed = nullptr;
    int nPressedSeen = -1;
    BOOL bOpenedWhileHeld = -1;
};
SiteRecord* g_pRecord = nullptr;

LRESULT CALLBACK SiteProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (g_pRecord && nMsg == WM_COMMAND && lParam == 0) {
        g_pRecord->commands.push_back(LOWORD(wParam));
        return 0;
    }
    if (g_pRecord && nMsg == kProbeMessage && g_pRecord->pProbed) {
        CQorControl* pControl = g_pRecord->pProbed;
        g_pRecord->nPressedSeen = pControl->GetPressed();
        g_pRecord->bOpenedWhileHeld = pControl->GetParent()->SetPopuped(pControl->GetIndex(), FALSE);
        return 0;
    }
    return DefWindowProcW(hWnd, nMsg, wParam, lParam);
}

// The bar a popup control owns: it records each request to open and opens when allowed.
class CRecordingPopupBar : public CQorCommandBar
{
public:
    BOOL OpenPopup(CQorControlPopup*, BOOL bKeyboard) override
    {
        opens.push_back(bKeyboard);
        if (!bAccept)
            return FALSE;
        m_nMode = 1;
        return TRUE;
    }
    // Shown without a window: only the mode is kept.
    BOOL SetTrackingMode(int nMode, BOOL, BOOL) override
    {
        if (nMode == m_nMode)
            return FALSE;
        m_nMode = nMode;
        return TRUE;
    }

    std::vector<BOOL> opens;
    BOOL bAccept = TRUE;
};

// A bar window as the finished bar behaves towards its controls: presses, releases and moves
// go to the control under them, and opening a popup closes the open one first, then enters
// tracking with a popup open. A refused open puts the tracking mode back and leaves nothing
// open, without telling the control: closing itself is the control's own business.
class CTestParentBar : public CQorCommandBar
{
public:
    BOOL SetPopuped(int nPopuped, BOOL bKeyboard) override
    {
        if (nPopuped == m_nPopuped)
            return FALSE;
        if (CQorControl* pOpen = GetControl(m_nPopuped)) {
            m_nPopuped = -1;
            pOpen->SetPopuped(FALSE);
        }
        if (nPopuped == -1)
            return TRUE;
        CQorControl* pControl = GetControl(nPopuped);
        if (!pControl || !pControl->GetEnabled())
            return FALSE;
        const int nMode = m_nMode;
        m_nPopuped = nPopuped;
        SetTrackingMode(2, FALSE, bKeyboard);
        SetSelected(nPopuped, bKeyboard ? 2 : 0);
        if (!pControl->SetPopuped(TRUE)) {
            m_nPopuped = -1;
            SetTrackingMode(nMode, nMode == 0, FALSE);
            return FALSE;
        }
        return TRUE;
    }

protected:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == WM_LBUTTONDOWN || nMsg == WM_LBUTTONUP || nMsg == WM_MOUSEMOVE) {
            const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
            if (CQorControl* pControl = GetControls()->HitTest(point)) {
                CQorCmdTargetReference control(pControl);
                if (nMsg == WM_LBUTTONDOWN)
                    pControl->OnClick(FALSE, point);
                else if (nMsg == WM_LBUTTONUP)
                    pControl->OnLButtonUp(point);
                else
                    pControl->OnMouseMove(point);
            }
            return 0;
        }
        return CQorCommandBar::WindowProc(nMsg, wParam, lParam);
    }
};

class ControlPopupOnBar : public testing::Test
{
protected:
    void SetUp() override
    {
        g_pRecord = &m_record;
        m_hWndSite = cbtest::CreateWindowWithProc(L"ControlPopupSite", SiteProc, {60, 60, 420, 220},
                                                  WS_OVERLAPPED | WS_VISIBLE);
        ASSERT_TRUE(cbtest::BringToFront(m_hWndSite));
    }
    void TearDown() override
    {
        DropBar();
        DestroyWindow(m_hWndSite);
        g_pRecord = nullptr;
    }

    // A bar with a plain button first and the popup control second, at (10, 4)-(70, 26).
    void CreateBar(int nType, BOOL bPopupBar)
    {
        m_pBar = new CTestParentBar;
        if (bPopupBar) {
            m_pBar->m_barType = qorBarTypePopup;
            m_pBar->m_barPosition = qorBarPopup;
        }
        LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW));
        ASSERT_TRUE(m_pBar->CreateEx(0, lpszClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 300, 40, m_hWndSite, nullptr));
        m_pBar->GetControls()->Add(qorControlButton, 5100)->SetRect(CRect(80, 4, 100, 26));
        m_pPopup = new CQorControlPopup;
        m_pPopup->m_nType = nType;
        m_pOwnedBar = new CRecordingPopupBar;
        m_pPopup->SetCommandBar(m_pOwnedBar);
        m_pBar->GetControls()->InsertControl(m_pPopup, kSplitId); // the collection takes it
        m_pPopup->SetRect(CRect(10, 4, 70, 26));
    }
    void DropBar()
    {
        if (!m_pBar)
            return;
        m_pBar->DestroyWindow();
        m_pBar->InternalRelease();
        m_pBar = nullptr;
    }
    void Post(UINT nMsg, CPoint point)
    {
        PostMessageW(m_pBar->GetSafeHwnd(), nMsg, nMsg == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                     MAKELPARAM(point.x, point.y));
    }
    void Click(CPoint point)
    {
        Post(WM_LBUTTONDOWN, point);
        Post(WM_LBUTTONUP, point);
        cbtest::PumpFor(40);
    }

    const CPoint m_ptButtonPart = CPoint(20, 15);
    const CPoint m_ptArrow = CPoint(66, 15);
    SiteRecord m_record;
    HWND m_hWndSite = nullptr;
    CTestParentBar* m_pBar = nullptr;
    CQorControlPopup* m_pPopup = nullptr;
    CRecordingPopupBar* m_pOwnedBar = nullptr;
};

struct SplitCase
{
    const char* name;
    BOOL bPopupBar;
    int nStyle;
    BOOL bEnabled;
    BOOL bAccept;  // the owned bar opens
    const char* clicks; // B button part, A arrow, + the owned bar opens from now on
    int nCommands;
    int nOpenRequests;
    BOOL bOpen;
};

TEST_F(ControlPopupOnBar, SplitButtonRunsItsButtonPartOnceAndOpensByItsArrow)
{
    const SplitCase cases[] = {
        {"tool bar: the button part runs the command once", FALSE, 0, TRUE, TRUE, "B", 1, 0, FALSE},
        {"tool bar: the arrow opens", FALSE, 0, TRUE, TRUE, "A", 0, 1, TRUE},
        {"tool bar: a second click closes", FALSE, 0, TRUE, TRUE, "AA", 0, 1, FALSE},
        {"tool bar: a click on the button part of an open one closes it", FALSE, 0, TRUE, TRUE, "AB", 0, 1, FALSE},
        {"tool bar: a refused open lets the next click retry", FALSE, 0, TRUE, FALSE, "A+A", 0, 2, TRUE},
        {"tool bar: each click on a refusing bar tries again", FALSE, 0, TRUE, FALSE, "AA", 0, 2, FALSE},
        {"tool bar: disabled, nothing happens", FALSE, 0, FALSE, TRUE, "AB", 0, 0, FALSE},
        {"tool bar: caption below the icon, the button part opens as well", FALSE, qorButtonIconAndCaptionBelow, TRUE,
         TRUE, "B", 0, 1, TRUE},
        {"popup: the release on the button part runs the command", TRUE, 0, TRUE, TRUE, "B", 1, 0, FALSE},
        {"popup: the arrow opens the sub-popup", TRUE, 0, TRUE, TRUE, "A", 0, 1, TRUE},
        {"popup: a second click on the arrow keeps it open", TRUE, 0, TRUE, TRUE, "AA", 0, 1, TRUE},
    };
    for (const SplitCase& c : cases) {
        SCOPED_TRACE(c.name);
        m_record = SiteRecord();
        CreateBar(qorControlSplitButtonPopup, c.bPopupBar);
        m_pPopup->SetStyle(c.nStyle);
        m_pPopup->SetEnabled(c.bEnabled);
        m_pOwnedBar->bAccept = c.bAccept;
        for (const char* p = c.clicks; *p; p++) {
            if (*p == '+')
                m_pOwnedBar->bAccept = TRUE;
            else
                Click(*p == 'B' ? m_ptButtonPart : m_ptArrow);
        }
        EXPECT_EQ(m_record.commands, std::vector<int>(c.nCommands, kSplitId));
        EXPECT_EQ(static_cast<int>(m_pOwnedBar->opens.size()), c.nOpenRequests);
        EXPECT_EQ(m_pPopup->IsPopupOpen(), c.bOpen);
        EXPECT_EQ(m_pOwnedBar->GetTrackingMode() != 0, c.bOpen);
        EXPECT_EQ(m_pBar->GetPopuped(), c.bOpen ? m_pPopup->GetIndex() : -1);
        if (!c.bPopupBar) {
            EXPECT_EQ(m_pBar->GetTrackingMode(), c.bOpen ? 2 : 0);
        }
        EXPECT_EQ(GetCapture(), nullptr);
        DropBar();
    }
}

TEST_F(ControlPopupOnBar, WhileTheButtonPartIsHeldItsPressedStateIsThreeAndNothingOpens)
{
    CreateBar(qorControlSplitButtonPopup, FALSE);
    m_record.pProbed = m_pPopup;
    // The probe is dispatched by the press loop, before the release ends it.
    Post(WM_LBUTTONDOWN, m_ptButtonPart);
    PostMessageW(m_hWndSite, kProbeMessage, 0, 0);
    // The refused open enters and leaves tracking, after which the system reports where the
    // real pointer is; a user holding the button has it over the button part.
    Post(WM_MOUSEMOVE, m_ptButtonPart);
    Post(WM_LBUTTONUP, m_ptButtonPart);
    cbtest::PumpFor(40);
    EXPECT_EQ(m_record.nPressedSeen, CQorControlPopup::pressedButtonPart);
    EXPECT_FALSE(m_record.bOpenedWhileHeld);
    EXPECT_TRUE(m_pOwnedBar->opens.empty());
    EXPECT_EQ(m_record.commands, std::vector<int>{kSplitId});
    EXPECT_EQ(m_pPopup->GetPressed(), 0);
}

TEST_F(ControlPopupOnBar, MovesWhilePressedTellTheButtonPartFromTheArrow)
{
    CreateBar(qorControlSplitButtonPopup, FALSE);
    m_pPopup->SetPressed(1);
    m_pPopup->OnMouseMove(m_ptButtonPart);
    EXPECT_EQ(m_pPopup->GetPressed(), CQorControlPopup::pressedButtonPart);
    // State 3 is the button part held: the popup does not open then.
    EXPECT_FALSE(m_pPopup->SetPopuped(TRUE));
    m_pPopup->OnMouseMove(m_ptArrow);
    EXPECT_EQ(m_pPopup->GetPressed(), CQorControlPopup::pressedArrowPart);
    m_pPopup->SetPressed(0);
    m_pPopup->OnMouseMove(m_ptButtonPart);
    EXPECT_EQ(m_pPopup->GetPressed(), 0);
}

TEST_F(ControlPopupOnBar, ARefusedOpenLeavesTheControlClosed)
{
    CreateBar(qorControlPopup, FALSE);
    m_pOwnedBar->bAccept = FALSE;
    EXPECT_FALSE(m_pPopup->SetPopuped(TRUE));
    EXPECT_FALSE(m_pPopup->IsPopupOpen());
    m_pOwnedBar->bAccept = TRUE;
    EXPECT_TRUE(m_pPopup->SetPopuped(TRUE));
    EXPECT_TRUE(m_pPopup->IsPopupOpen());
    EXPECT_TRUE(m_pPopup->SetPopuped(FALSE));
    EXPECT_FALSE(m_pPopup->IsPopupOpen());
    EXPECT_EQ(m_pOwnedBar->GetTrackingMode(), 0);
}

TEST_F(ControlPopupOnBar, OpeningNeedsABarAndAParentWindow)
{
    CQorControlPopup popup;
    EXPECT_FALSE(popup.SetPopuped(TRUE)); // no bar
    CRecordingPopupBar* pBar = new CRecordingPopupBar;
    popup.SetCommandBar(pBar);
    EXPECT_FALSE(popup.SetPopuped(TRUE)); // no parent bar
    EXPECT_TRUE(pBar->opens.empty());
    EXPECT_FALSE(popup.IsPopupOpen());
}

TEST_F(ControlPopupOnBar, KeyboardAndHoverOpenThroughTheParentBar)
{
    CreateBar(qorControlPopup, FALSE);
    // Enter on a sub-menu item opens it with the keyboard flag, its first item to be selected.
    m_pPopup->SetSelected(2);
    m_pPopup->OnClick(TRUE, CPoint(0, 0));
    ASSERT_EQ(m_pOwnedBar->opens, std::vector<BOOL>{TRUE});
    EXPECT_EQ(m_pBar->GetPopuped(), 1);
    m_pBar->SetPopuped(-1, FALSE);
    EXPECT_FALSE(m_pPopup->IsPopupOpen());
    m_pPopup->SetSelected(0);

    // The hover timer opens a sub-menu of a bar that shows a popup already.
    m_pBar->SetTrackingMode(2, FALSE, FALSE);
    m_pPopup->ClosePopupOfBar();
    EXPECT_TRUE(m_pPopup->IsPopupOpen());
    EXPECT_EQ(m_pOwnedBar->opens.size(), 2u);
    m_pBar->SetTrackingMode(0, TRUE, FALSE);
    EXPECT_FALSE(m_pPopup->IsPopupOpen());

    // Without a popup open the hover opens nothing.
    m_pPopup->ClosePopupOfBar();
    EXPECT_FALSE(m_pPopup->IsPopupOpen());
    EXPECT_EQ(m_pOwnedBar->opens.size(), 2u);
}

TEST_F(ControlPopupOnBar, AKeyboardMoveOpensADropDownWhileAPopupIsOpenOnlyWhenItHasAStyle)
{
    const struct
    {
        int nType;
        int nStyle;
        size_t nOpens;
    } cases[] = {
        {qorControlButtonPopup, qorButtonAutomatic, 0},
        {qorControlButtonPopup, qorButtonIcon, 1},
        {qorControlSplitButtonPopup, qorButtonAutomatic, 0},
        {qorControlSplitButtonPopup, qorButtonIconAndCaption, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nStyle);
        CreateBar(c.nType, FALSE);
        m_pPopup->SetStyle(c.nStyle);
        m_pBar->SetTrackingMode(2, FALSE, FALSE);
        m_pPopup->SetSelected(2);
        EXPECT_EQ(m_pOwnedBar->opens.size(), c.nOpens);
        DropBar();
    }
}

TEST_F(ControlPopupOnBar, DoubleClickRunsThePopupsDefaultItem)
{
    CreateBar(qorControlPopup, FALSE);
    m_pOwnedBar->GetControls()->Add(qorControlButton, 5200);
    CQorControl* pHidden = m_pOwnedBar->GetControls()->Add(qorControlButton, 5201);
    pHidden->m_bDefaultItem = TRUE;
    pHidden->SetHideFlags(qorHideGeneric);
    m_pOwnedBar->GetControls()->Add(qorControlButton, kDefaultItemId)->m_bDefaultItem = TRUE;
    // The default item's command goes to its own bar's site: the frame, through the parent.
    m_pOwnedBar->SetSite(m_hWndSite);
    EXPECT_TRUE(m_pPopup->OnLButtonDblClk(CPoint(20, 15)));
    EXPECT_EQ(m_record.commands, std::vector<int>{kDefaultItemId});
    EXPECT_EQ(m_pOwnedBar->opens.size(), 1u);
}

// ---- Owned bars: copies, comparison and the ancestor test ---------------------------------

class ControlPopupBars : public testing::Test
{
protected:
    void TearDown() override
    {
        for (CQorControl* pControl : m_controls)
            pControl->InternalRelease();
    }
    // A popup control with a new bar of its own (a reference kept by the test).
    CQorControlPopup* NewPopup(int nId)
    {
        CQorControlPopup* pPopup = new CQorControlPopup;
        pPopup->m_nId = nId;
        pPopup->SetCommandBar(CQorControlPopup::CreatePopupBar(nullptr));
        m_controls.push_back(pPopup);
        return pPopup;
    }
    // Puts a copy sharing the source's bar into a bar (the bar's collection holds it).
    static CQorControlPopup* AddSharing(CQorCommandBar* pBar, CQorControlPopup* pSource)
    {
        CQorControlPopup* pCopy = new CQorControlPopup;
        pCopy->Copy(pSource, FALSE);
        pBar->GetControls()->InsertControl(pCopy, pCopy->GetID()); // the collection takes it
        return pCopy;
    }

    std::vector<CQorControl*> m_controls;
};

TEST_F(ControlPopupBars, CopySharesTheBarAndARecursiveCopyClonesIt)
{
    CQorControlPopup* pSource = NewPopup(10);
    pSource->GetCommandBar()->GetControls()->Add(qorControlButton, 11)->SetCaption(L"&Open");
    pSource->GetCommandBar()->GetControls()->Add(qorControlButton, 12)->SetCaption(L"&Save");

    CQorControlPopup shared;
    shared.Copy(pSource, FALSE);
    EXPECT_EQ(shared.GetCommandBar(), pSource->GetCommandBar());

    CQorControl* pClone = pSource->Clone(TRUE);
    m_controls.push_back(pClone);
    ASSERT_NE(pClone->GetCommandBar(), nullptr);
    EXPECT_NE(pClone->GetCommandBar(), pSource->GetCommandBar());
    EXPECT_EQ(pClone->GetCommandBar()->GetControlCount(), 2);
    EXPECT_EQ(pClone->GetCommandBar()->GetControl(1)->GetCaption(), L"&Save");
    EXPECT_TRUE(pClone->IsEqual(pSource));

    // The clone's bar is its own: a change there makes the two differ.
    pClone->GetCommandBar()->GetControls()->Add(qorControlButton, 13);
    EXPECT_FALSE(pClone->IsEqual(pSource));
    EXPECT_EQ(pSource->GetCommandBar()->GetControlCount(), 2);

    // A copy from a popup without a bar has none either; a copy from itself changes nothing.
    CQorControlPopup bare;
    shared.Copy(&bare, TRUE);
    EXPECT_EQ(shared.GetCommandBar(), nullptr);
    pSource->Copy(pSource, TRUE);
    EXPECT_EQ(pSource->GetCommandBar()->GetControlCount(), 2);
}

TEST_F(ControlPopupBars, AncestorTestFollowsNestedPopupsAndEndsOnCycles)
{
    // A opens a bar holding B; B opens a bar holding the plain control c.
    CQorControlPopup* pA = NewPopup(1);
    CQorControlPopup* pB = NewPopup(2);
    CQorControlPopup* pBInA = AddSharing(pA->GetCommandBar(), pB);
    CQorControl* pC = pB->GetCommandBar()->GetControls()->Add(qorControlButton, 3);
    CQorControlPopup* pUnrelated = NewPopup(4);

    // A bar that holds a popup opening that very bar, and two bars that hold each other.
    CQorControlPopup* pSelf = NewPopup(5);
    AddSharing(pSelf->GetCommandBar(), pSelf);
    CQorControlPopup* pX = NewPopup(6);
    CQorControlPopup* pY = NewPopup(7);
    AddSharing(pX->GetCommandBar(), pY);
    AddSharing(pY->GetCommandBar(), pX);

    struct Case
    {
        const char* name;
        const CQorControlPopup* pThis;
        const CQorControl* pOther;
        BOOL bExpected;
    } cases[] = {
        {"a control in the popup's bar", pA, pBInA, TRUE},
        {"a control two popups down", pA, pC, TRUE},
        {"a popup opening the same bar", pB, pBInA, TRUE},
        {"the inner popup is no ancestor of the outer", pB, pA, FALSE},
        {"an unrelated popup", pA, pUnrelated, FALSE},
        {"through a bar that holds itself", pSelf, pUnrelated, FALSE},
        {"through two bars that hold each other", pX, pUnrelated, FALSE},
        {"within two bars that hold each other", pX, pY, TRUE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.pThis->IsPopupAncestor(c.pOther), c.bExpected);
    }
}

TEST_F(ControlPopupBars, RecursiveCopyOfABarThatHoldsItselfEnds)
{
    CQorControlPopup* pSelf = NewPopup(5);
    AddSharing(pSelf->GetCommandBar(), pSelf);
    CQorControl* pClone = pSelf->Clone(TRUE);
    m_controls.push_back(pClone);
    ASSERT_NE(pClone->GetCommandBar(), nullptr);
    EXPECT_NE(pClone->GetCommandBar(), pSelf->GetCommandBar());
    EXPECT_EQ(pClone->GetCommandBar()->GetControlCount(), 1);
}

TEST(ControlPopupExcludeRect, WidensAlongTheBarAndNarrowsInPopups)
{
    CQorControlPopup popup;
    CRect rc(10, 4, 70, 26);
    popup.AdjustExcludeRect(rc, FALSE);
    EXPECT_EQ(rc, CRect(10, 4, 70, 26)); // no parent bar

    CQorCommandBar bar;
    popup.SetParent(&bar);
    rc = CRect(10, 4, 70, 26);
    popup.AdjustExcludeRect(rc, FALSE);
    EXPECT_EQ(rc, CRect(9, 4, 71, 26));
    rc = CRect(10, 4, 70, 26);
    popup.AdjustExcludeRect(rc, TRUE);
    EXPECT_EQ(rc, CRect(10, 3, 70, 27));
    bar.m_barType = qorBarTypePopup;
    rc = CRect(10, 4, 70, 26);
    popup.AdjustExcludeRect(rc, FALSE);
    EXPECT_EQ(rc, CRect(11, 4, 69, 26));
    popup.SetParent(nullptr);
}

// ---- The simple controls ------------------------------------------------------------------

TEST(NumberedMenuCaption, DoublesAmpersandsAndNumbersTheMnemonic)
{
    const struct
    {
        LPCWSTR lpszText;
        int nNumber;
        LPCWSTR lpszExpected;
    } cases[] = {
        {L"Tom & Jerry.epub", 3, L"&3 Tom && Jerry.epub"},
        {L"Book", 1, L"&1 Book"},
        {L"Book", 9, L"&9 Book"},
        {L"A&B", 10, L"1&0 A&&B"},
        {L"Book", 12, L"12 Book"},
        {L"&&", 0, L"&&&&"},
        {L"Book", -1, L"Book"},
        {L"", 2, L"&2 "},
        {nullptr, 0, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nNumber);
        EXPECT_EQ(std::wstring(FormatNumberedMenuCaption(c.lpszText, c.nNumber)), std::wstring(c.lpszExpected));
    }
}

TEST(SimpleControls, LabelIsPassedOverAndIgnoresClicks)
{
    CQorControlLabel label;
    EXPECT_EQ(label.GetType(), qorControlLabel);
    EXPECT_EQ(label.GetFlags(), qorFlagSkipFocus | qorFlagNoCommandUI | qorFlagNoMovable);
    CQorControl* pClone = label.Clone();
    EXPECT_TRUE(pClone->IsKindOf(RUNTIME_CLASS(CQorControlLabel)));
    EXPECT_EQ(pClone->GetFlags(), label.GetFlags());
    pClone->InternalRelease();

    CQorCommandBar bar;
    CQorControlLabel* pLabel = static_cast<CQorControlLabel*>(bar.GetControls()->Add(qorControlLabel, 7));
    ASSERT_TRUE(pLabel->IsKindOf(RUNTIME_CLASS(CQorControlLabel)));
    pLabel->OnClick(FALSE, CPoint(1, 1));
    EXPECT_EQ(bar.GetSelected(), -1);

    CQorControlRadioButton radio;
    EXPECT_EQ(radio.GetType(), qorControlRadioButton);
    EXPECT_TRUE(radio.IsKindOf(RUNTIME_CLASS(CQorControlCheckBox)));
}

TEST(BarEditWindow, IsMadeByItsClassAsAPlainEditWithASelectionTest)
{
    CObject* pObject = RUNTIME_CLASS(CQorEdit)->CreateObject();
    ASSERT_NE(pObject, nullptr);
    ASSERT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CEdit)));
    CQorEdit* pEdit = static_cast<CQorEdit*>(pObject);

    const HWND hWndParent = cbtest::CreatePlainWindow({0, 0, 200, 60});
    CWnd* pParent = CWnd::FromHandle(hWndParent);
    ASSERT_TRUE(pEdit->CreateEdit(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, pParent));
    WCHAR szClass[32] = L"";
    GetClassNameW(pEdit->GetSafeHwnd(), szClass, 32);
    EXPECT_EQ(_wcsicmp(szClass, L"Edit"), 0);
    EXPECT_EQ(GetDlgCtrlID(pEdit->GetSafeHwnd()), 0);
    pEdit->SetWindowText(L"Chapter");
    pEdit->SetSel(2, 2);
    EXPECT_FALSE(pEdit->HasSelection());
    pEdit->SetSel(0, 4);
    EXPECT_TRUE(pEdit->HasSelection());
    pEdit->DestroyWindow();
    delete pEdit;
    DestroyWindow(hWndParent);
}

} // namespace
