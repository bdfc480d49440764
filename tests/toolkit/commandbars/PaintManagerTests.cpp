// The paint manager's colour table, fonts, factory and process-wide lifetime.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/framework/Gdi.h"
#include "tests/toolkit/commandbars/PaintManagerTestSupport.h"
#include "toolkit/commandbars/PaintManager.h"
#include "toolkit/commandbars/PaintManagerStatics.h"
#include "toolkit/commandbars/PaintThemes.h"
#include "toolkit/foundation/ColorManager.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/Statics.h"

using namespace QorPaintThemes;
using painttest::MakeTheme;
using painttest::PaintManagerPtr;

TEST(PaintManagerColors, IndexesAboveTheTablePassThroughAndCustomValuesWin)
{
    PaintManagerPtr pTheme = MakeTheme(qorPaintThemeDefault);
    EXPECT_EQ(63u, pTheme->GetColor(63)); // already a COLORREF
    EXPECT_EQ(0x123456u, pTheme->GetColor(0x123456));
    EXPECT_EQ(GetColorManager()->GetColor(62), pTheme->GetColor(62));

    pTheme->m_arrColor[15].SetCustomValue(RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), pTheme->GetColor(15));
    pTheme->RefreshMetrics(); // a refresh keeps custom values
    EXPECT_EQ(RGB(1, 2, 3), pTheme->GetColor(15));
    pTheme->m_arrColor[15].SetCustomValue(QOR_COLOR_UNSET);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), pTheme->GetColor(15));
}

TEST(PaintManagerColors, RefreshCopiesTheColorManagersEffectiveColors)
{
    CQorColorManager* pColorManager = GetColorManager();
    pColorManager->SetCustomColor(40, RGB(9, 8, 7));
    PaintManagerPtr pTheme = MakeTheme(qorPaintThemeOffice);
    pColorManager->SetCustomColor(40, QOR_COLOR_UNSET);
    for (int i = 0; i < QOR_COLOR_COUNT; ++i) {
        if (i != 40) {
            EXPECT_EQ(pColorManager->GetColor(i), pTheme->GetColor(i)) << i;
        }
    }
    EXPECT_EQ(RGB(9, 8, 7), pTheme->GetColor(40));
    EXPECT_FALSE(pTheme->m_arrColor[40].IsCustomValue()); // taken as the standard value
    // The base refresh: status text, bar gradient and caption colours from the table.
    EXPECT_EQ(pTheme->GetColor(18), pTheme->m_clrStatusTextColor);
    EXPECT_EQ(pTheme->GetColor(16), pTheme->m_clrCaption.GetColor());
    EXPECT_EQ(pTheme->GetColor(20), pTheme->m_clrCaptionText.GetColor());
    EXPECT_EQ(pTheme->GetColor(15), pTheme->m_grcCommandBar.m_clrLight.GetColor());
    EXPECT_EQ(pTheme->GetColor(16), pTheme->m_grcCommandBar.m_clrDark.GetColor());
    // The Default look captions in the system caption colours.
    PaintManagerPtr pDefault = MakeTheme(qorPaintThemeDefault);
    EXPECT_EQ(pDefault->GetColor(2), pDefault->m_clrCaption.GetColor());
    EXPECT_EQ(pDefault->GetColor(9), pDefault->m_clrCaptionText.GetColor());
}

// ---------------------------------------------------------------------------------------------
// Fonts

namespace {

struct MenuFont
{
    LONG lfHeight;
    const wchar_t* pszFace;
};
MenuFont g_menuFont = {0, nullptr};
bool g_bFacesInstalled = false;

void EditMenuFont(NONCLIENTMETRICSW& ncm, LOGFONTW&)
{
    ncm.lfMenuFont.lfHeight = g_menuFont.lfHeight;
    if (g_menuFont.pszFace)
        lstrcpynW(ncm.lfMenuFont.lfFaceName, g_menuFont.pszFace, LF_FACESIZE);
}

BOOL FacesInstalled(LPCTSTR)
{
    return g_bFacesInstalled;
}

class PaintManagerFonts : public testing::Test
{
protected:
    void SetUp() override { QorSetSystemFontsEditorForTest(EditMenuFont); }
    void TearDown() override
    {
        QorSetSystemFontsEditorForTest(nullptr);
        QorSetFontInstalledQueryForTest(nullptr);
    }
    static LOGFONT LogFontOf(const CFont& font)
    {
        LOGFONT lf = {};
        font.GetLogFont(&lf);
        return lf;
    }
};

} // namespace

