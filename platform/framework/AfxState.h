// The framework's module state (instance, resource module, application object) and its
// per-thread state (current message, window-creation hook, current thread object).
#pragma once

#include <windows.h>
#include "platform/framework/ThreadLocal.h"

class CWinApp;
class CWinThread;
class CWnd;

struct AFX_MODULE_STATE
{
    CWinApp* m_pCurrentWinApp;          // the application object, or null
    HINSTANCE m_hCurrentInstanceHandle; // the executable's module
    HINSTANCE m_hCurrentResourceHandle; // where strings, dialogs, menus and icons come from
    LPCTSTR m_lpszCurrentAppName;
};

// The process's module state; instance and resource handle start as the executable's.
AFX_MODULE_STATE* AfxGetModuleState();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);

class _AFX_THREAD_STATE : public CNoTrackObject
{
public:
    _AFX_THREAD_STATE();
    ~_AFX_THREAD_STATE() override;

    // The message that the framework's window procedure is handling (Default() passes it
    // on); saved and restored around every nested call.
    MSG m_lastSentMsg;
    // The message the thread's pump retrieved last (WM_QUIT carries the exit code).
    MSG m_msgCur;
    // Idle detection: a mouse move to the same place as the last one is not new input.
    POINT m_ptCursorLast;
    UINT m_nMsgLast;

    CWinThread* m_pCurrentWinThread; // the thread object of this thread, or null

    // Window creation: the object to attach to the next window this thread creates.
    CWnd* m_pWndInit;
    HHOOK m_hHookOldCbtFilter;

    // Temporary wrappers (FromHandle) are kept while this is non-zero.
    int m_nTempMapLock;

    // The popup menu being shown (last WM_INITMENUPOPUP, or the one CMenu::TrackPopupMenu
    // shows): owner-drawn items are measured without a menu handle, so the owner looks for
    // the item's id here.
    HMENU m_hTrackingMenu;
};

_AFX_THREAD_STATE* AfxGetThreadState();
