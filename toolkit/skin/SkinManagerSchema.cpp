#include "toolkit/skin/SkinManagerSchema.h"

#include <cstdlib>

namespace {
volatile LONG g_nLookups = 0;
}

LONG QorGetSkinSchemaLookupCount()
{
    return g_nLookups;
}

void CQorSkinManagerSchemaProperty::Clear()
{
    if (m_nType == qorSkinString)
        free(m_lpszValue);
    else if (m_nType == qorSkinFont)
        delete m_pFont;
    m_nType = 0;
    m_rcValue = RECT{};
}

CQorSkinManagerSchema::CQorSkinManagerSchema(CQorSkinManager* pManager)
    : m_pManager(pManager), m_nGlobalsClassId(LookupClassId(L"GLOBALS")), m_nWindowClassId(LookupClassId(L"WINDOW"))
{
    m_mapProperties.InitHashTable(199);
}

CQorSkinManagerSchema::~CQorSkinManagerSchema()
{
    FreeProperties();
}

void CQorSkinManagerSchema::FreeProperties()
{
    POSITION pos = m_mapProperties.GetStartPosition();
    while (pos) {
        UINT nKey = 0;
        CQorSkinManagerSchemaProperty* pProperty = nullptr;
        m_mapProperties.GetNextAssoc(pos, nKey, pProperty);
        delete pProperty;
    }
    m_mapProperties.RemoveAll();
}

void CQorSkinManagerSchema::SetProperty(UINT nKey, CQorSkinManagerSchemaProperty* pProperty)
{
    CQorSkinManagerSchemaProperty* pOld = nullptr;
    if (m_mapProperties.Lookup(nKey, pOld)) {
        m_mapProperties.RemoveKey(nKey);
        delete pOld;
    }
    if (pProperty)
        m_mapProperties.SetAt(nKey, pProperty);
}

CQorSkinManagerSchemaProperty* CQorSkinManagerSchema::LookupProperty(int nClassId, int nPartId, int nStateId,
                                                                     int nPropertyId) const
{
    InterlockedIncrement(&g_nLookups);
    CQorSkinManagerSchemaProperty* pProperty = nullptr;
    if (nStateId && m_mapProperties.Lookup(MakeSkinPropertyKey(nClassId, nPartId, nStateId, nPropertyId), pProperty))
        return pProperty;
    if (m_mapProperties.Lookup(MakeSkinPropertyKey(nClassId, nPartId, 0, nPropertyId), pProperty))
        return pProperty;
    if (m_mapProperties.Lookup(MakeSkinPropertyKey(nClassId, 0, 0, nPropertyId), pProperty))
        return pProperty;
    if (m_mapProperties.Lookup(MakeSkinPropertyKey(m_nGlobalsClassId, 0, 0, nPropertyId), pProperty))
        return pProperty;
    return nullptr;
}

CQorSkinManagerSchemaProperty* LookupProperty(const CQorSkinManagerSchema* pSchema, int nClassId, int nPartId,
                                              int nStateId, int nPropertyId)
{
    return pSchema ? pSchema->LookupProperty(nClassId, nPartId, nStateId, nPropertyId) : nullptr;
}

HRESULT GetSchemaFont(const CQorSkinManagerSchema* pSchema, int nClassId, int nPropertyId, LOGFONTW* pFont)
{
    const CQorSkinManagerSchemaProperty* pProperty = LookupProperty(pSchema, nClassId, 0, 0, nPropertyId);
    if (!pProperty)
        return E_FAIL;
    if (pProperty->m_nType != qorSkinFont || !pFont)
        return E_INVALIDARG;
    *pFont = *pProperty->m_pFont;
    return S_OK;
}

BOOL CQorSkinManagerSchema::DrawThemeBackground(CDC*, CQorSkinManagerClass*, int, int, const RECT*)
{
    return FALSE;
}

void CQorSkinManagerSchema::DrawFrame(CDC*, CQorSkinFrameRecord*) {}

CRect CQorSkinManagerSchema::GetFrameBorders(const CQorSkinFrameRecord*)
{
    return CRect(0, 0, 0, 0);
}

HRGN CQorSkinManagerSchema::CreateFrameRegion(const CQorSkinFrameRecord*, int, int)
{
    return nullptr;
}

void CQorSkinManagerSchema::RefreshMetrics() {}

void CQorSkinManagerSchema::DrawScrollBar(CDC*, const CQorSkinScrollBarDraw&) {}

COLORREF CQorSkinManagerSchema::GetSizeBoxColor(HWND)
{
    return ::GetSysColor(COLOR_BTNFACE);
}
