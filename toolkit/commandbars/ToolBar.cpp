// The tool bar's window and contents: creation docked in a frame or a dock bar, buttons from a
// resource or a list of ids with the site's say over each, sizes, borders and gripper, the
// cursor over the gripper, print preview, and the default set it can be reset to.
#include "toolkit/commandbars/ToolBar.h"

#include <vector>

#include "platform/framework/AfxState.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/WinApp.h"

#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsOptions.h"
#include "toolkit/commandbars/CommandBarsResources.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/PaintManager.h"
#include "toolkit/commandbars/ToolBarResource.h"
#include "toolkit/foundation/ImageManager.h"
#include "toolkit/foundation/ResourceManager.h"

IMPLEMENT_DYNCREATE(CQorToolBar, CQorCommandBar)

BEGIN_MESSAGE_MAP(CQorToolBar, CQorCommandBar)
    ON_MESSAGE(WM_SIZEPARENT, &CQorToolBar::OnSizeParent)
    ON_WM_SETCURSOR()
    ON_WM_CLOSE()
    ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

CQorToolBar::CQorToolBar()
{
    m_dwFlags = flagDefault;
    m_barType = qorBarTypeToolBar;
    m_barPosition = qorBarTop;
    GetWindowClass();
}

CQorToolBar::~CQorToolBar() = default;

LPCWSTR CQorToolBar::GetWindowClass()
{
    static const wchar_t kClass[] = L"QorToolBar";
    WNDCLASSW wc = {};
    const HINSTANCE hInstance = ::GetModuleHandleW(nullptr);
    if (!::GetClassInfoW(hInstance, kClass, &wc)) {
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = hInstance;
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kClass;
        ::RegisterClassW(&wc);
    }
    return kClass;
}

