#include "toolkit/foundation/HookManager.h"

#include <new>

#include "platform/framework/AfxState.h"
#include "toolkit/foundation/Statics.h"

namespace {

CQorHookManager* g_pHookManager = nullptr;

void DestroyHookManager()
{
    delete g_pHookManager;
    g_pHookManager = nullptr;
}

// Framework code called from a hook-able sees the hooked message as the current one; the
// record of the message being handled around this call comes back afterwards.
class CCurrentMessageScope
{
public:
    CCurrentMessageScope(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
        : m_pState(AfxGetThreadState()), m_saved(m_pState->m_lastSentMsg)
    {
        m_pState->m_lastSentMsg.hwnd = hWnd;
        m_pState->m_lastSentMsg.message = nMessage;
        m_pState->m_lastSentMsg.wParam = wParam;
        m_pState->m_lastSentMsg.lParam = lParam;
    }
    ~CCurrentMessageScope() { m_pState->m_lastSentMsg = m_saved; }
    CCurrentMessageScope(const CCurrentMessageScope&) = delete;
    CCurrentMessageScope& operator=(const CCurrentMessageScope&) = delete;

private:
    _AFX_THREAD_STATE* m_pState;
    MSG m_saved;
};

} // namespace

CQorHookManager::CHookSink::CHookSink(HWND hWnd, WNDPROC pfnPrevious)
    : m_pfnPrevious(pfnPrevious), m_hWnd(hWnd), m_nDispatchDepth(0), m_bDetached(FALSE)
{}

CQorHookManager::CHookSink::~CHookSink()
{
    Detach();
}

void CQorHookManager::CHookSink::AddHookAble(CQorHookManagerHookAble* pHookAble)
{
    if (pHookAble && !HasHookAble(pHookAble))
        m_arrHookAbles.Add(pHookAble);
}

BOOL CQorHookManager::CHookSink::HasHookAble(CQorHookManagerHookAble* pHookAble) const
{
    for (INT_PTR i = 0; i < m_arrHookAbles.GetSize(); ++i) {
        if (m_arrHookAbles[i] == pHookAble)
            return TRUE;
    }
    return FALSE;
}

void CQorHookManager::CHookSink::RemoveHookAble(CQorHookManagerHookAble* pHookAble)
{
    for (INT_PTR i = 0; i < m_arrHookAbles.GetSize(); ++i) {
        if (m_arrHookAbles[i] != pHookAble)
            continue;
        m_arrHookAbles.RemoveAt(i);
        if (pHookAble->m_bAutoDelete && g_pHookManager)
            g_pHookManager->ReleaseHookAble(pHookAble);
        if (m_arrHookAbles.GetSize() == 0 && !m_bDetached && g_pHookManager)
            g_pHookManager->RemoveSink(this); // may delete this sink: nothing may follow
        return;
    }
}

BOOL CQorHookManager::CHookSink::Offer(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult)
{
    // A hook-able may remove itself or others, or destroy the window: walk a copy and skip
    // whoever has left the live list meanwhile.
    CArray<CQorHookManagerHookAble*, CQorHookManagerHookAble*> arrSnapshot;
    arrSnapshot.Copy(m_arrHookAbles);
    for (INT_PTR i = arrSnapshot.GetSize() - 1; i >= 0; --i) {
        CQorHookManagerHookAble* pHookAble = arrSnapshot[i];
        if (m_bDetached || !HasHookAble(pHookAble))
            continue;
        int nAnswer = pHookAble->OnHookMessage(hWnd, nMessage, wParam, lParam, lResult);
        if (nAnswer == QOR_HOOK_CONSUMED)
            return TRUE;
        if (nAnswer == QOR_HOOK_PASS)
            return FALSE;
    }
    return FALSE;
}

void CQorHookManager::CHookSink::Detach()
{
    if (m_bDetached)
        return;
    m_bDetached = TRUE;
    if (::IsWindow(m_hWnd)) {
        const WNDPROC pfnCurrent = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC));
        if (pfnCurrent == &HookSinkWindowProc)
            ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnPrevious));
        else if (g_pHookManager)
            g_pHookManager->LeavePassThrough(m_hWnd, m_pfnPrevious);
    }
    CArray<CQorHookManagerHookAble*, CQorHookManagerHookAble*> arrDropped;
    arrDropped.Copy(m_arrHookAbles);
    m_arrHookAbles.RemoveAll();
    for (INT_PTR i = arrDropped.GetSize() - 1; i >= 0; --i) {
        if (arrDropped[i]->m_bAutoDelete && g_pHookManager)
            g_pHookManager->ReleaseHookAble(arrDropped[i]);
    }
}

