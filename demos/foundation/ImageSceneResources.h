// Resource ids of the foundation scene's images.
#pragma once

#define IDB_SCENE_ALPHA_STRIP 1101 // "PNG": three 16 x 16 icons with alpha
#define IDB_SCENE_STRIP32 1102     // 32-bit bitmap: the same icons, straight alpha
#define IDB_SCENE_STRIP24 1103     // 24-bit bitmap: three icons on a teal mask colour
#define IDB_SCENE_FRAME 1104       // "PNG": a 12 x 12 frame for nine-grid drawing
