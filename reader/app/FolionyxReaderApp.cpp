#include "reader/app/FolionyxReaderApp.h"

#include <commctrl.h>
#include <shellapi.h>
#include <new>

#include "platform/framework/DocView.h"
#include "reader/ui/AboutDlg.h"
#include "reader/app/BookStartup.h"
#include "reader/ui/FolionyxReaderDoc.h"
#include "reader/ui/FolionyxReaderView.h"
#include "reader/ui/MainFrame.h"
#include "reader/ui/SplashWnd.h"
#include "resources/resource.h"
#include "toolkit/commandbars/PaintManagerStatics.h"
#include "toolkit/foundation/Statics.h"

BEGIN_MESSAGE_MAP(CFolionyxReaderApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, &CFolionyxReaderApp::OnAppAbout)
    ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, &CWinApp::OnFileOpen)
    ON_COMMAND(ID_FILE_PRINT_SETUP, &CWinApp::OnFilePrintSetup)
END_MESSAGE_MAP()

CFolionyxReaderApp::CFolionyxReaderApp() : CWinApp(nullptr) {}

namespace {

// Asks the shell once for its system image lists, which it builds on the first request from
// many icons; the attachments list attaches them while the frame is created.
DWORD WINAPI PrepareShellImageLists(LPVOID)
{
    const HRESULT hr = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    SHFILEINFOW info = {};
    ::SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    ::SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX);
    if (SUCCEEDED(hr))
        ::CoUninitialize();
    return 0;
}

// The shell builds its lists on another thread while this one reads the book and creates the
// frame: the first page needs neither the lists nor the wait for them. The frame's own request
// then finds them ready, or waits inside the shell until they are.
void StartPreparingShellImageLists()
{
    if (HANDLE thread = ::CreateThread(nullptr, 0, PrepareShellImageLists, nullptr, 0, nullptr))
        ::CloseHandle(thread);
}

} // namespace

BOOL CFolionyxReaderApp::InitApplication()
{
    // Registered messages, clipboard formats and the toolkit's holders exist before any
    // window of the program; the exit list tears them down after the application object.
    // The command bars' statics come first, so that they go last.
    QorCommandBarsStartup();
    QorToolkitStartup();
    return CWinApp::InitApplication();
}

BOOL CFolionyxReaderApp::InitInstance()
{
    StartPreparingShellImageLists();
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
    m_bSettingsRead = LoadBookFromModule(m_hInstance, m_ExeBookDocument, m_ExeBookResourceFiles);
    LoadLanguageModule(this);

    auto* pDocTemplate =
        new (std::nothrow) CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CFolionyxReaderDoc),
                                              RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CFolionyxReaderView));
    if (!pDocTemplate)
        return FALSE;
    AddDocTemplate(pDocTemplate);

    // Creates the document, the main frame and the view.
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;

    // A refused book closes its frame; its window is never shown.
    if (CMainFrame* frame = dynamic_cast<CMainFrame*>(m_pMainWnd)) {
        if (!frame->IsAccessGranted())
            return TRUE;
    }
    if (m_ExeBookDocument.m_bShowSplashScreen) {
        CSplashWnd::EnableSplashScreen(TRUE);
        CSplashWnd::ShowSplashScreen(m_pMainWnd);
    }
    m_pMainWnd->ShowWindow(m_ExeBookDocument.m_bWindowMaximized ? SW_SHOWMAXIMIZED : SW_SHOW);
    m_pMainWnd->UpdateWindow();
    return TRUE;
}

void CFolionyxReaderApp::OnAppAbout()
{
    CAboutDlg dialog;
    dialog.DoModal();
}
