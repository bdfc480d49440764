#include "toolkit/foundation/RichRender.h"
#include "toolkit/foundation/ResourceManager.h"
#include <cstring>

namespace {

// Absent from the import libraries; the text services answer them.
const IID kIID_ITextServices = {0x8D33F740, 0xCF58, 0x11CE, {0xA8, 0x9D, 0x00, 0xAA, 0x00, 0x6C, 0xAD, 0xC5}};
const IID kIID_ITextHost = {0xC5BDD8D0, 0xD26E, 0x11CE, {0xA8, 0x9E, 0x00, 0xAA, 0x00, 0x6C, 0xAD, 0xC5}};

typedef HRESULT(WINAPI* PFNCREATETEXTSERVICES)(IUnknown*, ITextHost*, IUnknown**);

const DWORD kCharFormatMask = 0xE800000F; // effects, size, colour, face, character set
const DWORD kParaFormatMask = 0x8001003F;
const DWORD kPropertyBits = TXTBIT_RICHTEXT | TXTBIT_MULTILINE | TXTBIT_WORDWRAP;
const UINT kNonClientMetricsSize = 500; // the record without the later padded-border field

// Bytes streamed into the text services.
struct StreamSource
{
    const BYTE* pData;
    size_t nSize;
    size_t nPos;
};

DWORD CALLBACK ReadStream(DWORD_PTR dwCookie, LPBYTE pbBuff, LONG cb, LONG* pcb)
{
    StreamSource* pSource = reinterpret_cast<StreamSource*>(dwCookie);
    size_t nCount = std::min(static_cast<size_t>(cb), pSource->nSize - pSource->nPos);
    memcpy(pbBuff, pSource->pData + pSource->nPos, nCount);
    pSource->nPos += nCount;
    *pcb = static_cast<LONG>(nCount);
    return 0;
}

// The message font of the system, as the default character format takes it.
LOGFONTW MessageFont()
{
    NONCLIENTMETRICSW ncm = {};
    ncm.cbSize = kNonClientMetricsSize;
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &ncm, 0))
        ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(ncm.lfMessageFont), &ncm.lfMessageFont);
    return ncm.lfMessageFont;
}

} // namespace

BEGIN_INTERFACE_MAP(CQorRichRender, CCmdTarget)
    INTERFACE_PART(CQorRichRender, kIID_ITextHost, TextHost)
END_INTERFACE_MAP()

CQorRichRender::CQorRichRender()
{
    Create("RICHED20.dll");
}

CQorRichRender::CQorRichRender(LPCSTR lpszLibrary)
{
    Create(lpszLibrary);
}

void CQorRichRender::Create(LPCSTR lpszLibrary)
{
    memset(&m_cfDefault, 0, sizeof(m_cfDefault));
    m_cfDefault.cbSize = sizeof(m_cfDefault);
    m_cfDefault.dwMask = kCharFormatMask;
    LOGFONTW lf = MessageFont();
    HDC hdcScreen = ::GetDC(nullptr);
    const int nLogPixelsY = hdcScreen != nullptr ? ::GetDeviceCaps(hdcScreen, LOGPIXELSY) : 96;
    if (hdcScreen != nullptr)
        ::ReleaseDC(nullptr, hdcScreen);
    m_cfDefault.yHeight = -MulDiv(lf.lfHeight, 1440, nLogPixelsY);
    m_cfDefault.crTextColor = ::GetSysColor(COLOR_BTNTEXT);
    m_cfDefault.bCharSet = lf.lfCharSet;
    lstrcpynW(m_cfDefault.szFaceName, lf.lfFaceName, LF_FACESIZE);

    memset(&m_pfDefault, 0, sizeof(m_pfDefault));
    m_pfDefault.cbSize = sizeof(PARAFORMAT);
    m_pfDefault.dwMask = kParaFormatMask;
    m_pfDefault.wAlignment = PFA_LEFT;

    m_hRichEdit = ::LoadLibraryA(lpszLibrary);
    if (m_hRichEdit == nullptr)
        return;
    PFNCREATETEXTSERVICES pfnCreate =
        reinterpret_cast<PFNCREATETEXTSERVICES>(::GetProcAddress(m_hRichEdit, "CreateTextServices"));
    CComPtr<IUnknown> pUnknown;
    if (pfnCreate == nullptr || FAILED(pfnCreate(nullptr, &m_xTextHost, &pUnknown)) || pUnknown == nullptr)
        return;
    ITextServices* pServices = nullptr;
    if (SUCCEEDED(pUnknown->QueryInterface(kIID_ITextServices, reinterpret_cast<void**>(&pServices))))
        m_pTextServices.Attach(pServices);
}

CQorRichRender::~CQorRichRender()
{
    // The services hold the host part: they go before the object does.
    m_pTextServices.Release();
    if (m_hRichEdit != nullptr)
        ::FreeLibrary(m_hRichEdit);
}

