// Turning 32-bit top-down pixels for rows that are not top rows: a themed tab is drawn as a
// top tab and then mirrored or transposed; a tab image is turned a quarter on a vertical row.
#pragma once

#include <windows.h>

#include "platform/framework/Geometry.h"

namespace qortabs {

enum PixelTurn {
    turnMirror,            // rows in reverse order (top to bottom); same size
    turnTranspose,         // columns become rows; width and height exchanged
    turnTransposeReversed, // transposed, then columns in reverse order
};

// Copies the source (nWidth x nHeight) into the target, turned; the target holds as many pixels.
void TurnPixels(const DWORD* pSource, int nWidth, int nHeight, DWORD* pTarget, PixelTurn turn);

// A 32-bit top-down DIB selected into a memory DC for its life.
class CTurnBitmap
{
public:
    CTurnBitmap(HDC hDCScreen, int cx, int cy);
    ~CTurnBitmap();
    CTurnBitmap(const CTurnBitmap&) = delete;
    CTurnBitmap& operator=(const CTurnBitmap&) = delete;

    BOOL IsValid() const { return m_pBits != nullptr; }
    HDC GetDC() const { return m_hDC; }
    HBITMAP GetBitmap() const { return m_hBitmap; }
    DWORD* GetBits() const { return m_pBits; }
    // Unselects the bitmap so that it can be drawn elsewhere (DrawState).
    void Unselect();

private:
    HDC m_hDC = nullptr;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOld = nullptr;
    DWORD* m_pBits = nullptr;
};

} // namespace qortabs
