// The popups' scene: the tool bars' frame whose site turns the reader's Text size button into a
// drop-down of text sizes and its Search button into a split button over a search menu, as the
// reader's frame does; and a context menu of the view, run for its result.
#pragma once

#include <windows.h>

#include "demos/commandbars/ToolBarsScene.h"
#include "platform/framework/Geometry.h"

class CQorControl;

class CPopupsScene : public CToolBarsScene
{
public:
    CPopupsScene();

    // The Text size drop-down and the Search split button on "Standard".
    CQorControl* GetTextSizeButton() const;
    CQorControl* GetSearchButton() const;

    // Opens the view's context menu at a screen point and returns once it closed: the chosen
    // command, or 0 for none.
    int ShowContextMenu(CPoint ptScreen);
};
