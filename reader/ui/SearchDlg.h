// The search pane: a keyword, a Search button and the contents items whose pages hold the
// keyword. A double-click opens a hit with the keyword as it stands in the edit then; F3
// inside the pane moves on to the next hit of the shown page. Enter searches; Esc does
// nothing (the pane is not a dialog that closes).
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <vector>
#include "platform/framework/Controls.h"
#include "platform/framework/Dialog.h"

// What the pane needs from the window around it; the frame implements it, tests their own.
class CSearchPaneHost
{
public:
    virtual ~CSearchPaneHost() = default;
    // The contents items whose pages contain the text, in contents order.
    virtual void SearchItems(LPCTSTR lpszText, std::vector<HTREEITEM>& items) = 0;
    virtual CString GetItemTitle(HTREEITEM hItem) = 0;
    // Shows the item's page with the keyword highlighted.
    virtual void OpenSearchHit(HTREEITEM hItem, LPCTSTR lpszKeyword) = 0;
    virtual void LocateKeywords() = 0;
};

class CSearchDlg : public CDialog
{
public:
    enum { IDD = 142 };

    CSearchDlg();

    BOOL Create(CWnd* pParentWnd);
    void SetHost(CSearchPaneHost* pHost) { m_pHost = pHost; }

    // Runs the search for the edit's text, replacing the rows.
    void Search();
    CListCtrl& GetResultList() { return m_wndResults; }
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
    afx_msg void OnSize(UINT nType, int cx, int cy);

    DECLARE_MESSAGE_MAP()

private:
    // Which edges of a control follow the pane's right and bottom edges.
    struct Anchor
    {
        UINT nID;
        BOOL bLeft, bTop, bRight, bBottom;
        CRect rcStart;
    };
    void AnchorControls();

    CStatic m_wndPrompt;
    CEdit m_wndKeyword;
    CButton m_wndSearch;
    CStatic m_wndResultLabel;
    CListCtrl m_wndResults;
    CSearchPaneHost* m_pHost;
    std::vector<Anchor> m_anchors;
    CSize m_sizeStart;
};
