#include "toolkit/skin/SkinManagerClass.h"

#include <uxtheme.h>

#include "toolkit/skin/SkinImage.h"
#include "toolkit/skin/SkinManager.h"
#include "toolkit/skin/SkinManagerResourceFile.h"
#include "toolkit/skin/SkinManagerSchema.h"

namespace {

UINT CacheKey(int nPart, int nState, int nPropertyId)
{
    return static_cast<UINT>(nPropertyId) + (static_cast<UINT>(nPart) << 14) + (static_cast<UINT>(nState) << 20);
}

} // namespace

CQorSkinManagerClass::CQorSkinManagerClass(CQorSkinManager* pManager, LPCTSTR lpszName, int nClassId)
    : m_pManager(pManager), m_strName(lpszName), m_nClassId(nClassId)
{
    m_mapCache.InitHashTable(199);
}

CQorSkinManagerClass::~CQorSkinManagerClass()
{
    CQorSkinImage::FreeCache(m_mapImages);
}

CQorSkinManagerSchemaProperty* CQorSkinManagerClass::GetProperty(int nType, int nPart, int nState, int nPropertyId)
{
    const UINT nKey = CacheKey(nPart, nState, nPropertyId);
    CQorSkinManagerSchemaProperty* pProperty = nullptr;
    if (m_mapCache.Lookup(nKey, pProperty))
        return pProperty;
    pProperty = m_pManager ? LookupProperty(m_pManager->GetSchema(), m_nClassId, nPart, nState, nPropertyId) : nullptr;
    if (!pProperty) {
        m_mapCache.SetAt(nKey, nullptr);
        return nullptr;
    }
    if (pProperty->m_nType != nType)
        return nullptr;
    m_mapCache.SetAt(nKey, pProperty);
    return pProperty;
}

CString CQorSkinManagerClass::GetString(int nPropertyId, int nState, int nPart)
{
    const CQorSkinManagerSchemaProperty* p = GetProperty(qorSkinString, nPart, nState, nPropertyId);
    return p && p->m_lpszValue ? CString(p->m_lpszValue) : CString();
}

CRect CQorSkinManagerClass::GetRect(int nPropertyId, int nState, int nPart, int nLeft, int nTop, int nRight,
                                    int nBottom)
{
    const CQorSkinManagerSchemaProperty* p = GetProperty(qorSkinRect, nPart, nState, nPropertyId);
    return p ? CRect(p->m_rcValue) : CRect(nLeft, nTop, nRight, nBottom);
}

COLORREF CQorSkinManagerClass::GetColor(int nPropertyId, int nState, int nPart, COLORREF clrDefault)
{
    const CQorSkinManagerSchemaProperty* p = GetProperty(qorSkinColor, nPart, nState, nPropertyId);
    if (!p)
        return clrDefault;
    COLORREF clr = p->m_clrValue;
    if (m_pManager)
        m_pManager->ApplyColorFilters(clr);
    return clr;
}

int CQorSkinManagerClass::GetInt(int nPropertyId, int nState, int nPart, int nDefault)
{
    const CQorSkinManagerSchemaProperty* p = GetProperty(qorSkinInt, nPart, nState, nPropertyId);
    return p ? p->m_nValue : nDefault;
}

BOOL CQorSkinManagerClass::GetBool(int nPropertyId, int nState, int nPart, BOOL bDefault)
{
    const CQorSkinManagerSchemaProperty* p = GetProperty(qorSkinBool, nPart, nState, nPropertyId);
    return p ? p->m_nValue : bDefault;
}

int CQorSkinManagerClass::GetEnum(int nPropertyId, int nState, int nPart, int nDefault)
{
    const CQorSkinManagerSchemaProperty* p = GetProperty(qorSkinEnum, nPart, nState, nPropertyId);
    return p ? p->m_nValue : nDefault;
}

BOOL CQorSkinManagerClass::HasEnum(int nPropertyId, int nState, int nPart)
{
    return GetProperty(qorSkinEnum, nPart, nState, nPropertyId) != nullptr;
}

BOOL CQorSkinManagerClass::DrawBackground(CDC* pDC, int nPart, int nState, const RECT* pRect)
{
    CQorSkinManagerSchema* pSchema = m_pManager ? m_pManager->GetSchema() : nullptr;
    return pSchema ? pSchema->DrawThemeBackground(pDC, this, nPart, nState, pRect) : FALSE;
}

CQorSkinImage* CQorSkinManagerClass::GetImage(LPCTSTR lpszFileName)
{
    return CQorSkinImage::GetCachedImage(m_pManager ? m_pManager->GetResourceFile() : nullptr, m_mapImages,
                                         lpszFileName);
}

