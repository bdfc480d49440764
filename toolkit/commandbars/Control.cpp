#include "toolkit/commandbars/Control.h"

#include "platform/framework/Gdi.h"
#include "platform/framework/Wnd.h"
#include "toolkit/commandbars/BarLayoutPass.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBarsResources.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/CustomizeDropSource.h"
#include "toolkit/commandbars/MouseManager.h"
#include "toolkit/commandbars/PaintManager.h"
#include "toolkit/commandbars/PopupBar.h"
#include "toolkit/commandbars/SoundPlayer.h"
#include "toolkit/foundation/CaptureLoop.h"
#include "toolkit/foundation/CmdTargetReference.h"
#include "toolkit/foundation/ImageManager.h"
#include "toolkit/foundation/ResourceManager.h"

#include <algorithm>
#include <vector>

namespace {

// A prompt split on its newlines.
struct PromptParts
{
    std::vector<CString> parts;
    BOOL bSplit = FALSE;
    CString Part(size_t n) const { return n < parts.size() ? parts[n] : CString(); }
};

PromptParts SplitPrompt(const CString& strPrompt)
{
    PromptParts prompt;
    prompt.bSplit = strPrompt.Find(L'\n') >= 0;
    int nStart = 0;
    for (;;) {
        const int nEnd = strPrompt.Find(L'\n', nStart);
        if (nEnd < 0) {
            prompt.parts.push_back(strPrompt.Mid(nStart));
            break;
        }
        prompt.parts.push_back(strPrompt.Mid(nStart, nEnd - nStart));
        nStart = nEnd + 1;
    }
    return prompt;
}

BOOL LoadPrompt(int nId, CString& strPrompt)
{
    if (nId <= 0 || nId > 0xFFFF)
        return FALSE;
    return GetResourceManager()->LoadString(strPrompt, static_cast<UINT>(nId)) && !strPrompt.IsEmpty();
}

using CReference = CQorCmdTargetReference;

} // namespace

// ---- CQorControlAction --------------------------------------------------------------------

CQorControlAction::CQorControlAction(CQorControlActions* pActions)
    : m_nIconId(0), m_nId(0), m_nReserved(0), m_bEnabled(TRUE), m_bChecked(FALSE), m_bVisible(TRUE),
      m_pActions(pActions)
{}

CQorControlAction::~CQorControlAction() = default;

BOOL CQorControlAction::IsCustomizeMode() const
{
    return m_pActions && m_pActions->GetCommandBars() && m_pActions->GetCommandBars()->IsCustomizeMode();
}

CQorControl* CQorControlAction::GetControl(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_arrControls[nIndex] : nullptr;
}

void CQorControlAction::NotifyChanging(int nCode)
{
    for (int i = 0; i < GetCount(); i++)
        m_arrControls[i]->OnActionChanging(nCode);
}

void CQorControlAction::NotifyChanged(int nCode, BOOL bRelayout)
{
    for (int i = 0; i < GetCount(); i++) {
        CQorControl* pControl = m_arrControls[i];
        pControl->OnActionChanged(nCode);
        if (bRelayout && pControl->GetParent())
            pControl->GetParent()->DelayLayout();
        else
            pControl->RedrawParent(FALSE);
    }
}

void CQorControlAction::ChangeState(BOOL& bState, BOOL bNew, int nCode, BOOL bRelayout)
{
    if (bState == bNew)
        return;
    NotifyChanging(nCode);
    bState = bNew;
    NotifyChanged(nCode, bRelayout);
}

void CQorControlAction::SetEnabled(BOOL bEnabled)
{
    ChangeState(m_bEnabled, bEnabled, qorActionEnabled, FALSE);
}

void CQorControlAction::SetChecked(BOOL bChecked)
{
    ChangeState(m_bChecked, bChecked, qorActionChecked, FALSE);
}

void CQorControlAction::SetVisible(BOOL bVisible)
{
    ChangeState(m_bVisible, bVisible, qorActionVisible, TRUE);
}

void CQorControlAction::SetCaption(LPCWSTR lpszCaption)
{
    CString strCaption(lpszCaption ? lpszCaption : L"");
    const int nTab = strCaption.Find(L'\t');
    if (nTab >= 0)
        strCaption = strCaption.Left(nTab);
    if (strCaption == m_strCaption)
        return;
    NotifyChanging(qorActionCaption);
    m_strCaption = strCaption;
    NotifyChanged(qorActionCaption, TRUE);
}

void CQorControlAction::SetPrompt(const CString& strPrompt)
{
    const PromptParts prompt = SplitPrompt(strPrompt);
    if (!prompt.bSplit) {
        m_strTooltip = m_strDescription = strPrompt;
        return;
    }
    m_strDescription = prompt.Part(0);
    m_strTooltip = prompt.Part(1);
    if (m_strKeyboardTip.IsEmpty())
        m_strKeyboardTip = prompt.Part(3);
}

int CQorControlAction::AddControl(CQorControl* pControl)
{
    for (int i = 0; i < GetCount(); i++)
        if (m_arrControls[i] == pControl)
            return i;
    return static_cast<int>(m_arrControls.Add(pControl));
}

void CQorControlAction::RemoveControl(CQorControl* pControl)
{
    for (int i = 0; i < GetCount(); i++) {
        if (m_arrControls[i] == pControl) {
            m_arrControls.RemoveAt(i);
            pControl->m_nEnabled = TRUE;
            pControl->m_nChecked = FALSE;
            return;
        }
    }
}

// ---- CQorControlActions -------------------------------------------------------------------

CQorControlActions::CQorControlActions(CQorCommandBars* pCommandBars) : m_pCommandBars(pCommandBars) {}

