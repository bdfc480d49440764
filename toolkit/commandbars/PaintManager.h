// The paint manager every bar, control and the status bar draws and measures through. One is
// current for the whole process; a bar asks its own first and falls back to the global one.
// The concrete looks are the themes of PaintThemes.h, made by number through CreateTheme.
//
// Drawing operations take colours as index-or-COLORREF: 0-62 index the manager's own colour
// table, anything larger is a colour itself. Operations that need a bar, a control or a pane
// join this class with the issues that bring those classes.
#pragma once

#include <windows.h>

#include "platform/framework/CmdTarget.h"
#include "platform/framework/Gdi.h"
#include "platform/framework/Geometry.h"
#include "platform/framework/Strings.h"
#include "toolkit/foundation/ColorManager.h"
#include "toolkit/foundation/WinThemeWrapper.h"

class CWnd;
class CQorImageManagerIcon;
class CQorControlGalleryPaintManager;
class CQorStatusBar;
class CQorStatusBarPane;
class CQorCommandBar;
class CQorControl;

// Theme numbers of the factory.
enum QorPaintThemeNumber {
    qorPaintThemeDefault = 0,
    qorPaintThemeOffice = 1,
    qorPaintThemeOffice2003 = 2,
    qorPaintThemeNativeXP = 3,
    qorPaintThemeWhidbey = 4,
    qorPaintThemeRefreshing = 7, // stored while the first refresh after installation runs
};

// A font of the paint manager. A standard font is made again from the system metrics at every
// font update; one set from outside (flag cleared) keeps its GDI object.
class CQorPaintManagerFont : public CFont
{
public:
    BOOL m_bStandardFont = TRUE;
};

// A visual-style handle of one class list. Every themed drawing of the paint managers goes
// through DrawBackground, so tests can record which part and state was asked for.
class CQorPaintThemeHandle : public CQorWinThemeWrapper
{
public:
    explicit CQorPaintThemeHandle(LPCWSTR pszClassList) : m_pszClassList(pszClassList) {}

    void Open(HWND hOwner) { OpenThemeData(hOwner, m_pszClassList); }
    // Open and drawn by an active visual style.
    BOOL IsUsable() { return GetHandle() != nullptr && IsAppThemed(); }
    BOOL DrawBackground(CDC* pDC, int nPart, int nState, const RECT& rc);
    LPCWSTR GetClassList() const { return m_pszClassList; }

private:
    LPCWSTR m_pszClassList;
};

class CQorPaintManager : public CCmdTarget
{
public:
    CQorPaintManager();
    ~CQorPaintManager() override;
    CQorPaintManager(const CQorPaintManager&) = delete;
    CQorPaintManager& operator=(const CQorPaintManager&) = delete;

    // Factory: 1 Office, 2 Office 2003, 3 native XP, 4 Whidbey, any other number Default; the
    // new object keeps the number it was asked for.
    static CQorPaintManager* CreateTheme(int nTheme);
    // Installs a new theme as the process-wide paint manager and refreshes it. The previous one
    // is released: it lives on while a bar still holds it. Bars are not told.
    static void SetGlobalTheme(int nTheme);

    // index-or-COLORREF: above 62 the value itself, else the entry's custom value when set,
    // else its standard value.
    COLORREF GetColor(int nIndex) const;

    // Status text colour, fonts, colour table and visual-style handles, from the system.
    virtual void RefreshMetrics();
    virtual void UpdateFonts();

