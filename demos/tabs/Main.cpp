// Opens the tab rows' scene by hand:
//   tabs_demo.exe [--appearance 0-3] [--color KIND] [--classic] [--rtl]
// appearance 0 PropertyPage, 1 PropertyPage2003, 2 VisualStudio, 3 Flat; colour kinds 1, 2, 4,
// 8, 16, 32; --classic draws without visual styles.
#include <windows.h>

#include <cwchar>

#include "demos/tabs/TabScene.h"
#include "platform/framework/WinApp.h"
#include "toolkit/foundation/Statics.h"
#include "toolkit/foundation/WinThemeWrapper.h"

namespace {

int Option(LPCWSTR pszLine, LPCWSTR pszName, int nDefault)
{
    LPCWSTR p = pszLine ? wcsstr(pszLine, pszName) : nullptr;
    return p ? _wtoi(p + wcslen(pszName)) : nDefault;
}

class CTabsDemoApp : public CWinApp
{
public:
    CTabsDemoApp() : CWinApp(nullptr) {}

    BOOL InitApplication() override
    {
        QorToolkitStartup();
        return CWinApp::InitApplication();
    }

    BOOL InitInstance() override
    {
        if (m_lpCmdLine && wcsstr(m_lpCmdLine, L"--classic"))
            QorSetThemeModeForTest(qorThemeOff);
        tabscene::CTabScene scene;
        if (!scene.Create(100, 100, 560, 360, m_lpCmdLine && wcsstr(m_lpCmdLine, L"--rtl")))
            return FALSE;
        scene.SetAppearance(static_cast<tabscene::SceneAppearance>(Option(m_lpCmdLine, L"--appearance ", 0)));
        const int nColor = Option(m_lpCmdLine, L"--color ", 0);
        if (nColor)
            scene.SetColorKind(nColor);
        MSG msg;
        while (scene.GetSafeHwnd() && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        return FALSE;
    }
};

CTabsDemoApp theApp;

} // namespace
