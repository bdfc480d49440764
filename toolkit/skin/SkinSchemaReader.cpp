// The skin INI reader. Skin text is untrusted: numbers are read as decimal and clamped to 32
// bits, text fields are bounded, and a header the reader cannot take apart ignores its section.
#include "toolkit/skin/SkinManagerSchema.h"
#include "toolkit/skin/SkinManagerResourceFile.h"

#include <cstdlib>
#include <cwchar>
#include <cwctype>

namespace {

int g_nFontDpiForTest = 0;

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\v' || c == L'\f';
}

void SkipBlanks(LPCWSTR& p)
{
    while (*p && IsBlank(*p))
        ++p;
}

// Optional sign and decimal digits after white space; false when no digit. The value is
// clamped to the 32-bit range however many digits follow.
bool ReadDecimal(LPCWSTR& p, int& nValue)
{
    SkipBlanks(p);
    bool bNegative = false;
    if (*p == L'+' || *p == L'-')
        bNegative = *p++ == L'-';
    if (*p < L'0' || *p > L'9') {
        nValue = 0;
        return false;
    }
    long long n = 0;
    while (*p >= L'0' && *p <= L'9') {
        if (n < 0x100000000LL)
            n = n * 10 + (*p - L'0');
        ++p;
    }
    if (bNegative)
        n = -n;
    nValue = n > INT_MAX ? INT_MAX : (n < INT_MIN ? INT_MIN : static_cast<int>(n));
    return true;
}

// Reads up to nCount numbers; each after the first needs the separator (',' or none for
// white space) before it. Missing numbers stay 0.
void ReadNumbers(LPCWSTR p, int* pValues, int nCount, wchar_t chSeparator)
{
    for (int i = 0; i < nCount; ++i)
        pValues[i] = 0;
    for (int i = 0; i < nCount; ++i) {
        if (i > 0 && chSeparator) {
            SkipBlanks(p);
            if (*p != chSeparator)
                return;
            ++p;
        }
        if (!ReadDecimal(p, pValues[i]))
            return;
    }
}

int FontDpi()
{
    if (g_nFontDpiForTest > 0)
        return g_nFontDpiForTest;
    HDC hDC = ::GetDC(nullptr);
    const int nDpi = hDC ? ::GetDeviceCaps(hDC, LOGPIXELSY) : 96;
    if (hDC)
        ::ReleaseDC(nullptr, hDC);
    return nDpi > 0 ? nDpi : 96;
}

// "face, points, style": the face at most 31 characters, the style word at most 49; points 1-72.
LOGFONTW* ParseFont(LPCWSTR p)
{
    LOGFONTW* pFont = new LOGFONTW{};
    HDC hDC = ::GetDC(nullptr);
    if (hDC) {
        pFont->lfCharSet = static_cast<BYTE>(::GetTextCharsetInfo(hDC, nullptr, 0));
        ::ReleaseDC(nullptr, hDC);
    }
    int nFace = 0;
    while (*p && *p != L',') {
        if (nFace < LF_FACESIZE - 1)
            pFont->lfFaceName[nFace++] = *p;
        ++p;
    }
    pFont->lfFaceName[nFace] = 0;
    int nPoints = 0;
    wchar_t szStyle[50] = {};
    if (*p == L',') {
        ++p;
        ReadDecimal(p, nPoints);
        SkipBlanks(p);
        if (*p == L',') {
            ++p;
            SkipBlanks(p);
            int n = 0;
            while (*p && !IsBlank(*p) && n < 49)
                szStyle[n++] = *p++;
        }
    }
    nPoints = nPoints < 1 ? 1 : (nPoints > 72 ? 72 : nPoints);
    pFont->lfWeight = _wcsicmp(szStyle, L"BOLD") == 0 ? FW_BOLD : FW_NORMAL;
    pFont->lfHeight = -::MulDiv(nPoints, FontDpi(), 72);
    return pFont;
}

// Section name (upper-cased, without brackets) to its key; 0 ignores the section.
UINT ParseSectionKey(CString strName)
{
    if (strName.Find(L':') >= 0)
        return 0;
    strName.Remove(L' ');
    CString strState;
    const int nParen = strName.Find(L'(');
    if (nParen >= 0) {
        // The state sits between "(" and a closing ")" that ends the name.
        if (strName.GetLength() < nParen + 3 || strName[strName.GetLength() - 1] != L')')
            return 0;
        strState = strName.Mid(nParen + 1, strName.GetLength() - nParen - 2);
        strName = strName.Left(nParen);
    }
    CString strClass = strName, strPart;
    const int nDot = strName.Find(L'.');
    if (nDot >= 0) {
        strClass = strName.Left(nDot);
        strPart = strName.Mid(nDot + 1);
    }
    int nPart = 0, nState = 0;
    if (!strPart.IsEmpty() && (nPart = LookupPartId(strPart, strClass)) == 0)
        return 0;
    if (!strState.IsEmpty() && (nState = LookupStateId(strState, strPart.IsEmpty() ? strClass : strPart)) == 0)
        return 0;
    const int nClass = LookupClassId(strClass);
    if (!nClass)
        return 0;
    return MakeSkinPropertyKey(nClass, nPart, nState, 0);
}

} // namespace

