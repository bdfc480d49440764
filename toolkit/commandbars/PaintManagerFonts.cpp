// The paint manager's fonts: the regular fonts from the menu font, the icon-title, small-caption
// and status fonts, and the text height most metrics derive from.
#include "toolkit/commandbars/PaintManager.h"

#include <cstddef>

#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/ResourceManager.h"
#include "toolkit/foundation/SystemInfo.h"

namespace {

QorSystemFontsEditor g_pfnSystemFontsEditor = nullptr;
QorFontInstalledQuery g_pfnFontInstalled = nullptr;

// The structure as systems before Vista know it (without the padded border width).
const UINT kNonClientMetricsSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
const BYTE kClearTypeQuality = 5;        // CLEARTYPE_QUALITY
const BYTE kClearTypeNaturalQuality = 6; // CLEARTYPE_NATURAL_QUALITY

BOOL FaceInstalled(LPCTSTR lpszFaceName)
{
    return g_pfnFontInstalled ? g_pfnFontInstalled(lpszFaceName) : IsFontInstalled(lpszFaceName);
}

BOOL IsXPOrLater()
{
    const OSVERSIONINFOW& info = GetOsVersionInfo();
    return info.dwPlatformId == VER_PLATFORM_WIN32_NT &&
           (info.dwMajorVersion > 5 || (info.dwMajorVersion == 5 && info.dwMinorVersion >= 1));
}

// A standard font, or one that holds nothing, is made again; a font set from outside stays.
void RenewFont(CQorPaintManagerFont& font, const LOGFONT& lf)
{
    if (!font.m_bStandardFont && font.GetSafeHandle())
        return;
    font.DeleteObject();
    font.CreateFontIndirect(&lf);
}

} // namespace

void QorSetSystemFontsEditorForTest(QorSystemFontsEditor pfnEditor)
{
    g_pfnSystemFontsEditor = pfnEditor;
}

void QorSetFontInstalledQueryForTest(QorFontInstalledQuery pfnQuery)
{
    g_pfnFontInstalled = pfnQuery;
}

void CQorPaintManager::UpdateFonts()
{
    NONCLIENTMETRICSW ncm = {};
    ncm.cbSize = kNonClientMetricsSize;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &ncm, 0);
    LOGFONTW lfIconTitle = {};
    ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(lfIconTitle), &lfIconTitle, 0);
    if (g_pfnSystemFontsEditor)
        g_pfnSystemFontsEditor(ncm, lfIconTitle);

    BYTE nCharSet = ncm.lfMenuFont.lfCharSet;
    if (m_bLanguageCharset) {
        if (const QOR_LANGUAGE_INFO* pInfo = GetResourceManager()->GetLanguageInfo())
            nCharSet = static_cast<BYTE>(pInfo->nFontCharSet);
    }
    const BOOL bXP = IsXPOrLater();

    if (m_bUseMenuFont) {
        LOGFONT lf = {};
        // Menu fonts smaller than 11 pixels read badly on bars.
        lf.lfHeight = ncm.lfMenuFont.lfHeight < -10 || ncm.lfMenuFont.lfHeight >= 0 ? ncm.lfMenuFont.lfHeight : -11;
        lf.lfWeight = ncm.lfMenuFont.lfWeight;
        lf.lfItalic = ncm.lfMenuFont.lfItalic;
        lf.lfCharSet = nCharSet;
        lstrcpynW(lf.lfFaceName, ncm.lfMenuFont.lfFaceName, LF_FACESIZE);
        if (lstrcmpiW(lf.lfFaceName, L"Segoe UI") == 0 && bXP && FaceInstalled(L"Segoe UI"))
            lf.lfQuality = kClearTypeNaturalQuality;
        CreateRegularFonts(lf);
    }

    LOGFONT lfSmallCaption = ncm.lfSmCaptionFont;
    LOGFONT lfStatus = ncm.lfStatusFont;
    if (m_bClearTypeFonts && bXP)
        lfIconTitle.lfQuality = lfSmallCaption.lfQuality = lfStatus.lfQuality = kClearTypeNaturalQuality;
    lfIconTitle.lfCharSet = lfSmallCaption.lfCharSet = lfStatus.lfCharSet = nCharSet;

    RenewFont(m_fontSmallCaption, lfSmallCaption);
    RenewFont(m_fontIconTitle, lfIconTitle);
    LOGFONT lfIconTitleBold = lfIconTitle;
    lfIconTitleBold.lfWeight = FW_BOLD;
    RenewFont(m_fontIconTitleBold, lfIconTitleBold);
    RenewFont(m_fontStatus, lfStatus);
}

void CQorPaintManager::CreateRegularFonts(LOGFONT lf)
{
    if (m_bClearTypeFonts && IsXPOrLater())
        lf.lfQuality = kClearTypeQuality;
    m_fontRegular.DeleteObject();
    m_fontRegularBold.DeleteObject();
    m_fontVert.DeleteObject();
    m_fontVertBold.DeleteObject();
    if (m_fontIconTitleBold.m_bStandardFont)
        m_fontIconTitleBold.DeleteObject();

    // A menu font of the stored face asks for that face from now on.
    if (m_strFaceName.CompareNoCase(lf.lfFaceName) == 0)
        m_bForceFaceName = TRUE;
    if (m_bForceFaceName && FaceInstalled(m_strFaceName))
        lstrcpynW(lf.lfFaceName, m_strFaceName, LF_FACESIZE);

    m_fontRegular.CreateFontIndirect(&lf);
    LOGFONT lfBold = lf;
    lfBold.lfWeight = FW_BOLD;
    m_fontRegularBold.CreateFontIndirect(&lfBold);

    LOGFONT lfVert = lf;
    lfVert.lfEscapement = 2700;
    lfVert.lfOrientation = 900;
    CString strVertFace;
    GetDefaultFontFaceName(strVertFace, m_bForceFaceName);
    lstrcpynW(lfVert.lfFaceName, strVertFace, LF_FACESIZE);
    m_fontVert.CreateFontIndirect(&lfVert);
    lfVert.lfWeight = FW_BOLD;
    m_fontVertBold.CreateFontIndirect(&lfVert);

    CWindowDC dcScreen(nullptr);
    CQorFontDC font(&dcScreen, &m_fontRegular);
    m_nTextHeight = dcScreen.GetTextExtent(L" ", 1).cy + 6;
}
