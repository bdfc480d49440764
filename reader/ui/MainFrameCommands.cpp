// The commands of the main frame: page commands forwarded to the view, moving through the
// contents, text size, auto scroll, the book's about page and its tools.
#include <shellapi.h>
#include "platform/framework/Menu.h"
#include "reader/book/AboutPage.h"
#include "reader/app/AppFolders.h"
#include "reader/book/ExeBookDocument.h"
#include "reader/ui/FolionyxReaderView.h"
#include "reader/ui/MainFrame.h"
#include "reader/app/ShellSeams.h"
#include "resources/resource.h"

namespace {

const UINT_PTR kAutoScrollTimer = 100;
const UINT kAutoScrollPeriod = 100;

// Largest to Smallest are the browser's text-size levels 4 to 0.
int TextSizeLevel(UINT nID)
{
    return int(ID_TEXT_SMALLEST - nID);
}

} // namespace

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

void CMainFrame::OnContents()
{
    // A book without contents has no Contents command.
    if (m_pSettings != nullptr && !m_pSettings->m_bContentsVisible)
        return;
    ShowLeftPane(LeftPaneContents);
}

void CMainFrame::OnSearch()
{
    ShowLeftPane(LeftPaneSearch);
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
    } else if (!m_pSettings->m_strAuthorHomePage.IsEmpty()) {
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

void CMainFrame::AddToolsToMenu()
{
    if (m_pSettings == nullptr || m_pSettings->m_Tools.empty())
        return;
    CMenu* menu = GetMenu();
    if (menu == nullptr)
        return;
    HMENU tools = ::CreatePopupMenu();
    for (size_t i = 0; i < m_pSettings->m_Tools.size() && i < size_t(EXEBOOK_MAX_TOOLS); ++i) {
        const EXEBOOKTOOLSDATA& tool = m_pSettings->m_Tools[i];
        ::AppendMenuW(tools, MF_STRING, EXEBOOK_FIRST_TOOL_COMMAND + i,
                      tool.strName.IsEmpty() ? tool.strFileName.GetString() : tool.strName.GetString());
    }
    CString caption;
    caption.LoadString(IDS_TOOLS_MENU);
    // Before the last popup (Help).
    const int count = ::GetMenuItemCount(menu->GetSafeHmenu());
    ::InsertMenuW(menu->GetSafeHmenu(), UINT(count > 0 ? count - 1 : 0), MF_BYPOSITION | MF_POPUP,
                  reinterpret_cast<UINT_PTR>(tools), caption);
    DrawMenuBar();
}
