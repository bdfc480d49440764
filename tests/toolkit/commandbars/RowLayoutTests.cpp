// The row layout with controls of fixed sizes: empty bars, the narrowest floating width, hiding
// what has no room, far-end alignment, stretching, columns, over-long controls in every mode and
// the columns of menu-like popups.
#include <gtest/gtest.h>
#include <windows.h>

#include <initializer_list>

#include "toolkit/commandbars/CommandBar.h"
#include "toolkit/commandbars/CommandBarDefs.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/PaintManager.h"

namespace {

class CFixedControl : public CQorControlButton
{
public:
    explicit CFixedControl(CSize size) : m_size(size) {}
    CSize GetSize(CDC*) override { return m_size; }
    CSize m_size;
};

const CRect kBorder(2, 2, 2, 2);

class RowLayout : public testing::Test
{
protected:
    void TearDown() override { m_pBar->InternalRelease(); }

    CQorControl* Add(int cx, int cy = 22, int nFlags = 0, BOOL bBeginGroup = FALSE)
    {
        CQorControl* pControl = new CFixedControl(CSize(cx, cy));
        pControl->SetFlags(nFlags);
        pControl->m_bBeginGroup = bBeginGroup;
        return Controls()->InsertControl(pControl, 1000 + Controls()->GetCount());
    }
    CQorControls* Controls() const { return m_pBar->GetControls(); }
    CQorControl* At(int i) const { return Controls()->GetAt(i); }
    CSize Layout(int nLength, DWORD dwMode) { return Controls()->CalcDynamicSize(nullptr, nLength, dwMode, kBorder); }
    CSize Separator() const { return m_pBar->GetPaintManager()->DrawSeparator(nullptr, m_pBar, nullptr, FALSE); }

