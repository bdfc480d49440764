// Items of menu-like popup bars through the paint managers: measured item sizes in every look, a
// popup laid out in its column and painted into a bitmap (icon column, selection, check tick,
// disabled caption, submenu arrow, split divider, separator line), the popup metrics and the
// popup grippers.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>

#include "platform/framework/WinApp.h"
#include "tests/toolkit/commandbars/PaintManagerTestSupport.h"
#include "tests/toolkit/foundation/MemoryCanvas.h"
#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/PaintThemes.h"
#include "toolkit/foundation/DrawHelpers.h"
#include "toolkit/foundation/ImageManager.h"

using foundationtest::Canvas;
using painttest::CountColour;
using painttest::MakeTheme;
using painttest::PaintManagerPtr;
using painttest::TextWidth;

namespace {

const COLORREF kPaper = RGB(1, 2, 3);
const UINT kIconId = 41511;
const COLORREF kIconColour = RGB(200, 30, 40);
const int kFirstPlainId = 41620; // ids without icons

void EnsureIcon()
{
    static const bool s_bDone = painttest::RegisterSolidIcon(kIconId, kIconColour);
    ASSERT_TRUE(s_bDone);
}

// A popup bar as a popup control makes it (type 2 at the popup position), drawn by the given
// look; the test sets its open-popup index and double-gripper setting directly.
class CTestPopupBar : public CQorCommandBar
{
public:
    CTestPopupBar(CQorPaintManager* pPaintManager, int nType = qorBarTypePopup)
    {
        m_barType = nType;
        m_barPosition = qorBarPopup;
        pPaintManager->InternalAddRef();
        m_pPaintManager = pPaintManager;
    }
    BOOL IsDoubleGripper() const override { return m_bDoubleGripper; }
    void SetPopupedIndex(int nIndex) { m_nPopuped = nIndex; }
    // Lays the controls out in one column and makes a hidden window of the popup's size.
    CSize LayOut(CDC* pDC)
    {
        const CSize sz = GetControls()->CalcWrappedPopupSize(pDC, 0, GetBorders());
        LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW));
        EXPECT_TRUE(CreateEx(0, lpszClass, L"", WS_POPUP, 0, 0, sz.cx, sz.cy, nullptr, nullptr));
        return sz;
    }
    BOOL m_bDoubleGripper = FALSE;
};

using BarPtr = std::unique_ptr<CTestPopupBar, painttest::DestroyAndRelease>;

// What one item of a test popup is.
struct Item
{
    const char* name;
    LPCWSTR lpszCaption; // a TAB starts the shortcut text
    int nType;
    BOOL bIcon;
    int nSelected = 0, nEnabled = 1, nChecked = 0;
    BOOL bBeginGroup = FALSE;
};

CQorControl* AddItem(CTestPopupBar* pBar, const Item& item, int nIndex)
{
    EnsureIcon();
    CQorControl* pControl = new CQorControlButton;
    pBar->GetControls()->InsertControl(pControl, kFirstPlainId + nIndex);
    pControl->m_nType = item.nType;
    pControl->SetCaption(item.lpszCaption);
    pControl->m_nIconId = item.bIcon ? static_cast<int>(kIconId) : 0;
    pControl->m_nSelected = item.nSelected;
    pControl->m_nEnabled = item.nEnabled;
    pControl->m_nChecked = item.nChecked;
    pControl->SetBeginGroup(item.bBeginGroup);
    return pControl;
}

struct Look
{
    const char* name;
    int nTheme;
    bool bThemed;
};
const Look kLooks[] = {
    {"Default", qorPaintThemeDefault, false},    {"native XP classic", qorPaintThemeNativeXP, false},
    {"native XP styled", qorPaintThemeNativeXP, true}, {"Office", qorPaintThemeOffice, false},
    {"Office 2003", qorPaintThemeOffice2003, false}, {"Whidbey", qorPaintThemeWhidbey, false},
};

