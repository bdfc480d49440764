#include "toolkit/docking/DockingPaneManager.h"

#include "platform/framework/FrameWnd.h"
#include "platform/framework/Menu.h"
#include "toolkit/docking/DockingPane.h"
#include "toolkit/docking/DockingPaneAccessibility.h"
#include "toolkit/docking/DockingPaneLayout.h"
#include "toolkit/docking/DockingPaneSplitterContainer.h"
#include "toolkit/docking/DockingPaneSplitterWnd.h"
#include "toolkit/docking/DockingPaneTabbedContainer.h"
#include "toolkit/docking/DockingPaneThemes.h"
#include "toolkit/foundation/ColorManager.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/ImageManager.h"
#include "toolkit/foundation/ToolTipContext.h"

using namespace QorDockingPanePaintThemes;

BEGIN_MESSAGE_MAP(CQorDockingPaneManager, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, &CQorDockingPaneManager::OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CQorDockingPaneManager::OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_INITIALUPDATE, &CQorDockingPaneManager::OnInitialUpdate)
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
    ON_MESSAGE(WM_GETOBJECT, &CQorDockingPaneManager::OnGetObject)
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

BEGIN_INTERFACE_MAP(CQorDockingPaneManager, CWnd)
    INTERFACE_PART(CQorDockingPaneManager, IID_IAccessible, Accessible)
    INTERFACE_PART(CQorDockingPaneManager, IID_IDispatch, Accessible)
END_INTERFACE_MAP()

namespace {

UINT (*g_pfnTrackMenuForTest)(HMENU, CPoint) = nullptr;

void RegisterDockingClasses()
{
    RegisterToolkitWindowClass(nullptr, L"QorDockingPaneSplitter", 0);
    RegisterToolkitWindowClass(nullptr, L"QorDockingPaneTabbedContainer", CS_DBLCLKS);
    RegisterToolkitWindowClass(nullptr, L"QorDockingPaneManager", 0);
    RegisterToolkitWindowClass(nullptr, L"QorDockingPaneAutoHidePanel", 0);
    RegisterToolkitWindowClass(nullptr, L"QorDockingPaneMiniWnd", CS_DBLCLKS);
}

} // namespace

void CQorDockingPaneManager::SetTrackMenuForTest(UINT (*pfnTrack)(HMENU hMenu, CPoint pt))
{
    g_pfnTrackMenuForTest = pfnTrack;
}

CQorDockingPaneManager::CQorDockingPaneManager()
{
    SetTheme(0);
    m_pImageManager = new CQorImageManager();
    m_pToolTipContext = new CQorToolTipContext();
    RegisterDockingClasses();
    m_hrOleInit = ::OleInitialize(nullptr);
}

CQorDockingPaneManager::~CQorDockingPaneManager()
{
    // The active pane goes first and quietly: nobody is left to hear about it.
    if (m_pActivePane) {
        CQorDockingPane* pPane = m_pActivePane;
        m_pActivePane = nullptr;
        pPane->InternalRelease();
    }
    if (m_pLayout) {
        CQorDockingPaneLayout* pLayout = m_pLayout;
        m_pLayout = nullptr;
        pLayout->Clear();
        pLayout->InternalRelease();
    }
    if (m_pPaintManager)
        m_pPaintManager->InternalRelease();
    m_pPaintManager = nullptr;
    if (m_pImageManager)
        m_pImageManager->InternalRelease();
    m_pImageManager = nullptr;
    if (m_pToolTipContext)
        m_pToolTipContext->InternalRelease();
    m_pToolTipContext = nullptr;
    if (m_hWnd)
        DestroyWindow();
    // Only a successful initialisation of our own is undone: after RPC_E_CHANGED_MODE the
    // thread's COM belongs to someone else.
    if (m_hrOleInit == S_OK || m_hrOleInit == S_FALSE)
        ::OleUninitialize();
}

