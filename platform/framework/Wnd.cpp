// CWnd: the window procedure, handle maps and subclassing, creation and destruction, message
// dispatch and modal loops. Relatives and dialog items are in WndRelatives.cpp; styles, painting
// and the default message handlers in WndState.cpp.
#include "platform/framework/Wnd.h"

#include <unordered_map>
#include <vector>

#include "platform/framework/AfxState.h"
#include "platform/framework/DrawingHandleMaps.h"
#include "platform/framework/Exceptions.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/Gdi.h"
#include "platform/framework/Menu.h"
#include "platform/framework/WinApp.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

namespace {

// The window objects of one thread: permanent ones (attached, subclassed) and temporary
// wrappers made by FromHandle.
struct WndHandleMaps : CNoTrackObject
{
    std::unordered_map<HWND, CWnd*> permanent;
    std::unordered_map<HWND, CWnd*> temporary;

    void DeleteTemporaries()
    {
        std::unordered_map<HWND, CWnd*> old;
        old.swap(temporary);
        for (auto& entry : old) {
            entry.second->m_hWnd = nullptr;
            delete entry.second;
        }
    }
    ~WndHandleMaps() override { DeleteTemporaries(); }
};

WndHandleMaps* HandleMaps()
{
    static CThreadLocal<WndHandleMaps>* holder = new CThreadLocal<WndHandleMaps>;
    return holder->GetData();
}

// A CCmdUI that only records whether the command is enabled.
class CTestCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}
    BOOL m_bEnabled = TRUE;
};

// Windows that never get a framework object attached by the creation hook.
bool IsSystemHelperWindow(HWND hWnd)
{
    wchar_t className[32] = {};
    ::GetClassNameW(hWnd, className, 32);
    return ::lstrcmpiW(className, L"IME") == 0 || ::lstrcmpiW(className, L"MSCTFIME UI") == 0;
}

LRESULT CALLBACK CbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    _AFX_THREAD_STATE* state = AfxGetThreadState();
    if (code == HCBT_CREATEWND && state->m_pWndInit) {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        if (!IsSystemHelperWindow(hWnd)) {
            CWnd* pWndInit = state->m_pWndInit;
            state->m_pWndInit = nullptr;
            try {
                if (pWndInit->Attach(hWnd)) {
                    pWndInit->PreSubclassWindow();
                    WNDPROC* ppfnSuper = pWndInit->GetSuperWndProcAddr();
                    auto oldProc = reinterpret_cast<WNDPROC>(
                        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
                    if (oldProc != &AfxWndProc)
                        *ppfnSuper = oldProc;
                }
            } catch (CException* e) {
                e->Delete();
            } catch (...) {
            }
        }
    }
    return ::CallNextHookEx(state->m_hHookOldCbtFilter, code, wParam, lParam);
}

// What a window procedure answers when a handler failed with an exception.
LRESULT ResultAfterException(HWND hWnd, UINT nMsg)
{
    if (nMsg == WM_CREATE)
        return -1; // the window is not created
    if (nMsg == WM_PAINT)
        ::ValidateRect(hWnd, nullptr); // do not paint again and again
    return 0;
}

} // namespace

// ---------------------------------------------------------------------------------------
// Window procedure

WNDPROC AfxGetAfxWndProc()
{
    return &AfxWndProc;
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    _AFX_THREAD_STATE* state = AfxGetThreadState();
    MSG oldState = state->m_lastSentMsg;
    state->m_lastSentMsg.hwnd = hWnd;
    state->m_lastSentMsg.message = nMsg;
    state->m_lastSentMsg.wParam = wParam;
    state->m_lastSentMsg.lParam = lParam;
    if (nMsg == WM_INITMENUPOPUP)
        state->m_hTrackingMenu = reinterpret_cast<HMENU>(wParam);
    else if (nMsg == WM_EXITMENULOOP)
        state->m_hTrackingMenu = nullptr;

    LRESULT lResult = 0;
    try {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
        // A handler of WM_NCDESTROY that did not call the base class leaves the object
        // attached; detach it now so that no stale object stays in the map.
        if (nMsg == WM_NCDESTROY) {
            if (CWnd* still = CWnd::FromHandlePermanent(hWnd))
                still->FinishNcDestroy();
        }
    } catch (CException* e) {
        e->Delete();
        lResult = ResultAfterException(hWnd, nMsg);
    } catch (...) {
        lResult = ResultAfterException(hWnd, nMsg);
    }

    state->m_lastSentMsg = oldState;
    return lResult;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_QUERYAFXWNDPROC)
        return 1;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd || pWnd->m_hWnd != hWnd)
        return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

