// The settings document: defaults, every setting read from XML, the tools list
// with its folder placeholders, the button records and the sealed password.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "tests/reader/StringPrinter.h"
#include <shlobj.h>
#include "reader/app/AppFolders.h"
#include "reader/book/ExeBookDocument.h"
#include "reader/book/SealedValues.h"
#include "tests/reader/ResourceModule.h"

namespace {

CString UserName()
{
    wchar_t name[MAX_PATH + 1] = {};
    DWORD size = MAX_PATH + 1;
    GetUserNameW(name, &size);
    return CString(name);
}

CString SpecialFolder(int csidl)
{
    wchar_t path[MAX_PATH + 1] = {};
    SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE);
    CString folder(path);
    if (!folder.IsEmpty() && folder[folder.GetLength() - 1] != L'\\')
        folder += L'\\';
    return folder;
}

void ExpectConstructionDefaults(const CExeBookDocument& doc)
{
    EXPECT_EQ(doc.m_strBookName, CString());
    EXPECT_EQ(doc.m_strAuthorName, UserName());
    EXPECT_FALSE(doc.m_strAuthorHomePage.IsEmpty());
    EXPECT_EQ(doc.m_strAuthorEMail, CString());
    EXPECT_EQ(doc.m_strAuthorHTML, CString());
    EXPECT_EQ(doc.m_bWindowMaximized, FALSE);
    EXPECT_EQ(doc.m_bContentsVisible, TRUE);
    EXPECT_EQ(doc.m_bContentsVisibleStartup, TRUE);
    EXPECT_EQ(doc.m_nContentsWidth, 200);
    EXPECT_EQ(doc.m_strSkinName, CString(L"iTunes"));
    EXPECT_EQ(doc.m_strSkinIniName, CString(L"Normalitunes.ini"));
    EXPECT_EQ(doc.m_bFlatToolBars, TRUE);
    EXPECT_EQ(doc.m_bShowGrippers, FALSE);
    EXPECT_EQ(doc.m_bShowSplashScreen, FALSE);
    EXPECT_EQ(doc.m_bBrowserNoMenu, FALSE);
    EXPECT_EQ(doc.m_bBrowserNoTextSelection, FALSE);
    EXPECT_EQ(doc.m_bAllowAttachments, TRUE);
    EXPECT_EQ(doc.m_strPassword, CString());
    EXPECT_TRUE(doc.m_Tools.empty());
    const wchar_t* names[] = {L"Print",    L"PrintPreview", L"Back",   L"Forward", L"Stop", L"Refresh",   L"Home",
                              L"TextSize", L"Contents",     L"Search", L"Prior",   L"Next", L"AutoScroll"};
    for (int i = 0; i < EXEBOOK_BUTTON_COUNT; ++i) {
        EXPECT_EQ(doc.m_Buttons[i].strElement, CString(L"Button") + names[i]);
        EXPECT_EQ(doc.m_Buttons[i].nCommandID, 0u);
        EXPECT_EQ(doc.m_Buttons[i].strAccel, CString());
        EXPECT_EQ(doc.m_Buttons[i].bVisible, TRUE);
    }
}

std::string Utf16Bytes(const CString& text)
{
    return std::string(reinterpret_cast<const char*>(text.GetString()), size_t(text.GetLength()) * 2);
}

} // namespace

TEST(ExeBookDocument, ConstructionGivesDefaults)
{
    CExeBookDocument doc;
    ExpectConstructionDefaults(doc);
}

TEST(ExeBookDocument, MissingSettingsResourceKeepsDefaults)
{
    readertest::ResourceModule module;
    ASSERT_TRUE(module.Create({{L"FILES", L"EBOOKFILEDATA", std::string(28, '\0')}}));
    CExeBookDocument doc;
    EXPECT_FALSE(LoadXMLFromResource(module.Handle(), doc));
    ExpectConstructionDefaults(doc);
}

