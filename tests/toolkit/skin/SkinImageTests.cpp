// Skin images drawn into DIBs: nine-grid pieces stretched, tiled and squeezed, solid regions,
// transparency, mirroring, and margins that do not fit.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "tests/toolkit/skin/SkinTestSupport.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/skin/SkinImage.h"

using skintest::SkinCanvas;

namespace {

const COLORREF kBackground = RGB(7, 7, 7);
const COLORREF kNone = static_cast<COLORREF>(-1);

// An image from a pixel function (x, y from the top-left); alpha images get straight pixels
// with the alpha the function puts in the top byte.
std::unique_ptr<CQorSkinImage> MakeImage(int width, int height, std::function<DWORD(int, int)> pixel,
                                         bool alpha = false)
{
    DWORD* p = nullptr;
    HBITMAP bitmap = skintest::MakeTopDownSection(width, height, &p);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const DWORD v = pixel(x, y);
            const COLORREF c = v & 0xFFFFFF;
            p[y * width + x] =
                (alpha ? (v & 0xFF000000) : 0) | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    auto image = std::make_unique<CQorSkinImage>();
    image->SetBitmap(bitmap, alpha, TRUE);
    return image;
}

COLORREF Column(int x)
{
    return RGB(40 + x * 20, 100, 200 - x * 10);
}

} // namespace

TEST(SkinImage, TileWithMarginsFillingTheHeightTilesAcrossOnly)
{
    // Rows: top margin rows 0-1, bottom rows 2-3; every column its own colour, rows darker below.
    auto image = MakeImage(6, 4, [](int x, int y) { return Column(x) - (y >= 2 ? 0x202020 : 0) + (y & 1); });
    SkinCanvas canvas(40, 8, kBackground);
    image->DrawImage(canvas.Dc(), CRect(0, 0, 20, 8), CRect(0, 0, 6, 4), CRect(1, 2, 1, 2), kNone, qorSkinTile, FALSE);
    // The top edge (source columns 1-4) repeats every four pixels; each source row is stretched
    // to two destination rows.
    for (int x = 1; x < 19; ++x) {
        SCOPED_TRACE(x);
        const int source = 1 + (x - 1) % 4;
        EXPECT_EQ(Column(source), canvas.Pixel(x, 0));
        EXPECT_EQ(Column(source), canvas.Pixel(x, 1));
        EXPECT_EQ(Column(source) + 1, canvas.Pixel(x, 2));
    }
    EXPECT_EQ(kBackground, canvas.Pixel(20, 0));
}

TEST(SkinImage, NarrowDestinationSharesItsWidthByTheMargins)
{
    const COLORREF left = RGB(200, 0, 0), middle = RGB(0, 200, 0), right = RGB(0, 0, 200);
    auto image = MakeImage(10, 4, [&](int x, int) { return x < 6 ? left : (x < 8 ? middle : right); });
    SkinCanvas canvas(8, 4, kBackground);
    image->DrawImage(canvas.Dc(), CRect(0, 0, 4, 4), CRect(0, 0, 10, 4), CRect(6, 0, 2, 0), kNone, qorSkinStretch,
                     FALSE);
    // Four pixels for margins of 6 and 2: three for the left, one for the right, none between.
    for (int x = 0; x < 3; ++x)
        EXPECT_EQ(left, canvas.Pixel(x, 1)) << x;
    EXPECT_EQ(right, canvas.Pixel(3, 1));
    EXPECT_EQ(kBackground, canvas.Pixel(4, 1));
}

TEST(SkinImage, UniformCentreBecomesASolidRegionFilledWhole)
{
    const COLORREF centre = RGB(12, 34, 56);
    auto image = MakeImage(9, 9, [&](int x, int y) {
        return (x >= 3 && x < 6 && y >= 3 && y < 6) ? centre : RGB(x * 25, y * 25, (x * y) % 250);
    });
    image->DetectSolidRects(CRect(3, 3, 3, 3), 1, FALSE);
    ASSERT_EQ(1, image->GetSolidRects().GetSize());
    const CQorSkinImage::SOLIDRECT& solid = image->GetSolidRects()[0];
    EXPECT_EQ(CRect(3, 3, 6, 6), CRect(solid.left, solid.top, solid.right, solid.bottom));
    EXPECT_EQ(centre, solid.clr);
    SkinCanvas canvas(40, 40, kBackground);
    image->DrawImage(canvas.Dc(), CRect(0, 0, 40, 40), CRect(0, 0, 9, 9), CRect(3, 3, 3, 3), kNone, qorSkinStretch,
                     FALSE);
    EXPECT_EQ(34 * 34, canvas.Count(centre, CRect(3, 3, 37, 37)));
}

TEST(SkinImage, SolidRegionsStayInsideTheirFrameWhateverTheMargins)
{
    // One colour but for the last column, so that no frame is uniform and its edges are.
    auto pixel = [](int x, int) { return x == 9 ? RGB(200, 0, 0) : RGB(1, 2, 3); };
    const RECT margins[] = {{1000, 1000, 1000, 1000}, {-5, -5, -5, -5}, {0, 100, 0, 100}, {9, 9, 9, 9}, {0, 15, 1, 0}};
    for (const RECT& m : margins) {
        for (int count : {1, 3, 30, 31, 1000000}) {
            SCOPED_TRACE(testing::Message()
                         << m.left << "," << m.top << "," << m.right << "," << m.bottom << " count " << count);
            auto image = MakeImage(10, 30, pixel);
            image->DetectSolidRects(m, count, FALSE);
            const int frame = count > 0 ? 30 / count : 0;
            for (INT_PTR i = 0; i < image->GetSolidRects().GetSize(); ++i) {
                const CQorSkinImage::SOLIDRECT& r = image->GetSolidRects()[i];
                EXPECT_TRUE(r.left >= 0 && r.left < r.right && r.right <= 10);
                EXPECT_TRUE(r.top >= 0 && r.top < r.bottom && r.bottom <= 30);
                ASSERT_GT(frame, 0);
                EXPECT_EQ(r.top / frame, (r.bottom - 1) / frame); // one frame only
            }
        }
    }
    // Margins cut to a three-frame strip still find each frame's edges.
    auto image = MakeImage(10, 30, pixel);
    image->DetectSolidRects(CRect(0, 15, 1, 0), 3, FALSE);
    EXPECT_EQ(3, image->GetSolidRects().GetSize()); // the top edge of each frame
}

