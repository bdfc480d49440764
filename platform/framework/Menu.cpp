#include "platform/framework/Menu.h"
#include "platform/framework/AfxState.h"
#include "platform/framework/Gdi.h"
#include "platform/framework/Strings.h"
#include "platform/framework/Wnd.h"
#include "platform/framework/WinApp.h"

IMPLEMENT_DYNAMIC(CMenu, CObject)

namespace {

fxdetail::DrawingHandleMap<HMENU, CMenu>& MenuMap()
{
    static auto* map = new fxdetail::DrawingHandleMap<HMENU, CMenu>;
    return *map;
}

HBITMAP BitmapHandle(const CBitmap* bitmap)
{
    return bitmap ? static_cast<HBITMAP>(*bitmap) : nullptr;
}

// Names the menu as the thread's tracking menu while it is shown (TPM_NONOTIFY sends no
// WM_INITMENUPOPUP that would do so), then puts back the one of an enclosing menu loop.
class TrackingMenuScope
{
public:
    explicit TrackingMenuScope(HMENU menu) : m_state(AfxGetThreadState()), m_previous(m_state->m_hTrackingMenu)
    {
        m_state->m_hTrackingMenu = menu;
    }
    ~TrackingMenuScope() { m_state->m_hTrackingMenu = m_previous; }
    TrackingMenuScope(const TrackingMenuScope&) = delete;
    TrackingMenuScope& operator=(const TrackingMenuScope&) = delete;

private:
    _AFX_THREAD_STATE* m_state;
    HMENU m_previous;
};

} // namespace

void DeleteTempMenus()
{
    CMenu::DeleteTempMap();
}

CMenu::~CMenu()
{
    DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU menu)
{
    return MenuMap().FromHandle(menu, [menu] {
        CMenu* wrapper = new CMenu;
        wrapper->m_hMenu = menu;
        return wrapper;
    });
}

CMenu* CMenu::FromHandlePermanent(HMENU menu)
{
    return menu ? MenuMap().LookupPermanent(menu) : nullptr;
}

void CMenu::DeleteTempMap()
{
    MenuMap().DeleteTemporaries();
}

BOOL CMenu::Attach(HMENU menu)
{
    return MenuMap().AttachOwned(this, m_hMenu, menu, [this] { DestroyMenu(); });
}

HMENU CMenu::Detach()
{
    return MenuMap().DetachOwned(this, m_hMenu);
}

BOOL CMenu::CreateMenu()
{
    return Attach(::CreateMenu());
}
BOOL CMenu::CreatePopupMenu()
{
    return Attach(::CreatePopupMenu());
}
BOOL CMenu::LoadMenu(LPCTSTR resourceName)
{
    return Attach(::LoadMenuW(AfxGetResourceHandle(), resourceName));
}
BOOL CMenu::LoadMenuIndirect(const void* menuTemplate)
{
    return Attach(::LoadMenuIndirectW(menuTemplate));
}

BOOL CMenu::DestroyMenu()
{
    if (!m_hMenu)
        return FALSE;
    return ::DestroyMenu(Detach());
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR idOrPopup, LPCTSTR text)
{
    return ::AppendMenuW(m_hMenu, flags, idOrPopup, text);
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR idOrPopup, const CBitmap* bitmap)
{
    return ::AppendMenuW(m_hMenu, flags | MF_BITMAP, idOrPopup, reinterpret_cast<LPCWSTR>(BitmapHandle(bitmap)));
}

BOOL CMenu::InsertMenu(UINT position, UINT flags, UINT_PTR idOrPopup, LPCTSTR text)
{
    return ::InsertMenuW(m_hMenu, position, flags, idOrPopup, text);
}

BOOL CMenu::InsertMenu(UINT position, UINT flags, UINT_PTR idOrPopup, const CBitmap* bitmap)
{
    return ::InsertMenuW(m_hMenu, position, flags | MF_BITMAP, idOrPopup,
                         reinterpret_cast<LPCWSTR>(BitmapHandle(bitmap)));
}

BOOL CMenu::ModifyMenu(UINT position, UINT flags, UINT_PTR idOrPopup, LPCTSTR text)
{
    return ::ModifyMenuW(m_hMenu, position, flags, idOrPopup, text);
}

BOOL CMenu::ModifyMenu(UINT position, UINT flags, UINT_PTR idOrPopup, const CBitmap* bitmap)
{
    return ::ModifyMenuW(m_hMenu, position, flags | MF_BITMAP, idOrPopup,
                         reinterpret_cast<LPCWSTR>(BitmapHandle(bitmap)));
}

