// The skin's property store: every property line of the skin INI, typed and keyed by class,
// part, state and property, with the fixed lookup fallback. The schemas that draw derive from
// it (SkinManagerSchemaDefault.h, SkinManagerSchemaOffice2007.h).
#pragma once
#include <windows.h>

#include "platform/framework/Collections.h"
#include "platform/framework/Gdi.h"
#include "platform/framework/Geometry.h"
#include "platform/framework/Strings.h"
#include "platform/framework/Sync.h"
#include "toolkit/skin/SkinVocabulary.h"

class CQorSkinManager;
class CQorSkinManagerClass;
class CQorSkinManagerResourceFile;
struct CQorSkinFrameRecord;
struct CQorSkinScrollBarDraw;

// One parsed value; the string and the font are owned.
struct CQorSkinManagerSchemaProperty
{
    CQorSkinManagerSchemaProperty() { m_rcValue = RECT{}; }
    ~CQorSkinManagerSchemaProperty() { Clear(); }
    CQorSkinManagerSchemaProperty(const CQorSkinManagerSchemaProperty&) = delete;
    CQorSkinManagerSchemaProperty& operator=(const CQorSkinManagerSchemaProperty&) = delete;
    void Clear();

    int m_nType = 0;
    int m_nPropertyId = 0;
    union {
        int m_nValue; // integer, boolean, enumeration
        COLORREF m_clrValue;
        LPWSTR m_lpszValue;
        LOGFONTW* m_pFont;
        SIZE m_szValue;
        RECT m_rcValue;
    };
};

// Key = property + class * 2^14 + part * 2^20 + state * 2^26.
inline UINT MakeSkinPropertyKey(int nClassId, int nPartId, int nStateId, int nPropertyId)
{
    return static_cast<UINT>(nPropertyId) + (static_cast<UINT>(nClassId) << 14) + (static_cast<UINT>(nPartId) << 20) +
           (static_cast<UINT>(nStateId) << 26);
}

class CQorSkinManagerSchema
{
public:
    explicit CQorSkinManagerSchema(CQorSkinManager* pManager);
    virtual ~CQorSkinManagerSchema();
    CQorSkinManagerSchema(const CQorSkinManagerSchema&) = delete;
    CQorSkinManagerSchema& operator=(const CQorSkinManagerSchema&) = delete;

    // The drawing operations belong to the derived schemas; the store alone draws nothing.
    virtual BOOL DrawThemeBackground(CDC* pDC, CQorSkinManagerClass* pClass, int nPart, int nState, const RECT* pRect);
    virtual void DrawFrame(CDC* pDC, CQorSkinFrameRecord* pFrame);
    virtual CRect GetFrameBorders(const CQorSkinFrameRecord* pFrame);
    virtual HRGN CreateFrameRegion(const CQorSkinFrameRecord* pFrame, int nWidth, int nHeight);
    virtual void RefreshMetrics();
    virtual void DrawScrollBar(CDC* pDC, const CQorSkinScrollBarDraw& bar);
    virtual COLORREF GetSizeBoxColor(HWND hWnd);

    // First of (class, part, state), (class, part), (class), (Globals); the first key present
    // wins whatever its type.
    CQorSkinManagerSchemaProperty* LookupProperty(int nClassId, int nPartId, int nStateId, int nPropertyId) const;
    void FreeProperties();
    void SetProperty(UINT nKey, CQorSkinManagerSchemaProperty* pProperty); // takes it; replaces

    CQorSkinManager* GetManager() const { return m_pManager; }
    BOOL IsPremultiply() const { return m_bPremultiply; }
    int GetGlobalsClassId() const { return m_nGlobalsClassId; }
    int GetWindowClassId() const { return m_nWindowClassId; }
    int GetPropertyCount() const { return static_cast<int>(m_mapProperties.GetCount()); }
    // What the last read skipped: section headers it could not use, and property names it did
    // not know inside a section it used.
    int GetIgnoredSectionCount() const { return m_nIgnoredSections; }
    int GetUnknownNameCount() const { return m_nUnknownNames; }

protected:
    friend int ReadSchema(CQorSkinManagerSchema* pSchema, CQorSkinManagerResourceFile* pFile);

    BOOL m_bPremultiply = TRUE;
    CMap<UINT, UINT, CQorSkinManagerSchemaProperty*, CQorSkinManagerSchemaProperty*> m_mapProperties;
    CQorSkinManager* m_pManager;
    CString m_strName;
    CCriticalSection m_lock;
    int m_nGlobalsClassId;
    int m_nWindowClassId;
    int m_nIgnoredSections = 0;
    int m_nUnknownNames = 0;
};

// Fills the schema from the file's lines; always 0.
int ReadSchema(CQorSkinManagerSchema* pSchema, CQorSkinManagerResourceFile* pFile);
CQorSkinManagerSchemaProperty* LookupProperty(const CQorSkinManagerSchema* pSchema, int nClassId, int nPartId,
                                              int nStateId, int nPropertyId);
// S_OK with the font, E_FAIL when missing, E_INVALIDARG when the property is no font.
HRESULT GetSchemaFont(const CQorSkinManagerSchema* pSchema, int nClassId, int nPropertyId, LOGFONTW* pFont);

// Parsing a value text (trimmed, upper-cased) of a type; none for integer lists. The property
// name picks the enumeration table.
CQorSkinManagerSchemaProperty* ParseSkinProperty(int nType, LPCWSTR lpszName, LPCWSTR lpszValue);

// Test seams: how many store lookups ran (one per LookupProperty), and the
// dots per inch fonts are sized for (0: the screen's).
LONG QorGetSkinSchemaLookupCount();
void QorSetSkinFontDpiForTest(int nDpi);
