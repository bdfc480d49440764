// The drawing schemas against fixtures whose every (class, part, state) has its own colour,
// frames and regions from plain records, scroll bars, and the project's own skins.
#include <gtest/gtest.h>

#include "tests/toolkit/skin/SkinTestSupport.h"
#include "toolkit/skin/SkinFrameRecord.h"
#include "toolkit/skin/SkinImage.h"
#include "toolkit/skin/SkinManagerSchemaOffice2007.h"
#include "toolkit/skin/SkinScrollBarState.h"

using skintest::BmpFile;
using skintest::FolderSkin;
using skintest::kBorderFillCells;
using skintest::kOfficeCells;
using skintest::ModulePath;
using skintest::OfficeCell;
using skintest::OfficeColour;
using skintest::SkinCanvas;

namespace {

struct Part
{
    const wchar_t* cls;
    const wchar_t* name;
    int part, states;
};
const Part kSheetParts[] = {
#include "demos/skin/SheetParts.inc"
};

bool OpenModule(CQorSkinManager& manager, LPCWSTR module)
{
    if (!manager.OpenSkinFile(ModulePath(module).c_str(), L"Normal.ini"))
        return false;
    manager.GetMetrics()->Refresh();
    manager.GetSchema()->RefreshMetrics();
    return true;
}

// A vertical bar 17 wide from y 0 to 120 with a thumb from 40 to 70.
ScrollBarState VerticalBar()
{
    ScrollBarState bar = {};
    bar.start = 0;
    bar.end = 120;
    bar.crossStart = 0;
    bar.crossEnd = 17;
    bar.firstArrowEnd = 17;
    bar.secondArrowStart = 103;
    bar.thumbStart = 40;
    bar.thumbEnd = 70;
    bar.thumbLength = 30;
    bar.rect = {0, 0, 17, 120};
    bar.vertical = TRUE;
    bar.barKind = SB_VERT;
    bar.visible = TRUE;
    return bar;
}

ScrollBarState HorizontalBar()
{
    ScrollBarState bar = VerticalBar();
    bar.rect = {0, 0, 120, 17};
    bar.vertical = FALSE;
    bar.barKind = SB_HORZ;
    return bar;
}

} // namespace

TEST(SkinSchemaDefault, EveryFixtureCellHasItsOwnColour)
{
    CQorSkinManager manager;
    ASSERT_TRUE(OpenModule(manager, L"SkinFixtureBorderFill.dll"));
    EXPECT_EQ(0, manager.GetSchema()->GetIgnoredSectionCount());
    EXPECT_EQ(0, manager.GetSchema()->GetUnknownNameCount());
    for (const skintest::FixtureCell& cell : kBorderFillCells) {
        SCOPED_TRACE(testing::Message() << std::string(cell.cls, cell.cls + wcslen(cell.cls)) << " part " << cell.part
                                        << " state " << cell.state);
        SkinCanvas canvas(24, 16, RGB(255, 255, 254));
        const RECT rc = {2, 2, 22, 14};
        EXPECT_TRUE(manager.GetClass(cell.cls)->DrawBackground(canvas.Dc(), cell.part, cell.state, &rc));
        EXPECT_EQ(cell.colour, canvas.Pixel(12, 8));
        EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(2, 2)); // the border from Globals
        EXPECT_EQ(RGB(255, 255, 254), canvas.Pixel(1, 1));
    }
}

