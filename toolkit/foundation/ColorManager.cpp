#include "toolkit/foundation/ColorManager.h"

#include <algorithm>
#include <cmath>
#include <cwctype>
#include <new>

#include "platform/framework/Wnd.h"
#include "toolkit/foundation/Statics.h"
#include "toolkit/foundation/WinThemeWrapper.h"

// ---------------------------------------------------------------------------------------------
// Value types

void CQorPaintManagerColor::Serialize(CArchive& ar)
{
    if (ar.IsLoading()) {
        DWORD dwStandard = 0, dwCustom = 0;
        ar >> dwStandard >> dwCustom;
        m_clrStandardValue = dwStandard;
        m_clrCustomValue = dwCustom;
    } else {
        ar << static_cast<DWORD>(m_clrStandardValue) << static_cast<DWORD>(m_clrCustomValue);
    }
}

void CQorPaintManagerColorGradient::Serialize(CArchive& ar)
{
    m_clrLight.Serialize(ar);
    m_clrDark.Serialize(ar);
    if (ar.IsLoading())
        ar >> m_fGradientFactor;
    else
        ar << m_fGradientFactor;
}

// ---------------------------------------------------------------------------------------------
// Arithmetic in the weighted space: red, green and blue scaled to 0-195, 0-390 and 0-65, so
// that distances follow how strongly the eye tells the channels apart (3:6:1).

namespace {

const double kWeight[3] = {195.0, 390.0, 65.0};

struct Weighted
{
    double v[3];
};

Weighted ToWeighted(COLORREF clr)
{
    return {{GetRValue(clr) * kWeight[0] / 255.0, GetGValue(clr) * kWeight[1] / 255.0,
             GetBValue(clr) * kWeight[2] / 255.0}};
}

COLORREF FromWeighted(const Weighted& w)
{
    int channel[3];
    for (int i = 0; i < 3; i++) {
        double value = std::min(std::max(w.v[i], 0.0), kWeight[i]);
        channel[i] = std::min(std::max(static_cast<int>(std::lround(value * 255.0 / kWeight[i])), 0), 255);
    }
    return RGB(channel[0], channel[1], channel[2]);
}

Weighted Inverted(const Weighted& w)
{
    return {{kWeight[0] - w.v[0], kWeight[1] - w.v[1], kWeight[2] - w.v[2]}};
}

double Dot(const Weighted& a, const Weighted& b)
{
    return a.v[0] * b.v[0] + a.v[1] * b.v[1] + a.v[2] * b.v[2];
}

double Lightness(COLORREF clr)
{
    return std::sqrt(ColorDistance(clr, RGB(0, 0, 0)));
}

// The distance the contrast rules ask for from a reference: dark references ask up to twice
// the amount.
double RequiredDistance(COLORREF clrReference, int nAmount)
{
    int nLightness = std::min(static_cast<int>(Lightness(clrReference)), 220);
    return (2.0 - nLightness / 220.0) * nAmount;
}

} // namespace

COLORREF BlendColors(int nPercent, COLORREF clrA, COLORREF clrB)
{
    int nScale = nPercent < 100 ? 100 : 1000;
    int nBias = nScale / 2;
    auto mix = [&](int a, int b) { return (nPercent * a + (nScale - nPercent) * b + nBias) / nScale; };
    return RGB(mix(GetRValue(clrA), GetRValue(clrB)), mix(GetGValue(clrA), GetGValue(clrB)),
               mix(GetBValue(clrA), GetBValue(clrB)));
}

float ColorDistance(COLORREF clrA, COLORREF clrB)
{
    Weighted a = ToWeighted(clrA), b = ToWeighted(clrB);
    double sum = 0;
    for (int i = 0; i < 3; i++)
        sum += (a.v[i] - b.v[i]) * (a.v[i] - b.v[i]);
    return static_cast<float>(sum);
}

BOOL IsContrastEnough(COLORREF clrReference, COLORREF clrColor, int nAmount)
{
    double r = RequiredDistance(clrReference, nAmount);
    return ColorDistance(clrColor, clrReference) > r * r;
}

