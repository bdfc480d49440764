// The bar while it owns the keyboard: joining and leaving the thread's keyboard manager, the
// keys it is offered, what each navigation key does, and the mnemonic search.
#include "toolkit/commandbars/CommandBar.h"

#include <windowsx.h>

#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/KeyHelper.h"
#include "toolkit/commandbars/MouseManager.h"
#include "toolkit/foundation/CmdTargetReference.h"
#include "toolkit/foundation/KeyboardManager.h"

namespace {

BOOL IsKeyDown(int nVirtKey)
{
    return ::GetKeyState(nVirtKey) < 0;
}

// The character a caption answers to: the one after its first single '&' ("&&" stands for an
// ampersand and is skipped), else, without such a mnemonic, its first character (bMnemonic
// FALSE). 0 for an empty caption.
WCHAR GetAccelCharacter(const CString& strCaption, BOOL& bMnemonic)
{
    const int nLength = strCaption.GetLength();
    for (int i = 0; i < nLength - 1; i++) {
        if (strCaption[i] != L'&')
            continue;
        if (strCaption[i + 1] == L'&') {
            i++;
            continue;
        }
        bMnemonic = TRUE;
        return strCaption[i + 1];
    }
    bMnemonic = FALSE;
    return nLength > 0 ? strCaption[0] : 0;
}

// The navigation code of an arrow, Home or End key; -1 for other keys.
int GetNavigationCode(UINT nChar, BOOL bHorizontal, BOOL bRightToLeft)
{
    switch (nChar) {
    case VK_END:
        return CQorCommandBar::keyLast;
    case VK_HOME:
        return CQorCommandBar::keyFirst;
    case VK_LEFT:
        if (bHorizontal)
            return bRightToLeft ? CQorCommandBar::keyNext : CQorCommandBar::keyPrevious;
        return bRightToLeft ? CQorCommandBar::keyExpand : CQorCommandBar::keyCollapse;
    case VK_RIGHT:
        if (bHorizontal)
            return bRightToLeft ? CQorCommandBar::keyPrevious : CQorCommandBar::keyNext;
        return bRightToLeft ? CQorCommandBar::keyCollapse : CQorCommandBar::keyExpand;
    case VK_UP:
        return bHorizontal ? CQorCommandBar::keyCollapse : CQorCommandBar::keyPrevious;
    case VK_DOWN:
        return bHorizontal ? CQorCommandBar::keyExpand : CQorCommandBar::keyNext;
    default:
        return -1;
    }
}

} // namespace

// ---- Joining and leaving ------------------------------------------------------------------

void CQorCommandBar::EnterKeyboardTracking(BOOL bSelectFirst, BOOL bKeyboard)
{
    if (m_barType == qorBarTypeMenuBar && GetSite())
        ::SendMessageW(GetSite(), QORWM_MENUBAR_TRACKING, reinterpret_cast<WPARAM>(this), 0);
    m_bMouseTracking = !bSelectFirst && !bKeyboard;
    m_nKeyboardSelection = bKeyboard;
    if (m_bHideCaret && !m_hWndSaveFocus) {
        m_hWndSaveFocus = ::GetFocus() ? ::GetFocus() : GetSite();
        if (m_hWndSaveFocus)
            ::HideCaret(m_hWndSaveFocus);
    }
    GetKeyboardManager()->HookKeyboard(this);
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    if (bSelectFirst)
        SetSelected(GetNextSelectable(-1, +1), 2);
    if (CQorCommandBars* pCommandBars = GetCommandBars())
        pCommandBars->OnTrackingModeChanged(this, m_nMode);
}

HWND CQorCommandBar::LeaveKeyboardTracking()
{
    m_bMouseTracking = FALSE;
    m_nKeyboardSelection = 0;
    if (CQorKeyboardManager* pKeyboardManager = FindKeyboardManager())
        pKeyboardManager->UnhookKeyboard(this);
    if (m_nPopuped != -1)
        SetPopuped(-1);
    const HWND hWndSaveFocus = m_hWndSaveFocus;
    m_hWndSaveFocus = nullptr;
    if (hWndSaveFocus && ::IsWindow(hWndSaveFocus))
        ::ShowCaret(hWndSaveFocus);
    return hWndSaveFocus;
}

