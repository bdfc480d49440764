#include "toolkit/foundation/WinThemeWrapper.h"

#include "toolkit/foundation/Statics.h"
#include "toolkit/foundation/SystemInfo.h"

namespace {

// Slots of the entry table; the rest of the 52 are kept for entries later users bind.
enum ThemeEntry {
    entryDrawThemeBackground = 0,
    entryCloseThemeData = 1,
    entryOpenThemeData = 4,
    entryIsThemeActive = 8,
    entryIsAppThemed = 9,
    entryGetThemeSysBool = 20,
    entryGetThemeColor = 34,
    entryGetCurrentThemeName = 40,
    entryCount = 52,
};

const char* const kEntryNames[entryCount] = {
    "DrawThemeBackground",
    "CloseThemeData",
    nullptr,
    nullptr,
    "OpenThemeData",
    nullptr,
    nullptr,
    nullptr,
    "IsThemeActive",
    "IsAppThemed",
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    "GetThemeSysBool",
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    "GetThemeColor",
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    "GetCurrentThemeName",
};

QorThemeMode g_themeMode = qorThemeReal;

// The entry points of one UXTHEME module, each looked up on first use. The lookups go through
// this module's own imports of GetModuleHandleA and GetProcAddress, which the skin framework
// redirects.
struct ThemeEntryTable
{
    HMODULE hModule = nullptr;
    FARPROC slots[entryCount] = {};
    DWORD dwComCtlVersion = 0;

    ThemeEntryTable()
    {
        GetOsVersionInfo();
        dwComCtlVersion = GetComCtlVersion();
        hModule = ::LoadLibraryW(L"UXTHEME.DLL");
    }
    ~ThemeEntryTable()
    {
        if (hModule)
            ::FreeLibrary(hModule);
    }

    void Rebind()
    {
        HMODULE hCurrent = ::GetModuleHandleA("UXTHEME.DLL");
        if (hCurrent == hModule)
            return;
        // The loaded module is the current one now; our own reference is no longer needed.
        if (hModule)
            ::FreeLibrary(hModule);
        hModule = hCurrent ? ::LoadLibraryW(L"UXTHEME.DLL") : nullptr;
        for (FARPROC& slot : slots)
            slot = nullptr;
    }

    template <class T> T Entry(ThemeEntry entry)
    {
        if (g_themeMode == qorThemeMissing || !hModule)
            return nullptr;
        if (!slots[entry] && kEntryNames[entry])
            slots[entry] = ::GetProcAddress(hModule, kEntryNames[entry]);
        return reinterpret_cast<T>(reinterpret_cast<void*>(slots[entry]));
    }
};

ThemeEntryTable* g_tables[2] = {};

void DestroyTables()
{
    for (ThemeEntryTable*& table : g_tables) {
        delete table;
        table = nullptr;
    }
}

ThemeEntryTable& Table(BOOL bRebind)
{
    ThemeEntryTable*& table = g_tables[bRebind ? 1 : 0];
    if (!table) {
        if (!g_tables[0] && !g_tables[1])
            QorAddExitRoutine(DestroyTables, L"WinThemeWrapper");
        table = new ThemeEntryTable();
    }
    return *table;
}

typedef HTHEME(WINAPI* OpenThemeDataFn)(HWND, LPCWSTR);
typedef HRESULT(WINAPI* CloseThemeDataFn)(HTHEME);
typedef HRESULT(WINAPI* DrawThemeBackgroundFn)(HTHEME, HDC, int, int, const RECT*, const RECT*);
typedef HRESULT(WINAPI* GetThemeColorFn)(HTHEME, int, int, int, COLORREF*);
typedef BOOL(WINAPI* GetThemeSysBoolFn)(HTHEME, int);
typedef BOOL(WINAPI* BoolFn)();
typedef HRESULT(WINAPI* GetCurrentThemeNameFn)(LPWSTR, int, LPWSTR, int, LPWSTR, int);

} // namespace

void QorSetThemeModeForTest(QorThemeMode mode)
{
    g_themeMode = mode;
}

QorThemeMode QorGetThemeMode()
{
    return g_themeMode;
}

CQorWinThemeWrapper::CQorWinThemeWrapper(BOOL bRebind) : m_hTheme(nullptr), m_bRebind(bRebind) {}

CQorWinThemeWrapper::~CQorWinThemeWrapper()
{
    CloseThemeData();
}

void CQorWinThemeWrapper::OpenThemeData(HWND hWnd, LPCWSTR pszClassList)
{
    ThemeEntryTable& table = Table(m_bRebind);
    if (m_bRebind)
        table.Rebind();
    CloseThemeData();
    if (g_themeMode == qorThemeOff)
        return;
    if (auto pfn = table.Entry<OpenThemeDataFn>(entryOpenThemeData))
        m_hTheme = pfn(hWnd, pszClassList);
}

HRESULT CQorWinThemeWrapper::CloseThemeData()
{
    HRESULT hr = 0;
    if (m_hTheme) {
        if (auto pfn = Table(m_bRebind).Entry<CloseThemeDataFn>(entryCloseThemeData))
            hr = pfn(m_hTheme);
    }
    m_hTheme = nullptr;
    return hr;
}

HRESULT CQorWinThemeWrapper::DrawThemeBackground(HDC hDC, int iPartId, int iStateId, const RECT* pRect,
                                                 const RECT* pClipRect)
{
    auto pfn = m_hTheme ? Table(m_bRebind).Entry<DrawThemeBackgroundFn>(entryDrawThemeBackground) : nullptr;
    return pfn ? pfn(m_hTheme, hDC, iPartId, iStateId, pRect, pClipRect) : E_FAIL;
}

HRESULT CQorWinThemeWrapper::GetThemeColor(int iPartId, int iStateId, int iPropId, COLORREF* pColor)
{
    auto pfn = m_hTheme ? Table(m_bRebind).Entry<GetThemeColorFn>(entryGetThemeColor) : nullptr;
    return pfn ? pfn(m_hTheme, iPartId, iStateId, iPropId, pColor) : E_FAIL;
}

BOOL CQorWinThemeWrapper::GetThemeSysBool()
{
    auto pfn = Table(m_bRebind).Entry<GetThemeSysBoolFn>(entryGetThemeSysBool);
    return pfn ? pfn(m_hTheme, 1001) : FALSE;
}

BOOL CQorWinThemeWrapper::IsAppThemed()
{
    if (!m_hTheme)
        return FALSE;
    auto pfn = Table(m_bRebind).Entry<BoolFn>(entryIsAppThemed);
    return pfn ? pfn() : FALSE;
}

BOOL CQorWinThemeWrapper::IsThemeActive()
{
    ThemeEntryTable& table = Table(m_bRebind);
    if (m_bRebind && !m_hTheme)
        table.Rebind();
    if (g_themeMode == qorThemeOff)
        return FALSE;
    auto pfn = table.Entry<BoolFn>(entryIsThemeActive);
    return pfn ? pfn() : FALSE;
}

HRESULT CQorWinThemeWrapper::GetCurrentThemeName(LPWSTR pszThemeFileName, LPWSTR pszColorName, LPWSTR pszSizeName)
{
    ThemeEntryTable& table = Table(m_bRebind);
    if (m_bRebind)
        table.Rebind();
    auto pfn = table.Entry<GetCurrentThemeNameFn>(entryGetCurrentThemeName);
    return pfn ? pfn(pszThemeFileName, MAX_PATH, pszColorName, MAX_PATH, pszSizeName, MAX_PATH) : E_FAIL;
}