COLORREF AdjustContrastAlongRay(COLORREF clrColor, COLORREF clrReference, int nAmount)
{
    double lightnessReference = Lightness(clrReference);
    double r = RequiredDistance(clrReference, nAmount);
    double limit = lightnessReference < Lightness(clrColor) ? 442.0 - r : r;
    bool bFromWhite = !(lightnessReference > limit);

    Weighted c = ToWeighted(clrColor), b = ToWeighted(clrReference);
    if (bFromWhite) {
        c = Inverted(c);
        b = Inverted(b);
    }
    double n = std::max(std::sqrt(Dot(c, c)), 0.001);
    double cb = Dot(c, b);
    double p = cb / n;
    Weighted foot{};
    for (int i = 0; i < 3; i++)
        foot.v[i] = c.v[i] * cb / (n * n) - b.v[i];
    // Rounding can leave r below the distance of the ray from the reference: then the nearest
    // point of the ray is the best there is.
    double t = p - std::sqrt(std::max(r * r - Dot(foot, foot), 0.0));
    Weighted result{};
    for (int i = 0; i < 3; i++)
        result.v[i] = c.v[i] * t / n;
    if (bFromWhite)
        result = Inverted(result);
    return FromWeighted(result);
}

COLORREF AdjustContrastTowards(COLORREF clrColor, COLORREF clrReference, int nAmount)
{
    double d = std::sqrt(ColorDistance(clrColor, clrReference));
    if (d <= 0.0)
        return clrColor;
    double u = (d - RequiredDistance(clrReference, nAmount)) / d;
    Weighted c = ToWeighted(clrColor), b = ToWeighted(clrReference), result{};
    for (int i = 0; i < 3; i++)
        result.v[i] = c.v[i] + u * (b.v[i] - c.v[i]);
    return FromWeighted(result);
}

void GetWindowRectSafe(const CWnd* pWnd, RECT& rc)
{
    rc = RECT{};
    if (pWnd && ::IsWindow(pWnd->GetSafeHwnd()))
        ::GetWindowRect(pWnd->GetSafeHwnd(), &rc);
}

void GetClientRectSafe(const CWnd* pWnd, RECT& rc)
{
    rc = RECT{};
    if (pWnd && ::IsWindow(pWnd->GetSafeHwnd()))
        ::GetClientRect(pWnd->GetSafeHwnd(), &rc);
}

// ---------------------------------------------------------------------------------------------
// Display depth and theme names

namespace {

int g_nBitsPerPixelForTest = 0;
QorThemeNameSource g_pfnThemeNameSource = nullptr;

bool Contains(const wchar_t* text, const wchar_t* part)
{
    return wcsstr(text, part) != nullptr;
}

void Lower(wchar_t* text)
{
    for (; *text; ++text)
        *text = static_cast<wchar_t>(std::towlower(*text));
}

} // namespace

int QorGetDisplayBitsPerPixel()
{
    if (g_nBitsPerPixelForTest)
        return g_nBitsPerPixelForTest;
    HDC hdc = ::GetDC(nullptr);
    int nBits = ::GetDeviceCaps(hdc, BITSPIXEL);
    ::ReleaseDC(nullptr, hdc);
    return nBits;
}

BOOL QorIsPaletteDisplay()
{
    int nBits = QorGetDisplayBitsPerPixel();
    return nBits >= 1 && nBits <= 8;
}

void QorSetDisplayBitsPerPixelForTest(int nBitsPerPixel)
{
    g_nBitsPerPixelForTest = nBitsPerPixel;
}

void QorSetThemeNameSourceForTest(QorThemeNameSource pfnSource)
{
    g_pfnThemeNameSource = pfnSource;
}

// ---------------------------------------------------------------------------------------------
// The colour manager

