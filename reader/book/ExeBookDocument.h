// The book's settings: who wrote it, how the reader looks, the sealed password,
// the external tools and the tool-bar buttons. Constructed with defaults and
// filled once from the settings XML (root element "FolionyxExeBook").
#pragma once
#include <windows.h>
#include <vector>
#include "platform/framework/Strings.h"
#include "reader/book/XMLDocument.h"

// One external tool of the book: display name and file name.
struct EXEBOOKTOOLSDATA
{
    CString strName;
    CString strFileName;
};

class CExeBookTools : public std::vector<EXEBOOKTOOLSDATA>
{
public:
    virtual ~CExeBookTools() = default;
};

// The tools run through the commands 40000-40100, so at most this many exist.
enum {
    EXEBOOK_FIRST_TOOL_COMMAND = 40000,
    EXEBOOK_LAST_TOOL_COMMAND = 40100,
    EXEBOOK_MAX_TOOLS = EXEBOOK_LAST_TOOL_COMMAND - EXEBOOK_FIRST_TOOL_COMMAND + 1
};

// The tool-bar buttons, in the order of the button records.
enum ExeBookButton {
    ExeBookButtonPrint,
    ExeBookButtonPrintPreview,
    ExeBookButtonBack,
    ExeBookButtonForward,
    ExeBookButtonStop,
    ExeBookButtonRefresh,
    ExeBookButtonHome,
    ExeBookButtonTextSize,
    ExeBookButtonContents,
    ExeBookButtonSearch,
    ExeBookButtonPrior,
    ExeBookButtonNext,
    ExeBookButtonAutoScroll,
    EXEBOOK_BUTTON_COUNT
};

struct EXEBOOKBUTTONDATA
{
    CString strElement; // "ButtonPrint" ... "ButtonAutoScroll"
    UINT nCommandID;    // set at start-up
    CString strAccel;   // accelerator text, empty when none
    BOOL bVisible;
};

class CExeBookDocument : public CQorXMLDocumentEx
{
public:
    CExeBookDocument();

    // Reads every setting from the loaded XML; missing values take their defaults.
    BOOL ReadDocument();
    // Reads the `Tools` element into m_Tools, expanding folder placeholders.
    BOOL ReadTools();
    // Gives the button records the command ids of their tool-bar commands.
    void AssignButtonCommandIds();

    CString m_strBookName;
    CString m_strAuthorName;
    CString m_strAuthorHomePage;
    CString m_strAuthorEMail;
    CString m_strAuthorHTML;
    BOOL m_bWindowMaximized;
    BOOL m_bContentsVisible;
    BOOL m_bContentsVisibleStartup;
    int m_nContentsWidth;
    CString m_strSkinName;
    CString m_strSkinIniName;
    BOOL m_bFlatToolBars;
    BOOL m_bShowGrippers;
    BOOL m_bShowSplashScreen;
    BOOL m_bBrowserNoMenu;
    BOOL m_bBrowserNoTextSelection;
    BOOL m_bAllowAttachments;
    CString m_strPassword;
    CExeBookTools m_Tools;
    EXEBOOKBUTTONDATA m_Buttons[EXEBOOK_BUTTON_COUNT];
};

// The command ids of the tool-bar buttons, in the order of the button records.
extern const UINT g_ExeBookButtonCommandIds[EXEBOOK_BUTTON_COUNT];

// Replaces the first "%System%", "%Windows%", "%ProgramFiles%" and "%e-Book%" (any
// letter case) of a tool's file name by its folder, then every doubled backslash by one.
CString ExpandToolFileName(const CString& fileName);
