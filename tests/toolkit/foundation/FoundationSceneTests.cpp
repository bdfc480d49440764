// The foundation's demo scene, as a person sees it: swatches native beside their fallbacks,
// themed beside themes off, and a splitter dragged with the mouse.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "demos/foundation/SwatchScene.h"
#include "tests/common/WineTestSupport.h"
#include "tests/toolkit/foundation/FoundationTestSupport.h"
#include "toolkit/foundation/ColorManager.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/WinThemeWrapper.h"

using namespace swatchscene;
using foundationtest::Near;
using foundationtest::SendMouse;

namespace {

class FoundationScene : public testing::Test
{
protected:
    void SetUp() override
    {
        scene = CreateScene(40, 40);
        ASSERT_NE(nullptr, scene);
        SetForegroundWindow(scene);
        testsupport::PumpMessages();
    }
    void TearDown() override
    {
        QorSetMissingMsimg32EntriesForTest(0);
        QorSetThemeModeForTest(qorThemeReal);
        DestroyWindow(scene);
        testsupport::PumpMessages();
    }
    // The swatches of one column as they should look.
    void ExpectColumn(const testsupport::WindowCapture& capture, int column, const char* mode)
    {
        RECT rc = SwatchRect(scene, rowHorizontalGradient, column);
        int midY = (rc.top + rc.bottom) / 2, width = rc.right - rc.left;
        EXPECT_TRUE(Near(kGradientFrom, capture.Pixel(rc.left, midY), 2)) << mode << column;
        EXPECT_TRUE(Near(kGradientTo, capture.Pixel(rc.right - 1, midY), 6)) << mode << column;
        EXPECT_TRUE(
            Near(BlendColorsByFactor(kGradientTo, kGradientFrom, 0.5), capture.Pixel(rc.left + width / 2, midY), 3))
            << mode << column;
        rc = SwatchRect(scene, rowVerticalGradient, column);
        EXPECT_TRUE(Near(kGradientFrom, capture.Pixel(rc.left + 5, rc.top), 2)) << mode << column;
        EXPECT_TRUE(Near(kGradientTo, capture.Pixel(rc.left + 5, rc.bottom - 1), 6)) << mode << column;

        rc = SwatchRect(scene, rowAlphaBlend, column);
        EXPECT_TRUE(Near(kAlphaBlended, capture.Pixel((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2), 1))
            << mode << column;

        rc = SwatchRect(scene, rowTransparentBlt, column);
        EXPECT_EQ(kAlphaBackground, capture.Pixel(rc.left + 1, rc.top + 1)) << mode << column;
        EXPECT_EQ(kTransparentSquare, capture.Pixel((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2))
            << mode << column;
    }
    HWND scene = nullptr;
};

} // namespace

TEST_F(FoundationScene, NativeAndFallbackColumnsShowTheSameSwatches)
{
    testsupport::WindowCapture capture(scene);
    ExpectColumn(capture, 0, "native ");
    ExpectColumn(capture, 1, "fallback ");
    // Each column carries its label above its swatches.
    for (int column = 0; column < 2; ++column) {
        const RECT rcLabel = LabelRect(scene, column);
        const RECT rcSwatch = SwatchRect(scene, rowHorizontalGradient, column);
        EXPECT_LE(rcLabel.bottom, rcSwatch.top) << column;
        const int text = (rcLabel.right - rcLabel.left) * (rcLabel.bottom - rcLabel.top) -
                         capture.CountColor(capture.Pixel(rcLabel.left, rcLabel.top), rcLabel);
        EXPECT_GT(text, 10) << "label of column " << column;
    }
    // Themes off: the classic tree-view face with its shadow frame.
    RECT classic = SwatchRect(scene, rowTreeViewBackground, 1);
    EXPECT_EQ(GetSysColor(COLOR_3DSHADOW), capture.Pixel(classic.left, classic.top));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), capture.Pixel(classic.left + 5, classic.top + 5));
    // Themed: drawn by the visual style, whose frame is its own border colour.
    RECT themed = SwatchRect(scene, rowTreeViewBackground, 0);
    EXPECT_EQ(RGB(0xAE, 0xAE, 0xAE), capture.Pixel(themed.left, themed.top));
    EXPECT_NE(GetSysColor(COLOR_3DFACE), capture.Pixel(themed.left + 5, themed.top + 5));
}

TEST_F(FoundationScene, FallbacksForcedAndThemesOffEverywhere)
{
    QorSetMissingMsimg32EntriesForTest(QOR_MSIMG32_ALL);
    QorSetThemeModeForTest(qorThemeOff);
    testsupport::WindowCapture capture(scene);
    ExpectColumn(capture, 0, "forced ");
    ExpectColumn(capture, 1, "forced ");
    for (int column : {0, 1}) {
        RECT rc = SwatchRect(scene, rowTreeViewBackground, column);
        EXPECT_EQ(GetSysColor(COLOR_3DSHADOW), capture.Pixel(rc.left, rc.top)) << column;
        EXPECT_EQ(GetSysColor(COLOR_WINDOW), capture.Pixel(rc.left + 5, rc.top + 5)) << column;
    }
}

TEST_F(FoundationScene, DraggingTheSplitterMovesTheColumnBorderWithinItsRange)
{
    struct Row
    {
        const char* name;
        int dx;
        int expectedLeft;
    } rows[] = {
        {"to the right", 50, kSplitterDefault + 50},
        {"past the right limit", 150, kSplitterMax},
        {"past the left limit", -250, kSplitterMin},
    };
    for (const Row& row : rows) {
        RECT bar = SplitterRect(scene);
        POINT grip = {(bar.left + bar.right) / 2, 100};
        ClientToScreen(scene, &grip);
        SendMouse(MOUSEEVENTF_MOVE, grip);
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        SendMouse(MOUSEEVENTF_MOVE, {grip.x + row.dx / 2, grip.y + 20});
        // The end point stays over the scene: Wine routes injected input by the window under it.
        POINT end = {std::min(std::max(grip.x + row.dx, 45L), 40L + kClientWidth), grip.y};
        SendMouse(MOUSEEVENTF_MOVE, end);
        SendMouse(MOUSEEVENTF_LEFTUP);
        EXPECT_TRUE(testsupport::PumpUntil([&] { return SplitterRect(scene).left == row.expectedLeft; }, 3000))
            << row.name << ": " << SplitterRect(scene).left;
        EXPECT_EQ(nullptr, GetCapture()) << row.name;
    }
    // The columns follow the splitter and still paint their swatches.
    testsupport::WindowCapture capture(scene);
    ExpectColumn(capture, 0, "after the drag ");
    ExpectColumn(capture, 1, "after the drag ");
}
