#include "reader/ui/MainFrame.h"
#include <algorithm>
#include "reader/ui/Accelerators.h"
#include "reader/app/AppFolders.h"
#include "reader/book/BookFiles.h"
#include "reader/book/ExeBookDocument.h"
#include "reader/app/FolionyxReaderApp.h"
#include "reader/ui/FolionyxReaderView.h"
#include "reader/ui/PasswordDlg.h"
#include "resources/resource.h"

namespace {

// Where Home goes when the book has neither a Home item nor a home page of its own.
const wchar_t kMakerHomePage[] = L"http://www.folionyx.example/";

const wchar_t kFrameClassName[] = L"QorMainFrame";

// The view keeps at least this much of the frame, however wide the book wants its contents.
const int kMinViewWidth = 100;
// Height of the attachment list along the bottom while it shows.
const int kAttachmentsHeight = 100;

CString LoadResourceString(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

} // namespace

int ContentsStripWidth(int requested, int clientWidth)
{
    return std::max(0, std::min(requested, clientWidth - kMinViewWidth));
}

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_HOME, &CMainFrame::GoHome)
    ON_COMMAND(ID_LOCATE_KEYWORDS, &CMainFrame::OnLocateKeywords)
    ON_WM_CLOSE()
    ON_WM_TIMER()
    ON_COMMAND_RANGE(ID_PAGE_PRINT, ID_PAGE_REFRESH, &CMainFrame::OnPageCommand)
    ON_COMMAND_RANGE(ID_FIND_ON_PAGE, ID_FIND_ON_PAGE, &CMainFrame::OnPageCommand)
    ON_COMMAND_RANGE(ID_TEXT_LARGEST, ID_TEXT_SMALLEST, &CMainFrame::OnTextSize)
    ON_UPDATE_COMMAND_UI_RANGE(ID_TEXT_LARGEST, ID_TEXT_SMALLEST, &CMainFrame::OnUpdateTextSize)
    ON_COMMAND(ID_TEXT_SIZE, &CMainFrame::OnTextSizeButton)
    ON_COMMAND(ID_NEXT, &CMainFrame::OnNext)
    ON_COMMAND(ID_PRIOR, &CMainFrame::OnPrior)
    ON_UPDATE_COMMAND_UI(ID_NEXT, &CMainFrame::OnUpdateNext)
    ON_UPDATE_COMMAND_UI(ID_PRIOR, &CMainFrame::OnUpdatePrior)
    ON_COMMAND(ID_CONTENTS, &CMainFrame::OnContents)
    ON_COMMAND(ID_SEARCH, &CMainFrame::OnSearch)
    ON_COMMAND(ID_AUTO_SCROLL, &CMainFrame::OnAutoScroll)
    ON_UPDATE_COMMAND_UI(ID_AUTO_SCROLL, &CMainFrame::OnUpdateAutoScroll)
    ON_COMMAND(ID_ABOUT_EBOOK, &CMainFrame::OnAboutEBook)
    ON_COMMAND(ID_ATTACHMENT_OPEN, &CMainFrame::OnAttachmentOpenCommand)
    ON_COMMAND(ID_ATTACHMENT_SAVE, &CMainFrame::OnAttachmentSave)
    ON_COMMAND(ID_ATTACHMENT_SAVE_ALL, &CMainFrame::OnAttachmentSaveAll)
    ON_COMMAND_RANGE(ID_ATTACHMENT_DETAILS, ID_ATTACHMENT_ICONS, &CMainFrame::OnAttachmentView)
    ON_UPDATE_COMMAND_UI(ID_ATTACHMENT_OPEN, &CMainFrame::OnUpdateAttachmentSingle)
    ON_UPDATE_COMMAND_UI(ID_ATTACHMENT_SAVE, &CMainFrame::OnUpdateAttachmentSingle)
    ON_UPDATE_COMMAND_UI(ID_ATTACHMENT_SAVE_ALL, &CMainFrame::OnUpdateAttachmentSaveAll)
    ON_UPDATE_COMMAND_UI(ID_ATTACHMENT_DETAILS, &CMainFrame::OnUpdateAttachmentView)
    ON_UPDATE_COMMAND_UI(ID_ATTACHMENT_ICONS, &CMainFrame::OnUpdateAttachmentView)
    ON_COMMAND_RANGE(EXEBOOK_FIRST_TOOL_COMMAND, EXEBOOK_LAST_TOOL_COMMAND, &CMainFrame::OnRunTool)
    ON_MESSAGE(WM_QOR_PANE_CLICKED, &CMainFrame::OnQorPaneClicked)
    ON_MESSAGE(WM_QOR_PANE_RIGHT_CLICKED, &CMainFrame::OnQorPaneRightClicked)
END_MESSAGE_MAP()