TEST(ExeBookDocument, ReadsEverySettingFromTheResource)
{
    CString sealed;
    ASSERT_TRUE(SealText(CString(L"s3cret"), g_szSealingPassPhrase, sealed));
    CString xml = L"<FolionyxExeBook>"
                  L"<ExeBook Name=\"A Guide\"/>"
                  L"<Author Name=\"Ann\" HomePage=\"http://example.test/\" EMail=\"ann@example.test\"/>"
                  L"<AuthorHTML>&lt;p&gt;About&lt;/p&gt;</AuthorHTML>"
                  L"<Window Maxmized=\"1\"/>"
                  L"<Contents Visible2=\"0\" VisibleStartup=\"0\" Width=\"321\"/>"
                  L"<Splash ShowSplashScreen=\"1\"/>"
                  L"<Skin Name=\"Blue\" IniName=\"Blue.ini\" FlatToolBars=\"0\" ShowGrippers=\"1\"/>"
                  L"<Browser NoMenu=\"1\" NoTextSelection=\"1\"/>"
                  L"<Advanced DP=\"" +
                  sealed +
                  L"\"/>"
                  L"<Attachments AllowShowAttachments=\"0\"/>"
                  L"<ButtonPrint Visible=\"0\" Accel=\"Ctrl+P\"/>"
                  L"<ButtonAutoScroll Accel=\"F9\"/>"
                  L"<Tools Count=\"1\" ToolName_0=\"Viewer\" ToolFileName_0=\"view.exe\"/>"
                  L"</FolionyxExeBook>";
    readertest::ResourceModule module;
    ASSERT_TRUE(module.Create({{L"FILES", L"EBOOKSETTINGSDATA", "\xFF\xFE" + Utf16Bytes(xml)}}));
    CExeBookDocument doc;
    ASSERT_TRUE(LoadXMLFromResource(module.Handle(), doc));
    ASSERT_TRUE(doc.ReadDocument());

    EXPECT_EQ(doc.m_strBookName, CString(L"A Guide"));
    EXPECT_EQ(doc.m_strAuthorName, CString(L"Ann"));
    EXPECT_EQ(doc.m_strAuthorHomePage, CString(L"http://example.test/"));
    EXPECT_EQ(doc.m_strAuthorEMail, CString(L"ann@example.test"));
    EXPECT_EQ(doc.m_strAuthorHTML, CString(L"<p>About</p>"));
    EXPECT_EQ(doc.m_bWindowMaximized, TRUE);
    EXPECT_EQ(doc.m_bContentsVisible, FALSE);
    EXPECT_EQ(doc.m_bContentsVisibleStartup, FALSE);
    EXPECT_EQ(doc.m_nContentsWidth, 321);
    EXPECT_EQ(doc.m_bShowSplashScreen, TRUE);
    EXPECT_EQ(doc.m_strSkinName, CString(L"Blue"));
    EXPECT_EQ(doc.m_strSkinIniName, CString(L"Blue.ini"));
    EXPECT_EQ(doc.m_bFlatToolBars, FALSE);
    EXPECT_EQ(doc.m_bShowGrippers, TRUE);
    EXPECT_EQ(doc.m_bBrowserNoMenu, TRUE);
    EXPECT_EQ(doc.m_bBrowserNoTextSelection, TRUE);
    EXPECT_EQ(doc.m_strPassword, CString(L"s3cret"));
    EXPECT_EQ(doc.m_bAllowAttachments, FALSE);
    EXPECT_EQ(doc.m_Buttons[ExeBookButtonPrint].bVisible, FALSE);
    EXPECT_EQ(doc.m_Buttons[ExeBookButtonPrint].strAccel, CString(L"Ctrl+P"));
    EXPECT_EQ(doc.m_Buttons[ExeBookButtonAutoScroll].bVisible, TRUE);
    EXPECT_EQ(doc.m_Buttons[ExeBookButtonAutoScroll].strAccel, CString(L"F9"));
    EXPECT_EQ(doc.m_Buttons[ExeBookButtonHome].bVisible, TRUE);
    ASSERT_EQ(doc.m_Tools.size(), 1u);
    EXPECT_EQ(doc.m_Tools[0].strName, CString(L"Viewer"));
    EXPECT_EQ(doc.m_Tools[0].strFileName, CString(L"view.exe"));
}

