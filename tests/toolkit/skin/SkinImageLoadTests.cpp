// Skin images from untrusted bitmaps: resources and files whose headers claim more than they
// hold give no image; sound ones load.
#include <gtest/gtest.h>

#include <vector>

#include "tests/toolkit/skin/SkinTestSupport.h"
#include "toolkit/skin/SkinImage.h"

using skintest::ModulePath;
using testsupport::TempFolder;

namespace {

struct Dib
{
    const char* name;
    std::string bytes;
    bool loads;
    DWORD pixelOffset = 40; // from the start of the header
};

std::string Header(LONG width, LONG height, WORD bits, DWORD compression = BI_RGB, DWORD used = 0, DWORD size = 40)
{
    BITMAPINFOHEADER h = {};
    h.biSize = size;
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = bits;
    h.biCompression = compression;
    h.biClrUsed = used;
    return std::string(reinterpret_cast<const char*>(&h), sizeof(h));
}

std::vector<Dib> HostileDibs()
{
    return {
        {"sound 24-bit", Header(2, 2, 24) + std::string(16, '\x40'), true},
        {"sound 8-bit with its table", Header(2, 2, 8, BI_RGB, 2) + std::string(8, '\x7f') + std::string(8, '\x01'),
         true, 48},
        {"a header claiming 4096 bytes", Header(2, 2, 24, BI_RGB, 0, 4096) + std::string(16, '\x40'), false},
        {"65536 x 65536", Header(65536, 65536, 24) + std::string(64, '\x40'), false},
        {"a colour table past the end", Header(2, 2, 8, BI_RGB, 1000) + std::string(40, '\x01'), false},
        {"bit fields without masks", Header(2, 2, 16, BI_BITFIELDS), false},
        {"24-bit pixels cut short", Header(8, 30000, 24) + std::string(96, '\x40'), false},
        {"32-bit pixels cut short", Header(4, 4, 32) + std::string(20, '\x40'), false},
    };
}

} // namespace

TEST(SkinImageLoad, HostileBitmapResourcesGiveNoImage)
{
    TempFolder temp;
    const std::wstring path = temp.File(L"Bitmaps.dll");
    ASSERT_TRUE(CopyFileW(ModulePath(L"SkinTestNoText.dll").c_str(), path.c_str(), FALSE));
    const std::vector<Dib> dibs = HostileDibs();
    HANDLE update = BeginUpdateResourceW(path.c_str(), FALSE);
    ASSERT_NE(nullptr, update);
    for (size_t i = 0; i < dibs.size(); ++i)
        ASSERT_TRUE(UpdateResourceW(update, RT_BITMAP, (L"DIB" + std::to_wstring(i)).c_str(),
                                    MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), const_cast<char*>(dibs[i].bytes.data()),
                                    static_cast<DWORD>(dibs[i].bytes.size())));
    ASSERT_TRUE(EndUpdateResourceW(update, FALSE));
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(nullptr, module);
    for (size_t i = 0; i < dibs.size(); ++i) {
        SCOPED_TRACE(dibs[i].name);
        CQorSkinImage image;
        EXPECT_EQ(dibs[i].loads, image.LoadFromResource((L"DIB" + std::to_wstring(i)).c_str(), module) != FALSE);
        if (dibs[i].loads) {
            EXPECT_EQ(2, image.GetWidth());
            EXPECT_EQ(2, image.GetHeight());
        }
    }
    FreeLibrary(module);
}

TEST(SkinImageLoad, HostileBitmapFilesGiveNoImage)
{
    TempFolder temp;
    const std::vector<Dib> dibs = HostileDibs();
    for (size_t i = 0; i < dibs.size(); ++i) {
        SCOPED_TRACE(dibs[i].name);
        BITMAPFILEHEADER file = {};
        file.bfType = 0x4D42;
        file.bfSize = static_cast<DWORD>(sizeof(file) + dibs[i].bytes.size());
        file.bfOffBits = static_cast<DWORD>(sizeof(file) + dibs[i].pixelOffset);
        const std::wstring path = temp.File(L"Dib" + std::to_wstring(i) + L".bmp");
        testsupport::WriteFileBytes(path,
                                    std::string(reinterpret_cast<const char*>(&file), sizeof(file)) + dibs[i].bytes);
        CQorSkinImage image;
        EXPECT_EQ(dibs[i].loads, image.LoadFromFile(path.c_str()) != FALSE);
    }
}
