// The control wrappers on real controls: typed members round-trip through the control's
// own messages.
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <vector>

#include "platform/framework/Controls.h"
#include "platform/framework/Gdi.h"
#include "platform/framework/Menu.h"
#include "platform/framework/WinApp.h"
#include "tests/common/WineTestSupport.h"

namespace {

// A visible top-level window that hosts the controls and records their notifications.
class CHostWnd : public CWnd
{
public:
    std::vector<UINT> clicked;

    BOOL CreateHost()
    {
        return CreateEx(0, AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)), L"controls",
                        WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 400, 300, nullptr, nullptr);
    }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (HIWORD(wParam) == BN_CLICKED)
            clicked.push_back(LOWORD(wParam));
        return CWnd::OnCommand(wParam, lParam);
    }
};

// One host window serves every test: destroying a visible top-level window costs Wine a
// wait for the X server, and the controls of a test go with their wrappers anyway.
class ControlsTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        host = new CHostWnd;
        if (!host->CreateHost()) {
            delete host;
            host = nullptr;
        }
    }

    static void TearDownTestSuite()
    {
        if (host)
            host->DestroyWindow();
        delete host;
        host = nullptr;
        testsupport::PumpMessages();
    }

    void SetUp() override
    {
        ASSERT_NE(nullptr, host);
        host->clicked.clear();
    }

    void TearDown() override
    {
        testsupport::PumpMessages();
        CWnd::DeleteTempMap();
        AfxDeleteTempDrawingObjects();
    }

    const DWORD kChild = WS_CHILD | WS_VISIBLE;
    static CHostWnd* host;
};

CHostWnd* ControlsTest::host = nullptr;

// A tree that reports its selection changes through reflected notifications.
class CRecordingTree : public CTreeCtrl
{
public:
    std::vector<HTREEITEM> selected;

protected:
    afx_msg void OnSelChanged(NMHDR* header, LRESULT* result)
    {
        selected.push_back(reinterpret_cast<NMTREEVIEW*>(header)->itemNew.hItem);
        *result = 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingTree, CTreeCtrl)
    ON_NOTIFY_REFLECT(TVN_SELCHANGED, &CRecordingTree::OnSelChanged)
END_MESSAGE_MAP()

TEST_F(ControlsTest, TreeItemsInsertWalkExpandAndSelect)
{
    CRecordingTree tree;
    ASSERT_TRUE(tree.Create(kChild | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                            CRect(0, 0, 300, 250), host, 100));
    EXPECT_TRUE(tree.IsKindOf(RUNTIME_CLASS(CTreeCtrl)));

    HTREEITEM book = tree.InsertItem(L"Book");
    HTREEITEM one = tree.InsertItem(L"Chapter 1", book);
    HTREEITEM two = tree.InsertItem(L"Chapter 2", 3, 4, book, TVI_LAST);
    HTREEITEM first = tree.InsertItem(L"Preface", book, TVI_FIRST);
    HTREEITEM appendix = tree.InsertItem(L"Appendix");
    ASSERT_TRUE(book && one && two && first && appendix);
    EXPECT_EQ(5u, tree.GetCount());

    EXPECT_EQ(book, tree.GetRootItem());
    EXPECT_EQ(first, tree.GetChildItem(book));
    EXPECT_EQ(one, tree.GetNextSiblingItem(first));
    EXPECT_EQ(two, tree.GetNextSiblingItem(one));
    EXPECT_EQ(nullptr, tree.GetNextSiblingItem(two));
    EXPECT_EQ(one, tree.GetPrevSiblingItem(two));
    EXPECT_EQ(book, tree.GetParentItem(two));
    EXPECT_EQ(appendix, tree.GetNextSiblingItem(book));
    EXPECT_TRUE(tree.ItemHasChildren(book));
    EXPECT_FALSE(tree.ItemHasChildren(appendix));

    EXPECT_EQ(CString(L"Chapter 2"), tree.GetItemText(two));
    int image = -1, selectedImage = -1;
    ASSERT_TRUE(tree.GetItemImage(two, image, selectedImage));
    EXPECT_EQ(3, image);
    EXPECT_EQ(4, selectedImage);

    // Texts longer than any first guess of a buffer come back whole.
    CString longText(L'x', 700);
    ASSERT_TRUE(tree.SetItemText(one, longText));
    EXPECT_EQ(longText, tree.GetItemText(one));

    ASSERT_TRUE(tree.SetItemData(two, 0xC0FFEE));
    EXPECT_EQ(0xC0FFEEu, tree.GetItemData(two));
    EXPECT_EQ(0u, tree.GetItemData(one));

    EXPECT_EQ(0u, tree.GetItemState(book, TVIS_EXPANDED));
    CRect childRect;
    EXPECT_FALSE(tree.GetItemRect(one, &childRect, FALSE)); // hidden inside a closed parent
    ASSERT_TRUE(tree.Expand(book, TVE_EXPAND));
    EXPECT_EQ(static_cast<UINT>(TVIS_EXPANDED), tree.GetItemState(book, TVIS_EXPANDED));
    ASSERT_TRUE(tree.GetItemRect(two, &childRect, TRUE));
    UINT flags = 0;
    EXPECT_EQ(two, tree.HitTest(childRect.CenterPoint(), &flags));
    EXPECT_TRUE(flags & TVHT_ONITEMLABEL);

    ASSERT_TRUE(tree.SelectItem(two));
    EXPECT_EQ(two, tree.GetSelectedItem());
    ASSERT_FALSE(tree.selected.empty());
    EXPECT_EQ(two, tree.selected.back());

    ASSERT_TRUE(tree.DeleteItem(book));
    EXPECT_EQ(1u, tree.GetCount());
    ASSERT_TRUE(tree.DeleteAllItems());
    EXPECT_EQ(0u, tree.GetCount());
    EXPECT_EQ(nullptr, tree.GetRootItem());
}

TEST_F(ControlsTest, TreeImageListsAndCheckBoxes)
{
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(kChild | TVS_CHECKBOXES, CRect(0, 0, 200, 200), host, 101));
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 2));
    EXPECT_EQ(nullptr, tree.SetImageList(&images, TVSIL_NORMAL));
    EXPECT_EQ(&images, tree.GetImageList(TVSIL_NORMAL));

    HTREEITEM item = tree.InsertItem(L"Item");
    EXPECT_FALSE(tree.GetCheck(item));
    ASSERT_TRUE(tree.SetCheck(item, TRUE));
    EXPECT_TRUE(tree.GetCheck(item));
    ASSERT_TRUE(tree.SetCheck(item, FALSE));
    EXPECT_FALSE(tree.GetCheck(item));
    tree.SetImageList(nullptr, TVSIL_NORMAL);
}

