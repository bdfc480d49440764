#include "platform/framework/FrameWnd.h"

#include <algorithm>
#include <vector>

#include "platform/framework/ControlBar.h"
#include "platform/framework/DocView.h"
#include "platform/framework/Menu.h"
#include "platform/framework/WinApp.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

namespace {

// The frames of one thread, for the idle-time update of frames other than the main window.
struct FrameList : CNoTrackObject
{
    std::vector<CFrameWnd*> frames;
};

FrameList* ThreadFrames()
{
    static CThreadLocal<FrameList>* holder = new CThreadLocal<FrameList>;
    return holder->GetData();
}

LPCTSTR FrameOrViewClass()
{
    return AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_ARROW),
                               reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
}

} // namespace

BOOL AfxExtractSubString(CString& rString, LPCTSTR lpszFullString, int iSubString, TCHAR chSep)
{
    rString.Empty();
    if (!lpszFullString)
        return FALSE;
    while (iSubString--) {
        lpszFullString = ::wcschr(lpszFullString, chSep);
        if (!lpszFullString)
            return FALSE;
        ++lpszFullString;
    }
    LPCTSTR end = ::wcschr(lpszFullString, chSep);
    int length = end ? static_cast<int>(end - lpszFullString) : ::lstrlenW(lpszFullString);
    rString = CString(lpszFullString, length);
    return TRUE;
}

void AfxIdleUpdateFrames(CWnd* pSkip)
{
    // A copy: an update may create or destroy frames.
    std::vector<CFrameWnd*> frames = ThreadFrames()->frames;
    for (CFrameWnd* pFrame : frames) {
        const auto& current = ThreadFrames()->frames;
        if (std::find(current.begin(), current.end(), pFrame) == current.end())
            continue;
        HWND hWnd = pFrame->GetSafeHwnd();
        if (pFrame == pSkip || !hWnd || !::IsWindowVisible(hWnd))
            continue;
        AfxCallWndProc(pFrame, hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
        if (::IsWindow(hWnd))
            CWnd::SendMessageToDescendants(hWnd, WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    }
}

// ---------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_INITMENUPOPUP()
    ON_WM_MENUSELECT()
    ON_MESSAGE_VOID(WM_IDLEUPDATECMDUI, &CFrameWnd::OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_SETMESSAGESTRING, &CFrameWnd::OnSetMessageString)
    ON_MESSAGE(WM_POPMESSAGESTRING, &CFrameWnd::OnPopMessageString)
    ON_MESSAGE(WM_RECALCPARENT, &CFrameWnd::OnRecalcParent)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, &CFrameWnd::OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, &CFrameWnd::OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, &CFrameWnd::OnUpdateKeyIndicator)
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd()
    : m_nIdleFlags(0), m_hAccelTable(nullptr), m_bAutoMenuEnable(TRUE), m_rectBorder(0, 0, 0, 0), m_nIDHelp(0),
      m_bHelpMode(FALSE), m_pViewActive(nullptr), m_bInRecalcLayout(FALSE), m_nIDTracking(0), m_nIDLastMessage(0)
{
    ThreadFrames()->frames.push_back(this);
}

CFrameWnd::~CFrameWnd()
{
    auto& frames = ThreadFrames()->frames;
    frames.erase(std::remove(frames.begin(), frames.end(), this), frames.end());
    if (m_hAccelTable)
        ::DestroyAcceleratorTable(m_hAccelTable);
}

BOOL CFrameWnd::IsFrameWnd() const
{
    return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = FrameOrViewClass();
    if (cs.style & FWS_ADDTOTITLE)
        cs.style |= FWS_PREFIXTITLE;
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return TRUE;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                       LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU hMenu = nullptr;
    if (lpszMenuName)
        hMenu = ::LoadMenuW(AfxFindResourceHandle(lpszMenuName, RT_MENU), lpszMenuName);
    m_strTitle = lpszWindowName;

    int x = rect.left, y = rect.top;
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (rect.left == CW_USEDEFAULT) {
        width = CW_USEDEFAULT;
        height = CW_USEDEFAULT;
    }
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, width, height, pParentWnd->GetSafeHwnd(),
                  hMenu, pContext)) {
        // The frame may be deleted by now; only the menu is cleaned up.
        if (hMenu && !::IsMenu(hMenu))
            hMenu = nullptr;
        if (hMenu)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    LPCTSTR resource = MAKEINTRESOURCE(nIDResource);

    CString fullString;
    if (fullString.LoadString(nIDResource))
        AfxExtractSubString(m_strTitle, fullString, 0);

    // The window class carries the frame's icon.
    LPCTSTR lpszClass = nullptr;
    HICON hIcon = ::LoadIconW(AfxFindResourceHandle(resource, RT_GROUP_ICON), resource);
    if (hIcon) {
        CREATESTRUCTW cs = {};
        cs.style = static_cast<LONG>(dwDefaultStyle);
        PreCreateWindow(cs);
        WNDCLASSW wc = {};
        if (cs.lpszClass && ::GetClassInfoW(AfxGetInstanceHandle(), cs.lpszClass, &wc) && wc.hIcon != hIcon)
            lpszClass = AfxRegisterWndClass(wc.style, wc.hCursor, wc.hbrBackground, hIcon);
        else
            lpszClass = cs.lpszClass;
    }

    HINSTANCE hMenuModule = AfxFindResourceHandle(resource, RT_MENU);
    LPCTSTR lpszMenu = ::FindResourceW(hMenuModule, resource, RT_MENU) ? resource : nullptr;

    CString title = m_strTitle;
    if (!Create(lpszClass, title, dwDefaultStyle, rectDefault, pParentWnd, lpszMenu, 0, pContext))
        return FALSE; // the frame deleted itself

    HACCEL hAccel = ::LoadAcceleratorsW(AfxFindResourceHandle(resource, RT_ACCELERATOR), resource);
    if (hAccel) {
        if (m_hAccelTable)
            ::DestroyAcceleratorTable(m_hAccelTable);
        m_hAccelTable = hAccel;
    }

    if (!pContext)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName)
{
    HACCEL hAccel = ::LoadAcceleratorsW(AfxFindResourceHandle(lpszResourceName, RT_ACCELERATOR), lpszResourceName);
    if (!hAccel)
        return FALSE;
    if (m_hAccelTable)
        ::DestroyAcceleratorTable(m_hAccelTable);
    m_hAccelTable = hAccel;
    return TRUE;
}

