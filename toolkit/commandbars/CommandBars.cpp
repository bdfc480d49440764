#include "toolkit/commandbars/CommandBars.h"

#include "platform/framework/Exceptions.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/FrameworkIds.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/Wnd.h"

#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBarList.h"
#include "toolkit/commandbars/CommandBarsOptions.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/CustomizeDropSource.h"
#include "toolkit/commandbars/DockBar.h"
#include "toolkit/commandbars/Edit.h"
#include "toolkit/commandbars/MouseManager.h"
#include "toolkit/commandbars/PaintManager.h"
#include "toolkit/commandbars/ShortcutManager.h"
#include "toolkit/commandbars/SoundPlayer.h"
#include "toolkit/commandbars/ToolBar.h"
#include "toolkit/foundation/CmdTargetReference.h"
#include "toolkit/foundation/ImageManager.h"
#include "toolkit/foundation/KeyboardManager.h"
#include "toolkit/foundation/ToolTipContext.h"

IMPLEMENT_DYNCREATE(CQorCommandBars, CCmdTarget)

namespace {

// The status bar's child id in a frame.
const UINT kStatusBarID = 59393;

BOOL IsLiveWindow(HWND hWnd)
{
    return hWnd && ::IsWindow(hWnd);
}

// A bar with a window that is shown (whatever its parent's state): the base bar's IsVisible
// answers for popups only.
BOOL IsBarShown(const CQorCommandBar* pBar)
{
    const HWND hWnd = pBar->GetSafeHwnd();
    return hWnd && (::GetWindowLongW(hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

BOOL IsPopupControlType(int nType)
{
    return nType >= qorControlPopup && nType <= qorControlSplitButtonPopup;
}

} // namespace

CQorCommandBars::CQorCommandBars()
    : m_pActions(nullptr), m_bEnableActions(FALSE), m_bCustomizeMode(FALSE), m_bCustomizable(FALSE),
      m_hWndSite(nullptr), m_pDragControl(nullptr), m_pDropSource(nullptr), m_pOptions(nullptr),
      m_pShortcutManager(nullptr), m_pContextMenus(nullptr)
{
    m_pOptions = new CQorCommandBarsOptions(this);
    // Captions carry their mnemonics: the tips drop the ampersands.
    m_pToolTipContext = new CQorToolTipContext;
    m_pToolTipContext->m_nStyleBits &= ~TTS_NOPREFIX;
    m_pShortcutManager = new CQorShortcutManager(this);
    m_pActions = new CQorControlActions(this);
    m_pContextMenus = new CQorCommandBarsContextMenus(this);
}

CQorCommandBars::~CQorCommandBars()
{
    // A frame lets go of its bars from its C++ destructor, after its windows (the bars' with
    // them) have died: what follows touches only windows that still exist.
    RemoveAllToolBars();
    for (CWnd*& pDockBar : m_pDockBars) {
        if (!pDockBar)
            continue;
        if (IsLiveWindow(pDockBar->GetSafeHwnd()))
            pDockBar->DestroyWindow();
        pDockBar->InternalRelease();
        pDockBar = nullptr;
    }
    if (m_pDragControl)
        m_pDragControl->InternalRelease();
    m_pDragControl = nullptr;
    delete m_pDropSource;
    SetPaintManager(nullptr);
    SetImageManager(nullptr);
    m_pToolTipContext->DestroyToolTip();
    m_pToolTipContext->InternalRelease();
    m_pShortcutManager->InternalRelease();
    m_pOptions->InternalRelease();
    m_pActions->RemoveAll();
    m_pActions->InternalRelease();
    // Menu sounds play on a thread of their own; none outlives the bars that asked for them.
    GetSoundPlayer()->StopThread();
}

void CQorCommandBars::SetDragControl(CQorControl* pControl)
{
    if (pControl == m_pDragControl)
        return;
    CQorControl* pOld = m_pDragControl;
    if (pControl)
        pControl->InternalAddRef();
    m_pDragControl = pControl;
    if (pOld) {
        pOld->RedrawParent(FALSE);
        pOld->InternalRelease();
    }
    if (pControl)
        pControl->RedrawParent(FALSE);
    if (m_hWndSite && ::IsWindow(m_hWndSite))
        ::SendMessageW(m_hWndSite, QORWM_CUSTOMIZE_SELECTION, reinterpret_cast<WPARAM>(pControl), 0);
}

void CQorCommandBars::SetPaintManager(CQorPaintManager* pPaintManager)
{
    QorReplaceHeldReference(m_pPaintManager, pPaintManager);
}

CQorPaintManager* CQorCommandBars::GetPaintManager() const
{
    return m_pPaintManager ? m_pPaintManager : GetGlobalPaintManager();
}

void CQorCommandBars::SetImageManager(CQorImageManager* pImageManager)
{
    QorReplaceHeldReference(m_pImageManager, pImageManager);
}

CQorImageManager* CQorCommandBars::GetImageManager() const
{
    return m_pImageManager ? m_pImageManager : ::GetImageManager();
}

CQorCustomizeDropSource* CQorCommandBars::GetDropSource()
{
    if (!m_pDropSource)
        m_pDropSource = new CQorCustomizeDropSource(this);
    return m_pDropSource;
}

BOOL CQorCommandBars::IsAltDragCustomizationAllowed() const
{
    return m_bCustomizable && m_pOptions->m_bAltDragCustomization;
}

void CQorCommandBars::SetCustomizeMode(BOOL bCustomizeMode)
{
    m_pOptions->m_bDirty = TRUE;
    m_bCustomizeMode = bCustomizeMode;
    m_bQuickCustomizeMode = bCustomizeMode;
    SetDragControl(nullptr);
    if (bCustomizeMode)
        m_bKeyboardCuesVisible = TRUE;
    else if (m_bHideKeyboardCuesUntilAlt)
        ShowKeyboardCues(FALSE);
}

// ---- Keyboard cues --------------------------------------------------------------------------

void CQorCommandBars::ShowKeyboardCues(BOOL bShow)
{
    if (m_bCustomizeMode)
        bShow = TRUE;
    if (!m_bHideKeyboardCuesUntilAlt || m_bKeyboardCuesVisible == bShow)
        return;
    m_bKeyboardCuesVisible = bShow;
    RedrawToolBars();
}

// ---- Tool bars ------------------------------------------------------------------------------

CQorCommandBar* CQorCommandBars::CreateToolBarObject()
{
    return new CQorToolBar;
}

BOOL CQorCommandBars::CreateToolBarWindow(CQorCommandBar* pBar, BOOL bFloating)
{
    if (!IsLiveWindow(m_hWndSite))
        return FALSE;
    CQorDockBar* pDockBar = dynamic_cast<CQorDockBar*>(m_pDockBars[0]);
    CWnd* pParent = pDockBar ? static_cast<CWnd*>(pDockBar) : CWnd::FromHandle(m_hWndSite);
    if (CQorToolBar* pToolBar = dynamic_cast<CQorToolBar*>(pBar)) {
        // Tool bars do not float yet: one asked to float starts docked at the top.
        if (!pToolBar->Create(pParent, qorBarTop))
            return FALSE;
    } else {
        pBar->m_barPosition = bFloating ? qorBarFloating : qorBarTop;
        LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW));
        if (!pBar->CreateEx(0, lpszClass, pBar->GetTitle(), WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, pParent->GetSafeHwnd(),
                            nullptr))
            return FALSE;
    }
    if (pDockBar)
        pDockBar->DockCommandBar(pBar);
    return TRUE;
}

CWnd* CQorCommandBars::CreateDockBarObject(int nPosition)
{
    static const DWORD kStyles[] = {CQorDockBar::kStyleTop, CQorDockBar::kStyleBottom, CQorDockBar::kStyleLeft,
                                    CQorDockBar::kStyleRight};
    static const UINT kIds[] = {CQorDockBar::kIdTop, CQorDockBar::kIdBottom, CQorDockBar::kIdLeft,
                                CQorDockBar::kIdRight};
    if (nPosition < 0 || nPosition > 3 || !IsLiveWindow(m_hWndSite))
        return nullptr;
    CQorDockBar* pDockBar = new CQorDockBar;
    if (!pDockBar->Create(kStyles[nPosition] | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, this,
                          CWnd::FromHandle(m_hWndSite), kIds[nPosition])) {
        pDockBar->InternalRelease();
        AfxThrowResourceException();
    }
    return pDockBar;
}

void CQorCommandBars::RemoveFromDockBar(CQorCommandBar* pBar)
{
    for (CWnd* pWnd : m_pDockBars) {
        if (CQorDockBar* pDockBar = dynamic_cast<CQorDockBar*>(pWnd))
            pDockBar->RemoveCommandBar(pBar);
    }
}

void CQorCommandBars::AppendToolBar(CQorCommandBar* pBar, UINT nBarID)
{
    pBar->SetBarID(nBarID);
    m_arrToolBars.Add(pBar);
}

CQorCommandBar* CQorCommandBars::AddToolBar(CRuntimeClass* pToolBarClass)
{
    CQorCommandBar* pBar = nullptr;
    if (pToolBarClass) {
        pBar = QorCreateObjectAs<CQorCommandBar>(pToolBarClass);
        if (!pBar)
            return nullptr;
        pBar->m_barType = qorBarTypeToolBar;
    } else {
        pBar = CreateToolBarObject();
    }
    pBar->SetCommandBars(this);
    pBar->SetTitle(L"Standard");
    if (!CreateToolBarWindow(pBar, FALSE)) {
        pBar->InternalRelease();
        return nullptr;
    }
    AppendToolBar(pBar, 0);
    return pBar;
}

CQorCommandBar* CQorCommandBars::CreateToolBar(LPCWSTR lpszTitle, UINT nBarID, BOOL bFloating)
{
    CQorCommandBar* pBar = CreateToolBarObject();
    pBar->SetCommandBars(this);
    if (IsLiveWindow(m_hWndSite)) {
        QOR_POPUPBAR_CREATE_REQUEST request = {};
        request.pCommandBar = pBar;
        request.bPopup = FALSE;
        request.bFloating = bFloating;
        request.lpszCaption = lpszTitle;
        request.nId = nBarID;
        ::SendMessageW(m_hWndSite, QORWM_POPUPBARCREATEREQUEST, 0, reinterpret_cast<LPARAM>(&request));
    }
    pBar->SetTitle(lpszTitle);
    if (CQorToolBar* pToolBar = dynamic_cast<CQorToolBar*>(pBar))
        pToolBar->m_bCreatedFloating = bFloating;
    if (!CreateToolBarWindow(pBar, bFloating)) {
        pBar->InternalRelease();
        return nullptr;
    }
    AppendToolBar(pBar, nBarID);
    if (!bFloating)
        RecalcFrameLayout();
    if (GetReBar())
        AddToReBar(pBar);
    return pBar;
}

CQorCommandBar* CQorCommandBars::GetToolBar(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_arrToolBars[nIndex] : nullptr;
}

CQorCommandBar* CQorCommandBars::FindToolBar(UINT nBarID) const
{
    for (int i = 0; i < GetCount(); i++) {
        if (m_arrToolBars[i]->GetBarID() == nBarID)
            return m_arrToolBars[i];
    }
    return nullptr;
}

CQorCommandBar* CQorCommandBars::FindToolBar(LPCWSTR lpszTitle) const
{
    for (int i = 0; lpszTitle && i < GetCount(); i++) {
        if (m_arrToolBars[i]->GetTitle() == lpszTitle)
            return m_arrToolBars[i];
    }
    return nullptr;
}

int CQorCommandBars::GetToolBarIndex(const CQorCommandBar* pBar) const
{
    for (int i = 0; i < GetCount(); i++) {
        if (m_arrToolBars[i] == pBar)
            return i;
    }
    return -1;
}

BOOL CQorCommandBars::ToggleToolBarVisible(int nIndex)
{
    CQorCommandBar* pBar = GetToolBar(nIndex);
    if (!pBar || !pBar->GetSafeHwnd())
        return FALSE;
    pBar->ShowWindow(IsBarShown(pBar) ? SW_HIDE : SW_SHOWNA);
    m_pOptions->m_bDirty = TRUE;
    RecalcFrameLayout();
    return TRUE;
}

CQorCommandBar* CQorCommandBars::GetMenuBar() const
{
    for (int i = 0; i < GetCount(); i++) {
        if (m_arrToolBars[i]->GetType() == qorBarTypeMenuBar)
            return m_arrToolBars[i];
    }
    return nullptr;
}

void CQorCommandBars::ReleaseToolBar(CQorCommandBar* pBar)
{
    for (INT_PTR i = m_arrPreviewHidden.GetSize() - 1; i >= 0; i--) {
        if (m_arrPreviewHidden[i] == pBar)
            m_arrPreviewHidden.RemoveAt(i);
    }
    RemoveFromDockBar(pBar);
    RemoveFromReBar(pBar);
    if (IsLiveWindow(pBar->GetSafeHwnd())) {
        pBar->SetTrackingMode(0);
        pBar->DestroyWindow();
    }
    pBar->GetControls()->RemoveAll();
    pBar->InternalRelease();
}

void CQorCommandBars::RemoveToolBar(int nIndex)
{
    CQorCommandBar* pBar = GetToolBar(nIndex);
    if (!pBar)
        return;
    m_arrToolBars.RemoveAt(nIndex);
    ReleaseToolBar(pBar);
    RecalcFrameLayout();
}

void CQorCommandBars::RemoveAllToolBars()
{
    if (m_arrToolBars.IsEmpty())
        return;
    while (!m_arrToolBars.IsEmpty()) {
        CQorCommandBar* pBar = m_arrToolBars[m_arrToolBars.GetSize() - 1];
        m_arrToolBars.RemoveAt(m_arrToolBars.GetSize() - 1);
        ReleaseToolBar(pBar);
    }
    RecalcFrameLayout();
}

// ---- Dock bars ------------------------------------------------------------------------------

void CQorCommandBars::CreateDockBars()
{
    for (int nPosition = 0; nPosition < 4; nPosition++) {
        if (!m_pDockBars[nPosition])
            m_pDockBars[nPosition] = CreateDockBarObject(nPosition);
    }
}

// ---- Layout and redraw ----------------------------------------------------------------------

void CQorCommandBars::RecalcFrameLayout(BOOL bDelay)
{
    if (m_bRecalcLocked || !IsLiveWindow(m_hWndSite))
        return;
    CWnd* pSite = CWnd::FromHandlePermanent(m_hWndSite);
    if (CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(pSite)) {
        if (bDelay)
            pFrame->DelayRecalcLayout(FALSE);
        else
            pFrame->RecalcLayout(FALSE);
        return;
    }
    RECT rc = {};
    ::GetClientRect(m_hWndSite, &rc);
    ::SendMessageW(m_hWndSite, WM_SIZE, SIZE_RESTORED, MAKELPARAM(rc.right, rc.bottom));
}

void CQorCommandBars::RedrawToolBars()
{
    for (int i = 0; i < GetCount(); i++) {
        CQorCommandBar* pBar = m_arrToolBars[i];
        if (IsBarShown(pBar))
            pBar->Redraw(nullptr, FALSE);
    }
}

void CQorCommandBars::RedrawCommandBars()
{
    m_bRecalcLocked = TRUE;
    for (int i = 0; i < GetCount(); i++) {
        CQorCommandBar* pBar = m_arrToolBars[i];
        if (!IsBarShown(pBar))
            continue;
        pBar->DelayLayout();
        pBar->OnRecalcLayout();
        pBar->Redraw(nullptr, FALSE);
    }
    m_bRecalcLocked = FALSE;
    if (!IsLiveWindow(m_hWndSite))
        return;
    if (const HWND hWndStatusBar = ::GetDlgItem(m_hWndSite, kStatusBarID))
        ::InvalidateRect(hWndStatusBar, nullptr, TRUE);
    RecalcFrameLayout();
    ::SendMessageW(m_hWndSite, WM_NCPAINT, 0, 0);
}

// ---- Hidden and used commands ---------------------------------------------------------------

BOOL CQorCommandBars::IsHiddenCommand(UINT nID) const
{
    BOOL bValue = FALSE;
    return m_pOptions->m_mapHiddenCommands.Lookup(nID, bValue) && !m_pOptions->m_mapUsedCommands.Lookup(nID, bValue);
}

BOOL CQorCommandBars::IsControlHidden(const CQorControl* pControl) const
{
    if (IsHiddenCommand(pControl->GetID()))
        return TRUE;
    if (!m_pOptions->m_bAutoHideUnusedPopups || !IsPopupControlType(pControl->GetType()))
        return FALSE;
    const CQorCommandBar* pPopupBar = pControl->GetCommandBar();
    const int nCount = pPopupBar ? pPopupBar->GetControlCount() : 0;
    if (nCount == 0)
        return FALSE;
    for (int i = 0; i < nCount; i++) {
        if (!IsControlHidden(pPopupBar->GetControl(i)))
            return FALSE;
    }
    return TRUE;
}

void CQorCommandBars::SetCommandUsed(UINT nID)
{
    if (!IsHiddenCommand(nID))
        return;
    m_pOptions->m_mapUsedCommands.SetAt(nID, TRUE);
    m_pOptions->m_bDirty = TRUE;
}

UINT CQorCommandBars::GetActiveDocTemplate()
{
    return m_nMenuBarID;
}

// ---- Keyboard -------------------------------------------------------------------------------

void CQorCommandBars::ClosePopups()
{
    if (CQorMouseManager* pMouseManager = FindMouseManager())
        pMouseManager->CloseTrackedPopups();
}

void CQorCommandBars::OnTrackingModeChanged(CQorCommandBar*, int nMode)
{
    if (nMode != 0 || !m_bHideKeyboardCuesUntilAlt)
        return;
    CQorMouseManager* pMouseManager = FindMouseManager();
    if (!pMouseManager || !pMouseManager->IsTrackingPopup())
        ShowKeyboardCues(FALSE);
}

BOOL CQorCommandBars::ActivateToolBar(int nDirection, CQorCommandBar* pFrom)
{
    CQorCommandBar* pBar = nullptr;
    if (nDirection == 0) {
        pBar = pFrom;
    } else {
        const int nCount = GetCount();
        if (nCount < 2)
            return FALSE;
        const int nFrom = GetToolBarIndex(pFrom);
        int nIndex = nFrom < 0 ? (nDirection > 0 ? -1 : nCount) : nFrom;
        for (int nStep = 0; nStep < nCount && !pBar; nStep++) {
            nIndex = (nIndex + nDirection + nCount) % nCount;
            CQorCommandBar* pCandidate = m_arrToolBars[nIndex];
            if (pCandidate == pFrom || !IsBarShown(pCandidate))
                continue;
            RECT rc = {};
            ::GetWindowRect(pCandidate->GetSafeHwnd(), &rc);
            if (!::IsRectEmpty(&rc))
                pBar = pCandidate;
        }
    }
    if (!pBar || !pBar->GetSafeHwnd())
        return FALSE;
    CQorCmdTargetReference bar(pBar);
    ClosePopups();
    ShowKeyboardCues(TRUE);
    pBar->SetTrackingMode(1, FALSE, TRUE);
    pBar->SetSelected(pBar->GetNextSelectable(-1, +1), 2);
    return TRUE;
}

CQorCommandBar* CQorCommandBars::GetAltKeyBar() const
{
    for (int i = 0; i < GetCount(); i++) {
        if (m_arrToolBars[i]->GetTrackingMode() != 0)
            return m_arrToolBars[i];
    }
    CQorCommandBar* pMenuBar = GetMenuBar();
    if (pMenuBar && IsBarShown(pMenuBar))
        return pMenuBar;
    for (int i = 0; i < GetCount(); i++) {
        if (IsBarShown(m_arrToolBars[i]))
            return m_arrToolBars[i];
    }
    return nullptr;
}

BOOL CQorCommandBars::IsAltKeyMnemonic(UINT nChar) const
{
    for (int i = 0; i < GetCount(); i++) {
        CQorCommandBar* pBar = m_arrToolBars[i];
        BOOL bUnique = FALSE, bMnemonic = FALSE;
        if (IsBarShown(pBar) && pBar->FindAccelControl(nChar, bUnique, &bMnemonic) != -1 && bMnemonic)
            return TRUE;
    }
    return FALSE;
}

BOOL CQorCommandBars::ProcessAltKey(UINT nChar)
{
    if (m_pOptions->m_nKeyboardCuesUse == CQorCommandBarsOptions::keyboardCuesUseNone)
        return FALSE;
    if (nChar >= VK_NUMPAD0 && nChar <= VK_NUMPAD9 && !m_pOptions->m_bUseNumpadAccelerators)
        return FALSE;
    if (::MapVirtualKeyW(nChar, MAPVK_VK_TO_CHAR) == 0)
        return FALSE;
    CQorCommandBar* pStart = GetAltKeyBar();
    if (!pStart)
        return FALSE;

    // The search runs over the start bar and the bars after it, round to the one before it;
    // the control runs only when no other visible bar answers to the key.
    const int nCount = GetCount();
    const int nStart = GetToolBarIndex(pStart);
    CQorCommandBar* pFound = nullptr;
    int nFound = -1;
    BOOL bUnique = FALSE;
    for (int nStep = 0; nStep < nCount; nStep++) {
        CQorCommandBar* pBar = m_arrToolBars[(nStart + nStep) % nCount];
        if (!IsBarShown(pBar))
            continue;
        BOOL bUniqueInBar = FALSE;
        const int nIndex = pBar->FindAccelControl(nChar, bUniqueInBar);
        if (nIndex == -1)
            continue;
        if (pFound) {
            bUnique = FALSE;
            break;
        }
        pFound = pBar;
        nFound = nIndex;
        bUnique = bUniqueInBar;
    }
    if (!pFound)
        return FALSE;

    CQorCmdTargetReference bar(pFound);
    ClosePopups();
    ShowKeyboardCues(TRUE);
    pFound->SetTrackingMode(1, FALSE, TRUE);
    pFound->SetSelected(nFound, 1);
    if (bUnique) {
        if (CQorControl* pControl = pFound->GetControl(nFound)) {
            CQorCmdTargetReference control(pControl);
            pControl->OnKeyboardActivate();
        }
    }
    return TRUE;
}

// ---- Frame hooks ----------------------------------------------------------------------------

BOOL CQorCommandBars::IsSiteActive() const
{
    for (HWND hWnd = ::GetActiveWindow(); hWnd; hWnd = ::GetWindow(hWnd, GW_OWNER)) {
        if (hWnd == m_hWndSite)
            return TRUE;
    }
    return FALSE;
}

BOOL CQorCommandBars::PreTranslateFrameMessage(MSG* pMsg)
{
    CQorMouseManager* pMouseManager = FindMouseManager();
    const BOOL bPopupTracked = pMouseManager && pMouseManager->IsTrackingPopup();
    const UINT nMessage = pMsg->message;

    if (nMessage == WM_SYSKEYDOWN && (pMsg->lParam & (1 << 29)) && !bPopupTracked &&
        !(pMouseManager && pMouseManager->IsMouseLocked()) && IsSiteActive()) {
        const UINT nChar = static_cast<UINT>(pMsg->wParam);
        if (nChar == VK_MENU) {
            ShowKeyboardCues(TRUE);
            return FALSE;
        }
        if (!(m_bIgnoreShiftAltKey && ::GetKeyState(VK_SHIFT) < 0)) {
            // A letter that merely begins a caption is no mnemonic: a shortcut the application
            // gave that key runs, rather than a button the person may not even see the name of
            // turning hot. A letter a control marks with '&' stays the control's.
            if (!IsAltKeyMnemonic(nChar) && IsLiveWindow(m_hWndSite) &&
                m_pShortcutManager->TranslateAccelerator(m_hWndSite, pMsg))
                return TRUE;
            if (ProcessAltKey(nChar))
                return TRUE;
        }
    }
    if ((nMessage == WM_KEYUP || nMessage == WM_SYSKEYUP) && m_bHideKeyboardCuesUntilAlt && m_bKeyboardCuesVisible &&
        !bPopupTracked)
        ShowKeyboardCues(FALSE);
    // An open popup answers the menu key and the Alt release itself: the frame must not open its
    // own menu under it.
    if ((nMessage == WM_CONTEXTMENU || nMessage == WM_SYSKEYUP) && bPopupTracked) {
        GetKeyboardManager()->ProcessKeyboardHooks(nMessage, pMsg->wParam, pMsg->lParam);
        return TRUE;
    }
    // The wheel scrolls the tracking bar, not the window under the pointer.
    if (nMessage == WM_MOUSEWHEEL) {
        CQorKeyboardManager* pKeyboardManager = FindKeyboardManager();
        if (pKeyboardManager && pKeyboardManager->IsHooked())
            return pKeyboardManager->ProcessKeyboardHooks(nMessage, pMsg->wParam, pMsg->lParam);
    }
    if (nMessage >= WM_KEYFIRST && nMessage <= WM_KEYLAST && IsLiveWindow(m_hWndSite))
        return m_pShortcutManager->TranslateAccelerator(m_hWndSite, pMsg);
    return FALSE;
}

BOOL CQorCommandBars::OnFrameMessage(UINT nMessage, WPARAM wParam, LPARAM, LRESULT* pResult)
{
    switch (nMessage) {
    case WM_CLOSE:
        // Closing the frame under a running customize drag would pull the bars from under it.
        if (m_pDropSource && m_pDropSource->IsDragging()) {
            *pResult = 0;
            return TRUE;
        }
        break;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        if (CQorPaintManager* pPaintManager = GetGlobalPaintManager())
            pPaintManager->RefreshMetrics();
        if (IsLiveWindow(m_hWndSite))
            ::RedrawWindow(m_hWndSite, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        RedrawCommandBars();
        break;
    case WM_ACTIVATEAPP:
        if (!wParam)
            ClosePopups();
        break;
    case WM_COMMAND: {
        // A bar's edit box with the focus runs the edit commands (cut, copy, paste) itself.
        CQorEdit* pEdit = dynamic_cast<CQorEdit*>(CWnd::FromHandlePermanent(::GetFocus()));
        if (pEdit && HIWORD(wParam) <= 1 && pEdit->OnCmdMsg(LOWORD(wParam), CN_COMMAND, nullptr, nullptr)) {
            *pResult = 0;
            return TRUE;
        }
        if (LOWORD(wParam) == ID_HELP && m_nPressedHelpId != 0 && IsLiveWindow(m_hWndSite)) {
            CWnd* pSite = CWnd::FromHandlePermanent(m_hWndSite);
            AFX_CMDHANDLERINFO info = {};
            if (pSite && pSite->OnCmdMsg(ID_HELP, CN_COMMAND, nullptr, &info))
                ::SendMessageW(m_hWndSite, WM_COMMANDHELP, 0, m_nPressedHelpId + 0x10000);
        }
        break;
    }
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) != SC_KEYMENU && wParam != 0 && !m_bCustomizeMode)
            ClosePopups();
        break;
    case WM_IDLEUPDATECMDUI:
        for (int i = 0; i < GetCount(); i++) {
            CQorCommandBar* pBar = m_arrToolBars[i];
            if (pBar->GetPosition() == qorBarFloating && pBar->GetSafeHwnd())
                pBar->OnUpdateCmdUI();
        }
        break;
    default:
        break;
    }
    return FALSE;
}

