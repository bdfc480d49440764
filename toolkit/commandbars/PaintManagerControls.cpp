// The paint manager's operations that read controls and bars.
#include "toolkit/commandbars/PaintManager.h"

CSize CQorPaintManager::DrawSeparator(CDC*, CQorCommandBar*, CQorControl*, BOOL)
{
    // The gap every look leaves between groups; the themes draw their own line into it.
    return CSize(6, 6);
}