BOOL CQorDockingPaneManager::InstallDockingPanes(CWnd* pSite)
{
    if (!pSite || !::IsWindow(pSite->GetSafeHwnd()) || m_pSite)
        return FALSE;
    if ((pSite->GetStyle() & (WS_CLIPSIBLINGS | WS_CLIPCHILDREN)) != (WS_CLIPSIBLINGS | WS_CLIPCHILDREN))
        pSite->ModifyStyle(0, WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    if (!CreateEx(0, L"QorDockingPaneManager", L"", WS_CHILD, CRect(0, 0, 0, 0), pSite, 0))
        return FALSE;
    m_pSite = pSite;
    m_pLayout = CreateLayout();
    m_pLayout->SetUserLayout(FALSE);
    m_strMove.Empty();
    if (HMENU hSysMenu = ::GetSystemMenu(pSite->GetSafeHwnd(), FALSE)) {
        wchar_t szText[256] = {};
        if (::GetMenuStringW(hSysMenu, SC_MOVE, szText, 256, MF_BYCOMMAND) > 0)
            m_strMove = szText;
    }
    if (m_strMove.IsEmpty())
        m_strMove = L"&Move";
    return TRUE;
}

CQorDockingPaneLayout* CQorDockingPaneManager::CreateLayout()
{
    return new CQorDockingPaneLayout(this);
}

void CQorDockingPaneManager::SetTheme(int nTheme)
{
    if (m_pPaintManager)
        m_pPaintManager->InternalRelease();
    if (nTheme == 3)
        m_pPaintManager = new CQorDockingPaneNativeXPTheme();
    else
        m_pPaintManager = new CQorDockingPaneDefaultTheme();
    m_pPaintManager->m_nTheme = nTheme;
    m_pPaintManager->RefreshMetrics();
    RedrawPanes();
}

int CQorDockingPaneManager::GetCurrentTheme() const
{
    return m_pPaintManager ? m_pPaintManager->m_nTheme : 0;
}

void CQorDockingPaneManager::SetPaneIcon(int nID, QOR_DOCKINGPANE_ICON& icon)
{
    CQorImageManagerImage image;
    image.hIcon = icon.hIcon;
    image.hBitmap = icon.hBitmap;
    image.bOwns = FALSE; // the image manager keeps copies; the record's handles are settled below
    if (!image.IsEmpty())
        m_pImageManager->SetIcon(static_cast<UINT>(nID), 0, image);
    if (!icon.bOwns)
        return;
    if (icon.hIcon)
        ::DestroyIcon(icon.hIcon);
    if (icon.hBitmap)
        ::DeleteObject(icon.hBitmap);
    if (icon.hExtraBitmap)
        ::DeleteObject(icon.hExtraBitmap);
    icon.hIcon = nullptr;
    icon.hBitmap = nullptr;
    icon.hExtraBitmap = nullptr;
}

CQorDockingPaneSplitterContainer* CQorDockingPaneManager::GetTopContainer() const
{
    return m_pLayout ? m_pLayout->GetTopContainer() : nullptr;
}

int CQorDockingPaneManager::NotifyOwner(int nCode, LPARAM lParam)
{
    HWND hWndTarget = m_hWndOwner ? m_hWndOwner : m_pSite ? m_pSite->GetSafeHwnd() : nullptr;
    if (!hWndTarget || !::IsWindow(hWndTarget))
        return 0;
    return static_cast<int>(::SendMessageW(hWndTarget, WM_QOR_DOCKINGPANE_NOTIFY, static_cast<WPARAM>(nCode), lParam));
}

BOOL CQorDockingPaneManager::NotifyAction(int nAction, CQorDockingPane* pPane, CQorDockingPaneBase* pTarget)
{
    QOR_DOCKINGPANE_ACTION action = {};
    action.action = nAction;
    action.bCancel = pPane && !(pPane->GetEnabled() & qorPaneEnableActions);
    action.pPane = pPane;
    action.pTarget = pTarget;
    NotifyOwner(qorDpnAction, reinterpret_cast<LPARAM>(&action));
    return action.bCancel;
}

CQorDockingPaneBase* CQorDockingPaneManager::CreateNode(int nType, CQorDockingPaneLayout* pLayout)
{
    switch (nType) {
    case qorDockingPaneTypePane:
        return new CQorDockingPane(pLayout);
    case qorDockingPaneTypeTabbed:
        return new CQorDockingPaneTabbedContainer(pLayout);
    case qorDockingPaneTypeSplitter:
        return new CQorDockingPaneSplitterContainer(pLayout);
    case qorDockingPaneTypeClient:
        return new CQorDockingPaneClientContainer(pLayout);
    default:
        // Floating frames and auto-hide panels come with their own issues.
        return nullptr;
    }
}

void CQorDockingPaneManager::RecalcLayout(CQorDockingPaneBase* pNode, BOOL bDelay)
{
    CWnd* pWnd = pNode ? pNode->GetDockingSite() : m_pSite;
    if (!pWnd || !::IsWindow(pWnd->GetSafeHwnd()))
        return;
    if (pWnd->IsFrameWnd()) {
        CFrameWnd* pFrame = static_cast<CFrameWnd*>(pWnd);
        if (bDelay) {
            pFrame->DelayRecalcLayout();
            pFrame->PostMessage(WM_IDLEUPDATECMDUI);
        } else {
            pFrame->RecalcLayout();
        }
        return;
    }
    CRect rc;
    pWnd->GetClientRect(&rc);
    LPARAM lSize = MAKELPARAM(rc.Width(), rc.Height());
    if (bDelay) {
        MSG msg;
        if (!::PeekMessageW(&msg, pWnd->GetSafeHwnd(), WM_SIZE, WM_SIZE, PM_NOREMOVE))
            pWnd->PostMessage(WM_SIZE, SIZE_RESTORED, lSize);
    } else {
        pWnd->SendMessage(WM_SIZE, SIZE_RESTORED, lSize);
    }
}

void CQorDockingPaneManager::RedrawPanes()
{
    if (!m_hWnd || !m_pLayout)
        return;
    CQorDockingPaneInfoList& lst = m_pLayout->GetPaneList();
    for (POSITION pos = lst.GetHeadPosition(); pos;) {
        CQorDockingPane* pPane = lst.GetNext(pos).pPane;
        if (pPane->GetDockingSite())
            RecalcLayout(pPane, TRUE);
        if (CQorDockingPaneTabbedContainer* pGroup = pPane->GetTabbedContainer()) {
            // New metrics or a new painter: the next pass lays each group out in full.
            pGroup->SetRepositionNeeded();
            if (HWND hWnd = pGroup->GetPaneHwnd())
                ::InvalidateRect(hWnd, nullptr, FALSE);
        }
    }
    // The bars keep their places in a pass that changes nothing, so they are repainted here.
    const CQorDockingPaneBaseList& nodes = m_pLayout->GetAllNodes();
    for (POSITION pos = nodes.GetHeadPosition(); pos;) {
        CQorDockingPaneBase* pNode = nodes.GetNext(pos);
        if (pNode->GetType() != qorDockingPaneTypeSplitter)
            continue;
        CQorDockingPaneSplitterContainer* pSplitter = static_cast<CQorDockingPaneSplitterContainer*>(pNode);
        for (INT_PTR i = 0; i < pSplitter->GetSplitterCount(); i++)
            pSplitter->GetSplitter(i)->Invalidate(FALSE);
    }
}

void CQorDockingPaneManager::SetActivePane(BOOL bActive, CQorDockingPane* pPane)
{
    if (bActive && pPane && pPane != m_pActivePane) {
        if (CQorDockingPane* pOld = m_pActivePane) {
            m_pActivePane = nullptr;
            NotifyAction(qorActionDeactivated, pOld);
            pOld->InternalRelease();
        }
        pPane->InternalAddRef();
        m_pActivePane = pPane;
        NotifyAction(qorActionActivated, pPane);
    } else if (!bActive && pPane && pPane == m_pActivePane) {
        m_pActivePane = nullptr;
        NotifyAction(qorActionDeactivated, pPane);
        pPane->InternalRelease();
    }
}

void CQorDockingPaneManager::CheckFocus()
{
    HWND hWndFocus = ::GetFocus();
    if (hWndFocus == m_hwndLastFocus || !m_pLayout)
        return;
    m_hwndLastFocus = hWndFocus;
    CQorDockingPaneBaseList lst;
    lst.AddTail(const_cast<CQorDockingPaneBaseList*>(&m_pLayout->GetAllNodes()));
    for (POSITION pos = lst.GetHeadPosition(); pos;) {
        CQorDockingPaneBase* pNode = lst.GetNext(pos);
        if (pNode->GetType() == qorDockingPaneTypeTabbed || pNode->GetType() == qorDockingPaneTypeMiniWnd)
            pNode->OnFocusChanged();
    }
}

BOOL CQorDockingPaneManager::CyclePanes(BOOL bForward)
{
    if (!m_pLayout || m_pLayout->GetPaneList().IsEmpty())
        return FALSE;
    CQorDockingPaneInfoList& lst = m_pLayout->GetPaneList();
    CArray<CQorDockingPane*, CQorDockingPane*> arrOrder;
    for (POSITION pos = bForward ? lst.GetHeadPosition() : lst.GetTailPosition(); pos;)
        arrOrder.Add(bForward ? lst.GetNext(pos).pPane : lst.GetPrev(pos).pPane);
    INT_PTR nStart = 0;
    for (INT_PTR i = 0; m_pActivePane && i < arrOrder.GetSize(); i++) {
        if (arrOrder[i] == m_pActivePane) {
            nStart = i + 1;
            break;
        }
    }
    // One pass: after the active pane to the end, then once from the start.
    for (INT_PTR n = 0; n < arrOrder.GetSize(); n++) {
        CQorDockingPane* pPane = arrOrder[(nStart + n) % arrOrder.GetSize()];
        if (pPane->GetEnabled() & qorPaneEnableClient) {
            ShowPane(pPane, TRUE);
            return TRUE;
        }
    }
    return FALSE;
}

void CQorDockingPaneManager::ShowPaneMenu(CQorDockingPane* pPane)
{
    CQorDockingPaneTabbedContainer* pGroup = pPane ? pPane->GetTabbedContainer() : nullptr;
    if (!pGroup || !pGroup->GetSafeHwnd() || !m_pSite)
        return;
    CRect rc;
    pGroup->GetWindowRect(&rc);
    m_pPaintManager->AdjustCaptionRect(pGroup, rc);
    CPoint pt = rc.TopLeft();
    HMENU hMenu = ::CreatePopupMenu();
    if (!hMenu)
        return;
    ::AppendMenuW(hMenu, MF_STRING, SC_MOVE, m_strMove);
    UINT nCmd = g_pfnTrackMenuForTest
                    ? g_pfnTrackMenuForTest(hMenu, pt)
                    : static_cast<UINT>(::TrackPopupMenu(hMenu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, pt.x,
                                                         pt.y, 0, m_pSite->GetSafeHwnd(), nullptr));
    // Every call made its own menu, so every call destroys it.
    ::DestroyMenu(hMenu);
    // SC_MOVE starts a keyboard drag, which comes with the drag-and-dock context.
    (void)nCmd;
}

// ---- Messages ----------------------------------------------------------------------------------

LRESULT CQorDockingPaneManager::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!lpLayout || !GetTopContainer())
        return 0;
    // A real pass moves the groups and bars in a batch of their own, applied before the panes'
    // windows are placed inside them: a group then has its new size when its children move,
    // and each group's children make one batch of their own.
    AFX_SIZEPARENTPARAMS own = *lpLayout;
    if (lpLayout->hDWP)
        own.hDWP = ::BeginDeferWindowPos(static_cast<int>(m_pLayout->GetAllNodes().GetCount()));
    if (own.hDWP) {
        m_arrPendingGroups.RemoveAll();
        m_arrPendingRepaint.RemoveAll();
        m_bCollectPanePlacement = TRUE;
        m_pLayout->RecalcLayout(m_pSite, lpLayout->rect, &own);
        m_bCollectPanePlacement = FALSE;
        lpLayout->rect = own.rect;
        ::EndDeferWindowPos(own.hDWP);
        // The groups that changed size repaint together: one request for all of them.
        if (!m_arrPendingRepaint.IsEmpty()) {
            HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
            for (INT_PTR i = 0; i < m_arrPendingRepaint.GetSize(); i++) {
                HRGN hPart = ::CreateRectRgnIndirect(&m_arrPendingRepaint[i]);
                ::CombineRgn(hRgn, hRgn, hPart, RGN_OR);
                ::DeleteObject(hPart);
            }
            m_arrPendingRepaint.RemoveAll();
            ::RedrawWindow(m_pSite->GetSafeHwnd(), nullptr, hRgn, RDW_INVALIDATE | RDW_ALLCHILDREN);
            ::DeleteObject(hRgn);
        }
        // The owner hears of shown panes while they are placed and may lay the frame out
        // again: the list is this pass's own by then.
        CArray<CQorDockingPaneTabbedContainer*, CQorDockingPaneTabbedContainer*> arrGroups;
        arrGroups.Copy(m_arrPendingGroups);
        m_arrPendingGroups.RemoveAll();
        for (INT_PTR i = 0; i < arrGroups.GetSize(); i++) {
            // A group the owner's answers tidied away meanwhile is gone from the layout.
            if (m_pLayout && m_pLayout->GetAllNodes().Find(static_cast<CQorDockingPaneBase*>(arrGroups[i])))
                arrGroups[i]->PlacePendingPanes();
        }
    } else {
        m_pLayout->RecalcLayout(m_pSite, lpLayout->rect, lpLayout);
    }
    SyncPaneHolders();
    m_bLayoutDone = TRUE;
    return 0;
}

