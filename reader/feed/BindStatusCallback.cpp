#include "reader/feed/BindStatusCallback.h"

CQorBindStatusCallback::CQorBindStatusCallback(HWND hWnd, LPARAM lParam, UINT nProgressMessage,
                                               const volatile LONG* pCancel, ULONG nMaxBytes)
    : m_hWnd(hWnd), m_lParam(lParam), m_nProgressMessage(nProgressMessage), m_pCancel(pCancel), m_dwResponseCode(0),
      m_nMaxBytes(nMaxBytes), m_bTooLarge(FALSE)
{}

STDMETHODIMP CQorBindStatusCallback::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IBindStatusCallback)) {
        *ppv = static_cast<IBindStatusCallback*>(this);
        return S_OK;
    }
    if (IsEqualIID(riid, IID_IHttpNegotiate)) {
        *ppv = static_cast<IHttpNegotiate*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

UINT CQorBindStatusCallback::Percentage(ULONG ulProgress, ULONG ulProgressMax)
{
    if (ulProgressMax == 0)
        return 0;
    return UINT(double(ulProgress) * 100.0 / double(ulProgressMax));
}

STDMETHODIMP CQorBindStatusCallback::OnProgress(ULONG ulProgress, ULONG ulProgressMax, ULONG ulStatusCode, LPCWSTR)
{
    if (m_pCancel && *m_pCancel != 0)
        return E_ABORT;
    // Only the data reports count bytes; the others carry no size, or another count.
    const bool bData = ulStatusCode == BINDSTATUS_BEGINDOWNLOADDATA || ulStatusCode == BINDSTATUS_DOWNLOADINGDATA ||
                       ulStatusCode == BINDSTATUS_ENDDOWNLOADDATA;
    if (bData && m_nMaxBytes != 0 && (ulProgress > m_nMaxBytes || ulProgressMax > m_nMaxBytes)) {
        m_bTooLarge = TRUE;
        return E_ABORT;
    }
    if (m_nProgressMessage != 0)
        ::PostMessageW(m_hWnd, m_nProgressMessage, Percentage(ulProgress, ulProgressMax), m_lParam);
    return S_OK;
}

STDMETHODIMP CQorBindStatusCallback::BeginningTransaction(LPCWSTR, LPCWSTR, DWORD, LPWSTR* pszAdditionalHeaders)
{
    if (pszAdditionalHeaders)
        *pszAdditionalHeaders = nullptr;
    return S_OK;
}

STDMETHODIMP CQorBindStatusCallback::OnResponse(DWORD dwResponseCode, LPCWSTR, LPCWSTR,
                                                LPWSTR* pszAdditionalRequestHeaders)
{
    if (pszAdditionalRequestHeaders)
        *pszAdditionalRequestHeaders = nullptr;
    m_dwResponseCode = dwResponseCode;
    return S_OK;
}
