// Resource ids of the command bars. The resources themselves are in CommandBarsResources.rc, which the
// program's resource script and each language module include.
#pragma once
