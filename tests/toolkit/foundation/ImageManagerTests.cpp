// The image manager: strips, states, derived images, lookups by width, ownership, loaders
// and the archive.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/framework/Exceptions.h"
#include "platform/framework/File.h"
#include "tests/toolkit/foundation/FoundationTestResources.h"
#include "tests/toolkit/foundation/ImageExpectations.h"
#include "tests/toolkit/foundation/MemoryCanvas.h"
#include "toolkit/foundation/ColorManager.h"
#include "toolkit/foundation/ImageManager.h"
#include "toolkit/foundation/PropExchange.h"

using foundationtest::BlendOver;
using foundationtest::Canvas;
using foundationtest::ExpectedImageColour;
using foundationtest::IsNear;

namespace {

typedef std::vector<BYTE> Bytes;
const COLORREF kMagenta = RGB(255, 0, 255);

// A 32-bit section of straight pixels, filled by pixel(x, y) -> 0xAARRGGBB.
HBITMAP MakeStraight(int cx, int cy, const std::function<DWORD(int, int)>& pixel)
{
    DWORD* bits = nullptr;
    HBITMAP hBitmap = Canvas::MakeSection(cx, cy, &bits);
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
            bits[y * cx + x] = pixel(x, y);
    return hBitmap;
}

DWORD Argb(BYTE a, COLORREF c)
{
    return (static_cast<DWORD>(a) << 24) | Canvas::Bgr(c);
}

// An 8 x 8 image: clear corner (0,0), a half-covered outer ring, opaque inside.
const COLORREF kIconColour = RGB(200, 100, 40);
DWORD SoftSquare(int x, int y)
{
    if (x == 0 && y == 0)
        return 0;
    if (x == 0 || y == 0 || x == 7 || y == 7)
        return Argb(128, kIconColour);
    return Argb(255, kIconColour);
}

// The same image as an icon with an alpha channel.
HICON MakeAlphaIcon()
{
    ICONINFO ii = {};
    ii.fIcon = TRUE;
    ii.hbmColor = MakeStraight(8, 8, SoftSquare);
    ii.hbmMask = CreateBitmap(8, 8, 1, 1, nullptr);
    HICON hIcon = CreateIconIndirect(&ii);
    DeleteObject(ii.hbmColor);
    DeleteObject(ii.hbmMask);
    return hIcon;
}

Bytes Store(CQorImageManager& manager)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        manager.Serialize(ar);
    }
    UINT size = static_cast<UINT>(file.GetLength());
    BYTE* data = file.Detach();
    Bytes bytes(data, data + size);
    free(data);
    return bytes;
}

// Loads an archive; false when it ends in an archive error.
bool Load(CQorImageManager& manager, Bytes bytes)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    try {
        manager.Serialize(ar);
    } catch (CArchiveException* e) {
        e->Delete();
        return false;
    }
    return true;
}

} // namespace

TEST(ImageManager, StripIdsWithSeparatorsTakeOnePieceEach)
{
    const COLORREF colours[5] = {RGB(250, 0, 0), RGB(0, 250, 0), RGB(0, 0, 250), RGB(250, 250, 0), RGB(0, 250, 250)};
    const UINT ids[] = {1, 0, 2, 0, 3, 4, 5};
    for (BOOL bAlpha : {TRUE, FALSE}) {
        SCOPED_TRACE(bAlpha ? "alpha strip" : "masked strip");
        HBITMAP strip = MakeStraight(20, 4, [&](int x, int) { return Argb(255, colours[x / 4]); });
        CQorImageManager manager;
        manager.SetMaskColor(RGB(1, 2, 3)); // a colour the strip lacks
        ASSERT_TRUE(manager.SetIconsFromBitmap(strip, bAlpha, ids, 7, 0, 4, 4));
        EXPECT_FALSE(manager.HasIcon(0));
        for (UINT id = 1; id <= 5; ++id) {
            CQorImageManagerIcon* pIcon = manager.GetImage(id, 4);
            ASSERT_NE(nullptr, pIcon) << id;
            Canvas canvas(4, 4, kMagenta);
            pIcon->Draw(canvas.Dc(), pIcon->GetImage(0), 0, 0);
            EXPECT_EQ(colours[id - 1], canvas.Pixel(1, 1)) << id;
        }
        EXPECT_TRUE(GetObjectType(strip) != 0); // the strip stays the caller's
        DeleteObject(strip);
    }
}

