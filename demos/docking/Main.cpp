// Opens the docking panes' demo scene by hand:  docking_demo.exe [--unthemed]
// (--unthemed: the classic look, as without visual styles).
#include <windows.h>

#include <commctrl.h>

#include "demos/docking/DockingScene.h"
#include "platform/framework/WinApp.h"
#include "toolkit/foundation/Statics.h"
#include "toolkit/foundation/WinThemeWrapper.h"

namespace {

class CDockingDemoApp : public CWinApp
{
public:
    CDockingDemoApp() : CWinApp(nullptr) {}

    BOOL InitApplication() override
    {
        QorToolkitStartup();
        return CWinApp::InitApplication();
    }

    BOOL InitInstance() override
    {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&icc);
        if (m_lpCmdLine && wcsstr(m_lpCmdLine, L"--unthemed"))
            QorSetThemeModeForTest(qorThemeOff);
        CDockingSceneFrame* pFrame = new CDockingSceneFrame();
        if (!pFrame->CreateScene(900, 600, TRUE))
            return FALSE;
        pFrame->m_paneManager.ShowPaneById(DOCKING_SCENE_SEARCH);
        pFrame->m_paneManager.ShowPaneById(DOCKING_SCENE_ATTACHMENTS);
        pFrame->ShowWindow(SW_SHOW);
        pFrame->UpdateWindow();
        m_pMainWnd = pFrame;
        return TRUE;
    }
};

CDockingDemoApp theApp;

} // namespace
