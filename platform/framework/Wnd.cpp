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

// Parent of a child window, owner of a top-level one.
HWND ParentOrOwner(HWND hWnd)
{
    if (::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD)
        return ::GetParent(hWnd);
    return ::GetWindow(hWnd, GW_OWNER);
}

// The menu in the tree under `menu` that holds an item with this id, or null.
HMENU FindMenuHoldingItem(HMENU menu, UINT itemId, int depth = 0)
{
    const int kMaxDepth = 16; // guards against a menu that contains itself
    if (!menu || depth > kMaxDepth || !::IsMenu(menu))
        return nullptr;
    int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_SUBMENU;
        if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info))
            continue;
        if (info.wID == itemId)
            return menu;
        if (HMENU found = FindMenuHoldingItem(info.hSubMenu, itemId, depth + 1))
            return found;
    }
    return nullptr;
}

// The window reached from hWnd by going `up` until that answers null.
template <class Up> HWND Uppermost(HWND hWnd, Up up)
{
    for (HWND above; (above = up(hWnd)) != nullptr;)
        hWnd = above;
    return hWnd;
}

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

// ---------------------------------------------------------------------------------------
// Descendants and layout

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    SendMessageToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

void CWnd::SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild;) {
        HWND hWndNext = ::GetNextWindow(hWndChild, GW_HWNDNEXT);
        if (bOnlyPerm) {
            if (CWnd* pWnd = FromHandlePermanent(hWndChild))
                AfxCallWndProc(pWnd, hWndChild, message, wParam, lParam);
        } else {
            ::SendMessageW(hWndChild, message, wParam, lParam);
        }
        if (bDeep && ::IsWindow(hWndChild) && ::GetTopWindow(hWndChild))
            SendMessageToDescendants(hWndChild, message, wParam, lParam, bDeep, bOnlyPerm);
        hWndChild = (hWndNext && ::IsWindow(hWndNext)) ? hWndNext : nullptr;
    }
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild; hWndChild = ::GetNextWindow(hWndChild, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(hWndChild) == nID) {
            if (!bOnlyPerm)
                return FromHandle(hWndChild);
            if (CWnd* pWnd = FromHandlePermanent(hWndChild))
                return pWnd;
        }
        if (::GetTopWindow(hWndChild)) {
            CWnd child(hWndChild);
            CWnd* found = child.GetDescendantWindow(nID, bOnlyPerm);
            child.m_hWnd = nullptr;
            if (found)
                return found;
        }
    }
    return nullptr;
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch)
{
    AFX_SIZEPARENTPARAMS layout = {};
    layout.bStretch = bStretch;
    if (lpRectClient)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(m_hWnd, &layout.rect);
    layout.hDWP = (nFlags == reposQuery) ? nullptr : ::BeginDeferWindowPos(8);

    HWND hWndLeftOver = nullptr;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild; hWndChild = ::GetNextWindow(hWndChild, GW_HWNDNEXT)) {
        UINT nIDC = static_cast<UINT>(::GetDlgCtrlID(hWndChild));
        if (nIDC == nIDLeftOver)
            hWndLeftOver = hWndChild;
        else if (nIDC >= nIDFirst && nIDC <= nIDLast && FromHandlePermanent(hWndChild))
            ::SendMessageW(hWndChild, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }

    if (nFlags == reposQuery) {
        if (lpRectParam) {
            if (bStretch)
                ::CopyRect(lpRectParam, &layout.rect);
            else {
                lpRectParam->left = lpRectParam->top = 0;
                lpRectParam->right = layout.sizeTotal.cx;
                lpRectParam->bottom = layout.sizeTotal.cy;
            }
        }
        return;
    }

    if (nFlags == reposExtra && lpRectParam) {
        layout.rect.left += lpRectParam->left;
        layout.rect.top += lpRectParam->top;
        layout.rect.right -= lpRectParam->right;
        layout.rect.bottom -= lpRectParam->bottom;
    }
    if (!lpRectClient && hWndLeftOver) {
        CRect rect(layout.rect);
        if (rect.right < rect.left)
            rect.right = rect.left;
        if (rect.bottom < rect.top)
            rect.bottom = rect.top;
        AfxRepositionWindow(&layout, hWndLeftOver, &rect);
    }
    if (layout.hDWP)
        ::EndDeferWindowPos(layout.hDWP);
}

