#include "toolkit/foundation/ToolTipWnd.h"

#include <algorithm>

#include "platform/framework/WinApp.h"
#include "toolkit/foundation/ColorManager.h"
#include "toolkit/foundation/SystemInfo.h"
#include "toolkit/foundation/ToolTipContext.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/ImageManager.h"
#include "toolkit/foundation/ToolTipText.h"

namespace {

const UINT_PTR kPendingTimer = 1;

// One mouse hook for the thread, held by the tip that shows.
HHOOK g_hMouseHook = nullptr;
CQorToolTipContextToolTip* g_pHookTip = nullptr;

bool IsRelayedMouseMessage(UINT nMessage)
{
    return (nMessage >= WM_MOUSEFIRST && nMessage <= 0x20D) ||
           (nMessage >= WM_NCMOUSEMOVE && nMessage <= WM_NCMBUTTONDBLCLK);
}

bool AnyMouseButtonDown()
{
    return (::GetKeyState(VK_LBUTTON) & 0x8000) || (::GetKeyState(VK_RBUTTON) & 0x8000) ||
           (::GetKeyState(VK_MBUTTON) & 0x8000);
}

bool IsMirroredWindow(HWND hWnd)
{
    return hWnd && (::GetWindowLongPtrW(hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
}

CRect MeasureText(CDC* pDC, CFont* pFont, const CString& strText, int nWidth, UINT nFormat)
{
    CQorFontDC font(pDC, pFont);
    CRect rc(0, 0, std::max(nWidth, 0), 0);
    ::DrawTextW(pDC->GetSafeHdc(), strText, -1, &rc, nFormat);
    return rc;
}

} // namespace

HWND QorTipWindowFromPoint(POINT pt)
{
    HWND hWnd = ::WindowFromPoint(pt);
    DWORD dwProcessId = 0;
    if (!hWnd || !::GetWindowThreadProcessId(hWnd, &dwProcessId) || dwProcessId != ::GetCurrentProcessId())
        return hWnd;
    if ((::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD) &&
        ::SendMessageW(hWnd, WM_QOR_TIP_IS_TRANSPARENT_CHILD, 0, 0) == 1)
        hWnd = ::GetParent(hWnd);
    return hWnd;
}

int QorGetCursorHeight()
{
    CSize sz = GetIconSize(::GetCursor());
    return sz.cy > 0 ? sz.cy : 21;
}

CQorToolTipContextToolTip::CQorToolTipContextToolTip(CQorToolTipContext* pContext) : m_pContext(pContext) {}

CQorToolTipContextToolTip::~CQorToolTipContextToolTip()
{
    if (g_pHookTip == this)
        RemoveMouseHook();
    for (INT_PTR i = 0; i < m_arrTools.GetSize(); ++i)
        delete m_arrTools[i];
}

BOOL CQorToolTipContextToolTip::CreateTip(HWND hWndOwner, DWORD dwStyle)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursorW(nullptr, IDC_ARROW));
    return CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, lpszClass, L"", WS_POPUP | dwStyle, 0, 0, 0, 0, hWndOwner,
                    nullptr);
}

UINT CQorToolTipContextToolTip::TextFormat(const CTool* pTool)
{
    return IsMirroredWindow(pTool->hWnd) ? (DT_NOPREFIX | DT_RIGHT | DT_RTLREADING) : DT_NOPREFIX;
}

COLORREF CQorToolTipContextToolTip::GetBackColor() const
{
    return m_pContext->m_clrBack != static_cast<COLORREF>(-1) ? m_pContext->m_clrBack : GetColor(COLOR_INFOBK);
}

COLORREF CQorToolTipContextToolTip::GetTextColor() const
{
    if (m_pContext->m_clrText != static_cast<COLORREF>(-1))
        return m_pContext->m_clrText;
    return m_pContext->m_nStyle == qorToolTipOffice2007 ? RGB(0x4C, 0x4C, 0x4C) : GetColor(COLOR_INFOTEXT);
}

CQorImageManagerIcon* CQorToolTipContextToolTip::GetImage() const
{
    return m_pImageManager ? m_pImageManager->GetImage(m_nImageId, m_nImageWidth) : nullptr;
}

CSize CQorToolTipContextToolTip::GetImageSize() const
{
    CQorImageManagerIcon* pImage = GetImage();
    return pImage ? CSize(pImage->GetWidth(), pImage->GetHeight()) : CSize(0, 0);
}