    // State colours and backgrounds (bar types: 0 menu bar, 1 tool bar, 2 popup).
    virtual COLORREF GetControlTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped,
                                         int nBarType, int nControlType) = 0;
    virtual void DrawControlEntry(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked,
                                  BOOL bPopuped, int nBarType, int nBarPosition) = 0;
    // A caption with DrawText; measuring (bDraw FALSE) answers the size it would take.
    virtual CSize DrawControlText(CDC* pDC, const CString& strText, CRect rc, UINT nFormat, BOOL bDraw, BOOL bPressed,
                                  BOOL bEnabled);
    // A control's icon by state (the image's width and height from sz).
    virtual void DrawImage(CDC* pDC, CPoint pt, CSize sz, CQorImageManagerIcon* pImage, BOOL bEnabled, BOOL bChecked,
                           BOOL bPressed, BOOL bSelected) = 0;

    // Symbols, 13 x 13; nChecked 0 unchecked, 1 checked, 2 indeterminate.
    virtual CSize DrawCheckBoxSymbol(CDC* pDC, CRect rc, BOOL bDraw, BOOL bEnabled, int nChecked, BOOL bPressed,
                                     BOOL bSelected);
    virtual CSize DrawRadioButtonSymbol(CDC* pDC, CRect rc, BOOL bDraw, BOOL bEnabled, int nChecked, BOOL bPressed,
                                        BOOL bSelected);
    virtual void DrawCheckTick(CDC* pDC, CRect rc, COLORREF clr);
    virtual void DrawRadioDot(CDC* pDC, CRect rc, COLORREF clr);
    virtual void DrawDownTriangle(CDC* pDC, CRect rc, COLORREF clr);
    // A glyph of the Marlett symbol font, as high as the rectangle at the DC's resolution.
    virtual void DrawGlyph(CDC* pDC, CRect rc, WCHAR chGlyph, COLORREF clr);

    // Surfaces.
    virtual CSize FillCaptionBar(CDC* pDC, CRect rc, BOOL bActive, BOOL bDraw) = 0;
    // nKind 2 adds the tear-off dots across the top; every kind gets the corner grip.
    virtual void DrawPopupGrippers(CDC* pDC, CRect rc, int nKind) = 0;
    virtual void FillPopupColumn(CDC* pDC, CRect rc, BOOL bFlag);
    // Status bar: one pane (its background when set, icon, text; nothing but a monochrome icon
    // when disabled), the frame around it (bGripperPane: the last pane, beside the gripper),
    // the gripper and the bar's background.
    virtual void DrawStatusBarPane(CDC* pDC, CQorStatusBarPane* pPane, CRect rc);
    virtual void DrawStatusBarPaneBorder(CDC* pDC, CRect rc, CQorStatusBarPane* pPane, BOOL bGripperPane);
    virtual void DrawStatusBarGripper(CDC* pDC, CRect rcClient);
    virtual void FillBarWindow(CDC* pDC, CWnd* pWnd);
    virtual void FillStatusBar(CDC* pDC, CQorStatusBar* pBar);
    virtual void FillWorkspaceRect(CDC* pDC, CRect rc);
    virtual void DrawFramedTextWindow(CDC* pDC, CWnd* pWnd, BOOL bNoFrame);

    // The popup appearance: 2 unfold, 3 slide, 4 fade; any other type copies at once.
    virtual void AlphaBlitBitmap(CDC* pDestDC, CDC* pSrcDC, CRect rc, int nAnimationType);

    // The theme's own number: 0 Default, 1 Office, 2 Office 2003, 3 native XP, 4 Whidbey.
    virtual int GetThemeKind() const = 0;

    // Edit fields and combo buttons on bars (bar positions: 2 and 3 left and right).
    virtual void DrawEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected, int nBarPosition) = 0;
    virtual void DrawComboDropButton(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed) = 0;

    // ---- Controls and bars (PaintManagerControls.cpp) ----
    // The group separator before a control; measuring (bDraw FALSE, pDC and pControl may be
    // null) answers the gap between groups along a row (cx) and between rows (cy).
    virtual CSize DrawSeparator(CDC* pDC, CQorCommandBar* pBar, CQorControl* pControl, BOOL bDraw);
    // A control on a tool bar or menu bar; measuring (bDraw FALSE) answers its size.
    virtual CSize DrawControlInToolBar(CDC* pDC, CQorControl* pControl, BOOL bDraw);
    // The background of a split button: button part, drop-down part and its arrow.
    virtual void DrawSplitButtonFrame(CDC* pDC, CQorControl* pControl, CRect rc);
    // The background and border of a bar.
    virtual void FillCommandBar(CDC* pDC, CQorCommandBar* pBar);
    // A control's background from its own state, bar type and bar position.
    virtual void DrawControlEntryOf(CDC* pDC, CQorControl* pControl);
    virtual COLORREF GetControlStateColor(CQorControl* pControl);
    // The gripper (or a floating bar's caption); measuring answers the room it takes.
    virtual CSize DrawCommandBarGripper(CDC* pDC, CQorCommandBar* pBar, BOOL bDraw = TRUE);
    virtual CSize DrawSmallGripper(CDC* pDC, CQorCommandBar* pBar, BOOL bDraw = TRUE);
    // The control's background when it is hot, pressed or flagged as an active frame.
    virtual void DrawActiveControlFrame(CDC* pDC, CRect rc, CQorControl* pControl);
    // The widths of a bar's borders, one per side.
    virtual CRect GetCommandBarBorders(CQorCommandBar* pBar);
    // A tool bar's expand button: its background by state, a small arrow at its end and, when
    // the bar hides controls for want of room (bHiddenControls), a chevron before the arrow.
    virtual void DrawExpandButton(CDC* pDC, CQorControl* pControl, BOOL bHiddenControls);
    // The expand button of a popup that hides rarely used controls: its background by state and
    // a double chevron pointing down in its middle; measuring (bDraw FALSE) answers its size.
    virtual CSize DrawExpandGlyph(CDC* pDC, CQorControl* pControl, BOOL bDraw);
    // The split button's button part: its rectangle less the drop-down part.
    virtual CRect GetSplitButtonCaptionRect(CQorControl* pControl);
    CRect GetSplitButtonRect(CQorControl* pControl) { return GetSplitButtonCaptionRect(pControl); }
    // The regular or bold font, vertical for bars docked at the left or right.
    virtual CFont* GetControlFont(CQorControl* pControl, BOOL bBold = FALSE);
    virtual void DrawDropDownArrow(CDC* pDC, CQorControl* pControl, int x, int y, BOOL bSelected, BOOL bEnabled,
                                   int nBarType, BOOL bSideways);
    // A caption line of a control in the font and text colour already selected: '&' marks the
    // mnemonic; vertical captions (the vertical font selected) run top to bottom, centred in rc.
    // Measuring answers the line's horizontal extent (a vertical caption measures the same).
    virtual CSize DrawControlCaption(CDC* pDC, CQorControl* pControl, const CString& strText, CRect rc, UINT nFormat,
                                     BOOL bDraw, BOOL bVertical = FALSE);
    // The control's icon of the given size at a point, in the control's state.
    void DrawControlImage(CDC* pDC, CQorControl* pControl, CPoint pt, CSize szIcon);
    // Draws or measures a control by the kind of bar it stands on.
    CSize DrawControl(CDC* pDC, CQorControl* pControl, BOOL bDraw = TRUE);

    // ---- Popup bars (PaintManagerPopup.cpp) ----
    // An item of a menu-like popup bar: the icon column, the caption with its mnemonic, the
    // shortcut text at the right, the submenu arrow, the check mark; measuring answers its size.
    virtual CSize DrawControlInPopup(CDC* pDC, CQorControl* pControl, BOOL bDraw);
    // The room of a popup bar's icon column (twice the column with a double gripper) and one
    // pixel more; 0 for bars that are not popup bars.
    virtual int GetPopupBarGripperWidth(CQorCommandBar* pBar);
    // The icon column's width (cx) and the least height of an item (cy) in a popup bar.
    virtual CSize GetPopupBarImageSize(CQorCommandBar* pBar);
    // The room in front of the own part of a popup item (an edit's field): the popup gripper
    // and the caption gap; 0 for bars that are not popup bars. A width dragged in customize
    // mode loses it before it becomes the control's own width.
    int GetPopupBarGap(CQorCommandBar* pBar);

    // The icon size of a bar's buttons: 16 x 16, or from the text height when large icons come
    // from the font; doubled on bars with the large-button flag.
    CSize GetToolBarIconSize(CQorCommandBar* pBar) const;
    // The control's bar has its popup open for it.
    static BOOL IsControlPopuped(CQorControl* pControl);
    // A control with its caption below its icon (button style 4) on a bar that is not a popup.
    // A split button of this kind has the caption band for its drop-down part.
    static BOOL IsCaptionBelow(CQorControl* pControl);
    // The height of the caption band under the icon of a caption-below button: 2h - 17, h the
    // tool-bar button height.
    int GetCaptionBandHeight() const { return 2 * GetControlHeight() - 17; }

    // Tool-bar button height: text height + 3, at least 22.
    int GetControlHeight() const;

    // Shared drawing functions. FillAndFrame fills unless the fill is -1, then frames unless
    // the frame is -1 or the fill's colour.
    void FillAndFrame(CDC* pDC, const CRect& rc, COLORREF clrFrame, COLORREF clrFill = QOR_COLOR_UNSET);
    void Draw3dRectColors(CDC* pDC, const CRect& rc, COLORREF clrTopLeft, COLORREF clrBottomRight);
    void DrawLine(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF clr);
    // Two lines split at the blank nearest the middle; the whole text and an empty second line
    // when there is no blank past the first character.
    static void SplitCaptionInTwo(const CString& strCaption, CString& strFirst, CString& strSecond);
    // Sets the alpha byte of every pixel of the rectangle to 0xFF.
    static void FixAlphaChannel(CDC* pDC, const CRect& rc);

