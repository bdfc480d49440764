#include "reader/ui/AttachmentsListCtrl.h"
#include <shellapi.h>
#include <shlwapi.h>
#include "reader/app/FileUtil.h"
#include "resources/resource.h"

BEGIN_MESSAGE_MAP(CExeBookAttachmentsListCtrl, CQorListCtrlEx)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CONTEXTMENU()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CString FormatByteSize(LONGLONG bytes)
{
    wchar_t text[100] = {};
    ::StrFormatByteSizeW(bytes, text, 100);
    return text;
}

CExeBookAttachmentsListCtrl::CExeBookAttachmentsListCtrl()
    : m_bInitialized(FALSE), m_hSmallImages(nullptr), m_hLargeImages(nullptr), m_pListener(nullptr)
{}

int CExeBookAttachmentsListCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CQorListCtrlEx::OnCreate(lpCreateStruct) == -1)
        return -1;
    Init();
    return 0;
}

void CExeBookAttachmentsListCtrl::Init()
{
    if (m_bInitialized)
        return;
    m_bInitialized = TRUE;
    // The shell's own lists, shared by the whole process: attached, never destroyed.
    SHFILEINFOW info = {};
    m_hSmallImages = reinterpret_cast<HIMAGELIST>(
        ::SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    m_hLargeImages =
        reinterpret_cast<HIMAGELIST>(::SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX));
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, ::GetWindowLongPtrW(m_hWnd, GWL_STYLE) | LVS_SHAREIMAGELISTS);
    ::SendMessageW(m_hWnd, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(m_hSmallImages));
    ::SendMessageW(m_hWnd, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(m_hLargeImages));
    CString name, size;
    name.LoadString(IDS_ATTACHMENT_NAME);
    size.LoadString(IDS_ATTACHMENT_SIZE);
    InsertColumn(0, name, LVCFMT_LEFT, 150);
    InsertColumn(1, size, LVCFMT_RIGHT, 75);
}

void CExeBookAttachmentsListCtrl::Fill(const CExeBookFileEntries& attachments, const CExeBookResourceFiles& index)
{
    DeleteAllItems();
    for (size_t i = 0; i < attachments.size(); ++i) {
        const EXEBOOKFILEENTRY& entry = attachments[i];
        const int position = FindFileIndex(index, entry.nID);
        if (position < 0)
            continue;
        SHFILEINFOW info = {};
        const CString extension = GetFileExtensionOfPath(entry.strName);
        ::SHGetFileInfoW(extension.IsEmpty() ? entry.strName.GetString() : extension.GetString(), FILE_ATTRIBUTE_NORMAL,
                         &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES);
        // Shown, and later written, with nothing hidden in the name that could disguise its type.
        const int row =
            InsertItem(int(i) < GetItemCount() ? int(i) : GetItemCount(), DisplayFileName(entry.strName), info.iIcon);
        if (row < 0)
            continue;
        SetItemText(row, 1, FormatByteSize(index[size_t(position)].FileSize));
        SetItemData(row, DWORD_PTR(entry.nID));
    }
}

void CExeBookAttachmentsListCtrl::OnDestroy()
{
    // The shell's lists stay alive for others.
    ::SendMessageW(m_hWnd, LVM_SETIMAGELIST, LVSIL_SMALL, 0);
    ::SendMessageW(m_hWnd, LVM_SETIMAGELIST, LVSIL_NORMAL, 0);
    CQorListCtrlEx::OnDestroy();
}

void CExeBookAttachmentsListCtrl::OnContextMenu(CWnd* pWnd, CPoint point)
{
    if (m_pListener)
        m_pListener->OnAttachmentContextMenu(this, pWnd, point);
}

void CExeBookAttachmentsListCtrl::OnSize(UINT nType, int cx, int cy)
{
    CQorListCtrlEx::OnSize(nType, cx, cy);
    if ((GetStyle() & LVS_TYPEMASK) == LVS_ICON)
        ::SendMessageW(m_hWnd, LVM_ARRANGE, LVA_ALIGNTOP, 0);
}

void CExeBookAttachmentsListCtrl::OnSelectionChanged()
{
    if (m_pListener)
        m_pListener->OnAttachmentSelectionChanged(this);
}

void CExeBookAttachmentsListCtrl::OnItemDblClick(int nItem)
{
    if (m_pListener)
        m_pListener->OnAttachmentOpen(this, nItem);
}
