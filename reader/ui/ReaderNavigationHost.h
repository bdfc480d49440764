// What the page view needs from the window around it: the contents tree for links between
// pages and the zoom pane. The main frame implements it; tests supply their own.
#pragma once

#include <windows.h>
#include <commctrl.h>

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
};
