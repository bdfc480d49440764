// Sets the reader up for the README's screenshot by window messages alone, so that the picture
// can be taken again after any change: starts the reader, sizes it to the desktop, opens Search (so that Contents and
// Search share the group with a tab each), chooses a contents item by its title (the Attachments
// pane opens along the bottom when the item has attachments), shows Contents again, waits for
// the pages and panes to settle and then writes a file that tells the calling script to take
// the picture. The reader keeps running; the script ends it with the Wine server.
//
//   reader_screenshot.exe READER.exe ITEM-TITLE READY-FILE
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "resources/resource.h"
#include "tests/common/ProcessWindows.h"

namespace {

const DWORD kTimeoutMs = 60000;

struct ChildSearch
{
    LPCWSTR className;
    HWND found;
};

BOOL CALLBACK FindChild(HWND hwnd, LPARAM lp)
{
    auto* search = reinterpret_cast<ChildSearch*>(lp);
    if (testsupport::IsWindowOfClass(hwnd, search->className)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND ChildOfClass(HWND parent, LPCWSTR className)
{
    ChildSearch search = {className, nullptr};
    ::EnumChildWindows(parent, FindChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool IsReaderFrame(HWND hwnd, const void*)
{
    return testsupport::IsWindowOfClass(hwnd, L"QorMainFrame");
}

template <typename Condition> bool WaitFor(Condition condition)
{
    const DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start > kTimeoutMs)
            return false;
        ::Sleep(50);
    }
    return true;
}

bool Fail(const char* what)
{
    std::fprintf(stderr, "reader_screenshot: %s\n", what);
    return false;
}

// The root item of the tree titled `title`. The tree lives in the reader's process, so the
// item and its text buffer are placed there for TVM_GETITEMW.
HTREEITEM FindRootItem(HWND tree, HANDLE process, const std::wstring& title)
{
    struct Remote
    {
        TVITEMW item;
        wchar_t text[256];
    };
    auto* remote = static_cast<Remote*>(
        ::VirtualAllocEx(process, nullptr, sizeof(Remote), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (!remote)
        return nullptr;
    HTREEITEM found = nullptr;
    for (auto item = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)); item && !found;
         item = reinterpret_cast<HTREEITEM>(
             ::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
        Remote local = {};
        local.item.mask = TVIF_TEXT;
        local.item.hItem = item;
        local.item.pszText = remote->text;
        local.item.cchTextMax = 256;
        SIZE_T done = 0;
        if (!::WriteProcessMemory(process, remote, &local, sizeof(local), &done))
            break;
        if (!::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&remote->item)))
            continue;
        if (::ReadProcessMemory(process, remote, &local, sizeof(local), &done) && title == local.text)
            found = item;
    }
    ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return found;
}

bool Prepare(const std::wstring& reader, const std::wstring& title)
{
    std::wstring commandLine = L"\"" + reader + L"\"";
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(reader.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return Fail("cannot start the reader");
    HWND frame = nullptr;
    HWND tree = nullptr;
    if (!WaitFor([&] {
            frame = testsupport::FindProcessWindow(pi.dwProcessId, IsReaderFrame, nullptr);
            tree = frame ? ChildOfClass(frame, WC_TREEVIEWW) : nullptr;
            return tree && ::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0) != 0;
        }))
        return Fail("the reader's frame and contents did not show");
    // The frame fills the virtual desktop, so that the picture is the desktop.
    RECT work = {};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    ::SetWindowPos(frame, nullptr, work.left, work.top, work.right - work.left, work.bottom - work.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);

    ::PostMessageW(frame, WM_COMMAND, ID_SEARCH, 0);
    if (!WaitFor([&] { return !::IsWindowVisible(tree); }))
        return Fail("the search pane did not show");
    ::Sleep(500);

    HTREEITEM item = FindRootItem(tree, pi.hProcess, title);
    if (!item)
        return Fail("no contents item of that title");
    ::SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    ::PostMessageW(frame, WM_COMMAND, ID_CONTENTS, 0);
    if (!WaitFor([&] { return ::IsWindowVisible(tree) != FALSE; }))
        return Fail("the contents pane did not come back");

    // The attachments list fills once the page has loaded; the page and the panes then paint.
    WaitFor([&] {
        HWND list = ChildOfClass(frame, WC_LISTVIEWW);
        return list && ::IsWindowVisible(list) && ::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) > 0;
    });
    ::Sleep(2000);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: reader_screenshot READER.exe ITEM-TITLE READY-FILE\n");
        return 2;
    }
    if (!Prepare(argv[1], argv[2]))
        return 1;
    HANDLE ready = ::CreateFileW(argv[3], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (ready == INVALID_HANDLE_VALUE)
        return 1;
    ::CloseHandle(ready);
    return 0;
}
