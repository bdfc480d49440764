// Finding another process's windows, for programs that start the reader and watch it.
#pragma once

#include <windows.h>

namespace testsupport {

namespace detail {

struct ProcessWindowSearch
{
    DWORD pid;
    bool (*accept)(HWND, const void*);
    const void* context;
    HWND found;
};

// A named callback: on i686 a lambda does not convert to the system's calling convention.
inline BOOL CALLBACK FindProcessWindowProc(HWND hwnd, LPARAM lp)
{
    auto* search = reinterpret_cast<ProcessWindowSearch*>(lp);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid != search->pid || !::IsWindowVisible(hwnd) || !search->accept(hwnd, search->context))
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

} // namespace detail

// The first visible top-level window of a process for which `accept` holds.
inline HWND FindProcessWindow(DWORD pid, bool (*accept)(HWND hwnd, const void* context), const void* context)
{
    detail::ProcessWindowSearch search = {pid, accept, context, nullptr};
    ::EnumWindows(detail::FindProcessWindowProc, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Whether a window is of a window class (case ignored); the context is the class name.
inline bool IsWindowOfClass(HWND hwnd, const void* className)
{
    wchar_t name[64] = {};
    ::GetClassNameW(hwnd, name, 64);
    return ::lstrcmpiW(name, static_cast<LPCWSTR>(className)) == 0;
}

// Whether a window has no owner window: a program's main window rather than a dialog or popup.
inline bool IsUnownedWindow(HWND hwnd, const void*)
{
    return ::GetWindow(hwnd, GW_OWNER) == nullptr;
}

} // namespace testsupport
