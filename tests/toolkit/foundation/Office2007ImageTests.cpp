// The Office-2007 cache: INI lookup, colours, images by name, and nine-grid drawing with
// alpha, with a transparent colour and into sizes smaller than the margins.
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/Office2007Image.h"
#include "tests/toolkit/foundation/MemoryCanvas.h"
#include <gtest/gtest.h>
#include <cstdlib>

using foundationtest::Canvas;

namespace {

// ---------------------------------------------------------------------------------------
// INI text

TEST(Office2007Images, IniLookupFollowsLinesSectionsAndComments)
{
    const wchar_t text[] = L"; comment\r\n"
                           L"[Colors]\r\n"
                           L"  Frame = 10 20 30 ; the frame\r" // CR alone also ends a line
                           L"TwoNumbers=1 2\r\n"
                           L"Dotted.Name_x = 5 6 7\r\n"
                           L"=7\r\n"
                           L"\t;Skipped=1\r\n"
                           L"[\r\n"
                           L"Hidden=4\r\n"
                           L"[Other]\r\n"
                           L"Frame = 99\r\n"
                           L"Last=1 2 3";
    const wchar_t* end = text + wcslen(text);
    const struct
    {
        const wchar_t* section;
        const wchar_t* key;
        const wchar_t* value;
    } rows[] = {
        {L"Colors", L"Frame", L"10 20 30"},
        {L"Colors", L"TwoNumbers", L"1 2"},
        {L"Colors", L"Dotted.Name_x", L"5 6 7"},
        {L"Colors", L"Dotted_Name_x", L""}, // keys compare exactly
        {L"colors", L"Frame", L""},         // so do sections
        {L"Colors", L"Skipped", L""},
        {L"Colors", L"", L""},       // '=' first is no entry
        {L"Colors", L"Hidden", L""}, // "[" ends the section
        {L"", L"Hidden", L"4"},      // and names the empty section
        {L"Other", L"Frame", L"99"},
        {L"Other", L"Last", L""}, // no carriage return: not read
        {L"Missing", L"Frame", L""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.section << "/" << row.key);
        EXPECT_STREQ(row.value, CQorOffice2007Images::ParseValue(text, end, row.section, row.key));
    }
    EXPECT_STREQ(L"", CQorOffice2007Images::ParseValue(nullptr, nullptr, L"Colors", L"Frame"));
}

TEST(Office2007Images, ColoursAndImagesComeFromTheModulesResources)
{
    CQorOffice2007Images images(GetModuleHandleW(nullptr));
    ASSERT_TRUE(images.IsLoaded());
    EXPECT_EQ(RGB(10, 20, 30), images.GetColor(L"Colors", L"Frame"));
    EXPECT_EQ(RGB(1, 2, 0), images.GetColor(L"Colors", L"TwoNumbers"));
    EXPECT_EQ(RGB(1, 255, 16), images.GetColor(L"Colors", L"Wrapped")); // low 8 bits; %i reads hex
    EXPECT_EQ(static_cast<COLORREF>(-1), images.GetColor(L"Colors", L"Absent"));
    EXPECT_EQ(static_cast<COLORREF>(-1), images.GetColor(L"Other", L"Last"));

    CQorOffice2007Image* button = images.LoadFile(L"Button.png"); // mapped by "Images"
    ASSERT_NE(nullptr, button);
    EXPECT_TRUE(button->IsAlpha());
    EXPECT_EQ(CSize(2, 1), button->GetExtent());
    EXPECT_EQ(button, images.LoadFile(L"Button.png"));
    CQorOffice2007Image* dotted = images.LoadFile(L"TestButton.png"); // '.' read as '_'
    CQorOffice2007Image* underscored = images.LoadFile(L"TestButton_png");
    ASSERT_NE(nullptr, dotted);
    ASSERT_NE(nullptr, underscored);
    EXPECT_EQ(dotted->GetExtent(), underscored->GetExtent());
    EXPECT_EQ(nullptr, images.LoadFile(L"NoSuchImage.png"));
    EXPECT_EQ(nullptr, images.LoadFile(L""));
}

TEST(Office2007Images, OneCachePerProcessOverTheProgramsResources)
{
    CQorOffice2007Images* images = GetOffice2007Images();
    ASSERT_NE(nullptr, images);
    EXPECT_EQ(images, GetOffice2007Images());
    EXPECT_EQ(RGB(10, 20, 30), images->GetColor(L"Colors", L"Frame"));
    QorDestroyOffice2007Images();
    QorDestroyOffice2007Images(); // twice is harmless
}

TEST(Office2007Images, WithoutIniTextColoursStayTheCallersDefaults)
{
    CQorOffice2007Images images(GetModuleHandleW(L"kernel32.dll"), L"NONE_INI");
    EXPECT_FALSE(images.IsLoaded());
    EXPECT_EQ(static_cast<COLORREF>(-1), images.GetColor(L"Colors", L"Frame"));
    EXPECT_EQ(nullptr, images.LoadFile(L"Button.png"));
}

// ---------------------------------------------------------------------------------------
// Nine-grid drawing

const COLORREF kMagenta = RGB(255, 0, 255);

// The colour of each cell of a 6 x 6 source with margins 2: the nine parts differ.
COLORREF PartColour(int col, int row)
{
    return RGB(40 + col * 80, 40 + row * 80, 90);
}

// A 6 x 6 opaque source (alpha bytes 0) whose parts have their own colours; the centre can
// be replaced.
HBITMAP MakeNinePartSource(COLORREF centre = CLR_INVALID)
{
    DWORD* bits = nullptr;
    HBITMAP bitmap = Canvas::MakeSection(6, 6, &bits);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) {
            COLORREF c = (x / 2 == 1 && y / 2 == 1 && centre != CLR_INVALID) ? centre : PartColour(x / 2, y / 2);
            bits[y * 6 + x] = Canvas::Bgr(c);
        }
    return bitmap;
}