HACCEL CFrameWnd::GetDefaultAccelerator()
{
    return m_hAccelTable;
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}

// ---------------------------------------------------------------------------------------
// Creation of the client

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    auto* pContext = static_cast<CCreateContext*>(lpcs->lpCreateParams);
    if (!OnCreateClient(lpcs, pContext))
        return -1;
    PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext && pContext->m_pNewViewClass)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    if (!pContext || !pContext->m_pNewViewClass || !pContext->m_pNewViewClass->IsDerivedFrom(RUNTIME_CLASS(CWnd)))
        return nullptr;
    auto* pView = static_cast<CWnd*>(pContext->m_pNewViewClass->CreateObject());
    if (!pView)
        return nullptr;
    if (!pView->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext))
        return nullptr; // a view deletes itself when its creation fails
    // One sunken edge is enough: the view's.
    if (pView->GetExStyle() & WS_EX_CLIENTEDGE)
        ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    return pView;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    CView* pView = GetActiveView();
    if (!pView) {
        CWnd* pWnd = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
        if (pWnd && pWnd->IsKindOf(RUNTIME_CLASS(CView))) {
            pView = static_cast<CView*>(pWnd);
            SetActiveView(pView, FALSE);
        }
    }
    if (bMakeVisible) {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        if (pView)
            pView->OnActivateFrame(WA_INACTIVE, this);
        // The main window is first shown the way the program was started.
        int nCmdShow = -1;
        CWinApp* pApp = AfxGetApp();
        if (pApp && pApp->m_pMainWnd == this) {
            nCmdShow = pApp->m_nCmdShow;
            pApp->m_nCmdShow = -1;
        }
        ActivateFrame(nCmdShow);
        if (pView)
            pView->OnActivateView(TRUE, pView, pView);
    }
    if (pDoc)
        pDoc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1) {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1) {
        ShowWindow(nCmdShow);
        if (nCmdShow != SW_HIDE && nCmdShow != SW_MINIMIZE && nCmdShow != SW_SHOWMINNOACTIVE && nCmdShow != SW_SHOWNA &&
            nCmdShow != SW_SHOWNOACTIVATE)
            BringWindowToTop();
    }
}

// ---------------------------------------------------------------------------------------
// Views, documents, routing

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    m_pViewActive = nullptr; // no active view while the old one hears of its deactivation
    if (pViewOld && bNotify)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    m_pViewActive = pViewNew;
    if (pViewNew && bNotify)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* pView = GetActiveView();
    return pView ? pView->GetDocument() : nullptr;
}

