#include "toolkit/commandbars/CustomizeDropSource.h"

#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBarsResources.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/foundation/CaptureLoop.h"
#include "toolkit/foundation/ResourceManager.h"

namespace {

CPoint MessagePoint(const MSG& msg)
{
    CPoint pt(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
    ::ClientToScreen(msg.hwnd, &pt);
    return pt;
}

} // namespace

CQorCustomizeDropSource::CQorCustomizeDropSource(CQorCommandBars* pCommandBars)
    : m_hWndCapture(nullptr), m_pControl(nullptr), m_bMove(TRUE), m_bCopyOnly(FALSE), m_pTarget(nullptr),
      m_pWndCapture(nullptr), m_ptStart(0, 0), m_pCommandBars(pCommandBars)
{
    m_hcurCopy = GetResourceManager()->LoadCursor(QOR_IDC_DRAGCOPY);
    m_hcurMove = GetResourceManager()->LoadCursor(QOR_IDC_DRAGMOVE);
    m_hcurDelete = GetResourceManager()->LoadCursor(QOR_IDC_DRAGNONE);
}

CQorCustomizeDropSource::~CQorCustomizeDropSource() = default;

void CQorCustomizeDropSource::AddTarget(CQorCommandBar* pBar)
{
    for (INT_PTR i = 0; i < m_arrTargets.GetSize(); ++i) {
        if (m_arrTargets[i] == pBar)
            return;
    }
    m_arrTargets.Add(pBar);
}

void CQorCustomizeDropSource::RemoveTarget(CQorCommandBar* pBar)
{
    for (INT_PTR i = m_arrTargets.GetSize() - 1; i >= 0; --i) {
        if (m_arrTargets[i] == pBar)
            m_arrTargets.RemoveAt(i);
    }
    if (m_pTarget == pBar)
        m_pTarget = nullptr;
}

BOOL CQorCustomizeDropSource::IsTarget(const CQorCommandBar* pBar) const
{
    for (INT_PTR i = 0; i < m_arrTargets.GetSize(); ++i)
        if (m_arrTargets[i] == pBar)
            return TRUE;
    return FALSE;
}

CPoint CQorCustomizeDropSource::ToClient(CQorCommandBar* pBar, CPoint ptScreen) const
{
    pBar->ScreenToClient(&ptScreen);
    return ptScreen;
}

CQorCommandBar* CQorCustomizeDropSource::FindTargetAt(CPoint ptScreen) const
{
    // Registration order says nothing about which bar is on top: ask the window manager.
    for (HWND hWnd = ::WindowFromPoint(ptScreen); hWnd; hWnd = ::GetAncestor(hWnd, GA_PARENT)) {
        for (INT_PTR i = m_arrTargets.GetSize() - 1; i >= 0; --i) {
            CQorCommandBar* pBar = m_arrTargets[i];
            if (pBar->GetSafeHwnd() != hWnd || !pBar->IsVisible())
                continue;
            CRect rcWindow;
            pBar->GetWindowRect(&rcWindow);
            if (rcWindow.PtInRect(ptScreen))
                return pBar;
        }
    }
    return nullptr;
}

void CQorCustomizeDropSource::UpdateTarget(CPoint ptScreen)
{
    CQorCommandBar* pCandidate = FindTargetAt(ptScreen);
    if (pCandidate && pCandidate == m_pTarget) {
        m_pTarget->CustomizeDragOver(m_pControl, ToClient(m_pTarget, ptScreen));
    } else {
        if (m_pTarget)
            m_pTarget->CustomizeDragLeave();
        m_pTarget = nullptr;
        if (pCandidate && pCandidate->CustomizeDragEnter(m_pControl, ToClient(pCandidate, ptScreen)))
            m_pTarget = pCandidate;
    }
    UpdateCursor();
}

DROPEFFECT CQorCustomizeDropSource::GetDropEffect() const
{
    return m_bMove && !m_bCopyOnly ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
}

void CQorCustomizeDropSource::UpdateCursor()
{
    if (!m_pTarget)
        ::SetCursor(m_hcurDelete);
    else
        ::SetCursor(GetDropEffect() == DROPEFFECT_COPY ? m_hcurCopy : m_hcurMove);
}

DROPEFFECT CQorCustomizeDropSource::DoDragDrop(CQorControl* pControl, BOOL bCopyOnly)
{
    CWnd* pWndCapture = m_pWndCapture;
    if (!pWndCapture && pControl)
        pWndCapture = pControl->GetParent();
    m_hWndCapture = pWndCapture ? pWndCapture->GetSafeHwnd() : nullptr;
    if (!pControl || !m_hWndCapture || !::IsWindow(m_hWndCapture))
        return kDropCancelled;

    m_pControl = pControl;
    m_bCopyOnly = bCopyOnly;
    m_bMove = TRUE;
    m_pTarget = nullptr;
    ::GetCursorPos(&m_ptStart);

    DROPEFFECT dropEffect = kDropCancelled;
    BOOL bMoved = FALSE;
    CPoint ptDrop = m_ptStart;
    CQorCaptureLoop loop(m_hWndCapture);
    loop.m_bPaintFirst = TRUE;
    loop.m_onMessage = [&](MSG& msg) {
        switch (msg.message) {
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE)
                return CQorCaptureLoop::actionCancel;
            if (msg.wParam == VK_CONTROL && m_bMove) {
                m_bMove = FALSE;
                UpdateCursor();
                return CQorCaptureLoop::actionHandled;
            }
            return CQorCaptureLoop::actionDispatch;
        case WM_KEYUP:
            if (msg.wParam == VK_CONTROL && !m_bMove) {
                m_bMove = TRUE;
                UpdateCursor();
                return CQorCaptureLoop::actionHandled;
            }
            return CQorCaptureLoop::actionDispatch;
        case WM_MOUSEMOVE:
            ptDrop = MessagePoint(msg);
            if (!bMoved) {
                bMoved = TRUE;
                m_pControl->OnCustomizeDragOver(m_pControl, ptDrop);
            }
            m_bMove = (msg.wParam & MK_CONTROL) == 0;
            UpdateTarget(ptDrop);
            dropEffect = DROPEFFECT_NONE;
            return (msg.wParam & MK_LBUTTON) ? CQorCaptureLoop::actionHandled : CQorCaptureLoop::actionDone;
        case WM_LBUTTONUP:
            ptDrop = MessagePoint(msg);
            return CQorCaptureLoop::actionDone;
        case WM_RBUTTONDOWN:
            return CQorCaptureLoop::actionCancel;
        default:
            return CQorCaptureLoop::actionDispatch;
        }
    };
    const CQorCaptureLoop::Result result = loop.Run();

    if (CQorCaptureLoop::IsCancelled(result)) {
        dropEffect = kDropCancelled;
    } else if (m_pTarget) {
        dropEffect = GetDropEffect();
        CQorCommandBar* pTarget = m_pTarget;
        m_pTarget = nullptr;
        pTarget->CustomizeDrop(m_pControl, dropEffect, ToClient(pTarget, ptDrop), ToClient(pTarget, m_ptStart));
    }
    if (m_pTarget)
        m_pTarget->CustomizeDragLeave();
    m_pTarget = nullptr;
    m_pControl = nullptr;
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    return dropEffect;
}