// ---------------------------------------------------------------------------------------
// Relatives

CWnd* CWnd::GetParent() const
{
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::SetParent(CWnd* pWndNewParent)
{
    return FromHandle(::SetParent(m_hWnd, pWndNewParent->GetSafeHwnd()));
}

CWnd* CWnd::GetOwner() const
{
    return m_hWndOwner ? FromHandle(m_hWndOwner) : GetParent();
}

CFrameWnd* CWnd::GetParentFrame() const
{
    if (!GetSafeHwnd())
        return nullptr;
    for (HWND hWnd = ::GetParent(m_hWnd); hWnd; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandle(hWnd);
        if (pWnd->IsFrameWnd())
            return static_cast<CFrameWnd*>(pWnd);
    }
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    if (!GetSafeHwnd())
        return nullptr;
    CFrameWnd* pFrame = IsFrameWnd() ? static_cast<CFrameWnd*>(const_cast<CWnd*>(this)) : GetParentFrame();
    while (pFrame) {
        CFrameWnd* pNext = pFrame->GetParentFrame();
        if (!pNext)
            break;
        pFrame = pNext;
    }
    return pFrame;
}

CWnd* CWnd::GetTopLevelParent() const
{
    return GetSafeHwnd() ? FromHandle(Uppermost(m_hWnd, ParentOrOwner)) : nullptr;
}

CWnd* CWnd::GetTopLevelOwner() const
{
    return GetSafeHwnd() ? FromHandle(Uppermost(m_hWnd, [](HWND hWnd) { return ::GetWindow(hWnd, GW_OWNER); }))
                         : nullptr;
}

CWnd* CWnd::GetParentOwner() const
{
    auto parentOfChild = [](HWND hWnd) -> HWND {
        return (::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD) ? ::GetParent(hWnd) : nullptr;
    };
    return GetSafeHwnd() ? FromHandle(Uppermost(m_hWnd, parentOfChild)) : nullptr;
}

CWnd* CWnd::GetWindow(UINT nCmd) const
{
    return FromHandle(::GetWindow(m_hWnd, nCmd));
}
CWnd* CWnd::GetTopWindow() const
{
    return FromHandle(::GetTopWindow(m_hWnd));
}
CWnd* CWnd::GetNextWindow(UINT nFlag) const
{
    return FromHandle(::GetNextWindow(m_hWnd, nFlag));
}
CWnd* CWnd::GetLastActivePopup() const
{
    return FromHandle(::GetLastActivePopup(m_hWnd));
}
BOOL CWnd::IsChild(const CWnd* pWnd) const
{
    return ::IsChild(m_hWnd, pWnd->GetSafeHwnd());
}
CWnd* CWnd::ChildWindowFromPoint(POINT point) const
{
    return FromHandle(::ChildWindowFromPoint(m_hWnd, point));
}
CWnd* CWnd::ChildWindowFromPoint(POINT point, UINT nFlags) const
{
    return FromHandle(::ChildWindowFromPointEx(m_hWnd, point, nFlags));
}
CWnd* CWnd::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    return FromHandle(::GetNextDlgTabItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious));
}
CWnd* CWnd::GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    return FromHandle(::GetNextDlgGroupItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious));
}

