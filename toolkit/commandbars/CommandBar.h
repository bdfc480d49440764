// The window base of every bar: it holds the bar's controls, keeps the hot and the open-popup
// control, draws the controls through the paint manager, routes the mouse and the keyboard to
// them, refreshes their state from the command routing, tells its site what happens and
// answers accessibility queries.
#pragma once

#include <windows.h>
#include <ole2.h>

#include "platform/framework/Gdi.h"
#include "platform/framework/Wnd.h"

#include "toolkit/commandbars/CommandBarDefs.h"
#include "toolkit/foundation/Accessible.h"
#include "toolkit/foundation/HookManager.h"

class CMenu;
class CQorControl;
class CQorControls;
class CQorControlPopup;
class CQorCommandBars;
class CQorCommandBarAnimation;
class CQorImageManager;
class CQorPaintManager;
class CQorToolTipContext;

class CQorCommandBar : public CWnd, public CQorHookManagerHookAble, public CQorAccessible
{
    DECLARE_DYNCREATE(CQorCommandBar)
public:
    CQorCommandBar();
    ~CQorCommandBar() override;

    // Tracking modes: 0 none, 1 tracking, 2 tracking with a popup open. Entering joins the
    // thread's chain of tracked bars, leaving leaves it and ends the suspension; asking for the
    // mode the bar is already in changes nothing and returns FALSE.
    virtual BOOL SetTrackingMode(int nMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE);
    int GetTrackingMode() const { return m_nMode; }

    // Makes a control hot (-1: none); nKeyboard 0 by mouse, 1-3 by keyboard. FALSE when the
    // index is the current one or the bar has no window.
    virtual BOOL SetSelected(int nSelected, int nKeyboard = 0);
    int GetSelected() const { return m_nSelected; }

    virtual BOOL IsVisible() const;

    // The customize drag over this bar (points in client coordinates). Enter answers TRUE when
    // the bar takes the control.
    virtual BOOL CustomizeDragEnter(CQorControl* pDataObject, CPoint point);
    virtual void CustomizeDragLeave();
    virtual void CustomizeDragOver(CQorControl* pDataObject, CPoint point);
    virtual void CustomizeDrop(CQorControl* pDataObject, DROPEFFECT dropEffect, CPoint ptDrop, CPoint ptDrag);

    // Repaints a rectangle (null: the whole bar) through the animation object, cross-faded
    // when bAnimate is set and animation is enabled.
    virtual void Redraw(LPCRECT lpRect = nullptr, BOOL bAnimate = TRUE);
    // Draws the part of the bar inside rcClipBox (client coordinates).
    virtual void DrawCommandBar(CDC* pDC, CRect rcClipBox);

    // 1 when the screen point lies on the bar; 0 when not, but a child window under it still
    // counts; -2 when not and child windows do not count.
    virtual int IsPointInBar(CPoint ptScreen) const;

    // The mouse-move handling; the mouse manager calls it while this bar tracks and another
    // holds the mouse.
    afx_msg virtual void OnMouseMove(UINT nFlags, CPoint point);

    // Own paint manager, else the command bars' own, else the global one. Setting one holds a
    // reference (null goes back to the fallbacks).
    CQorPaintManager* GetPaintManager() const;
    void SetPaintManager(CQorPaintManager* pPaintManager);
    // The images of the controls: own image manager, else the command bars', else the global one.
    CQorImageManager* GetImageManager() const;
    void SetImageManager(CQorImageManager* pImageManager);

    // ---- Tool tips (CommandBarToolTips.cpp) -----------------------------------------------
    // The command bars' tip context, held while the window lives (null for a free bar).
    CQorToolTipContext* GetToolTipContext() const { return m_pToolTipContext; }
    // The control under a client point gives the tool: its tip text, its rectangle, and its id
    // (else its index + 1); -1 over no control, while a popup of the bar is open, or when the
    // control has nothing to say.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    // What a control's tip says: its tooltip (else its caption without mnemonics), with its
    // shortcut in brackets when the options ask for shortcuts in tips. Empty when the bar shows
    // no tips (a tool bar with screen tips off) or when the tip would only repeat a caption the
    // control shows in a popup.
    virtual CString GetControlTipText(const CQorControl* pControl) const;
    // Hides the tip and lets it wait for the next tool.
    void DeactivateToolTip();
    CQorCommandBarAnimation* GetAnimation() const { return m_pAnimation; }

