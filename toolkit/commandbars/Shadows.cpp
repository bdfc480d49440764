// The shadows manager: which strips are made for a bar or a control, where they go, how they
// join their neighbours, and their removal.
#include "toolkit/commandbars/Shadows.h"

#include <new>

#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/PaintManager.h"
#include "toolkit/foundation/ProcessSingleton.h"

namespace {

BOOL IsSystemDropShadowEnabled()
{
    BOOL bEnabled = FALSE;
    if (!::SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &bEnabled, 0))
        return FALSE;
    return bEnabled;
}

CQorProcessSingleton<CQorShadowsManager>& ShadowsManagerHolder()
{
    // Never destroyed: the exit list, which runs after static destructors, still reaches it.
    static auto* holder = new CQorProcessSingleton<CQorShadowsManager>();
    return *holder;
}

void DestroyShadowsManager()
{
    ShadowsManagerHolder().Destroy();
}

} // namespace

CQorShadowsManager* GetShadowsManager()
{
    return ShadowsManagerHolder().Get([] { return new (std::nothrow) CQorShadowsManager(); }, DestroyShadowsManager,
                                      L"CQorShadowsManager");
}

CQorShadowsManager::CQorShadowsManager()
    : m_pfnUpdateLayeredWindow(nullptr), m_bLayered(FALSE), m_pfnIsDropShadowEnabled(&IsSystemDropShadowEnabled)
{
    // The strips unhook themselves when this manager goes: the hook manager must outlive it,
    // so it is made (and enters the exit list) first.
    GetHookManager();

    if (HMODULE hUser = ::GetModuleHandleW(L"user32.dll"))
        m_pfnUpdateLayeredWindow =
            reinterpret_cast<UpdateLayeredWindowFn>(::GetProcAddress(hUser, "UpdateLayeredWindow"));
    // Per-pixel alpha needs more than a palette; a depth that cannot be read does not forbid it.
    int nBitsPerPixel = 0;
    if (HDC hDC = ::GetDC(nullptr)) {
        nBitsPerPixel = ::GetDeviceCaps(hDC, BITSPIXEL);
        ::ReleaseDC(nullptr, hDC);
    }
    m_bLayered = m_pfnUpdateLayeredWindow != nullptr && (nBitsPerPixel == 0 || nBitsPerPixel > 8);
}

CQorShadowsManager::~CQorShadowsManager()
{
    while (!m_lstShadows.IsEmpty())
        RemoveShadow(m_lstShadows.GetHead());
}

BOOL CQorShadowsManager::IsInCustomizeMode(CQorCommandBar* pBar)
{
    CQorCommandBars* pCommandBars = pBar ? pBar->GetCommandBars() : nullptr;
    return pCommandBars && pCommandBars->IsCustomizeMode();
}

void CQorShadowsManager::CreateShadow(CQorCommandBar* pBar, const CRect& rcExclude)
{
    if (!pBar || !::IsWindow(pBar->GetSafeHwnd()) || IsInCustomizeMode(pBar))
        return;
    CQorPaintManager* pPaintManager = pBar->GetPaintManager();
    const int nOptions = pPaintManager ? pPaintManager->m_nShadowOptions : 0;
    const COLORREF clrShadow = pPaintManager ? pPaintManager->m_clrShadowFactor : QOR_COLOR_UNSET;
    if (!(nOptions & qorShadowTheme) && (!m_bLayered || !m_pfnIsDropShadowEnabled || !m_pfnIsDropShadowEnabled()))
        return;
    CRect rcOwner;
    pBar->GetWindowRect(&rcOwner);
    AddStrip(pBar, rcOwner, rcExclude, TRUE, FALSE, nOptions, clrShadow);
    AddStrip(pBar, rcOwner, rcExclude, FALSE, FALSE, nOptions, clrShadow);
}

void CQorShadowsManager::SetControlShadow(CQorControl* pControl)
{
    CQorCommandBar* pParent = pControl ? pControl->GetParent() : nullptr;
    CQorCommandBar* pPopupBar = pControl ? pControl->GetCommandBar() : nullptr;
    if (!pParent || !pPopupBar || !::IsWindow(pParent->GetSafeHwnd()) || !::IsWindow(pPopupBar->GetSafeHwnd()) ||
        IsInCustomizeMode(pParent))
        return;
    CQorPaintManager* pPaintManager = pControl->GetPaintManager();
    const int nOptions = pPaintManager ? pPaintManager->m_nShadowOptions : 0;
    const int nRequired = qorShadowTheme | qorShadowCutOut;
    if ((nOptions & nRequired) != nRequired)
        return;
    CRect rcControl = pControl->GetRect();
    pParent->ClientToScreen(&rcControl);
    // The control's strips lie partly on its popup: the popup is what they leave out.
    CRect rcPopup;
    pPopupBar->GetWindowRect(&rcPopup);
    AddStrip(pPopupBar, rcControl, rcPopup, TRUE, TRUE, nOptions, pPaintManager->m_clrShadowFactor);
    AddStrip(pPopupBar, rcControl, rcPopup, FALSE, TRUE, nOptions, pPaintManager->m_clrShadowFactor);
}