int CALLBACK DescendingByData(LPARAM a, LPARAM b, LPARAM)
{
    return static_cast<int>(b - a);
}

TEST_F(ControlsTest, ListItemsColumnsAndSelection)
{
    CListCtrl list;
    ASSERT_TRUE(list.Create(kChild | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(0, 0, 380, 250), host, 102));
    EXPECT_EQ(0, list.InsertColumn(0, L"Name", LVCFMT_LEFT, 120));
    EXPECT_EQ(1, list.InsertColumn(1, L"Size", LVCFMT_RIGHT, 60));
    ASSERT_NE(nullptr, list.GetHeaderCtrl());
    EXPECT_EQ(2, list.GetHeaderCtrl()->GetItemCount());
    EXPECT_EQ(120, list.GetColumnWidth(0));
    ASSERT_TRUE(list.SetColumnWidth(1, 80));
    EXPECT_EQ(80, list.GetColumnWidth(1));

    const wchar_t* names[] = {L"gamma.txt", L"alpha.txt", L"beta.txt"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(i, list.InsertItem(i, names[i]));
        ASSERT_TRUE(list.SetItemText(i, 1, CString(L'0' + i, 1)));
        ASSERT_TRUE(list.SetItemData(i, 10 + i));
    }
    EXPECT_EQ(3, list.GetItemCount());
    EXPECT_EQ(CString(L"alpha.txt"), list.GetItemText(1, 0));
    EXPECT_EQ(CString(L"2"), list.GetItemText(2, 1));
    EXPECT_EQ(CString(), list.GetItemText(7, 0));
    EXPECT_EQ(11u, list.GetItemData(1));
    CString longText(L'y', 600);
    ASSERT_TRUE(list.SetItemText(0, 1, longText));
    EXPECT_EQ(longText, list.GetItemText(0, 1));

    LVFINDINFO find{};
    find.flags = LVFI_STRING;
    find.psz = L"beta.txt";
    EXPECT_EQ(2, list.FindItem(&find));

    ASSERT_TRUE(list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED));
    ASSERT_TRUE(list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_EQ(2u, list.GetSelectedCount());
    std::vector<int> selected;
    for (POSITION pos = list.GetFirstSelectedItemPosition(); pos;)
        selected.push_back(list.GetNextSelectedItem(pos));
    EXPECT_EQ((std::vector<int>{0, 2}), selected);

    CRect itemRect;
    ASSERT_TRUE(list.GetItemRect(1, &itemRect, LVIR_BOUNDS));
    EXPECT_EQ(1, list.HitTest(itemRect.CenterPoint()));
    CRect sizeCell;
    ASSERT_TRUE(list.GetSubItemRect(1, 1, LVIR_BOUNDS, sizeCell));
    EXPECT_EQ(120, sizeCell.left);

    // Sorting by item data, descending.
    ASSERT_TRUE(list.SortItems(DescendingByData, 0));
    EXPECT_EQ(CString(L"beta.txt"), list.GetItemText(0, 0));
    EXPECT_EQ(CString(L"gamma.txt"), list.GetItemText(2, 0));

    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    EXPECT_TRUE(list.GetExtendedStyle() & LVS_EX_CHECKBOXES);
    ASSERT_TRUE(list.SetCheck(1, TRUE));
    EXPECT_TRUE(list.GetCheck(1));
    EXPECT_FALSE(list.GetCheck(0));

    ASSERT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(2, list.GetItemCount());
    ASSERT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(0, list.GetItemCount());
    EXPECT_EQ(nullptr, list.GetFirstSelectedItemPosition());
}

