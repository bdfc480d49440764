#include "platform/browser/ImageLoader.h"
#include "platform/browser/TextUtil.h"
#include "platform/browser/ComObject.h"
#include "platform/browser/GdiObjects.h"
#include <ole2.h>
#include <olectl.h>
#include "platform/imaging/PngDecoder.h"
#include <cstring>
#include <cwctype>
#include <vector>

namespace fxb {

namespace {

RenderBufferHook g_renderBufferHook = nullptr;

struct GlobalDeleter
{
    void operator()(void* mem) const { GlobalFree(mem); }
};

// A memory DC with the image's bitmap selected; the bitmap is selected out and the DC deleted
// when it goes, also when an exception passes.
class BitmapDC
{
public:
    BitmapDC(HDC compatible, HBITMAP bitmap) : m_dc(compatible), m_selected(m_dc.Get(), bitmap) {}
    bool Valid() const { return m_dc.Get() != nullptr && m_selected.Selected(); }
    HDC Dc() const { return m_dc.Get(); }

private:
    MemoryDC m_dc;
    SelectedObject m_selected;
};

} // namespace

Image::Image(int width, int height) : m_width(width), m_height(height)
{
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    m_bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<DWORD*>(bits);
    if (!m_bitmap)
        m_bits = nullptr;
}

Image::~Image()
{
    if (m_bitmap)
        DeleteObject(m_bitmap);
}

void Image::Draw(HDC dc, const RECT& target) const
{
    if (!m_bitmap)
        return;
    BitmapDC mem(dc, m_bitmap);
    if (!mem.Valid())
        return;
    int w = target.right - target.left, h = target.bottom - target.top;
    if (m_alpha) {
        BLENDFUNCTION bf = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        AlphaBlend(dc, target.left, target.top, w, h, mem.Dc(), 0, 0, m_width, m_height, bf);
    } else {
        int oldMode = SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, target.left, target.top, w, h, mem.Dc(), 0, 0, m_width, m_height, SRCCOPY);
        SetStretchBltMode(dc, oldMode);
    }
}

std::unique_ptr<Image> DecodePng(const std::string& bytes)
{
    fximage::PngImage png;
    if (!fximage::DecodePng(bytes.data(), bytes.size(), fximage::PngDecodeOptions(), png))
        return nullptr;
    auto image = std::make_unique<Image>(static_cast<int>(png.width), static_cast<int>(png.height));
    if (!image->Valid())
        return nullptr;
    // The page draws premultiplied pixels.
    bool alpha = false;
    const unsigned char* src = png.pixels.data();
    DWORD* dst = image->Bits();
    size_t count = static_cast<size_t>(png.width) * png.height;
    for (size_t i = 0; i < count; ++i, src += 4) {
        unsigned a = src[3];
        if (a != 255)
            alpha = true;
        unsigned b = src[0] * a / 255, g = src[1] * a / 255, r = src[2] * a / 255;
        dst[i] = (a << 24) | (r << 16) | (g << 8) | b;
    }
    image->SetHasAlpha(alpha);
    return image;
}

void SetRenderBufferHook(RenderBufferHook hook)
{
    g_renderBufferHook = hook;
}

namespace {

// A stream over a copy of the bytes; null when memory runs out.
ComPtr<IStream> StreamOverCopy(const std::string& bytes)
{
    std::unique_ptr<void, GlobalDeleter> mem(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
    if (!mem)
        return {};
    void* p = GlobalLock(mem.get());
    if (!p)
        return {};
    memcpy(p, bytes.data(), bytes.size());
    GlobalUnlock(mem.get());
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(mem.get(), TRUE, &stream)) || !stream)
        return {};
    mem.release(); // the stream frees it now
    return ComPtr<IStream>::Adopt(stream);
}