void CQorShadowsManager::AddStrip(CQorCommandBar* pBar, const CRect& rcOwner, const CRect& rcExclude, BOOL bHorizontal,
                                  BOOL bControlShadow, int nOptions, COLORREF clrShadow)
{
    const int e = GetShadowSize();
    CRect rcStrip = bHorizontal ? CRect(rcOwner.left + e, rcOwner.bottom, rcOwner.right + e, rcOwner.bottom + e)
                                : CRect(rcOwner.right, rcOwner.top + e, rcOwner.right + e, rcOwner.bottom);
    if (rcStrip.IsRectEmpty())
        return;
    JoinNeighbours(rcStrip, bHorizontal);

    // A popup without a manager may be drawn over anything: keep what lies under it.
    const UINT nClassStyle = pBar->GetCommandBars() ? 0 : CS_OWNDC | CS_SAVEBITS;
    CShadowWnd* pShadow = new CShadowWnd(pBar, bHorizontal, bControlShadow, nOptions, clrShadow);
    if (!pShadow->Create(rcStrip, pBar->GetSite(), m_bLayered, nClassStyle)) {
        delete pShadow;
        return;
    }
    if (nOptions & qorShadowCutOut) {
        CArray<CRect, const CRect&> arrCuts;
        if (!rcExclude.IsRectEmpty())
            arrCuts.Add(rcExclude);
        POSITION pos = m_lstShadows.GetHeadPosition();
        while (pos) {
            CRect rcOther;
            m_lstShadows.GetNext(pos)->GetWindowRect(&rcOther);
            arrCuts.Add(rcOther);
        }
        pShadow->CutOut(arrCuts);
    }
    m_lstShadows.AddTail(pShadow);
    GetHookManager()->SetHook(pBar->GetSafeHwnd(), pShadow);
    // Above everything, the popup included; shown only with its owner.
    UINT nFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    if (pBar->IsWindowVisible())
        nFlags |= SWP_SHOWWINDOW;
    pShadow->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, nFlags);
}

void CQorShadowsManager::JoinNeighbours(CRect& rcStrip, BOOL bHorizontal) const
{
    const int e = GetShadowSize();
    POSITION pos = m_lstShadows.GetHeadPosition();
    while (pos) {
        CShadowWnd* pOther = m_lstShadows.GetNext(pos);
        if (pOther->IsHorizontal() != bHorizontal)
            continue;
        CRect rcOther;
        pOther->GetWindowRect(&rcOther);
        // Same line, same thickness; the along-axis coordinates decide.
        LONG& nStart = bHorizontal ? rcStrip.left : rcStrip.top;
        LONG& nEnd = bHorizontal ? rcStrip.right : rcStrip.bottom;
        const LONG nOtherStart = bHorizontal ? rcOther.left : rcOther.top;
        const LONG nOtherEnd = bHorizontal ? rcOther.right : rcOther.bottom;
        const BOOL bSameLine = bHorizontal ? (rcOther.top == rcStrip.top && rcOther.bottom == rcStrip.bottom)
                                           : (rcOther.left == rcStrip.left && rcOther.right == rcStrip.right);
        if (!bSameLine)
            continue;
        // The fading ends overlap by one end square, so that together they shade evenly.
        if (nStart >= nOtherEnd - e && nStart <= nOtherEnd + e && nEnd > nOtherEnd)
            nStart = nOtherEnd - e;
        else if (nEnd <= nOtherStart + e && nEnd >= nOtherStart - e && nStart < nOtherStart)
            nEnd = nOtherStart + e;
    }
}

void CQorShadowsManager::RemoveShadows(CQorCommandBar* pBar)
{
    POSITION pos = m_lstShadows.GetHeadPosition();
    while (pos) {
        CShadowWnd* pShadow = m_lstShadows.GetNext(pos);
        if (pShadow->GetOwner() == pBar)
            RemoveShadow(pShadow);
    }
}

void CQorShadowsManager::RemoveShadow(CShadowWnd* pShadow)
{
    POSITION pos = m_lstShadows.Find(pShadow);
    if (!pos)
        return;
    m_lstShadows.RemoveAt(pos);
    GetHookManager()->RemoveAll(pShadow);
    HWND hWnd = pShadow->GetSafeHwnd();
    if (hWnd && ::GetWindowThreadProcessId(hWnd, nullptr) == ::GetCurrentThreadId()) {
        ::ShowWindow(hWnd, SW_HIDE);
        pShadow->DestroyWindow();
    }
    delete pShadow;
}

void CQorShadowsManager::OffsetShadows(CQorCommandBar* pBar, int dx, int dy)
{
    POSITION pos = m_lstShadows.GetHeadPosition();
    while (pos) {
        CShadowWnd* pShadow = m_lstShadows.GetNext(pos);
        if (pShadow->GetOwner() != pBar || pShadow->IsControlShadow())
            continue;
        if (pShadow->IsHorizontal())
            pShadow->MoveEdges(0, dy, dx, dy);
        else
            pShadow->MoveEdges(dx, 0, dx, dy);
    }
}
