// The start-up picture: the executable's "SPLASH" bitmap, centred on the work area of the
// screen for 1.5 s over the main window. At most one exists; it deletes itself when its window goes.
#pragma once

#include "platform/framework/Gdi.h"
#include "platform/framework/Wnd.h"

class CSplashWnd : public CWnd
{
public:
    enum { kTimerId = 1, kShowMilliseconds = 1500 };

    // Shows the splash over `parent` when splash display is on and none shows yet.
    static void ShowSplashScreen(CWnd* parent);
    static void EnableSplashScreen(BOOL bEnable) { c_bShowSplash = bEnable; }
    // The splash that shows now; null when none.
    static CSplashWnd* GetCurrent() { return c_pSplashWnd; }

    ~CSplashWnd() override;

protected:
    CSplashWnd() = default;
    BOOL Create(CWnd* parent);
    void PostNcDestroy() override;
    void CenterOnWorkArea();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);

    DECLARE_MESSAGE_MAP()

private:
    CBitmap m_bitmap;

    static BOOL c_bShowSplash;
    static CSplashWnd* c_pSplashWnd;
};
