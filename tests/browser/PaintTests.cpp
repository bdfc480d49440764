// Rendered pages: colours where they must appear (links, hit highlight, borders, selection) and
// images of every supported kind.
#include "tests/browser/BrowserTestSupport.h"
#include "tests/common/WineTestSupport.h"
#include "platform/browser/ImageLoader.h"
#include <gtest/gtest.h>
#include <png.h>
#include <wincodec.h>

using namespace fxb;
using browsertest::ById;
using browsertest::LayOut;
using browsertest::Parse;
using browsertest::Rendering;

namespace {

std::string MakeBmp(int w, int h, COLORREF color)
{
    int stride = ((w * 3 + 3) / 4) * 4;
    std::string bytes(54 + stride * h, '\0');
    auto put32 = [&](size_t at, DWORD v) { memcpy(&bytes[at], &v, 4); };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, static_cast<DWORD>(bytes.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, w);
    put32(22, h);
    bytes[26] = 1;
    bytes[28] = 24;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            size_t at = 54 + y * stride + x * 3;
            bytes[at] = static_cast<char>(GetBValue(color));
            bytes[at + 1] = static_cast<char>(GetGValue(color));
            bytes[at + 2] = static_cast<char>(GetRValue(color));
        }
    return bytes;
}

void PngWrite(png_structp png, png_bytep data, png_size_t n)
{
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), n);
}
void PngFlush(png_structp) {}

// A PNG whose left half is opaque `color` and right half fully transparent.
std::string MakePng(int w, int h, COLORREF color)
{
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, PngWrite, PngFlush);
    png_set_IHDR(png, info, w, h, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<unsigned char> row(w * 4);
    for (int x = 0; x < w; ++x) {
        row[x * 4] = GetRValue(color);
        row[x * 4 + 1] = GetGValue(color);
        row[x * 4 + 2] = GetBValue(color);
        row[x * 4 + 3] = x < w / 2 ? 255 : 0;
    }
    for (int y = 0; y < h; ++y)
        png_write_row(png, row.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

// A 2x2 GIF in one colour (palette entry 0), written by hand.
std::string MakeGif(COLORREF color)
{
    std::string g = "GIF89a";
    g += std::string("\x02\x00\x02\x00\x80\x00\x00", 7); // 2x2, global table of 2 entries
    g += static_cast<char>(GetRValue(color));
    g += static_cast<char>(GetGValue(color));
    g += static_cast<char>(GetBValue(color));
    g += std::string("\x00\x00\x00", 3);
    g += std::string("\x2C\x00\x00\x00\x00\x02\x00\x02\x00\x00", 10);
    g += std::string("\x02\x02\x84\x51\x00\x3B", 6); // LZW: four pixels of index 0
    return g;
}

// A JPEG made by the imaging component's encoder; empty when there is none.
std::string MakeJpeg(int w, int h, COLORREF color)
{
    std::string out;
    IWICImagingFactory* factory = nullptr;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&factory))))
        return out;
    IStream* stream = nullptr;
    CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    IWICBitmapEncoder* encoder = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    if (SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, &encoder)) &&
        SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
        SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
        SUCCEEDED(frame->SetSize(w, h))) {
        WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
        frame->SetPixelFormat(&format);
        std::vector<BYTE> pixels(w * h * 3);
        for (int i = 0; i < w * h; ++i) {
            pixels[i * 3] = GetBValue(color);
            pixels[i * 3 + 1] = GetGValue(color);
            pixels[i * 3 + 2] = GetRValue(color);
        }
        if (SUCCEEDED(frame->WritePixels(h, w * 3, static_cast<UINT>(pixels.size()), pixels.data())) &&
            SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit())) {
            HGLOBAL mem = nullptr;
            GetHGlobalFromStream(stream, &mem);
            STATSTG st = {};
            stream->Stat(&st, STATFLAG_NONAME);
            const char* p = static_cast<const char*>(GlobalLock(mem));
            out.assign(p, static_cast<size_t>(st.cbSize.QuadPart));
            GlobalUnlock(mem);
        }
    }
    if (frame)
        frame->Release();
    if (encoder)
        encoder->Release();
    if (stream)
        stream->Release();
    factory->Release();
    return out;
}

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return abs(GetRValue(a) - GetRValue(b)) <= tolerance && abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

} // namespace