TEST_F(ControlsTest, ComboAndListBoxSelection)
{
    CComboBox combo;
    ASSERT_TRUE(combo.Create(kChild | CBS_DROPDOWNLIST | WS_VSCROLL, CRect(0, 0, 150, 200), host, 103));
    EXPECT_EQ(0, combo.AddString(L"Small"));
    EXPECT_EQ(1, combo.AddString(L"Medium"));
    EXPECT_EQ(2, combo.AddString(L"Large"));
    EXPECT_EQ(1, combo.InsertString(1, L"Smaller"));
    EXPECT_EQ(4, combo.GetCount());
    EXPECT_EQ(CB_ERR, combo.GetCurSel());
    EXPECT_EQ(2, combo.SetCurSel(2));
    EXPECT_EQ(2, combo.GetCurSel());
    CString text;
    combo.GetLBText(2, text);
    EXPECT_EQ(CString(L"Medium"), text);
    combo.GetLBText(9, text);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(3, combo.FindStringExact(-1, L"large")); // case-insensitive
    EXPECT_EQ(CB_ERR, combo.FindStringExact(-1, L"Huge"));
    EXPECT_EQ(0, combo.FindString(-1, L"Sm"));
    EXPECT_EQ(1, combo.FindString(0, L"Sm"));
    ASSERT_NE(CB_ERR, combo.SetItemData(3, 77));
    EXPECT_EQ(77u, combo.GetItemData(3));
    EXPECT_EQ(3, combo.SelectString(-1, L"Lar"));
    EXPECT_EQ(3, combo.GetCurSel());
    EXPECT_EQ(3, combo.DeleteString(0));
    combo.ResetContent();
    EXPECT_EQ(0, combo.GetCount());

    CListBox list;
    ASSERT_TRUE(list.Create(kChild | LBS_NOTIFY | WS_VSCROLL, CRect(160, 0, 300, 200), host, 104));
    list.AddString(L"one");
    list.AddString(L"two");
    list.AddString(L"three");
    EXPECT_EQ(3, list.GetCount());
    EXPECT_EQ(1, list.SetCurSel(1));
    EXPECT_EQ(1, list.GetCurSel());
    list.GetText(2, text);
    EXPECT_EQ(CString(L"three"), text);
    EXPECT_EQ(5, list.GetTextLen(2));
    EXPECT_EQ(1, list.FindStringExact(-1, L"TWO"));
    CRect itemRect;
    ASSERT_NE(LB_ERR, list.GetItemRect(2, &itemRect));
    BOOL outside = TRUE;
    EXPECT_EQ(2u, list.ItemFromPoint(itemRect.CenterPoint(), outside));
    EXPECT_FALSE(outside);
    list.SetItemDataPtr(0, host);
    EXPECT_EQ(host, list.GetItemDataPtr(0));
}

