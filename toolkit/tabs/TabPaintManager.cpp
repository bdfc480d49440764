#include "toolkit/tabs/TabPaintManager.h"

#include "toolkit/tabs/TabManager.h"

CQorTabPaintManager::CQorTabPaintManager() : m_rcHeaderMargin(0, 0, 0, 0) {}

CQorTabPaintManager::~CQorTabPaintManager()
{
    // Rows that outlive their painter must not leave a list that is gone.
    for (INT_PTR i = 0; i < m_arrRows.GetSize(); ++i)
        m_arrRows[i]->DetachPaintManager(this);
}

void CQorTabPaintManager::OnPropertyChanged()
{
    for (INT_PTR i = 0; i < m_arrRows.GetSize(); ++i)
        m_arrRows[i]->OnPropertyChanged();
}

void CQorTabPaintManager::AddRow(CQorTabManagerAtom* pRow)
{
    for (INT_PTR i = 0; i < m_arrRows.GetSize(); ++i)
        if (m_arrRows[i] == pRow)
            return;
    m_arrRows.Add(pRow);
    pRow->AttachPaintManager(this);
}

void CQorTabPaintManager::RemoveRow(CQorTabManagerAtom* pRow)
{
    for (INT_PTR i = 0; i < m_arrRows.GetSize(); ++i) {
        if (m_arrRows[i] == pRow) {
            m_arrRows.RemoveAt(i);
            pRow->DetachPaintManager(this);
            return;
        }
    }
}
