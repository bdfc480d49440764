// The popup bar's window and life: creation, opening (the site fills it first, then it is laid
// out, placed, shown with its animation, sound and shadows), tracking, the expand button and
// the expansion (delayed, by the mouse, by the keyboard), the resize gripper and closing.
#include "toolkit/commandbars/PopupBar.h"

#include <algorithm>
#include <cstdlib>

#include "platform/framework/WinApp.h"

#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsOptions.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/MouseManager.h"
#include "toolkit/commandbars/PaintManager.h"
#include "toolkit/commandbars/Shadows.h"
#include "toolkit/commandbars/SoundPlayer.h"
#include "toolkit/foundation/CaptureLoop.h"
#include "toolkit/foundation/CmdTargetReference.h"
#include "toolkit/foundation/DrawHelpers.h"

namespace {

using CReference = CQorCmdTargetReference;

// The framework's style bit that keeps a floating window's caption in step with the frame's.
const DWORD kSyncActiveStyle = 0x100;
const int kMinResizeWidth = 40;

// Two window classes: popups of a manager redraw what they cover through their owner; a popup
// without one may lie over anything and keeps what is under it.
LPCWSTR GetPopupWindowClass(BOOL bSaveBits)
{
    static const wchar_t kClass[] = L"QorPopupBar";
    static const wchar_t kClassSaveBits[] = L"QorPopupBarSaveBits";
    LPCWSTR lpszClass = bSaveBits ? kClassSaveBits : kClass;
    WNDCLASSW wc = {};
    if (!::GetClassInfoW(AfxGetInstanceHandle(), lpszClass, &wc))
        RegisterToolkitWindowClass(AfxGetInstanceHandle(), lpszClass, CS_DBLCLKS | (bSaveBits ? CS_SAVEBITS : 0));
    return lpszClass;
}

} // namespace

// ---- The expand button --------------------------------------------------------------------

CQorPopupBar::CControlExpandButton::CControlExpandButton()
{
    // Passed over by the keyboard, left out of the command-UI pass, never moved, and not a command.
    m_nFlags = 0x5A;
}

CSize CQorPopupBar::CControlExpandButton::GetSize(CDC* pDC)
{
    CQorPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager ? pPaintManager->DrawExpandGlyph(pDC, this, FALSE) : CSize(24, 13);
}

void CQorPopupBar::CControlExpandButton::Draw(CDC* pDC)
{
    if (CQorPaintManager* pPaintManager = GetPaintManager())
        pPaintManager->DrawExpandGlyph(pDC, this, TRUE);
}

void CQorPopupBar::CControlExpandButton::OnClick(BOOL, CPoint)
{
    // On the press: the release then lands on a control the expansion may have put under the
    // pointer, and the mouse manager swallows it.
    if (GetEnabled())
        OnExecute();
}

void CQorPopupBar::CControlExpandButton::OnExecute()
{
    if (CQorPopupBar* pBar = DYNAMIC_DOWNCAST(CQorPopupBar, m_pParent))
        pBar->ExpandBar();
}

// ---- The bar ------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CQorPopupBar, CQorCommandBar)

BEGIN_MESSAGE_MAP(CQorPopupBar, CQorCommandBar)
    ON_WM_MOUSEACTIVATE()
    ON_WM_TIMER()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_SETCURSOR()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CQorPopupBar::CQorPopupBar()
    : m_bShowShadow(TRUE), m_pParentControl(nullptr), m_ptPopup(0, 0), m_rcExclude(0, 0, 0, 0), m_nPopupFlags(0),
      m_bScrollDisabled(FALSE), m_bExpandable(FALSE), m_bExpanded(FALSE), m_nResizable(resizeNone),
      m_rcResizeGripper(0, 0, 0, 0), m_bScrollMode(FALSE), m_nFirstShown(0), m_nLastShown(0),
      m_rcScrollDown(0, 0, 0, 0), m_rcScrollUp(0, 0, 0, 0), m_nScrollTimer(0), m_szLayout(0, 0), m_szUser(0, 0),
      m_bDestroying(FALSE)
{
    m_barType = qorBarTypePopup;
    m_barPosition = qorBarPopup;
}

CQorPopupBar::~CQorPopupBar() = default;