BOOL CQorDockingPaneManager::DeferRepaint(const CRect& rcSite)
{
    if (!m_bCollectPanePlacement)
        return FALSE;
    m_arrPendingRepaint.Add(rcSite);
    return TRUE;
}

BOOL CQorDockingPaneManager::DeferPanePlacement(CQorDockingPaneTabbedContainer* pGroup)
{
    if (!m_bCollectPanePlacement)
        return FALSE;
    m_arrPendingGroups.Add(pGroup);
    return TRUE;
}

LRESULT CQorDockingPaneManager::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    CheckFocus();
    return 0;
}

LRESULT CQorDockingPaneManager::OnInitialUpdate(WPARAM, LPARAM)
{
    if (m_pSite && m_pSite->IsFrameWnd()) {
        CFrameWnd* pFrame = static_cast<CFrameWnd*>(m_pSite);
        if (pFrame->m_nIdleFlags & CFrameWnd::idleLayout)
            pFrame->RecalcLayout();
    }
    CheckFocus();
    m_bInitialUpdateCalled = TRUE;
    return 0;
}

void CQorDockingPaneManager::OnSysColorChange()
{
    GetColorManager()->RefreshColors();
    m_pPaintManager->RefreshMetrics();
    RedrawPanes();
}

void CQorDockingPaneManager::OnSettingChange(UINT, LPCTSTR)
{
    m_pPaintManager->RefreshMetrics();
    RedrawPanes();
}