CQorColorManager::CQorColorManager()
{
    std::fill(std::begin(m_arrStandard), std::end(m_arrStandard), RGB(0, 0, 0));
    std::fill(std::begin(m_arrCustom), std::end(m_arrCustom), QOR_COLOR_UNSET);
    std::fill(std::begin(m_arrTheme), std::end(m_arrTheme), QOR_COLOR_UNSET);
    RefreshColors();
    m_grcAccent[0].m_clrLight.SetStandardValue(RGB(0xFF, 0xD5, 0x8C));
    m_grcAccent[0].m_clrDark.SetStandardValue(RGB(0xFE, 0x8E, 0x4B));
    m_grcAccent[1].m_clrLight.SetStandardValue(RGB(0xFF, 0xCF, 0x8B));
    m_grcAccent[1].m_clrDark.SetStandardValue(RGB(0xFF, 0xF2, 0xC8));
    m_grcAccent[2].m_clrLight.SetStandardValue(RGB(0xFF, 0xD4, 0x97));
}

COLORREF CQorColorManager::GetColor(int nIndex) const
{
    if (nIndex < 0 || nIndex >= QOR_COLOR_COUNT)
        return static_cast<COLORREF>(nIndex);
    return m_arrCustom[nIndex] != QOR_COLOR_UNSET ? m_arrCustom[nIndex] : m_arrStandard[nIndex];
}

COLORREF CQorColorManager::GetCustomColor(int nIndex) const
{
    return nIndex >= 0 && nIndex < QOR_COLOR_COUNT ? m_arrCustom[nIndex] : QOR_COLOR_UNSET;
}

COLORREF CQorColorManager::GetThemeColor(int nIndex) const
{
    return nIndex >= 0 && nIndex < QOR_COLOR_COUNT ? m_arrTheme[nIndex] : QOR_COLOR_UNSET;
}

void CQorColorManager::SetCustomColor(int nIndex, COLORREF clr)
{
    if (nIndex >= 0 && nIndex < QOR_COLOR_COUNT)
        m_arrCustom[nIndex] = clr;
}

int CQorColorManager::DetectVisualStyle()
{
    CQorWinThemeWrapper theme;
    if (!theme.IsThemeActive() || QorIsPaletteDisplay())
        return qorStyleNone;
    wchar_t szFile[MAX_PATH] = {}, szColor[MAX_PATH] = {}, szSize[MAX_PATH] = {};
    HRESULT hr = g_pfnThemeNameSource ? g_pfnThemeNameSource(szFile, szColor, szSize)
                                      : theme.GetCurrentThemeName(szFile, szColor, szSize);
    if (FAILED(hr))
        return qorStyleNone;
    Lower(szFile);
    Lower(szColor);
    if (Contains(szFile, L"luna.msstyles") || Contains(szFile, L"winxp.luna.vmstyles")) {
        if (wcscmp(szColor, L"normalcolor") == 0)
            return qorStyleBlue;
        if (wcscmp(szColor, L"homestead") == 0)
            return qorStyleOlive;
        if (wcscmp(szColor, L"metallic") == 0)
            return qorStyleSilver;
    }
    if (m_bDetectRoyale && (Contains(szFile, L"royale.msstyles") || Contains(szFile, L"winxp.royale.vmstyles")))
        return qorStyleRoyale;
    if (m_bDetectAero && Contains(szFile, L"aero.msstyles"))
        return qorStyleAero;
    return qorStyleNone;
}

int CQorColorManager::StyleInForce() const
{
    if (m_bClassicColorsOnly)
        return qorStyleNone;
    if (m_nRequestedKind == 6 || m_nRequestedKind == 7)
        return m_nDetectedStyle;
    return m_nRequestedKind;
}

