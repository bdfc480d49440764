#include "platform/framework/CmdTarget.h"

#include "platform/framework/Menu.h"
#include "platform/framework/Wnd.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

// ---------------------------------------------------------------------------------------
// Maps of the root class: empty, with no base.

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_INTERFACEMAP* CCmdTarget::GetThisInterfaceMap()
{
    static const AFX_INTERFACEMAP_ENTRY entries[] = {{nullptr, 0}};
    static const AFX_INTERFACEMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_INTERFACEMAP* CCmdTarget::GetInterfaceMap() const
{
    return GetThisInterfaceMap();
}

const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg, UINT nCode, UINT nID)
{
    for (; lpEntry->nSig != AfxSig_end; ++lpEntry) {
        if (lpEntry->nMessage == nMsg && lpEntry->nCode == nCode && nID >= lpEntry->nID && nID <= lpEntry->nLastID)
            return lpEntry;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------------------

CCmdTarget::CCmdTarget() : m_dwRef(1), m_pOuterUnknown(nullptr) {}

CCmdTarget::~CCmdTarget() = default;

DWORD CCmdTarget::InternalAddRef()
{
    return static_cast<DWORD>(::InterlockedIncrement(reinterpret_cast<LONG volatile*>(&m_dwRef)));
}

DWORD CCmdTarget::InternalRelease()
{
    if (m_dwRef == 0)
        return 0;
    LONG count = ::InterlockedDecrement(reinterpret_cast<LONG volatile*>(&m_dwRef));
    if (count == 0)
        OnFinalRelease(); // the object is gone from here on
    return static_cast<DWORD>(count);
}

DWORD CCmdTarget::ExternalAddRef()
{
    if (m_pOuterUnknown)
        return m_pOuterUnknown->AddRef();
    return InternalAddRef();
}

DWORD CCmdTarget::ExternalRelease()
{
    if (m_pOuterUnknown)
        return m_pOuterUnknown->Release();
    return InternalRelease();
}

void CCmdTarget::OnFinalRelease()
{
    delete this;
}

LPUNKNOWN CCmdTarget::GetInterface(const void* iid)
{
    const IID& wanted = *static_cast<const IID*>(iid);
    BOOL bUnknown = ::IsEqualIID(wanted, IID_IUnknown);
    for (const AFX_INTERFACEMAP* map = GetInterfaceMap(); map;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_INTERFACEMAP_ENTRY* entry = map->pEntry; entry->piid; ++entry) {
            // IUnknown is answered with the first part of the most derived map that has one.
            if (bUnknown || ::IsEqualIID(wanted, *entry->piid))
                return reinterpret_cast<LPUNKNOWN>(reinterpret_cast<BYTE*>(this) + entry->nOffset);
        }
    }
    return nullptr;
}

DWORD CCmdTarget::InternalQueryInterface(const void* iid, LPVOID* ppvObj)
{
    if (!ppvObj)
        return static_cast<DWORD>(E_POINTER);
    LPUNKNOWN found = GetInterface(iid);
    *ppvObj = found;
    if (!found)
        return static_cast<DWORD>(E_NOINTERFACE);
    ExternalAddRef();
    return S_OK;
}

DWORD CCmdTarget::ExternalQueryInterface(const void* iid, LPVOID* ppvObj)
{
    if (m_pOuterUnknown)
        return static_cast<DWORD>(m_pOuterUnknown->QueryInterface(*static_cast<const IID*>(iid), ppvObj));
    return InternalQueryInterface(iid, ppvObj);
}

LPUNKNOWN CCmdTarget::GetControllingUnknown()
{
    if (m_pOuterUnknown)
        return m_pOuterUnknown;
    return GetInterface(&IID_IUnknown);
}

// ---------------------------------------------------------------------------------------
// Command routing

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The high word of nCode names the message kind (WM_NOTIFY, reflected messages); plain
    // commands and control notifications have none.
    UINT nMsg = 0;
    UINT nCodeKey = static_cast<UINT>(nCode);
    if (nCode != CN_UPDATE_COMMAND_UI) {
        nMsg = HIWORD(nCode);
        nCodeKey = LOWORD(nCode);
    }
    if (nMsg == 0)
        nMsg = WM_COMMAND;

    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        if (const AFX_MSGMAP_ENTRY* entry = AfxFindMessageEntry(map->lpEntries, nMsg, nCodeKey, nID))
            return DispatchCmdMsg(this, nID, nCode, entry->pfn, pExtra, entry->nSig, pHandlerInfo);
    }
    return FALSE;
}

