// The tool-bar resource (type 241): the size of the images of a bitmap strip and the command id
// of each button in order, 0 for a separator. It is written as 16-bit words:
//   version (1), image width, image height, item count, then one id per item.
#pragma once

#include <windows.h>

#include <vector>

// RT_TOOLBAR: the resource type of tool bars.
#define QOR_RT_TOOLBAR MAKEINTRESOURCEW(241)

struct QOR_TOOLBAR_RESOURCE
{
    int nWidth = 0;  // of one image of the bitmap with the same id
    int nHeight = 0;
    std::vector<UINT> ids; // 0: the next button begins a group
};

// Reads tool bar nIDResource of hModule. FALSE, with toolBar unchanged, when the id is 0, there
// is no module, the resource is missing, its version is not 1 or it is shorter than its count
// says.
BOOL QorReadToolBarResource(HMODULE hModule, UINT nIDResource, QOR_TOOLBAR_RESOURCE& toolBar);
