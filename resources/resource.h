// Resource identifiers shared by the resource scripts and the reader's code.
#pragma once

#define IDR_MAINFRAME 128
#define IDS_APP_TITLE 129

#define ID_APP_ABOUT 0xE140
#define ID_APP_EXIT 0xE141

// The about box and the icon of the book.
#define IDD_ABOUTBOX 100
#define IDI_BOOK 149
#define IDC_ABOUT_WEB 9037
#define IDC_ABOUT_MAIL 9038

// The warning before an attachment is opened, and the book password prompt.
#define IDD_OPEN_ATTACHMENT_WARNING 145
#define IDD_PASSWORD 148
#define IDC_PASSWORD_PROMPT 1005
#define IDC_PASSWORD_EDIT 1006
#define IDC_SAVE_CHOICE 1015
#define IDC_OPEN_CHOICE 1016
#define IDC_WARNING_TEXT 1017
#define IDC_WARNING_QUESTION 1018
#define IDC_WARNING_ICON 1019
#define IDC_WARNING_FILE_NAME 1020
#define IDC_WARNING_FILE_TYPE 1021
#define IDS_ATTACHMENT_FILE_NAME 231
#define IDS_ATTACHMENT_EXTENSION 232
#define IDS_ATTACHMENT_NO_EXTENSION 233
#define IDS_BOOK_PROTECTED 207

// Commands of the main frame; each is also the string id of its caption.
#define ID_ABOUT_EBOOK 32770
#define ID_PAGE_PRINT 32771
#define ID_PAGE_PRINT_PREVIEW 32772
#define ID_PAGE_BACK 32773
#define ID_PAGE_FORWARD 32774
#define ID_PAGE_STOP 32775
#define ID_PAGE_REFRESH 32776
#define ID_HOME 32777
#define ID_TEXT_SIZE 32778
#define ID_PRIOR 32779
#define ID_NEXT 32780
#define ID_AUTO_SCROLL 32781
#define ID_CONTENTS 32782
#define ID_SEARCH 32783
#define ID_TEXT_LARGEST 32801
#define ID_TEXT_LARGER 32802
#define ID_TEXT_MEDIUM 32803
#define ID_TEXT_SMALLER 32804
#define ID_TEXT_SMALLEST 32805
#define ID_FIND_ON_PAGE 32808
#define ID_LOCATE_KEYWORDS 32809
// Commands that only keys reach.
#define IDR_HIDDEN_COMMANDS 150

// The small icons of the Contents and Search panes.
#define IDI_CONTENTS_PANE 143
#define IDI_SEARCH_PANE 144

// The address of the maker's announcement feed.
#define IDS_FEED_ADDRESS 209

// The search pane.
#define IDD_SEARCH 142
#define IDC_SEARCH_PROMPT 1000
#define IDC_SEARCH_KEYWORD 1001
#define IDC_SEARCH_BUTTON 1002
#define IDC_SEARCH_RESULTS 1003
#define IDC_SEARCH_RESULT_LABEL 1004
#define IDS_SEARCH_FIND_WHAT 200
#define IDS_SEARCH_ARTICLE 201

// The attachments: their context menu, commands, columns and dialog texts.
#define IDR_ATTACHMENTS_MENU 141
// The Attachments pane; its caption is the string of its id.
#define ID_PANE_ATTACHMENTS 1000
#define IDS_ATTACHMENT_NAME 202
#define IDS_ATTACHMENT_SIZE 203
#define IDS_SAVE_FILTER 204
#define IDS_SELECT_FOLDER 205
#define ID_ATTACHMENT_SAVE 32791
#define ID_ATTACHMENT_SAVE_ALL 32792
#define ID_ATTACHMENT_OPEN 32793
#define ID_ATTACHMENT_DETAILS 32794
#define ID_ATTACHMENT_ICONS 32796
// What is said when an attachment cannot be opened or saved.
#define IDS_ATTACHMENT_DAMAGED 234
#define IDS_ATTACHMENT_NOT_WRITTEN 235
#define IDS_ATTACHMENT_PATH_TOO_LONG 236
#define IDS_ATTACHMENT_BAD_NAME 237
#define IDS_ATTACHMENTS_NOT_SAVED 238
#define IDS_REASON_DAMAGED 239
#define IDS_REASON_NOT_WRITTEN 240
#define IDS_REASON_BAD_NAME 241

// The note shown in place of a page that could not be read from the book.
#define IDS_PAGE_UNREADABLE 230

// Zoom of the page view: the status-bar zoom menu, its commands and the custom zoom dialog.
#define IDR_ZOOM_MENU 718
#define IDI_ZOOM 719
#define IDD_CUSTOM_ZOOM 725
#define IDC_ZOOM_EDIT 1152
#define IDC_ZOOM_SPIN 1153
#define ID_ZOOM_IN 32968
#define ID_ZOOM_OUT 32969
#define ID_ZOOM_400 32970
#define ID_ZOOM_200 32971
#define ID_ZOOM_150 32972
#define ID_ZOOM_125 32973
#define ID_ZOOM_100 32974
#define ID_ZOOM_75 32975
#define ID_ZOOM_50 32976
#define ID_ZOOM_CUSTOM 32977
