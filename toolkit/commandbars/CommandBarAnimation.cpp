#include "toolkit/commandbars/CommandBarAnimation.h"

#include <string.h>

#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/PaintManager.h"
#include "toolkit/foundation/DrawHelpers.h"

namespace {

// A 32-bit DIB section attached to bmp; its bits, or null when it could not be made. Both
// looks of a fade and their blend share the layout, so the order of rows does not matter.
BYTE* CreateDib(CBitmap& bmp, int cx, int cy)
{
    void* pBits = nullptr;
    HBITMAP hBitmap = CreateDIB32(nullptr, cx, cy, &pBits);
    if (!hBitmap)
        return nullptr;
    bmp.Attach(hBitmap);
    return static_cast<BYTE*>(pBits);
}

// Copies a rectangle of one bitmap to the origin of another.
void CopyBits(CBitmap& bmpTo, CPoint ptTo, CBitmap& bmpFrom, const CRect& rcFrom)
{
    CQorCompatibleDC dcFrom(nullptr, &bmpFrom);
    CQorCompatibleDC dcTo(nullptr, &bmpTo);
    dcTo.BitBlt(ptTo.x, ptTo.y, rcFrom.Width(), rcFrom.Height(), &dcFrom, rcFrom.left, rcFrom.top, SRCCOPY);
}

} // namespace

CQorCommandBarAnimation::CAnimateInfo::CAnimateInfo(const CRect& rc)
    : m_pOldBits(nullptr), m_pNewBits(nullptr), m_rc(rc), m_nStep(1)
{
    m_pOldBits = CreateDib(m_bmpOld, rc.Width(), rc.Height());
    m_pNewBits = CreateDib(m_bmpNew, rc.Width(), rc.Height());
}

CQorCommandBarAnimation::CAnimateInfo::~CAnimateInfo() = default;

BOOL CQorCommandBarAnimation::CAnimateInfo::IsSame() const
{
    ::GdiFlush();
    return memcmp(m_pOldBits, m_pNewBits, GetByteCount()) == 0;
}

CQorCommandBarAnimation::CQorCommandBarAnimation(CQorCommandBar* pCommandBar)
    : m_bAnimation(FALSE), m_pCommandBar(pCommandBar), m_bTimerRunning(FALSE), m_bDirty(FALSE)
{}

CQorCommandBarAnimation::~CQorCommandBarAnimation()
{
    RemoveAll();
}

BOOL CQorCommandBarAnimation::IsAnimationEnabled() const
{
    if (m_pCommandBar->m_bAnimation || m_bAnimation)
        return TRUE;
    CQorPaintManager* pPaintManager = m_pCommandBar->GetPaintManager();
    return pPaintManager && pPaintManager->m_bEnableAnimation;
}

CRect CQorCommandBarAnimation::GetClientRect() const
{
    CRect rc(0, 0, 0, 0);
    if (m_pCommandBar->GetSafeHwnd())
        m_pCommandBar->GetClientRect(&rc);
    return rc;
}

void CQorCommandBarAnimation::DropCache()
{
    m_bmpCache.DeleteObject();
}

BOOL CQorCommandBarAnimation::DrawFreshImage(CBitmap& bmp, const CRect& rc)
{
    const CRect rcClient = GetClientRect();
    CClientDC dcScreen(nullptr);
    if (!bmp.CreateCompatibleBitmap(&dcScreen, rcClient.Width(), rcClient.Height()))
        return FALSE;
    CQorCompatibleDC dc(&dcScreen, &bmp);
    dc.IntersectClipRect(&rc);
    m_pCommandBar->DrawCommandBar(&dc, rc);
    return TRUE;
}

void CQorCommandBarAnimation::RemoveFades(const CRect& rc)
{
    for (INT_PTR i = m_arrAnimation.GetSize() - 1; i >= 0; --i) {
        if (m_arrAnimation[i]->m_rc == rc) {
            delete m_arrAnimation[i];
            m_arrAnimation.RemoveAt(i);
        }
    }
}

void CQorCommandBarAnimation::Redraw(LPCRECT lpRect, BOOL bAnimate)
{
    if (!lpRect || !m_pCommandBar->GetSafeHwnd() || !HasCache() || !IsAnimationEnabled()) {
        if (!lpRect)
            DropCache();
        m_bDirty = TRUE;
        if (m_pCommandBar->GetSafeHwnd())
            m_pCommandBar->InvalidateRect(lpRect, FALSE);
        return;
    }
    CRect rc;
    rc.IntersectRect(lpRect, GetClientRect());
    if (rc.IsRectEmpty())
        return;
    CBitmap bmpFresh;
    if (!DrawFreshImage(bmpFresh, rc))
        return;

    if (bAnimate) {
        CAnimateInfo* pInfo = new CAnimateInfo(rc);
        if (!pInfo->IsValid()) {
            delete pInfo;
            return;
        }
        CopyBits(pInfo->m_bmpOld, CPoint(0, 0), m_bmpCache, rc);
        CopyBits(pInfo->m_bmpNew, CPoint(0, 0), bmpFresh, rc);
        CopyBits(m_bmpCache, rc.TopLeft(), bmpFresh, rc);
        if (pInfo->IsSame()) {
            delete pInfo;
            return;
        }
        RemoveFades(rc);
        m_arrAnimation.Add(pInfo);
        StartTimer();
        CClientDC dc(m_pCommandBar);
        ShowStep(&dc, pInfo);
        return;
    }

    // Drawn at once: running fades of the same rectangle end, and overlapping ones keep off it.
    RemoveFades(rc);
    for (INT_PTR i = 0; i < m_arrAnimation.GetSize(); ++i) {
        CRect rcOverlap;
        if (rcOverlap.IntersectRect(&m_arrAnimation[i]->m_rc, &rc))
            m_arrAnimation[i]->m_arrExclude.Add(rc);
    }
    CopyBits(m_bmpCache, rc.TopLeft(), bmpFresh, rc);
    CClientDC dc(m_pCommandBar);
    CQorCompatibleDC dcCache(&dc, &m_bmpCache);
    dc.BitBlt(rc.left, rc.top, rc.Width(), rc.Height(), &dcCache, rc.left, rc.top, SRCCOPY);
}

