// The control model every bar control derives from. What is declared so far is what the
// command bar's services reach: the bar a control sits on and the customize drag's hover slot.
#pragma once

#include <windows.h>

#include "platform/framework/CmdTarget.h"
#include "platform/framework/Geometry.h"

class CQorCommandBar;

class CQorControl : public CCmdTarget
{
    DECLARE_DYNCREATE(CQorControl)
public:
    CQorControl();
    ~CQorControl() override;

    // The bar the control sits on; null while it sits on none. Not owned.
    CQorCommandBar* GetParent() const { return m_pParent; }
    void SetParent(CQorCommandBar* pParent) { m_pParent = pParent; }

    // A customize drag of this control has begun to move (the drag passes the control itself).
    virtual void OnCustomizeDragOver(CQorControl* pDataObject, CPoint point);

protected:
    CQorCommandBar* m_pParent;
};
