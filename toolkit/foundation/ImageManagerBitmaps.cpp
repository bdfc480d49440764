// The image manager's loaders and bitmap helpers, and the pixel work its files share.
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/GraphicBitmapPng.h"
#include "toolkit/foundation/ImageManagerInternal.h"
#include "platform/framework/DebugChecks.h"
#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

const BYTE kPngSignature[4] = {0x89, 'P', 'N', 'G'};
// Larger bitmaps are refused before any allocation.
const LONGLONG kMaxPixels = 40LL * 1000 * 1000;

BOOL IsSoundSize(LONGLONG cx, LONGLONG cy)
{
    return cx > 0 && cy > 0 && cx <= 20000 && cy <= 20000 && cx * cy <= kMaxPixels;
}

BYTE Unpremultiply(BYTE c, BYTE a)
{
    unsigned v = (static_cast<unsigned>(c) * 255 + a / 2) / a;
    return static_cast<BYTE>(v > 255 ? 255 : v);
}

BYTE Premultiply(BYTE c, BYTE a)
{
    return static_cast<BYTE>((static_cast<unsigned>(c) * a + 127) / 255);
}

// Where a packed DIB's pixels lie, from its header. Every number in the header is checked
// against the bytes that really follow it, in 64-bit arithmetic, so that a header claiming
// more rows, colours or masks than its data holds is refused before anything reads past it.
struct DibLayout
{
    LONGLONG cx = 0;
    LONGLONG cy = 0;
    bool bBottomUp = true;
    WORD nBitCount = 0;
    DWORD nCompression = BI_RGB;
    ULONGLONG nBitsOffset = 0; // from the start of the header
    ULONGLONG nBitsSize = 0;
};

BOOL MeasureDib(const BYTE* pInfo, ULONGLONG nAvailable, DibLayout& layout)
{
    DWORD nHeaderSize = 0;
    if (nAvailable < sizeof(DWORD))
        return FALSE;
    memcpy(&nHeaderSize, pInfo, sizeof(nHeaderSize));
    ULONGLONG nTableBytes = 0;
    if (nHeaderSize == sizeof(BITMAPCOREHEADER)) {
        if (nAvailable < sizeof(BITMAPCOREHEADER))
            return FALSE;
        BITMAPCOREHEADER bch;
        memcpy(&bch, pInfo, sizeof(bch));
        if (bch.bcPlanes != 1)
            return FALSE;
        layout.cx = bch.bcWidth;
        layout.cy = bch.bcHeight;
        layout.nBitCount = bch.bcBitCount;
        if (layout.nBitCount <= 8)
            nTableBytes = (1ULL << layout.nBitCount) * sizeof(RGBTRIPLE);
    } else {
        if (nHeaderSize < sizeof(BITMAPINFOHEADER) || nHeaderSize > nAvailable)
            return FALSE;
        BITMAPINFOHEADER bih;
        memcpy(&bih, pInfo, sizeof(bih));
        if (bih.biPlanes != 1)
            return FALSE;
        layout.cx = bih.biWidth;
        layout.cy = std::llabs(static_cast<LONGLONG>(bih.biHeight));
        layout.bBottomUp = bih.biHeight > 0;
        layout.nBitCount = bih.biBitCount;
        layout.nCompression = bih.biCompression;
        ULONGLONG nColors = bih.biClrUsed;
        if (layout.nBitCount <= 8) {
            const ULONGLONG nMaxColors = 1ULL << layout.nBitCount;
            if (nColors > nMaxColors)
                return FALSE;
            if (nColors == 0)
                nColors = nMaxColors;
        }
        nTableBytes = nColors * sizeof(RGBQUAD);
        // Masks follow a plain 40-byte header; later headers carry them inside.
        if (bih.biCompression == BI_BITFIELDS && nHeaderSize == sizeof(BITMAPINFOHEADER))
            nTableBytes += 3 * sizeof(DWORD);
        switch (bih.biCompression) {
        case BI_RGB:
            break;
        case BI_BITFIELDS:
            if (layout.nBitCount != 16 && layout.nBitCount != 32)
                return FALSE;
            break;
        case BI_RLE8:
        case BI_RLE4:
            // Run-length pixels have no size but the one the header states.
            if (layout.nBitCount != (bih.biCompression == BI_RLE8 ? 8 : 4) || !layout.bBottomUp ||
                bih.biSizeImage == 0)
                return FALSE;
            layout.nBitsSize = bih.biSizeImage;
            break;
        default:
            return FALSE;
        }
    }
    switch (layout.nBitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32:
        break;
    default:
        return FALSE;
    }
    if (!IsSoundSize(layout.cx, layout.cy))
        return FALSE;
    if (layout.nCompression == BI_RGB || layout.nCompression == BI_BITFIELDS) {
        const ULONGLONG nStride = (static_cast<ULONGLONG>(layout.cx) * layout.nBitCount + 31) / 32 * 4;
        layout.nBitsSize = nStride * static_cast<ULONGLONG>(layout.cy);
    }
    layout.nBitsOffset = static_cast<ULONGLONG>(nHeaderSize) + nTableBytes;
    return layout.nBitsOffset + layout.nBitsSize <= nAvailable;
}

