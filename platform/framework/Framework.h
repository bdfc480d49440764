// The whole application framework in one include.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "platform/framework/FrameworkIds.h"

// Objects, strings, collections, COM helpers, files and archives, exceptions, locks
#include "platform/framework/Object.h"
#include "platform/framework/Exceptions.h"
#include "platform/framework/Strings.h"
#include "platform/framework/Collections.h"
#include "platform/framework/ComSupport.h"
#include "platform/framework/File.h"
#include "platform/framework/Archive.h"
#include "platform/framework/Sync.h"

// Geometry and drawing
#include "platform/framework/Geometry.h"
#include "platform/framework/Gdi.h"
#include "platform/framework/Menu.h"
#include "platform/framework/ImageList.h"

// Command targets, windows, threads and the application
#include "platform/framework/ThreadLocal.h"
#include "platform/framework/AfxState.h"
#include "platform/framework/CmdTarget.h"
#include "platform/framework/Wnd.h"
#include "platform/framework/WinApp.h"

// Frames, documents, views, dialogs and controls
#include "platform/framework/FrameWnd.h"
#include "platform/framework/DocView.h"
#include "platform/framework/Dialog.h"
#include "platform/framework/Controls.h"