CQorControlActions::~CQorControlActions()
{
    RemoveAll();
}

CQorControlAction* CQorControlActions::FindAction(int nId) const
{
    if (nId < 1 || nId > kMaxId || m_arrActions.IsEmpty())
        return nullptr;
    const int nIndex = FindInsertIndex(nId);
    return nIndex < GetCount() && m_arrActions[nIndex]->m_nId == nId ? m_arrActions[nIndex] : nullptr;
}

int CQorControlActions::FindInsertIndex(int nId) const
{
    // The first action whose id is not below nId.
    int nLo = 0, nHi = GetCount();
    while (nLo < nHi) {
        const int nMid = (nLo + nHi) / 2;
        if (m_arrActions[nMid]->m_nId < nId)
            nLo = nMid + 1;
        else
            nHi = nMid;
    }
    return nLo;
}

CQorControlAction* CQorControlActions::Add(int nId)
{
    if (CQorControlAction* pAction = FindAction(nId))
        return pAction;
    CQorControlAction* pAction = new CQorControlAction(this);
    pAction->m_nId = nId;
    CString strPrompt;
    if (LoadPrompt(nId, strPrompt))
        pAction->SetPrompt(strPrompt);
    m_arrActions.InsertAt(FindInsertIndex(nId), pAction);
    return pAction;
}

void CQorControlActions::RemoveAll()
{
    for (int i = 0; i < GetCount(); i++) {
        CQorControlAction* pAction = m_arrActions[i];
        while (pAction->GetCount() > 0)
            pAction->GetControl(pAction->GetCount() - 1)->SetAction(nullptr);
        pAction->InternalRelease();
    }
    m_arrActions.RemoveAll();
}

// ---- CQorControl --------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CQorControl, CCmdTarget)

BEGIN_INTERFACE_MAP(CQorControl, CCmdTarget)
    INTERFACE_PART(CQorControl, IID_IAccessible, Accessible)
END_INTERFACE_MAP()

CQorControl::CQorControl()
    : m_nTag(0), m_nIndex(0), m_nId(0), m_nIconId(0), m_nHelpId(0), m_nCustomIconId(0), m_nReserved1(0),
      m_bBeginGroup(FALSE), m_nEnabled(TRUE), m_nChecked(FALSE), m_nSelected(0), m_nPressed(pressedNone),
      m_nReserved2(0), m_rcControl(0, 0, 0, 0), m_rcRow(0, 0, 0, 0), m_nHideFlags(0), m_nFlags(0), m_bWrap(FALSE),
      m_pControls(nullptr), m_nType(qorControlButton), m_pParent(nullptr), m_bDefaultItem(FALSE), m_bTemporary(FALSE),
      m_nStyle(qorButtonAutomatic), m_nCustomStyle(-1), m_nDefaultStyle(0), m_bCloseSubMenuOnClick(TRUE),
      m_pAction(nullptr), m_nWidth(0), m_nHeight(0), m_nExecuteOnPressInterval(0)
{}

CQorControl::~CQorControl()
{
    CQorBarLayoutPass::ForgetControl(this);
    SetAction(nullptr);
}

CString CQorControl::GetCaption() const
{
    if (!m_strCustomCaption.IsEmpty())
        return m_strCustomCaption;
    if (!m_strCaption.IsEmpty())
        return m_strCaption;
    return m_pAction ? m_pAction->GetCaption() : CString();
}

CString CQorControl::GetDescription() const
{
    if (!m_strDescriptionText.IsEmpty())
        return m_strDescriptionText;
    return m_pAction ? m_pAction->GetDescription() : CString();
}

CString CQorControl::GetTooltip() const
{
    if (!m_strTooltipText.IsEmpty())
        return m_strTooltipText;
    return m_pAction ? m_pAction->GetTooltip() : CString();
}

CString CQorControl::GetCategory() const
{
    if (!m_strCategory.IsEmpty())
        return m_strCategory;
    return m_pAction ? m_pAction->GetCategory() : CString();
}

void CQorControl::DelayParentLayout()
{
    if (m_pParent)
        m_pParent->DelayLayout();
}

void CQorControl::SetCaption(LPCWSTR lpszCaption)
{
    CString strCaption(lpszCaption ? lpszCaption : L""), strShortcut;
    const int nTab = strCaption.Find(L'\t');
    if (nTab >= 0) {
        strShortcut = strCaption.Mid(nTab + 1);
        strCaption = strCaption.Left(nTab);
    }
    if (strCaption == m_strCaption && strShortcut == m_strShortcutTextAuto)
        return;
    m_strCaption = strCaption;
    m_strShortcutTextAuto = strShortcut;
    DelayParentLayout();
}

void CQorControl::SetPrompt(const CString& strPrompt)
{
    const PromptParts prompt = SplitPrompt(strPrompt);
    if (!prompt.bSplit) {
        m_strTooltipText = m_strDescriptionText = strPrompt;
    } else {
        m_strDescriptionText = prompt.Part(0);
        m_strTooltipText = prompt.Part(1);
    }
    if (m_strCaption.IsEmpty())
        m_strCaption = prompt.parts.size() > 2 ? prompt.Part(2) : m_strTooltipText;
    if (m_strKeyboardTip.IsEmpty())
        m_strKeyboardTip = prompt.Part(3);
}

void CQorControl::SetID(int nId)
{
    if (nId == m_nId)
        return;
    CString strPrompt;
    if (LoadPrompt(nId, strPrompt))
        SetPrompt(strPrompt);
    m_nId = nId;
}

void CQorControl::ChangeValue(int& nValue, int nNew, BOOL bRelayout)
{
    if (nValue == nNew)
        return;
    nValue = nNew;
    if (bRelayout)
        DelayParentLayout();
    else
        RedrawParent(FALSE);
}

