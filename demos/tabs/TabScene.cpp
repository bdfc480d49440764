#include "demos/tabs/TabScene.h"

#include "platform/framework/Gdi.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/tabs/TabAppearanceSet.h"
#include "toolkit/tabs/TabManagerNavigateButton.h"

namespace tabscene {

namespace {

const wchar_t kRowClass[] = L"FolionyxTabSceneRow";
const wchar_t kSceneClass[] = L"FolionyxTabScene";

const ScenePage kPages[] = {
    {L"Contents", L"The book's contents"},
    {L"Search", L"Find words in the book"},
    {L"Attachments", L"Files that come with the book"},
    {L"Notes", L"Your notes"},
    {L"Bookmarks", L"Pages you marked"},
};

// Rows are nested from the outside in: top, left, bottom, right.
const QorTabPosition kNesting[4] = {qorTabPositionTop, qorTabPositionLeft, qorTabPositionBottom, qorTabPositionRight};

} // namespace

CSceneRow::CSceneRow(CQorTabPaintManager* pPaintManager) : m_pPaintManager(pPaintManager)
{
    pPaintManager->AddRow(this);
}

BOOL CSceneRow::Create(CWnd* pParent)
{
    RegisterToolkitWindowClass(nullptr, kRowClass, CS_DBLCLKS);
    return CreateEx(0, kRowClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 10, 10, pParent->GetSafeHwnd(),
                    nullptr);
}

void CSceneRow::Reposition()
{
    if (!GetSafeHwnd())
        return;
    CRect rc;
    GetClientRect(rc);
    CClientDC dc(this);
    m_pPaintManager->RepositionTabControl(this, &dc, rc);
    if (m_pInner && m_pInner->GetSafeHwnd())
        m_pInner->MoveWindow(m_rcClient, TRUE);
    Invalidate(FALSE);
}

void CSceneRow::RedrawControl(LPCRECT lpRect, BOOL)
{
    if (GetSafeHwnd())
        InvalidateRect(lpRect, FALSE);
}

BOOL CSceneRow::DrawItemImage(CDC*, CPoint, CQorTabManagerItem*, BOOL, CSize*)
{
    return FALSE;
}

void CSceneRow::OnNavigateButtonClick(CQorTabManagerNavigateButton* pButton)
{
    ++m_nClicks;
    if (pButton->GetItem())
        DeleteItem(pButton->GetItem()->GetIndex());
    else
        CQorTabManager::OnNavigateButtonClick(pButton);
}

INT_PTR CSceneRow::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    CSceneRow* pThis = const_cast<CSceneRow*>(this);
    return pThis->PerformToolHitTest(pThis, point, pTI);
}

LRESULT CSceneRow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CPoint pt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        CPaintDC dc(this);
        CRect rc;
        GetClientRect(rc);
        m_pPaintManager->DrawTabControl(&dc, this, rc);
        return 0;
    }
    case WM_PRINTCLIENT: {
        CRect rc;
        GetClientRect(rc);
        m_pPaintManager->DrawTabControl(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), this, rc);
        return 0;
    }
    case WM_SIZE:
        Reposition();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        PerformClick(GetSafeHwnd(), pt);
        return 0;
    case WM_MOUSEMOVE:
        PerformMouseMove(GetSafeHwnd(), pt);
        return 0;
    case WM_MOUSELEAVE:
        PerformMouseMove(GetSafeHwnd(), CPoint(-1, -1));
        return 0;
    case WM_KEYDOWN:
        if (PerformKeyDown(GetSafeHwnd(), static_cast<UINT>(wParam)))
            return 0;
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

CTabScene::CTabScene()
{
    for (int i = 0; i < 4; ++i) {
        m_painters[i] = std::make_unique<CQorTabPaintManager>();
        m_painters[i]->m_position = static_cast<QorTabPosition>(i);
        m_painters[i]->m_bHotTracking = TRUE;
        m_painters[i]->OnPropertyChanged();
    }
}

CTabScene::~CTabScene()
{
    Destroy();
}

const ScenePage* CTabScene::GetPages(int* pnCount)
{
    *pnCount = static_cast<int>(sizeof(kPages) / sizeof(kPages[0]));
    return kPages;
}

LRESULT CALLBACK CTabScene::SceneProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CTabScene* pScene = reinterpret_cast<CTabScene*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        pScene = static_cast<CTabScene*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pScene));
    }
    if (pScene && message == WM_SIZE) {
        pScene->Layout();
        return 0;
    }
    if (pScene && message == WM_NCDESTROY)
        pScene->m_hWnd = nullptr;
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