CWnd* CWnd::GetFocus()
{
    return FromHandle(::GetFocus());
}
CWnd* CWnd::GetActiveWindow()
{
    return FromHandle(::GetActiveWindow());
}
CWnd* CWnd::GetCapture()
{
    return FromHandle(::GetCapture());
}
CWnd* CWnd::GetForegroundWindow()
{
    return FromHandle(::GetForegroundWindow());
}
CWnd* CWnd::GetDesktopWindow()
{
    return FromHandle(::GetDesktopWindow());
}
CWnd* CWnd::WindowFromPoint(POINT point)
{
    return FromHandle(::WindowFromPoint(point));
}
CWnd* CWnd::FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName)
{
    return FromHandle(::FindWindowW(lpszClassName, lpszWindowName));
}
CWnd* CWnd::FindWindowEx(HWND hwndParent, HWND hwndChildAfter, LPCTSTR lpszClass, LPCTSTR lpszWindow)
{
    return FromHandle(::FindWindowExW(hwndParent, hwndChildAfter, lpszClass, lpszWindow));
}
CWnd* CWnd::SetFocus()
{
    return FromHandle(::SetFocus(m_hWnd));
}
CWnd* CWnd::SetActiveWindow()
{
    return FromHandle(::SetActiveWindow(m_hWnd));
}
CWnd* CWnd::SetCapture()
{
    return FromHandle(::SetCapture(m_hWnd));
}
BOOL CWnd::SetForegroundWindow()
{
    return ::SetForegroundWindow(m_hWnd);
}

// ---------------------------------------------------------------------------------------
// Dialog items and text

CWnd* CWnd::GetDlgItem(int nID) const
{
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}
void CWnd::GetDlgItem(int nID, HWND* phWnd) const
{
    *phWnd = ::GetDlgItem(m_hWnd, nID);
}
int CWnd::GetDlgCtrlID() const
{
    return ::GetDlgCtrlID(m_hWnd);
}
int CWnd::SetDlgCtrlID(int nID)
{
    return static_cast<int>(::SetWindowLongPtrW(m_hWnd, GWLP_ID, nID));
}
UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const
{
    return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned);
}
void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned)
{
    ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned);
}
int CWnd::GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const
{
    return static_cast<int>(::GetDlgItemTextW(m_hWnd, nID, lpStr, nMaxCount));
}
int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    HWND hWndItem = ::GetDlgItem(m_hWnd, nID);
    if (!hWndItem)
        return 0;
    CWnd item(hWndItem);
    item.GetWindowText(rString);
    item.m_hWnd = nullptr;
    return rString.GetLength();
}
void CWnd::SetDlgItemText(int nID, LPCTSTR lpszString)
{
    ::SetDlgItemTextW(m_hWnd, nID, lpszString);
}
LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendDlgItemMessageW(m_hWnd, nID, message, wParam, lParam);
}
void CWnd::CheckDlgButton(int nIDButton, UINT nCheck)
{
    ::CheckDlgButton(m_hWnd, nIDButton, nCheck);
}
void CWnd::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
{
    ::CheckRadioButton(m_hWnd, nIDFirstButton, nIDLastButton, nIDCheckButton);
}
int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const
{
    for (int nID = nIDFirstButton; nID <= nIDLastButton; ++nID) {
        if (::IsDlgButtonChecked(m_hWnd, nID))
            return nID;
    }
    return 0;
}
UINT CWnd::IsDlgButtonChecked(int nIDButton) const
{
    return ::IsDlgButtonChecked(m_hWnd, nIDButton);
}

void CWnd::SetWindowText(LPCTSTR lpszString)
{
    ::SetWindowTextW(m_hWnd, lpszString);
}
int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const
{
    return ::GetWindowTextW(m_hWnd, lpszStringBuf, nMaxCount);
}
void CWnd::GetWindowText(CString& rString) const
{
    int length = ::GetWindowTextLengthW(m_hWnd);
    std::vector<wchar_t> buffer(length + 2);
    int copied = ::GetWindowTextW(m_hWnd, buffer.data(), length + 1);
    rString = CString(buffer.data(), copied);
}
int CWnd::GetWindowTextLength() const
{
    return ::GetWindowTextLengthW(m_hWnd);
}
void CWnd::SetFont(HFONT hFont, BOOL bRedraw)
{
    ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), bRedraw);
}
void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    SetFont(pFont ? static_cast<HFONT>(pFont->GetSafeHandle()) : nullptr, bRedraw);
}
HFONT CWnd::GetFontHandle() const
{
    return reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
}
CFont* CWnd::GetFont() const
{
    HFONT font = GetFontHandle();
    return font ? CFont::FromHandle(font) : nullptr;
}

