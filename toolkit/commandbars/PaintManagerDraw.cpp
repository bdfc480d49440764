// The paint manager's drawing that every theme shares: symbols, tick, dot, triangle, glyphs,
// captions, simple surfaces, the popup appearance animation and the shared helpers.
#include "toolkit/commandbars/PaintManager.h"

#include <algorithm>
#include <cmath>

#include "platform/framework/Wnd.h"
#include "toolkit/commandbars/PaintManagerInternal.h"
#include "toolkit/commandbars/StatusBar.h"
#include "toolkit/foundation/ImageManager.h"
#include "toolkit/foundation/DrawHelpers.h"

using namespace qorpaint;

namespace {

// A 32-bit DIB section of the given size with its pixels, held for the object's life.
class CDibSection
{
public:
    CDibSection(int cx, int cy) : m_cx(cx), m_cy(cy) { m_bitmap.Attach(CreateDIB32(nullptr, cx, cy, &m_pBits)); }
    DWORD* Bits() const { return static_cast<DWORD*>(m_pBits); }
    HGDIOBJ Handle() const { return m_bitmap.GetSafeHandle(); }
    int Count() const { return m_pBits ? m_cx * m_cy : 0; }

private:
    int m_cx, m_cy;
    void* m_pBits = nullptr;
    CBitmap m_bitmap;
};

} // namespace

// ---------------------------------------------------------------------------------------------
// Captions

CSize CQorPaintManager::DrawControlText(CDC* pDC, const CString& strText, CRect rc, UINT nFormat, BOOL bDraw,
                                        BOOL bPressed, BOOL bEnabled)
{
    if (!bDraw) {
        CRect rcText(rc);
        pDC->DrawText(strText, &rcText, nFormat | DT_CALCRECT);
        return rcText.Size();
    }
    if (m_bEmbossDisabledText && !bEnabled && !bPressed) {
        COLORREF clrText = pDC->SetTextColor(GetColor(kColorButtonHighlight));
        CRect rcEmboss(rc);
        rcEmboss.OffsetRect(1, 1);
        pDC->DrawText(strText, &rcEmboss, nFormat);
        pDC->SetTextColor(clrText);
    }
    pDC->DrawText(strText, &rc, nFormat);
    return rc.Size();
}

void CQorPaintManager::SplitCaptionInTwo(const CString& strCaption, CString& strFirst, CString& strSecond)
{
    const int nLength = strCaption.GetLength();
    int nSplit = -1;
    for (int i = 1; i < nLength; ++i) {
        if (strCaption[i] == L' ' && (nSplit < 0 || std::abs(i - nLength / 2) < std::abs(nSplit - nLength / 2)))
            nSplit = i;
    }
    if (nSplit < 0) {
        strFirst = strCaption;
        strSecond.Empty();
        return;
    }
    strFirst = strCaption.Left(nSplit);
    strSecond = strCaption.Mid(nSplit + 1);
}

// ---------------------------------------------------------------------------------------------
// Symbols

CSize CQorPaintManager::DrawButtonSymbol(CDC* pDC, const CRect& rc, BOOL bDraw, BOOL bEnabled, int nChecked,
                                         BOOL bPressed, BOOL bSelected, int nThemePart, UINT nFrameControlType)
{
    const CSize szSymbol(13, 13);
    if (!bDraw)
        return szSymbol;
    if (m_bThemedCheckBox && m_themeButton.IsUsable()) {
        int nState = 1 + (!bEnabled ? 3 : bPressed ? 2 : bSelected ? 1 : 0);
        nState += nChecked == 1 ? 4 : nChecked == 2 ? 8 : 0;
        m_themeButton.DrawBackground(pDC, nThemePart, nState, rc);
        return szSymbol;
    }
    UINT nState = nFrameControlType;
    if (nChecked)
        nState |= DFCS_CHECKED;
    if (bPressed)
        nState |= DFCS_PUSHED;
    if (!bEnabled)
        nState |= DFCS_INACTIVE;
    CRect rcSymbol(rc);
    pDC->DrawFrameControl(&rcSymbol, DFC_BUTTON, nState);
    return szSymbol;
}

CSize CQorPaintManager::DrawCheckBoxSymbol(CDC* pDC, CRect rc, BOOL bDraw, BOOL bEnabled, int nChecked, BOOL bPressed,
                                           BOOL bSelected)
{
    return DrawButtonSymbol(pDC, rc, bDraw, bEnabled, nChecked, bPressed, bSelected, 3, DFCS_BUTTONCHECK);
}

CSize CQorPaintManager::DrawRadioButtonSymbol(CDC* pDC, CRect rc, BOOL bDraw, BOOL bEnabled, int nChecked,
                                              BOOL bPressed, BOOL bSelected)
{
    return DrawButtonSymbol(pDC, rc, bDraw, bEnabled, nChecked, bPressed, bSelected, 2, DFCS_BUTTONRADIO);
}

