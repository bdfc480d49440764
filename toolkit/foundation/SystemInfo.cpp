#include "toolkit/foundation/SystemInfo.h"

#include "toolkit/foundation/Statics.h"

// ---------------------------------------------------------------------------------------------
// CQorModuleHandle

CQorModuleHandle::CQorModuleHandle() : m_hModule(nullptr), m_nMode(modeNone), m_dvi{} {}

CQorModuleHandle::CQorModuleHandle(LPCTSTR lpszModuleName) : CQorModuleHandle()
{
    if (!Init(lpszModuleName))
        LoadLibrary(lpszModuleName);
}

CQorModuleHandle::~CQorModuleHandle()
{
    Release();
}

void CQorModuleHandle::Release()
{
    if (m_nMode == modeLoaded && m_hModule)
        ::FreeLibrary(m_hModule);
    m_hModule = nullptr;
    m_nMode = modeNone;
    m_strModuleName.Empty();
    m_dvi = DLLVERSIONINFO{};
}

BOOL CQorModuleHandle::Init(LPCTSTR lpszModuleName)
{
    Release();
    if (!lpszModuleName)
        return FALSE;
    m_hModule = ::GetModuleHandleW(lpszModuleName);
    if (!m_hModule)
        return FALSE;
    m_nMode = modeGetModule;
    m_strModuleName = lpszModuleName;
    return TRUE;
}

BOOL CQorModuleHandle::LoadLibrary(LPCTSTR lpszModuleName)
{
    Release();
    if (!lpszModuleName)
        return FALSE;
    m_hModule = ::LoadLibraryW(lpszModuleName);
    if (!m_hModule)
        return FALSE;
    m_nMode = modeLoaded;
    m_strModuleName = lpszModuleName;
    return TRUE;
}

BOOL CQorModuleHandle::GetProcAddress(LPCSTR lpszProcName, FARPROC* ppfn) const
{
    *ppfn = m_hModule ? ::GetProcAddress(m_hModule, lpszProcName) : nullptr;
    return *ppfn != nullptr;
}

const DLLVERSIONINFO& CQorModuleHandle::GetVersionInfo()
{
    if (m_dvi.cbSize == 0 && m_hModule) {
        DLLGETVERSIONPROC pfnGetVersion = nullptr;
        if (GetProcAddress("DllGetVersion", &pfnGetVersion)) {
            DLLVERSIONINFO dvi{};
            dvi.cbSize = sizeof(dvi);
            if (SUCCEEDED(pfnGetVersion(&dvi)))
                m_dvi = dvi;
        }
    }
    return m_dvi;
}

// ---------------------------------------------------------------------------------------------
// Versions

namespace {

OSVERSIONINFOW g_osVersion{};
bool g_osVersionRead = false;
const OSVERSIONINFOW* g_pOsVersionForTest = nullptr;

DWORD g_dwComCtlVersion = 0;

} // namespace

const OSVERSIONINFOW& GetOsVersionInfo()
{
    if (g_pOsVersionForTest)
        return *g_pOsVersionForTest;
    if (!g_osVersionRead) {
        g_osVersion.dwOSVersionInfoSize = sizeof(g_osVersion);
        ::GetVersionExW(&g_osVersion);
        g_osVersionRead = true;
    }
    return g_osVersion;
}

void QorSetOsVersionInfoForTest(const OSVERSIONINFOW* pInfo)
{
    g_pOsVersionForTest = pInfo;
}

namespace {

LPCWSTR g_pszComCtlLibraryForTest = nullptr;

} // namespace

void QorSetComCtlLibraryForTest(LPCWSTR pszLibrary)
{
    g_pszComCtlLibraryForTest = pszLibrary;
    g_dwComCtlVersion = 0;
}

DWORD GetComCtlVersion()
{
    if (g_dwComCtlVersion != 0)
        return g_dwComCtlVersion;
    CQorModuleHandle comctl(g_pszComCtlLibraryForTest ? g_pszComCtlLibraryForTest : L"COMCTL32.DLL");
    const DLLVERSIONINFO& dvi = comctl.GetVersionInfo();
    DWORD dwVersion = (dvi.dwMajorVersion << 16) | (dvi.dwMinorVersion & 0xFFFF);
    g_dwComCtlVersion = dwVersion != 0 ? dwVersion : 0x40000;
    return g_dwComCtlVersion;
}

// ---------------------------------------------------------------------------------------------
// Monitors

