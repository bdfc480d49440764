// CMenu: a menu handle with the usual building, state and tracking operations. A CMenu that
// created, loaded or attached its menu destroys it in its destructor; FromHandle and
// GetSubMenu give borrowed wrappers (see DrawingHandleMaps.h).
#pragma once
#include <windows.h>
#include "platform/framework/DrawingHandleMaps.h"
#include "platform/framework/Object.h"

class CBitmap;
class CString;
class CWnd;

class CMenu : public CObject
{
    DECLARE_DYNAMIC(CMenu)
public:
    HMENU m_hMenu = nullptr;

    CMenu() = default;
    ~CMenu() override;

    operator HMENU() const { return GetSafeHmenu(); }
    HMENU GetSafeHmenu() const { return fxdetail::IsNullObject(this) ? nullptr : m_hMenu; }
    bool operator==(const CMenu& other) const { return m_hMenu == other.m_hMenu; }
    bool operator!=(const CMenu& other) const { return m_hMenu != other.m_hMenu; }

    static CMenu* FromHandle(HMENU menu);
    // The wrapper that owns the handle (created, loaded or attached), or null.
    static CMenu* FromHandlePermanent(HMENU menu);
    static void DeleteTempMap();
    BOOL Attach(HMENU menu);
    HMENU Detach();

    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    // From the current resource module (AfxGetResourceHandle).
    BOOL LoadMenu(LPCTSTR resourceName);
    BOOL LoadMenu(UINT resourceId) { return LoadMenu(MAKEINTRESOURCE(resourceId)); }
    BOOL LoadMenuIndirect(const void* menuTemplate);
    BOOL DestroyMenu(); // destroys the menu and its submenus; FALSE when there is none

    // Items are addressed by command id (MF_BYCOMMAND) or by position (MF_BYPOSITION).
    BOOL AppendMenu(UINT flags, UINT_PTR idOrPopup = 0, LPCTSTR text = nullptr);
    BOOL AppendMenu(UINT flags, UINT_PTR idOrPopup, const CBitmap* bitmap);
    BOOL InsertMenu(UINT position, UINT flags, UINT_PTR idOrPopup = 0, LPCTSTR text = nullptr);
    BOOL InsertMenu(UINT position, UINT flags, UINT_PTR idOrPopup, const CBitmap* bitmap);
    BOOL ModifyMenu(UINT position, UINT flags, UINT_PTR idOrPopup = 0, LPCTSTR text = nullptr);
    BOOL ModifyMenu(UINT position, UINT flags, UINT_PTR idOrPopup, const CBitmap* bitmap);
    BOOL RemoveMenu(UINT position, UINT flags); // a submenu is detached, not destroyed
    BOOL DeleteMenu(UINT position, UINT flags); // a submenu is destroyed too
    BOOL InsertMenuItem(UINT item, LPMENUITEMINFO info, BOOL byPosition = FALSE);
    BOOL GetMenuItemInfo(UINT item, LPMENUITEMINFO info, BOOL byPosition = FALSE) const;
    BOOL SetMenuItemInfo(UINT item, LPMENUITEMINFO info, BOOL byPosition = FALSE);
    BOOL SetMenuItemBitmaps(UINT position, UINT flags, const CBitmap* unchecked, const CBitmap* checked);

    // Previous state (MF_CHECKED / MF_ENABLED, MF_GRAYED, MF_DISABLED), or (UINT)-1 when missing.
    UINT CheckMenuItem(UINT item, UINT check);
    UINT EnableMenuItem(UINT item, UINT enable);
    BOOL CheckMenuRadioItem(UINT first, UINT last, UINT item, UINT flags);
    UINT GetMenuState(UINT item, UINT flags) const;
    UINT GetDefaultItem(UINT flags, BOOL byPosition = FALSE) const;
    BOOL SetDefaultItem(UINT item, BOOL byPosition = FALSE);
    BOOL GetMenuInfo(LPMENUINFO info) const;
    BOOL SetMenuInfo(LPCMENUINFO info);
    DWORD GetMenuContextHelpId() const;
    BOOL SetMenuContextHelpId(DWORD id);

    int GetMenuItemCount() const;
    // Command id of the item at a position: 0 for a separator, (UINT)-1 for a submenu or none.
    UINT GetMenuItemID(int position) const;
    int GetMenuString(UINT item, LPTSTR text, int maxCount, UINT flags) const;
    int GetMenuString(UINT item, CString& text, UINT flags) const;
    CMenu* GetSubMenu(int position) const;

    // Returns the chosen command with TPM_RETURNCMD, else non-zero on success.
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT ignored = nullptr);
    BOOL TrackPopupMenuEx(UINT flags, int x, int y, CWnd* owner, LPTPMPARAMS params);

    // Owner-drawn items; the owner window forwards WM_DRAWITEM and WM_MEASUREITEM here when
    // this object owns the menu that holds the item.
    virtual void DrawItem(LPDRAWITEMSTRUCT drawItem);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT measureItem);

private:
    template <class, class> friend class fxdetail::DrawingHandleMap;
    void DetachTemporary() { m_hMenu = nullptr; }
};