CFrameWnd* CFrameWnd::GetActiveFrame()
{
    return this;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The active view first (and through it its document), then the frame, then the application.
    if (CView* pView = GetActiveView()) {
        if (pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
    }
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return FALSE;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        HACCEL hAccel = GetDefaultAccelerator();
        return hAccel && m_hWnd && ::TranslateAcceleratorW(m_hWnd, hAccel, pMsg);
    }
    return FALSE;
}

// ---------------------------------------------------------------------------------------
// Print preview

void CFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState)
{
    if (pState == nullptr || !::IsWindow(m_hWnd) || (bPreview != FALSE) == (m_bInPreviewMode != FALSE))
        return;
    if (bPreview) {
        pState->hWndFocus = ::GetFocus();
        pState->hMenu = ::GetMenu(m_hWnd);
        if (pState->hMenu != nullptr)
            ::SetMenu(m_hWnd, nullptr);
        pState->hAccelTable = m_hAccelTable;
        m_hAccelTable = nullptr;
        pState->dwStates = 0;
        for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
            const int nBit = ::GetDlgCtrlID(hChild) - AFX_IDW_CONTROLBAR_FIRST;
            if (nBit < 0 || nBit >= 32 || nBit == AFX_IDW_STATUS_BAR - AFX_IDW_CONTROLBAR_FIRST)
                continue;
            CWnd* pChild = CWnd::FromHandlePermanent(hChild);
            if (pChild == nullptr || !pChild->IsKindOf(RUNTIME_CLASS(CControlBar)) || !::IsWindowVisible(hChild))
                continue;
            ::ShowWindow(hChild, SW_HIDE);
            pState->dwStates |= 1u << nBit;
        }
        m_bInPreviewMode = TRUE;
    } else {
        for (int nBit = 0; nBit < 32; ++nBit) {
            if (!(pState->dwStates & (1u << nBit)))
                continue;
            HWND hBar = ::GetDlgItem(m_hWnd, AFX_IDW_CONTROLBAR_FIRST + nBit);
            if (hBar != nullptr)
                ::ShowWindow(hBar, SW_SHOWNOACTIVATE);
        }
        if (pState->hMenu != nullptr && ::IsMenu(pState->hMenu))
            ::SetMenu(m_hWnd, pState->hMenu);
        m_hAccelTable = pState->hAccelTable;
        m_bInPreviewMode = FALSE;
        if (pState->hWndFocus != nullptr && ::IsWindow(pState->hWndFocus))
            ::SetFocus(pState->hWndFocus);
    }
    RecalcLayout();
}

// ---------------------------------------------------------------------------------------
// Layout

