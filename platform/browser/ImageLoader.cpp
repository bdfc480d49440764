#include "platform/browser/ImageLoader.h"
#include "platform/browser/TextUtil.h"
#include <ole2.h>
#include <olectl.h>
#include <png.h>
#include <csetjmp>
#include <cstring>
#include <cwctype>
#include <vector>

namespace fxb {

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
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, m_bitmap);
    int w = target.right - target.left, h = target.bottom - target.top;
    if (m_alpha) {
        BLENDFUNCTION bf = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        AlphaBlend(dc, target.left, target.top, w, h, mem, 0, 0, m_width, m_height, bf);
    } else {
        int oldMode = SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, target.left, target.top, w, h, mem, 0, 0, m_width, m_height, SRCCOPY);
        SetStretchBltMode(dc, oldMode);
    }
    SelectObject(mem, old);
    DeleteDC(mem);
}

namespace {

struct PngReadState {
    const std::string* bytes;
    size_t pos;
};

void PngRead(png_structp png, png_bytep out, png_size_t count)
{
    auto* st = static_cast<PngReadState*>(png_get_io_ptr(png));
    if (st->pos + count > st->bytes->size())
        png_error(png, "truncated");
    memcpy(out, st->bytes->data() + st->pos, count);
    st->pos += count;
}

void PngError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void PngWarning(png_structp, png_const_charp) {}

// Everything that must survive a longjmp lives outside the function that calls setjmp.
struct PngJob {
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::vector<png_bytep> rows;
    std::vector<unsigned char> pixels;
    png_uint_32 width = 0, height = 0;
    PngReadState state{};
};

bool RunPngJob(PngJob& job)
{
    if (setjmp(png_jmpbuf(job.png)))
        return false;
    png_set_read_fn(job.png, &job.state, PngRead);
    png_set_user_limits(job.png, 20000, 20000);
    png_read_info(job.png, job.info);
    int bitDepth = 0, colorType = 0;
    png_get_IHDR(job.png, job.info, &job.width, &job.height, &bitDepth, &colorType, nullptr, nullptr, nullptr);
    if (static_cast<unsigned long long>(job.width) * job.height > static_cast<unsigned long long>(ImageCache::kMaxPixels))
        return false;
    if (bitDepth == 16)
        png_set_strip_16(job.png);
    if (colorType == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(job.png);
    if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8)
        png_set_expand_gray_1_2_4_to_8(job.png);
    if (png_get_valid(job.png, job.info, PNG_INFO_tRNS))
        png_set_tRNS_to_alpha(job.png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(job.png);
    png_set_bgr(job.png);
    png_set_filler(job.png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(job.png);
    png_read_update_info(job.png, job.info);
    job.pixels.resize(static_cast<size_t>(job.width) * job.height * 4);
    job.rows.resize(job.height);
    for (png_uint_32 y = 0; y < job.height; ++y)
        job.rows[y] = job.pixels.data() + static_cast<size_t>(y) * job.width * 4;
    png_read_image(job.png, job.rows.data());
    png_read_end(job.png, nullptr);
    return true;
}

} // namespace

std::unique_ptr<Image> DecodePng(const std::string& bytes)
{
    if (bytes.size() < 8 || png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.data()), 0, 8) != 0)
        return nullptr;
    PngJob job;
    job.state = {&bytes, 0};
    job.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
    if (!job.png)
        return nullptr;
    job.info = png_create_info_struct(job.png);
    bool ok = job.info && RunPngJob(job);
    png_destroy_read_struct(&job.png, job.info ? &job.info : nullptr, nullptr);
    if (!ok || job.width == 0 || job.height == 0)
        return nullptr;
    auto image = std::make_unique<Image>(static_cast<int>(job.width), static_cast<int>(job.height));
    if (!image->Valid())
        return nullptr;
    bool alpha = false;
    const unsigned char* src = job.pixels.data();
    DWORD* dst = image->Bits();
    size_t count = static_cast<size_t>(job.width) * job.height;
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

std::unique_ptr<Image> DecodeWithOlePicture(const std::string& bytes)
{
    if (bytes.empty() || bytes.size() > ImageCache::kMaxFileBytes)
        return nullptr;
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!mem)
        return nullptr;
    void* p = GlobalLock(mem);
    memcpy(p, bytes.data(), bytes.size());
    GlobalUnlock(mem);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(mem, TRUE, &stream))) {
        GlobalFree(mem);
        return nullptr;
    }
    IPicture* picture = nullptr;
    HRESULT hr = OleLoadPicture(stream, static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                                reinterpret_cast<void**>(&picture));
    stream->Release();
    if (FAILED(hr) || !picture)
        return nullptr;
    std::unique_ptr<Image> image;
    OLE_XSIZE_HIMETRIC hmw = 0;
    OLE_YSIZE_HIMETRIC hmh = 0;
    picture->get_Width(&hmw);
    picture->get_Height(&hmh);
    // HIMETRIC to pixels at 96 dots per inch.
    int w = MulDiv(hmw, 96, 2540), h = MulDiv(hmh, 96, 2540);
    if (w > 0 && h > 0 && static_cast<long long>(w) * h <= ImageCache::kMaxPixels) {
        image = std::make_unique<Image>(w, h);
        if (image->Valid()) {
            // Render twice, on white and on black, to recover transparency (GIF, icons).
            HDC dc = CreateCompatibleDC(nullptr);
            HGDIOBJ old = SelectObject(dc, image->Bitmap());
            size_t count = static_cast<size_t>(w) * h;
            std::vector<DWORD> onWhite(count);
            RECT rc = {0, 0, w, h};
            FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            GdiFlush();
            picture->Render(dc, 0, 0, w, h, 0, hmh, hmw, -hmh, nullptr);
            GdiFlush();
            memcpy(onWhite.data(), image->Bits(), count * 4);
            FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            GdiFlush();
            picture->Render(dc, 0, 0, w, h, 0, hmh, hmw, -hmh, nullptr);
            GdiFlush();
            SelectObject(dc, old);
            DeleteDC(dc);
            bool alpha = false;
            DWORD* bits = image->Bits();
            for (size_t i = 0; i < count; ++i) {
                DWORD wv = onWhite[i] & 0xFFFFFF, bv = bits[i] & 0xFFFFFF;
                if (wv == bv) {
                    bits[i] = 0xFF000000 | bv;
                } else if (wv == 0xFFFFFF && bv == 0) {
                    bits[i] = 0;
                    alpha = true;
                } else {
                    bits[i] = 0xFF000000 | bv;
                }
            }
            image->SetHasAlpha(alpha);
        } else {
            image.reset();
        }
    }
    picture->Release();
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
