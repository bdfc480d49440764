// The book's table of contents: a tree control filled once from the `Nodes` element
// of the settings. It answers the page-order walks of the Home, Prior and Next
// commands, resolves the links of the book's own URL schemes and maps search hits
// to items. A changed selection is reported to a listener, which shows the page.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <vector>
#include "platform/framework/Controls.h"
#include "platform/framework/ImageList.h"
#include "platform/framework/Strings.h"
#include "reader/book/ExeBookResourceFiles.h"

class CQorXMLNode;
class CQorXMLChildIndex;
class CQorXMLDocumentEx;
class CExeBookTreeCtrl;

// What an item of the contents shows: its page (files[0]) with its companion files,
// and the attachments that come with it. Owned by its item.
struct EXEBOOKCONTENTSRECORD
{
    CString strURL; // the address the page was taken from
    CExeBookFileEntries files;
    CExeBookFileEntries attachments;
    BOOL bHome = FALSE;
};

class CExeBookTreeCtrlEventListener
{
public:
    virtual ~CExeBookTreeCtrlEventListener() = default;
    // The selected item changed (to another item or to none).
    virtual void OnTreeSelectionChanged(CExeBookTreeCtrl* tree) = 0;
    // Reserved for the listener's own use; the tree never calls it.
    virtual void OnTreeReserved(CExeBookTreeCtrl* tree) = 0;
};

// The bitmap strip of the item images (16 x 16 each, magenta transparent).
#define EXEBOOK_TREE_ICONS L"BOOKICONS"
enum { EXEBOOK_TREE_ICON_SIZE = 16, EXEBOOK_TREE_ICON_MASK = 0xFF00FF };

class CExeBookTreeCtrl : public CTreeCtrl
{
    DECLARE_DYNAMIC(CExeBookTreeCtrl)
public:
    CExeBookTreeCtrl();
    ~CExeBookTreeCtrl() override;

    // Fills the tree from the `Nodes` element under the settings' root element and
    // expands the first root item. FALSE when the root or `Nodes` is missing.
    BOOL Load(CQorXMLDocumentEx& settings);
    // The same from a `Nodes` element.
    void LoadNodes(const CQorXMLNode& element, HTREEITEM parent);

    EXEBOOKCONTENTSRECORD* GetRecord(HTREEITEM item) const;

    // Pre-order successor and predecessor of any item; null at the ends.
    HTREEITEM NextItem(HTREEITEM item) const;
    HTREEITEM PrevItem(HTREEITEM item) const;
    // The nearest pre-order successor / predecessor that has a record.
    HTREEITEM NextPageItem(HTREEITEM item) const;
    HTREEITEM PrevPageItem(HTREEITEM item) const;
    HTREEITEM LastChild(HTREEITEM item) const;
    // The last item of the whole tree in pre-order; null for an empty tree.
    HTREEITEM LastItem() const;
    // The first item marked Home, else the first item with a file, else null.
    HTREEITEM FindHomeItem() const;

    // The item a link names: "folionyx://first", "last", "prev" (or "prior") and
    // "next" (also under "trawlmoss://"), the last two relative to `current`; any
    // other address names the first item whose page address equals it, with or
    // without the anchor. Null when the link names no item.
    HTREEITEM ResolveTreeLink(LPCTSTR url, HTREEITEM current) const;

    // Appends, in pre-order and each once, the items whose record lists one of the
    // files in `hits`.
    void FindItemsByFiles(const CExeBookResourceFiles& hits, std::vector<HTREEITEM>& items) const;
    // Searches the packed files for `text` and appends the items of the hits.
    void SearchItems(LPCTSTR text, const CExeBookResourceFiles& index, const EXEBOOKPACKEDDATA& resource,
                     std::vector<HTREEITEM>& items) const;

    void SetListener(CExeBookTreeCtrlEventListener* listener) { m_pListener = listener; }
    CExeBookTreeCtrlEventListener* GetListener() const { return m_pListener; }

    // The item images; empty when the bitmap is missing.
    CImageList& GetIconList() { return m_imageList; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    void BuildImageList();
    // Adds the items "Node_0" ... "Node_<count - 1>" found among `children` under `parent`.
    void LoadChildNodes(const CQorXMLChildIndex& children, int count, HTREEITEM parent);
    HTREEITEM FirstItemWhere(bool (*test)(const EXEBOOKCONTENTSRECORD&)) const;

    // The items that have a record, in pre-order: walked once and kept until an item is
    // deleted or the item count changes, so that a search over a large book does not ask
    // the control about every item again.
    struct PreOrderEntry
    {
        HTREEITEM hItem;
        const EXEBOOKCONTENTSRECORD* pRecord;
    };
    const std::vector<PreOrderEntry>& GetPreOrderRecords() const;

    CExeBookTreeCtrlEventListener* m_pListener;
    CImageList m_imageList;
    BOOL m_bImageListBuilt;
    mutable std::vector<PreOrderEntry> m_preOrder;
    mutable UINT m_nPreOrderCount; // the item count the walk saw
    mutable BOOL m_bPreOrderValid;
};
