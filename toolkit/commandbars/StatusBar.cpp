#include "toolkit/commandbars/StatusBar.h"

#include <algorithm>

#include "platform/framework/FrameWnd.h"
#include "platform/framework/FrameworkIds.h"
#include "toolkit/commandbars/PaintManager.h"
#include "toolkit/foundation/ImageManager.h"
#include "toolkit/foundation/ToolTipContext.h"

namespace {

const UINT kStatusStyle = WS_CHILD | WS_VISIBLE | CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NOMOVEY;
const int kPaneGap = 6;        // what the status window adds around each part's content
const int kMinHeightSent = 20; // SB_SETMINHEIGHT on creation

void GetStatusLogFont(LOGFONTW& lf)
{
    NONCLIENTMETRICSW ncm = {};
    ncm.cbSize = sizeof(ncm);
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    lf = ncm.lfStatusFont;
}

} // namespace

IMPLEMENT_DYNAMIC(CQorStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CQorStatusBar, CControlBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_MESSAGE(WM_PRINTCLIENT, &CQorStatusBar::OnPrintClient)
    ON_MESSAGE(WM_NCHITTEST, &CQorStatusBar::OnNcHitTest)
    ON_MESSAGE(WM_SETTEXT, &CQorStatusBar::OnSetText)
    ON_MESSAGE(WM_GETTEXT, &CQorStatusBar::OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, &CQorStatusBar::OnGetTextLength)
    ON_MESSAGE(SB_SETMINHEIGHT, &CQorStatusBar::OnSetMinHeight)
    ON_MESSAGE(WM_MOUSELEAVE, &CQorStatusBar::OnMouseLeave)
END_MESSAGE_MAP()

CQorStatusBar::CQorStatusBar()
    : m_bDrawWithPaintManager(TRUE), m_nMinHeight(0), m_pPaintManager(nullptr), m_pHotPane(nullptr),
      m_pToolTipContext(new CQorToolTipContext)
{
    LOGFONTW lf;
    GetStatusLogFont(lf);
    m_fontStatus.CreateFontIndirect(&lf);
}

CQorStatusBar::~CQorStatusBar()
{
    RemoveAll();
    m_pToolTipContext->InternalRelease();
    if (m_pPaintManager)
        m_pPaintManager->InternalRelease();
}

CQorPaintManager* CQorStatusBar::GetPaintManager() const
{
    return m_pPaintManager ? m_pPaintManager : GetGlobalPaintManager();
}

BOOL CQorStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALIGN_ANY ? (dwStyle & 0xFFFF) : CBRS_BOTTOM;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    DWORD dwWndStyle = kStatusStyle;
    if (pParentWnd && (pParentWnd->GetStyle() & WS_THICKFRAME))
        dwWndStyle |= SBARS_SIZEGRIP;
    return CWnd::Create(STATUSCLASSNAMEW, nullptr, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CQorStatusBar::PreCreateWindow(CREATESTRUCT& cs)
{
    // The control bar drops the border bits of a bottom bar from the window style; the size
    // grip shares those bits but is the status window's own and must stay.
    const LONG lGrip = cs.style & SBARS_SIZEGRIP;
    if (!CControlBar::PreCreateWindow(cs))
        return FALSE;
    cs.style |= lGrip;
    return TRUE;
}

int CQorStatusBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_fontStatus.GetSafeHandle()));
    ::SendMessageW(m_hWnd, SB_SETMINHEIGHT, kMinHeightSent, 0);
    return 0;
}

void CQorStatusBar::OnDestroy()
{
    SetHotPane(nullptr);
    CControlBar::OnDestroy();
}

// ---------------------------------------------------------------------------------------
// Panes

CQorStatusBarPane* CQorStatusBar::GetPane(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetPaneCount())
        return nullptr;
    return m_arrPanes[static_cast<size_t>(nIndex)];
}

int CQorStatusBar::FindPaneIndex(int nID) const
{
    for (int i = 0; i < GetPaneCount(); ++i)
        if (m_arrPanes[static_cast<size_t>(i)]->m_nID == nID)
            return i;
    return -1;
}

