// The process-wide owner of the active skin: the class map that hands out theme classes by
// name, the colour filters every skin colour passes through, the options word, the schema of
// the open skin file, its metrics and the skin file itself.
#pragma once
#include <windows.h>

#include "platform/framework/Collections.h"
#include "platform/framework/Strings.h"
#include "platform/framework/Sync.h"

class CQorSkinManagerClass;
class CQorSkinManagerSchema;
class CQorSkinManagerMetrics;
class CQorSkinManagerResourceFile;

// Rewrites one colour in place.
class CQorSkinManagerColorFilter
{
public:
    virtual ~CQorSkinManagerColorFilter() = default;
    virtual void ApplyColorFilter(COLORREF& clr) = 0;
};

// What the skin takes over (the options word's bits).
enum {
    qorSkinApplyMetrics = 1,
    qorSkinApplyFrame = 2,
    qorSkinApplyColors = 4,
};

class CQorSkinManager
{
public:
    CQorSkinManager();
    virtual ~CQorSkinManager();
    CQorSkinManager(const CQorSkinManager&) = delete;
    CQorSkinManager& operator=(const CQorSkinManager&) = delete;

    // The same object for every spelling of a name until the next skin opens; unknown names
    // get class id 0 and find no properties. Callable from any thread.
    virtual CQorSkinManagerClass* GetClass(LPCTSTR lpszClassName);
    CQorSkinManagerClass* FindClass(const void* pHandle);

    // Frees the classes, opens the skin file, creates and fills its schema.
    BOOL OpenSkinFile(LPCTSTR lpszSkinPath, LPCTSTR lpszIniName);
    void FreeClasses();

    void ApplyColorFilters(COLORREF& clr) const;
    BOOL HasColorFilters() const { return m_arrFilters.GetSize() > 0; }
    // Takes the filter; the program itself adds none.
    void AddColorFilter(CQorSkinManagerColorFilter* pFilter);
    void RemoveColorFilters();

    CQorSkinManagerSchema* GetSchema() const { return m_pSchema; }
    CQorSkinManagerMetrics* GetMetrics() const { return m_pMetrics; }
    CQorSkinManagerResourceFile* GetResourceFile() const { return m_pResourceFile; }
    DWORD GetApplyOptions() const { return m_dwApplyOptions; }
    void SetApplyOptions(DWORD dwOptions) { m_dwApplyOptions = dwOptions; }
    BOOL IsEnabled() const { return m_bEnabled; }

protected:
    BOOL m_bEnabled = FALSE;
    CMapStringToPtr m_mapClasses;
    CCriticalSection m_lockClasses;
    CQorSkinManagerSchema* m_pSchema = nullptr;
    CQorSkinManagerMetrics* m_pMetrics = nullptr;
    CQorSkinManagerResourceFile* m_pResourceFile = nullptr;
    DWORD m_dwApplyOptions = qorSkinApplyMetrics | qorSkinApplyFrame | qorSkinApplyColors;
    CArray<CQorSkinManagerColorFilter*, CQorSkinManagerColorFilter*> m_arrFilters;
};
