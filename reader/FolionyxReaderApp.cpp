#include "reader/FolionyxReaderApp.h"

#include <commctrl.h>
#include <new>

#include "platform/framework/DocView.h"
#include "reader/FolionyxReaderDoc.h"
#include "reader/FolionyxReaderView.h"
#include "reader/MainFrame.h"
#include "resources/resource.h"

BEGIN_MESSAGE_MAP(CFolionyxReaderApp, CWinApp)
    ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, &CWinApp::OnFileOpen)
    ON_COMMAND(ID_FILE_PRINT_SETUP, &CWinApp::OnFilePrintSetup)
END_MESSAGE_MAP()

CFolionyxReaderApp::CFolionyxReaderApp() : CWinApp(nullptr)
{
}

BOOL CFolionyxReaderApp::InitInstance()
{
    INITCOMMONCONTROLSEX icc = {sizeof(INITCOMMONCONTROLSEX), 0xFF};
    ::InitCommonControlsEx(&icc);
    CWinApp::InitInstance();
    AfxEnableControlContainer();
    SetRegistryKey(L"Folionyx\\FolionyxReader");

    auto* pDocTemplate = new (std::nothrow) CSingleDocTemplate(
        IDR_MAINFRAME, RUNTIME_CLASS(CFolionyxReaderDoc), RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CFolionyxReaderView));
    if (!pDocTemplate)
        return FALSE;
    AddDocTemplate(pDocTemplate);

    // Creates the document, the main frame and the view.
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;

    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    return TRUE;
}
