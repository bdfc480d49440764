// The control model every bar control derives from: one item of a bar with a command id, texts,
// icon, state and a rectangle in its bar; the action that controls of one id share; press
// tracking with auto-repeat, execution and the site notification; the accessible object.
#pragma once

#include <windows.h>

#include "platform/framework/CmdTarget.h"
#include "platform/framework/Collections.h"
#include "platform/framework/Geometry.h"
#include "platform/framework/Strings.h"
#include "toolkit/commandbars/CommandBarDefs.h"
#include "toolkit/foundation/Accessible.h"

class CDC;
class CQorCommandBar;
class CQorCommandBars;
class CQorControl;
class CQorControlActions;
class CQorControls;
class CQorPaintManager;
class CQorImageManagerIcon;

// The record controls of one command id share: texts and the enabled, checked and visible state
// a bound control takes unless it overrides them.
class CQorControlAction : public CCmdTarget
{
public:
    explicit CQorControlAction(CQorControlActions* pActions = nullptr);
    ~CQorControlAction() override;

    int GetId() const { return m_nId; }
    int GetIconId() const { return m_nIconId; }
    BOOL GetEnabled() const { return m_bEnabled; }
    BOOL GetChecked() const { return m_bChecked; }
    BOOL IsVisible() const { return m_bVisible; }
    // Each change tells the bound controls (codes QorActionProperty) and redraws them.
    void SetEnabled(BOOL bEnabled);
    void SetChecked(BOOL bChecked);
    void SetVisible(BOOL bVisible);
    // The text after a TAB is dropped; the bars of the bound controls re-lay out on a change.
    void SetCaption(LPCWSTR lpszCaption);
    // A prompt: "description\ntooltip\ncaption\nkeyboard tip", or one text for both first parts.
    void SetPrompt(const CString& strPrompt);

    const CString& GetCaption() const { return m_strCaption; }
    const CString& GetTooltip() const { return m_strTooltip; }
    const CString& GetDescription() const { return m_strDescription; }
    const CString& GetCategory() const { return m_strCategory; }
    const CString& GetKeyboardTip() const { return m_strKeyboardTip; }
    // The first further string is the hint status texts read.
    const CString& GetHint() const { return m_strHint; }

    CQorControlActions* GetActions() const { return m_pActions; }
    // TRUE while the command bars the actions belong to are in customize mode.
    BOOL IsCustomizeMode() const;

    int GetCount() const { return static_cast<int>(m_arrControls.GetSize()); }
    CQorControl* GetControl(int nIndex) const;
    // Binds (returns the index) and unbinds a control; an unbound control is enabled and unchecked.
    int AddControl(CQorControl* pControl);
    void RemoveControl(CQorControl* pControl);

    CString m_strCaption, m_strTooltip, m_strDescription, m_strCategory, m_strHint, m_strFurther, m_strKeyboardTip;
    int m_nIconId;

private:
    friend class CQorControlActions;
    void NotifyChanging(int nCode);
    void NotifyChanged(int nCode, BOOL bRelayout);
    void ChangeState(BOOL& bState, BOOL bNew, int nCode, BOOL bRelayout);

    int m_nId;
    int m_nReserved;
    BOOL m_bEnabled, m_bChecked, m_bVisible;
    CArray<CQorControl*, CQorControl*> m_arrControls; // not owned
    CQorControlActions* m_pActions;
};

// The actions of one set of command bars, kept sorted by id, owned.
class CQorControlActions : public CCmdTarget
{
public:
    explicit CQorControlActions(CQorCommandBars* pCommandBars = nullptr);
    ~CQorControlActions() override;

    // Null for an id outside 1..0x0FFFFFFE or when missing.
    CQorControlAction* FindAction(int nId) const;
    // The action of the id, made (prompt from the string resource of the id) when missing.
    CQorControlAction* Add(int nId);
    // Unbinds every control, then releases every action.
    void RemoveAll();

