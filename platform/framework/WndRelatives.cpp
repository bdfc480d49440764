// CWnd: descendants and layout, relatives, dialog items and text.
#include "platform/framework/Wnd.h"

#include "platform/framework/AfxState.h"
#include "platform/framework/Exceptions.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/Gdi.h"
#include "platform/framework/Menu.h"
#include "platform/framework/WinApp.h"

namespace {

// Parent of a child window, owner of a top-level one.
HWND ParentOrOwner(HWND hWnd)
{
    if (::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD)
        return ::GetParent(hWnd);
    return ::GetWindow(hWnd, GW_OWNER);
}

// The window reached from hWnd by going `up` until that answers null.
template <class Up> HWND Uppermost(HWND hWnd, Up up)
{
    for (HWND above; (above = up(hWnd)) != nullptr;)
        hWnd = above;
    return hWnd;
}

} // namespace

// ---------------------------------------------------------------------------------------
// Descendants and layout

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    SendMessageToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

void CWnd::SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild;) {
        HWND hWndNext = ::GetNextWindow(hWndChild, GW_HWNDNEXT);
        if (bOnlyPerm) {
            if (CWnd* pWnd = FromHandlePermanent(hWndChild))
                AfxCallWndProc(pWnd, hWndChild, message, wParam, lParam);
        } else {
            ::SendMessageW(hWndChild, message, wParam, lParam);
        }
        if (bDeep && ::IsWindow(hWndChild) && ::GetTopWindow(hWndChild))
            SendMessageToDescendants(hWndChild, message, wParam, lParam, bDeep, bOnlyPerm);
        hWndChild = (hWndNext && ::IsWindow(hWndNext)) ? hWndNext : nullptr;
    }
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild; hWndChild = ::GetNextWindow(hWndChild, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(hWndChild) == nID) {
            if (!bOnlyPerm)
                return FromHandle(hWndChild);
            if (CWnd* pWnd = FromHandlePermanent(hWndChild))
                return pWnd;
        }
        if (::GetTopWindow(hWndChild)) {
            CWnd child(hWndChild);
            CWnd* found = child.GetDescendantWindow(nID, bOnlyPerm);
            child.m_hWnd = nullptr;
            if (found)
                return found;
        }
    }
    return nullptr;
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch)
{
    AFX_SIZEPARENTPARAMS layout = {};
    layout.bStretch = bStretch;
    if (lpRectClient)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(m_hWnd, &layout.rect);
    layout.hDWP = (nFlags == reposQuery) ? nullptr : ::BeginDeferWindowPos(8);

    HWND hWndLeftOver = nullptr;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild; hWndChild = ::GetNextWindow(hWndChild, GW_HWNDNEXT)) {
        UINT nIDC = static_cast<UINT>(::GetDlgCtrlID(hWndChild));
        if (nIDC == nIDLeftOver)
            hWndLeftOver = hWndChild;
        else if (nIDC >= nIDFirst && nIDC <= nIDLast && FromHandlePermanent(hWndChild))
            ::SendMessageW(hWndChild, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }

    if (nFlags == reposQuery) {
        if (lpRectParam) {
            if (bStretch)
                ::CopyRect(lpRectParam, &layout.rect);
            else {
                lpRectParam->left = lpRectParam->top = 0;
                lpRectParam->right = layout.sizeTotal.cx;
                lpRectParam->bottom = layout.sizeTotal.cy;
            }
        }
        return;
    }

    if (nFlags == reposExtra && lpRectParam) {
        layout.rect.left += lpRectParam->left;
        layout.rect.top += lpRectParam->top;
        layout.rect.right -= lpRectParam->right;
        layout.rect.bottom -= lpRectParam->bottom;
    }
    if (!lpRectClient && hWndLeftOver) {
        CRect rect(layout.rect);
        if (rect.right < rect.left)
            rect.right = rect.left;
        if (rect.bottom < rect.top)
            rect.bottom = rect.top;
        AfxRepositionWindow(&layout, hWndLeftOver, &rect);
    }
    if (layout.hDWP)
        ::EndDeferWindowPos(layout.hDWP);
}

