// The command bars of one frame: the manager owns the frame's tool bars, its dock bars, the
// options, the control actions and the shortcut manager; it holds the customize and
// keyboard-cue state and sees the frame's messages first (the Alt key, Ctrl+Tab, accelerators,
// colour and setting changes); it fills the tool bars' expand popups, shows the tool-bars context
// menu and places tool bars in the site's rebar. Saved bar state is not here yet.
#pragma once

#include <windows.h>

#include "platform/framework/CmdTarget.h"
#include "platform/framework/Collections.h"
#include "platform/framework/Geometry.h"
#include "platform/framework/Strings.h"

class CQorCommandBar;
class CQorCommandBarsContextMenus;
class CQorCommandBarsOptions;
class CQorControl;
class CQorControlActions;
class CQorCustomizeDropSource;
class CQorImageManager;
class CQorPaintManager;
class CQorShortcutManager;
class CQorToolTipContext;
class CQorToolBar;
class CMenu;
struct CRuntimeClass;
class CWnd;

class CQorCommandBars : public CCmdTarget
{
    DECLARE_DYNCREATE(CQorCommandBars)
public:
    CQorCommandBars();
    ~CQorCommandBars() override;

    CQorControlActions* GetActions() const { return m_pActions; }
    BOOL IsActionsEnabled() const { return m_bEnableActions; }
    void EnableActions(BOOL bEnable = TRUE) { m_bEnableActions = bEnable; }
    BOOL IsCustomizeMode() const { return m_bCustomizeMode; }
    // Customize mode on or off: the options change, the customize selection is cleared, and the
    // keyboard cues show while it is on.
    void SetCustomizeMode(BOOL bCustomizeMode);
    BOOL IsQuickCustomizeMode() const { return m_bQuickCustomizeMode; }
    // Whether the site lets the user customize (it has a handler for the Customize command):
    // without it Alt+drag moves nothing.
    BOOL IsCustomizable() const { return m_bCustomizable; }
    void SetCustomizable(BOOL bCustomizable) { m_bCustomizable = bCustomizable; }
    // What an Alt+drag on a bar may do: move controls only when the site allows customizing
    // and the options have not switched it off.
    BOOL IsAltDragCustomizationAllowed() const;
    // The control selected for customizing (a reference is held until another is selected or
    // the control leaves its collection): the old and the new control redraw and the site hears
    // of the change (0x2857, wParam the control or 0). And the drag that moves controls.
    void SetDragControl(CQorControl* pControl);
    CQorControl* GetDragControl() const { return m_pDragControl; }
    CQorCustomizeDropSource* GetDropSource();
    HWND GetSite() const { return m_hWndSite; }
    void SetSite(HWND hWndSite) { m_hWndSite = hWndSite; }
    // The site lays out right to left (copied from it when it is bound).
    BOOL IsRightToLeft() const { return m_bRightToLeft; }
    void SetRightToLeft(BOOL bRightToLeft) { m_bRightToLeft = bRightToLeft; }
    // The options, owned by the manager.
    CQorCommandBarsOptions* GetCommandBarsOptions() const { return m_pOptions; }
    // The frame's accelerators, owned by the manager.
    CQorShortcutManager* GetShortcutManager() const { return m_pShortcutManager; }

    // ---- Tool tips, paint and image managers ----------------------------------------------
    // The tips of every bar of the manager (owned; each bar holds a reference while its window
    // lives). Its style and delays are the manager's tip style.
    CQorToolTipContext* GetToolTipContext() const { return m_pToolTipContext; }
    // The manager's own paint manager (a reference is held; null goes back to the global one)
    // and the one its bars fall back to: its own, else the global one.
    void SetPaintManager(CQorPaintManager* pPaintManager);
    CQorPaintManager* GetOwnPaintManager() const { return m_pPaintManager; }
    CQorPaintManager* GetPaintManager() const;
    // The same for the images of the controls.
    void SetImageManager(CQorImageManager* pImageManager);
    CQorImageManager* GetOwnImageManager() const { return m_pImageManager; }
    CQorImageManager* GetImageManager() const;

