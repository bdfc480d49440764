// Helpers for tests that drive real windows under Wine.
#pragma once
#include <windows.h>
#include <string>

namespace testsupport {

// Dispatches every queued message of the calling thread.
void PumpMessages();

// Pumps messages until the predicate holds or the time runs out; returns the predicate's last value.
template <typename Pred> bool PumpUntil(Pred pred, DWORD timeoutMs = 5000)
{
    DWORD start = GetTickCount();
    while (!pred()) {
        PumpMessages();
        if (GetTickCount() - start > timeoutMs)
            return pred();
        Sleep(1);
    }
    return true;
}

// Folder of the running test executable, with a trailing backslash.
std::wstring ExecutableFolder();

// Whether a file or folder of that path exists.
bool FileExists(const std::wstring& path);
// A file's bytes (empty when it cannot be read), and a file written with bytes.
std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);

// The lock keys' toggles as GetKeyState reads them on the calling thread (no real input).
void SetLockKeyToggles(bool caps, bool num, bool scroll);

// A window's rectangle in the client coordinates of another window.
RECT WindowRectIn(HWND hWnd, HWND hOther);

// A fresh empty folder under the temp folder, removed with its contents by the destructor.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    const std::wstring& Path() const { return m_path; } // ends with a backslash
    std::wstring File(const std::wstring& name) const { return m_path + name; }

private:
    std::wstring m_path;
};

// Whether GetGuiResources counts this process's objects of a kind (GR_GDIOBJECTS or
// GR_USEROBJECTS): some systems (this Wine among them) always answer 0, and a leak check on
// that answer cannot fail there.
bool GuiResourcesAreCounted(DWORD dwKind);

// Paints a window into a 32-bit top-down DIB of its client size and reads pixels from it.
class WindowCapture
{
public:
    // Asks the window to paint itself, or (fromScreen) copies what the screen shows of its
    // client area, which also works for a window of another process.
    explicit WindowCapture(HWND hwnd, bool fromScreen = false);
    ~WindowCapture();
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    COLORREF Pixel(int x, int y) const;
    // Counts the pixels of one colour inside a rectangle of the capture.
    int CountColor(COLORREF color, const RECT& area) const;

private:
    int m_width = 0, m_height = 0;
    DWORD* m_bits = nullptr;
    HBITMAP m_bitmap = nullptr;
};

} // namespace testsupport
