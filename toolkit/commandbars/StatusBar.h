// The toolkit's status bar: a control bar over the common-controls status window whose parts
// are described by panes and, by default, drawn entirely through the paint manager. A pane can
// host a child window (a pane window such as the icon pane); the id-0 pane is the free text
// pane that the frame's prompts land in (the bar's window text).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "platform/framework/CmdTarget.h"
#include "platform/framework/ControlBar.h"
#include "platform/framework/Gdi.h"
#include "platform/framework/Geometry.h"
#include "platform/framework/Strings.h"
#include "platform/framework/Wnd.h"

class CQorStatusBar;
class CQorPaintManager;
class CQorImageManagerIcon;
class CQorToolTipContext;

// Pane style bits beyond the status window's own drawing bits (low word).
#define SBPS_STRETCH 0x08000000L
#define SBPS_NOBORDERS 0x00000100L
// SBPS_DISABLED and SBPS_POPOUT: platform/framework/ControlBar.h

class CQorStatusBarPane : public CCmdTarget
{
public:
    CQorStatusBarPane();
    ~CQorStatusBarPane() override;

    // The pane's own font, else the bar's status font.
    virtual CFont* GetFont();
    // The icon of the icon id from the image manager (none for -1).
    virtual CQorImageManagerIcon* GetIcon();
    // Through the paint manager's DrawStatusBarPane.
    virtual void Draw(CDC* pDC, CRect rc);
    // Tracks a press like a push button; an inside release sends WM_COMMAND(id) to the frame.
    virtual void OnClick(CPoint point);

    BOOL IsVisible() const { return m_bVisible; }
    BOOL IsDisabled() const { return (m_nStyle & SBPS_DISABLED) != 0; }
    CRect GetRect() const;

    int m_nID;
    int m_nWidth;
    UINT m_nStyle;
    UINT m_nUpdateFlags; // bit 0: the text must be sent to the window again
    CString m_strText;
    BOOL m_bVisible;
    int m_clrText;       // -1: the paint manager's status text colour
    int m_clrBackground; // -1: none
    CString m_strToolTip;
    HWND m_hWndChild;
    BOOL m_bOwnsChild;
    CQorStatusBar* m_pBar;
    int m_nIndex;
    int m_nPart;
    CFont m_font;
    int m_nIconId;
    CRect m_rcMargins;
    BOOL m_bButton;
    BOOL m_bPressed;
};

enum { QOR_STATUS_RESEND = 1 };

class CQorStatusBar : public CControlBar, public CStatusPaneTarget
{
    DECLARE_DYNAMIC(CQorStatusBar)
public:
    CQorStatusBar();
    ~CQorStatusBar() override;

    // The bar along the bottom of pParent, with a size grip when the parent can be resized.
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                        UINT nID = AFX_IDW_STATUS_BAR);
    // Free text, CAP, NUM and SCRL; FALSE when a pane's string is missing.
    BOOL SetIndicators();
    // Null when the id exists or the index lies above the count; a negative index or one equal
    // to the count appends.
    CQorStatusBarPane* AddPane(int nID, int nIndex = -1);
    BOOL RemovePane(int nID);
    void RemoveAll();

    int GetPaneCount() const { return static_cast<int>(m_arrPanes.size()); }
    CQorStatusBarPane* GetPane(int nIndex) const;
    int FindPaneIndex(int nID) const;
    CQorStatusBarPane* FindPane(int nID) const;
    BOOL SetPaneWindow(CWnd* pWnd, int nID);
    BOOL SetPaneWidth(int nIndex, int nWidth);
    void SetPaneVisible(int nIndex, BOOL bVisible);
    void FitWidthToText(CQorStatusBarPane* pPane);
    CRect GetPaneRect(int nIndex) const;

    // CStatusPaneTarget
    UINT GetPaneStyle(int nIndex) const override;
    void SetPaneStyle(int nIndex, UINT nStyle) override;
    BOOL SetPaneText(int nIndex, LPCTSTR lpszText) override;

    void RecalcPanes(BOOL bLayout, BOOL bResend);
    void PositionChildren();

    virtual void DrawPane(CDC* pDC, int nIndex, CRect rc);
    virtual void DrawSizeGripper(CDC* pDC, CRect rc);

    // The bar's own paint manager when set, else the global one.
    CQorPaintManager* GetPaintManager() const;
    CFont* GetStatusFont() { return &m_fontStatus; }
    CQorStatusBarPane* GetHotPane() const { return m_pHotPane; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void CalcInsideRect(CRect& rect, BOOL bHorz) const override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    BOOL m_bDrawWithPaintManager;
    int m_nMinHeight;
    CQorPaintManager* m_pPaintManager; // own, reference held; null: the global one

protected:
    BOOL HasSizeGripper() const;
    void PaintBar(CDC* pDC);
    void SendPaneText(CQorStatusBarPane* pPane);
    void SetHotPane(CQorStatusBarPane* pPane);
    CQorStatusBarPane* HitTestButtonPane(CPoint point) const;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcHitTest(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetMinHeight(WPARAM wParam, LPARAM lParam);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);

    std::vector<CQorStatusBarPane*> m_arrPanes;
    CFont m_fontStatus;
    CQorStatusBarPane* m_pHotPane;
    CQorToolTipContext* m_pToolTipContext;

    DECLARE_MESSAGE_MAP()
};

// A child window shown in a pane. Paints the bar's background into a buffer, then its content.
class CQorStatusBarPaneWnd : public CWnd
{
    DECLARE_DYNAMIC(CQorStatusBarPaneWnd)
public:
    virtual BOOL Create(LPCTSTR lpszText, CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE, UINT nID = 0xFFFF);

    const CString& GetText() const { return m_strText; }

protected:
    virtual void DrawContent(CDC* pDC, CRect rc);
    // The bar's background as it lies behind this window.
    void FillBarBackground(CDC* pDC, const CRect& rc);
    void PaintInto(CDC* pDC);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);

    CString m_strText;

    DECLARE_MESSAGE_MAP()
};

// A pane window showing a small icon, centred; monochrome while the window is disabled.
class CQorStatusBarIconPane : public CQorStatusBarPaneWnd
{
    DECLARE_DYNAMIC(CQorStatusBarIconPane)
public:
    CQorStatusBarIconPane();
    ~CQorStatusBarIconPane() override;

    // Loads the small icon from the resource module; FALSE when it is missing.
    BOOL SetIcon(UINT nIDResource);
    HICON GetIcon() const { return m_hIcon; }

protected:
    void DrawContent(CDC* pDC, CRect rc) override;
    void DrawIcon(CDC* pDC, int x, int y);

    afx_msg void OnEnable(BOOL bEnable);

    HICON m_hIcon;
    CSize m_szIcon;

    DECLARE_MESSAGE_MAP()
};
