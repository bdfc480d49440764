// The bars' tool tips: every bar of a manager hands its mouse messages to the manager's tip
// context, which asks the bar for the control under the pointer and shows that control's tip.
#include "toolkit/commandbars/CommandBar.h"

#include <commctrl.h>

#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsOptions.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/ShortcutManager.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/ToolTipContext.h"

namespace {

BOOL IsTipMessage(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

} // namespace

LRESULT CQorCommandBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pToolTipContext && IsTipMessage(message)) {
        // Held: the bar's own handling may let go of the bar and with it the context.
        CQorToolTipContext* pContext = m_pToolTipContext;
        pContext->InternalAddRef();
        MSG msg = {m_hWnd, message, wParam, lParam, static_cast<DWORD>(::GetMessageTime()), {0, 0}};
        ::GetCursorPos(&msg.pt);
        pContext->FilterToolTipMessage(this, &msg);
        pContext->InternalRelease();
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CQorCommandBar::DeactivateToolTip()
{
    if (!m_pToolTipContext)
        return;
    CWnd* pTip = m_pToolTipContext->GetToolTip();
    if (pTip && ::IsWindow(pTip->GetSafeHwnd()))
        pTip->SendMessage(TTM_ACTIVATE, FALSE, 0);
}

CString CQorCommandBar::GetControlTipText(const CQorControl* pControl) const
{
    CString strTip;
    if (!pControl)
        return strTip;
    CQorCommandBars* pCommandBars = GetCommandBars();
    CQorCommandBarsOptions* pOptions = pCommandBars ? pCommandBars->GetCommandBarsOptions() : nullptr;
    if (!IsPopupBar() && pOptions && !pOptions->m_bToolBarScreenTips)
        return strTip;
    strTip = pControl->GetTooltip();
    CString strCaption = pControl->GetCaption();
    StripMnemonic(strCaption);
    if (strTip.IsEmpty())
        strTip = strCaption;
    // A menu item already shows its caption: a tip saying the same would only cover the menu.
    if (m_barType == qorBarTypePopup && pControl->IsCaptionVisible()) {
        CString strBare = strTip;
        StripMnemonic(strBare);
        if (strBare == strCaption)
            return CString();
    }
    if (strTip.IsEmpty() || !pOptions || !pOptions->m_bToolBarAccelTips)
        return strTip;
    CString strShortcut = pControl->GetShortcutText();
    if (strShortcut.IsEmpty() && pControl->GetID() > 0) {
        if (CQorShortcutManager* pShortcuts = pCommandBars->GetShortcutManager())
            if (!pShortcuts->FindDefaultAccelerator(static_cast<UINT>(pControl->GetID()), strShortcut))
                strShortcut.Empty();
    }
    if (!strShortcut.IsEmpty())
        strTip += L" (" + strShortcut + L")";
    return strTip;
}

INT_PTR CQorCommandBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    if (!m_pToolTipContext)
        return CWnd::OnToolHitTest(point, pTI);
    // An open popup of this bar has the user's eye; the tips wait until it closes.
    if (m_nPopuped != -1)
        return -1;
    const CQorControl* pControl = m_pControls->HitTest(point);
    if (!pControl)
        return -1;
    const CString strTip = GetControlTipText(pControl);
    if (strTip.IsEmpty())
        return -1;
    const INT_PTR nId = pControl->GetID() > 0 ? pControl->GetID() : pControl->GetIndex() + 1;
    const CRect rc = pControl->GetRect();
    FillToolInfo(m_hWnd, strTip, pTI, rc.left, rc.top, rc.right, rc.bottom, static_cast<UINT_PTR>(nId));
    return nId;
}
