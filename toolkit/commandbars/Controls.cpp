#include "toolkit/commandbars/Controls.h"

#include "platform/framework/Menu.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/ControlPopup.h"
#include "toolkit/commandbars/ControlSimple.h"
#include "toolkit/commandbars/ControlToolbars.h"
#include "toolkit/foundation/ResourceManager.h"

#include <cwchar>

namespace {

const int kMenuPlaceholderId = 65280;

// Ids whose controls are made by the bars themselves and never get an action on insertion.
BOOL IsActionlessId(int nId)
{
    return nId <= 0 || nId >= 0x0FFFFFFF || (nId >= 9100 && nId <= 9299) || (nId >= 35000 && nId <= 35003);
}

CString StripMnemonics(const CString& strText)
{
    CString strResult;
    for (int i = 0; i < strText.GetLength(); i++) {
        if (strText[i] == L'&') {
            if (i + 1 < strText.GetLength() && strText[i + 1] == L'&') {
                strResult += L'&';
                i++;
            }
            continue;
        }
        strResult += strText[i];
    }
    return strResult;
}

// Sends a record to the site; the site's non-zero answer says it filled it in.
template <class RECORD> LRESULT SendToSite(HWND hWndSite, UINT nMessage, RECORD& record)
{
    if (!hWndSite || !::IsWindow(hWndSite))
        return 0;
    return ::SendMessageW(hWndSite, nMessage, 0, reinterpret_cast<LPARAM>(&record));
}

} // namespace

IMPLEMENT_DYNCREATE(CQorControls, CCmdTarget)
IMPLEMENT_DYNCREATE(CQorOriginalControls, CQorControls)

CQorControls* CreateControlsCollection()
{
    return new CQorControls;
}

CQorControls::CQorControls()
    : m_pParent(nullptr), m_pCommandBars(nullptr), m_pOriginalControls(nullptr), m_bOriginalControls(FALSE)
{}

CQorControls::~CQorControls()
{
    RemoveAll();
    SetOriginalControls(nullptr);
}

CQorControl* CQorControls::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_arrControls[nIndex] : nullptr;
}

CQorCommandBars* CQorControls::GetCommandBars() const
{
    return m_pParent ? m_pParent->GetCommandBars() : m_pCommandBars;
}

HWND CQorControls::GetSite() const
{
    CQorCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars && pCommandBars->GetSite() && ::IsWindow(pCommandBars->GetSite()))
        return pCommandBars->GetSite();
    return m_pParent ? m_pParent->GetSite() : nullptr;
}

CQorControl* CQorControls::CreateControl(int nType, int nId) const
{
    switch (nType) {
    case qorControlButton:
        if (nId == CQorControlToolbars::kPlaceholderId)
            return new CQorControlToolbars;
        // The other list placeholders (window list, workspace actions, recent files) are plain
        // buttons until their controls exist.
        return new CQorControlButton;
    case qorControlPopup:
    case qorControlButtonPopup:
    case qorControlSplitButtonPopup: {
        CQorControlPopup* pPopup = new CQorControlPopup;
        CQorCommandBars* pCommandBars = GetCommandBars();
        CQorCommandBar* pBar = nullptr;
        CString strCaption;
        CMenu menu; // destroyed on every way out
        CMenu* pSubMenu = nullptr;
        if (nId >= 1 && GetResourceManager()->LoadMenu(&menu, static_cast<UINT>(nId))) {
            pSubMenu = menu.GetSubMenu(0);
            GetResourceManager()->GetMenuString(0, &menu, strCaption);
        }
        if (nId >= 1) {
            QOR_POPUPBAR_CREATE_REQUEST request = {
                nullptr, TRUE, FALSE, FALSE, FALSE, strCaption, static_cast<UINT>(nId)};
            if (SendToSite(GetSite(), QORWM_POPUPBARCREATEREQUEST, request) && request.pCommandBar)
                pBar = request.pCommandBar;
        }
        if (!pBar)
            pBar = CQorControlPopup::CreatePopupBar(pCommandBars);
        pPopup->SetCommandBar(pBar);
        pPopup->m_strCaption = strCaption;
        if (pSubMenu)
            pBar->LoadMenu(pSubMenu, TRUE);
        return pPopup;
    }
    case qorControlLabel:
        return new CQorControlLabel;
    case qorControlCheckBox:
        return new CQorControlCheckBox;
    case qorControlRadioButton:
        return new CQorControlRadioButton;
    default:
        // Combo box, edit, custom and gallery controls come with the bar controls.
        return nullptr;
    }
}

