#include "reader/ui/MainFrame.h"
#include <algorithm>
#include "reader/ui/Accelerators.h"
#include "reader/app/AnsweringWait.h"
#include "reader/app/AppFolders.h"
#include "reader/book/BookFiles.h"
#include "reader/book/ExeBookDocument.h"
#include "reader/app/FolionyxReaderApp.h"
#include "reader/ui/FolionyxReaderView.h"
#include "reader/ui/PasswordDlg.h"
#include "reader/ui/ReaderUrl.h"
#include "resources/resource.h"
#include "toolkit/commandbars/CommandBarsOptions.h"
#include "toolkit/commandbars/PaintManager.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/ToolBar.h"
#include "toolkit/docking/DockingPane.h"

namespace {

// Where Home goes when the book has neither a Home item nor a home page of its own.
const wchar_t kMakerHomePage[] = L"http://www.folionyx.example/";

const wchar_t kFrameClassName[] = L"QorMainFrame";

// The contents never take more than two thirds of the frame, so that the view keeps a third
// however wide the book wants them, and never shrink below a width that shows the start of
// each title, however narrow.
const int kMaxContentsShareNumerator = 2;
const int kMaxContentsShareDenominator = 3;
const int kMinContentsWidth = 60;
// The docked sizes the panes start with.
const int kContentsHeight = 240;
const int kAttachmentsWidth = 300;
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
    const int most =
        int(LONGLONG(std::max(0, clientWidth)) * kMaxContentsShareNumerator / kMaxContentsShareDenominator);
    const int least = std::min(kMinContentsWidth, most);
    return std::max(least, std::min(requested, most));
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
    ON_COMMAND_RANGE(ID_CONTENTS, ID_SEARCH, &CMainFrame::OnShowPane)
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
    ON_MESSAGE(WM_QOR_DOCKINGPANE_NOTIFY, &CMainFrame::OnDockingPaneNotify)
    ON_MESSAGE(QORWM_CONTROLCREATEREQUEST, &CMainFrame::OnCreateControl)
END_MESSAGE_MAP()

CMainFrame::CPaneIcon::~CPaneIcon()
{
    if (bOwns) {
        if (hIcon)
            ::DestroyIcon(hIcon);
        if (hBitmap)
            ::DeleteObject(hBitmap);
    }
    if (hExtraBitmap)
        ::DeleteObject(hExtraBitmap);
}

CMainFrame::CMainFrame()
    : m_nAutoScroll(0), m_pToolBar(nullptr), m_pSettings(nullptr), m_bBookGiven(FALSE), m_bSettingsRead(TRUE),
      m_bAccessGranted(FALSE), m_bBookPageShown(FALSE)
{}

CMainFrame::~CMainFrame() = default;

void CMainFrame::SetBook(const CExeBookDocument* pSettings, PackedFilesSource packedFiles)
{
    m_pSettings = pSettings;
    m_packedFiles = std::move(packedFiles);
    m_bBookGiven = TRUE;
}

BOOL CMainFrame::GetBook(EXEBOOKPACKEDDATA& resource, const CExeBookResourceFiles*& index) const
{
    index = nullptr;
    if (m_bBookGiven)
        return m_packedFiles && m_packedFiles(resource, index) && index != nullptr;
    return GetRunningBook(resource, index);
}

CMainFrame::PackedFilesSource CMainFrame::GetBookSource() const
{
    // Empty: the packed-file routines find the running book themselves.
    if (!m_bBookGiven)
        return PackedFilesSource();
    return [this](EXEBOOKPACKEDDATA& resource, const CExeBookResourceFiles*& index) { return GetBook(resource, index); };
}

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
    if (CQorFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;

    if (!m_bBookGiven) {
        if (CFolionyxReaderApp* app = dynamic_cast<CFolionyxReaderApp*>(AfxGetApp())) {
            m_pSettings = &app->m_ExeBookDocument;
            m_bSettingsRead = app->m_bSettingsRead;
        }
    }

    // The bars of this frame are drawn in the native XP look, from before the bars exist.
    InstallNativeXPLook();
    if (!InitCommandBars(RUNTIME_CLASS(CQorCommandBars)))
        return -1;
    InstallNativeXPLook();
    // The buttons show icons only: their tips name them with the book's keys for them.
    GetCommandBars()->GetCommandBarsOptions()->m_bToolBarAccelTips = TRUE;
    if (!CreateStandardToolBar())
        return -1;
    if (!CreateStatusBar())
        return -1;

    CRect client;
    GetClientRect(&client);
    CreateDockingPanes(client.Width());

    ApplyLook();
    // Windows made before the look was settled pick up its colours once more.
    PostMessageW(WM_SYSCOLORCHANGE, 0, 0);
    HideToolBarButtons();
    BuildAcceleratorTable(GetCommandBars()->GetShortcutManager(), m_pSettings);
    AddToolButtons();
    ApplyContentsVisibility();
    // The buttons the book shows are the bar's default set: "Add or Remove Buttons" offers
    // exactly these, never one the book left out.
    if (m_pToolBar != nullptr)
        m_pToolBar->GetControls()->CreateOriginalControls();

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
    PostMessageW(WM_COMMAND, ID_HOME, 0);
    AddStatusPanes();
    // The reader's own frame refreshes the announcements; a frame hosted elsewhere has none.
    if (m_pSettings != nullptr && !m_bBookGiven)
        StartFeed(GetSettingsFolder() + L"Ad.xml", LoadResourceString(IDS_FEED_ADDRESS));
    return 0;
}

void CMainFrame::InstallNativeXPLook()
{
    GetGlobalPaintManager();
    CQorPaintManager::SetGlobalTheme(qorPaintThemeNativeXP);
    if (CQorPaintManager* pPaintManager = GetGlobalPaintManager())
        pPaintManager->m_bThemeInstallFlag = FALSE;
}

BOOL CMainFrame::CreateStandardToolBar()
{
    m_pToolBar = DYNAMIC_DOWNCAST(CQorToolBar, GetCommandBars()->AddToolBar());
    if (m_pToolBar == nullptr || !m_pToolBar->LoadToolBar(IDR_MAINFRAME, TRUE))
        return FALSE;
    m_pToolBar->m_dwFlags |= CQorToolBar::flagAlignTop;
    // The reader's one bar is neither offered in the tool-bars list (where it could be hidden
    // for good) nor saved with the bars' state.
    m_pToolBar->m_bListed = FALSE;
    m_pToolBar->m_bSaved = FALSE;
    return TRUE;
}

void CMainFrame::CreateDockingPanes(int nClientWidth)
{
    m_paneManager.InstallDockingPanes(this);
    m_paneManager.SetTheme(qorPaintThemeNativeXP);
    // Translucent drag outlines and docking guides, for when panes can be dragged.
    m_paneManager.m_bAlphaDockingContext = TRUE;
    m_paneManager.m_bShowDockingContextStickers = TRUE;

    const HINSTANCE module = AfxGetInstanceHandle();
    const struct
    {
        CPaneIcon& holder;
        UINT nIcon;
        int nPane;
    } icons[] = {{m_iconContents, IDI_CONTENTS_PANE, READER_PANE_CONTENTS},
                 {m_iconSearch, IDI_SEARCH_PANE, READER_PANE_SEARCH}};
    for (const auto& icon : icons) {
        icon.holder.hIcon = static_cast<HICON>(
            ::LoadImageW(module, MAKEINTRESOURCEW(icon.nIcon), IMAGE_ICON, 16, 16, LR_SHARED));
        icon.holder.bOwns = FALSE;
        if (icon.holder.hIcon)
            m_paneManager.SetPaneIcon(icon.nPane, icon.holder);
    }

    CreateContentsTree();
    CreateSearchPane();
    CreateAttachmentsList();

    const int width = ContentsStripWidth(m_pSettings ? m_pSettings->m_nContentsWidth : 200, nClientWidth);
    CQorDockingPane* pContents =
        m_paneManager.CreatePane(READER_PANE_CONTENTS, CRect(0, 0, width, kContentsHeight), qorDockLeft);
    CQorDockingPane* pSearch =
        m_paneManager.CreatePane(READER_PANE_SEARCH, CRect(0, 0, width, kContentsHeight), qorDockLeft);
    m_paneManager.CreatePane(READER_PANE_ATTACHMENTS, CRect(0, 0, kAttachmentsWidth, kAttachmentsHeight),
                             qorDockBottom);
    if (pContents && pSearch)
        m_paneManager.AttachPane(pContents, pSearch);
    m_paneManager.SyncPaneHolders();
    m_paneManager.ClosePaneById(READER_PANE_SEARCH);
    m_paneManager.ClosePaneById(READER_PANE_ATTACHMENTS);
}

BOOL CMainFrame::CreateContentsTree()
{
    if (m_wndContents.GetSafeHwnd())
        return TRUE;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_SHOWSELALWAYS | TVS_TRACKSELECT;
    if (!m_wndContents.CreateEx(WS_EX_CLIENTEDGE, style, CRect(0, 0, 0, 0), this, 0))
        return FALSE;
    m_wndContents.SetListener(this);
    return TRUE;
}

BOOL CMainFrame::CreateSearchPane()
{
    if (m_wndSearch.GetSafeHwnd())
        return TRUE;
    if (!m_wndSearch.Create(this))
        return FALSE;
    m_wndSearch.SetHost(this);
    return TRUE;
}

BOOL CMainFrame::CreateAttachmentsList()
{
    if (m_wndAttachments.GetSafeHwnd())
        return TRUE;
    if (!m_wndAttachments.CreateEx(WS_EX_CLIENTEDGE, WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 0, 0), this, 0))
        return FALSE;
    m_wndAttachments.SetListener(this);
    return TRUE;
}