    // ---- Keyboard cues --------------------------------------------------------------------
    // Whether the accelerator underlines show now, and whether they hide until Alt is pressed
    // because the system hides them.
    BOOL IsKeyboardCuesVisible() const { return m_bKeyboardCuesVisible; }
    BOOL IsKeyboardCuesHiddenUntilAlt() const { return m_bHideKeyboardCuesUntilAlt; }
    void SetKeyboardCuesState(BOOL bVisible, BOOL bHideUntilAlt)
    {
        m_bKeyboardCuesVisible = bVisible;
        m_bHideKeyboardCuesUntilAlt = bHideUntilAlt;
    }
    // Shows or hides the cues where they hide until Alt (always shown in customize mode); the
    // tool bars are redrawn when the state changes.
    void ShowKeyboardCues(BOOL bShow);

    // A control whose command has no handler is shown disabled by the bars' command-UI pass.
    BOOL m_bDisableCommandIfNoHandler = TRUE;
    // Popups too tall for the screen are laid out in columns instead of scrolling.
    BOOL m_bPopupRelayoutMode = FALSE;

    // ---- Tool bars ------------------------------------------------------------------------
    // A tool bar of a class (null: the manager's tool-bar class) titled "Standard", with its
    // window, appended to the tool bars; null when its window cannot be made.
    CQorCommandBar* AddToolBar(CRuntimeClass* pToolBarClass = nullptr);
    // A tool bar announced to the site (0x2861), titled and with its window, appended with the
    // bar id; the frame is laid out again when it is docked. Null when its window cannot be made.
    virtual CQorCommandBar* CreateToolBar(LPCWSTR lpszTitle, UINT nBarID, BOOL bFloating = FALSE);
    int GetCount() const { return static_cast<int>(m_arrToolBars.GetSize()); }
    // Null for an index outside the tool bars.
    CQorCommandBar* GetToolBar(int nIndex) const;
    CQorCommandBar* FindToolBar(UINT nBarID) const;
    CQorCommandBar* FindToolBar(LPCWSTR lpszTitle) const;
    int GetToolBarIndex(const CQorCommandBar* pBar) const;
    // Shows or hides a tool bar; FALSE for an index outside the tool bars.
    BOOL ToggleToolBarVisible(int nIndex);
    // Removes a tool bar from its dock bar and the frame, and lets go of it.
    void RemoveToolBar(int nIndex);
    void RemoveAllToolBars();
    // The first tool bar of the menu-bar type.
    CQorCommandBar* GetMenuBar() const;

    // ---- Popups of the tool bars ------------------------------------------------------------
    // The context menus of the site, owned by the manager.
    CQorCommandBarsContextMenus* GetContextMenus() const { return m_pContextMenus; }
    // A popup bound to the manager whose only control is the tool-bars list (one reference for
    // the caller).
    virtual CQorCommandBar* CreateToolBarsContextMenu();
    // The controls that the tool bar's row hides for want of room, copied into the popup, shown
    // and without group lines.
    virtual void AddRowToolBarsToPopup(CQorToolBar* pToolBar, CQorCommandBar* pPopup);
    // One entry per bar of the tool bar's row (the bar alone when it is not docked), titled by the
    // bar, opening the list of its controls to hide or show; then Customize when the user may
    // customize.
    virtual void AddToolBarsToExpandPopup(CQorToolBar* pToolBar, CQorCommandBar* pPopup);

