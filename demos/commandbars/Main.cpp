// Opens the command bars' scenes by hand:
//   commandbars_demo.exe             each theme's drawing operations, cell by cell
//   commandbars_demo.exe --services  hover a cell, drag a cell to the other bar, press Ctrl+Shift+F3
//   commandbars_demo.exe --bars      a frame with a tool bar from ids and a panel from a menu: hover,
//                                    click, F10 and arrows; Bold checks itself, Read Only greys Cut
//   commandbars_demo.exe --toolbars  the bars' frame: "Standard" and a second bar in the top row, a
//                                    third on the left; narrow the frame to wrap, then to squeeze
//   commandbars_demo.exe --popups    the bars' frame with the reader's popups: Text size drops its
//                                    sizes, Search runs or (arrow) opens its menu; a right click on
//                                    the view opens its context menu
#include <windows.h>

#include "demos/commandbars/BarsScene.h"
#include "demos/commandbars/PaintSwatchScene.h"
#include "demos/commandbars/PopupsScene.h"
#include "demos/commandbars/ServicesScene.h"
#include "demos/commandbars/ToolBarsScene.h"
#include "platform/framework/FrameWnd.h"
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
        if (m_lpCmdLine && wcsstr(m_lpCmdLine, L"--popups")) {
            CPopupsScene scene;
            const HWND hScene = scene.Create(100, 100);
            const HWND hView = scene.GetView() ? scene.GetView()->GetSafeHwnd() : nullptr;
            RunScene(
                hScene,
                [hScene, hView, &scene](MSG* pMsg) {
                    if (pMsg->message == WM_RBUTTONUP && pMsg->hwnd == hView) {
                        POINT pt = {static_cast<short>(LOWORD(pMsg->lParam)), static_cast<short>(HIWORD(pMsg->lParam))};
                        ::ClientToScreen(hView, &pt);
                        if (const int nCommand = scene.ShowContextMenu(CPoint(pt)))
                            ::PostMessageW(hScene, WM_COMMAND, nCommand, 0);
                        return TRUE;
                    }
                    CWnd* pFrame = CWnd::FromHandlePermanent(hScene);
                    return pFrame && ::IsWindow(hScene) && pFrame->PreTranslateMessage(pMsg) ? TRUE : FALSE;
                },
                [] { AfxIdleUpdateFrames(nullptr); });
        } else if (m_lpCmdLine && wcsstr(m_lpCmdLine, L"--toolbars")) {
            // The frame template hands messages to the manager first, as the reader's loop does.
            CToolBarsScene scene;
            const HWND hScene = scene.Create(100, 100);
            RunScene(
                hScene,
                [hScene](MSG* pMsg) {
                    CWnd* pFrame = CWnd::FromHandlePermanent(hScene);
                    return pFrame && ::IsWindow(hScene) && pFrame->PreTranslateMessage(pMsg);
                },
                [] { AfxIdleUpdateFrames(nullptr); });
        } else if (m_lpCmdLine && wcsstr(m_lpCmdLine, L"--bars")) {
            // The bars take their command states at idle time, as in a framework program.
            CBarsScene scene;
            RunScene(
                scene.Create(100, 100), [](MSG*) { return FALSE; }, [] { AfxIdleUpdateFrames(nullptr); });
        } else if (m_lpCmdLine && wcsstr(m_lpCmdLine, L"--services")) {
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
        RunScene(hScene, translate, [] {});
    }
    // idle runs once each time the queue empties.
    template <typename Translate, typename Idle> static void RunScene(HWND hScene, Translate translate, Idle idle)
    {
        MSG msg;
        while (hScene && ::IsWindow(hScene)) {
            if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
                idle();
                ::WaitMessage();
                continue;
            }
            if (::GetMessageW(&msg, nullptr, 0, 0) <= 0)
                break;
            if (translate(&msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
};

CCommandBarsDemoApp theApp;

} // namespace