BOOL IsOfficeFamily(int nTheme)
{
    return nTheme == qorPaintThemeOffice || nTheme == qorPaintThemeOffice2003 || nTheme == qorPaintThemeWhidbey;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Metrics and sizes

TEST(PaintManagerPopup, PopupMetricsFollowTextHeightIconAndBar)
{
    for (const Look& look : kLooks) {
        SCOPED_TRACE(look.name);
        PaintManagerPtr pTheme = MakeTheme(look.nTheme, look.bThemed);
        const int th = pTheme->m_nTextHeight;
        // The classic looks fit the column to the text; the Office family leaves more room.
        const CSize szImage = IsOfficeFamily(look.nTheme) ? CSize(std::max(th + 4, 20), std::max(th, 22))
                                                          : CSize(std::max(th, 20), std::max(th, 20));
        BarPtr pPopup(new CTestPopupBar(pTheme.get()));
        BarPtr pToolLike(new CTestPopupBar(pTheme.get(), qorBarTypeToolBar));
        EXPECT_EQ(szImage, pTheme->GetPopupBarImageSize(pPopup.get()));
        EXPECT_EQ(szImage.cx + 1, pTheme->GetPopupBarGripperWidth(pPopup.get()));
        EXPECT_EQ(szImage.cx + 1 + pTheme->m_nPopupCaptionGap, pTheme->GetPopupBarGap(pPopup.get()));
        EXPECT_EQ(0, pTheme->GetPopupBarGripperWidth(pToolLike.get()));
        EXPECT_EQ(0, pTheme->GetPopupBarGap(pToolLike.get()));
        EXPECT_EQ(0, pTheme->GetPopupBarGripperWidth(nullptr));
        pPopup->m_bDoubleGripper = TRUE;
        EXPECT_EQ(2 * szImage.cx + 1, pTheme->GetPopupBarGripperWidth(pPopup.get()));
        EXPECT_EQ(IsOfficeFamily(look.nTheme) ? 8 : 4, pTheme->m_nPopupCaptionGap);
    }
}

TEST(PaintManagerPopup, ItemSizesInEveryLook)
{
    for (const Look& look : kLooks) {
        SCOPED_TRACE(look.name);
        PaintManagerPtr pTheme = MakeTheme(look.nTheme, look.bThemed);
        Canvas canvas(10, 10, kPaper);
        CDC* pDC = canvas.Dc();
        BarPtr pBar(new CTestPopupBar(pTheme.get()));
        const CSize szImage = pTheme->GetPopupBarImageSize(pBar.get());
        const int nLead = pTheme->m_nPopupCaptionGap + szImage.cx;
        const int wOpen = TextWidth(pTheme.get(), pDC, L"&Open");
        const int wShortcut = TextWidth(pTheme.get(), pDC, L"Ctrl+Shift+O", DT_NOPREFIX);
        ASSERT_GT(wOpen, 10);
        ASSERT_GT(wShortcut, wOpen);
        struct Row
        {
            Item item;
            int nWidth, nHeight; // the control's own
            BOOL bLabelColumn;
            CSize size;
        } rows[] = {
            {{"caption", L"&Open", qorControlButton, FALSE}, 0, 0, TRUE, CSize(nLead + wOpen + 32, szImage.cy)},
            {{"caption and icon", L"&Open", qorControlButton, TRUE}, 0, 0, TRUE, CSize(nLead + wOpen + 32, szImage.cy)},
            {{"caption and shortcut", L"&Open\tCtrl+Shift+O", qorControlButton, FALSE},
             0,
             0,
             TRUE,
             CSize(nLead + wOpen + wShortcut + 32, szImage.cy)},
            {{"submenu", L"&Open", qorControlPopup, FALSE}, 0, 0, TRUE, CSize(nLead + wOpen + 32, szImage.cy)},
            {{"split item", L"&Open", qorControlSplitButtonPopup, FALSE}, 0, 0, TRUE,
             CSize(nLead + wOpen + 32, szImage.cy)},
            {{"own size", L"&Open", qorControlButton, FALSE}, 150, 40, TRUE, CSize(150, 40)},
            {{"label with its column", L"&Open", qorControlLabel, FALSE}, 0, 0, TRUE,
             CSize(nLead + wOpen + 32, szImage.cy)},
            {{"label without a column", L"&Open", qorControlLabel, FALSE}, 0, 0, FALSE,
             CSize(pTheme->m_nPopupCaptionGap + wOpen + 32, szImage.cy)},
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.item.name);
            BarPtr pPopup(new CTestPopupBar(pTheme.get()));
            CQorControl* pControl = AddItem(pPopup.get(), row.item, 0);
            pControl->m_nWidth = row.nWidth;
            pControl->m_nHeight = row.nHeight;
            pTheme->m_bShowLabelIconColumn = row.bLabelColumn;
            EXPECT_EQ(row.size, pControl->GetSize(pDC));
            EXPECT_EQ(row.size, pTheme->DrawControlInPopup(nullptr, pControl, FALSE));
        }
        pTheme->m_bShowLabelIconColumn = TRUE;
        // Groups in a popup are parted by a gap of their own height; a popup laid out in
        // tool-bar rows keeps tool-bar buttons.
        EXPECT_EQ(CSize(6, 6), pTheme->DrawSeparator(nullptr, pBar.get(), nullptr, FALSE));
        BarPtr pToolLike(new CTestPopupBar(pTheme.get(), qorBarTypeToolBar));
        CQorControl* pButton = AddItem(pToolLike.get(), {"button", L"&Open", qorControlButton, TRUE}, 0);
        EXPECT_EQ(pTheme->DrawControlInToolBar(pDC, pButton, FALSE), pButton->GetSize(pDC));
    }
}