TEST_F(ControlsTest, SliderRangeAndPosition)
{
    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(kChild | TBS_HORZ | TBS_ENABLESELRANGE, CRect(0, 0, 200, 30), host, 105));
    slider.SetRange(10, 50, TRUE);
    int low = 0, high = 0;
    slider.GetRange(low, high);
    EXPECT_EQ(10, low);
    EXPECT_EQ(50, high);
    slider.SetPos(30);
    EXPECT_EQ(30, slider.GetPos());
    slider.SetPos(100);
    EXPECT_EQ(50, slider.GetPos()); // clamped to the range
    slider.SetPos(-3);
    EXPECT_EQ(10, slider.GetPos());
    slider.SetPageSize(7);
    EXPECT_EQ(7, slider.GetPageSize());
    slider.SetLineSize(2);
    EXPECT_EQ(2, slider.GetLineSize());
    slider.SetSelection(15, 25);
    slider.GetSelection(low, high);
    EXPECT_EQ(15, low);
    EXPECT_EQ(25, high);
    CRect thumb;
    slider.GetThumbRect(&thumb);
    EXPECT_FALSE(thumb.IsRectEmpty());
}

TEST_F(ControlsTest, SpinButtonRangeBuddyAndPosition)
{
    CEdit buddy;
    ASSERT_TRUE(buddy.Create(kChild | WS_BORDER, CRect(0, 0, 60, 22), host, 106));
    CSpinButtonCtrl spin;
    ASSERT_TRUE(spin.Create(kChild | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_NOTHOUSANDS, CRect(0, 0, 0, 0), host, 107));
    spin.SetBuddy(&buddy);
    EXPECT_EQ(buddy.GetSafeHwnd(), spin.GetBuddy()->GetSafeHwnd());

    spin.SetRange(-5, 20);
    int lower = 0, upper = 0;
    spin.GetRange(lower, upper);
    EXPECT_EQ(-5, lower);
    EXPECT_EQ(20, upper);

    spin.SetRange32(0, 100000);
    spin.GetRange32(lower, upper);
    EXPECT_EQ(0, lower);
    EXPECT_EQ(100000, upper);
    spin.SetPos32(70000);
    BOOL error = TRUE;
    EXPECT_EQ(70000, spin.GetPos32(&error));
    EXPECT_FALSE(error);
    CString text;
    buddy.GetWindowText(text);
    EXPECT_EQ(CString(L"70000"), text); // the buddy shows the position
}

TEST_F(ControlsTest, EditSelectionLinesAndLimits)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(kChild | ES_MULTILINE | ES_AUTOVSCROLL | WS_BORDER, CRect(0, 0, 200, 100), host, 108));
    edit.SetWindowText(L"first line\r\nsecond");
    EXPECT_EQ(2, edit.GetLineCount());
    EXPECT_EQ(CString(L"second"), edit.GetLineText(1));
    EXPECT_EQ(CString(L"first line"), edit.GetLineText(0));
    EXPECT_EQ(CString(), edit.GetLineText(5));
    EXPECT_EQ(12, edit.LineIndex(1));
    EXPECT_EQ(1, edit.LineFromChar(13));

    edit.SetSel(0, 5);
    int start = -1, end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(0, start);
    EXPECT_EQ(5, end);
    EXPECT_EQ(static_cast<DWORD>(MAKELONG(0, 5)), edit.GetSel());
    edit.ReplaceSel(L"1st");
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(CString(L"1st line\r\nsecond"), text);
    edit.SetModify(TRUE);
    EXPECT_TRUE(edit.GetModify());

    edit.SetLimitText(4);
    EXPECT_EQ(4u, edit.GetLimitText());
    ASSERT_TRUE(edit.SetReadOnly(TRUE));
    EXPECT_TRUE(edit.GetStyle() & ES_READONLY);

    CEdit single;
    ASSERT_TRUE(single.Create(kChild | ES_PASSWORD, CRect(0, 110, 200, 130), host, 109));
    single.SetPasswordChar(L'*');
    EXPECT_EQ(L'*', single.GetPasswordChar());
    single.LimitText(3);
    single.ReplaceSel(L"abcdef");
    single.GetWindowText(text);
    EXPECT_EQ(CString(L"abc"), text);
}

