#include <gtest/gtest.h>
#include "platform/framework/Gdi.h"
#include "platform/framework/ImageList.h"
#include "platform/framework/WinApp.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kMagenta = RGB(255, 0, 255);

HBITMAP CreateDib(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    return ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

// 16 x 16 images, drawn into a white 64 x 16 canvas.
class ImageListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(canvas.CreateCompatibleDC(nullptr));
        ASSERT_TRUE(canvasBitmap.Attach(CreateDib(64, 16)));
        oldCanvasBitmap = canvas.SelectObject(&canvasBitmap);
        canvas.FillSolidRect(0, 0, 64, 16, kWhite);
        ASSERT_TRUE(list.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 4));
    }

    void TearDown() override
    {
        canvas.SelectObject(oldCanvasBitmap);
        AfxDeleteTempDrawingObjects();
    }

    // Two images: 0 = magenta with a red 8 x 8 square in the middle, 1 = green.
    void MakeStrip(CBitmap& strip)
    {
        ASSERT_TRUE(strip.Attach(CreateDib(32, 16)));
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap* old = dc.SelectObject(&strip);
        dc.FillSolidRect(0, 0, 16, 16, kMagenta);
        dc.FillSolidRect(4, 4, 8, 8, kRed);
        dc.FillSolidRect(16, 0, 16, 16, kGreen);
        dc.SelectObject(old);
    }

    COLORREF Pixel(int x, int y) { return canvas.GetPixel(x, y); }

    CDC canvas;
    CBitmap canvasBitmap;
    CBitmap* oldCanvasBitmap = nullptr;
    CImageList list;
};

TEST_F(ImageListTest, ColourMaskMakesThatColourTransparent)
{
    CBitmap strip;
    MakeStrip(strip);
    EXPECT_EQ(0, list.Add(&strip, kMagenta));
    EXPECT_EQ(2, list.GetImageCount());

    ASSERT_TRUE(list.Draw(&canvas, 0, CPoint(0, 0), ILD_TRANSPARENT));
    ASSERT_TRUE(list.Draw(&canvas, 1, CPoint(16, 0), ILD_TRANSPARENT));
    EXPECT_EQ(kWhite, Pixel(0, 0));
    EXPECT_EQ(kWhite, Pixel(15, 15));
    EXPECT_EQ(kRed, Pixel(4, 4));
    EXPECT_EQ(kRed, Pixel(11, 11));
    EXPECT_EQ(kGreen, Pixel(16, 0));
    EXPECT_EQ(kGreen, Pixel(31, 15));
    EXPECT_EQ(kWhite, Pixel(32, 0));

    // With a background colour the masked part is painted in it.
    EXPECT_EQ(CLR_NONE, list.SetBkColor(kBlue));
    EXPECT_EQ(kBlue, list.GetBkColor());
    ASSERT_TRUE(list.Draw(&canvas, 0, CPoint(32, 0), ILD_NORMAL));
    EXPECT_EQ(kBlue, Pixel(32, 0));
    EXPECT_EQ(kRed, Pixel(40, 8));
}

TEST_F(ImageListTest, MaskBitmapSelectsTransparentPixels)
{
    CBitmap image;
    ASSERT_TRUE(image.Attach(CreateDib(16, 16)));
    {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap* old = dc.SelectObject(&image);
        dc.FillSolidRect(0, 0, 16, 16, kBlue);
        dc.SelectObject(old);
    }
    // Monochrome mask: set bits are transparent. The left half is transparent here.
    WORD rows[16];
    for (WORD& row : rows)
        row = 0x00FF; // the first byte of a row holds its eight left pixels
    CBitmap mask;
    ASSERT_TRUE(mask.CreateBitmap(16, 16, 1, 1, rows));
    EXPECT_EQ(0, list.Add(&image, &mask));
    ASSERT_TRUE(list.Draw(&canvas, 0, CPoint(0, 0), ILD_TRANSPARENT));
    EXPECT_EQ(kWhite, Pixel(0, 0));
    EXPECT_EQ(kWhite, Pixel(7, 15));
    EXPECT_EQ(kBlue, Pixel(8, 0));
    EXPECT_EQ(kBlue, Pixel(15, 15));
}

