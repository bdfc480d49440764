// Pendoric's main window: two check buttons, about, exit and the box that shows the last log.
#pragma once
#include "tools/pendoric/ColumnRules.h"
#include "tools/pendoric/Findings.h"
#include "tools/pendoric/LogView.h"
#include <windows.h>
#include <string>

namespace pendoric {

class Prompts;

// Filter of the open-file dialog, in "name|pattern" pairs.
extern const wchar_t kFileFilter[];

class PendoricWindow
{
public:
    enum ControlId : int {
        IdColumn9Check = 1001,
        IdColumns11To13Check = 1002,
        IdAbout = 1003,
        IdExit = 1004,
        IdLogView = 1005
    };

    explicit PendoricWindow(Prompts& prompts);
    ~PendoricWindow();
    PendoricWindow(const PendoricWindow&) = delete;
    PendoricWindow& operator=(const PendoricWindow&) = delete;

    // Creates the window hidden; false when the window or its rich-edit box cannot be made.
    bool Create(HINSTANCE instance);
    HWND Handle() const { return m_hwnd; }

    // The program's main window ends the message loop when it is destroyed.
    void SetQuitOnDestroy(bool quit) { m_quitOnDestroy = quit; }

    // Runs one check: asks for a file, adds its offending lines to the findings, writes the
    // check's log, reports completion and shows the cleaned log. File errors are reported
    // in a message box; the window and the findings stay.
    void RunCheck(CheckKind kind);

    const Findings& GetFindings() const { return m_findings; }
    const std::wstring& ChosenFile() const { return m_chosenFile; }
    const LogView& GetLogView() const { return m_logView; }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    bool CreateChildren();
    void CreateButton(int id, const wchar_t* caption);
    void LayOut(int width, int height);
    void OnCommand(int id);
    void ShowAbout();
    void ShowFileError(const wchar_t* what, const std::wstring& path, DWORD error);
    void CleanUpShownLog(const std::wstring& logPath);
    std::wstring Title() const;

    Prompts& m_prompts;
    HWND m_hwnd = nullptr;
    HFONT m_font = nullptr;
    bool m_quitOnDestroy = false;
    LogView m_logView;
    Findings m_findings;
    std::wstring m_chosenFile;
};

} // namespace pendoric