CString CQorSkinManagerClass::GetImageFileName(int nPart, int nState)
{
    const BOOL bSelect = GetEnum(TMT_IMAGESELECTTYPE, nState, nPart, 0) != 0;
    const BOOL bGlyph = GetEnum(TMT_GLYPHTYPE, nState, nPart, 0) != 0;
    if (bSelect && !bGlyph) {
        CString strFile = GetString(TMT_IMAGEFILE1, nState, nPart);
        if (!strFile.IsEmpty())
            return strFile;
    }
    return GetString(TMT_IMAGEFILE, nState, nPart);
}

BOOL CQorSkinManagerClass::GetPartSize(int nPart, int nState, const RECT* pRect, int nSizeType, SIZE* pSize)
{
    if (!pSize)
        return FALSE;
    if (GetEnum(TMT_BGTYPE, nState, nPart, 0) != 0)
        return FALSE;
    CQorSkinImage* pImage = GetImage(GetImageFileName(nPart, nState));
    if (!pImage)
        return FALSE;
    const BOOL bHorizontal = GetEnum(TMT_IMAGELAYOUT, nState, nPart, 1) == 1;
    const int nLength = bHorizontal ? pImage->GetWidth() : pImage->GetHeight();
    int nCount = GetInt(TMT_IMAGECOUNT, nState, nPart, 1);
    nCount = nCount < 1 ? 1 : (nCount > nLength && nLength > 0 ? nLength : nCount);
    const CSize szImage(bHorizontal ? pImage->GetWidth() / nCount : pImage->GetWidth(),
                        bHorizontal ? pImage->GetHeight() : pImage->GetHeight() / nCount);
    if (nSizeType == TS_TRUE) {
        *pSize = szImage;
    } else if (nSizeType == TS_DRAW) {
        if (HasEnum(TMT_SIZINGTYPE, nState, nPart) && GetEnum(TMT_SIZINGTYPE, nState, nPart, 1) == 0) {
            *pSize = szImage;
        } else {
            *pSize = pRect ? SIZE{pRect->right - pRect->left, pRect->bottom - pRect->top} : SIZE{0, 0};
            // A frame without height has no aspect to keep.
            if (GetBool(TMT_UNIFORMSIZING, nState, nPart, FALSE))
                pSize->cx = szImage.cy > 0 ? ::MulDiv(pSize->cy, szImage.cx, szImage.cy) : 0;
        }
    }
    return TRUE;
}

BOOL CQorSkinManagerClass::DrawSkinText(CDC* pDC, int nPart, int nState, LPCTSTR lpszText, UINT nFormat,
                                        const RECT* pRect)
{
    if (!pDC || !pRect || !lpszText)
        return FALSE;
    HDC hDC = pDC->GetSafeHdc();
    ::SetBkMode(hDC, TRANSPARENT);
    const CRect rcMargins = GetRect(TMT_CAPTIONMARGINS, nState, nPart);
    CRect rcText(*pRect);
    rcText.left += rcMargins.left;
    rcText.right -= rcMargins.right;
    if (GetEnum(TMT_CONTENTALIGNMENT, nState, nPart, 0) == 1)
        nFormat |= DT_CENTER;
    const COLORREF clrText = GetColor(TMT_TEXTCOLOR, nState, nPart, ::GetTextColor(hDC));
    ::SetTextColor(hDC, clrText);
    if (GetEnum(TMT_TEXTSHADOWTYPE, nState, nPart, 0) == 1) {
        const CQorSkinManagerSchemaProperty* pOffset = GetProperty(qorSkinSize, nPart, nState, TMT_TEXTSHADOWOFFSET);
        const CQorSkinManagerSchemaProperty* pShadow = GetProperty(qorSkinColor, nPart, nState, TMT_TEXTSHADOWCOLOR);
        // Without a shadow colour there is no shadow to draw.
        if (pOffset && pShadow && (pOffset->m_szValue.cx || pOffset->m_szValue.cy)) {
            ::SetTextColor(hDC, GetColor(TMT_TEXTSHADOWCOLOR, nState, nPart, 0));
            CRect rcShadow(rcText);
            rcShadow.OffsetRect(pOffset->m_szValue.cx, pOffset->m_szValue.cy);
            ::DrawTextW(hDC, lpszText, -1, &rcShadow, nFormat);
            ::SetTextColor(hDC, clrText);
        }
    }
    ::DrawTextW(hDC, lpszText, -1, &rcText, nFormat);
    return TRUE;
}