LRESULT CMainFrame::OnDockingPaneNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam != qorDpnShowWindow)
        return 0;
    CQorDockingPane* pPane = reinterpret_cast<CQorDockingPane*>(lParam);
    if (pPane == nullptr || pPane->GetChild() != nullptr)
        return 1;
    switch (pPane->GetId()) {
    case READER_PANE_CONTENTS:
        if (CreateContentsTree())
            pPane->Attach(&m_wndContents);
        break;
    case READER_PANE_SEARCH:
        if (CreateSearchPane())
            pPane->Attach(&m_wndSearch);
        break;
    case READER_PANE_ATTACHMENTS:
        if (CreateAttachmentsList())
            pPane->Attach(&m_wndAttachments);
        break;
    default:
        break;
    }
    return 1;
}

LRESULT CMainFrame::OnCreateControl(WPARAM, LPARAM lParam)
{
    QOR_CONTROL_CREATE_REQUEST* pRequest = reinterpret_cast<QOR_CONTROL_CREATE_REQUEST*>(lParam);
    if (pRequest == nullptr || DYNAMIC_DOWNCAST(CQorToolBar, pRequest->pCommandBar) == nullptr)
        return 0;
    // Both open the menu of their own id: Text size only that, Search also runs itself.
    switch (pRequest->nId) {
    case ID_TEXT_SIZE:
        pRequest->nType = qorControlPopup;
        break;
    case ID_SEARCH:
        pRequest->nType = qorControlSplitButtonPopup;
        break;
    default:
        return 0;
    }
    pRequest->nStyle = qorButtonIcon;
    return 1;
}