void AfxHookWindowCreate(CWnd* pWnd)
{
    _AFX_THREAD_STATE* state = AfxGetThreadState();
    if (!state->m_hHookOldCbtFilter)
        state->m_hHookOldCbtFilter = ::SetWindowsHookExW(WH_CBT, &CbtFilterHook, nullptr, ::GetCurrentThreadId());
    state->m_pWndInit = pWnd;
}

BOOL AfxUnhookWindowCreate()
{
    _AFX_THREAD_STATE* state = AfxGetThreadState();
    if (state->m_pWndInit) {
        state->m_pWndInit = nullptr;
        return FALSE;
    }
    return TRUE;
}

void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect)
{
    if (!hWnd || !lpRect)
        return;
    if (lpLayout && !lpLayout->hDWP)
        return; // a measuring pass moves nothing
    RECT rectOld;
    ::GetWindowRect(hWnd, &rectOld);
    ::MapWindowPoints(nullptr, ::GetParent(hWnd), reinterpret_cast<LPPOINT>(&rectOld), 2);
    if (::EqualRect(&rectOld, lpRect))
        return;
    int width = lpRect->right - lpRect->left;
    int height = lpRect->bottom - lpRect->top;
    if (lpLayout)
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, nullptr, lpRect->left, lpRect->top, width, height,
                                          SWP_NOACTIVATE | SWP_NOZORDER);
    else
        ::SetWindowPos(hWnd, nullptr, lpRect->left, lpRect->top, width, height, SWP_NOACTIVATE | SWP_NOZORDER);
}

void AfxSetWindowText(HWND hWndCtrl, LPCTSTR lpszNew)
{
    if (!hWndCtrl)
        return;
    if (!lpszNew)
        lpszNew = L"";
    int newLength = ::lstrlenW(lpszNew);
    int oldLength = ::GetWindowTextLengthW(hWndCtrl);
    if (newLength == oldLength) {
        std::vector<wchar_t> old(oldLength + 2);
        ::GetWindowTextW(hWndCtrl, old.data(), oldLength + 1);
        if (::lstrcmpW(old.data(), lpszNew) == 0)
            return;
    }
    ::SetWindowTextW(hWndCtrl, lpszNew);
}

// ---------------------------------------------------------------------------------------
// Construction, handle maps, subclassing

CWnd::CWnd() : m_hWnd(nullptr), m_hWndOwner(nullptr), m_nFlags(0), m_pfnSuper(nullptr), m_nModalResult(0) {}

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd), m_hWndOwner(nullptr), m_nFlags(0), m_pfnSuper(nullptr), m_nModalResult(0) {}

CWnd::~CWnd()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
        // The object goes while its window lives on: give the window back its own procedure
        // first, so that the messages of its destruction do not reach a half-destroyed object.
        HWND hWnd = m_hWnd;
        if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)) == &AfxWndProc && m_pfnSuper)
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        Detach();
        if (::GetWindowThreadProcessId(hWnd, nullptr) == ::GetCurrentThreadId())
            ::DestroyWindow(hWnd);
    }
}

HWND CWnd::GetSafeHwnd() const
{
    return fxdetail::IsNullObject(this) ? nullptr : m_hWnd;
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    WndHandleMaps* maps = HandleMaps();
    auto it = maps->permanent.find(hWnd);
    return it == maps->permanent.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    WndHandleMaps* maps = HandleMaps();
    auto it = maps->permanent.find(hWnd);
    if (it != maps->permanent.end())
        return it->second;
    auto temp = maps->temporary.find(hWnd);
    if (temp != maps->temporary.end())
        return temp->second;
    CWnd* wrapper = new CWnd(hWnd);
    maps->temporary[hWnd] = wrapper;
    return wrapper;
}