TEST_F(ControlsTest, ButtonsStaticsAndScrollBars)
{
    CButton check;
    ASSERT_TRUE(check.Create(L"Check", kChild | BS_AUTOCHECKBOX, CRect(0, 0, 100, 20), host, 110));
    EXPECT_EQ(static_cast<UINT>(BS_AUTOCHECKBOX), check.GetButtonStyle());
    EXPECT_EQ(BST_UNCHECKED, check.GetCheck());
    check.SetCheck(BST_CHECKED);
    EXPECT_EQ(BST_CHECKED, check.GetCheck());
    check.Click(); // toggles and notifies the parent
    EXPECT_EQ(BST_UNCHECKED, check.GetCheck());
    EXPECT_EQ(std::vector<UINT>{110}, host->clicked);

    CStatic icon;
    ASSERT_TRUE(icon.Create(nullptr, kChild | SS_ICON, CRect(0, 30, 32, 62), host, 111));
    HICON application = ::LoadIconW(nullptr, IDI_APPLICATION);
    icon.SetIcon(application);
    EXPECT_EQ(application, icon.GetIcon());

    CStatic label;
    ASSERT_TRUE(label.Create(L"Label", kChild | SS_LEFT, CRect(40, 30, 140, 50), host));
    EXPECT_EQ(0xFFFF, label.GetDlgCtrlID());

    CScrollBar bar;
    ASSERT_TRUE(bar.Create(kChild | SBS_VERT, CRect(380, 0, 396, 200), host, 112));
    SCROLLINFO info{};
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = 99;
    info.nPage = 10;
    info.nPos = 95;
    ASSERT_TRUE(bar.SetScrollInfo(&info));
    EXPECT_EQ(90, bar.GetScrollLimit());
    EXPECT_EQ(90, bar.GetScrollPos()); // clamped by the page
    bar.SetScrollPos(40);
    EXPECT_EQ(40, bar.GetScrollPos());
    int low = -1, high = -1;
    bar.GetScrollRange(&low, &high);
    EXPECT_EQ(0, low);
    EXPECT_EQ(99, high);
}

TEST_F(ControlsTest, HeaderAndToolTips)
{
    CHeaderCtrl header;
    ASSERT_TRUE(header.Create(kChild | HDS_HORZ, CRect(0, 0, 300, 24), host, 113));
    HDITEM item{};
    item.mask = HDI_TEXT | HDI_WIDTH;
    item.cxy = 70;
    item.pszText = const_cast<LPWSTR>(L"Title");
    EXPECT_EQ(0, header.InsertItem(0, &item));
    item.cxy = 50;
    EXPECT_EQ(1, header.InsertItem(1, &item));
    EXPECT_EQ(2, header.GetItemCount());
    CRect second;
    ASSERT_TRUE(header.GetItemRect(1, &second));
    EXPECT_EQ(70, second.left);
    EXPECT_EQ(120, second.right);

    CButton button;
    ASSERT_TRUE(button.Create(L"Tip", kChild | BS_PUSHBUTTON, CRect(0, 40, 80, 64), host, 114));
    CToolTipCtrl tips;
    ASSERT_TRUE(tips.Create(host));
    EXPECT_TRUE(tips.GetExStyle() & WS_EX_TOPMOST);
    ASSERT_TRUE(tips.AddTool(&button, L"Press it"));
    ASSERT_TRUE(tips.AddTool(host, L"Area", CRect(200, 200, 250, 250), 7));
    EXPECT_EQ(2, tips.GetToolCount());
    CString text;
    tips.GetText(text, &button);
    EXPECT_EQ(CString(L"Press it"), text);
    tips.UpdateTipText(L"Changed", &button);
    tips.GetText(text, &button);
    EXPECT_EQ(CString(L"Changed"), text);
    tips.GetText(text, host, 7);
    EXPECT_EQ(CString(L"Area"), text);
    TOOLINFO info;
    ASSERT_TRUE(tips.GetToolInfo(info, host, 7));
    EXPECT_EQ(CRect(200, 200, 250, 250), CRect(info.rect));
    tips.DelTool(&button);
    EXPECT_EQ(1, tips.GetToolCount());
    tips.SetMaxTipWidth(200);
    EXPECT_EQ(200, tips.GetMaxTipWidth());
    tips.DestroyWindow();
}

