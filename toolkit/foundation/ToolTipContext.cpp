#include "toolkit/foundation/ToolTipContext.h"

#include <cstdlib>

#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/HtmlToolTip.h"
#include "toolkit/foundation/ImageManager.h"
#include "toolkit/foundation/SystemInfo.h"
#include "toolkit/foundation/ToolTipStyles.h"
#include "toolkit/foundation/ToolTipWnd.h"

namespace {

bool AnyMouseButtonDown()
{
    return (::GetKeyState(VK_LBUTTON) & 0x8000) || (::GetKeyState(VK_RBUTTON) & 0x8000) ||
           (::GetKeyState(VK_MBUTTON) & 0x8000);
}

bool IsTipMouseMessage(UINT nMessage)
{
    return nMessage == WM_MOUSEMOVE || nMessage == WM_NCMOUSEMOVE || nMessage == WM_LBUTTONUP ||
           nMessage == WM_RBUTTONUP || nMessage == WM_MBUTTONUP;
}

// Presses and keys put the tip away.
bool IsDeactivatingMessage(UINT nMessage)
{
    switch (nMessage) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
        return true;
    default:
        return nMessage >= WM_KEYFIRST && nMessage <= WM_KEYLAST;
    }
}

bool IsHeapText(LPCWSTR psz)
{
    return psz && psz != LPSTR_TEXTCALLBACKW && !IS_INTRESOURCE(psz);
}

LPWSTR HeapCopy(LPCTSTR lpszText)
{
    size_t nLength = lpszText ? wcslen(lpszText) : 0;
    LPWSTR psz = static_cast<LPWSTR>(std::malloc((nLength + 1) * sizeof(wchar_t)));
    if (psz) {
        if (nLength)
            wmemcpy(psz, lpszText, nLength);
        psz[nLength] = 0;
    }
    return psz;
}

} // namespace

void FillToolInfo(HWND hWnd, LPCTSTR lpszText, TOOLINFOW* pTI, int nLeft, int nTop, int nRight, int nBottom,
                  UINT_PTR nId)
{
    if (!pTI || pTI->cbSize < TTTOOLINFOW_V1_SIZE)
        return;
    pTI->hwnd = hWnd;
    pTI->uId = nId;
    ::SetRect(&pTI->rect, nLeft, nTop, nRight, nBottom);
    pTI->lpszText = HeapCopy(lpszText);
}

CQorToolTipContext::CQorToolTipContext()
    : m_nComCtlVersion(static_cast<int>(GetComCtlVersion())), m_nMaxTipWidth(::GetSystemMetrics(SM_CXSCREEN) / 2),
      m_rcMargin(0, 0, 0, 0)
{
    ::ZeroMemory(&m_lastInfo, sizeof(m_lastInfo));
    NONCLIENTMETRICSW ncm = {};
    ncm.cbSize = 500; // the size every system since NT 4 accepts
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0)) {
        ncm.cbSize = sizeof(ncm);
        ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0);
    }
    LOGFONTW lf = ncm.lfStatusFont;
    lf.lfWeight = FW_NORMAL;
    m_fntNormal.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_fntBold.CreateFontIndirect(&lf);
}

CQorToolTipContext::~CQorToolTipContext()
{
    DestroyToolTip();
}

void CQorToolTipContext::DestroyToolTip()
{
    if (m_pToolTip) {
        if (::IsWindow(m_pToolTip->GetSafeHwnd()))
            m_pToolTip->DestroyWindow();
        delete m_pToolTip;
    }
    m_pToolTip = nullptr;
    m_hWndTopOwner = nullptr;
    ::ZeroMemory(&m_lastInfo, sizeof(m_lastInfo));
}

CWnd* CQorToolTipContext::CreateToolTip(CWnd*)
{
    switch (m_nStyle) {
    case qorToolTipFlat:
        return new CQorToolTipContextToolTip(this);
    case qorToolTipRichText:
        return new CRichEditToolTip(this);
    case qorToolTipLuna:
        return new CLunaToolTip(this);
    case qorToolTipOffice2007:
        return new COffice2007ToolTip(this);
    case qorToolTipHtml:
        return new CHTMLToolTip(this);
    default:
        return new CStandardToolTip();
    }
}