void QorSetSkinFontDpiForTest(int nDpi)
{
    g_nFontDpiForTest = nDpi;
}

CQorSkinManagerSchemaProperty* ParseSkinProperty(int nType, LPCWSTR lpszName, LPCWSTR lpszValue)
{
    if (nType == qorSkinIntList || nType < qorSkinString || nType > qorSkinSize)
        return nullptr;
    CQorSkinManagerSchemaProperty* pProperty = new CQorSkinManagerSchemaProperty;
    int n[4];
    LPCWSTR p = lpszValue;
    switch (nType) {
    case qorSkinString:
        pProperty->m_lpszValue = _wcsdup(lpszValue);
        break;
    case qorSkinInt:
        ReadDecimal(p, pProperty->m_nValue);
        break;
    case qorSkinBool:
        pProperty->m_nValue = _wcsicmp(lpszValue, L"TRUE") == 0;
        break;
    case qorSkinColor:
        ReadNumbers(lpszValue, n, 3, 0);
        pProperty->m_clrValue = RGB(n[0] & 0xFF, n[1] & 0xFF, n[2] & 0xFF);
        break;
    case qorSkinRect:
        // Written left, right, top, bottom.
        ReadNumbers(lpszValue, n, 4, L',');
        pProperty->m_rcValue = RECT{n[0], n[2], n[1], n[3]};
        break;
    case qorSkinFont:
        pProperty->m_pFont = ParseFont(lpszValue);
        break;
    case qorSkinEnum:
        pProperty->m_nValue = LookupEnumValue(lpszValue, lpszName);
        break;
    case qorSkinSize:
        ReadNumbers(lpszValue, n, 2, L',');
        pProperty->m_szValue = SIZE{n[0], n[1]};
        break;
    }
    pProperty->m_nType = nType;
    return pProperty;
}

int ReadSchema(CQorSkinManagerSchema* pSchema, CQorSkinManagerResourceFile* pFile)
{
    pSchema->FreeProperties();
    pSchema->m_nIgnoredSections = 0;
    pSchema->m_nUnknownNames = 0;
    pSchema->m_bPremultiply = TRUE;
    UINT nSection = 0;
    CString strLine;
    while (pFile && pFile->ReadLine(strLine)) {
        strLine.TrimLeft();
        const int nComment = strLine.Find(L';');
        if (nComment >= 0)
            strLine = strLine.Left(nComment);
        // A header may carry a comment after its bracket.
        strLine.TrimRight();
        strLine.MakeUpper();
        if (strLine.IsEmpty())
            continue;
        if (strLine[0] == L'[') {
            const int nLength = strLine.GetLength();
            nSection = nLength >= 3 && strLine[nLength - 1] == L']' ? ParseSectionKey(strLine.Mid(1, nLength - 2)) : 0;
            if (!nSection)
                ++pSchema->m_nIgnoredSections;
            continue;
        }
        const int nEquals = strLine.Find(L'=');
        if (nEquals < 1 || !nSection)
            continue;
        CString strName = strLine.Left(nEquals);
        strName.TrimRight();
        CString strValue = strLine.Mid(nEquals + 1);
        strValue.Trim();
        int nType = 0;
        const int nId = LookupPropertyId(strName, &nType);
        if (!nId) {
            ++pSchema->m_nUnknownNames;
            continue;
        }
        CQorSkinManagerSchemaProperty* pProperty = ParseSkinProperty(nType, strName, strValue);
        if (pProperty)
            pProperty->m_nPropertyId = nId;
        // The last assignment wins; an integer list only removes an earlier value.
        pSchema->SetProperty(nSection + static_cast<UINT>(nId), pProperty);
    }
    const int nDocumentation = LookupClassId(L"DOCUMENTATION");
    const CQorSkinManagerSchemaProperty* pAlpha = pSchema->LookupProperty(nDocumentation, 0, 0, TMT_ALPHALEVEL);
    if (pAlpha && pAlpha->m_nType == qorSkinInt && pAlpha->m_nValue == 255)
        pSchema->m_bPremultiply = FALSE;
    return 0;
}
