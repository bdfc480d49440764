// The popup bar: the command bar shown as a drop-down or context menu. A top-level window that
// never takes the activation, placed against the work area beside or below the control that
// opened it (or at a screen point), scrolled with two arrows when it does not fit, expanded
// to show rarely used controls, optionally resizable with a gripper, with drop shadows and a
// show animation.
#pragma once

#include <windows.h>

#include <functional>

#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/Control.h"

class CQorControlPopup;

// Popup flags: where the popup goes from its anchor.
enum QorPopupFlag {
    qorPopupLeft = 0x01,     // extends to the left of its anchor (right-aligned)
    qorPopupDropDown = 0x02, // drops below (or above) the anchor rectangle rather than beside it
};

// Everything the placement of a popup depends on, and what it decides. Pure data, so that the
// placement can be computed (and tested) without windows or monitors.
struct QorPopupPlacement
{
    // In.
    CSize size = CSize(0, 0);            // the laid-out popup
    CPoint ptPopup = CPoint(0, 0);       // the anchor point
    CRect rcExclude = CRect(0, 0, 0, 0); // the parent control in screen coordinates (may be empty or flat)
    int nFlags = 0;                      // QorPopupFlag bits
    CRect rcWork = CRect(0, 0, 0, 0);    // the work area of the anchor's monitor
    CRect rcMonitor = CRect(0, 0, 0, 0); // the whole monitor
    BOOL bRelayoutMode = FALSE;          // a popup that does not fit is laid out in columns, never scrolled
    // Lays the popup out again for a height; answers its new size. Needed in re-lay-out mode.
    std::function<CSize(int nMaxHeight)> relayout;
    // The exclude rectangle for opening beside the parent control instead of below it (re-lay-out
    // mode, when neither below nor above has room); null keeps the rectangle.
    std::function<CRect()> excludeBeside;

    // Out.
    CRect rcPopup = CRect(0, 0, 0, 0); // the window rectangle
    BOOL bScroll = FALSE;              // shortened: the popup scrolls
};

// Places a popup (see QorPopupPlacement): the flags and the exclude rectangle are updated as
// the placement changes them.
void QorCalcPopupPlacement(QorPopupPlacement& placement);

// The popup flags a popup takes from its parent control and the bar that control stands on:
// the control's flags, the popup's reading order, the parent bar's flags and position, whether
// the parent is a floating popup, and the parent's own popup flags when it is a popup bar.
int QorPopupFlagsFromParent(int nControlFlags, BOOL bRightToLeft, DWORD dwParentBarFlags, int nParentPosition,
                            BOOL bParentFloatingPopup, int nParentPopupFlags);

class CQorPopupBar : public CQorCommandBar
{
    DECLARE_DYNCREATE(CQorPopupBar)
public:
    // The last control of a popup that hides rarely used controls: it shows a double chevron
    // and expands the popup when pressed (on the press: the release must find nothing to run).
    class CControlExpandButton : public CQorControlButton
    {
    public:
        CControlExpandButton();
        CSize GetSize(CDC* pDC) override;
        void Draw(CDC* pDC) override;
        void OnClick(BOOL bKeyboard = FALSE, CPoint point = CPoint(0, 0)) override;
        void OnLButtonUp(CPoint) override {}
        void OnExecute() override;
    };

    enum { kExpandButtonId = 9150 };
    enum : UINT_PTR {
        kScrollDownTimerId = 5001, // bottom arrow
        kScrollUpTimerId = 5002,   // top arrow
        kExpandTimerId = 5004,     // the pointer rests on the expand button
    };
    enum { kScrollDelay = 80, kExpandDelay = 900, kScrollArrowHeight = 12, kResizeGripperHeight = 9 };
    // Resize modes.
    enum { resizeNone = 0, resizeBoth = 1, resizeHeight = 2 };

    CQorPopupBar();
    ~CQorPopupBar() override;

    // A new popup bound to a manager (one reference for the caller).
    static CQorPopupBar* CreatePopupBar(CQorCommandBars* pCommandBars);

    // ---- Opening and closing ----
    // Shows the popup for a control (null: at the popup point, with the exclude rectangle and
    // flags as set), tracking; keyboard opening selects the first control. FALSE when the window
    // cannot be made, or the site or the parent's window went away while the popup was filled.
    BOOL OpenPopup(CQorControlPopup* pParentControl, BOOL bKeyboard = FALSE) override;
    // Leaving tracking closes: the window goes, the parent's open popup is cleared, the site hears
    // 0x285D and the parent control is forgotten.
    BOOL SetTrackingMode(int nMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE) override;
    BOOL SetSelected(int nSelected, int nKeyboard = 0) override;
    BOOL IsVisible() const override;
    CQorCommandBar* GetParentCommandBar() const override;
    CQorControlPopup* GetParentControl() const { return m_pParentControl; }
    // The window, hidden, owned by the site (FALSE when it cannot be made).
    virtual BOOL CreatePopupWindow();

