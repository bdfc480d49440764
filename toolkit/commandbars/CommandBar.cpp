#include "toolkit/commandbars/CommandBar.h"

#include "platform/framework/Menu.h"

#include "toolkit/commandbars/CommandBarAnimation.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/MouseManager.h"
#include "toolkit/commandbars/PaintManager.h"

IMPLEMENT_DYNCREATE(CQorCommandBar, CWnd)

BEGIN_MESSAGE_MAP(CQorCommandBar, CWnd)
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, &CQorCommandBar::OnPrintClient)
    ON_WM_TIMER()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

CQorCommandBar::CQorCommandBar()
    : m_bAnimation(FALSE), m_nLastPressed(-1), m_nMRUWidth(0), m_dwFlags(0), m_bMultiLine(FALSE), m_barType(qorBarTypeToolBar), m_barPosition(qorBarTop),
      m_nDefaultButtonStyle(qorButtonAutomatic), m_rcMarker(0, 0, 0, 0), m_nSelected(-1), m_nMode(0),
      m_nModalLockCount(0), m_pPaintManager(nullptr), m_pAnimation(new CQorCommandBarAnimation(this)),
      m_pCommandBars(nullptr), m_hWndSite(nullptr), m_nPopuped(-1), m_bRecalcLayout(FALSE),
      m_pControls(CreateControlsCollection())
{
    m_pControls->SetParent(this);
}

CQorCommandBar::~CQorCommandBar()
{
    // No new manager at this point: the thread may be ending.
    if (CQorMouseManager* pMouseManager = FindMouseManager()) {
        pMouseManager->RemoveTrackedBar(this);
        if (pMouseManager->GetHoverBar() == this)
            pMouseManager->SetHoverBar(nullptr);
    }
    if (CQorKeyboardManager* pKeyboardManager = FindKeyboardManager())
        pKeyboardManager->UnhookKeyboard(this);
    m_pControls->RemoveAll();
    m_pControls->SetParent(nullptr);
    m_pControls->InternalRelease();
    delete m_pAnimation;
    if (m_pPaintManager)
        m_pPaintManager->InternalRelease();
}

BOOL CQorCommandBar::SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    if ((m_nMode != 0 && nMode != 0) || nMode == m_nMode) {
        m_nMode = nMode;
        return FALSE;
    }
    m_nMode = nMode;
    CQorMouseManager* pMouseManager = GetMouseManager();
    if (nMode != 0) {
        pMouseManager->AddTrackedBar(this);
        EnterKeyboardTracking(bSelectFirst, bKeyboard);
        return TRUE;
    }
    pMouseManager->RemoveTrackedBar(this);
    const HWND hWndSaveFocus = LeaveKeyboardTracking();
    if (bSelectFirst)
        SetSelected(-1, 0);
    Redraw(nullptr, FALSE);
    if (pMouseManager->GetTrackArray().IsEmpty())
        pMouseManager->SetHoverBar(nullptr);
    m_nModalLockCount = 0;
    FinishLeavingTracking(hWndSaveFocus);
    return TRUE;
}

BOOL CQorCommandBar::SetSelected(int nSelected, int)
{
    if (nSelected == m_nSelected || !m_hWnd)
        return FALSE;
    m_nSelected = nSelected;
    if (nSelected != -1)
        GetMouseManager()->SetHoverBar(this);
    return TRUE;
}

BOOL CQorCommandBar::IsVisible() const
{
    return FALSE;
}

BOOL CQorCommandBar::CustomizeDragEnter(CQorControl* pDataObject, CPoint point)
{
    m_rcMarker.SetRectEmpty();
    CustomizeDragOver(pDataObject, point);
    return TRUE;
}

void CQorCommandBar::CustomizeDragLeave()
{
    if (m_rcMarker.IsRectEmpty())
        return;
    m_rcMarker.SetRectEmpty();
    Redraw(nullptr, FALSE);
}

void CQorCommandBar::CustomizeDragOver(CQorControl*, CPoint) {}

void CQorCommandBar::CustomizeDrop(CQorControl*, DROPEFFECT, CPoint, CPoint) {}

void CQorCommandBar::Redraw(LPCRECT lpRect, BOOL bAnimate)
{
    if (m_hWnd && IsVisible())
        m_pAnimation->Redraw(lpRect, bAnimate);
}

void CQorCommandBar::DrawCommandBar(CDC* pDC, CRect rcClipBox)
{
    pDC->FillSolidRect(rcClipBox, ::GetSysColor(COLOR_BTNFACE));
}

int CQorCommandBar::IsPointInBar(CPoint ptScreen) const
{
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    if (!rcWindow.PtInRect(ptScreen))
        return 0;
    // A shaped bar (a popup with a window region) holds only the points of its region.
    CRgn rgn;
    rgn.CreateRectRgn(0, 0, 0, 0);
    if (::GetWindowRgn(m_hWnd, rgn) == ERROR)
        return 1;
    return rgn.PtInRegion(ptScreen.x - rcWindow.left, ptScreen.y - rcWindow.top) ? 1 : 0;
}