BOOL CCmdTarget::DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, AFX_PMSG pfn, void* pExtra, UINT_PTR nSig,
                                AFX_CMDHANDLERINFO* pHandlerInfo)
{
    (void)nCode;
    if (pHandlerInfo) {
        pHandlerInfo->pTarget = pTarget;
        pHandlerInfo->pmf = pfn;
        return TRUE;
    }

    auto* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
    switch (nSig) {
    case AfxSig_cmd_v:
        (pTarget->*pfn)();
        return TRUE;
    case AfxSig_cmd_b:
        return (pTarget->*reinterpret_cast<BOOL (CCmdTarget::*)(UINT)>(pfn))(nID);
    case AfxSig_cmd_w:
        (pTarget->*reinterpret_cast<void (CCmdTarget::*)(UINT)>(pfn))(nID);
        return TRUE;
    case AfxSig_ctl_b:
        return (pTarget->*reinterpret_cast<BOOL (CCmdTarget::*)()>(pfn))();
    case AfxSig_cmd_ui: {
        auto* pCmdUI = static_cast<CCmdUI*>(pExtra);
        if (!pCmdUI)
            return FALSE;
        pCmdUI->m_bContinueRouting = FALSE;
        (pTarget->*reinterpret_cast<void (CCmdTarget::*)(CCmdUI*)>(pfn))(pCmdUI);
        return !pCmdUI->m_bContinueRouting;
    }
    case AfxSig_notify_v:
        if (!pNotify)
            return FALSE;
        (pTarget->*reinterpret_cast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(pNotify->pNMHDR, pNotify->pResult);
        return TRUE;
    case AfxSig_notify_w:
        if (!pNotify)
            return FALSE;
        (pTarget->*reinterpret_cast<void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(nID, pNotify->pNMHDR,
                                                                                        pNotify->pResult);
        return TRUE;
    case AfxSig_notify_b:
        if (!pNotify)
            return FALSE;
        return (pTarget->*reinterpret_cast<BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(nID, pNotify->pNMHDR,
                                                                                               pNotify->pResult);
    case AfxSig_notify_reflect_b:
        if (!pNotify)
            return FALSE;
        return (pTarget->*reinterpret_cast<BOOL (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(pNotify->pNMHDR,
                                                                                         pNotify->pResult);
    default:
        return FALSE;
    }
}

// ---------------------------------------------------------------------------------------
// CCmdUI

CCmdUI::CCmdUI()
    : m_nID(0), m_nIndex(0), m_pMenu(nullptr), m_pSubMenu(nullptr), m_pParentMenu(nullptr), m_pOther(nullptr),
      m_nIndexMax(0), m_bEnableChanged(FALSE), m_bContinueRouting(FALSE)
{}

void CCmdUI::Enable(BOOL bOn)
{
    if (m_pMenu) {
        if (m_pSubMenu)
            return; // an item that opens a submenu is not switched through its first command
        ::EnableMenuItem(m_pMenu->GetSafeHmenu(), m_nIndex,
                         MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    } else if (m_pOther && m_pOther->GetSafeHwnd()) {
        // A control that loses its enabled state hands the focus to the next one first.
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
            HWND parent = ::GetParent(m_pOther->m_hWnd);
            if (parent)
                ::SendMessageW(parent, WM_NEXTDLGCTL, 0, FALSE);
        }
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu) {
        if (m_pSubMenu)
            return;
        ::CheckMenuItem(m_pMenu->GetSafeHmenu(), m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_pOther && m_pOther->GetSafeHwnd()) {
        if (::SendMessageW(m_pOther->m_hWnd, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)
            ::SendMessageW(m_pOther->m_hWnd, BM_SETCHECK, static_cast<WPARAM>(nCheck), 0);
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (m_pMenu) {
        if (m_pSubMenu)
            return;
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE;
        HMENU menu = m_pMenu->GetSafeHmenu();
        if (::GetMenuItemInfoW(menu, m_nIndex, TRUE, &info)) {
            info.fType = bOn ? (info.fType | MFT_RADIOCHECK) : (info.fType & ~MFT_RADIOCHECK);
            ::SetMenuItemInfoW(menu, m_nIndex, TRUE, &info);
        }
        ::CheckMenuItem(menu, m_nIndex, MF_BYPOSITION | (bOn ? MF_CHECKED : MF_UNCHECKED));
    } else {
        SetCheck(bOn ? 1 : 0);
    }
}

void CCmdUI::SetText(LPCTSTR lpszText)
{
    if (!lpszText)
        lpszText = L"";
    if (m_pMenu) {
        if (m_pSubMenu)
            return;
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STRING;
        info.dwTypeData = const_cast<LPWSTR>(lpszText);
        ::SetMenuItemInfoW(m_pMenu->GetSafeHmenu(), m_nIndex, TRUE, &info);
    } else if (m_pOther && m_pOther->GetSafeHwnd()) {
        AfxSetWindowText(m_pOther->m_hWnd, lpszText);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (!pTarget || m_nID == 0 || LOWORD(m_nID) == 0xFFFF)
        return TRUE; // no command behind the item

    m_bEnableChanged = FALSE;
    BOOL bResult = pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    if (bDisableIfNoHndler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info = {nullptr, nullptr};
        BOOL bHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
        Enable(bHandler);
    }
    return bResult;
}
