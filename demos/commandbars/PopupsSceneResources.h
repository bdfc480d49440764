// Resource ids of the popups' scene (its own script, linked into its test and its demo program).
#pragma once

// The menus the scene's popups are made from: the Text size button's (the button's own id), the
// Search split button's, and the view's context menu.
#define IDR_POPUPS_SCENE_TEXT_SIZE 32778
#define IDR_POPUPS_SCENE_SEARCH 32783
#define IDR_POPUPS_SCENE_CONTEXT 1301

// Commands of the scene's menus.
#define ID_POPUPS_FIRST 42701
#define ID_POPUPS_LARGEST 42701
#define ID_POPUPS_LARGER 42702
#define ID_POPUPS_MEDIUM 42703
#define ID_POPUPS_SMALLER 42704
#define ID_POPUPS_SMALLEST 42705
#define ID_POPUPS_FIND 42706
#define ID_POPUPS_FIND_NEXT 42707
#define ID_POPUPS_COPY 42708
#define ID_POPUPS_SELECT_ALL 42709
#define ID_POPUPS_LAST 42709
