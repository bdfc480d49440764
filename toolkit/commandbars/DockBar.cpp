// The dock bar window and its rows: creation on a side, docking a bar into the row under the drop
// point, removing bars, the bars of a row in the order they stand, and painting the strip.
#include "toolkit/commandbars/DockBar.h"

#include <algorithm>

#include "platform/framework/ControlBar.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/Gdi.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBarDefs.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/DockBarLayout.h"
#include "toolkit/commandbars/PaintManager.h"
#include "toolkit/foundation/DrawHelpers.h"

namespace {

const wchar_t kDockBarClass[] = L"QorDockBar";
const DWORD kDockStyleMask = CBRS_ALL;

} // namespace

IMPLEMENT_DYNCREATE(CQorDockBar, CWnd)

BEGIN_MESSAGE_MAP(CQorDockBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, &CQorDockBar::OnSizeParent)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, &CQorDockBar::OnPrintClient)
    ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

CQorDockBar::CQorDockBar() : m_dwDockStyle(0), m_pCommandBars(nullptr), m_arrBars(1, nullptr)
{
    RegisterToolkitWindowClass(nullptr, kDockBarClass, 0);
}

CQorDockBar::~CQorDockBar()
{
    DestroyWindow();
}

BOOL CQorDockBar::Create(DWORD dwStyle, CQorCommandBars* pCommandBars, CWnd* pParentWnd, UINT nID)
{
    m_pCommandBars = pCommandBars;
    m_dwDockStyle = dwStyle & kDockStyleMask;
    static const wchar_t* const kNames[] = {L"qorBarTop", L"qorBarBottom", L"qorBarLeft", L"qorBarRight"};
    // The dock-style bits share values with window styles (0x400000 is WS_DLGFRAME): the window
    // gets only the bits above them.
    return CreateEx(0, kDockBarClass, kNames[GetSide()], dwStyle & ~kDockStyleMask, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CQorDockBar::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CLIPSIBLINGS;
    return CWnd::PreCreateWindow(cs);
}

int CQorDockBar::GetSide() const
{
    if ((m_dwDockStyle & kStyleTop) == kStyleTop)
        return qorBarTop;
    if ((m_dwDockStyle & kStyleBottom) == kStyleBottom)
        return qorBarBottom;
    if ((m_dwDockStyle & kStyleLeft) == kStyleLeft)
        return qorBarLeft;
    return qorBarRight;
}

// ---- Rows ------------------------------------------------------------------------------------

int CQorDockBar::FindBar(const CQorCommandBar* pBar, int nSkip) const
{
    for (int i = 0; i < static_cast<int>(m_arrBars.size()); i++)
        if (i != nSkip && m_arrBars[i] == pBar)
            return i;
    return -1;
}

CRect CQorDockBar::GetDockedRect(const CQorCommandBar* pBar) const
{
    auto it = m_mapDockedRects.find(pBar);
    return it != m_mapDockedRects.end() ? it->second : CRect();
}

BOOL CQorDockBar::IsBarVisible(const CQorCommandBar* pBar) const
{
    HWND hWnd = pBar ? pBar->GetSafeHwnd() : nullptr;
    return hWnd && (::GetWindowLongW(hWnd, GWL_STYLE) & WS_VISIBLE);
}

void CQorDockBar::DockCommandBar(CQorCommandBar* pBar, LPCRECT lpRectScreen)
{
    if (!pBar)
        return;
    HWND hWndBar = pBar->GetSafeHwnd();
    if (FindBar(pBar) != -1) {
        if (!lpRectScreen)
            return;
        CRect rcWindow;
        if (hWndBar && ::GetWindowRect(hWndBar, &rcWindow) && rcWindow == *lpRectScreen)
            return;
    }

    int nIndex;
    if (lpRectScreen) {
        CRect rc(*lpRectScreen);
        if (m_hWnd)
            ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(&rc), 2);
        nIndex = InsertAtRowOf(pBar, rc.CenterPoint());
        m_mapDockedRects[pBar] = rc;
    } else {
        m_arrBars.push_back(pBar);
        nIndex = static_cast<int>(m_arrBars.size()) - 1;
        m_arrBars.push_back(nullptr);
        m_mapDockedRects[pBar] = CRect();
    }
    if (hWndBar && m_hWnd && ::GetParent(hWndBar) != m_hWnd)
        ::SetParent(hWndBar, m_hWnd);

    // The entry it had here before goes; so does its place in another dock bar.
    const int nOld = FindBar(pBar, nIndex);
    if (nOld != -1)
        RemoveEntry(nOld);
    if (CQorDockBar* pOther = FindOtherDockBar(pBar))
        pOther->RemoveCommandBar(pBar);

    pBar->m_barPosition = GetSide();
    IsolateStretchedBars();
    DelayRecalcFrameLayout();
}