TEST(ExeBookDocument, MissingValuesTakeTheirDocumentedDefaults)
{
    CExeBookDocument doc;
    // Values held before reading: some survive a missing attribute, some become empty.
    doc.m_strBookName = L"old";
    doc.m_strAuthorName = L"old author";
    doc.m_strAuthorEMail = L"old@mail";
    doc.m_bWindowMaximized = TRUE;
    doc.m_Buttons[ExeBookButtonPrint].bVisible = FALSE;
    doc.m_Buttons[ExeBookButtonPrint].strAccel = L"F2";
    ASSERT_TRUE(doc.LoadXML(L"<FolionyxExeBook><Author/><Contents/></FolionyxExeBook>"));
    ASSERT_TRUE(doc.ReadDocument());
    EXPECT_EQ(doc.m_strBookName, CString());
    EXPECT_EQ(doc.m_strAuthorName, CString(L"old author"));
    EXPECT_EQ(doc.m_strAuthorHomePage, CString());
    EXPECT_EQ(doc.m_strAuthorEMail, CString());
    EXPECT_EQ(doc.m_bWindowMaximized, TRUE);
    EXPECT_EQ(doc.m_bContentsVisible, TRUE);
    EXPECT_EQ(doc.m_bContentsVisibleStartup, TRUE);
    EXPECT_EQ(doc.m_nContentsWidth, 200);
    EXPECT_EQ(doc.m_Buttons[ExeBookButtonPrint].bVisible, TRUE);
    EXPECT_EQ(doc.m_Buttons[ExeBookButtonPrint].strAccel, CString());
    EXPECT_EQ(doc.m_strPassword, CString());
}

TEST(ExeBookDocument, ElementNamesInAnyCaseAttributeNamesExactly)
{
    CExeBookDocument doc;
    ASSERT_TRUE(doc.LoadXML(L"<folionyxEXEBOOK>"
                            L"<exebook Name=\"Lower\"/>"
                            L"<WINDOW maxmized=\"1\" Maximized=\"1\"/>"
                            L"<contents visible2=\"0\" Visible=\"0\" Width=\"abc\"/>"
                            L"<buttonprint visible=\"0\"/>"
                            L"<BUTTONHOME Visible=\"0\"/>"
                            L"</folionyxEXEBOOK>"));
    ASSERT_TRUE(doc.ReadDocument());
    EXPECT_EQ(doc.m_strBookName, CString(L"Lower"));
    EXPECT_EQ(doc.m_bWindowMaximized, FALSE); // only "Maxmized" counts
    EXPECT_EQ(doc.m_bContentsVisible, TRUE);  // only "Visible2" counts
    EXPECT_EQ(doc.m_nContentsWidth, 0);       // "abc" converts to 0
    EXPECT_EQ(doc.m_Buttons[ExeBookButtonPrint].bVisible, TRUE);
    EXPECT_EQ(doc.m_Buttons[ExeBookButtonHome].bVisible, FALSE);
}

TEST(ExeBookDocument, PasswordThatDoesNotUnsealLocksTheBook)
{
    struct Case
    {
        const wchar_t* dp;
        bool unusable;
    };
    const Case cases[] = {
        {L"", false}, {L"not base64 at all!", true}, {L"QUJDRA==", true}, // decodes, but is no sealed block
    };
    for (const Case& c : cases) {
        CExeBookDocument doc;
        CString xml = CString(L"<FolionyxExeBook><Advanced DP=\"") + c.dp + L"\"/></FolionyxExeBook>";
        ASSERT_TRUE(doc.LoadXML(xml));
        doc.ReadDocument();
        EXPECT_EQ(IsUnusableSealedValue(doc.m_strPassword) != FALSE, c.unusable) << c.dp;
        EXPECT_EQ(doc.m_strPassword.IsEmpty(), !c.unusable) << c.dp;
    }
    CExeBookDocument missing;
    ASSERT_TRUE(missing.LoadXML(L"<FolionyxExeBook><Advanced/></FolionyxExeBook>"));
    missing.ReadDocument();
    EXPECT_EQ(missing.m_strPassword, CString());
}

