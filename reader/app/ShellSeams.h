// What the reader asks of the shell and of the user around attachments and tools: the icon of a
// tool's file, opening a file or folder with its program, a path to save to, a folder to save into, whether an
// attachment should be opened or saved, and a warning that something could not be done. Tests
// replace each one; by default the real shell and dialogs answer.
#pragma once
#include <windows.h>
#include <functional>
#include "platform/framework/Strings.h"

class CWnd;

// The shell's answer for the first icon of a file: an icon, 0, or 1 for a file that is neither
// a program, a library nor an icon file.
typedef std::function<HICON(LPCWSTR path)> IconExtractor;
typedef std::function<BOOL(LPCWSTR path, int nShowCmd)> ShellLauncher;
// TRUE with the chosen path; `initialPath` may be empty (no name proposed).
typedef std::function<BOOL(CWnd* owner, const CString& initialPath, const CString& filter, CString& chosen)>
    SavePathChooser;
// TRUE with the chosen folder; `folder` holds the start folder on entry.
typedef std::function<BOOL(CWnd* owner, const CString& title, CString& folder)> FolderChooser;
// IDOK or IDCANCEL; on IDOK `choice` is 0 (save it) or 1 (open it). `name` is the attachment's
// name as shown.
typedef std::function<INT_PTR(CWnd* owner, const CString& name, int& choice)> AttachmentWarning;
// Tells the user, in a message box over `owner`, what could not be done.
typedef std::function<void(CWnd* owner, const CString& text)> WarningNotifier;

// The first icon of a file as the shell answers it (the caller destroys a real one).
HICON ExtractFirstIcon(LPCWSTR path);
// Opens a file or folder ("open" verb); FALSE when the shell refuses.
BOOL ShellOpen(LPCWSTR path, int nShowCmd);
BOOL ChooseSavePath(CWnd* owner, const CString& initialPath, const CString& filter, CString& chosen);
BOOL ChooseFolder(CWnd* owner, const CString& title, CString& folder);
INT_PTR AskOpenAttachment(CWnd* owner, const CString& name, int& choice);
void ShowWarningMessage(CWnd* owner, const CString& text);

// Each replaces its seam; an empty function restores the real one. Each returns the previous.
IconExtractor SetIconExtractor(IconExtractor extractor);
ShellLauncher SetShellLauncher(ShellLauncher launcher);
SavePathChooser SetSavePathChooser(SavePathChooser chooser);
FolderChooser SetFolderChooser(FolderChooser chooser);
AttachmentWarning SetAttachmentWarning(AttachmentWarning warning);
WarningNotifier SetWarningNotifier(WarningNotifier notifier);

// The shell's folder browser, starting at `folder` (the current directory when empty); on a
// choice the folder is replaced by the chosen path. 1 on a choice, 0 otherwise.
int BrowseForFolder(HWND owner, LPCWSTR title, CString& folder);