CQorPopupBar* CQorPopupBar::CreatePopupBar(CQorCommandBars* pCommandBars)
{
    CQorPopupBar* pBar = new CQorPopupBar;
    pBar->SetCommandBars(pCommandBars);
    return pBar;
}

const CRect& CQorPopupBar::GetPopupBorders()
{
    static const CRect kBorders(2, 4, 2, 4);
    return kBorders;
}

CRect CQorPopupBar::GetBorders()
{
    return GetPopupBorders();
}

BOOL CQorPopupBar::IsVisible() const
{
    return m_hWnd && ::IsWindowVisible(m_hWnd);
}

CQorCommandBar* CQorPopupBar::GetParentCommandBar() const
{
    return m_pParentControl ? m_pParentControl->GetParent() : nullptr;
}

BOOL CQorPopupBar::CreatePopupWindow()
{
    if (m_hWnd)
        return TRUE;
    m_bDestroying = FALSE;
    CQorCommandBars* pCommandBars = GetCommandBars();
    HWND hWndSite = GetSite();
    if (!hWndSite && m_pParentControl && m_pParentControl->GetParent())
        hWndSite = m_pParentControl->GetParent()->GetSite();
    // A popup without a manager or a site of its own sends its commands where its parent does.
    if (!m_hWndSite && !pCommandBars && hWndSite)
        m_hWndSite = hWndSite;
    DWORD dwExStyle = WS_EX_TOOLWINDOW;
    if (hWndSite && (::GetWindowLongPtrW(hWndSite, GWL_EXSTYLE) & WS_EX_LAYOUTRTL))
        dwExStyle |= WS_EX_LAYOUTRTL;
    const DWORD dwStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | kSyncActiveStyle;
    return CreateEx(dwExStyle, GetPopupWindowClass(pCommandBars == nullptr), m_strTitle, dwStyle, 0, 0, 0, 0, hWndSite,
                    nullptr);
}

int CQorPopupBar::GetAnimationKind() const
{
    CQorCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars || (m_hWnd && ::GetWindow(m_hWnd, GW_CHILD)))
        return 5;
    const int nOption = pCommandBars->GetCommandBarsOptions()->m_nAnimationType;
    if (nOption == 0) {
        BOOL bAnimation = FALSE, bFade = FALSE;
        ::SystemParametersInfoW(SPI_GETMENUANIMATION, 0, &bAnimation, 0);
        if (!bAnimation)
            return 5;
        ::SystemParametersInfoW(SPI_GETMENUFADE, 0, &bFade, 0);
        return bFade ? 4 : 3;
    }
    if (nOption == 1) {
        static const int kKinds[] = {4, 3, 2};
        return kKinds[std::rand() % 3];
    }
    return nOption;
}

BOOL CQorPopupBar::OpenPopup(CQorControlPopup* pParentControl, BOOL bKeyboard)
{
    CReference self(this);
    m_pParentControl = pParentControl;
    if (!m_hWnd && !CreatePopupWindow()) {
        m_pParentControl = nullptr;
        return FALSE;
    }
    // A tip standing over the bar below would cover the menu that opens now.
    DeactivateToolTip();
    m_nLockRedraw++;
    // The site may fill or change the popup now (or destroy it).
    if (const HWND hWndSite = GetSite())
        ::SendMessageW(hWndSite, QORWM_INITMENUPOPUP, 0, reinterpret_cast<LPARAM>(this));
    m_bExpandable = FALSE;
    CQorCommandBars* pCommandBars = GetCommandBars();
    m_bExpanded = !pCommandBars || pCommandBars->IsCustomizeMode() || GetMouseManager()->IsExpanded() ||
                  pCommandBars->GetCommandBarsOptions()->m_bAlwaysShowFullMenus;
    m_bScrollMode = FALSE;
    m_nFirstShown = 0;
    m_szUser = CSize(0, 0);
    if (m_hWnd) {
        UpdateExcludeRect();
        const CSize sz = CalcPopupLayout();
        MoveToPoint(sz, TRUE);
        // Controls the site added are laid out now: the command-UI pass need not do it again.
        m_bRecalcLayout = FALSE;
    }

    // Opened for a control, the popup needs that control's bar to stay; a context menu has none.
    BOOL bGone = !m_hWnd || !::IsWindow(m_hWnd);
    if (m_pParentControl) {
        CQorCommandBar* pParent = m_pParentControl->GetParent();
        bGone = bGone || !pParent || !::IsWindow(pParent->GetSafeHwnd());
    }
    if (bGone) {
        m_nLockRedraw--;
        if (m_hWnd)
            DestroyWindow();
        m_pParentControl = nullptr;
        return FALSE;
    }

    SetTrackingMode(1, bKeyboard, bKeyboard);
    OnUpdateCmdUI();
    if (!m_hWnd) {
        m_nLockRedraw--;
        return FALSE;
    }
    AnimateShow(GetAnimationKind());
    GetSoundPlayer()->PlaySound(CQorSoundPlayer::requestPopup);
    if (m_pNotifyWinEvent)
        m_pNotifyWinEvent(EVENT_SYSTEM_MENUPOPUPSTART, m_hWnd, OBJID_MENU, CHILDID_SELF);
    if (m_barPosition == qorBarPopup && m_bShowShadow) {
        CQorShadowsManager* pShadows = GetShadowsManager();
        pShadows->RemoveShadows(this);
        pShadows->CreateShadow(this, m_rcExclude);
    }
    m_nLockRedraw--;
    if (IsRedrawPending())
        Redraw(nullptr, FALSE);
    return TRUE;
}

