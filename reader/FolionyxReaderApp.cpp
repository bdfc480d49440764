#include "reader/FolionyxReaderApp.h"

#include <commctrl.h>
#include <new>

#include "platform/framework/DocView.h"
#include "reader/BookStartup.h"
#include "reader/FolionyxReaderDoc.h"
#include "reader/FolionyxReaderView.h"
#include "reader/MainFrame.h"
#include "resources/resource.h"
#include "toolkit/foundation/Statics.h"

BEGIN_MESSAGE_MAP(CFolionyxReaderApp, CWinApp)
    ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, &CWinApp::OnFileOpen)
    ON_COMMAND(ID_FILE_PRINT_SETUP, &CWinApp::OnFilePrintSetup)
END_MESSAGE_MAP()

CFolionyxReaderApp::CFolionyxReaderApp() : CWinApp(nullptr)
{
}

BOOL CFolionyxReaderApp::InitApplication()
{
    // Registered messages, clipboard formats and the toolkit's holders exist before any
    // window of the program; the exit list tears them down after the application object.
    QorToolkitStartup();
    return CWinApp::InitApplication();
}

BOOL CFolionyxReaderApp::InitInstance()
{
    INITCOMMONCONTROLSEX icc = {sizeof(INITCOMMONCONTROLSEX), 0xFF};
    ::InitCommonControlsEx(&icc);
    CWinApp::InitInstance();
    AfxEnableControlContainer();

    typedef BOOL(WINAPI * SetProcessDPIAwareFn)();
    auto setDpiAware = reinterpret_cast<SetProcessDPIAwareFn>(
        ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "SetProcessDPIAware"));
    if (setDpiAware)
        setDpiAware();

    SetRegistryKey(L"Folionyx\\FolionyxReader");

    // The book: settings (defaults stay without them), tool-bar command ids and the
    // packed-file index, all from this executable's own resources.
    LoadBookFromModule(m_hInstance, m_ExeBookDocument, m_ExeBookResourceFiles);
    LoadLanguageModule(this);

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

    // Seam: the splash window (when m_bShowSplashScreen asks for it) shows here over
    // the main window once it exists; the frame's own steps (panes, password gate,
    // contents) belong to the main frame's creation. Until then the plain frame shows.
    m_pMainWnd->ShowWindow(m_ExeBookDocument.m_bWindowMaximized ? SW_SHOWMAXIMIZED : SW_SHOW);
    m_pMainWnd->UpdateWindow();
    return TRUE;
}