void CQorPaintManager::DrawCheckTick(CDC* pDC, CRect rc, COLORREF clr)
{
    CQorPenDC pen(pDC->GetSafeHdc(), GetColor(clr));
    const int cx = rc.CenterPoint().x;
    const int g = rc.CenterPoint().y - 10;
    // A mirrored DC flips x: the tick is drawn so that it still reads as a tick.
    const bool bMirrored = GetDCLayout(pDC->GetSafeHdc()) != 0;
    const int nPasses = m_bBoldCheckTick ? 2 : 1;
    for (int nPass = 0; nPass < nPasses; ++nPass) {
        const int y = g + nPass;
        if (bMirrored) {
            POINT ptFirst[3] = {{cx - 4, y + 7}, {cx, y + 11}, {cx + 3, y + 8}};
            POINT ptSecond[3] = {{cx - 4, y + 8}, {cx, y + 12}, {cx + 3, y + 9}};
            pDC->Polyline(ptFirst, 3);
            pDC->Polyline(ptSecond, 3);
        } else {
            POINT ptFirst[3] = {{cx - 4, y + 9}, {cx - 2, y + 11}, {cx + 3, y + 6}};
            POINT ptSecond[3] = {{cx - 4, y + 10}, {cx - 2, y + 12}, {cx + 3, y + 7}};
            pDC->Polyline(ptFirst, 3);
            pDC->Polyline(ptSecond, 3);
        }
    }
}

// A disc of 6 pixels: each pixel of the square around the centre takes the colour by the share
// of it that the circle covers.
void CQorPaintManager::DrawRadioDot(CDC* pDC, CRect rc, COLORREF clr)
{
    const COLORREF clrDot = GetColor(clr);
    const CPoint ptCenter = rc.CenterPoint();
    const double dRadius = 3.0;
    for (int y = ptCenter.y - 3; y < ptCenter.y + 3; ++y) {
        for (int x = ptCenter.x - 3; x < ptCenter.x + 3; ++x) {
            const double dx = x + 0.5 - ptCenter.x, dy = y + 0.5 - ptCenter.y;
            const double dCoverage = std::min(1.0, std::max(0.0, dRadius + 0.5 - std::sqrt(dx * dx + dy * dy)));
            if (dCoverage <= 0.0)
                continue;
            pDC->SetPixel(x, y, BlendColorsByFactor(pDC->GetPixel(x, y), clrDot, dCoverage));
        }
    }
}

void CQorPaintManager::DrawDownTriangle(CDC* pDC, CRect rc, COLORREF clr)
{
    const CPoint pt = rc.CenterPoint();
    const int nHalf = rc.Width() / 2;
    const int e = nHalf > 5 ? nHalf - 4 : 2;
    DrawTriangle(pDC, GetColor(clr), CPoint(pt.x - e, pt.y - e / 2), CPoint(pt.x + e, pt.y - e / 2),
                 CPoint(pt.x, pt.y + e / 2));
}

