// The shared PNG decoder: every source format ends as straight BGRA rows, damaged and
// oversized files are refused before any pixel memory is taken.
#include "platform/imaging/PngDecoder.h"
#include "tests/common/PngWriter.h"
#include <gtest/gtest.h>

using fximage::DecodePng;
using fximage::PngDecodeOptions;
using fximage::PngImage;
using testsupport::PngFixture;
using testsupport::WritePng;

namespace {

using Pixels = std::vector<unsigned char>;

PngFixture Spec(int width, int height, int colorType, int bitDepth, Pixels rows)
{
    PngFixture fixture;
    fixture.width = width;
    fixture.height = height;
    fixture.colorType = colorType;
    fixture.bitDepth = bitDepth;
    fixture.rows = std::move(rows);
    return fixture;
}

PngFixture PaletteWithTransparency()
{
    PngFixture fixture = Spec(2, 1, PNG_COLOR_TYPE_PALETTE, 8, {0, 1});
    fixture.palette = {{255, 0, 0}, {0, 0, 255}};
    fixture.paletteAlpha = {255, 0};
    return fixture;
}

PngFixture GreyWithTransparentColour()
{
    PngFixture fixture = Spec(2, 1, PNG_COLOR_TYPE_GRAY, 8, {10, 200});
    fixture.transparentColour = true;
    fixture.transparent.gray = 200;
    return fixture;
}

PngFixture Interlaced()
{
    // 3 x 3 RGBA: every Adam7 pass that has pixels runs.
    Pixels rows;
    for (int i = 0; i < 9; ++i)
        rows.insert(rows.end(), {static_cast<unsigned char>(i * 20), 0, 0, static_cast<unsigned char>(255 - i)});
    PngFixture fixture = Spec(3, 3, PNG_COLOR_TYPE_RGB_ALPHA, 8, rows);
    fixture.interlaced = true;
    return fixture;
}

PngFixture WithBackground(PngFixture fixture, png_uint_16 red, png_uint_16 green, png_uint_16 blue)
{
    fixture.background = true;
    fixture.backgroundColour.red = red;
    fixture.backgroundColour.green = green;
    fixture.backgroundColour.blue = blue;
    return fixture;
}

struct DecodeCase
{
    const char* name;
    PngFixture fixture;
    bool applyBackgroundAndGamma;
    int channels;
    Pixels firstPixels; // BGRA from the top-left, row by row
};

class PngDecoderTable : public ::testing::TestWithParam<DecodeCase>
{
};

TEST_P(PngDecoderTable, DecodesToStraightBgraTopDown)
{
    const DecodeCase& c = GetParam();
    std::string bytes = WritePng(c.fixture);
    ASSERT_FALSE(bytes.empty());
    PngDecodeOptions options;
    options.applyBackgroundAndGamma = c.applyBackgroundAndGamma;
    PngImage image;
    ASSERT_TRUE(DecodePng(bytes.data(), bytes.size(), options, image));
    EXPECT_EQ(static_cast<unsigned>(c.fixture.width), image.width);
    EXPECT_EQ(static_cast<unsigned>(c.fixture.height), image.height);
    EXPECT_EQ(c.channels, image.channels);
    ASSERT_EQ(image.width * image.height * 4, image.pixels.size());
    ASSERT_LE(c.firstPixels.size(), image.pixels.size());
    EXPECT_EQ(c.firstPixels, Pixels(image.pixels.begin(), image.pixels.begin() + c.firstPixels.size()));
}

const DecodeCase kDecodeCases[] = {
    {"PaletteWithTrnsHasAlpha", PaletteWithTransparency(), false, 4, {0, 0, 255, 255, 255, 0, 0, 0}},
    {"RgbHasNoAlpha", Spec(2, 1, PNG_COLOR_TYPE_RGB, 8, {1, 2, 3, 4, 5, 6}), false, 3, {3, 2, 1, 255, 6, 5, 4, 255}},
    {"SixteenBitKeepsHighBytes",
     Spec(1, 1, PNG_COLOR_TYPE_RGB_ALPHA, 16, {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0x80, 0}),
     false,
     4,
     {0x9A, 0x56, 0x12, 0x80}},
    {"OneBitGreyExpands", Spec(2, 1, PNG_COLOR_TYPE_GRAY, 1, {0x80}), false, 3, {255, 255, 255, 255, 0, 0, 0, 255}},
    {"GreyWithAlpha", Spec(1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {90, 40}), false, 4, {90, 90, 90, 40}},
    {"GreyTransparentColour", GreyWithTransparentColour(), false, 4, {10, 10, 10, 255, 200, 200, 200, 0}},
    {"InterlacedRowsTopDown", Interlaced(), false, 4, {0, 0, 0, 255, 0, 0, 20, 254, 0, 0, 40, 253, 0, 0, 60, 252}},
    // bKGD: the transparent pixel takes the background, the opaque one stays; alpha is gone.
    {"BackgroundComposited",
     WithBackground(Spec(2, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8, {255, 0, 0, 255, 0, 0, 0, 0}), 0, 200, 0),
     true,
     3,
     {0, 0, 255, 255, 0, 200, 0, 255}},
    {"BackgroundIgnoredForPages",
     WithBackground(Spec(1, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8, {0, 0, 0, 0}), 0, 200, 0),
     false,
     4,
     {0, 0, 0, 0}},
};

INSTANTIATE_TEST_SUITE_P(Formats, PngDecoderTable, ::testing::ValuesIn(kDecodeCases),
                         [](const ::testing::TestParamInfo<DecodeCase>& info) { return info.param.name; });

TEST(PngDecoder, ReportsBackgroundScaledToEightBits)
{
    struct Row
    {
        const char* name;
        PngFixture fixture;
        COLORREF expected;
    } rows[] = {
        {"rgb16", WithBackground(Spec(1, 1, PNG_COLOR_TYPE_RGB, 16, {}), 0xFF00, 0x8000, 0x0100), RGB(255, 128, 1)},
        {"grey2",
         [] {
             PngFixture s = Spec(1, 1, PNG_COLOR_TYPE_GRAY, 2, {});
             s.background = true;
             s.backgroundColour.gray = 2;
             return s;
         }(),
         RGB(170, 170, 170)},
        {"palette",
         [] {
             PngFixture s = PaletteWithTransparency();
             s.background = true;
             s.backgroundColour.index = 1;
             return s;
         }(),
         RGB(0, 0, 255)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::string bytes = WritePng(row.fixture);
        PngImage image;
        ASSERT_TRUE(DecodePng(bytes.data(), bytes.size(), PngDecodeOptions(), image));
        EXPECT_TRUE(image.hasBackground);
        EXPECT_EQ(row.expected, image.background);
    }
    std::string plain = WritePng(Spec(1, 1, PNG_COLOR_TYPE_RGB, 8, {}));
    PngImage image;
    ASSERT_TRUE(DecodePng(plain.data(), plain.size(), PngDecodeOptions(), image));
    EXPECT_FALSE(image.hasBackground);
    EXPECT_EQ(RGB(127, 127, 127), image.background);
}

TEST(PngDecoder, GammaAppliesOnlyWhenAsked)
{
    // A linear file (gamma 1.0) shown on a 2.2 screen brightens mid grey.
    PngFixture fixture = Spec(1, 1, PNG_COLOR_TYPE_RGB, 8, {128, 128, 128});
    fixture.gamma = 1.0;
    std::string bytes = WritePng(fixture);
    PngImage page, toolkit;
    PngDecodeOptions corrected;
    corrected.applyBackgroundAndGamma = true;
    ASSERT_TRUE(DecodePng(bytes.data(), bytes.size(), PngDecodeOptions(), page));
    ASSERT_TRUE(DecodePng(bytes.data(), bytes.size(), corrected, toolkit));
    EXPECT_EQ(128, page.pixels[0]);
    EXPECT_NEAR(186, toolkit.pixels[0], 2);
}

class FailingSource : public fximage::PngSource
{
public:
    FailingSource(const std::string& bytes, size_t failAt) : m_bytes(bytes), m_failAt(failAt) {}
    size_t Read(void* buffer, size_t count) noexcept override
    {
        size_t n = std::min(count, m_failAt - std::min(m_failAt, m_pos));
        memcpy(buffer, m_bytes.data() + m_pos, n);
        m_pos += n;
        return n;
    }

private:
    const std::string& m_bytes;
    size_t m_failAt;
    size_t m_pos = 0;
};

TEST(PngDecoder, DamagedAndOversizedFilesAreRefused)
{
    std::string good = WritePng(Spec(16, 16, PNG_COLOR_TYPE_RGB, 8, Pixels(16 * 16 * 3, 7)));
    PngFixture huge = Spec(100000, 100000, PNG_COLOR_TYPE_RGB_ALPHA, 8, {});
    huge.headerOnly = true;
    PngFixture tooManyPixels = Spec(10000, 5000, PNG_COLOR_TYPE_RGB_ALPHA, 8, {}); // sides fit, 50 Mpx do not
    tooManyPixels.headerOnly = true;
    std::string corrupt = good;
    corrupt[good.size() / 2] ^= 0x55;
    struct Row
    {
        const char* name;
        std::string bytes;
    } rows[] = {
        {"truncated", good.substr(0, good.size() - 20)},
        {"corrupt data", corrupt},
        {"signature only", good.substr(0, 8)},
        {"no signature", "GIF89a" + good},
        {"empty", std::string()},
        {"100000 square header", WritePng(huge)},
        {"50 megapixel header", WritePng(tooManyPixels)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PngImage image;
        image.width = 9;
        EXPECT_FALSE(DecodePng(row.bytes.data(), row.bytes.size(), PngDecodeOptions(), image));
        EXPECT_EQ(0u, image.width);
        EXPECT_EQ(0, image.channels);
        EXPECT_TRUE(image.pixels.empty());
    }
    FailingSource failing(good, good.size() / 2);
    PngImage image;
    EXPECT_FALSE(DecodePng(failing, PngDecodeOptions(), image));
}

} // namespace
