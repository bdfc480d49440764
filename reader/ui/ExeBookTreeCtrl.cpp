#include "reader/ui/ExeBookTreeCtrl.h"
#include <memory>
#include <new>
#include <set>
#include "reader/app/AnsweringWait.h"
#include "reader/book/XMLDocument.h"

IMPLEMENT_DYNAMIC(CExeBookTreeCtrl, CTreeCtrl)

BEGIN_MESSAGE_MAP(CExeBookTreeCtrl, CTreeCtrl)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_NOTIFY_REFLECT(TVN_SELCHANGEDW, &CExeBookTreeCtrl::OnSelChanged)
    ON_NOTIFY_REFLECT(TVN_DELETEITEMW, &CExeBookTreeCtrl::OnDeleteItem)
END_MESSAGE_MAP()

namespace {

const wchar_t kFolionyxScheme[] = L"folionyx://";
const wchar_t kTrawlmossScheme[] = L"trawlmoss://";

bool StartsWithNoCase(const CString& text, LPCWSTR prefix)
{
    const int length = lstrlenW(prefix);
    return text.GetLength() >= length && text.Left(length).CompareNoCase(prefix) == 0;
}

// Replaces every occurrence of `from` in any letter case by `to`.
void ReplaceNoCase(CString& text, LPCWSTR from, LPCWSTR to)
{
    CString lower(text);
    lower.MakeLower();
    CString needle(from);
    needle.MakeLower();
    const int length = needle.GetLength();
    CString result;
    int start = 0;
    for (int found = lower.Find(needle); found >= 0; found = lower.Find(needle, start)) {
        result += text.Mid(start, found - start);
        result += to;
        start = found + length;
    }
    result += text.Mid(start);
    text = result;
}

CString WithoutAnchor(const CString& url)
{
    const int hash = url.Find(L'#');
    return hash < 0 ? url : url.Left(hash);
}

// Reads the children "<prefix>0", "<prefix>1", ... up to `count`, stopping at the first missing one.
void ReadFileEntries(const CQorXMLChildIndex& children, LPCWSTR prefix, int count, CExeBookFileEntries& out)
{
    for (int i = 0; i < count; ++i) {
        CString name;
        name.Format(L"%ls%d", prefix, i);
        CQorXMLNode child;
        if (!children.Find(name, child))
            break;
        EXEBOOKFILEENTRY entry;
        entry.nID = 0;
        child.GetIntAttribute(L"ID", entry.nID);
        entry.strName = child.GetStringAttribute(L"Name");
        out.push_back(entry);
    }
}

} // namespace

CExeBookTreeCtrl::CExeBookTreeCtrl()
    : m_pListener(nullptr), m_bImageListBuilt(FALSE), m_nPreOrderCount(0), m_bPreOrderValid(FALSE)
{}

CExeBookTreeCtrl::~CExeBookTreeCtrl()
{
    // Destroyed here, while this class still handles the window's destruction.
    if (m_hWnd != nullptr)
        DestroyWindow();
}

int CExeBookTreeCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CTreeCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    BuildImageList();
    return 0;
}

void CExeBookTreeCtrl::OnDestroy()
{
    // The records are freed here rather than through the deletion notices, which reach
    // this object only by way of a parent that reflects them.
    for (HTREEITEM item = GetRootItem(); item != nullptr; item = NextItem(item)) {
        delete GetRecord(item);
        SetItemData(item, 0);
    }
    CTreeCtrl::OnDestroy();
}

