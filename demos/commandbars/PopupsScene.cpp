#include "demos/commandbars/PopupsScene.h"

#include "demos/commandbars/PopupsSceneResources.h"
#include "platform/framework/Menu.h"
#include "resources/resource.h"
#include "toolkit/commandbars/CommandBarDefs.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/ToolBar.h"
#include "toolkit/foundation/ResourceManager.h"

CPopupsScene::CPopupsScene()
{
    // The reader's rule: Text size opens its menu, Search runs on its button part and opens its
    // menu on the arrow, with its icon only.
    SetControlCreateHandler([](QOR_CONTROL_CREATE_REQUEST& request) {
        if (request.nId == ID_TEXT_SIZE) {
            request.nType = qorControlPopup;
            return TRUE;
        }
        if (request.nId == ID_SEARCH) {
            request.nType = qorControlSplitButtonPopup;
            request.nStyle = qorButtonIcon;
            return TRUE;
        }
        return FALSE;
    });
}

CQorControl* CPopupsScene::GetTextSizeButton() const
{
    return GetStandardBar() ? GetStandardBar()->GetControls()->FindControl(ID_TEXT_SIZE) : nullptr;
}

CQorControl* CPopupsScene::GetSearchButton() const
{
    return GetStandardBar() ? GetStandardBar()->GetControls()->FindControl(ID_SEARCH) : nullptr;
}

int CPopupsScene::ShowContextMenu(CPoint ptScreen)
{
    CMenu menu;
    if (!GetSafeHwnd() || !GetResourceManager()->LoadMenu(&menu, IDR_POPUPS_SCENE_CONTEXT))
        return 0;
    return CQorCommandBars::TrackCommandBarPopupMenu(
        menu.GetSubMenu(0), CQorCommandBars::trackReturnCommand | CQorCommandBars::trackRightButton, ptScreen.x,
        ptScreen.y, GetSafeHwnd());
}
