#include "toolkit/foundation/Resize.h"

#include "platform/framework/WinApp.h"

namespace {

const UINT kSizeIconId = 0x7FFF;
const UINT kDeferFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;

} // namespace

// ---------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CVkSizeIcon, CScrollBar)
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CVkSizeIcon::CVkSizeIcon() : m_hCursor(::LoadCursorW(nullptr, IDC_SIZENWSE)) {}

BOOL CVkSizeIcon::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT && m_hCursor) {
        ::SetCursor(m_hCursor);
        return TRUE;
    }
    return CScrollBar::OnSetCursor(pWnd, nHitTest, message);
}

// ---------------------------------------------------------------------------------------

CVkResizeItem::CVkResizeItem(CWnd* pWnd, BOOL bOwnedWnd, float fLeft, float fTop, float fRight, float fBottom)
    : m_bOwnedWnd(bOwnedWnd), m_bInitialized(FALSE), m_bTransparent(FALSE), m_pWnd(pWnd), m_fLeft(fLeft), m_fTop(fTop),
      m_fRight(fRight), m_fBottom(fBottom)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    ::MapWindowPoints(nullptr, ::GetParent(pWnd->GetSafeHwnd()), reinterpret_cast<LPPOINT>(&rc), 2);
    m_rcInitLeft = m_rcLeft = static_cast<float>(rc.left);
    m_rcInitTop = m_rcTop = static_cast<float>(rc.top);
    m_rcInitRight = m_rcRight = static_cast<float>(rc.right);
    m_rcInitBottom = m_rcBottom = static_cast<float>(rc.bottom);
}

CVkResizeItem::~CVkResizeItem()
{
    if (m_bOwnedWnd && m_pWnd) {
        m_pWnd->Detach();
        delete m_pWnd;
    }
}

void CVkResizeItem::Prepare(BOOL bNoTransparent)
{
    if (bNoTransparent)
        return;
    wchar_t className[16] = {};
    ::GetClassNameW(m_pWnd->GetSafeHwnd(), className, 16);
    if (::lstrcmpiW(className, L"Button") != 0 || (m_pWnd->GetStyle() & 0x10007) != BS_GROUPBOX)
        return;
    m_pWnd->ModifyStyleEx(0, WS_EX_TRANSPARENT, SWP_FRAMECHANGED);
    m_bTransparent = TRUE;
}

// ---------------------------------------------------------------------------------------

CVkResize::CVkResize(CWnd* pOwner, int nFlags) : m_pOwner(pOwner), m_nResizeFlags(nFlags) {}

CVkResize::~CVkResize()
{
    RemoveAllItems();
}

void CVkResize::RemoveAllItems()
{
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); ++i)
        delete m_arrItems[i];
    m_arrItems.RemoveAll();
}

CVkResizeItem* CVkResize::FindItem(HWND hWnd) const
{
    for (INT_PTR i = m_arrItems.GetSize() - 1; i >= 0; --i) {
        if (m_arrItems[i]->m_pWnd->GetSafeHwnd() == hWnd)
            return m_arrItems[i];
    }
    return nullptr;
}

BOOL CVkResize::SetResize(UINT nID, float fLeft, float fTop, float fRight, float fBottom)
{
    HWND hWnd = ::GetDlgItem(m_pOwner->GetSafeHwnd(), static_cast<int>(nID));
    if (!hWnd)
        return FALSE; // no control: there is no rectangle to follow
    if (CVkResizeItem* pItem = FindItem(hWnd)) {
        pItem->m_fLeft += fLeft;
        pItem->m_fTop += fTop;
        pItem->m_fRight += fRight;
        pItem->m_fBottom += fBottom;
        return TRUE;
    }
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    BOOL bOwned = FALSE;
    if (!pWnd) {
        pWnd = new CWnd;
        pWnd->Attach(hWnd);
        bOwned = TRUE;
    }
    CVkResizeItem* pItem = new CVkResizeItem(pWnd, bOwned, fLeft, fTop, fRight, fBottom);
    pItem->Prepare((m_nResizeFlags & flagNoTransparentGroup) != 0);
    m_arrItems.Add(pItem);
    return TRUE;
}

void CVkResize::CreateSizeIcon(const CRect& rcClient)
{
    if (!m_scSizeIcon.GetSafeHwnd()) {
        int cx = ::GetSystemMetrics(SM_CXVSCROLL), cy = ::GetSystemMetrics(SM_CYHSCROLL);
        CRect rc(rcClient.right - 1 - cx, rcClient.bottom - 1 - cy, rcClient.right - 1, rcClient.bottom - 1);
        if (!m_scSizeIcon.Create(WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, rc, m_pOwner, kSizeIconId))
            return;
    }
    m_scSizeIcon.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetResize(kSizeIconId, 1, 1, 1, 1);
}

void CVkResize::Init()
{
    RemoveAllItems();
    CRect rcClient;
    m_pOwner->GetClientRect(&rcClient);
    m_szLast = m_szInit = rcClient.Size();
    if (!(m_nResizeFlags & flagNoMinSize))
        m_szMin = m_szInit;
    if (!(m_nResizeFlags & flagNoClipChildren))
        m_pOwner->ModifyStyle(0, WS_CLIPCHILDREN);
    if (!(m_nResizeFlags & flagNoSizeIcon))
        CreateSizeIcon(rcClient);
}