TEST_F(PaintManagerFonts, MenuHeightsBelowElevenPixelsBecomeEleven)
{
    struct Row
    {
        LONG lfMenuHeight;
        LONG lfExpected;
    } rows[] = {{-8, -11}, {-10, -11}, {-11, -11}, {-12, -12}, {13, 13}, {0, 0}};
    for (const Row& row : rows) {
        g_menuFont = {row.lfMenuHeight, L"Tahoma"};
        PaintManagerPtr pTheme = MakeTheme(qorPaintThemeDefault);
        EXPECT_EQ(row.lfExpected, LogFontOf(pTheme->m_fontRegular).lfHeight) << row.lfMenuHeight;
        EXPECT_EQ(row.lfExpected, LogFontOf(pTheme->m_fontRegularBold).lfHeight) << row.lfMenuHeight;
        EXPECT_EQ(FW_BOLD, LogFontOf(pTheme->m_fontRegularBold).lfWeight);
        EXPECT_EQ(2700, LogFontOf(pTheme->m_fontVert).lfEscapement);
        EXPECT_EQ(900, LogFontOf(pTheme->m_fontVertBold).lfOrientation);
    }
}

TEST_F(PaintManagerFonts, SegoeUiGetsNaturalClearTypeOnlyWhenInstalled)
{
    QorSetFontInstalledQueryForTest(FacesInstalled);
    g_menuFont = {-12, L"Segoe UI"};
    for (bool bInstalled : {true, false}) {
        g_bFacesInstalled = bInstalled;
        PaintManagerPtr pTheme = MakeTheme(qorPaintThemeDefault);
        LOGFONT lf = LogFontOf(pTheme->m_fontRegular);
        EXPECT_EQ(bInstalled ? 6 : 0, lf.lfQuality) << bInstalled;
        // Segoe UI is not the stored face: no face is forced.
        EXPECT_FALSE(pTheme->m_bForceFaceName);
        EXPECT_STREQ(L"Segoe UI", lf.lfFaceName);
    }
}

TEST_F(PaintManagerFonts, AMenuFaceEqualToTheStoredFaceForcesIt)
{
    QorSetFontInstalledQueryForTest(FacesInstalled);
    g_bFacesInstalled = true;
    g_menuFont = {-11, L"tahoma"};
    PaintManagerPtr pTheme = MakeTheme(qorPaintThemeDefault);
    EXPECT_TRUE(pTheme->m_bForceFaceName);
    EXPECT_STREQ(L"Tahoma", LogFontOf(pTheme->m_fontRegular).lfFaceName);

    // Once forced, another menu face gives way to the stored one while it is installed...
    g_menuFont = {-11, L"MS Shell Dlg"};
    pTheme->UpdateFonts();
    EXPECT_STREQ(L"Tahoma", LogFontOf(pTheme->m_fontRegular).lfFaceName);
    // ...and stays when it is not.
    g_bFacesInstalled = false;
    pTheme->UpdateFonts();
    EXPECT_STREQ(L"MS Shell Dlg", LogFontOf(pTheme->m_fontRegular).lfFaceName);
}

TEST_F(PaintManagerFonts, TextHeightIsABlankPlusSixAndButtonsAreAtLeast22High)
{
    g_menuFont = {-11, L"Tahoma"};
    PaintManagerPtr pTheme = MakeTheme(qorPaintThemeDefault);
    CWindowDC dcScreen(nullptr);
    CQorFontDC font(&dcScreen, &pTheme->m_fontRegular);
    EXPECT_EQ(dcScreen.GetTextExtent(L" ", 1).cy + 6, pTheme->m_nTextHeight);

    struct Row
    {
        int nTextHeight;
        int nControlHeight;
    } rows[] = {{10, 22}, {18, 22}, {19, 22}, {20, 23}, {30, 33}};
    for (const Row& row : rows) {
        pTheme->m_nTextHeight = row.nTextHeight;
        EXPECT_EQ(row.nControlHeight, pTheme->GetControlHeight()) << row.nTextHeight;
    }
}