CQorHookManager::CQorHookManager()
{
    m_mapSinks.InitHashTable(17);
}

CQorHookManager::~CQorHookManager()
{
    POSITION pos = m_mapSinks.GetStartPosition();
    while (pos) {
        void* pKey = nullptr;
        void* pValue = nullptr;
        m_mapSinks.GetNextAssoc(pos, pKey, pValue);
        RemoveSink(static_cast<CHookSink*>(pValue));
    }
    FlushPendingDeletes();
}

BOOL CQorHookManager::IsHeldBySink(CQorHookManagerHookAble* pHookAble) const
{
    POSITION pos = m_mapSinks.GetStartPosition();
    while (pos) {
        void* pKey = nullptr;
        void* pValue = nullptr;
        m_mapSinks.GetNextAssoc(pos, pKey, pValue);
        if (static_cast<CHookSink*>(pValue)->HasHookAble(pHookAble))
            return TRUE;
    }
    return FALSE;
}

void CQorHookManager::ReleaseHookAble(CQorHookManagerHookAble* pHookAble)
{
    if (IsHeldBySink(pHookAble))
        return;
    for (INT_PTR i = 0; i < m_arrPendingDeletes.GetSize(); ++i) {
        if (m_arrPendingDeletes[i] == pHookAble)
            return;
    }
    m_arrPendingDeletes.Add(pHookAble);
    if (m_nDispatchDepth == 0)
        FlushPendingDeletes();
}

void CQorHookManager::FlushPendingDeletes()
{
    while (m_arrPendingDeletes.GetSize() > 0) {
        CQorHookManagerHookAble* pHookAble = m_arrPendingDeletes[0];
        m_arrPendingDeletes.RemoveAt(0);
        delete pHookAble;
    }
}

void CQorHookManager::LeavePassThrough(HWND hWnd, WNDPROC pfnPrevious)
{
    m_mapPassThrough.SetAt(hWnd, reinterpret_cast<void*>(pfnPrevious));
}

WNDPROC CQorHookManager::TakePassThrough(HWND hWnd)
{
    void* pValue = nullptr;
    if (!m_mapPassThrough.Lookup(hWnd, pValue))
        return nullptr;
    m_mapPassThrough.RemoveKey(hWnd);
    return reinterpret_cast<WNDPROC>(pValue);
}

CQorHookManager::CHookSink* CQorHookManager::Lookup(HWND hWnd) const
{
    void* pValue = nullptr;
    return m_mapSinks.Lookup(hWnd, pValue) ? static_cast<CHookSink*>(pValue) : nullptr;
}

