#include "toolkit/foundation/HyperLink.h"

#include <shellapi.h>

#include "platform/framework/WinApp.h"
#include "toolkit/foundation/ColorManager.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/FoundationResources.h"
#include "toolkit/foundation/ResourceManager.h"

namespace {

const UINT_PTR kHoverTimer = 1;
const UINT kHoverInterval = 10;
// Asked by the toolkit's tips: a link counts as part of its parent.
const UINT kQueryToolTipParent = 0x2A48;
// The colour manager's entry for the background of toolkit links.
const int kLinkBackColorIndex = 15;

const UINT kRedrawFlags = RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE;

} // namespace

BEGIN_MESSAGE_MAP(CVkHyperLink, CStatic)
    ON_WM_CREATE()
    ON_WM_SETCURSOR()
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_NCHITTEST()
    ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
    ON_MESSAGE(kQueryToolTipParent, OnQueryToolTipParent)
END_MESSAGE_MAP()

CVkHyperLink::CVkHyperLink()
    : m_bOpenOnClick(TRUE), m_bTipActive(TRUE), m_hCursor(::LoadCursorW(nullptr, IDC_HAND)), m_clrLink(0xFF0000),
      m_clrHover(0x0000FF), m_clrVisited(0x800080), m_clrBack(QOR_COLOR_UNSET), m_bUnderline(TRUE), m_bHot(FALSE),
      m_bVisited(FALSE), m_bInitOnSubclass(TRUE)
{
    if (!m_hCursor)
        m_hCursor = GetResourceManager()->LoadCursor(QOR_IDC_HAND);
}

CVkHyperLink::~CVkHyperLink()
{
    // The font must outlive the window that uses it.
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CVkHyperLink::Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    m_bInitOnSubclass = FALSE; // initialised on WM_CREATE instead
    return CStatic::Create(text, style, rect, parent, id);
}

void CVkHyperLink::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    if (m_bInitOnSubclass)
        Init();
}

int CVkHyperLink::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CStatic::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_bInitOnSubclass)
        Init();
    return 0;
}

void CVkHyperLink::Init()
{
    if (IsTextStatic() && m_strURL.IsEmpty()) {
        CString text;
        GetWindowText(text);
        m_strURL = text;
    }
    SetURL(m_strURL);
    ModifyStyle(0, SS_NOTIFY);
    ApplyFont();
}

void CVkHyperLink::Redraw()
{
    if (GetSafeHwnd())
        RedrawWindow(nullptr, nullptr, kRedrawFlags);
}

void CVkHyperLink::SetURL(LPCTSTR lpszURL)
{
    m_strURL = lpszURL ? lpszURL : L"";
    if (m_strTipText.IsEmpty())
        m_strTipText = m_strURL;
    if (m_strTipText.IsEmpty() || !GetSafeHwnd())
        return;
    if (m_wndTip.GetSafeHwnd()) {
        m_wndTip.UpdateTipText(m_strURL, this, 0);
        return;
    }
    if (!m_wndTip.Create(this))
        return;
    m_wndTip.AddTool(this, m_strTipText, nullptr, 0);
    m_wndTip.Activate(m_bTipActive);
}

void CVkHyperLink::SetColors(COLORREF clrLink, COLORREF clrVisited, COLORREF clrHover)
{
    m_clrLink = clrLink;
    m_clrVisited = clrVisited;
    m_clrHover = clrHover;
    Redraw();
}

void CVkHyperLink::SetVisited(BOOL bVisited)
{
    m_bVisited = bVisited;
    Redraw();
}

void CVkHyperLink::SetUnderline(BOOL bUnderline)
{
    m_bUnderline = bUnderline;
    if (GetSafeHwnd())
        ApplyFont();
    Redraw();
}

void CVkHyperLink::SetBackColor(COLORREF clrBack)
{
    m_clrBack = clrBack;
    Redraw();
}

COLORREF CVkHyperLink::GetBackColor() const
{
    if (m_clrBack != QOR_COLOR_UNSET)
        return m_clrBack;
    COLORREF clr = GetColor(kLinkBackColorIndex);
    return clr != QOR_COLOR_UNSET ? clr : ::GetSysColor(COLOR_BTNFACE);
}

