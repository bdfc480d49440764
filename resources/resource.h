// Resource identifiers shared by the resource scripts and the reader's code.
#pragma once

#define IDR_MAINFRAME                   128
#define IDS_APP_TITLE                   129

#define ID_APP_ABOUT                    0xE140
#define ID_APP_EXIT                     0xE141
