// Resource ids of Pendoric.
#pragma once

#define IDI_PENDORIC 1
#define IDS_PENDORIC_TITLE 101
#define IDS_PENDORIC_ABOUT 102