    // The modal-lock count: raised for each bar of the chain while a nested loop runs above
    // it; while above 0 the bar ignores hover changes and keys. Never below 0.
    int GetModalLockCount() const { return m_nModalLockCount; }
    void AdjustModalLockCount(int nDelta);

    BOOL m_bAnimation; // EnableAnimation: cross-fade repaints whatever the paint manager says

    // ---- Hot control, hover and status prompt ---------------------------------------------
    enum : UINT_PTR { kHoverTimerId = 112223, kShowFullTimerId = 112224 };
    enum { kHoverDelay = 300, kShowFullDelay = 5000 };
    // A control made hot by the mouse gets its hover operation after kHoverDelay (a popup
    // control opens its popup, a button closes another's).
    BOOL m_bPopupOnHover;
    // Moves ignore the mouse manager's lock.
    BOOL m_bIgnoreMouseLock;
    // A control was pressed (bPressed) or let go: the site hears of it, and the status line
    // shows the pressed control's description until it is let go.
    virtual void OnControlPressed(BOOL bPressed, CQorControl* pControl);
    // Brings a control into view (a scrolled popup scrolls to it); nothing in the base.
    virtual void EnsureVisible(CQorControl*) {}
    // The right button was released over a control of a bar above this one, or outside.
    virtual void OnRButtonUpOutside(CQorCommandBar*, CPoint) {}

    // ---- Command UI (CommandBarCmdUI.cpp) -------------------------------------------------
    // Refreshes the enabled, checked and text state of the controls through the command routing
    // of the owner site, then the bar's child windows; then lays out or redraws what changed.
    // Only for a visible window.
    virtual void OnUpdateCmdUI();
    // The window whose command routing the controls' update handlers run in: the first owner
    // window up the bar chain, else the site.
    HWND GetOwnerSite() const;
    // A redraw waits for the next update pass.
    virtual void SetRedrawPending() { m_bRedrawPending = TRUE; }
    BOOL IsRedrawPending() const { return m_bRedrawPending; }
    // Lays the controls out again; nothing in the base.
    virtual void OnRecalcLayout() {}
    int m_nLockRedraw; // while above 0, Redraw only marks the bar for the next update pass
    BOOL m_bNoNotify;  // the command-UI pass skips the update handlers
    // A popup opened by the right button: releasing the right button over a control runs it.
    BOOL m_bRightButtonPopup = FALSE;

    // ---- Identity and drawing -------------------------------------------------------------
    UINT GetBarID() const { return m_nBarID; }
    void SetBarID(UINT nBarID) { m_nBarID = nBarID; }
    enum { kStyleDrawFrame = 0x400000 }; // the paint manager draws the bar's frame and gripper
    DWORD m_dwBarStyle;
    // The widths of the bar's borders, one per side, from the paint manager.
    virtual CRect GetBorders();
    // The bar's size when docked, for a length along its row: its controls laid out within its
    // borders. The tool bar adds its expand button.
    virtual CSize CalcDockingLayout(int nLength, DWORD dwMode, int nWidth = 0);
    // The icon size the bar gives its buttons itself; (0, 0) leaves it to the theme.
    virtual CSize GetOwnIconSize() const { return CSize(0, 0); }
    // The bar's background, from the paint manager.
    virtual void FillCommandBarEntry(CDC* pDC);