void CQorControl::SetBeginGroup(BOOL bBeginGroup)
{
    ChangeValue(m_bBeginGroup, bBeginGroup, TRUE);
}

void CQorControl::SetEnabled(int nEnabled)
{
    ChangeValue(m_nEnabled, nEnabled, FALSE);
}

BOOL CQorControl::GetEnabled() const
{
    if (m_nEnabled != -1)
        return m_nEnabled != 0;
    if (!m_pAction)
        return TRUE;
    return m_pAction->IsCustomizeMode() || IsCustomizeMode() || m_pAction->GetEnabled();
}

BOOL CQorControl::GetChecked() const
{
    if (m_nChecked != -1)
        return m_nChecked != 0;
    return m_pAction && m_pAction->GetChecked();
}

void CQorControl::SetChecked(int nChecked)
{
    ChangeValue(m_nChecked, nChecked, FALSE);
}

BOOL CQorControl::IsVisible(int nHideMask) const
{
    if (m_pAction && !m_pAction->IsVisible())
        return FALSE;
    return (m_nHideFlags & ~nHideMask) == 0;
}

int CQorControl::GetEffectiveStyle() const
{
    if (m_nCustomStyle != -1)
        return m_nCustomStyle;
    if (m_nStyle != qorButtonAutomatic)
        return m_nStyle;
    if (m_nDefaultStyle != qorButtonAutomatic)
        return m_nDefaultStyle;
    return m_pParent ? m_pParent->GetDefaultButtonStyle() : qorButtonAutomatic;
}

int CQorControl::GetIconId() const
{
    if (m_nCustomIconId != 0)
        return m_nCustomIconId;
    if (m_nIconId > 0)
        return m_nIconId;
    if (m_pAction)
        return m_pAction->GetIconId() > 0 ? m_pAction->GetIconId() : m_pAction->GetId();
    return m_nId;
}

BOOL CQorControl::IsCaptionVisible() const
{
    if (m_pParent && m_pParent->GetType() == qorBarTypePopup)
        return TRUE;
    if (GetCaption().IsEmpty())
        return FALSE;
    switch (GetEffectiveStyle()) {
    case qorButtonCaption:
    case qorButtonIconAndCaption:
    case qorButtonIconAndCaptionBelow:
        return TRUE;
    case qorButtonIcon:
        return FALSE;
    default:
        break;
    }
    switch (m_nType) {
    case qorControlPopup:
    case qorControlLabel:
    case qorControlCheckBox:
    case qorControlRadioButton:
        return TRUE;
    case qorControlButton:
    case qorControlButtonPopup:
    case qorControlSplitButtonPopup:
        return GetImage() == nullptr;
    default:
        return FALSE;
    }
}

BOOL CQorControl::IsImageVisible() const
{
    if (!GetImage())
        return FALSE;
    const int nStyle = GetEffectiveStyle();
    return (m_pParent && m_pParent->GetType() == qorBarTypePopup) || nStyle == qorButtonIcon ||
           nStyle == qorButtonIconAndCaption;
}

BOOL CQorControl::IsEqual(const CQorControl* pOther) const
{
    return pOther && GetRuntimeClass() == pOther->GetRuntimeClass() && m_nType == pOther->m_nType &&
           m_nId == pOther->m_nId && m_nFlags == pOther->m_nFlags && m_bBeginGroup == pOther->m_bBeginGroup &&
           GetIconId() == pOther->GetIconId() && m_strCaption == pOther->m_strCaption &&
           m_strTooltipText == pOther->m_strTooltipText && m_strDescriptionText == pOther->m_strDescriptionText &&
           m_strCustomCaption == pOther->m_strCustomCaption && m_nCustomStyle == pOther->m_nCustomStyle &&
           m_strParameter == pOther->m_strParameter &&
           (m_nHideFlags & qorHideCustomize) == (pOther->m_nHideFlags & qorHideCustomize) &&
           m_nWidth == pOther->m_nWidth;
}

void CQorControl::SetWidth(int nWidth)
{
    ChangeValue(m_nWidth, nWidth, TRUE);
}

void CQorControl::SetHeight(int nHeight)
{
    ChangeValue(m_nHeight, nHeight, TRUE);
}

int CQorControl::SetAction(CQorControlAction* pAction)
{
    if (m_pAction) {
        CQorControlAction* pOld = m_pAction;
        m_pAction = nullptr;
        pOld->RemoveControl(this);
    }
    if (!pAction)
        return 0;
    m_pAction = pAction;
    const int nCount = pAction->GetCount();
    const int nIndex = pAction->AddControl(this);
    if (nIndex < nCount)
        return nIndex;
    m_nEnabled = m_nChecked = -1;
    m_nId = pAction->GetId();
    m_strCaption.Empty();
    m_strTooltipText.Empty();
    m_strDescriptionText.Empty();
    m_strCategory.Empty();
    m_strShortcutText.Empty();
    m_strKeyboardTip.Empty();
    return nIndex;
}

CQorCommandBars* CQorControl::GetCommandBars() const
{
    return m_pParent ? m_pParent->GetCommandBars() : nullptr;
}

BOOL CQorControl::IsCustomizeMode() const
{
    CQorCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars && pCommandBars->IsCustomizeMode();
}

CQorPaintManager* CQorControl::GetPaintManager() const
{
    if (m_pParent)
        return m_pParent->GetPaintManager();
    if (const CQorCommandBar* pOwner = m_pControls ? m_pControls->GetParent() : nullptr)
        return pOwner->GetPaintManager();
    return GetGlobalPaintManager();
}

