// Opens the foundation's swatch scene by hand: foundation_demo.exe
#include <windows.h>

#include "demos/foundation/SwatchScene.h"
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
        HWND hScene = swatchscene::CreateScene(100, 100);
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
