// Every toolkit resource (strings, menus, tool bars, bitmaps, cursors, dialogs, HTML pages,
// icons) loads through one process-wide manager, which also knows the language, code page
// and font character set of the resources in use.
#pragma once
#include "platform/framework/Gdi.h"
#include "platform/framework/Menu.h"
#include "platform/framework/Strings.h"
#include "platform/framework/ThreadLocal.h"
#include <functional>

// One row of the language table.
struct QOR_LANGUAGE_INFO
{
    WORD wLanguage;
    UINT nCodePage; // 0: the system's ANSI code page
    LPCTSTR lpszEncoding;
    LPCTSTR lpszCaption;
    LPCTSTR lpszLang;
    LPCTSTR lpszSubLang;
    UINT nFontCharSet;
};

class CQorResourceManager : public CNoTrackObject
{
public:
    CQorResourceManager();
    ~CQorResourceManager() override;

    // Not found: an empty string, and *pbError set when given.
    virtual CString LoadString(UINT nIDResource, BOOL* pbError = nullptr);
    virtual BOOL LoadString(CString& str, UINT nIDResource);
    virtual BOOL LoadMenu(CMenu* pMenu, UINT nIDResource);
    // Runs a tool bar's own resource loader with the resource module as the framework's
    // resource handle (when one is installed); returns the loader's result.
    virtual BOOL LoadToolBar(const std::function<BOOL()>& loadToolBar);
    virtual BOOL LoadBitmap(CBitmap* pBitmap, UINT nIDResource);
    virtual HCURSOR LoadCursor(UINT nIDResource);
    virtual LPCDLGTEMPLATE LoadDialogTemplate(UINT nIDResource);
    virtual HGLOBAL FindDialogResource(LPCTSTR lpszResource);
    virtual BOOL LoadHTML(CString& str, UINT nIDResource);
    virtual HICON LoadIcon(UINT nIDResource, int cx, int cy);
    virtual HICON LoadIconImage(LPCTSTR lpszResource, int cx, int cy);
    virtual HICON CreateIconFromGroup(HMODULE hModule, LPCTSTR lpszResource, int cx, int cy);
    virtual void FreeResourceModule();
    virtual WORD GetResourcesLangID() const;
    // The language of the first non-English resources of hModule (the executable when null);
    // English when there are none or the language is not in the table.
    virtual const QOR_LANGUAGE_INFO* DetectResourceLanguage(HMODULE hModule = nullptr);

    // The text of a menu item by position; 0 and empty when there is none.
    int GetMenuString(UINT nPos, CMenu* pMenu, CString& str) const;
    int ShowMessageBox(UINT nIDPrompt, UINT nType = MB_OK);
    // The current language's code page for a wide text.
    CStringA ToResourceCodePage(LPCWSTR lpszText) const;
    const QOR_LANGUAGE_INFO* GetLanguageInfo() const { return m_pLanguageInfo; }

    // The table row of a language, null when absent.
    static const QOR_LANGUAGE_INFO* GetLanguageInfo(WORD wLanguage);
    static const QOR_LANGUAGE_INFO* GetLanguageTable(int& nCount);

    // A module whose resources take precedence over the framework's. The product never
    // installs one; tests do.
    static void SetResourceModule(HMODULE hModule);
    static HMODULE GetResourceModule();

    // The string block parser: entry nID of the block in hModule; FALSE for a missing block,
    // a block that ends early or an empty entry.
    static BOOL LoadStringFromModule(HMODULE hModule, UINT nID, CString& str);

protected:
    BOOL m_bValid = TRUE;
    HINSTANCE m_hResourceFile = nullptr; // owned
    const QOR_LANGUAGE_INFO* m_pLanguageInfo;
};

// The process's manager, made on first use; raises the framework's invalid-argument
// exception when it cannot be made.
CQorResourceManager* GetResourceManager();
CQorResourceManager* CreateResourceManager();
// Deletes the manager; the toolkit's exit list calls it.
void QorDestroyResourceManager();
