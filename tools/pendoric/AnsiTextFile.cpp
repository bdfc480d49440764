#include "tools/pendoric/AnsiTextFile.h"
#include <climits>
#include <string>
#include <vector>

namespace pendoric {

namespace {

class FileHandle
{
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle()
    {
        if (IsValid())
            CloseHandle(m_handle);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool IsValid() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }
    // Closes now and reports whether the close succeeded (a delayed write error shows here).
    bool Close()
    {
        HANDLE handle = m_handle;
        m_handle = INVALID_HANDLE_VALUE;
        return CloseHandle(handle) != FALSE;
    }

private:
    HANDLE m_handle;
};

// Files are converted in one piece; the conversion functions take int lengths.
const LONGLONG kMaxFileBytes = INT_MAX / 2;

} // namespace

DWORD ReadAnsiTextFile(const std::wstring& path, std::wstring& text)
{
    text.clear();
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return GetLastError();
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file.Get(), &size))
        return GetLastError();
    if (size.QuadPart > kMaxFileBytes)
        return ERROR_FILE_TOO_LARGE;
    std::vector<char> bytes(static_cast<size_t>(size.QuadPart));
    DWORD total = 0;
    while (total < bytes.size()) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), bytes.data() + total, static_cast<DWORD>(bytes.size() - total), &read, nullptr))
            return GetLastError();
        if (read == 0)
            break; // the file shrank while it was read
        total += read;
    }
    if (total == 0)
        return ERROR_SUCCESS;
    int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(total), nullptr, 0);
    if (length <= 0)
        return GetLastError();
    text.resize(static_cast<size_t>(length));
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(total), &text[0], length);
    return ERROR_SUCCESS;
}

DWORD WriteAnsiTextFile(const std::wstring& path, const std::wstring& text)
{
    if (text.size() > static_cast<size_t>(kMaxFileBytes))
        return ERROR_FILE_TOO_LARGE;
    std::vector<char> bytes;
    if (!text.empty()) {
        int length =
            WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
        if (length <= 0)
            return GetLastError();
        bytes.resize(static_cast<size_t>(length));
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length, nullptr,
                            nullptr);
    }
    FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return GetLastError();
    DWORD written = 0;
    if (!bytes.empty() && !WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        return GetLastError();
    if (written != bytes.size())
        return ERROR_WRITE_FAULT;
    if (!file.Close())
        return GetLastError();
    return ERROR_SUCCESS;
}

std::wstring DescribeSystemError(DWORD code)
{
    wchar_t* buffer = nullptr;
    DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text;
    if (length && buffer)
        text.assign(buffer, length);
    if (buffer)
        LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    if (text.empty())
        text = L"错误代码 " + std::to_wstring(code);
    return text;
}

std::wstring FullPathOf(const std::wstring& path)
{
    DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return path;
    std::wstring full(needed, L'\0');
    DWORD length = GetFullPathNameW(path.c_str(), needed, &full[0], nullptr);
    if (length == 0 || length >= needed)
        return path;
    full.resize(length);
    return full;
}

} // namespace pendoric
