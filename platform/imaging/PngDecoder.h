// PNG decoding through libpng into straight (not premultiplied) BGRA rows, top-down.
// The page engine and the toolkit share it; each builds its own bitmap from the rows.
#pragma once
#include <windows.h>
#include <cstddef>
#include <vector>

namespace fximage {

// Images larger than this are refused before any pixel memory is taken.
constexpr unsigned kMaxPngSide = 20000;
constexpr unsigned long long kMaxPngPixels = 40ull * 1000 * 1000;

// Where the encoded bytes come from. Read copies up to count bytes and returns how many it
// copied (fewer only at the end of the data or on a read error). It must not throw: it runs
// inside libpng's C frames.
class PngSource
{
public:
    virtual ~PngSource() = default;
    virtual size_t Read(void* buffer, size_t count) noexcept = 0;
};

// Bytes in memory, which stay the caller's.
class PngMemorySource : public PngSource
{
public:
    PngMemorySource(const void* data, size_t size) : m_data(static_cast<const unsigned char*>(data)), m_size(size) {}
    size_t Read(void* buffer, size_t count) noexcept override;

private:
    const unsigned char* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

struct PngDecodeOptions
{
    // Composite over the file's bKGD colour (which removes the alpha channel) and correct
    // for the file's gAMA against a screen gamma of 2.2. The toolkit's images want this;
    // the page engine draws pixels as stored.
    bool applyBackgroundAndGamma = false;
};

struct PngImage
{
    unsigned width = 0;
    unsigned height = 0;
    // Channels of the decoded image after palette, grey and tRNS expansion: 3 (colour only)
    // or 4 (with alpha). A bKGD composite leaves 3.
    int channels = 0;
    // The file's bKGD colour scaled to 8 bits per channel; grey 127 when the file has none.
    bool hasBackground = false;
    COLORREF background = RGB(127, 127, 127);
    // width * 4 bytes per row, rows top-down, bytes blue, green, red, alpha (255 when the
    // image has no alpha channel).
    std::vector<unsigned char> pixels;
};

// Decodes a whole PNG. False, with the image left empty, for a bad signature, a damaged or
// truncated stream, a size over the limits or a failed allocation.
bool DecodePng(PngSource& source, const PngDecodeOptions& options, PngImage& image);
bool DecodePng(const void* data, size_t size, const PngDecodeOptions& options, PngImage& image);

// True when the bytes start with the 8-byte PNG signature.
bool HasPngSignature(const void* data, size_t size);

} // namespace fximage
