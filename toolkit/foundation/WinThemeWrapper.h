// The visual-styles wrapper: one theme handle and calls into UXTHEME bound at run time, so a
// missing library or entry point is an ordinary failure (E_FAIL or 0), never a load error.
#pragma once

#include <windows.h>
#include <uxtheme.h>

class CQorWinThemeWrapper
{
public:
    // bRebind: before opening or asking, follow a UXTHEME module that was loaded again (the
    // skin framework replaces it); such wrappers share one entry table, the others another.
    explicit CQorWinThemeWrapper(BOOL bRebind = FALSE);
    virtual ~CQorWinThemeWrapper();
    CQorWinThemeWrapper(const CQorWinThemeWrapper&) = delete;
    CQorWinThemeWrapper& operator=(const CQorWinThemeWrapper&) = delete;

    // Closes the held handle, then opens one for the class list (stays 0 when that fails).
    void OpenThemeData(HWND hWnd, LPCWSTR pszClassList);
    // Closes the held handle; the handle is 0 afterwards in every case.
    HRESULT CloseThemeData();
    HRESULT DrawThemeBackground(HDC hDC, int iPartId, int iStateId, const RECT* pRect, const RECT* pClipRect = nullptr);
    HRESULT GetThemeColor(int iPartId, int iStateId, int iPropId, COLORREF* pColor);
    BOOL GetThemeSysBool(); // flat menus (TMT_FLATMENUS)
    BOOL IsAppThemed();     // 0 without a handle
    BOOL IsThemeActive();
    HRESULT GetCurrentThemeName(LPWSTR pszThemeFileName, LPWSTR pszColorName, LPWSTR pszSizeName);

    HTHEME GetHandle() const { return m_hTheme; }

protected:
    HTHEME m_hTheme;
    BOOL m_bRebind;
};

// Test seam: how UXTHEME behaves for every wrapper.
enum QorThemeMode {
    qorThemeReal = 0,
    qorThemeOff = 1,     // IsThemeActive answers 0 and no handle opens
    qorThemeMissing = 2, // as if the library were not there
};
void QorSetThemeModeForTest(QorThemeMode mode);
QorThemeMode QorGetThemeMode();
