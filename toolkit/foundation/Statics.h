// The toolkit's process-wide state: registered window messages and clipboard formats, the
// start-up holders, and one exit list that destroys everything in the right order.
//
// Nothing here is built by static initialisers: static libraries drop units nobody references
// and the order across units is undefined. The program calls QorToolkitStartup once, before its
// InitInstance; every holder made there and every singleton made later on first use adds its
// exit routine with QorAddExitRoutine. The list runs last-in first-out, so singletons go first
// (latest first) and the start-up holders after them in the reverse of their creation: later
// destructors may still reach earlier objects.
#pragma once

#include <windows.h>

#include "platform/framework/Collections.h"

// Adds a routine to the exit list. `name` identifies it in the exit trace (tests); may be null.
// The first routine added arranges for the list to run at process exit.
void QorAddExitRoutine(void (*routine)(), LPCWSTR name = nullptr);

// Runs the start-up routines once per process; later calls do nothing.
void QorToolkitStartup();
BOOL QorIsToolkitStarted();

// Runs and empties the exit list, last added first. Runs by itself at process exit; a routine
// added while the list runs is run too. Start-up may run again afterwards.
void QorToolkitExit();

// Test seam: called with each routine's name just before it runs (null: no trace).
typedef void (*QorExitTraceFn)(LPCWSTR name);
void QorSetExitTrace(QorExitTraceFn trace);

// Registered window messages (32-bit) and clipboard formats (16-bit); 0 until start-up.
extern UINT g_nQorNotificationSinkMessage;
extern UINT g_nQorNotificationSinkMessageEx; // the same name, registered a second time
extern UINT g_nQorTaskbarCreatedMessage;
extern UINT g_nQorSkinUpdateStateMessage;
extern UINT g_nQorSkinQueryStateMessage;
extern WORD g_cfQorToolBarImage;
extern WORD g_cfQorAlphaBitmapImage;
extern WORD g_cfQorBinaryData;

// Window-to-pointer map made at start-up.
class CVkWindowMap : public CMapPtrToPtr
{
public:
    CVkWindowMap() : CMapPtrToPtr(10) {}
};
CVkWindowMap* QorGetWindowMap(); // null before start-up and after exit

// Geometry of the docking guides: where each piece goes (offset from the guide's origin) and
// which rectangle of the guide bitmap it shows.
struct QOR_GUIDE_PIECE
{
    POINT ptOffset;
    RECT rcSource;
};
extern const QOR_GUIDE_PIECE g_qorGuidePiecesSmall[11];
extern const QOR_GUIDE_PIECE g_qorGuidePiecesLarge[19];