CString CQorToolTipContextToolTip::GetToolText(CTool* pTool)
{
    if (!pTool->bTextCallback)
        return pTool->strText;
    NMTTDISPINFOW info = {};
    info.hdr.hwndFrom = m_hWnd;
    info.hdr.idFrom = pTool->uId;
    info.hdr.code = TTN_NEEDTEXTW;
    info.lpszText = info.szText;
    info.uFlags = pTool->uFlags;
    ::SendMessageW(pTool->hWnd, WM_NOTIFY, pTool->uId, reinterpret_cast<LPARAM>(&info));
    CString strText = QorToolTipTextFromDispInfo(info);
    if (!(m_pContext->m_nStyleBits & TTS_NOPREFIX))
        StripMnemonic(strText);
    pTool->strText = strText;
    pTool->bTextCallback = FALSE;
    return strText;
}

CSize CQorToolTipContextToolTip::MeasureTip(CTool* pTool)
{
    CString strText = GetToolText(pTool);
    if (strText.IsEmpty())
        return CSize(0, 0);
    const int nX = m_rcMargin.left + m_rcMargin.right + 6;
    const int nY = m_rcMargin.top + m_rcMargin.bottom + 6;
    const int nW = m_nMaxWidth == -1 ? ::GetSystemMetrics(SM_CXSCREEN) : m_nMaxWidth;
    CClientDC dc(this);
    CRect rcBody =
        MeasureText(&dc, &m_pContext->m_fntNormal, strText, nW - nX, DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK);
    int w = rcBody.Width(), h = rcBody.Height();
    const CSize szImage = GetImageSize();
    const BOOL bImage = szImage.cx > 0;
    const BOOL bLarge = bImage && szImage.cy > 16;
    const BOOL bSmall = bImage && !bLarge;
    if (bLarge)
        w += szImage.cx + 5;
    else if (bSmall && m_strTitle.IsEmpty())
        w += szImage.cx + 3;
    if (bImage)
        h = std::max<int>(h, szImage.cy);
    if (!m_strTitle.IsEmpty()) {
        CRect rcTitle = MeasureText(&dc, &m_pContext->m_fntBold, m_strTitle, nW - nX - 25,
                                    DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
        h += rcTitle.Height() + 20;
        w = std::max<int>(w + 25, rcTitle.Width() + 4 + (bSmall ? szImage.cx + 1 : 0));
    }
    return CSize(w + nX, h + nY);
}

void CQorToolTipContextToolTip::DrawTip(CDC* pDC, CTool* pTool, CRect rcClient)
{
    HDC hdc = pDC->GetSafeHdc();
    const BOOL bMirror = IsMirroredWindow(pTool->hWnd);
    const UINT nFormat = TextFormat(pTool);
    CRect rcBody(rcClient.left + m_rcMargin.left + 3, rcClient.top + m_rcMargin.top + 3,
                 rcClient.right - m_rcMargin.right - 3, rcClient.bottom - m_rcMargin.bottom - 3);
    CRect rcTitle(rcBody.left + 2, rcBody.top + 2, rcBody.right - 2, rcBody.bottom);
    CQorImageManagerIcon* pImage = GetImage();
    const CSize szImage = GetImageSize();
    const BOOL bImage = pImage != nullptr;
    const BOOL bLarge = bImage && szImage.cy > 16;
    const BOOL bTitle = !m_strTitle.IsEmpty();
    const int iw = szImage.cx;

    if (bImage && !bLarge) {
        int x = bMirror ? rcBody.right - iw : rcBody.left;
        pImage->Draw(pDC, pImage->GetImage(CQorImageManagerIcon::stateNormal), x, rcBody.top);
        CRect& rcShift = bTitle ? rcTitle : rcBody;
        int nShift = bTitle ? iw + 1 : iw + 3;
        if (bMirror)
            rcShift.right -= nShift;
        else
            rcShift.left += nShift;
    }
    if (bTitle) {
        CQorFontDC font(pDC, &m_pContext->m_fntBold);
        ::DrawTextW(hdc, m_strTitle, -1, &rcTitle, nFormat | DT_SINGLELINE);
        SIZE sz = {};
        ::GetTextExtentPoint32W(hdc, m_strTitle, m_strTitle.GetLength(), &sz);
        font.ReleaseFont();
        rcBody.top += sz.cy + 12;
        rcBody.left += bMirror ? 15 : 10;
        rcBody.right -= bMirror ? 10 : 15;
    }
    if (bLarge) {
        int x = bMirror ? rcBody.right - iw : rcBody.left;
        pImage->Draw(pDC, pImage->GetImage(CQorImageManagerIcon::stateNormal), x, rcBody.top);
        if (bMirror)
            rcBody.right -= iw + 5;
        else
            rcBody.left += iw + 5;
    }
    CString strText = GetToolText(pTool);
    ::DrawTextW(hdc, strText, -1, &rcBody, nFormat | DT_WORDBREAK);
}

void CQorToolTipContextToolTip::DrawBackground(CDC* pDC, CTool*, CRect rcClient)
{
    pDC->FillSolidRect(&rcClient, GetBackColor());
    COLORREF clrTopLeft = (GetStyle() & 0x1000) ? ::GetSysColor(COLOR_BTNFACE) : RGB(0, 0, 0);
    pDC->Draw3dRect(&rcClient, clrTopLeft, RGB(0, 0, 0));
}

// ---- tools ---------------------------------------------------------------------------------

CQorToolTipContextToolTip::CTool* CQorToolTipContextToolTip::FindTool(HWND hWnd, UINT_PTR uId) const
{
    for (INT_PTR i = 0; i < m_arrTools.GetSize(); ++i) {
        if (m_arrTools[i]->hWnd == hWnd && m_arrTools[i]->uId == uId)
            return m_arrTools[i];
    }
    return nullptr;
}

void CQorToolTipContextToolTip::AddTool(const TOOLINFOW* pInfo)
{
    if (!pInfo || pInfo->cbSize < TTTOOLINFOW_V1_SIZE)
        return;
    CTool* pTool = new CTool;
    pTool->hWnd = pInfo->hwnd;
    pTool->uId = pInfo->uId;
    pTool->uFlags = pInfo->uFlags;
    pTool->rect = pInfo->rect;
    if (pInfo->lpszText == LPSTR_TEXTCALLBACKW)
        pTool->bTextCallback = TRUE;
    else if (pInfo->lpszText && !IS_INTRESOURCE(pInfo->lpszText))
        pTool->strText = pInfo->lpszText;
    if (pInfo->cbSize >= TTTOOLINFOW_V2_SIZE && pInfo->lParam)
        pTool->rcPlacement = reinterpret_cast<const QOR_TOOLINFO_EXTRA*>(pInfo->lParam)->rcPlacement;
    m_arrTools.Add(pTool);
}

void CQorToolTipContextToolTip::DeleteTool(const TOOLINFOW* pInfo)
{
    if (!pInfo)
        return;
    CTool* pTool = FindTool(pInfo->hwnd, pInfo->uId);
    if (!pTool)
        return;
    if (pTool == m_pShown)
        HideTip();
    if (pTool == m_pPending) {
        if (m_nTimer)
            KillTimer(m_nTimer);
        m_nTimer = 0;
        m_pPending = nullptr;
    }
    if (pTool == m_pPressed)
        m_pPressed = nullptr;
    for (INT_PTR i = 0; i < m_arrTools.GetSize(); ++i) {
        if (m_arrTools[i] == pTool) {
            m_arrTools.RemoveAt(i);
            break;
        }
    }
    delete pTool;
}

void CQorToolTipContextToolTip::Activate(BOOL bActive)
{
    m_bActive = bActive;
    if (bActive)
        return;
    if (m_nTimer)
        KillTimer(m_nTimer);
    m_nTimer = 0;
    m_pPending = nullptr;
    HideTip();
}

CQorToolTipContextToolTip::CTool* CQorToolTipContextToolTip::ToolFromCursor() const
{
    if (AnyMouseButtonDown())
        return nullptr;
    CPoint pt;
    ::GetCursorPos(&pt);
    HWND hWndUnder = QorTipWindowFromPoint(pt);
    for (INT_PTR i = 0; i < m_arrTools.GetSize(); ++i) {
        CTool* pTool = m_arrTools[i];
        CRect rc;
        if (pTool->uFlags & TTF_IDISHWND) {
            ::GetWindowRect(reinterpret_cast<HWND>(pTool->uId), &rc);
        } else {
            if (pTool->hWnd != hWndUnder)
                continue;
            rc = pTool->rect;
            ::MapWindowPoints(pTool->hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
            rc.NormalizeRect();
        }
        if (rc.PtInRect(pt))
            return pTool;
    }
    return nullptr;
}

void CQorToolTipContextToolTip::RelayEvent(const MSG* pMsg)
{
    if (!m_bActive || !pMsg || !IsRelayedMouseMessage(pMsg->message))
        return;
    CTool* pTool = ToolFromCursor();
    if (pMsg->message == WM_LBUTTONDOWN) {
        m_pPressed = pTool;
        pTool = nullptr;
    } else if (pTool && pTool == m_pPressed) {
        pTool = nullptr;
    } else if (pTool) {
        m_pPressed = nullptr; // another tool: the press no longer holds
    }
    if (m_nTimer && pTool != m_pPending) {
        KillTimer(m_nTimer);
        m_nTimer = 0;
        m_pPending = nullptr;
    }
    if (!pTool) {
        HideTip();
        return;
    }
    if (pTool == m_pShown)
        return;
    DWORD dwSince = ::GetTickCount() - m_dwLastChange;
    if (!m_bChangedOnce || dwSince >= static_cast<DWORD>(m_nReshowDelay)) {
        if (pTool != m_pPending) {
            m_pPending = pTool;
            m_nTimer = SetTimer(kPendingTimer, m_nInitialDelay);
        }
    } else {
        ShowTool(pTool);
    }
}

CPoint CQorToolTipContextToolTip::PlaceTip(CTool* pTool, CSize sz) const
{
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    CRect rc;
    if (pTool->rcPlacement.IsRectEmpty()) {
        rc = CRect(CPoint(ptCursor.x, ptCursor.y + QorGetCursorHeight()), sz);
        if (IsMirroredWindow(pTool->hWnd))
            rc.OffsetRect(-sz.cx, 0);
    } else {
        CPoint pt(pTool->rect.left, pTool->rcPlacement.bottom);
        ::ClientToScreen(pTool->hWnd, &pt);
        rc = CRect(pt, sz);
    }
    const CQorMultiMonitorApi& api = GetMultiMonitorApi();
    HMONITOR hMonitor = api.pfnMonitorFromPoint ? api.pfnMonitorFromPoint(ptCursor, MONITOR_DEFAULTTONEAREST) : nullptr;
    CRect rcWork = GetMonitorWorkArea(api, hMonitor);
    if (rc.right > rcWork.right - 4)
        rc.OffsetRect(rcWork.right - 4 - rc.right, 0);
    if (rc.left < rcWork.left)
        rc.OffsetRect(rcWork.left - rc.left, 0);
    if (rc.bottom > rcWork.bottom - 4)
        rc.OffsetRect(0, ptCursor.y - 3 - sz.cy - rc.top);
    return rc.TopLeft();
}

void CQorToolTipContextToolTip::ShowTool(CTool* pTool)
{
    if (pTool == m_pShown)
        return;
    CSize sz = MeasureTip(pTool);
    if (sz.cx == 0 && sz.cy == 0) {
        HideTip();
        return;
    }
    ShowWindow(SW_HIDE);
    CPoint pt = PlaceTip(pTool, sz);
    m_pShown = pTool;
    ::SetWindowPos(m_hWnd, HWND_TOP, pt.x, pt.y, sz.cx, sz.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    Invalidate(FALSE);
    InstallMouseHook();
    m_dwLastChange = ::GetTickCount();
    m_bChangedOnce = TRUE;
    OnTipShown(TRUE);
}

void CQorToolTipContextToolTip::HideTip()
{
    if (g_pHookTip == this)
        RemoveMouseHook();
    m_pPending = nullptr;
    if (m_pShown) {
        m_pShown = nullptr;
        // Leaving a tip counts as a change: the next tool within the reshow delay shows at once.
        m_dwLastChange = ::GetTickCount();
    }
    if (m_hWnd && IsWindowVisible())
        ShowWindow(SW_HIDE);
    OnTipShown(FALSE);
}

void CQorToolTipContextToolTip::InstallMouseHook()
{
    if (g_pHookTip == this)
        return;
    if (g_pHookTip)
        g_pHookTip->RemoveMouseHook();
    g_hMouseHook = ::SetWindowsHookExW(WH_MOUSE, &MouseHookProc, nullptr, ::GetCurrentThreadId());
    g_pHookTip = g_hMouseHook ? this : nullptr;
}

void CQorToolTipContextToolTip::RemoveMouseHook()
{
    if (g_hMouseHook)
        ::UnhookWindowsHookEx(g_hMouseHook);
    g_hMouseHook = nullptr;
    g_pHookTip = nullptr;
}

LRESULT CALLBACK CQorToolTipContextToolTip::MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    HHOOK hHook = g_hMouseHook;
    CQorToolTipContextToolTip* pTip = g_pHookTip;
    const MOUSEHOOKSTRUCT* pInfo = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
    if (nCode == HC_ACTION && pTip && pInfo && pTip->m_pShown && pInfo->hwnd != pTip->m_pShown->hWnd) {
        MSG msg = {};
        msg.hwnd = pInfo->hwnd;
        msg.message = WM_MOUSEMOVE;
        msg.pt = pInfo->pt;
        pTip->RelayEvent(&msg);
    }
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

void CQorToolTipContextToolTip::OnPaintTip()
{
    CPaintDC dc(this);
    CRect rcClient;
    if (::IsWindow(m_hWnd))
        GetClientRect(&rcClient);
    CTool* pTool = m_pShown;
    if (!pTool)
        return;
    DrawBackground(&dc, pTool, rcClient);
    ::SetTextColor(dc.GetSafeHdc(), GetTextColor());
    ::SetBkMode(dc.GetSafeHdc(), TRANSPARENT);
    CQorFontDC font(&dc, &m_pContext->m_fntNormal);
    DrawTip(&dc, pTool, rcClient);
}

LRESULT CQorToolTipContextToolTip::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case TTM_ADDTOOLW:
        AddTool(reinterpret_cast<const TOOLINFOW*>(lParam));
        return TRUE;
    case TTM_DELTOOLW:
        DeleteTool(reinterpret_cast<const TOOLINFOW*>(lParam));
        return 0;
    case TTM_ACTIVATE:
        Activate(static_cast<BOOL>(wParam));
        return 0;
    case TTM_RELAYEVENT:
        RelayEvent(reinterpret_cast<const MSG*>(lParam));
        return 0;
    case TTM_SETTITLEW:
        m_strTitle = lParam ? reinterpret_cast<LPCWSTR>(lParam) : L"";
        return TRUE;
    case TTM_UPDATETIPTEXTW: {
        const TOOLINFOW* pInfo = reinterpret_cast<const TOOLINFOW*>(lParam);
        CTool* pTool = pInfo ? FindTool(pInfo->hwnd, pInfo->uId) : nullptr;
        if (pTool) {
            pTool->bTextCallback = pInfo->lpszText == LPSTR_TEXTCALLBACKW;
            pTool->strText =
                pTool->bTextCallback || !pInfo->lpszText || IS_INTRESOURCE(pInfo->lpszText) ? L"" : pInfo->lpszText;
        }
        return 0;
    }
    case TTM_SETDELAYTIME:
        if (wParam == TTDT_INITIAL)
            m_nInitialDelay = static_cast<int>(lParam);
        else if (wParam == TTDT_RESHOW)
            m_nReshowDelay = static_cast<int>(lParam);
        return 0;
    case TTM_SETMAXTIPWIDTH: {
        int nOld = m_nMaxWidth;
        m_nMaxWidth = static_cast<int>(lParam);
        return nOld;
    }
    case TTM_SETMARGIN:
        if (lParam)
            m_rcMargin = *reinterpret_cast<const RECT*>(lParam);
        return 0;
    case TTM_SETTIPBKCOLOR:
    case TTM_SETTIPTEXTCOLOR:
        return 0; // the own tips take their colours from the context
    case TTM_WINDOWFROMPOINT:
        return reinterpret_cast<LRESULT>(QorTipWindowFromPoint(*reinterpret_cast<const POINT*>(lParam)));
    case WM_QOR_TIP_SET_IMAGE:
        if (auto* pIcon = reinterpret_cast<CQorImageManagerIcon*>(lParam)) {
            // Image-list icons belong to no icon set: the context's manager is theirs.
            CQorImageManager* pContextImages = m_pContext->m_pImageManager;
            m_pImageManager = pContextImages && pContextImages->GetImage(pIcon->GetID(), pIcon->GetWidth()) == pIcon
                                  ? pContextImages
                                  : pIcon->GetManager();
            m_nImageId = pIcon->GetID();
            m_nImageWidth = pIcon->GetWidth();
        } else {
            m_pImageManager = nullptr;
        }
        return 0;
    case WM_SETFONT:
        m_hFont = reinterpret_cast<HFONT>(wParam);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_hFont);
    case WM_PAINT:
        OnPaintTip();
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_MOUSEMOVE:
        HideTip();
        return 0;
    case WM_TIMER:
        if (wParam == kPendingTimer) {
            CTool* pPending = m_pPending;
            KillTimer(kPendingTimer);
            m_nTimer = 0;
            m_pPending = nullptr;
            if (pPending && ToolFromCursor() == pPending)
                ShowTool(pPending);
            return 0;
        }
        break;
    case WM_DESTROY:
        if (g_pHookTip == this)
            RemoveMouseHook();
        if (m_nTimer)
            KillTimer(m_nTimer);
        m_nTimer = 0;
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
