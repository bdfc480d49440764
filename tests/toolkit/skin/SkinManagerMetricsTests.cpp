// The skin's metrics and its DrawEdge and DrawFrameControl.
#include <gtest/gtest.h>

#include "tests/toolkit/skin/SkinTestSupport.h"

using skintest::FolderSkin;
using skintest::ModulePath;
using skintest::SkinCanvas;

TEST(SkinMetrics, RefreshTakesColoursAndSizesFromTheSkin)
{
    const int system = GetSystemMetrics(SM_CYCAPTION);
    struct
    {
        const char* name;
        const char* ini;
        DWORD options;
        int caption;
    } cases[] = {
        {"without the metrics option", "[SysMetrics]\r\nCaptionBarHeight = 21\r\n", qorSkinApplyColors, system},
        {"from the skin, plus one", "[SysMetrics]\r\nCaptionBarHeight = 21\r\n", 7, 22},
        {"the system's, plus one", "[SysMetrics]\r\nScrollBarWidth = 0\r\n", 7, system + 1},
        {"a huge caption is clamped", "[SysMetrics]\r\nCaptionBarHeight = 1000000000\r\n", 7, 129},
        {"a negative caption is clamped", "[SysMetrics]\r\nCaptionBarHeight = -5\r\n", 7, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FolderSkin skin(c.ini, c.options);
        ASSERT_TRUE(skin.Open());
        const CQorSkinManagerMetrics* metrics = skin.m_manager.GetMetrics();
        EXPECT_EQ(c.caption, metrics->m_cyCaption);
        EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), metrics->m_cxVScroll);
        // A skin without a gray-text colour gets the built-in one, not the system's.
        EXPECT_EQ(RGB(128, 128, 128), metrics->m_clrTheme[COLOR_GRAYTEXT]);
    }
    FolderSkin skin("[SysMetrics]\r\nGrayText = 1 2 3\r\nScrollBarWidth = 9999\r\n");
    ASSERT_TRUE(skin.Open());
    EXPECT_EQ(RGB(1, 2, 3), skin.m_manager.GetMetrics()->m_clrTheme[COLOR_GRAYTEXT]);
    EXPECT_EQ(128, skin.m_manager.GetMetrics()->m_cxVScroll);
}

TEST(SkinMetrics, OnlyTheSkinsOwnBrushesAreMetricObjects)
{
    FolderSkin skin("[SysMetrics]\r\nBtnFace = 1 2 3\r\n");
    ASSERT_TRUE(skin.Open());
    const CQorSkinManagerMetrics* metrics = skin.m_manager.GetMetrics();
    EXPECT_TRUE(metrics->IsMetricObject(metrics->m_brTheme[COLOR_BTNFACE]));
    HBRUSH foreign = CreateSolidBrush(RGB(1, 2, 3));
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    EXPECT_FALSE(metrics->IsMetricObject(foreign));
    EXPECT_FALSE(metrics->IsMetricObject(pen));
    DeleteObject(foreign);
    DeleteObject(pen);
}

