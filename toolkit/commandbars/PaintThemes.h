// The five looks of the command bars, made by number through CQorPaintManager::CreateTheme:
// Default (classic 3-D), native XP (visual styles, falling back to Default per operation),
// Office (flat, on the derived colours), Office 2003 (gradients and the blue, olive and silver
// palettes) and Whidbey (the Office 2003 object with palettes of its own).
#pragma once

#include "toolkit/commandbars/PaintManager.h"

namespace QorPaintThemes {

class CQorDefaultTheme : public CQorPaintManager
{
public:
    CQorDefaultTheme();

    void RefreshMetrics() override;
    COLORREF GetControlTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped,
                                 int nBarType, int nControlType) override;
    void DrawControlEntry(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                          BOOL bPopuped, int nBarType, int nBarPosition) override;
    void DrawImage(CDC* pDC, CPoint pt, CSize sz, CQorImageManagerIcon* pImage, BOOL bEnabled, BOOL bChecked,
                   BOOL bPressed, BOOL bSelected) override;
    CSize FillCaptionBar(CDC* pDC, CRect rc, BOOL bActive, BOOL bDraw) override;
    void DrawPopupGrippers(CDC* pDC, CRect rc, int nKind) override;
    int GetThemeKind() const override { return qorPaintThemeDefault; }
    void DrawEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected, int nBarPosition) override;
    void DrawComboDropButton(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed) override;
    CSize DrawSeparator(CDC* pDC, CQorCommandBar* pBar, CQorControl* pControl, BOOL bDraw) override;
    void FillCommandBar(CDC* pDC, CQorCommandBar* pBar) override;
    void DrawDockedGripperMark(CDC* pDC, const CRect& rcClient, BOOL bLevel) override;
    CSize DrawSmallGripper(CDC* pDC, CQorCommandBar* pBar, BOOL bDraw = TRUE) override;
    CRect GetCommandBarBorders(CQorCommandBar* pBar) override;
    CSize GetPopupBarImageSize(CQorCommandBar* pBar) override;

    // Text of popup items: 18 (button text) here, 7 (menu text) in the native XP look.
    int m_nPopupBarText;

protected:
    BOOL IsPressedContentShifted() override { return TRUE; }
    void DrawPopupItemFrame(CDC* pDC, CQorControl* pControl, const PopupItemLayout& layout) override;
};

class CQorNativeXPTheme : public CQorDefaultTheme
{
public:
    CQorNativeXPTheme();

    void RefreshMetrics() override;
    void DrawControlEntry(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                          BOOL bPopuped, int nBarType, int nBarPosition) override;
    void FillBarWindow(CDC* pDC, CWnd* pWnd) override;
    int GetThemeKind() const override { return qorPaintThemeNativeXP; }
    void DrawEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected, int nBarPosition) override;
    void DrawComboDropButton(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed) override;
    CSize DrawSeparator(CDC* pDC, CQorCommandBar* pBar, CQorControl* pControl, BOOL bDraw) override;
    void FillCommandBar(CDC* pDC, CQorCommandBar* pBar) override;
    CSize DrawCommandBarGripper(CDC* pDC, CQorCommandBar* pBar, BOOL bDraw = TRUE) override;
    CSize DrawSmallGripper(CDC* pDC, CQorCommandBar* pBar, BOOL bDraw = TRUE) override;
    void DrawSplitButtonFrame(CDC* pDC, CQorControl* pControl, CRect rc) override;
    COLORREF GetControlStateColor(CQorControl* pControl) override;

    // The "TOOLBAR" button state of a control (1 normal, 2 hot, 3 pressed, 4 disabled,
    // 5 checked, 6 hot checked).
    static int GetToolBarButtonState(BOOL bSelected, BOOL bPressed, BOOL bEnabled, int nChecked, BOOL bPopuped);
    // Bars draw with visual styles only while both "REBAR" and "TOOLBAR" are usable.
    BOOL IsThemeUsable();

    CQorPaintThemeHandle m_themeRebar;
    CQorPaintThemeHandle m_themeToolbar;
    CQorPaintThemeHandle m_themeComboBox;
    CQorPaintThemeHandle m_themeWindow;
    CQorPaintThemeHandle m_themeSpin;
    COLORREF m_clrEdgeShadowColor;
    COLORREF m_clrEdgeHighLightColor;
    BOOL m_bFlatMenus;

protected:
    BOOL IsPressedContentShifted() override { return !IsThemeUsable(); }
};

class CQorOfficeTheme : public CQorPaintManager
{
public:
    CQorOfficeTheme();

    COLORREF GetControlTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped,
                                 int nBarType, int nControlType) override;
    void DrawControlEntry(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                          BOOL bPopuped, int nBarType, int nBarPosition) override;
    void DrawImage(CDC* pDC, CPoint pt, CSize sz, CQorImageManagerIcon* pImage, BOOL bEnabled, BOOL bChecked,
                   BOOL bPressed, BOOL bSelected) override;
    void DrawStatusBarPaneBorder(CDC* pDC, CRect rc, CQorStatusBarPane* pPane, BOOL bGripperPane) override;
    CSize FillCaptionBar(CDC* pDC, CRect rc, BOOL bActive, BOOL bDraw) override;
    void DrawPopupGrippers(CDC* pDC, CRect rc, int nKind) override;
    void FillPopupColumn(CDC* pDC, CRect rc, BOOL bFlag) override;
    CSize DrawCheckBoxSymbol(CDC* pDC, CRect rc, BOOL bDraw, BOOL bEnabled, int nChecked, BOOL bPressed,
                             BOOL bSelected) override;
    CSize DrawRadioButtonSymbol(CDC* pDC, CRect rc, BOOL bDraw, BOOL bEnabled, int nChecked, BOOL bPressed,
                                BOOL bSelected) override;
    int GetThemeKind() const override { return qorPaintThemeOffice; }
    void DrawEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected, int nBarPosition) override;
    void DrawComboDropButton(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed) override;
    CSize DrawSeparator(CDC* pDC, CQorCommandBar* pBar, CQorControl* pControl, BOOL bDraw) override;
    void FillCommandBar(CDC* pDC, CQorCommandBar* pBar) override;
    void DrawDockedGripperMark(CDC* pDC, const CRect& rcClient, BOOL bLevel) override;
    CSize DrawSmallGripper(CDC* pDC, CQorCommandBar* pBar, BOOL bDraw = TRUE) override;
    void DrawSplitButtonFrame(CDC* pDC, CQorControl* pControl, CRect rc) override;