    int GetCount() const { return static_cast<int>(m_arrActions.GetSize()); }
    CQorControlAction* GetAt(int nIndex) const { return m_arrActions[nIndex]; }
    CQorCommandBars* GetCommandBars() const { return m_pCommandBars; }

    enum { kMaxId = 0x0FFFFFFE };

private:
    int FindInsertIndex(int nId) const;

    CArray<CQorControlAction*, CQorControlAction*> m_arrActions;
    CQorCommandBars* m_pCommandBars;
};

class CQorControl : public CCmdTarget, public CQorAccessible
{
    DECLARE_DYNCREATE(CQorControl)
public:
    CQorControl();
    ~CQorControl() override;

    enum { kAutoRepeatTimerId = 4269 };
    enum PressedState { pressedNone = 0, pressedDown = 1, pressedRunning = 2 };

    // ---- Texts ----------------------------------------------------------------------------
    virtual CString GetCaption() const;
    virtual CString GetDescription() const;
    virtual CString GetTooltip() const;
    CString GetCategory() const;

    // ---- Document templates ----------------------------------------------------------------
    // Resource ids of the document templates the control belongs to (empty: every one) and of
    // those it is kept out of (empty: none).
    using CDocTemplateMap = CMap<UINT, UINT, BOOL, BOOL>;
    CDocTemplateMap& GetDocTemplatesAssigned() { return m_docTemplatesAssigned; }
    CDocTemplateMap& GetDocTemplatesExcluded() { return m_docTemplatesExcluded; }
    // Sets or clears the other-template hide bit for the active template; TRUE when it changed.
    // An exclusion decides over an assignment.
    BOOL FilterByDocTemplate(UINT nActiveTemplate);
    CString GetShortcutText() const { return m_strShortcutText.IsEmpty() ? m_strShortcutTextAuto : m_strShortcutText; }
    // The text after a TAB becomes the automatic shortcut text; the bar re-lays out on a change.
    void SetCaption(LPCWSTR lpszCaption);
    // As the action's prompt; an empty caption takes part 2 (else the tooltip), an empty
    // keyboard tip part 3.
    void SetPrompt(const CString& strPrompt);
    // Loads the string resource of a new id as the prompt; nothing when unchanged.
    void SetID(int nId);
    int GetID() const { return m_nId; }

    // ---- State ----------------------------------------------------------------------------
    virtual void SetBeginGroup(BOOL bBeginGroup);
    BOOL GetBeginGroup() const { return m_bBeginGroup; }
    virtual void SetEnabled(int nEnabled);
    // Effective values: -1 takes the action's; in customize mode a bound control is enabled.
    BOOL GetEnabled() const;
    BOOL GetChecked() const;
    void SetChecked(int nChecked);
    virtual int GetSelected() const { return m_nSelected; }
    virtual int GetPressed() const { return m_nPressed; }
    void SetPressed(int nPressed) { m_nPressed = nPressed; }
    virtual void SetRect(CRect rc) { m_rcControl = rc; }
    CRect GetRect() const { return m_rcControl; }
    CRect GetRowRect() const { return m_rcRow; }
    void SetRowRect(CRect rc) { m_rcRow = rc; }
    // No hide bit outside the mask is set, and a bound action is visible.
    virtual BOOL IsVisible(int nHideMask = 0) const;
    virtual void SetHideFlags(int nHideFlags) { m_nHideFlags = nHideFlags; }
    int GetHideFlags() const { return m_nHideFlags; }
    void SetHideFlag(int nFlag, BOOL bSet) { SetHideFlags(bSet ? (m_nHideFlags | nFlag) : (m_nHideFlags & ~nFlag)); }
    int GetFlags() const { return m_nFlags; }
    void SetFlags(int nFlags) { m_nFlags = nFlags; }
    virtual BOOL IsCaptionVisible() const;
    BOOL IsImageVisible() const;
    virtual BOOL IsEqual(const CQorControl* pOther) const;
    // The bar the control opens; null in the base.
    virtual CQorCommandBar* GetCommandBar() const { return nullptr; }
    virtual void SetWidth(int nWidth);
    virtual void SetHeight(int nHeight);
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    int GetType() const { return m_nType; }
    int GetStyle() const { return m_nStyle; }
    void SetStyle(int nStyle) { m_nStyle = nStyle; }
    int GetCustomStyle() const { return m_nCustomStyle; }
    void SetCustomStyle(int nStyle) { m_nCustomStyle = nStyle; }
    // CustomStyle, else Style, else the control's default, else the bar's default style.
    int GetEffectiveStyle() const;
    int GetIconId() const;

