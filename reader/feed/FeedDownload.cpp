#include "reader/feed/FeedDownload.h"
#include <objbase.h>
#include <shlwapi.h>
#include <urlmon.h>
#include "platform/framework/WinApp.h"
#include "reader/feed/BindStatusCallback.h"
#include "reader/feed/DownloadCache.h"
#include "reader/app/FileUtil.h"
#include "reader/ui/ReaderUrl.h"

void ForgetEarlierDownload(const CString& address, const CString& destination)
{
    if (!::UrlIsW(address, URLIS_FILEURL) && !(address.GetLength() > 1 && address[1] == L':')) {
        const CString cached = GetLocalCopyOfUrl(address);
        if (!cached.IsEmpty() && ::PathFileExistsW(cached))
            ::DeleteFileW(cached);
    }
    ::DeleteFileW(destination);
}

CFeedDownload::CFeedDownload() : m_nCancel(0), m_pThread(nullptr) {}

CFeedDownload::~CFeedDownload()
{
    Stop();
}

BOOL CFeedDownload::Start(const FEEDDOWNLOADREQUEST& request)
{
    Stop();
    m_request = request;
    m_request.strAddress = CanonicalizeUrl(request.strAddress);
    ::InterlockedExchange(&m_nCancel, 0);

    m_pThread = AfxBeginThread(Worker, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (m_pThread == nullptr) {
        if (m_request.nFailMessage != 0)
            ::PostMessageW(m_request.hWnd, m_request.nFailMessage, WPARAM(E_FAIL), 0);
        return FALSE;
    }
    // The object outlives its thread: it is deleted by Stop, after the thread has ended.
    m_pThread->m_bAutoDelete = FALSE;
    m_pThread->ResumeThread();
    return TRUE;
}

void CFeedDownload::Stop(DWORD waitMs)
{
    if (m_pThread == nullptr)
        return;
    ::InterlockedExchange(&m_nCancel, 1);
    if (::WaitForSingleObject(m_pThread->m_hThread, waitMs) == WAIT_TIMEOUT)
        ::TerminateThread(m_pThread->m_hThread, 0);
    delete m_pThread; // closes the handle
    m_pThread = nullptr;
}

BOOL CFeedDownload::IsRunning() const
{
    DWORD code = 0;
    return m_pThread != nullptr && ::GetExitCodeThread(m_pThread->m_hThread, &code) && code == STILL_ACTIVE;
}

HANDLE CFeedDownload::GetThreadHandle() const
{
    return m_pThread ? m_pThread->m_hThread : nullptr;
}

UINT CFeedDownload::Worker(LPVOID pParam)
{
    static_cast<CFeedDownload*>(pParam)->Run();
    return 0;
}

void CFeedDownload::Run()
{
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const FEEDDOWNLOADREQUEST& request = m_request;
    if (request.fnBeforeDownload)
        request.fnBeforeDownload();
    // Finding the earlier copy may mean reading and comparing files: not on the window's thread.
    ForgetEarlierDownload(request.strAddress, request.strDestination);
    if (request.nStartMessage != 0)
        ::PostMessageW(request.hWnd, request.nStartMessage, 0, request.lParam);

    HRESULT hr = Download();
    if (SUCCEEDED(hr) && request.fnAccept && !request.fnAccept(request.strDestination))
        hr = E_FAIL;

    if (SUCCEEDED(hr)) {
        ::PostMessageW(request.hWnd, request.nDoneMessage, 0, request.lParam);
    } else {
        // A copy that fell short, or was refused, must not pass for a feed.
        ::DeleteFileW(request.strDestination);
        if (request.nFailMessage != 0)
            ::PostMessageW(request.hWnd, request.nFailMessage, WPARAM(hr), 0);
    }
    if (SUCCEEDED(com))
        ::CoUninitialize();
}

HRESULT CFeedDownload::Download()
{
    const FEEDDOWNLOADREQUEST& request = m_request;
    CQorBindStatusCallback callback(request.hWnd, request.lParam, request.nProgressMessage, &m_nCancel,
                                    request.nMaxBytes);
    wchar_t cacheFile[MAX_PATH] = {};
    HRESULT hr = ::URLDownloadToCacheFileW(nullptr, request.strAddress, cacheFile, MAX_PATH, 0, &callback);
    // The cache keeps error pages like files: only a real answer counts.
    if (SUCCEEDED(hr) && callback.IsErrorResponse())
        hr = INET_E_OBJECT_NOT_FOUND;
    if (SUCCEEDED(hr) && m_nCancel != 0)
        hr = E_ABORT;
    if (SUCCEEDED(hr) && !::PathFileExistsW(cacheFile))
        hr = E_FAIL;
    // The bound holds also where no progress was reported: the file itself is measured.
    if (SUCCEEDED(hr) && request.nMaxBytes != 0 && GetFileSizeOfPath(cacheFile) > request.nMaxBytes)
        hr = E_ABORT;
    if (SUCCEEDED(hr) && !CopyFileViaStream(cacheFile, request.strDestination))
        hr = E_FAIL;
    return hr;
}