void CQorCommandBarAnimation::OnPaint(CPaintDC& paintDC)
{
    const CRect rcClient = GetClientRect();
    if (HasCache()) {
        BITMAP bm = {};
        m_bmpCache.GetBitmap(&bm);
        if (bm.bmWidth != rcClient.Width() || bm.bmHeight != rcClient.Height()) {
            // A new size repaints everything: the part of the bar that is only uncovered is
            // not all that changed.
            DropCache();
            m_pCommandBar->InvalidateRect(nullptr, FALSE);
        }
    }
    if (!IsAnimationEnabled()) {
        DropCache();
        {
            CQorBufferDC dc(paintDC);
            m_pCommandBar->DrawCommandBar(&dc, CRect(paintDC.m_ps.rcPaint));
        }
        RemoveAll();
    } else if (m_bDirty || !HasCache()) {
        CRect rcPaint(paintDC.m_ps.rcPaint);
        if (!HasCache()) {
            if (!m_bmpCache.CreateCompatibleBitmap(&paintDC, rcClient.Width(), rcClient.Height()))
                return;
            rcPaint = rcClient;
        }
        {
            CQorCompatibleDC dc(&paintDC, &m_bmpCache);
            dc.IntersectClipRect(&rcPaint);
            m_pCommandBar->DrawCommandBar(&dc, rcPaint);
            paintDC.BitBlt(rcPaint.left, rcPaint.top, rcPaint.Width(), rcPaint.Height(), &dc, rcPaint.left, rcPaint.top,
                           SRCCOPY);
        }
        RemoveAll();
    } else {
        CQorCompatibleDC dc(&paintDC, &m_bmpCache);
        paintDC.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dc, 0, 0, SRCCOPY);
    }
    m_bDirty = FALSE;
}

void CQorCommandBarAnimation::ShowStep(CDC* pDC, CAnimateInfo* pInfo)
{
    const CRect& rc = pInfo->m_rc;
    const int nSaved = pDC->SaveDC();
    for (INT_PTR i = 0; i < pInfo->m_arrExclude.GetSize(); ++i)
        pDC->ExcludeClipRect(&pInfo->m_arrExclude[i]);
    if (pInfo->m_nStep >= kSteps) {
        CQorCompatibleDC dcNew(pDC, &pInfo->m_bmpNew);
        pDC->BitBlt(rc.left, rc.top, rc.Width(), rc.Height(), &dcNew, 0, 0, SRCCOPY);
    } else {
        CBitmap bmpBlend;
        BYTE* pBlend = CreateDib(bmpBlend, rc.Width(), rc.Height());
        if (pBlend) {
            ::GdiFlush();
            const int nAlpha = pInfo->m_nStep * 255 / kSteps;
            const size_t nBytes = pInfo->GetByteCount();
            for (size_t i = 0; i < nBytes; ++i)
                pBlend[i] =
                    static_cast<BYTE>((pInfo->m_pNewBits[i] * nAlpha + pInfo->m_pOldBits[i] * (255 - nAlpha)) >> 8);
            CQorCompatibleDC dcBlend(pDC, &bmpBlend);
            pDC->BitBlt(rc.left, rc.top, rc.Width(), rc.Height(), &dcBlend, 0, 0, SRCCOPY);
        }
    }
    pDC->RestoreDC(nSaved);
    pInfo->m_nStep++;
}

void CQorCommandBarAnimation::OnAnimationTimer()
{
    if (m_pCommandBar->GetSafeHwnd()) {
        CClientDC dc(m_pCommandBar);
        for (INT_PTR i = 0; i < m_arrAnimation.GetSize(); ++i)
            ShowStep(&dc, m_arrAnimation[i]);
    }
    for (INT_PTR i = m_arrAnimation.GetSize() - 1; i >= 0; --i) {
        if (m_arrAnimation[i]->m_nStep > kSteps || !m_pCommandBar->GetSafeHwnd()) {
            delete m_arrAnimation[i];
            m_arrAnimation.RemoveAt(i);
        }
    }
    if (m_arrAnimation.IsEmpty())
        StopTimer();
}

void CQorCommandBarAnimation::RemoveAll()
{
    for (INT_PTR i = 0; i < m_arrAnimation.GetSize(); ++i)
        delete m_arrAnimation[i];
    m_arrAnimation.RemoveAll();
    StopTimer();
}

void CQorCommandBarAnimation::StartTimer()
{
    if (m_bTimerRunning)
        return;
    m_pCommandBar->SetTimer(kTimerId, kStepMilliseconds, nullptr);
    m_bTimerRunning = TRUE;
}

void CQorCommandBarAnimation::StopTimer()
{
    if (!m_bTimerRunning)
        return;
    if (m_pCommandBar->GetSafeHwnd())
        m_pCommandBar->KillTimer(kTimerId);
    m_bTimerRunning = FALSE;
}