CQorStatusBarPane* CQorStatusBar::FindPane(int nID) const
{
    return GetPane(FindPaneIndex(nID));
}

void CQorStatusBar::RemoveAll()
{
    m_pHotPane = nullptr;
    std::vector<CQorStatusBarPane*> panes;
    panes.swap(m_arrPanes);
    for (CQorStatusBarPane* pPane : panes) {
        pPane->m_pBar = nullptr;
        pPane->InternalRelease();
    }
}

BOOL CQorStatusBar::RemovePane(int nID)
{
    const int nIndex = FindPaneIndex(nID);
    if (nIndex < 0)
        return FALSE;
    CQorStatusBarPane* pPane = m_arrPanes[static_cast<size_t>(nIndex)];
    if (m_pHotPane == pPane)
        m_pHotPane = nullptr;
    m_arrPanes.erase(m_arrPanes.begin() + nIndex);
    for (int i = nIndex; i < GetPaneCount(); ++i)
        m_arrPanes[static_cast<size_t>(i)]->m_nIndex = i;
    pPane->m_pBar = nullptr;
    pPane->InternalRelease();
    RecalcPanes(TRUE, TRUE);
    return TRUE;
}

CQorStatusBarPane* CQorStatusBar::AddPane(int nID, int nIndex)
{
    if (nIndex > GetPaneCount() || FindPaneIndex(nID) >= 0)
        return nullptr;
    if (nIndex < 0)
        nIndex = GetPaneCount();

    CQorStatusBarPane* pPane = new CQorStatusBarPane;
    pPane->m_nID = nID;
    pPane->m_pBar = this;
    if (nID != 0) {
        pPane->m_strText.LoadString(static_cast<UINT>(nID));
        FitWidthToText(pPane);
    } else {
        pPane->m_nWidth = ::GetSystemMetrics(SM_CXSCREEN) / 4;
        if (nIndex == 0)
            pPane->m_nStyle |= SBPS_STRETCH | SBPS_NOBORDERS;
    }
    pPane->m_nUpdateFlags |= QOR_STATUS_RESEND;
    m_arrPanes.insert(m_arrPanes.begin() + nIndex, pPane);
    for (int i = nIndex; i < GetPaneCount(); ++i)
        m_arrPanes[static_cast<size_t>(i)]->m_nIndex = i;
    RecalcPanes(TRUE, TRUE);
    return pPane;
}

BOOL CQorStatusBar::SetIndicators()
{
    RemoveAll();
    static const int kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
    for (int nID : kIndicators) {
        CQorStatusBarPane* pPane = AddPane(nID);
        if (!pPane || (nID != 0 && pPane->m_strText.IsEmpty()))
            return FALSE; // the indicator's string is missing
    }
    RecalcPanes(TRUE, TRUE);
    return TRUE;
}

void CQorStatusBar::FitWidthToText(CQorStatusBarPane* pPane)
{
    int nWidth = pPane->m_rcMargins.left + pPane->m_rcMargins.right;
    HDC hDC = ::GetDC(m_hWnd);
    if (hDC) {
        HGDIOBJ hOld = ::SelectObject(hDC, pPane->GetFont()->GetSafeHandle());
        SIZE size = {};
        ::GetTextExtentPoint32W(hDC, pPane->m_strText, pPane->m_strText.GetLength(), &size);
        ::SelectObject(hDC, hOld);
        ::ReleaseDC(m_hWnd, hDC);
        nWidth += size.cx;
    }
    if (CQorImageManagerIcon* pIcon = pPane->GetIcon()) {
        nWidth += pIcon->GetWidth() + 2;
        if (pPane->m_strText.IsEmpty())
            nWidth -= 2;
    }
    pPane->m_nWidth = nWidth;
}

BOOL CQorStatusBar::SetPaneWindow(CWnd* pWnd, int nID)
{
    CQorStatusBarPane* pPane = FindPane(nID);
    if (!pPane)
        return FALSE;
    pPane->m_hWndChild = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    pPane->m_bOwnsChild = FALSE;
    PositionChildren();
    return TRUE;
}