TEST(PaintManagerPopup, DescriptionItemIsTwoLinesHigh)
{
    PaintManagerPtr pTheme = MakeTheme(qorPaintThemeDefault, false);
    Canvas canvas(10, 10, kPaper);
    BarPtr pPopup(new CTestPopupBar(pTheme.get()));
    CQorControl* pControl = AddItem(pPopup.get(), {"described", L"&Open", qorControlButton, FALSE}, 0);
    const CSize szPlain = pControl->GetSize(canvas.Dc());
    pControl->m_strDescriptionText = L"Opens a book from a folder of the computer or the network";
    EXPECT_EQ(szPlain, pControl->GetSize(canvas.Dc())); // only style 5 shows the description
    pControl->SetStyle(5);
    const CSize szTwoLine = pControl->GetSize(canvas.Dc());
    CQorFontDC font(canvas.Dc(), &pTheme->m_fontRegular);
    const int nLine = canvas.Dc()->GetTextExtent(CString(L"O")).cy;
    EXPECT_GE(szTwoLine.cy, 3 * nLine + 19);
    EXPECT_GT(szTwoLine.cx, szPlain.cx);
}

// ---------------------------------------------------------------------------------------------
// A painted popup

TEST(PaintManagerPopup, PaintedPopupShowsEachItemKind)
{
    enum { open, save, wrap, print, recent, send, count };
    const Item items[count] = {
        {"icon and shortcut", L"&Open\tCtrl+O", qorControlButton, TRUE, 0, 1, 0, FALSE},
        {"selected", L"&Save", qorControlButton, FALSE, 1, 1, 0, FALSE},
        {"checked", L"&Word wrap", qorControlButton, FALSE, 0, 1, 1, FALSE},
        {"disabled", L"&Print", qorControlButton, FALSE, 0, 0, 0, FALSE},
        {"submenu after a separator", L"&Recent", qorControlPopup, FALSE, 0, 1, 0, TRUE},
        {"split item", L"Se&nd", qorControlSplitButtonPopup, FALSE, 0, 1, 0, FALSE},
    };
    for (const Look& look : kLooks) {
        SCOPED_TRACE(look.name);
        PaintManagerPtr pTheme = MakeTheme(look.nTheme, look.bThemed);
        auto c = [&](int n) { return pTheme->GetColor(n); };
        BarPtr pBar(new CTestPopupBar(pTheme.get()));
        CQorControl* controls[count];
        for (int i = 0; i < count; ++i)
            controls[i] = AddItem(pBar.get(), items[i], i);
        Canvas canvas(400, 300, kPaper);
        const CSize szBar = pBar->LayOut(canvas.Dc());
        ASSERT_TRUE(pBar->GetSafeHwnd());
        pBar->DrawCommandBar(canvas.Dc(), CRect(0, 0, szBar.cx, szBar.cy));

        const int nColumn = pTheme->GetPopupBarImageSize(pBar.get()).cx;
        const BOOL bOffice = IsOfficeFamily(look.nTheme);
        const BOOL bStyled = look.nTheme == qorPaintThemeNativeXP && look.bThemed &&
                             static_cast<QorPaintThemes::CQorNativeXPTheme*>(pTheme.get())->IsThemeUsable();
        const COLORREF clrText =
            c(bOffice ? 18 : static_cast<QorPaintThemes::CQorDefaultTheme*>(pTheme.get())->m_nPopupBarText);
        // The background behind the items, sampled right of the plain first item's text.
        const CRect rcOpen = controls[open]->GetRect();
        ASSERT_EQ(szBar.cx - 2 * pBar->GetBorders().left, rcOpen.Width());
        const COLORREF clrBack = canvas.Pixel(rcOpen.right - 2, rcOpen.top + 1);

        {
            SCOPED_TRACE("icon column");
            const CPoint pt(rcOpen.left + 1, rcOpen.top + 1);
            // Only the Office family paints an icon column of its own.
            const COLORREF clrColumn = canvas.Pixel(pt.x, pt.y);
            EXPECT_EQ(!bOffice, clrColumn == clrBack);
            if (look.nTheme == qorPaintThemeOffice) {
                EXPECT_EQ(c(30), clrColumn);
            }
            // The icon in the middle of the column (faded in the Office family).
            const COLORREF clrIcon = canvas.Pixel(rcOpen.left + nColumn / 2, rcOpen.CenterPoint().y);
            if (bOffice) {
                EXPECT_NE(clrColumn, clrIcon);
            } else {
                EXPECT_EQ(kIconColour, clrIcon);
            }
            EXPECT_GT(CountColour(canvas, rcOpen, clrText), 10); // caption and shortcut
        }
        {
            SCOPED_TRACE("selected");
            const CRect rc = controls[save]->GetRect();
            const CPoint ptInside(rc.right - 3, rc.CenterPoint().y);
            const COLORREF clrFill = bOffice ? c(31) : bStyled ? c(29) : c(13);
            EXPECT_EQ(clrFill, canvas.Pixel(ptInside.x, ptInside.y));
            if (bOffice || bStyled) {
                EXPECT_EQ(c(bOffice ? 32 : 13), canvas.Pixel(rc.left, rc.top));
            }
            // The caption in the selected text colour.
            EXPECT_GT(CountColour(canvas, rc, bOffice ? c(18) : c(14)), 10);
        }
        {
            SCOPED_TRACE("checked without an icon");
            const CRect rc = controls[wrap]->GetRect();
            const CPoint ptBox(rc.left + nColumn / 2, rc.CenterPoint().y);
            const CRect rcBox(ptBox.x - 10, ptBox.y - 10, ptBox.x + 10, ptBox.y + 10);
            EXPECT_GE(CountColour(canvas, rcBox, clrText), 10);
            // The tick's stroke down to its lowest point.
            EXPECT_EQ(clrText, canvas.Pixel(ptBox.x - 2, ptBox.y + 1));
        }
        {
            SCOPED_TRACE("disabled");
            const CRect rc = controls[print]->GetRect();
            EXPECT_GT(CountColour(canvas, rc, c(17)), 10);
            EXPECT_EQ(0, CountColour(canvas, rc, clrText));
        }
        {
            SCOPED_TRACE("submenu arrow and separator");
            const CRect rc = controls[recent]->GetRect();
            const int x = rc.right - 11, m = rc.top + rc.Height() / 2;
            EXPECT_EQ(clrText, canvas.Pixel(x + 1, m));
            EXPECT_EQ(clrText, canvas.Pixel(x, m - 3));
            EXPECT_NE(clrText, canvas.Pixel(x + 5, m));
            // The separator line runs across the gap above, from the captions on at least.
            const CRect rcOpenAbove = controls[print]->GetRect();
            ASSERT_EQ(rcOpenAbove.bottom + 6, rc.top);
            const int y = rc.top - 3 - 1;
            const int xCaption = rc.left + nColumn + pTheme->m_nPopupCaptionGap;
            const COLORREF clrLine = bOffice ? c(40) : c(16);
            for (int xi : {xCaption + 2, static_cast<int>(rc.CenterPoint().x), static_cast<int>(rc.right) - 4})
                EXPECT_EQ(clrLine, canvas.Pixel(xi, y)) << "x " << xi;
            if (!bOffice) {
                EXPECT_EQ(c(20), canvas.Pixel(rc.CenterPoint().x, y + 1));
            } else if (look.nTheme == qorPaintThemeOffice) {
                EXPECT_EQ(c(30), canvas.Pixel(rc.left + 1, y)); // the column runs on through the gap
            }
        }
        {
            SCOPED_TRACE("split item");
            const CRect rc = controls[send]->GetRect();
            const int x = rc.right - pTheme->m_nSplitButtonPopupWidth;
            const COLORREF clrDivider = bOffice ? c(40) : clrText;
            for (int y : {static_cast<int>(rc.top) + 1, static_cast<int>(rc.CenterPoint().y), static_cast<int>(rc.bottom) - 2})
                EXPECT_EQ(clrDivider, canvas.Pixel(x, y)) << "y " << y;
            EXPECT_EQ(clrText, canvas.Pixel(rc.right - 10, rc.top + rc.Height() / 2));
        }
    }
}