TEST(ExeBookDocument, ToolsExpandFolderPlaceholders)
{
    CExeBookDocument doc;
    ASSERT_TRUE(doc.LoadXML(L"<FolionyxExeBook><Tools Count=\"5\""
                            L" ToolName_0=\"View\" ToolFileName_0=\"%ProgramFiles%Tools\\\\view.exe\""
                            L" ToolName_1=\"Sys\" ToolFileName_1=\"%SYSTEM%calc.exe\""
                            L" ToolName_2=\"Win\" ToolFileName_2=\"%windows%notepad.exe %Windows%x\""
                            L" ToolName_3=\"Book\" ToolFileName_3=\"%E-BOOK%tool.exe\""
                            L" ToolName_4=\"Plain\" ToolFileName_4=\"C:\\\\a\\\\\\\\b.exe\""
                            L"/></FolionyxExeBook>"));
    ASSERT_TRUE(doc.ReadTools());
    ASSERT_EQ(doc.m_Tools.size(), 5u);
    EXPECT_EQ(doc.m_Tools[0].strName, CString(L"View"));
    EXPECT_EQ(doc.m_Tools[0].strFileName, SpecialFolder(CSIDL_PROGRAM_FILES) + L"Tools\\view.exe");
    EXPECT_EQ(doc.m_Tools[1].strFileName, SpecialFolder(CSIDL_SYSTEM) + L"calc.exe");
    // Only the first occurrence of a placeholder is replaced.
    EXPECT_EQ(doc.m_Tools[2].strFileName, SpecialFolder(CSIDL_WINDOWS) + L"notepad.exe %Windows%x");
    EXPECT_EQ(doc.m_Tools[3].strFileName, GetExeFolder() + L"tool.exe");
    // Every doubled backslash becomes one (three become two).
    EXPECT_EQ(doc.m_Tools[4].strFileName, CString(L"C:\\a\\\\b.exe"));
}

TEST(ExeBookDocument, ToolCountIsBoundedByTheToolCommands)
{
    struct Case
    {
        const wchar_t* count;
        size_t expected;
    };
    const Case cases[] = {
        {L"2", 2}, {L"0", 0}, {L"-3", 0}, {L"x", 0}, {L"101", 101}, {L"102", 101}, {L"2147483647", 101},
    };
    for (const Case& c : cases) {
        CExeBookDocument doc;
        CString xml =
            CString(L"<FolionyxExeBook><Tools Count=\"") + c.count + L"\" ToolName_0=\"First\"/></FolionyxExeBook>";
        ASSERT_TRUE(doc.LoadXML(xml));
        doc.ReadTools();
        EXPECT_EQ(doc.m_Tools.size(), c.expected) << c.count;
        if (c.expected >= 2) {
            EXPECT_EQ(doc.m_Tools[0].strName, CString(L"First"));
            EXPECT_EQ(doc.m_Tools[1].strName, CString());
            EXPECT_EQ(doc.m_Tools[1].strFileName, CString());
        }
    }
}

TEST(ExeBookDocument, ButtonRecordsGetTheToolBarCommandIds)
{
    CExeBookDocument doc;
    doc.AssignButtonCommandIds();
    const UINT expected[EXEBOOK_BUTTON_COUNT] = {32771, 32772, 32773, 32774, 32775, 32776, 32777,
                                                 32778, 32782, 32783, 32779, 32780, 32781};
    for (int i = 0; i < EXEBOOK_BUTTON_COUNT; ++i)
        EXPECT_EQ(doc.m_Buttons[i].nCommandID, expected[i]) << i;
}

TEST(ExeBookDocument, ManyUnknownElementsAndASecondLoadReadTheRightValues)
{
    // Thousands of unknown elements around the settings; the first element of a name counts.
    std::wstring xml = L"<FolionyxExeBook>";
    for (int i = 0; i < 5000; ++i)
        xml += L"<Unknown" + std::to_wstring(i) + L"/>";
    xml += L"<ExeBook Name='First'/><Contents Width='321'/><ExeBook Name='Second'/>";
    for (int i = 0; i < 5000; ++i)
        xml += L"<Filler/>";
    xml += L"<ButtonHome Visible='0' Accel='ctrl+H'/></FolionyxExeBook>";
    CExeBookDocument doc;
    ASSERT_TRUE(doc.LoadXML(xml.c_str()));
    ASSERT_TRUE(doc.ReadDocument());
    EXPECT_EQ(CString(L"First"), doc.m_strBookName);
    EXPECT_EQ(321, doc.m_nContentsWidth);
    EXPECT_FALSE(doc.m_Buttons[ExeBookButtonHome].bVisible);
    EXPECT_EQ(CString(L"ctrl+H"), doc.m_Buttons[ExeBookButtonHome].strAccel);

    // The same document loaded with other text reads the new values, not the old ones.
    ASSERT_TRUE(doc.LoadXML(L"<FolionyxExeBook><ExeBook Name='Other'/></FolionyxExeBook>"));
    ASSERT_TRUE(doc.ReadDocument());
    EXPECT_EQ(CString(L"Other"), doc.m_strBookName);
    EXPECT_TRUE(doc.m_Buttons[ExeBookButtonHome].bVisible);
}
