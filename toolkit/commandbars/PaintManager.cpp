#include "toolkit/commandbars/PaintManager.h"

#include "toolkit/commandbars/PaintManagerGallery.h"
#include "toolkit/commandbars/PaintManagerInternal.h"
#include "toolkit/commandbars/PaintThemes.h"
#include "toolkit/foundation/Statics.h"

using namespace qorpaint;

namespace {

QorThemePartRecorder g_pfnThemePartRecorder = nullptr;

// The global paint manager and the state of its exit release. Plain globals: nothing is built
// before first use, and the exit list decides when the object goes.
CQorPaintManager* g_pGlobalPaintManager = nullptr;
bool g_bReleaseListed = false; // the release is in the current exit list
bool g_bReleasedAtExit = false;

void ReleaseGlobalPaintManager()
{
    CQorPaintManager* pPaintManager = g_pGlobalPaintManager;
    g_pGlobalPaintManager = nullptr;
    g_bReleaseListed = false;
    g_bReleasedAtExit = true;
    if (pPaintManager)
        pPaintManager->InternalRelease();
}

void ListRelease()
{
    if (g_bReleaseListed)
        return;
    g_bReleaseListed = true;
    QorAddExitRoutine(ReleaseGlobalPaintManager, L"CQorPaintManager");
}

// Makes a theme current: the previous one is released (it lives on in other holders), the new
// one refreshes with the number 7 and then keeps its own.
void InstallGlobalTheme(CQorPaintManager* pPaintManager, int nTheme)
{
    CQorPaintManager* pPrevious = g_pGlobalPaintManager;
    g_pGlobalPaintManager = pPaintManager;
    if (pPrevious)
        pPrevious->InternalRelease();
    pPaintManager->m_nTheme = qorPaintThemeRefreshing;
    pPaintManager->RefreshMetrics();
    pPaintManager->m_nTheme = nTheme;
}

} // namespace

BOOL CQorPaintThemeHandle::DrawBackground(CDC* pDC, int nPart, int nState, const RECT& rc)
{
    if (g_pfnThemePartRecorder)
        g_pfnThemePartRecorder(m_pszClassList, nPart, nState, rc);
    return SUCCEEDED(DrawThemeBackground(pDC->GetSafeHdc(), nPart, nState, &rc));
}

void QorSetThemePartRecorderForTest(QorThemePartRecorder pfnRecorder)
{
    g_pfnThemePartRecorder = pfnRecorder;
}

CQorPaintManager::CQorPaintManager()
    : m_clrStatusTextColor(QOR_COLOR_UNSET), m_bBoldCheckTick(FALSE), m_bThemedStatusBar(FALSE), m_nStatusBarMinHeight(0),
      m_bThemedCheckBox(FALSE), m_bClearTypeFonts(FALSE), m_bLanguageCharset(FALSE), m_nPopupCaptionGap(4),
      m_bShowLabelIconColumn(TRUE), m_nSplitButtonDropDownWidth(11), m_nSplitButtonPopupWidth(20),
      m_bLargeIconsFromFont(FALSE), m_pGalleryPaintManager(new CQorControlGalleryPaintManager),
      m_pfnSetLayeredWindowAttributes(nullptr), m_rcMargins(0, 0, 0, 0), m_nTextHeight(0), m_bFixedControlHeight(FALSE),
      m_bForceFaceName(FALSE), m_strFaceName(L"Tahoma"), m_bUseMenuFont(TRUE), m_bEmbossDisabledText(TRUE),
      m_themeStatusBar(L"STATUS"), m_themeButton(L"BUTTON"), m_nTheme(0), m_bThemeInstallFlag(FALSE),
      m_bFadedIcons(FALSE), m_bIconsWithShadow(FALSE), m_bHighlightCheckedIcons(FALSE), m_nAnimationSteps(10),
      m_nAnimationDuration(100), m_bEnableAnimation(FALSE), m_nRefreshScope(7)
{
    if (HMODULE hUser32 = ::GetModuleHandleW(L"USER32"))
        m_pfnSetLayeredWindowAttributes = reinterpret_cast<SetLayeredWindowAttributesFn>(
            reinterpret_cast<void*>(::GetProcAddress(hUser32, "SetLayeredWindowAttributes")));
}

CQorPaintManager::~CQorPaintManager()
{
    delete m_pGalleryPaintManager;
}

COLORREF CQorPaintManager::GetColor(int nIndex) const
{
    if (nIndex < 0 || nIndex >= QOR_COLOR_COUNT)
        return static_cast<COLORREF>(nIndex);
    return m_arrColor[nIndex].GetColor();
}

void CQorPaintManager::RefreshMetrics()
{
    UpdateFonts();
    CQorColorManager* pColorManager = GetColorManager();
    pColorManager->RefreshColors();
    for (int i = 0; i < QOR_COLOR_COUNT; ++i)
        m_arrColor[i].SetStandardValue(pColorManager->GetColor(i));

    m_clrStatusTextColor = GetColor(kColorButtonText);
    m_grcCommandBar.SetStandardValue(GetColor(kColorButtonFace), GetColor(kColorButtonShadow), 0.5f);
    m_clrCaption.SetStandardValue(GetColor(kColorButtonShadow));
    m_clrCaptionText.SetStandardValue(GetColor(kColorButtonHighlight));

    m_themeStatusBar.CloseThemeData();
    if (m_bThemedStatusBar) {
        m_themeStatusBar.Open(nullptr);
        COLORREF clrText = 0;
        if (m_themeStatusBar.IsUsable() && SUCCEEDED(m_themeStatusBar.GetThemeColor(1, 0, kTmtTextColor, &clrText)))
            m_clrStatusTextColor = clrText;
    }
    m_themeButton.CloseThemeData();
    if (m_bThemedCheckBox)
        m_themeButton.Open(nullptr);

    m_pGalleryPaintManager->RefreshMetrics();
}

int CQorPaintManager::GetControlHeight() const
{
    return m_nTextHeight + 3 < 22 ? 22 : m_nTextHeight + 3;
}

CQorPaintManager* CQorPaintManager::CreateTheme(int nTheme)
{
    CQorPaintManager* pPaintManager = nullptr;
    switch (nTheme) {
    case qorPaintThemeOffice:
        pPaintManager = new QorPaintThemes::CQorOfficeTheme;
        break;
    case qorPaintThemeOffice2003:
        pPaintManager = new QorPaintThemes::CQorOffice2003Theme;
        break;
    case qorPaintThemeNativeXP:
        pPaintManager = new QorPaintThemes::CQorNativeXPTheme;
        break;
    case qorPaintThemeWhidbey:
        pPaintManager = new QorPaintThemes::CQorWhidbeyTheme;
        break;
    default:
        pPaintManager = new QorPaintThemes::CQorDefaultTheme;
        break;
    }
    pPaintManager->m_nTheme = nTheme;
    return pPaintManager;
}

void CQorPaintManager::SetGlobalTheme(int nTheme)
{
    if (g_bReleasedAtExit)
        return;
    ListRelease();
    InstallGlobalTheme(CreateTheme(nTheme), nTheme);
}

CQorPaintManager* GetGlobalPaintManager()
{
    if (g_bReleasedAtExit)
        return nullptr;
    if (!g_pGlobalPaintManager) {
        ListRelease();
        InstallGlobalTheme(CQorPaintManager::CreateTheme(qorPaintThemeDefault), qorPaintThemeDefault);
    }
    return g_pGlobalPaintManager;
}

void QorCreatePaintManagerReference()
{
    g_bReleasedAtExit = false;
    ListRelease();
}
