// CWinThread and CWinApp: threads with a message loop, idle-time processing and the
// application object; the module state (instance and resource module) and the helpers
// around them (AfxGetApp, AfxGetMainWnd, AfxMessageBox, AfxRegisterWndClass, AfxBeginThread).
//
// The application object is a global of the program (one per process); its constructor
// registers it. The framework's wWinMain runs it: InitInstance, Run, ExitInstance.
#pragma once

#include <windows.h>
#include <functional>
#include "platform/framework/AfxState.h"
#include "platform/framework/CmdTarget.h"
#include "platform/framework/Collections.h"
#include "platform/framework/Strings.h"
#include "platform/framework/ThreadLocal.h"
#include "platform/framework/Wnd.h"

class CDocTemplate;
class CDocument;
class CCommandLineInfo;
class CException;

typedef UINT (*AFX_THREADPROC)(LPVOID);

class CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    ~CWinThread() override;

    // Starts the thread (suspended with CREATE_SUSPENDED). The handle and id are valid when
    // this returns, before the thread runs any code of its own.
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);

    CWnd* m_pMainWnd; // the thread's main window; its destruction ends the message loop
    CWnd* m_pActiveWnd;
    BOOL m_bAutoDelete; // delete the object when the thread ends
    HANDLE m_hThread;
    DWORD m_nThreadID;
    LPVOID m_pThreadParams;
    AFX_THREADPROC m_pfnThreadProc;

    operator HANDLE() const { return m_hThread; }
    int GetThreadPriority() const { return ::GetThreadPriority(m_hThread); }
    BOOL SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }
    DWORD SuspendThread() { return ::SuspendThread(m_hThread); }
    DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        return ::PostThreadMessageW(m_nThreadID, message, wParam, lParam);
    }

    virtual CWnd* GetMainWnd();
    virtual BOOL InitInstance();
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL PumpMessage();
    // lCount 0: command states of the main window and the thread's frames are updated
    // (WM_IDLEUPDATECMDUI); 1: temporary wrappers are freed. TRUE while more idle work waits.
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL IsIdleMessage(MSG* pMsg);
    virtual int ExitInstance();
    virtual void Delete();
    // Thread messages (no window) through ON_THREAD_MESSAGE entries; TRUE when handled.
    BOOL DispatchThreadMessageEx(MSG* pMsg);

    const MSG* GetCurrentMessage() const;

    DECLARE_MESSAGE_MAP()
};

class CWinApp : public CWinThread
{
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    LPCTSTR m_pszAppName;     // from the constructor, else the string AFX_IDS_APP_TITLE, else the file name
    LPCTSTR m_pszExeName;     // file name of the executable without extension
    LPCTSTR m_pszRegistryKey; // company key under HKEY_CURRENT_USER\Software (SetRegistryKey)
    LPCTSTR m_pszProfileName;
    HINSTANCE m_hInstance;
    LPTSTR m_lpCmdLine;
    int m_nCmdShow; // show command of the start; used once for the main frame

    virtual BOOL InitApplication();
    BOOL InitInstance() override;
    int ExitInstance() override;
    int Run() override;
    BOOL OnIdle(LONG lCount) override;
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    // Profile: values under HKEY_CURRENT_USER\Software\<key>\<profile>\<section> once a
    // registry key is set, else in the profile's INI file.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(LPCTSTR lpszSection);
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
    // Writes nBytes of pData: a REG_BINARY value under the registry key (creating the keys), or
    // two hexadecimal digits per byte in the INI file.
    BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);

    // Resources of the current resource module.
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadIcon(LPCTSTR lpszResourceName) const;
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const;
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const;

    // Documents.
    void AddDocTemplate(CDocTemplate* pTemplate); // the application owns the template
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    void CloseAllDocuments(BOOL bEndSession);
    virtual BOOL SaveAllModified();

    // Command line: parsed into rCmdInfo, then carried out (new document, open, ...).
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    afx_msg void OnFilePrintSetup();
    afx_msg void OnAppExit();

protected:
    CPtrList m_templateList;

    DECLARE_MESSAGE_MAP()

private:
    CString m_strAppName, m_strExeName, m_strRegistryKey, m_strProfileName;
};

// ---------------------------------------------------------------------------------------

CWinApp* AfxGetApp();
CWinThread* AfxGetThread();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);
LPCTSTR AfxGetAppName();
// The resource module that holds a resource: the current resource module when it has it,
// else the executable.
HINSTANCE AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);
HINSTANCE AfxFindStringResourceHandle(UINT nID);

// The framework's program start: initialises the module state and runs the application.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);

// Message pump of the calling thread (through its CWinThread when it has one).
BOOL AfxPumpMessage();
BOOL AfxPreTranslateMessage(MSG* pMsg);
BOOL AfxIsIdleMessage(MSG* pMsg);
void AfxPostQuitMessage(int nExitCode);

// Message boxes. A handler installed with AfxSetMessageBoxHandler answers every
// AfxMessageBox instead of the user (tests use it); the previous handler is returned.
using AfxMessageBoxHandler = std::function<int(LPCTSTR lpszText, UINT nType)>;
AfxMessageBoxHandler AfxSetMessageBoxHandler(AfxMessageBoxHandler handler);
int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));

// Window classes. AfxRegisterWndClass returns the name of a class with these attributes
// (registered once per process); the name stays valid until the process ends.
LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                            HICON hIcon = nullptr);
BOOL AfxRegisterClass(WNDCLASS* lpWndClass);

// Hosting of controls is always available here.
inline void AfxEnableControlContainer() {}

// Threads. The thread object deletes itself when the thread ends unless m_bAutoDelete is
// cleared (create suspended to do that safely).
CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority = THREAD_PRIORITY_NORMAL,
                           UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
CWinThread* AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                           DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
// Ends the calling thread now (its thread object is deleted when bDelete and auto-delete).
[[noreturn]] void AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);

// Keeps the temporary wrappers of FromHandle alive across idle time while locked.
void AfxLockTempMaps();
BOOL AfxUnlockTempMaps(BOOL bDeleteTemps = TRUE);