protected:
    // Fill and frame colours of a control's background by state; FALSE when nothing is drawn.
    virtual BOOL GetEntryColors(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped,
                                int nBarType, COLORREF& clrFill, COLORREF& clrFrame);
    // A flat box for the check and radio symbols, with the tick or the dot in it.
    CSize DrawFlatSymbol(CDC* pDC, const CRect& rc, BOOL bDraw, BOOL bEnabled, int nChecked, BOOL bPressed,
                         BOOL bSelected, BOOL bRadio);
    // A separator line of one colour, shortened by nInset at both ends, with a light line one
    // pixel after it (none when clrLight is unset).
    void DrawSeparatorLine(CDC* pDC, const CRect& rcGap, BOOL bHorizontalLine, int nInset, COLORREF clrDark,
                           COLORREF clrLight);
    // The gripper of the flat look: strokes across it (bAcross) or along it.
    void DrawGripperStrokes(CDC* pDC, const CRect& rc, BOOL bAcross);
    // Popup items: the icon column, the selection over the whole item, the check box, the
    // submenu arrow and a split item's divider.
    void DrawPopupItemFrame(CDC* pDC, CQorControl* pControl, const PopupItemLayout& layout) override;
};

class CQorOffice2003Theme : public CQorOfficeTheme
{
public:
    CQorOffice2003Theme();

    void RefreshMetrics() override;
    void DrawControlEntry(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                          BOOL bPopuped, int nBarType, int nBarPosition) override;
    void FillBarWindow(CDC* pDC, CWnd* pWnd) override;
    void DrawStatusBarPaneBorder(CDC* pDC, CRect rc, CQorStatusBarPane* pPane, BOOL bGripperPane) override;
    CSize FillCaptionBar(CDC* pDC, CRect rc, BOOL bActive, BOOL bDraw) override;
    void FillPopupColumn(CDC* pDC, CRect rc, BOOL bFlag) override;
    void DrawStatusBarGripper(CDC* pDC, CRect rcClient) override;
    int GetThemeKind() const override { return qorPaintThemeOffice2003; }
    CSize DrawSeparator(CDC* pDC, CQorCommandBar* pBar, CQorControl* pControl, BOOL bDraw) override;
    void FillCommandBar(CDC* pDC, CQorCommandBar* pBar) override;
    void DrawDockedGripperMark(CDC* pDC, const CRect& rcClient, BOOL bLevel) override;
    CSize DrawSmallGripper(CDC* pDC, CQorCommandBar* pBar, BOOL bDraw = TRUE) override;
    CRect GetCommandBarBorders(CQorCommandBar* pBar) override;
    // A docked bar (one that may dock at some edge) drawn raised, with its border and rounded
    // corners: the flatness flag of its kind (menu bars, other bars) is off.
    virtual BOOL IsBarPlainDocked(const CQorCommandBar* pBar) const;

    // The scheme the refresh loads: 0 none, 1, 4 and 5 blue, 2 olive, 3 silver.
    int GetSchemeToLoad() const;

    CQorPaintManagerColorGradient m_grcBarWindow;      // gradient 1: windows under the bars
    CQorPaintManagerColorGradient m_grcToolBar;        // gradient 2: docked bars, popup icon column
    CQorPaintManagerColorGradient m_grcGlyph;          // gradient 3
    CQorPaintManagerColorGradient m_grcImage;          // gradient 4
    CQorPaintManagerColorGradient m_grcPopupColumn;    // gradient 5: the icon column given the flag
    CQorPaintManagerColorGradient m_grcPopupedControl; // gradient 6
    CQorPaintManagerColor m_clrToolBarBorder;          // colour 1
    CQorPaintManagerColor m_clrStatusPaneBorder;       // colour 2
    CQorPaintManagerColor m_clrCaptionFill;            // colour 3
    BOOL m_bPaletteLoaded;
    BOOL m_bWhidbeyLook;
    // Checked, pressed and hot highlights while a palette is loaded.
    CQorPaintManagerColorGradient m_grcHighlight[3];

protected:
    void LoadPalette(int nScheme);
    // The gripper's two-colour dots down (bDown) or along a strip.
    void DrawGripperDotStrip(CDC* pDC, const CRect& rc, BOOL bDown);
};

class CQorWhidbeyTheme : public CQorOffice2003Theme
{
public:
    CQorWhidbeyTheme();

    void RefreshMetrics() override;
    int GetThemeKind() const override { return qorPaintThemeWhidbey; }

    // The style its palettes follow: the requested kind, or the detected style for 6 and 7.
    static int GetWhidbeyStyle();

protected:
    void LoadWhidbeyPalette(int nStyle);
};

} // namespace QorPaintThemes
