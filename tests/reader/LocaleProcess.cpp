#include "tests/reader/LocaleProcess.h"
#include <fstream>
#include <sstream>
#include <vector>
#include "tests/common/WineTestSupport.h"

namespace readertest {

namespace {

typedef char*(CDECL* WineGetUnixFileNameFn)(LPCWSTR);

// One shell word in single quotes.
std::string ShellQuote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

std::string Utf8(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size_t(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

std::wstring Wide(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    int n = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), int(text.size()), nullptr, 0);
    std::wstring out(size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), int(text.size()), &out[0], n);
    return out;
}

} // namespace

std::string UnixPathOf(const std::wstring& path)
{
    auto convert = reinterpret_cast<WineGetUnixFileNameFn>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name"));
    if (convert == nullptr)
        return std::string();
    char* unixPath = convert(path.c_str());
    if (unixPath == nullptr)
        return std::string();
    std::string result = unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result;
}

bool LocaleProcess::Start(const std::string& locale, const std::wstring& program, const std::wstring& arguments,
                          const std::wstring& outputFile)
{
    m_doneFile = outputFile + L".exit";
    DeleteFileW(m_doneFile.c_str());
    const std::string programPath = UnixPathOf(program);
    const std::string outputPath = UnixPathOf(outputFile);
    const std::string donePath = UnixPathOf(m_doneFile);
    if (programPath.empty() || outputPath.empty() || donePath.empty())
        return false;

    std::string words;
    std::wistringstream split(arguments);
    std::wstring word;
    while (split >> word)
        words += " " + ShellQuote(Utf8(word));

    const std::string script = "LC_ALL=" + ShellQuote(locale) + " LANG=" + ShellQuote(locale) +
                               " ${FOLIONYX_WINE_LOADER:-wine} " + ShellQuote(programPath) + words + " >" +
                               ShellQuote(outputPath) + " 2>&1; echo $? >" + ShellQuote(donePath + ".tmp") + "; mv " +
                               ShellQuote(donePath + ".tmp") + " " + ShellQuote(donePath);
    // The Windows command line is split into the shell's arguments by the usual
    // rules: the script is one argument in double quotes (it holds none itself).
    std::wstring commandLine = L"/bin/sh -c \"" + Wide(script) + L"\"";
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    if (pi.hThread != nullptr)
        CloseHandle(pi.hThread);
    if (pi.hProcess != nullptr)
        CloseHandle(pi.hProcess);
    return true;
}

bool LocaleProcess::Wait(DWORD timeoutMs, int& exitCode)
{
    bool done = testsupport::PumpUntil(
        [&] { return GetFileAttributesW(m_doneFile.c_str()) != INVALID_FILE_ATTRIBUTES; }, timeoutMs);
    if (!done)
        return false;
    std::ifstream in(m_doneFile.c_str());
    in >> exitCode;
    return bool(in);
}

} // namespace readertest
