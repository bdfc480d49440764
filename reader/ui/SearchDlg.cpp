#include "reader/ui/SearchDlg.h"
#include <algorithm>
#include "reader/ui/ReaderNavigationHost.h"
#include "resources/resource.h"

BEGIN_MESSAGE_MAP(CSearchDlg, CVkResizeDialog)
    ON_EN_CHANGE(IDC_SEARCH_KEYWORD, &CSearchDlg::OnKeywordChanged)
    ON_BN_CLICKED(IDC_SEARCH_BUTTON, &CSearchDlg::OnSearchClicked)
    ON_NOTIFY(NM_DBLCLK, IDC_SEARCH_RESULTS, &CSearchDlg::OnResultDblClick)
    ON_NOTIFY(NM_RCLICK, IDC_SEARCH_RESULTS, &CSearchDlg::OnResultRClick)
    ON_NOTIFY(LVN_GETDISPINFOW, IDC_SEARCH_RESULTS, &CSearchDlg::OnResultGetDispInfo)
    ON_NOTIFY(QOR_LVN_SORTROWS, IDC_SEARCH_RESULTS, &CSearchDlg::OnResultSortRows)
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
    SortHits();
    ShowRowCount(int(m_hits.size()));
}

void CSearchDlg::SortHits()
{
    if (m_wndResults.GetSortColumn() != 0 || m_pHost == nullptr)
        return;
    std::vector<std::pair<CString, HTREEITEM>> rows;
    rows.reserve(m_hits.size());
    for (HTREEITEM item : m_hits)
        rows.emplace_back(m_pHost->GetItemTitle(item), item);
    const bool bAscending = m_wndResults.IsSortAscending() != FALSE;
    std::stable_sort(rows.begin(), rows.end(), [bAscending](const auto& a, const auto& b) {
        const int n = _wcsicmp(a.first, b.first);
        return bAscending ? n < 0 : n > 0;
    });
    for (size_t i = 0; i < rows.size(); ++i)
        m_hits[i] = rows[i].second;
}

void CSearchDlg::OnResultSortRows(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    // The chosen row would name another hit once the rows move.
    if (m_wndResults.GetSelectedCount() > 0)
        m_wndResults.SetItemState(-1, 0, LVIS_SELECTED);
    SortHits();
    m_wndResults.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN);
}

namespace {

// What the list's scroll bars show: whether each is there, and its range, page and position.
struct ScrollBarsState
{
    BOOL bVert = FALSE, bHorz = FALSE;
    SCROLLINFO vert = {}, horz = {};

    explicit ScrollBarsState(HWND hWnd)
    {
        const LONG_PTR style = ::GetWindowLongPtrW(hWnd, GWL_STYLE);
        bVert = (style & WS_VSCROLL) != 0;
        bHorz = (style & WS_HSCROLL) != 0;
        vert.cbSize = horz.cbSize = sizeof(SCROLLINFO);
        vert.fMask = horz.fMask = SIF_ALL;
        if (bVert)
            ::GetScrollInfo(hWnd, SB_VERT, &vert);
        if (bHorz)
            ::GetScrollInfo(hWnd, SB_HORZ, &horz);
    }
    static bool Same(const SCROLLINFO& a, const SCROLLINFO& b)
    {
        return a.nMin == b.nMin && a.nMax == b.nMax && a.nPage == b.nPage && a.nPos == b.nPos;
    }
    bool operator==(const ScrollBarsState& other) const
    {
        return bVert == other.bVert && bHorz == other.bHorz && Same(vert, other.vert) && Same(horz, other.horz);
    }
};

} // namespace

void CSearchDlg::ShowRowCount(int nRows)
{
    // The list holds no rows of its own: it asks for the texts of the rows it shows, so a
    // thousand hits cost no more than the few in sight.
    // Every window drawing costs a round trip to the display under Wine, far more than the
    // drawing itself (measured: the frame 4 to 50 ms, the header about as much, the rows
    // through the list's memory DC 1 to 3 ms). So the new count updates the scroll bars
    // without drawing them (the visible flag is off for that moment); the frame is drawn only
    // when they changed (the list asks for it on every count, which is dropped otherwise);
    // the header, which shows nothing new, is left alone; and the rows are drawn once.
    const HWND hList = m_wndResults.GetSafeHwnd();
    const ScrollBarsState before(hList);
    ::DefWindowProcW(hList, WM_SETREDRAW, FALSE, 0);
    m_wndResults.SetItemCountEx(nRows, 0);
    ::DefWindowProcW(hList, WM_SETREDRAW, TRUE, 0);
    UINT flags = RDW_INVALIDATE | RDW_NOCHILDREN;
    if (!(ScrollBarsState(hList) == before))
        flags |= RDW_FRAME;
    else
        m_wndResults.RedrawWindow(nullptr, nullptr, RDW_VALIDATE | RDW_NOFRAME | RDW_NOCHILDREN);
    m_wndResults.RedrawWindow(nullptr, nullptr, flags);
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