TEST_F(ControlsTest, RichEditTextSelectionAndFormats)
{
    ASSERT_NE(nullptr, CRichEditCtrl::GetWindowClassName());
    CRichEditCtrl rich;
    ASSERT_TRUE(rich.Create(kChild | ES_MULTILINE | WS_BORDER, CRect(0, 0, 300, 200), host, 115));
    rich.SetWindowText(L"Hello rich world");
    EXPECT_EQ(16, rich.GetTextLength());
    rich.SetSel(6, 10);
    long start = -1, end = -1;
    rich.GetSel(start, end);
    EXPECT_EQ(6, start);
    EXPECT_EQ(10, end);
    EXPECT_EQ(CString(L"rich"), rich.GetSelText());

    // The control starts in the bold system font here; make the default plain first.
    CHARFORMAT2 plain{};
    plain.dwMask = CFM_BOLD;
    ASSERT_TRUE(rich.SetDefaultCharFormat(plain));
    CHARFORMAT2 defaults{};
    rich.GetDefaultCharFormat(defaults);
    EXPECT_FALSE(defaults.dwEffects & CFE_BOLD);

    CHARFORMAT2 format{};
    format.dwMask = CFM_BOLD;
    format.dwEffects = CFE_BOLD;
    ASSERT_TRUE(rich.SetSelectionCharFormat(format));
    CHARFORMAT2 readBack{};
    rich.GetSelectionCharFormat(readBack);
    EXPECT_TRUE(readBack.dwEffects & CFE_BOLD);
    rich.SetSel(0, 5);
    rich.GetSelectionCharFormat(readBack);
    EXPECT_FALSE(readBack.dwEffects & CFE_BOLD);

    rich.ReplaceSel(L"Goodbye");
    CString range;
    EXPECT_EQ(7, rich.GetTextRange(0, 7, range));
    EXPECT_EQ(CString(L"Goodbye"), range);
    EXPECT_EQ(0, rich.GetTextRange(5, 5, range));
    EXPECT_TRUE(range.IsEmpty());

    rich.LimitText(10);
    EXPECT_EQ(10, rich.GetLimitText());
    rich.SetEventMask(ENM_CHANGE | ENM_SELCHANGE);
    EXPECT_EQ(ENM_CHANGE | ENM_SELCHANGE, rich.GetEventMask());
}

// Owner-drawn controls that only override the virtual item members.
class COwnerDrawnButton : public CButton
{
public:
    int draws = 0;
    void DrawItem(LPDRAWITEMSTRUCT item) override
    {
        ++draws;
        CDC::FromHandle(item->hDC)->FillSolidRect(&item->rcItem, RGB(0, 0, 255));
    }
};

class COwnerDrawnList : public CListBox
{
public:
    int measures = 0;
    std::vector<DWORD_PTR> drawn;
    void MeasureItem(LPMEASUREITEMSTRUCT item) override
    {
        ++measures;
        item->itemHeight = 23;
    }
    void DrawItem(LPDRAWITEMSTRUCT item) override { drawn.push_back(item->itemData); }
};

TEST_F(ControlsTest, OwnerDrawnControlsReachTheirVirtualItemMembers)
{
    COwnerDrawnButton button;
    ASSERT_TRUE(button.Create(L"", kChild | BS_OWNERDRAW, CRect(0, 0, 40, 20), host, 120));
    button.Invalidate();
    button.UpdateWindow();
    EXPECT_GT(button.draws, 0);

    COwnerDrawnList list;
    ASSERT_TRUE(list.Create(kChild | LBS_OWNERDRAWFIXED, CRect(50, 0, 200, 150), host, 121));
    EXPECT_GT(list.measures, 0); // asked while the control was being created
    EXPECT_EQ(23, list.GetItemHeight(0));
    // Without LBS_HASSTRINGS the "string" is the item's data.
    list.AddString(reinterpret_cast<LPCTSTR>(30));
    list.AddString(reinterpret_cast<LPCTSTR>(10));
    EXPECT_EQ(10u, list.GetItemData(1));
    list.UpdateWindow();
    ASSERT_GE(list.drawn.size(), 2u);
    EXPECT_EQ(30u, list.drawn[0]);
    EXPECT_EQ(10u, list.drawn[1]);
}