// ---------------------------------------------------------------------------------------
// Styles, position, state

DWORD CWnd::GetStyle() const
{
    return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE));
}
DWORD CWnd::GetExStyle() const
{
    return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_EXSTYLE));
}

static BOOL ModifyWindowLong(HWND hWnd, int nIndex, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = static_cast<DWORD>(::GetWindowLongW(hWnd, nIndex));
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongW(hWnd, nIndex, static_cast<LONG>(dwNewStyle));
    if (nFlags != 0)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyWindowLong(hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}
BOOL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyWindowLong(hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}
BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags);
}
BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags);
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}
void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
}
BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    HWND insertAfter = pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr;
    return ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, nFlags);
}
void CWnd::GetWindowRect(LPRECT lpRect) const
{
    ::GetWindowRect(m_hWnd, lpRect);
}
void CWnd::GetClientRect(LPRECT lpRect) const
{
    ::GetClientRect(m_hWnd, lpRect);
}
void CWnd::ClientToScreen(LPPOINT lpPoint) const
{
    ::ClientToScreen(m_hWnd, lpPoint);
}
void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(lpRect), 2);
}
void CWnd::ScreenToClient(LPPOINT lpPoint) const
{
    ::ScreenToClient(m_hWnd, lpPoint);
}
void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2);
}
void CWnd::MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const
{
    ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), lpPoint, nCount);
}
void CWnd::MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const
{
    ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), reinterpret_cast<LPPOINT>(lpRect), 2);
}
BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const
{
    lpwndpl->length = sizeof(WINDOWPLACEMENT);
    return ::GetWindowPlacement(m_hWnd, lpwndpl);
}
BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl)
{
    WINDOWPLACEMENT placement = *lpwndpl;
    placement.length = sizeof(WINDOWPLACEMENT);
    return ::SetWindowPlacement(m_hWnd, &placement);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    DWORD dwStyle = GetStyle();
    HWND hWndCenter = pAlternateOwner ? pAlternateOwner->GetSafeHwnd() : nullptr;
    if (!hWndCenter)
        hWndCenter = (dwStyle & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);

    CRect rectDialog;
    GetWindowRect(&rectDialog);
    CRect rectArea, rectCenter;
    if (dwStyle & WS_CHILD) {
        HWND hWndParent = ::GetParent(m_hWnd);
        ::GetClientRect(hWndParent, &rectArea);
        rectCenter = rectArea;
        if (hWndCenter && hWndCenter != hWndParent) {
            ::GetWindowRect(hWndCenter, &rectCenter);
            ::MapWindowPoints(nullptr, hWndParent, reinterpret_cast<LPPOINT>(&rectCenter), 2);
        }
        ::MapWindowPoints(nullptr, hWndParent, reinterpret_cast<LPPOINT>(&rectDialog), 2);
    } else {
        HMONITOR monitor = ::MonitorFromWindow(hWndCenter ? hWndCenter : m_hWnd, MONITOR_DEFAULTTONEAREST);
        MONITORINFO info = {};
        info.cbSize = sizeof(info);
        ::GetMonitorInfoW(monitor, &info);
        rectArea = info.rcWork;
        if (hWndCenter && ::IsWindowVisible(hWndCenter) && !::IsIconic(hWndCenter))
            ::GetWindowRect(hWndCenter, &rectCenter);
        else
            rectCenter = rectArea;
    }

    int width = rectDialog.Width();
    int height = rectDialog.Height();
    int left = (rectCenter.left + rectCenter.right) / 2 - width / 2;
    int top = (rectCenter.top + rectCenter.bottom) / 2 - height / 2;
    if (left + width > rectArea.right)
        left = rectArea.right - width;
    if (left < rectArea.left)
        left = rectArea.left;
    if (top + height > rectArea.bottom)
        top = rectArea.bottom - height;
    if (top < rectArea.top)
        top = rectArea.top;
    ::SetWindowPos(m_hWnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::BringWindowToTop()
{
    ::BringWindowToTop(m_hWnd);
}
int CWnd::SetWindowRgn(HRGN hRgn, BOOL bRedraw)
{
    return ::SetWindowRgn(m_hWnd, hRgn, bRedraw);
}
int CWnd::GetWindowRgn(HRGN hRgn) const
{
    return ::GetWindowRgn(m_hWnd, hRgn);
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    return ::ShowWindow(m_hWnd, nCmdShow);
}
BOOL CWnd::IsWindowVisible() const
{
    return ::IsWindowVisible(m_hWnd);
}
BOOL CWnd::IsWindowEnabled() const
{
    return ::IsWindowEnabled(m_hWnd);
}
BOOL CWnd::EnableWindow(BOOL bEnable)
{
    return ::EnableWindow(m_hWnd, bEnable);
}
BOOL CWnd::IsIconic() const
{
    return ::IsIconic(m_hWnd);
}
BOOL CWnd::IsZoomed() const
{
    return ::IsZoomed(m_hWnd);
}
BOOL CWnd::IsWindow() const
{
    return GetSafeHwnd() && ::IsWindow(m_hWnd);
}

// ---------------------------------------------------------------------------------------
// Painting, messages, timers, menus, scroll bars

void CWnd::Invalidate(BOOL bErase)
{
    ::InvalidateRect(m_hWnd, nullptr, bErase);
}
void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase)
{
    ::InvalidateRect(m_hWnd, lpRect, bErase);
}
void CWnd::InvalidateRgn(HRGN hRgn, BOOL bErase)
{
    ::InvalidateRgn(m_hWnd, hRgn, bErase);
}
void CWnd::ValidateRect(LPCRECT lpRect)
{
    ::ValidateRect(m_hWnd, lpRect);
}
void CWnd::UpdateWindow()
{
    ::UpdateWindow(m_hWnd);
}
BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, HRGN hrgnUpdate, UINT flags)
{
    return ::RedrawWindow(m_hWnd, lpRectUpdate, hrgnUpdate, flags);
}
void CWnd::SetRedraw(BOOL bRedraw)
{
    ::SendMessageW(m_hWnd, WM_SETREDRAW, bRedraw, 0);
}
CDC* CWnd::GetDC()
{
    return CDC::FromHandle(::GetDC(m_hWnd));
}
CDC* CWnd::GetWindowDC()
{
    return CDC::FromHandle(::GetWindowDC(m_hWnd));
}
int CWnd::ReleaseDC(CDC* pDC)
{
    return ::ReleaseDC(m_hWnd, pDC->GetSafeHdc());
}
BOOL CWnd::GetUpdateRect(LPRECT lpRect, BOOL bErase)
{
    return ::GetUpdateRect(m_hWnd, lpRect, bErase);
}
void CWnd::ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect, LPCRECT lpClipRect)
{
    ::ScrollWindow(m_hWnd, xAmount, yAmount, lpRect, lpClipRect);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}
BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageW(m_hWnd, message, wParam, lParam);
}
UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer)
{
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}
BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    return ::KillTimer(m_hWnd, nIDEvent);
}

CMenu* CWnd::GetMenu() const
{
    return CMenu::FromHandle(::GetMenu(m_hWnd));
}
BOOL CWnd::SetMenu(CMenu* pMenu)
{
    return ::SetMenu(m_hWnd, pMenu ? pMenu->GetSafeHmenu() : nullptr);
}
void CWnd::DrawMenuBar()
{
    ::DrawMenuBar(m_hWnd);
}
CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}
HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return reinterpret_cast<HICON>(
        ::SendMessageW(m_hWnd, WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}
HICON CWnd::GetIcon(BOOL bBigIcon) const
{
    return reinterpret_cast<HICON>(::SendMessageW(m_hWnd, WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL, 0));
}
int CWnd::GetScrollPos(int nBar) const
{
    return ::GetScrollPos(m_hWnd, nBar);
}
int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw)
{
    return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw);
}
void CWnd::GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const
{
    ::GetScrollRange(m_hWnd, nBar, lpMinPos, lpMaxPos);
}
void CWnd::SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw)
{
    ::SetScrollRange(m_hWnd, nBar, nMinPos, nMaxPos, bRedraw);
}
BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}
BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}
void CWnd::ShowScrollBar(UINT nBar, BOOL bShow)
{
    ::ShowScrollBar(m_hWnd, static_cast<int>(nBar), bShow);
}
BOOL CWnd::FlashWindow(BOOL bInvert)
{
    return ::FlashWindow(m_hWnd, bInvert);
}
DWORD CWnd::GetWindowContextHelpId() const
{
    return ::GetWindowContextHelpId(m_hWnd);
}

