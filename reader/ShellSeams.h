// What the reader hands to the shell: opening a file or folder with its program. Tests
// replace the launcher so that nothing starts; the default is the shell itself.
#pragma once
#include <windows.h>
#include <functional>

typedef std::function<BOOL(LPCWSTR path, int nShowCmd)> ShellLauncher;

// Opens a file or folder ("open" verb); FALSE when the shell refuses.
BOOL ShellOpen(LPCWSTR path, int nShowCmd);
// Replaces the launcher; an empty one restores the shell. Returns the previous one.
ShellLauncher SetShellLauncher(ShellLauncher launcher);
