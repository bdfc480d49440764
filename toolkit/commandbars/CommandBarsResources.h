// Resource ids of the command bars. The resources themselves are in CommandBarsResources.rc, which the
// program's resource script and each language module include.
#pragma once

// Cursors of the customize drag.
#define QOR_IDC_DRAGCOPY 9105 // over a bar that takes a copy
#define QOR_IDC_DRAGMOVE 9106 // over a bar that takes the control
#define QOR_IDC_DRAGNONE 9107 // over no bar: dropping removes the control
