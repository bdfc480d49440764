// Opens the foundation's swatch scene by hand: foundation_demo.exe
// its image scene: foundation_demo.exe --images
// or its tool-tip scene, with tips of one style (0 to 6): foundation_demo.exe --tips [STYLE]
#include <windows.h>

#include "demos/foundation/ImageScene.h"
#include "demos/foundation/SwatchScene.h"
#include "demos/foundation/TipScene.h"
#include "platform/framework/WinApp.h"
#include "toolkit/foundation/Statics.h"

namespace {

class CFoundationDemoApp : public CWinApp
{
public:
    CFoundationDemoApp() : CWinApp(nullptr) {}

    BOOL InitApplication() override
    {
        QorToolkitStartup();
        return CWinApp::InitApplication();
    }

    // The scene is a plain window: run it here until it closes, then end the program.
    BOOL InitInstance() override
    {
        LPCWSTR pszTips = m_lpCmdLine ? wcsstr(m_lpCmdLine, L"--tips") : nullptr;
        const bool bImages = m_lpCmdLine && wcsstr(m_lpCmdLine, L"--images");
        CImageScene images(::GetModuleHandleW(nullptr));
        HWND hScene = pszTips   ? tipscene::CreateScene(100, 100, _wtoi(pszTips + 6))
                      : bImages ? images.Create(SW_SHOW)
                                : swatchscene::CreateScene(100, 100);
        MSG msg;
        while (hScene && ::IsWindow(hScene) && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        return FALSE;
    }
};

CFoundationDemoApp theApp;

} // namespace
