// Images of a page: PNG through the shared decoder, JPEG, GIF and BMP through OLE picture loading.
#pragma once
#include <windows.h>
#include <map>
#include <memory>
#include <string>

namespace fxb {

class Image
{
public:
    Image(int width, int height);
    ~Image();
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool HasAlpha() const { return m_alpha; }
    HBITMAP Bitmap() const { return m_bitmap; } // 32-bit top-down DIB, premultiplied alpha
    DWORD* Bits() const { return m_bits; }
    void SetHasAlpha(bool alpha) { m_alpha = alpha; }
    bool Valid() const { return m_bitmap != nullptr; }

    // Draws the image scaled into a rectangle of the DC.
    void Draw(HDC dc, const RECT& target) const;

private:
    int m_width, m_height;
    bool m_alpha = false;
    HBITMAP m_bitmap = nullptr;
    DWORD* m_bits = nullptr;
};

// Decoders; null when the bytes are not an image of that kind or are damaged.
std::unique_ptr<Image> DecodePng(const std::string& bytes);
std::unique_ptr<Image> DecodeWithOlePicture(const std::string& bytes);
std::unique_ptr<Image> DecodeImage(const std::string& bytes);

// Test seam: called with the image's bitmap where the picture decoder takes its render
// buffer, so that a test can throw there and check that nothing is left behind. Null (no
// call) unless a test sets it.
using RenderBufferHook = void (*)(HBITMAP target);
void SetRenderBufferHook(RenderBufferHook hook);

// Loaded images of one document by absolute path; a failed load is remembered as null.
class ImageCache
{
public:
    const Image* Get(const std::wstring& path);
    static constexpr size_t kMaxFileBytes = 32u << 20;
    static constexpr int kMaxPixels = 40 * 1000 * 1000;

private:
    std::map<std::wstring, std::unique_ptr<Image>> m_images;
};

bool ReadWholeFile(const std::wstring& path, std::string& out, size_t maxBytes);

} // namespace fxb
