// One layout pass over docked bars. A dock bar asks each of its bars for a size several times
// in one layout (measuring the row, again after pushing and squeezing, once more to commit), and
// a tool bar probes before it lays out; within one pass each control is measured once, and the
// bars measure on one memory DC instead of fetching their window DCs. Passes nest: an inner pass
// joins the one already open on the thread.
#pragma once

#include <windows.h>

#include <unordered_map>

#include "platform/framework/Gdi.h"

class CQorControl;

class CQorBarLayoutPass
{
public:
    CQorBarLayoutPass();
    ~CQorBarLayoutPass();
    CQorBarLayoutPass(const CQorBarLayoutPass&) = delete;
    CQorBarLayoutPass& operator=(const CQorBarLayoutPass&) = delete;

    // The DC bars measure on while the pass is open, pFont in it: one memory DC for the outermost
    // pass, made on first use; the font stays in it until another is asked for. Null when it
    // cannot be made (callers then measure on the screen's DC).
    CDC* GetMeasureDC(CFont* pFont);

    // The control's size on pDC: measured the first time the open pass asks for it (again when
    // its bar has changed sides since), and every time when no pass is open. Nothing that
    // changes a control's size runs inside a pass.
    static CSize MeasureControl(CQorControl* pControl, CDC* pDC);
    // A control that dies during a pass leaves it: a control made later at the same address
    // (a list rebuilt while its bar lays out) is measured afresh.
    static void ForgetControl(const CQorControl* pControl);

private:
    struct MEASURED
    {
        int nPosition; // the bar's side when measured: a turned bar measures turned
        CSize size;
    };

    CQorBarLayoutPass* m_pOuter; // the pass this one joined; null for the outermost
    CDC m_dcMeasure;
    BOOL m_bTriedDC = FALSE;
    std::unordered_map<const CQorControl*, MEASURED> m_sizes;
};