void CQorCommandBar::FinishLeavingTracking(HWND hWndSaveFocus)
{
    // The bar held the focus (Ctrl+Tab gives it): it goes on to the next tab item. Outside a
    // dialog that item may be missing or the bar itself; the focus then returns to the window
    // that had it when tracking began, so that it never stays on a bar that no longer tracks.
    const HWND hWndParent = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    if (hWndParent && ::GetFocus() == m_hWnd) {
        const HWND hWndNext = ::GetNextDlgTabItem(hWndParent, m_hWnd, FALSE);
        if (hWndNext && hWndNext != m_hWnd)
            ::SetFocus(hWndNext);
        else if (hWndSaveFocus && hWndSaveFocus != m_hWnd && ::IsWindow(hWndSaveFocus))
            ::SetFocus(hWndSaveFocus);
    }
    if (CQorCommandBars* pCommandBars = GetCommandBars())
        pCommandBars->OnTrackingModeChanged(this, 0);
}

int CQorCommandBar::OnHookMessage(HWND, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT&)
{
    if (m_nMode == 0)
        return QOR_HOOK_OFFER_ON;
    if (nMessage == WM_KEYDOWN)
        return OnHookKeyDown(static_cast<UINT>(wParam), lParam);
    // The hot control may use the wheel; it never scrolls what lies under an open menu.
    if (nMessage == WM_MOUSEWHEEL) {
        if (CQorControl* pHot = GetControl(m_nSelected)) {
            CQorCmdTargetReference hot(pHot);
            pHot->OnHookMouseWheel(GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam),
                                   CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        }
        return QOR_HOOK_CONSUMED;
    }
    return QOR_HOOK_OFFER_ON;
}

// ---- Keys ---------------------------------------------------------------------------------

int CQorCommandBar::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    CQorCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars && pCommandBars->IsCustomizeMode())
        return QOR_HOOK_PASS;
    if (m_nModalLockCount > 0)
        return QOR_HOOK_CONSUMED;

    // The site may close the bar over the key; the reference keeps it alive to see that.
    InternalAddRef();
    if (const HWND hWndSite = GetSite()) {
        QOR_KEY_RECORD key = {nChar, lParam};
        ::SendMessageW(hWndSite, QORWM_SPECIALKEY, reinterpret_cast<WPARAM>(&key), reinterpret_cast<LPARAM>(this));
    }
    if (InternalRelease() == 0)
        return QOR_HOOK_CONSUMED;

    if (CQorControl* pHot = GetControl(m_nSelected)) {
        const int nResult = pHot->OnHookKeyDown(nChar);
        if (nResult == QOR_HOOK_CONSUMED || nResult == QOR_HOOK_PASS)
            return nResult;
    }
    if (!m_hWnd)
        return QOR_HOOK_CONSUMED;

    // Tool bars and the menu bar take part in Ctrl+Tab and in the manager's mnemonic search;
    // popups keep the keys to themselves.
    const BOOL bToolBarKeys = pCommandBars && GetTopLevelCommandBar()->m_barType != qorBarTypePopup;
    int nCode = -1;
    switch (nChar) {
    case VK_TAB:
        if (IsKeyDown(VK_CONTROL) && bToolBarKeys && pCommandBars->ActivateToolBar(IsKeyDown(VK_SHIFT) ? -1 : +1, this))
            return QOR_HOOK_CONSUMED;
        ProcessSpecialKey(IsKeyDown(VK_SHIFT) ? keyPrevious : keyNext);
        return QOR_HOOK_CONSUMED;
    case VK_RETURN:
        nCode = keyExecute;
        break;
    case VK_ESCAPE:
        nCode = keyEscape;
        break;
    case VK_SPACE:
        if (m_barType == qorBarTypeMenuBar) {
            // Space opens the site's system menu, as it does on a window's own menu bar.
            GetMouseManager()->CloseTrackedPopups();
            if (const HWND hWndSite = GetSite())
                ::PostMessageW(hWndSite, WM_SYSCOMMAND, SC_KEYMENU, L' ');
            return QOR_HOOK_CONSUMED;
        }
        break;
    default:
        break;
    }
    if (nCode == -1) {
        // An edit or combo box of the bar types for itself.
        const HWND hWndFocus = ::GetFocus();
        if (hWndFocus && ::IsChild(m_hWnd, hWndFocus))
            return QOR_HOOK_PASS;
        nCode = GetNavigationCode(nChar, IsHorizontalForKeys(), IsRightToLeft());
    }
    if (nCode != -1) {
        // A key the bar has no use for goes on to the bar below it in the chain (Left in a
        // submenu closes it from its parent; Right on a plain item moves the menu bar on).
        return ProcessSpecialKey(nCode) ? QOR_HOOK_CONSUMED : QOR_HOOK_OFFER_ON;
    }

    if (nChar == 0 || ::MapVirtualKeyW(nChar, MAPVK_VK_TO_CHAR) == 0)
        return QOR_HOOK_CONSUMED;
    if (bToolBarKeys && pCommandBars->ProcessAltKey(nChar))
        return QOR_HOOK_CONSUMED;
    if (!IsKeyDown(VK_CONTROL)) {
        BOOL bUnique = FALSE;
        const int nIndex = FindAccelControl(nChar, bUnique);
        if (nIndex != -1) {
            SetSelected(nIndex, 2);
            if (bUnique) {
                if (CQorControl* pControl = GetControl(nIndex)) {
                    CQorCmdTargetReference control(pControl);
                    pControl->OnKeyboardActivate();
                }
            }
            return QOR_HOOK_CONSUMED;
        }
    }
    if (nChar != VK_SHIFT && nChar != VK_CONTROL)
        ::MessageBeep(0);
    return QOR_HOOK_CONSUMED;
}