void CWnd::DeleteTempMap()
{
    HandleMaps()->DeleteTemporaries();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (!hWndNew || m_hWnd)
        return FALSE;
    WndHandleMaps* maps = HandleMaps();
    if (maps->permanent.count(hWndNew))
        return FALSE;
    maps->permanent[hWndNew] = this;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd) {
        WndHandleMaps* maps = HandleMaps();
        auto it = maps->permanent.find(hWnd);
        if (it != maps->permanent.end() && it->second == this)
            maps->permanent.erase(it);
    }
    m_hWnd = nullptr;
    return hWnd;
}

void CWnd::PreSubclassWindow() {}

WNDPROC* CWnd::GetSuperWndProcAddr()
{
    return &m_pfnSuper;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!::IsWindow(hWnd) || !Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC* ppfnSuper = GetSuperWndProcAddr();
    auto oldProc =
        reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (oldProc != &AfxWndProc)
        *ppfnSuper = oldProc;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = pParent ? ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID)) : nullptr;
    return hWndControl ? SubclassWindow(hWndControl) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    if (!m_hWnd)
        return nullptr;
    WNDPROC* ppfnSuper = GetSuperWndProcAddr();
    if (*ppfnSuper) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(*ppfnSuper));
        *ppfnSuper = nullptr;
    }
    return Detach();
}

// ---------------------------------------------------------------------------------------
// Creation and destruction

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_ARROW));
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    CREATESTRUCTW cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle);
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;

    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }

    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y,
                                  cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    // When the hook never ran no window existed: clean up as a destroyed window would.
    // Otherwise a failed creation was already cleaned up through WM_NCDESTROY. Either way
    // the object may be gone now.
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();
    return hWnd != nullptr;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

void CWnd::PostNcDestroy() {}

void CWnd::OnNcDestroy()
{
    // The thread's main and active windows are forgotten; the main window of a thread
    // takes the thread's message loop with it.
    if (CWinThread* pThread = AfxGetThread()) {
        if (pThread->m_pMainWnd == this) {
            ::PostQuitMessage(0);
            pThread->m_pMainWnd = nullptr;
        }
        if (pThread->m_pActiveWnd == this)
            pThread->m_pActiveWnd = nullptr;
    }
    Default();
    FinishNcDestroy();
}

void CWnd::FinishNcDestroy()
{
    HWND hWnd = m_hWnd;
    if (hWnd && reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)) == &AfxWndProc) {
        WNDPROC* ppfnSuper = GetSuperWndProcAddr();
        if (*ppfnSuper)
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(*ppfnSuper));
    }
    Detach();
    PostNcDestroy(); // may delete the object
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    DWORD dwExStyle = GetExStyle();
    if (nAdjustType == adjustBorder)
        dwExStyle &= ~WS_EX_CLIENTEDGE;
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, dwExStyle);
}

// ---------------------------------------------------------------------------------------
// Message processing

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC* ppfnSuper = GetSuperWndProcAddr();
    if (ppfnSuper && *ppfnSuper)
        return ::CallWindowProcW(*ppfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& current = AfxGetThreadState()->m_lastSentMsg;
    return DefWindowProc(current.message, current.wParam, current.lParam);
}

