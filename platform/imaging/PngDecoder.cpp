#include "platform/imaging/PngDecoder.h"
#include <png.h>
#include <csetjmp>
#include <cstring>
#include <new>

namespace fximage {

size_t PngMemorySource::Read(void* buffer, size_t count) noexcept
{
    size_t n = count < m_size - m_pos ? count : m_size - m_pos;
    memcpy(buffer, m_data + m_pos, n);
    m_pos += n;
    return n;
}

bool HasPngSignature(const void* data, size_t size)
{
    return size >= 8 && png_sig_cmp(static_cast<png_const_bytep>(data), 0, 8) == 0;
}

namespace {

const size_t kSignatureBytes = 8;

// Errors leave libpng through longjmp only: a C++ exception must not cross its C frames.
void PngError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void PngWarning(png_structp, png_const_charp) {}

void PngRead(png_structp png, png_bytep out, png_size_t count)
{
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (source->Read(out, count) != count)
        png_error(png, "truncated");
}

// A bKGD sample of the given bit depth scaled to 8 bits.
BYTE ScaleSample(png_uint_16 value, int bitDepth)
{
    if (bitDepth == 16)
        return static_cast<BYTE>(value >> 8);
    if (bitDepth == 8)
        return static_cast<BYTE>(value);
    const unsigned maxValue = (1u << bitDepth) - 1;
    return static_cast<BYTE>((value & maxValue) * 255u / maxValue);
}

COLORREF BackgroundColour(const png_color_16& bkgd, int colorType, int bitDepth)
{
    if (colorType == PNG_COLOR_TYPE_PALETTE) // libpng fills red, green and blue from the palette
        return RGB(bkgd.red, bkgd.green, bkgd.blue);
    if (!(colorType & PNG_COLOR_MASK_COLOR)) {
        BYTE grey = ScaleSample(bkgd.gray, bitDepth);
        return RGB(grey, grey, grey);
    }
    return RGB(ScaleSample(bkgd.red, bitDepth), ScaleSample(bkgd.green, bitDepth), ScaleSample(bkgd.blue, bitDepth));
}

// Everything that must survive a longjmp lives outside the function that calls setjmp.
struct PngJob
{
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::vector<png_bytep> rows;
    PngSource* source = nullptr;
    const PngDecodeOptions* options = nullptr;
    PngImage* image = nullptr;
};

bool AllocatePixels(PngJob& job)
{
    PngImage& image = *job.image;
    try {
        const size_t stride = static_cast<size_t>(image.width) * 4;
        image.pixels.resize(stride * image.height);
        job.rows.resize(image.height);
        for (unsigned y = 0; y < image.height; ++y)
            job.rows[y] = image.pixels.data() + y * stride;
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

// Sets the transforms that turn any PNG into 8-bit BGRA; returns the channel count.
int SetTransforms(PngJob& job, int colorType, int bitDepth)
{
    png_structp png = job.png;
    png_infop info = job.info;
    PngImage& image = *job.image;
    if (bitDepth == 16)
        png_set_strip_16(png);
    if (colorType == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    const bool transparency = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    if (transparency)
        png_set_tRNS_to_alpha(png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    int channels = (transparency || (colorType & PNG_COLOR_MASK_ALPHA)) ? 4 : 3;

    png_color_16p bkgd = nullptr;
    if (png_get_bKGD(png, info, &bkgd) && bkgd) {
        image.hasBackground = true;
        image.background = BackgroundColour(*bkgd, colorType, bitDepth);
        if (job.options->applyBackgroundAndGamma) {
            png_set_background(png, bkgd, PNG_BACKGROUND_GAMMA_FILE, 1, 1.0);
            channels = 3;
        }
    }
    double fileGamma = 0;
    if (job.options->applyBackgroundAndGamma && png_get_gAMA(png, info, &fileGamma) && fileGamma > 0)
        png_set_gamma(png, 2.2, fileGamma);

    png_set_bgr(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    return channels;
}

bool RunPngJob(PngJob& job)
{
    if (setjmp(png_jmpbuf(job.png)))
        return false;
    png_set_read_fn(job.png, job.source, PngRead);
    png_set_sig_bytes(job.png, static_cast<int>(kSignatureBytes));
    png_set_user_limits(job.png, kMaxPngSide, kMaxPngSide);
    png_read_info(job.png, job.info);
    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colorType = 0;
    png_get_IHDR(job.png, job.info, &width, &height, &bitDepth, &colorType, nullptr, nullptr, nullptr);
    if (width == 0 || height == 0 || static_cast<unsigned long long>(width) * height > kMaxPngPixels)
        return false;
    job.image->width = width;
    job.image->height = height;
    job.image->channels = SetTransforms(job, colorType, bitDepth);
    png_read_update_info(job.png, job.info);
    if (png_get_rowbytes(job.png, job.info) != static_cast<size_t>(width) * 4 || !AllocatePixels(job))
        return false;
    png_read_image(job.png, job.rows.data());
    png_read_end(job.png, nullptr);
    return true;
}

} // namespace

bool DecodePng(PngSource& source, const PngDecodeOptions& options, PngImage& image)
{
    image = PngImage();
    unsigned char signature[kSignatureBytes];
    if (source.Read(signature, sizeof(signature)) != sizeof(signature) ||
        !HasPngSignature(signature, sizeof(signature)))
        return false;
    PngJob job;
    job.source = &source;
    job.options = &options;
    job.image = &image;
    job.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
    if (!job.png)
        return false;
    job.info = png_create_info_struct(job.png);
    const bool ok = job.info && RunPngJob(job);
    png_destroy_read_struct(&job.png, job.info ? &job.info : nullptr, nullptr);
    if (!ok)
        image = PngImage();
    return ok;
}

bool DecodePng(const void* data, size_t size, const PngDecodeOptions& options, PngImage& image)
{
    PngMemorySource source(data, size);
    return DecodePng(source, options, image);
}

} // namespace fximage