namespace {

CQorMultiMonitorApi g_monitorApi{};
CQorModuleHandle* g_pUser32 = nullptr;
bool g_monitorApiBuilt = false;
const CQorMultiMonitorApi* g_pMonitorApiForTest = nullptr;

void ReleaseMultiMonitorModule()
{
    delete g_pUser32;
    g_pUser32 = nullptr;
    g_monitorApi = CQorMultiMonitorApi{};
    g_monitorApiBuilt = false;
}

void BuildMultiMonitorApi()
{
    g_pUser32 = new CQorModuleHandle(L"User32.dll");
    QorAddExitRoutine(ReleaseMultiMonitorModule, L"MultiMonitorApi");
    const OSVERSIONINFOW& os = GetOsVersionInfo();
    bool bWide = os.dwPlatformId >= VER_PLATFORM_WIN32_NT && os.dwMajorVersion >= 4;
    CQorMultiMonitorApi api{};
    bool bAll = g_pUser32->GetProcAddress("GetSystemMetrics", &api.pfnGetSystemMetrics) &&
                g_pUser32->GetProcAddress("MonitorFromWindow", &api.pfnMonitorFromWindow) &&
                g_pUser32->GetProcAddress("MonitorFromRect", &api.pfnMonitorFromRect) &&
                g_pUser32->GetProcAddress("MonitorFromPoint", &api.pfnMonitorFromPoint) &&
                g_pUser32->GetProcAddress(bWide ? "GetMonitorInfoW" : "GetMonitorInfoA", &api.pfnGetMonitorInfo);
    g_monitorApi = bAll ? api : CQorMultiMonitorApi{};
}

} // namespace

const CQorMultiMonitorApi& GetMultiMonitorApi()
{
    if (g_pMonitorApiForTest)
        return *g_pMonitorApiForTest;
    if (!g_monitorApiBuilt) {
        g_monitorApiBuilt = true;
        BuildMultiMonitorApi();
    }
    return g_monitorApi;
}

void QorSetMultiMonitorApiForTest(const CQorMultiMonitorApi* pApi)
{
    g_pMonitorApiForTest = pApi;
}

CRect GetMonitorWorkArea(const CQorMultiMonitorApi& api, HMONITOR hMonitor)
{
    CRect rc(0, 0, 0, 0);
    if (hMonitor && api.pfnGetMonitorInfo) {
        MONITORINFO mi{};
        mi.cbSize = sizeof(mi);
        if (api.pfnGetMonitorInfo(hMonitor, &mi))
            return CRect(mi.rcWork);
    }
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rc, 0);
    return rc;
}

CRect GetMonitorRect(const CQorMultiMonitorApi& api, HMONITOR hMonitor)
{
    if (hMonitor && api.pfnGetMonitorInfo) {
        MONITORINFO mi{};
        mi.cbSize = sizeof(mi);
        if (api.pfnGetMonitorInfo(hMonitor, &mi))
            return CRect(mi.rcMonitor);
    }
    return CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}

void GetWorkAreaOfWindow(RECT& rcWorkArea, HWND hWnd, const CQorMultiMonitorApi& api)
{
    HMONITOR hMonitor = api.pfnMonitorFromWindow ? api.pfnMonitorFromWindow(hWnd, MONITOR_DEFAULTTONULL) : nullptr;
    rcWorkArea = GetMonitorWorkArea(api, hMonitor);
}

void GetWorkAreaFromRect(RECT& rcWorkArea, const RECT& rcSource)
{
    const CQorMultiMonitorApi& api = GetMultiMonitorApi();
    HMONITOR hMonitor = api.pfnMonitorFromRect ? api.pfnMonitorFromRect(&rcSource, MONITOR_DEFAULTTONULL) : nullptr;
    rcWorkArea = GetMonitorWorkArea(api, hMonitor);
}

BOOL IsOwnerChainActive(HWND hWnd)
{
    if (!hWnd || !::IsWindow(hWnd))
        return FALSE;
    HWND hTop = hWnd;
    for (HWND hNext = ::GetParent(hTop); hNext; hNext = ::GetParent(hTop))
        hTop = hNext;
    HWND hForeground = ::GetForegroundWindow();
    return hForeground && ::GetLastActivePopup(hTop) == hForeground;
}

void QorDeleteCriticalSection(CRITICAL_SECTION* pSection)
{
    ::DeleteCriticalSection(pSection);
}

void QorLeaveCriticalSection(CRITICAL_SECTION* pSection)
{
    ::LeaveCriticalSection(pSection);
}
