// A tool bar shown and tracked like a popup: it keeps the tool-bar layout and docking code but
// answers for its visibility itself, and lays out only when it is shown.
#pragma once

#include "toolkit/commandbars/ToolBar.h"

class CQorFloatingPopupBar : public CQorToolBar
{
    DECLARE_DYNCREATE(CQorFloatingPopupBar)
public:
    CQorFloatingPopupBar();

    // Shown since its window last appeared, until it was hidden or destroyed.
    BOOL IsVisible() const override { return m_bVisible; }
    // The frame's layout never places it.
    void OnRecalcLayout() override {}

protected:
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpWndPos);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bVisible = FALSE;
};