TEST(ImageManager, StripsThatCannotBeCutFail)
{
    HBITMAP strip = MakeStraight(5, 4, [](int, int) { return Argb(255, RGB(9, 9, 9)); });
    CQorImageManager manager;
    EXPECT_FALSE(manager.SetIconsFromBitmap(strip, TRUE, nullptr, 6, 0, 0, 0)); // more pieces than columns
    EXPECT_FALSE(manager.SetIconsFromBitmap(strip, FALSE, nullptr, 6, 0, 0, 0));
    EXPECT_FALSE(manager.SetIconsFromBitmap(strip, TRUE, nullptr, 0, 0, 2, 4)); // not a multiple
    EXPECT_FALSE(manager.SetIconsFromBitmap(strip, TRUE, nullptr, 0, 0, 0, 0)); // no width at all
    EXPECT_FALSE(manager.HasIcon(0));
    DeleteObject(strip);
}

// Every state and derived image over magenta: transparent pixels stay magenta, the half-covered
// ring is the blend of the state's colour, for a premultiplied bitmap and for an alpha icon.
TEST(ImageManager, AlphaImagesBlendInEveryStateAndDerivedImage)
{
    for (bool bIcon : {false, true}) {
        SCOPED_TRACE(bIcon ? "alpha icon" : "alpha bitmap");
        CQorImageManager manager;
        manager.SetMirrorMode(0);
        if (bIcon) {
            HICON hIcon = MakeAlphaIcon();
            ASSERT_TRUE(manager.SetIcon(7, hIcon));
            DestroyIcon(hIcon);
        } else {
            HBITMAP strip = MakeStraight(8, 8, SoftSquare);
            const UINT id = 7;
            ASSERT_TRUE(manager.SetIconsFromBitmap(strip, TRUE, &id, 1, 0, 8, 8));
            DeleteObject(strip);
        }
        CQorImageManagerIcon* pIcon = manager.GetImage(7, 8);
        ASSERT_NE(nullptr, pIcon);
        pIcon->m_bDrawAlpha = TRUE;
        struct Row
        {
            const char* name;
            const CQorImageManagerImage* image;
            int kind;
        } rows[] = {
            {"normal", &pIcon->GetImage(0), 0},      {"disabled", &pIcon->GetImage(1), 1},
            {"hot", &pIcon->GetImage(2), 2},         {"checked", &pIcon->GetImage(3), 3},
            {"pressed", &pIcon->GetImage(4), 4},     {"faded", &pIcon->GetFadedImage(), 5},
            {"shadow", &pIcon->GetShadowImage(), 6},
        };
        for (const Row& row : rows) {
            Canvas canvas(8, 8, kMagenta);
            pIcon->Draw(canvas.Dc(), *row.image, 0, 0);
            const COLORREF c = ExpectedImageColour(kIconColour, row.kind);
            EXPECT_EQ(kMagenta, canvas.Pixel(0, 0)) << row.name;
            EXPECT_TRUE(IsNear(c, canvas.Pixel(3, 3), 2)) << row.name;
            EXPECT_TRUE(IsNear(BlendOver(c, kMagenta, 128), canvas.Pixel(4, 0), 2)) << row.name;
        }
        EXPECT_TRUE(pIcon->HasDisabledImage());
    }
}

TEST(ImageManager, StatesFallBackToHotThenNormal)
{
    CQorImageManager manager;
    HICON normal = MakeAlphaIcon(), hot = MakeAlphaIcon();
    ASSERT_TRUE(manager.SetIcon(3, normal, 0, 0));
    CQorImageManagerIcon* pIcon = manager.GetImage(3, 8);
    ASSERT_NE(nullptr, pIcon);
    EXPECT_EQ(&pIcon->GetImage(0), &pIcon->GetImage(2));
    EXPECT_EQ(&pIcon->GetImage(0), &pIcon->GetImage(3));
    ASSERT_TRUE(manager.SetIcon(3, hot, 0, 2));
    EXPECT_EQ(&pIcon->GetImage(2), &pIcon->GetImage(3));
    EXPECT_EQ(&pIcon->GetImage(2), &pIcon->GetImage(4));
    EXPECT_NE(&pIcon->GetImage(0), &pIcon->GetImage(2));
    DestroyIcon(normal);
    DestroyIcon(hot);
}

