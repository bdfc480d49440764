#include "toolkit/tabs/TabPaintManager.h"

#include "toolkit/tabs/TabColorSets.h"
#include "toolkit/tabs/TabManager.h"

CQorTabPaintManager::CQorTabPaintManager() : m_rcHeaderMargin(0, 0, 0, 0)
{
    SetColor(qorTabColorDefault);
}

CQorTabPaintManager::~CQorTabPaintManager()
{
    // Rows that outlive their painter must not leave a list that is gone.
    for (INT_PTR i = 0; i < m_arrRows.GetSize(); ++i)
        m_arrRows[i]->DetachPaintManager(this);
    delete m_pColorSet;
}

void CQorTabPaintManager::SetColor(int nKind)
{
    CColorSet* pColorSet = nullptr;
    switch (nKind) {
    case qorTabColorVisualStudio:
        pColorSet = new CColorSetVisualStudio();
        break;
    case qorTabColorOffice2003:
        pColorSet = new CColorSetOffice2003();
        break;
    case qorTabColorWinXP:
        pColorSet = new CColorSetWinXP();
        break;
    case qorTabColorWhidbey:
        pColorSet = new CColorSetWhidbey();
        break;
    case qorTabColorOffice2007:
        pColorSet = new CColorSetOffice2007();
        break;
    default:
        nKind = qorTabColorDefault;
        pColorSet = new CColorSetDefault();
        break;
    }
    m_nColorSetKind = nKind;
    SetColorSet(pColorSet);
}

void CQorTabPaintManager::SetColorSet(CColorSet* pColorSet)
{
    if (!pColorSet || pColorSet == m_pColorSet)
        return;
    delete m_pColorSet;
    m_pColorSet = pColorSet;
    pColorSet->m_pPaintManager = this;
    pColorSet->RefreshMetrics();
    OnPropertyChanged();
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