void CMainFrame::ApplyLook()
{
    // Without a book: the settings' own defaults, flat bars without grippers.
    const BOOL bFlat = m_pSettings ? m_pSettings->m_bFlatToolBars : TRUE;
    const BOOL bGrippers = m_pSettings ? m_pSettings->m_bShowGrippers : FALSE;
    if (CQorPaintManager* pPaintManager = GetGlobalPaintManager()) {
        pPaintManager->m_bFlatToolBars = bFlat;
        pPaintManager->m_bFlatMenuBars = bFlat;
        pPaintManager->RefreshMetrics();
    }
    CFrameWnd::OnSysColorChange();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    CQorCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == nullptr)
        return;
    for (int i = 0; i < pCommandBars->GetCount(); ++i) {
        CQorCommandBar* pBar = pCommandBars->GetToolBar(i);
        if (bGrippers)
            pBar->m_dwBarStyle |= CQorCommandBar::kStyleDrawFrame;
        else
            pBar->m_dwBarStyle &= ~DWORD(CQorCommandBar::kStyleDrawFrame);
    }
    pCommandBars->RedrawCommandBars();
}

void CMainFrame::HideToolBarButtons()
{
    if (m_pSettings == nullptr || m_pToolBar == nullptr)
        return;
    CQorControls* pControls = m_pToolBar->GetControls();
    for (const EXEBOOKBUTTONDATA& button : m_pSettings->m_Buttons) {
        if (button.nCommandID == 0 || button.bVisible)
            continue;
        if (CQorControl* pControl = pControls->FindControl(int(button.nCommandID)))
            pControls->Remove(pControl);
    }
}

