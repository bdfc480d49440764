#include "reader/ShellSeams.h"
#include <shellapi.h>

namespace {

ShellLauncher& Launcher()
{
    static ShellLauncher launcher;
    return launcher;
}

} // namespace

BOOL ShellOpen(LPCWSTR path, int nShowCmd)
{
    if (Launcher())
        return Launcher()(path, nShowCmd);
    return reinterpret_cast<INT_PTR>(::ShellExecuteW(nullptr, L"open", path, nullptr, nullptr, nShowCmd)) > 32;
}

ShellLauncher SetShellLauncher(ShellLauncher launcher)
{
    ShellLauncher previous = Launcher();
    Launcher() = std::move(launcher);
    return previous;
}
