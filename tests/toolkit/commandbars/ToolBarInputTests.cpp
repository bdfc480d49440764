// A tool bar in a frame made as applications make theirs, driven by real input: the expand
// popup opened by a click (inside the frame's right edge, "Add or Remove Buttons" reachable and
// its list toggling a button), and the buttons' tips shown on hover, hidden away from them and
// kept away while a popup tracks.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/framework/WinApp.h"
#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsOptions.h"
#include "toolkit/commandbars/CommandBarsResources.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/FrameWndBase.h"
#include "toolkit/commandbars/ShortcutManager.h"
#include "toolkit/commandbars/ToolBar.h"
#include "toolkit/foundation/ToolTipContext.h"

namespace {

const UINT kFirstButton = 41200;
const int kButtons = 6;
const wchar_t* const kCaptions[kButtons] = {L"&Print", L"Back", L"Forward", L"Home", L"Contents", L"Search"};

// A frame that binds its bars as it is created and handles the buttons' commands (Customize
// has no handler, as in the reader).
class CInputFrame : public CQorFrameWndBase<CFrameWnd>
{
public:
    std::vector<UINT> commands;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override
    {
        if (!InitCommandBars(RUNTIME_CLASS(CQorCommandBars)))
            return FALSE;
        ACCEL print = {FCONTROL | FVIRTKEY, 'P', static_cast<WORD>(kFirstButton)};
        GetCommandBars()->GetShortcutManager()->SetAcceleratorTable(::CreateAcceleratorTableW(&print, 1));
        return CFrameWnd::OnCreateClient(lpcs, pContext);
    }
    void OnButton(UINT nId) { commands.push_back(nId); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CInputFrame, CQorFrameWndBase<CFrameWnd>)
    ON_COMMAND_RANGE(kFirstButton, kFirstButton + kButtons - 1, &CInputFrame::OnButton)
END_MESSAGE_MAP()

HWND VisibleTipWindow(CQorToolTipContext* pContext)
{
    CWnd* pTip = pContext ? pContext->GetToolTip() : nullptr;
    const HWND hWnd = pTip ? pTip->GetSafeHwnd() : nullptr;
    return hWnd && ::IsWindowVisible(hWnd) ? hWnd : nullptr;
}

std::wstring WindowText(HWND hWnd)
{
    wchar_t text[256] = {};
    ::SendMessageW(hWnd, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return text;
}

class ToolBarInput : public testing::Test
{
protected:
    void SetUp() override
    {
        cbtest::SendMouse(POINT{2, 2});
        m_pFrame = new CInputFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"Input", WS_OVERLAPPEDWINDOW, CRect(60, 60, 660, 360)));
        m_pFrame->ShowWindow(SW_SHOW);
        m_pCommandBars = m_pFrame->GetCommandBars();
        m_pBar = dynamic_cast<CQorToolBar*>(m_pCommandBars->AddToolBar());
        ASSERT_NE(m_pBar, nullptr);
        std::vector<UINT> ids;
        for (int i = 0; i < kButtons; i++)
            ids.push_back(kFirstButton + i);
        m_pBar->SetButtons(ids.data(), kButtons);
        for (int i = 0; i < kButtons; i++) {
            m_pBar->GetControl(i)->SetCaption(kCaptions[i]);
            m_pBar->GetControl(i)->SetStyle(qorButtonCaption);
        }
        m_pBar->GetControls()->CreateOriginalControls();
        m_pFrame->RecalcLayout();
        ASSERT_TRUE(cbtest::BringToFront(m_pFrame->GetSafeHwnd()));
    }
    void TearDown() override
    {
        cbtest::SendMouse(POINT{2, 2});
        m_pCommandBars->ClosePopups();
        m_pFrame->DestroyWindow();
        testsupport::PumpMessages();
    }
    void SetFrameWidth(int cx)
    {
        m_pFrame->SetWindowPos(nullptr, 0, 0, cx, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_pFrame->RecalcLayout();
    }
    // The screen centre of a control of a bar.
    static POINT Centre(CQorCommandBar* pBar, CQorControl* pControl)
    {
        const CRect rc = pControl->GetRect();
        return cbtest::ScreenPoint(pBar->GetSafeHwnd(), rc.CenterPoint().x, rc.CenterPoint().y);
    }
    // The popup of a control once it shows.
    static CQorCommandBar* WaitForPopup(CQorControl* pControl)
    {
        CQorCommandBar* pPopup = nullptr;
        testsupport::PumpUntil([&] {
            pPopup = pControl->GetCommandBar();
            return pPopup && pPopup->GetSafeHwnd() && ::IsWindowVisible(pPopup->GetSafeHwnd());
        });
        return pPopup && pPopup->GetSafeHwnd() && ::IsWindowVisible(pPopup->GetSafeHwnd()) ? pPopup : nullptr;
    }
    CQorControl* ExpandButton() const { return m_pBar->GetControls()->FindControl(QOR_ID_TOOLBAR_EXPAND); }
    // Clicks the chevron and answers its popup once it shows.
    CQorCommandBar* OpenExpandPopup()
    {
        CQorControl* pExpand = ExpandButton();
        if (!pExpand)
            return nullptr;
        cbtest::SendClick(Centre(m_pBar, pExpand));
        return WaitForPopup(pExpand);
    }

    CInputFrame* m_pFrame = nullptr;
    CQorCommandBars* m_pCommandBars = nullptr;
    CQorToolBar* m_pBar = nullptr;
};

} // namespace

TEST_F(ToolBarInput, AddOrRemoveButtonsOpensFromTheClickedChevronAndItsListTogglesAButton)
{
    CQorCommandBar* pExpandPopup = OpenExpandPopup();
    ASSERT_NE(pExpandPopup, nullptr);
    // The popup's own command-UI pass ran as it opened: the frame has no handler for the bars'
    // own entries, and that greys none of them.
    CQorControl* pAddOrRemove = pExpandPopup->GetControls()->FindControl(QOR_IDS_ADDORREMOVE);
    ASSERT_NE(pAddOrRemove, nullptr);
    EXPECT_TRUE(pAddOrRemove->GetEnabled());

    cbtest::SendMouse(Centre(pExpandPopup, pAddOrRemove));
    CQorCommandBar* pBars = WaitForPopup(pAddOrRemove);
    ASSERT_NE(pBars, nullptr) << "the entry opens its list of bars";
    CQorControl* pForBar = pBars->GetControl(0);
    ASSERT_NE(pForBar, nullptr);
    EXPECT_TRUE(pForBar->GetEnabled());
    cbtest::SendMouse(Centre(pBars, pForBar));
    CQorCommandBar* pList = WaitForPopup(pForBar);
    ASSERT_NE(pList, nullptr);
    ASSERT_GE(pList->GetControlCount(), kButtons);

    // A click on the second entry hides the second button; the list stays open for the next.
    CQorControl* pEntry = pList->GetControl(1);
    EXPECT_TRUE(pEntry->GetEnabled());
    EXPECT_TRUE(pEntry->GetChecked());
    cbtest::SendClick(Centre(pList, pEntry));
    EXPECT_TRUE(testsupport::PumpUntil(
        [&] { return (m_pBar->GetControl(1)->GetHideFlags() & qorHideCustomize) != 0; }));
    EXPECT_FALSE(pEntry->GetChecked());
    EXPECT_TRUE(::IsWindowVisible(pList->GetSafeHwnd()));
    EXPECT_TRUE(m_pFrame->commands.empty()) << "the entry runs no command of the site";
}

TEST_F(ToolBarInput, InANarrowFrameTheExpandPopupHangsLeftFromTheChevronInsideTheFrame)
{
    SetFrameWidth(230);
    CQorControl* pExpand = ExpandButton();
    ASSERT_NE(pExpand, nullptr);
    CQorCommandBar* pPopup = OpenExpandPopup();
    ASSERT_NE(pPopup, nullptr);
    CRect rcPopup, rcFrame, rcChevron = pExpand->GetRect();
    pPopup->GetWindowRect(&rcPopup);
    m_pFrame->GetWindowRect(&rcFrame);
    m_pBar->ClientToScreen(&rcChevron);
    ASSERT_GT(rcPopup.Width(), rcChevron.Width());
    EXPECT_LE(rcPopup.right, rcFrame.right);
    EXPECT_GE(rcPopup.top, rcChevron.bottom - 1) << "below the chevron";
    EXPECT_LE(rcPopup.right, rcChevron.right + 1) << "its right edge under the chevron's";
    EXPECT_GE(rcPopup.right, rcChevron.right - 2);
}

TEST_F(ToolBarInput, HoverShowsTheButtonsTipWithItsShortcutAndMovingAwayHidesIt)
{
    CQorToolTipContext* pContext = m_pCommandBars->GetToolTipContext();
    ASSERT_NE(pContext, nullptr);
    ASSERT_EQ(m_pBar->GetToolTipContext(), pContext);
    struct Case
    {
        BOOL bAccelTips;
        int nButton;
        const wchar_t* pszTip;
    } cases[] = {
        {TRUE, 0, L"Print (Ctrl+P)"}, // mnemonic dropped, the shortcut from the bars' table
        {TRUE, 1, L"Back"},           // no shortcut: the text alone
        {FALSE, 0, L"Print"},         // the options want no shortcuts in tips
    };
    for (const Case& c : cases) {
        m_pCommandBars->GetCommandBarsOptions()->m_bToolBarAccelTips = c.bAccelTips;
        cbtest::SendMouse(cbtest::ScreenPoint(m_pFrame->GetSafeHwnd(), 300, 200));
        testsupport::PumpUntil([&] { return VisibleTipWindow(pContext) == nullptr; });
        cbtest::SendMouse(Centre(m_pBar, m_pBar->GetControl(c.nButton)));
        HWND hWndTip = nullptr;
        ASSERT_TRUE(testsupport::PumpUntil([&] {
            hWndTip = VisibleTipWindow(pContext);
            return hWndTip && WindowText(hWndTip) == c.pszTip;
        })) << c.pszTip << " shown: " << (hWndTip ? WindowText(hWndTip) : L"no tip").c_str();
        wchar_t className[64] = {};
        ::GetClassNameW(hWndTip, className, 64);
        EXPECT_STREQ(className, TOOLTIPS_CLASSW);

        // Away from the bar the tip goes.
        cbtest::SendMouse(cbtest::ScreenPoint(m_pFrame->GetSafeHwnd(), 300, 200));
        EXPECT_TRUE(testsupport::PumpUntil([&] { return VisibleTipWindow(pContext) == nullptr; })) << c.pszTip;
    }
}

TEST_F(ToolBarInput, APopupOpeningPutsAwayTheTipAndNoneComesBackWhileItTracks)
{
    CQorToolTipContext* pContext = m_pCommandBars->GetToolTipContext();
    const POINT ptPrint = Centre(m_pBar, m_pBar->GetControl(0));
    cbtest::SendMouse(ptPrint);
    ASSERT_TRUE(testsupport::PumpUntil([&] {
        const HWND hWndTip = VisibleTipWindow(pContext);
        return hWndTip && WindowText(hWndTip) == L"Print";
    }));
    // The chevron's popup opens without a click (as the keyboard or a hover opens popups).
    CQorControl* pExpand = ExpandButton();
    ASSERT_TRUE(m_pBar->SetPopuped(pExpand->GetIndex()));
    CQorCommandBar* pPopup = pExpand->GetCommandBar();
    ASSERT_TRUE(pPopup && pPopup->GetTrackingMode() != 0);
    EXPECT_EQ(VisibleTipWindow(pContext), nullptr) << "put away as the popup opened";
    // The pointer rests on the button meanwhile: its tip stays away as long as the popup tracks.
    cbtest::SendMouse(POINT{ptPrint.x + 1, ptPrint.y});
    const DWORD dwStart = GetTickCount();
    BOOL bTipSeen = FALSE;
    while (GetTickCount() - dwStart < 1000 && pPopup->GetTrackingMode() != 0) {
        testsupport::PumpMessages();
        bTipSeen |= VisibleTipWindow(pContext) != nullptr;
        Sleep(5);
    }
    EXPECT_FALSE(bTipSeen);
}