TEST_F(ControlsTest, PopupMenuReturnsTheChosenCommand)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 501, L"First");
    menu.AppendMenu(MF_STRING, 502, L"Second");
    host->SetForegroundWindow();
    // The menu's own loop reads these keys: down to the first item, down again, Enter.
    host->PostMessage(WM_KEYDOWN, VK_DOWN, 0);
    host->PostMessage(WM_KEYDOWN, VK_DOWN, 0);
    host->PostMessage(WM_KEYDOWN, VK_RETURN, 0);
    UINT chosen = static_cast<UINT>(menu.TrackPopupMenu(TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN, 10, 10, host));
    EXPECT_EQ(502u, chosen);
}

// A list or combo box without strings whose items are numbers: it orders them from the
// largest down and records the ones the control lets go of.
template <class Box> class CNumberItems : public Box
{
public:
    int compares = 0;
    std::vector<DWORD_PTR> deleted;

    int CompareItem(LPCOMPAREITEMSTRUCT item) override
    {
        ++compares;
        if (item->itemData1 == item->itemData2)
            return 0;
        return item->itemData1 > item->itemData2 ? -1 : 1;
    }
    void DeleteItem(LPDELETEITEMSTRUCT item) override { deleted.push_back(item->itemData); }
};

template <class Box> void CheckNumbersOrderedAndReleasedByTheObject(CNumberItems<Box>& box)
{
    for (DWORD_PTR value : {20, 40, 10, 30})
        box.AddString(reinterpret_cast<LPCTSTR>(value));
    EXPECT_GT(box.compares, 0);
    ASSERT_EQ(4, box.GetCount());
    const DWORD_PTR expectedOrder[] = {40, 30, 20, 10};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(expectedOrder[i], box.GetItemData(i)) << "position " << i;

    box.DeleteString(1);
    EXPECT_EQ(std::vector<DWORD_PTR>{30}, box.deleted);
    box.ResetContent();
    // Every remaining item once, in whatever order the control empties itself.
    std::sort(box.deleted.begin() + 1, box.deleted.end());
    EXPECT_EQ((std::vector<DWORD_PTR>{30, 10, 20, 40}), box.deleted);

    // Items still held when the control goes are released too.
    box.deleted.clear();
    box.AddString(reinterpret_cast<LPCTSTR>(static_cast<DWORD_PTR>(5)));
    box.DestroyWindow();
    EXPECT_EQ(std::vector<DWORD_PTR>{5}, box.deleted);
}

TEST_F(ControlsTest, SortedItemsWithoutStringsAreComparedAndDeletedByTheControlObject)
{
    {
        SCOPED_TRACE("list box");
        CNumberItems<CListBox> list;
        ASSERT_TRUE(list.Create(kChild | LBS_OWNERDRAWFIXED | LBS_SORT, CRect(0, 0, 100, 150), host, 122));
        CheckNumbersOrderedAndReleasedByTheObject(list);
    }
    {
        SCOPED_TRACE("combo box");
        CNumberItems<CComboBox> combo;
        ASSERT_TRUE(combo.Create(kChild | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_SORT, CRect(110, 0, 210, 150),
                                 host, 123));
        CheckNumbersOrderedAndReleasedByTheObject(combo);
    }
}

// A menu whose owner-drawn items record how they were measured and drawn.
class COwnerDrawnMenu : public CMenu
{
public:
    std::vector<UINT> measured;
    std::vector<UINT> drawn;

    void MeasureItem(LPMEASUREITEMSTRUCT item) override
    {
        measured.push_back(item->itemID);
        item->itemWidth = 80;
        item->itemHeight = 20;
    }
    void DrawItem(LPDRAWITEMSTRUCT item) override { drawn.push_back(item->itemID); }
};

// An owner-drawn menu item carries a number where a text would be.
LPCTSTR ItemData(UINT_PTR value)
{
    return reinterpret_cast<LPCTSTR>(value);
}

