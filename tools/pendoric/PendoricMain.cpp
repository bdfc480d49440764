// Entry point of Pendoric.exe.
#include "tools/pendoric/PendoricWindow.h"
#include "tools/pendoric/Prompts.h"
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int show)
{
    // The low-fragmentation heap, as Windows turns it on by default; without it the rich-edit
    // box slows down badly under Wine once it has held a large log.
    ULONG heapKind = 2;
    HeapSetInformation(GetProcessHeap(), HeapCompatibilityInformation, &heapKind, sizeof(heapKind));
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    // The open-file dialog browses through the shell, which wants OLE on this thread.
    OleInitialize(nullptr);
    int result = 1;
    {
        pendoric::SystemPrompts prompts;
        pendoric::PendoricWindow window(prompts);
        if (window.Create(instance)) {
            window.SetQuitOnDestroy(true);
            ShowWindow(window.Handle(), show);
            UpdateWindow(window.Handle());
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
                if (!window.Handle() || !IsDialogMessageW(window.Handle(), &msg)) {
                    TranslateMessage(&msg);
                    DispatchMessageW(&msg);
                }
            }
            result = 0;
        }
    }
    OleUninitialize();
    return result;
}
