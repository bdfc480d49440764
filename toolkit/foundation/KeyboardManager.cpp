#include "toolkit/foundation/KeyboardManager.h"

#include <vector>

#include "platform/framework/AfxState.h"
#include "platform/framework/Exceptions.h"
#include "toolkit/foundation/Statics.h"

namespace {

const LPARAM kKeyUpBit = static_cast<LPARAM>(1) << 31;
const LPARAM kRepeatBit = static_cast<LPARAM>(1) << 30;
const LPARAM kAltContextBit = static_cast<LPARAM>(1) << 29;

CThreadLocal<CQorKeyboardManager>* g_pKeyboardHolder = nullptr;

void DestroyKeyboardManagerHolder()
{
    delete g_pKeyboardHolder;
    g_pKeyboardHolder = nullptr;
}

} // namespace

CQorKeyboardManager* FindKeyboardManager()
{
    return g_pKeyboardHolder ? g_pKeyboardHolder->GetDataNA() : nullptr;
}

void QorCreateKeyboardManagerHolder()
{
    if (g_pKeyboardHolder)
        return;
    g_pKeyboardHolder = new CThreadLocal<CQorKeyboardManager>;
    QorAddExitRoutine(DestroyKeyboardManagerHolder, L"CQorKeyboardManager holder");
}

CQorKeyboardManager* GetKeyboardManager()
{
    QorCreateKeyboardManagerHolder();
    CQorKeyboardManager* pManager = g_pKeyboardHolder->GetData();
    if (!pManager)
        AfxThrowMemoryException();
    return pManager;
}

CQorKeyboardManager::CQorKeyboardManager() : m_hHookKeyboard(nullptr), m_hHookCallWndProc(nullptr), m_pTracker(nullptr)
{}

CQorKeyboardManager::~CQorKeyboardManager()
{
    RemoveHooks();
    m_lstHookAbles.RemoveAll();
}

BOOL CQorKeyboardManager::IsHookAbleListed(CQorHookManagerHookAble* pHookAble) const
{
    return m_lstHookAbles.Find(pHookAble) != nullptr;
}

void CQorKeyboardManager::HookKeyboard(CQorHookManagerHookAble* pHookAble)
{
    if (!pHookAble)
        return;
    DWORD dwThreadId = ::GetCurrentThreadId();
    if (!m_hHookKeyboard)
        m_hHookKeyboard = ::SetWindowsHookExW(WH_KEYBOARD, &KeyboardHookProc, AfxGetInstanceHandle(), dwThreadId);
    if (!m_hHookCallWndProc)
        m_hHookCallWndProc =
            ::SetWindowsHookExW(WH_CALLWNDPROC, &CallWndProcHookProc, AfxGetInstanceHandle(), dwThreadId);
    if (!IsHookAbleListed(pHookAble))
        m_lstHookAbles.AddTail(pHookAble);
}

void CQorKeyboardManager::UnhookKeyboard(CQorHookManagerHookAble* pHookAble)
{
    POSITION pos = m_lstHookAbles.Find(pHookAble);
    if (pos)
        m_lstHookAbles.RemoveAt(pos);
    if (m_lstHookAbles.IsEmpty())
        RemoveHooks();
}

void CQorKeyboardManager::RemoveHooks()
{
    if (m_hHookCallWndProc)
        ::UnhookWindowsHookEx(m_hHookCallWndProc);
    if (m_hHookKeyboard)
        ::UnhookWindowsHookEx(m_hHookKeyboard);
    m_hHookCallWndProc = nullptr;
    m_hHookKeyboard = nullptr;
}

BOOL CQorKeyboardManager::ProcessKeyboardHooks(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    // A hook-able may unhook itself or others (a bar closing on Esc): walk a copy and skip
    // whoever has left the list meanwhile.
    std::vector<CQorHookManagerHookAble*> snapshot;
    for (POSITION pos = m_lstHookAbles.GetHeadPosition(); pos;)
        snapshot.push_back(m_lstHookAbles.GetNext(pos));
    for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
        if (!IsHookAbleListed(*it))
            continue;
        LRESULT lResult = 0;
        int nAnswer = (*it)->OnHookMessage(nullptr, nMessage, wParam, lParam, lResult);
        if (nAnswer == QOR_HOOK_CONSUMED)
            return TRUE;
        if (nAnswer == QOR_HOOK_PASS)
            return FALSE;
    }
    return TRUE;
}

BOOL CQorKeyboardManager::FilterKey(WPARAM wParam, LPARAM lParam)
{
    if (m_lstHookAbles.IsEmpty() || (lParam & kKeyUpBit))
        return FALSE;
    if ((lParam & kAltContextBit) && wParam == VK_MENU && !(m_pTracker && m_pTracker->IsTrackingPopup())) {
        // Alt alone closes what is open; its repeats pass on.
        if (lParam & kRepeatBit)
            return FALSE;
        if (m_pTracker)
            m_pTracker->CloseTrackedPopups();
        return TRUE;
    }
    return ProcessKeyboardHooks(WM_KEYDOWN, wParam, lParam);
}

LRESULT CALLBACK CQorKeyboardManager::KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CQorKeyboardManager* pManager = FindKeyboardManager();
    // Taken before the offer: a hook-able may remove the hooks while it runs.
    HHOOK hHook = pManager ? pManager->m_hHookKeyboard : nullptr;
    if (pManager && nCode == HC_ACTION && pManager->FilterKey(wParam, lParam))
        return 1;
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

LRESULT CALLBACK CQorKeyboardManager::CallWndProcHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CQorKeyboardManager* pManager = FindKeyboardManager();
    HHOOK hHook = pManager ? pManager->m_hHookCallWndProc : nullptr;
    const CWPSTRUCT* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
    // The application loses activation: nothing may stay open over another program.
    if (pManager && nCode == HC_ACTION && pMsg && pMsg->message == WM_ACTIVATEAPP && !pMsg->wParam &&
        pManager->m_pTracker)
        pManager->m_pTracker->CloseTrackedPopups();
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}
