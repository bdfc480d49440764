// Resource ids of the framework tests (FrameworkTests.rc).
#pragma once

#define IDR_TESTFRAME 300
#define IDD_TEST_DATA 301

#define IDC_NAME 1001
#define IDC_COUNT 1002
#define IDC_RADIO_FIRST 1003
#define IDC_RADIO_SECOND 1004
#define IDC_RADIO_THIRD 1005
#define IDC_CHECK 1006
#define IDC_RATIO 1007

#define ID_CMD_VIEW 0x8101
#define ID_CMD_DOC 0x8102
#define ID_CMD_FRAME 0x8103
#define ID_CMD_APP 0x8104
#define ID_CMD_SHARED 0x8105
#define ID_CMD_PASSED_ON 0x8106
#define ID_CMD_DISABLED 0x8107
#define ID_CMD_UNHANDLED 0x8108
#define ID_CMD_CHECKED 0x8109
#define ID_CMD_RANGE_FIRST 0x8110
#define ID_CMD_RANGE_LAST 0x8112