TEST(ImageManager, GetImageTakesExactNarrowestWidestOrNearest)
{
    CQorImageManager manager;
    for (int width : {24, 16, 32, 8}) {
        HBITMAP piece = MakeStraight(width, width, [](int, int) { return Argb(255, RGB(1, 1, 1)); });
        const UINT id = 9;
        ASSERT_TRUE(manager.SetIconsFromBitmap(piece, TRUE, &id, 1, 0, width, width));
        DeleteObject(piece);
    }
    manager.GetIconSet(9)->GetIcon(8)->m_bScaled = TRUE; // as if made for another width
    struct Row
    {
        int asked;
        int got;
    } rows[] = {{0, 16}, {1, 32}, {13, 16}, {24, 24}, {30, 32}, {21, 24}};
    for (const Row& row : rows) {
        CQorImageManagerIcon* pIcon = manager.GetImage(9, row.asked);
        ASSERT_NE(nullptr, pIcon) << row.asked;
        EXPECT_EQ(row.got, pIcon->GetWidth()) << row.asked;
    }
    EXPECT_TRUE(manager.HasIcon(9, 0));
    EXPECT_TRUE(manager.HasIcon(9, 24));
    EXPECT_FALSE(manager.HasIcon(9, 8)); // scaled icons do not count
    EXPECT_FALSE(manager.HasIcon(9, 13));
    EXPECT_EQ(nullptr, manager.GetImage(10, 16));
    manager.RefreshAll();
    EXPECT_EQ(nullptr, manager.GetIconSet(9)->GetIcon(8, FALSE));
    EXPECT_NE(nullptr, manager.GetIconSet(9)->GetIcon(16, FALSE));
}

TEST(ImageManager, DroppedAndStoredImagesLeaveTheCallersHandlesAlive)
{
    CQorImageManager manager;
    HICON hIcon = MakeAlphaIcon();
    ICONINFO ii = {};
    // A disabled image for an id without icons is dropped; the caller still owns its icon.
    CQorImageManagerImage borrowed;
    borrowed.hIcon = hIcon;
    borrowed.bOwns = FALSE;
    EXPECT_FALSE(manager.SetIcon(20, 1, borrowed));
    EXPECT_FALSE(manager.HasIcon(20));
    ASSERT_TRUE(GetIconInfo(hIcon, &ii));
    DeleteObject(ii.hbmColor);
    DeleteObject(ii.hbmMask);
    // Stored without ownership: the manager keeps a copy, the caller's icon lives on.
    EXPECT_TRUE(manager.SetIcon(20, 0, borrowed));
    manager.RemoveAll();
    ASSERT_TRUE(GetIconInfo(hIcon, &ii));
    DeleteObject(ii.hbmColor);
    DeleteObject(ii.hbmMask);
    // A borrowed bitmap is copied as it is, alpha and all.
    CQorImageManagerImage bitmap;
    bitmap.hBitmap = MakeStraight(8, 8, [](int x, int) { return x < 4 ? Argb(128, RGB(100, 50, 0)) : 0u; });
    bitmap.bOwns = FALSE;
    EXPECT_TRUE(manager.SetIcon(22, 0, bitmap));
    EXPECT_NE(0u, GetObjectType(bitmap.hBitmap));
    Canvas canvas(8, 8, kMagenta);
    CQorImageManagerIcon* pIcon = manager.GetImage(22, 8);
    pIcon->Draw(canvas.Dc(), pIcon->GetImage(0), 0, 0);
    EXPECT_TRUE(IsNear(RGB(100 + 127, 50, 127), canvas.Pixel(1, 1), 2));
    EXPECT_EQ(kMagenta, canvas.Pixel(6, 1));
    DeleteObject(bitmap.hBitmap);
    // An owned image dropped is freed with its drawing copy.
    CQorImageManagerImage owned;
    owned.hBitmap = MakeStraight(2, 2, [](int, int) { return 0u; });
    owned.hDrawCopy = MakeStraight(2, 2, [](int, int) { return 0u; });
    HBITMAP hBitmap = owned.hBitmap, hDrawCopy = owned.hDrawCopy;
    EXPECT_FALSE(manager.SetIcon(21, 2, owned));
    EXPECT_EQ(0u, GetObjectType(hBitmap));
    EXPECT_EQ(0u, GetObjectType(hDrawCopy));
    DestroyIcon(hIcon);
}

