// A tab's image: drawn upright, and turned a quarter on a left or right row when the painter
// rotates images.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/framework/Gdi.h"
#include "tests/toolkit/tabs/TabTestRow.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/ImageManager.h"

using tabstest::CTestTabRow;

namespace {

// A 16 x 16 image: an opaque red band along its top four rows, transparent below.
HBITMAP MakeTopBand()
{
    void* pBits = nullptr;
    HBITMAP hBitmap = CreateDIB32(nullptr, 16, -16, &pBits);
    DWORD* p = static_cast<DWORD*>(pBits);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            p[y * 16 + x] = y < 4 ? 0xFFFF0000 : 0x00000000;
    return hBitmap;
}

} // namespace

TEST(TabManagerItem, ASquareImageTurnsAQuarterOnVerticalRowsWhenAsked)
{
    CQorImageManager images;
    HBITMAP hBand = MakeTopBand();
    const UINT nId = 5;
    ASSERT_TRUE(images.SetIconsFromBitmap(hBand, TRUE, &nId, 1, 0, 16, 16));
    DeleteObject(hBand);
    CQorImageManagerIcon* pIcon = images.GetImage(nId, 16);
    ASSERT_NE(nullptr, pIcon);

    CQorTabPaintManager painter;
    CTestTabRow row(&painter);
    CQorTabManagerItem* pItem = row.InsertItem(-1);
    const struct
    {
        const char* name;
        QorTabPosition position;
        BOOL bRotate;
        bool bTurned;
    } cases[] = {
        {"top row", qorTabPositionTop, TRUE, false},
        {"left row, upright", qorTabPositionLeft, FALSE, false},
        {"left row, turned", qorTabPositionLeft, TRUE, true},
        {"right row, turned", qorTabPositionRight, TRUE, true},
    };
    for (const auto& c : cases) {
        painter.m_position = c.position;
        painter.m_bRotateImages = c.bRotate;
        void* pBits = nullptr;
        HBITMAP hCanvas = CreateDIB32(nullptr, 16, -16, &pBits);
        HDC hDC = CreateCompatibleDC(nullptr);
        HGDIOBJ hOld = SelectObject(hDC, hCanvas);
        CDC dc;
        dc.Attach(hDC);
        dc.FillSolidRect(0, 0, 16, 16, RGB(255, 255, 255));
        pItem->DrawImage(&dc, CRect(0, 0, 16, 16), pIcon);
        const COLORREF clrTopRight = GetPixel(hDC, 14, 1), clrBottomLeft = GetPixel(hDC, 1, 14);
        dc.Detach();
        SelectObject(hDC, hOld);
        DeleteDC(hDC);
        DeleteObject(hCanvas);
        EXPECT_EQ(c.bTurned ? RGB(255, 255, 255) : RGB(255, 0, 0), clrTopRight) << c.name;
        EXPECT_EQ(c.bTurned ? RGB(255, 0, 0) : RGB(255, 255, 255), clrBottomLeft) << c.name;
    }
}
