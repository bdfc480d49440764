// The customize drag: a control is moved or copied between bars with the mouse. The drag runs
// its own capture loop, asks the bar under the pointer whether it takes the control, shows the
// matching cursor and reports how it ended as a drop effect: 0 dropped on no bar, 1 copied,
// 2 moved, 5 cancelled (or never started).
#pragma once

#include <windows.h>
#include <ole2.h>

#include "platform/framework/Collections.h"
#include "platform/framework/Geometry.h"
#include "toolkit/commandbars/CommandBar.h"

class CQorCommandBars;
class CQorControl;

class CQorCustomizeDropSource
{
public:
    enum : DROPEFFECT { kDropCancelled = 5 };

    explicit CQorCustomizeDropSource(CQorCommandBars* pCommandBars);
    virtual ~CQorCustomizeDropSource();
    CQorCustomizeDropSource(const CQorCustomizeDropSource&) = delete;
    CQorCustomizeDropSource& operator=(const CQorCustomizeDropSource&) = delete;

    // Drags the control until the left button is released (or the drag is cancelled). The mouse
    // is captured to the capture window set here, else to the control's bar; without either
    // the drag does not start and is reported cancelled, so that the caller keeps the control.
    DROPEFFECT DoDragDrop(CQorControl* pControl, BOOL bCopyOnly = FALSE);

    // Bars that accept drops register here (once) and leave when they go.
    void AddTarget(CQorCommandBar* pBar);
    void RemoveTarget(CQorCommandBar* pBar);
    BOOL IsTarget(const CQorCommandBar* pBar) const;

    void SetCaptureWindow(CWnd* pWnd) { m_pWndCapture = pWnd; }
    // A drag is running (DoDragDrop has not returned).
    BOOL IsDragging() const { return m_pControl != nullptr; }

private:
    // The registered bar the user sees at the point: the one the window under the point is,
    // or lies inside.
    CQorCommandBar* FindTargetAt(CPoint ptScreen) const;
    // Moves the current target to the bar under the point and shows the cursor for it.
    void UpdateTarget(CPoint ptScreen);
    void UpdateCursor();
    DROPEFFECT GetDropEffect() const;
    CPoint ToClient(CQorCommandBar* pBar, CPoint ptScreen) const;

    HWND m_hWndCapture;
    CQorControl* m_pControl;
    BOOL m_bMove;
    BOOL m_bCopyOnly;
    CQorCommandBar* m_pTarget;
    CWnd* m_pWndCapture;
    CPoint m_ptStart;
    CArray<CQorCommandBar*, CQorCommandBar*> m_arrTargets;
    HCURSOR m_hcurDelete;
    HCURSOR m_hcurMove;
    HCURSOR m_hcurCopy;
    CQorCommandBars* m_pCommandBars;
};