TEST(ImageManager, MirroringReversesTheImageAndTopClippingCutsTheTop)
{
    CQorImageManager manager;
    HBITMAP piece = MakeStraight(
        4, 4, [](int x, int y) { return Argb(255, x == 0 && y == 0 ? RGB(255, 255, 255) : RGB(0, 0, 0)); });
    const UINT id = 5;
    ASSERT_TRUE(manager.SetIconsFromBitmap(piece, TRUE, &id, 1, 0, 4, 4));
    DeleteObject(piece);
    CQorImageManagerIcon* pIcon = manager.GetImage(5, 4);
    struct Row
    {
        int mode;
        DWORD layout;
        int whiteX;
    } rows[] = {{0, 0, 0}, {CQorImageManager::mirrorAlways, 0, 3}, {CQorImageManager::mirrorRightToLeft, 0, 0}};
    for (const Row& row : rows) {
        manager.SetMirrorMode(row.mode);
        Canvas canvas(4, 4, kMagenta);
        pIcon->Draw(canvas.Dc(), pIcon->GetImage(0), 0, 0);
        EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(row.whiteX, 0)) << row.mode;
    }
    manager.SetMirrorMode(0);
    Canvas canvas(4, 4, kMagenta);
    pIcon->Draw(canvas.Dc(), pIcon->GetImage(0), 0, -1);
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(0, 0)); // the white row is above the edge
    EXPECT_EQ(kMagenta, canvas.Pixel(0, 3));     // nothing drawn below the icon
}

TEST(ImageManager, RightToLeftDCsMirrorInTheirMode)
{
    CQorImageManager manager;
    Canvas canvas(4, 4, kMagenta);
    SetLayout(canvas.Dc()->GetSafeHdc(), LAYOUT_RTL);
    EXPECT_TRUE(manager.IsMirrored(canvas.Dc())); // the default mode
    manager.SetMirrorMode(0);
    EXPECT_FALSE(manager.IsMirrored(canvas.Dc()));
    manager.SetMirrorMode(CQorImageManager::mirrorRightToLeft);
    SetLayout(canvas.Dc()->GetSafeHdc(), 0);
    EXPECT_FALSE(manager.IsMirrored(canvas.Dc()));
}

TEST(ImageManager, GroupIconEntriesOfEverySizeOrOne)
{
    struct Row
    {
        int width;
        BOOL stored;
        bool has16, has32;
    } rows[] = {{0, TRUE, true, true}, {16, TRUE, true, false}, {32, TRUE, false, true}, {24, FALSE, false, false}};
    for (const Row& row : rows) {
        CQorImageManager manager;
        EXPECT_EQ(row.stored, manager.SetIconsFromGroupResource(50, row.width, row.width)) << row.width;
        EXPECT_EQ(row.has16, manager.HasIcon(50, 16) == TRUE) << row.width;
        EXPECT_EQ(row.has32, manager.HasIcon(50, 32) == TRUE) << row.width;
    }
}

TEST(ImageManager, DrawMonoPaintsTheSilhouetteInOneColour)
{
    CQorImageManager manager;
    HBITMAP piece = MakeStraight(8, 8, [](int x, int y) { return x < 4 && y < 4 ? Argb(255, RGB(10, 20, 30)) : 0u; });
    const UINT id = 6;
    ASSERT_TRUE(manager.SetIconsFromBitmap(piece, TRUE, &id, 1, 0, 8, 8));
    DeleteObject(piece);
    Canvas canvas(8, 8, kMagenta);
    manager.GetImage(6, 8)->DrawMono(canvas.Dc(), 0, 0, RGB(0, 128, 0));
    EXPECT_EQ(RGB(0, 128, 0), canvas.Pixel(1, 1));
    EXPECT_EQ(kMagenta, canvas.Pixel(6, 6));
}

