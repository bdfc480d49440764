// The control that owns a bar it opens: sub-menus, drop-down buttons and split buttons. Declared
// so far: the bar it owns (one reference, released with the control) and its copy.
#pragma once

#include "toolkit/commandbars/Control.h"

class CQorControlPopup : public CQorControlButton
{
    DECLARE_DYNCREATE(CQorControlPopup)
public:
    CQorControlPopup();
    ~CQorControlPopup() override;

    CQorCommandBar* GetCommandBar() const override { return m_pCommandBar; }
    // Takes over the caller's reference; the previous bar is released.
    void SetCommandBar(CQorCommandBar* pBar);

    void Copy(const CQorControl* pSource, BOOL bRecursive = FALSE) override;

    // An empty bar for a popup, bound to the command bars (one reference for the caller).
    static CQorCommandBar* CreatePopupBar(CQorCommandBars* pCommandBars);

protected:
    CQorCommandBar* m_pCommandBar;
};