BOOL RefuseBitmap()
{
    QOR_TRACE_TOOLKIT(L"bitmap refused: its header claims more than its data holds");
    ::SetLastError(ERROR_INVALID_DATA);
    return FALSE;
}

// A 32-bit RT_BITMAP resource as a section of its straight pixels.
HBITMAP LoadAlphaBitmapResource(const BYTE* pData, const DibLayout& layout)
{
    if (layout.nCompression != BI_RGB && layout.nCompression != BI_BITFIELDS)
        return nullptr;
    const LONGLONG cx = layout.cx, cy = layout.cy;
    qorimage::Pixels pixels;
    pixels.cx = static_cast<int>(cx);
    pixels.cy = static_cast<int>(cy);
    pixels.px.resize(static_cast<size_t>(cx * cy));
    const DWORD* pSource = reinterpret_cast<const DWORD*>(pData + layout.nBitsOffset);
    for (LONGLONG y = 0; y < cy; ++y) {
        const DWORD* pRow = pSource + (layout.bBottomUp ? cy - 1 - y : y) * cx;
        memcpy(&pixels.px[static_cast<size_t>(y * cx)], pRow, static_cast<size_t>(cx) * 4);
    }
    return qorimage::CreateSection(pixels);
}

} // namespace

namespace qorimage {

HBITMAP CreateSection32(int cx, int cy, DWORD** ppBits)
{
    if (!IsSoundSize(cx, cy))
        return nullptr;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = cx;
    bi.bmiHeader.biHeight = -cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hBitmap != nullptr)
        memset(pBits, 0, static_cast<size_t>(cx) * cy * 4);
    if (ppBits != nullptr)
        *ppBits = static_cast<DWORD*>(pBits);
    return hBitmap;
}

HBITMAP CreateSection(const Pixels& pixels)
{
    DWORD* pBits = nullptr;
    HBITMAP hBitmap = CreateSection32(pixels.cx, pixels.cy, &pBits);
    if (hBitmap != nullptr)
        memcpy(pBits, pixels.px.data(), pixels.px.size() * sizeof(DWORD));
    return hBitmap;
}

BOOL ReadBitmap32(HBITMAP hBitmap, Pixels& pixels)
{
    BITMAP bm = {};
    if (hBitmap == nullptr || !::GetObjectW(hBitmap, sizeof(bm), &bm) || !IsSoundSize(bm.bmWidth, bm.bmHeight))
        return FALSE;
    pixels.cx = bm.bmWidth;
    pixels.cy = bm.bmHeight;
    pixels.px.assign(static_cast<size_t>(bm.bmWidth) * bm.bmHeight, 0);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = bm.bmWidth;
    bi.bmiHeader.biHeight = -bm.bmHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    HDC hdc = ::GetDC(nullptr);
    const int nLines = ::GetDIBits(hdc, hBitmap, 0, bm.bmHeight, pixels.px.data(), &bi, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, hdc);
    return nLines == bm.bmHeight;
}

BOOL HasAlphaBytes(HBITMAP hBitmap)
{
    DIBSECTION ds = {};
    if (::GetObjectW(hBitmap, sizeof(ds), &ds) != sizeof(ds) || ds.dsBm.bmBitsPixel != 32 || ds.dsBm.bmBits == nullptr)
        return FALSE;
    const BYTE* p = static_cast<const BYTE*>(ds.dsBm.bmBits);
    const size_t count = static_cast<size_t>(ds.dsBm.bmWidth) * static_cast<size_t>(std::abs(ds.dsBm.bmHeight));
    for (size_t i = 0; i < count; ++i, p += 4) {
        if (p[3] != 0)
            return TRUE;
    }
    return FALSE;
}