CQorImageManagerIcon* CQorControl::GetImage(int nWidth) const
{
    const int nIconId = GetIconId();
    if (nIconId <= 0)
        return nullptr;
    // The bar's images first (its own, its manager's), then those of the bar owning the
    // collection, then the global ones.
    const CQorCommandBar* pBar = m_pParent ? m_pParent : (m_pControls ? m_pControls->GetParent() : nullptr);
    CQorImageManager* pImageManager = pBar ? pBar->GetImageManager() : ::GetImageManager();
    return pImageManager ? pImageManager->GetImage(static_cast<UINT>(nIconId), nWidth) : nullptr;
}

CSize CQorControl::GetSize(CDC* pDC)
{
    CQorPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager ? pPaintManager->DrawControl(pDC, this, FALSE) : CSize(23, 22);
}

void CQorControl::Draw(CDC* pDC)
{
    if (CQorPaintManager* pPaintManager = GetPaintManager())
        pPaintManager->DrawControl(pDC, this, TRUE);
}

void CQorControl::RedrawParent(BOOL bAnimate)
{
    if (m_pParent && m_pParent->GetSafeHwnd() && !m_rcControl.IsRectEmpty())
        m_pParent->Redraw(&m_rcControl, bAnimate);
}

void CQorControl::ClosePopupOfBar()
{
    if (!m_pParent)
        return;
    if (m_pParent->GetPopuped() != -1)
        m_pParent->SetPopuped(-1);
    if (m_pParent->GetTrackingMode() == 2 && m_pParent->GetPosition() != qorBarPopup)
        m_pParent->SetTrackingMode(0, TRUE, FALSE);
}

BOOL CQorControl::SetSelected(int nSelected)
{
    if (nSelected == m_nSelected)
        return FALSE;
    if ((nSelected == 2 || nSelected == 3) && m_pParent && m_pParent->GetPopuped() != -1 &&
        m_pParent->GetPopuped() != m_nIndex)
        m_pParent->SetPopuped(-1);
    m_nSelected = nSelected;
    if (m_pParent)
        m_pParent->OnControlSelected(nSelected, this);
    if (GetEnabled() || nSelected != 1)
        RedrawParent(nSelected == 0);
    return TRUE;
}

namespace {

// A press this near a side of the control resizes it.
const int kResizeEdge = 3;

BOOL IsOnResizeEdge(const CRect& rc, CPoint point)
{
    return rc.PtInRect(point) && (point.x - rc.left <= kResizeEdge || rc.right - 1 - point.x <= kResizeEdge);
}

// The 2-pixel frame the resize shows on the desktop; drawing it twice erases it.
void InvertFrame(HDC hDC, const CRect& rc)
{
    if (!hDC || rc.IsRectEmpty())
        return;
    const int n = 2;
    RECT strips[4] = {{rc.left, rc.top, rc.right, rc.top + n},
                      {rc.left, rc.bottom - n, rc.right, rc.bottom},
                      {rc.left, rc.top + n, rc.left + n, rc.bottom - n},
                      {rc.right - n, rc.top + n, rc.right, rc.bottom - n}};
    for (const RECT& strip : strips)
        ::InvertRect(hDC, &strip);
}

} // namespace

void CQorControl::OnCustomizeMouseDown(CPoint point)
{
    CQorCommandBar* pBar = m_pParent;
    CQorCommandBars* pCommandBars = GetCommandBars();
    if (!pBar || !pCommandBars)
        return;
    CReference self(this), bar(pBar);
    if (pCommandBars->GetDragControl() == this && IsCustomizeResizeAllowed() && CustomizeResize(point))
        return;

    pCommandBars->SetDragControl(this);
    const DROPEFFECT dropEffect = pCommandBars->GetDropSource()->DoDragDrop(this);
    if ((dropEffect == DROPEFFECT_NONE || dropEffect == DROPEFFECT_MOVE) && m_pParent == pBar && m_pControls) {
        pBar->SetPopuped(-1);
        pBar->SetSelected(-1);
        if (pCommandBars->GetDragControl() == this)
            pCommandBars->SetDragControl(nullptr);
        CQorControls* pControls = m_pControls;
        // The group this control began goes on with the next one; a new first control begins none.
        if (m_bBeginGroup)
            if (CQorControl* pNext = pControls->GetAt(m_nIndex + 1))
                pNext->SetBeginGroup(TRUE);
        if (m_nIndex == 0 && pControls->GetCount() > 1)
            pControls->GetAt(1)->SetBeginGroup(FALSE);
        pControls->Remove(this);
        pBar->DelayLayout();
        pBar->Redraw(nullptr, FALSE);
    }
    pCommandBars->SetDragControl(pCommandBars->GetDragControl());
}

