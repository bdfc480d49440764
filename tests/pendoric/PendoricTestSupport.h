// Shared helpers of Pendoric's tests: scripted answers for the window's prompts, the current
// folder, and files as raw bytes.
#pragma once
#include "tests/common/WineTestSupport.h"
#include "tools/pendoric/Prompts.h"
#include <windows.h>
#include <deque>
#include <string>
#include <vector>

namespace pendoric_test {

struct ShownMessage
{
    std::wstring text;
    std::wstring caption;
    UINT type;
};

// Answers the open-file dialog from a queue (an empty answer is a cancel) and records every
// message box instead of showing it.
class ScriptedPrompts : public pendoric::Prompts
{
public:
    std::deque<std::wstring> files;
    std::vector<std::wstring> filters;
    std::vector<ShownMessage> messages;
    // Called while a message box would be up, e.g. to look at the log at that moment.
    void (*onMessage)(void* context, const ShownMessage& message) = nullptr;
    void* onMessageContext = nullptr;

    std::wstring ChooseFile(HWND, const std::wstring& filter) override
    {
        filters.push_back(filter);
        if (files.empty())
            return std::wstring();
        std::wstring file = files.front();
        files.pop_front();
        return file;
    }

    int ShowMessage(HWND, const std::wstring& text, const std::wstring& caption, UINT type) override
    {
        messages.push_back({text, caption, type});
        if (onMessage)
            onMessage(onMessageContext, messages.back());
        return IDOK;
    }
};

// Makes a folder the current folder for the lifetime of the object.
class CurrentFolder
{
public:
    explicit CurrentFolder(const std::wstring& folder)
    {
        wchar_t old[MAX_PATH] = {};
        GetCurrentDirectoryW(MAX_PATH, old);
        m_old = old;
        SetCurrentDirectoryW(folder.c_str());
    }
    ~CurrentFolder() { SetCurrentDirectoryW(m_old.c_str()); }

private:
    std::wstring m_old;
};

inline std::string ReadBytes(const std::wstring& path)
{
    std::string bytes;
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

inline void WriteBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

using testsupport::FileExists;

} // namespace pendoric_test

// Tests that read or write files in the ANSI code page expect the Chinese code page of their
// CTest run (LC_ALL=zh_CN.UTF-8).
#define PENDORIC_ASSERT_CHINESE_CODE_PAGE()                                                                            \
    ASSERT_EQ(GetACP(), 936u) << "run these tests with LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8"
