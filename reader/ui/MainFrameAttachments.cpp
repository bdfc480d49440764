// The frame's attachment list along the bottom: filled with the chosen item's attachments,
// and the commands that open and save them. Names come from the book: one that is not a
// plain file name is never written anywhere, and what cannot be written is said.
#include <algorithm>
#include <set>
#include <vector>
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

// The longest name an attachment is written under in the work folder to be opened: short
// enough for any work folder within the path limit, and for the file systems under it.
const int kMaxWorkName = 80;
// The longest file name the file systems take.
const int kMaxFileName = 255;

CString ResourceString(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

CString Say(UINT id, const CString& value)
{
    return ReplacePlaceholderOne(ResourceString(id), value);
}

// TRUE when a path can be written at all: shorter than the path limit, with no name in it
// longer than a file system takes.
BOOL IsWritablePathLength(const CString& path)
{
    if (path.GetLength() >= MAX_PATH)
        return FALSE;
    int start = 0;
    for (int i = 0; i <= path.GetLength(); ++i) {
        if (i == path.GetLength() || path[i] == L'\\' || path[i] == L'/') {
            if (i - start > kMaxFileName)
                return FALSE;
            start = i + 1;
        }
    }
    return TRUE;
}

// The name to write into `folder`: the shown name, cut to fit the path limit and the longest
// name, with " (2)", " (3)"... before its extension when this command already wrote that name in
// any letter case. Empty when no name fits, or when the name leads into another folder.
CString DistinctNameInFolder(const CString& folder, const CString& name, int maxName, std::set<CString>& used)
{
    if (name.FindOneOf(L"\\/:") >= 0)
        return CString();
    const int room = std::min(maxName, MAX_PATH - 1 - folder.GetLength());
    for (int n = 1; n <= int(used.size()) + 1; ++n) {
        const CString suffix = n == 1 ? CString() : L" (" + IntToDecimalString(n) + L")";
        const CString shortened = ShortenFileName(name, room - suffix.GetLength());
        if (shortened.IsEmpty())
            return CString();
        CString candidate = GetFileTitleOfPath(shortened) + suffix + GetFileExtensionOfPath(shortened);
        CString key = candidate;
        key.MakeUpper();
        if (used.insert(key).second)
            return candidate;
    }
    return CString();
}

} // namespace

int CMainFrame::ExtractAttachment(int nID, const CString& path)
{
    if (m_extractAttachment)
        return m_extractAttachment(nID, path);
    EXEBOOKPACKEDDATA resource;
    const CExeBookResourceFiles* index = nullptr;
    if (!GetBook(resource, index))
        return attachmentDamaged;
    // A record may inflate to a great deal: the window keeps answering while it is written.
    const PackedFilesSource source = FixedPackedFilesSource(resource, *index);
    int result = 0;
    RunWhileAnswering([&] { result = ExtractFileById(nID, path, source); });
    if (result != 0)
        return result;
    // Nothing was written: either the record does not inflate, or the place refused the file.
    BOOL inflates = FALSE;
    RunWhileAnswering([&] {
        std::vector<BYTE> bytes;
        const int position = FindFileIndex(*index, nID);
        inflates = position >= 0 && InflateRecordAt(resource, (*index)[size_t(position)].Begin, bytes);
    });
    return inflates ? attachmentNotWritten : attachmentDamaged;
}

BOOL CMainFrame::WriteAttachmentOrSay(int nRow, const CString& path)
{
    const CString name = m_wndAttachments.GetItemText(nRow, 0);
    switch (ExtractAttachment(int(m_wndAttachments.GetItemData(nRow)), path)) {
    case attachmentWritten:
        return TRUE;
    case attachmentNotWritten:
        ShowWarningMessage(this, Say(IDS_ATTACHMENT_NOT_WRITTEN, path));
        return FALSE;
    default:
        ShowWarningMessage(this, Say(IDS_ATTACHMENT_DAMAGED, name));
        return FALSE;
    }
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
    // Opened from the work folder, under a name short enough for it; a name that would lead out
    // of the folder is refused.
    std::set<CString> none;
    const CString workName = DistinctNameInFolder(GetWorkFolder(), name, kMaxWorkName, none);
    if (!IsPlainFileName(workName)) {
        ShowWarningMessage(this, Say(IDS_ATTACHMENT_BAD_NAME, name));
        return;
    }
    int choice = COpenAtachmentsWarningDlg::ChoiceSave;
    if (AskOpenAttachment(this, name, choice) != IDOK)
        return;
    if (choice != COpenAtachmentsWarningDlg::ChoiceOpen) {
        OnAttachmentSave();
        return;
    }
    const CString path = GetWorkFolder() + workName;
    if (WriteAttachmentOrSay(row, path))
        ShellOpen(path, SW_SHOW);
}

void CMainFrame::OnAttachmentSave()
{
    const int row = m_wndAttachments.GetFirstSelected();
    if (row < 0)
        return;
    const CString name = m_wndAttachments.GetItemText(row, 0);
    // A hostile name is not proposed; the user types one. A long one is proposed cut to fit.
    std::set<CString> none;
    const CString proposal = DistinctNameInFolder(GetWorkFolder(), name, kMaxFileName, none);
    CString path;
    if (!ChooseSavePath(this, IsPlainFileName(proposal) ? GetWorkFolder() + proposal : CString(),
                        ResourceString(IDS_SAVE_FILTER), path))
        return;
    if (!IsWritablePathLength(path)) {
        ShowWarningMessage(this, Say(IDS_ATTACHMENT_PATH_TOO_LONG, path));
        return;
    }
    if (WriteAttachmentOrSay(row, path))
        ShellOpen(GetFolderOfPath(path), SW_SHOW);
}

void CMainFrame::OnAttachmentSaveAll()
{
    CString folder;
    if (!ChooseFolder(this, ResourceString(IDS_SELECT_FOLDER), folder))
        return;
    AppendPathSeparator(folder);
    // Every row is written under a name of its own, even when names differ only in letter case;
    // rows that cannot be written are skipped, and named once at the end.
    std::set<CString> used;
    CString failures;
    for (int row = 0; row < m_wndAttachments.GetItemCount(); ++row) {
        const CString name = m_wndAttachments.GetItemText(row, 0);
        const CString target = DistinctNameInFolder(folder, name, kMaxFileName, used);
        UINT reason = 0;
        if (!IsPlainFileName(target))
            reason = IDS_REASON_BAD_NAME;
        else if (const int result = ExtractAttachment(int(m_wndAttachments.GetItemData(row)), folder + target);
                 result != attachmentWritten)
            reason = result == attachmentNotWritten ? IDS_REASON_NOT_WRITTEN : IDS_REASON_DAMAGED;
        if (reason != 0)
            failures += L"\n" + name + L" (" + ResourceString(reason) + L")";
    }
    if (!failures.IsEmpty())
        ShowWarningMessage(this, Say(IDS_ATTACHMENTS_NOT_SAVED, failures.Mid(1)));
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
