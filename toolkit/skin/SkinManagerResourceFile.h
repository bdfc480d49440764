// One skin opened as data: a resource-only module (INI texts of type "TEXTFILE", "PNG" or
// bitmap images, the display name in string 5000) or a folder with the INI file and images.
// The INI text is handed out line by line; every read stays inside the text.
#pragma once
#include <windows.h>

#include "platform/framework/Strings.h"

class CQorSkinManager;
class CQorSkinManagerSchema;
class CQorSkinImage;

class CQorSkinManagerResourceFile
{
public:
    CQorSkinManagerResourceFile();
    virtual ~CQorSkinManagerResourceFile();
    CQorSkinManagerResourceFile(const CQorSkinManagerResourceFile&) = delete;
    CQorSkinManagerResourceFile& operator=(const CQorSkinManagerResourceFile&) = delete;

    // A folder when skin path\INI name is a file, else the module at skin path, loaded as
    // data only (its code never runs). An empty INI name takes the first "[File.x]" of the
    // module's THEMES_INI.
    virtual BOOL Open(LPCTSTR lpszSkinPath, LPCTSTR lpszIniName);
    // The next line, ended by CR LF, CR or LF or by the end of the text.
    virtual BOOL ReadLine(CString& strLine);
    virtual void Close();
    // A new image the caller owns, or none.
    virtual CQorSkinImage* LoadImage(LPCTSTR lpszName);
    // The Office-2007 schema when string 5000 says "Office 2007 Style", else the default one.
    virtual CQorSkinManagerSchema* CreateSchema();

    CString GetSkinPath() const { return m_strSkinPath; }
    CString GetIniName() const { return m_strIniName; }
    void SetOwner(CQorSkinManager* pOwner) { m_pOwner = pOwner; }
    HMODULE GetModule() const { return m_hModule; }
    BOOL IsFolder() const { return m_bFolder; }

    // Resource names from file names: "." and "\" become "_".
    static CString ResourceNameFromFileName(LPCTSTR lpszName);
    // Names that would leave the skin folder: "..", a leading "\" or "/", a drive or stream.
    static BOOL IsUnsafeFolderName(LPCTSTR lpszName);

    // Test seam: reads the given text (not copied; it must outlive the reading) as the INI.
    void OpenTextForTest(LPCWSTR pText, size_t nBytes);

protected:
    CString DefaultIniName() const;
    BOOL OpenFolderText(LPCTSTR lpszPath);
    void SetText(LPCWSTR pText, size_t nChars);

    LPCWSTR m_pCursor = nullptr;
    LPCWSTR m_pEnd = nullptr;
    HMODULE m_hModule = nullptr;
    HMODULE m_hPresetModule = nullptr;
    CString m_strSkinPath;
    CString m_strIniName;
    CQorSkinManager* m_pOwner = nullptr;
    BOOL m_bFolder = FALSE;
    CString m_strFileText; // the folder INI, as UTF-16
};
