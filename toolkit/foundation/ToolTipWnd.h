// The toolkit's own tip window: it understands the subset of the common tool-tip control's
// messages that the tool-tip context sends, so one relay serves it and the standard control.
// It shows a tool after 500 ms, the next one at once within 200 ms of the last change, keeps
// itself inside the work area, and hides when the mouse leaves every tool. Styles derive from
// it and replace the measuring, the drawing or the background.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "platform/framework/Collections.h"
#include "platform/framework/Gdi.h"
#include "platform/framework/Wnd.h"

class CQorImageManager;
class CQorImageManagerIcon;
class CQorToolTipContext;

// Private messages of the tip windows.
enum {
    // Sent to a window under the cursor: a child that answers 1 stands for its parent.
    WM_QOR_TIP_IS_TRANSPARENT_CHILD = 0x2A48,
    // Sets the image drawn in the tip (lParam: CQorImageManagerIcon*, or null). The icon stays
    // the image manager's, which may free it (a refresh drops made-to-measure icons and
    // image-list wrappers): the tip keeps its manager, id and width and looks it up again.
    WM_QOR_TIP_SET_IMAGE = 0x2A49,
};

// Extra record of a tool-info of the second size, carried in its lParam: the hit test may
// give a body text, a title and a placement rectangle (the tip sits below its bottom edge).
struct QOR_TOOLINFO_EXTRA
{
    LPTSTR lpszBody;  // heap text (malloc) or null
    LPTSTR lpszTitle; // heap text (malloc) or null
    void* pObject;
    RECT rcPlacement;
};

// The window under a screen point, a transparent child replaced by its parent. Only this
// process's windows are asked: elsewhere the message means something else, and a hung
// process would block the tip.
HWND QorTipWindowFromPoint(POINT pt);

class CQorToolTipContextToolTip : public CWnd
{
public:
    struct CTool
    {
        HWND hWnd = nullptr;
        UINT_PTR uId = 0;
        UINT uFlags = 0;
        CRect rect;
        CRect rcPlacement;
        CString strText;
        BOOL bTextCallback = FALSE;
    };

    explicit CQorToolTipContextToolTip(CQorToolTipContext* pContext);
    ~CQorToolTipContextToolTip() override;

    // Creates the popup for the owner's top-level window.
    BOOL CreateTip(HWND hWndOwner, DWORD dwStyle);

    // Size of the tip for a tool; 0 x 0: nothing to show.
    virtual CSize MeasureTip(CTool* pTool);
    virtual void DrawTip(CDC* pDC, CTool* pTool, CRect rcClient);
    virtual void DrawBackground(CDC* pDC, CTool* pTool, CRect rcClient);
    virtual void OnTipShown(BOOL /*bShown*/) {}

    // The tool's text; a callback text is asked for once (TTN_NEEDTEXTW) and kept.
    CString GetToolText(CTool* pTool);

    CTool* GetShownTool() const { return m_pShown; }
    CTool* GetTool(INT_PTR nIndex) const
    {
        return nIndex >= 0 && nIndex < m_arrTools.GetSize() ? m_arrTools[nIndex] : nullptr;
    }
    BOOL IsTipActive() const { return m_bActive; }
    const CString& GetTitle() const { return m_strTitle; }
    // The tip's image, looked up afresh; null without one.
    CQorImageManagerIcon* GetImage() const;
    CSize GetImageSize() const; // 0 x 0 without an image
    int GetMaxTipWidth() const { return m_nMaxWidth; }
    CRect GetMargins() const { return m_rcMargin; }
    COLORREF GetBackColor() const; // the context's, else the info background colour
    COLORREF GetTextColor() const; // the context's, else the style's default
    CQorToolTipContext* GetContext() const { return m_pContext; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The width and height a tool's text, title and image take (shared by the layouts).
    static UINT TextFormat(const CTool* pTool);

protected:
    void AddTool(const TOOLINFOW* pInfo);
    void DeleteTool(const TOOLINFOW* pInfo);
    CTool* FindTool(HWND hWnd, UINT_PTR uId) const;
    void Activate(BOOL bActive);
    void RelayEvent(const MSG* pMsg);
    CTool* ToolFromCursor() const;
    void ShowTool(CTool* pTool);
    void HideTip();
    CPoint PlaceTip(CTool* pTool, CSize sz) const;
    void OnPaintTip();
    void InstallMouseHook();
    void RemoveMouseHook();
    static LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);

    CArray<CTool*, CTool*> m_arrTools;
    CQorToolTipContext* m_pContext;
    CString m_strTitle;
    CQorImageManager* m_pImageManager = nullptr; // null: no image
    UINT m_nImageId = 0;
    int m_nImageWidth = 0;
    CTool* m_pShown = nullptr;
    CTool* m_pPressed = nullptr;
    CTool* m_pPending = nullptr;
    UINT_PTR m_nTimer = 0;
    DWORD m_dwLastChange = 0;
    BOOL m_bChangedOnce = FALSE;
    int m_nInitialDelay = 500;
    int m_nReshowDelay = 200;
    BOOL m_bActive = FALSE;
    int m_nMaxWidth = -1;
    CRect m_rcMargin;
    HFONT m_hFont = nullptr;
};

// The height of the current cursor (21 when it cannot be read).
int QorGetCursorHeight();
