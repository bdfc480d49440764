// The commands of the main frame: page commands forwarded to the view, moving through the
// contents, text size, auto scroll, the book's about page and its tools.
#include <shellapi.h>
#include <algorithm>
#include "platform/framework/Menu.h"
#include "reader/book/AboutPage.h"
#include "reader/app/AppFolders.h"
#include "reader/book/ExeBookDocument.h"
#include "reader/ui/FolionyxReaderView.h"
#include "reader/ui/MainFrame.h"
#include "reader/ui/ReaderUrl.h"
#include "reader/app/ShellSeams.h"
#include "resources/resource.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/ToolBar.h"
#include "toolkit/foundation/ImageManager.h"

namespace {

const UINT_PTR kAutoScrollTimer = 100;
const UINT kAutoScrollPeriod = 100;

// The longest tool name a tool-bar button shows.
const int kMaxToolCaption = 32;

// Largest to Smallest are the browser's text-size levels 4 to 0.
int TextSizeLevel(UINT nID)
{
    return int(ID_TEXT_SMALLEST - nID);
}

} // namespace

CString ToolButtonCaption(const CString& name)
{
    if (name.GetLength() <= kMaxToolCaption)
        return name;
    return name.Left(kMaxToolCaption - 1) + L"\x2026";
}

void CMainFrame::OnPageCommand(UINT nID)
{
    CFolionyxReaderView* view = GetReaderView();
    if (view == nullptr)
        return;
    switch (nID) {
    case ID_PAGE_PRINT:
        view->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_DODEFAULT, nullptr, nullptr);
        break;
    case ID_PAGE_PRINT_PREVIEW:
        view->ExecWB(OLECMDID_PRINTPREVIEW, OLECMDEXECOPT_DODEFAULT, nullptr, nullptr);
        break;
    case ID_PAGE_BACK:
        view->GoBack();
        break;
    case ID_PAGE_FORWARD:
        view->GoForward();
        break;
    case ID_PAGE_STOP:
        view->Stop();
        break;
    case ID_PAGE_REFRESH:
        view->Refresh();
        break;
    case ID_FIND_ON_PAGE:
        view->ExecWB(OLECMDID_FIND, OLECMDEXECOPT_DODEFAULT, nullptr, nullptr);
        break;
    default:
        break;
    }
}

void CMainFrame::OnTextSize(UINT nID)
{
    if (CFolionyxReaderView* view = GetReaderView())
        view->SetTextSize(TextSizeLevel(nID));
}

void CMainFrame::OnUpdateTextSize(CCmdUI* pCmdUI)
{
    CFolionyxReaderView* view = GetReaderView();
    pCmdUI->SetCheck(view != nullptr && view->GetTextSize() == TextSizeLevel(pCmdUI->m_nID) ? 1 : 0);
}

void CMainFrame::OnTextSizeButton()
{
    // The button only opens its menu.
}

void CMainFrame::OnNext()
{
    if (HTREEITEM item = m_wndContents.NextPageItem(m_wndContents.GetSelectedItem()))
        SelectTreeItem(item, nullptr);
}

void CMainFrame::OnPrior()
{
    if (HTREEITEM item = m_wndContents.PrevPageItem(m_wndContents.GetSelectedItem()))
        SelectTreeItem(item, nullptr);
}

void CMainFrame::OnUpdateNext(CCmdUI* pCmdUI)
{
    HTREEITEM selected = m_wndContents.GetSelectedItem();
    pCmdUI->Enable(selected != nullptr && m_wndContents.NextPageItem(selected) != nullptr);
}

void CMainFrame::OnUpdatePrior(CCmdUI* pCmdUI)
{
    HTREEITEM selected = m_wndContents.GetSelectedItem();
    pCmdUI->Enable(selected != nullptr && m_wndContents.PrevPageItem(selected) != nullptr);
}

