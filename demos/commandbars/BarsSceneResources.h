// Resource ids of the command-bar scene (its own script, linked into its test and its demo).
#pragma once

#define IDR_BARS_SCENE_PANEL 1201 // the menu the vertical bar is made from

// Commands of the scene's two bars.
#define ID_SCENE_NEW 42601
#define ID_SCENE_OPEN 42602
#define ID_SCENE_SAVE 42603
#define ID_SCENE_CUT 42604
#define ID_SCENE_COPY 42605
#define ID_SCENE_PASTE 42606
#define ID_SCENE_UNDO 42607
#define ID_SCENE_BOLD 42608
#define ID_SCENE_CONTENTS 42609
#define ID_SCENE_BOOKMARKS 42610
#define ID_SCENE_READONLY 42611
#define ID_SCENE_ZOOMIN 42612