BOOL CVkHyperLink::IsTextStatic() const
{
    return (GetStyle() & 0xFF) < 3; // SS_LEFT, SS_CENTER or SS_RIGHT
}

BOOL CVkHyperLink::IsCursorOverText() const
{
    if (!IsTextStatic())
        return TRUE;
    CPoint pt;
    ::GetCursorPos(&pt);
    CRect rc;
    GetWindowRect(&rc);
    CString text;
    GetWindowText(text);

    CSize extent;
    {
        CClientDC dc(const_cast<CVkHyperLink*>(this));
        CQorFontDC font(&dc, CFont::FromHandle(reinterpret_cast<HFONT>(Send(WM_GETFONT))));
        extent = dc.GetTextExtent(text);
    }

    DWORD align = GetStyle() & 0xFF;
    if (align == SS_CENTER)
        rc.left += (rc.Width() - extent.cx) / 2;
    else if (align == SS_RIGHT)
        rc.left = rc.right - extent.cx;
    rc.right = rc.left + extent.cx;
    return rc.PtInRect(pt);
}

bool CVkHyperLink::CreateLinkFont(CFont* pSourceFont, BOOL bUnderline)
{
    LOGFONTW lf = {};
    if (!pSourceFont || !pSourceFont->GetLogFont(&lf))
        return false;
    lf.lfUnderline = static_cast<BYTE>(bUnderline ? TRUE : FALSE);
    CFont font;
    if (!font.CreateFontIndirect(&lf))
        return false;
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(font)), TRUE);
    // The window uses the new font now: the one it replaces is freed.
    m_font.DeleteObject();
    m_font.Attach(font.Detach());
    return true;
}

void CVkHyperLink::ApplyFont()
{
    HFONT hFont = reinterpret_cast<HFONT>(Send(WM_GETFONT));
    if (hFont) {
        CFont source;
        source.Attach(hFont);
        CreateLinkFont(&source, m_bUnderline);
        source.Detach();
        return;
    }
    NONCLIENTMETRICSW ncm = {};
    ncm.cbSize = 500; // without the padded border: accepted by every system
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0))
        return;
    CFont source;
    if (source.CreateFontIndirect(&ncm.lfStatusFont))
        CreateLinkFont(&source, m_bUnderline);
}

BOOL CVkHyperLink::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_hCursor && IsCursorOverText()) {
        ::SetCursor(m_hCursor);
        return TRUE;
    }
    return CStatic::OnSetCursor(pWnd, nHitTest, message);
}

HBRUSH CVkHyperLink::CtlColor(CDC* pDC, UINT /*nCtlColor*/)
{
    if (!IsTextStatic())
        return nullptr;
    HBRUSH hBrush = static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    if (m_clrBack == QOR_COLOR_UNSET) {
        HWND hParent = ::GetParent(GetSafeHwnd());
        hBrush = reinterpret_cast<HBRUSH>(::DefWindowProcW(hParent, WM_CTLCOLORSTATIC,
                                                           reinterpret_cast<WPARAM>(pDC->GetSafeHdc()),
                                                           reinterpret_cast<LPARAM>(GetSafeHwnd())));
    }
    pDC->SetTextColor(m_bHot ? m_clrHover : m_bVisited ? m_clrVisited : m_clrLink);
    pDC->SetBkMode(TRANSPARENT);
    return hBrush;
}

void CVkHyperLink::OnMouseMove(UINT nFlags, CPoint point)
{
    CStatic::OnMouseMove(nFlags, point);
    if (IsTextStatic() && IsCursorOverText())
        SetTimer(kHoverTimer, kHoverInterval, nullptr);
}

void CVkHyperLink::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kHoverTimer) {
        CStatic::OnTimer(nIDEvent);
        return;
    }
    BOOL bHot = IsCursorOverText();
    if (bHot != m_bHot) {
        m_bHot = bHot;
        Redraw();
    }
    if (!m_bHot)
        KillTimer(kHoverTimer);
}

BOOL CVkHyperLink::OnEraseBkgnd(CDC* pDC)
{
    if (m_clrBack == QOR_COLOR_UNSET)
        return CStatic::OnEraseBkgnd(pDC);
    return TRUE;
}