void CQorPaintManager::DrawGlyph(CDC* pDC, CRect rc, WCHAR chGlyph, COLORREF clr)
{
    LOGFONT lf = {};
    lf.lfHeight = -::MulDiv(rc.Height(), pDC->GetDeviceCaps(LOGPIXELSY), 96);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = SYMBOL_CHARSET;
    lstrcpynW(lf.lfFaceName, L"Marlett", LF_FACESIZE);
    CFont font;
    if (!font.CreateFontIndirect(&lf))
        return;
    CQorFontDC fontDC(pDC, &font, GetColor(clr));
    const int nBkMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(&chGlyph, 1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    pDC->SetBkMode(nBkMode);
}

// ---------------------------------------------------------------------------------------------
// Surfaces

void CQorPaintManager::DrawGripperDots(CDC* pDC, const CRect& rc, int nKind, COLORREF clrLight, COLORREF clrDark)
{
    auto drawDot = [&](int x, int y) {
        pDC->FillSolidRect(x, y, 2, 2, GetColor(clrDark));
        pDC->FillSolidRect(x + 1, y + 1, 2, 2, GetColor(clrLight));
    };
    if (nKind == 2) {
        const int nMiddle = rc.CenterPoint().x;
        for (int x = nMiddle - 8; x <= nMiddle + 8; x += 4)
            drawDot(x, rc.top + 3);
    }
    // The resize grip: a triangle of dots in the corner.
    for (int nRow = 0; nRow < 3; ++nRow) {
        for (int nColumn = 0; nColumn + nRow < 3; ++nColumn)
            drawDot(rc.right - 4 - 4 * nColumn, rc.bottom - 4 - 4 * nRow);
    }
}

CSize CQorPaintManager::FillCaptionRect(CDC* pDC, CRect rc, COLORREF clrFill, BOOL bDraw)
{
    if (bDraw) {
        rc.bottom -= 1;
        pDC->FillSolidRect(&rc, GetColor(clrFill));
    }
    return CSize(0, 8);
}

void CQorPaintManager::FillPopupColumn(CDC*, CRect, BOOL) {}

void CQorPaintManager::DrawStatusBarPane(CDC* pDC, CQorStatusBarPane* pPane, CRect rc)
{
    if (pPane->m_clrBackground != -1)
        pDC->FillSolidRect(&rc, GetColor(pPane->m_clrBackground));
    CRect rcInner(rc.left + pPane->m_rcMargins.left, rc.top + pPane->m_rcMargins.top,
                  rc.right - pPane->m_rcMargins.right, rc.bottom - pPane->m_rcMargins.bottom);
    const BOOL bEnabled = !pPane->IsDisabled();
    if (CQorImageManagerIcon* pIcon = pPane->GetIcon()) {
        const int y = rcInner.top + (rcInner.Height() - pIcon->GetHeight()) / 2;
        if (bEnabled)
            pIcon->Draw(pDC, pIcon->GetImage(), rcInner.left, y);
        else
            pIcon->DrawMono(pDC, rcInner.left, y, GetColor(kColorButtonShadow));
        rcInner.left += pIcon->GetWidth() + 2;
    }
    if (!bEnabled || pPane->m_strText.IsEmpty())
        return;
    const COLORREF clrText = pPane->m_clrText == -1 ? m_clrStatusTextColor : GetColor(pPane->m_clrText);
    CQorFontDC font(pDC, pPane->GetFont(), clrText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(pPane->m_strText, &rcInner, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    pDC->SetBkMode(nOldMode);
}

void CQorPaintManager::DrawStatusBarPaneBorder(CDC* pDC, CRect rc, CQorStatusBarPane* pPane, BOOL bGripperPane)
{
    if (m_bThemedStatusBar && m_themeStatusBar.IsUsable()) {
        m_themeStatusBar.DrawBackground(pDC, bGripperPane ? 2 : 1, 0, rc);
        return;
    }
    if (pPane && (pPane->m_nStyle & SBPS_NOBORDERS))
        return;
    Draw3dRectColors(pDC, rc, kColorButtonShadow, kColorButtonHighlight);
}

void CQorPaintManager::FillStatusBar(CDC* pDC, CQorStatusBar* pBar)
{
    CRect rc;
    GetClientRectSafe(pBar, rc);
    if (m_bThemedStatusBar && m_themeStatusBar.IsUsable()) {
        m_themeStatusBar.DrawBackground(pDC, 0, 0, rc);
        return;
    }
    pDC->FillSolidRect(&rc, GetColor(kColorButtonFace));
}

void CQorPaintManager::DrawStatusBarGripper(CDC* pDC, CRect rcClient)
{
    if (m_bThemedStatusBar && m_themeStatusBar.IsUsable()) {
        CRect rcGripper(rcClient.right - 18, rcClient.top, rcClient.right, rcClient.bottom);
        m_themeStatusBar.DrawBackground(pDC, 3, 0, rcGripper);
        return;
    }
    // Three diagonal grooves: a light line above two shadow lines.
    const int x = rcClient.right - 1, y = rcClient.bottom - 1;
    for (int k = 12; k > 0; k -= 4) {
        DrawLine(pDC, x - k, y, x + 1, y - k - 1, kColorButtonHighlight);
        DrawLine(pDC, x - k + 1, y, x + 1, y - k, kColorButtonShadow);
        DrawLine(pDC, x - k + 2, y, x + 1, y - k + 1, kColorButtonShadow);
    }
}

void CQorPaintManager::FillBarWindow(CDC* pDC, CWnd* pWnd)
{
    CRect rc;
    GetClientRectSafe(pWnd, rc);
    pDC->FillSolidRect(&rc, GetColor(kColorButtonFace));
}

void CQorPaintManager::FillWorkspaceRect(CDC* pDC, CRect rc)
{
    pDC->FillSolidRect(&rc, GetColor(kColorAppWorkspace));
}

void CQorPaintManager::DrawFramedTextWindow(CDC* pDC, CWnd* pWnd, BOOL bNoFrame)
{
    if (bNoFrame)
        return;
    CRect rc;
    GetClientRectSafe(pWnd, rc);
    const COLORREF clrFrame = ::GetSysColor(COLOR_BTNSHADOW);
    pDC->Draw3dRect(&rc, clrFrame, clrFrame);
    CString strText;
    if (pWnd && pWnd->GetSafeHwnd())
        pWnd->GetWindowText(strText);
    CQorFontDC font(pDC, &m_fontStatus, m_clrStatusTextColor);
    const int nBkMode = pDC->SetBkMode(TRANSPARENT);
    rc.DeflateRect(3, 1);
    pDC->DrawText(strText, &rc, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
    pDC->SetBkMode(nBkMode);
}

// ---------------------------------------------------------------------------------------------
// The popup appearance animation: the source (the popup's finished image, at the rectangle's
// place) reaches the target in steps, sleeping between them.

void CQorPaintManager::AlphaBlitBitmap(CDC* pDestDC, CDC* pSrcDC, CRect rc, int nAnimationType)
{
    const int nSteps = std::max(1, m_nAnimationSteps);
    const DWORD dwSleep = static_cast<DWORD>(std::max(0, m_nAnimationDuration) / nSteps);
    const int cx = rc.Width(), cy = rc.Height();
    if (cx <= 0 || cy <= 0)
        return;

    if (nAnimationType == 4) {
        CDibSection dibTarget(cx, cy), dibSource(cx, cy), dibStep(cx, cy);
        if (dibTarget.Count() && dibSource.Count() && dibStep.Count()) {
            CQorCompatibleDC dcTarget(pDestDC, dibTarget.Handle());
            CQorCompatibleDC dcSource(pDestDC, dibSource.Handle());
            CQorCompatibleDC dcStep(pDestDC, dibStep.Handle());
            dcTarget.BitBlt(0, 0, cx, cy, pDestDC, rc.left, rc.top, SRCCOPY);
            dcSource.BitBlt(0, 0, cx, cy, pSrcDC, rc.left, rc.top, SRCCOPY);
            ::GdiFlush();
            const BYTE* pFrom = reinterpret_cast<const BYTE*>(dibTarget.Bits());
            const BYTE* pTo = reinterpret_cast<const BYTE*>(dibSource.Bits());
            BYTE* pStep = reinterpret_cast<BYTE*>(dibStep.Bits());
            for (int k = 1; k <= nSteps; ++k) {
                for (int i = 0; i < dibStep.Count() * 4; ++i)
                    pStep[i] = static_cast<BYTE>((pFrom[i] * (nSteps - k) + pTo[i] * k) / nSteps);
                pDestDC->BitBlt(rc.left, rc.top, cx, cy, &dcStep, 0, 0, SRCCOPY);
                ::Sleep(dwSleep);
            }
            return;
        }
    }
    if (nAnimationType == 2 || nAnimationType == 3) {
        for (int k = 1; k <= nSteps; ++k) {
            const int nHeight = cy * k / nSteps;
            const int nWidth = nAnimationType == 2 ? cx * k / nSteps : cx;
            pDestDC->BitBlt(rc.left, rc.top, nWidth, nHeight, pSrcDC, rc.left + cx - nWidth, rc.top + cy - nHeight,
                            SRCCOPY);
            ::Sleep(dwSleep);
        }
        return;
    }
    pDestDC->BitBlt(rc.left, rc.top, cx, cy, pSrcDC, rc.left, rc.top, SRCCOPY);
}

// ---------------------------------------------------------------------------------------------
// Shared helpers

void CQorPaintManager::FillAndFrame(CDC* pDC, const CRect& rc, COLORREF clrFrame, COLORREF clrFill)
{
    if (clrFill != QOR_COLOR_UNSET)
        pDC->FillSolidRect(&rc, GetColor(clrFill));
    if (clrFrame != QOR_COLOR_UNSET && (clrFill == QOR_COLOR_UNSET || GetColor(clrFrame) != GetColor(clrFill)))
        pDC->Draw3dRect(&rc, GetColor(clrFrame), GetColor(clrFrame));
}

void CQorPaintManager::Draw3dRectColors(CDC* pDC, const CRect& rc, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    pDC->Draw3dRect(&rc, GetColor(clrTopLeft), GetColor(clrBottomRight));
}

void CQorPaintManager::DrawLine(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF clr)
{
    CQorPenDC pen(pDC->GetSafeHdc(), GetColor(clr));
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
}

void CQorPaintManager::FixAlphaChannel(CDC* pDC, const CRect& rc)
{
    CDibSection dib(rc.Width(), rc.Height());
    if (!dib.Count())
        return;
    CQorCompatibleDC dcDib(pDC, dib.Handle());
    dcDib.BitBlt(0, 0, rc.Width(), rc.Height(), pDC, rc.left, rc.top, SRCCOPY);
    ::GdiFlush();
    for (int i = 0; i < dib.Count(); ++i)
        dib.Bits()[i] |= 0xFF000000u;
    pDC->BitBlt(rc.left, rc.top, rc.Width(), rc.Height(), &dcDib, 0, 0, SRCCOPY);
}