BOOL CQorStatusBar::SetPaneWidth(int nIndex, int nWidth)
{
    CQorStatusBarPane* pPane = GetPane(nIndex);
    if (!pPane)
        return FALSE;
    if (pPane->m_nWidth != nWidth) {
        pPane->m_nWidth = nWidth;
        RecalcPanes(TRUE, FALSE);
    }
    return TRUE;
}

void CQorStatusBar::SetPaneVisible(int nIndex, BOOL bVisible)
{
    CQorStatusBarPane* pPane = GetPane(nIndex);
    if (!pPane || pPane->m_bVisible == bVisible)
        return;
    pPane->m_bVisible = bVisible;
    if (pPane->m_hWndChild)
        ::ShowWindow(pPane->m_hWndChild, bVisible ? SW_SHOWNA : SW_HIDE);
    // A pane coming back shows the text it got while hidden.
    pPane->m_nUpdateFlags |= QOR_STATUS_RESEND;
    RecalcPanes(TRUE, TRUE);
}

UINT CQorStatusBar::GetPaneStyle(int nIndex) const
{
    CQorStatusBarPane* pPane = GetPane(nIndex);
    return pPane ? pPane->m_nStyle : 0;
}

void CQorStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    CQorStatusBarPane* pPane = GetPane(nIndex);
    if (!pPane)
        return;
    const BOOL bStretchChanged = ((pPane->m_nStyle ^ nStyle) & SBPS_STRETCH) != 0;
    pPane->m_nStyle = nStyle;
    if (bStretchChanged)
        RecalcPanes(TRUE, FALSE);
    pPane->m_nUpdateFlags |= QOR_STATUS_RESEND;
    SendPaneText(pPane);
}

BOOL CQorStatusBar::SetPaneText(int nIndex, LPCTSTR lpszText)
{
    // The index first: a bad one must not reach the stored text.
    CQorStatusBarPane* pPane = GetPane(nIndex);
    if (!pPane)
        return FALSE;
    const CString strText(lpszText ? lpszText : L"");
    if (pPane->m_strText == strText && !(pPane->m_nUpdateFlags & QOR_STATUS_RESEND))
        return TRUE;
    pPane->m_strText = strText;
    if (!pPane->m_bVisible) {
        // Sent when the pane shows again.
        pPane->m_nUpdateFlags |= QOR_STATUS_RESEND;
        return FALSE;
    }
    SendPaneText(pPane);
    return TRUE;
}