// ---------------------------------------------------------------------------------------
// Default message handlers

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_COMPAREITEM()
    ON_WM_DELETEITEM()
    ON_WM_CTLCOLOR()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

int CWnd::OnCreate(LPCREATESTRUCT)
{
    return static_cast<int>(Default());
}
BOOL CWnd::OnNcCreate(LPCREATESTRUCT)
{
    return static_cast<BOOL>(Default());
}
void CWnd::OnDestroy()
{
    Default();
}
void CWnd::OnSize(UINT, int, int)
{
    Default();
}
void CWnd::OnSizing(UINT, LPRECT)
{
    Default();
}
void CWnd::OnMove(int, int)
{
    Default();
}
void CWnd::OnPaint()
{
    Default();
}
void CWnd::OnNcPaint()
{
    Default();
}
BOOL CWnd::OnEraseBkgnd(CDC*)
{
    return static_cast<BOOL>(Default());
}
void CWnd::OnTimer(UINT_PTR)
{
    Default();
}
void CWnd::OnClose()
{
    Default();
}
void CWnd::OnSetFocus(CWnd*)
{
    Default();
}
void CWnd::OnKillFocus(CWnd*)
{
    Default();
}
void CWnd::OnCaptureChanged(CWnd*)
{
    Default();
}
void CWnd::OnCancelMode()
{
    Default();
}
void CWnd::OnEnable(BOOL)
{
    Default();
}
void CWnd::OnKeyDown(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnKeyUp(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnChar(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnSysKeyDown(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnSysKeyUp(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnSysChar(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnMouseMove(UINT, CPoint)
{
    Default();
}
void CWnd::OnLButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnLButtonUp(UINT, CPoint)
{
    Default();
}
void CWnd::OnLButtonDblClk(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonUp(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonDblClk(UINT, CPoint)
{
    Default();
}
void CWnd::OnMButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnMButtonUp(UINT, CPoint)
{
    Default();
}
void CWnd::OnMButtonDblClk(UINT, CPoint)
{
    Default();
}
void CWnd::OnMouseHover(UINT, CPoint)
{
    Default();
}
void CWnd::OnMouseLeave()
{
    Default();
}
BOOL CWnd::OnMouseWheel(UINT, short, CPoint)
{
    return static_cast<BOOL>(Default());
}
int CWnd::OnMouseActivate(CWnd*, UINT, UINT)
{
    return static_cast<int>(Default());
}
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT)
{
    return static_cast<BOOL>(Default());
}
LRESULT CWnd::OnNcHitTest(CPoint)
{
    return Default();
}
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*)
{
    Default();
}
BOOL CWnd::OnNcActivate(BOOL)
{
    return static_cast<BOOL>(Default());
}
void CWnd::OnNcMouseMove(UINT, CPoint)
{
    Default();
}
void CWnd::OnNcMouseLeave()
{
    Default();
}
void CWnd::OnNcLButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnNcLButtonUp(UINT, CPoint)
{
    Default();
}
void CWnd::OnNcLButtonDblClk(UINT, CPoint)
{
    Default();
}
void CWnd::OnNcRButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnNcRButtonUp(UINT, CPoint)
{
    Default();
}
void CWnd::OnNcMButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnActivate(UINT, CWnd*, BOOL)
{
    Default();
}
void CWnd::OnActivateApp(BOOL, DWORD)
{
    Default();
}
void CWnd::OnShowWindow(BOOL, UINT)
{
    Default();
}
void CWnd::OnWindowPosChanging(WINDOWPOS*)
{
    Default();
}
void CWnd::OnWindowPosChanged(WINDOWPOS*)
{
    Default();
}
void CWnd::OnGetMinMaxInfo(MINMAXINFO*)
{
    Default();
}
void CWnd::OnStyleChanging(int, LPSTYLESTRUCT)
{
    Default();
}
void CWnd::OnStyleChanged(int, LPSTYLESTRUCT)
{
    Default();
}
void CWnd::OnContextMenu(CWnd*, CPoint)
{
    Default();
}
void CWnd::OnSysCommand(UINT, LPARAM)
{
    Default();
}
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL)
{
    Default();
}
void CWnd::OnMenuSelect(UINT, UINT, HMENU)
{
    Default();
}
void CWnd::OnEnterIdle(UINT, CWnd*)
{
    Default();
}
UINT CWnd::OnGetDlgCode()
{
    return static_cast<UINT>(Default());
}
void CWnd::OnParentNotify(UINT, LPARAM)
{
    Default();
}
HCURSOR CWnd::OnQueryDragIcon()
{
    return reinterpret_cast<HCURSOR>(Default());
}

// Notifications that a control may handle itself: its object is asked first.
void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar && ReflectLastMsg(reinterpret_cast<CWnd*>(pScrollBar)->m_hWnd))
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar && ReflectLastMsg(reinterpret_cast<CWnd*>(pScrollBar)->m_hWnd))
        return;
    Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT lResult = 0;
    if (pWnd && pWnd->m_hWnd != m_hWnd && ReflectLastMsg(pWnd->m_hWnd, &lResult))
        return reinterpret_cast<HBRUSH>(lResult);
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->CtlType == ODT_MENU) {
        // For a menu item the "window" is the menu that holds it.
        if (CMenu* menu = CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(lpDrawItemStruct->hwndItem))) {
            menu->DrawItem(lpDrawItemStruct);
            return;
        }
    } else if (nIDCtl != 0 && ReflectLastMsg(lpDrawItemStruct->hwndItem)) {
        return;
    }
    Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType == ODT_MENU) {
        // The message names no menu: the item is looked for in the popup being shown, then
        // in this window's menu bar.
        UINT itemId = lpMeasureItemStruct->itemID;
        HMENU holder = FindMenuHoldingItem(AfxGetThreadState()->m_hTrackingMenu, itemId);
        if (!holder && !(GetStyle() & WS_CHILD))
            holder = FindMenuHoldingItem(::GetMenu(m_hWnd), itemId);
        if (CMenu* menu = CMenu::FromHandlePermanent(holder)) {
            menu->MeasureItem(lpMeasureItemStruct);
            return;
        }
    } else if (nIDCtl != 0) {
        // During creation the control may not be a child of anything that can be found by
        // id yet; look among the children.
        HWND hWndChild = ::GetDlgItem(m_hWnd, nIDCtl);
        if (hWndChild && ReflectLastMsg(hWndChild))
            return;
    }
    Default();
}

// List and combo boxes without strings ask their parent to order and to forget items; the
// control's own object answers first.
int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT lpCompareItemStruct)
{
    LRESULT lResult = 0;
    if (ReflectLastMsg(lpCompareItemStruct->hwndItem, &lResult))
        return static_cast<int>(lResult);
    return static_cast<int>(Default());
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDeleteItemStruct)
{
    if (ReflectLastMsg(lpDeleteItemStruct->hwndItem))
        return;
    Default();
}

void CWnd::OnSysColorChange()
{
    // Only top-level windows hear of it from the system; their children are told here.
    if (!(GetStyle() & WS_CHILD))
        SendMessageToDescendants(WM_SYSCOLORCHANGE, 0, 0, TRUE, TRUE);
    Default();
}

void CWnd::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    if (!(GetStyle() & WS_CHILD))
        SendMessageToDescendants(WM_SETTINGCHANGE, uFlags, reinterpret_cast<LPARAM>(lpszSection), TRUE, TRUE);
    Default();
}
