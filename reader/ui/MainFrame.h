// The reader's main frame: the single top-level window of the program. It shows the
// contents tree on the left and the page view in the rest, opens the Home item at
// start, and extracts and shows the page of every item chosen in the tree.
#pragma once

#include "platform/framework/FrameWnd.h"
#include "platform/framework/Strings.h"
#include <functional>
#include "platform/framework/Menu.h"
#include "reader/feed/AdFeed.h"
#include "reader/ui/AttachmentsListCtrl.h"
#include "reader/book/ExeBookResourceFiles.h"
#include "reader/ui/ExeBookTreeCtrl.h"
#include "reader/ui/ReaderNavigationHost.h"
#include "reader/ui/SearchDlg.h"
#include "reader/ui/StatusBarAdLabelPane.h"
#include "toolkit/commandbars/StatusBar.h"

class CExeBookDocument;
class CFolionyxReaderView;

// Width of the contents strip: what the book asks for, but never so much that the view
// keeps less than a small part of the frame's client width.
int ContentsStripWidth(int requested, int clientWidth);

class CMainFrame : public CFrameWnd,
                   public CExeBookTreeCtrlEventListener,
                   public CExeBookAttachmentsListCtrlEventListener,
                   public CReaderNavigationHost
{
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    CExeBookTreeCtrl& GetContentsTree() { return m_wndContents; }
    const CString& GetPendingKeyword() const { return m_strPendingKeyword; }
    const CString& GetZoomPaneText() const { return m_strZoomPaneText; }
    BOOL IsAutoScrolling() const { return m_nAutoScroll != 0; }
    // FALSE after the start gate refused the book (the frame is closing then).
    BOOL IsAccessGranted() const { return m_bAccessGranted; }
    CAdFeed& GetFeed() { return m_wndAdPane.GetFeed(); }
    CQorStatusBar& GetStatusBar() { return m_wndStatusBar; }
    CQorStatusBarLabelPane& GetZoomPane() { return m_wndZoomPane; }
    CQorStatusBarLabelPane& GetIconPane() { return m_wndIconPane; }
    CQorStatusBarAdLabelPane& GetAdPane() { return m_wndAdPane; }
    // Shows the zoom menu at a screen point (its top-right corner); tests replace it.
    typedef std::function<void(CMenu* pPopup, CPoint ptTopRight)> ZoomMenuTracker;
    void SetZoomMenuTracker(ZoomMenuTracker tracker) { m_trackZoomMenu = std::move(tracker); }
    CExeBookAttachmentsListCtrl& GetAttachmentsList() { return m_wndAttachments; }
    BOOL AreAttachmentsShown() const { return m_bAttachmentsShown; }
    // Shows the list along the bottom, or hides it.
    void SetAttachmentsShown(BOOL bShown);
    // Writes an attachment by its file id; 1 written, 0 failed, -1 unknown id. Tests replace
    // it; by default the running book's packed files are used.
    typedef std::function<int(int nID, const CString& path)> AttachmentExtractor;
    void SetAttachmentExtractor(AttachmentExtractor extractor) { m_extractAttachment = std::move(extractor); }

    CSearchDlg& GetSearchPane() { return m_wndSearch; }
    BOOL IsSearchShown() const { return m_leftPane == LeftPaneSearch; }

    // CExeBookAttachmentsListCtrlEventListener
    void OnAttachmentSelectionChanged(CExeBookAttachmentsListCtrl* list) override;
    void OnAttachmentOpen(CExeBookAttachmentsListCtrl* list, int nItem) override;
    void OnAttachmentContextMenu(CExeBookAttachmentsListCtrl* list, CWnd* pWnd, CPoint point) override;

    // CReaderNavigationHost
    HTREEITEM ResolveTreeLink(LPCTSTR lpszURL) override;
    void SelectTreeItem(HTREEITEM hItem, LPCTSTR lpszKeyword) override;
    void SetZoomPaneText(LPCTSTR lpszText) override;
    void SearchItems(LPCTSTR lpszText, std::vector<HTREEITEM>& items) override;
    CString GetItemTitle(HTREEITEM hItem) override;
    void LocateKeywords() override;

    // CExeBookTreeCtrlEventListener
    void OnTreeSelectionChanged(CExeBookTreeCtrl* tree) override;
    void OnTreeReserved(CExeBookTreeCtrl* tree) override;

    // The frame's own window class "QorMainFrame": double clicks and the application icon.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // The framework loads the menu's accelerators after creation; the book's own table
    // replaces them then.
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;

    // The book's name is the window's title.
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

    // The tree beside the view, as wide as the settings ask when it is shown.
    void RecalcLayout(BOOL bNotify = TRUE) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void GoHome();
    afx_msg void OnLocateKeywords();
    afx_msg void OnClose();
    afx_msg void OnPageCommand(UINT nID);
    afx_msg void OnTextSize(UINT nID);
    afx_msg void OnUpdateTextSize(CCmdUI* pCmdUI);
    afx_msg void OnTextSizeButton();
    afx_msg void OnNext();
    afx_msg void OnPrior();
    afx_msg void OnUpdateNext(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePrior(CCmdUI* pCmdUI);
    afx_msg void OnContents();
    afx_msg void OnSearch();
    afx_msg void OnAutoScroll();
    afx_msg void OnUpdateAutoScroll(CCmdUI* pCmdUI);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnAboutEBook();
    afx_msg void OnRunTool(UINT nID);
    afx_msg void OnAttachmentOpenCommand();
    afx_msg void OnAttachmentSave();
    afx_msg void OnAttachmentSaveAll();
    afx_msg void OnAttachmentView(UINT nID);
    afx_msg void OnUpdateAttachmentSingle(CCmdUI* pCmdUI);
    afx_msg void OnUpdateAttachmentSaveAll(CCmdUI* pCmdUI);
    afx_msg void OnUpdateAttachmentView(CCmdUI* pCmdUI);
    afx_msg LRESULT OnQorPaneClicked(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnQorPaneRightClicked(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    CFolionyxReaderView* GetReaderView() const;
    // Asks for the book password once when the book has one.
    BOOL CheckStartupAccess();
    // The status bar in the frame's look, with its indicators; FALSE fails the frame.
    BOOL CreateStatusBar();
    // Zoom, icon and advertisement panes, after the start gate.
    void AddStatusPanes();
    BOOL AddStatusPane(int nID, int nIndex, int nWidth, CQorStatusBarPaneWnd& wnd);
    void StartFeed(LPCTSTR lpszCachePath, LPCTSTR lpszFeedAddress);
    // The book's tools as a menu before Help.
    void AddToolsToMenu();

    // What the strip on the left shows.
    enum LeftPane { LeftPaneNone, LeftPaneContents, LeftPaneSearch };
    void ShowLeftPane(LeftPane pane);
    void ShowAttachments(const EXEBOOKCONTENTSRECORD& record);
    int ExtractAttachment(int nID, const CString& path);

    CExeBookTreeCtrl m_wndContents;
    CString m_strPendingKeyword;
    CString m_strZoomPaneText;
    const CExeBookDocument* m_pSettings;
    BOOL m_bSettingsRead;
    BOOL m_bAccessGranted;
    CQorStatusBar m_wndStatusBar;
    CQorStatusBarLabelPane m_wndZoomPane;
    CQorStatusBarLabelPane m_wndIconPane; // no text: the icon and the clicks
    CQorStatusBarAdLabelPane m_wndAdPane;
    CMenu m_menuZoom;
    ZoomMenuTracker m_trackZoomMenu;
    int m_nAutoScroll;
    CSearchDlg m_wndSearch;
    LeftPane m_leftPane;
    CExeBookAttachmentsListCtrl m_wndAttachments;
    CMenu m_menuAttachments;
    BOOL m_bAttachmentsShown;
    AttachmentExtractor m_extractAttachment;
    BOOL m_bContentsShown;
    int m_nContentsWidth;
};