BOOL CWnd::IsFrameWnd() const
{
    return FALSE;
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    HWND hWndChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (!hWndChild || hWndChild == m_hWnd)
        return -1;
    int nID = ::GetDlgCtrlID(hWndChild);
    if (nID == 0)
        return -1;
    if (pTI) {
        pTI->hwnd = m_hWnd;
        pTI->uId = reinterpret_cast<UINT_PTR>(hWndChild);
        pTI->uFlags |= TTF_IDISHWND;
        pTI->lpszText = LPSTR_TEXTCALLBACK;
        // Tips of anything but buttons are centred below their control.
        if (!(::SendMessageW(hWndChild, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON))
            pTI->uFlags |= TTF_NOTBUTTON | TTF_CENTERTIP;
    }
    return nID;
}

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    const BOOL bWasEnabled = (m_nFlags & WF_TOOLTIPS) != 0;
    if (bEnable)
        m_nFlags |= WF_TOOLTIPS;
    else
        m_nFlags &= ~WF_TOOLTIPS;
    return bWasEnabled;
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (!m_hWnd || !pTarget)
        return;
    for (HWND hWndChild = ::GetWindow(m_hWnd, GW_CHILD); hWndChild; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        const int nID = ::GetDlgCtrlID(hWndChild);
        if (nID == 0 || nID == 0xFFFF)
            continue;
        CCmdUI state;
        state.m_nID = static_cast<UINT>(nID);
        state.m_pOther = FromHandle(hWndChild);
        // A control object may decide its own state.
        if (CWnd* pChild = FromHandlePermanent(hWndChild))
            if (pChild->OnCmdMsg(0, static_cast<int>(MAKELONG(0xFFFF, WM_REFLECT_BASE + WM_COMMAND)), &state, nullptr))
                continue;
        // Only push buttons stand for commands; an edit or a check box without one stays usable.
        const UINT nButtonType = static_cast<UINT>(::GetWindowLongW(hWndChild, GWL_STYLE)) & BS_TYPEMASK;
        const BOOL bPushButton = (::SendMessageW(hWndChild, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) &&
                                 (nButtonType == BS_PUSHBUTTON || nButtonType == BS_DEFPUSHBUTTON);
        state.DoUpdate(pTarget, bDisableIfNoHndler && bPushButton);
    }
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::PreTranslateInput(LPMSG lpMsg)
{
    if ((lpMsg->message >= WM_KEYFIRST && lpMsg->message <= WM_KEYLAST) ||
        (lpMsg->message >= WM_MOUSEFIRST && lpMsg->message <= WM_MOUSELAST))
        return ::IsDialogMessageW(m_hWnd, lpMsg);
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        if (CWnd* pWnd = FromHandlePermanent(hWnd)) {
            if (pWnd->PreTranslateMessage(pMsg))
                return TRUE;
        }
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

const AFX_MSGMAP_ENTRY* CWnd::FindMessageEntry(UINT message) const
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->nSig != AfxSig_end; ++entry) {
            if (entry->nMessage == FX_REGISTERED_MESSAGE) {
                if (*reinterpret_cast<const UINT*>(entry->nSig) == message)
                    return entry;
            } else if (entry->nMessage == FX_REGISTERED_THREAD_MESSAGE) {
                continue;
            } else if (entry->nMessage == message && entry->nCode == 0 && entry->nID == 0 &&
                       entry->nSig >= AfxSig_l_wl) {
                return entry;
            }
        }
    }
    return nullptr;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    const AFX_MSGMAP_ENTRY* entry = nullptr;

    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        lResult = 1;
    } else if (message == WM_NOTIFY) {
        if (!lParam || !OnNotify(wParam, lParam, &lResult))
            return FALSE;
    } else if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        entry = FindMessageEntry(WM_CTLCOLOR);
        if (!entry)
            return FALSE;
        auto handler = reinterpret_cast<HBRUSH (CWnd::*)(CDC*, CWnd*, UINT)>(entry->pfn);
        lResult = reinterpret_cast<LRESULT>((this->*handler)(CDC::FromHandle(reinterpret_cast<HDC>(wParam)),
                                                             FromHandle(reinterpret_cast<HWND>(lParam)),
                                                             message - WM_CTLCOLORMSGBOX));
    } else {
        entry = FindMessageEntry(message);
        if (!entry || !DispatchMessageEntry(entry, message, wParam, lParam, &lResult))
            return FALSE;
    }
    // The handler may have destroyed (and deleted) this object: nothing of it is used here.
    if (pResult)
        *pResult = lResult;
    return TRUE;
}