TEST(SkinImage, TransparentColourLeavesTheBackground)
{
    const COLORREF magenta = RGB(255, 0, 255), face = RGB(30, 60, 90);
    auto image = MakeImage(4, 4, [&](int x, int y) { return (x == 0 && y == 0) ? magenta : face; });
    SkinCanvas canvas(8, 8, kBackground);
    image->DrawImage(canvas.Dc(), CRect(0, 0, 8, 8), CRect(0, 0, 4, 4), CRect(0, 0, 0, 0), magenta, qorSkinStretch,
                     FALSE);
    EXPECT_EQ(kBackground, canvas.Pixel(0, 0));
    EXPECT_EQ(face, canvas.Pixel(5, 5));
    EXPECT_EQ(0, canvas.Count(magenta, CRect(0, 0, 8, 8)));
}

TEST(SkinImage, AlphaStripMirrorsOnceAndKeepsItsFrames)
{
    // Two frames side by side: frame 0 red, frame 1 blue, with a white pixel at each frame's
    // left edge.
    auto image = MakeImage(
        8, 2,
        [](int x, int) {
            return 0xFF000000 | (x % 4 == 0 ? RGB(255, 255, 255) : (x < 4 ? RGB(255, 0, 0) : RGB(0, 0, 255)));
        },
        true);
    ASSERT_TRUE(image->IsAlpha());
    SkinCanvas canvas(4, 2, kBackground);
    SetDCLayout(canvas.Dc()->GetSafeHdc(), LAYOUT_RTL);
    for (int draw = 0; draw < 2; ++draw) {
        canvas.Fill(kBackground);
        image->DrawImage(canvas.Dc(), CRect(0, 0, 4, 2), CRect(0, 0, 4, 2), CRect(0, 0, 0, 0), kNone, qorSkinStretch,
                         FALSE);
        EXPECT_TRUE(image->IsMirrored()) << draw;
        // Frame 0, mirrored: red, with its white edge on the right of the screen's picture.
        EXPECT_EQ(3, canvas.Count(RGB(255, 0, 0), CRect(0, 0, 4, 1)));
        EXPECT_EQ(0, canvas.Count(RGB(0, 0, 255), CRect(0, 0, 4, 2)));
    }
    SetDCLayout(canvas.Dc()->GetSafeHdc(), 0);
    canvas.Fill(kBackground);
    image->DrawImage(canvas.Dc(), CRect(0, 0, 4, 2), CRect(4, 0, 8, 2), CRect(0, 0, 0, 0), kNone, qorSkinStretch,
                     FALSE);
    EXPECT_FALSE(image->IsMirrored());
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(0, 0));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(1, 0));
}

TEST(SkinImage, AlphaSolidRegionsFillOnlyWhenOpaque)
{
    // Top frame fully transparent, bottom frame opaque green.
    auto image = MakeImage(
        4, 8, [](int, int y) { return y < 4 ? 0u : (0xFF000000 | RGB(0, 200, 0)); }, true);
    image->DetectSolidRects(CRect(0, 0, 0, 0), 2, FALSE);
    ASSERT_EQ(2, image->GetSolidRects().GetSize());
    SkinCanvas canvas(6, 6, kBackground);
    image->DrawImage(canvas.Dc(), CRect(0, 0, 6, 6), CRect(0, 0, 4, 4), CRect(0, 0, 0, 0), kNone, qorSkinStretch,
                     FALSE);
    EXPECT_EQ(36, canvas.Count(kBackground, CRect(0, 0, 6, 6)));
    image->DrawImage(canvas.Dc(), CRect(0, 0, 6, 6), CRect(0, 4, 4, 8), CRect(0, 0, 0, 0), kNone, qorSkinStretch,
                     FALSE);
    EXPECT_EQ(36, canvas.Count(RGB(0, 200, 0), CRect(0, 0, 6, 6)));
}

TEST(SkinImage, HostileMarginsDrawNothingOutsideTheDestination)
{
    auto image = MakeImage(10, 10, [](int x, int y) { return RGB(100 + x, 100 + y, 50); });
    const RECT margins[] = {{1000, 1000, 1000, 1000}, {1000, 0, 1000, 0}, {0, 0, 1000, 0}, {-50, -50, -50, -50}};
    for (const RECT& m : margins) {
        SCOPED_TRACE(testing::Message() << m.left << "," << m.top << "," << m.right << "," << m.bottom);
        SkinCanvas canvas(50, 50, kBackground);
        image->DrawImage(canvas.Dc(), CRect(10, 10, 40, 40), CRect(0, 0, 10, 10), CRect(m), kNone, qorSkinTile, FALSE);
        EXPECT_EQ(50 * 50 - 30 * 30,
                  canvas.Count(kBackground, CRect(0, 0, 50, 50)) - canvas.Count(kBackground, CRect(10, 10, 40, 40)));
    }
}
