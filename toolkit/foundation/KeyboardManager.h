// The thread's keys while a menu bar or popup bar tracks the keyboard. One manager per
// user-interface thread installs a WH_KEYBOARD and a WH_CALLWNDPROC hook while at least one
// hook-able is registered and offers each key press to the hook-ables, last registered first.
//
// Answers (CQorHookManagerHookAble::OnHookMessage): 1 swallows the key, 2 lets it reach the
// focused window, 0 offers it on; when nobody answers, the key is swallowed.
#pragma once

#include <windows.h>

#include "platform/framework/Collections.h"
#include "platform/framework/ThreadLocal.h"
#include "toolkit/foundation/HookManager.h"

// What the keyboard manager needs of the thread's popup tracking. The command bars' mouse
// manager implements it and registers itself with its thread's keyboard manager when it is
// made; before that, nothing is tracked.
class CQorPopupChainTracker
{
public:
    virtual ~CQorPopupChainTracker() = default;
    // TRUE while a popup bar is tracked.
    virtual BOOL IsTrackingPopup() = 0;
    // Closes the tracked popup chain.
    virtual void CloseTrackedPopups() = 0;
};

class CQorKeyboardManager : public CNoTrackObject
{
public:
    CQorKeyboardManager();
    ~CQorKeyboardManager() override;

    // Appends a hook-able (once), installing the thread hooks with the first one.
    void HookKeyboard(CQorHookManagerHookAble* pHookAble);
    // Removes a hook-able; the thread hooks go with the last one.
    void UnhookKeyboard(CQorHookManagerHookAble* pHookAble);
    // Offers a message to the hook-ables (window 0); TRUE when it is to be swallowed.
    // The key hook offers WM_KEYDOWN; command bars offer other messages the same way.
    BOOL ProcessKeyboardHooks(UINT nMessage, WPARAM wParam, LPARAM lParam);

    BOOL IsHooked() const { return m_hHookKeyboard != nullptr; }
    BOOL IsHookAbleListed(CQorHookManagerHookAble* pHookAble) const;

    // The thread's popup tracking (null: nothing tracked). Not owned.
    void SetPopupChainTracker(CQorPopupChainTracker* pTracker) { m_pTracker = pTracker; }
    CQorPopupChainTracker* GetPopupChainTracker() const { return m_pTracker; }

private:
    static LRESULT CALLBACK KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CallWndProcHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    // Decides one key of the keyboard hook: TRUE swallows it.
    BOOL FilterKey(WPARAM wParam, LPARAM lParam);
    void RemoveHooks();

    HHOOK m_hHookKeyboard;
    HHOOK m_hHookCallWndProc;
    CList<CQorHookManagerHookAble*, CQorHookManagerHookAble*> m_lstHookAbles;
    CQorPopupChainTracker* m_pTracker;
};

// The calling thread's keyboard manager, made on first use.
CQorKeyboardManager* GetKeyboardManager();
// The calling thread's keyboard manager when it has one; never makes one (hook procedures,
// destructors at thread end).
CQorKeyboardManager* FindKeyboardManager();
// Makes the per-thread holder (start-up); later calls do nothing. Its exit routine deletes
// every thread's manager, which removes their hooks.
void QorCreateKeyboardManagerHolder();
