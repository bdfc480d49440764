#include "platform/framework/WinApp.h"

#include <commdlg.h>
#include <process.h>
#include <shellapi.h>
#include <mutex>
#include <set>
#include <string>

#include "platform/framework/DocView.h"
#include "platform/framework/Exceptions.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/Gdi.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {

std::mutex& MessageBoxLock()
{
    static std::mutex* lock = new std::mutex;
    return *lock;
}

AfxMessageBoxHandler& MessageBoxHandler()
{
    static AfxMessageBoxHandler* handler = new AfxMessageBoxHandler;
    return *handler;
}

// The steps of the message pump shared by threads with and without a CWinThread.
BOOL InternalPreTranslateMessage(MSG* pMsg)
{
    if (!pMsg->hwnd) {
        if (CWinThread* pThread = AfxGetThread()) {
            if (pThread->DispatchThreadMessageEx(pMsg))
                return TRUE;
        }
    }
    CWnd* pMainWnd = AfxGetMainWnd();
    if (CWnd::WalkPreTranslateTree(pMainWnd->GetSafeHwnd(), pMsg))
        return TRUE;
    // Windows outside the main window (modeless tool windows) still get the main window's
    // accelerators.
    if (pMainWnd && pMainWnd->GetSafeHwnd() && pMsg->hwnd && ::IsWindow(pMsg->hwnd)) {
        CWnd* pWnd = CWnd::FromHandle(pMsg->hwnd);
        if (pWnd->GetTopLevelParent() != pMainWnd)
            return pMainWnd->PreTranslateMessage(pMsg);
    }
    return FALSE;
}

BOOL InternalIsIdleMessage(MSG* pMsg)
{
    _AFX_THREAD_STATE* state = AfxGetThreadState();
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        // A mouse move to the same place (a result of painting or scrolling) is no new input.
        if (state->m_nMsgLast == pMsg->message && state->m_ptCursorLast.x == pMsg->pt.x &&
            state->m_ptCursorLast.y == pMsg->pt.y)
            return FALSE;
        state->m_ptCursorLast = pMsg->pt;
        state->m_nMsgLast = pMsg->message;
        return TRUE;
    }
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118; // 0x118: the caret's system timer
}

BOOL InternalPumpMessage()
{
    _AFX_THREAD_STATE* state = AfxGetThreadState();
    if (::GetMessageW(&state->m_msgCur, nullptr, 0, 0) <= 0)
        return FALSE;
    if (state->m_msgCur.message != WM_KICKIDLE && !AfxPreTranslateMessage(&state->m_msgCur)) {
        ::TranslateMessage(&state->m_msgCur);
        ::DispatchMessageW(&state->m_msgCur);
    }
    return TRUE;
}

void FinishThread(CWinThread* pThread, BOOL bDelete)
{
    _AFX_THREAD_STATE* state = AfxGetThreadState();
    if (pThread && bDelete)
        pThread->Delete();
    state->m_pCurrentWinThread = nullptr;
    AfxTermThreadLocals();
}

unsigned __stdcall ThreadEntry(void* param)
{
    auto* pThread = static_cast<CWinThread*>(param);
    AfxGetThreadState()->m_pCurrentWinThread = pThread;
    UINT nResult = 0;
    try {
        if (pThread->m_pfnThreadProc) {
            nResult = pThread->m_pfnThreadProc(pThread->m_pThreadParams);
        } else if (!pThread->InitInstance()) {
            if (pThread->m_pMainWnd && pThread->m_pMainWnd->GetSafeHwnd())
                pThread->m_pMainWnd->DestroyWindow();
            nResult = static_cast<UINT>(pThread->ExitInstance());
        } else {
            nResult = static_cast<UINT>(pThread->Run());
        }
    } catch (CException* e) {
        e->Delete();
        nResult = static_cast<UINT>(-1);
    } catch (...) {
        nResult = static_cast<UINT>(-1);
    }
    FinishThread(pThread, TRUE);
    return nResult;
}

CString ModuleBaseName()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(AfxGetInstanceHandle(), path, MAX_PATH);
    CString name(path);
    int slash = name.ReverseFind(L'\\');
    if (slash >= 0)
        name = name.Mid(slash + 1);
    int dot = name.ReverseFind(L'.');
    if (dot >= 0)
        name = name.Left(dot);
    return name;
}

} // namespace

// ---------------------------------------------------------------------------------------
// Module state

