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
// Behaviour bits of the same word.
#define CBRS_FLOATING 0x0001L      // the bar floats in its own window
#define CBRS_SIZE_FIXED 0x0002L    // its size does not follow the length it is given
#define CBRS_SIZE_DYNAMIC 0x0004L  // its size follows the length it is given
#define CBRS_HIDE_INPLACE 0x0008L  // hidden while a server edits in place
#define CBRS_TOOLTIPS 0x0010L      // tool tips over its items
#define CBRS_FLYBY 0x0020L         // status-line prompts while the pointer moves over it
#define CBRS_FLOAT_MULTI 0x0040L   // floats together with other bars
#define CBRS_BORDER_3D 0x0080L     // the border lines drawn raised
#define CBRS_GRIPPER 0x00400000L   // a gripper at the bar's leading edge
#define CBRS_ALL 0x0040FFFFL       // every bit above
// The usual combinations: the side and the border line that faces the frame's client area.
#define CBRS_NOALIGN 0x00000000L
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)

// Mode bits of a bar's size query for a given length (dynamic layout).
#define LM_STRETCH 0x01   // the bar fills the length (else its natural size)
#define LM_HORZ 0x02      // the length is a width (else a height)
#define LM_MRUWIDTH 0x04  // the most recently used floating width
#define LM_HORZDOCK 0x08  // docked along a top or bottom edge
#define LM_VERTDOCK 0x10  // docked along a left or right edge
#define LM_LENGTHY 0x20   // the length is the height (for a floating bar sized by its height)
#define LM_COMMIT 0x40    // the size is applied, not only measured

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