TEST_F(PaintManagerFonts, FontsSetFromOutsideSurviveAnUpdate)
{
    g_menuFont = {-11, L"Tahoma"};
    PaintManagerPtr pTheme = MakeTheme(qorPaintThemeDefault);
    LOGFONT lf = {};
    lf.lfHeight = -30;
    lstrcpynW(lf.lfFaceName, L"Tahoma", LF_FACESIZE);
    pTheme->m_fontStatus.DeleteObject();
    pTheme->m_fontStatus.CreateFontIndirect(&lf);
    pTheme->m_fontStatus.m_bStandardFont = FALSE;
    HGDIOBJ hOwn = pTheme->m_fontStatus.GetSafeHandle();
    HGDIOBJ hSmallCaption = pTheme->m_fontSmallCaption.GetSafeHandle();
    pTheme->UpdateFonts();
    EXPECT_EQ(hOwn, pTheme->m_fontStatus.GetSafeHandle());
    EXPECT_EQ(-30, LogFontOf(pTheme->m_fontStatus).lfHeight);
    EXPECT_NE(nullptr, pTheme->m_fontSmallCaption.GetSafeHandle());
    (void)hSmallCaption;
    EXPECT_EQ(FW_BOLD, LogFontOf(pTheme->m_fontIconTitleBold).lfWeight);
}

// ---------------------------------------------------------------------------------------------
// Factory and lifetime

TEST(PaintManagerFactory, NumbersGiveTheirThemesAndKeepTheNumber)
{
    struct Row
    {
        int nTheme;
        int nKind;
    } rows[] = {{0, 0}, {5, 0}, {-1, 0}, {7, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}};
    for (const Row& row : rows) {
        PaintManagerPtr pTheme(CQorPaintManager::CreateTheme(row.nTheme));
        EXPECT_EQ(row.nKind, pTheme->GetThemeKind()) << row.nTheme;
        EXPECT_EQ(row.nTheme, pTheme->m_nTheme);
        EXPECT_EQ(1u, pTheme->m_dwRef);
    }
    PaintManagerPtr pWhidbey(CQorPaintManager::CreateTheme(qorPaintThemeWhidbey));
    EXPECT_NE(nullptr, dynamic_cast<CQorOffice2003Theme*>(pWhidbey.get())); // built as an Office 2003 object
    PaintManagerPtr pNativeXP(CQorPaintManager::CreateTheme(qorPaintThemeNativeXP));
    EXPECT_NE(nullptr, dynamic_cast<CQorDefaultTheme*>(pNativeXP.get()));
    PaintManagerPtr pDefault(CQorPaintManager::CreateTheme(5));
    EXPECT_NE(nullptr, dynamic_cast<CQorDefaultTheme*>(pDefault.get()));
}

TEST(PaintManagerFactory, ThemeMembersDifferFromTheBaseAsEachLookAsks)
{
    struct Row
    {
        int nTheme;
        BOOL bThemedStatusBar, bThemedCheckBox;
        int nCaptionGap;
        BOOL bEmboss, bImageEffects, bInstallFlag;
        int nRefreshScope;
    } rows[] = {
        {qorPaintThemeDefault, FALSE, FALSE, 4, TRUE, FALSE, FALSE, 7},
        {qorPaintThemeNativeXP, TRUE, TRUE, 4, TRUE, FALSE, TRUE, 7},
        {qorPaintThemeOffice, FALSE, FALSE, 8, FALSE, TRUE, TRUE, 7},
        {qorPaintThemeOffice2003, FALSE, FALSE, 8, FALSE, TRUE, FALSE, 7},
        {qorPaintThemeWhidbey, FALSE, FALSE, 8, FALSE, TRUE, FALSE, 0},
    };
    for (const Row& row : rows) {
        PaintManagerPtr p(CQorPaintManager::CreateTheme(row.nTheme));
        SCOPED_TRACE(row.nTheme);
        EXPECT_EQ(row.bThemedStatusBar, p->m_bThemedStatusBar);
        EXPECT_EQ(row.bThemedCheckBox, p->m_bThemedCheckBox);
        EXPECT_EQ(row.nCaptionGap, p->m_nPopupCaptionGap);
        EXPECT_EQ(row.bEmboss, p->m_bEmbossDisabledText);
        EXPECT_EQ(row.bImageEffects, p->m_bFadedIcons);
        EXPECT_EQ(row.bImageEffects, p->m_bIconsWithShadow);
        EXPECT_EQ(row.bImageEffects, p->m_bHighlightCheckedIcons);
        EXPECT_EQ(row.bInstallFlag, p->m_bThemeInstallFlag);
        EXPECT_EQ(row.nRefreshScope, p->m_nRefreshScope);
        EXPECT_FALSE(p->m_bEnableAnimation);
        EXPECT_EQ(11, p->m_nSplitButtonDropDownWidth);
        EXPECT_EQ(20, p->m_nSplitButtonPopupWidth);
        EXPECT_EQ(L"Tahoma", p->m_strFaceName);
    }
    PaintManagerPtr pDefault(CQorPaintManager::CreateTheme(qorPaintThemeDefault));
    EXPECT_EQ(18, static_cast<CQorDefaultTheme*>(pDefault.get())->m_nPopupBarText);
    PaintManagerPtr pNativeXP(CQorPaintManager::CreateTheme(qorPaintThemeNativeXP));
    EXPECT_EQ(7, static_cast<CQorDefaultTheme*>(pNativeXP.get())->m_nPopupBarText);
}