int CQorDockBar::InsertAtRowOf(CQorCommandBar* pBar, CPoint ptClient)
{
    const BOOL bHorz = IsHorizontal();
    const int nCoord = bHorz ? ptClient.y : ptClient.x;
    int nPrevEdge = 0;  // the far edge of the row before
    int nPrevNull = -1; // the null entry that closed it
    int nRowEdge = 0;
    BOOL bRowVisible = FALSE;
    for (int i = 0; i < static_cast<int>(m_arrBars.size()); i++) {
        CQorCommandBar* pEntry = m_arrBars[i];
        if (pEntry) {
            if (IsBarVisible(pEntry)) {
                CRect rc;
                ::GetWindowRect(pEntry->GetSafeHwnd(), &rc);
                ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(&rc), 2);
                nRowEdge = std::max(nRowEdge, static_cast<int>(bHorz ? rc.bottom : rc.right));
                bRowVisible = TRUE;
            }
            continue;
        }
        // The leading entry closes an empty row at 0; a row of hidden bars takes no room.
        const int nEdge = i == 0 ? 0 : (bRowVisible ? nRowEdge : nPrevEdge);
        if (nEdge > nCoord) {
            const int nRowStart = i == 0 ? 1 : nPrevNull + 1;
            // Before the first row, or right on the edge between two rows: a row of its own.
            if (i == 0 || nCoord == nPrevEdge)
                m_arrBars.insert(m_arrBars.begin() + nRowStart, nullptr);
            m_arrBars.insert(m_arrBars.begin() + nRowStart, pBar);
            return nRowStart;
        }
        nPrevEdge = nEdge;
        nPrevNull = i;
        nRowEdge = 0;
        bRowVisible = FALSE;
    }
    m_arrBars.push_back(pBar);
    m_arrBars.push_back(nullptr);
    return static_cast<int>(m_arrBars.size()) - 2;
}

void CQorDockBar::RemoveEntry(int nIndex)
{
    m_arrBars.erase(m_arrBars.begin() + nIndex);
    // A row left empty goes: of two nulls side by side, one stays.
    if (nIndex < static_cast<int>(m_arrBars.size()) && !m_arrBars[nIndex] && !m_arrBars[nIndex - 1])
        m_arrBars.erase(m_arrBars.begin() + nIndex);
}

BOOL CQorDockBar::RemoveCommandBar(CQorCommandBar* pBar, int nSkip)
{
    const int nIndex = pBar ? FindBar(pBar, nSkip) : -1;
    if (nIndex < 1)
        return FALSE;
    RemoveEntry(nIndex);
    if (FindBar(pBar) == -1)
        m_mapDockedRects.erase(pBar);
    DelayRecalcFrameLayout();
    return TRUE;
}

void CQorDockBar::IsolateStretchedBars()
{
    for (size_t i = 1; i < m_arrBars.size(); i++) {
        CQorCommandBar* pBar = m_arrBars[i];
        if (!pBar || !(pBar->m_dwFlags & qorDockRowStretched))
            continue;
        if (m_arrBars[i - 1]) {
            m_arrBars.insert(m_arrBars.begin() + i, nullptr);
            i++;
        }
        if (i + 1 < m_arrBars.size() && m_arrBars[i + 1])
            m_arrBars.insert(m_arrBars.begin() + i + 1, nullptr);
    }
}

void CQorDockBar::GetRowBarsByPosition(int nStart, std::vector<CQorCommandBar*>& result) const
{
    if (nStart < 0 || nStart >= static_cast<int>(m_arrBars.size()))
        return;
    int nFirst = nStart;
    while (nFirst > 0 && m_arrBars[nFirst - 1])
        nFirst--;
    std::vector<CQorCommandBar*> row;
    for (int i = nFirst; i < static_cast<int>(m_arrBars.size()) && m_arrBars[i]; i++)
        if (IsBarVisible(m_arrBars[i]))
            row.push_back(m_arrBars[i]);
    const BOOL bHorz = IsHorizontal();
    auto nearEdge = [bHorz](const CQorCommandBar* pBar) {
        CRect rc;
        ::GetWindowRect(pBar->GetSafeHwnd(), &rc);
        return bHorz ? rc.left : rc.top;
    };
    std::stable_sort(row.begin(), row.end(),
                     [&](const CQorCommandBar* a, const CQorCommandBar* b) { return nearEdge(a) < nearEdge(b); });
    result.insert(result.end(), row.begin(), row.end());
}

CQorDockBar* CQorDockBar::FindOtherDockBar(const CQorCommandBar* pBar) const
{
    HWND hWndParent = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    if (!hWndParent)
        return nullptr;
    for (HWND hWnd = ::GetWindow(hWndParent, GW_CHILD); hWnd; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        if (hWnd == m_hWnd)
            continue;
        auto* pDockBar = DYNAMIC_DOWNCAST(CQorDockBar, CWnd::FromHandlePermanent(hWnd));
        if (pDockBar && pDockBar->FindBar(pBar) != -1)
            return pDockBar;
    }
    return nullptr;
}

void CQorDockBar::DelayRecalcFrameLayout()
{
    HWND hWndParent = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    if (!hWndParent)
        return;
    CWnd* pParent = CWnd::FromHandlePermanent(hWndParent);
    if (pParent && pParent->IsFrameWnd()) {
        static_cast<CFrameWnd*>(pParent)->DelayRecalcLayout();
        return;
    }
    CRect rc;
    ::GetClientRect(hWndParent, &rc);
    ::SendMessageW(hWndParent, WM_SIZE, SIZE_RESTORED, MAKELPARAM(rc.Width(), rc.Height()));
}

// ---- Painting --------------------------------------------------------------------------------

void CQorDockBar::OnPaint()
{
    CPaintDC dc(this);
    if (CQorPaintManager* pPaintManager = GetGlobalPaintManager())
        pPaintManager->FillBarWindow(&dc, this);
}

BOOL CQorDockBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

LRESULT CQorDockBar::OnPrintClient(WPARAM wParam, LPARAM)
{
    if (CQorPaintManager* pPaintManager = GetGlobalPaintManager())
        pPaintManager->FillBarWindow(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), this);
    return 1;
}

void CQorDockBar::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (!m_pCommandBars) {
        CWnd::OnRButtonDown(nFlags, point);
        return;
    }
    ClientToScreen(&point);
    m_pCommandBars->ShowToolBarsContextMenu(point);
}