    // ---- Accessibility (CommandBarAccessible.cpp) ----------------------------------------
    // The bar answers for itself (child 0) and for its controls (child i + 1).
    HRESULT GetAccessibleParent(IDispatch** ppdispParent) override;
    HRESULT GetAccessibleChildCount(long* pcountChildren) override;
    HRESULT GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild) override;
    HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName) override;
    HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;
    CCmdTarget* GetAccessibleOuterObject() override { return this; }

    // ---- What the controls reach ----------------------------------------------------------
    int GetType() const { return m_barType; }
    int GetPosition() const { return m_barPosition; }
    BOOL IsPopupBar() const { return m_barType == qorBarTypePopup || m_barPosition == qorBarPopup; }
    // The bar that opened this one; none for top-level bars.
    virtual CQorCommandBar* GetParentCommandBar() const { return nullptr; }
    // The command bars this bar belongs to (not owned), else those of the parent bars.
    CQorCommandBars* GetCommandBars() const;
    void SetCommandBars(CQorCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    // The window told of the bar's controls: the explicit site, else the command bars' site,
    // else the owner, else the parent window.
    HWND GetSite() const;
    void SetSite(HWND hWndSite) { m_hWndSite = hWndSite; }
    // Only the handle is kept: the object may be a temporary that idle time deletes.
    void SetSite(CWnd* pSite) { m_hWndSite = pSite ? pSite->GetSafeHwnd() : nullptr; }
    // Opens the popup of the control at an index (-1 closes the open one), tracking with the
    // control hot; FALSE when the control is disabled or opens nothing, which leaves nothing
    // open and the tracking mode as it was.
    virtual BOOL SetPopuped(int nPopuped, BOOL bKeyboard = FALSE);
    // Shows this bar as the popup of a control (null: a free popup); FALSE when it cannot.
    // A plain bar is never a popup; the popup bar answers it.
    virtual BOOL OpenPopup(CQorControlPopup* pParentControl, BOOL bKeyboard = FALSE);
    int GetPopuped() const { return m_nPopuped; }
    // A control's selected state changed (the bar follows it with its hot index).
    virtual void OnControlSelected(int nSelected, CQorControl* pControl);
    // Flags the bar for re-layout.
    void DelayLayout() { m_bRecalcLayout = TRUE; }
    BOOL IsLayoutDelayed() const { return m_bRecalcLayout; }
    int GetDefaultButtonStyle() const { return m_nDefaultButtonStyle; }
    // The bar's controls (owned; the collection lives as long as the bar).
    CQorControls* GetControls() const { return m_pControls; }
    int GetControlCount() const;
    // Null for an index outside the controls.
    CQorControl* GetControl(int nIndex) const;
    // Re-layout flag set, selected and open-popup indexes reset.
    virtual void OnControlsChanged();
    // Builds the controls from a menu's items; FALSE for no menu.
    BOOL LoadMenu(CMenu* pMenu, BOOL bRemoveControls = TRUE);
    CString GetTitle() const { return m_strTitle; }
    void SetTitle(LPCWSTR lpszTitle);
    // A bar of the same run-time class with the same kind and copies of the controls.
    virtual CQorCommandBar* Clone(BOOL bRecursive = FALSE) const;
    // Takes another bar's kind, place, flags, title, widths and manager, then copies of its
    // controls (recursive: popup controls get copies of their bars too). A bar copied from
    // itself stays as it is.
    virtual void Copy(const CQorCommandBar* pSource, BOOL bRecursive = FALSE);
    // Lets go of everything the bar holds while it may still be reached: tracking ends, the
    // keyboard and hover are given back, the controls go and the window is destroyed.
    void ReleaseTracking();
    // Whether a press on a control with Alt held moves it (a tool bar of a customizable manager
    // whose options allow Alt+drag).
    BOOL IsAltDragCustomization(CQorControl* pControl) const;
    // The help id of a control: its own, else its action's id, else its command id.
    static int GetControlHelpId(const CQorControl* pControl);
    // Whether accelerator underlines show: the manager decides; TRUE without one.
    BOOL IsKeyboardCuesVisible() const;
    // Resize mode of a popup bar (0 none, 1 size grip, 2 height only); other bars answer 0.
    virtual int IsResizable() const { return 0; }
    // A popup bar whose icon column is twice as wide (its double-gripper setting); other bars
    // answer FALSE.
    virtual BOOL IsDoubleGripper() const { return FALSE; }
    // The index of the control pressed last.
    int m_nLastPressed;
    int m_nMRUWidth;   // the remembered width; also the width of tool-bar-like popups
    DWORD m_dwFlags;   // bar flags (0x200000 large-button layout)
    BOOL m_bMultiLine; // the popup's controls stand in more than one column
    BOOL m_bContextMenu = FALSE; // one of the manager's context menus
    // While the bar runs as a context menu for its result: the command chosen in it (or in its
    // sub-popups) is written here instead of being sent to the site.
    int* m_pReturnCommand = nullptr;
    // Runs as a recursive context menu (the bars below it suspended): a command chosen in it
    // closes only this popup.
    BOOL m_bRecursive = FALSE;
    int m_barType;
    int m_barPosition;
    int m_nDefaultButtonStyle;

    // ---- Keyboard ----
    // What a navigation key asks of a tracking bar.
    enum SpecialKey {
        keyNext = 0,     // the next selectable control
        keyPrevious = 1, // the previous one
        keyCollapse = 2, // close the open popup
        keyExpand = 3,   // open the hot control's popup
        keyEscape = 4,   // stop tracking, back to the parent bar
        keyExecute = 5,  // run the hot control
        keyFirst = 6,
        keyLast = 7,
    };
    // A key pressed while the bar tracks: QOR_HOOK_CONSUMED, or QOR_HOOK_PASS to let the focused
    // window have it. The hot control sees the key first.
    virtual int OnHookKeyDown(UINT nChar, LPARAM lParam);
    // One navigation step; FALSE when it had nothing to do.
    virtual BOOL ProcessSpecialKey(int nCode);
    // The keyboard manager's offer while the bar tracks: keys go to OnHookKeyDown, the wheel
    // stays with the bar.
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;
    // The control whose mnemonic (else first character) is the key, searched from the one after
    // the hot control round to the hot control itself; -1 when none. bUnique is FALSE when
    // another control answers to the key as well. "&&" is a literal ampersand, not a mnemonic.
    // pbMnemonic, when given, tells whether the control found marks the key with '&'.
    int FindAccelControl(UINT nChar, BOOL& bUnique, BOOL* pbMnemonic = nullptr) const;
    // The bar's window lays out right to left.
    BOOL IsRightToLeft() const;
    // The keys of a horizontal bar: Left and Right move, Up and Down close and open popups.
    BOOL IsHorizontalForKeys() const;
    // The next control the keyboard may select (nStep +1 or -1, from nStart; -1 starts at an end).
    int GetNextSelectable(int nStart, int nStep) const;
    // The bar at the top of the parent chain (this one for a top-level bar).
    CQorCommandBar* GetTopLevelCommandBar() const;

protected:
    // ---- Keyboard state ----
    // Parts of SetTrackingMode: joining (site told, caret hidden, keyboard hooked, first control
    // selected) and leaving (unhooked, popup closed; answers the window whose caret was hidden),
    // then handing the focus back once the bar is redrawn.
    void EnterKeyboardTracking(BOOL bSelectFirst, BOOL bKeyboard);
    HWND LeaveKeyboardTracking();
    void FinishLeavingTracking(HWND hWndSaveFocus);
    // The grid move of popup tool bars and floating bars (Up and Down change rows).
    void MoveToRow(int nDirection);

    BOOL m_bHideCaret = TRUE;       // the focused window's caret is hidden while the bar tracks
    HWND m_hWndSaveFocus = nullptr; // a handle: framework temporaries do not outlive idle time
    BOOL m_bMouseTracking = FALSE;  // tracking began by the mouse, with nothing selected
    int m_nKeyboardSelection = 0;   // 0 by mouse, 1-3 by keyboard: how tracking began or moved

    // The mouse moved over the bar: the control under it turns hot.
    void TrackHotControl(CPoint point);
    // The hover delay ran out over the hot control.
    void OnHoverTimer();
    // The pointer rested on the control of the open sub-menu: it shows its full menu.
    void OnShowFullTimer();
    // The description the status line shows, or the idle message when empty.
    void ShowStatusPrompt(const CString& strPrompt);
    // The frame whose context-help mode the bar follows.
    BOOL IsInContextHelpMode() const;

    // Mouse messages pass the tip context before the bar's own handling, whatever loop
    // delivered them.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnMouseLeave();
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    afx_msg void OnIdleUpdateCmdUI();
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
    DECLARE_INTERFACE_MAP()

    CRect m_rcMarker; // the insertion line shown while a customize drag is over the bar
    int m_nSelected;
    int m_nMode;
    int m_nModalLockCount;
    CQorPaintManager* m_pPaintManager; // own paint manager (a reference), or null
    CQorImageManager* m_pImageManager = nullptr;     // own image manager (a reference), or null
    CQorToolTipContext* m_pToolTipContext = nullptr; // the command bars' (a reference), or null
    CQorCommandBarAnimation* m_pAnimation;
    CQorCommandBars* m_pCommandBars;
    HWND m_hWndSite; // a handle, not a window object: temporaries do not outlive idle time
    int m_nPopuped;
    BOOL m_bRecalcLayout;
    CQorControls* m_pControls;
    CString m_strTitle;
    UINT m_nBarID;
    BOOL m_bRedrawPending;
    int m_nStatusPrompt; // the control whose description the status line shows, or -1
};