LRESULT CQorDockingPaneManager::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    if (static_cast<LONG>(lParam) == OBJID_CLIENT)
        return LresultFromObject(wParam);
    return Default();
}

void CQorDockingPaneManager::OnSysCommand(UINT nID, LPARAM lParam)
{
    switch (nID & 0xFFF0) {
    case SC_NEXTWINDOW:
    case SC_PREVWINDOW:
        if (CyclePanes((nID & 0xFFF0) == SC_NEXTWINDOW))
            return;
        break;
    case SC_KEYMENU:
        if (lParam == '-' && m_pActivePane && m_pActivePane->GetContainer() && !m_pActivePane->IsInAutoHidePanel()) {
            ShowPaneMenu(m_pActivePane);
            return;
        }
        break;
    default:
        break;
    }
    Default();
}

// ---- Accessibility -----------------------------------------------------------------------------

HRESULT CQorDockingPaneManager::GetAccessibleParent(IDispatch** ppdispParent)
{
    if (!ppdispParent)
        return E_INVALIDARG;
    *ppdispParent = nullptr;
    return m_hWnd ? AccessibleObjectFromWindow(m_hWnd, ppdispParent) : E_FAIL;
}

HRESULT CQorDockingPaneManager::GetAccessibleChildCount(long* pcountChildren)
{
    if (!pcountChildren)
        return E_INVALIDARG;
    *pcountChildren = m_pLayout ? static_cast<long>(m_pLayout->GetPaneList().GetCount()) : 0;
    return S_OK;
}