void CQorPopupBar::AnimateShow(int nKind)
{
    if (nKind < 2 || nKind > 4 || !m_hWnd)
        return;
    CRect rc;
    GetClientRect(&rc);
    if (rc.IsRectEmpty())
        return;
    CClientDC dc(this);
    CDC dcImage;
    CBitmap bitmap;
    if (!dcImage.CreateCompatibleDC(&dc) || !bitmap.CreateCompatibleBitmap(&dc, rc.Width(), rc.Height()))
        return;
    CBitmap* pOldBitmap = dcImage.SelectObject(&bitmap);
    DrawCommandBar(&dcImage, rc);
    GetPaintManager()->AlphaBlitBitmap(&dc, &dcImage, rc, nKind);
    dcImage.SelectObject(pOldBitmap);
    ValidateRect(nullptr);
}

BOOL CQorPopupBar::SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    CReference self(this);
    const BOOL bWasTracking = m_nMode != 0;
    const BOOL bChanged = CQorCommandBar::SetTrackingMode(nMode, bSelectFirst, bKeyboard);
    if (nMode == 0 && bChanged && bWasTracking)
        ClosePopupWindow();
    return bChanged;
}

void CQorPopupBar::ClosePopupWindow()
{
    const HWND hWndSite = GetSite();
    if (m_hWnd) {
        if (m_pNotifyWinEvent)
            m_pNotifyWinEvent(EVENT_SYSTEM_MENUPOPUPEND, m_hWnd, OBJID_MENU, CHILDID_SELF);
        KillTimer(kExpandTimerId);
        KillTimer(kScrollDownTimerId);
        KillTimer(kScrollUpTimerId);
        m_nScrollTimer = 0;
        if (!m_bDestroying) {
            // Windows the site lent the popup go back to it before the popup goes.
            for (HWND hWndChild = ::GetWindow(m_hWnd, GW_CHILD); hWndChild;) {
                const HWND hWndNext = ::GetWindow(hWndChild, GW_HWNDNEXT);
                ::ShowWindow(hWndChild, SW_HIDE);
                ::SetParent(hWndChild, hWndSite);
                hWndChild = hWndNext;
            }
            DestroyWindow();
        }
    }
    // A context menu has no parent control, and so no parent bar to tell.
    CQorControlPopup* pControl = m_pParentControl;
    CQorCommandBar* pParent = pControl ? pControl->GetParent() : nullptr;
    if (pParent && pParent->GetPopuped() == pControl->GetIndex()) {
        CReference parent(pParent), control(pControl);
        pParent->SetPopuped(-1);
    }
    if (hWndSite && ::IsWindow(hWndSite))
        ::SendMessageW(hWndSite, QORWM_UNINITMENUPOPUP, 0, reinterpret_cast<LPARAM>(this));
    ::Sleep(1);
    m_pParentControl = nullptr;
    if (hWndSite && ::IsWindow(hWndSite))
        ::UpdateWindow(hWndSite);
}

void CQorPopupBar::OnDestroy()
{
    m_bDestroying = TRUE;
    CQorCommandBar::OnDestroy();
}