TEST(PaintManagerGlobal, ReplacingTheThemeKeepsAHeldManagerAliveUntilReleased)
{
    QorCommandBarsStartup();
    CQorPaintManager::SetGlobalTheme(qorPaintThemeOffice);
    CQorPaintManager* pOld = GetGlobalPaintManager();
    ASSERT_NE(nullptr, pOld);
    EXPECT_EQ(qorPaintThemeOffice, pOld->m_nTheme);
    pOld->InternalAddRef(); // a bar that keeps its own paint manager

    CQorPaintManager::SetGlobalTheme(qorPaintThemeNativeXP);
    CQorPaintManager* pNew = GetGlobalPaintManager();
    ASSERT_NE(nullptr, pNew);
    EXPECT_NE(pOld, pNew);
    EXPECT_EQ(qorPaintThemeNativeXP, pNew->GetThemeKind());
    EXPECT_EQ(qorPaintThemeNativeXP, pNew->m_nTheme);     // 7 only while its refresh ran
    EXPECT_GT(pNew->m_nTextHeight, 0);                    // and it was refreshed
    EXPECT_EQ(1u, pOld->m_dwRef);                         // only the bar's reference is left
    EXPECT_EQ(qorPaintThemeOffice, pOld->GetThemeKind()); // still a whole object
    pOld->InternalRelease();
    CQorPaintManager::SetGlobalTheme(qorPaintThemeDefault);
}

namespace {
std::vector<std::wstring> g_exitTrace;
void TraceExit(LPCWSTR name)
{
    g_exitTrace.push_back(name ? name : L"?");
}
size_t TracePosition(const wchar_t* name)
{
    return std::find(g_exitTrace.begin(), g_exitTrace.end(), name) - g_exitTrace.begin();
}
} // namespace

// The exit list destroys the colour manager before it releases the paint manager. A paint
// manager asked for after that release must not be built: its refresh would reach the colour
// manager again, and nothing would ever release it.
TEST(PaintManagerGlobal, FirstUseGivesDefaultAndAfterTheExitReleaseNothingIsBuilt)
{
    QorToolkitExit(); // from a clean process state
    QorCommandBarsStartup();
    QorToolkitStartup();
    CQorPaintManager* pFirst = GetGlobalPaintManager();
    ASSERT_NE(nullptr, pFirst);
    EXPECT_EQ(qorPaintThemeDefault, pFirst->GetThemeKind());
    EXPECT_EQ(0, pFirst->m_nTheme);
    EXPECT_EQ(pFirst, GetGlobalPaintManager());

    g_exitTrace.clear();
    QorSetExitTrace(TraceExit);
    QorToolkitExit();
    QorSetExitTrace(nullptr);
    ASSERT_FALSE(g_exitTrace.empty());
    EXPECT_LT(TracePosition(L"ColorManager"), TracePosition(L"CQorPaintManager"));
    EXPECT_LT(TracePosition(L"CQorPaintManager"), TracePosition(L"CQorMouseManager holder"));
    EXPECT_LT(TracePosition(L"CQorMouseManager holder"), TracePosition(L"CQorKeyboardManager holder"));
    EXPECT_EQ(L"Standard colours", g_exitTrace.back());

    EXPECT_EQ(nullptr, GetGlobalPaintManager());
    CQorPaintManager::SetGlobalTheme(qorPaintThemeNativeXP);
    EXPECT_EQ(nullptr, GetGlobalPaintManager());

    // A new start-up allows a paint manager again.
    QorCommandBarsStartup();
    QorToolkitStartup();
    ASSERT_NE(nullptr, GetGlobalPaintManager());
    EXPECT_EQ(qorPaintThemeDefault, GetGlobalPaintManager()->GetThemeKind());
}
