// The reader's main frame: the single top-level window of the program. It carries the
// "Standard" tool bar and the status bar, docks Contents and Search tabbed on the left and
// Attachments along the bottom around the page view, opens the Home item at start, and
// extracts and shows the page of every item chosen in the tree.
#pragma once

#include "platform/framework/Menu.h"
#include "platform/framework/Strings.h"
#include <functional>
#include "reader/book/BookFiles.h"
#include "reader/book/ExeBookResourceFiles.h"
#include "reader/feed/AdFeed.h"
#include "reader/ui/AttachmentsListCtrl.h"
#include "reader/ui/ExeBookTreeCtrl.h"
#include "reader/ui/ReaderNavigationHost.h"
#include "reader/ui/SearchDlg.h"
#include "reader/ui/StatusBarAdLabelPane.h"
#include "toolkit/commandbars/FrameWndBase.h"
#include "toolkit/commandbars/StatusBar.h"
#include "toolkit/docking/DockingPaneManager.h"

class CExeBookDocument;
class CFolionyxReaderView;
class CQorCommandBar;
class CQorToolBar;

// Width of the Contents group: what the book asks for, kept between a narrow width that still
// shows the titles and two thirds of the frame's client width.
int ContentsStripWidth(int requested, int clientWidth);

// The caption of a tool's button: the name, cut with an ellipsis when it is longer than a
// button can sensibly show.
CString ToolButtonCaption(const CString& name);

// Ids of the frame's docking panes.
enum : int { READER_PANE_CONTENTS = 32782, READER_PANE_SEARCH = 32783, READER_PANE_ATTACHMENTS = 1000 };

class CMainFrame : public CQorFrameWnd,
                   public CExeBookTreeCtrlEventListener,
                   public CExeBookAttachmentsListCtrlEventListener,
                   public CReaderNavigationHost
{
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    // Where the frame takes its book from when it is created: the running application's
    // settings and packed files unless a test gives its own first. The packed-files source
    // answers the locked resource and its index, FALSE when there are none.
    typedef ::PackedFilesSource PackedFilesSource;
    void SetBook(const CExeBookDocument* pSettings, PackedFilesSource packedFiles);

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
    CQorDockingPaneManager& GetDockingPaneManager() { return m_paneManager; }
    // The "Standard" tool bar; null before the frame's window exists.
    CQorToolBar* GetToolBar() const { return m_pToolBar; }
    // Runs the zoom menu's popup bar at a screen point with the tracking flags (right-aligned:
    // the point is its top-right corner); tests replace it.
    typedef std::function<void(CQorCommandBar* pPopup, UINT nFlags, CPoint pt)> ZoomMenuTracker;
    void SetZoomMenuTracker(ZoomMenuTracker tracker) { m_trackZoomMenu = std::move(tracker); }
    CExeBookAttachmentsListCtrl& GetAttachmentsList() { return m_wndAttachments; }
    // Whether the Attachments pane shows in its group.
    BOOL AreAttachmentsShown() const;
    // What became of an attachment written to a path.
    enum AttachmentResult : int {
        attachmentUnknownId = -1, // not in the book's index
        attachmentDamaged = 0,    // its record does not inflate: nothing was written
        attachmentWritten = 1,
        attachmentNotWritten = 2, // sound, but the file could not be written there
    };
    // Writes an attachment by its file id and says what became of it. Tests replace it; by
    // default the book's packed files are used.
    typedef std::function<int(int nID, const CString& path)> AttachmentExtractor;
    void SetAttachmentExtractor(AttachmentExtractor extractor) { m_extractAttachment = std::move(extractor); }

    CSearchDlg& GetSearchPane() { return m_wndSearch; }
    // Whether the Search pane is the one its group shows.
    BOOL IsSearchShown() const;

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

    // The book's name is the window's title.
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

    // The look the settings ask for: flat or raised bars, grippers or none; everything is
    // measured and drawn again.
    void ApplyLook();

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
    afx_msg void OnShowPane(UINT nID);
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
    afx_msg LRESULT OnDockingPaneNotify(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCreateControl(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    // A small icon for a pane, kept for the frame's life.
    struct CPaneIcon : QOR_DOCKINGPANE_ICON
    {
        ~CPaneIcon();
    };

    CFolionyxReaderView* GetReaderView() const;
    // The book's locked packed files and index; FALSE when there are none.
    BOOL GetBook(EXEBOOKPACKEDDATA& resource, const CExeBookResourceFiles*& index) const;
    // The source the packed-file routines take the book from: the running book, or the test's.
    PackedFilesSource GetBookSource() const;
    // Asks for the book password once when the book has one.
    BOOL CheckStartupAccess();
    // The native XP look as the process's bars' look.
    static void InstallNativeXPLook();
    // The "Standard" tool bar from its resource; FALSE fails the frame.
    BOOL CreateStandardToolBar();
    // The status bar with its indicators; FALSE fails the frame.
    BOOL CreateStatusBar();
    // The docking panes: Contents and Search tabbed on the left, Attachments at the bottom,
    // all but Contents closed.
    void CreateDockingPanes(int nClientWidth);
    // The pane windows, each made once as a child of the frame.
    BOOL CreateContentsTree();
    BOOL CreateSearchPane();
    BOOL CreateAttachmentsList();
    // Takes the buttons the book hides off the tool bar.
    void HideToolBarButtons();
    // The book's tools, then About, at the end of the tool bar.
    void AddToolButtons();
    // Closes Contents (and drops its button) as the book asks.
    void ApplyContentsVisibility();
    // Zoom, icon and advertisement panes, after the start gate.
    void AddStatusPanes();
    BOOL AddStatusPane(int nID, int nIndex, int nWidth, CQorStatusBarPaneWnd& wnd);
    void StartFeed(LPCTSTR lpszCachePath, LPCTSTR lpszFeedAddress);

    void ShowAttachments(const EXEBOOKCONTENTSRECORD& record);
    int ExtractAttachment(int nID, const CString& path);
    // Writes the attachment of a row to a path and tells the user when that fails; TRUE when
    // it was written.
    BOOL WriteAttachmentOrSay(int nRow, const CString& path);

    CQorDockingPaneManager m_paneManager;
    CExeBookTreeCtrl m_wndContents;
    CSearchDlg m_wndSearch;
    CExeBookAttachmentsListCtrl m_wndAttachments;
    CMenu m_menuAttachments;
    CPaneIcon m_iconContents;
    CPaneIcon m_iconSearch;
    int m_nAutoScroll;
    CString m_strPendingKeyword;
    BOOL m_bExtracting = FALSE;            // a page is being written
    BOOL m_bChosenWhileExtracting = FALSE; // and another item was chosen meanwhile
    CMenu m_menuZoom;
    CQorStatusBarLabelPane m_wndZoomPane;
    CQorStatusBarLabelPane m_wndIconPane; // no text: the icon and the clicks
    CQorStatusBarAdLabelPane m_wndAdPane;
    CQorStatusBar m_wndStatusBar;
    CQorToolBar* m_pToolBar;

    CString m_strZoomPaneText;
    const CExeBookDocument* m_pSettings;
    BOOL m_bBookGiven;
    PackedFilesSource m_packedFiles;
    BOOL m_bSettingsRead;
    BOOL m_bAccessGranted;
    BOOL m_bBookPageShown; // a page of the book has been given to the view
    ZoomMenuTracker m_trackZoomMenu;
    AttachmentExtractor m_extractAttachment;
};
