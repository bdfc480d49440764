// What a download in the feed's worker thread tells its window: the percentage of every
// progress report, posted with the request's lParam. It also records the server's HTTP
// status, so that an error page (404 and the like) does not pass for the file, and stops the
// download when the request's cancel word is set or the answer grows beyond its bound.
#pragma once
#include <windows.h>
#include <urlmon.h>

class CQorBindStatusCallback : public IBindStatusCallback, public IHttpNegotiate
{
public:
    // `pCancel` may be null (never cancelled); it must outlive the download. An answer that
    // announces or delivers more than `nMaxBytes` bytes is stopped (0: no bound).
    CQorBindStatusCallback(HWND hWnd, LPARAM lParam, UINT nProgressMessage, const volatile LONG* pCancel,
                           ULONG nMaxBytes = 0);
    virtual ~CQorBindStatusCallback() = default;

    // The object lives in the worker's frame for one download: no reference count.
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 0; }
    STDMETHODIMP_(ULONG) Release() override { return 0; }

    // IBindStatusCallback
    STDMETHODIMP OnStartBinding(DWORD, IBinding*) override { return E_NOTIMPL; }
    STDMETHODIMP GetPriority(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP OnLowResource(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP OnProgress(ULONG ulProgress, ULONG ulProgressMax, ULONG ulStatusCode, LPCWSTR szStatusText) override;
    STDMETHODIMP OnStopBinding(HRESULT, LPCWSTR) override { return E_NOTIMPL; }
    STDMETHODIMP GetBindInfo(DWORD*, BINDINFO*) override { return E_NOTIMPL; }
    STDMETHODIMP OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP OnObjectAvailable(REFIID, IUnknown*) override { return E_NOTIMPL; }

    // IHttpNegotiate
    STDMETHODIMP BeginningTransaction(LPCWSTR, LPCWSTR, DWORD, LPWSTR* pszAdditionalHeaders) override;
    STDMETHODIMP OnResponse(DWORD dwResponseCode, LPCWSTR, LPCWSTR, LPWSTR* pszAdditionalRequestHeaders) override;

    // The HTTP status of the response; 0 when none was seen (not HTTP, or no answer).
    DWORD GetResponseCode() const { return m_dwResponseCode; }
    // Whether the answer was an error of the server or of the request (400 and above).
    BOOL IsErrorResponse() const { return m_dwResponseCode >= 400; }
    // Whether the download was stopped because the answer was larger than the bound.
    BOOL IsTooLarge() const { return m_bTooLarge; }

    // The percentage of a progress report: 0 when the size is not known; not clamped.
    static UINT Percentage(ULONG ulProgress, ULONG ulProgressMax);

private:
    HWND m_hWnd;
    LPARAM m_lParam;
    UINT m_nProgressMessage;
    const volatile LONG* m_pCancel;
    DWORD m_dwResponseCode;
    ULONG m_nMaxBytes;
    BOOL m_bTooLarge;
};