void CQorStatusBar::SendPaneText(CQorStatusBarPane* pPane)
{
    if (!m_hWnd || !pPane->m_bVisible || pPane->m_nPart < 0)
        return;
    pPane->m_nUpdateFlags &= ~QOR_STATUS_RESEND;
    const WPARAM wParam = (pPane->m_nStyle & 0xFF00) | static_cast<WPARAM>(pPane->m_nPart);
    LPCWSTR lpszText = pPane->IsDisabled() ? nullptr : static_cast<LPCWSTR>(pPane->m_strText);
    ::SendMessageW(m_hWnd, SB_SETTEXTW, wParam & 0xFFFF, reinterpret_cast<LPARAM>(lpszText));
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

// ---------------------------------------------------------------------------------------
// Layout

BOOL CQorStatusBar::HasSizeGripper() const
{
    CWnd* pParent = GetParent();
    return (GetStyle() & SBARS_SIZEGRIP) && pParent && (pParent->GetStyle() & WS_THICKFRAME) &&
           !::IsZoomed(pParent->m_hWnd);
}

void CQorStatusBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    CControlBar::CalcInsideRect(rect, bHorz);
    if (HasSizeGripper()) {
        int borders[3] = {};
        ::SendMessageW(m_hWnd, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
        rect.right -= 2 * ::GetSystemMetrics(SM_CXBORDER) + borders[0] + ::GetSystemMetrics(SM_CXVSCROLL);
    }
}

void CQorStatusBar::RecalcPanes(BOOL bLayout, BOOL bResend)
{
    if (!m_hWnd)
        return;
    if (bLayout) {
        CRect rect;
        ::GetWindowRect(m_hWnd, &rect);
        rect.OffsetRect(-rect.left, -rect.top);
        CalcInsideRect(rect, TRUE);
        int borders[3] = {}; // horizontal, vertical, between parts
        ::SendMessageW(m_hWnd, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));

        int nFree = rect.Width() + borders[2];
        int nParts = 0, nStretch = 0;
        for (CQorStatusBarPane* pPane : m_arrPanes) {
            const int nOldPart = pPane->m_nPart;
            pPane->m_nPart = -1;
            if (!pPane->m_bVisible)
                continue;
            pPane->m_nPart = nParts++;
            // The status window keeps texts by part: a pane that moved to another part sends
            // its text there, else the part shows the text of the pane that was there before.
            if (pPane->m_nPart != nOldPart)
                pPane->m_nUpdateFlags |= QOR_STATUS_RESEND;
            nFree -= pPane->m_nWidth + borders[2] + kPaneGap;
            if (pPane->m_nStyle & SBPS_STRETCH)
                ++nStretch;
        }
        std::vector<int> edges;
        int x = borders[0];
        for (CQorStatusBarPane* pPane : m_arrPanes) {
            if (!pPane->m_bVisible)
                continue;
            x += pPane->m_nWidth + kPaneGap;
            if ((pPane->m_nStyle & SBPS_STRETCH) && nFree > 0) {
                const int nShare = nFree / nStretch;
                nFree -= nShare;
                x += nShare;
                --nStretch;
            }
            edges.push_back(x);
            x += borders[2];
        }
        ::SendMessageW(m_hWnd, SB_SETPARTS, edges.size(),
                       reinterpret_cast<LPARAM>(edges.empty() ? nullptr : &edges[0]));
        PositionChildren();
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
    }
    if (bResend) {
        for (CQorStatusBarPane* pPane : m_arrPanes)
            if (pPane->m_bVisible && (pPane->m_nUpdateFlags & QOR_STATUS_RESEND))
                SendPaneText(pPane);
    }
    // Painting calls this too (texts first): it must not invalidate again without a change.
}

CRect CQorStatusBar::GetPaneRect(int nIndex) const
{
    CQorStatusBarPane* pPane = GetPane(nIndex);
    CRect rc(0, 0, 0, 0);
    if (!pPane || pPane->m_nPart < 0 || !m_hWnd)
        return rc;
    if (!::SendMessageW(m_hWnd, SB_GETRECT, static_cast<WPARAM>(pPane->m_nPart), reinterpret_cast<LPARAM>(&rc)))
        return CRect(0, 0, 0, 0);
    // The last part: the status window stretches it to the edge.
    int nLastPart = -1;
    for (CQorStatusBarPane* p : m_arrPanes)
        if (p->m_bVisible)
            nLastPart = p->m_nPart;
    if (pPane->m_nPart == nLastPart) {
        if (pPane->m_nStyle & SBPS_STRETCH) {
            CRect rcClient;
            ::GetClientRect(m_hWnd, &rcClient);
            rc.right = rcClient.right;
            if (pPane->m_nStyle & SBPS_NOBORDERS)
                rc.right -= ::GetSystemMetrics(SM_CXSMICON) + ::GetSystemMetrics(SM_CXEDGE);
        } else {
            rc.right = rc.left + pPane->m_nWidth + 3 * ::GetSystemMetrics(SM_CXEDGE);
        }
    }
    return rc;
}

CRect CQorStatusBarPane::GetRect() const
{
    return m_pBar ? m_pBar->GetPaneRect(m_nIndex) : CRect(0, 0, 0, 0);
}

void CQorStatusBar::PositionChildren()
{
    const int cxEdge = ::GetSystemMetrics(SM_CXEDGE), cyEdge = ::GetSystemMetrics(SM_CYEDGE);
    for (CQorStatusBarPane* pPane : m_arrPanes) {
        if (!pPane->m_hWndChild || !::IsWindow(pPane->m_hWndChild))
            continue;
        CRect rc = GetPaneRect(pPane->m_nIndex);
        if (!(pPane->m_nStyle & SBPS_NOBORDERS))
            rc.DeflateRect(cxEdge, cyEdge);
        ::MoveWindow(pPane->m_hWndChild, rc.left, rc.top, rc.Width(), rc.Height(), TRUE);
    }
}