TEST(Office2007Image, NineGridKeepsCornersAndStretchesEdgesAndCentre)
{
    CQorOffice2007Image image;
    image.SetBitmap(MakeNinePartSource(), FALSE);
    Canvas canvas(20, 12, RGB(0, 0, 0));
    image.DrawImage(canvas.Dc(), CRect(0, 0, 20, 12), CRect(0, 0, 6, 6), CRect(2, 2, 2, 2));
    const struct
    {
        int x, y, col, row;
    } probes[] = {
        {0, 0, 0, 0},  {1, 1, 0, 0}, {18, 0, 2, 0}, {19, 1, 2, 0}, {0, 10, 0, 2}, {19, 11, 2, 2}, {2, 0, 1, 0},
        {17, 1, 1, 0}, {0, 2, 0, 1}, {1, 9, 0, 1},  {10, 6, 1, 1}, {2, 2, 1, 1},  {17, 9, 1, 1},
    };
    for (const auto& p : probes) {
        SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
        EXPECT_EQ(PartColour(p.col, p.row), canvas.Pixel(p.x, p.y));
    }
}

// The same with the drawing helpers' own fallbacks: the nine-grid goes through them, so
// a system without msimg32 entries draws the same.
TEST(Office2007Image, TransparentColourAndAlphaLeaveTheBackground)
{
    const struct
    {
        const char* name;
        UINT missing;
    } cases[] = {{"native", 0}, {"fallback", QOR_MSIMG32_ALL}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QorSetMissingMsimg32EntriesForTest(c.missing);
        const UINT fallbacksBefore = QorGetDrawFallbacksForTest();
        CQorOffice2007Image opaque;
        opaque.SetBitmap(MakeNinePartSource(kMagenta), FALSE);
        Canvas keyed(12, 12, RGB(0, 0, 200));
        opaque.DrawImage(keyed.Dc(), CRect(0, 0, 12, 12), CRect(0, 0, 6, 6), CRect(2, 2, 2, 2), kMagenta);
        EXPECT_EQ(RGB(0, 0, 200), keyed.Pixel(6, 6));
        EXPECT_EQ(PartColour(0, 0), keyed.Pixel(0, 0));
        EXPECT_EQ(PartColour(1, 0), keyed.Pixel(6, 0));
        const UINT keyedFallbacks = QorGetDrawFallbacksForTest() - fallbacksBefore;

        // Straight red at half alpha, a transparent centre.
        DWORD* bits = nullptr;
        HBITMAP alpha = Canvas::MakeSection(6, 6, &bits);
        for (int i = 0; i < 36; ++i)
            bits[i] = (i / 6 / 2 == 1 && i % 6 / 2 == 1) ? 0 : 0x80FF0000;
        CQorOffice2007Image blended;
        blended.SetBitmap(alpha, TRUE);
        ASSERT_TRUE(blended.IsAlpha());
        Canvas canvas(12, 12, RGB(0, 0, 200));
        blended.DrawImage(canvas.Dc(), CRect(0, 0, 12, 12), CRect(0, 0, 6, 6), CRect(2, 2, 2, 2), kMagenta);
        COLORREF edge = canvas.Pixel(0, 0);
        EXPECT_NEAR(128, GetRValue(edge), 2);
        EXPECT_EQ(0, GetGValue(edge));
        EXPECT_NEAR(100, GetBValue(edge), 2);
        EXPECT_EQ(RGB(0, 0, 200), canvas.Pixel(6, 6));
        const UINT alphaFallbacks = QorGetDrawFallbacksForTest() - fallbacksBefore - keyedFallbacks;
        QorSetMissingMsimg32EntriesForTest(0);
        // One transparent blit for the keyed image, one blend per part of the grid.
        EXPECT_EQ(c.missing ? 1u : 0u, keyedFallbacks);
        EXPECT_EQ(c.missing ? 9u : 0u, alphaFallbacks);
    }
}

TEST(Office2007Image, SmallAndEmptyDestinations)
{
    CQorOffice2007Image image;
    image.SetBitmap(MakeNinePartSource(), FALSE);
    const COLORREF background = RGB(1, 1, 1);

    // Narrower than the margins: each side takes its share.
    Canvas narrow(3, 6, background);
    image.DrawImage(narrow.Dc(), CRect(0, 0, 3, 6), CRect(0, 0, 6, 6), CRect(2, 0, 2, 0));
    EXPECT_EQ(PartColour(0, 0), narrow.Pixel(0, 0));
    EXPECT_EQ(PartColour(2, 0), narrow.Pixel(2, 0));

    // Zero width with only top and bottom margins, and a source shorter than its margins.
    Canvas empty(6, 6, background);
    image.DrawImage(empty.Dc(), CRect(3, 0, 3, 6), CRect(0, 0, 6, 6), CRect(0, 2, 0, 2));
    image.DrawImage(empty.Dc(), CRect(0, 0, 6, 6), CRect(0, 0, 6, 3), CRect(0, 2, 0, 2));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            ASSERT_EQ(background, empty.Pixel(x, y));
}

TEST(Office2007Image, SourceStatesSplitTheStrip)
{
    CQorOffice2007Image image;
    EXPECT_TRUE(image.GetSource(0, 1).IsRectEmpty());
    image.SetBitmap(MakeNinePartSource(), FALSE);
    EXPECT_EQ(CRect(0, 3, 6, 6), image.GetSource(1, 2));
    EXPECT_EQ(CRect(0, 0, 6, 2), image.GetSource(0, 3));
    EXPECT_TRUE(image.GetSource(1, 0).IsRectEmpty());
}

} // namespace
