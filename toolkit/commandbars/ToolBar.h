// The dockable bar: its buttons come from a tool-bar resource (or a list of ids), it sizes itself
// along the edge it is docked to, shows a gripper and, when the edge is too short, hides what
// does not fit behind the expand button.
#pragma once

#include <windows.h>

#include "platform/framework/FrameworkIds.h"

#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/ControlPopup.h"

struct AFX_SIZEPARENTPARAMS;

class CQorToolBar : public CQorCommandBar
{
    DECLARE_DYNCREATE(CQorToolBar)
public:
    // Bar flags (m_dwFlags): where the bar may dock, whether it may float, whether it hides what
    // does not fit instead of wrapping, and whether it fills its row.
    enum BarFlag : DWORD {
        flagAlignTop = 0x1,
        flagAlignBottom = 0x2,
        flagAlignLeft = 0x4,
        flagAlignRight = 0x8,
        flagFloating = 0x10,
        flagHideWrap = 0x20,
        flagStretched = 0x40,
        flagAlignAny = flagAlignTop | flagAlignBottom | flagAlignLeft | flagAlignRight,
        flagDockOrFloat = flagAlignAny | flagFloating,
        flagDefault = flagDockOrFloat | flagHideWrap,
    };
    // The room along the row the expand button takes at the end of a docked bar.
    enum { kExpandButtonLength = 11 };

    // The expand ("Toolbar Options") button at the end of a docked bar. It stands outside the
    // row layout and carries the sign that controls are hidden.
    class CControlButtonExpand : public CQorControlPopup
    {
    public:
        CControlButtonExpand();
        void Draw(CDC* pDC) override;
        // Each opening fills the popup afresh (the bar's hidden controls, then "Add or Remove
        // Buttons"); the popup is made on first use, by the site when it wants (0x2861).
        BOOL SetPopuped(BOOL bPopup) override;
    };
    // One entry of the "Add or Remove Buttons" list: checked while its control shows; choosing
    // it hides or shows the control (the user's hide bit) and the menu stays open.
    class CControlButtonCustomize : public CQorControlButton
    {
    public:
        CControlButtonCustomize();
        ~CControlButtonCustomize() override;
        // Takes a reference on the control the entry stands for (null: the bar lacks it now).
        void SetTarget(CQorControl* pTarget);
        CQorControl* GetTarget() const { return m_pTarget; }
        // The control of the bar's default set the entry stands for (a reference is taken), its
        // place in that set and the bar, so that a control gone from the bar can come back.
        void SetDefault(CQorControl* pDefault, int nDefaultIndex, CQorToolBar* pToolBar);
        void OnExecute() override;

    private:
        // Puts a copy of the default control back into the bar, near its default place.
        void RestoreDefault();

        CQorControl* m_pTarget = nullptr;
        CQorControl* m_pDefault = nullptr;
        int m_nDefaultIndex = 0;
        CQorToolBar* m_pToolBar = nullptr;
    };
    // The "Reset Toolbar" entry: closes the popups, then asks and restores the default set. It
    // stands in a popup the bar (or a bar of its row) owns, so it names its bar without holding
    // it, and resets it only while the bar's manager still lists it.
    class CControlButtonReset : public CQorControlButton
    {
    public:
        CControlButtonReset();
        void SetToolBar(CQorToolBar* pToolBar) { m_pToolBar = pToolBar; }
        void OnExecute() override;

    private:
        CQorToolBar* m_pToolBar = nullptr;
    };

    CQorToolBar();
    ~CQorToolBar() override;

    // Makes the bar's window as a child of pParentWnd (a frame or a dock bar) docked at position
    // 0-3 (top, bottom, left, right). Floating bars are not made here: FALSE for any other
    // position, or when the window cannot be made.
    virtual BOOL Create(CWnd* pParentWnd, int nPosition, UINT nID = AFX_IDW_TOOLBAR);