TEST_F(ImageListTest, ReplaceRemoveAndIcons)
{
    CBitmap strip;
    MakeStrip(strip);
    list.Add(&strip, kMagenta);

    CBitmap green;
    ASSERT_TRUE(green.Attach(CreateDib(16, 16)));
    {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap* old = dc.SelectObject(&green);
        dc.FillSolidRect(0, 0, 16, 16, kGreen);
        dc.SelectObject(old);
    }
    ASSERT_TRUE(list.Replace(0, &green, nullptr));
    list.Draw(&canvas, 0, CPoint(0, 0), ILD_NORMAL);
    EXPECT_EQ(kGreen, Pixel(8, 8));

    HICON icon = list.ExtractIcon(1);
    ASSERT_NE(nullptr, icon);
    EXPECT_EQ(2, list.Add(icon));
    EXPECT_EQ(3, list.GetImageCount());
    EXPECT_EQ(0, list.Replace(0, icon));
    ::DestroyIcon(icon);
    canvas.FillSolidRect(0, 0, 64, 16, kWhite);
    list.Draw(&canvas, 2, CPoint(0, 0), ILD_TRANSPARENT);
    EXPECT_EQ(kGreen, Pixel(8, 8));

    EXPECT_TRUE(list.Remove(0));
    EXPECT_EQ(2, list.GetImageCount());
    EXPECT_FALSE(list.Remove(5));
    EXPECT_TRUE(list.Remove(-1));
    EXPECT_EQ(0, list.GetImageCount());

    IMAGEINFO info{};
    EXPECT_FALSE(list.GetImageInfo(0, &info));
}

TEST(ImageListOwnershipTest, OwnerDestroysBorrowedDoesNot)
{
    HIMAGELIST kept;
    {
        CImageList owner;
        ASSERT_TRUE(owner.Create(8, 8, ILC_COLOR32, 1, 1));
        EXPECT_EQ(&owner, CImageList::FromHandle(owner));
        CImageList copy;
        ASSERT_TRUE(copy.Create(&owner));
        EXPECT_NE(owner.GetSafeHandle(), copy.GetSafeHandle());
        kept = copy.Detach();
    }
    CImageList* borrowed = CImageList::FromHandle(kept);
    ASSERT_NE(nullptr, borrowed);
    EXPECT_EQ(0, borrowed->GetImageCount());
    AfxDeleteTempDrawingObjects();
    int cx = 0, cy = 0;
    EXPECT_TRUE(ImageList_GetIconSize(kept, &cx, &cy));
    EXPECT_EQ(8, cx);
    ImageList_Destroy(kept);

    CImageList empty;
    EXPECT_FALSE(empty.DeleteImageList());
    EXPECT_FALSE(empty.Create(54321, 16, 1, CLR_NONE));
    CImageList* none = nullptr;
    EXPECT_EQ(nullptr, none->GetSafeHandle());
}

// The tool-bar bitmap strips of comctl32 stand in for a bitmap resource of the program.
TEST(ImageListResourceTest, ListAndBitmapFromTheCurrentResourceModule)
{
    const UINT kStandardSmall = 120;
    HINSTANCE previous = AfxGetResourceHandle();
    AfxSetResourceHandle(::GetModuleHandleW(L"comctl32.dll"));
    CBitmap strip;
    BOOL bitmapLoaded = strip.LoadBitmap(kStandardSmall);
    CImageList list;
    BOOL listLoaded = list.Create(kStandardSmall, 16, 1, RGB(192, 192, 192));
    AfxSetResourceHandle(previous);

    ASSERT_TRUE(bitmapLoaded);
    ASSERT_TRUE(listLoaded);
    BITMAP info{};
    ASSERT_TRUE(strip.GetBitmap(&info));
    EXPECT_EQ(16, info.bmHeight);
    ASSERT_GT(info.bmWidth, 16);
    EXPECT_EQ(info.bmWidth / 16, list.GetImageCount());
}

} // namespace