BOOL CQorCommandBars::SetToolBarPreviewMode(CQorCommandBar* pBar, BOOL bPreview)
{
    if (!pBar->GetSafeHwnd())
        return FALSE;
    if (!bPreview) {
        pBar->ShowWindow(SW_SHOWNA);
        return TRUE;
    }
    if (!IsBarShown(pBar))
        return FALSE;
    pBar->ShowWindow(SW_HIDE);
    return TRUE;
}

void CQorCommandBars::OnSetPreviewMode(BOOL bPreview)
{
    if ((bPreview != FALSE) == m_bInPreview)
        return;
    m_bInPreview = bPreview != FALSE;
    if (bPreview) {
        m_pShortcutManager->m_nDisableShortcuts++;
        m_arrPreviewHidden.RemoveAll();
        for (int i = 0; i < GetCount(); i++) {
            if (SetToolBarPreviewMode(m_arrToolBars[i], TRUE))
                m_arrPreviewHidden.Add(m_arrToolBars[i]);
        }
    } else {
        m_pShortcutManager->m_nDisableShortcuts--;
        for (INT_PTR i = 0; i < m_arrPreviewHidden.GetSize(); i++)
            SetToolBarPreviewMode(m_arrPreviewHidden[i], FALSE);
        m_arrPreviewHidden.RemoveAll();
    }
    RecalcFrameLayout();
}