    // Replaces the buttons by those of tool-bar resource nIDResource of the resource module,
    // with the images of the bitmap of the same id when bLoadImages is set; the bar id becomes
    // nIDResource. A resource that is missing or broken leaves the bar as it was: FALSE.
    virtual BOOL LoadToolBar(UINT nIDResource, BOOL bLoadImages = TRUE);
    // Replaces the controls by buttons for the ids (0: the next button begins a group), each
    // offered to the site first (0x285E) and announced once made (0x285F).
    BOOL SetButtons(const UINT* pIds, int nCount);

    // Own sizes; (0, 0) follows the options and the theme.
    void SetIconSize(CSize size) { m_szIcon = size; }
    void SetButtonSize(CSize size) { m_szButton = size; }
    CSize GetOwnIconSize() const override { return m_szIcon; }
    // Own icon size, else the options', else the theme's.
    virtual CSize GetIconSize() const;
    // Own button size, else the icon size and 6 pixels around it.
    virtual CSize GetButtonSize() const;

    // The docked size for a length along the edge (mode: LM_ bits; LM_COMMIT places the
    // controls). Reserves the expand button's room when it shows.
    CSize CalcDockingLayout(int nLength, DWORD dwMode, int nWidth = 0) override;
    // The expand button, made on first use.
    CQorControl* GetExpandButton();
    // Some control is hidden because the bar is too short.
    BOOL HasHiddenControls() const;
    BOOL m_bShowExpandButton = TRUE;

    // Fills the expand button's popup: the controls the bar's row hides for want of room, then
    // "Add or Remove Buttons" when the options keep the expand button or the user may customize.
    void FillExpandPopup(CQorCommandBar* pPopup);
    // Appends to a popup copies of the controls a bar hides for want of room (and for nothing
    // else), shown and without group lines.
    static void CopyHiddenControls(const CQorCommandBar* pBar, CQorCommandBar* pPopup);
    // Fills a popup with one "Add or Remove Buttons" entry per control of the bar's default set
    // (its current controls without one) that the user may hide, checked while the bar shows
    // it; then (for a listed bar with a default set that was not made floating) "Reset Toolbar".
    void FillCustomizePopup(CQorCommandBar* pPopup);

    // The two listing flags: the bar shows in the tool-bars list, and it is saved with the bars'
    // state. The list offers a bar only with both set, so a frame clears them for a bar the user
    // must not hide.
    BOOL m_bListed = TRUE;
    BOOL m_bSaved = TRUE;
    // The bar was made floating (it has no place to be reset to).
    BOOL m_bCreatedFloating = FALSE;

    // The controls differ from the default set the resource gave.
    virtual BOOL IsChanged() const;
    // Back to the default set; with bAsk the user confirms first. FALSE when cancelled or when
    // the bar has no default set.
    virtual BOOL ResetToolBar(BOOL bAsk = TRUE);
    BOOL m_bCustomizable = TRUE;

    // Print preview: entering hides a visible bar and remembers that it was visible; leaving
    // shows it again.
    void OnSetPreviewMode(BOOL bPreview);
    // The same for every tool bar of a frame, its dock bars' included.
    static void SetPreviewModeOfBars(CWnd* pFrame, BOOL bPreview);

    CRect GetBorders() override;
    void OnRecalcLayout() override;
    BOOL IsVisible() const override;
    BOOL IsDocked() const { return m_barPosition >= qorBarTop && m_barPosition <= qorBarRight; }
    BOOL IsVerticalDocked() const { return m_barPosition == qorBarLeft || m_barPosition == qorBarRight; }
    // The gripper's part of the client area (empty without one).
    CRect GetGripperRect() const;

    // The window class every tool bar is made with.
    static LPCWSTR GetWindowClass();

protected:
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnClose();
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    CSize m_szIcon = CSize(0, 0);
    CSize m_szButton = CSize(0, 0);
    BOOL m_bPreviewVisible = FALSE; // visible when preview began
    BOOL m_bInPreview = FALSE;
    BOOL m_bInRecalcLayout = FALSE;
};
