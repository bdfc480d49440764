#include "demos/commandbars/CellBar.h"

#include "platform/framework/WinApp.h"
#include "toolkit/commandbars/CustomizeDropSource.h"
#include "toolkit/commandbars/MouseManager.h"

void CColorCell::OnCustomizeDragOver(CQorControl*, CPoint)
{
    m_nDragOvers++;
}

BEGIN_MESSAGE_MAP(CCellBar, CQorCommandBar)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CCellBar::CCellBar()
    : m_clrHot(RGB(255, 128, 0)), m_bAcceptDrops(TRUE), m_pDropSource(nullptr), m_pEndLog(nullptr), m_nMouseMoves(0),
      m_nDragEnters(0), m_nDragLeaves(0), m_nDrops(0), m_lastDropEffect(DROPEFFECT_NONE),
      m_lastDragResult(DROPEFFECT_NONE)
{}

CCellBar::~CCellBar()
{
    if (m_hWnd)
        DestroyWindow();
    for (CColorCell* pCell : m_cells)
        pCell->InternalRelease();
}

BOOL CCellBar::CreateBar(DWORD dwStyle, const CRect& rc, HWND hWndParent)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW));
    const DWORD dwExStyle = (dwStyle & WS_CHILD) ? 0 : WS_EX_TOOLWINDOW;
    return CreateEx(dwExStyle, lpszClass, L"", dwStyle, rc.left, rc.top, rc.Width(), rc.Height(), hWndParent, nullptr);
}

void CCellBar::AddCell(CColorCell* pCell, int nIndex)
{
    if (nIndex < 0 || nIndex > GetCellCount())
        nIndex = GetCellCount();
    m_cells.insert(m_cells.begin() + nIndex, pCell);
    pCell->SetParent(this);
    m_nSelected = -1;
    Redraw(nullptr, FALSE);
}

BOOL CCellBar::DetachCell(CColorCell* pCell)
{
    const int nIndex = FindCell(pCell);
    if (nIndex == -1)
        return FALSE;
    m_cells.erase(m_cells.begin() + nIndex);
    pCell->SetParent(nullptr);
    m_nSelected = -1;
    Redraw(nullptr, FALSE);
    return TRUE;
}

int CCellBar::FindCell(const CColorCell* pCell) const
{
    for (int i = 0; i < GetCellCount(); ++i) {
        if (m_cells[i] == pCell)
            return i;
    }
    return -1;
}

CRect CCellBar::GetCellRect(int nIndex) const
{
    const int nLeft = kGap + nIndex * (kCellWidth + kGap);
    return CRect(nLeft, kGap, nLeft + kCellWidth, kGap + kCellHeight);
}

int CCellBar::HitTestCell(CPoint ptClient) const
{
    for (int i = 0; i < GetCellCount(); ++i) {
        if (GetCellRect(i).PtInRect(ptClient))
            return i;
    }
    return -1;
}

BOOL CCellBar::SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    const int nOldMode = m_nMode;
    const BOOL bChanged = CQorCommandBar::SetTrackingMode(nMode, bSelectFirst, bKeyboard);
    if (bChanged && nOldMode != 0 && nMode == 0 && m_pEndLog)
        m_pEndLog->push_back(this);
    return bChanged;
}

BOOL CCellBar::SetSelected(int nSelected, int)
{
    // The cells are not the bar's controls: the bar keeps its hot cell itself.
    const int nOld = m_nSelected;
    if (nSelected == nOld || !m_hWnd || nSelected < -1 || nSelected >= GetCellCount())
        return FALSE;
    m_nSelected = nSelected;
    if (nSelected != -1)
        GetMouseManager()->SetHoverBar(this);
    if (nOld >= 0 && nOld < GetCellCount())
        Redraw(GetCellRect(nOld), TRUE);
    if (nSelected >= 0 && nSelected < GetCellCount())
        Redraw(GetCellRect(nSelected), TRUE);
    return TRUE;
}

BOOL CCellBar::IsVisible() const
{
    return m_hWnd && ::IsWindowVisible(m_hWnd);
}

BOOL CCellBar::CustomizeDragEnter(CQorControl* pDataObject, CPoint point)
{
    m_nDragEnters++;
    return m_bAcceptDrops && CQorCommandBar::CustomizeDragEnter(pDataObject, point);
}

void CCellBar::CustomizeDragLeave()
{
    m_nDragLeaves++;
    CQorCommandBar::CustomizeDragLeave();
}

void CCellBar::CustomizeDrop(CQorControl* pDataObject, DROPEFFECT dropEffect, CPoint ptDrop, CPoint)
{
    m_nDrops++;
    m_lastDropEffect = dropEffect;
    CColorCell* pCell = dynamic_cast<CColorCell*>(pDataObject);
    if (!pCell)
        return;
    const int nIndex = HitTestCell(ptDrop);
    if (dropEffect == DROPEFFECT_MOVE) {
        CCellBar* pSource = dynamic_cast<CCellBar*>(pCell->GetParent());
        if (pSource == this && nIndex == FindCell(pCell))
            return;
        if (pSource)
            pSource->DetachCell(pCell);
        else
            pCell->InternalAddRef();
        AddCell(pCell, nIndex);
    } else if (dropEffect == DROPEFFECT_COPY) {
        AddCell(new CColorCell(pCell->m_clr), nIndex);
    }
}

void CCellBar::DrawCommandBar(CDC* pDC, CRect rcClipBox)
{
    pDC->FillSolidRect(rcClipBox, kBackground);
    for (int i = 0; i < GetCellCount(); ++i)
        pDC->FillSolidRect(GetCellRect(i), i == m_nSelected ? m_clrHot : m_cells[i]->m_clr);
}

void CCellBar::OnMouseMove(UINT, CPoint point)
{
    m_nMouseMoves++;
    CQorMouseManager* pMouseManager = GetMouseManager();
    if (pMouseManager->IsOtherBarTracking(this))
        return;
    const int nHit = HitTestCell(point);
    if (nHit != -1)
        pMouseManager->TrackMouseLeave(m_hWnd);
    SetSelected(nHit, 0);
}

void CCellBar::OnLButtonDown(UINT, CPoint point)
{
    const int nHit = HitTestCell(point);
    if (nHit == -1 || !m_pDropSource)
        return;
    CColorCell* pCell = m_cells[nHit];
    pCell->InternalAddRef();
    m_lastDragResult = m_pDropSource->DoDragDrop(pCell, FALSE);
    // Dropped on no bar: the cell goes.
    if (m_lastDragResult == DROPEFFECT_NONE && DetachCell(pCell))
        pCell->InternalRelease();
    pCell->InternalRelease();
}
