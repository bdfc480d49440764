// The bar between two docked nodes, and the margin strips of a layout. Dragging it moves space
// from one node to the other: by default as an inverted outline applied at release, or live.
#pragma once

#include <windows.h>

#include "platform/framework/Wnd.h"

class CQorDockingPaneBase;
class CQorDockingPaneManager;
class CQorDockingPaneSplitterContainer;

class CQorDockingPaneSplitterWnd : public CWnd
{
public:
    CQorDockingPaneSplitterWnd();
    ~CQorDockingPaneSplitterWnd() override;

    // A bar between two children of a container, or (no container) a margin strip.
    BOOL Create(CQorDockingPaneManager* pManager, CQorDockingPaneSplitterContainer* pContainer,
                CQorDockingPaneBase* pPrev, CQorDockingPaneBase* pNext, BOOL bHorizBar, CWnd* pParent);

    // The range the bar's leading edge may move in, in screen coordinates; FALSE when empty.
    BOOL GetDragRange(int& nLow, int& nHigh) const;
    // Sets the two nodes' docking sizes for the bar's leading edge at nPos (screen).
    void ApplyPosition(int nPos);
    BOOL IsHorizBar() const { return m_bHorizBar; }
    CQorDockingPaneBase* GetPrev() const { return m_pPrev; }
    CQorDockingPaneBase* GetNext() const { return m_pNext; }
    CQorDockingPaneSplitterContainer* GetContainer() const { return m_pContainer; }
    HCURSOR GetCursor() const { return m_hCursor; }

protected:
    void StoreActualLengths();
    BOOL TrackOutline(CPoint ptScreen);
    void TrackLive(CPoint ptScreen);
    CRect GetUnionRect() const;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    CQorDockingPaneSplitterContainer* m_pContainer = nullptr;
    CQorDockingPaneBase* m_pPrev = nullptr;
    CQorDockingPaneBase* m_pNext = nullptr;
    CQorDockingPaneManager* m_pManager = nullptr;
    HCURSOR m_hCursor = nullptr;
    BOOL m_bHorizBar = FALSE;
};
