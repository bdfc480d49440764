// Resource ids of the docking panes. The resources themselves are in DockingResources.rc, which the
// program's resource script and each language module include.
#pragma once

// Caption buttons: each id is also the button's tool-tip string.
#define QOR_IDS_DOCKING_AUTOHIDE 9456
#define QOR_IDS_DOCKING_CLOSE 9457
#define QOR_IDS_DOCKING_MAXIMIZE 9458
#define QOR_IDS_DOCKING_RESTORE 9459
#define QOR_IDS_DOCKING_MENU 9460

// Splitter cursors: over a bar between nodes side by side, and between stacked nodes.
#define QOR_IDC_DOCKING_VSPLIT 9970
#define QOR_IDC_DOCKING_HSPLIT 9971
