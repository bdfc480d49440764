// The bar's command-UI pass: each control's enabled, checked and text state is asked of the
// command routing of the owner site at idle time, as menus and framework bars are.
#include "toolkit/commandbars/CommandBar.h"

#include "platform/framework/FrameWnd.h"

#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsResources.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/foundation/CmdTargetReference.h"

namespace {

// The state of one control as the update handlers set it.
class CCommandBarCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        if (m_pControl->GetAction()) {
            // A bound control follows its action while enabled.
            m_pControl->SetEnabled(bOn ? -1 : FALSE);
            return;
        }
        m_pControl->SetEnabled(bOn);
        // A disabled control shows no check its handler did not set in the same update.
        if (!bOn && !m_bCheckSet && m_pControl->m_nChecked > 0)
            m_pControl->SetChecked(FALSE);
    }
    void SetCheck(int nCheck) override
    {
        m_bCheckSet = TRUE;
        m_pControl->SetChecked(nCheck);
    }
    void SetText(LPCTSTR lpszText) override { m_pControl->SetCaption(lpszText); }

    CQorControl* m_pControl = nullptr;
    BOOL m_bCheckSet = FALSE;
};

// The bar's own update handler (ON_UPDATE_COMMAND_UI reflected to the bar) sees every control.
const int kReflectedUpdateCode = static_cast<int>(MAKELONG(0xFFFF, WM_REFLECT_BASE + WM_COMMAND));

// Controls the bars run themselves (the tool bar's special buttons and entries, the popup's
// expand button) and controls that only open a popup: no handler of the site stands behind
// them, so the lack of one must not grey them.
BOOL RunsWithoutSiteHandler(const CQorControl* pControl)
{
    switch (pControl->GetID()) {
    case QOR_IDS_ADDORREMOVE:
    case QOR_IDS_RESET_TOOLBAR:
    case QOR_ID_TOOLBAR_EXPAND:
    case QOR_ID_TOOLBAR_HIDE:
    case QOR_ID_POPUP_EXPAND:
        return TRUE;
    default:
        break;
    }
    const int nType = pControl->GetType();
    return nType == qorControlPopup || nType == qorControlButtonPopup;
}

} // namespace

HWND CQorCommandBar::GetOwnerSite() const
{
    for (const CQorCommandBar* pBar = this; pBar; pBar = pBar->GetParentCommandBar())
        if (pBar->m_hWndOwner && ::IsWindow(pBar->m_hWndOwner))
            return pBar->m_hWndOwner;
    return GetSite();
}

void CQorCommandBar::OnIdleUpdateCmdUI()
{
    OnUpdateCmdUI();
}

void CQorCommandBar::OnUpdateCmdUI()
{
    if (!m_hWnd || !(GetStyle() & WS_VISIBLE))
        return;
    // A handler may remove controls, destroy the window or let go of the bar.
    CQorCmdTargetReference self(this);
    const HWND hWndTarget = GetOwnerSite();
    CWnd* pTarget = hWndTarget ? CWnd::FromHandlePermanent(hWndTarget) : nullptr;
    CQorCommandBars* pCommandBars = GetCommandBars();
    const BOOL bDisableIfNoHandler = pCommandBars ? pCommandBars->m_bDisableCommandIfNoHandler : TRUE;
    const BOOL bCustomize = pCommandBars && pCommandBars->IsCustomizeMode();
    const CQorCommandBar* pTopBar = GetTopLevelCommandBar();
    const BOOL bNoNotify = pTopBar && pTopBar->m_bNoNotify;
    // Controls of other document templates hide before the pass; a change re-lays out the bar.
    if (const UINT nTemplate = pCommandBars ? pCommandBars->GetActiveDocTemplate() : 0) {
        for (int i = 0; i < GetControlCount(); i++) {
            if (GetControl(i)->FilterByDocTemplate(nTemplate))
                DelayLayout();
        }
    }

    CCommandBarCmdUI state;
    state.m_pOther = this;
    for (int i = 0; i < GetControlCount();) {
        CQorControl* pControl = GetControl(i);
        CQorCmdTargetReference control(pControl);
        if (pControl->IsVisible(qorHideMaskCommandUI)) {
            pControl->OnIdleUpdate();
            if (!bNoNotify && !(pControl->GetFlags() & qorFlagNoCommandUI)) {
                state.m_pControl = pControl;
                state.m_bCheckSet = FALSE;
                state.m_bEnableChanged = FALSE;
                state.m_nID = static_cast<UINT>(pControl->GetID());
                state.m_nIndex = static_cast<UINT>(i);
                state.m_nIndexMax = static_cast<UINT>(GetControlCount());
                const BOOL bHandled = OnCmdMsg(0, kReflectedUpdateCode, &state, nullptr) ||
                                      OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr);
                if (!bHandled) {
                    if (!bCustomize)
                        state.DoUpdate(pTarget, bDisableIfNoHandler && !RunsWithoutSiteHandler(pControl));
                    else if (pControl->m_nEnabled != -1)
                        pControl->SetEnabled(pControl->GetAction() ? -1 : TRUE);
                }
            }
        }
        // Go on after the control routed; when a handler removed it, the control that took
        // its place is next.
        if (pControl->GetControls() == m_pControls && GetControl(pControl->GetIndex()) == pControl)
            i = pControl->GetIndex() + 1;
    }
    if (m_hWnd) {
        UpdateDialogControls(pTarget, bDisableIfNoHandler);
        if (m_bRedrawPending)
            Redraw(nullptr, FALSE);
    }
    if (m_bRecalcLayout) {
        OnRecalcLayout();
        m_bRecalcLayout = FALSE;
    }
}