BOOL CQorHookManager::SetHook(HWND hWnd, CQorHookManagerHookAble* pHookAble)
{
    if (!pHookAble)
        return FALSE;
    if (CHookSink* pSink = Lookup(hWnd)) {
        pSink->AddHookAble(pHookAble);
        return TRUE;
    }
    // Our procedure still sits under a later subclass: take the window back without a second
    // link in its chain, which would offer every message twice.
    if (WNDPROC pfnPassThrough = TakePassThrough(hWnd)) {
        if (::IsWindow(hWnd)) {
            CHookSink* pSink = new CHookSink(hWnd, pfnPassThrough);
            pSink->AddHookAble(pHookAble);
            m_mapSinks.SetAt(hWnd, pSink);
            return TRUE;
        }
    }
    // Only this process's live windows can be subclassed; anything else would leave a sink
    // whose previous procedure is null.
    DWORD dwProcessId = 0;
    if (!::IsWindow(hWnd) || !::GetWindowThreadProcessId(hWnd, &dwProcessId) || dwProcessId != ::GetCurrentProcessId())
        return FALSE;
    WNDPROC pfnPrevious = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
    if (!pfnPrevious)
        return FALSE;
    ::SetLastError(0);
    LONG_PTR nReplaced = ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HookSinkWindowProc));
    if (nReplaced == 0 && ::GetLastError() != 0)
        return FALSE;
    CHookSink* pSink = new CHookSink(hWnd, pfnPrevious);
    pSink->AddHookAble(pHookAble);
    m_mapSinks.SetAt(hWnd, pSink);
    return TRUE;
}

void CQorHookManager::RemoveAll(CQorHookManagerHookAble* pHookAble)
{
    POSITION pos = m_mapSinks.GetStartPosition();
    while (pos) {
        void* pKey = nullptr;
        void* pValue = nullptr;
        m_mapSinks.GetNextAssoc(pos, pKey, pValue);
        static_cast<CHookSink*>(pValue)->RemoveHookAble(pHookAble);
    }
}

void CQorHookManager::RemoveSink(CHookSink* pSink)
{
    m_mapSinks.RemoveKey(pSink->GetHwnd());
    pSink->Detach();
    if (pSink->m_nDispatchDepth == 0)
        delete pSink;
}

LRESULT CQorHookManager::Dispatch(CHookSink* pSink, HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    WNDPROC pfnPrevious = pSink->m_pfnPrevious;
    ++pSink->m_nDispatchDepth;
    ++m_nDispatchDepth;
    LRESULT lResult = 0;
    BOOL bConsumed = FALSE;
    if (nMessage == WM_NCDESTROY) {
        RemoveSink(pSink); // the window's own procedure gets this message back un-hooked
        TakePassThrough(hWnd);
    } else
        bConsumed = pSink->Offer(hWnd, nMessage, wParam, lParam, lResult);
    // A hook-able may have destroyed the window: its procedure has nothing left to handle.
    if (!bConsumed && (nMessage == WM_NCDESTROY || ::IsWindow(hWnd)))
        lResult = ::CallWindowProcW(pfnPrevious, hWnd, nMessage, wParam, lParam);
    if (--pSink->m_nDispatchDepth == 0 && pSink->m_bDetached)
        delete pSink;
    if (--m_nDispatchDepth == 0)
        FlushPendingDeletes();
    return lResult;
}

LRESULT CALLBACK CQorHookManager::HookSinkWindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    CCurrentMessageScope scope(hWnd, nMessage, wParam, lParam);
    CHookSink* pSink = g_pHookManager ? g_pHookManager->Lookup(hWnd) : nullptr;
    if (!pSink) {
        // Reached without a sink when code that subclassed after us still calls this
        // procedure: the procedure we replaced goes on handling the window.
        void* pValue = nullptr;
        if (g_pHookManager && g_pHookManager->m_mapPassThrough.Lookup(hWnd, pValue)) {
            if (nMessage == WM_NCDESTROY)
                g_pHookManager->TakePassThrough(hWnd);
            return ::CallWindowProcW(reinterpret_cast<WNDPROC>(pValue), hWnd, nMessage, wParam, lParam);
        }
        return ::DefWindowProcW(hWnd, nMessage, wParam, lParam);
    }
    return g_pHookManager->Dispatch(pSink, hWnd, nMessage, wParam, lParam);
}

CQorHookManager* GetHookManager()
{
    if (!g_pHookManager) {
        g_pHookManager = new CQorHookManager();
        QorAddExitRoutine(DestroyHookManager, L"CQorHookManager");
    }
    return g_pHookManager;
}