BOOL CQorControl::CustomizeResize(CPoint point)
{
    CQorCommandBar* pBar = m_pParent;
    if (!pBar || !pBar->GetSafeHwnd() || !IsOnResizeEdge(m_rcControl, point))
        return FALSE;
    CQorCommandBars* pCommandBars = GetCommandBars();
    CReference self(this), bar(pBar);
    const HWND hWndBar = pBar->GetSafeHwnd();
    if (pCommandBars)
        pCommandBars->SetDragControl(nullptr);
    pBar->Redraw(nullptr, FALSE);
    ::UpdateWindow(hWndBar);

    CRect rcScreen = m_rcControl;
    ::MapWindowPoints(hWndBar, HWND_DESKTOP, reinterpret_cast<LPPOINT>(&rcScreen), 2);
    POINT ptStart = point;
    ::ClientToScreen(hWndBar, &ptStart);
    const BOOL bLeft = point.x - m_rcControl.left <= kResizeEdge - 1;
    const int nOffset = ptStart.x - (bLeft ? rcScreen.left : rcScreen.right);
    const int nMinWidth = GetCustomizeMinWidth();
    CRect rcFrame = rcScreen;

    CQorCaptureLoop loop(hWndBar);
    loop.m_bLockDesktop = TRUE;
    loop.m_stillTracking = [&] { return m_pParent == pBar && ::IsWindow(hWndBar); };
    loop.m_onStart = [&] {
        ::SetCursor(GetResourceManager()->LoadCursor(QOR_IDC_RESIZE));
        InvertFrame(loop.GetDesktopDC(), rcFrame);
    };
    // The frame goes before the loop gives back the DC, on every way out.
    loop.m_onEnd = [&] { InvertFrame(loop.GetDesktopDC(), rcFrame); };
    loop.m_onMessage = [&](MSG& msg) -> CQorCaptureLoop::Action {
        switch (msg.message) {
        case WM_MOUSEMOVE: {
            CRect rcNew = rcFrame;
            const int x = msg.pt.x - nOffset;
            if (bLeft)
                rcNew.left = std::min(x, static_cast<int>(rcNew.right) - nMinWidth);
            else
                rcNew.right = std::max(x, static_cast<int>(rcNew.left) + nMinWidth);
            if (rcNew != rcFrame) {
                InvertFrame(loop.GetDesktopDC(), rcFrame);
                rcFrame = rcNew;
                InvertFrame(loop.GetDesktopDC(), rcFrame);
            }
            return CQorCaptureLoop::actionHandled;
        }
        default:
            return CQorCaptureLoop::EndDragOnReleaseOrEscape(msg);
        }
    };
    const CQorCaptureLoop::Result result = loop.Run();

    // The control left its bar while the loop ran: nothing of the bar is touched.
    if (m_pParent != pBar || !::IsWindow(hWndBar))
        return TRUE;
    if (pCommandBars)
        pCommandBars->SetDragControl(this);
    if (result == CQorCaptureLoop::resultDone && rcFrame.Width() != rcScreen.Width()) {
        // A popup item's own width leaves out the icon column and caption gap before it, and
        // keeps the least width a narrow drag would take from it.
        CQorPaintManager* pPaintManager = GetPaintManager();
        const int nGap = pBar->IsPopupBar() && pPaintManager ? pPaintManager->GetPopupBarGap(pBar) : 0;
        SetWidth(std::max(nMinWidth, static_cast<int>(rcFrame.Width()) - nGap));
        pBar->DelayLayout();
    }
    pBar->Redraw(nullptr, FALSE);
    return TRUE;
}

BOOL CQorControl::SetCustomizeCursor(CPoint point)
{
    if (!IsCustomizeResizeAllowed() || !IsOnResizeEdge(m_rcControl, point))
        return FALSE;
    ::SetCursor(GetResourceManager()->LoadCursor(QOR_IDC_RESIZE));
    return TRUE;
}

void CQorControl::OnCustomizeDragOver(CQorControl*, CPoint)
{
    if (!m_pParent)
        return;
    if (m_pParent->GetPopuped() != -1)
        m_pParent->SetPopuped(-1);
    m_pParent->SetSelected(-1);
}

void CQorControl::OnClick(BOOL, CPoint) {}

BOOL CQorControl::OnLButtonDblClk(CPoint point)
{
    OnClick(FALSE, point);
    return TRUE;
}

namespace {

void CopyDocTemplates(CQorControl::CDocTemplateMap& target, const CQorControl::CDocTemplateMap& source)
{
    if (&target == &source)
        return;
    target.RemoveAll();
    POSITION pos = source.GetStartPosition();
    while (pos) {
        UINT nTemplate = 0;
        BOOL bValue = FALSE;
        source.GetNextAssoc(pos, nTemplate, bValue);
        target.SetAt(nTemplate, bValue);
    }
}

} // namespace

BOOL CQorControl::FilterByDocTemplate(UINT nActiveTemplate)
{
    const BOOL bWasHidden = (m_nHideFlags & qorHideDocTemplate) != 0;
    BOOL bHidden = bWasHidden;
    BOOL bValue = FALSE;
    if (!m_docTemplatesAssigned.IsEmpty())
        bHidden = !m_docTemplatesAssigned.Lookup(nActiveTemplate, bValue);
    if (!m_docTemplatesExcluded.IsEmpty())
        bHidden = m_docTemplatesExcluded.Lookup(nActiveTemplate, bValue);
    if (bHidden == bWasHidden)
        return FALSE;
    SetHideFlag(qorHideDocTemplate, bHidden);
    return TRUE;
}