TEST(SkinMetrics, DrawEdgeInTheSkinsColours)
{
    FolderSkin skin("[SysMetrics]\r\nBtnShadow = 10 10 10\r\nBtnHighlight = 250 250 250\r\nDkShadow3d = 1 1 1\r\n"
                    "Light3d = 200 200 200\r\n");
    ASSERT_TRUE(skin.Open());
    CQorSkinManagerMetrics* metrics = skin.m_manager.GetMetrics();
    const int b = metrics->m_cxBorder;
    const COLORREF background = RGB(90, 90, 90);
    struct
    {
        const char* name;
        RECT rect;
        UINT edge, flags;
        BOOL result;
        RECT after; // the caller's rectangle afterwards
        bool drawsOutside;
        bool drawsInside;
    } cases[] = {
        {"raised and sunken outer",
         {2, 2, 20, 20},
         BDR_RAISEDOUTER | BDR_SUNKENOUTER,
         BF_RECT,
         FALSE,
         {2, 2, 20, 20},
         false,
         false},
        {"raised and sunken inner",
         {2, 2, 20, 20},
         BDR_RAISEDINNER | BDR_SUNKENINNER,
         BF_RECT,
         FALSE,
         {2, 2, 20, 20},
         false,
         false},
        {"sunken, adjusted",
         {2, 2, 20, 20},
         EDGE_SUNKEN,
         BF_RECT | BF_ADJUST,
         TRUE,
         {2 + 2 * b, 2 + 2 * b, 20 - 2 * b, 20 - 2 * b},
         false,
         true},
        {"empty diagonal", {5, 5, 5, 12}, EDGE_RAISED, BF_DIAGONAL_ENDTOPRIGHT, TRUE, {5, 5, 5, 12}, false, false},
        {"flat diagonal", {5, 8, 25, 8}, EDGE_RAISED, BF_DIAGONAL | BF_ADJUST, TRUE, {5, 8, 25, 8}, false, false},
        {"diagonal", {2, 2, 20, 12}, EDGE_RAISED, BF_DIAGONAL_ENDTOPRIGHT, TRUE, {2, 2, 20, 12}, false, true},
        {"diagonal with a middle",
         {2, 2, 20, 12},
         EDGE_RAISED,
         BF_DIAGONAL | BF_MIDDLE,
         FALSE,
         {2, 2, 20, 12},
         false,
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SkinCanvas canvas(30, 30, background);
        RECT rc = c.rect;
        EXPECT_EQ(c.result, metrics->SkinDrawEdge(canvas.Dc()->GetSafeHdc(), &rc, c.edge, c.flags));
        EXPECT_EQ(CRect(c.after), CRect(rc));
        const int inside =
            c.rect.right > c.rect.left && c.rect.bottom > c.rect.top
                ? (c.rect.right - c.rect.left) * (c.rect.bottom - c.rect.top) - canvas.Count(background, c.rect)
                : 0;
        const int total = 30 * 30 - canvas.Count(background, CRect(0, 0, 30, 30));
        EXPECT_EQ(c.drawsInside, inside > 0);
        EXPECT_EQ(inside, total); // nothing outside the rectangle
    }
    // The sunken edge's outer top-left is the skin's shadow colour.
    SkinCanvas canvas(30, 30, background);
    RECT rc = {2, 2, 20, 20};
    metrics->SkinDrawEdge(canvas.Dc()->GetSafeHdc(), &rc, EDGE_SUNKEN, BF_RECT);
    EXPECT_EQ(RGB(10, 10, 10), canvas.Pixel(2, 10));
    EXPECT_EQ(RGB(250, 250, 250), canvas.Pixel(19, 10));
    EXPECT_EQ(RGB(1, 1, 1), canvas.Pixel(2 + b, 10));
}

TEST(SkinMetrics, FrameControlsDrawSkinParts)
{
    CQorSkinManager manager;
    ASSERT_TRUE(manager.OpenSkinFile(ModulePath(L"SkinFixtureBorderFill.dll").c_str(), L"Normal.ini"));
    manager.GetMetrics()->Refresh();
    auto expected = [](int part, int state) { return skintest::BorderFillColour(L"SCROLLBAR", part, state); };
    struct
    {
        UINT type, state;
        int part, skinState;
    } cases[] = {
        {DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_INACTIVE, 1, 8},
        {DFC_SCROLL, DFCS_SCROLLUP, 1, 1},
        {DFC_SCROLL, DFCS_SCROLLRIGHT | DFCS_PUSHED, 1, 15},
        {DFC_SCROLL, DFCS_SCROLLSIZEGRIP, 10, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.state);
        SkinCanvas canvas(20, 20, RGB(90, 90, 90));
        RECT rc = {0, 0, 20, 20};
        EXPECT_TRUE(manager.GetMetrics()->SkinDrawFrameControl(canvas.Dc()->GetSafeHdc(), &rc, c.type, c.state));
        EXPECT_EQ(expected(c.part, c.skinState), canvas.Pixel(10, 10));
    }
    SkinCanvas canvas(20, 20, RGB(90, 90, 90));
    RECT rc = {0, 0, 20, 20};
    EXPECT_FALSE(
        manager.GetMetrics()->SkinDrawFrameControl(canvas.Dc()->GetSafeHdc(), &rc, DFC_CAPTION, DFCS_CAPTIONCLOSE));
    EXPECT_TRUE(manager.GetMetrics()->SkinDrawFrameControl(canvas.Dc()->GetSafeHdc(), &rc, DFC_BUTTON,
                                                           DFCS_BUTTONPUSH | DFCS_ADJUSTRECT));
    EXPECT_EQ(CRect(2, 2, 18, 18), CRect(rc));
}