// ---------------------------------------------------------------------------------------
// Relatives

CWnd* CWnd::GetParent() const
{
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::SetParent(CWnd* pWndNewParent)
{
    return FromHandle(::SetParent(m_hWnd, pWndNewParent->GetSafeHwnd()));
}

CWnd* CWnd::GetOwner() const
{
    return m_hWndOwner ? FromHandle(m_hWndOwner) : GetParent();
}

CFrameWnd* CWnd::GetParentFrame() const
{
    if (!GetSafeHwnd())
        return nullptr;
    for (HWND hWnd = ::GetParent(m_hWnd); hWnd; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandle(hWnd);
        if (pWnd->IsFrameWnd())
            return static_cast<CFrameWnd*>(pWnd);
    }
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    if (!GetSafeHwnd())
        return nullptr;
    CFrameWnd* pFrame = IsFrameWnd() ? static_cast<CFrameWnd*>(const_cast<CWnd*>(this)) : GetParentFrame();
    while (pFrame) {
        CFrameWnd* pNext = pFrame->GetParentFrame();
        if (!pNext)
            break;
        pFrame = pNext;
    }
    return pFrame;
}

CWnd* CWnd::GetTopLevelParent() const
{
    return GetSafeHwnd() ? FromHandle(Uppermost(m_hWnd, ParentOrOwner)) : nullptr;
}

CWnd* CWnd::GetTopLevelOwner() const
{
    return GetSafeHwnd() ? FromHandle(Uppermost(m_hWnd, [](HWND hWnd) { return ::GetWindow(hWnd, GW_OWNER); }))
                         : nullptr;
}

CWnd* CWnd::GetParentOwner() const
{
    auto parentOfChild = [](HWND hWnd) -> HWND {
        return (::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD) ? ::GetParent(hWnd) : nullptr;
    };
    return GetSafeHwnd() ? FromHandle(Uppermost(m_hWnd, parentOfChild)) : nullptr;
}

CWnd* CWnd::GetWindow(UINT nCmd) const
{
    return FromHandle(::GetWindow(m_hWnd, nCmd));
}
CWnd* CWnd::GetTopWindow() const
{
    return FromHandle(::GetTopWindow(m_hWnd));
}
CWnd* CWnd::GetNextWindow(UINT nFlag) const
{
    return FromHandle(::GetNextWindow(m_hWnd, nFlag));
}
CWnd* CWnd::GetLastActivePopup() const
{
    return FromHandle(::GetLastActivePopup(m_hWnd));
}
BOOL CWnd::IsChild(const CWnd* pWnd) const
{
    return ::IsChild(m_hWnd, pWnd->GetSafeHwnd());
}
CWnd* CWnd::ChildWindowFromPoint(POINT point) const
{
    return FromHandle(::ChildWindowFromPoint(m_hWnd, point));
}
CWnd* CWnd::ChildWindowFromPoint(POINT point, UINT nFlags) const
{
    return FromHandle(::ChildWindowFromPointEx(m_hWnd, point, nFlags));
}
CWnd* CWnd::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    return FromHandle(::GetNextDlgTabItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious));
}
CWnd* CWnd::GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    return FromHandle(::GetNextDlgGroupItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious));
}

