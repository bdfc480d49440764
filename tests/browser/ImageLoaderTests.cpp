// The page engine's picture decoding leaves nothing behind when it fails half-way.
#include "platform/browser/ImageLoader.h"
#include <gtest/gtest.h>
#include <new>

using namespace fxb;

namespace {

// A 1 x 1 24-bit BMP, white.
const unsigned char kWhitePixelBmp[] = {
    'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,                    // file header
    40,  0,   0,  0, 1, 0, 0, 0, 1, 0, 0,  0, 1, 0, 24, 0, 0, 0, 0, 0, // info header
    4,   0,   0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0, 255, 255, 255, 0};

HBITMAP g_renderTarget = nullptr;

void FailRenderBuffer(HBITMAP target)
{
    g_renderTarget = target;
    throw std::bad_alloc();
}

TEST(ImageLoader, FailedRenderBufferReleasesTheDeviceContextAndBitmap)
{
    {
        // What the check below relies on: a bitmap selected into a DC survives DeleteObject.
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP probe = CreateCompatibleBitmap(dc, 1, 1);
        HGDIOBJ old = SelectObject(dc, probe);
        DeleteObject(probe);
        EXPECT_NE(0u, GetObjectType(probe));
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(probe);
    }

    const std::string bmp(reinterpret_cast<const char*>(kWhitePixelBmp), sizeof(kWhitePixelBmp));
    ASSERT_NE(nullptr, DecodeWithOlePicture(bmp));

    SetRenderBufferHook(FailRenderBuffer);
    EXPECT_THROW(DecodeWithOlePicture(bmp), std::bad_alloc);
    SetRenderBufferHook(nullptr);
    ASSERT_NE(nullptr, g_renderTarget);
    // A bitmap still selected into a forgotten device context outlives its deletion.
    EXPECT_EQ(0u, GetObjectType(g_renderTarget));
}

} // namespace