void CQorControl::Copy(const CQorControl* pSource, BOOL)
{
    if (!pSource || pSource == this)
        return;
    m_nId = pSource->m_nId;
    SetAction(pSource->m_pAction);
    m_nTag = pSource->m_nTag;
    m_nFlags = pSource->m_nFlags;
    m_nType = pSource->m_nType;
    m_strCaption = pSource->m_strCaption;
    m_strShortcutText = pSource->m_strShortcutText;
    m_strShortcutTextAuto = pSource->m_strShortcutTextAuto;
    m_strTooltipText = pSource->m_strTooltipText;
    m_strDescriptionText = pSource->m_strDescriptionText;
    m_strParameter = pSource->m_strParameter;
    m_strKeyboardTip = pSource->m_strKeyboardTip;
    m_nCustomIconId = pSource->m_nCustomIconId;
    m_nIconId = pSource->m_nIconId;
    m_nHelpId = pSource->m_nHelpId;
    m_nReserved2 = pSource->m_nReserved2;
    m_strCustomCaption = pSource->m_strCustomCaption;
    m_strCategory = pSource->m_strCategory;
    CopyDocTemplates(m_docTemplatesAssigned, pSource->m_docTemplatesAssigned);
    CopyDocTemplates(m_docTemplatesExcluded, pSource->m_docTemplatesExcluded);
    m_nHideFlags = pSource->m_nHideFlags;
    m_bDefaultItem = pSource->m_bDefaultItem;
    m_nEnabled = pSource->m_nEnabled;
    m_nChecked = pSource->m_nChecked;
    m_nCustomStyle = pSource->m_nCustomStyle;
    m_nStyle = pSource->m_nStyle;
    m_nWidth = pSource->m_nWidth < GetCustomizeMinWidth() && pSource->m_nWidth > 0 ? GetCustomizeMinWidth()
                                                                                   : pSource->m_nWidth;
    m_nHeight = pSource->m_nHeight;
    m_bBeginGroup = pSource->m_bBeginGroup;
    m_bCloseSubMenuOnClick = pSource->m_bCloseSubMenuOnClick;
    m_nExecuteOnPressInterval = pSource->m_nExecuteOnPressInterval;
}

CQorControl* CQorControl::Clone(BOOL bRecursive) const
{
    CQorControl* pClone = QorCreateObjectAs<CQorControl>(GetRuntimeClass());
    if (pClone)
        pClone->Copy(this, bRecursive);
    return pClone;
}

// ---- Site notification and execution -----------------------------------------------------

HWND CQorControl::GetSiteWindow() const
{
    return m_pParent ? m_pParent->GetSite() : nullptr;
}

LRESULT CQorControl::SendControlNotify(int nCode, HWND hWndSite, CQorControl* pControl)
{
    if (!hWndSite || !::IsWindow(hWndSite) || !pControl)
        return 0;
    QOR_CONTROL_NOTIFY notify = {nullptr, static_cast<UINT_PTR>(pControl->m_nId), static_cast<UINT>(nCode), pControl};
    const LRESULT lResult = ::SendMessageW(hWndSite, QORWM_CONTROLNOTIFY, static_cast<WPARAM>(pControl->m_nId),
                                           reinterpret_cast<LPARAM>(&notify));
    if (lResult != 0)
        return lResult;
    // The record starts as a notification header, so command routing can take it as one.
    CWnd* pSite = CWnd::FromHandlePermanent(hWndSite);
    if (!pSite)
        return 0;
    LRESULT lHandled = 0;
    AFX_NOTIFY info = {&lHandled, reinterpret_cast<NMHDR*>(&notify)};
    if (!pSite->OnCmdMsg(static_cast<UINT>(pControl->m_nId), MAKELONG(nCode, WM_NOTIFY), &info, nullptr))
        return 0;
    return lHandled;
}

LRESULT CQorControl::NotifyControlSite(int nCode)
{
    return SendControlNotify(nCode, GetSiteWindow(), this);
}

void CQorControl::ExecuteCommand(HWND hWndOwner)
{
    if (!hWndOwner)
        hWndOwner = m_pParent ? m_pParent->GetOwnerSite() : nullptr;
    if (!SendControlNotify(qorNotifyExecute, hWndOwner, this) && hWndOwner && ::IsWindow(hWndOwner))
        ::SendMessageW(hWndOwner, WM_COMMAND, MAKEWPARAM(m_nId, 0), 0);
}

void CQorControl::OnExecute()
{
    CReference self(this);
    GetSoundPlayer()->PlaySound(CQorSoundPlayer::requestCommand);
    CQorCommandBar* pBar = m_pParent;
    CReference bar(pBar);
    m_nPressed = pBar && pBar->GetPosition() == qorBarPopup ? pressedNone : pressedRunning;
    // Read before the popups close: a closed sub-popup no longer knows the menu it opened from,
    // nor the window its commands go to.
    CQorCommandBar* pTopBar = pBar ? pBar->GetTopLevelCommandBar() : nullptr;
    CReference top(pTopBar);
    int* pReturnCommand = pTopBar ? pTopBar->m_pReturnCommand : nullptr;
    const HWND hWndOwner = pBar ? pBar->GetOwnerSite() : nullptr;
    CQorCommandBars* pCommandBars = GetCommandBars();
    CReference commandBars(pCommandBars);

    if (!pReturnCommand && pCommandBars) {
        // A rarely used command that ran is used from now on, and so is the menu it ran from.
        if (m_nId > 0)
            pCommandBars->SetCommandUsed(static_cast<UINT>(m_nId));
        const CQorPopupBar* pPopupBar = DYNAMIC_DOWNCAST(CQorPopupBar, pBar);
        const CQorControl* pPopupControl = pPopupBar ? pPopupBar->GetParentControl() : nullptr;
        if (pPopupControl && pPopupControl->GetID() > 0)
            pCommandBars->SetCommandUsed(static_cast<UINT>(pPopupControl->GetID()));
    }
    if (m_bCloseSubMenuOnClick || pReturnCommand) {
        // A recursive popup closes alone: the bars it suspended stay open below it.
        if (pTopBar && pTopBar->m_bRecursive && pTopBar->GetTrackingMode() != 0)
            pTopBar->SetTrackingMode(0, TRUE, FALSE);
        else if (pCommandBars)
            pCommandBars->ClosePopups();
        else if (CQorMouseManager* pMouseManager = FindMouseManager())
            pMouseManager->CloseTrackedPopups();
    }
    if (m_nId == 0)
        return;
    if (pReturnCommand) {
        *pReturnCommand = m_nId;
        return;
    }
    ExecuteCommand(hWndOwner);
    // The command may have removed the control from its bar or destroyed the bar's window. A
    // control left showing (pressed, or in a popup that stays open) shows what the command
    // changed at once.
    if ((!m_bCloseSubMenuOnClick || m_nPressed != pressedNone) && m_pParent == pBar) {
        m_nPressed = pressedNone;
        pBar->OnUpdateCmdUI();
        if (m_pParent == pBar)
            RedrawParent(FALSE);
    }
}

