/* A skin module that carries code: its entry point marks the process when it runs, so that a
   test can tell whether opening the skin ran it. */
#include <windows.h>

BOOL WINAPI DllEntry(HINSTANCE hInstance, DWORD dwReason, LPVOID pReserved)
{
    (void)hInstance;
    (void)pReserved;
    if (dwReason == DLL_PROCESS_ATTACH)
        SetEnvironmentVariableW(L"FOLIONYX_SKIN_CODE_RAN", L"1");
    return TRUE;
}