HRESULT CQorDockingPaneManager::GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (!ppdispChild)
        return E_INVALIDARG;
    *ppdispChild = nullptr;
    int nChild = GetVariantInt(varChild);
    POSITION pos = m_pLayout && nChild > 0 ? m_pLayout->GetPaneList().FindIndex(nChild - 1) : nullptr;
    if (!pos)
        return E_INVALIDARG;
    CQorDockingPane* pPane = m_pLayout->GetPaneList().GetAt(pos).pPane;
    *ppdispChild = static_cast<IDispatch*>(pPane->GetAccessibleInterface());
    (*ppdispChild)->AddRef();
    return S_OK;
}

HRESULT CQorDockingPaneManager::GetAccessibleName(VARIANT, BSTR* pszName)
{
    return QorAccessibleString(pszName, L"QorDockingPaneManager");
}

HRESULT CQorDockingPaneManager::GetAccessibleRole(VARIANT, VARIANT* pvarRole)
{
    return QorAccessibleLong(pvarRole, ROLE_SYSTEM_PROPERTYPAGE);
}

HRESULT CQorDockingPaneManager::GetAccessibleState(VARIANT, VARIANT* pvarState)
{
    return QorAccessibleLong(pvarState, 0);
}

HRESULT CQorDockingPaneManager::AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT)
{
    const RECT rc = {0, 0, 10, 10};
    return QorAccessibleLocation(pxLeft, pyTop, pcxWidth, pcyHeight, &rc);
}