namespace {

// Theme table rows: index, then the blue, olive and silver values (0xBBGGRR).
struct ThemeRow
{
    int nIndex;
    COLORREF clr[3];
};
const ThemeRow kThemeRows[] = {
    {38, {0x764127, 0x335E51, 0x755454}}, {39, {0xCB8C6A, 0x588060, 0x8F6D6E}}, {40, {0xD0966D, 0x7AAE9F, 0xBEA7A8}},
    {41, {0xF6F6F6, 0xEEF4F4, 0xFFFAFD}}, {43, {0x962D00, 0x5E8D75, 0x947C7C}}, {31, {0xC2EEFF, 0xC2EEFF, 0xC2EEFF}},
    {32, {0x800000, 0x385D3F, 0x6F4B4B}}, {50, {0x800000, 0x385D3F, 0x6F4B4B}}, {37, {0x800000, 0x385D3F, 0x6F4B4B}},
    {33, {0x3E80FE, 0x3E80FE, 0x3E80FE}}, {36, {0x6FC0FF, 0x6FC0FF, 0x6FC0FF}}, {30, {0xF5BE9E, 0xA7D9D9, 0xE5D7D7}},
    {59, {0x361E16, 0x19221F, 0x292024}},
};

// Which column of the style tables a style uses: blue for 1, 4 and 5; -1 for none.
int StyleColumn(int nStyle)
{
    switch (nStyle) {
    case qorStyleBlue:
    case qorStyleRoyale:
    case qorStyleAero:
        return 0;
    case qorStyleOlive:
        return 1;
    case qorStyleSilver:
        return 2;
    default:
        return -1;
    }
}

// The seven theme gradients per style column: first, second, factor.
struct GradientRow
{
    COLORREF clrFirst, clrSecond;
    float fFactor;
};
const GradientRow kGradients[3][7] = {
    {{0xD68759, 0x962D00, 0.5f},
     {0xF5BE9E, 0xFADAC4, 0.5f},
     {0xD68759, 0x962D00, 0.5f},
     {0xFEECDD, 0xE2A981, 0.75f},
     {0xFFEFE3, 0xE4AD87, 0.5f},
     {0xF6DDCB, 0xDCA179, 0.5f},
     {0xFFEFE3, 0xE7B593, 0.5f}},
    {{0x82C0AF, 0x447A63, 0.5f},
     {0xA7D9D9, 0xE4F1F2, 0.5f},
     {0x6F8E78, 0x435B49, 0.5f},
     {0xDEF7F4, 0x91C6B7, 0.3f},
     {0xEDFFFF, 0x92C7B8, 0.3f},
     {0xD1E6E6, 0x78B4A4, 0.3f},
     {0xD5F0EC, 0x9FCEC2, 0.5f}},
    {{0xBFA7A8, 0x916F70, 0.5f},
     {0xE5D7D7, 0xF7F3F3, 0.5f},
     {0xBFA7A8, 0x977677, 0.5f},
     {0xFFF9F9, 0xB79B9C, 0.75f},
     {0xFFF9F9, 0xB99D9F, 0.75f},
     {0xE2D7D7, 0x9E7E80, 0.75f},
     {0xF1E7E9, 0xCDB9BA, 0.5f}},
};
const COLORREF kColor54[3] = {0x962D00, 0x588060, 0x947C7C};

} // namespace

void CQorColorManager::FillThemeTable(int nStyle)
{
    std::fill(std::begin(m_arrTheme), std::end(m_arrTheme), QOR_COLOR_UNSET);
    int nColumn = StyleColumn(nStyle);
    if (nColumn < 0)
        return;
    for (const ThemeRow& row : kThemeRows)
        m_arrTheme[row.nIndex] = row.clr[nColumn];
    m_arrTheme[47] = BlendColors(90, GetColor(12), GetColor(5));
}