TEST(Paint, LinksHighlightsBordersAndCanvas)
{
    auto doc = Parse(
        L"<body bgcolor=#FFFFF0 style='margin:4px'><p><a id=a href='other.htm'>LINK LINK LINK</a></p>"
        L"<p><span id=hit style='color: black; background-color: #99FF99; font-weight: bold'>found</span></p>"
        L"<table cellspacing=0><tr><td id=td style='border: 2px solid #FF0000; padding: 4px'>cell</td></tr></table>"
        L"<table border=1 id=t2><tr><td>x</td></tr></table></body>");
    auto layout = LayOut(*doc, 300);
    Rendering r(*doc, *layout, 300, 300);
    const NodeGeometry& a = ById(*doc, L"a")->geometry;
    EXPECT_GT(r.Count(RGB(0, 0, 255), a.left, a.top, a.left + a.width, a.top + a.height), 20);
    const NodeGeometry& hit = ById(*doc, L"hit")->geometry;
    EXPECT_GT(r.Count(RGB(0x99, 0xFF, 0x99), hit.left, hit.top, hit.left + hit.width, hit.top + hit.height),
              hit.width * 4);
    const NodeGeometry& td = ById(*doc, L"td")->geometry;
    EXPECT_EQ(RGB(255, 0, 0), r.Pixel(td.left, td.top + td.height / 2));
    EXPECT_EQ(RGB(255, 0, 0), r.Pixel(td.left + td.width - 1, td.top + td.height / 2));
    EXPECT_EQ(RGB(255, 0, 0), r.Pixel(td.left + td.width / 2, td.top + 1));
    EXPECT_NE(RGB(255, 0, 0), r.Pixel(td.left + 2, td.top + td.height / 2));
    const NodeGeometry& t2 = ById(*doc, L"t2")->geometry;
    EXPECT_EQ(RGB(0x80, 0x80, 0x80), r.Pixel(t2.left + t2.width - 1, t2.top + t2.height / 2));
    EXPECT_EQ(RGB(0xFF, 0xFF, 0xF0), r.Pixel(299, 299)); // canvas takes the body colour
}

TEST(Paint, InlineElementsWithBordersAndPadding)
{
    auto doc = Parse(L"<p style='margin:0'>press <kbd id=k style='border: 1px solid #FF0000; padding: 2px 6px; "
                     L"background: #00FF00'>F3</kbd> <span id=after>now</span></p>");
    auto layout = LayOut(*doc, 300);
    Rendering r(*doc, *layout, 300, 60);
    const NodeGeometry& k = ById(*doc, L"k")->geometry;
    const NodeGeometry& after = ById(*doc, L"after")->geometry;
    EXPECT_GT(after.left, k.left + k.width);
    int mid = k.top + k.height / 2;
    EXPECT_EQ(RGB(255, 0, 0), r.Pixel(k.left, mid));
    EXPECT_EQ(RGB(255, 0, 0), r.Pixel(k.left + k.width - 1, mid));
    EXPECT_EQ(RGB(0, 255, 0), r.Pixel(k.left + 3, mid)); // padding carries the background

    // A box whose text moves to the next line moves there whole.
    auto wrapped = Parse(L"<body style='margin:0'><p style='margin:0'>xx <kbd id=k style='border: 1px solid "
                         L"#FF0000; padding: 0 6px'>F3F3F3F3F3F3F3</kbd></p></body>");
    auto narrow = LayOut(*wrapped, 150);
    Rendering w(*wrapped, *narrow, 150, 80);
    const NodeGeometry& k2 = ById(*wrapped, L"k")->geometry;
    EXPECT_EQ(0, k2.left);
    EXPECT_GT(k2.top, 10);
    EXPECT_EQ(RGB(255, 0, 0), w.Pixel(0, k2.top + k2.height / 2));
}