BOOL CQorToolTipContext::IsFromOwner(CWnd* pWndOwner, HWND hWndMessage) const
{
    HWND hWndOwner = pWndOwner->GetSafeHwnd();
    if (hWndMessage == hWndOwner)
        return TRUE;
    if (!::IsChild(hWndOwner, hWndMessage))
        return FALSE;
    // A frame between the child and the owner has tips of its own.
    for (HWND hWnd = ::GetParent(hWndMessage); hWnd && hWnd != hWndOwner; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd && pWnd->IsFrameWnd())
            return FALSE;
    }
    return TRUE;
}

void CQorToolTipContext::SetUpNewTip()
{
    CWnd* pTip = m_pToolTip;
    pTip->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_fntNormal.GetSafeHandle()), FALSE);
    pTip->SendMessage(TTM_SETMAXTIPWIDTH, 0, m_nMaxTipWidth);
    RECT rcMargin = m_rcMargin;
    pTip->SendMessage(TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&rcMargin));
    if (m_clrBack != static_cast<COLORREF>(-1))
        pTip->SendMessage(TTM_SETTIPBKCOLOR, m_clrBack, 0);
    if (m_clrText != static_cast<COLORREF>(-1))
        pTip->SendMessage(TTM_SETTIPTEXTCOLOR, m_clrText, 0);
    if (m_nReshowDelay != -1)
        pTip->SendMessage(TTM_SETDELAYTIME, TTDT_RESHOW, m_nReshowDelay);
    if (m_nInitialDelay != -1)
        pTip->SendMessage(TTM_SETDELAYTIME, TTDT_INITIAL, m_nInitialDelay);
    if (m_nAutoPopDelay != -1)
        pTip->SendMessage(TTM_SETDELAYTIME, TTDT_AUTOPOP, m_nAutoPopDelay);
    pTip->SendMessage(TTM_ACTIVATE, FALSE, 0);
}

void CQorToolTipContext::FreeToolInfoTexts(TOOLINFOW& ti)
{
    if (IsHeapText(ti.lpszText))
        std::free(ti.lpszText);
    ti.lpszText = nullptr;
}