TEST(PaintManagerPopup, SelectedSplitItemWithOpenPopupSinksItsDropDownPart)
{
    PaintManagerPtr pTheme = MakeTheme(qorPaintThemeDefault, false);
    auto c = [&](int n) { return pTheme->GetColor(n); };
    BarPtr pBar(new CTestPopupBar(pTheme.get()));
    CQorControl* pControl = AddItem(pBar.get(), {"split", L"Se&nd", qorControlSplitButtonPopup, FALSE, 1, 1, 0}, 0);
    Canvas canvas(300, 100, kPaper);
    const CSize szBar = pBar->LayOut(canvas.Dc());
    for (BOOL bOpen : {FALSE, TRUE}) {
        SCOPED_TRACE(bOpen ? "open" : "closed");
        pBar->SetPopupedIndex(bOpen ? 0 : -1);
        pBar->DrawCommandBar(canvas.Dc(), CRect(0, 0, szBar.cx, szBar.cy));
        const CRect rc = pControl->GetRect();
        const int xDrop = rc.right - 20;
        // The divider of a selected item is in the shadow colour; the open drop-down part is
        // framed sunken.
        EXPECT_EQ(c(16), canvas.Pixel(xDrop, rc.CenterPoint().y));
        EXPECT_EQ(bOpen ? c(20) : c(13), canvas.Pixel(rc.right - 1, rc.CenterPoint().y));
        EXPECT_EQ(bOpen ? c(16) : c(13), canvas.Pixel(rc.right - 10, rc.top));
    }
}

