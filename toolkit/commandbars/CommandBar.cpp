#include "toolkit/commandbars/CommandBar.h"

#include "platform/framework/FrameWnd.h"
#include "platform/framework/Menu.h"

#include "toolkit/commandbars/CommandBarAnimation.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsOptions.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/CustomizeDropSource.h"
#include "toolkit/commandbars/MouseManager.h"
#include "toolkit/commandbars/PaintManager.h"
#include "toolkit/foundation/CmdTargetReference.h"
#include "toolkit/foundation/ImageManager.h"
#include "toolkit/foundation/KeyboardManager.h"
#include "toolkit/foundation/ToolTipContext.h"

namespace {
using CReference = CQorCmdTargetReference;
} // namespace

IMPLEMENT_DYNCREATE(CQorCommandBar, CWnd)

BEGIN_MESSAGE_MAP(CQorCommandBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, &CQorCommandBar::OnPrintClient)
    ON_WM_TIMER()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_NCMOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONUP()
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONDOWN()
    ON_MESSAGE(WM_HELPHITTEST, &CQorCommandBar::OnHelpHitTest)
    ON_MESSAGE_VOID(WM_IDLEUPDATECMDUI, &CQorCommandBar::OnIdleUpdateCmdUI)
    ON_MESSAGE_VOID(WM_INITIALUPDATE, &CQorCommandBar::OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_GETOBJECT, &CQorCommandBar::OnGetObject)
END_MESSAGE_MAP()

CQorCommandBar::CQorCommandBar()
    : m_bAnimation(FALSE), m_bPopupOnHover(TRUE), m_bIgnoreMouseLock(FALSE), m_nLockRedraw(0), m_bNoNotify(FALSE),
      m_dwBarStyle(kStyleDrawFrame), m_nLastPressed(-1), m_nMRUWidth(0), m_dwFlags(0), m_bMultiLine(FALSE),
      m_barType(qorBarTypeToolBar), m_barPosition(qorBarTop), m_nDefaultButtonStyle(qorButtonAutomatic),
      m_rcMarker(0, 0, 0, 0), m_nSelected(-1), m_nMode(0), m_nModalLockCount(0), m_pPaintManager(nullptr),
      m_pAnimation(new CQorCommandBarAnimation(this)), m_pCommandBars(nullptr), m_hWndSite(nullptr), m_nPopuped(-1),
      m_bRecalcLayout(FALSE), m_pControls(CreateControlsCollection()), m_nBarID(0), m_bRedrawPending(FALSE),
      m_nStatusPrompt(-1)
{
    m_pControls->SetParent(this);
}