TEST(ImageManager, ImageListEntriesServeTheirIdRange)
{
    CQorImageManager manager;
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 0);
    HICON hIcon = MakeAlphaIcon();
    ImageList_AddIcon(list, hIcon);
    ImageList_AddIcon(list, hIcon);
    DestroyIcon(hIcon);
    manager.AddImageList(list, 100, TRUE);
    EXPECT_TRUE(manager.HasIcon(101, 0));
    EXPECT_TRUE(manager.HasIcon(101, 16));
    EXPECT_FALSE(manager.HasIcon(101, 24));
    EXPECT_FALSE(manager.HasIcon(102, 0));
    EXPECT_FALSE(manager.HasIcon(99, 0));
    CQorImageManagerIcon* pIcon = manager.GetImage(101);
    ASSERT_NE(nullptr, pIcon);
    EXPECT_EQ(16, pIcon->GetWidth());
}

TEST(ImageManagerLoaders, ResourcesAndBitmapHelpers)
{
    HINSTANCE module = GetModuleHandleW(nullptr);
    BOOL alpha = TRUE;
    // A 32-bit bitmap whose header claims more rows than its data holds, upside down.
    EXPECT_EQ(nullptr, LoadBitmapFromResource(module, MAKEINTRESOURCEW(IDB_TEST_CRAFTED32), &alpha));
    EXPECT_FALSE(alpha);
    EXPECT_TRUE(IsPngResource(module, MAKEINTRESOURCEW(IDR_TEST_PNG_ALPHA)));
    EXPECT_FALSE(IsPngResource(module, MAKEINTRESOURCEW(IDB_TEST_BITMAP)));
    HBITMAP png = LoadBitmapFromResource(module, MAKEINTRESOURCEW(IDR_TEST_PNG_ALPHA), &alpha);
    EXPECT_NE(nullptr, png);
    EXPECT_TRUE(alpha);
    DeleteObject(png);
    HBITMAP plain = LoadBitmapFromResource(module, MAKEINTRESOURCEW(IDB_TEST_BITMAP), &alpha);
    EXPECT_NE(nullptr, plain);
    EXPECT_FALSE(alpha);
    DeleteObject(plain);

    // Premultiplied, mirrored and flipped copies of a 2 x 2 bitmap.
    HBITMAP source =
        MakeStraight(2, 2, [](int x, int y) { return x == 0 && y == 0 ? Argb(128, RGB(200, 100, 50)) : 0u; });
    HBITMAP premultiplied = CreatePremultipliedBitmap(source, &alpha);
    HBITMAP mirrored = MirrorBitmapLeftRight(source);
    ASSERT_TRUE(premultiplied && mirrored);
    EXPECT_TRUE(alpha);
    DIBSECTION ds = {};
    GetObjectW(premultiplied, sizeof(ds), &ds);
    EXPECT_EQ(Argb(128, RGB(100, 50, 25)), static_cast<DWORD*>(ds.dsBm.bmBits)[0]);
    GetObjectW(mirrored, sizeof(ds), &ds);
    EXPECT_EQ(Argb(128, RGB(200, 100, 50)), static_cast<DWORD*>(ds.dsBm.bmBits)[1]);
    EXPECT_TRUE(FlipBitmapVertical(mirrored));
    EXPECT_EQ(Argb(128, RGB(200, 100, 50)), static_cast<DWORD*>(ds.dsBm.bmBits)[3]);
    BYTE* bits = nullptr;
    BITMAPINFO* info = nullptr;
    DWORD size = 0;
    HDC screen = GetDC(nullptr);
    EXPECT_TRUE(GetBitmapBits32(screen, bits, source, info, size));
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(16u, size);
    EXPECT_EQ(Argb(128, RGB(200, 100, 50)), reinterpret_cast<DWORD*>(bits)[2]); // bottom-up
    free(bits);
    free(info);
    DeleteObject(source);
    DeleteObject(premultiplied);
    DeleteObject(mirrored);
}

