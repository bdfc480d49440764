#include "toolkit/commandbars/ReBarBands.h"

#include <commctrl.h>

#include "platform/framework/ControlBar.h"

#include "toolkit/commandbars/ToolBar.h"

namespace {

// The oldest band record every rebar understands: the fields used here are all in it.
const UINT kBandInfoSize = REBARBANDINFOW_V3_SIZE;

} // namespace

BOOL QorInsertToolBarBand(HWND hWndReBar, CQorToolBar* pToolBar)
{
    if (!hWndReBar || !::IsWindow(hWndReBar) || !pToolBar || !pToolBar->GetSafeHwnd())
        return FALSE;
    const CSize sz = pToolBar->CalcDockingLayout(32000, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
    REBARBANDINFOW band = {};
    band.cbSize = kBandInfoSize;
    band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE;
    band.fStyle = RBBS_BREAK | RBBS_GRIPPERALWAYS;
    band.hwndChild = pToolBar->GetSafeHwnd();
    band.cxMinChild = sz.cx;
    band.cyMinChild = sz.cy;
    band.cx = sz.cx;
    if (!::SendMessageW(hWndReBar, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band)))
        return FALSE;
    const int nBands = static_cast<int>(::SendMessageW(hWndReBar, RB_GETBANDCOUNT, 0, 0));
    REBARBANDINFOW id = {};
    id.cbSize = kBandInfoSize;
    id.fMask = RBBIM_ID;
    id.wID = pToolBar->GetBarID();
    ::SendMessageW(hWndReBar, RB_SETBANDINFOW, static_cast<WPARAM>(nBands - 1), reinterpret_cast<LPARAM>(&id));
    return TRUE;
}

int QorFindReBarBand(HWND hWndReBar, HWND hWndChild)
{
    if (!hWndReBar || !::IsWindow(hWndReBar) || !hWndChild)
        return -1;
    const int nBands = static_cast<int>(::SendMessageW(hWndReBar, RB_GETBANDCOUNT, 0, 0));
    for (int i = nBands - 1; i >= 0; i--) {
        REBARBANDINFOW band = {};
        band.cbSize = kBandInfoSize;
        band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_SIZE;
        if (::SendMessageW(hWndReBar, RB_GETBANDINFOW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&band)) &&
            band.hwndChild == hWndChild)
            return i;
    }
    return -1;
}