CQorCommandBar::~CQorCommandBar()
{
    // A bar let go while its window lives destroys the window now, while the object is whole:
    // its WM_DESTROY takes it off the customize-drag targets and ends its tracking.
    if (m_hWnd && ::IsWindow(m_hWnd) && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
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
    SetPaintManager(nullptr);
    SetImageManager(nullptr);
    if (m_pToolTipContext)
        m_pToolTipContext->InternalRelease();
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

BOOL CQorCommandBar::SetSelected(int nSelected, int nKeyboard)
{
    if (nSelected == m_nSelected)
        return FALSE;
    m_nKeyboardSelection = nKeyboard;
    if (!m_hWnd)
        return FALSE;
    if (CQorControl* pOld = GetControl(m_nSelected)) {
        CReference old(pOld);
        m_nSelected = -1;
        pOld->OnMouseMove(CPoint(-1, -1));
        pOld->SetSelected(0);
    }
    CQorControl* pControl = GetControl(nSelected);
    m_nSelected = pControl ? nSelected : -1;
    if (!pControl) {
        ::KillTimer(m_hWnd, kHoverTimerId);
        return nSelected == -1;
    }
    if (nKeyboard) {
        EnsureVisible(pControl);
        pControl->SetSelected(nKeyboard < 2 ? 2 : nKeyboard);
    } else {
        pControl->SetSelected(1);
    }
    if (m_nMode != 0 && m_pNotifyWinEvent)
        m_pNotifyWinEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_MENU, nSelected + 1);
    GetMouseManager()->SetHoverBar(this);
    if (!nKeyboard && m_bPopupOnHover)
        ::SetTimer(m_hWnd, kHoverTimerId, kHoverDelay, nullptr);
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
    if (m_nLockRedraw > 0) {
        SetRedrawPending();
        return;
    }
    if (!lpRect)
        m_bRedrawPending = FALSE;
    if (m_hWnd && IsVisible())
        m_pAnimation->Redraw(lpRect, bAnimate);
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
    if (m_pPaintManager)
        return m_pPaintManager;
    if (const CQorCommandBars* pCommandBars = GetCommandBars())
        return pCommandBars->GetPaintManager();
    return GetGlobalPaintManager();
}

void CQorCommandBar::SetPaintManager(CQorPaintManager* pPaintManager)
{
    QorReplaceHeldReference(m_pPaintManager, pPaintManager);
}

CQorImageManager* CQorCommandBar::GetImageManager() const
{
    if (m_pImageManager)
        return m_pImageManager;
    if (const CQorCommandBars* pCommandBars = GetCommandBars())
        return pCommandBars->GetImageManager();
    return ::GetImageManager();
}

void CQorCommandBar::SetImageManager(CQorImageManager* pImageManager)
{
    QorReplaceHeldReference(m_pImageManager, pImageManager);
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

BOOL CQorCommandBar::SetPopuped(int nPopuped, BOOL bKeyboard)
{
    if (nPopuped == m_nPopuped)
        return FALSE;
    if (CQorControl* pOpen = GetControl(m_nPopuped)) {
        CReference open(pOpen);
        m_nPopuped = -1;
        pOpen->SetPopuped(FALSE);
    }
    m_nPopuped = -1;
    if (nPopuped == -1)
        return TRUE;
    CQorControl* pControl = GetControl(nPopuped);
    if (!pControl || !pControl->GetEnabled())
        return FALSE;
    CReference control(pControl), self(this);
    const int nPreviousMode = m_nMode;
    m_nPopuped = nPopuped;
    SetTrackingMode(2, FALSE, bKeyboard);
    SetSelected(nPopuped, bKeyboard);
    if (pControl->SetPopuped(TRUE)) {
        CQorCommandBars* pCommandBars = GetCommandBars();
        if (m_hWnd && pCommandBars && pCommandBars->GetCommandBarsOptions()->m_bShowFullAfterDelay)
            ::SetTimer(m_hWnd, kShowFullTimerId, kShowFullDelay, nullptr);
        return TRUE;
    }
    // The control opens nothing (a plain button): the bar goes back to how it tracked before.
    if (m_nPopuped == nPopuped)
        m_nPopuped = -1;
    pControl->SetPopuped(FALSE);
    if (nPreviousMode == 0)
        SetTrackingMode(0, FALSE, FALSE);
    else
        m_nMode = nPreviousMode;
    return FALSE;
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
    const HMENU hMenu = pMenu->GetSafeHmenu();
    const int nCount = pMenu->GetMenuItemCount();
    BOOL bBeginGroup = FALSE;
    for (int i = 0; i < nCount; i++) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_TYPE | MIIM_STATE;
        if (!::GetMenuItemInfoW(hMenu, static_cast<UINT>(i), TRUE, &info))
            continue;
        // A separator (or an item without a command) makes no control: the next one begins a group.
        if ((info.fType & MFT_SEPARATOR) || ::GetMenuItemID(hMenu, i) == 0) {
            bBeginGroup = TRUE;
            continue;
        }
        CQorControl* pControl = m_pControls->AddMenuItem(pMenu, i);
        if (!pControl)
            continue;
        if (info.fType & (MFT_MENUBARBREAK | MFT_MENUBREAK)) {
            pControl->SetFlags(pControl->GetFlags() | qorFlagWrapRow);
            if (info.fType & MFT_MENUBARBREAK)
                pControl->SetBeginGroup(TRUE);
        }
        if (bBeginGroup)
            pControl->SetBeginGroup(TRUE);
        bBeginGroup = FALSE;
        if (!pControl->GetAction()) {
            if (info.fState & MFS_CHECKED)
                pControl->SetChecked(TRUE);
            if (info.fState & (MFS_DISABLED | MFS_GRAYED))
                pControl->SetEnabled(FALSE);
        }
    }
    // The frame lays its bars out again at idle time.
    if (m_hWnd) {
        if (CFrameWnd* pFrame = GetParentFrame())
            pFrame->DelayRecalcLayout();
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
    CQorCommandBar* pBar = QorCreateObjectAs<CQorCommandBar>(GetRuntimeClass());
    if (pBar)
        pBar->Copy(this, bRecursive);
    return pBar;
}

void CQorCommandBar::Copy(const CQorCommandBar* pSource, BOOL bRecursive)
{
    if (!pSource || pSource == this)
        return;
    m_barType = pSource->m_barType;
    m_barPosition = pSource->m_barPosition;
    m_nBarID = pSource->m_nBarID;
    m_dwFlags = pSource->m_dwFlags;
    m_dwBarStyle = pSource->m_dwBarStyle;
    m_strTitle = pSource->m_strTitle;
    m_nMRUWidth = pSource->m_nMRUWidth;
    m_pCommandBars = pSource->m_pCommandBars;
    m_nDefaultButtonStyle = pSource->m_nDefaultButtonStyle;
    m_pControls->Copy(pSource->m_pControls, bRecursive);
}

void CQorCommandBar::ReleaseTracking()
{
    CReference self(this);
    SetTrackingMode(0, TRUE, FALSE);
    if (CQorKeyboardManager* pKeyboardManager = FindKeyboardManager())
        pKeyboardManager->UnhookKeyboard(this);
    if (CQorMouseManager* pMouseManager = FindMouseManager()) {
        if (pMouseManager->GetHoverBar() == this)
            pMouseManager->SetHoverBar(nullptr);
    }
    m_pControls->RemoveAll();
    if (m_hWnd && ::IsWindow(m_hWnd))
        DestroyWindow();
}

BOOL CQorCommandBar::IsKeyboardCuesVisible() const
{
    CQorCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars ? pCommandBars->IsKeyboardCuesVisible() : TRUE;
}

void CQorCommandBar::AdjustModalLockCount(int nDelta)
{
    m_nModalLockCount = m_nModalLockCount + nDelta < 0 ? 0 : m_nModalLockCount + nDelta;
}

void CQorCommandBar::OnDestroy()
{
    if (m_barPosition != qorBarListBox) {
        if (CQorCommandBars* pCommandBars = GetCommandBars())
            pCommandBars->GetDropSource()->RemoveTarget(this);
    }
    ::KillTimer(m_hWnd, kHoverTimerId);
    ::KillTimer(m_hWnd, kShowFullTimerId);
    SetTrackingMode(0, TRUE, FALSE);
    m_pAnimation->RemoveAll();
    m_pAnimation->DropCache();
    CWnd::OnDestroy();
}

int CQorCommandBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CQorCommandBars* pCommandBars = GetCommandBars();
    if (m_barPosition != qorBarListBox && pCommandBars)
        pCommandBars->GetDropSource()->AddTarget(this);
    // A free-standing bar shows the framework's tips; the bars of a manager show the manager's.
    if (!pCommandBars && m_barType != qorBarTypePopup)
        EnableToolTips(TRUE);
    if (pCommandBars && !m_pToolTipContext) {
        m_pToolTipContext = pCommandBars->GetToolTipContext();
        m_pToolTipContext->InternalAddRef();
    }
    return 0;
}
