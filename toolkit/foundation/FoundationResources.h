// Resource ids of the toolkit foundation. The resources themselves are in
// FoundationResources.rc, which the program's resource script and each language module include.
#pragma once

// Messages of a hyperlink whose shell open failed, by the shell's result.
#define QOR_IDS_HYPERLINK_OUT_OF_RESOURCES 9357 // 0
#define QOR_IDS_HYPERLINK_FILE_NOT_FOUND 9358   // ERROR_FILE_NOT_FOUND
#define QOR_IDS_HYPERLINK_PATH_NOT_FOUND 9359   // ERROR_PATH_NOT_FOUND
#define QOR_IDS_HYPERLINK_ACCESS_DENIED 9360    // SE_ERR_ACCESSDENIED
#define QOR_IDS_HYPERLINK_OUT_OF_MEMORY 9361    // SE_ERR_OOM
#define QOR_IDS_HYPERLINK_BAD_FORMAT 9362       // ERROR_BAD_FORMAT
#define QOR_IDS_HYPERLINK_SHARE 9363            // SE_ERR_SHARE
#define QOR_IDS_HYPERLINK_ASSOC_INCOMPLETE 9364 // SE_ERR_ASSOCINCOMPLETE
#define QOR_IDS_HYPERLINK_DDE_TIMEOUT 9365      // SE_ERR_DDETIMEOUT
#define QOR_IDS_HYPERLINK_DDE_FAIL 9366         // SE_ERR_DDEFAIL
#define QOR_IDS_HYPERLINK_DDE_BUSY 9367         // SE_ERR_DDEBUSY
#define QOR_IDS_HYPERLINK_NO_ASSOC 9368         // SE_ERR_NOASSOC
#define QOR_IDS_HYPERLINK_DLL_NOT_FOUND 9369    // SE_ERR_DLLNOTFOUND
#define QOR_IDS_HYPERLINK_UNKNOWN 9370          // any other result, formatted with %d

// The link cursor for systems without IDC_HAND.
#define QOR_IDC_HAND 9973
