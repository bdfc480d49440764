#include "toolkit/foundation/Statics.h"

#include <cstdlib>
#include <new>
#include <vector>

UINT g_nQorNotificationSinkMessage = 0;
UINT g_nQorNotificationSinkMessageEx = 0;
UINT g_nQorTaskbarCreatedMessage = 0;
UINT g_nQorSkinUpdateStateMessage = 0;
UINT g_nQorSkinQueryStateMessage = 0;
WORD g_cfQorToolBarImage = 0;
WORD g_cfQorAlphaBitmapImage = 0;
WORD g_cfQorBinaryData = 0;

const QOR_GUIDE_PIECE g_qorGuidePiecesSmall[11] = {
    {{25, 0}, {0, 0, 43, 30}},      {{0, 25}, {30, 33, 60, 76}},  {{25, 63}, {43, 0, 86, 30}},
    {{63, 25}, {0, 33, 30, 76}},    {{25, 0}, {0, 76, 43, 106}},  {{0, 25}, {90, 33, 120, 76}},
    {{25, 63}, {43, 76, 86, 106}},  {{63, 25}, {60, 33, 90, 76}}, {{30, 30}, {86, 0, 119, 33}},
    {{30, 30}, {86, 76, 119, 109}}, {{25, 25}, {0, 0, 43, 43}},
};

const QOR_GUIDE_PIECE g_qorGuidePiecesLarge[19] = {
    {{30, 0}, {61, 29, 90, 59}},    {{0, 30}, {90, 30, 120, 59}},  {{30, 59}, {91, 0, 120, 30}},
    {{60, 30}, {62, 0, 92, 29}},    {{30, 0}, {61, 90, 90, 120}},  {{0, 30}, {90, 91, 120, 120}},
    {{30, 59}, {91, 61, 120, 91}},  {{60, 30}, {62, 61, 92, 90}},  {{30, 30}, {120, 82, 148, 111}},
    {{24, 24}, {120, 41, 161, 82}}, {{24, 24}, {120, 0, 161, 41}}, {{0, 0}, {0, 29, 29, 61}},
    {{0, 0}, {29, 32, 61, 61}},     {{0, 0}, {32, 0, 61, 32}},     {{0, 0}, {0, 0, 32, 29}},
    {{0, 0}, {0, 90, 29, 122}},     {{0, 0}, {29, 93, 61, 122}},   {{0, 0}, {32, 61, 61, 93}},
    {{0, 0}, {0, 61, 32, 90}},
};

namespace {

struct ExitEntry
{
    void (*routine)();
    LPCWSTR name;
};

// Plain pointers, never destroyed: the list must outlive every static destructor that might
// still add to it.
std::vector<ExitEntry>* g_exitList = nullptr;
QorExitTraceFn g_exitTrace = nullptr;
bool g_exitHooked = false;
bool g_started = false;
CVkWindowMap* g_windowMap = nullptr;

void RunExitListAtExit()
{
    QorToolkitExit();
}

void DestroyWindowMap()
{
    delete g_windowMap;
    g_windowMap = nullptr;
}

UINT RegisterMessage(LPCWSTR name)
{
    return ::RegisterWindowMessageW(name);
}

WORD RegisterFormat(LPCWSTR name)
{
    return static_cast<WORD>(::RegisterClipboardFormatW(name));
}

} // namespace

void QorAddExitRoutine(void (*routine)(), LPCWSTR name)
{
    if (!routine)
        return;
    if (!g_exitList)
        g_exitList = new std::vector<ExitEntry>();
    g_exitList->push_back({routine, name});
    if (!g_exitHooked) {
        g_exitHooked = true;
        std::atexit(RunExitListAtExit);
    }
}

void QorToolkitExit()
{
    while (g_exitList && !g_exitList->empty()) {
        ExitEntry entry = g_exitList->back();
        g_exitList->pop_back();
        if (g_exitTrace)
            g_exitTrace(entry.name);
        entry.routine();
    }
    g_started = false;
}

void QorSetExitTrace(QorExitTraceFn trace)
{
    g_exitTrace = trace;
}

BOOL QorIsToolkitStarted()
{
    return g_started;
}

CVkWindowMap* QorGetWindowMap()
{
    return g_windowMap;
}

// Holders of later subsystems (resource manager, docking panes, skin) join this routine at
// the places their order asks for.
void QorToolkitStartup()
{
    if (g_started)
        return;
    g_started = true;
    g_nQorNotificationSinkMessage = RegisterMessage(L"QorNotificationSinkMTOnEvent");
    g_cfQorToolBarImage = RegisterFormat(L"Korvane ToolBar Image");
    g_cfQorAlphaBitmapImage = RegisterFormat(L"Alpha Bitmap Image");
    g_nQorNotificationSinkMessageEx = RegisterMessage(L"QorNotificationSinkMTOnEvent");
    g_cfQorBinaryData = RegisterFormat(L"BinaryData");
    g_nQorTaskbarCreatedMessage = RegisterMessage(L"TaskbarCreated");
    g_windowMap = new (std::nothrow) CVkWindowMap();
    QorAddExitRoutine(DestroyWindowMap, L"CVkWindowMap");
    g_nQorSkinUpdateStateMessage = RegisterMessage(L"WM_SKINFRAMEWORK_UPDATESTATE");
    g_nQorSkinQueryStateMessage = RegisterMessage(L"WM_SKINFRAMEWORK_QUERYSTATE");
}
