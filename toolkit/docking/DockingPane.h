// One tool window of the docking tree: its id, title and tab caption, icon, options, enabled
// flags, track sizes and the attached child window. A closed pane keeps its object, its record
// and its window; the window hides under the manager's own window until it is shown again.
#pragma once

#include <windows.h>

#include "platform/framework/Strings.h"
#include "toolkit/docking/DockingPaneBase.h"
#include "toolkit/foundation/Accessible.h"

class CQorDockingPaneTabbedContainer;

class CQorImageManagerIcon;

class CQorDockingPane : public CCmdTarget, public CQorDockingPaneBase, public CQorAccessible
{
public:
    explicit CQorDockingPane(CQorDockingPaneLayout* pLayout);
    ~CQorDockingPane() override;

    // Node operations.
    void GetMinMaxInfo(MINMAXINFO* pMinMaxInfo) const override;
    CWnd* GetDockingSite() const override;
    BOOL IsInAutoHidePanel() const override;
    void OnSizeParent(CWnd* pSite, CRect rect, AFX_SIZEPARENTPARAMS* lpLayout) override;
    // Puts the child window in the rectangle (site coordinates) among its group's moves of a
    // pass, unless it stands there, and enables it by the client bit unless it already is.
    void PlaceChild(const CRect& rect, CQorDeferredMoves& moves);
    void SetParentContainer(CQorDockingPaneBase* pContainer) override;
    CQorDockingPaneBase* Clone(CQorDockingPaneLayout* pLayout, CQorDockingPaneCloneMap* pMap) override;
    void DeletePane() override { InternalRelease(); }

    // Pane operations.
    virtual void SetFocus();
    virtual CString GetTitle() const;
    virtual CString GetTabCaption() const;
    virtual HICON GetIcon(int nWidth = 16) const;
    // The image manager's icon of the pane (its icon id, else its id) at the width, null when none.
    CQorImageManagerIcon* GetImageIcon(int nWidth = 16) const;
    virtual COLORREF GetTabColor() const;
    virtual void Copy(const CQorDockingPane* pPane);

    // The id is also the id of the caption string, when that string exists.
    void SetId(int nID);
    int GetId() const { return m_nID; }
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    CString GetFullTitle() const { return m_strTitle; }
    void Attach(CWnd* pWnd);
    void Attach(HWND hWnd);
    HWND GetChild() const { return m_hwndChild; }
    // Asks the owner (code 3) and, unless it answers -1, takes the pane out of its group.
    void Close();
    BOOL IsClosed() const { return m_pParentContainer == nullptr; }
    BOOL IsSelected() const;
    CQorDockingPaneTabbedContainer* GetTabbedContainer() const;

    // Options as tested: the pane's own with the manager's defaults.
    DWORD GetOptions() const;
    void SetOptions(DWORD dwOptions) { m_dwOptions = dwOptions; }
    DWORD GetEnabled() const { return m_dwEnabled; }
    void SetEnabled(DWORD dwEnabled) { m_dwEnabled = dwEnabled; }
    void SetMinTrackSize(CSize sz) { m_ptMinTrackSize = CPoint(sz.cx, sz.cy); }
    void SetMaxTrackSize(CSize sz) { m_ptMaxTrackSize = CPoint(sz.cx, sz.cy); }

    // Accessibility.
    HRESULT GetAccessibleParent(IDispatch** ppdispParent) override;
    HRESULT GetAccessibleChildCount(long* pcountChildren) override;
    HRESULT GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild) override;
    HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName) override;
    HRESULT GetAccessibleDescription(VARIANT varChild, BSTR* pszDescription) override;
    HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
    HRESULT AccessibleSelect(long flagsSelect, VARIANT varChild) override;
    HRESULT AccessibleDoDefaultAction(VARIANT varChild) override;
    HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;
    CCmdTarget* GetAccessibleOuterObject() override { return this; }

    HWND m_hwndChild = nullptr;
    int m_nID = 0;
    int m_nIconID = -1;
    CString m_strTitle;
    DWORD m_dwOptions = 0;
    int m_nTag = 0;
    CPoint m_ptMinTrackSize = CPoint(0, 0);
    CPoint m_ptMaxTrackSize = CPoint(32000, 32000);
    COLORREF m_clrItemTab = static_cast<COLORREF>(-1);
    int m_nHelpId = 0;
    DWORD m_dwEnabled = qorPaneEnableClient | qorPaneEnableActions;

protected:
    DECLARE_INTERFACE_MAP()
};