BOOL ReadImagePixels(const CQorImageManagerImage& image, Pixels& pixels)
{
    if (image.hBitmap != nullptr) {
        if (!ReadBitmap32(image.hBitmap, pixels))
            return FALSE;
        for (DWORD& v : pixels.px) {
            const BYTE a = Alpha(v);
            v = a == 0 ? 0
                       : Pack(Unpremultiply(static_cast<BYTE>(v & 0xFF), a),
                              Unpremultiply(static_cast<BYTE>((v >> 8) & 0xFF), a),
                              Unpremultiply(static_cast<BYTE>((v >> 16) & 0xFF), a), a);
        }
        return TRUE;
    }
    ICONINFO ii = {};
    if (image.hIcon == nullptr || !::GetIconInfo(image.hIcon, &ii))
        return FALSE;
    CBitmap color, mask; // free the copies GetIconInfo made
    color.Attach(ii.hbmColor);
    mask.Attach(ii.hbmMask);
    Pixels maskPixels;
    if (!ReadBitmap32(ii.hbmMask, maskPixels))
        return FALSE;
    BOOL bOk;
    if (ii.hbmColor != nullptr) {
        bOk = ReadBitmap32(ii.hbmColor, pixels) && maskPixels.cy >= pixels.cy && maskPixels.cx == pixels.cx;
    } else {
        // A monochrome icon: the AND mask above the XOR image.
        pixels.cx = maskPixels.cx;
        pixels.cy = maskPixels.cy / 2;
        pixels.px.assign(maskPixels.px.begin() + static_cast<size_t>(pixels.cx) * pixels.cy, maskPixels.px.end());
        bOk = pixels.cy > 0;
    }
    if (!bOk)
        return FALSE;
    bool bHasAlpha = false;
    if (ii.hbmColor != nullptr) {
        for (DWORD v : pixels.px)
            bHasAlpha = bHasAlpha || Alpha(v) != 0;
    }
    for (size_t i = 0; i < pixels.px.size(); ++i) {
        const bool bMasked = (maskPixels.px[i] & 0xFFFFFF) != 0;
        DWORD& v = pixels.px[i];
        if (bMasked)
            v = 0;
        else if (!bHasAlpha)
            v = (v & 0xFFFFFF) | 0xFF000000;
        else if (Alpha(v) == 0)
            v = 0;
    }
    return TRUE;
}

HBITMAP CreatePremultipliedSection(const Pixels& pixels)
{
    Pixels premultiplied = pixels;
    for (DWORD& v : premultiplied.px) {
        const BYTE a = Alpha(v);
        v = Pack(Premultiply(static_cast<BYTE>(v & 0xFF), a), Premultiply(static_cast<BYTE>((v >> 8) & 0xFF), a),
                 Premultiply(static_cast<BYTE>((v >> 16) & 0xFF), a), a);
    }
    return CreateSection(premultiplied);
}

BOOL AlphaBlendBitmap(HDC hdcDest, const CRect& rcDest, HBITMAP hBitmap, const CRect& rcSrc)
{
    if (rcDest.IsRectEmpty() || rcSrc.IsRectEmpty())
        return FALSE;
    HDC hdcSrc = ::CreateCompatibleDC(hdcDest);
    if (hdcSrc == nullptr)
        return FALSE;
    HGDIOBJ hOld = ::SelectObject(hdcSrc, hBitmap);
    const BOOL bOk = GetDrawHelpers()->AlphaBlend(hdcDest, rcDest, hdcSrc, rcSrc);
    ::SelectObject(hdcSrc, hOld);
    ::DeleteDC(hdcSrc);
    return bOk;
}

} // namespace qorimage

// ---------------------------------------------------------------------------------------

BOOL IsPngResource(HMODULE hModule, LPCTSTR lpszName)
{
    HRSRC hResource = ::FindResourceW(hModule, lpszName, L"PNG");
    if (hResource == nullptr || ::SizeofResource(hModule, hResource) < sizeof(kPngSignature))
        return FALSE;
    HGLOBAL hData = ::LoadResource(hModule, hResource);
    const void* pData = hData != nullptr ? ::LockResource(hData) : nullptr;
    return pData != nullptr && memcmp(pData, kPngSignature, sizeof(kPngSignature)) == 0;
}

