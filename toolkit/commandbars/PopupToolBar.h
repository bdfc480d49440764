// The popup tool bar: a popup whose controls stand in tool-bar rows (a palette of buttons under
// a split button) instead of a menu column; placement, tracking and shadows are the popup's.
#pragma once

#include "toolkit/commandbars/PopupBar.h"

// A popup whose controls stand in tool-bar rows (a palette of buttons): rows as wide as its
// remembered width, breaks where controls ask for them.
class CQorPopupToolBar : public CQorPopupBar
{
    DECLARE_DYNCREATE(CQorPopupToolBar)
public:
    CQorPopupToolBar();
    CSize CalcPopupLayout(int nMaxHeight = 0) override;
    CQorCommandBar* Clone(BOOL bRecursive = FALSE) const override;
};
