// System information and window helpers: the OS and common-controls versions, the
// multi-monitor entry points with single-screen fallbacks, work areas, and CQorModuleHandle,
// the owner of a module handle that knows whether it must free it.
#pragma once

#include <windows.h>
#include <shlwapi.h>

#include "platform/framework/Geometry.h"
#include "platform/framework/Strings.h"

class CWnd;

class CQorModuleHandle
{
public:
    enum { modeNone = 0, modeGetModule = 1, modeLoaded = 2 };

    CQorModuleHandle();
    // As Init, falling back to LoadLibrary when the module is not loaded yet.
    explicit CQorModuleHandle(LPCTSTR lpszModuleName);
    virtual ~CQorModuleHandle();
    CQorModuleHandle(const CQorModuleHandle&) = delete;
    CQorModuleHandle& operator=(const CQorModuleHandle&) = delete;

    // Releases what is held, then takes an already loaded module (never freed).
    BOOL Init(LPCTSTR lpszModuleName);
    // Releases what is held, then loads the module (freed on release).
    BOOL LoadLibrary(LPCTSTR lpszModuleName);
    // FALSE when no module is held or the entry is absent.
    BOOL GetProcAddress(LPCSTR lpszProcName, FARPROC* ppfn) const;
    template <class T> BOOL GetProcAddress(LPCSTR lpszProcName, T* ppfn) const
    {
        FARPROC pfn = nullptr;
        BOOL bResult = GetProcAddress(lpszProcName, &pfn);
        *ppfn = reinterpret_cast<T>(reinterpret_cast<void*>(pfn));
        return bResult;
    }
    // Frees the module only when it was loaded; then holds nothing.
    void Release();

    HINSTANCE GetHandle() const { return m_hModule; }
    int GetMode() const { return m_nMode; }
    const CString& GetName() const { return m_strModuleName; }
    // The module's DllGetVersion answer, asked once (size field 0 when it has none).
    const DLLVERSIONINFO& GetVersionInfo();

protected:
    CString m_strModuleName;
    HINSTANCE m_hModule;
    int m_nMode;
    DLLVERSIONINFO m_dvi;
};

// The OS version record, filled by GetVersionExW on the first request.
const OSVERSIONINFOW& GetOsVersionInfo();
// Test seam: a given record instead of the system's (null: the system's again).
void QorSetOsVersionInfoForTest(const OSVERSIONINFOW* pInfo);

// Common-controls version as major << 16 | minor; 4.0 when it cannot be asked.
DWORD GetComCtlVersion();
// Test seam: the library to ask instead of "COMCTL32.DLL" (null: that one again). The
// version is asked afresh after every change.
void QorSetComCtlLibraryForTest(LPCWSTR pszLibrary);

// The multi-monitor entry points of User32; all null when any one is missing.
struct CQorMultiMonitorApi
{
    int(WINAPI* pfnGetSystemMetrics)(int);
    HMONITOR(WINAPI* pfnMonitorFromWindow)(HWND, DWORD);
    HMONITOR(WINAPI* pfnMonitorFromRect)(LPCRECT, DWORD);
    HMONITOR(WINAPI* pfnMonitorFromPoint)(POINT, DWORD);
    BOOL(WINAPI* pfnGetMonitorInfo)(HMONITOR, LPMONITORINFO);
};
const CQorMultiMonitorApi& GetMultiMonitorApi();
// Test seam: a given table instead of User32's (null: User32's again).
void QorSetMultiMonitorApiForTest(const CQorMultiMonitorApi* pApi);

// Work area of a monitor; the system work area without a monitor or an entry point.
CRect GetMonitorWorkArea(const CQorMultiMonitorApi& api, HMONITOR hMonitor);
// Rectangle of a monitor; the full screen without a monitor or an entry point.
CRect GetMonitorRect(const CQorMultiMonitorApi& api, HMONITOR hMonitor);
// Work area of the monitor that holds the window (no default monitor).
void GetWorkAreaOfWindow(RECT& rcWorkArea, HWND hWnd, const CQorMultiMonitorApi& api = GetMultiMonitorApi());
// Work area of the monitor that holds the rectangle (no default monitor).
void GetWorkAreaFromRect(RECT& rcWorkArea, const RECT& rcSource);

// TRUE when the foreground window is the last active popup of the window's top-level owner.
BOOL IsOwnerChainActive(HWND hWnd);

// Thin wrappers used by the toolkit's scoped locks.
void QorDeleteCriticalSection(CRITICAL_SECTION* pSection);
void QorLeaveCriticalSection(CRITICAL_SECTION* pSection);
