#include "tools/pendoric/Prompts.h"
#include <commdlg.h>
#include <vector>

namespace pendoric {

std::wstring DialogFilterFromBars(const std::wstring& filter)
{
    std::wstring list = filter;
    for (wchar_t& c : list) {
        if (c == L'|')
            c = L'\0';
    }
    list.push_back(L'\0');
    list.push_back(L'\0');
    return list;
}

std::wstring SystemPrompts::ChooseFile(HWND owner, const std::wstring& filter)
{
    std::wstring list = DialogFilterFromBars(filter);
    std::vector<wchar_t> path(32768, L'\0');
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = list.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path.data();
    ofn.nMaxFile = static_cast<DWORD>(path.size());
    // The logs are written in the program's current folder, wherever the user browsed to.
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&ofn))
        return std::wstring();
    return std::wstring(path.data());
}

int SystemPrompts::ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type)
{
    return MessageBoxW(owner, text.c_str(), caption.c_str(), type);
}

} // namespace pendoric
