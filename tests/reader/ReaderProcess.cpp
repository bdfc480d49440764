#include "tests/reader/ReaderProcess.h"
#include <vector>
#include "tests/common/ProcessWindows.h"
#include "tests/common/WineTestSupport.h"

namespace readertest {

namespace {

bool IsFrame(HWND hwnd, const void*)
{
    return GetWindow(hwnd, GW_OWNER) == nullptr && testsupport::IsWindowOfClass(hwnd, kFrameClass);
}

struct DescendantSearch
{
    LPCWSTR className;
    HWND found;
};

BOOL CALLBACK FindDescendantProc(HWND hwnd, LPARAM lp)
{
    auto* search = reinterpret_cast<DescendantSearch*>(lp);
    if (testsupport::IsWindowOfClass(hwnd, search->className) &&
        !testsupport::IsWindowOfClass(GetParent(hwnd), L"#32770")) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

bool ReaderProcess::CloseAndWaitForExit(HWND frame, DWORD timeoutMs, DWORD& exitCode)
{
    PostMessageW(frame, WM_CLOSE, 0, 0);
    return WaitForExit(timeoutMs, exitCode);
}

ReaderProcess::~ReaderProcess()
{
    if (!m_process.hProcess)
        return;
    if (WaitForSingleObject(m_process.hProcess, 0) != WAIT_OBJECT_0) {
        if (HWND frame = FindProcessWindow(m_process.dwProcessId, IsFrame, nullptr))
            PostMessageW(frame, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(m_process.hProcess, 20000) != WAIT_OBJECT_0)
            TerminateProcess(m_process.hProcess, 1);
    }
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
}

bool StartReaderProcess(const std::wstring& exe, const std::wstring& arguments, PROCESS_INFORMATION& process)
{
    const DWORD start = GetTickCount();
    for (;;) {
        STARTUPINFOW si = {sizeof(si)};
        std::wstring cmd = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
        if (CreateProcessW(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &process))
            return true;
        if (GetTickCount() - start > 5000)
            return false;
        Sleep(100);
    }
}

bool ReaderProcess::Start(const std::wstring& exe, const std::wstring& arguments)
{
    return StartReaderProcess(exe, arguments, m_process);
}

HWND ReaderProcess::StartAndWaitForFrame(const std::wstring& exe)
{
    return Start(exe) ? WaitForFrame() : nullptr;
}

HWND ReaderProcess::WaitForFrame(DWORD timeoutMs)
{
    HWND frame = nullptr;
    testsupport::PumpUntil(
        [&] {
            frame = FindProcessWindow(m_process.dwProcessId, IsFrame, nullptr);
            return frame != nullptr || WaitForSingleObject(m_process.hProcess, 0) == WAIT_OBJECT_0;
        },
        timeoutMs);
    return frame;
}

HWND ReaderProcess::WaitForWindowOfClass(LPCWSTR className, DWORD timeoutMs)
{
    HWND window = nullptr;
    testsupport::PumpUntil(
        [&] {
            window = FindProcessWindow(m_process.dwProcessId, testsupport::IsWindowOfClass, className);
            return window != nullptr || WaitForSingleObject(m_process.hProcess, 0) == WAIT_OBJECT_0;
        },
        timeoutMs);
    return window;
}

bool ReaderProcess::WaitForExit(DWORD timeoutMs, DWORD& exitCode)
{
    bool ended =
        testsupport::PumpUntil([&] { return WaitForSingleObject(m_process.hProcess, 0) == WAIT_OBJECT_0; }, timeoutMs);
    if (ended)
        GetExitCodeProcess(m_process.hProcess, &exitCode);
    return ended;
}

bookpacker::BookNode& AddPageNode(bookpacker::CBookPacker& packer, const std::wstring& title,
                                  const std::wstring& pageName, const std::wstring& html)
{
    bookpacker::BookNode node;
    node.title = title;
    node.url = L"http://fixture.example/" + pageName;
    node.files = {{packer.AddPage(html), pageName}};
    packer.nodes.push_back(node);
    return packer.nodes.back();
}

void AddHomePage(bookpacker::CBookPacker& packer, const std::wstring& pageName, const std::wstring& text)
{
    AddPageNode(packer, L"Home", pageName, L"<html><body><p>" + text + L"</p></body></html>").home = true;
}

std::wstring UniqueName(const wchar_t* prefix, const wchar_t* extension)
{
    static int counter = 0;
    wchar_t name[96];
    swprintf(name, 96, L"%ls%lu_%lu_%d%ls", prefix, GetCurrentProcessId(), GetTickCount(), ++counter, extension);
    return name;
}

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

HWND FindChildOfClass(HWND parent, LPCWSTR className)
{
    DescendantSearch search = {className, nullptr};
    EnumChildWindows(parent, FindDescendantProc, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::set<std::wstring> FilesIn(const std::wstring& folder, const wchar_t* pattern)
{
    std::set<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + pattern).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        names.insert(data.cFileName);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

bool PressKeys(HWND window, std::initializer_list<WORD> modifiers, WORD key)
{
    SetForegroundWindow(window);
    if (!testsupport::PumpUntil([&] { return GetForegroundWindow() == window; }, 5000))
        return false;
    std::vector<INPUT> inputs;
    auto add = [&](WORD vk, DWORD flags) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    for (WORD modifier : modifiers)
        add(modifier, 0);
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it)
        add(*it, KEYEVENTF_KEYUP);
    return SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

} // namespace readertest