CQorControl* CQorControls::Add(int nType, int nId, LPCWSTR lpszParameter, int nBefore, BOOL bTemporary)
{
    CQorControl* pControl = CreateControl(nType, nId);
    if (!pControl)
        return nullptr;
    pControl->m_nType = nType;
    return InsertControl(pControl, nId, lpszParameter, nBefore, bTemporary);
}

CQorControl* CQorControls::InsertControl(CQorControl* pControl, int nId, LPCWSTR lpszParameter, int nBefore,
                                         BOOL bTemporary)
{
    if (!pControl)
        return nullptr;
    pControl->m_strParameter = lpszParameter ? lpszParameter : L"";
    pControl->m_bTemporary = bTemporary;
    if (!pControl->GetAction()) {
        CQorCommandBars* pCommandBars = GetCommandBars();
        CQorControlAction* pAction = pCommandBars ? pCommandBars->GetActions()->FindAction(nId) : nullptr;
        if (pAction)
            pControl->SetAction(pAction);
        else if (!pCommandBars || !pCommandBars->IsActionsEnabled() || IsActionlessId(nId))
            pControl->SetID(nId);
        else
            pControl->SetAction(pCommandBars->GetActions()->Add(nId));
    }
    if (nBefore < 0 || nBefore >= GetCount())
        nBefore = GetCount();
    m_arrControls.InsertAt(nBefore, pControl);
    OnControlAdded(pControl);
    return pControl;
}

CQorControl* CQorControls::AddCopy(const CQorControl* pSource, int nBefore, BOOL bRecursive)
{
    if (!pSource)
        return nullptr;
    CQorControl* pControl = QorCreateObjectAs<CQorControl>(pSource->GetRuntimeClass());
    if (!pControl)
        return nullptr;
    if (nBefore < 0 || nBefore >= GetCount())
        nBefore = GetCount();
    m_arrControls.InsertAt(nBefore, pControl);
    OnControlAdded(pControl);
    pControl->Copy(pSource, bRecursive);
    return pControl;
}