public:
    COLORREF m_clrStatusTextColor;
    CQorPaintManagerColorGradient m_grcCommandBar; // bar gradient
    CQorPaintManagerColor m_clrCaption;
    CQorPaintManagerColor m_clrCaptionText;
    BOOL m_bBoldCheckTick;     // the tick drawn again one pixel lower
    BOOL m_bThemedStatusBar;   // the "STATUS" style
    int m_nStatusBarMinHeight; // the least height of status bars drawn by this manager
    BOOL m_bThemedCheckBox;    // check-box and radio symbols in the "BUTTON" style
    BOOL m_bClearTypeFonts;    // ClearType qualities on NT 5.1 and later
    BOOL m_bLanguageCharset;   // font charset from the resource language, not the menu font
    int m_nPopupCaptionGap;    // between the icon column and the caption in popups
    BOOL m_bShowLabelIconColumn;

    CQorPaintManagerFont m_fontSmallCaption;
    CQorPaintManagerFont m_fontIconTitle;
    CQorPaintManagerFont m_fontIconTitleBold;
    CQorPaintManagerFont m_fontStatus;

    int m_nSplitButtonDropDownWidth; // tool bars; the drop-down part is one wider
    int m_nSplitButtonPopupWidth;
    BOOL m_bLargeIconsFromFont;
    CQorControlGalleryPaintManager* m_pGalleryPaintManager; // owned

    typedef BOOL(WINAPI* SetLayeredWindowAttributesFn)(HWND, COLORREF, BYTE, DWORD);
    SetLayeredWindowAttributesFn m_pfnSetLayeredWindowAttributes; // null when absent

    CRect m_rcMargins; // inset of the active control frame
    CFont m_fontRegular;
    CFont m_fontRegularBold;
    CFont m_fontVert;
    CFont m_fontVertBold;
    int m_nTextHeight; // a blank in the regular font + 6
    BOOL m_bFixedControlHeight;
    BOOL m_bForceFaceName;
    CString m_strFaceName;
    BOOL m_bUseMenuFont;
    BOOL m_bEmbossDisabledText;

    CQorPaintThemeHandle m_themeStatusBar;
    CQorPaintThemeHandle m_themeButton;

    int m_nTheme;
    // Set by the native XP and Office looks; the reader clears it after installing its theme.
    // Only stored.
    BOOL m_bThemeInstallFlag;
    // Docked bars drawn flat rather than raised: ordinary bars, and the other kind. The
    // application sets them from its look; the native XP look draws the same either way.
    BOOL m_bFlatToolBars = FALSE;
    BOOL m_bFlatMenuBars = FALSE;
    // Image effects read by the themes' image and popup drawing.
    BOOL m_bFadedIcons;
    BOOL m_bIconsWithShadow;
    BOOL m_bHighlightCheckedIcons;
    int m_nAnimationSteps;
    int m_nAnimationDuration; // milliseconds
    // Bars cross-fade their repaints when this is set (off by default).
    BOOL m_bEnableAnimation;
    // Drop shadows of popups (see Shadows.h for the bits): 0x01 a shadow of the look's own,
    // made whatever the system setting, in the lighter ramp; 0x02 the parent control and other
    // shadows cut out of each strip. Off by default.
    int m_nShadowOptions = 0;
    // The colour layered shadows darken towards; unset means black.
    COLORREF m_clrShadowFactor = QOR_COLOR_UNSET;

    CQorPaintManagerColor m_arrColor[QOR_COLOR_COUNT];
    int m_nRefreshScope; // which scheme the Office 2003 refresh loads: 7 the colour manager's