void CVkResize::Resize()
{
    if (m_arrItems.GetSize() == 0)
        return;
    CRect rcClient;
    m_pOwner->GetClientRect(&rcClient);
    CSize szClient = rcClient.Size();
    AdjustResizeRect(szClient);
    if (szClient.cx == 0 || szClient.cy == 0 || szClient == m_szLast)
        return;
    int dx = szClient.cx - m_szLast.cx, dy = szClient.cy - m_szLast.cy;

    HDWP hdwp = ::BeginDeferWindowPos(static_cast<int>(m_arrItems.GetSize()));
    for (INT_PTR i = 0; i < m_arrItems.GetSize() && hdwp; ++i) {
        if (!MoveItem(m_arrItems[i], hdwp, dx, dy))
            break;
    }
    if (hdwp)
        ::EndDeferWindowPos(hdwp);
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); ++i) {
        if (m_arrItems[i]->m_bTransparent)
            ::InvalidateRect(m_arrItems[i]->m_pWnd->GetSafeHwnd(), nullptr, TRUE);
    }
    m_szLast = szClient;
}

BOOL CVkResize::MoveItem(CVkResizeItem* pItem, HDWP& hdwp, int dx, int dy)
{
    HWND hWnd = pItem->m_pWnd->GetSafeHwnd();
    if (!::IsWindow(hWnd))
        return TRUE;
    if (!pItem->m_bInitialized) {
        // The first move catches up with every change since the layout started.
        dx = m_szLast.cx + dx - m_szInit.cx;
        dy = m_szLast.cy + dy - m_szInit.cy;
        pItem->m_bInitialized = TRUE;
    }
    float left = pItem->m_rcLeft + pItem->m_fLeft * dx;
    float top = pItem->m_rcTop + pItem->m_fTop * dy;
    float right = pItem->m_rcRight + pItem->m_fRight * dx;
    float bottom = pItem->m_rcBottom + pItem->m_fBottom * dy;
    if (left == pItem->m_rcLeft && top == pItem->m_rcTop && right == pItem->m_rcRight && bottom == pItem->m_rcBottom)
        return TRUE;

    int oldX = static_cast<int>(pItem->m_rcLeft), oldY = static_cast<int>(pItem->m_rcTop);
    int oldCx = static_cast<int>(pItem->m_rcRight) - oldX, oldCy = static_cast<int>(pItem->m_rcBottom) - oldY;
    int x = static_cast<int>(left), y = static_cast<int>(top);
    int cx = static_cast<int>(right) - x, cy = static_cast<int>(bottom) - y;
    UINT flags = kDeferFlags;
    if (x == oldX && y == oldY)
        flags |= SWP_NOMOVE;
    if (cx == oldCx && cy == oldCy)
        flags |= SWP_NOSIZE;
    else
        flags |= SWP_NOCOPYBITS;
    hdwp = ::DeferWindowPos(hdwp, hWnd, nullptr, x, y, cx, cy, flags);
    if (!hdwp)
        return FALSE;
    pItem->m_rcLeft = left;
    pItem->m_rcTop = top;
    pItem->m_rcRight = right;
    pItem->m_rcBottom = bottom;
    return TRUE;
}

void CVkResize::GetMinMaxInfo(MINMAXINFO* pMMI) const
{
    CRect rcWindow, rcClient;
    m_pOwner->GetWindowRect(&rcWindow);
    m_pOwner->GetClientRect(&rcClient);
    CSize szFrame(rcWindow.Width() - rcClient.Width(), rcWindow.Height() - rcClient.Height());
    if (m_szLast.cx || m_szLast.cy) {
        if (m_nResizeFlags & flagFixedWidth)
            pMMI->ptMaxSize.x = pMMI->ptMaxTrackSize.x = szFrame.cx + m_szLast.cx;
        if (m_nResizeFlags & flagFixedHeight)
            pMMI->ptMaxSize.y = pMMI->ptMaxTrackSize.y = szFrame.cy + m_szLast.cy;
    }
    if (m_szMin.cx)
        pMMI->ptMinTrackSize.x = szFrame.cx + m_szMin.cx;
    if (m_szMin.cy)
        pMMI->ptMinTrackSize.y = szFrame.cy + m_szMin.cy;
    if (m_szMax.cx)
        pMMI->ptMaxTrackSize.x = szFrame.cx + m_szMax.cx;
    if (m_szMax.cy)
        pMMI->ptMaxTrackSize.y = szFrame.cy + m_szMax.cy;
}

void CVkResize::SavePlacement(LPCTSTR lpszSection)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp || !lpszSection || !*lpszSection || !m_pOwner->GetSafeHwnd())
        return;
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof(wp);
    if (m_pOwner->GetWindowPlacement(&wp))
        pApp->WriteProfileBinary(lpszSection, L"WindowPlacement", reinterpret_cast<LPBYTE>(&wp), sizeof(wp));
}

// ---------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CVkResizeDialog, CDialog)
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CVkResizeDialog::CVkResizeDialog() : CVkResize(this) {}

CVkResizeDialog::CVkResizeDialog(UINT nIDTemplate, CWnd* pParentWnd, int nFlags)
    : CDialog(nIDTemplate, pParentWnd), CVkResize(this, nFlags)
{}

BOOL CVkResizeDialog::OnInitDialog()
{
    if (!(GetStyle() & WS_THICKFRAME))
        m_nResizeFlags |= flagNoSizeIcon;
    BOOL bResult = CDialog::OnInitDialog();
    CVkResize::Init();
    return bResult;
}

void CVkResizeDialog::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    CVkResize::Resize();
}

void CVkResizeDialog::OnGetMinMaxInfo(MINMAXINFO* pMMI)
{
    CVkResize::GetMinMaxInfo(pMMI);
}

void CVkResizeDialog::OnDestroy()
{
    if (!m_strSection.IsEmpty())
        SavePlacement(m_strSection);
    CDialog::OnDestroy();
}