int CQorPopupBar::OnMouseActivate(CWnd*, UINT, UINT)
{
    // The frame stays active: its caption and focus do not flicker while a menu is open.
    return MA_NOACTIVATE;
}

// ---- Layout -------------------------------------------------------------------------------

CQorControl* CQorPopupBar::GetExpandButton()
{
    CQorControl* pExpand = m_pControls->FindControl(kExpandButtonId);
    if (pExpand && pExpand->GetIndex() != GetControlCount() - 1) {
        // Controls came after it: it goes to the end again.
        m_pControls->Remove(pExpand);
        pExpand = nullptr;
    }
    if (!pExpand)
        pExpand = m_pControls->InsertControl(new CControlExpandButton, kExpandButtonId, nullptr, -1, TRUE);
    return pExpand;
}

BOOL CQorPopupBar::UpdateRarelyUsed()
{
    CQorCommandBars* pCommandBars = GetCommandBars();
    const BOOL bHideRarelyUsed = pCommandBars && !pCommandBars->IsCustomizeMode() &&
                                 !pCommandBars->GetCommandBarsOptions()->m_bAlwaysShowFullMenus;
    BOOL bAnyRare = FALSE;
    for (int i = 0; i < GetControlCount(); i++) {
        CQorControl* pControl = GetControl(i);
        if (pControl->GetID() == kExpandButtonId && pControl->m_bTemporary)
            continue;
        const BOOL bRare = bHideRarelyUsed && pCommandBars->IsControlHidden(pControl);
        bAnyRare = bAnyRare || bRare;
        pControl->SetHideFlag(qorHideExpand, bRare && !m_bExpanded);
    }
    m_bExpandable = bAnyRare;
    if (m_bExpandable && !m_bExpanded) {
        GetExpandButton()->SetHideFlag(qorHideGeneric, FALSE);
    } else if (CQorControl* pExpand = m_pControls->FindControl(kExpandButtonId)) {
        if (pExpand->m_bTemporary)
            pExpand->SetHideFlag(qorHideGeneric, TRUE);
    }
    return m_bExpandable;
}

CSize CQorPopupBar::CalcPopupLayout(int nMaxHeight)
{
    UpdateRarelyUsed();
    CClientDC dc(m_hWnd ? this : nullptr);
    CRect rcBorder = GetBorders();
    if (m_nResizable != resizeNone)
        rcBorder.bottom += kResizeGripperHeight;
    CSize sz = m_pControls->CalcWrappedPopupSize(&dc, nMaxHeight, rcBorder);
    m_bScrollMode = FALSE;
    m_szLayout = sz;
    if (m_nResizable != resizeNone) {
        const CRect& rcPopupBorder = GetPopupBorders();
        m_rcResizeGripper = CRect(rcPopupBorder.left, sz.cy - rcBorder.bottom, sz.cx - rcPopupBorder.right,
                                  sz.cy - rcPopupBorder.bottom);
    }
    return sz;
}

void CQorPopupBar::OnRecalcLayout()
{
    if (!IsVisible())
        return;
    if (m_szUser.cx > 0 || m_szUser.cy > 0) {
        ResizeTo(m_szUser);
        return;
    }
    const CSize sz = CalcPopupLayout();
    RepositionPopup(sz.cx, sz.cy);
    Redraw(nullptr, FALSE);
}

void CQorPopupBar::OnControlsChanged()
{
    CQorCommandBar::OnControlsChanged();
    m_nFirstShown = 0;
    m_nLastShown = 0;
}

// ---- Expansion ----------------------------------------------------------------------------

void CQorPopupBar::ExpandBar()
{
    if (!m_bExpandable || m_bExpanded)
        return;
    CReference self(this);
    DeactivateToolTip();
    m_bExpanded = TRUE;
    if (m_hWnd)
        KillTimer(kExpandTimerId);
    SetPopuped(-1);
    SetSelected(-1, 0);
    if (m_hWnd) {
        const CSize sz = CalcPopupLayout();
        RepositionPopup(sz.cx, sz.cy);
        Redraw(nullptr, FALSE);
    }
    // The rest of this menu opens expanded, and the press that expanded releases onto nothing.
    GetMouseManager()->SetExpanded(TRUE);
}

