#include "reader/ui/SearchDlg.h"
#include <algorithm>
#include "resources/resource.h"

BEGIN_MESSAGE_MAP(CSearchDlg, CDialog)
    ON_EN_CHANGE(IDC_SEARCH_KEYWORD, &CSearchDlg::OnKeywordChanged)
    ON_BN_CLICKED(IDC_SEARCH_BUTTON, &CSearchDlg::OnSearchClicked)
    ON_NOTIFY(NM_DBLCLK, IDC_SEARCH_RESULTS, &CSearchDlg::OnResultDblClick)
    ON_NOTIFY(NM_RCLICK, IDC_SEARCH_RESULTS, &CSearchDlg::OnResultRClick)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CSearchDlg::CSearchDlg() : m_pHost(nullptr), m_sizeStart(0, 0) {}

BOOL CSearchDlg::Create(CWnd* pParentWnd)
{
    return CDialog::Create(IDD, pParentWnd);
}

void CSearchDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SEARCH_PROMPT, m_wndPrompt);
    DDX_Control(pDX, IDC_SEARCH_KEYWORD, m_wndKeyword);
    DDX_Control(pDX, IDC_SEARCH_BUTTON, m_wndSearch);
    DDX_Control(pDX, IDC_SEARCH_RESULT_LABEL, m_wndResultLabel);
    DDX_Control(pDX, IDC_SEARCH_RESULTS, m_wndResults);
}

BOOL CSearchDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    AnchorControls();
    CString article, findWhat;
    article.LoadString(IDS_SEARCH_ARTICLE);
    findWhat.LoadString(IDS_SEARCH_FIND_WHAT);
    m_wndResults.InsertColumn(0, article, LVCFMT_LEFT, 200);
    m_wndResults.InsertColumn(1, findWhat, LVCFMT_LEFT, 100);
    return TRUE;
}

void CSearchDlg::AnchorControls()
{
    const Anchor anchors[] = {
        {IDC_SEARCH_PROMPT, 0, 0, 1, 0, CRect()},  {IDC_SEARCH_KEYWORD, 0, 0, 1, 0, CRect()},
        {IDC_SEARCH_BUTTON, 1, 0, 1, 0, CRect()},  {IDC_SEARCH_RESULT_LABEL, 0, 0, 1, 0, CRect()},
        {IDC_SEARCH_RESULTS, 0, 0, 1, 1, CRect()},
    };
    CRect client;
    GetClientRect(&client);
    m_sizeStart = client.Size();
    m_anchors.clear();
    for (Anchor anchor : anchors) {
        HWND control = ::GetDlgItem(m_hWnd, int(anchor.nID));
        if (control == nullptr)
            continue; // a template without this control
        ::GetWindowRect(control, &anchor.rcStart);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(&anchor.rcStart), 2);
        m_anchors.push_back(anchor);
    }
}

void CSearchDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    const int dx = cx - m_sizeStart.cx, dy = cy - m_sizeStart.cy;
    for (const Anchor& anchor : m_anchors) {
        CRect rect = anchor.rcStart;
        rect.left += anchor.bLeft ? dx : 0;
        rect.right += anchor.bRight ? dx : 0;
        rect.top += anchor.bTop ? dy : 0;
        rect.bottom += anchor.bBottom ? dy : 0;
        ::SetWindowPos(::GetDlgItem(m_hWnd, int(anchor.nID)), nullptr, rect.left, rect.top,
                       std::max(0, int(rect.Width())), std::max(0, int(rect.Height())), SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CSearchDlg::OnKeywordChanged()
{
    m_wndSearch.EnableWindow(m_wndKeyword.GetWindowTextLength() > 0);
}

void CSearchDlg::OnSearchClicked()
{
    Search();
}

void CSearchDlg::OnOK()
{
    Search();
}

void CSearchDlg::OnCancel() {}

void CSearchDlg::Search()
{
    m_wndResults.DeleteAllItems();
    CString keyword;
    m_wndKeyword.GetWindowText(keyword);
    if (keyword.IsEmpty() || m_pHost == nullptr)
        return;
    std::vector<HTREEITEM> items;
    m_pHost->SearchItems(keyword, items);
    for (HTREEITEM item : items) {
        const int row = m_wndResults.InsertItem(m_wndResults.GetItemCount(), m_pHost->GetItemTitle(item));
        if (row < 0)
            continue;
        m_wndResults.SetItemText(row, 1, keyword);
        m_wndResults.SetItemData(row, reinterpret_cast<DWORD_PTR>(item));
    }
}

void CSearchDlg::OnResultDblClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    const int row = m_wndResults.GetNextItem(-1, LVNI_SELECTED);
    HTREEITEM item = row >= 0 ? reinterpret_cast<HTREEITEM>(m_wndResults.GetItemData(row)) : nullptr;
    if (item == nullptr || m_pHost == nullptr)
        return;
    // The keyword as it stands now, also when it was edited after the search.
    CString keyword;
    m_wndKeyword.GetWindowText(keyword);
    m_pHost->OpenSearchHit(item, keyword);
}

void CSearchDlg::OnResultRClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
}

BOOL CSearchDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYUP && pMsg->wParam == VK_F3 && m_pHost != nullptr &&
        (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd))) {
        m_pHost->LocateKeywords();
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}
