// PNG fixtures written with libpng, for the tests of every decoder user. Link libpng to use it.
#pragma once
#include <png.h>
#include <string>
#include <vector>

namespace testsupport {

struct PngFixture
{
    int width = 1;
    int height = 1;
    int colorType = PNG_COLOR_TYPE_RGB;
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<png_color> palette;
    std::vector<png_byte> paletteAlpha; // tRNS of a palette image
    bool transparentColour = false;     // tRNS of a grey or RGB image
    png_color_16 transparent{};
    bool background = false; // bKGD
    png_color_16 backgroundColour{};
    double gamma = 0;           // gAMA when positive
    std::vector<png_byte> rows; // packed rows, top-down
    bool headerOnly = false;    // stop after the header chunks
};

inline std::string WritePng(const PngFixture& fixture)
{
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return std::string();
    }
    png_set_user_limits(png, 0x7fffffff, 0x7fffffff);
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, png_size_t n) {
            static_cast<std::string*>(png_get_io_ptr(p))->append(reinterpret_cast<char*>(data), n);
        },
        [](png_structp) {});
    png_set_IHDR(png, info, fixture.width, fixture.height, fixture.bitDepth, fixture.colorType,
                 fixture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!fixture.palette.empty())
        png_set_PLTE(png, info, fixture.palette.data(), static_cast<int>(fixture.palette.size()));
    if (!fixture.paletteAlpha.empty())
        png_set_tRNS(png, info, fixture.paletteAlpha.data(), static_cast<int>(fixture.paletteAlpha.size()), nullptr);
    if (fixture.transparentColour) {
        png_color_16 colour = fixture.transparent;
        png_set_tRNS(png, info, nullptr, 0, &colour);
    }
    if (fixture.background) {
        png_color_16 colour = fixture.backgroundColour;
        png_set_bKGD(png, info, &colour);
    }
    if (fixture.gamma > 0)
        png_set_gAMA(png, info, fixture.gamma);
    png_write_info(png, info);
    if (fixture.headerOnly) {
        png_destroy_write_struct(&png, &info);
        return out;
    }
    const size_t stride = png_get_rowbytes(png, info);
    std::vector<png_bytep> rows(fixture.height);
    std::vector<png_byte> pixels = fixture.rows;
    pixels.resize(stride * fixture.height);
    for (int y = 0; y < fixture.height; ++y)
        rows[y] = pixels.data() + y * stride;
    png_write_image(png, rows.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

} // namespace testsupport
