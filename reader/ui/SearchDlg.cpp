#include "reader/ui/SearchDlg.h"
#include "reader/ui/ReaderNavigationHost.h"
#include "resources/resource.h"

BEGIN_MESSAGE_MAP(CSearchDlg, CVkResizeDialog)
    ON_EN_CHANGE(IDC_SEARCH_KEYWORD, &CSearchDlg::OnKeywordChanged)
    ON_BN_CLICKED(IDC_SEARCH_BUTTON, &CSearchDlg::OnSearchClicked)
    ON_NOTIFY(NM_DBLCLK, IDC_SEARCH_RESULTS, &CSearchDlg::OnResultDblClick)
    ON_NOTIFY(NM_RCLICK, IDC_SEARCH_RESULTS, &CSearchDlg::OnResultRClick)
    ON_NOTIFY(LVN_GETDISPINFOW, IDC_SEARCH_RESULTS, &CSearchDlg::OnResultGetDispInfo)
END_MESSAGE_MAP()

CSearchDlg::CSearchDlg() : CVkResizeDialog(IDD), m_pHost(nullptr) {}

BOOL CSearchDlg::Create(CWnd* pParentWnd)
{
    return CDialog::Create(IDD, pParentWnd);
}

void CSearchDlg::DoDataExchange(CDataExchange* pDX)
{
    CVkResizeDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SEARCH_PROMPT, m_wndPrompt);
    DDX_Control(pDX, IDC_SEARCH_KEYWORD, m_wndKeyword);
    DDX_Control(pDX, IDC_SEARCH_BUTTON, m_wndSearch);
    DDX_Control(pDX, IDC_SEARCH_RESULT_LABEL, m_wndResultLabel);
    DDX_Control(pDX, IDC_SEARCH_RESULTS, m_wndResults);
}

BOOL CSearchDlg::OnInitDialog()
{
    CVkResizeDialog::OnInitDialog();
    // The labels, the edit and the list widen with the pane, the button keeps to its right
    // edge, and the list takes the height.
    SetResize(IDC_SEARCH_PROMPT, 0, 0, 1, 0);
    SetResize(IDC_SEARCH_KEYWORD, 0, 0, 1, 0);
    SetResize(IDC_SEARCH_BUTTON, 1, 0, 1, 0);
    SetResize(IDC_SEARCH_RESULT_LABEL, 0, 0, 1, 0);
    SetResize(IDC_SEARCH_RESULTS, 0, 0, 1, 1);
    CString article, findWhat;
    article.LoadString(IDS_SEARCH_ARTICLE);
    findWhat.LoadString(IDS_SEARCH_FIND_WHAT);
    m_wndResults.InsertColumn(0, article, LVCFMT_LEFT, 200);
    m_wndResults.InsertColumn(1, findWhat, LVCFMT_LEFT, 100);
    return TRUE;
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
    m_hits.clear();
    // No row of the last search stays chosen (asked first: clearing visits every row).
    if (m_wndResults.GetSelectedCount() > 0)
        m_wndResults.SetItemState(-1, 0, LVIS_SELECTED);
    m_wndKeyword.GetWindowText(m_strSearched);
    m_wndResults.SetHighlightText(m_strSearched);
    if (!m_strSearched.IsEmpty() && m_pHost != nullptr)
        m_pHost->SearchItems(m_strSearched, m_hits);
    // The list holds no rows of its own: it asks for the texts of the rows it shows, so a
    // thousand hits cost no more than the few in sight.
    // The list redraws its scroll bars at once whenever its row count changes, which costs
    // more than everything else here (measured: 30 ms and more under Wine). Without the
    // visible flag for that moment it only updates them; they are drawn with the rows.
    ::DefWindowProcW(m_wndResults.GetSafeHwnd(), WM_SETREDRAW, FALSE, 0);
    m_wndResults.SetItemCountEx(int(m_hits.size()), 0);
    ::DefWindowProcW(m_wndResults.GetSafeHwnd(), WM_SETREDRAW, TRUE, 0);
    m_wndResults.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void CSearchDlg::OnResultGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(pNMHDR)->item;
    if (!(item.mask & LVIF_TEXT) || item.pszText == nullptr || item.cchTextMax <= 0)
        return;
    CString text;
    if (item.iItem >= 0 && size_t(item.iItem) < m_hits.size())
        text = item.iSubItem == 0 ? (m_pHost ? m_pHost->GetItemTitle(m_hits[size_t(item.iItem)]) : CString())
                                  : m_strSearched;
    ::lstrcpynW(item.pszText, text, item.cchTextMax);
}

void CSearchDlg::OnResultDblClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    const int row = m_wndResults.GetNextItem(-1, LVNI_SELECTED);
    HTREEITEM item = row >= 0 && size_t(row) < m_hits.size() ? m_hits[size_t(row)] : nullptr;
    if (item == nullptr || m_pHost == nullptr)
        return;
    // The keyword as it stands now, also when it was edited after the search.
    CString keyword;
    m_wndKeyword.GetWindowText(keyword);
    m_pHost->SelectTreeItem(item, keyword);
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
    return CVkResizeDialog::PreTranslateMessage(pMsg);
}