BOOL CQorToolBar::Create(CWnd* pParentWnd, int nPosition, UINT nID)
{
    if (!pParentWnd || !::IsWindow(pParentWnd->GetSafeHwnd()) || nPosition < qorBarTop || nPosition > qorBarRight)
        return FALSE;
    m_barPosition = nPosition;
    const BOOL bRightToLeft = (pParentWnd->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (!CreateEx(bRightToLeft ? WS_EX_LAYOUTRTL : 0, GetWindowClass(), GetTitle(), dwStyle, CRect(0, 0, 0, 0),
                  pParentWnd, nID))
        return FALSE;
    // The frame places its bars at idle time: a new bar takes its strip then.
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->DelayRecalcLayout();
    return TRUE;
}

BOOL CQorToolBar::LoadToolBar(UINT nIDResource, BOOL bLoadImages)
{
    // Read first: a resource that is missing or broken must not cost the bar its buttons.
    QOR_TOOLBAR_RESOURCE toolBar;
    if (!QorReadToolBarResource(AfxGetResourceHandle(), nIDResource, toolBar))
        return FALSE;
    SetBarID(nIDResource);
    const int nCount = static_cast<int>(toolBar.ids.size());
    if (!SetButtons(toolBar.ids.data(), nCount))
        return FALSE;
    if (bLoadImages) {
        std::vector<UINT> imageIds;
        for (UINT nId : toolBar.ids)
            if (nId != 0)
                imageIds.push_back(nId);
        // A bar without images of its own still works: its buttons show their captions.
        if (!imageIds.empty())
            GetImageManager()->SetIconsFromBitmapResource(nIDResource, imageIds.data(),
                                                          static_cast<int>(imageIds.size()), 0, toolBar.nWidth,
                                                          toolBar.nHeight);
        // 16 is the size every theme starts from: only another width pins the bar's own.
        if (toolBar.nWidth != 16)
            m_szIcon = CSize(toolBar.nWidth, toolBar.nHeight);
    }
    m_pControls->CreateOriginalControls();
    OnRecalcLayout();
    return TRUE;
}

BOOL CQorToolBar::SetButtons(const UINT* pIds, int nCount)
{
    if (nCount < 0 || (nCount > 0 && !pIds))
        return FALSE;
    m_pControls->RemoveAll();
    const HWND hWndSite = GetSite();
    BOOL bBeginGroup = FALSE;
    for (int i = 0; i < nCount; i++) {
        if (pIds[i] == 0) {
            bBeginGroup = TRUE;
            continue;
        }
        const int nId = static_cast<int>(pIds[i]);
        QOR_CONTROL_CREATE_REQUEST request = {
            nId, nullptr, TRUE, i, nullptr, this, nullptr, qorControlButton, qorButtonAutomatic};
        if (hWndSite)
            ::SendMessageW(hWndSite, QORWM_CONTROLCREATEREQUEST, 0, reinterpret_cast<LPARAM>(&request));
        // The site changed what the resource asked for: the bar lays out again.
        if (request.pControl || request.nId != nId || request.nType != qorControlButton ||
            request.nStyle != qorButtonAutomatic)
            DelayLayout();
        CQorControl* pControl = request.pControl
                                    ? m_pControls->InsertControl(request.pControl, request.nId)
                                    : m_pControls->Add(request.nType, request.nId);
        if (!pControl)
            continue;
        if (request.nStyle != qorButtonAutomatic)
            pControl->SetStyle(request.nStyle);
        if (bBeginGroup)
            pControl->SetBeginGroup(TRUE);
        bBeginGroup = FALSE;
        request.pControl = pControl;
        if (hWndSite)
            ::SendMessageW(hWndSite, QORWM_AFTERCONTROLCREATE, 0, reinterpret_cast<LPARAM>(&request));
    }
    OnControlsChanged();
    return TRUE;
}

CSize CQorToolBar::GetIconSize() const
{
    if (m_szIcon.cx > 0 && m_szIcon.cy > 0)
        return m_szIcon;
    if (CQorCommandBars* pCommandBars = GetCommandBars()) {
        const CSize szOptions = pCommandBars->GetCommandBarsOptions()->m_szIcons;
        if (szOptions.cx > 0 && szOptions.cy > 0)
            return szOptions;
    }
    return GetPaintManager()->GetToolBarIconSize(const_cast<CQorToolBar*>(this));
}

CSize CQorToolBar::GetButtonSize() const
{
    if (m_szButton.cx > 0 && m_szButton.cy > 0)
        return m_szButton;
    const CSize szIcon = GetIconSize();
    return CSize(szIcon.cx + 6, szIcon.cy + 6);
}

CRect CQorToolBar::GetBorders()
{
    if (m_barPosition == qorBarFloating)
        return CRect(3, 3, 3, 3);
    CQorPaintManager* pPaintManager = GetPaintManager();
    CRect rc = pPaintManager->GetCommandBarBorders(this);
    if (m_dwBarStyle & kStyleDrawFrame) {
        const CSize szGripper = pPaintManager->DrawCommandBarGripper(nullptr, this, FALSE);
        rc.left += szGripper.cx;
        rc.top += szGripper.cy;
    }
    return rc;
}

CRect CQorToolBar::GetGripperRect() const
{
    if (!(m_dwBarStyle & kStyleDrawFrame) || !IsDocked() || !m_hWnd)
        return CRect(0, 0, 0, 0);
    CQorToolBar* pThis = const_cast<CQorToolBar*>(this);
    CQorPaintManager* pPaintManager = GetPaintManager();
    const CSize szGripper = pPaintManager->DrawCommandBarGripper(nullptr, pThis, FALSE);
    const CRect rcBorders = pPaintManager->GetCommandBarBorders(pThis);
    CRect rc;
    GetClientRect(&rc);
    if (szGripper.cx > 0)
        rc.right = rc.left + rcBorders.left + szGripper.cx;
    else if (szGripper.cy > 0)
        rc.bottom = rc.top + rcBorders.top + szGripper.cy;
    else
        rc.SetRectEmpty();
    return rc;
}

BOOL CQorToolBar::IsVisible() const
{
    return m_hWnd && ::IsWindowVisible(m_hWnd);
}

void CQorToolBar::OnRecalcLayout()
{
    if (!m_hWnd || !IsVisible() || m_bInRecalcLayout)
        return;
    m_bInRecalcLayout = TRUE;
    // The frame places its bars (a dock bar places its own through the frame's pass).
    if (CFrameWnd* pFrame = GetParentFrame()) {
        pFrame->RecalcLayout();
    } else if (const HWND hWndSite = GetSite()) {
        CRect rcClient;
        ::GetClientRect(hWndSite, &rcClient);
        ::SendMessageW(hWndSite, WM_SIZE, SIZE_RESTORED, MAKELPARAM(rcClient.Width(), rcClient.Height()));
    }
    Redraw(nullptr, FALSE);
    m_bInRecalcLayout = FALSE;
}

BOOL CQorToolBar::IsChanged() const
{
    CQorOriginalControls* pOriginal = m_pControls->GetOriginalControls();
    return m_bCustomizable && pOriginal && !m_pControls->IsEqual(pOriginal);
}

BOOL CQorToolBar::ResetToolBar(BOOL bAsk)
{
    CQorOriginalControls* pOriginal = m_pControls->GetOriginalControls();
    if (!pOriginal)
        return FALSE;
    if (bAsk) {
        CString strFormat = GetResourceManager()->LoadString(QOR_IDS_CONFIRM_RESET);
        CString strQuestion;
        strQuestion.Format(strFormat, static_cast<LPCWSTR>(GetTitle()));
        if (AfxMessageBox(strQuestion, MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK)
            return FALSE;
    }
    m_pControls->Copy(pOriginal);
    OnControlsChanged();
    OnRecalcLayout();
    if (const HWND hWndSite = GetSite())
        ::SendMessageW(hWndSite, QORWM_MENUBARRESET, 0, reinterpret_cast<LPARAM>(this));
    return TRUE;
}

void CQorToolBar::OnSetPreviewMode(BOOL bPreview)
{
    if (!m_hWnd || (bPreview != FALSE) == (m_bInPreview != FALSE))
        return;
    m_bInPreview = bPreview;
    if (bPreview) {
        // The bar's own state: a frame hidden itself still gets its bars back.
        m_bPreviewVisible = (GetStyle() & WS_VISIBLE) != 0;
        if (m_bPreviewVisible)
            ShowWindow(SW_HIDE);
    } else if (m_bPreviewVisible) {
        ShowWindow(SW_SHOWNA);
    }
}

void CQorToolBar::SetPreviewModeOfBars(CWnd* pFrame, BOOL bPreview)
{
    if (!pFrame || !::IsWindow(pFrame->GetSafeHwnd()))
        return;
    // The bars stand in the frame or one level down, in its dock bars.
    for (HWND hChild = ::GetWindow(pFrame->GetSafeHwnd(), GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        CWnd* pChild = CWnd::FromHandlePermanent(hChild);
        if (pChild && pChild->IsKindOf(RUNTIME_CLASS(CQorToolBar))) {
            static_cast<CQorToolBar*>(pChild)->OnSetPreviewMode(bPreview);
            continue;
        }
        for (HWND hBar = ::GetWindow(hChild, GW_CHILD); hBar; hBar = ::GetWindow(hBar, GW_HWNDNEXT)) {
            CWnd* pBar = CWnd::FromHandlePermanent(hBar);
            if (pBar && pBar->IsKindOf(RUNTIME_CLASS(CQorToolBar)))
                static_cast<CQorToolBar*>(pBar)->OnSetPreviewMode(bPreview);
        }
    }
}

BOOL CQorToolBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT && (m_dwFlags & flagDockOrFloat) && IsDocked()) {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        if (GetGripperRect().PtInRect(pt)) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
            return TRUE;
        }
    }
    return CQorCommandBar::OnSetCursor(pWnd, nHitTest, message);
}

void CQorToolBar::OnClose()
{
    // A tool bar is hidden through its manager, never closed like a window.
}