void CQorRichRender::SetDefaultCharFormat(const CHARFORMATW& cf)
{
    m_cfDefault = cf;
    if (m_pTextServices == nullptr)
        return;
    LRESULT lResult = 0;
    m_pTextServices->TxSendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&m_cfDefault), &lResult);
}

LRESULT CQorRichRender::StreamIn(WPARAM nFormat, const void* pData, size_t nBytes)
{
    StreamSource source = {static_cast<const BYTE*>(pData), nBytes, 0};
    EDITSTREAM es = {};
    es.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    es.pfnCallback = ReadStream;
    LRESULT lResult = 0;
    m_pTextServices->TxSendMessage(EM_STREAMIN, nFormat, reinterpret_cast<LPARAM>(&es), &lResult);
    return lResult;
}

LRESULT CQorRichRender::SetText(LPCTSTR lpszText)
{
    if (m_pTextServices == nullptr)
        return 0;
    if (lpszText == nullptr || *lpszText == 0) {
        m_pTextServices->TxSetText(L"");
        return 0;
    }
    // RTF is 8-bit text in the resources' code page.
    const CStringA rtf = GetResourceManager()->ToResourceCodePage(lpszText);
    LRESULT lRead = StreamIn(SF_RTF, rtf.GetString(), static_cast<size_t>(rtf.GetLength()));
    if (lRead != 0)
        return lRead;
    // Not RTF: plain text, streamed wide so that no script is lost to a code page.
    return StreamIn(SF_TEXT | SF_UNICODE, lpszText, wcslen(lpszText) * sizeof(wchar_t));
}

int CQorRichRender::ProbeHeight(HDC hdc, int nWidth)
{
    m_szRequest = CSize(0, 0);
    RECTL rcl = {0, 0, nWidth, 1};
    m_pTextServices->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, hdc, nullptr, &rcl, nullptr, nullptr, nullptr, 0,
                            TXTVIEW_INACTIVE);
    // The services report a size only when the height changed; asking makes them report
    // every probe.
    LRESULT lResult = 0;
    m_pTextServices->TxSendMessage(EM_REQUESTRESIZE, 0, 0, &lResult);
    return m_szRequest.cy;
}

CSize CQorRichRender::GetTextExtent(CDC* pDC, int nMaxWidth)
{
    if (m_pTextServices == nullptr || pDC == nullptr || nMaxWidth <= 0)
        return CSize(0, 0);
    const HDC hdc = pDC->GetSafeHdc();
    LRESULT lResult = 0;
    m_pTextServices->TxSendMessage(EM_SETEVENTMASK, 0, ENM_REQUESTRESIZE, &lResult);
    const int nHeight = ProbeHeight(hdc, nMaxWidth);
    // The narrowest width that is no taller than the widest layout.
    int nLow = 0, nHigh = nMaxWidth;
    while (nHigh - nLow > 1) {
        const int nMiddle = nLow + (nHigh - nLow) / 2;
        if (ProbeHeight(hdc, nMiddle) > nHeight)
            nLow = nMiddle;
        else
            nHigh = nMiddle;
    }
    ProbeHeight(hdc, nHigh);
    return m_szRequest;
}

void CQorRichRender::DrawText(CDC* pDC, const CRect& rc)
{
    if (m_pTextServices == nullptr || pDC == nullptr)
        return;
    RECTL rcl = {rc.left, rc.top, rc.right, rc.bottom};
    m_pTextServices->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, pDC->GetSafeHdc(), nullptr, &rcl, nullptr, nullptr,
                            nullptr, 0, TXTVIEW_INACTIVE);
}

// ---------------------------------------------------------------------------------------
// The host: no window, so window services do nothing and those that need one fail.

STDMETHODIMP_(ULONG) CQorRichRender::XTextHost::AddRef()
{
    METHOD_PROLOGUE(CQorRichRender, TextHost)
    return pThis->ExternalAddRef();
}

STDMETHODIMP_(ULONG) CQorRichRender::XTextHost::Release()
{
    METHOD_PROLOGUE(CQorRichRender, TextHost)
    return pThis->ExternalRelease();
}

STDMETHODIMP CQorRichRender::XTextHost::QueryInterface(REFIID iid, LPVOID* ppvObj)
{
    METHOD_PROLOGUE(CQorRichRender, TextHost)
    return static_cast<HRESULT>(pThis->ExternalQueryInterface(&iid, ppvObj));
}

