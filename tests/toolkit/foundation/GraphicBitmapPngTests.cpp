// PNG files and resources become 32-bit top-down DIB sections with straight pixels and the
// alpha flag; failures leave nothing attached.
#include "toolkit/foundation/GraphicBitmapPng.h"
#include "tests/common/PngWriter.h"
#include "tests/common/WineTestSupport.h"
#include "tests/toolkit/foundation/FoundationTestResources.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <fstream>

using testsupport::PngFixture;
using testsupport::WritePng;

namespace {

// The DIB's pixels as BGRA bytes in memory order, after checking that it is a 32-bit section.
// (Wine reports a top-down section's height as positive: the pixel order shows the direction.)
std::vector<BYTE> SectionBytes(const CQorGraphicBitmapPng& bitmap, int width, int height)
{
    DIBSECTION ds = {};
    if (GetObjectW(bitmap.GetSafeHandle(), sizeof(ds), &ds) != sizeof(ds))
        return {};
    EXPECT_EQ(width, ds.dsBmih.biWidth);
    EXPECT_EQ(height, std::abs(ds.dsBmih.biHeight));
    EXPECT_EQ(32, ds.dsBmih.biBitCount);
    const BYTE* bits = static_cast<const BYTE*>(ds.dsBm.bmBits);
    return std::vector<BYTE>(bits, bits + width * height * 4);
}

PngFixture TwoPixels(int colorType, std::vector<png_byte> rows, int width = 2)
{
    PngFixture fixture;
    fixture.width = width;
    fixture.height = 2 / width;
    fixture.colorType = colorType;
    fixture.rows = std::move(rows);
    return fixture;
}

struct FileCase
{
    const char* name;
    PngFixture fixture;
    BOOL alpha;
    std::vector<BYTE> bytes; // both pixels, BGRA
    int width = 2;
};

TEST(GraphicBitmapPng, FilesDecodeToStraightSectionsWithTheAlphaFlag)
{
    PngFixture palette = TwoPixels(PNG_COLOR_TYPE_PALETTE, {0, 1});
    palette.palette = {{255, 0, 0}, {0, 0, 255}};
    palette.paletteAlpha = {255, 128};
    PngFixture background = TwoPixels(PNG_COLOR_TYPE_RGB_ALPHA, {255, 0, 0, 255, 0, 0, 0, 0});
    background.background = true;
    background.backgroundColour.green = 200;
    PngFixture grey = TwoPixels(PNG_COLOR_TYPE_GRAY_ALPHA, {30, 255, 60, 0});
    const FileCase cases[] = {
        {"palette with tRNS", palette, TRUE, {0, 0, 255, 255, 255, 0, 0, 128}},
        {"RGB: alpha bytes 0", TwoPixels(PNG_COLOR_TYPE_RGB, {1, 2, 3, 4, 5, 6}), FALSE, {3, 2, 1, 0, 6, 5, 4, 0}},
        {"grey with alpha", grey, TRUE, {30, 30, 30, 255, 60, 60, 60, 0}},
        {"bKGD composited", background, FALSE, {0, 0, 255, 0, 0, 200, 0, 0}},
        {"rows top-down",
         TwoPixels(PNG_COLOR_TYPE_RGB, {255, 0, 0, 0, 0, 255}, 1),
         FALSE,
         {0, 0, 255, 0, 255, 0, 0, 0},
         1},
    };
    testsupport::TempFolder folder;
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::wstring path = folder.File(L"image.png");
        std::string bytes = WritePng(c.fixture);
        std::ofstream(path.c_str(), std::ios::binary).write(bytes.data(), bytes.size());
        CQorGraphicBitmapPng bitmap;
        ASSERT_TRUE(bitmap.LoadFromFile(path.c_str()));
        EXPECT_EQ(c.alpha, bitmap.IsAlpha());
        EXPECT_EQ(c.bytes, SectionBytes(bitmap, c.width, 2 / c.width));
    }
}

TEST(GraphicBitmapPng, FailedLoadLeavesNothingAttached)
{
    PngFixture fixture = TwoPixels(PNG_COLOR_TYPE_RGB_ALPHA, std::vector<png_byte>(8, 90));
    std::string good = WritePng(fixture);
    testsupport::TempFolder folder;
    std::wstring path = folder.File(L"cut.png");
    std::ofstream(path.c_str(), std::ios::binary).write(good.data(), good.size() - 16);

    CQorGraphicBitmapPng bitmap;
    CMemFile memory(reinterpret_cast<BYTE*>(&good[0]), static_cast<UINT>(good.size()));
    ASSERT_TRUE(bitmap.Decode(&memory));
    HGDIOBJ first = bitmap.GetSafeHandle();
    EXPECT_TRUE(bitmap.IsAlpha());

    EXPECT_FALSE(bitmap.LoadFromFile(path.c_str()));
    EXPECT_EQ(nullptr, bitmap.GetSafeHandle());
    EXPECT_FALSE(bitmap.IsAlpha());
    EXPECT_EQ(0u, GetObjectType(first)); // the earlier bitmap was freed, not leaked
    EXPECT_FALSE(bitmap.LoadFromFile(folder.File(L"missing.png").c_str()));
    EXPECT_EQ(nullptr, bitmap.GetSafeHandle());
}

TEST(GraphicBitmapPng, ResourcesLoadAndTinyOnesAreRefused)
{
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC alpha = FindResourceW(module, MAKEINTRESOURCEW(IDR_TEST_PNG_ALPHA), L"PNG");
    HRSRC tiny = FindResourceW(module, MAKEINTRESOURCEW(IDR_TEST_PNG_NINE_BYTES), L"PNG");
    ASSERT_NE(nullptr, alpha);
    ASSERT_NE(nullptr, tiny);
    ASSERT_EQ(9u, SizeofResource(module, tiny));

    CQorGraphicBitmapPng bitmap;
    ASSERT_TRUE(bitmap.LoadFromResource(alpha, module));
    EXPECT_TRUE(bitmap.IsAlpha());
    EXPECT_EQ((std::vector<BYTE>{0, 0, 255, 255, 255, 0, 0, 0}), SectionBytes(bitmap, 2, 1));
    EXPECT_FALSE(bitmap.LoadFromResource(tiny, module));
    EXPECT_EQ(nullptr, bitmap.GetSafeHandle());
    EXPECT_FALSE(bitmap.LoadFromResource(nullptr, module));
}

} // namespace
