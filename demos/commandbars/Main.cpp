// Opens the command bars' scenes by hand:
//   commandbars_demo.exe             each theme's drawing operations, cell by cell
//   commandbars_demo.exe --services  hover a cell, drag a cell to the other bar, press Ctrl+Shift+F3
#include <windows.h>

#include "demos/commandbars/PaintSwatchScene.h"
#include "demos/commandbars/ServicesScene.h"
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
        if (m_lpCmdLine && wcsstr(m_lpCmdLine, L"--services")) {
            CServicesScene scene;
            RunScene(scene.Create(100, 100), [&scene](MSG* pMsg) { return scene.TranslateMessage(pMsg); });
        } else {
            RunScene(paintswatchscene::CreateScene(100, 100), [](MSG*) { return FALSE; });
        }
        return FALSE;
    }

private:
    template <typename Translate> static void RunScene(HWND hScene, Translate translate)
    {
        MSG msg;
        while (hScene && ::IsWindow(hScene) && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (translate(&msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
};

CCommandBarsDemoApp theApp;

} // namespace
