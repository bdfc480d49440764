// Resource ids of the tab rows. The resources themselves are in TabsResources.rc, which the
// program's resource script and each language module include.
#pragma once

// Tool tips of the navigate buttons.
#define QOR_IDS_TAB_SCROLL_LEFT 9800
#define QOR_IDS_TAB_SCROLL_RIGHT 9801
#define QOR_IDS_TAB_CLOSE 9802
