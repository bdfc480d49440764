// Resource ids of the docking panes. The resources themselves are in DockingResources.rc, which the
// program's resource script and each language module include.
#pragma once
