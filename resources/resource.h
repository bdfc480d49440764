// Resource identifiers shared by the resource scripts and the reader's code.
#pragma once

#define IDR_MAINFRAME                   128
#define IDS_APP_TITLE                   129

#define ID_APP_ABOUT                    0xE140
#define ID_APP_EXIT                     0xE141

// Commands of the main frame.
#define ID_HOME                         32777

// Zoom of the page view: the status-bar zoom menu, its commands and the custom zoom dialog.
#define IDR_ZOOM_MENU                   718
#define IDD_CUSTOM_ZOOM                 725
#define IDC_ZOOM_EDIT                   1152
#define IDC_ZOOM_SPIN                   1153
#define ID_ZOOM_IN                      32968
#define ID_ZOOM_OUT                     32969
#define ID_ZOOM_400                     32970
#define ID_ZOOM_200                     32971
#define ID_ZOOM_150                     32972
#define ID_ZOOM_125                     32973
#define ID_ZOOM_100                     32974
#define ID_ZOOM_75                      32975
#define ID_ZOOM_50                      32976
#define ID_ZOOM_CUSTOM                  32977
