// Rich text drawn and measured without a window, through the windowless text services of
// RICHED20.dll (loaded at run time). Without the library every operation does nothing.
#pragma once
#include "platform/framework/CmdTarget.h"
#include "platform/framework/ComSupport.h"
#include "platform/framework/Gdi.h"
#include "platform/framework/Geometry.h"
#include <richedit.h>
#include <textserv.h>

class CQorRichRender : public CCmdTarget
{
public:
    CQorRichRender();
    // Test seam: loads the named library instead of RICHED20.dll.
    explicit CQorRichRender(LPCSTR lpszLibrary);
    ~CQorRichRender() override;

    BOOL IsAvailable() const { return m_pTextServices != nullptr; }
    ITextServices* GetTextServices() const { return m_pTextServices; }

    void SetDefaultCharFormat(const CHARFORMATW& cf);
    // RTF or plain text; null or empty clears. Returns the number of characters read.
    LRESULT SetText(LPCTSTR lpszText);
    // The size of the text laid out no wider than nMaxWidth: the narrowest width that keeps
    // the height it has at nMaxWidth.
    CSize GetTextExtent(CDC* pDC, int nMaxWidth);
    // Draws the text into a rectangle of the device context.
    void DrawText(CDC* pDC, const CRect& rc);

protected:
    // clang-format off
    BEGIN_INTERFACE_PART(TextHost, ITextHost)
        HDC TxGetDC() override;
        INT TxReleaseDC(HDC hdc) override;
        WINBOOL TxShowScrollBar(INT fnBar, WINBOOL fShow) override;
        WINBOOL TxEnableScrollBar(INT fuSBFlags, INT fuArrowflags) override;
        WINBOOL TxSetScrollRange(INT fnBar, LONG nMinPos, INT nMaxPos, WINBOOL fRedraw) override;
        WINBOOL TxSetScrollPos(INT fnBar, INT nPos, WINBOOL fRedraw) override;
        void TxInvalidateRect(LPCRECT prc, WINBOOL fMode) override;
        void TxViewChange(WINBOOL fUpdate) override;
        WINBOOL TxCreateCaret(HBITMAP hbmp, INT xWidth, INT yHeight) override;
        WINBOOL TxShowCaret(WINBOOL fShow) override;
        WINBOOL TxSetCaretPos(INT x, INT y) override;
        WINBOOL TxSetTimer(UINT idTimer, UINT uTimeout) override;
        void TxKillTimer(UINT idTimer) override;
        void TxScrollWindowEx(INT dx, INT dy, LPCRECT lprcScroll, LPCRECT lprcClip, HRGN hrgnUpdate, LPRECT lprcUpdate,
                              UINT fuScroll) override;
        void TxSetCapture(WINBOOL fCapture) override;
        void TxSetFocus() override;
        void TxSetCursor(HCURSOR hcur, WINBOOL fText) override;
        WINBOOL TxScreenToClient(LPPOINT lppt) override;
        WINBOOL TxClientToScreen(LPPOINT lppt) override;
        HRESULT TxActivate(LONG* plOldState) override;
        HRESULT TxDeactivate(LONG lNewState) override;
        HRESULT TxGetClientRect(LPRECT prc) override;
        HRESULT TxGetViewInset(LPRECT prc) override;
        HRESULT TxGetCharFormat(const CHARFORMATW** ppCF) override;
        HRESULT TxGetParaFormat(const PARAFORMAT** ppPF) override;
        COLORREF TxGetSysColor(int nIndex) override;
        HRESULT TxGetBackStyle(TXTBACKSTYLE* pstyle) override;
        HRESULT TxGetMaxLength(DWORD* plength) override;
        HRESULT TxGetScrollBars(DWORD* pdwScrollBar) override;
        HRESULT TxGetPasswordChar(TCHAR* pch) override;
        HRESULT TxGetAcceleratorPos(LONG* pcp) override;
        HRESULT TxGetExtent(LPSIZEL lpExtent) override;
        HRESULT OnTxCharFormatChange(const CHARFORMATW* pcf) override;
        HRESULT OnTxParaFormatChange(const PARAFORMAT* ppf) override;
        HRESULT TxGetPropertyBits(DWORD dwMask, DWORD* pdwBits) override;
        HRESULT TxNotify(DWORD iNotify, void* pv) override;
        HIMC TxImmGetContext() override;
        void TxImmReleaseContext(HIMC himc) override;
        HRESULT TxGetSelectionBarWidth(LONG* lSelBarWidth) override;
    END_INTERFACE_PART(TextHost)
    // clang-format on

    DECLARE_INTERFACE_MAP()

private:
    void Create(LPCSTR lpszLibrary);
    // Lays the text out at a width; returns the height the text services request.
    int ProbeHeight(HDC hdc, int nWidth);
    LRESULT StreamIn(WPARAM nFormat, const void* pData, size_t nBytes);

    CComPtr<ITextServices> m_pTextServices;
    CHARFORMATW m_cfDefault;
    PARAFORMAT2 m_pfDefault;
    HMODULE m_hRichEdit = nullptr;
    CSize m_szRequest;
};