protected:
    // Builds the four regular fonts from a LOGFONT and measures the text height.
    void CreateRegularFonts(LOGFONT lf);
    // A caption bar: the rectangle less its last row in one colour; 8 pixels high.
    CSize FillCaptionRect(CDC* pDC, CRect rc, COLORREF clrFill, BOOL bDraw);
    // The dots of the popup grippers in two colours (see DrawPopupGrippers).
    void DrawGripperDots(CDC* pDC, const CRect& rc, int nKind, COLORREF clrLight, COLORREF clrDark);
    CSize DrawButtonSymbol(CDC* pDC, const CRect& rc, BOOL bDraw, BOOL bEnabled, int nChecked, BOOL bPressed,
                           BOOL bSelected, int nThemePart, UINT nFrameControlType);
    // Whether a pressed button's icon and caption move one pixel down and right (the classic
    // sunken look); flat looks keep them in place.
    virtual BOOL IsPressedContentShifted() { return FALSE; }
    // The arrow in a split button's drop-down part (a caption-below button carries it in its
    // caption band instead).
    void DrawSplitButtonArrow(CDC* pDC, CQorControl* pControl, const CRect& rc);
    // A bar docked at the left or right: its controls stand turned a quarter.
    static BOOL IsVerticalBar(const CQorCommandBar* pBar);
    // Where the parts of a popup item go, worked out once for measuring and drawing.
    struct PopupItemLayout
    {
        CRect rcItem;
        int nIconColumn = 0;  // the width of the icon column (0: none)
        CRect rcIconColumn;   // the item's stretch of the icon column
        CRect rcCheck;        // the check box, centred in the column; the icon sits in it
        CSize szIcon;
        BOOL bImage = FALSE;
        CString strCaption, strShortcut, strDescription;
        CRect rcCaption, rcShortcut, rcDescription;
        BOOL bTwoLine = FALSE; // a bold caption over its description
        CSize size;            // measured
        // The state the item is drawn in.
        int nBarType = 0, nBarPosition = 0;
        BOOL bSelected = FALSE, bEnabled = TRUE, bPopuped = FALSE;
        int nPressed = 0;
    };
    PopupItemLayout LayOutPopupItem(CDC* pDC, CQorControl* pControl, const CRect& rcItem);
    // The icon column of a popup bar; labels have none unless the flag asks for it.
    int GetPopupIconColumnWidth(CQorCommandBar* pBar, CQorControl* pControl = nullptr);
    // A look's background and marks of a popup item, drawn before its icon and captions: the
    // base draws none.
    virtual void DrawPopupItemFrame(CDC*, CQorControl*, const PopupItemLayout&) {}
    // The marks every look shares: the check box (the control's background in the checked
    // state) with the tick or the radio dot when there is no icon, and the submenu arrow of
    // popup controls.
    void DrawPopupItemMarks(CDC* pDC, CQorControl* pControl, const PopupItemLayout& layout);
    // The divider before a split item's drop-down part, in one colour.
    void DrawPopupSplitDivider(CDC* pDC, const CRect& rcItem, COLORREF clr);
    // Controls that open a submenu from a popup item.
    static BOOL HasSubmenuArrow(CQorControl* pControl);
    // A rarely used control that an expanded popup shows: its rarely-used bit still set, or
    // hidden as rarely used by its manager while menus do not always show in full.
    static BOOL IsRarelyUsedItem(CQorControl* pControl);
    // A split button's main and drop-down parts within rc.
    void GetSplitButtonParts(CQorControl* pControl, const CRect& rc, CRect& rcMain, CRect& rcDrop);
    // How a split button's two parts look: both hot with the control; the main part pressed
    // while the button part is held, the drop-down part pressed while its popup is open (the
    // main part then stays hot).
    struct SplitButtonLook
    {
        BOOL bEnabled, bChecked;
        BOOL bMainHot;
        int nMainPressed;
        BOOL bDropHot;
        BOOL bDropPressed;
    };
    static SplitButtonLook GetSplitButtonLook(CQorControl* pControl);
    // A docked bar's gripper mark in its client rectangle: across a level bar (bLevel) or
    // above the controls of an upright one.
    virtual void DrawDockedGripperMark(CDC*, const CRect&, BOOL) {}
    // The pressed value a control's background shows: a press held outside the control shows
    // none.
    static int GetShownPressed(CQorControl* pControl);
    // The gap a group separator before a control fills: between two buttons along a row, above
    // a row that starts a group, above an item of a popup or beside a popup's new column.
    // bHorizontalLine tells how the line runs; FALSE when nothing is drawn (a vertical bar's
    // new column, a control without a rectangle).
    BOOL GetSeparatorGap(CQorCommandBar* pBar, CQorControl* pControl, CRect& rcGap, BOOL& bHorizontalLine);
    // The room a docked bar's gripper takes: (6, 0) across bars at the top or bottom, (0, 8)
    // above the controls of bars at the left or right; nothing elsewhere.
    static CSize GetDockedGripperSize(CQorCommandBar* pBar);
    // The height of the small gripper: the text height + 4, 22 below a text height of 18.
    int GetSmallGripperHeight() const { return m_nTextHeight < 18 ? 22 : m_nTextHeight + 4; }
    // The caption of a floating bar: its title in the small-caption font on the caption colour
    // across the top of the client rectangle; measuring answers (0, its height).
    CSize DrawFloatingCaption(CDC* pDC, CQorCommandBar* pBar, BOOL bDraw);
};

