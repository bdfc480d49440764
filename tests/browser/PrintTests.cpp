// Printing: sheets cut between lines, drawn onto metafile and bitmap DCs.
#include "tests/browser/BrowserTestSupport.h"
#include "platform/browser/ImageLoader.h"
#include "platform/browser/PagePrinter.h"
#include <gtest/gtest.h>

using namespace fxb;

namespace {

// 100 blocks of 20 pixels; block 10 (the first of the second 200-pixel sheet) is red.
std::shared_ptr<Document> Blocks()
{
    std::wstring page = L"<body style='margin:0'>";
    for (int i = 0; i < 100; ++i)
        page += std::wstring(L"<div style='height:20px;margin:0") + (i == 10 ? L";background:#FF0000" : L"") + L"'>b" +
                std::to_wstring(i) + L"</div>";
    return browsertest::Parse(page + L"</body>");
}

int CountRed(HDC dc, int w, int h)
{
    int n = 0;
    for (int y = 0; y < h; y += 2)
        for (int x = 0; x < w; x += 2)
            if (GetPixel(dc, x, y) == RGB(255, 0, 0))
                ++n;
    return n;
}

} // namespace

TEST(Print, SheetCountFollowsContentHeight)
{
    auto doc = Blocks();
    struct Case
    {
        int height;
        int pages;
    };
    const Case cases[] = {{200, 10}, {400, 5}, {2000, 1}, {5000, 1}, {190, 12}};
    for (const Case& c : cases) {
        PagePrinter printer(doc, 300, c.height);
        EXPECT_EQ(c.pages, printer.PageCount()) << c.height;
        for (int i = 1; i < printer.PageCount(); ++i) {
            EXPECT_EQ(0, printer.PageTop(i) % 20) << "sheets end between blocks";
            EXPECT_LE(printer.PageTop(i) - printer.PageTop(i - 1), c.height);
        }
    }
    // Lines of a long paragraph are not cut either.
    std::wstring words;
    for (int i = 0; i < 800; ++i)
        words += L"word ";
    auto text = browsertest::Parse(L"<body style='margin:0'><p style='margin:0;line-height:20px'>" + words + L"</p>");
    PagePrinter printer(text, 300, 210);
    ASSERT_GT(printer.PageCount(), 3);
    for (int i = 1; i < printer.PageCount(); ++i)
        EXPECT_EQ(0, printer.PageTop(i) % 20);
}

TEST(Print, RendersSheetsToBitmapAndMetafile)
{
    auto doc = Blocks();
    PagePrinter printer(doc, 300, 200);
    ASSERT_EQ(10, printer.PageCount());
    // Bitmap at twice the resolution: sheet 2 holds the red block, sheet 1 does not.
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 600, 400);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    RECT target = {0, 0, 600, 400};
    printer.RenderPage(dc, 0, target);
    EXPECT_EQ(0, CountRed(dc, 600, 400));
    printer.RenderPage(dc, 1, target);
    int red = CountRed(dc, 600, 400);
    EXPECT_GT(red, 300 * 20 / 2); // 600 x 40 device pixels, sampled every second pixel
    EXPECT_EQ(RGB(255, 0, 0), GetPixel(dc, 300, 20));
    EXPECT_NE(RGB(255, 0, 0), GetPixel(dc, 300, 60));
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);

    // Every sheet recorded into an enhanced metafile and played back.
    HDC meta = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, meta);
    for (int i = 0; i < printer.PageCount(); ++i) {
        RECT sheet = {0, i * 200, 300, (i + 1) * 200};
        printer.RenderPage(meta, i, sheet);
    }
    HENHMETAFILE emf = CloseEnhMetaFile(meta);
    ASSERT_NE(nullptr, emf);
    ENHMETAHEADER header = {};
    GetEnhMetaFileHeader(emf, sizeof(header), &header);
    EXPECT_GT(header.nRecords, 100u);
    HDC play = CreateCompatibleDC(nullptr);
    Image canvas(300, 2000);
    old = SelectObject(play, canvas.Bitmap());
    RECT all = {0, 0, 300, 2000};
    FillRect(play, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    RECT frame = {header.rclBounds.left, header.rclBounds.top, header.rclBounds.right + 1, header.rclBounds.bottom + 1};
    PlayEnhMetaFile(play, emf, &frame);
    EXPECT_EQ(RGB(255, 0, 0), GetPixel(play, 150, 210 - frame.top));
    SelectObject(play, old);
    DeleteDC(play);
    DeleteEnhMetaFile(emf);
}
