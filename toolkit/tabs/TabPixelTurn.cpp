#include "toolkit/tabs/TabPixelTurn.h"

#include "toolkit/foundation/DrawHelpers.h"

namespace qortabs {

void TurnPixels(const DWORD* pSource, int nWidth, int nHeight, DWORD* pTarget, PixelTurn turn)
{
    for (int y = 0; y < nHeight; ++y) {
        for (int x = 0; x < nWidth; ++x) {
            const DWORD dwPixel = pSource[y * nWidth + x];
            switch (turn) {
            case turnMirror:
                pTarget[(nHeight - 1 - y) * nWidth + x] = dwPixel;
                break;
            case turnTranspose: // target is nHeight wide: (x, y) goes to (y, x)
                pTarget[x * nHeight + y] = dwPixel;
                break;
            case turnTransposeReversed: // (x, y) goes to (nHeight - 1 - y, x)
                pTarget[x * nHeight + (nHeight - 1 - y)] = dwPixel;
                break;
            }
        }
    }
}

CTurnBitmap::CTurnBitmap(HDC hDCScreen, int cx, int cy)
{
    if (cx <= 0 || cy <= 0)
        return;
    void* pBits = nullptr;
    m_hBitmap = CreateDIB32(hDCScreen, cx, -cy, &pBits);
    if (!m_hBitmap)
        return;
    m_hDC = ::CreateCompatibleDC(hDCScreen);
    m_hOld = ::SelectObject(m_hDC, m_hBitmap);
    m_pBits = static_cast<DWORD*>(pBits);
}

void CTurnBitmap::Unselect()
{
    if (m_hDC && m_hOld) {
        ::GdiFlush();
        ::SelectObject(m_hDC, m_hOld);
        m_hOld = nullptr;
    }
}

CTurnBitmap::~CTurnBitmap()
{
    Unselect();
    if (m_hDC)
        ::DeleteDC(m_hDC);
    if (m_hBitmap)
        ::DeleteObject(m_hBitmap);
}

} // namespace qortabs