CWinApp* AfxGetApp()
{
    return AfxGetModuleState()->m_pCurrentWinApp;
}

CWinThread* AfxGetThread()
{
    return AfxGetThreadState()->m_pCurrentWinThread;
}

CWnd* AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread ? pThread->GetMainWnd() : nullptr;
}

LPCTSTR AfxGetAppName()
{
    LPCTSTR name = AfxGetModuleState()->m_lpszCurrentAppName;
    if (!name) {
        if (CWinApp* pApp = AfxGetApp())
            name = pApp->m_pszAppName;
    }
    return name ? name : L"";
}

HINSTANCE AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType)
{
    HINSTANCE hResource = AfxGetResourceHandle();
    if (hResource && ::FindResourceW(hResource, lpszName, lpszType))
        return hResource;
    return AfxGetInstanceHandle();
}

HINSTANCE AfxFindStringResourceHandle(UINT nID)
{
    LPCTSTR block = MAKEINTRESOURCE((nID >> 4) + 1);
    HINSTANCE hResource = AfxGetResourceHandle();
    if (hResource && ::FindResourceW(hResource, block, RT_STRING))
        return hResource;
    HINSTANCE hInstance = AfxGetInstanceHandle();
    if (::FindResourceW(hInstance, block, RT_STRING))
        return hInstance;
    return nullptr;
}

void AfxLockTempMaps()
{
    ++AfxGetThreadState()->m_nTempMapLock;
}

BOOL AfxUnlockTempMaps(BOOL bDeleteTemps)
{
    _AFX_THREAD_STATE* state = AfxGetThreadState();
    if (state->m_nTempMapLock > 0 && --state->m_nTempMapLock == 0) {
        if (bDeleteTemps) {
            CWnd::DeleteTempMap();
            AfxDeleteTempDrawingObjects();
        }
        return TRUE;
    }
    return FALSE;
}

// ---------------------------------------------------------------------------------------
// Message pump helpers

BOOL AfxPumpMessage()
{
    if (CWinThread* pThread = AfxGetThread())
        return pThread->PumpMessage();
    return InternalPumpMessage();
}

BOOL AfxPreTranslateMessage(MSG* pMsg)
{
    if (CWinThread* pThread = AfxGetThread())
        return pThread->PreTranslateMessage(pMsg);
    return InternalPreTranslateMessage(pMsg);
}

BOOL AfxIsIdleMessage(MSG* pMsg)
{
    if (CWinThread* pThread = AfxGetThread())
        return pThread->IsIdleMessage(pMsg);
    return InternalIsIdleMessage(pMsg);
}

void AfxPostQuitMessage(int nExitCode)
{
    ::PostQuitMessage(nExitCode);
}

// ---------------------------------------------------------------------------------------
// Message boxes

AfxMessageBoxHandler AfxSetMessageBoxHandler(AfxMessageBoxHandler handler)
{
    std::lock_guard<std::mutex> lock(MessageBoxLock());
    AfxMessageBoxHandler previous = std::move(MessageBoxHandler());
    MessageBoxHandler() = std::move(handler);
    return previous;
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    AfxMessageBoxHandler handler;
    {
        std::lock_guard<std::mutex> lock(MessageBoxLock());
        handler = MessageBoxHandler();
    }
    if (handler)
        return handler(lpszText ? lpszText : L"", nType);
    if (CWinApp* pApp = AfxGetApp())
        return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return ::MessageBoxW(::GetActiveWindow(), lpszText, AfxGetAppName(), nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}

// ---------------------------------------------------------------------------------------
// Window classes

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    static std::mutex* lock = new std::mutex;
    static std::set<std::wstring>* names = new std::set<std::wstring>;

    HINSTANCE hInstance = AfxGetInstanceHandle();
    wchar_t name[128];
    ::wsprintfW(name, L"Fx:%p:%x:%p:%p:%p", static_cast<void*>(hInstance), nClassStyle, static_cast<void*>(hCursor),
                static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));

    std::lock_guard<std::mutex> guard(*lock);
    auto found = names->find(name);
    if (found != names->end())
        return found->c_str();

    WNDCLASSW existing = {};
    if (!::GetClassInfoW(hInstance, name, &existing)) {
        WNDCLASSW wc = {};
        wc.style = nClassStyle;
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = hInstance;
        wc.hIcon = hIcon;
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.lpszClassName = name;
        if (!::RegisterClassW(&wc))
            return nullptr;
    }
    return names->insert(name).first->c_str();
}