CMainFrame::CMainFrame()
    : m_pSettings(nullptr), m_bSettingsRead(TRUE), m_bAccessGranted(FALSE), m_nAutoScroll(0), m_leftPane(LeftPaneNone),
      m_bAttachmentsShown(FALSE), m_bContentsShown(FALSE), m_nContentsWidth(0)
{}

CMainFrame::~CMainFrame() = default;

BOOL CMainFrame::CheckStartupAccess()
{
    const CString password = m_pSettings ? m_pSettings->m_strPassword : CString();
    if (password.IsEmpty())
        return TRUE;
    CPasswordDlg dialog(m_pSettings->m_strBookName, this);
    const INT_PTR result = dialog.DoModal();
    return PasswordGatePasses(password, result, dialog.m_strPassword);
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;

    if (CFolionyxReaderApp* app = dynamic_cast<CFolionyxReaderApp*>(AfxGetApp())) {
        m_pSettings = &app->m_ExeBookDocument;
        m_bSettingsRead = app->m_bSettingsRead;
    }

    if (!CreateStatusBar())
        return -1;

    m_bContentsShown = m_pSettings && m_pSettings->m_bContentsVisible && m_pSettings->m_bContentsVisibleStartup;
    m_nContentsWidth = m_pSettings ? std::max(m_pSettings->m_nContentsWidth, 0) : 0;

    const DWORD style = WS_CHILD | WS_TABSTOP | TVS_HASBUTTONS | TVS_SHOWSELALWAYS | TVS_TRACKSELECT |
                        (m_bContentsShown ? WS_VISIBLE : 0);
    if (!m_wndContents.CreateEx(WS_EX_CLIENTEDGE, style, CRect(0, 0, 0, 0), this, 0))
        return -1;
    m_wndContents.SetListener(this);
    if (!m_wndSearch.Create(this))
        return -1;
    m_wndSearch.SetHost(this);
    m_leftPane = m_bContentsShown ? LeftPaneContents : LeftPaneNone;
    if (!m_wndAttachments.CreateEx(WS_EX_CLIENTEDGE, WS_CHILD | WS_TABSTOP, CRect(0, 0, 0, 0), this, 0))
        return -1;
    m_wndAttachments.SetListener(this);

    // Nothing of a protected book is loaded before its password was given; a failed gate
    // closes the frame without a message.
    m_bAccessGranted = CheckStartupAccess();
    if (!m_bAccessGranted) {
        PostMessageW(WM_CLOSE, 0, 0);
        return 0;
    }

    if (m_pSettings != nullptr) {
        // Loading changes nothing in the settings; the reader only needs the non-const
        // document for the DOM lookups.
        m_wndContents.Load(const_cast<CExeBookDocument&>(*m_pSettings));
    }
    AddToolsToMenu();
    PostMessageW(WM_COMMAND, ID_HOME, 0);
    AddStatusPanes();
    // The reader's own frame refreshes the announcements; a frame hosted elsewhere has none.
    if (m_pSettings != nullptr)
        StartFeed(GetSettingsFolder() + L"Ad.xml", LoadResourceString(IDS_FEED_ADDRESS));
    return 0;
}

void CMainFrame::OnClose()
{
    // A download that still runs must not outlive the window it reports to.
    m_wndAdPane.StopFeed();
    CFrameWnd::OnClose();
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    WNDCLASSW wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hIcon = ::LoadIconW(AfxFindResourceHandle(MAKEINTRESOURCEW(IDR_MAINFRAME), RT_GROUP_ICON),
                           MAKEINTRESOURCEW(IDR_MAINFRAME));
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kFrameClassName;
    if (!AfxRegisterClass(&wc))
        return FALSE;
    cs.lpszClass = kFrameClassName;
    return TRUE;
}

BOOL CMainFrame::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    if (m_bAccessGranted)
        BuildAcceleratorTable(this, m_pSettings);
    return TRUE;
}

void CMainFrame::OnLocateKeywords()
{
    if (CFolionyxReaderView* view = GetReaderView())
        view->LocateKeywords();
}

void CMainFrame::ShowLeftPane(LeftPane pane)
{
    m_leftPane = pane;
    m_bContentsShown = pane != LeftPaneNone;
    m_wndContents.ShowWindow(pane == LeftPaneContents ? SW_SHOW : SW_HIDE);
    m_wndSearch.ShowWindow(pane == LeftPaneSearch ? SW_SHOW : SW_HIDE);
    RecalcLayout();
    if (pane == LeftPaneSearch)
        m_wndSearch.GetKeywordEdit().SetFocus();
}

void CMainFrame::SearchItems(LPCTSTR lpszText, std::vector<HTREEITEM>& items)
{
    EXEBOOKPACKEDDATA resource;
    const CExeBookResourceFiles* index = nullptr;
    if (GetRunningBook(resource, index))
        m_wndContents.SearchItems(lpszText, *index, resource, items);
}