void CQorColorManager::RefreshColors()
{
    // 1-2: style, depth and the system colours.
    m_nDetectedStyle = DetectVisualStyle();
    m_bPaletteDisplay = QorIsPaletteDisplay();
    m_arrStandard[0] = RGB(0, 0, 0);
    for (int i = 1; i <= 29; i++)
        m_arrStandard[i] = m_pfnGetSysColor ? m_pfnGetSysColor(i) : ::GetSysColor(i);

    // 3: derived defaults.
    struct Default
    {
        int nSource;
        int arrTargets[12];
    };
    const Default kDefaults[] = {
        {15, {30}},
        {5, {31, 36, 41}},
        {13, {32, 33, 37, 50}},
        {16, {34, 38, 39, 40, 42, 43, 48, 52, 54, 57, 60, 61}},
        {17, {35, 58}},
        {8, {44}},
        {7, {45}},
        {18, {46}},
        {14, {47, 49}},
        {15, {51, 53, 55, 56}},
    };
    for (const Default& row : kDefaults) {
        for (int nTarget : row.arrTargets) {
            if (nTarget)
                m_arrStandard[nTarget] = GetColor(row.nSource);
        }
    }
    m_arrStandard[59] = RGB(0, 0, 0);

    // 4: the theme table.
    int nStyle = StyleInForce();
    FillThemeTable(nStyle);

    // 5: a palette display keeps the defaults.
    if (m_bPaletteDisplay) {
        RefreshGradients(nStyle);
        return;
    }
    RefreshDerivedColors();
    RefreshGradients(nStyle);

    // 13: the themed tree-view border.
    CQorWinThemeWrapper theme;
    theme.OpenThemeData(nullptr, L"TREEVIEW");
    COLORREF clrBorder = 0;
    if (theme.GetHandle() && SUCCEEDED(theme.GetThemeColor(0, 0, 3801, &clrBorder)))
        m_clrTreeViewBorder = clrBorder;
}

namespace {

// Scales a colour so that its largest channel becomes nNewMax.
COLORREF ScaleToLargestChannel(COLORREF clr, int nLargest, int nNewMax)
{
    if (nLargest == 0)
        return RGB(0, 0, 0);
    return RGB(GetRValue(clr) * nNewMax / nLargest, GetGValue(clr) * nNewMax / nLargest,
               GetBValue(clr) * nNewMax / nLargest);
}

int LargestChannel(COLORREF clr)
{
    return std::max({GetRValue(clr), GetGValue(clr), GetBValue(clr)});
}

} // namespace

void CQorColorManager::RefreshDerivedColors()
{
    // 6: blends.
    const struct
    {
        int nTarget, nA, nB, nPercent;
    } kBlends[] = {
        {30, 5, 15, 165}, {31, 13, 5, 30},  {33, 13, 5, 50},  {41, 15, 5, 143}, {35, 17, 5, 70},  {38, 16, 5, 75},
        {39, 16, 5, 70},  {43, 46, 16, 20}, {61, 46, 16, 15}, {40, 16, 5, 90},  {42, 15, 16, 90},
    };
    for (const auto& row : kBlends)
        m_arrStandard[row.nTarget] = BlendColors(row.nPercent, GetColor(row.nA), GetColor(row.nB));

    // 7: colour 30 closer to the face colour when it strays too far.
    if (IsContrastEnough(GetColor(15), GetColor(30), 35))
        m_arrStandard[30] = AdjustContrastTowards(GetColor(30), GetColor(15), 35);

    // 8: enough contrast against the backgrounds they are drawn on.
    const struct
    {
        int nTarget, nReference, nColor, nAmount;
    } kContrast[] = {
        {31, 30, 31, 50},  {32, 30, 13, 100}, {33, 30, 33, 30},  {35, 41, 35, 80},  {37, 33, 37, 100},
        {38, 30, 38, 85},  {39, 30, 39, 50},  {43, 41, 43, 100}, {61, 30, 61, 100}, {40, 30, 40, 80},
        {44, 41, 44, 180}, {45, 31, 45, 180}, {46, 30, 46, 180}, {47, 33, 47, 180},
    };
    for (const auto& row : kContrast) {
        if (!IsContrastEnough(GetColor(row.nReference), GetColor(row.nColor), row.nAmount))
            m_arrStandard[row.nTarget] =
                AdjustContrastAlongRay(GetColor(row.nColor), GetColor(row.nReference), row.nAmount);
    }

    // 9: disabled text not too far from its background.
    if (IsContrastEnough(GetColor(41), GetColor(35), 145))
        m_arrStandard[35] = AdjustContrastTowards(GetColor(35), GetColor(41), 145);

    // 10: fixed derivations.
    COLORREF c5 = GetColor(5), c13 = GetColor(13), c15 = GetColor(15), c16 = GetColor(16), c30 = GetColor(30);
    auto mix36 = [](int a5, int a30, int a13) { return static_cast<int>(0.4 * a5) + a30 / 2 + a13 / 10; };
    m_arrStandard[36] =
        RGB(mix36(GetRValue(c5), GetRValue(c30), GetRValue(c13)), mix36(GetGValue(c5), GetGValue(c30), GetGValue(c13)),
            mix36(GetBValue(c5), GetBValue(c30), GetBValue(c13)));
    int nFaceMax = LargestChannel(c15);
    m_arrStandard[48] = nFaceMax == 0 ? RGB(0x23, 0x23, 0x23)
                                      : ScaleToLargestChannel(c15, nFaceMax, nFaceMax < 220 ? nFaceMax + 35 : 255);
    // A black shadow (skins, high contrast) has no largest channel to scale: it stays black.
    int nShadowMax = LargestChannel(c16);
    m_arrStandard[49] = c15 == RGB(0, 0, 0) ? RGB(0x7F, 0x7F, 0x7F)
                                            : ScaleToLargestChannel(c16, nShadowMax, std::max(nShadowMax - 43, 0));
    COLORREF s31 = m_arrStandard[31];
    m_arrStandard[34] = RGB(GetRValue(s31) * 3 / 4, GetGValue(s31) * 3 / 4, GetBValue(s31) * 3 / 4);
    m_arrStandard[22] =
        RGB(std::min(GetRValue(c15) + 15, 255), std::min(GetGValue(c15) + 15, 255), std::min(GetBValue(c15) + 15, 255));
    m_arrStandard[53] = GetColor(30);
    m_arrStandard[58] = GetColor(40);
    m_arrStandard[60] = m_arrStandard[40];
}