BOOL AfxRegisterClass(WNDCLASS* lpWndClass)
{
    WNDCLASSW existing = {};
    if (::GetClassInfoW(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing))
        return TRUE;
    return ::RegisterClassW(lpWndClass) != 0;
}

// ---------------------------------------------------------------------------------------
// Threads

namespace {

// Starts a new thread object's thread (suspended until its priority is set); the object is
// deleted when the thread cannot be made.
CWinThread* StartThread(CWinThread* pThread, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                        LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        pThread->Delete();
        return nullptr;
    }
    pThread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        pThread->ResumeThread();
    return pThread;
}

} // namespace

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                           DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    return StartThread(new CWinThread(pfnThreadProc, pParam), nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

CWinThread* AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (!pThreadClass || !pThreadClass->IsDerivedFrom(RUNTIME_CLASS(CWinThread)))
        return nullptr;
    auto* pThread = static_cast<CWinThread*>(pThreadClass->CreateObject());
    if (!pThread)
        return nullptr;
    return StartThread(pThread, nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

void AfxEndThread(UINT nExitCode, BOOL bDelete)
{
    CWinThread* pThread = AfxGetThread();
    if (pThread == AfxGetApp())
        pThread = nullptr; // the application object is never deleted here
    FinishThread(pThread, bDelete);
    _endthreadex(nExitCode);
    __builtin_unreachable();
}

CWinThread::CWinThread()
    : m_pMainWnd(nullptr), m_pActiveWnd(nullptr), m_bAutoDelete(TRUE), m_hThread(nullptr), m_nThreadID(0),
      m_pThreadParams(nullptr), m_pfnThreadProc(nullptr)
{}

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam) : CWinThread()
{
    m_pfnThreadProc = pfnThreadProc;
    m_pThreadParams = pParam;
}

CWinThread::~CWinThread()
{
    if (m_hThread)
        ::CloseHandle(m_hThread);
    _AFX_THREAD_STATE* state = AfxGetThreadState();
    if (state->m_pCurrentWinThread == this)
        state->m_pCurrentWinThread = nullptr;
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    unsigned threadId = 0;
    // Started suspended, so that the handle and id are stored before the thread can end
    // (and, with auto-delete, delete this object).
    m_hThread = reinterpret_cast<HANDLE>(
        _beginthreadex(lpSecurityAttrs, nStackSize, &ThreadEntry, this, CREATE_SUSPENDED, &threadId));
    if (!m_hThread)
        return FALSE;
    m_nThreadID = threadId;
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        ::ResumeThread(m_hThread);
    return TRUE;
}

BEGIN_MESSAGE_MAP(CWinThread, CCmdTarget)
END_MESSAGE_MAP()

CWnd* CWinThread::GetMainWnd()
{
    return m_pActiveWnd ? m_pActiveWnd : m_pMainWnd;
}

BOOL CWinThread::InitInstance()
{
    return FALSE; // a thread with a message loop says what it starts with
}

int CWinThread::Run()
{
    _AFX_THREAD_STATE* state = AfxGetThreadState();
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    for (;;) {
        while (bIdle && !::PeekMessageW(&state->m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        }
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&state->m_msgCur)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageW(&state->m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    return InternalPreTranslateMessage(pMsg);
}

BOOL CWinThread::PumpMessage()
{
    return InternalPumpMessage();
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    return InternalIsIdleMessage(pMsg);
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0) {
        CWnd* pMainWnd = m_pMainWnd;
        if (pMainWnd && pMainWnd->m_hWnd && pMainWnd->IsWindowVisible()) {
            HWND hWndMain = pMainWnd->m_hWnd;
            AfxCallWndProc(pMainWnd, hWndMain, WM_IDLEUPDATECMDUI, TRUE, 0);
            // The update may have closed the main window.
            if (m_pMainWnd == pMainWnd && ::IsWindow(hWndMain))
                CWnd::SendMessageToDescendants(hWndMain, WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
        AfxIdleUpdateFrames(m_pMainWnd);
        return TRUE;
    }
    if (lCount == 1) {
        if (AfxGetThreadState()->m_nTempMapLock == 0) {
            CWnd::DeleteTempMap();
            AfxDeleteTempDrawingObjects();
        }
    }
    return FALSE;
}

int CWinThread::ExitInstance()
{
    return static_cast<int>(AfxGetThreadState()->m_msgCur.wParam);
}

void CWinThread::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

const MSG* CWinThread::GetCurrentMessage() const
{
    return &AfxGetThreadState()->m_lastSentMsg;
}

BOOL CWinThread::DispatchThreadMessageEx(MSG* pMsg)
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->nSig != AfxSig_end; ++entry) {
            bool match = false;
            if (entry->nMessage == FX_REGISTERED_THREAD_MESSAGE)
                match = *reinterpret_cast<const UINT*>(entry->nSig) == pMsg->message;
            else if (entry->nMessage != FX_REGISTERED_MESSAGE)
                match = entry->nSig == AfxSig_v_wl && entry->nMessage == pMsg->message;
            if (match) {
                (this->*reinterpret_cast<void (CCmdTarget::*)(WPARAM, LPARAM)>(entry->pfn))(pMsg->wParam, pMsg->lParam);
                return TRUE;
            }
        }
    }
    return FALSE;
}

// ---------------------------------------------------------------------------------------
// Application

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND(ID_APP_EXIT, &CWinApp::OnAppExit)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCTSTR lpszAppName)
    : m_pszAppName(nullptr), m_pszExeName(nullptr), m_pszRegistryKey(nullptr), m_pszProfileName(nullptr),
      m_hInstance(nullptr), m_lpCmdLine(nullptr), m_nCmdShow(SW_SHOWNORMAL)
{
    m_bAutoDelete = FALSE;
    m_hThread = nullptr;
    m_nThreadID = ::GetCurrentThreadId();

    AFX_MODULE_STATE* moduleState = AfxGetModuleState();
    moduleState->m_pCurrentWinApp = this;
    AfxGetThreadState()->m_pCurrentWinThread = this;
    m_hInstance = moduleState->m_hCurrentInstanceHandle;

    m_strExeName = ModuleBaseName();
    m_pszExeName = m_strExeName;
    if (lpszAppName)
        m_strAppName = lpszAppName;
    else if (!m_strAppName.LoadString(AFX_IDS_APP_TITLE) || m_strAppName.IsEmpty())
        m_strAppName = m_strExeName;
    m_pszAppName = m_strAppName;
    m_strProfileName = m_strExeName + L".INI";
    m_pszProfileName = m_strProfileName;
}