// ---- Press tracking -----------------------------------------------------------------------

BOOL CQorControl::IsCursorOver() const
{
    if (!m_pParent || !m_pParent->GetSafeHwnd())
        return FALSE;
    POINT pt;
    ::GetCursorPos(&pt);
    ::ScreenToClient(m_pParent->GetSafeHwnd(), &pt);
    return m_rcControl.PtInRect(pt);
}

void CQorControl::TrackButtonPress(CRect rc)
{
    CQorCommandBar* pBar = m_pParent;
    if (!pBar || !pBar->GetSafeHwnd())
        return;
    if (rc.IsRectEmpty())
        rc = m_rcControl;
    // Both live through whatever the command does, the window of the bar included.
    CReference self(this), bar(pBar);
    const HWND hWndBar = pBar->GetSafeHwnd();

    pBar->SetSelected(m_nIndex, 0);
    SetSelected(1);
    m_nPressed = pressedDown;
    RedrawParent(FALSE);
    pBar->OnControlPressed(TRUE, this);

    BOOL bRepeat = m_nExecuteOnPressInterval > 0 && GetEnabled();
    BOOL bMoved = FALSE;
    CPoint ptLast(0, 0);
    BOOL bReleased = FALSE;

    CQorCaptureLoop loop(hWndBar);
    auto stillOnBar = [&] { return m_pParent == pBar && ::IsWindow(hWndBar); };
    auto stopRepeat = [&] {
        if (bRepeat && ::IsWindow(hWndBar))
            ::KillTimer(hWndBar, kAutoRepeatTimerId);
        bRepeat = FALSE;
    };
    loop.m_onStart = [&] {
        if (!bRepeat)
            return;
        ::SetTimer(hWndBar, kAutoRepeatTimerId, static_cast<UINT>(m_nExecuteOnPressInterval), nullptr);
        ExecuteCommand();
        // The command may disable the control: a disabled control repeats no more.
        if (!stillOnBar() || !GetEnabled())
            stopRepeat();
    };
    loop.m_stillTracking = stillOnBar;
    loop.m_onMessage = [&](MSG& msg) -> CQorCaptureLoop::Action {
        switch (msg.message) {
        case WM_LBUTTONUP:
            bReleased = m_nSelected != 0 && (!bMoved || rc.PtInRect(ptLast));
            return CQorCaptureLoop::actionDone;
        case WM_TIMER:
            if (msg.hwnd == hWndBar && msg.wParam == kAutoRepeatTimerId) {
                if (bRepeat && m_nSelected != 0) {
                    ExecuteCommand();
                    if (!stillOnBar())
                        return CQorCaptureLoop::actionCancel;
                    if (!GetEnabled())
                        stopRepeat();
                }
                return CQorCaptureLoop::actionHandled;
            }
            return CQorCaptureLoop::actionDispatch;
        case WM_MOUSEMOVE:
            if (msg.hwnd == hWndBar) {
                bMoved = TRUE;
                ptLast = CPoint(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
                SetSelected(rc.PtInRect(ptLast) ? 1 : 0);
                return CQorCaptureLoop::actionHandled;
            }
            return CQorCaptureLoop::actionDispatch;
        default:
            return CQorCaptureLoop::actionDispatch;
        }
    };
    const BOOL bWasRepeating = m_nExecuteOnPressInterval > 0;
    const CQorCaptureLoop::Result result = loop.Run();
    stopRepeat();
    // A quit, a lost capture or a lost bar runs nothing.
    const BOOL bExecute = result == CQorCaptureLoop::resultDone && bReleased && !bWasRepeating;

    if (!stillOnBar()) {
        m_nPressed = pressedNone;
        m_nSelected = 0;
        return;
    }
    pBar->OnControlPressed(FALSE, this);
    m_nPressed = bExecute && pBar->GetPosition() != qorBarPopup ? pressedRunning : pressedNone;
    if (m_nSelected != 0) {
        pBar->SetSelected(-1, 0);
        m_nSelected = 0;
        pBar->m_nLastPressed = m_nIndex;
    }
    if (bExecute) {
        OnExecute();
        if (m_nPressed != pressedNone && m_pParent == pBar) {
            m_nPressed = pressedNone;
            RedrawParent(FALSE);
        }
    } else {
        RedrawParent(FALSE);
    }
}

// ---- Accessibility ------------------------------------------------------------------------

HRESULT CQorControl::GetAccessibleParent(IDispatch** ppdispParent)
{
    *ppdispParent = nullptr;
    if (!m_pParent || !m_pParent->GetSafeHwnd())
        return E_FAIL;
    return AccessibleObjectFromWindow(m_pParent->GetSafeHwnd(), ppdispParent);
}

HRESULT CQorControl::GetAccessibleChildCount(long* pcountChildren)
{
    *pcountChildren = GetCommandBar() ? 1 : 0;
    return S_OK;
}

HRESULT CQorControl::GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild)
{
    *ppdispChild = nullptr;
    CQorCommandBar* pBar = GetCommandBar();
    if (GetVariantInt(varChild) == 1 && pBar && pBar->GetSafeHwnd())
        return AccessibleObjectFromWindow(pBar->GetSafeHwnd(), ppdispChild);
    return S_OK;
}