BOOL CTabScene::Create(int x, int y, int cx, int cy, BOOL bRtl)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = SceneProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kSceneClass;
    ::RegisterClassW(&wc); // fails harmlessly when a scene was opened before
    CRect rc(0, 0, cx, cy);
    const DWORD dwStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    ::AdjustWindowRectEx(rc, dwStyle, FALSE, 0);
    m_hWnd = ::CreateWindowExW(bRtl ? WS_EX_LAYOUTRTL : 0, kSceneClass, L"Tab rows", dwStyle, x, y, rc.Width(),
                               rc.Height(), nullptr, nullptr, wc.hInstance, this);
    if (!m_hWnd)
        return FALSE;

    int nPages = 0;
    const ScenePage* pPages = GetPages(&nPages);
    CWnd* pParent = CWnd::FromHandle(m_hWnd);
    CSceneRow* pOuter = nullptr;
    for (QorTabPosition position : kNesting) {
        m_rows[position] = std::make_unique<CSceneRow>(m_painters[position].get());
        CSceneRow* pRow = m_rows[position].get();
        if (!pRow->Create(pParent))
            return FALSE;
        for (int i = 0; i < nPages; ++i) {
            CQorTabManagerItem* pItem = pRow->InsertItem(-1);
            pItem->SetCaption(pPages[i].pszCaption);
            pItem->SetTooltip(pPages[i].pszTip);
            pItem->SetData(reinterpret_cast<DWORD_PTR>(&pPages[i]));
        }
        pRow->SetSelectedItem(pRow->GetItem(1));
        if (pOuter)
            pOuter->SetInnerRow(pRow);
        pOuter = pRow;
        pParent = pRow;
    }
    // The top row's tabs carry close buttons on the selected tab.
    m_rows[qorTabPositionTop]->SetCloseButtonMode(1);
    Layout();
    ::ShowWindow(m_hWnd, SW_SHOW);
    ::UpdateWindow(m_hWnd);
    return TRUE;
}

void CTabScene::Destroy()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
    for (auto& row : m_rows)
        row.reset();
}

void CTabScene::DestroyRow(QorTabPosition position)
{
    if (m_rows[position] && m_rows[position]->GetSafeHwnd())
        m_rows[position]->DestroyWindow();
    m_rows[position].reset();
    for (auto& row : m_rows)
        if (row)
            row->SetInnerRow(nullptr);
}

void CTabScene::Layout()
{
    CSceneRow* pTop = m_rows[qorTabPositionTop].get();
    if (!m_hWnd || !pTop || !pTop->GetSafeHwnd())
        return;
    CRect rc;
    ::GetClientRect(m_hWnd, rc);
    pTop->MoveWindow(rc, TRUE);
    pTop->Reposition();
}

void CTabScene::SetClientSize(int cx, int cy)
{
    CRect rc(0, 0, cx, cy);
    ::AdjustWindowRectEx(rc, static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)), FALSE, 0);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, rc.Width(), rc.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CTabScene::SetAppearance(SceneAppearance appearance)
{
    for (auto& painter : m_painters) {
        switch (appearance) {
        case appearancePropertyPage:
            painter->SetAppearanceSet(new CQorTabPaintManager::CAppearanceSetPropertyPage());
            break;
        case appearancePropertyPage2003:
            painter->SetAppearanceSet(new CQorTabPaintManager::CAppearanceSetPropertyPage2003());
            break;
        case appearanceVisualStudio:
            painter->SetAppearanceSet(new CQorTabPaintManager::CAppearanceSetVisualStudio());
            break;
        case appearanceFlat:
            painter->SetAppearanceSet(new CQorTabPaintManager::CAppearanceSetFlat());
            break;
        }
    }
    Layout();
}

void CTabScene::SetColorKind(int nKind)
{
    for (auto& painter : m_painters)
        painter->SetColor(nKind);
    Layout();
}

CRect CTabScene::GetInnerClient() const
{
    CSceneRow* pInner = m_rows[qorTabPositionRight].get();
    if (!pInner || !pInner->GetSafeHwnd())
        return CRect(0, 0, 0, 0);
    CRect rc = pInner->m_rcClient;
    ::MapWindowPoints(pInner->GetSafeHwnd(), m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
    rc.NormalizeRect();
    return rc;
}

} // namespace tabscene
