#include "toolkit/skin/SkinManagerMetrics.h"

#include "toolkit/skin/SkinManager.h"
#include "toolkit/skin/SkinManagerSchema.h"

namespace {

const COLORREF kDefaultColors[CQorSkinManagerMetrics::kColorCount] = {
    RGB(192, 192, 192), RGB(58, 110, 165),  RGB(0, 0, 128),     RGB(128, 128, 128), RGB(192, 192, 192),
    RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255),
    RGB(192, 192, 192), RGB(192, 192, 192), RGB(128, 128, 128), RGB(0, 0, 128),     RGB(255, 255, 255),
    RGB(192, 192, 192), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(192, 192, 192),
    RGB(255, 255, 255), RGB(0, 0, 0),       RGB(223, 223, 223), RGB(0, 0, 0),       RGB(255, 255, 225),
    RGB(180, 180, 180), RGB(0, 0, 255),     RGB(16, 132, 208),  RGB(181, 181, 181), RGB(0, 0, 128),
    RGB(192, 192, 192)};

// Skin sizes are untrusted: caption heights and scroll-bar sizes stay within 1-128 pixels.
int ClampSize(int n)
{
    return n < 1 ? 1 : (n > 128 ? 128 : n);
}

const CQorSkinManagerSchemaProperty* SysMetric(const CQorSkinManagerSchema* pSchema, int nPropertyId, int nType)
{
    const CQorSkinManagerSchemaProperty* p = LookupProperty(pSchema, LookupClassId(L"SYSMETRICS"), 0, 0, nPropertyId);
    return p && p->m_nType == nType ? p : nullptr;
}

} // namespace

CQorSkinManagerMetrics::CQorSkinManagerMetrics(CQorSkinManager* pManager) : m_pManager(pManager)
{
    for (int i = 0; i < kColorCount; ++i) {
        m_clrTheme[i] = static_cast<COLORREF>(-1);
        m_brTheme[i] = nullptr;
    }
}

CQorSkinManagerMetrics::~CQorSkinManagerMetrics()
{
    if (m_hbrBtnFace)
        ::DeleteObject(m_hbrBtnFace);
    if (m_hbrSecond)
        ::DeleteObject(m_hbrSecond);
    for (HBRUSH hBrush : m_brTheme)
        if (hBrush)
            ::DeleteObject(hBrush);
}

COLORREF CQorSkinManagerMetrics::GetDefaultColor(int nIndex)
{
    return nIndex >= 0 && nIndex < kColorCount ? kDefaultColors[nIndex] : 0;
}

void CQorSkinManagerMetrics::ReplaceFont(CFont& font, const LOGFONTW& lf)
{
    font.DeleteObject();
    font.CreateFontIndirect(&lf);
}

