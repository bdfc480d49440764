// What running a control leaves behind: a control left showing shows what its command changed
// at once; and the update pass greys neither the bars' own entries nor controls that only open
// a popup for want of a handler of the site.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/framework/FrameWnd.h"
#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsResources.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/ToolBar.h"

namespace {

const int kItemId = 5102;   // a button with a handler
const int kToggleId = 5103; // a button whose command turns its check on and off

// A frame whose toggle command flips a state its update handler shows as the check.
class CExecuteFrame : public CFrameWnd
{
public:
    BOOL m_bOn = FALSE;
    int m_nRuns = 0;

protected:
    void OnToggle()
    {
        m_nRuns++;
        m_bOn = !m_bOn;
    }
    void OnUpdateToggle(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_bOn); }
    void OnItem() {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CExecuteFrame, CFrameWnd)
    ON_COMMAND(kToggleId, &CExecuteFrame::OnToggle)
    ON_UPDATE_COMMAND_UI(kToggleId, &CExecuteFrame::OnUpdateToggle)
    ON_COMMAND(kItemId, &CExecuteFrame::OnItem)
END_MESSAGE_MAP()

class ControlExecute : public testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CExecuteFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"Execute", WS_OVERLAPPEDWINDOW, CRect(40, 40, 640, 340)));
        m_pFrame->ShowWindow(SW_SHOW);
        ASSERT_TRUE(cbtest::BringToFront(m_pFrame->GetSafeHwnd()));
        m_pCommandBars = new CQorCommandBars;
        m_pCommandBars->SetSite(m_pFrame->GetSafeHwnd());
        m_pBar = dynamic_cast<CQorToolBar*>(m_pCommandBars->CreateToolBar(L"Standard", 100));
        ASSERT_NE(m_pBar, nullptr);
    }
    void TearDown() override
    {
        m_pCommandBars->ClosePopups();
        m_pCommandBars->InternalRelease();
        m_pFrame->DestroyWindow();
    }

    CExecuteFrame* m_pFrame = nullptr;
    CQorCommandBars* m_pCommandBars = nullptr;
    CQorToolBar* m_pBar = nullptr;
};

} // namespace

TEST_F(ControlExecute, AControlLeftShowingShowsWhatItsCommandChangedAtOnce)
{
    struct Case
    {
        const char* name;
        BOOL bCloseSubMenuOnClick;
    } cases[] = {{"pressed on a tool bar", TRUE}, {"kept open by its entry", FALSE}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CQorControl* pToggle = m_pBar->GetControls()->Add(qorControlButton, kToggleId);
        ASSERT_NE(pToggle, nullptr);
        pToggle->m_bCloseSubMenuOnClick = c.bCloseSubMenuOnClick;
        m_pBar->OnRecalcLayout();
        const BOOL bOnBefore = m_pFrame->m_bOn;
        pToggle->OnExecute();
        ASSERT_NE(m_pFrame->m_bOn, bOnBefore) << "the command ran";
        // No idle pass ran since: the command's own update did.
        EXPECT_EQ(pToggle->GetChecked(), m_pFrame->m_bOn);
        EXPECT_EQ(pToggle->GetPressed(), CQorControl::pressedNone);
        m_pBar->GetControls()->Remove(pToggle);
    }
}

TEST_F(ControlExecute, TheUpdatePassGreysOnlyCommandsTheSiteCouldRunButHasNoHandlerFor)
{
    struct Case
    {
        int nType;
        int nId;
        BOOL bEnabled;
    } cases[] = {
        {qorControlPopup, QOR_IDS_ADDORREMOVE, TRUE},   // the bars' own entries
        {qorControlButton, QOR_IDS_RESET_TOOLBAR, TRUE},
        {qorControlButton, QOR_ID_TOOLBAR_HIDE, TRUE},
        {qorControlButton, QOR_ID_POPUP_EXPAND, TRUE},
        {qorControlPopup, 5201, TRUE},                  // only opens its popup
        {qorControlButtonPopup, 5202, TRUE},
        {qorControlSplitButtonPopup, 5203, FALSE},      // its button part runs a command
        {qorControlButton, 5204, FALSE},                // no handler
        {qorControlButton, kItemId, TRUE},              // handled
    };
    for (const Case& c : cases)
        ASSERT_NE(m_pBar->GetControls()->Add(c.nType, c.nId), nullptr);
    m_pBar->OnUpdateCmdUI();
    for (const Case& c : cases) {
        CQorControl* pControl = m_pBar->GetControls()->FindControl(c.nId);
        EXPECT_EQ(pControl->GetEnabled(), c.bEnabled) << c.nId;
    }
}
