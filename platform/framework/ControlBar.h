// CControlBar: a child window of a frame that takes a strip along one of the frame's edges in
// the frame's layout pass (WM_SIZEPARENT) and brings its items up to date at idle time through
// the commands' update handlers, routed through its owner. CStatusCmdUI is the update state of
// one status-bar pane.
#pragma once

#include <windows.h>
#include "platform/framework/CmdTarget.h"
#include "platform/framework/Geometry.h"
#include "platform/framework/Wnd.h"

class CFrameWnd;

// Bar style word: where the bar sits and which edges carry a border line.
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// Status-pane style bits that update handlers change.
#define SBPS_POPOUT 0x00000200L   // pushed-in look (SetCheck)
#define SBPS_DISABLED 0x04000000L // no text, no clicks (Enable(FALSE))

class CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar();

    DWORD GetBarStyle() const { return m_dwStyle; }
    virtual void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }

    // The bar's size in the layout: across the frame's full width (or height), as deep as the
    // bar needs. The base answers its current window size.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // Removes the border lines of the style and the border words from a rectangle of the bar.
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;
    // Brings the bar's items up to date; pTarget routes the update handlers.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;

    // Inner space kept inside the border lines.
    int m_cxLeftBorder;
    int m_cxRightBorder;
    int m_cyTopBorder;
    int m_cyBottomBorder;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

    DWORD m_dwStyle;

    DECLARE_MESSAGE_MAP()
};

// The panes a CStatusCmdUI updates.
class CStatusPaneTarget
{
public:
    virtual ~CStatusPaneTarget() = default;
    virtual UINT GetPaneStyle(int nIndex) const = 0;
    virtual void SetPaneStyle(int nIndex, UINT nStyle) = 0;
    virtual BOOL SetPaneText(int nIndex, LPCTSTR lpszText) = 0;
};

// Update state of one status pane: Enable clears or sets SBPS_DISABLED, SetCheck sets or
// clears SBPS_POPOUT, SetText sets the pane's text (m_nIndex is the pane).
class CStatusCmdUI : public CCmdUI
{
public:
    explicit CStatusCmdUI(CStatusPaneTarget* pPanes) : m_pPanes(pPanes) {}

    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetText(LPCTSTR lpszText) override;

private:
    void ChangeStyle(UINT nBit, BOOL bSet);

    CStatusPaneTarget* m_pPanes;
};
