#include "reader/book/ExeBookDocument.h"
#include <shlobj.h>
#include "reader/app/AppFolders.h"
#include "reader/app/FileUtil.h"
#include "reader/book/SealedValues.h"

const UINT g_ExeBookButtonCommandIds[EXEBOOK_BUTTON_COUNT] = {
    32771, 32772, 32773, 32774, 32775, 32776, 32777, 32778, 32782, 32783, 32779, 32780, 32781,
};

namespace {

const wchar_t* const kButtonElements[EXEBOOK_BUTTON_COUNT] = {
    L"ButtonPrint",   L"ButtonPrintPreview", L"ButtonBack",       L"ButtonForward",  L"ButtonStop",
    L"ButtonRefresh", L"ButtonHome",         L"ButtonTextSize",   L"ButtonContents", L"ButtonSearch",
    L"ButtonPrior",   L"ButtonNext",         L"ButtonAutoScroll",
};

// The author's home page until the book names one.
const wchar_t kMakerHomePage[] = L"https://www.vemlorat.com/";

CString WindowsUserName()
{
    wchar_t name[MAX_PATH + 1] = {};
    DWORD size = MAX_PATH + 1;
    if (!GetUserNameW(name, &size))
        return CString();
    return CString(name);
}

CString WithSeparator(const wchar_t* folder)
{
    CString path(folder);
    AppendPathSeparator(path);
    return path;
}

CString SystemFolder()
{
    wchar_t folder[MAX_PATH + 1] = {};
    GetSystemDirectoryW(folder, MAX_PATH);
    return WithSeparator(folder);
}

CString WindowsFolder()
{
    wchar_t folder[MAX_PATH + 1] = {};
    GetWindowsDirectoryW(folder, MAX_PATH);
    return WithSeparator(folder);
}

CString ProgramFilesFolder()
{
    wchar_t folder[MAX_PATH + 1] = {};
    SHGetSpecialFolderPathW(nullptr, folder, CSIDL_PROGRAM_FILES, TRUE);
    return WithSeparator(folder);
}

// Replaces the first occurrence of `placeholder` (any letter case) by the value
// that `value` gives; the value is only computed when the placeholder is there.
template <typename ValueFn> void ReplaceFirstNoCase(CString& text, const wchar_t* placeholder, ValueFn value)
{
    CString lowered(text);
    lowered.MakeLower();
    CString loweredPlaceholder(placeholder);
    loweredPlaceholder.MakeLower();
    int at = lowered.Find(loweredPlaceholder);
    if (at < 0)
        return;
    text = text.Left(at) + value() + text.Mid(at + loweredPlaceholder.GetLength());
}

} // namespace

CString ExpandToolFileName(const CString& fileName)
{
    CString path(fileName);
    ReplaceFirstNoCase(path, L"%System%", SystemFolder);
    ReplaceFirstNoCase(path, L"%Windows%", WindowsFolder);
    ReplaceFirstNoCase(path, L"%ProgramFiles%", ProgramFilesFolder);
    ReplaceFirstNoCase(path, L"%e-Book%", GetExeFolder);
    path.Replace(L"\\\\", L"\\");
    return path;
}

CExeBookDocument::CExeBookDocument()
    : m_strAuthorName(WindowsUserName()), m_strAuthorHomePage(kMakerHomePage), m_bWindowMaximized(FALSE),
      m_bContentsVisible(TRUE), m_bContentsVisibleStartup(TRUE), m_nContentsWidth(200), m_strSkinName(L"iTunes"),
      m_strSkinIniName(L"Normalitunes.ini"), m_bFlatToolBars(TRUE), m_bShowGrippers(FALSE), m_bShowSplashScreen(FALSE),
      m_bBrowserNoMenu(FALSE), m_bBrowserNoTextSelection(FALSE), m_bAllowAttachments(TRUE)
{
    for (int i = 0; i < EXEBOOK_BUTTON_COUNT; ++i) {
        m_Buttons[i].strElement = kButtonElements[i];
        m_Buttons[i].nCommandID = 0;
        m_Buttons[i].bVisible = TRUE;
    }
}

BOOL CExeBookDocument::ReadDocument()
{
    m_strBookName = ReadString(L"ExeBook", L"Name", L"");
    m_strAuthorName = ReadString(L"Author", L"Name", m_strAuthorName);
    m_strAuthorHomePage = ReadString(L"Author", L"HomePage", L"");
    m_strAuthorEMail = ReadString(L"Author", L"EMail", L"");
    m_strAuthorHTML = ReadElementText(L"AuthorHTML");

    m_bWindowMaximized = ReadBool(L"Window", L"Maxmized", m_bWindowMaximized);
    m_bContentsVisible = ReadBool(L"Contents", L"Visible2", m_bContentsVisible);
    m_bContentsVisibleStartup = ReadBool(L"Contents", L"VisibleStartup", m_bContentsVisibleStartup);
    m_nContentsWidth = ReadInt(L"Contents", L"Width", m_nContentsWidth);
    m_bShowSplashScreen = ReadBool(L"Splash", L"ShowSplashScreen", m_bShowSplashScreen);

    m_strSkinName = ReadString(L"Skin", L"Name", m_strSkinName);
    m_strSkinIniName = ReadString(L"Skin", L"IniName", m_strSkinIniName);
    m_bFlatToolBars = ReadBool(L"Skin", L"FlatToolBars", m_bFlatToolBars);
    m_bShowGrippers = ReadBool(L"Skin", L"ShowGrippers", m_bShowGrippers);
    m_bBrowserNoMenu = ReadBool(L"Browser", L"NoMenu", m_bBrowserNoMenu);
    m_bBrowserNoTextSelection = ReadBool(L"Browser", L"NoTextSelection", m_bBrowserNoTextSelection);

    // A value that is there but does not unseal yields a password no one can
    // type, so a damaged book stays locked.
    m_strPassword = UnsealSetting(ReadString(L"Advanced", L"DP", L""));

    m_bAllowAttachments = ReadBool(L"Attachments", L"AllowShowAttachments", m_bAllowAttachments);

    for (EXEBOOKBUTTONDATA& button : m_Buttons) {
        button.bVisible = ReadBool(button.strElement, L"Visible", TRUE);
        button.strAccel = ReadString(button.strElement, L"Accel", L"");
    }

    ReadTools();
    return TRUE;
}

BOOL CExeBookDocument::ReadTools()
{
    m_Tools.clear();
    int count = ReadInt(L"Tools", L"Count", 0);
    // Each tool has its own command id; there are no more ids than these.
    if (count > EXEBOOK_MAX_TOOLS)
        count = EXEBOOK_MAX_TOOLS;
    CQorXMLNode tools;
    CQorXMLNode root;
    const bool hasTools = count > 0 && GetRootElement(root) && root.FindChild(L"Tools", tools);
    for (int i = 0; i < count; ++i) {
        EXEBOOKTOOLSDATA tool;
        if (hasTools) {
            CString index;
            index.Format(L"%d", i);
            tool.strName = tools.GetStringAttribute(CString(L"ToolName_") + index, L"");
            tool.strFileName = ExpandToolFileName(tools.GetStringAttribute(CString(L"ToolFileName_") + index, L""));
        }
        m_Tools.push_back(tool);
    }
    return TRUE;
}

void CExeBookDocument::AssignButtonCommandIds()
{
    for (int i = 0; i < EXEBOOK_BUTTON_COUNT; ++i)
        m_Buttons[i].nCommandID = g_ExeBookButtonCommandIds[i];
}
