// Resource ids of the command bars. The resources themselves are in CommandBarsResources.rc, which the
// program's resource script and each language module include.
#pragma once

// Cursors of the customize drag.
#define QOR_IDC_DRAGCOPY 9105 // over a bar that takes a copy
#define QOR_IDC_DRAGMOVE 9106 // over a bar that takes the control
#define QOR_IDC_DRAGNONE 9107 // over no bar: dropping removes the control
// Over a control's edge that customize mode lets the user drag.
#define QOR_IDC_RESIZE 9972

// Names of the 40 standard colours, in palette order.
#define QOR_IDS_CLR_BLACK 9900
#define QOR_IDS_CLR_BROWN 9901
#define QOR_IDS_CLR_OLIVE_GREEN 9902
#define QOR_IDS_CLR_DARK_GREEN 9903
#define QOR_IDS_CLR_DARK_TEAL 9904
#define QOR_IDS_CLR_DARK_BLUE 9905
#define QOR_IDS_CLR_INDIGO 9906
#define QOR_IDS_CLR_GRAY_80 9907
#define QOR_IDS_CLR_DARK_RED 9908
#define QOR_IDS_CLR_ORANGE 9909
#define QOR_IDS_CLR_DARK_YELLOW 9910
#define QOR_IDS_CLR_GREEN 9911
#define QOR_IDS_CLR_TEAL 9912
#define QOR_IDS_CLR_BLUE 9913
#define QOR_IDS_CLR_BLUE_GRAY 9914
#define QOR_IDS_CLR_GRAY_50 9915
#define QOR_IDS_CLR_RED 9916
#define QOR_IDS_CLR_LIGHT_ORANGE 9917
#define QOR_IDS_CLR_LIME 9918
#define QOR_IDS_CLR_SEA_GREEN 9919
#define QOR_IDS_CLR_AQUA 9920
#define QOR_IDS_CLR_LIGHT_BLUE 9921
#define QOR_IDS_CLR_VIOLET 9922
#define QOR_IDS_CLR_GRAY_40 9923
#define QOR_IDS_CLR_PINK 9924
#define QOR_IDS_CLR_GOLD 9925
#define QOR_IDS_CLR_YELLOW 9926
#define QOR_IDS_CLR_BRIGHT_GREEN 9927
#define QOR_IDS_CLR_TURQUOISE 9928
#define QOR_IDS_CLR_SKY_BLUE 9929
#define QOR_IDS_CLR_PLUM 9930
#define QOR_IDS_CLR_GRAY_25 9931
#define QOR_IDS_CLR_ROSE 9932
#define QOR_IDS_CLR_TAN 9933
#define QOR_IDS_CLR_LIGHT_YELLOW 9934
#define QOR_IDS_CLR_LIGHT_GREEN 9935
#define QOR_IDS_CLR_LIGHT_TURQUOISE 9936
#define QOR_IDS_CLR_PALE_BLUE 9937
#define QOR_IDS_CLR_LAVENDER 9938
#define QOR_IDS_CLR_WHITE 9939

// Tool bars: the special buttons and entries, each string a status prompt, a line break and the
// caption.
#define QOR_IDS_ADDORREMOVE 9122     // the "Add or Remove Buttons" entry of the expand popup
#define QOR_IDS_RESET_TOOLBAR 9123   // its "Reset Toolbar" entry
#define QOR_ID_TOOLBAR_EXPAND 9148   // the expand ("Toolbar Options") button
#define QOR_ID_TOOLBAR_HIDE 9149     // the close button of a floating tool bar's caption
#define QOR_ID_POPUP_EXPAND 9150     // a popup's expand button (shows the rarely used controls)
#define QOR_IDS_CONFIRM_RESET 9173   // the question before a reset; %s is the bar's title
#define QOR_ID_CUSTOMIZE 35001       // the customize command
