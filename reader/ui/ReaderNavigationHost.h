// What the page view and the search pane need from the window around them: the contents tree
// for links between pages and for searching, and the zoom pane. The main frame implements it;
// tests and the benchmark supply their own.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <vector>
#include "platform/framework/Strings.h"

class CReaderNavigationHost
{
public:
    virtual ~CReaderNavigationHost() = default;

    // The contents item that a link names, resolved against the selected item (custom
    // schemes) or by the page's address; null when the link names no item. The view asks with
    // the whole link first and, when that names nothing, once more without its anchor.
    virtual HTREEITEM ResolveTreeLink(LPCTSTR lpszURL) = 0;
    // Selects an item so that its page is extracted and shown, also when it is already
    // selected (the page reloads); the keyword (may be empty) is highlighted once it has loaded.
    // The page navigation happens before the call returns, or not at all when the page
    // cannot be extracted.
    virtual void SelectTreeItem(HTREEITEM hItem, LPCTSTR lpszKeyword) = 0;
    // Shows the text in the status-bar zoom pane.
    virtual void SetZoomPaneText(LPCTSTR lpszText) = 0;

    // The contents items whose pages contain the text, in contents order; a host without a
    // book finds nothing.
    virtual void SearchItems(LPCTSTR /*lpszText*/, std::vector<HTREEITEM>& items) { items.clear(); }
    // The text of a contents item as the tree shows it.
    virtual CString GetItemTitle(HTREEITEM /*hItem*/) { return CString(); }
    // Moves to the next highlighted keyword of the shown page.
    virtual void LocateKeywords() {}
};