TEST(SkinSchemaDefault, BackgroundTypesAndCaptionFrames)
{
    // A three-frame caption strip: red, green, blue from the top.
    FolderSkin skin("[Button]\r\nBgType = None\r\n"
                    "[Window.Caption]\r\nImageFile = Caption.bmp\r\nImageCount = 3\r\nImageLayout = Vertical\r\n"
                    "[Window.SmallCaption]\r\nImageFile = Missing.bmp\r\n");
    skin.AddFile(L"Caption.bmp", BmpFile(8, 24, [](int, int y) {
                     return y < 8 ? RGB(200, 0, 0) : (y < 16 ? RGB(0, 200, 0) : RGB(0, 0, 200));
                 }));
    ASSERT_TRUE(skin.Open());
    SkinCanvas canvas(20, 10, RGB(1, 1, 1));
    const RECT rc = {0, 0, 20, 10};
    // BgType None draws nothing but counts as drawn.
    EXPECT_TRUE(skin.Class(L"BUTTON")->DrawBackground(canvas.Dc(), 1, 1, &rc));
    EXPECT_EQ(200, canvas.Count(RGB(1, 1, 1), rc));
    EXPECT_FALSE(skin.Class(L"WINDOW")->DrawBackground(canvas.Dc(), 2, 1, &rc));
    struct
    {
        int state;
        COLORREF colour;
    } rows[] = {
        {1, RGB(200, 0, 0)}, {2, RGB(0, 200, 0)}, {3, RGB(0, 0, 200)}, {4, RGB(200, 0, 0)}, {0, RGB(200, 0, 0)}};
    for (const auto& row : rows) {
        EXPECT_TRUE(skin.Class(L"WINDOW")->DrawBackground(canvas.Dc(), 1, row.state, &rc));
        EXPECT_EQ(row.colour, canvas.Pixel(10, 5)) << row.state;
    }
}

TEST(SkinSchemaDefault, FrameRegionCutsTransparentCorners)
{
    // A caption whose two top corner pixels on each side are magenta.
    FolderSkin skin(
        "[SysMetrics]\r\nCaptionBarHeight = 20\r\n"
        "[Window.Caption]\r\nImageFile = Caption.bmp\r\nSizingMargins = 4, 4, 0, 0\r\nTransparent = True\r\n");
    skin.AddFile(L"Caption.bmp", BmpFile(12, 21, [](int x, int y) {
                     return (y == 0 && (x < 2 || x > 9)) ? RGB(255, 0, 255) : RGB(40, 80, 120);
                 }));
    ASSERT_TRUE(skin.Open());
    CQorSkinFrameRecord frame;
    frame.dwStyle = WS_OVERLAPPED | WS_CAPTION;
    frame.rcWindow = CRect(0, 0, 200, 100);
    auto* schema = static_cast<CQorSkinManagerSchemaDefault*>(skin.m_manager.GetSchema());
    frame.rcBorders = schema->GetFrameBorders(&frame);
    EXPECT_EQ(21 + GetSystemMetrics(SM_CYBORDER), frame.rcBorders.top);
    HRGN region = schema->CreateFrameRegion(&frame, 200, 100);
    ASSERT_NE(nullptr, region);
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_FALSE(PtInRegion(region, 1, 0));
    EXPECT_TRUE(PtInRegion(region, 2, 0));
    EXPECT_FALSE(PtInRegion(region, 199, 0));
    EXPECT_TRUE(PtInRegion(region, 100, 0));
    EXPECT_TRUE(PtInRegion(region, 0, 1));
    EXPECT_TRUE(PtInRegion(region, 199, 99));
    DeleteObject(region);
    EXPECT_EQ(1, schema->GetRegionCacheSize());
    // A window narrower than both margins gets a region of its own, not the cached one.
    schema->RefreshMetrics();
    region = schema->CreateFrameRegion(&frame, 6, 100);
    ASSERT_NE(nullptr, region);
    EXPECT_EQ(0, schema->GetRegionCacheSize());
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_TRUE(PtInRegion(region, 0, 5));
    DeleteObject(region);
}

TEST(SkinSchemaDefault, HostileFrameInputStaysInsideTheWindow)
{
    const char* inis[] = {
        "[SysMetrics]\r\nCaptionBarHeight = 1000000000\r\n[Window.Caption]\r\nImageFile = Caption.bmp\r\n"
        "SizingMargins = 1000, 1000, 1000, 1000\r\nTransparent = True\r\n",
        "[Window.Caption]\r\nImageFile = Caption.bmp\r\nImageCount = 0\r\nSizingMargins = -4, -4, -4, -4\r\n",
        "[Window.Caption]\r\nImageFile = Caption.bmp\r\nImageCount = 1000000\r\nTransparent = True\r\n",
    };
    for (const char* ini : inis) {
        SCOPED_TRACE(ini);
        FolderSkin skin(ini);
        skin.AddFile(L"Caption.bmp",
                     BmpFile(10, 10, [](int x, int y) { return (x + y) % 3 ? RGB(255, 0, 255) : RGB(9, 9, 9); }));
        ASSERT_TRUE(skin.Open());
        auto* schema = static_cast<CQorSkinManagerSchemaDefault*>(skin.m_manager.GetSchema());
        CQorSkinFrameRecord frame;
        frame.dwStyle = WS_OVERLAPPEDWINDOW;
        frame.rcWindow = CRect(0, 0, 120, 80);
        frame.rcBorders = schema->GetFrameBorders(&frame);
        for (int width : {120, 8, 1}) {
            HRGN region = schema->CreateFrameRegion(&frame, width, 80);
            ASSERT_NE(nullptr, region);
            RECT box = {};
            GetRgnBox(region, &box);
            EXPECT_GE(box.left, 0);
            EXPECT_LE(box.right, width);
            DeleteObject(region);
        }
        SkinCanvas canvas(140, 100, RGB(3, 3, 3));
        schema->DrawFrame(canvas.Dc(), &frame);
        EXPECT_EQ(140 * 100 - 120 * 80,
                  canvas.Count(RGB(3, 3, 3), CRect(0, 0, 140, 100)) - canvas.Count(RGB(3, 3, 3), CRect(0, 0, 120, 80)));
    }
}