CQorControl* CQorControls::AddMenuItem(CMenu* pMenu, int nIndex)
{
    if (!pMenu || !pMenu->GetSafeHmenu())
        return nullptr;
    CMenu* pSubMenu = pMenu->GetSubMenu(nIndex);
    int nId = pSubMenu ? 0 : static_cast<int>(pMenu->GetMenuItemID(nIndex));
    if (nId == kMenuPlaceholderId)
        return nullptr;
    const BOOL bDefault =
        ::GetMenuDefaultItem(pMenu->GetSafeHmenu(), TRUE, GMDI_USEDISABLED) == static_cast<UINT>(nIndex);

    CString strCaption;
    GetResourceManager()->GetMenuString(static_cast<UINT>(nIndex), pMenu, strCaption);
    const int nTab = strCaption.Find(L'\t');
    if (pSubMenu && nTab > 0) {
        const int nPopupId = static_cast<int>(std::wcstol(strCaption.Mid(nTab + 1), nullptr, 10));
        if (nPopupId != 0) {
            nId = nPopupId;
            strCaption = strCaption.Left(nTab);
        }
    }

    QOR_CONTROL_CREATE_REQUEST request = {
        nId, nullptr, FALSE, nIndex, pMenu, m_pParent, strCaption, pSubMenu ? qorControlPopup : qorControlButton, 0};
    const HWND hWndSite = GetSite();
    if (SendToSite(hWndSite, QORWM_CONTROLCREATEREQUEST, request)) {
        nId = request.nId;
        strCaption = request.lpszCaption ? request.lpszCaption : L"";
    }

    CQorControl* pControl = request.pControl;
    if (!pControl) {
        switch (request.nType) {
        case qorControlButton:
            pControl = CreateControl(qorControlButton, nId);
            break;
        case qorControlPopup:
        case qorControlButtonPopup:
        case qorControlSplitButtonPopup: {
            CQorControlPopup* pPopup = new CQorControlPopup;
            const CString strTitle = StripMnemonics(strCaption);
            QOR_POPUPBAR_CREATE_REQUEST popupRequest = {
                nullptr, TRUE, FALSE, FALSE, FALSE, strTitle, static_cast<UINT>(nId)};
            CQorCommandBar* pBar = nullptr;
            if (SendToSite(hWndSite, QORWM_POPUPBARCREATEREQUEST, popupRequest) && popupRequest.pCommandBar)
                pBar = popupRequest.pCommandBar;
            if (!pBar)
                pBar = CQorControlPopup::CreatePopupBar(GetCommandBars());
            pPopup->SetCommandBar(pBar);
            pBar->SetTitle(strTitle);
            if (pSubMenu) {
                pBar->LoadMenu(pSubMenu, FALSE);
            } else if (nId > 0) {
                CMenu menu; // destroyed on every way out
                if (GetResourceManager()->LoadMenu(&menu, static_cast<UINT>(nId)))
                    pBar->LoadMenu(menu.GetSubMenu(0), FALSE);
            }
            pControl = pPopup;
            break;
        }
        case qorControlLabel:
        case qorControlCheckBox:
        case qorControlRadioButton:
            pControl = CreateControl(request.nType, nId);
            break;
        default:
            // No control for this type from a menu: nothing is inserted.
            return nullptr;
        }
    }

    pControl->m_nType = request.nType;
    if (request.nStyle != pControl->GetStyle()) {
        pControl->SetStyle(request.nStyle);
        if (m_pParent)
            m_pParent->DelayLayout();
    }

    if (!pControl->GetAction()) {
        CQorCommandBars* pCommandBars = GetCommandBars();
        CQorControlAction* pAction = pCommandBars ? pCommandBars->GetActions()->FindAction(nId) : nullptr;
        if (!pAction && pCommandBars && pCommandBars->IsActionsEnabled() && nId != 0 && nId < 0x0FFFFFFF)
            pAction = pCommandBars->GetActions()->Add(nId);
        if (pAction) {
            pControl->SetAction(pAction);
            if (pAction->GetCaption().IsEmpty())
                pAction->SetCaption(strCaption);
        } else {
            pControl->SetID(nId);
            pControl->SetCaption(strCaption);
        }
    }
    if (bDefault && !pControl->m_bDefaultItem) {
        pControl->m_bDefaultItem = TRUE;
        if (m_pParent)
            m_pParent->DelayLayout();
    }

    m_arrControls.Add(pControl);
    OnControlAdded(pControl);
    request.pControl = pControl;
    SendToSite(hWndSite, QORWM_AFTERCONTROLCREATE, request);
    return pControl;
}

void CQorControls::Remove(CQorControl* pControl)
{
    if (!pControl || pControl->GetControls() != this)
        return;
    if (pControl->GetPressed() && m_pParent)
        m_pParent->SetSelected(-1, 0);
    const int nIndex = pControl->GetIndex();
    if (GetAt(nIndex) != pControl || IsControlFixed(pControl))
        return;
    m_arrControls.RemoveAt(nIndex);
    OnControlRemoved(pControl);
    pControl->SetParent(nullptr);
    pControl->InternalRelease();
}

void CQorControls::RemoveAll()
{
    for (int i = GetCount() - 1; i >= 0; i--) {
        CQorControl* pControl = m_arrControls[i];
        if (IsControlFixed(pControl))
            continue;
        m_arrControls.RemoveAt(i);
        OnControlRemoved(pControl);
        pControl->InternalRelease();
    }
}

void CQorControls::OnControlAdded(CQorControl*)
{
    RefreshIndexes();
}

void CQorControls::OnControlRemoved(CQorControl* pControl)
{
    // A control selected for customizing is no longer selected once it left its bar.
    if (CQorCommandBars* pCommandBars = GetCommandBars()) {
        if (pCommandBars->GetDragControl() == pControl)
            pCommandBars->SetDragControl(nullptr);
    }
    pControl->OnRemoved();
    pControl->m_pControls = nullptr;
    pControl->SetParent(nullptr);
    RefreshIndexes();
}

void CQorControls::RefreshIndexes()
{
    for (int i = 0; i < GetCount(); i++) {
        CQorControl* pControl = m_arrControls[i];
        pControl->m_nIndex = i;
        pControl->m_pControls = this;
        pControl->SetParent(m_pParent);
    }
    if (m_pParent)
        m_pParent->OnControlsChanged();
}

CQorControl* CQorControls::FindControl(int nId) const
{
    if (GetCount() == 0)
        return nullptr;
    if (nId == -1)
        return m_arrControls[0];
    for (int i = 0; i < GetCount(); i++)
        if (m_arrControls[i]->GetID() == nId)
            return m_arrControls[i];
    return nullptr;
}