TEST(PaintManagerPopup, OfficeColumnDarkensForRarelyUsedItems)
{
    PaintManagerPtr pTheme = MakeTheme(qorPaintThemeOffice, false);
    BarPtr pBar(new CTestPopupBar(pTheme.get()));
    CQorControl* pUsual = AddItem(pBar.get(), {"usual", L"&Open", qorControlButton, FALSE, 0, 1, 0}, 0);
    CQorControl* pRare = AddItem(pBar.get(), {"rare", L"&Close", qorControlButton, FALSE, 0, 1, 0}, 1);
    Canvas canvas(300, 100, kPaper);
    const CSize szBar = pBar->LayOut(canvas.Dc());
    pBar->DrawCommandBar(canvas.Dc(), CRect(0, 0, szBar.cx, szBar.cy));
    // Drawn by an expanded popup while its rarely-used bit still stands.
    pRare->SetHideFlag(qorHideExpand, TRUE);
    pRare->Draw(canvas.Dc());
    EXPECT_EQ(pTheme->GetColor(30), canvas.Pixel(pUsual->GetRect().left + 2, pUsual->GetRect().CenterPoint().y));
    EXPECT_EQ(pTheme->GetColor(42), canvas.Pixel(pRare->GetRect().left + 2, pRare->GetRect().CenterPoint().y));
}

// ---------------------------------------------------------------------------------------------
// Grippers

TEST(PaintManagerPopup, PopupGrippersDotsAndCornerGrip)
{
    for (const Look& look : kLooks) {
        SCOPED_TRACE(look.name);
        PaintManagerPtr pTheme = MakeTheme(look.nTheme, look.bThemed);
        const COLORREF clrLight = pTheme->GetColor(5);
        const COLORREF clrDark = pTheme->GetColor(IsOfficeFamily(look.nTheme) ? 40 : 38);
        ASSERT_NE(clrLight, clrDark);
        for (int nKind : {0, 2}) {
            SCOPED_TRACE(testing::Message() << "kind " << nKind);
            const CRect rc(10, 20, 90, 70);
            Canvas canvas(100, 100, kPaper);
            pTheme->DrawPopupGrippers(canvas.Dc(), rc, nKind);
            const int nMiddle = rc.CenterPoint().x;
            for (int x = nMiddle - 8; x <= nMiddle + 8; x += 4) {
                EXPECT_EQ(nKind == 2 ? clrDark : kPaper, canvas.Pixel(x, rc.top + 3)) << "dot at " << x;
                EXPECT_EQ(nKind == 2 ? clrLight : kPaper, canvas.Pixel(x + 2, rc.top + 5)) << "dot at " << x;
            }
            // Between the dots and beyond the row nothing.
            EXPECT_EQ(kPaper, canvas.Pixel(nMiddle - 12, rc.top + 3));
            EXPECT_EQ(kPaper, canvas.Pixel(nMiddle + 13, rc.top + 3));
            // The corner grip in every kind: dark over light, the first pair in the corner.
            EXPECT_EQ(clrLight, canvas.Pixel(rc.right - 3, rc.bottom - 3));
            EXPECT_EQ(clrDark, canvas.Pixel(rc.right - 4, rc.bottom - 4));
            EXPECT_EQ(clrDark, canvas.Pixel(rc.right - 8, rc.bottom - 4));
            EXPECT_EQ(clrDark, canvas.Pixel(rc.right - 4, rc.bottom - 8));
            EXPECT_EQ(kPaper, canvas.Pixel(rc.right - 16, rc.bottom - 16));
        }
    }
}
