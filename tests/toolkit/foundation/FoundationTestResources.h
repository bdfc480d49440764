// Resource ids of the foundation tests.
#pragma once

#define IDR_TEST_PNG_ALPHA 101
#define IDR_TEST_PNG_NINE_BYTES 102

// Resources of the executable, some also in the test resource module (FoundationTestModule.dll).
#define IDS_TEST_EXECUTABLE_ONLY 9000 // the module's block holds no text for it
#define IDS_TEST_IN_BOTH 9001
#define IDS_TEST_MODULE_ONLY 9002
#define IDD_TEST_DIALOG 200
#define IDC_TEST_CURSOR 300 // not in the module
#define IDR_TEST_MENU 400   // not in the module
#define IDR_TEST_HTML 500
#define IDI_TEST_ICON 600        // not in the module
#define IDB_TEST_BITMAP 700      // not in the module
#define IDB_TEST_CRAFTED32 701   // not in the module
#define IDB_TEST_TALL24 702      // bitmaps whose headers claim more than their data holds
#define IDB_TEST_CUT_TABLE8 703
#define IDB_TEST_TALL1 704
#define IDB_TEST_OPAQUE32 705    // 32-bit, every alpha byte 0
#define IDB_TEST_HALF_ALPHA32 706
#define IDI_TEST_APPLICATION 128 // the icon group the image manager reads

// Resizable dialogs: one with a sizing border, one without.
#define IDD_TEST_RESIZE 210
#define IDD_TEST_RESIZE_FIXED 211
#define IDC_TEST_RESIZE_EDIT 1001
#define IDC_TEST_RESIZE_BUTTON 1002
#define IDC_TEST_RESIZE_GROUP 1003
#define IDC_TEST_RESIZE_HALF 1004

// A dialog with a static that becomes a hyperlink.
#define IDD_TEST_LINK 212
#define IDC_TEST_LINK 1010
