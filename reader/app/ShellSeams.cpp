#include "reader/app/ShellSeams.h"
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include "platform/framework/FileDialog.h"
#include "platform/framework/Wnd.h"
#include "reader/ui/OpenAtachmentsWarningDlg.h"

namespace {

template <typename F> F& Seam()
{
    static F seam;
    return seam;
}

template <typename F> F Replace(F replacement)
{
    F previous = Seam<F>();
    Seam<F>() = std::move(replacement);
    return previous;
}

int CALLBACK BrowseCallback(HWND hwnd, UINT msg, LPARAM, LPARAM data)
{
    if (msg == BFFM_INITIALIZED)
        ::SendMessageW(hwnd, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
}

} // namespace

HICON ExtractFirstIcon(LPCWSTR path)
{
    if (Seam<IconExtractor>())
        return Seam<IconExtractor>()(path);
    return ::ExtractIconW(::GetModuleHandleW(nullptr), path, 0);
}

BOOL ShellOpen(LPCWSTR path, int nShowCmd)
{
    if (Seam<ShellLauncher>())
        return Seam<ShellLauncher>()(path, nShowCmd);
    return reinterpret_cast<INT_PTR>(::ShellExecuteW(nullptr, L"open", path, nullptr, nullptr, nShowCmd)) > 32;
}

BOOL ChooseSavePath(CWnd* owner, const CString& initialPath, const CString& filter, CString& chosen)
{
    if (Seam<SavePathChooser>())
        return Seam<SavePathChooser>()(owner, initialPath, filter, chosen);
    CFileDialog dialog(FALSE, nullptr, initialPath, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, owner);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    chosen = dialog.GetPathName();
    return TRUE;
}

BOOL ChooseFolder(CWnd* owner, const CString& title, CString& folder)
{
    if (Seam<FolderChooser>())
        return Seam<FolderChooser>()(owner, title, folder);
    return BrowseForFolder(owner ? owner->GetSafeHwnd() : nullptr, title, folder) == 1;
}

INT_PTR AskOpenAttachment(CWnd* owner, const CString& name, int& choice)
{
    if (Seam<AttachmentWarning>())
        return Seam<AttachmentWarning>()(owner, name, choice);
    COpenAtachmentsWarningDlg dialog(owner);
    dialog.m_strFileName = name;
    const INT_PTR result = dialog.DoModal();
    choice = dialog.m_nChoice;
    return result;
}

void ShowWarningMessage(CWnd* owner, const CString& text)
{
    if (Seam<WarningNotifier>()) {
        Seam<WarningNotifier>()(owner, text);
        return;
    }
    HWND hwnd = owner ? owner->GetSafeHwnd() : nullptr;
    wchar_t caption[256] = {};
    if (hwnd)
        ::GetWindowTextW(hwnd, caption, 256);
    ::MessageBoxW(hwnd, text, caption, MB_OK | MB_ICONWARNING);
}

IconExtractor SetIconExtractor(IconExtractor extractor)
{
    return Replace(std::move(extractor));
}
ShellLauncher SetShellLauncher(ShellLauncher launcher)
{
    return Replace(std::move(launcher));
}
SavePathChooser SetSavePathChooser(SavePathChooser chooser)
{
    return Replace(std::move(chooser));
}
FolderChooser SetFolderChooser(FolderChooser chooser)
{
    return Replace(std::move(chooser));
}
AttachmentWarning SetAttachmentWarning(AttachmentWarning warning)
{
    return Replace(std::move(warning));
}
WarningNotifier SetWarningNotifier(WarningNotifier notifier)
{
    return Replace(std::move(notifier));
}

int BrowseForFolder(HWND owner, LPCWSTR title, CString& folder)
{
    wchar_t start[520] = {};
    if (!folder.IsEmpty())
        wcsncpy(start, folder, 519);
    else
        ::GetCurrentDirectoryW(520, start);
    BROWSEINFOW info = {};
    info.hwndOwner = owner;
    info.lpszTitle = title;
    info.ulFlags = BIF_NEWDIALOGSTYLE | BIF_NONEWFOLDERBUTTON;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(start);
    LPITEMIDLIST chosen = ::SHBrowseForFolderW(&info);
    if (chosen == nullptr)
        return 0;
    wchar_t path[MAX_PATH] = {};
    const BOOL havePath = ::SHGetPathFromIDListW(chosen, path);
    ::CoTaskMemFree(chosen);
    if (!havePath)
        return 0;
    folder = path;
    return 1;
}