CWnd* CWnd::GetFocus()
{
    return FromHandle(::GetFocus());
}
CWnd* CWnd::GetActiveWindow()
{
    return FromHandle(::GetActiveWindow());
}
CWnd* CWnd::GetCapture()
{
    return FromHandle(::GetCapture());
}
CWnd* CWnd::GetForegroundWindow()
{
    return FromHandle(::GetForegroundWindow());
}
CWnd* CWnd::GetDesktopWindow()
{
    return FromHandle(::GetDesktopWindow());
}
CWnd* CWnd::WindowFromPoint(POINT point)
{
    return FromHandle(::WindowFromPoint(point));
}
CWnd* CWnd::FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName)
{
    return FromHandle(::FindWindowW(lpszClassName, lpszWindowName));
}
CWnd* CWnd::FindWindowEx(HWND hwndParent, HWND hwndChildAfter, LPCTSTR lpszClass, LPCTSTR lpszWindow)
{
    return FromHandle(::FindWindowExW(hwndParent, hwndChildAfter, lpszClass, lpszWindow));
}
CWnd* CWnd::SetFocus()
{
    return FromHandle(::SetFocus(m_hWnd));
}
CWnd* CWnd::SetActiveWindow()
{
    return FromHandle(::SetActiveWindow(m_hWnd));
}
CWnd* CWnd::SetCapture()
{
    return FromHandle(::SetCapture(m_hWnd));
}
BOOL CWnd::SetForegroundWindow()
{
    return ::SetForegroundWindow(m_hWnd);
}

// ---------------------------------------------------------------------------------------
// Dialog items and text

CWnd* CWnd::GetDlgItem(int nID) const
{
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}
void CWnd::GetDlgItem(int nID, HWND* phWnd) const
{
    *phWnd = ::GetDlgItem(m_hWnd, nID);
}
int CWnd::GetDlgCtrlID() const
{
    return ::GetDlgCtrlID(m_hWnd);
}
int CWnd::SetDlgCtrlID(int nID)
{
    return static_cast<int>(::SetWindowLongPtrW(m_hWnd, GWLP_ID, nID));
}
UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const
{
    return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned);
}
void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned)
{
    ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned);
}
int CWnd::GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const
{
    return static_cast<int>(::GetDlgItemTextW(m_hWnd, nID, lpStr, nMaxCount));
}
int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    HWND hWndItem = ::GetDlgItem(m_hWnd, nID);
    if (!hWndItem)
        return 0;
    CWnd item(hWndItem);
    item.GetWindowText(rString);
    item.m_hWnd = nullptr;
    return rString.GetLength();
}
void CWnd::SetDlgItemText(int nID, LPCTSTR lpszString)
{
    ::SetDlgItemTextW(m_hWnd, nID, lpszString);
}
LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendDlgItemMessageW(m_hWnd, nID, message, wParam, lParam);
}
void CWnd::CheckDlgButton(int nIDButton, UINT nCheck)
{
    ::CheckDlgButton(m_hWnd, nIDButton, nCheck);
}
void CWnd::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
{
    ::CheckRadioButton(m_hWnd, nIDFirstButton, nIDLastButton, nIDCheckButton);
}
int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const
{
    for (int nID = nIDFirstButton; nID <= nIDLastButton; ++nID) {
        if (::IsDlgButtonChecked(m_hWnd, nID))
            return nID;
    }
    return 0;
}
UINT CWnd::IsDlgButtonChecked(int nIDButton) const
{
    return ::IsDlgButtonChecked(m_hWnd, nIDButton);
}

void CWnd::SetWindowText(LPCTSTR lpszString)
{
    ::SetWindowTextW(m_hWnd, lpszString);
}
int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const
{
    return ::GetWindowTextW(m_hWnd, lpszStringBuf, nMaxCount);
}
void CWnd::GetWindowText(CString& rString) const
{
    int length = ::GetWindowTextLengthW(m_hWnd);
    std::vector<wchar_t> buffer(length + 2);
    int copied = ::GetWindowTextW(m_hWnd, buffer.data(), length + 1);
    rString = CString(buffer.data(), copied);
}
int CWnd::GetWindowTextLength() const
{
    return ::GetWindowTextLengthW(m_hWnd);
}
void CWnd::SetFont(HFONT hFont, BOOL bRedraw)
{
    ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), bRedraw);
}
void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    SetFont(pFont ? static_cast<HFONT>(pFont->GetSafeHandle()) : nullptr, bRedraw);
}
HFONT CWnd::GetFontHandle() const
{
    return reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
}
CFont* CWnd::GetFont() const
{
    HFONT font = GetFontHandle();
    return font ? CFont::FromHandle(font) : nullptr;
}
