// Opens the command bars' paint scene by hand: commandbars_demo.exe
#include <windows.h>

#include "demos/commandbars/PaintSwatchScene.h"
#include "platform/framework/WinApp.h"
#include "toolkit/commandbars/PaintManagerStatics.h"
#include "toolkit/foundation/Statics.h"

namespace {

class CCommandBarsDemoApp : public CWinApp
{
public:
    CCommandBarsDemoApp() : CWinApp(nullptr) {}

    BOOL InitApplication() override
    {
        QorCommandBarsStartup();
        QorToolkitStartup();
        return CWinApp::InitApplication();
    }

    // The scene is a plain window: run it here until it closes, then end the program.
    BOOL InitInstance() override
    {
        HWND hScene = paintswatchscene::CreateScene(100, 100);
        MSG msg;
        while (hScene && ::IsWindow(hScene) && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        return FALSE;
    }
};

CCommandBarsDemoApp theApp;

} // namespace