void CQorToolTipContext::FilterToolTipMessage(CWnd* pWndOwner, const MSG* pMsg, BOOL bRelayed)
{
    if (!pWndOwner || !pMsg || !::IsWindow(pWndOwner->GetSafeHwnd()))
        return;
    if (!IsTipMouseMessage(pMsg->message)) {
        if (IsDeactivatingMessage(pMsg->message) && m_pToolTip && ::IsWindow(m_pToolTip->GetSafeHwnd()))
            m_pToolTip->SendMessage(TTM_ACTIVATE, FALSE, 0);
        return;
    }
    if (AnyMouseButtonDown())
        return;
    if (!bRelayed && !IsFromOwner(pWndOwner, pMsg->hwnd))
        return;

    HWND hWndTop = ::GetAncestor(pWndOwner->GetSafeHwnd(), GA_ROOT);
    const BOOL bForeground = IsOwnerChainActive(pWndOwner->GetSafeHwnd());
    if (m_pToolTip && (!::IsWindow(m_pToolTip->GetSafeHwnd()) || m_hWndTopOwner != hWndTop))
        DestroyToolTip();
    if (m_pToolTip && m_pToolTip->IsWindowVisible() && !bForeground) {
        m_pToolTip->SendMessage(TTM_ACTIVATE, FALSE, 0);
        return;
    }
    if (!m_pToolTip) {
        CWnd* pTip = CreateToolTip(pWndOwner);
        DWORD dwStyle = static_cast<DWORD>(m_nStyleBits) | TTS_ALWAYSTIP | TTS_NOPREFIX;
        BOOL bCreated = FALSE;
        if (CQorToolTipContextToolTip* pOwn = dynamic_cast<CQorToolTipContextToolTip*>(pTip)) {
            bCreated = pOwn->CreateTip(hWndTop, dwStyle);
        } else if (CStandardToolTip* pStandard = dynamic_cast<CStandardToolTip*>(pTip)) {
            if (m_nStyle == qorToolTipStandardBalloon)
                dwStyle |= TTS_BALLOON;
            bCreated = pStandard->CreateTip(hWndTop, dwStyle);
        }
        if (!bCreated) {
            delete pTip;
            return;
        }
        m_pToolTip = pTip;
        m_hWndTopOwner = hWndTop;
        SetUpNewTip();
    }

    const BOOL bExtended = m_bShowTitle || m_bShowImage;
    QOR_TOOLINFO_EXTRA extra = {};
    TOOLINFOW ti = {};
    ti.cbSize = bExtended ? TTTOOLINFOW_V2_SIZE : TTTOOLINFOW_V1_SIZE;
    if (bExtended)
        ti.lParam = reinterpret_cast<LPARAM>(&extra);
    CPoint pt;
    ::GetCursorPos(&pt);
    ::ScreenToClient(pWndOwner->GetSafeHwnd(), &pt);
    INT_PTR nHit = pWndOwner->OnToolHitTest(pt, &ti);

    // The texts the hit test allocated are copied here and freed at once.
    CString strBody = IsHeapText(ti.lpszText) ? CString(ti.lpszText) : CString();
    CString strTitle = extra.lpszTitle ? CString(extra.lpszTitle) : CString();
    CString strExtraBody = extra.lpszBody ? CString(extra.lpszBody) : CString();
    const BOOL bCallback = ti.lpszText == LPSTR_TEXTCALLBACKW;
    FreeToolInfoTexts(ti);
    std::free(extra.lpszBody);
    std::free(extra.lpszTitle);
    extra.lpszBody = extra.lpszTitle = nullptr;
    if (!strExtraBody.IsEmpty())
        strBody = strExtraBody;
    if (m_bShowTitle && strBody == strTitle)
        strBody.Empty();
    if (!(m_nStyleBits & TTS_NOPREFIX)) {
        StripMnemonic(strBody);
        StripMnemonic(strTitle);
    }
    ti.lpszText = bCallback ? LPSTR_TEXTCALLBACKW : nullptr;

    const BOOL bHit = nHit != -1;
    const BOOL bSame = bHit && m_lastInfo.cbSize && ti.uId == m_lastInfo.uId && ti.hwnd == m_lastInfo.hwnd &&
                       ::EqualRect(&ti.rect, &m_lastInfo.rect);
    if (!bSame) {
        if (m_lastInfo.cbSize)
            m_pToolTip->SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&m_lastInfo));
        ::ZeroMemory(&m_lastInfo, sizeof(m_lastInfo));
        if (bHit) {
            const BOOL bShowNow = (ti.uFlags & QOR_TTF_SHOWNOW) != 0;
            ti.uFlags &= 0x3FFFFFFF;
            OnToolChanged(ti, strBody, strTitle);
            if (bShowNow || bForeground) {
                m_pToolTip->SendMessage(TTM_ACTIVATE, TRUE, 0);
                ::SetWindowPos(m_pToolTip->GetSafeHwnd(), HWND_TOP, 0, 0, 0, 0,
                               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            }
            m_lastInfo = ti;
            m_lastInfo.lpszText = nullptr;
            m_lastInfo.lParam = 0;
        } else {
            m_pToolTip->SendMessage(TTM_ACTIVATE, FALSE, 0);
        }
    }
    MSG msg = *pMsg;
    m_pToolTip->SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

void CQorToolTipContext::OnToolChanged(const TOOLINFOW& tiHit, const CString& strBody, const CString& strTitle)
{
    TOOLINFOW ti = tiHit;
    CString strText = strBody;
    if (ti.lpszText != LPSTR_TEXTCALLBACKW)
        ti.lpszText = const_cast<LPWSTR>(strText.GetString());
    m_pToolTip->SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    if (m_bShowImage)
        SetToolImage(ti.uId);
    const BOOL bNoTitles = m_nStyle == qorToolTipRichText || m_nStyle == qorToolTipHtml ||
                           (dynamic_cast<CStandardToolTip*>(m_pToolTip) && m_nComCtlVersion < 0x50050);
    if (bNoTitles)
        return;
    if (m_bShowTitle && !strBody.IsEmpty() && !strTitle.IsEmpty()) {
        m_pToolTip->SendMessage(TTM_SETTITLEW, m_nTitleIcon, reinterpret_cast<LPARAM>(strTitle.GetString()));
        m_pToolTip->SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
    } else {
        m_pToolTip->SendMessage(TTM_SETTITLEW, 0, 0);
    }
}

void CQorToolTipContext::SetToolImage(UINT_PTR nToolId)
{
    // The narrowest icon of the id: a tip's image is meant to be a command's small icon, and
    // only an id set up with a larger one alone gives a large image.
    CQorImageManagerIcon* pIcon = nullptr;
    if (m_pImageManager)
        pIcon = m_pImageManager->GetImage(static_cast<UINT>(nToolId + m_nImageBase));
    m_pToolTip->SendMessage(WM_QOR_TIP_SET_IMAGE, 0, reinterpret_cast<LPARAM>(pIcon));
}
