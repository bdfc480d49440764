#include "reader/ui/AttachmentsListCtrl.h"
#include <shellapi.h>
#include <shlwapi.h>
#include <string>
#include <unordered_map>
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

namespace {

// The shell's icon for a file name's type, asked once per type. A type that no program has
// claimed gets the icon of a file without a type, so that a book with thousands of made-up
// types costs a registry look-up each, not a shell look-up each.
class CTypeIcons
{
public:
    int IconOf(const CString& name)
    {
        CString extension = GetFileExtensionOfPath(name);
        extension.MakeLower();
        auto found = m_icons.find(std::wstring(extension.GetString()));
        if (found != m_icons.end())
            return found->second;
        int icon = 0;
        if (extension.IsEmpty() || !IsRegistered(extension))
            icon = Generic();
        else
            icon = ShellIcon(extension);
        m_icons.emplace(std::wstring(extension.GetString()), icon);
        return icon;
    }

private:
    static bool IsRegistered(const CString& extension)
    {
        HKEY key = nullptr;
        if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, extension, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        ::RegCloseKey(key);
        return true;
    }
    static int ShellIcon(LPCWSTR name)
    {
        SHFILEINFOW info = {};
        ::SHGetFileInfoW(name, FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                         SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES);
        return info.iIcon;
    }
    int Generic()
    {
        if (m_generic < 0)
            m_generic = ShellIcon(L"file");
        return m_generic;
    }

    std::unordered_map<std::wstring, int> m_icons;
    int m_generic = -1;
};

} // namespace

void CExeBookAttachmentsListCtrl::Fill(const CExeBookFileEntries& attachments, const CExeBookResourceFiles& index)
{
    // The rows are made without drawing; the list is drawn once when they are all there.
    SetRedraw(FALSE);
    DeleteAllItems();
    // The index positions of the attachments, found in one walk over the index (the first of
    // equal ids), so that the time grows with the rows, not with rows times index entries.
    std::unordered_map<int, int> positions;
    for (const EXEBOOKFILEENTRY& entry : attachments)
        positions.emplace(entry.nID, -1);
    for (size_t i = 0; i < index.size(); ++i) {
        auto it = positions.find(index[i].ID);
        if (it != positions.end() && it->second < 0)
            it->second = int(i);
    }
    ::SendMessageW(m_hWnd, LVM_SETITEMCOUNT, WPARAM(attachments.size()), LVSICF_NOINVALIDATEALL);
    CTypeIcons icons;
    for (const EXEBOOKFILEENTRY& entry : attachments) {
        const int position = positions[entry.nID];
        if (position < 0)
            continue;
        // Shown, and later written, with nothing hidden in the name that could disguise its type.
        const int row = InsertItem(GetItemCount(), DisplayFileName(entry.strName), icons.IconOf(entry.strName));
        if (row < 0)
            continue;
        SetItemText(row, 1, FormatByteSize(index[size_t(position)].FileSize));
        SetItemData(row, DWORD_PTR(entry.nID));
    }
    SetRedraw(TRUE);
    Invalidate();
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
