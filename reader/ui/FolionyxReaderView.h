// The reader's view: the page view in which every page of the book is shown after it has been
// extracted. It decides which navigations the page control performs itself and which go
// through the contents tree (links between pages, the book's own link schemes), highlights a
// search keyword once a page has loaded, and owns the zoom of the page.
#pragma once

#include "platform/browser/HtmlView.h"
#include "platform/framework/Strings.h"

class CExeBookDocument;
class CReaderNavigationHost;

class CFolionyxReaderView : public CHtmlView
{
    DECLARE_DYNCREATE(CFolionyxReaderView)
public:
    CFolionyxReaderView();
    ~CFolionyxReaderView() override;

    // Shows a page; the keyword (may be empty) is highlighted once the page has loaded, and an
    // anchor left by an intercepted link is appended to the page's address.
    void NavigateToPage(LPCTSTR lpszKeyword, LPCTSTR lpszPagePath);
    // The browser's text size level, 0 (smallest) to 4 (largest); GetTextSize gives -1 when it
    // cannot be read.
    void SetTextSize(int nLevel);
    int GetTextSize();
    // Scrolls the page down a little unless it is at its end (the auto-scroll step).
    void ScrollOneStepIfNotAtEnd();
    // Moves the page on to the next hit (after the last one, back to the first); hits beyond
    // those highlighted when the page loaded are highlighted as it reaches them.
    void LocateKeywords();
    // Shows a short plain text in place of a page, from a page written into the work folder.
    void ShowNotice(LPCTSTR lpszText);

    // Optical zoom of the page in percent; GetZoom gives 0 when it cannot be read.
    void SetZoom(int nPercent);
    int GetZoom();
    // Steps through 100, 125 and 150 percent (the zoom pane's click).
    void CycleZoom();
    // The zoom changed: the zoom pane shows it. Values that are no zoom leave the pane alone.
    virtual void OnZoomChanged(int nPercent);

    // Where settings and the frame services come from; by default the application's settings
    // and the frame around the view.
    void SetSettings(const CExeBookDocument* pSettings) { m_pSettings = pSettings; }
    void SetNavigationHost(CReaderNavigationHost* pHost) { m_pHost = pHost; }

    const CString& GetPendingAnchor() const { return m_strPendingAnchor; }
    const CString& GetPendingKeyword() const { return m_strPendingKeyword; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL CreateControlSite(IUnknown** ppSite) override;
    void OnInitialUpdate() override;
    HRESULT OnShowContextMenu(DWORD dwID, LPPOINT ppt, LPUNKNOWN pcmdtReserved, LPDISPATCH pdispReserved) override;
    HRESULT OnGetHostInfo(DOCHOSTUIINFO* pInfo) override;
    HRESULT OnUpdateUI() override;
    void OnBeforeNavigate2(LPCTSTR lpszURL, DWORD nFlags, LPCTSTR lpszTargetFrameName, CByteArray& baPostedData,
                           LPCTSTR lpszHeaders, BOOL* pbCancel) override;
    void OnDocumentComplete(LPCTSTR lpszURL) override;

protected:
    afx_msg void OnZoomPreset(UINT nID);
    afx_msg void OnUpdateZoomPreset(CCmdUI* pCmdUI);
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnZoomCustom();

    DECLARE_MESSAGE_MAP()

private:
    const CExeBookDocument* GetSettings() const;
    CReaderNavigationHost* GetNavigationHost() const;
    // The rules for a navigation that the page control is about to perform; TRUE: cancel it.
    BOOL ShouldCancelNavigation(LPCTSTR lpszURL);

    CString m_strPendingAnchor;
    CString m_strPendingKeyword;
    // The keyword highlighted in the shown page, and where its hits not yet highlighted begin.
    CString m_strHighlighted;
    std::weak_ptr<fxb::Document> m_highlightedDocument;
    size_t m_nNextHit = size_t(-1);
    const CExeBookDocument* m_pSettings = nullptr;
    CReaderNavigationHost* m_pHost = nullptr;
    BOOL m_bSelectingItem = FALSE; // a link's item is being shown
};
