// Layout 4: the tabs of a row in as many rows as a greedy pass needs, fitted so that with
// justify-rows each row takes an even share of the total; the selected tab's row is moved next
// to the client area, and the spare length of each row is shared among its tabs.
#include <algorithm>
#include <vector>

#include "toolkit/tabs/TabManager.h"
#include "toolkit/tabs/TabPaintManager.h"

namespace {

struct CRowFit
{
    const std::vector<int>& lengths;
    int nAvailable;
    int nRows;
    BOOL bJustify;
    std::vector<CQorTabManager::ROW_ITEMS> rows;
    // Whether the tabs from a first tab on were already found not to fit into the rows from
    // a row on (nRow * (count + 1) + nFirst). The answer depends on nothing else (the total
    // follows from the first tab), and a success ends the whole search; so remembering the
    // failures gives the same rows with each pair tried once, where the plain search takes
    // time exponential in the number of rows.
    std::vector<bool> failed;

    bool Fit(int nRow, int nFirst, int nSum)
    {
        const size_t nKey = static_cast<size_t>(nRow) * (lengths.size() + 1) + static_cast<size_t>(nFirst);
        if (failed[nKey])
            return false;
        if (FitOnce(nRow, nFirst, nSum))
            return true;
        failed[nKey] = true;
        return false;
    }

    // Fits the tabs from nFirst on into rows nRow.. with nSum their total length.
    bool FitOnce(int nRow, int nFirst, int nSum)
    {
        const int nCount = static_cast<int>(lengths.size());
        const int nRowsLeft = nRows - nRow;
        const int nTarget = bJustify ? std::min(nAvailable, (nSum + nRowsLeft - 1) / nRowsLeft) : nAvailable;
        int nRowLength = 0;
        for (int i = nFirst; i < nCount; ++i) {
            const int nLength = lengths[static_cast<size_t>(i)];
            if (nRowLength > 0 && nLength > 0 && nRowLength + nLength > nTarget) {
                if (nRow == nRows - 1)
                    return false;
                if (Fit(nRow + 1, i, nSum - nRowLength)) {
                    rows[static_cast<size_t>(nRow)] = CQorTabManager::ROW_ITEMS{nFirst, i - 1};
                    return true;
                }
                if (nRowLength + nLength > nAvailable)
                    return false;
            }
            nRowLength += nLength;
        }
        // Every remaining tab went into this row: a fit only when it is the last one.
        if (nRow != nRows - 1)
            return false;
        rows[static_cast<size_t>(nRow)] = CQorTabManager::ROW_ITEMS{nFirst, nCount - 1};
        return true;
    }
};

} // namespace

void CQorTabPaintManager::FillMultiRows(CQorTabManager* pRow, int nAvailable)
{
    const int nCount = pRow->GetItemCount();
    std::vector<int> lengths;
    int nSum = 0;
    for (int i = 0; i < nCount; ++i) {
        lengths.push_back(pRow->GetItem(i)->m_nLength);
        nSum += lengths.back();
    }

    // The greedy rows: a tab starts a new row when it would take the current one past the length.
    std::vector<CQorTabManager::ROW_ITEMS> greedy;
    int nRowLength = 0;
    for (int i = 0; i < nCount; ++i) {
        if (greedy.empty() || (nRowLength > 0 && nRowLength + lengths[static_cast<size_t>(i)] > nAvailable)) {
            greedy.push_back(CQorTabManager::ROW_ITEMS{i, i});
            nRowLength = 0;
        }
        greedy.back().nLast = i;
        nRowLength += lengths[static_cast<size_t>(i)];
    }
    const int nRows = static_cast<int>(greedy.size());
    if (nRows <= 1)
        return;

    CRowFit fit{lengths, nAvailable, nRows, m_bJustifyRows, std::vector<CQorTabManager::ROW_ITEMS>(greedy.size()),
                std::vector<bool>(static_cast<size_t>(nRows) * (lengths.size() + 1))};
    // A tab longer than the row cannot be fitted: the greedy rows hold it alone.
    std::vector<CQorTabManager::ROW_ITEMS> rows = fit.Fit(0, 0, nSum) ? fit.rows : greedy;

    if (!m_bKeepRowOrder) {
        const int nSelected = pRow->GetSelectedItem() ? pRow->FindIndex(pRow->GetSelectedItem()) : -1;
        for (size_t r = 1; r < rows.size(); ++r)
            if (nSelected >= rows[r].nFirst && nSelected <= rows[r].nLast)
                std::swap(rows[0], rows[r]);
    }

    if (m_bJustifyRows) {
        for (const CQorTabManager::ROW_ITEMS& row : rows) {
            int nSpare = nAvailable;
            for (int i = row.nFirst; i <= row.nLast; ++i)
                nSpare -= pRow->GetItem(i)->m_nLength;
            for (int i = row.nFirst; i <= row.nLast && nSpare > 0; ++i) {
                const int nShare = nSpare / (row.nLast - i + 1);
                pRow->GetItem(i)->m_nLength += nShare;
                nSpare -= nShare;
            }
        }
    }

    pRow->m_arrRowItems.RemoveAll();
    for (const CQorTabManager::ROW_ITEMS& row : rows)
        pRow->m_arrRowItems.Add(row);
}
