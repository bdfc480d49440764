// The foundation scene in a real window: icons of three sources in every state and derived
// image, plain and mirrored, nine-grid frames and rich text, read back pixel by pixel.
#include <gtest/gtest.h>
#include <windows.h>

#include "demos/foundation/ImageScene.h"
#include "tests/common/WineTestSupport.h"
#include "tests/toolkit/foundation/ImageExpectations.h"

using foundationtest::BlendOver;
using foundationtest::ExpectedImageColour;
using foundationtest::IsNear;

namespace {

const COLORREF kMagenta = CImageScene::kBackground;
// The three icons of every strip (demos/foundation/images), and how each source draws the
// second ring: half-covered for the alpha sources, half as bright and opaque for the masked one.
const COLORREF kIconColours[3] = {RGB(200, 40, 40), RGB(40, 160, 40), RGB(40, 60, 200)};

COLORREF Half(COLORREF c)
{
    return RGB(GetRValue(c) / 2, GetGValue(c) / 2, GetBValue(c) / 2);
}

} // namespace

TEST(ImageScene, IconsOfEverySourceInEveryStatePlainAndMirrored)
{
    CImageScene scene(GetModuleHandleW(nullptr));
    ASSERT_TRUE(scene.IsLoaded());
    ASSERT_NE(nullptr, scene.Create());
    testsupport::WindowCapture capture(scene.GetSafeHwnd());
    const char* sources[] = {"PNG alpha strip", "32-bit bitmap", "24-bit masked strip"};
    for (int source = 0; source < CImageScene::kSources; ++source) {
        const bool masked = source == 2;
        for (int icon = 0; icon < CImageScene::kIcons; ++icon) {
            for (int image = 0; image < CImageScene::kImages; ++image) {
                for (BOOL mirrored : {FALSE, TRUE}) {
                    SCOPED_TRACE(::testing::Message() << sources[source] << ", icon " << icon << ", image " << image
                                                      << (mirrored ? ", mirrored" : ", plain"));
                    const CPoint o = CImageScene::GetIconOrigin(source, icon, image, mirrored);
                    const COLORREF c = ExpectedImageColour(kIconColours[icon], image);
                    // Corners and the space around the icon stay magenta.
                    EXPECT_EQ(kMagenta, capture.Pixel(o.x, o.y));
                    EXPECT_EQ(kMagenta, capture.Pixel(o.x + 15, o.y + 15));
                    EXPECT_EQ(kMagenta, capture.Pixel(o.x + 17, o.y + 8));
                    EXPECT_TRUE(IsNear(c, capture.Pixel(o.x + 8, o.y + 8), 2));
                    const COLORREF edge =
                        masked ? ExpectedImageColour(Half(kIconColours[icon]), image) : BlendOver(c, kMagenta, 128);
                    EXPECT_TRUE(IsNear(edge, capture.Pixel(o.x + 1, o.y + 7), 3));
                    // The white marker near the top-left corner moves to the top-right when mirrored.
                    if (image == CImageScene::imageNormal) {
                        EXPECT_EQ(RGB(255, 255, 255), capture.Pixel(o.x + (mirrored ? 12 : 3), o.y + 3));
                        EXPECT_TRUE(IsNear(c, capture.Pixel(o.x + (mirrored ? 3 : 12), o.y + 3), 2));
                    }
                }
            }
        }
    }
}

TEST(ImageScene, NineGridFramesKeepCornersEdgesAndCentre)
{
    CImageScene scene(GetModuleHandleW(nullptr));
    ASSERT_NE(nullptr, scene.Create());
    testsupport::WindowCapture capture(scene.GetSafeHwnd());
    const COLORREF edge = RGB(30, 30, 120), centre = RGB(230, 230, 160);
    for (int size = 0; size < 3; ++size) {
        SCOPED_TRACE(size);
        const CRect rc = CImageScene::GetNineGridRect(size);
        // The frame's transparent corner pixels, at all four corners.
        EXPECT_EQ(kMagenta, capture.Pixel(rc.left, rc.top));
        EXPECT_EQ(kMagenta, capture.Pixel(rc.right - 1, rc.bottom - 1));
        EXPECT_EQ(kMagenta, capture.Pixel(rc.right, rc.top + 2)); // just outside
        EXPECT_EQ(edge, capture.Pixel(rc.left + 1, rc.top));
        EXPECT_EQ(edge, capture.Pixel(rc.left, rc.top + rc.Height() / 2));
        EXPECT_EQ(edge, capture.Pixel(rc.right - 1, rc.top + rc.Height() / 2));
        EXPECT_EQ(edge, capture.Pixel(rc.left + rc.Width() / 2, rc.bottom - 1));
        EXPECT_EQ(centre, capture.Pixel(rc.left + rc.Width() / 2, rc.top + rc.Height() / 2));
    }
}

TEST(ImageScene, RichTextIsDrawnInItsBlock)
{
    CImageScene scene(GetModuleHandleW(nullptr));
    ASSERT_NE(nullptr, scene.Create());
    testsupport::WindowCapture capture(scene.GetSafeHwnd());
    const CRect rc = CImageScene::GetRichTextRect();
    int dark = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x) {
            const COLORREF c = capture.Pixel(x, y);
            dark += GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100 ? 1 : 0;
        }
    EXPECT_GT(dark, 50);
    EXPECT_EQ(kMagenta, capture.Pixel(rc.left - 1, rc.bottom + 5));
}
