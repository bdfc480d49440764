// How the tab paint manager lays the tabs of a row out.
#include <algorithm>
#include <vector>

#include "toolkit/tabs/TabManager.h"
#include "toolkit/tabs/TabPaintManager.h"

void CQorTabPaintManager::ShrinkTabsToFit(CQorTabManager* pRow, int nAvailable) const
{
    const int nCount = pRow->GetItemCount();
    if (nCount == 0)
        return;
    // A row narrower than its buttons (a pane dragged to width 0) leaves no room at all, never
    // a negative one: negative lengths would turn the tab rectangles inside out.
    nAvailable = std::max(nAvailable, 0);
    if (pRow->GetItemsLength() <= nAvailable)
        return;
    if (nCount == 1) {
        pRow->GetItem(0)->m_nLength = nAvailable;
        return;
    }
    // Sort a copy: the row's array is its display order. A stable sort keeps equal tabs in
    // display order, so the remainders of the shares always go to the same tabs.
    std::vector<CQorTabManagerItem*> items;
    items.reserve(static_cast<size_t>(nCount));
    for (int i = 0; i < nCount; ++i)
        items.push_back(pRow->GetItem(i));
    std::stable_sort(items.begin(), items.end(), [](const CQorTabManagerItem* a, const CQorTabManagerItem* b) {
        return a->m_nLength < b->m_nLength;
    });
    size_t i = 0;
    for (; i < items.size(); ++i) {
        const int nLeft = static_cast<int>(items.size() - i);
        if (nLeft * items[i]->m_nLength >= nAvailable)
            break;
        nAvailable -= items[i]->m_nLength;
    }
    for (; i < items.size(); ++i) {
        const int nShare = nAvailable / static_cast<int>(items.size() - i);
        items[i]->m_nLength = nShare;
        nAvailable -= nShare;
    }
}
