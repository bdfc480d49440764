// Painting of one bar through a cached image of its client area: a repaint is one blit, and a
// changed rectangle (a control turning hot, pressed or normal) cross-fades from its old look to
// its new one in six steps of a 50 ms timer.
#pragma once

#include <windows.h>

#include "platform/framework/Collections.h"
#include "platform/framework/Gdi.h"
#include "platform/framework/Geometry.h"

class CQorCommandBar;

class CQorCommandBarAnimation
{
public:
    // One running fade of a rectangle: both looks as 32-bit DIB sections of the
    // rectangle's size, the next step (1-6) and the rectangles later drawn over it unanimated,
    // which its steps leave alone.
    class CAnimateInfo
    {
    public:
        explicit CAnimateInfo(const CRect& rc);
        ~CAnimateInfo();
        CAnimateInfo(const CAnimateInfo&) = delete;
        CAnimateInfo& operator=(const CAnimateInfo&) = delete;

        BOOL IsValid() const { return m_pOldBits && m_pNewBits; }
        // Both looks are byte for byte the same.
        BOOL IsSame() const;
        size_t GetByteCount() const { return static_cast<size_t>(m_rc.Width()) * m_rc.Height() * 4; }

        CBitmap m_bmpOld;
        BYTE* m_pOldBits;
        CBitmap m_bmpNew;
        BYTE* m_pNewBits;
        CRect m_rc;
        int m_nStep;
        CArray<CRect, const CRect&> m_arrExclude;
    };

    enum : UINT_PTR { kTimerId = 707907 };
    enum { kSteps = 6, kStepMilliseconds = 50 };

    explicit CQorCommandBarAnimation(CQorCommandBar* pCommandBar);
    virtual ~CQorCommandBarAnimation();
    CQorCommandBarAnimation(const CQorCommandBarAnimation&) = delete;
    CQorCommandBarAnimation& operator=(const CQorCommandBarAnimation&) = delete;

    // Redraws a rectangle of the bar (null: all of it), cross-faded when bAnimate is set.
    void Redraw(LPCRECT lpRect, BOOL bAnimate);
    // WM_PAINT of the bar.
    void OnPaint(CPaintDC& paintDC);
    // One step of every running fade (the bar's timer kTimerId).
    void OnAnimationTimer();
    // Frees every fade and stops the timer.
    void RemoveAll();
    // Forgets the cached image; the next paint draws the bar anew.
    void DropCache();

    // The bar's EnableAnimation, this object's own flag or the paint manager's option.
    BOOL IsAnimationEnabled() const;
    int GetFadeCount() const { return static_cast<int>(m_arrAnimation.GetSize()); }
    BOOL IsTimerRunning() const { return m_bTimerRunning; }
    BOOL HasCache() const { return m_bmpCache.GetSafeHandle() != nullptr; }

    BOOL m_bAnimation; // set by the bar for one kind of repaint (e.g. a popup showing)

private:
    CRect GetClientRect() const;
    // Draws the bar clipped to rc into a new client-size bitmap.
    BOOL DrawFreshImage(CBitmap& bmp, const CRect& rc);
    // Removes the fades of exactly this rectangle.
    void RemoveFades(const CRect& rc);
    void ShowStep(CDC* pDC, CAnimateInfo* pInfo);
    void StartTimer();
    void StopTimer();

    CQorCommandBar* m_pCommandBar;
    CBitmap m_bmpCache;
    BOOL m_bTimerRunning;
    BOOL m_bDirty;
    CArray<CAnimateInfo*, CAnimateInfo*> m_arrAnimation;
};