CString CQorControl::GetAccessibleNameText() const
{
    CString strCaption = GetCaption(), strName;
    for (int i = 0; i < strCaption.GetLength(); i++) {
        if (strCaption[i] == L'&') {
            if (i + 1 < strCaption.GetLength() && strCaption[i + 1] == L'&')
                strName += L'&';
            else
                continue;
            i++;
            continue;
        }
        strName += strCaption[i];
    }
    const CString strShortcut = GetShortcutText();
    if (!strShortcut.IsEmpty())
        strName += L"\t" + strShortcut;
    return strName.IsEmpty() ? GetTooltip() : strName;
}

HRESULT CQorControl::GetAccessibleName(VARIANT varChild, BSTR* pszName)
{
    if (GetVariantInt(varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    *pszName = ::SysAllocString(GetAccessibleNameText());
    return S_OK;
}

HRESULT CQorControl::GetAccessibleDescription(VARIANT varChild, BSTR* pszDescription)
{
    if (GetVariantInt(varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    *pszDescription = ::SysAllocString(GetDescription());
    return S_OK;
}

HRESULT CQorControl::GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (GetVariantInt(varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    pvarRole->vt = VT_I4;
    const int nBarType = m_pParent ? m_pParent->GetType() : qorBarTypeMenuBar;
    if (nBarType == qorBarTypeToolBar || nBarType == 3)
        pvarRole->lVal = GetCommandBar() ? ROLE_SYSTEM_BUTTONMENU : ROLE_SYSTEM_PUSHBUTTON;
    else
        pvarRole->lVal = ROLE_SYSTEM_MENUITEM;
    return S_OK;
}

HRESULT CQorControl::GetAccessibleState(VARIANT varChild, VARIANT* pvarState)
{
    if (GetVariantInt(varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    long lState = STATE_SYSTEM_FOCUSABLE;
    if (m_nSelected != 0)
        lState |= STATE_SYSTEM_HOTTRACKED | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED;
    const BOOL bBarVisible = m_pParent && m_pParent->GetSafeHwnd() && ::IsWindowVisible(m_pParent->GetSafeHwnd());
    if (!bBarVisible || !IsVisible())
        lState |= STATE_SYSTEM_INVISIBLE;
    if (!GetEnabled())
        lState |= STATE_SYSTEM_UNAVAILABLE;
    if (GetChecked())
        lState |= STATE_SYSTEM_CHECKED;
    if (m_nPressed != pressedNone)
        lState |= STATE_SYSTEM_PRESSED;
    if (GetCommandBar())
        lState |= STATE_SYSTEM_HASPOPUP;
    pvarState->vt = VT_I4;
    pvarState->lVal = lState;
    return S_OK;
}

HRESULT CQorControl::GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction)
{
    if (GetVariantInt(varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    *pszDefaultAction = ::SysAllocString(L"Click");
    return S_OK;
}

HRESULT CQorControl::AccessibleSelect(long, VARIANT varChild)
{
    if (GetVariantInt(varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    if (m_pParent && m_pParent->GetSafeHwnd()) {
        m_pParent->SetTrackingMode(1, FALSE, FALSE);
        m_pParent->SetSelected(m_nIndex, TRUE);
    }
    return S_OK;
}

HRESULT CQorControl::AccessibleDoDefaultAction(VARIANT varChild)
{
    if (GetVariantInt(varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    OnClick(TRUE, CPoint(0, 0));
    return S_OK;
}

HRESULT CQorControl::AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild)
{
    if (GetVariantInt(varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
    if (!m_pParent || !m_pParent->GetSafeHwnd() || !IsVisible())
        return S_OK;
    CRect rc = m_rcControl;
    ::MapWindowPoints(m_pParent->GetSafeHwnd(), HWND_DESKTOP, reinterpret_cast<LPPOINT>(&rc), 2);
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

HRESULT CQorControl::AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    pvarChild->vt = VT_EMPTY;
    if (!m_pParent || !m_pParent->GetSafeHwnd())
        return S_FALSE;
    CRect rcWindow;
    ::GetWindowRect(m_pParent->GetSafeHwnd(), &rcWindow);
    if (!rcWindow.PtInRect(CPoint(xLeft, yTop)))
        return S_FALSE;
    POINT pt = {xLeft, yTop};
    ::ScreenToClient(m_pParent->GetSafeHwnd(), &pt);
    if (!m_rcControl.PtInRect(pt))
        return S_FALSE;
    pvarChild->vt = VT_I4;
    pvarChild->lVal = CHILDID_SELF;
    return S_OK;
}

HRESULT CQorControl::GetAccessibleFocus(VARIANT* pvarChild)
{
    pvarChild->vt = VT_EMPTY;
    return S_FALSE;
}

HRESULT CQorControl::GetAccessibleSelection(VARIANT* pvarChildren)
{
    pvarChildren->vt = VT_EMPTY;
    return S_FALSE;
}

// ---- CQorControlButton --------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CQorControlButton, CQorControl)

CQorControlButton::CQorControlButton()
{
    m_nType = qorControlButton;
}

void CQorControlButton::OnClick(BOOL bKeyboard, CPoint point)
{
    if (!GetEnabled())
        return;
    if (IsCustomizeMode()) {
        if (m_pParent) {
            m_pParent->SetPopuped(-1);
            m_pParent->SetSelected(-1);
        }
        OnCustomizeMouseDown(point);
        return;
    }
    if (bKeyboard) {
        OnExecute();
        return;
    }
    if (m_pParent && !m_pParent->IsPopupBar())
        TrackButtonPress();
}

void CQorControlButton::OnLButtonUp(CPoint)
{
    if (GetEnabled() && m_pParent && m_pParent->IsPopupBar())
        OnExecute();
}