void CMainFrame::OnShowPane(UINT nID)
{
    // A book without contents has no Contents command.
    if (nID == ID_CONTENTS && m_pSettings != nullptr && !m_pSettings->m_bContentsVisible)
        return;
    m_paneManager.ShowPane(m_paneManager.FindPane(int(nID)), TRUE);
    // The search starts from its keyword.
    if (nID == ID_SEARCH && m_wndSearch.GetSafeHwnd() && m_wndSearch.IsWindowVisible())
        m_wndSearch.GetKeywordEdit().SetFocus();
}

void CMainFrame::OnAutoScroll()
{
    m_nAutoScroll = m_nAutoScroll ? 0 : 1;
    if (m_nAutoScroll)
        SetTimer(kAutoScrollTimer, kAutoScrollPeriod, nullptr);
    else
        KillTimer(kAutoScrollTimer);
}

void CMainFrame::OnUpdateAutoScroll(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_nAutoScroll);
}

void CMainFrame::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kAutoScrollTimer) {
        CFrameWnd::OnTimer(nIDEvent);
        return;
    }
    // At the end of the page the timer keeps running, so that a page that grows scrolls on.
    if (CFolionyxReaderView* view = GetReaderView())
        view->ScrollOneStepIfNotAtEnd();
}

void CMainFrame::OnAboutEBook()
{
    CFolionyxReaderView* view = GetReaderView();
    if (view == nullptr || m_pSettings == nullptr)
        return;
    if (!m_pSettings->m_strAuthorHTML.IsEmpty()) {
        const CString path = WriteAboutPage(m_pSettings->m_strAuthorHTML, GetWorkFolder());
        if (!path.IsEmpty())
            view->NavigateToPage(m_strPendingKeyword, path);
    } else if (IsAllowedHomePage(m_pSettings->m_strAuthorHomePage)) {
        view->NavigateToPage(m_strPendingKeyword, m_pSettings->m_strAuthorHomePage);
    }
}

void CMainFrame::OnRunTool(UINT nID)
{
    if (m_pSettings == nullptr)
        return;
    const size_t index = size_t(nID - EXEBOOK_FIRST_TOOL_COMMAND);
    if (index >= m_pSettings->m_Tools.size() || m_pSettings->m_Tools[index].strFileName.IsEmpty())
        return;
    ShellOpen(m_pSettings->m_Tools[index].strFileName, SW_SHOW);
}

void CMainFrame::AddToolButtons()
{
    if (m_pToolBar == nullptr)
        return;
    CQorControls* pControls = m_pToolBar->GetControls();
    const size_t count = m_pSettings ? std::min(m_pSettings->m_Tools.size(), size_t(EXEBOOK_MAX_TOOLS)) : 0;
    for (size_t i = 0; i < count; ++i) {
        const EXEBOOKTOOLSDATA& tool = m_pSettings->m_Tools[i];
        const UINT id = UINT(EXEBOOK_FIRST_TOOL_COMMAND + i);
        // 1 is no icon but the answer for a file that is neither a program, a library nor an
        // icon file: the button then goes without one.
        HICON hIcon = ExtractFirstIcon(tool.strFileName);
        if (reinterpret_cast<UINT_PTR>(hIcon) > 1) {
            GetImageManager()->SetIcon(id, hIcon);
            ::DestroyIcon(hIcon);
        }
        CQorControl* pControl = pControls->Add(qorControlButton, int(id));
        if (pControl == nullptr)
            continue;
        // A name longer than a button can show is cut for the bar's layout, so that it cannot
        // push every other button behind the chevron; the tip keeps the whole name.
        const CString caption = tool.strName.IsEmpty() ? tool.strFileName : tool.strName;
        pControl->SetCaption(ToolButtonCaption(caption));
        if (caption.GetLength() > kMaxToolCaption) {
            CString tip = caption;
            tip.Replace(L'\n', L' ');
            pControl->SetPrompt(tip);
        }
        if (i == 0)
            pControl->SetBeginGroup(TRUE);
    }
    GetImageManager()->SetIconsFromGroupResource(ID_ABOUT_EBOOK);
    if (CQorControl* pAbout = pControls->InsertControl(new CQorControlButton, ID_ABOUT_EBOOK))
        pAbout->SetBeginGroup(TRUE);
    m_pToolBar->OnRecalcLayout();
}
