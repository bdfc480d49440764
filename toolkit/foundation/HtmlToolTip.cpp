#include "toolkit/foundation/HtmlToolTip.h"

#include "platform/browser/BrowserControl.h"
#include "toolkit/foundation/ColorManager.h"
#include "toolkit/foundation/ToolTipContext.h"

namespace {

const UINT kBrowserId = 0xE900;
const int kReferenceWidth = 650;

} // namespace

CHTMLToolTip::CHTMLToolTip(CQorToolTipContext* pContext) : CQorToolTipContextToolTip(pContext) {}

CHTMLToolTip::~CHTMLToolTip()
{
    if (m_pBrowser)
        m_pBrowser->Destroy();
}

CString CHTMLToolTip::FormatPage(const CString& strText) const
{
    CString strFace = L"Arial";
    int nSize = 11;
    LOGFONTW lf = {};
    if (m_pContext->m_fntNormal.GetSafeHandle() && m_pContext->m_fntNormal.GetLogFont(&lf)) {
        strFace = lf.lfFaceName;
        nSize = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
    }
    COLORREF clrBack =
        m_pContext->m_clrBack != static_cast<COLORREF>(-1) ? m_pContext->m_clrBack : GetColor(COLOR_INFOBK);
    CString strPage;
    strPage.Format(L"<html><head><style> body {font-family:%s; font-size:%ipx;}table {font-family:%s; font-size:%ipx;}"
                   L"</style></head><body topmargin=0 leftmargin=0 bottommargin=0 rightmargin=0 "
                   L"bgColor=#%02x%02x%02x>",
                   strFace.GetString(), nSize, strFace.GetString(), nSize, GetRValue(clrBack), GetGValue(clrBack),
                   GetBValue(clrBack));
    strPage += strText;
    strPage += L"</body></html>";
    return strPage;
}

CSize CHTMLToolTip::MeasureTip(CTool* pTool)
{
    if (!m_pBrowser) {
        auto pBrowser = std::make_unique<fxb::BrowserControl>();
        RECT rc = {0, 0, 200, 200};
        if (!pBrowser->Create(m_hWnd, rc, kBrowserId, WS_CHILD | WS_VISIBLE))
            return CSize(0, 0);
        pBrowser->SetScrollBarsHidden(true);
        m_pBrowser = std::move(pBrowser);
    }
    CString strText = GetToolText(pTool);
    if (strText.IsEmpty())
        return CSize(0, 0);
    HWND hBrowser = m_pBrowser->Handle();
    m_pBrowser->LoadFromString(std::wstring(FormatPage(strText).GetString()));

    // The engine's scroll height is never less than its window: measure in a window one
    // pixel high, so that the height is the page's own.
    ::MoveWindow(hBrowser, 0, 0, kReferenceWidth, 1, FALSE);
    const int nHeight = m_pBrowser->ScrollHeight();
    const int nMaxWidth = m_nMaxWidth == -1 ? ::GetSystemMetrics(SM_CXSCREEN) : m_nMaxWidth;
    int nLow = 0, nHigh = 2 * nMaxWidth, nBest = nMaxWidth;
    while (nLow <= nHigh) {
        int nMid = (nLow + nHigh) / 2;
        ::MoveWindow(hBrowser, 0, 0, nMid, 1, FALSE);
        int nScrollHeight = m_pBrowser->ScrollHeight();
        int nScrollWidth = m_pBrowser->ScrollWidth();
        if (nScrollHeight > nHeight) {
            nLow = nMid + 1;
        } else if (nScrollWidth > nMid) {
            nBest = nScrollWidth;
            break;
        } else {
            nBest = nMid;
            nHigh = nMid - 1;
        }
    }
    ::MoveWindow(hBrowser, m_rcMargin.left + 3, m_rcMargin.top + 3, nBest, nHeight, FALSE);
    const int nX = m_rcMargin.left + m_rcMargin.right + 6;
    const int nY = m_rcMargin.top + m_rcMargin.bottom + 6;
    return CSize(nBest + nX, nHeight + nY);
}
