// Starts a Windows program as a new Wine process under another Unix locale.
// Wine takes a process's ANSI code page and user locale from LC_ALL/LANG when the
// process starts, and a Windows environment block does not carry them, so the
// program is started through /bin/sh with the locale set. Such a process cannot
// be waited on through its handle; the shell writes the exit code to a file.
#pragma once
#include <windows.h>
#include <string>

namespace readertest {

// The Unix path of a Windows path; empty when Wine cannot tell.
std::string UnixPathOf(const std::wstring& path);

class LocaleProcess
{
public:
    // `arguments` are Windows-style; each is passed on as one shell word.
    bool Start(const std::string& locale, const std::wstring& program, const std::wstring& arguments,
               const std::wstring& outputFile);
    // Waits for the exit code file; false when the time runs out.
    bool Wait(DWORD timeoutMs, int& exitCode);

private:
    std::wstring m_doneFile;
};

} // namespace readertest
