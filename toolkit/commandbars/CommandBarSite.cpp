// What the bar tells its site: a pressed control and its status prompt, and the answers of
// context help (which control lies under a point and its help id).
#include "toolkit/commandbars/CommandBar.h"

#include <windowsx.h>

#include "platform/framework/FrameWnd.h"
#include "platform/framework/FrameworkIds.h"

#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsOptions.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/foundation/CmdTargetReference.h"

namespace {

// Help ids: a control's command or help id, else the bar's own window id.
const LRESULT kHelpIdControl = 0x10000;
const LRESULT kHelpIdBar = 0x50000;

} // namespace

void CQorCommandBar::OnControlPressed(BOOL bPressed, CQorControl* pControl)
{
    // The site may change the bar or its controls while it is told.
    CQorCmdTargetReference self(this), control(pControl);
    if (const HWND hWndSite = GetSite())
        ::SendMessageW(hWndSite, QORWM_CONTROLRBUTTONUP_PRESSED, bPressed ? reinterpret_cast<WPARAM>(pControl) : 0, 0);
    // F1 while a control is held asks for that control's help.
    if (CQorCommandBars* pCommandBars = GetCommandBars())
        pCommandBars->m_nPressedHelpId = bPressed && pControl ? static_cast<UINT>(GetControlHelpId(pControl)) : 0;
    const int nIndex = pControl ? pControl->GetIndex() : -1;
    if (nIndex != m_nStatusPrompt) {
        m_nStatusPrompt = -1;
        ShowStatusPrompt(bPressed && pControl ? pControl->GetDescription() : CString());
    } else if (!bPressed) {
        m_nStatusPrompt = -1;
    }
}

void CQorCommandBar::ShowStatusPrompt(const CString& strPrompt)
{
    const HWND hWndSite = GetSite();
    if (!hWndSite)
        return;
    CQorCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars && !pCommandBars->GetCommandBarsOptions()->m_bShowStatusPrompt)
        return;
    if (!strPrompt.IsEmpty())
        ::SendMessageW(hWndSite, WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCWSTR>(strPrompt)));
    else
        ::SendMessageW(hWndSite, WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
}

BOOL CQorCommandBar::IsInContextHelpMode() const
{
    const HWND hWndSite = GetSite();
    CWnd* pSite = hWndSite ? CWnd::FromHandlePermanent(hWndSite) : nullptr;
    return pSite && pSite->IsFrameWnd() && static_cast<CFrameWnd*>(pSite)->m_bHelpMode;
}

LRESULT CQorCommandBar::OnNcHitTest(CPoint point)
{
    if (!IsInContextHelpMode())
        return CWnd::OnNcHitTest(point);
    // In context-help mode a sub-menu without a command of its own still opens on a click.
    CPoint ptClient = point;
    ScreenToClient(&ptClient);
    CQorControl* pControl = m_pControls->HitTest(ptClient);
    if (pControl && pControl->GetID() == 0 && pControl->GetType() >= qorControlPopup &&
        pControl->GetType() <= qorControlSplitButtonPopup)
        return HTMENU;
    return HTCLIENT;
}

void CQorCommandBar::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (!IsInContextHelpMode()) {
        CWnd::OnNcLButtonDown(nHitTest, point);
        return;
    }
    CPoint ptClient = point;
    ScreenToClient(&ptClient);
    OnLButtonDown(0, ptClient);
}

int CQorCommandBar::GetControlHelpId(const CQorControl* pControl)
{
    if (pControl->m_nHelpId > 0)
        return pControl->m_nHelpId;
    if (CQorControlAction* pAction = pControl->GetAction())
        return pAction->GetId();
    return pControl->GetID();
}

LRESULT CQorCommandBar::OnHelpHitTest(WPARAM, LPARAM lParam)
{
    const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    if (CQorControl* pControl = m_pControls->HitTest(point))
        return kHelpIdControl + GetControlHelpId(pControl);
    const int nDlgId = m_hWnd ? ::GetDlgCtrlID(m_hWnd) : 0;
    return nDlgId ? kHelpIdBar + nDlgId : 0;
}