BOOL CQorPopupBar::SetSelected(int nSelected, int nKeyboard)
{
    const BOOL bChanged = CQorCommandBar::SetSelected(nSelected, nKeyboard);
    if (!bChanged || !m_hWnd)
        return bChanged;
    CQorControl* pControl = GetControl(m_nSelected);
    CQorCommandBars* pCommandBars = GetCommandBars();
    const BOOL bDelayedExpansion = pControl && pControl->GetID() == kExpandButtonId && nKeyboard == 0 && pCommandBars &&
                                   pCommandBars->GetCommandBarsOptions()->m_bShowFullAfterDelay;
    if (bDelayedExpansion)
        SetTimer(kExpandTimerId, kExpandDelay, nullptr);
    else
        KillTimer(kExpandTimerId);
    return bChanged;
}

int CQorPopupBar::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    CQorCommandBars* pCommandBars = GetCommandBars();
    const BOOL bCustomize = pCommandBars && pCommandBars->IsCustomizeMode();
    if (nChar == VK_DOWN && m_bExpandable && !m_bExpanded && !bCustomize && m_nModalLockCount == 0) {
        const int nHot = m_nSelected;
        if (::GetKeyState(VK_CONTROL) < 0) {
            ExpandBar();
            if (nHot != -1)
                SetSelected(nHot, 2);
            return QOR_HOOK_CONSUMED;
        }
        // Moving down past the last shown control shows the rest instead of wrapping round.
        const int nNext = GetNextSelectable(nHot, +1);
        if (nHot != -1 && nNext != -1 && nNext <= nHot) {
            ExpandBar();
            SetSelected(GetNextSelectable(nHot, +1), 2);
            return QOR_HOOK_CONSUMED;
        }
    }
    return CQorCommandBar::OnHookKeyDown(nChar, lParam);
}

// ---- Mouse and timers ---------------------------------------------------------------------

void CQorPopupBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_nModalLockCount > 0)
        return;
    // The control that opened the popup stays hot in its bar while the pointer is over the popup.
    if (CQorCommandBar* pParent = GetParentCommandBar()) {
        if (pParent->GetSelected() != m_pParentControl->GetIndex() &&
            pParent->GetPopuped() == m_pParentControl->GetIndex())
            pParent->SetSelected(m_pParentControl->GetIndex(), 0);
    }
    if (m_bScrollMode) {
        for (const BOOL bDown : {TRUE, FALSE}) {
            const UINT_PTR nTimer = bDown ? kScrollDownTimerId : kScrollUpTimerId;
            if (!(bDown ? m_rcScrollDown : m_rcScrollUp).PtInRect(point) || m_nScrollTimer == nTimer)
                continue;
            if (m_nScrollTimer)
                KillTimer(m_nScrollTimer);
            m_nScrollTimer = nTimer;
            SetTimer(nTimer, kScrollDelay, nullptr);
            SetPopuped(-1);
        }
    }
    CQorCommandBar::OnMouseMove(nFlags, point);
}

void CQorPopupBar::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent) {
    case kExpandTimerId: {
        KillTimer(kExpandTimerId);
        CQorControl* pControl = GetControl(m_nSelected);
        if (pControl && pControl->GetID() == kExpandButtonId) {
            CReference self(this), control(pControl);
            pControl->OnExecute();
        }
        return;
    }
    case kScrollDownTimerId:
    case kScrollUpTimerId:
        OnScrollTimer(nIDEvent == kScrollDownTimerId);
        return;
    default:
        CQorCommandBar::OnTimer(nIDEvent);
    }
}

void CQorPopupBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    CRect rcGrip = m_rcResizeGripper;
    // Resizing both ways takes the square at the gripper's right end only.
    if (m_nResizable == resizeBoth)
        rcGrip.left = rcGrip.right - rcGrip.Height();
    if (m_nResizable != resizeNone && rcGrip.PtInRect(point)) {
        TrackResize(point);
        return;
    }
    CQorCommandBar::OnLButtonDown(nFlags, point);
}

BOOL CQorPopupBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT nMessage)
{
    if (nHitTest == HTCLIENT && m_nResizable != resizeNone) {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        CRect rcGrip = m_rcResizeGripper;
        if (m_nResizable == resizeBoth)
            rcGrip.left = rcGrip.right - rcGrip.Height();
        if (rcGrip.PtInRect(pt)) {
            ::SetCursor(::LoadCursorW(nullptr, m_nResizable == resizeHeight ? IDC_SIZENS : IDC_SIZENWSE));
            return TRUE;
        }
    }
    return CQorCommandBar::OnSetCursor(pWnd, nHitTest, nMessage);
}