CQorPaintManager* CQorCommandBar::GetPaintManager() const
{
    return m_pPaintManager ? m_pPaintManager : GetGlobalPaintManager();
}

CQorCommandBars* CQorCommandBar::GetCommandBars() const
{
    for (const CQorCommandBar* pBar = this; pBar; pBar = pBar->GetParentCommandBar())
        if (pBar->m_pCommandBars)
            return pBar->m_pCommandBars;
    return nullptr;
}

HWND CQorCommandBar::GetSite() const
{
    if (m_hWndSite && ::IsWindow(m_hWndSite))
        return m_hWndSite;
    if (CQorCommandBars* pCommandBars = GetCommandBars())
        if (pCommandBars->GetSite() && ::IsWindow(pCommandBars->GetSite()))
            return pCommandBars->GetSite();
    if (!m_hWnd)
        return nullptr;
    if (HWND hWndOwner = ::GetWindow(m_hWnd, GW_OWNER))
        return hWndOwner;
    return ::GetParent(m_hWnd);
}

BOOL CQorCommandBar::OpenPopup(CQorControlPopup*, BOOL)
{
    return FALSE;
}

BOOL CQorCommandBar::SetPopuped(int nPopuped, BOOL)
{
    // The plain bar owns no control that opens anything: only closing succeeds.
    m_nPopuped = -1;
    return nPopuped == -1;
}

void CQorCommandBar::OnControlSelected(int, CQorControl*) {}

int CQorCommandBar::GetControlCount() const
{
    return m_pControls->GetCount();
}

CQorControl* CQorCommandBar::GetControl(int nIndex) const
{
    return m_pControls->GetAt(nIndex);
}

void CQorCommandBar::OnControlsChanged()
{
    m_bRecalcLayout = TRUE;
    m_nSelected = -1;
    m_nPopuped = -1;
}

BOOL CQorCommandBar::LoadMenu(CMenu* pMenu, BOOL bRemoveControls)
{
    if (!pMenu || !::IsMenu(pMenu->GetSafeHmenu()))
        return FALSE;
    if (bRemoveControls)
        m_pControls->RemoveAll();
    const int nCount = pMenu->GetMenuItemCount();
    BOOL bBeginGroup = FALSE;
    for (int i = 0; i < nCount; i++) {
        // A separator makes no control: the next control begins a group.
        const UINT nState = ::GetMenuState(pMenu->GetSafeHmenu(), i, MF_BYPOSITION);
        if ((nState & MF_SEPARATOR) && !(nState & MF_POPUP)) {
            bBeginGroup = TRUE;
            continue;
        }
        CQorControl* pControl = m_pControls->AddMenuItem(pMenu, i);
        if (pControl && bBeginGroup && pControl->GetIndex() > 0)
            pControl->SetBeginGroup(TRUE);
        if (pControl)
            bBeginGroup = FALSE;
    }
    return TRUE;
}

void CQorCommandBar::SetTitle(LPCWSTR lpszTitle)
{
    m_strTitle = lpszTitle ? lpszTitle : L"";
    Redraw(nullptr, FALSE);
}

CQorCommandBar* CQorCommandBar::Clone(BOOL bRecursive) const
{
    CQorCommandBar* pBar = static_cast<CQorCommandBar*>(GetRuntimeClass()->CreateObject());
    pBar->m_barType = m_barType;
    pBar->m_barPosition = m_barPosition;
    pBar->m_nDefaultButtonStyle = m_nDefaultButtonStyle;
    pBar->m_pCommandBars = m_pCommandBars;
    pBar->m_strTitle = m_strTitle;
    pBar->m_pControls->Copy(m_pControls, bRecursive);
    return pBar;
}

void CQorCommandBar::AdjustModalLockCount(int nDelta)
{
    m_nModalLockCount = m_nModalLockCount + nDelta < 0 ? 0 : m_nModalLockCount + nDelta;
}

void CQorCommandBar::OnMouseMove(UINT, CPoint)
{
    Default();
}

void CQorCommandBar::OnMouseLeave()
{
    CQorMouseManager* pMouseManager = GetMouseManager();
    if (!pMouseManager->IsOtherBarTracking(this) && m_nMode == 0)
        SetSelected(-1, 0);
}

void CQorCommandBar::OnDestroy()
{
    SetTrackingMode(0, TRUE, FALSE);
    m_pAnimation->RemoveAll();
    m_pAnimation->DropCache();
    CWnd::OnDestroy();
}

void CQorCommandBar::OnPaint()
{
    CPaintDC dc(this);
    m_pAnimation->OnPaint(dc);
}

BOOL CQorCommandBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

LRESULT CQorCommandBar::OnPrintClient(WPARAM wParam, LPARAM)
{
    CRect rcClient(0, 0, 0, 0);
    if (m_hWnd)
        GetClientRect(&rcClient);
    DrawCommandBar(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), rcClient);
    return 1;
}

void CQorCommandBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == CQorCommandBarAnimation::kTimerId) {
        m_pAnimation->OnAnimationTimer();
        return;
    }
    CWnd::OnTimer(nIDEvent);
}