BOOL CQorCommandBar::ProcessSpecialKey(int nCode)
{
    const BOOL bPopupToolBar = m_barPosition == qorBarPopup && m_barType == qorBarTypeToolBar;
    CQorControl* pHot = GetControl(m_nSelected);
    if (pHot && m_nSelected == m_nPopuped && bPopupToolBar) {
        // The open popup of a popup tool bar hangs below its control: Left closes it.
        if (nCode == keyNext)
            return FALSE;
        if (nCode == keyPrevious)
            nCode = keyCollapse;
    }
    // Bars in rows move between rows on Up and Down. This comes before Up turns into opening
    // the hot control's popup, which would otherwise make Up move down a row.
    if (m_nPopuped == -1 && (bPopupToolBar || m_barPosition == qorBarFloating) &&
        (nCode == keyCollapse || nCode == keyExpand)) {
        MoveToRow(nCode == keyExpand ? +1 : -1);
        return TRUE;
    }
    // Up on a top-level bar (or a popup tool bar) opens the hot control's popup, as Down does.
    if (nCode == keyCollapse && m_nPopuped == -1 && pHot && (bPopupToolBar || !GetParentCommandBar()) &&
        pHot->GetEnabled())
        nCode = keyExpand;

    int nIndex = -1;
    int nSelection = 2;
    switch (nCode) {
    case keyNext:
        nIndex = GetNextSelectable(m_nSelected, +1);
        break;
    case keyPrevious:
        nIndex = GetNextSelectable(m_nSelected, -1);
        nSelection = 3;
        break;
    case keyFirst:
        nIndex = GetNextSelectable(-1, +1);
        break;
    case keyLast:
        nIndex = GetNextSelectable(-1, -1);
        nSelection = 3;
        break;
    case keyCollapse:
        if (m_nPopuped == -1)
            return FALSE;
        SetPopuped(-1);
        SetTrackingMode(1, FALSE, FALSE);
        return TRUE;
    case keyExpand:
        if (!pHot || m_nPopuped == m_nSelected)
            return FALSE;
        pHot->SetSelected(2);
        return SetPopuped(m_nSelected, FALSE);
    case keyEscape:
        if (CQorCommandBar* pParent = GetParentCommandBar())
            pParent->SetTrackingMode(1, FALSE, FALSE);
        SetTrackingMode(0, TRUE, FALSE);
        return TRUE;
    case keyExecute:
        if (pHot) {
            CQorCmdTargetReference control(pHot);
            pHot->SetSelected(2);
            pHot->OnClick(TRUE, CPoint(0, 0));
        }
        return TRUE;
    default:
        return FALSE;
    }
    SetSelected(nIndex, nSelection);
    return TRUE;
}