// ---- Resizing -----------------------------------------------------------------------------

void CQorPopupBar::ResizeTo(CSize sz)
{
    if (!m_hWnd)
        return;
    const CSize szNatural = CalcPopupLayout();
    const CRect& rcBorder = GetPopupBorders();
    const int cx = m_nResizable == resizeBoth ? std::max(sz.cx, static_cast<LONG>(kMinResizeWidth)) : szNatural.cx;
    const int cyMin = rcBorder.top + rcBorder.bottom + kResizeGripperHeight + 2 * kScrollArrowHeight + 16;
    const int cy = std::max(static_cast<int>(sz.cy), std::min(cyMin, static_cast<int>(szNatural.cy)));
    if (!m_bMultiLine) {
        // One column: the controls take the new width.
        for (int i = 0; i < GetControlCount(); i++) {
            CQorControl* pControl = GetControl(i);
            CRect rc = pControl->GetRect();
            rc.right = cx - rcBorder.right;
            pControl->SetRect(rc);
        }
    }
    m_szLayout = CSize(cx, cy);
    m_szUser = m_szLayout;
    m_rcResizeGripper =
        CRect(rcBorder.left, cy - rcBorder.bottom - kResizeGripperHeight, cx - rcBorder.right, cy - rcBorder.bottom);
    m_bScrollMode = cy < szNatural.cy;
    if (m_bScrollMode)
        LayoutScrolled(cy);
    SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Redraw(nullptr, FALSE);
}

void CQorPopupBar::TrackResize(CPoint ptStart)
{
    CReference self(this);
    CRect rcStart;
    GetWindowRect(&rcStart);
    ClientToScreen(&ptStart);
    const CSize szStart = rcStart.Size();
    CQorMouseManager* pMouseManager = GetMouseManager();
    pMouseManager->LockMouseMove();
    // Keys and hover wait while the drag runs.
    AdjustModalLockCount(+1);
    ::SetCursor(::LoadCursorW(nullptr, m_nResizable == resizeHeight ? IDC_SIZENS : IDC_SIZENWSE));
    CQorCaptureLoop loop(m_hWnd);
    loop.m_onMessage = [&](MSG& msg) {
        if (msg.message == WM_MOUSEMOVE) {
            CPoint pt;
            ::GetCursorPos(&pt);
            ResizeTo(CSize(szStart.cx + pt.x - ptStart.x, szStart.cy + pt.y - ptStart.y));
            return CQorCaptureLoop::actionHandled;
        }
        return CQorCaptureLoop::EndDragOnReleaseOrEscape(msg);
    };
    loop.m_stillTracking = [this] { return m_hWnd != nullptr && m_nMode != 0; };
    const CQorCaptureLoop::Result result = loop.Run();
    AdjustModalLockCount(-1);
    pMouseManager->UnlockMouseMove();
    if (result == CQorCaptureLoop::resultCancelled && m_hWnd)
        ResizeTo(szStart);
}

// ---- Drawing and copies -------------------------------------------------------------------

void CQorPopupBar::DrawCommandBar(CDC* pDC, CRect rcClipBox)
{
    CQorCommandBar::DrawCommandBar(pDC, rcClipBox);
    if (m_bScrollMode) {
        DrawScrollArrow(pDC, m_rcScrollUp, FALSE, m_nFirstShown > 0);
        DrawScrollArrow(pDC, m_rcScrollDown, TRUE, m_nLastShown < GetControlCount());
    }
    if (m_nResizable != resizeNone && !m_rcResizeGripper.IsRectEmpty())
        GetPaintManager()->DrawPopupGrippers(pDC, m_rcResizeGripper, 1);
}

void CQorPopupBar::Copy(const CQorCommandBar* pSource, BOOL bRecursive)
{
    CQorCommandBar::Copy(pSource, bRecursive);
    const CQorPopupBar* pPopup = DYNAMIC_DOWNCAST(CQorPopupBar, const_cast<CQorCommandBar*>(pSource));
    if (!pPopup || pPopup == this)
        return;
    m_bScrollDisabled = pPopup->m_bScrollDisabled;
    m_nResizable = pPopup->m_nResizable;
    m_bShowShadow = pPopup->m_bShowShadow;
}
