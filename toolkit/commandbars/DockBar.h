// CQorDockBar: the strip along one edge of a frame that holds docked bars in rows. It takes its
// part of the frame in the frame's layout pass (WM_SIZEPARENT), lays out its rows (wrapping what
// does not fit) and moves the bars in one deferred batch, and keeps the rows as the bars are
// docked, moved and removed.
#pragma once

#include <windows.h>

#include <map>
#include <vector>

#include "platform/framework/Geometry.h"
#include "platform/framework/Wnd.h"

class CQorCommandBar;
class CQorCommandBars;
class CQorDockRowBar;

class CQorDockBar : public CWnd
{
    DECLARE_DYNCREATE(CQorDockBar)
public:
    CQorDockBar();
    ~CQorDockBar() override;

    // The side a dock style stands for.
    enum DockStyle : DWORD {
        kStyleTop = 0x2800,    // CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM
        kStyleBottom = 0x8200, // CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP
        kStyleLeft = 0x1400,   // CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT
        kStyleRight = 0x4100,  // CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT
    };
    // The window ids the frame's layout finds the dock bars by.
    enum DockBarId : UINT { kIdTop = 59419, kIdLeft = 59420, kIdRight = 59421, kIdBottom = 59422 };

    // A child of the frame on the side dwStyle names (a kStyle value, or'ed with window styles).
    BOOL Create(DWORD dwStyle, CQorCommandBars* pCommandBars, CWnd* pParentWnd, UINT nID);

    DWORD GetDockStyle() const { return m_dwDockStyle; }
    // The side as a bar position: 0 top, 1 bottom, 2 left, 3 right.
    int GetSide() const;
    BOOL IsHorizontal() const { return (m_dwDockStyle & 0xA000) != 0; }
    CQorCommandBars* GetCommandBars() const { return m_pCommandBars; }

    // ---- The rows ----------------------------------------------------------------------------
    // Rows are runs of bars, each closed by a null entry; entry 0 is always null, so a bar's
    // index is at least 1.
    const std::vector<CQorCommandBar*>& GetEntries() const { return m_arrBars; }
    // The index of the bar, skipping the entry at nSkip; -1 when it is not here.
    int FindBar(const CQorCommandBar* pBar, int nSkip = -1) const;
    // Docks a bar: with a screen rectangle, into the row under the rectangle's centre (a centre
    // on the edge between two rows opens a new row there) at that place; without, in a new last
    // row at the row's start. A bar already here at that rectangle stays as it is. The bar leaves
    // any other dock bar of the frame; its window becomes a child of this one.
    void DockCommandBar(CQorCommandBar* pBar, LPCRECT lpRectScreen = nullptr);
    // Takes a bar out, skipping the entry at nSkip; a row left empty goes. FALSE when the bar
    // was not here.
    BOOL RemoveCommandBar(CQorCommandBar* pBar, int nSkip = -1);
    // Appends the visible bars of the row that holds nStart, in the order they stand (left to
    // right, or top to bottom on a left or right dock bar).
    void GetRowBarsByPosition(int nStart, std::vector<CQorCommandBar*>& result) const;
    // Where a bar was last put, in client coordinates (empty when docked without a place).
    CRect GetDockedRect(const CQorCommandBar* pBar) const;

    // ---- Layout ------------------------------------------------------------------------------
    // Lays out every row for a length along the side; with pLayout's deferred-position handle the
    // bars are moved. Answers the size the rows take (the full length when stretched).
    CSize CalcDockBarSize(int nLength, DWORD dwMode, AFX_SIZEPARENTPARAMS* pLayout);

    // The size of a docked bar for a length along the row, as the bar lays itself out.
    virtual CSize CalcBarDockingLayout(CQorCommandBar* pBar, int nLength, DWORD dwMode, int nThickness);
    // Whether a bar takes room in its row: a visible window.
    virtual BOOL IsBarVisible(const CQorCommandBar* pBar) const;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    // The tool-bars context menu opens where the user clicked.
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    // The index a bar dropped with its centre at ptClient goes to; opens a row when needed.
    int InsertAtRowOf(CQorCommandBar* pBar, CPoint ptClient);
    // Takes the entry out; a row left empty goes with it.
    void RemoveEntry(int nIndex);
    // Gives every stretched bar a row of its own.
    void IsolateStretchedBars();
    // The dock bar of the same frame that holds the bar, other than this one.
    CQorDockBar* FindOtherDockBar(const CQorCommandBar* pBar) const;
    // The frame lays out again at idle time.
    void DelayRecalcFrameLayout();

    DWORD m_dwDockStyle;
    CQorCommandBars* m_pCommandBars;
    std::vector<CQorCommandBar*> m_arrBars;
    std::map<const CQorCommandBar*, CRect> m_mapDockedRects;
};