// The process-wide paint manager: a Default theme (number 0) on first use. After the exit list
// has released it, null until the command bars start up again: a late caller must not build a
// theme whose refresh reaches the already destroyed colour manager.
CQorPaintManager* GetGlobalPaintManager();
// Enters the release of the global paint manager in the toolkit's exit list (once per start-up)
// and allows a paint manager again after an earlier exit.
void QorCreatePaintManagerReference();

// Test seams.
// Called with each themed part drawn (null: none).
typedef void (*QorThemePartRecorder)(LPCWSTR pszClassList, int nPart, int nState, const RECT& rc);
void QorSetThemePartRecorderForTest(QorThemePartRecorder pfnRecorder);
// Edits the system's non-client metrics and icon-title font before UpdateFonts uses them
// (null: the system's as they are).
typedef void (*QorSystemFontsEditor)(NONCLIENTMETRICSW& ncm, LOGFONTW& lfIconTitle);
void QorSetSystemFontsEditorForTest(QorSystemFontsEditor pfnEditor);
// Answers whether a face is installed (null: the foundation's IsFontInstalled).
typedef BOOL (*QorFontInstalledQuery)(LPCTSTR lpszFaceName);
void QorSetFontInstalledQueryForTest(QorFontInstalledQuery pfnQuery);
