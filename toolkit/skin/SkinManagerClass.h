// One visual-styles class of the loaded skin (WINDOW, BUTTON, SCROLLBAR, ...). Its address is
// the theme handle the skin hands out. Property queries go through a per-class cache in front
// of the store's fallback; images are kept by file name for the life of the skin.
#pragma once
#include <windows.h>

#include "platform/framework/Collections.h"
#include "platform/framework/Gdi.h"
#include "platform/framework/Geometry.h"
#include "platform/framework/Strings.h"

class CQorSkinManager;
class CQorSkinImage;
struct CQorSkinManagerSchemaProperty;

class CQorSkinManagerClass
{
public:
    CQorSkinManagerClass(CQorSkinManager* pManager, LPCTSTR lpszName, int nClassId);
    virtual ~CQorSkinManagerClass();
    CQorSkinManagerClass(const CQorSkinManagerClass&) = delete;
    CQorSkinManagerClass& operator=(const CQorSkinManagerClass&) = delete;

    // None for a missing property or one of another type; a miss is remembered, a type
    // mismatch is not.
    CQorSkinManagerSchemaProperty* GetProperty(int nType, int nPart, int nState, int nPropertyId);
    CString GetString(int nPropertyId, int nState, int nPart);
    CRect GetRect(int nPropertyId, int nState, int nPart, int nLeft = 0, int nTop = 0, int nRight = 0, int nBottom = 0);
    COLORREF GetColor(int nPropertyId, int nState, int nPart, COLORREF clrDefault);
    // Integers, booleans and enumerations with a default for a missing property.
    int GetInt(int nPropertyId, int nState, int nPart, int nDefault);
    BOOL GetBool(int nPropertyId, int nState, int nPart, BOOL bDefault);
    int GetEnum(int nPropertyId, int nState, int nPart, int nDefault);
    BOOL HasEnum(int nPropertyId, int nState, int nPart);

    BOOL DrawBackground(CDC* pDC, int nPart, int nState, const RECT* pRect);
    BOOL GetPartSize(int nPart, int nState, const RECT* pRect, int nSizeType, SIZE* pSize);
    BOOL DrawSkinText(CDC* pDC, int nPart, int nState, LPCTSTR lpszText, UINT nFormat, const RECT* pRect);

    // The class's image of that file name, loaded on first use; none when it does not load.
    CQorSkinImage* GetImage(LPCTSTR lpszFileName);
    // The image property a part draws with (IMAGEFILE or IMAGEFILE1 by its select type).
    CString GetImageFileName(int nPart, int nState);

    CQorSkinManager* GetManager() const { return m_pManager; }
    const CString& GetName() const { return m_strName; }
    int GetClassId() const { return m_nClassId; }

protected:
    CQorSkinManager* m_pManager;
    CString m_strName;
    int m_nClassId;
    CMapStringToPtr m_mapImages;
    CMap<UINT, UINT, CQorSkinManagerSchemaProperty*, CQorSkinManagerSchemaProperty*> m_mapCache;
};