    // How TrackPopupBarAt runs a popup.
    enum TrackPopupFlag : UINT {
        trackRecursive = 0x1,       // the bars tracking now stay open under it, suspended
        trackRightButton = 0x2,     // a right-button release chooses as well
        trackRightAlign = 0x8,      // the popup extends to the left of the point
        trackNoNotify = 0x80,       // the popup's controls are not refreshed through the site
        trackReturnCommand = 0x100, // the chosen command is returned, not sent
    };
    // Opens a popup at a screen point (beside the exclude rectangle when given) for an owner
    // window (null: the popup's site) and returns once it closed: the chosen command with
    // trackReturnCommand (0 for none), else TRUE; 0 when it cannot open. A quit request arriving
    // meanwhile closes the popup, answers 0 and reaches the outer loop.
    static int TrackPopupBarAt(CQorCommandBar* pPopup, UINT nFlags, int x, int y, LPCRECT lpExclude = nullptr,
                               HWND hWndOwner = nullptr, HWND hWndCommandOwner = nullptr);
    // The same for a menu, through a popup made for the call; 0 when the menu is not one.
    static int TrackCommandBarPopupMenu(CMenu* pMenu, UINT nFlags, int x, int y, HWND hWndOwner);

    // Opens the tool-bars context menu at a screen point, after the site had its say (0x285C:
    // wParam points at the screen point, lParam is the popup), and returns once it closed. Nothing in customize mode, nor when the menu has nothing to show.
    virtual void ShowToolBarsContextMenu(CPoint ptScreen);

    // ---- Rebar ----------------------------------------------------------------------------
    // The rebar child of the site that takes the tool bars as bands.
    enum : UINT { kReBarId = 0xE804 };
    HWND GetReBar() const;
    // The bar becomes a band of the site's rebar; FALSE (the bar left where it was) without a
    // rebar or when the rebar refuses the band.
    virtual BOOL AddToReBar(CQorCommandBar* pBar);
    // The bar's band goes (the bar's window with it, as the rebar deletes bands).
    virtual void RemoveFromReBar(CQorCommandBar* pBar);

    // ---- Dock bars ------------------------------------------------------------------------
    // The four dock bars (top, bottom, left, right), made when the site is bound.
    void CreateDockBars();
    CWnd* GetDockBar(int nPosition) const { return nPosition >= 0 && nPosition < 4 ? m_pDockBars[nPosition] : nullptr; }

    // ---- Layout and redraw ----------------------------------------------------------------
    // A frame site lays out again (now, or at idle time with bDelay); another site gets a
    // WM_SIZE of its client size. Nothing while bars are refreshed, nor once the site window
    // has gone.
    void RecalcFrameLayout(BOOL bDelay = FALSE);
    // After a theme or metrics change: every bar lays out and redraws, then the frame.
    void RedrawCommandBars();
    // Every visible tool bar with a window redraws.
    void RedrawToolBars();

    // ---- Hidden and used commands ---------------------------------------------------------
    virtual BOOL IsHiddenCommand(UINT nID) const;
    // Hidden as a rarely used command, or a popup all of whose controls are hidden that way.
    virtual BOOL IsControlHidden(const CQorControl* pControl) const;
    // A hidden command the user ran is hidden no more.
    void SetCommandUsed(UINT nID);

    // The resource id menus and bars are chosen by: the menu bar's for a single-document site.
    virtual UINT GetActiveDocTemplate();
    UINT m_nMenuBarID = 0;

    // ---- Keyboard -------------------------------------------------------------------------
    // Ctrl+Tab: the keyboard moves to the next (+1) or previous (-1) tool bar showing on the
    // screen, or (0) to pFrom; FALSE when there are fewer than two bars or none other qualifies.
    virtual BOOL ActivateToolBar(int nDirection, CQorCommandBar* pFrom);
    // Alt+key: the control with that accelerator on the tracking bar, the menu bar or the first
    // visible tool bar and the bars after it becomes hot; a unique one runs. TRUE when taken.
    virtual BOOL ProcessAltKey(UINT nChar);
    // A bar began (mode 1 or 2) or stopped (0) tracking.
    virtual void OnTrackingModeChanged(CQorCommandBar* pBar, int nMode);
    // Ends the tracking of every open popup.
    void ClosePopups();
    // The help id of the control held down now (0: none): F1 over it asks the site for help on
    // that control rather than on the frame.
    UINT m_nPressedHelpId = 0;
    // Shift+Alt+key is left alone while this is set.
    BOOL m_bIgnoreShiftAltKey = FALSE;