CString CMainFrame::GetItemTitle(HTREEITEM hItem)
{
    return m_wndContents.GetItemText(hItem);
}

void CMainFrame::LocateKeywords()
{
    OnLocateKeywords();
}

void CMainFrame::RecalcLayout(BOOL bNotify)
{
    if (m_wndContents.GetSafeHwnd() != nullptr) {
        CRect client;
        GetClientRect(&client);
        // The strips share what the status bar leaves.
        if (m_wndStatusBar.GetSafeHwnd() && m_wndStatusBar.IsWindowVisible())
            client.bottom -= std::min<LONG>(m_wndStatusBar.CalcFixedLayout(TRUE, TRUE).cy, client.Height());
        const int width = m_bContentsShown ? ContentsStripWidth(m_nContentsWidth, client.Width()) : 0;
        const int bottom = m_bAttachmentsShown ? std::min(kAttachmentsHeight, client.Height()) : 0;
        // The strip shows the tree or the search pane, whichever was shown last.
        m_wndContents.SetWindowPos(nullptr, client.left, client.top, width, client.Height() - bottom,
                                   SWP_NOZORDER | SWP_NOACTIVATE);
        if (m_wndSearch.GetSafeHwnd() != nullptr)
            m_wndSearch.SetWindowPos(nullptr, client.left, client.top, m_leftPane == LeftPaneSearch ? width : 0,
                                     client.Height() - bottom, SWP_NOZORDER | SWP_NOACTIVATE);
        if (m_wndAttachments.GetSafeHwnd() != nullptr)
            m_wndAttachments.SetWindowPos(nullptr, client.left, client.bottom - bottom, client.Width(), bottom,
                                          SWP_NOZORDER | SWP_NOACTIVATE);
        // The view takes what the tree and the attachments leave.
        m_rectBorder.left = width;
        m_rectBorder.bottom = bottom;
    }
    CFrameWnd::RecalcLayout(bNotify);
}

void CMainFrame::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    // A book without a name keeps the framework's title.
    if (m_pSettings == nullptr || m_pSettings->m_strBookName.IsEmpty()) {
        CFrameWnd::OnUpdateFrameTitle(bAddToTitle);
        return;
    }
    CString shown;
    GetWindowText(shown);
    if (shown != m_pSettings->m_strBookName)
        SetWindowText(m_pSettings->m_strBookName);
}

CFolionyxReaderView* CMainFrame::GetReaderView() const
{
    return DYNAMIC_DOWNCAST(CFolionyxReaderView, GetActiveView());
}

// ---------------------------------------------------------------------------------------
// Pages of the contents

void CMainFrame::OnTreeSelectionChanged(CExeBookTreeCtrl* tree)
{
    HTREEITEM item = tree->GetSelectedItem();
    const EXEBOOKCONTENTSRECORD* record = tree->GetRecord(item);
    if (record == nullptr)
        return;
    // A page that cannot be extracted leaves the previous one in place.
    CString pagePath;
    if (!ExtractPage(record->files, GetWorkFolder(), pagePath))
        return;
    if (CFolionyxReaderView* view = GetReaderView())
        view->NavigateToPage(m_strPendingKeyword, pagePath);
    ShowAttachments(*record);
}

void CMainFrame::OnTreeReserved(CExeBookTreeCtrl*) {}

void CMainFrame::SelectTreeItem(HTREEITEM hItem, LPCTSTR lpszKeyword)
{
    m_strPendingKeyword = lpszKeyword ? lpszKeyword : L"";
    // Choosing the shown item again shows its page again.
    if (hItem != nullptr && m_wndContents.GetSelectedItem() == hItem)
        m_wndContents.SelectItem(nullptr);
    m_wndContents.SelectItem(hItem);
}

HTREEITEM CMainFrame::ResolveTreeLink(LPCTSTR lpszURL)
{
    return m_wndContents.ResolveTreeLink(lpszURL, m_wndContents.GetSelectedItem());
}

void CMainFrame::GoHome()
{
    if (HTREEITEM home = m_wndContents.FindHomeItem()) {
        SelectTreeItem(home, nullptr);
        return;
    }
    CFolionyxReaderView* view = GetReaderView();
    if (view == nullptr)
        return;
    // A book whose settings could not be read has no pages to offer; say so in the view
    // rather than showing the page engine's notice about web pages.
    if (!m_bSettingsRead) {
        view->ShowNotice(LoadResourceString(IDS_PAGE_UNREADABLE));
        return;
    }
    CString homePage = m_pSettings ? m_pSettings->m_strAuthorHomePage : CString();
    if (homePage.IsEmpty())
        homePage = kMakerHomePage;
    view->NavigateToPage(m_strPendingKeyword, homePage);
}
