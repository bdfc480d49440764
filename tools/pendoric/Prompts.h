// What the window asks of the user: a file to check and answers to message boxes.
// Tests put their own answers in place of the system's dialogs.
#pragma once
#include <windows.h>
#include <string>

namespace pendoric {

class Prompts
{
public:
    virtual ~Prompts() = default;
    // Shows the open-file dialog with a filter of "name|pattern|name|pattern" pairs; returns
    // the chosen path, or an empty string when the user cancels.
    virtual std::wstring ChooseFile(HWND owner, const std::wstring& filter) = 0;
    // Shows a message box and returns the button that closed it.
    virtual int ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) = 0;
};

// The system's open-file dialog and message box.
class SystemPrompts final : public Prompts
{
public:
    std::wstring ChooseFile(HWND owner, const std::wstring& filter) override;
    int ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) override;
};

// Turns "name|pattern|name|pattern" into the dialog's list of NUL-terminated strings
// ending with an empty string.
std::wstring DialogFilterFromBars(const std::wstring& filter);

} // namespace pendoric
