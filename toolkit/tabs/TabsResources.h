// Resource ids of the tab rows. The resources themselves are in TabsResources.rc, which the
// program's resource script and each language module include.
#pragma once