HDC CQorRichRender::XTextHost::TxGetDC()
{
    return nullptr;
}
INT CQorRichRender::XTextHost::TxReleaseDC(HDC)
{
    return 0;
}
WINBOOL CQorRichRender::XTextHost::TxShowScrollBar(INT, WINBOOL)
{
    return FALSE;
}
WINBOOL CQorRichRender::XTextHost::TxEnableScrollBar(INT, INT)
{
    return FALSE;
}
WINBOOL CQorRichRender::XTextHost::TxSetScrollRange(INT, LONG, INT, WINBOOL)
{
    return FALSE;
}
WINBOOL CQorRichRender::XTextHost::TxSetScrollPos(INT, INT, WINBOOL)
{
    return FALSE;
}
void CQorRichRender::XTextHost::TxInvalidateRect(LPCRECT, WINBOOL) {}
void CQorRichRender::XTextHost::TxViewChange(WINBOOL) {}
WINBOOL CQorRichRender::XTextHost::TxCreateCaret(HBITMAP, INT, INT)
{
    return FALSE;
}
WINBOOL CQorRichRender::XTextHost::TxShowCaret(WINBOOL)
{
    return FALSE;
}
WINBOOL CQorRichRender::XTextHost::TxSetCaretPos(INT, INT)
{
    return FALSE;
}
WINBOOL CQorRichRender::XTextHost::TxSetTimer(UINT, UINT)
{
    return FALSE;
}
void CQorRichRender::XTextHost::TxKillTimer(UINT) {}
void CQorRichRender::XTextHost::TxScrollWindowEx(INT, INT, LPCRECT, LPCRECT, HRGN, LPRECT, UINT) {}
void CQorRichRender::XTextHost::TxSetCapture(WINBOOL) {}
void CQorRichRender::XTextHost::TxSetFocus() {}
void CQorRichRender::XTextHost::TxSetCursor(HCURSOR, WINBOOL) {}
WINBOOL CQorRichRender::XTextHost::TxScreenToClient(LPPOINT)
{
    return FALSE;
}
WINBOOL CQorRichRender::XTextHost::TxClientToScreen(LPPOINT)
{
    return FALSE;
}
HRESULT CQorRichRender::XTextHost::TxActivate(LONG*)
{
    return E_FAIL;
}
HRESULT CQorRichRender::XTextHost::TxDeactivate(LONG)
{
    return E_FAIL;
}
HRESULT CQorRichRender::XTextHost::TxGetClientRect(LPRECT)
{
    return E_FAIL;
}

HRESULT CQorRichRender::XTextHost::TxGetViewInset(LPRECT prc)
{
    ::SetRectEmpty(prc);
    return S_OK;
}

HRESULT CQorRichRender::XTextHost::TxGetCharFormat(const CHARFORMATW** ppCF)
{
    METHOD_PROLOGUE(CQorRichRender, TextHost)
    *ppCF = &pThis->m_cfDefault;
    return S_OK;
}

HRESULT CQorRichRender::XTextHost::TxGetParaFormat(const PARAFORMAT** ppPF)
{
    METHOD_PROLOGUE(CQorRichRender, TextHost)
    *ppPF = reinterpret_cast<const PARAFORMAT*>(&pThis->m_pfDefault);
    return S_OK;
}

COLORREF CQorRichRender::XTextHost::TxGetSysColor(int nIndex)
{
    return ::GetSysColor(nIndex);
}

HRESULT CQorRichRender::XTextHost::TxGetBackStyle(TXTBACKSTYLE* pstyle)
{
    *pstyle = TXTBACK_TRANSPARENT;
    return S_OK;
}

HRESULT CQorRichRender::XTextHost::TxGetMaxLength(DWORD* plength)
{
    *plength = 0x1000000;
    return S_OK;
}

HRESULT CQorRichRender::XTextHost::TxGetScrollBars(DWORD* pdwScrollBar)
{
    *pdwScrollBar = 0;
    return S_OK;
}

HRESULT CQorRichRender::XTextHost::TxGetPasswordChar(TCHAR*)
{
    return S_FALSE;
}

HRESULT CQorRichRender::XTextHost::TxGetAcceleratorPos(LONG* pcp)
{
    *pcp = -1;
    return S_OK;
}

HRESULT CQorRichRender::XTextHost::TxGetExtent(LPSIZEL)
{
    return E_NOTIMPL;
}
HRESULT CQorRichRender::XTextHost::OnTxCharFormatChange(const CHARFORMATW*)
{
    return S_OK;
}
HRESULT CQorRichRender::XTextHost::OnTxParaFormatChange(const PARAFORMAT*)
{
    return S_OK;
}

HRESULT CQorRichRender::XTextHost::TxGetPropertyBits(DWORD dwMask, DWORD* pdwBits)
{
    *pdwBits = dwMask & kPropertyBits;
    return S_OK;
}

HRESULT CQorRichRender::XTextHost::TxNotify(DWORD iNotify, void* pv)
{
    METHOD_PROLOGUE(CQorRichRender, TextHost)
    if (iNotify == EN_REQUESTRESIZE && pv != nullptr) {
        // The requested rectangle's left edge is not always filled in: the right edge is the width.
        const REQRESIZE* pResize = static_cast<const REQRESIZE*>(pv);
        pThis->m_szRequest = CSize(pResize->rc.right, pResize->rc.bottom - pResize->rc.top);
    }
    return S_OK;
}

HIMC CQorRichRender::XTextHost::TxImmGetContext()
{
    return nullptr;
}
void CQorRichRender::XTextHost::TxImmReleaseContext(HIMC) {}

HRESULT CQorRichRender::XTextHost::TxGetSelectionBarWidth(LONG* lSelBarWidth)
{
    *lSelBarWidth = 0;
    return S_OK;
}