void CExeBookTreeCtrl::BuildImageList()
{
    if (m_bImageListBuilt)
        return;
    m_bImageListBuilt = TRUE;
    if (!m_imageList.Create(EXEBOOK_TREE_ICON_SIZE, EXEBOOK_TREE_ICON_SIZE, ILC_COLOR32 | ILC_MASK, 4, 4))
        return;
    // The icons belong to the program, not to a language module.
    HBITMAP bitmap = static_cast<HBITMAP>(
        ::LoadImageW(::GetModuleHandleW(nullptr), EXEBOOK_TREE_ICONS, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (bitmap != nullptr) {
        ImageList_AddMasked(m_imageList.GetSafeHandle(), bitmap, EXEBOOK_TREE_ICON_MASK);
        ::DeleteObject(bitmap);
    }
    SetImageList(&m_imageList, TVSIL_NORMAL);
}

void CExeBookTreeCtrl::OnSelChanged(NMHDR*, LRESULT* pResult)
{
    if (m_pListener != nullptr)
        m_pListener->OnTreeSelectionChanged(this);
    *pResult = 0;
}

void CExeBookTreeCtrl::OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* view = reinterpret_cast<NMTREEVIEWW*>(pNMHDR);
    delete reinterpret_cast<EXEBOOKCONTENTSRECORD*>(view->itemOld.lParam);
    view->itemOld.lParam = 0;
    m_bPreOrderValid = FALSE;
    *pResult = 0;
}

// ---------------------------------------------------------------------------------------
// Loading

BOOL CExeBookTreeCtrl::Load(CQorXMLDocumentEx& settings)
{
    CQorXMLNode root;
    if (!settings.FindTopElement(L"FolionyxExeBook", root))
        return FALSE;
    CQorXMLNode nodes;
    if (!root.FindChild(L"Nodes", nodes))
        return FALSE;
    // Without redrawing while the items go in: the tree control otherwise measures all its shown
    // items again at every insertion, which made a level of thousands of items take minutes.
    SetRedraw(FALSE);
    LoadNodes(nodes, TVI_ROOT);
    SetRedraw(TRUE);
    Invalidate();
    HTREEITEM first = GetRootItem();
    if (first != nullptr)
        Expand(first, TVE_EXPAND);
    return TRUE;
}

void CExeBookTreeCtrl::LoadNodes(const CQorXMLNode& element, HTREEITEM parent)
{
    int count = 0;
    element.GetIntAttribute(L"ChildCount", count);
    if (count > 0)
        LoadChildNodes(CQorXMLChildIndex(element), count, parent);
}

void CExeBookTreeCtrl::LoadChildNodes(const CQorXMLChildIndex& children, int count, HTREEITEM parent)
{
    // The nodes there are, in the order of their numbers: a missing number is passed over, and
    // a count far beyond the nodes present costs nothing.
    for (const CQorXMLNode& node : children.FindNumbered(L"Node_", count)) {
        const CString title = node.GetStringAttribute(L"Title");
        const CString url = node.GetStringAttribute(L"URL");
        int image = 0, fileCount = 0, attachmentCount = 0, childCount = 0;
        node.GetIntAttribute(L"ImageIndex", image);
        node.GetIntAttribute(L"FileCount", fileCount);
        node.GetIntAttribute(L"AttachmentCount", attachmentCount);
        node.GetIntAttribute(L"ChildCount", childCount);

        HTREEITEM item = InsertItem(title, image, image, parent, TVI_LAST);
        if (item == nullptr)
            continue;
        // The item's files, attachments and sub-items are all its children: walked once.
        CQorXMLChildIndex nodeChildren;
        if (fileCount > 0 || childCount > 0)
            nodeChildren.Build(node);
        if (fileCount > 0) {
            std::unique_ptr<EXEBOOKCONTENTSRECORD> record(new (std::nothrow) EXEBOOKCONTENTSRECORD);
            if (record) {
                record->strURL = url;
                BOOL home = FALSE;
                node.GetBoolAttribute(L"Home", home);
                record->bHome = home;
                ReadFileEntries(nodeChildren, L"File_", fileCount, record->files);
                ReadFileEntries(nodeChildren, L"Attachment_", attachmentCount, record->attachments);
                if (SetItemData(item, reinterpret_cast<DWORD_PTR>(record.get())))
                    record.release();
            }
        }
        if (childCount > 0)
            LoadChildNodes(nodeChildren, childCount, item);
    }
}

EXEBOOKCONTENTSRECORD* CExeBookTreeCtrl::GetRecord(HTREEITEM item) const
{
    if (item == nullptr)
        return nullptr;
    return reinterpret_cast<EXEBOOKCONTENTSRECORD*>(GetItemData(item));
}

// ---------------------------------------------------------------------------------------
// Walks

HTREEITEM CExeBookTreeCtrl::NextItem(HTREEITEM item) const
{
    if (item == nullptr)
        return nullptr;
    if (HTREEITEM child = GetChildItem(item))
        return child;
    for (HTREEITEM up = item; up != nullptr; up = GetParentItem(up)) {
        if (HTREEITEM sibling = GetNextSiblingItem(up))
            return sibling;
    }
    return nullptr;
}

HTREEITEM CExeBookTreeCtrl::PrevItem(HTREEITEM item) const
{
    if (item == nullptr)
        return nullptr;
    HTREEITEM previous = GetPrevSiblingItem(item);
    if (previous == nullptr)
        return GetParentItem(item);
    // The deepest last descendant of the previous sibling comes right before.
    for (HTREEITEM last = LastChild(previous); last != nullptr; last = LastChild(previous))
        previous = last;
    return previous;
}

HTREEITEM CExeBookTreeCtrl::NextPageItem(HTREEITEM item) const
{
    for (HTREEITEM next = NextItem(item); next != nullptr; next = NextItem(next)) {
        if (GetRecord(next) != nullptr)
            return next;
    }
    return nullptr;
}

HTREEITEM CExeBookTreeCtrl::PrevPageItem(HTREEITEM item) const
{
    for (HTREEITEM previous = PrevItem(item); previous != nullptr; previous = PrevItem(previous)) {
        if (GetRecord(previous) != nullptr)
            return previous;
    }
    return nullptr;
}

HTREEITEM CExeBookTreeCtrl::LastChild(HTREEITEM item) const
{
    HTREEITEM child = item != nullptr ? GetChildItem(item) : nullptr;
    if (child == nullptr)
        return nullptr;
    for (HTREEITEM next = GetNextSiblingItem(child); next != nullptr; next = GetNextSiblingItem(next))
        child = next;
    return child;
}

HTREEITEM CExeBookTreeCtrl::LastItem() const
{
    // The last root item, then its last descendant: the end of the whole tree, whatever
    // the first root item holds.
    HTREEITEM last = GetRootItem();
    if (last == nullptr)
        return nullptr;
    for (HTREEITEM next = GetNextSiblingItem(last); next != nullptr; next = GetNextSiblingItem(next))
        last = next;
    for (HTREEITEM child = LastChild(last); child != nullptr; child = LastChild(last))
        last = child;
    return last;
}

HTREEITEM CExeBookTreeCtrl::FirstItemWhere(bool (*test)(const EXEBOOKCONTENTSRECORD&)) const
{
    for (HTREEITEM item = GetRootItem(); item != nullptr; item = NextItem(item)) {
        const EXEBOOKCONTENTSRECORD* record = GetRecord(item);
        if (record != nullptr && test(*record))
            return item;
    }
    return nullptr;
}

HTREEITEM CExeBookTreeCtrl::FindHomeItem() const
{
    if (HTREEITEM home = FirstItemWhere([](const EXEBOOKCONTENTSRECORD& r) { return r.bHome != FALSE; }))
        return home;
    return FirstItemWhere([](const EXEBOOKCONTENTSRECORD& r) { return !r.files.empty(); });
}

// ---------------------------------------------------------------------------------------
// Links and search hits

HTREEITEM CExeBookTreeCtrl::ResolveTreeLink(LPCTSTR url, HTREEITEM current) const
{
    if (url == nullptr)
        return nullptr;
    CString link(url);
    if (StartsWithNoCase(link, kFolionyxScheme) || StartsWithNoCase(link, kTrawlmossScheme)) {
        ReplaceNoCase(link, L"trawlmoss://prior", L"folionyx://prev");
        ReplaceNoCase(link, L"folionyx://prior", L"folionyx://prev");
        ReplaceNoCase(link, kTrawlmossScheme, kFolionyxScheme);
        if (StartsWithNoCase(link, L"folionyx://first")) {
            HTREEITEM first = GetRootItem();
            return first == nullptr || GetRecord(first) != nullptr ? first : NextPageItem(first);
        }
        if (StartsWithNoCase(link, L"folionyx://last")) {
            HTREEITEM last = LastItem();
            return last == nullptr || GetRecord(last) != nullptr ? last : PrevPageItem(last);
        }
        if (current != nullptr && StartsWithNoCase(link, L"folionyx://prev"))
            return PrevPageItem(current);
        if (current != nullptr && StartsWithNoCase(link, L"folionyx://next"))
            return NextPageItem(current);
        return nullptr;
    }

    // A page address, possibly with an anchor into the page: an item whose address is
    // exactly that wins (items may name sections of one page); otherwise the page itself.
    const CString page = WithoutAnchor(link);
    HTREEITEM pageItem = nullptr;
    for (HTREEITEM item = GetRootItem(); item != nullptr; item = NextItem(item)) {
        const EXEBOOKCONTENTSRECORD* record = GetRecord(item);
        if (record == nullptr || record->strURL.IsEmpty())
            continue;
        if (record->strURL.CompareNoCase(link) == 0)
            return item;
        if (pageItem == nullptr && record->strURL.CompareNoCase(page) == 0)
            pageItem = item;
    }
    return pageItem;
}

const std::vector<CExeBookTreeCtrl::PreOrderEntry>& CExeBookTreeCtrl::GetPreOrderRecords() const
{
    const UINT count = GetCount();
    if (m_bPreOrderValid && count == m_nPreOrderCount)
        return m_preOrder;
    m_preOrder.clear();
    for (HTREEITEM item = GetRootItem(); item != nullptr; item = NextItem(item)) {
        if (const EXEBOOKCONTENTSRECORD* record = GetRecord(item))
            m_preOrder.push_back({item, record});
    }
    m_nPreOrderCount = count;
    m_bPreOrderValid = TRUE;
    return m_preOrder;
}

void CExeBookTreeCtrl::FindItemsByFiles(const CExeBookResourceFiles& hits, std::vector<HTREEITEM>& items) const
{
    std::set<int> ids;
    for (const EXEBOOKRESOURCEFILEDATA& hit : hits)
        ids.insert(hit.ID);
    for (const PreOrderEntry& entry : GetPreOrderRecords()) {
        for (const EXEBOOKFILEENTRY& file : entry.pRecord->files) {
            if (ids.count(file.nID) != 0) {
                items.push_back(entry.hItem);
                break;
            }
        }
    }
}

void CExeBookTreeCtrl::SearchItems(LPCTSTR text, const CExeBookResourceFiles& index, const EXEBOOKPACKEDDATA& resource,
                                   std::vector<HTREEITEM>& items) const
{
    CExeBookResourceFiles hits;
    BOOL searched = FALSE;
    // A book may hold records that inflate to a great deal; the window keeps answering.
    RunWhileAnswering([&] { searched = SearchFiles(index, resource, text, hits); });
    if (!searched)
        return;
    FindItemsByFiles(hits, items);
}