namespace {

// A bitmap resource written out as a BMP file, the file header in front of its bytes.
CString BitmapResourceAsFile(UINT nId, LPCWSTR pszName)
{
    HINSTANCE module = GetModuleHandleW(nullptr);
    HRSRC hResource = FindResourceW(module, MAKEINTRESOURCEW(nId), RT_BITMAP);
    const DWORD size = SizeofResource(module, hResource);
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, hResource)));
    BITMAPINFOHEADER bih = {};
    memcpy(&bih, data, sizeof(bih));
    DWORD table = bih.biBitCount <= 8 ? (bih.biClrUsed != 0 ? bih.biClrUsed : 1u << bih.biBitCount) * 4 : 0;
    BITMAPFILEHEADER bfh = {0x4D42, static_cast<DWORD>(sizeof(bfh) + size), 0, 0,
                            static_cast<DWORD>(sizeof(bfh) + bih.biSize + table)};
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    CString path = CString(temp) + pszName;
    HANDLE hFile = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(hFile, &bfh, sizeof(bfh), &written, nullptr);
    WriteFile(hFile, data, size, &written, nullptr);
    CloseHandle(hFile);
    return path;
}

} // namespace

// Headers that claim more rows, colours or pixels than their data holds give no bitmap,
// from a resource and from a file alike, whatever the depth.
TEST(ImageManagerLoaders, BitmapsWhoseHeadersOverstateTheirDataAreRefused)
{
    const struct
    {
        const char* name;
        UINT id;
        bool loads;
    } cases[] = {
        {"24-bit, 30,000 rows claimed over four", IDB_TEST_TALL24, false},
        {"8-bit, colour table cut short", IDB_TEST_CUT_TABLE8, false},
        {"1-bit, 5,000 rows claimed over two", IDB_TEST_TALL1, false},
        {"32-bit, a billion rows claimed", IDB_TEST_CRAFTED32, false},
        {"24-bit strip that is whole", IDB_TEST_BITMAP, true},
        {"32-bit bitmap that is whole", IDB_TEST_OPAQUE32, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        BOOL alpha = TRUE;
        HBITMAP fromResource = LoadBitmapFromResource(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(c.id), &alpha);
        EXPECT_EQ(c.loads, fromResource != nullptr);
        if (!c.loads)
            EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_DATA), GetLastError());
        const CString path = BitmapResourceAsFile(c.id, L"FolionyxLoaderCase.bmp");
        HBITMAP fromFile = LoadBitmapFromFile(path, &alpha);
        EXPECT_EQ(c.loads, fromFile != nullptr);
        BITMAP a = {}, b = {};
        if (fromResource != nullptr && fromFile != nullptr) {
            GetObjectW(fromResource, sizeof(a), &a);
            GetObjectW(fromFile, sizeof(b), &b);
            EXPECT_EQ(a.bmWidth, b.bmWidth);
            EXPECT_EQ(a.bmHeight, b.bmHeight);
        }
        DeleteObject(fromResource);
        DeleteObject(fromFile);
        DeleteFileW(path);
    }
}

// A 32-bit bitmap reports alpha only when it uses its alpha bytes: an opaque strip whose
// alpha bytes are all 0 draws as it is, one with real alpha still blends.
TEST(ImageManagerLoaders, ThirtyTwoBitBitmapsWithoutAlphaBytesDrawOpaque)
{
    const COLORREF kOrange = RGB(255, 128, 0);
    const COLORREF kHalfBlue = BlendOver(RGB(0, 0, 255), kMagenta, 128);
    const struct
    {
        const char* name;
        UINT id;
        BOOL alpha;
        COLORREF inside; // a pixel away from the clear or mask-coloured top-left one
    } cases[] = {
        {"opaque", IDB_TEST_OPAQUE32, FALSE, kOrange},
        {"half alpha", IDB_TEST_HALF_ALPHA32, TRUE, kHalfBlue},
    };
    for (const auto& c : cases) {
        for (int fromFile = 0; fromFile < 2; ++fromFile) {
            SCOPED_TRACE(std::string(c.name) + (fromFile ? " file" : " resource"));
            BOOL alpha = !c.alpha;
            CString path;
            HBITMAP strip;
            if (fromFile) {
                path = BitmapResourceAsFile(c.id, L"FolionyxAlphaCase.bmp");
                strip = LoadBitmapFromFile(path, &alpha);
            } else {
                strip = LoadBitmapFromResource(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(c.id), &alpha);
            }
            ASSERT_NE(nullptr, strip);
            EXPECT_EQ(c.alpha, alpha);
            CQorImageManager manager;
            const UINT id = 40;
            ASSERT_TRUE(manager.SetIconsFromBitmap(strip, alpha, &id, 1, 0, 4, 4));
            DeleteObject(strip);
            Canvas canvas(4, 4, kMagenta);
            CQorImageManagerIcon* pIcon = manager.GetImage(id, 4);
            ASSERT_NE(nullptr, pIcon);
            pIcon->Draw(canvas.Dc(), pIcon->GetImage(0), 0, 0);
            EXPECT_TRUE(IsNear(c.inside, canvas.Pixel(2, 2), 3)) << std::hex << canvas.Pixel(2, 2);
            EXPECT_EQ(kMagenta, canvas.Pixel(0, 0));
            if (fromFile)
                DeleteFileW(path);
        }
    }
}