CQorControl* CQorControls::HitTest(CPoint point) const
{
    for (int i = 0; i < GetCount(); i++) {
        CQorControl* pControl = m_arrControls[i];
        if (pControl->IsVisible(qorHideMaskHitTest) && pControl->GetRect().PtInRect(point))
            return pControl;
    }
    return nullptr;
}

int CQorControls::GetVisibleCount() const
{
    int nCount = 0;
    for (int i = 0; i < GetCount(); i++)
        if (m_arrControls[i]->IsVisible(qorHideMaskLayout))
            nCount++;
    return nCount;
}

int CQorControls::GetNext(int nStart, int nStep, BOOL bPopup, BOOL bSkipFlagged, BOOL bSkipTemporary) const
{
    const int nCount = GetCount();
    if (nCount == 0)
        return -1;
    if (nStep == 0)
        return nStart;
    const int nMask = bPopup ? qorHideMaskKeyboardPopup : qorHideMaskKeyboard;
    int nIndex = (nStart == -1 && nStep < 0) ? nCount - 1 : nStart + nStep;
    BOOL bWrapped = nStart == -1; // a walk from -1 has no wrap to spare
    for (;;) {
        if (nIndex >= nCount || nIndex < 0) {
            if (bWrapped)
                return -1;
            bWrapped = TRUE;
            nIndex = nIndex >= nCount ? 0 : nCount - 1;
        }
        if (nIndex == nStart)
            return nStart;
        const CQorControl* pControl = m_arrControls[nIndex];
        if (pControl->IsVisible(nMask) && !(bSkipFlagged && (pControl->GetFlags() & qorFlagSkipFocus)) &&
            !(bSkipTemporary && pControl->m_bTemporary))
            return nIndex;
        nIndex += nStep;
    }
}

void CQorControls::AppendCopies(const CQorControls* pOther, BOOL bRecursive)
{
    for (int i = 0; i < pOther->GetCount(); i++) {
        const CQorControl* pSource = pOther->GetAt(i);
        if (!pSource->m_bTemporary)
            AddCopy(pSource, -1, bRecursive);
    }
}

void CQorControls::Copy(const CQorControls* pOther, BOOL bRecursive)
{
    // Emptying first would leave nothing to copy from.
    if (!pOther || pOther == this)
        return;
    RemoveAll();
    AppendCopies(pOther, bRecursive);
    if (pOther->m_pOriginalControls)
        SetOriginalControls(dynamic_cast<CQorOriginalControls*>(pOther->m_pOriginalControls->Duplicate(bRecursive)));
}

CQorControls* CQorControls::Duplicate(BOOL bRecursive) const
{
    CQorControls* pCopy = QorCreateObjectAs<CQorControls>(GetRuntimeClass());
    if (!pCopy)
        return nullptr;
    pCopy->m_pCommandBars = GetCommandBars();
    pCopy->AppendCopies(this, bRecursive);
    if (m_pOriginalControls)
        pCopy->SetOriginalControls(dynamic_cast<CQorOriginalControls*>(m_pOriginalControls->Duplicate(bRecursive)));
    return pCopy;
}

void CQorControls::CreateOriginalControls()
{
    CQorOriginalControls* pOriginal = new CQorOriginalControls;
    pOriginal->m_pCommandBars = GetCommandBars();
    pOriginal->AppendCopies(this, TRUE);
    SetOriginalControls(pOriginal);
}

void CQorControls::SetOriginalControls(CQorOriginalControls* pOriginal)
{
    if (m_pOriginalControls == pOriginal)
        return;
    if (m_pOriginalControls)
        m_pOriginalControls->InternalRelease();
    m_pOriginalControls = pOriginal;
}

BOOL CQorControls::IsEqual(const CQorControls* pOther) const
{
    if (!pOther)
        return FALSE;
    int i = 0, j = 0;
    for (;;) {
        while (i < GetCount() && m_arrControls[i]->m_bTemporary)
            i++;
        while (j < pOther->GetCount() && pOther->m_arrControls[j]->m_bTemporary)
            j++;
        if (i >= GetCount() || j >= pOther->GetCount())
            return i >= GetCount() && j >= pOther->GetCount();
        if (!m_arrControls[i]->IsEqual(pOther->m_arrControls[j]))
            return FALSE;
        i++;
        j++;
    }
}