TEST(Paint, SelectionUsesTheHighlightColours)
{
    auto doc = Parse(L"<p>select some of this text</p>");
    auto layout = LayOut(*doc, 300);
    PaintOptions opt;
    opt.selectionStart = 7;
    opt.selectionEnd = 11;
    opt.selectionBack = RGB(10, 20, 200);
    opt.selectionText = RGB(250, 250, 250);
    Rendering plain(*doc, *layout, 300, 100);
    Rendering selected(*doc, *layout, 300, 100, opt);
    EXPECT_EQ(0, plain.Count(RGB(10, 20, 200)));
    EXPECT_GT(selected.Count(RGB(10, 20, 200)), 100);
}

TEST(Paint, ImagesOfEveryKindLoadAndDraw)
{
    testsupport::TempFolder folder;
    CreateDirectoryW(folder.File(L"p_files").c_str(), nullptr);
    browsertest::WriteFile(folder.File(L"p_files\\a.bmp"), MakeBmp(20, 10, RGB(255, 0, 0)));
    browsertest::WriteFile(folder.File(L"p_files\\b.png"), MakePng(20, 10, RGB(0, 0, 255)));
    browsertest::WriteFile(folder.File(L"p_files\\c.gif"), MakeGif(RGB(0, 255, 0)));
    std::string jpeg = MakeJpeg(16, 16, RGB(255, 255, 0));
    if (!jpeg.empty())
        browsertest::WriteFile(folder.File(L"p_files\\d.jpg"), jpeg);
    browsertest::WriteFile(
        folder.File(L"p.htm"),
        "<body style='margin:0;background:white'>"
        "<img id=a src='p_files/a.bmp'><img id=b src='p_files/b.png'><img id=c src='p_files/c.gif' width=8 height=8>"
        "<img id=d src='p_files/d.jpg'><img id=e src='p_files/missing.png' alt='no picture'>"
        "<div id=tiled style=\"height:30px;background-image:url('p_files/a.bmp')\"></div></body>");
    auto doc = Document::Load(folder.File(L"p.htm"), folder.File(L"p.htm"), 2);
    auto layout = LayOut(*doc, 400);
    Rendering r(*doc, *layout, 400, 100);
    const NodeGeometry &a = ById(*doc, L"a")->geometry, &b = ById(*doc, L"b")->geometry,
                       &c = ById(*doc, L"c")->geometry, &e = ById(*doc, L"e")->geometry;
    EXPECT_EQ(20, a.width);
    EXPECT_EQ(10, a.height);
    EXPECT_EQ(RGB(255, 0, 0), r.Pixel(a.left + 5, a.top + 5));
    EXPECT_EQ(20, b.width);
    EXPECT_EQ(RGB(0, 0, 255), r.Pixel(b.left + 2, b.top + 5));
    EXPECT_EQ(RGB(255, 255, 255), r.Pixel(b.left + 17, b.top + 5)); // transparent half shows the page
    EXPECT_EQ(8, c.width);
    EXPECT_EQ(RGB(0, 255, 0), r.Pixel(c.left + 4, c.top + 4));
    EXPECT_GT(e.width, 30); // the alternative text gives the box its size
    const NodeGeometry& tiled = ById(*doc, L"tiled")->geometry;
    EXPECT_EQ(RGB(255, 0, 0), r.Pixel(tiled.left + 250, tiled.top + 25)); // background images repeat
    if (jpeg.empty()) {
        GTEST_SKIP() << "no JPEG encoder to make the fixture";
    }
    const NodeGeometry& d = ById(*doc, L"d")->geometry;
    EXPECT_EQ(16, d.width);
    EXPECT_TRUE(Near(RGB(255, 255, 0), r.Pixel(d.left + 8, d.top + 8), 24));
}

TEST(Paint, DamagedImagesAreRefused)
{
    std::string png = MakePng(4, 4, RGB(1, 2, 3));
    EXPECT_NE(nullptr, DecodeImage(png));
    EXPECT_EQ(nullptr, DecodeImage(png.substr(0, png.size() / 2)));
    EXPECT_EQ(nullptr, DecodeImage(std::string("\x89PNG\r\n\x1a\n garbage", 17)));
    EXPECT_EQ(nullptr, DecodeImage(std::string("GIF89a\xFF\xFF\xFF\xFF", 10)));
    EXPECT_EQ(nullptr, DecodeImage("BM"));
    EXPECT_EQ(nullptr, DecodeImage("plain text"));
}
