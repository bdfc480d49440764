// Watching another window's messages. CQorHookManager subclasses each watched window once
// with one shared procedure and offers every message to the objects registered for that
// window (CQorHookManagerHookAble) before the window's own procedure runs. The keyboard
// manager offers the thread's keys to the same kind of object.
#pragma once

#include <windows.h>

#include "platform/framework/Collections.h"

// Answers of OnHookMessage.
enum {
    QOR_HOOK_OFFER_ON = 0, // not handled: offer to the next one, then to the window
    QOR_HOOK_CONSUMED = 1, // handled: the window's procedure does not run; the result is returned
    QOR_HOOK_PASS = 2,     // stop offering, but let the window (or the focused window) have it
};

class CQorHookManagerHookAble
{
public:
    CQorHookManagerHookAble() : m_bAutoDelete(FALSE) {}
    virtual ~CQorHookManagerHookAble() = default;

    // One of the answers above. A hook-able may change wParam and lParam for those offered
    // after it and for the window's own procedure.
    virtual int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) = 0;

    // Deleted by the hook manager when removed from a window or when the window is destroyed.
    BOOL m_bAutoDelete;
};

class CQorHookManager
{
public:
    // The hook-ables of one subclassed window. A sink may be left (removed, window destroyed)
    // while one of its hook-ables runs: it then stays alive until the outermost call of the
    // shared procedure for its window returns. An auto-delete hook-able may watch several
    // windows: it is deleted once, when the last sink drops it and no offer runs.
    class CHookSink
    {
    public:
        CHookSink(HWND hWnd, WNDPROC pfnPrevious);
        virtual ~CHookSink();
        CHookSink(const CHookSink&) = delete;
        CHookSink& operator=(const CHookSink&) = delete;

        // Appends unless already listed.
        void AddHookAble(CQorHookManagerHookAble* pHookAble);
        // Removes the first occurrence (deleting it when it is auto-delete); an emptied sink
        // leaves the window.
        void RemoveHookAble(CQorHookManagerHookAble* pHookAble);
        BOOL HasHookAble(CQorHookManagerHookAble* pHookAble) const;
        INT_PTR GetCount() const { return m_arrHookAbles.GetSize(); }

        HWND GetHwnd() const { return m_hWnd; }
        WNDPROC GetPreviousProc() const { return m_pfnPrevious; }

    private:
        friend class CQorHookManager;
        // Offers a message, last registered first; TRUE when a hook-able consumed it.
        BOOL Offer(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult);
        // Restores the window's procedure and drops the hook-ables; the sink is then detached.
        void Detach();

        CArray<CQorHookManagerHookAble*, CQorHookManagerHookAble*> m_arrHookAbles;
        WNDPROC m_pfnPrevious;
        HWND m_hWnd;
        int m_nDispatchDepth; // calls of the shared procedure running for this sink
        BOOL m_bDetached;     // out of the map, procedure restored; deleted when depth is 0
    };

    CQorHookManager();
    ~CQorHookManager();
    CQorHookManager(const CQorHookManager&) = delete;
    CQorHookManager& operator=(const CQorHookManager&) = delete;

    // Registers a hook-able for a window, subclassing the window on its first registration.
    // FALSE, with nothing stored, when the window does not exist or belongs to another process.
    BOOL SetHook(HWND hWnd, CQorHookManagerHookAble* pHookAble);
    // Removes the hook-able from every window.
    void RemoveAll(CQorHookManagerHookAble* pHookAble);
    // The sink of a window, or null.
    CHookSink* Lookup(HWND hWnd) const;

    static LRESULT CALLBACK HookSinkWindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);

private:
    void RemoveSink(CHookSink* pSink);
    LRESULT Dispatch(CHookSink* pSink, HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    // Called when a sink drops an auto-delete hook-able: deletes it once no sink holds it,
    // as soon as no offer runs.
    void ReleaseHookAble(CQorHookManagerHookAble* pHookAble);
    BOOL IsHeldBySink(CQorHookManagerHookAble* pHookAble) const;
    void FlushPendingDeletes();
    // A window whose procedure was subclassed again after ours cannot get its first procedure
    // back without cutting the later subclass out: ours stays in the chain and passes every
    // message through to the procedure it replaced.
    void LeavePassThrough(HWND hWnd, WNDPROC pfnPrevious);
    WNDPROC TakePassThrough(HWND hWnd);

    CMapPtrToPtr m_mapSinks;        // HWND -> CHookSink*
    CMapPtrToPtr m_mapPassThrough;  // HWND -> WNDPROC that our procedure forwards to
    CArray<CQorHookManagerHookAble*, CQorHookManagerHookAble*> m_arrPendingDeletes;
    int m_nDispatchDepth = 0;       // calls of the shared procedure running, all windows
};

// The process's hook manager, made on first use; its exit routine restores every window still
// subclassed.
CQorHookManager* GetHookManager();