    // ---- Bar, collection, action ----------------------------------------------------------
    CQorCommandBar* GetParent() const { return m_pParent; }
    virtual void SetParent(CQorCommandBar* pParent) { m_pParent = pParent; }
    CQorControls* GetControls() const { return m_pControls; }
    int GetIndex() const { return m_nIndex; }
    CQorControlAction* GetAction() const { return m_pAction; }
    // Binds to an action (null unbinds); the action's texts and state are used from then on.
    virtual int SetAction(CQorControlAction* pAction);
    // The command bars up the parent chain (or of the collection's bar); null when none.
    CQorCommandBars* GetCommandBars() const;
    BOOL IsCustomizeMode() const;
    CQorPaintManager* GetPaintManager() const;
    virtual CQorImageManagerIcon* GetImage(int nWidth = 16) const;

    // ---- Drawing --------------------------------------------------------------------------
    virtual CSize GetSize(CDC* pDC);
    virtual void Draw(CDC* pDC);
    void RedrawParent(BOOL bAnimate = TRUE);

    // ---- Behaviour ------------------------------------------------------------------------
    virtual void OnExecute();
    virtual void OnKeyboardActivate() { OnExecute(); }
    virtual BOOL SetPopuped(BOOL) { return FALSE; }
    virtual void OnClick(BOOL bKeyboard = FALSE, CPoint point = CPoint(0, 0));
    virtual void OnLButtonUp(CPoint) {}
    // The right button went down over the control on a tool bar; TRUE when the control took the
    // press (the bar then shows no menu of its own).
    virtual BOOL OnRButtonDown(CPoint) { return FALSE; }
    virtual BOOL OnLButtonDblClk(CPoint point);
    virtual void OnMouseMove(CPoint) {}
    virtual BOOL OnHookKeyDown(UINT) { return FALSE; }
    // The wheel turned while the bar tracks with this control hot (galleries and lists scroll);
    // TRUE when the control used it. The bar never passes the wheel on either way.
    virtual BOOL OnHookMouseWheel(UINT /*nFlags*/, short /*zDelta*/, CPoint /*ptScreen*/) { return FALSE; }
    // Closes the popup open in the parent bar; a bar tracking with a popup that is not itself a
    // popup stops tracking.
    virtual void ClosePopupOfBar();
    // 0 none, 1 by the mouse, 2 or 3 by the keyboard; FALSE when unchanged.
    virtual BOOL SetSelected(int nSelected);
    // Customize mode: a press selects the control for customizing and drags it (a drop on no
    // bar or a move removes it here); a press on the selected control's edge resizes it.
    virtual void OnCustomizeMouseDown(CPoint point);
    virtual BOOL CustomizeResize(CPoint point);
    // The resize cursor over an edge that can be dragged; FALSE elsewhere.
    BOOL SetCustomizeCursor(CPoint point);
    virtual void OnCustomizeDragOver(CQorControl* pDataObject, CPoint point);
    virtual BOOL IsCustomizeDragOverAvail(CQorCommandBar*, CPoint, DROPEFFECT&) { return TRUE; }
    virtual BOOL IsCustomizeResizeAllowed() const { return FALSE; }
    virtual int GetCustomizeMinWidth() const { return 0; }
    virtual void OnRemoved() { SetAction(nullptr); }
    virtual void OnActionChanged(int) {}
    virtual void OnActionChanging(int) {}
    virtual void OnCalcDynamicSize(DWORD) {}
    // The bar's command-UI pass reaches the control (before its update handlers run).
    virtual void OnIdleUpdate() {}

