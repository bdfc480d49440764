// FolionyxReader.exe carrying a fixture book, run as a process of its own: its windows are
// found by process id, and the process is closed (or ended) when the object goes.
#pragma once
#include "tests/common/ProcessWindows.h"
#include <windows.h>
#include <set>
#include <string>
#include "books/packer/BookPacker.h"

namespace readertest {

// The window class of the reader's main frame.
constexpr wchar_t kFrameClass[] = L"QorMainFrame";

// Starts a reader executable. A fixture written a moment ago can still be held while the
// system lets go of it (seen under load): a failed start is tried again for a few seconds.
bool StartReaderProcess(const std::wstring& exe, const std::wstring& arguments, PROCESS_INFORMATION& process);

class ReaderProcess
{
public:
    ~ReaderProcess();

    bool Start(const std::wstring& exe, const std::wstring& arguments = L"");
    // Starts the reader and waits for its frame; null when it does not start or show.
    HWND StartAndWaitForFrame(const std::wstring& exe);
    // The visible top-level frame (of class kFrameClass); null when none shows in time.
    HWND WaitForFrame(DWORD timeoutMs = 30000);
    // A visible window of the process of this class (for example "#32770"); null when none.
    HWND WaitForWindowOfClass(LPCWSTR className, DWORD timeoutMs = 30000);
    // Waits for the process to end; false when it still runs.
    bool WaitForExit(DWORD timeoutMs, DWORD& exitCode);
    // Closes the frame as its close box does and waits for the process to end.
    bool CloseAndWaitForExit(HWND frame, DWORD timeoutMs, DWORD& exitCode);
    DWORD ProcessId() const { return m_process.dwProcessId; }

private:
    PROCESS_INFORMATION m_process = {};
};

using testsupport::FindProcessWindow;

// Appends an item titled `title` whose page `pageName` is `html`, at the fixture address of
// that name; returns the item.
bookpacker::BookNode& AddPageNode(bookpacker::CBookPacker& packer, const std::wstring& title,
                                  const std::wstring& pageName, const std::wstring& html);

// A book with one Home page named `pageName` holding `text`.
void AddHomePage(bookpacker::CBookPacker& packer, const std::wstring& pageName, const std::wstring& text);

// A name unique to this process and moment, for pages that must not pass for earlier ones.
std::wstring UniqueName(const wchar_t* prefix, const wchar_t* extension);

bool FileExists(const std::wstring& path);

// The first window of a window class inside `parent`, its panes included but not the controls
// of a dialog; null when none.
HWND FindChildOfClass(HWND parent, LPCWSTR className);
// The names of the files of a folder that match a pattern ("*.htm").
std::set<std::wstring> FilesIn(const std::wstring& folder, const wchar_t* pattern);

// Brings a window of another process to the front and presses keys there: each entry is
// a virtual key; the modifiers are held around the key.
bool PressKeys(HWND window, std::initializer_list<WORD> modifiers, WORD key);

} // namespace readertest