bool Contains(const std::vector<UINT>& ids, UINT id)
{
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

TEST_F(ControlsTest, OwnerDrawnPopupItemsAreMeasuredByTheirMenuObject)
{
    // Shown with and without WM_INITMENUPOPUP, and by the raw function on a menu that an
    // object owns.
    struct Case
    {
        const char* name;
        UINT flags;
        bool throughObject;
    };
    const Case cases[] = {
        {"CMenu::TrackPopupMenu", 0, true},
        {"CMenu::TrackPopupMenu without notifications", TPM_NONOTIFY, true},
        {"::TrackPopupMenu", 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        COwnerDrawnMenu menu;
        ASSERT_TRUE(menu.CreatePopupMenu());
        menu.AppendMenu(MF_OWNERDRAW, 601, ItemData(7));
        menu.AppendMenu(MF_STRING, 602, L"Plain");
        host->SetForegroundWindow();
        // The menu measures its items before its loop reads the key that closes it.
        host->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
        const UINT flags = TPM_RETURNCMD | TPM_LEFTALIGN | c.flags;
        UINT chosen = c.throughObject
                          ? static_cast<UINT>(menu.TrackPopupMenu(flags, 10, 10, host))
                          : static_cast<UINT>(::TrackPopupMenu(menu, flags, 10, 10, 0, host->GetSafeHwnd(), nullptr));
        EXPECT_EQ(0u, chosen);
        EXPECT_TRUE(Contains(menu.measured, 601));
        EXPECT_FALSE(Contains(menu.measured, 602));
        testsupport::PumpMessages();
    }
}

TEST_F(ControlsTest, OwnerDrawnSubmenuItemsReachTheSubmenuObject)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    COwnerDrawnMenu sub;
    ASSERT_TRUE(sub.CreatePopupMenu());
    sub.AppendMenu(MF_OWNERDRAW, 611, ItemData(1));
    menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.GetSafeHmenu()), L"Sub");
    menu.AppendMenu(MF_STRING, 612, L"Plain");
    host->SetForegroundWindow();
    // Down to "Sub", right to open it, then close both.
    host->PostMessage(WM_KEYDOWN, VK_DOWN, 0);
    host->PostMessage(WM_KEYDOWN, VK_RIGHT, 0);
    host->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    host->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    menu.TrackPopupMenu(TPM_RETURNCMD | TPM_LEFTALIGN, 10, 10, host);
    EXPECT_TRUE(Contains(sub.measured, 611));
    sub.Detach(); // the outer menu owns the submenu's handle
}

TEST_F(ControlsTest, OwnerDrawnMenuBarItemsReachTheirMenuObject)
{
    CWnd frame;
    ASSERT_TRUE(
        frame.CreateEx(0, AfxRegisterWndClass(0), L"menu bar", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
    CMenu bar;
    ASSERT_TRUE(bar.CreateMenu());
    COwnerDrawnMenu file;
    ASSERT_TRUE(file.CreatePopupMenu());
    file.AppendMenu(MF_OWNERDRAW, 701, ItemData(1));
    bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(file.GetSafeHmenu()), L"File");
    CMenu plain; // owner-drawn items of a menu without a wrapper go to the default procedure
    ASSERT_TRUE(plain.CreatePopupMenu());
    plain.AppendMenu(MF_OWNERDRAW, 702, ItemData(2));
    HMENU plainHandle = plain.Detach();
    bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(plainHandle), L"Other");
    ASSERT_TRUE(frame.SetMenu(&bar));

    for (UINT id : {701u, 702u}) {
        MEASUREITEMSTRUCT measure = {};
        measure.CtlType = ODT_MENU;
        measure.itemID = id;
        frame.SendMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
        DRAWITEMSTRUCT draw = {};
        draw.CtlType = ODT_MENU;
        draw.itemID = id;
        draw.hwndItem = reinterpret_cast<HWND>(id == 701 ? file.GetSafeHmenu() : plainHandle);
        frame.SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    }
    EXPECT_EQ(std::vector<UINT>{701}, file.measured);
    EXPECT_EQ(std::vector<UINT>{701}, file.drawn);

    frame.SetMenu(nullptr);
    file.Detach(); // the bar owns both submenus' handles
    frame.DestroyWindow();
}

TEST_F(ControlsTest, FontObjectsSetAndReadBack)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(kChild, CRect(0, 0, 100, 20), host, 124));
    EXPECT_EQ(nullptr, edit.GetFont()); // the system font
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, L"Tahoma"));
    edit.SetFont(&font);
    EXPECT_EQ(static_cast<HFONT>(font), edit.GetFontHandle());
    EXPECT_EQ(&font, edit.GetFont()); // the object that owns the handle

    // A font no object owns comes back in a temporary wrapper.
    HFONT stock = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    edit.SetFont(stock, FALSE);
    CFont* wrapper = edit.GetFont();
    ASSERT_NE(nullptr, wrapper);
    EXPECT_EQ(stock, static_cast<HFONT>(*wrapper));

    edit.SetFont(static_cast<CFont*>(nullptr));
    EXPECT_EQ(nullptr, edit.GetFont());
}

} // namespace