    virtual void Copy(const CQorControl* pSource, BOOL bRecursive = FALSE);
    virtual CQorControl* Clone(BOOL bRecursive = FALSE) const;

    // Presses the control and tracks the mouse until release (empty rectangle: the control's
    // own); executes when released over it, and every interval while held when auto-repeating.
    void TrackButtonPress(CRect rc = CRect(0, 0, 0, 0));
    BOOL IsCursorOver() const;

    // Tells the site: 0x2862, else the site's command routing; the handler's result (0 unhandled).
    LRESULT NotifyControlSite(int nCode);
    static LRESULT SendControlNotify(int nCode, HWND hWndSite, CQorControl* pControl);

    // ---- Accessibility ---------------------------------------------------------------------
    HRESULT GetAccessibleParent(IDispatch** ppdispParent) override;
    HRESULT GetAccessibleChildCount(long* pcountChildren) override;
    HRESULT GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild) override;
    HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName) override;
    HRESULT GetAccessibleDescription(VARIANT varChild, BSTR* pszDescription) override;
    HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
    HRESULT AccessibleSelect(long flagsSelect, VARIANT varChild) override;
    HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;
    HRESULT AccessibleDoDefaultAction(VARIANT varChild) override;
    HRESULT GetAccessibleFocus(VARIANT* pvarChild) override;
    HRESULT GetAccessibleSelection(VARIANT* pvarChildren) override;
    CCmdTarget* GetAccessibleOuterObject() override { return this; }
    // The caption without mnemonic ampersands, a TAB and the shortcut text; else the tooltip.
    CString GetAccessibleNameText() const;

    // Persistent and layout fields the collection, the layout and the bars read and write.
    int m_nTag;
    int m_nIndex;
    int m_nId, m_nIconId, m_nHelpId, m_nCustomIconId;
    int m_nReserved1;
    BOOL m_bBeginGroup;
    int m_nEnabled, m_nChecked;
    int m_nSelected, m_nPressed;
    int m_nReserved2;
    CRect m_rcControl, m_rcRow;
    int m_nHideFlags;
    int m_nFlags;
    BOOL m_bWrap; // row-break state, written by the layout
    CString m_strCaption, m_strCustomCaption, m_strShortcutText, m_strShortcutTextAuto, m_strTooltipText,
        m_strDescriptionText, m_strParameter, m_strKeyboardTip;
    CQorControls* m_pControls;
    int m_nType;
    CQorCommandBar* m_pParent;
    CString m_strCategory;
    BOOL m_bDefaultItem;
    CDocTemplateMap m_docTemplatesAssigned, m_docTemplatesExcluded;
    BOOL m_bTemporary;
    int m_nStyle, m_nCustomStyle, m_nDefaultStyle;
    BOOL m_bCloseSubMenuOnClick;
    CQorControlAction* m_pAction;
    int m_nWidth, m_nHeight;
    int m_nExecuteOnPressInterval;

protected:
    // Runs the command once in a window (null: the owner site of the bar): 0x2862 code 100,
    // else WM_COMMAND.
    void ExecuteCommand(HWND hWndOwner = nullptr);
    HWND GetSiteWindow() const;
    void DelayParentLayout();
    // Stores a changed value, then flags the bar for re-layout or redraws the control.
    void ChangeValue(int& nValue, int nNew, BOOL bRelayout);

    DECLARE_INTERFACE_MAP()
};

// The plain push button (type 1) and the base of most concrete controls.
class CQorControlButton : public CQorControl
{
    DECLARE_DYNCREATE(CQorControlButton)
public:
    CQorControlButton();
    void OnClick(BOOL bKeyboard = FALSE, CPoint point = CPoint(0, 0)) override;
    void OnLButtonUp(CPoint point) override;
};
