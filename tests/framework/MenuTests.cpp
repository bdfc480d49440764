#include <gtest/gtest.h>
#include "platform/framework/Gdi.h"
#include "platform/framework/Menu.h"
#include "platform/framework/Strings.h"
#include "platform/framework/WinApp.h"

namespace {

// A popup: "&Open" (100), separator, "Close" (101), "Sub" -> {"One" 200, "Two" 201, "Three" 202}.
class MenuTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(menu.CreatePopupMenu());
        ASSERT_TRUE(menu.AppendMenu(MF_STRING, 100, L"&Open"));
        ASSERT_TRUE(menu.AppendMenu(MF_SEPARATOR));
        ASSERT_TRUE(menu.AppendMenu(MF_STRING, 101, L"Close"));
        CMenu sub;
        ASSERT_TRUE(sub.CreatePopupMenu());
        sub.AppendMenu(MF_STRING, 200, L"One");
        sub.AppendMenu(MF_STRING, 201, L"Two");
        sub.AppendMenu(MF_STRING, 202, L"Three");
        // The parent takes the submenu over.
        ASSERT_TRUE(menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.Detach()), L"Sub"));
    }

    void TearDown() override { AfxDeleteTempDrawingObjects(); }

    CString Text(UINT item, UINT flags)
    {
        CString text;
        menu.GetMenuString(item, text, flags);
        return text;
    }

    CMenu menu;
};

TEST_F(MenuTest, ItemsHaveIdsAndTexts)
{
    EXPECT_EQ(4, menu.GetMenuItemCount());
    EXPECT_EQ(100u, menu.GetMenuItemID(0));
    EXPECT_EQ(0u, menu.GetMenuItemID(1));                    // separator
    EXPECT_EQ(static_cast<UINT>(-1), menu.GetMenuItemID(3)); // submenu
    EXPECT_EQ(CString(L"&Open"), Text(100, MF_BYCOMMAND));
    EXPECT_EQ(CString(L"Close"), Text(2, MF_BYPOSITION));
    EXPECT_EQ(CString(L"Sub"), Text(3, MF_BYPOSITION));
    EXPECT_EQ(CString(), Text(999, MF_BYCOMMAND));

    TCHAR buffer[4] = {};
    EXPECT_EQ(3, menu.GetMenuString(100, buffer, 4, MF_BYCOMMAND)); // cut to the buffer
    EXPECT_STREQ(L"&Op", buffer);
}

TEST_F(MenuTest, InsertModifyRemoveAndDelete)
{
    ASSERT_TRUE(menu.InsertMenu(0, MF_BYPOSITION | MF_STRING, 99, L"First"));
    EXPECT_EQ(99u, menu.GetMenuItemID(0));
    EXPECT_EQ(100u, menu.GetMenuItemID(1));

    ASSERT_TRUE(menu.ModifyMenu(101, MF_BYCOMMAND | MF_STRING, 105, L"Shut"));
    EXPECT_EQ(105u, menu.GetMenuItemID(3));
    EXPECT_EQ(CString(L"Shut"), Text(105, MF_BYCOMMAND));

    HMENU sub = menu.GetSubMenu(4)->GetSafeHmenu();
    ASSERT_TRUE(::IsMenu(sub));
    // Removing keeps the submenu alive; the caller owns it then.
    ASSERT_TRUE(menu.RemoveMenu(4, MF_BYPOSITION));
    EXPECT_TRUE(::IsMenu(sub));
    ASSERT_TRUE(menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"Sub again"));
    // Deleting destroys it.
    ASSERT_TRUE(menu.DeleteMenu(4, MF_BYPOSITION));
    EXPECT_FALSE(::IsMenu(sub));
    EXPECT_TRUE(menu.DeleteMenu(99, MF_BYCOMMAND));
    EXPECT_EQ(3, menu.GetMenuItemCount());
    EXPECT_FALSE(menu.DeleteMenu(12345, MF_BYCOMMAND));
}