HBITMAP LoadBitmapFromResource(HINSTANCE hInstance, LPCTSTR lpszName, BOOL* pbAlpha)
{
    if (pbAlpha != nullptr)
        *pbAlpha = FALSE;
    if (IsPngResource(hInstance, lpszName)) {
        CQorGraphicBitmapPng png;
        if (!png.LoadFromResource(::FindResourceW(hInstance, lpszName, L"PNG"), hInstance))
            return nullptr;
        if (pbAlpha != nullptr)
            *pbAlpha = png.IsAlpha();
        return static_cast<HBITMAP>(png.Detach());
    }
    HRSRC hResource = ::FindResourceW(hInstance, lpszName, RT_BITMAP);
    if (hResource == nullptr)
        return nullptr;
    HGLOBAL hData = ::LoadResource(hInstance, hResource);
    const BYTE* pData = hData != nullptr ? static_cast<const BYTE*>(::LockResource(hData)) : nullptr;
    const DWORD nSize = ::SizeofResource(hInstance, hResource);
    DibLayout layout;
    if (pData == nullptr || !MeasureDib(pData, nSize, layout)) {
        RefuseBitmap();
        return nullptr;
    }
    if (layout.nBitCount == 32) {
        HBITMAP hBitmap = LoadAlphaBitmapResource(pData, layout);
        if (hBitmap != nullptr && pbAlpha != nullptr)
            *pbAlpha = qorimage::HasAlphaBytes(hBitmap);
        return hBitmap;
    }
    return static_cast<HBITMAP>(::LoadImageW(hInstance, lpszName, IMAGE_BITMAP, 0, 0, LR_DEFAULTSIZE));
}

HBITMAP LoadBitmapFromFile(LPCTSTR lpszFileName, BOOL* pbAlpha)
{
    if (pbAlpha != nullptr)
        *pbAlpha = FALSE;
    HANDLE hFile = ::CreateFileW(lpszFileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return nullptr;
    // The file header, the largest info header and its masks or a full colour table.
    std::vector<BYTE> head(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPV5HEADER) + 256 * sizeof(RGBQUAD));
    DWORD nRead = 0;
    LARGE_INTEGER fileSize = {};
    const BOOL bRead = ::ReadFile(hFile, head.data(), static_cast<DWORD>(head.size()), &nRead, nullptr) &&
                       ::GetFileSizeEx(hFile, &fileSize);
    ::CloseHandle(hFile);
    if (!bRead)
        return nullptr;
    if (nRead >= sizeof(kPngSignature) && memcmp(head.data(), kPngSignature, sizeof(kPngSignature)) == 0) {
        CQorGraphicBitmapPng png;
        if (!png.LoadFromFile(lpszFileName))
            return nullptr;
        if (pbAlpha != nullptr)
            *pbAlpha = png.IsAlpha();
        return static_cast<HBITMAP>(png.Detach());
    }
    BITMAPFILEHEADER bfh = {};
    DibLayout layout;
    if (nRead < sizeof(bfh))
        return RefuseBitmap(), nullptr;
    memcpy(&bfh, head.data(), sizeof(bfh));
    // The header and table must lie in what was read; the pixels in the whole file, where
    // the file header's offset puts them (right after the table when it says 0).
    const ULONGLONG nFile = static_cast<ULONGLONG>(fileSize.QuadPart);
    if (bfh.bfType != 0x4D42 ||
        !MeasureDib(head.data() + sizeof(bfh), nFile - sizeof(bfh), layout) ||
        layout.nBitsOffset > nRead - sizeof(bfh))
        return RefuseBitmap(), nullptr;
    const ULONGLONG nBits = bfh.bfOffBits != 0 ? bfh.bfOffBits : sizeof(bfh) + layout.nBitsOffset;
    if (nBits < sizeof(bfh) + layout.nBitsOffset || nBits + layout.nBitsSize > nFile)
        return RefuseBitmap(), nullptr;
    const BOOL b32 = layout.nBitCount == 32;
    const UINT nFlags = LR_LOADFROMFILE | LR_DEFAULTSIZE | (b32 ? LR_CREATEDIBSECTION : 0);
    HBITMAP hBitmap = static_cast<HBITMAP>(::LoadImageW(nullptr, lpszFileName, IMAGE_BITMAP, 0, 0, nFlags));
    if (hBitmap != nullptr && pbAlpha != nullptr)
        *pbAlpha = b32 && qorimage::HasAlphaBytes(hBitmap);
    return hBitmap;
}

