// Colours: the colour value types that themes and paint managers hold, the process-wide table
// of 63 standard colours derived from the system colours, the display depth and the visual
// style, and the colour arithmetic (blend, distance, contrast test and corrections).
//
// A colour argument of 0-62 is an index into the tables; any larger value is a COLORREF.
// Callers that need "custom colour i" or "theme colour i" ask GetCustomColor / GetThemeColor;
// no offset past 62 ever stands for another table.
#pragma once

#include <windows.h>

#include "platform/framework/Archive.h"
#include "platform/framework/CmdTarget.h"

class CWnd;

const COLORREF QOR_COLOR_UNSET = static_cast<COLORREF>(-1);
const int QOR_COLOR_COUNT = 63;

// A colour with a standard value (written by refresh code) and a custom override (written by
// the user of a theme); the override wins when set.
class CQorPaintManagerColor
{
public:
    CQorPaintManagerColor() = default;
    explicit CQorPaintManagerColor(COLORREF clrStandard) : m_clrStandardValue(clrStandard) {}
    virtual ~CQorPaintManagerColor() = default;
    CQorPaintManagerColor(const CQorPaintManagerColor&) = default;
    CQorPaintManagerColor& operator=(const CQorPaintManagerColor&) = default;

    // Standard value, then custom value, each a 32-bit little-endian integer.
    virtual void Serialize(CArchive& ar);

    COLORREF GetColor() const { return m_clrCustomValue != QOR_COLOR_UNSET ? m_clrCustomValue : m_clrStandardValue; }
    operator COLORREF() const { return GetColor(); }
    void SetStandardValue(COLORREF clr) { m_clrStandardValue = clr; }
    void SetCustomValue(COLORREF clr) { m_clrCustomValue = clr; }
    BOOL IsCustomValue() const { return m_clrCustomValue != QOR_COLOR_UNSET; }

    COLORREF m_clrStandardValue = QOR_COLOR_UNSET;
    COLORREF m_clrCustomValue = QOR_COLOR_UNSET;
};

// A two-colour gradient. factor is where the middle colour sits: 0.5 draws one even gradient,
// other values two halves meeting at factor x first + (1 - factor) x second.
class CQorPaintManagerColorGradient
{
public:
    CQorPaintManagerColorGradient() = default;
    virtual ~CQorPaintManagerColorGradient() = default;
    CQorPaintManagerColorGradient(const CQorPaintManagerColorGradient&) = default;
    CQorPaintManagerColorGradient& operator=(const CQorPaintManagerColorGradient&) = default;

    // First colour, second colour, then the factor as 4 raw bytes (IEEE single).
    virtual void Serialize(CArchive& ar);

    void SetStandardValue(COLORREF clrLight, COLORREF clrDark, float fFactor = 0.5f)
    {
        m_clrLight.SetStandardValue(clrLight);
        m_clrDark.SetStandardValue(clrDark);
        m_fGradientFactor = fFactor;
    }

    CQorPaintManagerColor m_clrLight;
    CQorPaintManagerColor m_clrDark;
    float m_fGradientFactor = 0.5f;
};

// Visual styles the colour sets know.
enum QorVisualStyle {
    qorStyleNone = 0,
    qorStyleBlue = 1,   // luna "normalcolor"
    qorStyleOlive = 2,  // luna "homestead"
    qorStyleSilver = 3, // luna "metallic"
    qorStyleRoyale = 4,
    qorStyleAero = 5,
    qorStyleFollowSystem = 6, // requested kinds 6 and 7 follow the detected style
};

class CQorColorManager : public CCmdTarget
{
public:
    CQorColorManager();
    ~CQorColorManager() override = default;

    // Recomputes the standard table, the theme table and the gradients' standard values from
    // the system colours, the display depth and the visual style. Custom colours stay.
    void RefreshColors();
    int DetectVisualStyle();

    COLORREF GetColor(int nIndex) const;           // custom, else standard; > 62: the value itself
    COLORREF GetCustomColor(int nIndex) const;     // QOR_COLOR_UNSET when none or out of range
    COLORREF GetThemeColor(int nIndex) const;      // QOR_COLOR_UNSET when none or out of range
    void SetCustomColor(int nIndex, COLORREF clr); // QOR_COLOR_UNSET clears it
    BOOL IsPaletteDisplay() const { return m_bPaletteDisplay; }
    int GetCurrentVisualStyle() const { return m_nDetectedStyle; }

    // The seven theme gradients (their use is the paint managers' choice) and the colours
    // the constructor presets for the selection accents.
    CQorPaintManagerColorGradient m_grcThemeGradient[7];
    CQorPaintManagerColorGradient m_grcAccent[3];

    COLORREF (*m_pfnGetSysColor)(int nIndex) = nullptr; // custom system colours (skins, tests)
    BOOL m_bDetectRoyale = TRUE;
    BOOL m_bDetectAero = TRUE;
    BOOL m_bClassicColorsOnly = FALSE;

    COLORREF m_arrStandard[QOR_COLOR_COUNT];
    COLORREF m_arrCustom[QOR_COLOR_COUNT];
    COLORREF m_arrTheme[QOR_COLOR_COUNT];
    COLORREF m_clrTreeViewBorder = QOR_COLOR_UNSET;

    int m_nRequestedKind = qorStyleFollowSystem;
    int m_nDetectedStyle = qorStyleNone;

private:
    int StyleInForce() const;
    void FillThemeTable(int nStyle);
    void RefreshDerivedColors();
    void RefreshGradients(int nStyle);
    BOOL m_bPaletteDisplay = FALSE;
};

// The process-wide colour manager, made (and refreshed) on first use.
CQorColorManager* GetColorManager();
inline COLORREF GetColor(int nIndex)
{
    return GetColorManager()->GetColor(nIndex);
}
inline void RefreshColors()
{
    GetColorManager()->RefreshColors();
}

// Colour arithmetic.
// percent < 100: percent % of A; else percent tenths of a percent of A (165: 16.5 %).
COLORREF BlendColors(int nPercent, COLORREF clrA, COLORREF clrB);
// Squared distance in the weighted space (red 0-195, green 0-390, blue 0-65).
float ColorDistance(COLORREF clrA, COLORREF clrB);
// TRUE when the colour lies farther from the reference than the amount asks (dark references
// ask up to twice as much).
BOOL IsContrastEnough(COLORREF clrReference, COLORREF clrColor, int nAmount);
// Moves the colour along its ray from black (or white) until it lies at the asked distance.
COLORREF AdjustContrastAlongRay(COLORREF clrColor, COLORREF clrReference, int nAmount);
// Moves the colour on the straight line to the reference until it lies at the asked distance.
COLORREF AdjustContrastTowards(COLORREF clrColor, COLORREF clrReference, int nAmount);

// Window or client rectangle of a window object; empty when it wraps no window.
void GetWindowRectSafe(const CWnd* pWnd, RECT& rc);
void GetClientRectSafe(const CWnd* pWnd, RECT& rc);

// Bits per pixel of the display, and whether it is a palette display (1-8 bits).
int QorGetDisplayBitsPerPixel();
BOOL QorIsPaletteDisplay();
// Test seams: a display depth (0: the real one), and a source of the current theme names
// (null: the visual-styles wrapper's).
void QorSetDisplayBitsPerPixelForTest(int nBitsPerPixel);
typedef HRESULT (*QorThemeNameSource)(LPWSTR pszFile, LPWSTR pszColor, LPWSTR pszSize);
void QorSetThemeNameSourceForTest(QorThemeNameSource pfnSource);
