// Entry point shared by every test executable.
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>
#include <commctrl.h>

int wmain(int argc, wchar_t** argv)
{
    // A failing assertion must not open an error dialog that nobody answers under Wine.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    OleInitialize(nullptr);
    testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    OleUninitialize();
    return result;
}
