// The layout pass of docked bars: the sizes of its controls and its measuring DC.
#include "toolkit/commandbars/BarLayoutPass.h"

#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/Control.h"

namespace {

// The outermost pass open on this thread.
thread_local CQorBarLayoutPass* t_pActivePass = nullptr;

} // namespace

CQorBarLayoutPass::CQorBarLayoutPass() : m_pOuter(t_pActivePass)
{
    if (!m_pOuter)
        t_pActivePass = this;
}

CQorBarLayoutPass::~CQorBarLayoutPass()
{
    if (!m_pOuter)
        t_pActivePass = nullptr;
}

CDC* CQorBarLayoutPass::GetMeasureDC(CFont* pFont)
{
    if (m_pOuter)
        return m_pOuter->GetMeasureDC(pFont);
    if (!m_bTriedDC) {
        m_bTriedDC = TRUE;
        m_dcMeasure.CreateCompatibleDC(nullptr);
    }
    const HDC hDC = m_dcMeasure.GetSafeHdc();
    if (!hDC)
        return nullptr;
    // The DC dies with the pass, so the font it held need not go back.
    const HGDIOBJ hFont = pFont ? pFont->GetSafeHandle() : nullptr;
    if (hFont && ::GetCurrentObject(hDC, OBJ_FONT) != hFont)
        ::SelectObject(hDC, hFont);
    return &m_dcMeasure;
}

CSize CQorBarLayoutPass::MeasureControl(CQorControl* pControl, CDC* pDC)
{
    CQorBarLayoutPass* pPass = t_pActivePass;
    if (!pPass)
        return pControl->GetSize(pDC);
    CQorCommandBar* pBar = pControl->GetParent();
    const int nPosition = pBar ? pBar->GetPosition() : -1;
    auto it = pPass->m_sizes.find(pControl);
    if (it != pPass->m_sizes.end() && it->second.nPosition == nPosition)
        return it->second.size;
    const CSize size = pControl->GetSize(pDC);
    pPass->m_sizes[pControl] = {nPosition, size};
    return size;
}

void CQorBarLayoutPass::ForgetControl(const CQorControl* pControl)
{
    if (t_pActivePass)
        t_pActivePass->m_sizes.erase(pControl);
}
