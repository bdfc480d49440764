// Pixel work shared by the image manager's files: straight 32-bit pixels in memory, sections
// made from them and the one alpha blend of premultiplied bitmaps.
#pragma once
#include "toolkit/foundation/ImageManager.h"
#include <vector>

namespace qorimage {

// Straight BGRA pixels, top-down, cx * cy of them.
struct Pixels
{
    int cx = 0;
    int cy = 0;
    std::vector<DWORD> px;
};

// An empty 32-bit top-down section; null when the size is not sound.
HBITMAP CreateSection32(int cx, int cy, DWORD** ppBits);
// A section holding the pixels as they are.
HBITMAP CreateSection(const Pixels& pixels);
// A bitmap's pixels as 32-bit top-down values, as stored (no alpha arithmetic).
BOOL ReadBitmap32(HBITMAP hBitmap, Pixels& pixels);
// TRUE when a 32-bit section has an alpha byte other than 0. Plain 32-bit bitmaps leave
// every alpha byte 0; taken as alpha they would blend away completely.
BOOL HasAlphaBytes(HBITMAP hBitmap);
// An image's straight pixels: premultiplied bitmaps are divided back, icons take their alpha
// channel, else their mask (transparent pixels have alpha 0).
BOOL ReadImagePixels(const CQorImageManagerImage& image, Pixels& pixels);
// A premultiplied section of straight pixels.
HBITMAP CreatePremultipliedSection(const Pixels& pixels);
// Draws a premultiplied bitmap's source rectangle into the destination, blending by alpha.
BOOL AlphaBlendBitmap(HDC hdcDest, const CRect& rcDest, HBITMAP hBitmap, const CRect& rcSrc);

// Releases every object of a map and empties it.
template <class KEY, class ARG_KEY, class T> void ReleaseValues(CMap<KEY, ARG_KEY, T*, T*>& map)
{
    POSITION pos = map.GetStartPosition();
    while (pos != nullptr) {
        KEY key{};
        T* pObject = nullptr;
        map.GetNextAssoc(pos, key, pObject);
        pObject->InternalRelease();
    }
    map.RemoveAll();
}

inline BYTE Alpha(DWORD v)
{
    return static_cast<BYTE>(v >> 24);
}
inline DWORD Pack(BYTE b, BYTE g, BYTE r, BYTE a)
{
    return static_cast<DWORD>(b) | (static_cast<DWORD>(g) << 8) | (static_cast<DWORD>(r) << 16) |
           (static_cast<DWORD>(a) << 24);
}

} // namespace qorimage