HBITMAP CreatePremultipliedBitmap(HBITMAP hSource, BOOL* pbAlpha)
{
    qorimage::Pixels pixels;
    if (!qorimage::ReadBitmap32(hSource, pixels))
        return nullptr;
    HBITMAP hBitmap = qorimage::CreatePremultipliedSection(pixels);
    if (hBitmap != nullptr && pbAlpha != nullptr)
        *pbAlpha = TRUE;
    return hBitmap;
}

BOOL FlipBitmapVertical(HBITMAP hBitmap)
{
    DIBSECTION ds = {};
    if (hBitmap == nullptr || ::GetObjectW(hBitmap, sizeof(ds), &ds) != sizeof(ds) || ds.dsBm.bmBits == nullptr)
        return FALSE;
    const size_t nStride = static_cast<size_t>(ds.dsBm.bmWidthBytes);
    const int cy = std::abs(ds.dsBm.bmHeight);
    std::vector<BYTE> row(nStride);
    BYTE* pBits = static_cast<BYTE*>(ds.dsBm.bmBits);
    for (int top = 0, bottom = cy - 1; top < bottom; ++top, --bottom) {
        memcpy(row.data(), pBits + top * nStride, nStride);
        memcpy(pBits + top * nStride, pBits + bottom * nStride, nStride);
        memcpy(pBits + bottom * nStride, row.data(), nStride);
    }
    return TRUE;
}

HBITMAP MirrorBitmapLeftRight(HBITMAP hSource)
{
    qorimage::Pixels pixels;
    if (!qorimage::ReadBitmap32(hSource, pixels))
        return nullptr;
    for (int y = 0; y < pixels.cy; ++y) {
        DWORD* pRow = &pixels.px[static_cast<size_t>(y) * pixels.cx];
        std::reverse(pRow, pRow + pixels.cx);
    }
    return qorimage::CreateSection(pixels);
}

BOOL GetBitmapBits32(HDC hDC, BYTE*& pBits, HBITMAP hBitmap, BITMAPINFO*& pInfo, DWORD& nBytes)
{
    pBits = nullptr;
    pInfo = nullptr;
    nBytes = 0;
    BITMAP bm = {};
    if (hBitmap == nullptr || !::GetObjectW(hBitmap, sizeof(bm), &bm) || bm.bmBitsPixel != 32 ||
        !IsSoundSize(bm.bmWidth, bm.bmHeight))
        return FALSE;
    pInfo = static_cast<BITMAPINFO*>(calloc(1, sizeof(BITMAPINFO) + 3 * sizeof(DWORD)));
    const DWORD nSize = static_cast<DWORD>(bm.bmWidth) * bm.bmHeight * 4;
    pBits = static_cast<BYTE*>(malloc(nSize));
    if (pInfo == nullptr || pBits == nullptr) {
        free(pInfo);
        free(pBits);
        pInfo = nullptr;
        pBits = nullptr;
        return FALSE;
    }
    pInfo->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    pInfo->bmiHeader.biWidth = bm.bmWidth;
    pInfo->bmiHeader.biHeight = bm.bmHeight;
    pInfo->bmiHeader.biPlanes = 1;
    pInfo->bmiHeader.biBitCount = 32;
    pInfo->bmiHeader.biCompression = BI_RGB;
    pInfo->bmiHeader.biSizeImage = nSize;
    if (::GetDIBits(hDC, hBitmap, 0, bm.bmHeight, pBits, pInfo, DIB_RGB_COLORS) != bm.bmHeight) {
        free(pInfo);
        free(pBits);
        pInfo = nullptr;
        pBits = nullptr;
        return FALSE;
    }
    nBytes = nSize;
    return TRUE;
}

HICON CreateScaledIcon(HICON hIcon, int nWidth, int nHeight)
{
    if (hIcon == nullptr || nWidth <= 0 || nHeight <= 0)
        return nullptr;
    return static_cast<HICON>(::CopyImage(hIcon, IMAGE_ICON, nWidth, nHeight, 0));
}

CSize GetIconSize(HICON hIcon)
{
    ICONINFO ii = {};
    if (hIcon == nullptr || !::GetIconInfo(hIcon, &ii))
        return CSize(0, 0);
    CBitmap color, mask;
    color.Attach(ii.hbmColor);
    mask.Attach(ii.hbmMask);
    BITMAP bm = {};
    if (!::GetObjectW(ii.hbmMask, sizeof(bm), &bm))
        return CSize(0, 0);
    return CSize(bm.bmWidth, ii.hbmColor != nullptr ? bm.bmHeight : bm.bmHeight / 2);
}