// Renders the picture twice, on white and on black, to recover transparency (GIF, icons).
void RenderWithTransparency(IPicture* picture, OLE_XSIZE_HIMETRIC hmw, OLE_YSIZE_HIMETRIC hmh, Image& image)
{
    const int w = image.Width(), h = image.Height();
    BitmapDC dc(nullptr, image.Bitmap());
    if (!dc.Valid())
        return;
    if (g_renderBufferHook)
        g_renderBufferHook(image.Bitmap());
    size_t count = static_cast<size_t>(w) * h;
    std::vector<DWORD> onWhite(count);
    RECT rc = {0, 0, w, h};
    FillRect(dc.Dc(), &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    GdiFlush();
    picture->Render(dc.Dc(), 0, 0, w, h, 0, hmh, hmw, -hmh, nullptr);
    GdiFlush();
    memcpy(onWhite.data(), image.Bits(), count * 4);
    FillRect(dc.Dc(), &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    GdiFlush();
    picture->Render(dc.Dc(), 0, 0, w, h, 0, hmh, hmw, -hmh, nullptr);
    GdiFlush();
    bool alpha = false;
    DWORD* bits = image.Bits();
    for (size_t i = 0; i < count; ++i) {
        DWORD wv = onWhite[i] & 0xFFFFFF, bv = bits[i] & 0xFFFFFF;
        if (wv != bv && wv == 0xFFFFFF && bv == 0) {
            bits[i] = 0;
            alpha = true;
        } else {
            bits[i] = 0xFF000000 | bv;
        }
    }
    image.SetHasAlpha(alpha);
}

} // namespace

std::unique_ptr<Image> DecodeWithOlePicture(const std::string& bytes)
{
    if (bytes.empty() || bytes.size() > ImageCache::kMaxFileBytes)
        return nullptr;
    ComPtr<IStream> stream = StreamOverCopy(bytes);
    if (!stream)
        return nullptr;
    IPicture* loaded = nullptr;
    HRESULT hr = OleLoadPicture(stream.Get(), static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                                reinterpret_cast<void**>(&loaded));
    ComPtr<IPicture> picture = ComPtr<IPicture>::Adopt(loaded);
    stream.Reset();
    if (FAILED(hr) || !picture)
        return nullptr;
    OLE_XSIZE_HIMETRIC hmw = 0;
    OLE_YSIZE_HIMETRIC hmh = 0;
    picture->get_Width(&hmw);
    picture->get_Height(&hmh);
    // HIMETRIC to pixels at 96 dots per inch.
    int w = MulDiv(hmw, 96, 2540), h = MulDiv(hmh, 96, 2540);
    if (w <= 0 || h <= 0 || static_cast<long long>(w) * h > ImageCache::kMaxPixels)
        return nullptr;
    auto image = std::make_unique<Image>(w, h);
    if (!image->Valid())
        return nullptr;
    RenderWithTransparency(picture.Get(), hmw, hmh, *image);
    return image;
}

std::unique_ptr<Image> DecodeImage(const std::string& bytes)
{
    if (bytes.size() >= 8 && static_cast<unsigned char>(bytes[0]) == 0x89 && bytes.compare(1, 3, "PNG") == 0)
        return DecodePng(bytes);
    bool known = (bytes.size() > 3 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
                  static_cast<unsigned char>(bytes[1]) == 0xD8) ||
                 bytes.compare(0, 4, "GIF8") == 0 || bytes.compare(0, 2, "BM") == 0;
    if (!known)
        return nullptr;
    return DecodeWithOlePicture(bytes);
}

bool ReadWholeFile(const std::wstring& path, std::string& out, size_t maxBytes)
{
    out.clear();
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size = {};
    bool ok = GetFileSizeEx(file, &size) != FALSE;
    if (ok) {
        size_t n = static_cast<size_t>(std::min<long long>(size.QuadPart, static_cast<long long>(maxBytes)));
        out.resize(n);
        size_t done = 0;
        while (done < n) {
            DWORD chunk = static_cast<DWORD>(std::min<size_t>(n - done, 1u << 24));
            DWORD got = 0;
            if (!ReadFile(file, &out[done], chunk, &got, nullptr) || got == 0)
                break;
            done += got;
        }
        out.resize(done);
    }
    CloseHandle(file);
    return ok;
}

const Image* ImageCache::Get(const std::wstring& pathIn)
{
    const std::wstring key = Lower(pathIn);
    auto it = m_images.find(key);
    if (it != m_images.end())
        return it->second.get();
    std::unique_ptr<Image> image;
    std::string bytes;
    if (m_images.size() < 4096 && ReadWholeFile(pathIn, bytes, kMaxFileBytes))
        image = DecodeImage(bytes);
    const Image* raw = image.get();
    m_images[key] = std::move(image);
    return raw;
}

} // namespace fxb
