// The frame's attachment list along the bottom: filled with the chosen item's attachments,
// and the commands that open and save them. Names come from the book: one that is not a
// plain file name is never written anywhere.
#include "platform/framework/Menu.h"
#include "reader/app/AnsweringWait.h"
#include "reader/app/AppFolders.h"
#include "reader/book/BookFiles.h"
#include "reader/book/ExeBookDocument.h"
#include "reader/app/FileUtil.h"
#include "reader/ui/MainFrame.h"
#include "reader/ui/OpenAtachmentsWarningDlg.h"
#include "reader/app/ShellSeams.h"
#include "resources/resource.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/docking/DockingPane.h"

namespace {

CString ResourceString(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

} // namespace

int CMainFrame::ExtractAttachment(int nID, const CString& path)
{
    if (m_extractAttachment)
        return m_extractAttachment(nID, path);
    EXEBOOKPACKEDDATA resource;
    const CExeBookResourceFiles* index = nullptr;
    if (!GetBook(resource, index))
        return 0;
    int result = 0;
    RunWhileAnswering([&] { result = ExtractFileById(nID, resource, *index, path); });
    return result;
}

void CMainFrame::ShowAttachments(const EXEBOOKCONTENTSRECORD& record)
{
    const BOOL show = m_pSettings != nullptr && m_pSettings->m_bAllowAttachments && !record.attachments.empty();
    if (show) {
        // Filled before it shows, so that it never shows the previous item's rows.
        EXEBOOKPACKEDDATA resource;
        const CExeBookResourceFiles* index = nullptr;
        if (GetBook(resource, index))
            m_wndAttachments.Fill(record.attachments, *index);
        m_paneManager.ShowPaneById(READER_PANE_ATTACHMENTS);
    } else {
        // Closing a pane that is closed already asks nothing and changes nothing.
        m_paneManager.ClosePaneById(READER_PANE_ATTACHMENTS);
        m_wndAttachments.DeleteAllItems();
    }
}

BOOL CMainFrame::AreAttachmentsShown() const
{
    const CQorDockingPane* pPane = m_paneManager.FindPane(READER_PANE_ATTACHMENTS);
    return pPane != nullptr && !pPane->IsClosed();
}

BOOL CMainFrame::IsSearchShown() const
{
    const CQorDockingPane* pPane = m_paneManager.FindPane(READER_PANE_SEARCH);
    return pPane != nullptr && !pPane->IsClosed() && pPane->IsSelected();
}

void CMainFrame::OnAttachmentSelectionChanged(CExeBookAttachmentsListCtrl*) {}

void CMainFrame::OnAttachmentOpen(CExeBookAttachmentsListCtrl*, int)
{
    SendMessage(WM_COMMAND, ID_ATTACHMENT_OPEN);
}

void CMainFrame::OnAttachmentContextMenu(CExeBookAttachmentsListCtrl*, CWnd*, CPoint point)
{
    if (m_menuAttachments.GetSafeHmenu() == nullptr && !m_menuAttachments.LoadMenu(IDR_ATTACHMENTS_MENU))
        return;
    CMenu* popup = m_menuAttachments.GetSubMenu(0);
    if (popup == nullptr)
        return;
    // From the keyboard (Shift+F10, the menu key) there is no pointer: the menu opens at the
    // chosen row, or at the list's corner when none is chosen.
    if (point.x == -1 && point.y == -1) {
        CRect rc(0, 0, 0, 0);
        const int row = m_wndAttachments.GetFirstSelected();
        if (row < 0 || !m_wndAttachments.GetItemRect(row, &rc, LVIR_LABEL))
            rc.SetRectEmpty();
        point = CPoint(rc.left, rc.bottom);
        m_wndAttachments.ClientToScreen(&point);
    }
    CQorCommandBars::TrackCommandBarPopupMenu(popup, 0, point.x, point.y, m_hWnd);
}

void CMainFrame::OnAttachmentOpenCommand()
{
    const int row = m_wndAttachments.GetFirstSelected();
    if (row < 0)
        return;
    const CString name = m_wndAttachments.GetItemText(row, 0);
    // Opened from the work folder: a name that would lead out of it is refused.
    if (!IsPlainFileName(name))
        return;
    int choice = COpenAtachmentsWarningDlg::ChoiceSave;
    if (AskOpenAttachment(this, choice) != IDOK)
        return;
    if (choice != COpenAtachmentsWarningDlg::ChoiceOpen) {
        OnAttachmentSave();
        return;
    }
    const CString path = GetWorkFolder() + name;
    if (ExtractAttachment(int(m_wndAttachments.GetItemData(row)), path) == 1)
        ShellOpen(path, SW_SHOW);
}

void CMainFrame::OnAttachmentSave()
{
    const int row = m_wndAttachments.GetFirstSelected();
    if (row < 0)
        return;
    const CString name = m_wndAttachments.GetItemText(row, 0);
    // A hostile name is not proposed; the user types one.
    const CString proposal = IsPlainFileName(name) ? GetWorkFolder() + name : CString();
    CString path;
    if (!ChooseSavePath(this, proposal, ResourceString(IDS_SAVE_FILTER), path))
        return;
    if (ExtractAttachment(int(m_wndAttachments.GetItemData(row)), path) == 1)
        ShellOpen(GetFolderOfPath(path), SW_SHOW);
}

void CMainFrame::OnAttachmentSaveAll()
{
    CString folder;
    if (!ChooseFolder(this, ResourceString(IDS_SELECT_FOLDER), folder))
        return;
    AppendPathSeparator(folder);
    // Rows that cannot be written, or whose names would leave the folder, are skipped.
    for (int row = 0; row < m_wndAttachments.GetItemCount(); ++row) {
        const CString name = m_wndAttachments.GetItemText(row, 0);
        if (IsPlainFileName(name))
            ExtractAttachment(int(m_wndAttachments.GetItemData(row)), folder + name);
    }
    ShellOpen(folder, SW_SHOW);
}

void CMainFrame::OnAttachmentView(UINT nID)
{
    const DWORD view = nID == ID_ATTACHMENT_DETAILS ? LVS_REPORT : LVS_ICON;
    const LONG_PTR style = ::GetWindowLongPtrW(m_wndAttachments.GetSafeHwnd(), GWL_STYLE);
    if (DWORD(style & LVS_TYPEMASK) == view)
        return;
    ::SetWindowLongPtrW(m_wndAttachments.GetSafeHwnd(), GWL_STYLE, (style & ~LONG_PTR(LVS_TYPEMASK)) | view);
    // The list lays its rows out anew but leaves the old picture on the screen.
    m_wndAttachments.Invalidate();
}

void CMainFrame::OnUpdateAttachmentSingle(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_wndAttachments.GetSafeHwnd() != nullptr && m_wndAttachments.GetSelectedCount() == 1);
}

void CMainFrame::OnUpdateAttachmentSaveAll(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_wndAttachments.GetSafeHwnd() != nullptr && m_wndAttachments.GetItemCount() > 0);
}

void CMainFrame::OnUpdateAttachmentView(CCmdUI* pCmdUI)
{
    const DWORD view = m_wndAttachments.GetSafeHwnd() ? (m_wndAttachments.GetStyle() & LVS_TYPEMASK) : DWORD(-1);
    pCmdUI->SetCheck(view == (pCmdUI->m_nID == ID_ATTACHMENT_DETAILS ? DWORD(LVS_REPORT) : DWORD(LVS_ICON)) ? 1 : 0);
}