// ---------------------------------------------------------------------------------------
// The archive

namespace {

// A manager with an alpha bitmap icon (normal, hot) and an alpha icon in all five states.
void FillForArchive(CQorImageManager& manager)
{
    HBITMAP strip = MakeStraight(8, 8, SoftSquare);
    const UINT id = 30;
    manager.SetIconsFromBitmap(strip, TRUE, &id, 1, 0, 8, 8);
    manager.SetIconsFromBitmap(strip, TRUE, &id, 1, 2, 8, 8);
    DeleteObject(strip);
    HICON hIcon = MakeAlphaIcon();
    for (int state = 0; state < 5; ++state)
        manager.SetIcon(31, hIcon, 0, state);
    DestroyIcon(hIcon);
}

// An archive of one icon set written field by field, with the icon's blob from blob().
Bytes HandMadeArchive(LPCTSTR checkSum, int width, const std::function<void(CArchive&)>& blob)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CQorPropExchangeArchive px(ar);
        int one = 1, id = 40;
        CString text = checkSum;
        px.ExchangeProp(L"Count", QOR_PROP_I4, &one, nullptr);
        px.ExchangeProp(L"Id", QOR_PROP_I4, &id, nullptr);
        px.ExchangeProp(L"CheckSum", QOR_PROP_STRING, &text, nullptr);
        px.ExchangeProp(L"Count", QOR_PROP_I4, &one, nullptr);
        px.ExchangeProp(L"Width", QOR_PROP_I4, &width, nullptr);
        CArchive* data = px.GetArchive(L"Data");
        blob(*data);
        px.ReleaseArchive(L"Data", data);
    }
    UINT size = static_cast<UINT>(file.GetLength());
    BYTE* data = file.Detach();
    Bytes bytes(data, data + size);
    free(data);
    return bytes;
}

// One bitmap record: a header (with 3 masks) and the pixels, either count as given.
void WriteBitmapRecord(CArchive& ar, LONG width, LONG height, WORD bitCount, DWORD_PTR pixelCount, BYTE fill = 0x80)
{
    BYTE info[52] = {};
    BITMAPINFOHEADER& bih = *reinterpret_cast<BITMAPINFOHEADER*>(info);
    bih.biSize = 40;
    bih.biWidth = width;
    bih.biHeight = height;
    bih.biPlanes = 1;
    bih.biBitCount = bitCount;
    ar.WriteCount(sizeof(info));
    ar.Write(info, sizeof(info));
    ar.WriteCount(pixelCount);
    std::vector<BYTE> pixels(pixelCount < 4096 ? pixelCount : 4096, fill);
    ar.Write(pixels.data(), static_cast<UINT>(pixels.size()));
}

} // namespace

TEST(ImageManagerArchive, RoundTripIsByteExactAndKeepsAlpha)
{
    CQorImageManager manager;
    FillForArchive(manager);
    Bytes stored = Store(manager);
    CQorImageManager loaded;
    ASSERT_TRUE(Load(loaded, stored));
    EXPECT_EQ(stored, Store(loaded));
    for (UINT id : {30u, 31u}) {
        CQorImageManagerIcon* pIcon = loaded.GetImage(id, 8);
        ASSERT_NE(nullptr, pIcon) << id;
        pIcon->m_bDrawAlpha = TRUE;
        for (int state : {0, 2, 3, 4}) {
            Canvas canvas(8, 8, kMagenta);
            pIcon->Draw(canvas.Dc(), pIcon->GetImage(state), 0, 0);
            EXPECT_EQ(kMagenta, canvas.Pixel(0, 0)) << id << " " << state;
            EXPECT_TRUE(IsNear(BlendOver(kIconColour, kMagenta, 128), canvas.Pixel(4, 0), 2)) << "edge after loading";
        }
    }
}