BOOL CWnd::DispatchMessageEntry(const AFX_MSGMAP_ENTRY* pEntry, UINT message, WPARAM wParam, LPARAM lParam,
                                LRESULT* pResult)
{
    (void)message;
    AFX_PMSG pfn = pEntry->pfn;
    UINT_PTR nSig = pEntry->nMessage == FX_REGISTERED_MESSAGE ? static_cast<UINT_PTR>(AfxSig_l_wl) : pEntry->nSig;
    LRESULT lResult = 0;
    CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));

#define FX_HANDLER(type) (this->*reinterpret_cast<type>(pfn))
    switch (nSig) {
    case AfxSig_l_wl:
        lResult = FX_HANDLER(LRESULT(CWnd::*)(WPARAM, LPARAM))(wParam, lParam);
        break;
    case AfxSig_v_wl:
        FX_HANDLER(void(CWnd::*)(WPARAM, LPARAM))(wParam, lParam);
        break;
    case AfxSig_v_v:
        FX_HANDLER(void(CWnd::*)())();
        break;
    case AfxSig_i_create:
        lResult = FX_HANDLER(int(CWnd::*)(LPCREATESTRUCT))(reinterpret_cast<LPCREATESTRUCT>(lParam));
        break;
    case AfxSig_b_create:
        lResult = FX_HANDLER(BOOL(CWnd::*)(LPCREATESTRUCT))(reinterpret_cast<LPCREATESTRUCT>(lParam));
        break;
    case AfxSig_v_size:
        FX_HANDLER(void(CWnd::*)(UINT, int, int))
        (static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        break;
    case AfxSig_v_ii:
        FX_HANDLER(void(CWnd::*)(int, int))(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        break;
    case AfxSig_b_dc:
        lResult = FX_HANDLER(BOOL(CWnd::*)(CDC*))(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
        break;
    case AfxSig_v_timer:
        FX_HANDLER(void(CWnd::*)(UINT_PTR))(static_cast<UINT_PTR>(wParam));
        break;
    case AfxSig_v_wnd_w:
        FX_HANDLER(void(CWnd::*)(CWnd*))(FromHandle(reinterpret_cast<HWND>(wParam)));
        break;
    case AfxSig_v_wnd_l:
        FX_HANDLER(void(CWnd::*)(CWnd*))(FromHandle(reinterpret_cast<HWND>(lParam)));
        break;
    case AfxSig_v_key:
        FX_HANDLER(void(CWnd::*)(UINT, UINT, UINT))(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_v_u_pt:
        FX_HANDLER(void(CWnd::*)(UINT, CPoint))(static_cast<UINT>(wParam), point);
        break;
    case AfxSig_b_wheel:
        lResult =
            FX_HANDLER(BOOL(CWnd::*)(UINT, short, CPoint))(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), point);
        break;
    case AfxSig_i_wnd_hit_msg:
        lResult = FX_HANDLER(int(CWnd::*)(CWnd*, UINT, UINT))(FromHandle(reinterpret_cast<HWND>(wParam)),
                                                              LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_l_pt:
        lResult = FX_HANDLER(LRESULT(CWnd::*)(CPoint))(point);
        break;
    case AfxSig_v_nccalcsize:
        FX_HANDLER(void(CWnd::*)(BOOL, NCCALCSIZE_PARAMS*))
        (static_cast<BOOL>(wParam), reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
        break;
    case AfxSig_b_b:
        lResult = FX_HANDLER(BOOL(CWnd::*)(BOOL))(static_cast<BOOL>(wParam));
        break;
    case AfxSig_v_b:
        FX_HANDLER(void(CWnd::*)(BOOL))(static_cast<BOOL>(wParam));
        break;
    case AfxSig_v_activate:
        FX_HANDLER(void(CWnd::*)(UINT, CWnd*, BOOL))
        (LOWORD(wParam), FromHandle(reinterpret_cast<HWND>(lParam)), static_cast<BOOL>(HIWORD(wParam)));
        break;
    case AfxSig_v_activateapp:
        FX_HANDLER(void(CWnd::*)(BOOL, DWORD))(static_cast<BOOL>(wParam), static_cast<DWORD>(lParam));
        break;
    case AfxSig_v_showwindow:
        FX_HANDLER(void(CWnd::*)(BOOL, UINT))(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
        break;
    case AfxSig_v_windowpos:
        FX_HANDLER(void(CWnd::*)(WINDOWPOS*))(reinterpret_cast<WINDOWPOS*>(lParam));
        break;
    case AfxSig_v_minmax:
        FX_HANDLER(void(CWnd::*)(MINMAXINFO*))(reinterpret_cast<MINMAXINFO*>(lParam));
        break;
    case AfxSig_v_scroll:
        FX_HANDLER(void(CWnd::*)(UINT, UINT, CScrollBar*))
        (LOWORD(wParam), HIWORD(wParam), reinterpret_cast<CScrollBar*>(FromHandle(reinterpret_cast<HWND>(lParam))));
        break;
    case AfxSig_v_drawitem:
        FX_HANDLER(void(CWnd::*)(int, LPDRAWITEMSTRUCT))
        (static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_v_measureitem:
        FX_HANDLER(void(CWnd::*)(int, LPMEASUREITEMSTRUCT))
        (static_cast<int>(wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_i_compareitem:
        lResult = FX_HANDLER(int(CWnd::*)(int, LPCOMPAREITEMSTRUCT))(static_cast<int>(wParam),
                                                                     reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
        break;
    case AfxSig_v_deleteitem:
        FX_HANDLER(void(CWnd::*)(int, LPDELETEITEMSTRUCT))
        (static_cast<int>(wParam), reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_v_contextmenu:
        FX_HANDLER(void(CWnd::*)(CWnd*, CPoint))(FromHandle(reinterpret_cast<HWND>(wParam)), point);
        break;
    case AfxSig_v_settingchange:
        FX_HANDLER(void(CWnd::*)(UINT, LPCTSTR))(static_cast<UINT>(wParam), reinterpret_cast<LPCTSTR>(lParam));
        break;
    case AfxSig_v_syscommand:
        FX_HANDLER(void(CWnd::*)(UINT, LPARAM))(static_cast<UINT>(wParam), lParam);
        break;
    case AfxSig_v_initmenupopup:
        FX_HANDLER(void(CWnd::*)(CMenu*, UINT, BOOL))
        (CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)), LOWORD(lParam), static_cast<BOOL>(HIWORD(lParam)));
        break;
    case AfxSig_v_menuselect:
        FX_HANDLER(void(CWnd::*)(UINT, UINT, HMENU))(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
        break;
    case AfxSig_u_v:
        lResult = static_cast<LRESULT>(FX_HANDLER(UINT(CWnd::*)())());
        break;
    case AfxSig_v_sizing:
        FX_HANDLER(void(CWnd::*)(UINT, LPRECT))(static_cast<UINT>(wParam), reinterpret_cast<LPRECT>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_v_style:
        FX_HANDLER(void(CWnd::*)(int, LPSTYLESTRUCT))
        (static_cast<int>(wParam), reinterpret_cast<LPSTYLESTRUCT>(lParam));
        break;
    case AfxSig_v_enteridle:
        FX_HANDLER(void(CWnd::*)(UINT, CWnd*))(static_cast<UINT>(wParam), FromHandle(reinterpret_cast<HWND>(lParam)));
        break;
    case AfxSig_v_parentnotify:
        FX_HANDLER(void(CWnd::*)(UINT, LPARAM))(static_cast<UINT>(wParam), lParam);
        break;
    case AfxSig_h_v:
        lResult = reinterpret_cast<LRESULT>(FX_HANDLER(HCURSOR(CWnd::*)())());
        break;
    case AfxSig_v_drawitem_reflect:
        FX_HANDLER(void(CWnd::*)(LPDRAWITEMSTRUCT))(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_v_measureitem_reflect:
        FX_HANDLER(void(CWnd::*)(LPMEASUREITEMSTRUCT))(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        lResult = TRUE;
        break;
    case AfxSig_v_scroll_reflect:
        FX_HANDLER(void(CWnd::*)(UINT, UINT))(LOWORD(wParam), HIWORD(wParam));
        break;
    default:
        return FALSE;
    }
#undef FX_HANDLER
    *pResult = lResult;
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);

    if (!hWndCtrl) {
        if (nID == 0)
            return FALSE;
        // A menu item or accelerator: a command that has become disabled is not run.
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    } else {
        // The control's own object gets the notification first.
        if (ReflectLastMsg(hWndCtrl))
            return TRUE;
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    HWND hWndCtrl = pNMHDR->hwndFrom;
    UINT nID = hWndCtrl ? static_cast<UINT>(::GetDlgCtrlID(hWndCtrl)) : static_cast<UINT>(pNMHDR->idFrom);
    int nCode = static_cast<int>(pNMHDR->code);

    if (hWndCtrl && ReflectLastMsg(hWndCtrl, pResult))
        return TRUE;

    AFX_NOTIFY notify;
    notify.pResult = pResult;
    notify.pNMHDR = pNMHDR;
    return OnCmdMsg(nID, static_cast<int>(MAKELONG(nCode, WM_NOTIFY)), &notify, nullptr);
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    if (!pWnd)
        return FALSE;
    return pWnd->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG& current = AfxGetThreadState()->m_lastSentMsg;
    return OnChildNotify(current.message, current.wParam, current.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);

    case WM_COMMAND: {
        int nCode = HIWORD(wParam);
        if (CCmdTarget::OnCmdMsg(0, static_cast<int>(MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND)), nullptr,
                                 nullptr)) {
            if (pResult)
                *pResult = 1;
            return TRUE;
        }
        return FALSE;
    }

    case WM_NOTIFY: {
        auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        LRESULT ignored = 0;
        AFX_NOTIFY notify;
        notify.pResult = pResult ? pResult : &ignored;
        notify.pNMHDR = pNMHDR;
        return CCmdTarget::OnCmdMsg(0, static_cast<int>(MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY)), &notify,
                                    nullptr);
    }

    default:
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
            const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(WM_REFLECT_BASE + WM_CTLCOLOR);
            if (!entry)
                return FALSE;
            auto handler = reinterpret_cast<HBRUSH (CWnd::*)(CDC*, UINT)>(entry->pfn);
            HBRUSH brush =
                (this->*handler)(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), message - WM_CTLCOLORMSGBOX);
            if (!brush)
                return FALSE; // the parent decides after all
            if (pResult)
                *pResult = reinterpret_cast<LRESULT>(brush);
            return TRUE;
        }
        return FALSE;
    }
}

// ---------------------------------------------------------------------------------------
// Modal loops

int CWnd::RunModalLoop(DWORD dwFlags)
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    HWND hWndParent = ::GetParent(m_hWnd);
    HWND hWnd = m_hWnd;
    m_nFlags |= (WF_MODALLOOP | WF_CONTINUEMODAL);
    MSG* pMsg = &AfxGetThreadState()->m_msgCur;

    for (;;) {
        while (bIdle && !::PeekMessageW(pMsg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (bShowIdle) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent && lIdleCount == 0)
                ::SendMessageW(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(m_hWnd));
            if ((dwFlags & MLF_NOKICKIDLE) || !::SendMessageW(hWnd, WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++))
                bIdle = FALSE;
        }

        do {
            if (!AfxPumpMessage()) {
                // WM_QUIT ends the loop; it is posted again for the loop outside.
                ::PostQuitMessage(static_cast<int>(pMsg->wParam));
                if (::IsWindow(hWnd))
                    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                return -1;
            }
            if (!::IsWindow(hWnd))
                return -1; // the window went away inside the loop; so may have its object
            if (bShowIdle && (pMsg->message == 0x118 || pMsg->message == WM_SYSKEYDOWN)) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!ContinueModal()) {
                m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                return m_nModalResult;
            }
            if (AfxIsIdleMessage(pMsg)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageW(pMsg, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWnd::ContinueModal()
{
    return (m_nFlags & WF_CONTINUEMODAL) != 0;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0); // wakes the loop
    }
}