void CQorSkinManagerMetrics::Refresh()
{
    const CQorSkinManagerSchema* pSchema = m_pManager ? m_pManager->GetSchema() : nullptr;
    if (!pSchema) {
        for (int i = 0; i < kColorCount; ++i) {
            m_clrTheme[i] = ::GetSysColor(i);
            if (m_brTheme[i])
                ::DeleteObject(m_brTheme[i]);
            m_brTheme[i] = nullptr;
        }
        return;
    }
    NONCLIENTMETRICSW ncm = {};
    ncm.cbSize = sizeof(ncm);
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) {
        ReplaceFont(m_fntCaption, ncm.lfCaptionFont);
        ReplaceFont(m_fntSmCaption, ncm.lfSmCaptionFont);
        ReplaceFont(m_fntMenu, ncm.lfMenuFont);
    }
    m_nBorderSize = 1;
    ::SystemParametersInfoW(SPI_GETBORDER, 0, &m_nBorderSize, 0);
    m_cxBorder = ::GetSystemMetrics(SM_CXBORDER);
    m_cyBorder = ::GetSystemMetrics(SM_CYBORDER);
    m_cxEdge = ::GetSystemMetrics(SM_CXEDGE);
    m_cyEdge = ::GetSystemMetrics(SM_CYEDGE);
    m_cxHScroll = ::GetSystemMetrics(SM_CXHSCROLL);
    m_cyHScroll = ::GetSystemMetrics(SM_CYHSCROLL);
    m_cxVScroll = ::GetSystemMetrics(SM_CXVSCROLL);
    m_cyVScroll = ::GetSystemMetrics(SM_CYVSCROLL);
    m_cyCaption = m_cyOsCaption = ::GetSystemMetrics(SM_CYCAPTION);
    m_cySmallCaption = m_cyOsSmallCaption = ::GetSystemMetrics(SM_CYSMCAPTION);

    if (m_pManager->GetApplyOptions() & qorSkinApplyMetrics) {
        if (const auto* p = SysMetric(pSchema, TMT_CAPTIONBARHEIGHT, qorSkinInt))
            m_cyCaption = ClampSize(p->m_nValue);
        ++m_cyCaption;
        if (const auto* p = SysMetric(pSchema, TMT_SMCAPTIONBARHEIGHT, qorSkinInt))
            m_cySmallCaption = ClampSize(p->m_nValue);
        ++m_cySmallCaption;
        if (const auto* p = SysMetric(pSchema, TMT_SCROLLBARWIDTH, qorSkinInt))
            if (p->m_nValue > 0)
                m_cxVScroll = m_cxHScroll = ClampSize(p->m_nValue);
        if (const auto* p = SysMetric(pSchema, TMT_SCROLLBARHEIGHT, qorSkinInt))
            if (p->m_nValue > 0)
                m_cyVScroll = m_cyHScroll = ClampSize(p->m_nValue);
        if (const auto* p = SysMetric(pSchema, TMT_CAPTIONFONT, qorSkinFont))
            ReplaceFont(m_fntCaption, *p->m_pFont);
        if (const auto* p = SysMetric(pSchema, TMT_SMALLCAPTIONFONT, qorSkinFont))
            ReplaceFont(m_fntSmCaption, *p->m_pFont);
    }

    for (int i = 0; i < kColorCount; ++i) {
        const auto* p = SysMetric(pSchema, TMT_SCROLLBAR + i, qorSkinColor);
        COLORREF clr = p ? p->m_clrValue : kDefaultColors[i];
        m_pManager->ApplyColorFilters(clr);
        if (clr != m_clrTheme[i] || !m_brTheme[i]) {
            if (m_brTheme[i])
                ::DeleteObject(m_brTheme[i]);
            m_brTheme[i] = ::CreateSolidBrush(clr);
        }
        m_clrTheme[i] = clr;
    }
    m_clrEdgeLight = m_clrTheme[COLOR_3DLIGHT];
    m_clrEdgeHighLight = m_clrTheme[COLOR_BTNHIGHLIGHT];
    m_clrEdgeShadow = m_clrTheme[COLOR_BTNSHADOW];
    m_clrEdgeDkShadow = m_clrTheme[COLOR_3DDKSHADOW];
    if (m_hbrBtnFace)
        ::DeleteObject(m_hbrBtnFace);
    m_hbrBtnFace = ::CreateSolidBrush(m_clrTheme[COLOR_BTNFACE]);
    if (m_hbrSecond)
        ::DeleteObject(m_hbrSecond);
    m_hbrSecond = nullptr;
}

BOOL CQorSkinManagerMetrics::IsMetricObject(HGDIOBJ hObject) const
{
    if (!hObject || ::GetObjectType(hObject) != OBJ_BRUSH)
        return FALSE;
    for (HBRUSH hBrush : m_brTheme)
        if (hBrush == hObject)
            return TRUE;
    return FALSE;
}

void CQorSkinManagerMetrics::FillSolid(HDC hDC, int x, int y, int cx, int cy, COLORREF clr)
{
    const COLORREF clrOld = ::SetBkColor(hDC, clr);
    const RECT rc = {x, y, x + cx, y + cy};
    ::ExtTextOutW(hDC, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    ::SetBkColor(hDC, clrOld);
}

void CQorSkinManagerMetrics::FrameRectSolid(HDC hDC, const RECT& rc, int t, COLORREF clr)
{
    FillSolid(hDC, rc.left, rc.top, rc.right - t - rc.left, t, clr);
    FillSolid(hDC, rc.left, rc.top, t, rc.bottom - t - rc.top, clr);
    FillSolid(hDC, rc.right - t, rc.top, t, rc.bottom - rc.top, clr);
    FillSolid(hDC, rc.left, rc.bottom - t, rc.right - rc.left, t, clr);
}

void CQorSkinManagerMetrics::FrameRectBrush(HDC hDC, const RECT& rc, int t, HBRUSH hBrush)
{
    const RECT bands[4] = {{rc.left, rc.top, rc.right - t, rc.top + t},
                           {rc.left, rc.top, rc.left + t, rc.bottom - t},
                           {rc.right - t, rc.top, rc.right, rc.bottom},
                           {rc.left, rc.bottom - t, rc.right, rc.bottom}};
    for (const RECT& band : bands)
        ::FillRect(hDC, &band, hBrush);
}

CSize CQorSkinManagerMetrics::GetSkinIconSize(HICON hIcon)
{
    CSize size(32, 32);
    ICONINFO info = {};
    if (!hIcon || !::GetIconInfo(hIcon, &info))
        return size;
    BITMAP bm = {};
    if (info.hbmMask && ::GetObjectW(info.hbmMask, sizeof(bm), &bm))
        size = CSize(bm.bmWidth, info.hbmColor ? bm.bmHeight : bm.bmHeight / 2);
    if (info.hbmMask)
        ::DeleteObject(info.hbmMask);
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    return size;
}