TEST_F(MenuTest, EnableAndCheckReturnThePreviousState)
{
    EXPECT_EQ(static_cast<UINT>(MF_ENABLED), menu.EnableMenuItem(100, MF_BYCOMMAND | MF_GRAYED));
    EXPECT_EQ(static_cast<UINT>(MF_GRAYED), menu.EnableMenuItem(100, MF_BYCOMMAND | MF_ENABLED));
    EXPECT_EQ(static_cast<UINT>(-1), menu.EnableMenuItem(999, MF_BYCOMMAND | MF_GRAYED));
    menu.EnableMenuItem(2, MF_BYPOSITION | MF_DISABLED | MF_GRAYED);
    EXPECT_TRUE(menu.GetMenuState(101, MF_BYCOMMAND) & MF_GRAYED);

    EXPECT_EQ(static_cast<UINT>(MF_UNCHECKED), menu.CheckMenuItem(100, MF_BYCOMMAND | MF_CHECKED));
    EXPECT_TRUE(menu.GetMenuState(100, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED), menu.CheckMenuItem(100, MF_BYCOMMAND | MF_UNCHECKED));
    EXPECT_FALSE(menu.GetMenuState(100, MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(MenuTest, RadioCheckMarksOneItemOfARange)
{
    CMenu* sub = menu.GetSubMenu(3);
    ASSERT_NE(nullptr, sub);
    EXPECT_EQ(sub, menu.GetSubMenu(3)); // the same borrowed wrapper until idle
    EXPECT_EQ(sub, CMenu::FromHandle(sub->m_hMenu));
    EXPECT_EQ(nullptr, menu.GetSubMenu(0));

    ASSERT_TRUE(sub->CheckMenuRadioItem(200, 202, 201, MF_BYCOMMAND));
    EXPECT_FALSE(sub->GetMenuState(200, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(sub->GetMenuState(201, MF_BYCOMMAND) & MF_CHECKED);
    MENUITEMINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    ASSERT_TRUE(sub->GetMenuItemInfo(201, &info));
    EXPECT_TRUE(info.fType & MFT_RADIOCHECK);

    ASSERT_TRUE(sub->CheckMenuRadioItem(0, 2, 2, MF_BYPOSITION));
    EXPECT_FALSE(sub->GetMenuState(201, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(sub->GetMenuState(202, MF_BYCOMMAND) & MF_CHECKED);

    ASSERT_TRUE(sub->SetDefaultItem(200));
    EXPECT_EQ(200u, sub->GetDefaultItem(0));
}

TEST(MenuOwnershipTest, DestructorDestroysAndDetachHandsOver)
{
    HMENU destroyed;
    HMENU kept;
    {
        CMenu owner;
        ASSERT_TRUE(owner.CreateMenu());
        destroyed = owner;
        CMenu donor;
        ASSERT_TRUE(donor.CreatePopupMenu());
        kept = donor.Detach();
        EXPECT_EQ(nullptr, donor.GetSafeHmenu());
        EXPECT_EQ(&owner, CMenu::FromHandle(destroyed));
    }
    EXPECT_FALSE(::IsMenu(destroyed));
    EXPECT_TRUE(::IsMenu(kept));

    CMenu* borrowed = CMenu::FromHandle(kept);
    ASSERT_NE(nullptr, borrowed);
    EXPECT_TRUE(borrowed->AppendMenu(MF_STRING, 1, L"x"));
    AfxDeleteTempDrawingObjects();
    EXPECT_TRUE(::IsMenu(kept)); // temporaries never destroy
    ::DestroyMenu(kept);

    CMenu empty;
    EXPECT_FALSE(empty.DestroyMenu());
    EXPECT_FALSE(empty.LoadMenu(54321));
    CMenu* none = nullptr;
    EXPECT_EQ(nullptr, none->GetSafeHmenu());
}

// Resources come from the current resource module; user32 has a few menus of its own.
TEST(MenuResourceTest, LoadMenuReadsTheCurrentResourceModule)
{
    HINSTANCE previous = AfxGetResourceHandle();
    AfxSetResourceHandle(::GetModuleHandleW(L"user32.dll"));
    CMenu menu;
    BOOL loaded = menu.LoadMenu(L"EDITMENU");
    AfxSetResourceHandle(previous);
    ASSERT_TRUE(loaded);
    EXPECT_GT(menu.GetMenuItemCount(), 0);
    CMenu* popup = menu.GetSubMenu(0);
    ASSERT_NE(nullptr, popup);
    EXPECT_GT(popup->GetMenuItemCount(), 3);

    CMenu missing;
    EXPECT_FALSE(missing.LoadMenu(L"EDITMENU")); // not in the test program itself
    AfxDeleteTempDrawingObjects();
}

} // namespace