TEST(SkinSchemaDefault, FramesFromRecords)
{
    CQorSkinManager manager;
    ASSERT_TRUE(OpenModule(manager, L"SkinFixtureBorderFill.dll"));
    auto colour = [](int part, int state) { return skintest::BorderFillColour(L"WINDOW", part, state); };
    auto* schema = static_cast<CQorSkinManagerSchemaDefault*>(manager.GetSchema());
    struct
    {
        const char* name;
        DWORD style, exStyle;
        BOOL active;
        int captionPart, leftPart;
    } cases[] = {
        {"active", WS_OVERLAPPEDWINDOW, WS_EX_WINDOWEDGE, TRUE, 1, 7},
        {"inactive", WS_OVERLAPPEDWINDOW, WS_EX_WINDOWEDGE, FALSE, 1, 7},
        {"tool window", WS_OVERLAPPEDWINDOW, WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW, TRUE, 2, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CQorSkinFrameRecord frame;
        frame.dwStyle = c.style;
        frame.dwExStyle = c.exStyle;
        frame.bActive = c.active;
        frame.rcWindow = CRect(0, 0, 160, 90);
        frame.rcBorders = schema->GetFrameBorders(&frame);
        CQorSkinCaptionButton close;
        close.nPart = WP_CLOSEBUTTON;
        close.nHitCode = HTCLOSE;
        frame.arrButtons.Add(close);
        CQorSkinCaptionButton minimize;
        minimize.nPart = WP_MINBUTTON;
        minimize.bEnabled = FALSE;
        frame.arrButtons.Add(minimize);
        frame.nHotButton = 0;
        SkinCanvas canvas(160, 90, RGB(3, 3, 3));
        schema->DrawFrame(canvas.Dc(), &frame);
        const int state = c.active ? 1 : 2;
        // Stateless parts take their part's colour in every state.
        EXPECT_EQ(colour(c.captionPart, state), canvas.Pixel(40, frame.rcBorders.top / 2));
        EXPECT_EQ(colour(c.leftPart, state), canvas.Pixel(frame.rcBorders.left / 2, 50));
        const CRect rcClose(frame.arrButtons[0].rc), rcMin(frame.arrButtons[1].rc);
        EXPECT_LT(rcMin.right, rcClose.left);
        // Hot close button, disabled minimize button; inactive frames add 4.
        EXPECT_EQ(colour(WP_CLOSEBUTTON, c.active ? 2 : 6),
                  canvas.Pixel(rcClose.CenterPoint().x, rcClose.CenterPoint().y));
        EXPECT_EQ(colour(WP_MINBUTTON, c.active ? 4 : 8), canvas.Pixel(rcMin.CenterPoint().x, rcMin.CenterPoint().y));
        EXPECT_EQ(RGB(3, 3, 3), canvas.Pixel(80, 50)); // the client area is left alone
    }
    // A window without a caption gets the plain frame.
    CQorSkinFrameRecord plain;
    plain.dwStyle = WS_POPUP | WS_BORDER;
    plain.rcWindow = CRect(0, 0, 40, 40);
    SkinCanvas canvas(40, 40, RGB(3, 3, 3));
    schema->DrawFrame(canvas.Dc(), &plain);
    EXPECT_EQ(manager.GetMetrics()->m_clrTheme[COLOR_WINDOWFRAME], canvas.Pixel(0, 20));
    EXPECT_EQ(RGB(3, 3, 3), canvas.Pixel(1, 20));
}

TEST(SkinSchemaDefault, ScrollBarPartsInTheirStates)
{
    CQorSkinManager manager;
    ASSERT_TRUE(OpenModule(manager, L"SkinFixtureBorderFill.dll"));
    auto colour = [](int part, int state) { return skintest::BorderFillColour(L"SCROLLBAR", part, state); };
    ScrollBarState bar = VerticalBar();
    ScrollTrackState track = {};
    struct
    {
        const char* name;
        int activePart;
        bool dragging, enabled;
        int up, down, before, thumb, after;
    } cases[] = {
        {"normal", 0, false, true, 1, 5, 1, 1, 1},        {"hot down arrow", 61, false, true, 1, 6, 1, 1, 1},
        {"pressed thumb", 64, true, true, 1, 5, 1, 3, 1}, {"hot track", 63, false, true, 1, 5, 1, 1, 2},
        {"disabled", 0, false, false, 4, 8, 4, 4, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bar.activePart = c.activePart;
        CQorSkinScrollBarDraw draw;
        draw.pBar = &bar;
        draw.pTrack = c.dragging ? &track : nullptr;
        draw.bEnabled = c.enabled;
        SkinCanvas canvas(17, 120, RGB(3, 3, 3));
        manager.GetSchema()->DrawScrollBar(canvas.Dc(), draw);
        EXPECT_EQ(colour(1, c.up), canvas.Pixel(8, 8));
        EXPECT_EQ(colour(1, c.down), canvas.Pixel(8, 111));
        EXPECT_EQ(colour(6, c.before), canvas.Pixel(8, 28));
        EXPECT_EQ(colour(9, c.thumb), canvas.Pixel(8, 55)); // the gripper over a long thumb
        EXPECT_EQ(colour(7, c.after), canvas.Pixel(8, 90));
        // A short thumb has no gripper.
        ScrollBarState shortThumb = bar;
        shortThumb.thumbEnd = shortThumb.thumbStart + 12;
        shortThumb.thumbLength = 12;
        draw.pBar = &shortThumb;
        manager.GetSchema()->DrawScrollBar(canvas.Dc(), draw);
        EXPECT_EQ(colour(3, c.thumb), canvas.Pixel(8, 46));
    }
}

TEST(SkinSchemaOffice2007, DisabledBarShowsDisabledGlyphsAndNoButtons)
{
    CQorSkinManager manager;
    ASSERT_TRUE(OpenModule(manager, L"SkinFixtureOffice2007.dll"));
    ASSERT_NE(nullptr, dynamic_cast<CQorSkinManagerSchemaOffice2007*>(manager.GetSchema()));
    struct
    {
        const char* name;
        ScrollBarState bar;
        const wchar_t* background;
        int firstCell, secondCell;
        POINT first, second;
    } cases[] = {
        {"vertical", VerticalBar(), L"SCROLLVERTICALLIGHT", 4, 8, {8, 8}, {8, 111}},
        {"horizontal", HorizontalBar(), L"SCROLLHORIZONTALLIGHT", 12, 16, {8, 8}, {111, 8}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CQorSkinScrollBarDraw draw;
        draw.pBar = &c.bar;
        draw.bEnabled = FALSE;
        SkinCanvas canvas(120, 120, RGB(3, 3, 3));
        manager.GetSchema()->DrawScrollBar(canvas.Dc(), draw);
        EXPECT_EQ(OfficeColour(L"SCROLLARROWGLYPHS", c.firstCell - 1), canvas.Pixel(c.first.x, c.first.y));
        EXPECT_EQ(OfficeColour(L"SCROLLARROWGLYPHS", c.secondCell - 1), canvas.Pixel(c.second.x, c.second.y));
        // Around the glyph: the bar's normal half, no button background.
        EXPECT_EQ(OfficeColour(c.background, 0), canvas.Pixel(c.first.x - 6, c.first.y - 6));
        // The gripper over the long thumb.
        EXPECT_EQ(RGB(1, 2, 3), c.bar.vertical ? canvas.Pixel(8, 55) : canvas.Pixel(55, 8));
    }
    // Enabled with the thumb pressed: arrow buttons in their first quarter (another part is
    // pressed), the thumb in its third third (drawn short, without the gripper).
    ScrollBarState bar = VerticalBar();
    bar.activePart = qorScrollThumb;
    bar.thumbEnd = bar.thumbStart + 10;
    bar.thumbLength = 10;
    ScrollTrackState track = {};
    CQorSkinScrollBarDraw draw;
    draw.pBar = &bar;
    draw.pTrack = &track;
    SkinCanvas canvas(17, 120, RGB(3, 3, 3));
    manager.GetSchema()->DrawScrollBar(canvas.Dc(), draw);
    EXPECT_EQ(OfficeColour(L"SCROLLARROWGLYPHS", 0), canvas.Pixel(8, 8));
    EXPECT_EQ(OfficeColour(L"SCROLLARROWSVERTICALLIGHT", 0), canvas.Pixel(8, 2));
    EXPECT_EQ(OfficeColour(L"SCROLLTHUMBVERTICAL", 2), canvas.Pixel(8, 45));
    EXPECT_EQ(RGB(0xF5, 0xF5, 0xF5), manager.GetSchema()->GetSizeBoxColor(nullptr));
}

TEST(SkinProducts, EveryProductSkinOpensCleanlyAndItsImagesLoad)
{
    for (const wchar_t* module : {L"FolionyxSkinCalm.dll", L"FolionyxSkinCalmDark.dll", L"FolionyxSkinOffice2007.dll",
                                  L"FolionyxSkinQuiet.dll"}) {
        SCOPED_TRACE(testing::Message() << std::wstring(module).size() << " "
                                        << std::string(module, module + wcslen(module)));
        CQorSkinManager manager;
        ASSERT_TRUE(manager.OpenSkinFile(ModulePath(module).c_str(), L""));
        CQorSkinManagerSchema* schema = manager.GetSchema();
        EXPECT_EQ(0, schema->GetIgnoredSectionCount());
        EXPECT_EQ(0, schema->GetUnknownNameCount());
        EXPECT_GT(schema->GetPropertyCount(), 40);
        int images = 0;
        for (const Part& part : kSheetParts) {
            CQorSkinManagerClass* cls = manager.GetClass(part.cls);
            const CString file = cls->GetImageFileName(part.part, 1);
            if (file.IsEmpty())
                continue;
            ++images;
            EXPECT_NE(nullptr, cls->GetImage(file))
                << std::string(file.GetString(), file.GetString() + file.GetLength());
        }
        const bool quiet = wcsstr(module, L"Quiet") != nullptr;
        EXPECT_EQ(quiet ? 0 : static_cast<int>(sizeof(kSheetParts) / sizeof(kSheetParts[0])), images);
        if (wcsstr(module, L"Office")) {
            EXPECT_NE(nullptr, dynamic_cast<CQorSkinManagerSchemaOffice2007*>(schema));
            for (const OfficeCell& cell : kOfficeCells) {
                if (cell.cell == 0) {
                    EXPECT_NE(
                        nullptr,
                        manager.GetClass(L"SCROLLBAR")->GetImage(CString(L"OFFICE2007\\") + cell.image + L".BMP"));
                }
            }
        }
    }
}

TEST(SkinProducts, CalmCaptionHasAlphaAndCutCorners)
{
    CQorSkinManager manager;
    ASSERT_TRUE(OpenModule(manager, L"FolionyxSkinCalm.dll"));
    CQorSkinImage* caption = manager.GetClass(L"WINDOW")->GetImage(manager.GetClass(L"WINDOW")->GetImageFileName(1, 1));
    ASSERT_NE(nullptr, caption);
    EXPECT_TRUE(caption->IsAlpha());
    CQorSkinFrameRecord frame;
    frame.dwStyle = WS_OVERLAPPEDWINDOW;
    frame.rcWindow = CRect(0, 0, 300, 200);
    auto* schema = static_cast<CQorSkinManagerSchemaDefault*>(manager.GetSchema());
    frame.rcBorders = schema->GetFrameBorders(&frame);
    HRGN region = schema->CreateFrameRegion(&frame, 300, 200);
    ASSERT_NE(nullptr, region);
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_FALSE(PtInRegion(region, 299, 0));
    EXPECT_TRUE(PtInRegion(region, 150, 5));
    DeleteObject(region);
}
