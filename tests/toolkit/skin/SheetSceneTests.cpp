// The skin sheet in a real window, driven by keys: the fixtures' cells against their INI, plain
// and mirrored, the Office-2007 fixture's bars, and every product skin's sheet saved for review.
#include <gtest/gtest.h>

#include "demos/skin/SheetScene.h"
#include "tests/common/PngWriter.h"
#include "tests/common/WineTestSupport.h"
#include "tests/toolkit/skin/SkinTestSupport.h"

using skinscene::CSheetScene;
using skintest::kBorderFillCells;
using skintest::OfficeColour;

namespace {

void PressKey(WORD key)
{
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = key;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

// What the screen shows of the sheet once it has painted.
std::unique_ptr<testsupport::WindowCapture> Capture(HWND hWnd)
{
    RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    testsupport::PumpMessages();
    return std::make_unique<testsupport::WindowCapture>(hWnd, true);
}

void SavePng(const testsupport::WindowCapture& capture, const std::wstring& path)
{
    testsupport::PngFixture png;
    png.width = capture.Width();
    png.height = capture.Height();
    for (int y = 0; y < png.height; ++y)
        for (int x = 0; x < png.width; ++x) {
            const COLORREF c = capture.Pixel(x, y);
            png.rows.push_back(GetRValue(c));
            png.rows.push_back(GetGValue(c));
            png.rows.push_back(GetBValue(c));
        }
    testsupport::WriteFileBytes(path, testsupport::WritePng(png));
}

struct SheetScene : ::testing::Test
{
    CSheetScene scene;

    void SetUp() override
    {
        ASSERT_TRUE(scene.Create(20, 20));
        SetForegroundWindow(scene.GetSafeHwnd());
        ASSERT_TRUE(testsupport::PumpUntil([&] { return GetForegroundWindow() == scene.GetSafeHwnd(); }));
        testsupport::PumpMessages();
    }
    void TearDown() override
    {
        scene.Destroy();
        testsupport::PumpMessages();
    }
    void Press(WORD key, std::function<bool()> done)
    {
        PressKey(key);
        ASSERT_TRUE(testsupport::PumpUntil(done));
    }
};

} // namespace

TEST_F(SheetScene, FixtureCellsShowTheirIniColoursPlainAndMirrored)
{
    ASSERT_EQ(0, scene.GetSkinIndex());
    ASSERT_TRUE(scene.IsSkinOpen());
    for (BOOL mirrored : {FALSE, TRUE}) {
        if (mirrored)
            Press('R', [&] { return scene.IsMirrored() != FALSE; });
        auto capture = Capture(scene.GetSafeHwnd());
        for (const skintest::FixtureCell& cell : kBorderFillCells) {
            const CRect rc = scene.ToClient(scene.GetCellRect(cell.cls, cell.part, cell.state));
            ASSERT_FALSE(rc.IsRectEmpty());
            SCOPED_TRACE(testing::Message()
                         << (mirrored ? "mirrored " : "") << std::string(cell.cls, cell.cls + wcslen(cell.cls))
                         << " part " << cell.part << " state " << cell.state);
            EXPECT_EQ(cell.colour, capture->Pixel(rc.CenterPoint().x, rc.CenterPoint().y));
            // The borders, where the mirrored layout may put them a pixel over.
            if (!mirrored) {
                EXPECT_EQ(RGB(0, 0, 0), capture->Pixel(rc.left, rc.top + 3));
                EXPECT_EQ(RGB(0, 0, 0), capture->Pixel(rc.right - 1, rc.top + 3));
            }
        }
    }
}

TEST_F(SheetScene, Office2007FixtureBarsShowTheirCells)
{
    Press(VK_RIGHT, [&] { return scene.GetSkinIndex() == 1; });
    ASSERT_TRUE(scene.IsSkinOpen());
    auto capture = Capture(scene.GetSafeHwnd());
    // The disabled vertical bar: disabled glyph cells 4 and 8; the pressed one: glyph 1 on the
    // first arrow, the pressed arrow background behind the second.
    const CRect disabled = scene.GetBarRect(2, TRUE);
    EXPECT_EQ(OfficeColour(L"SCROLLARROWGLYPHS", 3), capture->Pixel(disabled.CenterPoint().x, disabled.top + 8));
    EXPECT_EQ(OfficeColour(L"SCROLLARROWGLYPHS", 7), capture->Pixel(disabled.CenterPoint().x, disabled.bottom - 9));
    const CRect pressed = scene.GetBarRect(1, TRUE);
    EXPECT_EQ(OfficeColour(L"SCROLLARROWGLYPHS", 0), capture->Pixel(pressed.CenterPoint().x, pressed.top + 8));
    EXPECT_EQ(OfficeColour(L"SCROLLARROWSVERTICALLIGHT", 2),
              capture->Pixel(pressed.CenterPoint().x, pressed.bottom - 2));
    // Horizontal, disabled: cells 12 and 16.
    const CRect horizontal = scene.GetBarRect(2, FALSE);
    EXPECT_EQ(OfficeColour(L"SCROLLARROWGLYPHS", 11), capture->Pixel(horizontal.left + 8, horizontal.CenterPoint().y));
    EXPECT_EQ(OfficeColour(L"SCROLLARROWGLYPHS", 15), capture->Pixel(horizontal.right - 9, horizontal.CenterPoint().y));
}

TEST_F(SheetScene, ProductSheetsAreSavedForReview)
{
    const auto& skins = CSheetScene::GetSkins();
    scene.SelectSkin(1);
    for (int index = 2; index < static_cast<int>(skins.size()); ++index) {
        Press(VK_RIGHT, [&] { return scene.GetSkinIndex() == index; });
        SCOPED_TRACE(std::string(skins[index].pszName, skins[index].pszName + wcslen(skins[index].pszName)));
        ASSERT_TRUE(scene.IsSkinOpen());
        auto capture = Capture(scene.GetSafeHwnd());
        // The active frame's caption is drawn, and its region cuts nothing in the middle.
        const CRect frame = scene.GetFrameRect(0);
        EXPECT_NE(RGB(255, 255, 254), capture->Pixel(frame.CenterPoint().x, frame.top + 8));
        // Every cell holds something of the skin.
        const CRect first = scene.GetCellRect(L"BUTTON", 1, 1);
        EXPECT_NE(RGB(255, 255, 254), capture->Pixel(first.CenterPoint().x, first.CenterPoint().y));
        SavePng(*capture, testsupport::ExecutableFolder() + L"SkinSheet-" + skins[index].pszName + L".png");
    }
}