CWinApp::~CWinApp()
{
    POSITION pos = m_templateList.GetHeadPosition();
    while (pos)
        delete static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
    m_templateList.RemoveAll();

    AFX_MODULE_STATE* moduleState = AfxGetModuleState();
    if (moduleState->m_pCurrentWinApp == this) {
        moduleState->m_pCurrentWinApp = nullptr;
        moduleState->m_lpszCurrentAppName = nullptr;
    }
}

BOOL CWinApp::InitApplication()
{
    AfxGetModuleState()->m_lpszCurrentAppName = m_pszAppName;
    return TRUE;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return CWinThread::ExitInstance();
}

int CWinApp::Run()
{
    // Without a main window nothing would ever end the loop.
    if (!m_pMainWnd)
        AfxPostQuitMessage(0);
    return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    return CWinThread::OnIdle(lCount);
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT)
{
    HWND hWndOwner = ::GetActiveWindow();
    if (!hWndOwner)
        hWndOwner = AfxGetMainWnd()->GetSafeHwnd();
    if (hWndOwner)
        hWndOwner = ::GetLastActivePopup(hWndOwner);
    if (!(nType & MB_ICONMASK)) {
        UINT buttons = nType & MB_TYPEMASK;
        nType |= (buttons == MB_YESNO || buttons == MB_YESNOCANCEL) ? MB_ICONQUESTION : MB_ICONEXCLAMATION;
    }
    return ::MessageBoxW(hWndOwner, lpszPrompt, m_pszAppName, nType);
}

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    m_strRegistryKey = lpszRegistryKey;
    m_pszRegistryKey = m_strRegistryKey;
    m_strProfileName = m_pszAppName;
    m_pszProfileName = m_strProfileName;
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString key;
    key.LoadString(nIDRegistryKey);
    SetRegistryKey(key);
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (!m_pszRegistryKey || !*m_pszRegistryKey)
        return nullptr;
    // Read-only: looking a value up never creates keys.
    CString path = CString(L"Software\\") + m_pszRegistryKey + L"\\" + m_pszProfileName;
    HKEY hAppKey = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &hAppKey) != ERROR_SUCCESS)
        return nullptr;
    return hAppKey;
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection)
{
    HKEY hAppKey = GetAppRegistryKey();
    if (!hAppKey)
        return nullptr;
    HKEY hSectionKey = nullptr;
    if (::RegOpenKeyExW(hAppKey, lpszSection, 0, KEY_READ, &hSectionKey) != ERROR_SUCCESS)
        hSectionKey = nullptr;
    ::RegCloseKey(hAppKey);
    return hSectionKey;
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    if (m_pszRegistryKey && *m_pszRegistryKey) {
        HKEY hSectionKey = GetSectionKey(lpszSection);
        if (!hSectionKey)
            return static_cast<UINT>(nDefault);
        DWORD value = 0, type = 0, size = sizeof(value);
        LONG result =
            ::RegQueryValueExW(hSectionKey, lpszEntry, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size);
        ::RegCloseKey(hSectionKey);
        if (result == ERROR_SUCCESS && type == REG_DWORD && size == sizeof(value))
            return value;
        return static_cast<UINT>(nDefault);
    }
    return ::GetPrivateProfileIntW(lpszSection, lpszEntry, nDefault, m_pszProfileName);
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    CString fallback(lpszDefault ? lpszDefault : L"");
    if (m_pszRegistryKey && *m_pszRegistryKey) {
        HKEY hSectionKey = GetSectionKey(lpszSection);
        if (!hSectionKey)
            return fallback;
        DWORD type = 0, size = 0;
        CString value = fallback;
        if (::RegQueryValueExW(hSectionKey, lpszEntry, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
            (type == REG_SZ || type == REG_EXPAND_SZ)) {
            int chars = static_cast<int>(size / sizeof(wchar_t));
            CString read;
            LPWSTR buffer = read.GetBuffer(chars + 1);
            buffer[0] = 0;
            DWORD readSize = static_cast<DWORD>((chars + 1) * sizeof(wchar_t));
            LONG result =
                ::RegQueryValueExW(hSectionKey, lpszEntry, nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &readSize);
            buffer[chars] = 0;
            read.ReleaseBuffer();
            if (result == ERROR_SUCCESS)
                value = read;
        }
        ::RegCloseKey(hSectionKey);
        return value;
    }
    wchar_t buffer[4096] = {};
    ::GetPrivateProfileStringW(lpszSection, lpszEntry, fallback, buffer, 4096, m_pszProfileName);
    return CString(buffer);
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (!lpszSection || !lpszEntry || (!pData && nBytes))
        return FALSE;
    if (m_pszRegistryKey && *m_pszRegistryKey) {
        CString path = CString(L"Software\\") + m_pszRegistryKey + L"\\" + m_pszProfileName + L"\\" + lpszSection;
        HKEY hSectionKey = nullptr;
        if (::RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_WRITE, nullptr, &hSectionKey, nullptr) !=
            ERROR_SUCCESS)
            return FALSE;
        LONG result = ::RegSetValueExW(hSectionKey, lpszEntry, 0, REG_BINARY, pData, nBytes);
        ::RegCloseKey(hSectionKey);
        return result == ERROR_SUCCESS;
    }
    static const wchar_t kDigits[] = L"0123456789ABCDEF";
    CString text;
    LPWSTR buffer = text.GetBuffer(static_cast<int>(nBytes * 2 + 1));
    for (UINT i = 0; i < nBytes; ++i) {
        buffer[i * 2] = kDigits[pData[i] >> 4];
        buffer[i * 2 + 1] = kDigits[pData[i] & 0xF];
    }
    buffer[nBytes * 2] = 0;
    text.ReleaseBuffer(static_cast<int>(nBytes * 2));
    return ::WritePrivateProfileStringW(lpszSection, lpszEntry, text, m_pszProfileName);
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return LoadIcon(MAKEINTRESOURCE(nIDResource));
}

HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const
{
    return ::LoadIconW(AfxFindResourceHandle(lpszResourceName, RT_GROUP_ICON), lpszResourceName);
}

HICON CWinApp::LoadStandardIcon(LPCTSTR lpszIconName) const
{
    return ::LoadIconW(nullptr, lpszIconName);
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
    LPCTSTR name = MAKEINTRESOURCE(nIDResource);
    return ::LoadCursorW(AfxFindResourceHandle(name, RT_GROUP_CURSOR), name);
}

HCURSOR CWinApp::LoadStandardCursor(LPCTSTR lpszCursorName) const
{
    return ::LoadCursorW(nullptr, lpszCursorName);
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (!pTemplate)
        return;
    pTemplate->LoadTemplate();
    m_templateList.AddTail(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const
{
    return m_templateList.GetHeadPosition();
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const
{
    return static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    if (m_templateList.IsEmpty())
        return nullptr;
    return static_cast<CDocTemplate*>(m_templateList.GetHead())->OpenDocumentFile(lpszFileName);
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    POSITION pos = m_templateList.GetHeadPosition();
    while (pos)
        static_cast<CDocTemplate*>(m_templateList.GetNext(pos))->CloseAllDocuments(bEndSession);
}

BOOL CWinApp::SaveAllModified()
{
    POSITION pos = m_templateList.GetHeadPosition();
    while (pos) {
        if (!static_cast<CDocTemplate*>(m_templateList.GetNext(pos))->SaveAllModified())
            return FALSE;
    }
    return TRUE;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (!argv)
        return;
    for (int i = 1; i < argc; ++i) {
        LPCWSTR param = argv[i];
        BOOL bFlag = FALSE;
        if (param[0] == L'-' || param[0] == L'/') {
            bFlag = TRUE;
            ++param;
        }
        rCmdInfo.ParseParam(param, bFlag, i == argc - 1);
    }
    ::LocalFree(argv);
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr))
            OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr && m_pMainWnd != nullptr;
    case CCommandLineInfo::FileNothing:
        return TRUE;
    default:
        return FALSE; // printing, DDE and registration are not offered here
    }
}

