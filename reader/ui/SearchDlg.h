// The search pane: a keyword, a Search button and the contents items whose pages hold the
// keyword, with the keyword highlighted in the rows. A double-click opens a hit with the
// keyword as it stands in the edit then; F3 inside the pane moves on to the next hit of the
// shown page. Enter searches; Esc does nothing (the pane is not a dialog that closes). A
// click on the title header sorts the hits by title. The controls follow the pane's size.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <vector>
#include "platform/framework/Controls.h"
#include "toolkit/foundation/ListCtrl.h"
#include "toolkit/foundation/Resize.h"

class CReaderNavigationHost;

class CSearchDlg : public CVkResizeDialog
{
public:
    enum { IDD = 142 };

    CSearchDlg();

    BOOL Create(CWnd* pParentWnd);
    // The window the pane searches and opens hits in.
    void SetHost(CReaderNavigationHost* pHost) { m_pHost = pHost; }

    // Runs the search for the edit's text, replacing the rows.
    void Search();
    CQorListCtrl& GetResultList() { return m_wndResults; }
    CEdit& GetKeywordEdit() { return m_wndKeyword; }

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;     // Enter searches
    void OnCancel() override; // Esc keeps the pane

    afx_msg void OnKeywordChanged();
    afx_msg void OnSearchClicked();
    afx_msg void OnResultDblClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnResultRClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnResultGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnResultSortRows(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    // Gives the list its new row count and draws it once.
    void ShowRowCount(int nRows);
    // Orders the hits as the list's header asks: by title (column 0); the keyword column is
    // the same in every row and keeps the book's order.
    void SortHits();

    CStatic m_wndPrompt;
    CEdit m_wndKeyword;
    CButton m_wndSearch;
    CStatic m_wndResultLabel;
    CQorListCtrl m_wndResults;
    CReaderNavigationHost* m_pHost;
    std::vector<HTREEITEM> m_hits; // the rows: the contents items of the last search
    CString m_strSearched;         // the keyword of the last search, shown in every row
};