void CVkHyperLink::OnPaint()
{
    if ((GetExStyle() & WS_EX_TRANSPARENT) || m_clrBack == QOR_COLOR_UNSET) {
        Default();
        return;
    }
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CQorBufferDC buffer(dc.GetSafeHdc(), rcClient);
    buffer.FillSolidRect(rcClient, GetBackColor());
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(buffer.GetSafeHdc()), 0);
}

void CVkHyperLink::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CStatic::OnWindowPosChanged(lpwndpos);
    Redraw();
}

LRESULT CVkHyperLink::OnNcHitTest(CPoint /*point*/)
{
    return HTCLIENT;
}

LRESULT CVkHyperLink::OnQueryToolTipParent(WPARAM, LPARAM)
{
    return 1;
}

void CVkHyperLink::OnClicked()
{
    if (IsCursorOverText()) {
        BOOL bVisited = m_bOpenOnClick ? (GotoURL(m_strURL, SW_SHOW) ? TRUE : FALSE) : TRUE;
        SetVisited(bVisited);
    }
    if (m_wndTip.GetSafeHwnd() && m_bTipActive)
        m_wndTip.Pop();
}

bool CVkHyperLink::GotoURL(LPCTSTR lpszURL, int nShowCmd, LPCTSTR lpszParams, LPCTSTR lpszDir)
{
    CString url = lpszURL ? CString(lpszURL) : m_strURL;
    HINSTANCE hResult = ::ShellExecuteW(nullptr, L"open", url, lpszParams, lpszDir, nShowCmd);
    INT_PTR nResult = reinterpret_cast<INT_PTR>(hResult);
    if (nResult > 32)
        return true;
    ReportError(static_cast<int>(nResult));
    return false;
}

UINT CVkHyperLink::GetErrorStringId(int nError)
{
    switch (nError) {
    case 0:
        return QOR_IDS_HYPERLINK_OUT_OF_RESOURCES;
    case ERROR_FILE_NOT_FOUND:
        return QOR_IDS_HYPERLINK_FILE_NOT_FOUND;
    case ERROR_PATH_NOT_FOUND:
        return QOR_IDS_HYPERLINK_PATH_NOT_FOUND;
    case SE_ERR_ACCESSDENIED:
        return QOR_IDS_HYPERLINK_ACCESS_DENIED;
    case SE_ERR_OOM:
        return QOR_IDS_HYPERLINK_OUT_OF_MEMORY;
    case ERROR_BAD_FORMAT:
        return QOR_IDS_HYPERLINK_BAD_FORMAT;
    case SE_ERR_SHARE:
        return QOR_IDS_HYPERLINK_SHARE;
    case SE_ERR_ASSOCINCOMPLETE:
        return QOR_IDS_HYPERLINK_ASSOC_INCOMPLETE;
    case SE_ERR_DDETIMEOUT:
        return QOR_IDS_HYPERLINK_DDE_TIMEOUT;
    case SE_ERR_DDEFAIL:
        return QOR_IDS_HYPERLINK_DDE_FAIL;
    case SE_ERR_DDEBUSY:
        return QOR_IDS_HYPERLINK_DDE_BUSY;
    case SE_ERR_NOASSOC:
        return QOR_IDS_HYPERLINK_NO_ASSOC;
    case SE_ERR_DLLNOTFOUND:
        return QOR_IDS_HYPERLINK_DLL_NOT_FOUND;
    default:
        return QOR_IDS_HYPERLINK_UNKNOWN;
    }
}

void CVkHyperLink::ReportError(int nError)
{
    UINT nID = GetErrorStringId(nError);
    CString text = GetResourceManager()->LoadString(nID);
    if (nID == QOR_IDS_HYPERLINK_UNKNOWN) {
        CString formatted;
        formatted.Format(text, nError);
        text = formatted;
    }
    ::MessageBeep(MB_ICONEXCLAMATION);
    AfxMessageBox(text, MB_ICONEXCLAMATION);
}

BOOL CVkHyperLink::PreTranslateMessage(MSG* pMsg)
{
    if (m_wndTip.GetSafeHwnd() && m_bTipActive)
        m_wndTip.RelayEvent(pMsg);
    return CStatic::PreTranslateMessage(pMsg);
}
