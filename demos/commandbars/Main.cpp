// Opens the command-bar services' scene by hand: commandbars_demo.exe --services
// (hover a cell, drag a cell to the other bar, press Ctrl+Shift+F3).
#include <windows.h>

#include "demos/commandbars/ServicesScene.h"
#include "platform/framework/WinApp.h"
#include "toolkit/foundation/Statics.h"

namespace {

class CCommandBarsDemoApp : public CWinApp
{
public:
    CCommandBarsDemoApp() : CWinApp(nullptr) {}

    BOOL InitApplication() override
    {
        QorToolkitStartup();
        return CWinApp::InitApplication();
    }

    // The scene is a plain window: run it here until it closes, then end the program.
    BOOL InitInstance() override
    {
        if (!m_lpCmdLine || !wcsstr(m_lpCmdLine, L"--services"))
            return FALSE;
        CServicesScene scene;
        HWND hScene = scene.Create(100, 100);
        MSG msg;
        while (hScene && ::IsWindow(hScene) && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (scene.TranslateMessage(&msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        return FALSE;
    }
};

CCommandBarsDemoApp theApp;

} // namespace
