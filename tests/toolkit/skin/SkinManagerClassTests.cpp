// Theme classes: the property cache in front of the store, part sizes, text, images, and the
// manager's class map.
#include <gtest/gtest.h>

#include "tests/toolkit/skin/SkinTestSupport.h"

#include <uxtheme.h>
#include "toolkit/skin/SkinImage.h"

using skintest::BmpFile;
using skintest::FolderSkin;
using skintest::SkinCanvas;

TEST(SkinClass, MissesAreCachedTypeMismatchesAreNot)
{
    FolderSkin skin("[Button]\r\nTextColor = 10 20 30\r\n");
    ASSERT_TRUE(skin.Open());
    CQorSkinManagerClass* button = skin.Class(L"button");
    EXPECT_EQ(nullptr, button->GetProperty(qorSkinColor, 1, 1, TMT_GLOWCOLOR));
    const LONG lookups = QorGetSkinSchemaLookupCount();
    EXPECT_EQ(nullptr, button->GetProperty(qorSkinColor, 1, 1, TMT_GLOWCOLOR));
    EXPECT_EQ(lookups, QorGetSkinSchemaLookupCount());
    // Asked as a rectangle first, the colour is still found as a colour.
    EXPECT_EQ(nullptr, button->GetProperty(qorSkinRect, 1, 1, TMT_TEXTCOLOR));
    EXPECT_EQ(RGB(10, 20, 30), button->GetColor(TMT_TEXTCOLOR, 1, 1, 0));
    const LONG afterHit = QorGetSkinSchemaLookupCount();
    EXPECT_EQ(RGB(10, 20, 30), button->GetColor(TMT_TEXTCOLOR, 1, 1, 0));
    EXPECT_EQ(afterHit, QorGetSkinSchemaLookupCount());
}

TEST(SkinClass, ClassMapGivesOneObjectPerNameUntilTheNextSkin)
{
    FolderSkin skin("[Button]\r\nTextColor = 10 20 30\r\n");
    ASSERT_TRUE(skin.Open());
    CQorSkinManagerClass* button = skin.Class(L"button");
    EXPECT_EQ(button, skin.Class(L"BUTTON"));
    EXPECT_EQ(7, button->GetClassId());
    EXPECT_EQ(0, skin.Class(L"NoSuchClass")->GetClassId());
    EXPECT_EQ(button, skin.m_manager.FindClass(button));
    int local = 0;
    EXPECT_EQ(nullptr, skin.m_manager.FindClass(&local));
    ASSERT_TRUE(skin.Open());
    EXPECT_EQ(nullptr, skin.m_manager.FindClass(button));
}

TEST(SkinClass, PartSizeOfAStripAndUniformSizing)
{
    FolderSkin skin("[Button.PushButton]\r\nImageFile = Strip.bmp\r\nImageCount = 5\r\nImageLayout = Vertical\r\n"
                    "[Button.CheckBox]\r\nImageFile = Strip.bmp\r\nImageCount = 1000000\r\nImageLayout = Vertical\r\n"
                    "UniformSizing = True\r\n"
                    "[Button.RadioButton]\r\nImageFile = Strip.bmp\r\nSizingType = TrueSize\r\n"
                    "[Button.GroupBox]\r\nBgType = BorderFill\r\n");
    skin.AddFile(L"Strip.bmp", BmpFile(100, 110, RGB(1, 2, 3)));
    ASSERT_TRUE(skin.Open());
    CQorSkinManagerClass* button = skin.Class(L"BUTTON");
    SIZE size = {};
    ASSERT_TRUE(button->GetPartSize(1, 1, nullptr, TS_TRUE, &size));
    EXPECT_EQ(100, size.cx);
    EXPECT_EQ(22, size.cy);
    // A count past the image's height leaves one-pixel frames, never a division by nothing.
    const RECT rc = {0, 0, 50, 30};
    ASSERT_TRUE(button->GetPartSize(3, 1, &rc, TS_DRAW, &size));
    EXPECT_EQ(30, size.cy);
    EXPECT_EQ(3000, size.cx);
    ASSERT_TRUE(button->GetPartSize(2, 1, &rc, TS_DRAW, &size));
    EXPECT_EQ(100, size.cx);
    EXPECT_EQ(110, size.cy);
    EXPECT_FALSE(button->GetPartSize(4, 1, &rc, TS_DRAW, &size));
}

TEST(SkinClass, FailedImagesAreAskedForAgain)
{
    FolderSkin skin("[Button]\r\nImageFile = Late.bmp\r\n");
    ASSERT_TRUE(skin.Open());
    CQorSkinManagerClass* button = skin.Class(L"BUTTON");
    EXPECT_EQ(nullptr, button->GetImage(L"LATE.BMP"));
    skin.AddFile(L"Late.bmp", BmpFile(3, 3, RGB(1, 2, 3)));
    CQorSkinImage* image = button->GetImage(L"LATE.BMP");
    ASSERT_NE(nullptr, image);
    EXPECT_EQ(image, button->GetImage(L"LATE.BMP"));
}