BOOL CMenu::RemoveMenu(UINT position, UINT flags)
{
    return ::RemoveMenu(m_hMenu, position, flags);
}

BOOL CMenu::DeleteMenu(UINT position, UINT flags)
{
    // A borrowed wrapper of a submenu that goes away must not outlive its handle's meaning.
    if (flags & MF_BYPOSITION) {
        if (HMENU sub = ::GetSubMenu(m_hMenu, static_cast<int>(position))) {
            if (CMenu* owner = MenuMap().LookupPermanent(sub))
                owner->Detach();
        }
    }
    return ::DeleteMenu(m_hMenu, position, flags);
}

BOOL CMenu::InsertMenuItem(UINT item, LPMENUITEMINFO info, BOOL byPosition)
{
    return ::InsertMenuItemW(m_hMenu, item, byPosition, info);
}

BOOL CMenu::GetMenuItemInfo(UINT item, LPMENUITEMINFO info, BOOL byPosition) const
{
    return ::GetMenuItemInfoW(m_hMenu, item, byPosition, info);
}

BOOL CMenu::SetMenuItemInfo(UINT item, LPMENUITEMINFO info, BOOL byPosition)
{
    return ::SetMenuItemInfoW(m_hMenu, item, byPosition, info);
}

BOOL CMenu::SetMenuItemBitmaps(UINT position, UINT flags, const CBitmap* unchecked, const CBitmap* checked)
{
    return ::SetMenuItemBitmaps(m_hMenu, position, flags, BitmapHandle(unchecked), BitmapHandle(checked));
}

UINT CMenu::CheckMenuItem(UINT item, UINT check)
{
    return ::CheckMenuItem(m_hMenu, item, check);
}
UINT CMenu::EnableMenuItem(UINT item, UINT enable)
{
    return ::EnableMenuItem(m_hMenu, item, enable);
}

BOOL CMenu::CheckMenuRadioItem(UINT first, UINT last, UINT item, UINT flags)
{
    return ::CheckMenuRadioItem(m_hMenu, first, last, item, flags);
}

UINT CMenu::GetMenuState(UINT item, UINT flags) const
{
    return ::GetMenuState(m_hMenu, item, flags);
}
UINT CMenu::GetDefaultItem(UINT flags, BOOL byPosition) const
{
    return ::GetMenuDefaultItem(m_hMenu, byPosition, flags);
}
BOOL CMenu::SetDefaultItem(UINT item, BOOL byPosition)
{
    return ::SetMenuDefaultItem(m_hMenu, item, byPosition);
}
BOOL CMenu::GetMenuInfo(LPMENUINFO info) const
{
    return ::GetMenuInfo(m_hMenu, info);
}
BOOL CMenu::SetMenuInfo(LPCMENUINFO info)
{
    return ::SetMenuInfo(m_hMenu, info);
}
DWORD CMenu::GetMenuContextHelpId() const
{
    return ::GetMenuContextHelpId(m_hMenu);
}
BOOL CMenu::SetMenuContextHelpId(DWORD id)
{
    return ::SetMenuContextHelpId(m_hMenu, id);
}
int CMenu::GetMenuItemCount() const
{
    return ::GetMenuItemCount(m_hMenu);
}
UINT CMenu::GetMenuItemID(int position) const
{
    return ::GetMenuItemID(m_hMenu, position);
}

int CMenu::GetMenuString(UINT item, LPTSTR text, int maxCount, UINT flags) const
{
    return ::GetMenuStringW(m_hMenu, item, text, maxCount, flags);
}

int CMenu::GetMenuString(UINT item, CString& text, UINT flags) const
{
    int length = ::GetMenuStringW(m_hMenu, item, nullptr, 0, flags);
    if (length <= 0) {
        text.Empty();
        return 0;
    }
    int copied = ::GetMenuStringW(m_hMenu, item, text.GetBuffer(length + 1), length + 1, flags);
    text.ReleaseBuffer(copied);
    return copied;
}

CMenu* CMenu::GetSubMenu(int position) const
{
    return FromHandle(::GetSubMenu(m_hMenu, position));
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT)
{
    TrackingMenuScope tracking(m_hMenu);
    return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner ? owner->GetSafeHwnd() : nullptr, nullptr);
}

BOOL CMenu::TrackPopupMenuEx(UINT flags, int x, int y, CWnd* owner, LPTPMPARAMS params)
{
    TrackingMenuScope tracking(m_hMenu);
    return ::TrackPopupMenuEx(m_hMenu, flags, x, y, owner ? owner->GetSafeHwnd() : nullptr, params);
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}
void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}