void CQorColorManager::RefreshGradients(int nStyle)
{
    int nColumn = StyleColumn(nStyle);
    if (nColumn >= 0) {
        for (int i = 0; i < 7; i++) {
            const GradientRow& row = kGradients[nColumn][i];
            m_grcThemeGradient[i].SetStandardValue(row.clrFirst, row.clrSecond, row.fFactor);
        }
        m_arrStandard[54] = kColor54[nColumn];
    } else {
        auto blend = [this](int p, int a, int b) { return BlendColors(p, GetColor(a), GetColor(b)); };
        m_grcThemeGradient[0].SetStandardValue(GetColor(16), GetColor(16));
        m_grcThemeGradient[1].SetStandardValue(GetColor(15), blend(215, 15, 5));
        m_grcThemeGradient[2].SetStandardValue(GetColor(15), GetColor(16));
        m_grcThemeGradient[3].SetStandardValue(blend(205, 15, 5), GetColor(15));
        m_grcThemeGradient[4].SetStandardValue(blend(145, 15, 5), blend(93, 15, 5));
        m_grcThemeGradient[5].SetStandardValue(blend(40, 15, 5), blend(95, 15, 16));
        m_grcThemeGradient[6].SetStandardValue(blend(165, 15, 5), blend(42, 15, 5));
    }
    if (m_bPaletteDisplay) {
        m_grcThemeGradient[1].SetStandardValue(GetColor(15), GetColor(15));
        m_grcThemeGradient[3].SetStandardValue(GetColor(15), GetColor(15));
    }
}

namespace {

CQorColorManager* g_pColorManager = nullptr;

void DestroyColorManager()
{
    delete g_pColorManager;
    g_pColorManager = nullptr;
}

} // namespace

CQorColorManager* GetColorManager()
{
    if (!g_pColorManager) {
        g_pColorManager = new CQorColorManager();
        QorAddExitRoutine(DestroyColorManager, L"ColorManager");
    }
    return g_pColorManager;
}
