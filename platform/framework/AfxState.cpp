#include "platform/framework/AfxState.h"

AFX_MODULE_STATE* AfxGetModuleState()
{
    // Never destroyed: objects destroyed at exit may still ask for the resource module.
    static AFX_MODULE_STATE* state = [] {
        auto* created = new AFX_MODULE_STATE{};
        created->m_hCurrentInstanceHandle = ::GetModuleHandleW(nullptr);
        created->m_hCurrentResourceHandle = created->m_hCurrentInstanceHandle;
        return created;
    }();
    return state;
}

_AFX_THREAD_STATE::_AFX_THREAD_STATE()
    : m_lastSentMsg{}, m_msgCur{}, m_ptCursorLast{-1, -1}, m_nMsgLast(0), m_pCurrentWinThread(nullptr),
      m_pWndInit(nullptr), m_hHookOldCbtFilter(nullptr), m_nTempMapLock(0), m_hTrackingMenu(nullptr)
{}

_AFX_THREAD_STATE::~_AFX_THREAD_STATE()
{
    if (m_hHookOldCbtFilter)
        ::UnhookWindowsHookEx(m_hHookOldCbtFilter);
}

_AFX_THREAD_STATE* AfxGetThreadState()
{
    // The holder is never destroyed, so the state outlives every object destroyed at exit.
    static CThreadLocal<_AFX_THREAD_STATE>* holder = new CThreadLocal<_AFX_THREAD_STATE>;
    return holder->GetData();
}

// These three live with the module state, not with the application: string, menu and
// drawing code uses them without pulling in the application machinery.
HINSTANCE AfxGetInstanceHandle()
{
    return AfxGetModuleState()->m_hCurrentInstanceHandle;
}

HINSTANCE AfxGetResourceHandle()
{
    return AfxGetModuleState()->m_hCurrentResourceHandle;
}

void AfxSetResourceHandle(HINSTANCE hInstResource)
{
    AfxGetModuleState()->m_hCurrentResourceHandle = hInstResource;
}