HRESULT CQorDockingPaneManager::AccessibleHitTest(long, long, VARIANT* pvarChild)
{
    if (pvarChild)
        ::VariantInit(pvarChild);
    return S_FALSE;
}

// ---- Tree dump ---------------------------------------------------------------------------------

void CQorDockingPaneManager::AppendNodeDump(CString& str, const CQorDockingPaneBase* pNode, BOOL bRects) const
{
    CString strPart;
    switch (pNode->GetType()) {
    case qorDockingPaneTypeSplitter: {
        const CQorDockingPaneSplitterContainer* pSplitter = static_cast<const CQorDockingPaneSplitterContainer*>(pNode);
        str += pSplitter->IsHoriz() ? L"S(h)" : L"S(v)";
        break;
    }
    case qorDockingPaneTypeTabbed: {
        const CQorDockingPaneTabbedContainer* pGroup = static_cast<const CQorDockingPaneTabbedContainer*>(pNode);
        str += L"G(";
        BOOL bFirst = TRUE;
        for (POSITION pos = pGroup->GetChildren().GetHeadPosition(); pos;) {
            const CQorDockingPane* pPane = static_cast<const CQorDockingPane*>(pGroup->GetChildren().GetNext(pos));
            strPart.Format(L"%s%d%s", bFirst ? L"" : L",", pPane->GetId(), pPane == pGroup->GetSelected() ? L"*" : L"");
            str += strPart;
            bFirst = FALSE;
        }
        str += L")";
        break;
    }
    case qorDockingPaneTypeClient:
        str += L"C";
        break;
    case qorDockingPaneTypePane:
        strPart.Format(L"P%d", static_cast<const CQorDockingPane*>(pNode)->GetId());
        str += strPart;
        break;
    default:
        strPart.Format(L"?%d", pNode->GetType());
        str += strPart;
        break;
    }
    if (bRects) {
        CRect rc = pNode->GetPaneWindowRect();
        strPart.Format(L"{%d,%d,%d,%d}", rc.left, rc.top, rc.right, rc.bottom);
        str += strPart;
    }
    if (pNode->GetType() == qorDockingPaneTypeSplitter) {
        const CQorDockingPaneSplitterContainer* pSplitter = static_cast<const CQorDockingPaneSplitterContainer*>(pNode);
        str += L"[";
        BOOL bFirst = TRUE;
        for (POSITION pos = pSplitter->GetChildren().GetHeadPosition(); pos;) {
            if (!bFirst)
                str += L",";
            AppendNodeDump(str, pSplitter->GetChildren().GetNext(pos), bRects);
            bFirst = FALSE;
        }
        str += L"]";
    }
}

CString CQorDockingPaneManager::DumpLayout(BOOL bRects) const
{
    CString str;
    if (CQorDockingPaneSplitterContainer* pTop = GetTopContainer())
        AppendNodeDump(str, pTop, bRects);
    return str;
}