void CQorCommandBar::MoveToRow(int nDirection)
{
    const int nCount = GetControlCount();
    CQorControl* pHot = GetControl(m_nSelected);
    if (!pHot) {
        for (int i = 0; i < nCount; i++) {
            const int nIndex = nDirection > 0 ? i : nCount - 1 - i;
            if (GetControl(nIndex)->IsVisible()) {
                SetSelected(nIndex, 2);
                return;
            }
        }
        return;
    }
    // Walk to the next row, then along it to the control standing above or below the hot one:
    // the greatest left edge not right of the hot control's (else the first met).
    const int nLeft = pHot->GetRect().left;
    int nRowTop = pHot->GetRowRect().top;
    BOOL bInRow = FALSE; // past the hot control's row
    int nFound = -1;
    for (int nIndex = (m_nSelected + nDirection + nCount) % nCount; nIndex != m_nSelected;
         nIndex = (nIndex + nDirection + nCount) % nCount) {
        CQorControl* pControl = GetControl(nIndex);
        if (!pControl->IsVisible())
            continue;
        if (pControl->GetRowRect().top != nRowTop) {
            if (bInRow)
                break;
            bInRow = TRUE;
            nRowTop = pControl->GetRowRect().top;
        } else if (!bInRow) {
            continue;
        }
        const int nControlLeft = pControl->GetRect().left;
        const int nFoundLeft = nFound == -1 ? 0 : GetControl(nFound)->GetRect().left;
        if (nFound == -1 || (nControlLeft <= nLeft && (nFoundLeft > nLeft || nControlLeft > nFoundLeft)))
            nFound = nIndex;
    }
    if (nFound != -1)
        SetSelected(nFound, nDirection > 0 ? 2 : 3);
}

// ---- Mnemonics ----------------------------------------------------------------------------

int CQorCommandBar::FindAccelControl(UINT nChar, BOOL& bUnique, BOOL* pbMnemonic) const
{
    const int nCount = GetControlCount();
    const int nMask = IsPopupBar() ? qorHideMaskKeyboardPopup : qorHideMaskKeyboard;
    int nMnemonic = -1, nFirstCharacter = -1;
    BOOL bMnemonicTwice = FALSE, bFirstCharacterTwice = FALSE;
    for (int i = 0; i < nCount && !bMnemonicTwice; i++) {
        const int nIndex = (m_nSelected + 1 + i) % nCount;
        const CQorControl* pControl = GetControl(nIndex);
        if (!pControl->IsVisible(nMask) || (pControl->GetFlags() & qorFlagSkipFocus) || !pControl->GetEnabled())
            continue;
        BOOL bMnemonic = FALSE;
        const WCHAR ch = GetAccelCharacter(pControl->GetCaption(), bMnemonic);
        if (ch == 0 || !CKeyHelper::IsKeyCharacter(ch, nChar))
            continue;
        if (bMnemonic) {
            bMnemonicTwice = nMnemonic != -1;
            if (nMnemonic == -1)
                nMnemonic = nIndex;
        } else {
            bFirstCharacterTwice = bFirstCharacterTwice || nFirstCharacter != -1;
            if (nFirstCharacter == -1)
                nFirstCharacter = nIndex;
        }
    }
    if (pbMnemonic)
        *pbMnemonic = nMnemonic != -1;
    if (nMnemonic != -1) {
        bUnique = !bMnemonicTwice;
        return nMnemonic;
    }
    bUnique = nFirstCharacter != -1 && !bFirstCharacterTwice;
    return nFirstCharacter;
}

// ---- Shape of the bar ---------------------------------------------------------------------

BOOL CQorCommandBar::IsRightToLeft() const
{
    return m_hWnd && (GetExStyle() & (WS_EX_LAYOUTRTL | WS_EX_RTLREADING)) != 0;
}

BOOL CQorCommandBar::IsHorizontalForKeys() const
{
    switch (m_barPosition) {
    case qorBarTop:
    case qorBarBottom:
    case qorBarFloating:
        return TRUE;
    case qorBarPopup:
        return m_barType == qorBarTypeToolBar;
    default:
        return FALSE;
    }
}

int CQorCommandBar::GetNextSelectable(int nStart, int nStep) const
{
    return m_pControls->GetNext(nStart, nStep, IsPopupBar());
}

CQorCommandBar* CQorCommandBar::GetTopLevelCommandBar() const
{
    const CQorCommandBar* pBar = this;
    while (CQorCommandBar* pParent = pBar->GetParentCommandBar())
        pBar = pParent;
    return const_cast<CQorCommandBar*>(pBar);
}
