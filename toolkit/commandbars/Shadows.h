// Drop shadows of open popups. A shadow is two strip windows beside the owner bar's right and
// bottom edges: semi-transparent layered windows when the system can blend them, else opaque
// windows of a solid colour shaped by a region. The strips follow their owner through a hook on
// its window: they hide and show with it, move with it and go when it is destroyed.
#pragma once

#include <windows.h>

#include "platform/framework/Collections.h"
#include "platform/framework/Geometry.h"
#include "platform/framework/Wnd.h"
#include "toolkit/foundation/HookManager.h"

class CDC;
class CQorCommandBar;
class CQorControl;

// The paint manager's shadow option bits (CQorPaintManager::m_nShadowOptions).
enum QorShadowOption {
    // The look's own shadow: made whatever the system setting and display, in the lighter ramp.
    qorShadowTheme = 0x01,
    // The parent control and the other shadows are cut out of each new strip.
    qorShadowCutOut = 0x02,
};

class CQorShadowsManager
{
public:
    // One strip: the one under the owner (horizontal) or the one on its right.
    class CShadowWnd : public CWnd, public CQorHookManagerHookAble
    {
    public:
        CShadowWnd(CQorCommandBar* pOwner, BOOL bHorizontal, BOOL bControlShadow, int nOptions, COLORREF clrShadow);
        ~CShadowWnd() override;

        // Makes the window at a screen rectangle (owned by hWndOwner); it stays hidden.
        BOOL Create(const CRect& rcStrip, HWND hWndOwner, BOOL bLayered, UINT nClassStyle);
        // Cuts the rectangles (screen coordinates) out of the strip with a window region.
        void CutOut(const CArray<CRect, const CRect&>& arrCuts);
        // Moves the edges of the strip; the region goes, as it was cut for the old place.
        void MoveEdges(int dLeft, int dTop, int dRight, int dBottom);

        CQorCommandBar* GetOwner() const { return m_pOwner; }
        BOOL IsHorizontal() const { return m_bHorizontal; }
        BOOL IsClipped() const { return m_bClipped; }
        BOOL IsControlShadow() const { return m_bControlShadow; }
        int GetOptions() const { return m_nOptions; }

        // The owner's window: shown, hidden, moved, destroyed.
        int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

    protected:
        // The image of a layered strip for its present size.
        void UpdateLayeredImage();
        void FollowOwnerPosition(HWND hWndOwner, const WINDOWPOS& wp);

        afx_msg void OnSize(UINT nType, int cx, int cy);
        afx_msg BOOL OnEraseBkgnd(CDC* pDC);
        afx_msg void OnPaint();
        afx_msg LRESULT OnNcHitTest(CPoint point);
        afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT nMessage);
        DECLARE_MESSAGE_MAP()

        BOOL m_bHorizontal;
        BOOL m_bClipped;
        BOOL m_bControlShadow;
        BOOL m_bLayered;
        int m_nOptions;
        COLORREF m_clrShadow; // the paint manager's; unset means black
        CQorCommandBar* m_pOwner;
        CRect m_rcOwner; // the owner's window when the strip last followed it
        CSize m_szImage; // the size the layered image was made for
    };

    typedef CList<CShadowWnd*, CShadowWnd*> CShadowList;
    typedef BOOL(WINAPI* UpdateLayeredWindowFn)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);

    CQorShadowsManager();
    ~CQorShadowsManager();
    CQorShadowsManager(const CQorShadowsManager&) = delete;
    CQorShadowsManager& operator=(const CQorShadowsManager&) = delete;

    // Shadows a bar's window (screen rectangle rcExclude: the parent control, cut out with 0x02).
    void CreateShadow(CQorCommandBar* pBar, const CRect& rcExclude);
    // Shadows a control whose popup is open, for its popup bar; only for looks with 0x01 and 0x02.
    void SetControlShadow(CQorControl* pControl);
    // Removes every strip of the bar.
    void RemoveShadows(CQorCommandBar* pBar);
    // The bar grew by dx and dy: its strips move along (control shadows stay).
    void OffsetShadows(CQorCommandBar* pBar, int dx, int dy);
    // Removes one strip: unhooked, hidden, out of the list, destroyed and freed.
    void RemoveShadow(CShadowWnd* pShadow);

    // Per-pixel alpha strips; otherwise opaque region strips.
    BOOL IsLayered() const { return m_bLayered; }
    // Strip thickness: 4 layered, 2 opaque.
    int GetShadowSize() const { return m_bLayered ? 4 : 2; }
    const CShadowList& GetShadows() const { return m_lstShadows; }

    // Seams; tests replace them. Null when the system has no UpdateLayeredWindow.
    UpdateLayeredWindowFn m_pfnUpdateLayeredWindow;
    BOOL m_bLayered;
    // The system's drop-shadow setting (SPI_GETDROPSHADOW).
    BOOL (*m_pfnIsDropShadowEnabled)();

private:
    // One strip beside rcOwner, joined to its neighbours and cut as the options ask.
    void AddStrip(CQorCommandBar* pBar, const CRect& rcOwner, const CRect& rcExclude, BOOL bHorizontal,
                  BOOL bControlShadow, int nOptions, COLORREF clrShadow);
    // Moves the start (or end) of a new strip over the end of a touching strip of the same kind.
    void JoinNeighbours(CRect& rcStrip, BOOL bHorizontal) const;
    static BOOL IsInCustomizeMode(CQorCommandBar* pBar);

    CShadowList m_lstShadows;
};

// The process's shadows manager, made on first use and destroyed at exit.
CQorShadowsManager* GetShadowsManager();

// The premultiplied image of a layered strip, cx by cy pixels, rows top-down (0xAARRGGBB).
// Alpha rises towards the owner in four steps; the 4 x 4 squares at both ends fade along the
// strip too. Every channel stays at or below its pixel's alpha.
void QorFillShadowImage(DWORD* pPixels, int cx, int cy, BOOL bHorizontal, int nOptions, COLORREF clrShadow);
