#include "toolkit/foundation/ToolTipStyles.h"

#include <algorithm>

#include "platform/framework/WinApp.h"
#include "toolkit/foundation/ColorManager.h"
#include "toolkit/foundation/Office2007Image.h"
#include "toolkit/foundation/ToolTipContext.h"
#include "toolkit/foundation/DrawHelpers.h"

namespace {

CQorOffice2007Images* g_pOffice2007ImagesForTest = nullptr;

COLORREF ColorOr(COLORREF clr, COLORREF clrDefault)
{
    return clr == static_cast<COLORREF>(-1) ? clrDefault : clr;
}

} // namespace

// ---- standard ------------------------------------------------------------------------------

BOOL CStandardToolTip::CreateTip(HWND hWndOwner, DWORD dwStyle)
{
    return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, hWndOwner, nullptr);
}

LRESULT CStandardToolTip::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
    if (message == TTM_WINDOWFROMPOINT && lParam)
        lResult = reinterpret_cast<LRESULT>(QorTipWindowFromPoint(*reinterpret_cast<const POINT*>(lParam)));
    return lResult;
}

// ---- rich text -----------------------------------------------------------------------------

CRichEditToolTip::~CRichEditToolTip()
{
    if (m_pRender)
        m_pRender->InternalRelease();
}

CQorRichRender* CRichEditToolTip::Render()
{
    if (!m_pRender)
        m_pRender = new CQorRichRender();
    return m_pRender;
}

CSize CRichEditToolTip::MeasureTip(CTool* pTool)
{
    CQorRichRender* pRender = Render();
    CString strText = GetToolText(pTool);
    if (!pRender->IsAvailable() || strText.IsEmpty())
        return CSize(0, 0);
    const int nX = m_rcMargin.left + m_rcMargin.right + 6;
    const int nY = m_rcMargin.top + m_rcMargin.bottom + 6;
    const int nW = m_nMaxWidth == -1 ? ::GetSystemMetrics(SM_CXSCREEN) : m_nMaxWidth;
    CClientDC dc(this);
    CQorFontDC font(&dc, &m_pContext->m_fntNormal);

    CHARFORMATW cf = {};
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_PROTECTED;
    cf.crTextColor = GetTextColor();
    LOGFONTW lf = {};
    if (m_pContext->m_fntNormal.GetSafeHandle() && m_pContext->m_fntNormal.GetLogFont(&lf)) {
        cf.yHeight = -::MulDiv(lf.lfHeight, 1440, ::GetDeviceCaps(dc.GetSafeHdc(), LOGPIXELSY));
        ::lstrcpynW(cf.szFaceName, lf.lfFaceName, LF_FACESIZE);
        cf.dwMask |= CFM_SIZE | CFM_FACE;
    }
    pRender->SetText(L"");
    pRender->SetDefaultCharFormat(cf);
    pRender->SetText(strText);
    CSize sz = pRender->GetTextExtent(&dc, nW - nX);
    return CSize(sz.cx + nX, sz.cy + nY);
}

void CRichEditToolTip::DrawTip(CDC* pDC, CTool*, CRect rcClient)
{
    CQorRichRender* pRender = Render();
    if (!pRender->IsAvailable())
        return;
    CRect rc(rcClient.left + m_rcMargin.left + 3, rcClient.top + m_rcMargin.top + 3,
             rcClient.right - m_rcMargin.right - 3, rcClient.bottom - m_rcMargin.bottom - 3);
    pRender->DrawText(pDC, rc);
}

// ---- Luna ----------------------------------------------------------------------------------

void CLunaToolTip::DrawBackground(CDC* pDC, CTool*, CRect rcClient)
{
    CQorColorManager* pColors = GetColorManager();
    int nStyle = pColors->m_nRequestedKind;
    if (nStyle == qorStyleFollowSystem || nStyle == qorStyleFollowSystem + 1)
        nStyle = pColors->m_nDetectedStyle;
    if (nStyle >= qorStyleBlue && nStyle <= qorStyleAero) {
        GetDrawHelpers()->GradientFill(pDC, &rcClient, RGB(0xFF, 0xD4, 0x97), RGB(0xFF, 0xF2, 0xC8), FALSE);
        COLORREF clrFrame = nStyle == qorStyleOlive    ? RGB(0x3F, 0x5D, 0x38)
                            : nStyle == qorStyleSilver ? RGB(0x4B, 0x4B, 0x6F)
                                                       : RGB(0x00, 0x00, 0x80);
        pDC->Draw3dRect(&rcClient, clrFrame, clrFrame);
    } else {
        GetDrawHelpers()->GradientFill(pDC, &rcClient, GetBackColor(), RGB(0xFF, 0xFF, 0xFF), FALSE);
        pDC->Draw3dRect(&rcClient, RGB(0, 0, 0), RGB(0, 0, 0));
    }
}

// ---- Office 2007 ---------------------------------------------------------------------------

void COffice2007ToolTip::SetImagesForTest(CQorOffice2007Images* pImages)
{
    g_pOffice2007ImagesForTest = pImages;
}

void COffice2007ToolTip::DrawBackground(CDC* pDC, CTool*, CRect rcClient)
{
    CQorOffice2007Images* pImages = g_pOffice2007ImagesForTest ? g_pOffice2007ImagesForTest : GetOffice2007Images();
    COLORREF clrLight = ColorOr(pImages->GetColor(L"Window", L"TooltipLight"), RGB(0xFF, 0xFF, 0xFF));
    COLORREF clrDark = ColorOr(pImages->GetColor(L"Window", L"TooltipDark"), RGB(0xC9, 0xD9, 0xEF));
    COLORREF clrBorder = ColorOr(pImages->GetColor(L"Window", L"TooltipBorder"), RGB(0x76, 0x76, 0x76));
    GetDrawHelpers()->GradientFill(pDC, &rcClient, clrLight, clrDark, FALSE);
    pDC->Draw3dRect(&rcClient, clrBorder, clrBorder);
}