void CWinApp::OnFileNew()
{
    if (m_templateList.IsEmpty())
        return;
    static_cast<CDocTemplate*>(m_templateList.GetHead())->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen()
{
    wchar_t path[MAX_PATH] = {};
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = AfxGetMainWnd()->GetSafeHwnd();
    ofn.lpstrFilter = L"All Files (*.*)\0*.*\0";
    ofn.lpstrFile = path;
    ofn.nMaxFile = MAX_PATH;
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (::GetOpenFileNameW(&ofn))
        OpenDocumentFile(path);
}

void CWinApp::OnFilePrintSetup()
{
    PRINTDLGW pd = {};
    pd.lStructSize = sizeof(pd);
    pd.hwndOwner = AfxGetMainWnd()->GetSafeHwnd();
    pd.Flags = PD_PRINTSETUP;
    if (::PrintDlgW(&pd)) {
        // The choice is not kept: nothing in this framework prints with it yet.
    }
    if (pd.hDevMode)
        ::GlobalFree(pd.hDevMode);
    if (pd.hDevNames)
        ::GlobalFree(pd.hDevNames);
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd && m_pMainWnd->GetSafeHwnd())
        m_pMainWnd->SendMessage(WM_CLOSE);
}

// ---------------------------------------------------------------------------------------
// Program start

BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPTSTR lpCmdLine, int nCmdShow)
{
    AFX_MODULE_STATE* moduleState = AfxGetModuleState();
    if (moduleState->m_hCurrentResourceHandle == moduleState->m_hCurrentInstanceHandle)
        moduleState->m_hCurrentResourceHandle = hInstance;
    moduleState->m_hCurrentInstanceHandle = hInstance;
    if (CWinApp* pApp = AfxGetApp()) {
        pApp->m_hInstance = hInstance;
        pApp->m_lpCmdLine = lpCmdLine;
        pApp->m_nCmdShow = nCmdShow;
    }
    return TRUE;
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    int nReturnCode = -1;
    CWinThread* pThread = AfxGetThread();
    CWinApp* pApp = AfxGetApp();
    try {
        if (!pThread || !AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow))
            return -1;
        if (pApp && !pApp->InitApplication())
            return -1;
        if (!pThread->InitInstance()) {
            if (pThread->m_pMainWnd && pThread->m_pMainWnd->GetSafeHwnd())
                pThread->m_pMainWnd->DestroyWindow();
            return pThread->ExitInstance();
        }
        nReturnCode = pThread->Run();
    } catch (CException* e) {
        e->Delete();
        nReturnCode = -1;
    } catch (...) {
        nReturnCode = -1;
    }
    return nReturnCode;
}

// The program's entry point: the program only defines its application object.
int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