void CMainFrame::ApplyContentsVisibility()
{
    if (m_pSettings == nullptr)
        return;
    if (!m_pSettings->m_bContentsVisible) {
        m_paneManager.ClosePaneById(READER_PANE_CONTENTS);
        if (m_pToolBar) {
            CQorControls* pControls = m_pToolBar->GetControls();
            if (CQorControl* pControl = pControls->FindControl(ID_CONTENTS))
                pControls->Remove(pControl);
        }
    } else if (!m_pSettings->m_bContentsVisibleStartup) {
        m_paneManager.ClosePaneById(READER_PANE_CONTENTS);
    }
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

void CMainFrame::OnLocateKeywords()
{
    if (CFolionyxReaderView* view = GetReaderView())
        view->LocateKeywords();
}

void CMainFrame::SearchItems(LPCTSTR lpszText, std::vector<HTREEITEM>& items)
{
    CExeBookResourceFiles hits;
    if (SearchPackedFiles(lpszText, hits, GetBookSource()))
        m_wndContents.FindItemsByFiles(hits, items);
}

CString CMainFrame::GetItemTitle(HTREEITEM hItem)
{
    return m_wndContents.GetItemText(hItem);
}

void CMainFrame::LocateKeywords()
{
    OnLocateKeywords();
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
    // A choice made while a page is being written (by a message sent meanwhile) is shown
    // when that is done.
    if (m_bExtracting) {
        m_bChosenWhileExtracting = TRUE;
        return;
    }
    HTREEITEM item = tree->GetSelectedItem();
    const EXEBOOKCONTENTSRECORD* record = tree->GetRecord(item);
    if (record == nullptr)
        return;
    CFolionyxReaderView* view = GetReaderView();
    CString pagePath;
    EXEBOOKPACKEDDATA resource;
    const CExeBookResourceFiles* index = nullptr;
    BOOL extracted = FALSE;
    if (GetBook(resource, index)) {
        // A page may bring thousands of companion files or a record that inflates to a great
        // deal; the window keeps answering while they are written.
        const CString workFolder = GetWorkFolder();
        const CExeBookFileEntries files = record->files;
        const PackedFilesSource source = FixedPackedFilesSource(resource, *index);
        m_bExtracting = TRUE;
        RunWhileAnswering([&] { extracted = ExtractPage(files, workFolder, pagePath, source); });
        m_bExtracting = FALSE;
        if (m_bChosenWhileExtracting) {
            m_bChosenWhileExtracting = FALSE;
            OnTreeSelectionChanged(tree);
            return;
        }
        record = tree->GetRecord(item);
        if (record == nullptr)
            return;
    }
    if (!extracted) {
        // A page that cannot be extracted leaves the page shown, and the attachments, as they
        // were; but with no page of the book shown yet (the first page is damaged) the view
        // says so rather than staying blank.
        if (view != nullptr && !m_bBookPageShown)
            view->ShowNotice(LoadResourceString(IDS_PAGE_UNREADABLE));
        return;
    }
    if (view != nullptr) {
        view->NavigateToPage(m_strPendingKeyword, pagePath);
        m_bBookPageShown = TRUE;
    }
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
    // A home page that names a file of this computer is not shown: the view stays as it is.
    if (IsAllowedHomePage(homePage))
        view->NavigateToPage(m_strPendingKeyword, homePage);
}
