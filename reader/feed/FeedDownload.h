// One background download of the advertisement feed: a worker thread fetches an address
// through the browser cache and copies the result to a destination file, then posts a message
// to a window. The download can be stopped at any time; its thread object stays with this
// object until then, so its handle is never used after it was closed.
#pragma once
#include <windows.h>
#include <functional>
#include "platform/framework/Strings.h"

class CWinThread;

// What the worker needs; the worker works on its own copy of the texts.
struct FEEDDOWNLOADREQUEST
{
    HWND hWnd = nullptr; // receives the messages
    CString strAddress;
    CString strDestination;
    LPARAM lParam = 0;      // lParam of the done message
    UINT nStartMessage = 0; // 0: none
    UINT nDoneMessage = 0;
    UINT nFailMessage = 0; // wParam: the error; 0: none
    UINT nProgressMessage = 0;
    // An answer of more bytes than this is refused, as soon as its size is announced or
    // reached; 0: no bound.
    ULONG nMaxBytes = 0;
    // Run on the worker's thread: `fnBeforeDownload` before anything else, `fnAccept` once the
    // destination holds the download (before the done message). When `fnAccept` answers FALSE
    // the download counts as failed and the destination is deleted.
    std::function<void()> fnBeforeDownload;
    std::function<BOOL(const CString& destination)> fnAccept;
};

class CFeedDownload
{
public:
    CFeedDownload();
    ~CFeedDownload(); // stops a running download

    // Starts the worker, which first forgets any earlier copy of the address; FALSE when no
    // thread could be started (the failure message is posted then).
    BOOL Start(const FEEDDOWNLOADREQUEST& request);
    // Asks the worker to stop, waits up to `waitMs` for it, and only then ends it by force.
    void Stop(DWORD waitMs = 1000);
    BOOL IsRunning() const;
    HANDLE GetThreadHandle() const;

private:
    CFeedDownload(const CFeedDownload&) = delete;
    CFeedDownload& operator=(const CFeedDownload&) = delete;

    static UINT Worker(LPVOID pParam);
    void Run();
    HRESULT Download();

    FEEDDOWNLOADREQUEST m_request;
    volatile LONG m_nCancel;
    CWinThread* m_pThread;
};

// Deletes the local copy behind a web address (so that the next download fetches a fresh one)
// and the destination; file addresses and drive paths keep their file.
void ForgetEarlierDownload(const CString& address, const CString& destination);
