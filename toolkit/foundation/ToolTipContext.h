// Tool tips for any toolkit window. The owner keeps a CQorToolTipContext and hands it its
// mouse messages from PreTranslateMessage; the context asks the owner's OnToolHitTest which
// tool lies under the cursor and drives one tip window of the chosen style.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "platform/framework/CmdTarget.h"
#include "platform/framework/Gdi.h"
#include "platform/framework/Wnd.h"

class CQorImageManager;

// Tip styles made by CQorToolTipContext::CreateToolTip.
enum {
    qorToolTipStandard = 0, // the common-controls tool-tip control (also 1 and unknown values)
    qorToolTipStandardBalloon = 1,
    qorToolTipFlat = 2, // the toolkit's own tip window
    qorToolTipRichText = 3,
    qorToolTipLuna = 4,
    qorToolTipOffice2007 = 5,
    qorToolTipHtml = 6,
};

// Flag of a hit test's tool-info: show the tip at once, whatever the foreground.
#define QOR_TTF_SHOWNOW 0x40000000

class CQorToolTipContext : public CCmdTarget
{
public:
    CQorToolTipContext();
    ~CQorToolTipContext() override;

    // Entry from the owner's PreTranslateMessage. Unless bRelayed, the message must come from
    // the owner or a child of it that no other frame holds.
    void FilterToolTipMessage(CWnd* pWndOwner, const MSG* pMsg, BOOL bRelayed = FALSE);
    // The style factory; the window is created by the caller.
    virtual CWnd* CreateToolTip(CWnd* pWndOwner);

    CWnd* GetToolTip() const { return m_pToolTip; }
    // Destroys the tip window (the next message makes a new one).
    void DestroyToolTip();

    BOOL m_bShowTitle = FALSE;
    // With images shown, a tool shows the icon of its id plus the base from the image manager
    // (none without a manager or without an icon of that id).
    BOOL m_bShowImage = FALSE;
    CQorImageManager* m_pImageManager = nullptr;
    int m_nImageBase = 0;
    int m_nStyle = qorToolTipStandard;
    int m_nComCtlVersion;
    int m_nTitleIcon = TTI_INFO;
    int m_nMaxTipWidth;              // -1: the screen width
    int m_nStyleBits = TTS_NOPREFIX; // or'd with TTS_ALWAYSTIP | TTS_NOPREFIX at creation
    CRect m_rcMargin;
    int m_nInitialDelay = -1; // -1: the tip window's own value
    int m_nReshowDelay = -1;
    int m_nAutoPopDelay = -1;
    COLORREF m_clrBack = static_cast<COLORREF>(-1);
    COLORREF m_clrText = static_cast<COLORREF>(-1);
    CFont m_fntNormal;
    CFont m_fntBold;

protected:
    void SetUpNewTip();
    BOOL IsFromOwner(CWnd* pWndOwner, HWND hWndMessage) const;
    void OnToolChanged(const TOOLINFOW& ti, const CString& strBody, const CString& strTitle);
    void SetToolImage(UINT_PTR nToolId);
    static void FreeToolInfoTexts(TOOLINFOW& ti);

    CWnd* m_pToolTip = nullptr;
    HWND m_hWndTopOwner = nullptr;
    TOOLINFOW m_lastInfo;
};

// Fills a hit test's tool-info (only when its size field is at least the first version's)
// with the window, id, rectangle and a heap copy (malloc) of the text, which the context frees.
void FillToolInfo(HWND hWnd, LPCTSTR lpszText, TOOLINFOW* pTI, int nLeft, int nTop, int nRight, int nBottom,
                  UINT_PTR nId);
