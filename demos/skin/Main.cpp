// Opens the skin sheet by hand:  skin_demo.exe --sheet [--skin NAME]
// Right and Left switch between the test fixtures and the project's own skins, R mirrors.
// NAME is one of BorderFill, Office2007Fixture, Calm, CalmDark, Office2007, Quiet.
#include <windows.h>

#include <cwchar>
#include <string>

#include "demos/skin/SheetScene.h"
#include "platform/framework/WinApp.h"
#include "toolkit/foundation/Statics.h"

namespace {

class CSkinDemoApp : public CWinApp
{
public:
    CSkinDemoApp() : CWinApp(nullptr) {}

    BOOL InitApplication() override
    {
        QorToolkitStartup();
        return CWinApp::InitApplication();
    }

    BOOL InitInstance() override
    {
        skinscene::CSheetScene scene;
        if (!scene.Create(60, 60))
            return FALSE;
        LPCWSTR pszSkin = m_lpCmdLine ? wcsstr(m_lpCmdLine, L"--skin ") : nullptr;
        if (pszSkin) {
            std::wstring name(pszSkin + 7);
            name = name.substr(0, name.find(L' '));
            scene.SelectSkin(name.c_str());
        }
        MSG msg;
        while (scene.GetSafeHwnd() && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        return FALSE;
    }
};

CSkinDemoApp theApp;

} // namespace
