// Shared by the control wrappers: owner-draw messages reflected by the parent go to the
// control's virtual item members.
#pragma once
#include <type_traits>
#include "platform/framework/Controls.h"

namespace fxdetail {

// List and combo boxes also measure, compare and delete their items.
template <class Control> struct ListsItems : std::false_type
{
};
template <class Messages> struct ListsItems<ItemListControl<Messages>> : std::true_type
{
};

// The owner-draw messages a parent reflects to a control, handed to the control's virtual
// item members. Anything else goes the usual way through the control's message map.
template <class Control>
BOOL ReflectItemMessage(Control* control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    LRESULT answer = TRUE;
    switch (message) {
    case WM_DRAWITEM:
        control->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        break;
    default:
        if constexpr (ListsItems<Control>::value) {
            if (message == WM_MEASUREITEM) {
                control->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
                break;
            }
            if (message == WM_COMPAREITEM) {
                answer = control->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
                break;
            }
            if (message == WM_DELETEITEM) {
                control->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
                break;
            }
        }
        return control->CWnd::OnChildNotify(message, wParam, lParam, result);
    }
    if (result)
        *result = answer;
    return TRUE;
}

} // namespace fxdetail