    // ---- Placement ----
    // Screen coordinates; set by the caller of a free popup before OpenPopup, else derived from
    // the parent control by UpdateExcludeRect.
    void SetPopupPoint(CPoint pt) { m_ptPopup = pt; }
    CPoint GetPopupPoint() const { return m_ptPopup; }
    void SetExcludeRect(const CRect& rc) { m_rcExclude = rc; }
    CRect GetExcludeRect() const { return m_rcExclude; }
    void SetPopupFlags(int nFlags) { m_nPopupFlags = nFlags; }
    int GetPopupFlags() const { return m_nPopupFlags; }
    // The exclude rectangle and flags from the parent control and its bar; nothing without one.
    virtual void UpdateExcludeRect();
    // The rectangle a parent control's popup leaves uncovered (the control's own adjustment).
    virtual void AdjustExcludeRect(CRect& rc, BOOL bVertical);
    // Places a popup of a size: the window rectangle, choosing scroll mode or re-laying out.
    virtual CRect CalcPopupRect(CSize sz);
    // Places and moves the window top-most without activating it; shows it when bShow is set.
    void MoveToPoint(CSize sz, BOOL bShow = TRUE);
    // Places again for a new size; shows the window only when it was visible.
    void RepositionPopup(int cx, int cy);
    // The work area and monitor rectangle the popup is placed in, for the monitor of a rectangle
    // (screen coordinates). Tests replace it.
    virtual void GetMonitorAreas(const CRect& rcAnchor, CRect& rcWork, CRect& rcMonitor) const;

    // ---- Layout ----
    // The popup's controls laid out at their natural size (one column, columns where controls
    // break), the expand button last when rarely used controls hide; the size with borders.
    virtual CSize CalcPopupLayout(int nMaxHeight = 0);
    // The popup's border widths: left 2, top 4, right 2, bottom 4.
    CRect GetBorders() override;
    static const CRect& GetPopupBorders();
    void OnRecalcLayout() override;
    void OnControlsChanged() override;
    // Scrolled popups scroll a control into view.
    void EnsureVisible(CQorControl* pControl) override;
    // Popups that do not fit are laid out in columns rather than scrolled.
    void DisableScroll(BOOL bDisable = TRUE) { m_bScrollDisabled = bDisable; }
    BOOL IsScrollDisabled() const { return m_bScrollDisabled; }

    // ---- Scrolling (PopupBarScroll.cpp) ----
    BOOL IsScrollMode() const { return m_bScrollMode; }
    int GetFirstShown() const { return m_nFirstShown; }
    int GetLastShown() const { return m_nLastShown; }
    CRect GetScrollArrowRect(BOOL bDown) const { return bDown ? m_rcScrollDown : m_rcScrollUp; }
    // One step: the next control shows at the bottom (bDown) or the previous one at the top;
    // FALSE at the end.
    BOOL ScrollBy(BOOL bDown);

    // ---- Expansion ----
    BOOL IsExpandable() const { return m_bExpandable; }
    BOOL IsExpanded() const { return m_bExpanded; }
    // Shows the controls hidden as rarely used; later popups of the same menu open expanded,
    // and the release of the click that expanded does nothing.
    void ExpandBar();

    // ---- Options ----
    void SetResizable(int nMode) { m_nResizable = nMode; }
    int IsResizable() const override { return m_nResizable; }
    CRect GetResizeGripperRect() const { return m_rcResizeGripper; }
    BOOL m_bShowShadow; // open popups cast a drop shadow
    // The show animation this popup gets: 2, 3 (slide), 4 (fade) or 5 (none).
    int GetAnimationKind() const;

    // ---- Keys, drawing, copies ----
    int OnHookKeyDown(UINT nChar, LPARAM lParam) override;
    void DrawCommandBar(CDC* pDC, CRect rcClipBox) override;
    void Copy(const CQorCommandBar* pSource, BOOL bRecursive = FALSE) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;

protected:
    // The scrolled layout for a client height: the first shown control at the top under the up
    // arrow, as many as fit, the rest hidden (hide bit 0x08).
    void LayoutScrolled(int cy);
    // The expand button (made on first use, kept last).
    CQorControl* GetExpandButton();
    // Hides or shows the rarely used controls for the expanded state; whether any hide.
    BOOL UpdateRarelyUsed();
    // The resize gripper's drag on the capture loop.
    void TrackResize(CPoint ptStart);
    // Applies a size chosen by the resize drag.
    void ResizeTo(CSize sz);
    // Reveals the freshly shown window with its animation.
    void AnimateShow(int nKind);
    void DrawScrollArrow(CDC* pDC, const CRect& rc, BOOL bDown, BOOL bEnabled);
    // Leaving tracking: the window and the parent's state go.
    void ClosePopupWindow();
    void OnScrollTimer(BOOL bDown);

    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT nMessage);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT nMessage);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    CQorControlPopup* m_pParentControl; // not owned; only while open
    CPoint m_ptPopup;
    CRect m_rcExclude;
    int m_nPopupFlags;
    BOOL m_bScrollDisabled;
    BOOL m_bExpandable;
    BOOL m_bExpanded;
    int m_nResizable;
    CRect m_rcResizeGripper;
    BOOL m_bScrollMode;
    int m_nFirstShown;
    int m_nLastShown;
    CRect m_rcScrollDown, m_rcScrollUp;
    UINT_PTR m_nScrollTimer; // the scroll timer running, 0 when none
    CSize m_szLayout;        // the size the last layout gave the popup
    CSize m_szUser;          // the size the resize drag chose (0: natural)
    BOOL m_bDestroying;      // the window is going: closing must not destroy it again
};