// A damaged archive stops with an error and leaves the icons loaded before it as they were.
TEST(ImageManagerArchive, ATruncatedArchiveKeepsTheIconsLoadedBefore)
{
    CQorImageManager source;
    FillForArchive(source);
    const Bytes good = Store(source);
    for (size_t cut : {good.size() / 3, good.size() / 2, good.size() - 8}) {
        SCOPED_TRACE(cut);
        CQorImageManager manager;
        ASSERT_TRUE(Load(manager, good));
        Bytes truncated(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_FALSE(Load(manager, truncated));
        EXPECT_EQ(good, Store(manager));
        for (UINT id : {30u, 31u}) {
            CQorImageManagerIcon* pIcon = manager.GetImage(id, 8);
            ASSERT_NE(nullptr, pIcon) << id;
            pIcon->m_bDrawAlpha = TRUE;
            Canvas canvas(8, 8, kMagenta);
            pIcon->Draw(canvas.Dc(), pIcon->GetImage(0), 0, 0);
            EXPECT_TRUE(IsNear(kIconColour, canvas.Pixel(4, 4), 2)) << id;
        }
    }
}

TEST(ImageManagerArchive, SchemaSevenCarriesThreeImages)
{
    Bytes archive = HandMadeArchive(L"CQorImageManagerIcons", 2, [](CArchive& ar) {
        ar << 2 << 7;
        WriteBitmapRecord(ar, 2, 2, 32, 16, 0xFF); // normal: an alpha bitmap
        ar.WriteCount(0);
        ar.WriteCount(0); // disabled: none
        ar.WriteCount(0);
        WriteBitmapRecord(ar, 2, 2, 32, 16, 0x40); // hot
        ar.WriteCount(0);
    });
    CQorImageManager manager;
    ASSERT_TRUE(Load(manager, archive));
    CQorImageManagerIcon* pIcon = manager.GetImage(40, 2);
    ASSERT_NE(nullptr, pIcon);
    EXPECT_NE(nullptr, pIcon->GetImage(0).hBitmap);
    EXPECT_NE(pIcon->GetImage(0).hBitmap, pIcon->GetImage(2).hBitmap);
    EXPECT_EQ(pIcon->GetImage(2).hBitmap, pIcon->GetImage(3).hBitmap); // checked falls back to hot
}

TEST(ImageManagerArchive, CraftedRecordsAreFormatErrors)
{
    struct Row
    {
        const char* name;
        LPCWSTR checkSum;
        LONG width, height;
        WORD bitCount;
        DWORD_PTR pixels;
    } rows[] = {
        {"sound", L"CQorImageManagerIcons", 2, 2, 32, 16},
        {"wrong check sum", L"CQorImageManagerIcon", 2, 2, 32, 16},
        {"1 x 1 with a megabyte of pixels", L"CQorImageManagerIcons", 1, 1, 32, 1 << 20},
        {"fewer pixels than the header", L"CQorImageManagerIcons", 2, 2, 32, 4},
        {"huge dimensions", L"CQorImageManagerIcons", 0x10000, 0x10000, 32, 16},
        {"negative width", L"CQorImageManagerIcons", -2, 2, 32, 16},
        {"unknown bit count", L"CQorImageManagerIcons", 2, 2, 13, 16},
        {"width 1, which lookups read as any width", L"CQorImageManagerIcons", 2, 2, 32, 16},
    };
    for (const Row& row : rows) {
        const int iconWidth = strstr(row.name, "width 1") != nullptr ? 1 : 2;
        Bytes archive = HandMadeArchive(row.checkSum, iconWidth, [&](CArchive& ar) {
            ar << 2 << 24;
            WriteBitmapRecord(ar, row.width, row.height, row.bitCount, row.pixels);
            for (int i = 0; i < 9; ++i)
                ar.WriteCount(0);
        });
        CQorImageManager manager;
        EXPECT_EQ(row.name == std::string("sound"), Load(manager, archive)) << row.name;
    }
}