void CFrameWnd::RecalcLayout(BOOL bNotify)
{
    if (m_bInRecalcLayout)
        return; // a bar that resizes itself during the pass asks again; the pass covers it
    m_bInRecalcLayout = TRUE;
    (void)bNotify;
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::DelayRecalcLayout(BOOL bNotify)
{
    m_nIdleFlags |= idleLayout | (bNotify ? idleNotify : 0);
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

LRESULT CFrameWnd::OnRecalcParent(WPARAM, LPARAM)
{
    DelayRecalcLayout();
    return 0;
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    UINT nVK = 0;
    switch (pCmdUI->m_nID) {
    case ID_INDICATOR_CAPS:
        nVK = VK_CAPITAL;
        break;
    case ID_INDICATOR_NUM:
        nVK = VK_NUMLOCK;
        break;
    case ID_INDICATOR_SCRL:
        nVK = VK_SCROLL;
        break;
    default:
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->Enable((::GetKeyState(static_cast<int>(nVK)) & 1) != 0);
}

void CFrameWnd::OnIdleUpdateCmdUI()
{
    if (m_nIdleFlags & idleTitle)
        OnUpdateFrameTitle(TRUE);
    if (m_nIdleFlags & idleLayout)
        RecalcLayout((m_nIdleFlags & idleNotify) != 0);
    m_nIdleFlags = 0;
}

// ---------------------------------------------------------------------------------------
// Title and status text

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    CDocument* pDoc = GetActiveDocument();
    if (bAddToTitle && pDoc)
        UpdateFrameTitleForDocument(pDoc->GetTitle());
    else
        UpdateFrameTitleForDocument(nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName)
{
    CString title;
    if (lpszDocName && *lpszDocName) {
        if (GetStyle() & FWS_PREFIXTITLE)
            title = CString(lpszDocName) + L" - " + m_strTitle;
        else
            title = m_strTitle + L" - " + lpszDocName;
    } else {
        title = m_strTitle;
    }
    AfxSetWindowText(m_hWnd, title);
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText)
{
    SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText));
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SendMessage(WM_SETMESSAGESTRING, nID);
}

CWnd* CFrameWnd::GetMessageBar()
{
    return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE);
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    // The prompt is the part of the command's string before the tool-tip part.
    CString full;
    if (full.LoadString(nID))
        AfxExtractSubString(rMessage, full, 0);
    else
        rMessage.Empty();
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    UINT nIDLast = m_nIDLastMessage;
    m_nFlags &= ~WF_NOPOPMSG;
    if (CWnd* pMessageBar = GetMessageBar()) {
        CString message;
        if (lParam)
            message = reinterpret_cast<LPCTSTR>(lParam);
        else if (wParam)
            GetMessageString(static_cast<UINT>(wParam), message);
        pMessageBar->SetWindowText(message);
    }
    m_nIDLastMessage = static_cast<UINT>(wParam);
    m_nIDTracking = static_cast<UINT>(wParam);
    return nIDLast;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam)
{
    if (m_nFlags & WF_NOPOPMSG)
        return 0;
    return SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    if (nFlags == 0xFFFF && !hSysMenu) {
        // The menu closed: back to the idle prompt.
        m_nIDTracking = AFX_IDS_IDLEMESSAGE;
    } else if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP))) {
        m_nIDTracking = 0;
    } else if (nItemID >= 0xF000 && nItemID < 0xF1F0) {
        m_nIDTracking = 0; // system commands have no prompts here
    } else {
        m_nIDTracking = nItemID;
    }
    if (m_nIDTracking != m_nIDLastMessage)
        SendMessage(WM_SETMESSAGESTRING, m_nIDTracking);
}

// ---------------------------------------------------------------------------------------
// Menus, focus, closing

void CFrameWnd::OnInitMenuPopup(CMenu* pMenu, UINT, BOOL bSysMenu)
{
    if (bSysMenu || !pMenu)
        return;
    CCmdUI state;
    state.m_pMenu = pMenu;
    state.m_nIndexMax = static_cast<UINT>(pMenu->GetMenuItemCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = pMenu->GetMenuItemID(static_cast<int>(state.m_nIndex));
        if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1))
            continue; // separators and submenus keep their state
        state.m_pSubMenu = nullptr;
        state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);

        // An update handler may have added or removed items.
        UINT nCount = static_cast<UINT>(pMenu->GetMenuItemCount());
        if (nCount < state.m_nIndexMax) {
            state.m_nIndex -= (state.m_nIndexMax - nCount);
            while (state.m_nIndex < nCount && pMenu->GetMenuItemID(static_cast<int>(state.m_nIndex)) == state.m_nID)
                ++state.m_nIndex;
        }
        state.m_nIndexMax = nCount;
    }
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive && m_pViewActive->GetSafeHwnd())
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnDestroy()
{
    SetActiveView(nullptr, FALSE);
    CWnd::OnDestroy();
}

void CFrameWnd::OnClose()
{
    CDocument* pDocument = GetActiveDocument();
    if (pDocument && !pDocument->CanCloseFrame(this))
        return;

    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pMainWnd == this) {
        if (!pDocument && !pApp->SaveAllModified())
            return;
        // Closing the documents destroys their frames, this one included.
        HWND hWnd = m_hWnd;
        pApp->CloseAllDocuments(FALSE);
        if (!::IsWindow(hWnd))
            return;
        if (!pApp->m_pMainWnd) {
            AfxPostQuitMessage(0);
            return;
        }
    }

    // The last frame of a document closes the document (and with it the frame).
    if (pDocument && pDocument->m_bAutoDelete) {
        BOOL bOtherFrame = FALSE;
        POSITION pos = pDocument->GetFirstViewPosition();
        while (pos) {
            CView* pView = pDocument->GetNextView(pos);
            if (pView->GetParentFrame() != this) {
                bOtherFrame = TRUE;
                break;
            }
        }
        if (!bOtherFrame) {
            pDocument->OnCloseDocument();
            return;
        }
        pDocument->PreCloseFrame(this);
    }
    DestroyWindow();
}