TEST(SkinClass, TextShadowOnlyWithAShadowColour)
{
    const COLORREF background = RGB(200, 200, 200), text = RGB(200, 0, 0), shadow = RGB(0, 0, 160);
    struct
    {
        const char* name;
        const char* ini;
        bool shadowDrawn;
    } cases[] = {
        {"with a colour",
         "[Window.Caption]\r\nTextColor = 200 0 0\r\nTextShadowType = Single\r\nTextShadowOffset = 2, 2\r\n"
         "TextShadowColor = 0 0 160\r\n",
         true},
        {"without a colour",
         "[Window.Caption]\r\nTextColor = 200 0 0\r\nTextShadowType = Single\r\nTextShadowOffset = 2, 2\r\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FolderSkin skin(c.ini);
        ASSERT_TRUE(skin.Open());
        SkinCanvas canvas(120, 30, background);
        LOGFONTW lf = {};
        lf.lfHeight = -20;
        lf.lfQuality = NONANTIALIASED_QUALITY;
        wcscpy(lf.lfFaceName, L"Tahoma");
        CFont font;
        font.CreateFontIndirect(&lf);
        HGDIOBJ old = SelectObject(canvas.Dc()->GetSafeHdc(), font.GetSafeHandle());
        const RECT rc = {0, 0, 120, 30};
        EXPECT_TRUE(skin.Class(L"WINDOW")->DrawSkinText(canvas.Dc(), 1, 1, L"WWW", DT_SINGLELINE, &rc));
        SelectObject(canvas.Dc()->GetSafeHdc(), old);
        const int other = 120 * 30 - canvas.Count(background, rc) - canvas.Count(text, rc) - canvas.Count(shadow, rc);
        EXPECT_GT(canvas.Count(text, rc), 20);
        EXPECT_EQ(c.shadowDrawn, canvas.Count(shadow, rc) > 0);
        EXPECT_EQ(0, other);
    }
}

namespace {

// Swaps red and blue, and counts its calls.
class SwapFilter : public CQorSkinManagerColorFilter
{
public:
    explicit SwapFilter(int* pnCalls) : m_pnCalls(pnCalls) {}
    void ApplyColorFilter(COLORREF& clr) override
    {
        ++*m_pnCalls;
        clr = RGB(GetBValue(clr), GetGValue(clr), GetRValue(clr));
    }
    int* m_pnCalls;
};

} // namespace

TEST(SkinClass, EverySkinColourPassesTheFilters)
{
    FolderSkin skin("[Button]\r\nTextColor = 10 20 30\r\n[SysMetrics]\r\nBtnFace = 1 2 3\r\n"
                    "[Window.Caption]\r\nImageFile = Caption.bmp\r\nTransparent = True\r\n"
                    "[Window.SmallCaption]\r\nImageFile = Solid.bmp\r\nSizingMargins = 1, 1, 1, 1\r\n");
    skin.AddFile(L"Caption.bmp",
                 BmpFile(4, 4, [](int x, int) { return x == 0 ? RGB(255, 0, 255) : RGB(200, 100, 0); }));
    skin.AddFile(L"Solid.bmp", BmpFile(4, 4, RGB(250, 0, 5)));
    int calls = 0;
    skin.m_manager.AddColorFilter(new SwapFilter(&calls));
    ASSERT_TRUE(skin.Open());
    EXPECT_EQ(RGB(30, 20, 10), skin.Class(L"BUTTON")->GetColor(TMT_TEXTCOLOR, 0, 0, 0));
    EXPECT_EQ(RGB(3, 2, 1), skin.m_manager.GetMetrics()->m_clrTheme[COLOR_BTNFACE]);
    // Image pixels are filtered, the transparent colour is left out and stays transparent.
    SkinCanvas canvas(8, 4, RGB(9, 9, 9));
    const RECT rc = {0, 0, 4, 4};
    skin.Class(L"WINDOW")->DrawBackground(canvas.Dc(), 1, 1, &rc);
    EXPECT_EQ(RGB(9, 9, 9), canvas.Pixel(0, 1));
    EXPECT_EQ(RGB(0, 100, 200), canvas.Pixel(2, 1));
    // A solid region's colour is filtered once as well.
    const RECT rcSolid = {4, 0, 8, 4};
    skin.Class(L"WINDOW")->DrawBackground(canvas.Dc(), 2, 1, &rcSolid);
    EXPECT_EQ(RGB(5, 0, 250), canvas.Pixel(6, 2));
    skin.m_manager.RemoveColorFilters();
    EXPECT_FALSE(skin.m_manager.HasColorFilters());
    EXPECT_GT(calls, 0);
}
