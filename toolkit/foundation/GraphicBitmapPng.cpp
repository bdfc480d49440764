#include "toolkit/foundation/GraphicBitmapPng.h"
#include "platform/imaging/PngDecoder.h"
#include <algorithm>
#include <cstring>

namespace {

// Reads a framework file for the decoder; a file error ends the input, which the decoder
// takes as a truncated image (no exception may cross libpng).
class CFileSource : public fximage::PngSource
{
public:
    explicit CFileSource(CFile* pFile) : m_pFile(pFile) {}

    size_t Read(void* buffer, size_t count) noexcept override
    {
        BYTE* target = static_cast<BYTE*>(buffer);
        size_t done = 0;
        try {
            while (done < count) {
                UINT chunk = static_cast<UINT>(std::min<size_t>(count - done, 0x10000000));
                UINT read = m_pFile->Read(target + done, chunk);
                if (read == 0)
                    break;
                done += read;
            }
        } catch (CException* e) {
            e->Delete();
        } catch (...) {
        }
        return done;
    }

private:
    CFile* m_pFile;
};

// A 32-bit top-down DIB section with the decoded rows; the alpha byte is 0 for images
// without an alpha channel.
HBITMAP CreateSection(const fximage::PngImage& image)
{
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = static_cast<LONG>(image.width);
    bi.bmiHeader.biHeight = -static_cast<LONG>(image.height);
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP hBitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (hBitmap == nullptr)
        return nullptr;
    memcpy(bits, image.pixels.data(), image.pixels.size());
    if (image.channels != 4) {
        BYTE* alpha = static_cast<BYTE*>(bits) + 3;
        for (size_t i = 0, count = image.pixels.size() / 4; i < count; ++i, alpha += 4)
            *alpha = 0;
    }
    return hBitmap;
}

const DWORD kSmallestResource = 9; // a signature and one byte cannot be an image

} // namespace

BOOL CQorGraphicBitmapPng::LoadFromFile(LPCTSTR lpszFileName)
{
    DeleteObject();
    m_bAlpha = FALSE;
    CFile file;
    if (lpszFileName == nullptr ||
        !file.Open(lpszFileName, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary))
        return FALSE;
    return Decode(&file);
}

BOOL CQorGraphicBitmapPng::LoadFromResource(HRSRC hResource, HMODULE hModule)
{
    DeleteObject();
    m_bAlpha = FALSE;
    if (hResource == nullptr)
        return FALSE;
    DWORD size = SizeofResource(hModule, hResource);
    HGLOBAL hData = LoadResource(hModule, hResource);
    const void* data = hData != nullptr ? LockResource(hData) : nullptr;
    if (data == nullptr || size <= kSmallestResource)
        return FALSE;
    CMemFile file(static_cast<BYTE*>(const_cast<void*>(data)), size);
    return Decode(&file);
}

BOOL CQorGraphicBitmapPng::Decode(CFile* pFile)
{
    DeleteObject();
    m_bAlpha = FALSE;
    if (pFile == nullptr)
        return FALSE;
    CFileSource source(pFile);
    fximage::PngDecodeOptions options;
    options.applyBackgroundAndGamma = true;
    fximage::PngImage image;
    if (!fximage::DecodePng(source, options, image))
        return FALSE;
    HBITMAP hBitmap = CreateSection(image);
    if (hBitmap == nullptr)
        return FALSE;
    Attach(hBitmap);
    m_bAlpha = image.channels == 4;
    return TRUE;
}
