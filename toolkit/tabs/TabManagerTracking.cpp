// The row's mouse tracking: clicks, drag-reorder and hot tracking. The loops run on the
// foundation's capture loop, so WM_QUIT, a lost capture or a destroyed window end them cleanly.
// Messages dispatched inside a loop may delete tabs: the loops hold references to the tabs they
// remember and check that a tab is still in the row before they select or click it.
#include <vector>

#include "toolkit/foundation/CaptureLoop.h"
#include "toolkit/foundation/SystemInfo.h"
#include "toolkit/tabs/TabAppearanceSet.h"
#include "toolkit/tabs/TabManager.h"
#include "toolkit/tabs/TabManagerInternal.h"
#include "toolkit/tabs/TabManagerNavigateButton.h"

using qortabs::CItemReference;
using qortabs::HandleTrackingEnd;
using qortabs::MessagePoint;

void CQorTabManager::RedrawItem(CQorTabManagerItem* pItem, BOOL bAnimate)
{
    if (!pItem)
        return;
    CRect rc = GetPaintManager()->GetAppearanceSet()->GetTabInvalidateRect(pItem);
    RedrawControl(&rc, bAnimate);
}

BOOL CQorTabManager::PerformClick(HWND hWnd, CPoint pt, BOOL bButtonsOnly)
{
    if (CQorTabManagerNavigateButton* pButton = HitTestNavigateButton(pt)) {
        pButton->Press(hWnd, pt);
        return TRUE;
    }
    if (bButtonsOnly)
        return FALSE;
    CQorTabManagerItem* pItem = HitTest(pt);
    if (!pItem || !OnBeforeItemClick(pItem))
        return FALSE;
    if (IsAllowReorder())
        TrackItemDrag(hWnd, pt, pItem);
    else if (GetPaintManager()->m_bSelectOnPress)
        OnItemClick(pItem);
    else
        TrackClick(hWnd, pt, pItem);
    return TRUE;
}

void CQorTabManager::TrackClick(HWND hWnd, CPoint pt, CQorTabManagerItem* pItem)
{
    CItemReference hold(pItem);
    const BOOL bHotTracking = GetPaintManager()->m_bHotTracking;
    m_pPressed = pItem;
    if (bHotTracking)
        m_pHighlighted = pItem;
    Reposition();

    CPoint ptLast = pt;
    CQorCaptureLoop loop(hWnd);
    loop.m_onMessage = [&](MSG& msg) {
        CQorCaptureLoop::Action action;
        if (HandleTrackingEnd(msg, ptLast, action))
            return action;
        switch (msg.message) {
        case WM_MOUSEMOVE: {
            ptLast = MessagePoint(msg);
            const BOOL bInside = FindIndex(pItem) >= 0 && pItem->m_rcItem.PtInRect(ptLast);
            if (bHotTracking && (m_pHighlighted == pItem) != (bInside != FALSE)) {
                m_pHighlighted = bInside ? pItem : nullptr;
                RedrawItem(pItem, FALSE);
            }
            return CQorCaptureLoop::actionHandled;
        }
        default:
            return CQorCaptureLoop::actionDispatch;
        }
    };
    const CQorCaptureLoop::Result result = loop.Run();

    if (m_pPressed == pItem)
        m_pPressed = nullptr;
    PerformMouseMove(hWnd, ptLast);
    RedrawControl(nullptr, FALSE);
    if (result == CQorCaptureLoop::resultDone && FindIndex(pItem) >= 0 && pItem->m_rcItem.PtInRect(ptLast))
        OnItemClick(pItem);
}

void CQorTabManager::TrackItemDrag(HWND hWnd, CPoint pt, CQorTabManagerItem* pItem)
{
    CQorTabManagerItem* pRemembered = m_pSelected;
    CItemReference holdRemembered(pRemembered);
    CItemReference holdDragged(pItem);
    m_pSelected = pItem;
    if (GetPaintManager()->m_bHotTracking)
        m_pHighlighted = pItem;
    Reposition();

    // The rectangles as the drag began: passing a tab trades places with it once.
    std::vector<CRect> snapshot;
    for (int i = 0; i < GetItemCount(); ++i)
        snapshot.push_back(GetItem(i)->m_rcItem);

    CPoint ptLast = pt;
    CQorCaptureLoop loop(hWnd);
    loop.m_onMessage = [&](MSG& msg) {
        CQorCaptureLoop::Action action;
        if (HandleTrackingEnd(msg, ptLast, action))
            return action;
        switch (msg.message) {
        case WM_MOUSEMOVE: {
            ptLast = MessagePoint(msg);
            const int nCurrent = FindIndex(pItem);
            if (nCurrent < 0)
                return CQorCaptureLoop::actionCancel; // the dragged tab left the row
            for (int i = 0; i < static_cast<int>(snapshot.size()) && i < GetItemCount(); ++i) {
                if (i != nCurrent && snapshot[i].PtInRect(ptLast)) {
                    m_arrItems[nCurrent] = m_arrItems[i];
                    m_arrItems[i] = pItem;
                    RefreshIndexes();
                    break;
                }
            }
            return CQorCaptureLoop::actionHandled;
        }
        default:
            return CQorCaptureLoop::actionDispatch;
        }
    };
    loop.Run();

    PerformMouseMove(hWnd, ptLast);
    // The remembered selection comes back only when that tab is still in the row, so that the
    // click below reports a real change.
    m_pSelected = pRemembered && FindIndex(pRemembered) >= 0 ? pRemembered : nullptr;
    if (FindIndex(pItem) >= 0)
        OnItemClick(pItem);
    else
        Reposition();
}

void CQorTabManager::PerformMouseMove(HWND hWnd, CPoint pt)
{
    if (!hWnd || !IsOwnerChainActive(hWnd) || IsMouseLocked()) {
        if (m_pHighlighted) {
            CQorTabManagerItem* pOld = m_pHighlighted;
            m_pHighlighted = nullptr;
            RedrawItem(pOld, TRUE);
        }
        return;
    }
    BOOL bTrackLeave = FALSE;
    if (GetPaintManager()->m_bHotTracking) {
        CQorTabManagerItem* pHot = HitTest(pt);
        if (pHot != m_pHighlighted) {
            CQorTabManagerItem* pOld = m_pHighlighted;
            m_pHighlighted = pHot;
            RedrawItem(pOld, TRUE);
            RedrawItem(pHot, FALSE);
            bTrackLeave = TRUE;
        }
    }
    CQorTabManagerNavigateButton* pHotButton = HitTestNavigateButton(pt);
    if (pHotButton != m_pHighlightedButton) {
        CQorTabManagerNavigateButton* pOld = m_pHighlightedButton;
        m_pHighlightedButton = pHotButton;
        if (pOld) {
            CRect rc = pOld->GetRect();
            RedrawControl(&rc, TRUE);
        }
        if (pHotButton) {
            CRect rc = pHotButton->GetRect();
            RedrawControl(&rc, FALSE);
        }
        bTrackLeave = TRUE;
    }
    if (bTrackLeave) {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, hWnd, 0};
        TrackMouseEvent(&tme);
    }
}