CSize CQorStatusBar::CalcFixedLayout(BOOL, BOOL)
{
    int borders[3] = {};
    if (m_hWnd)
        ::SendMessageW(m_hWnd, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    CRect rcInside(0, 0, 0, 0);
    CalcInsideRect(rcInside, TRUE);
    TEXTMETRICW tm = {};
    HDC hDC = ::GetDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, m_fontStatus.GetSafeHandle());
    ::GetTextMetricsW(hDC, &tm);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(nullptr, hDC);
    // rcInside's insets are negative sizes: top inset is rcInside.top, bottom is -rcInside.bottom.
    int nHeight = (::GetSystemMetrics(SM_CYBORDER) + borders[1]) * 2 + (rcInside.top - rcInside.bottom) + tm.tmHeight -
                  tm.tmInternalLeading - 1;
    nHeight = std::max(nHeight, m_nMinHeight);
    if (m_bDrawWithPaintManager)
        nHeight = std::max(nHeight, GetPaintManager()->m_nStatusBarMinHeight);
    return CSize(0x7FFF, nHeight);
}

void CQorStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    RecalcPanes(TRUE, FALSE);
    Invalidate(FALSE);
}

LRESULT CQorStatusBar::OnSetMinHeight(WPARAM wParam, LPARAM)
{
    m_nMinHeight = static_cast<int>(wParam);
    return Default();
}

// ---------------------------------------------------------------------------------------
// Window text: the free text pane

LRESULT CQorStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    const int nIndex = FindPaneIndex(0);
    if (nIndex < 0)
        return FALSE;
    CQorStatusBarPane* pPane = GetPane(nIndex);
    // A hidden free text pane keeps the text for later: that is no failure of the window text.
    return SetPaneText(nIndex, reinterpret_cast<LPCWSTR>(lParam)) || !pPane->m_bVisible;
}

LRESULT CQorStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    CQorStatusBarPane* pPane = FindPane(0);
    auto* pszBuffer = reinterpret_cast<LPWSTR>(lParam);
    if (!pszBuffer || wParam == 0)
        return 0;
    const CString strText = pPane ? pPane->m_strText : CString();
    const int nCopy = std::min(strText.GetLength(), static_cast<int>(wParam) - 1);
    ::memcpy(pszBuffer, static_cast<LPCWSTR>(strText), static_cast<size_t>(nCopy) * sizeof(WCHAR));
    pszBuffer[nCopy] = L'\0';
    return nCopy;
}

LRESULT CQorStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    CQorStatusBarPane* pPane = FindPane(0);
    return pPane ? pPane->m_strText.GetLength() : 0;
}

// ---------------------------------------------------------------------------------------
// Idle update and tool tips

void CQorStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CStatusCmdUI state(this);
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetPaneCount());
    // The panes may change while handlers run; go by index.
    for (int i = 0; i < GetPaneCount(); ++i) {
        state.m_nID = static_cast<UINT>(GetPane(i)->m_nID);
        state.m_nIndex = static_cast<UINT>(i);
        // Only panes that a handler claims change; the free text pane and unhandled ids stay.
        state.DoUpdate(pTarget, FALSE);
    }
    (void)bDisableIfNoHndler;
}

INT_PTR CQorStatusBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    INT_PTR nHit = CControlBar::OnToolHitTest(point, pTI);
    if (nHit != -1)
        return nHit;
    for (CQorStatusBarPane* pPane : m_arrPanes) {
        if (!pPane->m_bVisible || pPane->m_strToolTip.IsEmpty())
            continue;
        CRect rc = GetPaneRect(pPane->m_nIndex);
        if (!rc.PtInRect(point))
            continue;
        FillToolInfo(m_hWnd, pPane->m_strToolTip, pTI, rc.left, rc.top, rc.right, rc.bottom,
                     static_cast<UINT_PTR>(pPane->m_nID));
        return pPane->m_nID;
    }
    return -1;
}

BOOL CQorStatusBar::PreTranslateMessage(MSG* pMsg)
{
    m_pToolTipContext->FilterToolTipMessage(this, pMsg);
    return CControlBar::PreTranslateMessage(pMsg);
}