    // ---- Frame hooks ----------------------------------------------------------------------
    // Keys before the frame translates them: the Alt key and Alt+letters, the cues, the
    // accelerators. TRUE when the message is done.
    virtual BOOL PreTranslateFrameMessage(MSG* pMsg);
    // Every frame message before the frame's own handling; TRUE when the message is done.
    virtual BOOL OnFrameMessage(UINT nMessage, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Print preview: the shortcuts pause while it lasts; the tool bars visible on entering hide
    // and exactly those show again on leaving. Entering twice, or leaving when not in it,
    // changes nothing.
    void OnSetPreviewMode(BOOL bPreview);

protected:
    // ---- Where the tool-bar and dock-bar classes plug in ----------------------------------
    // The object of the manager's tool-bar class: a tool bar.
    virtual CQorCommandBar* CreateToolBarObject();
    // The bar's window, docked in the top dock bar (a child of the site when there is none).
    virtual BOOL CreateToolBarWindow(CQorCommandBar* pBar, BOOL bFloating);
    // One dock bar of the site (0 top, 1 bottom, 2 left, 3 right) with its window; raises the
    // framework's resource exception when its window cannot be made. The manager holds the one
    // reference and releases it after destroying a live window.
    virtual CWnd* CreateDockBarObject(int nPosition);
    // A tool bar hides for print preview (bPreview) or comes back; answers whether it was
    // visible when it hid.
    virtual BOOL SetToolBarPreviewMode(CQorCommandBar* pBar, BOOL bPreview);
    // Takes a tool bar out of its dock bar's rows.
    virtual void RemoveFromDockBar(CQorCommandBar* pBar);

    void AppendToolBar(CQorCommandBar* pBar, UINT nBarID);
    // Lets go of a tool bar already out of the list (its window is destroyed when it has one).
    void ReleaseToolBar(CQorCommandBar* pBar);
    // The popup's own loop until it stops tracking; FALSE when a quit request ended it.
    static BOOL RunPopupLoop(CQorCommandBar* pPopup, BOOL bIdle);
    // TrackPopupBarAt's work; bIdle runs the thread's idle processing while it waits.
    static int TrackPopup(CQorCommandBar* pPopup, UINT nFlags, int x, int y, LPCRECT lpExclude, HWND hWndOwner,
                          HWND hWndCommandOwner, BOOL bIdle);
    // The bar that the Alt-key search starts on.
    CQorCommandBar* GetAltKeyBar() const;
    // A control of a shown bar marks the key with '&' in its caption.
    BOOL IsAltKeyMnemonic(UINT nChar) const;
    // The site or a window it owns is active.
    BOOL IsSiteActive() const;

    CArray<CQorCommandBar*, CQorCommandBar*> m_arrToolBars;
    CWnd* m_pDockBars[4] = {nullptr, nullptr, nullptr, nullptr};
    BOOL m_bInPreview = FALSE;
    CArray<CQorCommandBar*, CQorCommandBar*> m_arrPreviewHidden; // tool bars hidden for preview

private:
    CQorControlActions* m_pActions;
    BOOL m_bEnableActions;
    BOOL m_bCustomizeMode;
    BOOL m_bQuickCustomizeMode = FALSE;
    BOOL m_bCustomizable;
    BOOL m_bRightToLeft = FALSE;
    BOOL m_bRecalcLocked = FALSE; // bars are being refreshed: their layout requests wait
    HWND m_hWndSite;
    CQorControl* m_pDragControl;
    CQorCustomizeDropSource* m_pDropSource;
    CQorCommandBarsOptions* m_pOptions;
    CQorShortcutManager* m_pShortcutManager;
    CQorCommandBarsContextMenus* m_pContextMenus;
    CQorToolTipContext* m_pToolTipContext = nullptr;
    CQorPaintManager* m_pPaintManager = nullptr;
    CQorImageManager* m_pImageManager = nullptr;
    BOOL m_bKeyboardCuesVisible = TRUE;
    BOOL m_bHideKeyboardCuesUntilAlt = FALSE;
};