    CQorCommandBar* m_pBar = new CQorCommandBar;
};

TEST_F(RowLayout, EmptyOrAllHiddenBarMeasuresItsBordersAndOneButton)
{
    EXPECT_EQ(Layout(300, LM_HORZDOCK | LM_COMMIT), CSize(27, 26));
    Add(40)->SetHideFlags(qorHideGeneric);
    EXPECT_EQ(Layout(300, LM_HORZDOCK | LM_COMMIT), CSize(27, 26));
    DWORD dwMode = LM_HORZDOCK;
    EXPECT_EQ(Controls()->CalcDynamicSize(nullptr, 300, dwMode, kBorder, 40), CSize(27, 40));
}

TEST_F(RowLayout, FloatingBarShrinksToTheNarrowestWidthOfItsRows)
{
    for (int i = 0; i < 4; i++)
        Add(23);
    // Room for three: two rows, and two buttons a row is as narrow as two rows get.
    EXPECT_EQ(Layout(4 + 3 * 23, LM_COMMIT), CSize(4 + 2 * 23, 4 + 2 * 22));
    EXPECT_EQ(At(0)->GetRect(), CRect(2, 2, 25, 24));
    EXPECT_EQ(At(1)->GetRect(), CRect(25, 2, 48, 24));
    EXPECT_EQ(At(2)->GetRect(), CRect(2, 24, 25, 46));
    EXPECT_TRUE(At(2)->m_bWrap);
    EXPECT_FALSE(At(3)->m_bWrap);
    // Room for all: one row.
    EXPECT_EQ(Layout(500, LM_COMMIT), CSize(4 + 4 * 23, 26));
    // Given a height of two rows.
    EXPECT_EQ(Layout(4 + 2 * 22, LM_COMMIT | LM_LENGTHY), CSize(4 + 2 * 23, 4 + 2 * 22));
}

TEST_F(RowLayout, HideWrapHidesTheOverflowUntilARowOfItsOwn)
{
    for (int i = 0; i < 5; i++)
        Add(23, 22, i == 3 ? qorFlagWrapRow : 0);
    DWORD dwMode = LM_HORZDOCK | LM_HIDEWRAP | LM_COMMIT;
    Controls()->CalcDynamicSize(nullptr, 4 + 2 * 23, dwMode, kBorder);
    EXPECT_TRUE(dwMode & LM_STRETCH);
    const int expectedHide[] = {0, 0, qorHideWrap, 0, 0};
    for (int i = 0; i < 5; i++)
        EXPECT_EQ(At(i)->GetHideFlags(), expectedHide[i]) << i;
    EXPECT_EQ(At(3)->GetRect().TopLeft(), CPoint(2, 24));
    EXPECT_EQ(At(4)->GetRect().TopLeft(), CPoint(25, 24));
    // Room again: the layout clears its bit.
    Layout(500, LM_HORZDOCK | LM_HIDEWRAP | LM_COMMIT);
    EXPECT_EQ(At(2)->GetHideFlags(), 0);
}

TEST_F(RowLayout, FarEndAndStretchedControls)
{
    Add(23, 22, qorFlagControlStretched);
    Add(23);
    Add(23, 22, qorFlagControlStretched);
    Add(23, 22, qorFlagRightAlign);
    const int nLength = 4 + 4 * 23 + 25; // 25 pixels to share before the far-end control
    Layout(nLength, LM_HORZDOCK | LM_STRETCH | LM_COMMIT);
    EXPECT_EQ(At(3)->GetRect(), CRect(nLength - 2 - 23, 2, nLength - 2, 24));
    // The first stretched control gets the smaller half of the odd space.
    EXPECT_EQ(At(0)->GetRect(), CRect(2, 2, 37, 24));
    EXPECT_EQ(At(1)->GetRect(), CRect(37, 2, 60, 24));
    EXPECT_EQ(At(2)->GetRect(), CRect(60, 2, 96, 24));
    EXPECT_EQ(At(2)->GetRect().right, At(3)->GetRect().left);
}

TEST_F(RowLayout, ControlsAreCentredAcrossTheirRow)
{
    Add(23, 22);
    Add(23, 30);
    Layout(500, LM_HORZDOCK | LM_COMMIT);
    EXPECT_EQ(At(0)->GetRect(), CRect(2, 6, 25, 28));
    EXPECT_EQ(At(0)->GetRowRect(), CRect(2, 2, 48, 32));
}

TEST_F(RowLayout, VerticalBarsStackInColumns)
{
    for (int i = 0; i < 3; i++)
        Add(23);
    EXPECT_EQ(Layout(4 + 3 * 22, LM_VERTDOCK | LM_COMMIT), CSize(27, 4 + 3 * 22));
    EXPECT_EQ(At(1)->GetRect(), CRect(2, 24, 25, 46));
    // Two columns: the second grows to the left, so the first keeps the right side.
    EXPECT_EQ(Layout(4 + 2 * 22, LM_VERTDOCK | LM_COMMIT), CSize(4 + 2 * 23, 4 + 2 * 22));
    EXPECT_EQ(At(0)->GetRect(), CRect(25, 2, 48, 24));
    EXPECT_EQ(At(2)->GetRect(), CRect(2, 2, 25, 24));
}

TEST_F(RowLayout, GroupsBreakRowsAtTheirStart)
{
    Add(23);
    Add(23);
    Add(23, 22, 0, TRUE);
    Add(23);
    const CSize szSeparator = Separator();
    // Room for three: the row breaks at the group start, not at the third control's end.
    Layout(4 + 3 * 23 + szSeparator.cx, LM_HORZDOCK | LM_COMMIT);
    EXPECT_TRUE(At(2)->m_bWrap);
    EXPECT_EQ(At(2)->GetRect().top, 2 + 22 + szSeparator.cy);
}

TEST_F(RowLayout, OverLongControlEndsInEveryModeWithoutEmptyRows)
{
    Add(30);
    Add(500, 22, 0, TRUE);
    Add(30);
    const DWORD modes[] = {LM_COMMIT,
                           LM_COMMIT | LM_LENGTHY,
                           LM_HORZDOCK | LM_COMMIT,
                           LM_HORZDOCK | LM_HIDEWRAP | LM_COMMIT,
                           LM_VERTDOCK | LM_COMMIT,
                           LM_POPUP | LM_HORZ | LM_COMMIT,
                           LM_MRUWIDTH | LM_COMMIT};
    for (DWORD dwMode : modes) {
        DWORD dwWritten = dwMode;
        const CSize sz = Controls()->CalcDynamicSize(nullptr, 100, dwWritten, kBorder);
        EXPECT_GT(sz.cx, 0) << dwMode;
        EXPECT_FALSE(At(0)->m_bWrap) << dwMode;
        // No row is empty: each row start holds a placed control.
        for (int i = 0; i < 3; i++)
            if (At(i)->m_bWrap) {
                EXPECT_EQ(At(i)->GetHideFlags() & qorHideWrap, 0) << dwMode << " " << i;
            }
    }
    // Docked in a row of 100: the long control and the one after it each start a row.
    Layout(100, LM_HORZDOCK | LM_COMMIT);
    EXPECT_TRUE(At(1)->m_bWrap);
    EXPECT_TRUE(At(2)->m_bWrap);
}

TEST_F(RowLayout, WrappedPopupColumnsShareTheirWidth)
{
    for (int cx : {100, 80, 120, 90, 60})
        Add(cx, 20);
    m_pBar->m_barType = qorBarTypePopup;
    CSize sz = Controls()->CalcWrappedPopupSize(nullptr, 4 + 3 * 20, kBorder);
    EXPECT_TRUE(m_pBar->m_bMultiLine);
    EXPECT_EQ(sz, CSize(4 + 120 + 90, 4 + 60));
    EXPECT_EQ(At(1)->GetRect(), CRect(2, 22, 122, 42));
    EXPECT_EQ(At(3)->GetRect(), CRect(122, 2, 212, 22));
    EXPECT_TRUE(At(3)->m_bWrap);
    EXPECT_EQ(At(4)->GetRowRect(), CRect(122, 2, 212, 62));

    sz = Controls()->CalcWrappedPopupSize(nullptr, 0, kBorder);
    EXPECT_FALSE(m_pBar->m_bMultiLine);
    EXPECT_EQ(sz, CSize(4 + 120, 4 + 100));
}

TEST_F(RowLayout, WrappedPopupCutsAVeryWideControl)
{
    RECT rcWork;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
    Add(rcWork.right, 20);
    Controls()->CalcWrappedPopupSize(nullptr, 0, kBorder);
    EXPECT_EQ(At(0)->GetRect().Width(), rcWork.right / 3);
    // Empty popups still measure a row.
    At(0)->SetHideFlags(qorHideGeneric);
    EXPECT_EQ(Controls()->CalcWrappedPopupSize(nullptr, 0, kBorder), CSize(4 + 24, 4 + 22));
}

} // namespace
